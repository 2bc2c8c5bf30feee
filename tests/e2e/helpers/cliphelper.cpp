// Plays "another application" for the end-to-end tests and the capture benchmark:
// sets (as an 8-bit or a Unicode program, optionally with a privacy marker), reads,
// empties and holds the clipboard, copies bursts of texts, or sits in the clipboard
// viewer chain counting changes.
// Exit codes: 0 done, 1 no text on the clipboard (get), 2 usage or failure, 3 clipboard busy.
#include <cwchar>
#include <string>

#include "helper_io.h"  // windows.h first

#include <commctrl.h>

namespace {

const char kUsage[] =
    "usage: cliphelper set <text> | setfile <path> | setrepeat <char> <count> | get | getw | empty |\r\n"
    "                  setw <utf-8 file> [exclude|ignore|nohistory|history] |\r\n"
    "                  burst <count> <ms> <label> | filed <count> <ms> <label> |\r\n"
    "                  bigshown <count> | readcost | hold <ms> |\r\n"
    "                  viewer <seconds> [prefix] |\r\n"
    "                  idle <seconds> [prefix]\r\n"
    "  get prints the CF_TEXT bytes as they are, getw CF_UNICODETEXT as UTF-8.\r\n"
    "  setw puts the file's text as CF_UNICODETEXT only, with the privacy marker named:\r\n"
    "  ExcludeClipboardContentFromMonitorProcessing, Clipboard Viewer Ignore, or\r\n"
    "  CanIncludeInClipboardHistory holding 0 (nohistory) or 1 (history).\r\n"
    "  burst copies <count> texts \"<label> <n>\" (Unicode) <ms> apart and prints the\r\n"
    "  time of each copy (microseconds of the performance counter). filed does the same\r\n"
    "  and looks once, a set time after each copy, whether Vornix's list has one row\r\n"
    "  more: it prints the microseconds waited and 1 or 0;\r\n"
    "  bigshown copies <count> times \"x\" and prints the microseconds until Vornix's\r\n"
    "  status bar shows a different text; readcost fetches the Unicode text and\r\n"
    "  prints the microseconds it took and the block's size in bytes.\r\n"
    "  viewer writes <prefix>.ready once in the chain, leaves after <seconds> or when\r\n"
    "  <prefix>.stop exists, then prints the WM_DRAWCLIPBOARD count (the one sent on\r\n"
    "  joining included), on a second line the WM_CHANGECBCHAIN count, and then the\r\n"
    "  time of each WM_DRAWCLIPBOARD, one a line.\r\n"
    "  idle keeps a hidden window open the same way, outside the chain: under Wine the\r\n"
    "  clipboard is lost about a second after the last program with a window ends.\r\n";

HWND createWindow(WNDPROC procedure) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VornixTestClipHelper";
  RegisterClassW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"cliphelper", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
}

// The program under test may hold the clipboard for a moment: wait up to two seconds.
bool openClipboard(HWND owner) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(20);
  }
  return false;
}

int setBytes(const std::string& bytes) {
  HWND owner = createWindow(DefWindowProcW);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
  if (!block) return helper::fail("out of memory");
  char* data = static_cast<char*>(GlobalLock(block));
  memcpy(data, bytes.data(), bytes.size());
  data[bytes.size()] = '\0';
  GlobalUnlock(block);
  if (!openClipboard(owner)) {
    GlobalFree(block);
    return 3;
  }
  EmptyClipboard();
  bool ok = SetClipboardData(CF_TEXT, block) != nullptr;
  CloseClipboard();
  if (!ok) GlobalFree(block);
  return ok ? 0 : helper::fail("SetClipboardData failed");
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

// A Unicode program's copy: CF_UNICODETEXT only (the system makes CF_TEXT from it),
// with a privacy marker when one is named.
int setUnicode(HWND owner, const std::wstring& text, const std::wstring& marker) {
  HGLOBAL block = globalCopy(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  if (!block) return helper::fail("out of memory");
  if (!openClipboard(owner)) {
    GlobalFree(block);
    return 3;
  }
  EmptyClipboard();
  bool ok = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
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

int burst(long count, DWORD ms, const std::wstring& label) {
  HWND owner = createWindow(DefWindowProcW);
  std::string times;
  for (long i = 1; i <= count; ++i) {
    if (i > 1) pumpFor(ms);
    if (int rc = setUnicode(owner, label + L" " + std::to_wstring(i), L"")) return rc;
    times += std::to_string(microseconds()) + "\r\n";
  }
  helper::out(times);
  return 0;
}

struct ControlSearch {
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK matchControl(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ControlSearch*>(data);
  wchar_t name[64];
  GetClassNameW(child, name, 64);
  if (wcscmp(name, search->className) != 0) return TRUE;
  search->found = child;
  return FALSE;
}

// A control of Vornix's main window, for the timed commands below.
HWND vornixControl(const wchar_t* className) {
  HWND main = FindWindowW(L"VornixMainWindow", nullptr);
  ControlSearch search{className, nullptr};
  if (main) EnumChildWindows(main, matchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
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
  HWND owner = createWindow(DefWindowProcW);
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

// bigshown: a text of <count> "x", timed until the status bar shows it (its last step).
int bigShown(unsigned long count) {
  HWND bar = vornixControl(L"msctls_statusbar32");
  if (!bar) return helper::fail("no Vornix status bar");
  const LRESULT before = LOWORD(ask(bar, SB_GETTEXTLENGTHW, 1));
  return timedCopy(createWindow(DefWindowProcW), std::wstring(count, L'x'),
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
  HWND owner = createWindow(DefWindowProcW);
  if (!openClipboard(owner)) return 3;
  bool ok = EmptyClipboard() != 0;
  CloseClipboard();
  return ok ? 0 : helper::fail("EmptyClipboard failed");
}

int hold(DWORD ms) {
  HWND owner = createWindow(DefWindowProcW);
  if (!openClipboard(owner)) return 3;
  helper::line("open");
  Sleep(ms);
  CloseClipboard();
  helper::line("closed");
  return 0;
}

// The viewer's state lives in globals: the window procedure has no other way in.
HWND g_next = nullptr;
int g_draws = 0;
std::string g_drawTimes;
int g_chainChanges = 0;

LRESULT CALLBACK viewerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWCLIPBOARD:
      ++g_draws;
      g_drawTimes += std::to_string(microseconds()) + "\r\n";
      if (g_next) SendMessageW(g_next, message, wParam, lParam);
      return 0;
    case WM_CHANGECBCHAIN:
      ++g_chainChanges;
      if (reinterpret_cast<HWND>(wParam) == g_next)
        g_next = reinterpret_cast<HWND>(lParam);
      else if (g_next)
        SendMessageW(g_next, message, wParam, lParam);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// Runs the message loop until `seconds` pass or `<prefix>.stop` exists; writes `<prefix>.ready` first.
void waitForStop(HWND window, DWORD seconds, const std::wstring& prefix) {
  const std::wstring stopFile = prefix + L".stop";
  const std::wstring readyFile = prefix + L".ready";
  HANDLE ready = CreateFileW(readyFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
  const DWORD end = GetTickCount() + seconds * 1000;
  SetTimer(window, 1, 50, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && (GetFileAttributesW(stopFile.c_str()) != INVALID_FILE_ATTRIBUTES ||
                                    static_cast<LONG>(GetTickCount() - end) >= 0))
      break;
    DispatchMessageW(&msg);
  }
  KillTimer(window, 1);
}

int viewer(DWORD seconds, const std::wstring& prefix) {
  DeleteFileW((prefix + L".stop").c_str());
  HWND self = createWindow(viewerProc);
  if (!self) return helper::fail("cannot create the viewer window");
  g_next = SetClipboardViewer(self);
  waitForStop(self, seconds, prefix);
  ChangeClipboardChain(self, g_next);
  DestroyWindow(self);
  helper::line(std::to_string(g_draws));
  helper::line(std::to_string(g_chainChanges));
  helper::out(g_drawTimes);
  return 0;
}

int idle(DWORD seconds, const std::wstring& prefix) {
  DeleteFileW((prefix + L".stop").c_str());
  HWND self = createWindow(DefWindowProcW);
  if (!self) return helper::fail("cannot create a window");
  waitForStop(self, seconds, prefix);
  DestroyWindow(self);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"set" && argc == 3) return setBytes(helper::toCodePage(argv[2], CP_ACP));
  if (command == L"setfile" && argc == 3) {
    std::string bytes;
    if (!helper::readFile(argv[2], bytes)) return helper::fail("cannot read " + helper::utf8(argv[2]));
    return setBytes(bytes);
  }
  if (command == L"setrepeat" && argc == 4) {
    std::string unit = helper::toCodePage(argv[2], CP_ACP);
    long count = wcstol(argv[3], nullptr, 10);
    std::string bytes;
    for (long i = 0; i < count; ++i) bytes += unit;
    return setBytes(bytes);
  }
  if (command == L"setw" && (argc == 3 || argc == 4)) {
    std::string bytes;
    if (!helper::readFile(argv[2], bytes)) return helper::fail("cannot read " + helper::utf8(argv[2]));
    return setUnicode(createWindow(DefWindowProcW), helper::fromCodePage(bytes, CP_UTF8), argc == 4 ? argv[3] : L"");
  }
  if (command == L"burst" && argc == 5) return burst(wcstol(argv[2], nullptr, 10), wcstoul(argv[3], nullptr, 10), argv[4]);
  if (command == L"filed" && argc == 5) return filed(wcstol(argv[2], nullptr, 10), wcstoul(argv[3], nullptr, 10), argv[4]);
  if (command == L"bigshown" && argc == 3) return bigShown(wcstoul(argv[2], nullptr, 10));
  if (command == L"readcost" && argc == 2) return readCost();
  if (command == L"get" && argc == 2) return get(CF_TEXT);
  if (command == L"getw" && argc == 2) return get(CF_UNICODETEXT);
  if (command == L"empty" && argc == 2) return empty();
  if (command == L"hold" && argc == 3) return hold(wcstoul(argv[2], nullptr, 10));
  if (command == L"viewer" && (argc == 3 || argc == 4))
    return viewer(wcstoul(argv[2], nullptr, 10), argc == 4 ? argv[3] : L"viewer");
  if (command == L"idle" && (argc == 3 || argc == 4))
    return idle(wcstoul(argv[2], nullptr, 10), argc == 4 ? argv[3] : L"idle");
  helper::writeTo(STD_ERROR_HANDLE, kUsage);
  return 2;
}
