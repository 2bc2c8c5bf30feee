// Control, menu and message identifiers of the mini window and the on-screen display.
#pragma once

#include <windows.h>

#define IDC_MINI_CLIP 3001
#define IDC_MINI_EDIT 3002
#define IDC_MINI_LIST 3003
#define IDC_MINI_TOPMOST 3004
// Popup menu items: IDM_TRAY_BASE + the logic's command number (below 1000).
#define IDM_TRAY_BASE 3000

namespace vornix::ui {

// The notification-area icon's messages to the mini window; a test helper posts it too.
constexpr UINT kMsgTrayIcon = WM_APP + 0x300;
constexpr UINT kTrayIconId = 1;

}  // namespace vornix::ui
