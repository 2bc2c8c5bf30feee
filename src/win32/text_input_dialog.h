// The editor hand-off dialog `diaTextInput`: a text with its protection box,
// confirmed with OK or dropped with Cancel. Resizable; the text box follows.
#pragma once

#include "core/app/app.h"
#include "win32/window.h"

namespace vornix::ui {

class TextInputDialog : public Dialog {
 public:
  explicit TextInputDialog(const App& app) : app_(app) {}

  Text text;
  bool protect = false;

  // True when the user confirmed; `text` and `protect` then hold the new values.
  bool run(HWND owner);

 protected:
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void init();
  void layout();
  void centreOverOwner();
  void confirm();

  const App& app_;
  SIZE minimum_ = {};
};

}  // namespace vornix::ui
