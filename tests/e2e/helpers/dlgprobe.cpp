// Works the controls of an open window of the program from outside, as a test
// needs: reads and sets a control's text, posts a command (a menu item or a
// button), sets a selection or a list choice. Windows are found by the start of
// their title; controls by their id.
#include "helper_io.h"

#include <cwchar>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: dlgprobe get <title> <id> | set <title> <id> <utf8-file> | cmd <title> <id> |\r\n"
    "                select <title> <id> <start> <end> | combo <title> <id> <index> |\r\n"
    "                click <title> <id> | enabled <title> <id> | visible <title> <id>\r\n"
    "  <title>: the start of a visible top-level window's title; get prints the text as UTF-8.\r\n";

BOOL CALLBACK collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

HWND findWindow(const std::wstring& title) {
  std::vector<HWND> windows;
  EnumWindows(collect, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    if (IsWindowVisible(window) && wcsncmp(text, title.c_str(), title.size()) == 0) return window;
  }
  return nullptr;
}

std::wstring textOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return helper::fail(kUsage);
  const std::wstring command = argv[1];
  HWND window = findWindow(argv[2]);
  if (!window) return helper::fail("no window titled " + helper::utf8(argv[2]));
  const int id = _wtoi(argv[3]);
  HWND control = GetDlgItem(window, id);
  if (command == L"cmd") return PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0) ? 0 : 1;
  if (!control) return helper::fail("no control " + std::to_string(id));
  if (command == L"get" && argc == 4) {
    helper::out(helper::utf8(textOf(control)));
    return 0;
  }
  if (command == L"set" && argc == 5) {
    std::string bytes;
    if (!helper::readFile(argv[4], bytes)) return helper::fail("cannot read the text file");
    const std::wstring text = helper::fromCodePage(bytes, CP_UTF8);
    DWORD_PTR done = 0;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                               5000, &done) ? 0 : 1;
  }
  if (command == L"select" && argc == 6) {
    SendMessageW(control, EM_SETSEL, _wtoi(argv[4]), _wtoi(argv[5]));
    return 0;
  }
  if (command == L"combo" && argc == 5) {
    SendMessageW(control, CB_SETCURSEL, _wtoi(argv[4]), 0);
    // Posted: the choice may open a question box.
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
    return 0;
  }
  if (command == L"click" && argc == 4) return PostMessageW(control, BM_CLICK, 0, 0) ? 0 : 1;
  if (command == L"enabled" && argc == 4) {
    helper::line(IsWindowEnabled(control) ? "1" : "0");
    return 0;
  }
  if (command == L"visible" && argc == 4) {
    helper::line(IsWindowVisible(control) ? "1" : "0");
    return 0;
  }
  return helper::fail(kUsage);
}
