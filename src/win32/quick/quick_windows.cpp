#include "win32/quick/quick_windows.h"

#include "win32/common/resource.h"

namespace vornix::ui {

namespace {

// The one instance, for the fatal-fault exit, which has no other way to it.
QuickAccess* liveQuickAccess = nullptr;

}  // namespace

QuickWindows::QuickWindows(App& app, FrmVornix& frm, MainView& main)
    : main_(main), quick_(app, frm, main, *this, hotkeys_, keyboard_), hotmenu_(app, frm, main, quick_, keyboard_) {
  liveQuickAccess = &quick_;
}

QuickWindows::~QuickWindows() {
  liveQuickAccess = nullptr;
  quick_.removeHotkeys();
}

void QuickWindows::unloadHotmenu() {
  if (hotmenu_.isOpen()) hotmenu_.unload();
}

void QuickWindows::leaveMiniMode() {
  if (leaveMini)
    leaveMini();
  else
    ShowWindow(mainWindow(), SW_SHOW);
}

void QuickWindows::focusMain() {
  HWND main = mainWindow();
  if (IsIconic(main)) ShowWindow(main, SW_RESTORE);
  SetForegroundWindow(main);
  SetFocus(main);
}

void QuickWindows::clickTopMost() {
  // What a click on "stay in front" does, without the mouse messages that
  // another window in front could take first.
  main_.setTopMostChecked(true);
  main_.setTopMost(true);
}

void QuickWindows::openHotmenu() {
  if (!GetCursorPos(&openedAt_)) openedAt_ = POINT{-1, -1};
  hotmenu_.open();
}

void QuickWindows::pointerOverProgram() {
  // The system also reports a mouse move when windows are restacked under a
  // pointer that stands still, as when the menu itself appears.
  POINT now;
  if (!hotmenu_.isOpen() || !GetCursorPos(&now) || (now.x == openedAt_.x && now.y == openedAt_.y)) return;
  hotmenu_.unload();
}

void emergencyRemoveHotkeys() {
  if (liveQuickAccess) liveQuickAccess->removeHotkeys();
}

}  // namespace vornix::ui
