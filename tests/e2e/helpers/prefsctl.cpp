// Drives the open Preferences dialog from outside, as a user would: clicks its
// boxes, types into its fields, moves its sliders and reads them back. Controls
// are named by their numeric ids (src/win32/prefs_ids.h). Every message used
// carries no pointer, or one that the system copies between processes.
#include "helper_io.h"  // windows.h first: commctrl.h needs its types

#include <commctrl.h>

#include <cwchar>
#include <string>

namespace {

const char kUsage[] =
    "usage: prefsctl open | wait | page | dismiss | click <id> | press <id> | focus <id> | checked <id> |\r\n"
    "                text <id> | settext <id> <text> | settextfile <id> <utf8-file> | slider <id> <pos>\r\n"
    "  open posts File > Settings to the main window; wait waits up to 10 s for the dialog;\r\n"
    "  focus prints the page shown afterwards;\r\n"
    "  dismiss closes the message box shown over it.\r\n";

constexpr int kTabsId = 5001;      // IDC_PREFS_TABS
constexpr int kSettingsMenu = 1204;  // IDM_FILE_SETTINGS

HWND found = nullptr;

BOOL CALLBACK findDialog(HWND window, LPARAM) {
  wchar_t cls[64] = L"";
  GetClassNameW(window, cls, 64);
  if (wcscmp(cls, L"#32770") == 0 && GetDlgItem(window, kTabsId)) {
    found = window;
    return FALSE;
  }
  return TRUE;
}

// A message box over the dialog: a dialog box without the tab control.
BOOL CALLBACK findNotice(HWND window, LPARAM) {
  wchar_t cls[64] = L"";
  GetClassNameW(window, cls, 64);
  if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window) && !GetDlgItem(window, kTabsId)) {
    found = window;
    return FALSE;
  }
  return TRUE;
}

HWND dialog() {
  found = nullptr;
  EnumWindows(findDialog, 0);
  return found;
}

std::wstring textOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 2000,
                      &copied);
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

int run(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"open") {
    HWND main = FindWindowW(L"VornixMainWindow", nullptr);
    if (!main) return helper::fail("no main window");
    return PostMessageW(main, WM_COMMAND, kSettingsMenu, 0) ? 0 : 1;
  }
  if (command == L"wait") {
    for (int i = 0; i < 100; ++i) {
      if (HWND d = dialog()) {
        helper::line(helper::utf8(textOf(d)));
        return 0;
      }
      Sleep(100);
    }
    return helper::fail("no Preferences dialog");
  }
  if (command == L"dismiss") {
    found = nullptr;
    EnumWindows(findNotice, 0);
    if (!found) return helper::fail("no message box");
    return PostMessageW(found, WM_COMMAND, IDOK, 0) ? 0 : 1;
  }
  HWND d = dialog();
  if (!d) return helper::fail("no Preferences dialog");
  if (command == L"page" && argc == 2) {
    helper::line(std::to_string(SendMessageW(GetDlgItem(d, kTabsId), TCM_GETCURSEL, 0, 0)));
    return 0;
  }
  if (argc < 3) return helper::fail(kUsage);
  HWND control = GetDlgItem(d, _wtoi(argv[2]));
  if (!control) return helper::fail("no control " + helper::utf8(argv[2]));
  if (command == L"click") {
    SendMessageW(control, BM_CLICK, 0, 0);
  } else if (command == L"press") {
    // Posted: OK may open a message box, which would hold a sent click until it closes.
    PostMessageW(control, BM_CLICK, 0, 0);
  } else if (command == L"focus") {
    // Prints the page the dialog shows afterwards: it turns to the page of the focus.
    SendMessageW(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    helper::line(std::to_string(SendMessageW(GetDlgItem(d, kTabsId), TCM_GETCURSEL, 0, 0)));
  } else if (command == L"checked") {
    helper::line(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0");
  } else if (command == L"text") {
    helper::line(helper::field(textOf(control)));
  } else if (command == L"settext" && argc == 4) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
  } else if (command == L"settextfile" && argc == 4) {
    std::string bytes;
    if (!helper::readFile(argv[3], bytes)) return helper::fail("cannot read the file");
    const std::wstring text = helper::fromCodePage(bytes, CP_UTF8);
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  } else if (command == L"slider" && argc == 4) {
    const int pos = _wtoi(argv[3]);
    SendMessageW(control, TBM_SETPOS, TRUE, pos);
    SendMessageW(d, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, pos), reinterpret_cast<LPARAM>(control));
    SendMessageW(d, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(control));
  } else {
    return helper::fail(kUsage);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return run(argc, argv); }
