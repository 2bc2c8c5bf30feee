// The toolbar `tbMain`: 14 positions (buttons and separators), standard and
// drawn images, translated tool tips, and the mini-mode button with its caption.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "core/app/app.h"
#include "win32/common/controls.h"

namespace vornix::ui {

class MainToolbar {
 public:
  static constexpr int kPositions = 14;

  bool create(HWND parent, HFONT font, const App& app);
  const Toolbar& control() const { return toolbar_; }
  void setEnabled(int position, bool on) const { toolbar_.enableButton(commandOf(position), on); }

  static int commandOf(int position);
  // The button position of a command id, 0 for none.
  static int positionOf(int command);

  // Tool tip text requests; true when one was for a button of this toolbar.
  bool onNotify(const NMHDR* header);

 private:
  Toolbar toolbar_;
  Text tips_[kPositions + 1];
};

}  // namespace vornix::ui
