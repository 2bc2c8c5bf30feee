// Quick access on the main window: the real hotkeys and keyboard, the hotkey
// actions that need windows (show the main window, tick "stay in front", open
// the hot menu) and the hot menu window itself.
#pragma once

#include <functional>

#include <windows.h>

#include <memory>

#include "core/quick/quick_access.h"
#include "platform/win32/quick_access.h"
#include "win32/quick/hotmenu_window.h"

namespace vornix::ui {

class QuickWindows : public HotkeyView {
 public:
  QuickWindows(App& app, FrmVornix& frm, MainView& main);
  ~QuickWindows() override;

  QuickAccess& quick() { return quick_; }
  // Closes the hot menu if it is open (the pointer is over one of the program's own windows).
  void unloadHotmenu();
  // The mouse moved over one of the program's own windows: the user turns away
  // from the hot menu, unless the pointer has not moved since it opened.
  void pointerOverProgram();
  // How the main hotkey leaves mini mode; without it, the main window is only shown.
  std::function<void()> leaveMini;

  // HotkeyView
  void leaveMiniMode() override;
  void focusMain() override;
  void clickTopMost() override;
  void openHotmenu() override;

 private:
  HWND mainWindow() const { return reinterpret_cast<HWND>(main_.handle()); }

  MainView& main_;
  win32::Win32Hotkeys hotkeys_;
  win32::Win32Keyboard keyboard_;
  QuickAccess quick_;
  HotmenuWindow hotmenu_;
  POINT openedAt_ = {};
};

// For an exit on a fatal fault: unregisters every hotkey and deletes its atom.
// Allocates nothing and waits for nothing.
void emergencyRemoveHotkeys();

}  // namespace vornix::ui
