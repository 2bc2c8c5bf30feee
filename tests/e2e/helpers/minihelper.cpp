// Looks at and drives the mini window, its notification-area icon and the
// on-screen display of a running Vornix from outside, and reads shortcut files.
#include "helper_io.h"  // windows.h first

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cwchar>
#include <string>

namespace {

using namespace helper;

const char kUsage[] =
    "usage: minihelper state | icon <leftup|dblclick|rightup> | click <clip|edit|list|topmost> |\r\n"
    "                  move <x> <y> | command <id> | osd | hasicon | losticon | lnk <path>\r\n"
    "  command: the main window gets WM_COMMAND <id>, as from its toolbar or menu\r\n"
    "  state: main=<0|1> mini=<0|1> <left> <top> <width> <height> (the mini window's rectangle)\r\n"
    "  osd: <0|1> (visible), a tab and the lines shown joined by \\n\r\n"
    "  losticon: takes the icon away and tells the program the taskbar was created anew\r\n"
    "  lnk: the shortcut's target (from its item list), a tab and its working folder\r\n";

// Must match the program's own numbers (src/win32/mini_ids.h).
constexpr UINT kMsgTrayIcon = WM_APP + 0x300;
constexpr UINT kTrayIconId = 1;
constexpr int kIdClip = 3001, kIdEdit = 3002, kIdList = 3003, kIdTopMost = 3004;

HWND mainWindow() { return FindWindowW(L"VornixMainWindow", nullptr); }
HWND miniWindow() { return FindWindowW(L"VornixMiniWindow", nullptr); }

std::string number(long n) { return std::to_string(n); }

int state() {
  HWND main = mainWindow(), mini = miniWindow();
  if (!main) return fail("no main window");
  RECT r = {};
  if (mini) GetWindowRect(mini, &r);
  line("main=" + number(IsWindowVisible(main) ? 1 : 0) + " mini=" + number(mini && IsWindowVisible(mini) ? 1 : 0) +
       " " + number(r.left) + " " + number(r.top) + " " + number(r.right - r.left) + " " + number(r.bottom - r.top));
  return 0;
}

int icon(const std::wstring& what) {
  HWND mini = miniWindow();
  if (!mini) return fail("no mini window");
  const UINT notice = what == L"leftup" ? WM_LBUTTONUP : what == L"dblclick" ? WM_LBUTTONDBLCLK
                      : what == L"rightup" ? WM_RBUTTONUP : 0;
  if (!notice) return fail(kUsage);
  return PostMessageW(mini, kMsgTrayIcon, kTrayIconId, notice) ? 0 : fail("post failed");
}

int click(const std::wstring& what) {
  HWND mini = miniWindow();
  const int id = what == L"clip" ? kIdClip : what == L"edit" ? kIdEdit : what == L"list" ? kIdList
                 : what == L"topmost" ? kIdTopMost : 0;
  if (!mini || !id) return fail("no mini window or no such button");
  HWND button = GetDlgItem(mini, id);
  if (id == kIdTopMost) SendMessageW(button, BM_SETCHECK, SendMessageW(button, BM_GETCHECK, 0, 0) ? 0 : 1, 0);
  return PostMessageW(mini, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) ? 0 : 1;
}

int move(int x, int y) {
  HWND mini = miniWindow();
  if (!mini) return fail("no mini window");
  return SetWindowPos(mini, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
}

int osd() {
  HWND window = FindWindowW(L"VornixOnScreenDisplay", nullptr);
  wchar_t title[4096] = L"";
  if (window) GetWindowTextW(window, title, 4096);
  line(number(window && IsWindowVisible(window) ? 1 : 0) + "\t" + field(title));
  return 0;
}

NOTIFYICONDATAW iconData(HWND mini) {
  NOTIFYICONDATAW data = {};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = mini;
  data.uID = kTrayIconId;
  data.uFlags = NIF_TIP;
  lstrcpynW(data.szTip, L"Vornix", 64);
  return data;
}

int hasIcon() {
  HWND mini = miniWindow();
  NOTIFYICONDATAW data = iconData(mini);
  // Changing an icon succeeds only for one that exists.
  line(mini && Shell_NotifyIconW(NIM_MODIFY, &data) ? "1" : "0");
  return 0;
}

int lostIcon() {
  HWND mini = miniWindow();
  if (!mini) return fail("no mini window");
  NOTIFYICONDATAW data = iconData(mini);
  Shell_NotifyIconW(NIM_DELETE, &data);
  SendMessageW(mini, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  return 0;
}

int lnk(const wchar_t* path) {
  if (FAILED(CoInitialize(nullptr))) return fail("no COM");
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  int rc = 1;
  wchar_t target[MAX_PATH] = L"", folder[MAX_PATH] = L"";
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(path, STGM_READ)) && SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH))) {
    // The item list is what the shell starts; the plain path field may hold only 8-bit text.
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(link->GetIDList(&items)) && items) {
      SHGetPathFromIDListW(items, target);
      CoTaskMemFree(items);
    }
    line(utf8(target) + "\t" + utf8(folder));
    rc = 0;
  }
  if (file) file->Release();
  if (link) link->Release();
  CoUninitialize();
  return rc ? fail("cannot read the shortcut") : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"state" && argc == 2) return state();
  if (command == L"icon" && argc == 3) return icon(argv[2]);
  if (command == L"click" && argc == 3) return click(argv[2]);
  if (command == L"move" && argc == 4) return move(_wtoi(argv[2]), _wtoi(argv[3]));
  if (command == L"command" && argc == 3) {
    HWND main = mainWindow();
    return main && PostMessageW(main, WM_COMMAND, MAKEWPARAM(_wtoi(argv[2]), 0), 0) ? 0 : fail("no main window");
  }
  if (command == L"osd" && argc == 2) return osd();
  if (command == L"hasicon" && argc == 2) return hasIcon();
  if (command == L"losticon" && argc == 2) return lostIcon();
  if (command == L"lnk" && argc == 3) return lnk(argv[2]);
  return fail(kUsage);
}
