// Stands in for "the application in front" of the quick-access tests: a window
// with an edit box that reports everything it receives, and a few looks at the
// program's windows from outside.
#include "helper_io.h"  // windows.h first

#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: frontapp window <outfile> [<modifiers> <key>] | focus | state | menu |\r\n"
    "                press <strokes> [<window title>] | atom <name>\r\n"
    "  window: shows \"Front App\" with an edit box; after every change <outfile> holds the box's text\r\n"
    "  (UTF-8) and <outfile>.time the time of the change (ms since 1970). With a modifier sum and a key\r\n"
    "  code it first holds that hotkey itself. It ends when <outfile>.stop appears.\r\n"
    "  state: the title of the window in front; the Vornix window's top-most flag and check box.\r\n"
    "  menu: the hot menu's place (left top right bottom, screen width height), then its lines.\r\n"
    "  press: sends strokes such as ctrl+alt+v; prints the time sent, and with a title the ms until\r\n"
    "  a visible window of that title is there.\r\n"
    "  atom: \"held\" when a global atom of that name exists, else \"none\".\r\n";

const wchar_t kTitle[] = L"Front App";
std::wstring outFile;
HWND edit = nullptr;
// Written out by a timer: a file per typed character would slow the typing down.
bool changed = false;
long long changedAt = 0;

long long nowMs() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  const unsigned long long t = (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return static_cast<long long>(t / 10000ULL - 11644473600000ULL);
}

void writeFile(const std::wstring& path, const std::string& bytes) {
  const std::wstring temp = path + L".tmp";
  HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void report() {
  const int length = GetWindowTextLengthW(edit);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(edit, &text[0], length + 1);
  text.resize(wcsnlen(text.c_str(), text.size()));
  writeFile(outFile, helper::utf8(text));
  writeFile(outFile + L".time", std::to_string(changedAt));
  changed = false;
}

LRESULT CALLBACK frontProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0,
                             10, 10, window, reinterpret_cast<HMENU>(1), nullptr, nullptr);
      SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
      SetTimer(window, 1, 50, nullptr);
      return edit ? 0 : -1;
    case WM_SIZE:
      MoveWindow(edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(edit);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == 1 && HIWORD(wParam) == EN_CHANGE) {
        changed = true;
        changedAt = nowMs();
      }
      return 0;
    case WM_TIMER:
      if (changed) report();
      if (GetFileAttributesW((outFile + L".stop").c_str()) != INVALID_FILE_ATTRIBUTES) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

int runWindow(const std::wstring& out, const wchar_t* mods, const wchar_t* key) {
  outFile = out;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = frontProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"FrontApp";
  if (!RegisterClassW(&wc)) return helper::fail("RegisterClass failed");
  // A holder of a hotkey is not the application in front.
  const wchar_t* title = mods ? L"Hotkey Holder" : kTitle;
  HWND window = CreateWindowExW(0, L"FrontApp", title, WS_OVERLAPPEDWINDOW, 560, 60, 420, 260, nullptr, nullptr,
                                wc.hInstance, nullptr);
  if (!window) return helper::fail("CreateWindow failed");
  if (mods && key && !RegisterHotKey(window, 1, wcstoul(mods, nullptr, 10), wcstoul(key, nullptr, 10)))
    return helper::fail("the hotkey is taken already");
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(edit);
  report();
  writeFile(outFile + L".ready", "1");
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

HWND vornixMain() {
  HWND found = nullptr;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    wchar_t title[256] = L"", cls[64] = L"";
    GetWindowTextW(w, title, 256);
    GetClassNameW(w, cls, 64);
    if (wcsncmp(title, L"Vornix (", 8) == 0 && wcscmp(cls, L"#32770") != 0) found = w;
  }
  return found;
}

int state() {
  wchar_t title[256] = L"";
  GetWindowTextW(GetForegroundWindow(), title, 256);
  helper::line("front\t" + helper::utf8(title));
  HWND main = vornixMain();
  if (!main) return helper::fail("no Vornix window");
  const bool topMost = (GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  HWND box = GetDlgItem(main, 1007);
  const bool checked = box && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  helper::line(std::string("topmost\t") + (topMost ? "1" : "0"));
  helper::line(std::string("checked\t") + (checked ? "1" : "0"));
  return 0;
}

int menu() {
  HWND window = FindWindowW(L"VornixHotMenu", nullptr);
  if (!window || !IsWindowVisible(window)) return helper::fail("no hot menu");
  RECT r;
  GetWindowRect(window, &r);
  helper::line("rect\t" + std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
               std::to_string(r.bottom) + "\t" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " +
               std::to_string(GetSystemMetrics(SM_CYSCREEN)));
  HWND list = FindWindowExW(window, nullptr, L"ListBox", nullptr);
  const int count = list ? static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)) : 0;
  for (int i = 0; i < count; ++i) {
    const int length = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, i, 0));
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(wcsnlen(text.c_str(), text.size()));
    helper::line(helper::field(text));
  }
  return 0;
}

int focus() {
  HWND window = FindWindowW(L"FrontApp", kTitle);
  if (!window) return helper::fail("no Front App window");
  SetForegroundWindow(window);
  // Another process's window comes to the front when its own thread has activated it.
  for (int waited = 0; waited < 3000; waited += 10) {
    if (GetForegroundWindow() == window) return 0;
    Sleep(10);
  }
  return helper::fail("Front App did not come to the front");
}

WORD keyOf(const std::wstring& name) {
  if (name == L"ctrl") return VK_CONTROL;
  if (name == L"alt") return VK_MENU;
  if (name == L"shift") return VK_SHIFT;
  if (name == L"win") return VK_LWIN;
  if (name.size() == 1 && iswalnum(name[0])) return static_cast<WORD>(towupper(name[0]));
  return 0;
}

INPUT keyInput(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

int press(const std::wstring& strokes, const wchar_t* title) {
  std::vector<WORD> held;
  for (size_t from = 0; from <= strokes.size();) {
    size_t plus = strokes.find(L'+', from);
    if (plus == std::wstring::npos) plus = strokes.size();
    const WORD key = keyOf(strokes.substr(from, plus - from));
    if (!key) return helper::fail("unknown key in " + helper::utf8(strokes));
    held.push_back(key);
    from = plus + 1;
  }
  std::vector<INPUT> inputs;
  for (WORD key : held) inputs.push_back(keyInput(key, false));
  for (auto it = held.rbegin(); it != held.rend(); ++it) inputs.push_back(keyInput(*it, true));
  const long long sent = nowMs();
  if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size())
    return helper::fail("SendInput failed");
  helper::line("sent\t" + std::to_string(sent));
  if (!title) return 0;
  const DWORD start = GetTickCount();
  for (;;) {
    HWND window = FindWindowW(nullptr, title);
    if (window && IsWindowVisible(window)) break;
    if (GetTickCount() - start > 5000) return helper::fail("no window " + helper::utf8(title));
    Sleep(1);
  }
  helper::line("shown\t" + std::to_string(GetTickCount() - start));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"window" && (argc == 3 || argc == 5))
    return runWindow(argv[2], argc == 5 ? argv[3] : nullptr, argc == 5 ? argv[4] : nullptr);
  if (command == L"state" && argc == 2) return state();
  if (command == L"menu" && argc == 2) return menu();
  if (command == L"focus" && argc == 2) return focus();
  if (command == L"atom" && argc == 3) {
    helper::line(GlobalFindAtomW(argv[2]) ? "held" : "none");
    return 0;
  }
  if (command == L"press" && (argc == 3 || argc == 4)) return press(argv[2], argc == 4 ? argv[3] : nullptr);
  helper::writeTo(STD_ERROR_HANDLE, kUsage);
  return 2;
}
