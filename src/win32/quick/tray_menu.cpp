// The mini window's icon in the notification area and the icon's popup menu.
#include "base/ustr.h"
#include "win32/quick/mini_ids.h"
#include "win32/quick/mini_window.h"

#include <shellapi.h>

namespace vornix::ui {

namespace {

// Entry texts are shown as they are: an ampersand is no access key.
Text menuText(const Text& text) { return ustr::replaceAll(text, u"&", u"&&"); }

UINT_PTR itemId(int command) { return static_cast<UINT_PTR>(IDM_TRAY_BASE + command); }

HMENU listMenu(const std::vector<TrayMenuItem>& items, int base) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  for (size_t i = 0; i < items.size(); ++i) {
    const UINT state = items[i].rowId ? MF_ENABLED : MF_GRAYED;
    AppendMenuW(menu, MF_STRING | state, itemId(base + static_cast<int>(i)), wide(menuText(items[i].caption)));
  }
  return menu;
}

void appendSubmenu(HMENU menu, HMENU sub, const Text& caption) {
  if (sub && !AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), wide(caption)))
    DestroyMenu(sub);
}

}  // namespace

void MiniWindow::addTrayIcon() {
  // The first version of the record: every Windows since 95 takes it.
  NOTIFYICONDATAW data = {};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = hwnd();
  data.uID = kTrayIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kMsgTrayIcon;
  data.hIcon = smallIcon_;
  lstrcpynW(data.szTip, L"Vornix", 64);
  if (Shell_NotifyIconW(NIM_ADD, &data)) iconAdded_ = true;
  else iconAdded_ = Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;  // still there from before
}

void MiniWindow::removeTrayIcon() {
  NOTIFYICONDATAW data = {};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = hwnd();
  data.uID = kTrayIconId;
  Shell_NotifyIconW(NIM_DELETE, &data);
  iconAdded_ = false;
}

int MiniWindow::showTrayMenu(const TrayMenu& model) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return kTrayNone;
  appendSubmenu(menu, listMenu(model.entries, kTrayEntryBase), app_.str(kStrText));
  appendSubmenu(menu, listMenu(model.urls, kTrayURLBase), app_.str(kStrURL));
  appendSubmenu(menu, listMenu(model.emails, kTrayEMailBase), app_.str(kStrEMail));
  if (model.showTextKeys) {
    HMENU keys = CreatePopupMenu();
    for (size_t n = 0; keys && n < model.textKeys.size(); ++n)
      AppendMenuW(keys, MF_STRING, itemId(kTrayTextKeyBase + static_cast<int>(n)), wide(menuText(model.textKeys[n])));
    appendSubmenu(menu, keys, app_.str(kStrTextBlock));
  }
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | (model.recordMode ? MF_CHECKED : MF_UNCHECKED), itemId(kTrayProtocol),
              wide(app_.str(kStrActivateRecordMode)));
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, itemId(kTrayRestore), wide(app_.str(kStrRestore)));
  AppendMenuW(menu, MF_STRING, itemId(kTrayExit), wide(app_.str(kStrExitMiniMode) + u"\tCtrl+M"));
  AppendMenuW(menu, MF_STRING, itemId(kTrayEdit), wide(app_.str(kStrChangeEntry) + u"\tCtrl+E"));
  AppendMenuW(menu, MF_STRING, itemId(kTrayPaste), wide(app_.str(kStrPaste) + u"\tCtrl+V"));
  SetMenuDefaultItem(menu, static_cast<UINT>(itemId(kTrayExit)), FALSE);

  POINT at = {};
  GetCursorPos(&at);
  // Without being in front the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(hwnd());
  const int chosen = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y,
                                                     0, hwnd(), nullptr));
  PostMessageW(hwnd(), WM_NULL, 0, 0);
  DestroyMenu(menu);
  return chosen > IDM_TRAY_BASE ? chosen - IDM_TRAY_BASE : kTrayNone;
}

}  // namespace vornix::ui
