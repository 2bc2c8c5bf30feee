// Plays "another application" for the end-to-end tests and the capture benchmark:
// sets (as an 8-bit or a Unicode program, optionally with a privacy marker), reads
// and empties the clipboard, copies bursts of texts, sits in the clipboard viewer
// chain counting changes, or is the application in front ("Front App") that
// reports what it is typed.
// Exit codes: 0 done, 1 no text on the clipboard (get), 2 usage or failure, 3 clipboard busy.
#include "helper_io.h"  // windows.h first

#include <commctrl.h>

namespace {

const char kUsage[] =
    "usage: cliphelper setfile <path> | setw <utf-8 file> [exclude|ignore|nohistory|history] | get | getw |\r\n"
    "                  empty | burst|filed <count> <ms> <label> | bigshown <count> | readcost |\r\n"
    "                  viewer|idle <seconds> [prefix] | front <outfile> [<modifiers> <key>] | focus\r\n";

// The program under test may hold the clipboard for a moment: wait up to two seconds.
bool openClipboard(HWND owner) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(20);
  }
  return false;
}

long long microseconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<long long>(now.QuadPart * 1000000.0 / frequency.QuadPart);
}

HGLOBAL globalCopy(const void* data, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
  if (block && size) {
    memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
  }
  return block;
}

// Empties the clipboard and puts one block on it, with a privacy marker when one is
// named: ExcludeClipboardContentFromMonitorProcessing, Clipboard Viewer Ignore, or
// CanIncludeInClipboardHistory holding 0 (nohistory) or 1 (history).
int put(HWND owner, UINT format, const void* data, size_t size, const std::wstring& marker = L"") {
  HGLOBAL block = globalCopy(data, size);
  if (!block) return helper::fail("out of memory");
  if (!openClipboard(owner)) {
    GlobalFree(block);
    return 3;
  }
  EmptyClipboard();
  bool ok = SetClipboardData(format, block) != nullptr;
  if (!marker.empty()) {
    const DWORD history = marker == L"history" ? 1 : 0;
    const wchar_t* name = marker == L"exclude"  ? L"ExcludeClipboardContentFromMonitorProcessing"
                          : marker == L"ignore" ? L"Clipboard Viewer Ignore"
                                                : L"CanIncludeInClipboardHistory";
    ok = SetClipboardData(RegisterClipboardFormatW(name), globalCopy(&history, sizeof history)) && ok;
  }
  CloseClipboard();
  return ok ? 0 : helper::fail("SetClipboardData failed");
}

// An 8-bit program's copy: CF_TEXT.
int setBytes(const std::string& bytes) {
  return put(helper::createWindow(DefWindowProcW), CF_TEXT, bytes.c_str(), bytes.size() + 1);
}

// A Unicode program's copy: CF_UNICODETEXT only (the system makes CF_TEXT from it).
int setUnicode(HWND owner, const std::wstring& text, const std::wstring& marker) {
  return put(owner, CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t), marker);
}

// Waits as a program with a message loop does: Wine's clipboard talks to the owner
// window while others read what it copied.
void pumpFor(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    const LONG left = static_cast<LONG>(end - GetTickCount());
    if (left <= 0) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
  }
}

// <count> texts "<label> <n>" <ms> apart; prints the time of each copy (us).
int burst(long count, DWORD ms, const std::wstring& label) {
  HWND owner = helper::createWindow(DefWindowProcW);
  std::string times;
  for (long i = 1; i <= count; ++i) {
    if (i > 1) pumpFor(ms);
    if (int rc = setUnicode(owner, label + L" " + std::to_wstring(i), L"")) return rc;
    times += std::to_string(microseconds()) + "\r\n";
  }
  helper::out(times);
  return 0;
}

// A control of Vornix's main window, for the timed commands below.
HWND vornixControl(const wchar_t* className) {
  HWND main = FindWindowW(L"VornixMainWindow", nullptr);
  std::vector<HWND> found = main ? helper::windows(main, className) : std::vector<HWND>();
  return found.empty() ? nullptr : found.front();
}

LRESULT ask(HWND window, UINT message, WPARAM wParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, 0, SMTO_NORMAL, 2000, &result);
  return static_cast<LRESULT>(result);
}

// Copies a text and asks Vornix until `done` holds (10 s at most); prints the microseconds.
template <class Done>
int timedCopy(HWND owner, const std::wstring& text, Done done) {
  if (int rc = setUnicode(owner, text, L"")) return rc;
  // The change is made when the clipboard is closed on it.
  const long long start = microseconds();
  while (!done() && microseconds() - start < 10000000) {
  }
  helper::line(std::to_string(microseconds() - start));
  return 0;
}

// filed: <count> texts <ms> apart. Each copy is looked at once, a set time after the
// clipboard was closed on it (the times take turns): under Wine a program asked while
// it works on a change is slowed down by every question, so a watch that keeps asking
// would time itself. Prints, for each copy, the microseconds waited and whether the
// row was there (1) or not yet (0), and waits until it is before the next copy.
int filed(long count, DWORD ms, const std::wstring& label) {
  static const long long kLooks[] = {500, 1000, 1500, 2000, 3000, 5000, 10000, 20000};
  HWND list = vornixControl(L"SysListView32");
  if (!list) return helper::fail("no Vornix list");
  HWND owner = helper::createWindow(DefWindowProcW);
  for (long i = 1; i <= count; ++i) {
    if (i > 1) pumpFor(ms);
    const LRESULT rows = ask(list, LVM_GETITEMCOUNT, 0);
    if (int rc = setUnicode(owner, label + L" " + std::to_wstring(i), L"")) return rc;
    const long long changed = microseconds();
    const long long look = kLooks[(i - 1) % (sizeof kLooks / sizeof kLooks[0])];
    while (microseconds() - changed < look) SwitchToThread();
    const bool there = ask(list, LVM_GETITEMCOUNT, 0) > rows;
    helper::line(std::to_string(look) + (there ? " 1" : " 0"));
    for (int tries = 0; tries < 400 && ask(list, LVM_GETITEMCOUNT, 0) <= rows; ++tries) pumpFor(5);
  }
  return 0;
}

// bigshown: a text of <count> "x", timed (us) until the status bar shows it (its last step).
int bigShown(unsigned long count) {
  HWND bar = vornixControl(L"msctls_statusbar32");
  if (!bar) return helper::fail("no Vornix status bar");
  const LRESULT before = LOWORD(ask(bar, SB_GETTEXTLENGTHW, 1));
  return timedCopy(helper::createWindow(DefWindowProcW), std::wstring(count, L'x'),
                   [&] { return LOWORD(ask(bar, SB_GETTEXTLENGTHW, 1)) != before; });
}

// readcost: what merely fetching the clipboard's Unicode text costs any program,
// the floor under what Vornix needs for it: the microseconds and the block's bytes.
int readCost() {
  const long long start = microseconds();
  if (!openClipboard(nullptr)) return 3;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const SIZE_T size = data ? GlobalSize(data) : 0;
  CloseClipboard();
  helper::line(std::to_string(microseconds() - start) + " " + std::to_string(size));
  return data ? 0 : 1;
}

// Prints the text's bytes as they are (CF_TEXT) or as UTF-8; exit 1 when there is none.
int get(UINT format) {
  if (!openClipboard(nullptr)) return 3;
  int result = 1;
  if (HANDLE data = GetClipboardData(format)) {
    const void* locked = GlobalLock(data);
    SIZE_T size = GlobalSize(data);
    if (locked) {
      if (format == CF_TEXT) {
        const char* text = static_cast<const char*>(locked);
        helper::out(std::string(text, strnlen(text, size)));
      } else {
        const wchar_t* text = static_cast<const wchar_t*>(locked);
        helper::out(helper::utf8(std::wstring(text, wcsnlen(text, size / sizeof(wchar_t)))));
      }
      GlobalUnlock(data);
      result = 0;
    }
  }
  CloseClipboard();
  return result;
}

int empty() {
  HWND owner = helper::createWindow(DefWindowProcW);
  if (!openClipboard(owner)) return 3;
  bool ok = EmptyClipboard() != 0;
  CloseClipboard();
  return ok ? 0 : helper::fail("EmptyClipboard failed");
}

// The viewer's state lives in globals: the window procedure has no other way in.
HWND g_next = nullptr;
int g_draws = 0;
std::wstring g_prefix;

LRESULT CALLBACK viewerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWCLIPBOARD:
      ++g_draws;
      helper::writeFileAtomic(g_prefix + L".draws", std::to_string(g_draws));
      if (g_next) SendMessageW(g_next, message, wParam, lParam);
      return 0;
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(wParam) == g_next)
        g_next = reinterpret_cast<HWND>(lParam);
      else if (g_next)
        SendMessageW(g_next, message, wParam, lParam);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// Sits in the chain (or, idle, only keeps a window open: under Wine the clipboard is
// lost about a second after the last program with a window ends) until <seconds>
// pass or <prefix>.stop exists. Writes <prefix>.ready once in, <prefix>.draws at each
// WM_DRAWCLIPBOARD, and prints their count (joining included) at the end.
int viewer(DWORD seconds, const std::wstring& prefix, bool inChain) {
  DeleteFileW((prefix + L".stop").c_str());
  g_prefix = prefix;
  HWND self = helper::createWindow(inChain ? viewerProc : DefWindowProcW);
  if (!self) return helper::fail("cannot create a window");
  if (inChain) g_next = SetClipboardViewer(self);
  helper::writeFileAtomic(prefix + L".ready", "1");
  const DWORD end = GetTickCount() + seconds * 1000;
  SetTimer(self, 1, 50, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && (helper::fileExists(prefix + L".stop") || static_cast<LONG>(GetTickCount() - end) >= 0))
      break;
    DispatchMessageW(&msg);
  }
  if (inChain) ChangeClipboardChain(self, g_next);
  DestroyWindow(self);
  helper::line(std::to_string(g_draws));
  return 0;
}

// Front App, an edit box: after every change <outfile> holds its text and <outfile>.time
// the time (ms since 1970); <outfile>.ready once it is up; it ends when <outfile>.stop
// appears. With a modifier sum and a key code it is "Hotkey Holder" and holds that
// hotkey. Written out by a timer, since a file per typed character would slow the typing.
std::wstring g_outFile;
HWND g_edit = nullptr;
bool g_changed = false;
long long g_changedAt = 0;
const wchar_t kFrontTitle[] = L"Front App";

void report() {
  const int length = GetWindowTextLengthW(g_edit);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(g_edit, &text[0], length + 1);
  text.resize(wcsnlen(text.c_str(), text.size()));
  helper::writeFileAtomic(g_outFile, helper::utf8(text));
  helper::writeFileAtomic(g_outFile + L".time", std::to_string(g_changedAt));
  g_changed = false;
}

LRESULT CALLBACK frontProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      g_edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0,
                               0, 10, 10, window, reinterpret_cast<HMENU>(1), nullptr, nullptr);
      SendMessageW(g_edit, EM_SETLIMITTEXT, 0, 0);
      SetTimer(window, 1, 50, nullptr);
      return g_edit ? 0 : -1;
    case WM_SIZE:
      MoveWindow(g_edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(g_edit);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == 1 && HIWORD(wParam) == EN_CHANGE) {
        g_changed = true;
        g_changedAt = helper::nowMs();
      }
      return 0;
    case WM_TIMER:
      if (g_changed) report();
      if (helper::fileExists(g_outFile + L".stop")) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

int front(const std::wstring& out, const wchar_t* mods, const wchar_t* key) {
  g_outFile = out;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = frontProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"FrontApp";
  if (!RegisterClassW(&wc)) return helper::fail("RegisterClass failed");
  // A holder of a hotkey is not the application in front.
  HWND window = CreateWindowExW(0, L"FrontApp", mods ? L"Hotkey Holder" : kFrontTitle, WS_OVERLAPPEDWINDOW, 560, 60,
                                420, 260, nullptr, nullptr, wc.hInstance, nullptr);
  if (!window) return helper::fail("CreateWindow failed");
  if (mods && key && !RegisterHotKey(window, 1, wcstoul(mods, nullptr, 10), wcstoul(key, nullptr, 10)))
    return helper::fail("the hotkey is taken already");
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(g_edit);
  report();
  helper::writeFileAtomic(g_outFile + L".ready", "1");
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

int focus() {
  HWND window = FindWindowW(L"FrontApp", kFrontTitle);
  if (!window) return helper::fail("no Front App window");
  // Another process's window comes to the front when its own thread has activated it.
  // Wine refuses the request now and then while a popup of another program is
  // closing: it is asked again.
  for (DWORD waited = 0; waited < helper::limitMs(3000); waited += 10) {
    if (waited % 300 == 0) SetForegroundWindow(window);
    if (GetForegroundWindow() == window) return 0;
    Sleep(10);
  }
  return helper::fail("Front App did not come to the front");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"setfile" && argc == 3) {
    std::string bytes;
    if (!helper::readFile(argv[2], bytes)) return helper::fail("cannot read " + helper::utf8(argv[2]));
    return setBytes(bytes);
  }
  if (command == L"setw" && (argc == 3 || argc == 4)) {
    std::wstring text;
    if (!helper::readText(argv[2], text)) return helper::fail("cannot read " + helper::utf8(argv[2]));
    return setUnicode(helper::createWindow(DefWindowProcW), text, argc == 4 ? argv[3] : L"");
  }
  if (command == L"burst" && argc == 5) return burst(wcstol(argv[2], nullptr, 10), wcstoul(argv[3], nullptr, 10), argv[4]);
  if (command == L"filed" && argc == 5) return filed(wcstol(argv[2], nullptr, 10), wcstoul(argv[3], nullptr, 10), argv[4]);
  if (command == L"bigshown" && argc == 3) return bigShown(wcstoul(argv[2], nullptr, 10));
  if (command == L"readcost" && argc == 2) return readCost();
  if (command == L"get" && argc == 2) return get(CF_TEXT);
  if (command == L"getw" && argc == 2) return get(CF_UNICODETEXT);
  if (command == L"empty" && argc == 2) return empty();
  if ((command == L"viewer" || command == L"idle") && (argc == 3 || argc == 4))
    return viewer(wcstoul(argv[2], nullptr, 10), argc == 4 ? argv[3] : command, command == L"viewer");
  if (command == L"front" && (argc == 3 || argc == 5))
    return front(argv[2], argc == 5 ? argv[3] : nullptr, argc == 5 ? argv[4] : nullptr);
  if (command == L"focus" && argc == 2) return focus();
  helper::writeTo(STD_ERROR_HANDLE, kUsage);
  return 2;
}
