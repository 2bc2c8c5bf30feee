// The status bar `stbVornix`: the caption "Clipboard:" and the clipboard's text.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "core/app/app.h"
#include "win32/common/controls.h"

namespace vornix::ui {

class StatusPanels {
 public:
  bool create(HWND parent, HFONT font, const App& app);
  const StatusBar& control() const { return bar_; }
  // Follows the parent's new size.
  void layout() const;
  void setClipboardText(const Text& text) const { bar_.setPartText(1, text); }

 private:
  StatusBar bar_;
  int captionWidth_ = 0;
};

}  // namespace vornix::ui
