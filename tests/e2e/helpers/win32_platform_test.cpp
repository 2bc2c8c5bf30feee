// Checks of the real Win32 platform (src/platform/win32) against the system it
// wraps, run under Wine by test_win32_platform.sh. GoogleTest is not used: it
// needs std::mutex, which the toolchain of the shipped program lacks.
//
//   win32_platform_test all <work folder>   every check; exit code 0 when all pass
//   win32_platform_test instance <ms>       prints 1 when another copy holds the
//                                           instance mutex, 0 otherwise, then waits
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <cstdio>
#include <string>

#include "platform/win32/win32_platform.h"  // windows.h first

#include <oleauto.h>

using vornix::win32::RegistrySettingsStore;
using vornix::win32::Win32Clipboard;
using vornix::win32::Win32Clock;
using vornix::win32::Win32FileSystem;
using vornix::win32::Win32Locale;
using vornix::win32::Win32Shell;
using vornix::win32::Win32ViewerChain;
using ClipStatus = vornix::platform::ClipStatus;
using Text = std::u16string;

namespace {

int g_checks = 0;
int g_failures = 0;

std::string narrow(const Text& text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      char buffer[10];
      std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  return out;
}

void check(bool ok, const char* what, int line, const std::string& detail = "") {
  ++g_checks;
  if (ok) return;
  ++g_failures;
  std::printf("FAILED line %d: %s %s\n", line, what, detail.c_str());
}

#define CHECK(cond) check((cond), #cond, __LINE__)
#define CHECK_TEXT(expected, actual) \
  check((expected) == (actual), #actual, __LINE__, "[" + narrow(expected) + "] != [" + narrow(actual) + "]")

const wchar_t* w(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

HWND hiddenWindow(WNDPROC procedure, const wchar_t* name) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  RegisterClassW(&wc);
  return CreateWindowExW(0, name, name, 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
}

const Text kUmlauts = u"Gr\u00FC\u00DFe \u00E4\u00F6\u00FC \u00C4\u00D6\u00DC \u20AC 5\u00B0";

void checkCodePage() {
  if (GetACP() != 1252) {
    std::printf("note: ANSI code page %u, the 1252 checks are skipped\n", GetACP());
    return;
  }
  vornix::CodePage page = vornix::win32AnsiCodePage();
  CHECK(page.fromAnsi('A') == u'A');
  CHECK(page.fromAnsi(0xE4) == u'\u00E4');
  CHECK(page.fromAnsi(0x80) == u'\u20AC');
  CHECK(page.toAnsi(u'\u20AC') == 0x80);
  CHECK_TEXT(kUmlauts, page.decode(page.encode(kUmlauts)));
}

// Holds the clipboard open from another thread, as another program would.
struct Holder {
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD ms = 0;
};

DWORD WINAPI holdClipboard(void* data) {
  Holder* holder = static_cast<Holder*>(data);
  HWND window = hiddenWindow(DefWindowProcW, L"HolderWindow");
  if (OpenClipboard(window)) {
    SetEvent(holder->opened);
    Sleep(holder->ms);
    CloseClipboard();
  }
  DestroyWindow(window);
  return 0;
}

// Puts blocks of raw bytes on the clipboard, as another program would.
struct Block {
  UINT format;
  std::string bytes;
};

void setRawClipboard(HWND owner, std::initializer_list<Block> blocks) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  for (const Block& b : blocks) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, b.bytes.size());
    if (!b.bytes.empty()) memcpy(GlobalLock(block), b.bytes.data(), b.bytes.size());
    GlobalUnlock(block);
    SetClipboardData(b.format, block);
  }
  CloseClipboard();
}

std::string bytesOf(const Text& text, bool terminated = true) {
  return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + (terminated ? 1 : 0)) * 2);
}

std::string rawFormat(UINT format) {
  std::string bytes;
  if (!OpenClipboard(nullptr)) return bytes;
  if (HANDLE data = GetClipboardData(format)) {
    if (const char* memory = static_cast<const char*>(GlobalLock(data))) {
      bytes.assign(memory, GlobalSize(data));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return bytes;
}

vornix::platform::ClipContent readClip(Win32Clipboard& clipboard, size_t maxLength = SIZE_MAX,
                                       ClipStatus expected = ClipStatus::Ok) {
  vornix::platform::ClipContent content;
  ClipStatus status = clipboard.read(content, maxLength);
  check(status == expected, "read status", __LINE__, std::to_string(static_cast<int>(status)));
  return content;
}

const Text kUnicode = u"Gr\u00FC\u00DFe \u2013 na\u00EFve caf\u00E9 \u20AC \u4E2D\u6587 "
                      u"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC \U0001F600 \u03A9 = 1 k\u03A9";

void checkClipboard() {
  Win32Clipboard clipboard;
  HWND owner = hiddenWindow(DefWindowProcW, L"ClipOwner");
  clipboard.setOwner(owner);

  // Every character survives our own write, and older programs get the code page's text.
  CHECK(clipboard.writeText(kUnicode + u"\r\nline two") == ClipStatus::Ok);
  auto content = readClip(clipboard);
  CHECK(content.hasText && content.whole && !content.secret);
  CHECK_TEXT(kUnicode + u"\r\nline two", content.text);
  CHECK(content.print == vornix::TextPrint::of(kUnicode + u"\r\nline two"));
  CHECK(rawFormat(CF_UNICODETEXT).substr(0, (kUnicode.size() + 1) * 2) == bytesOf(kUnicode + u"\r", false));
  if (GetACP() == 1252) {
    CHECK(rawFormat(CF_TEXT).substr(0, 5) == "Gr\xFC\xDF" "e");
    CHECK(rawFormat(CF_LOCALE).size() >= sizeof(LCID));
  }

  // Another Unicode program's text, and an older program's 8-bit text.
  setRawClipboard(owner, {{CF_UNICODETEXT, bytesOf(kUnicode)}});
  CHECK_TEXT(kUnicode, readClip(clipboard).text);
  if (GetACP() == 1252) {
    setRawClipboard(owner, {{CF_TEXT, std::string("Gr\xFC\xDF" "e \x80", 8)}});
    CHECK_TEXT(Text(u"Gr\u00FC\u00DFe \u20AC"), readClip(clipboard).text);
  }

  CHECK(clipboard.empty() == ClipStatus::Ok);
  content = readClip(clipboard);
  CHECK(!content.hasText && content.text.empty());

  // A text over the asked length: known by its length and hash, only its ends are read.
  Text big(3 * 1024 * 1024, u'x');
  big[12345] = u'\u00E4';
  big.back() = u'z';
  CHECK(clipboard.writeText(big) == ClipStatus::Ok);
  CHECK(readClip(clipboard).text == big);
  content = readClip(clipboard, 1024);
  CHECK(content.hasText && !content.whole && content.print == vornix::TextPrint::of(big));
  CHECK(content.text == Text(64, u'x') + Text(63, u'x') + u"z" && content.headLength == 64);

  // Blocks that are empty or lack their terminating zero: no text, nothing read past the end.
  // (Wine terminates an unterminated block itself, at the cost of its last character.)
  setRawClipboard(owner, {{CF_UNICODETEXT, ""}});
  content = readClip(clipboard);
  CHECK(!content.hasText);
  setRawClipboard(owner, {{CF_UNICODETEXT, bytesOf(u"abc", false)}});
  content = readClip(clipboard);
  check(content.text == u"abc" || content.text == u"ab", "unterminated block", __LINE__, narrow(content.text));

  // A clipboard held open elsewhere is reported busy after a few brief retries.
  clipboard.writeText(u"before");
  Holder holder;
  holder.ms = 700;
  HANDLE thread = CreateThread(nullptr, 0, holdClipboard, &holder, 0, nullptr);
  WaitForSingleObject(holder.opened, 5000);
  DWORD start = GetTickCount();
  content = readClip(clipboard, SIZE_MAX, ClipStatus::Busy);
  CHECK(content.text.empty());
  DWORD waited = GetTickCount() - start;
  check(waited >= 40 && waited < 500, "retries briefly before giving up", __LINE__, std::to_string(waited) + " ms");
  CHECK(clipboard.writeText(u"during") == ClipStatus::Busy);
  CHECK(!clipboard.errorText().empty());
  CHECK(clipboard.empty() == ClipStatus::Busy);
  WaitForSingleObject(thread, 5000);
  CloseHandle(thread);
  CHECK_TEXT(Text(u"before"), readClip(clipboard).text);
  DestroyWindow(owner);
}

struct Seen {
  int draws = 0;
  UINT lastMessage = 0;
  WPARAM lastW = 0;
  LPARAM lastL = 0;
} g_seen;

LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWCLIPBOARD) ++g_seen.draws;
  if (message >= WM_USER) {
    g_seen.lastMessage = message;
    g_seen.lastW = wParam;
    g_seen.lastL = lParam;
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

void checkViewerChain() {
  Win32Clipboard clipboard;
  Win32ViewerChain chain;
  HWND self = hiddenWindow(recordingProc, L"ChainSelf");
  clipboard.setOwner(self);
  const auto handle = reinterpret_cast<vornix::platform::WindowHandle>(self);

  g_seen = Seen();
  vornix::platform::WindowHandle next = chain.join(handle);
  pump();
  CHECK(g_seen.draws == 1);
  clipboard.writeText(u"seen by the viewer");
  pump();
  CHECK(g_seen.draws == 2);
  chain.leave(handle, next);
  clipboard.writeText(u"not seen any more");
  pump();
  CHECK(g_seen.draws == 2);

  // 64-bit handles and negative values pass through unchanged.
  chain.send(handle, WM_USER + 7, static_cast<std::uintptr_t>(0x123456789ULL), -5);
  CHECK(g_seen.lastMessage == WM_USER + 7);
  CHECK(g_seen.lastW == static_cast<WPARAM>(0x123456789ULL) || sizeof(WPARAM) == 4);
  CHECK(g_seen.lastL == -5);
  chain.send(0, WM_USER + 8, 0, 0);  // no next viewer: nothing to do, no crash
  CHECK(g_seen.lastMessage == WM_USER + 7);
  DestroyWindow(self);
}

const wchar_t kKey[] = L"Software\\Vornix\\Settings";

void setRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
  HKEY key;
  RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void checkRegistry() {
  RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
  RegistrySettingsStore store;
  CHECK(!store.read(u"Missing"));
  CHECK(!store.remove(u"Missing"));

  const Text multiLine = kUmlauts + u"\r\nsecond line\r\n";
  CHECK(store.write(u"Text", multiLine));
  CHECK(store.read(u"Text") == multiLine);
  CHECK(store.write(u"Empty", u""));
  CHECK(store.read(u"Empty") == Text());
  Text longest(16383, u'\u00E4');
  CHECK(store.write(u"Longest", longest));
  CHECK(store.read(u"Longest") == longest);
  CHECK(store.remove(u"Text"));
  CHECK(!store.read(u"Text"));
  CHECK(!store.remove(u"Text"));

  DWORD number = 4294967295u;
  setRaw(L"Dword", REG_DWORD, &number, sizeof number);
  CHECK(store.read(u"Dword") == Text(u"4294967295"));
  setRaw(L"ShortDword", REG_DWORD, &number, 2);
  CHECK(!store.read(u"ShortDword"));
  const BYTE binary[] = {1, 2, 3};
  setRaw(L"Binary", REG_BINARY, binary, sizeof binary);
  CHECK(!store.read(u"Binary"));
  setRaw(L"Expand", REG_EXPAND_SZ, L"%PATH%", 14);
  CHECK(!store.read(u"Expand"));
  // No terminator, and an odd byte count: whole characters only.
  setRaw(L"Unterminated", REG_SZ, L"abcd", 7);
  CHECK(store.read(u"Unterminated") == Text(u"abc"));
  setRaw(L"EmbeddedZero", REG_SZ, L"ab\0cd", 12);
  CHECK(store.read(u"EmbeddedZero") == Text(u"ab"));
  std::wstring huge(2 * 1024 * 1024, L'z');
  setRaw(L"Huge", REG_SZ, huge.c_str(), static_cast<DWORD>((huge.size() + 1) * 2));
  auto hugeRead = store.read(u"Huge");
  CHECK(hugeRead && hugeRead->size() == huge.size());
  RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
}

std::string readAll(const Text& path) {
  std::string bytes;
  Win32FileSystem().readBytes(path, bytes);
  return bytes;
}

int countTempFiles(const Text& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(w(folder + u"\\*.tmp"), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileW(search, &found));
  FindClose(search);
  return count;
}

bool endsWithLineBreak(const Text& text) {
  return !text.empty() && (text.back() == u'\n' || text.back() == u'\r' || text.back() == u' ');
}

void checkFiles(const Text& work) {
  Win32FileSystem files;
  const Text file = work + u"\\bigfile1.txt";
  const std::string binary("a\0b\r\n\xE4\xFF", 7);

  CHECK_TEXT(work, files.programFolder());
  CHECK(!files.fileExists(file));
  CHECK(!files.fileExists(work));

  CHECK(files.replaceFile(file, binary).ok);
  CHECK(files.fileExists(file));
  CHECK(readAll(file) == binary);
  CHECK(files.replaceFile(file, "new").ok);
  CHECK(readAll(file) == "new");
  CHECK(files.replaceFile(file, "").ok);
  CHECK(readAll(file).empty());
  std::string large(5 * 1024 * 1024 + 3, 'q');
  CHECK(files.replaceFile(file, large).ok);
  CHECK(readAll(file) == large);
  CHECK(files.appendBytes(file, "tail").ok);
  CHECK(readAll(file) == large + "tail");
  CHECK(files.appendBytes(work + u"\\fresh.txt", "one").ok);
  CHECK(readAll(work + u"\\fresh.txt") == "one");
  CHECK(countTempFiles(work) == 0);

  // A failed replace leaves the old file and no temporary file behind.
  CHECK(files.replaceFile(file, "old").ok);
  HANDLE locked = CreateFileW(w(file), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  vornix::platform::IoResult r = files.replaceFile(file, "lost");
  CloseHandle(locked);
  CHECK(!r.ok && !r.message.empty());
  CHECK(readAll(file) == "old");
  CHECK(countTempFiles(work) == 0);
  CreateDirectoryW(w(work + u"\\folder"), nullptr);
  r = files.replaceFile(work + u"\\folder", "x");
  CHECK(!r.ok);
  CHECK(countTempFiles(work) == 0);

  r = files.replaceFile(work + u"\\no such folder\\x.txt", "x");
  CHECK(!r.ok && !r.message.empty());
  std::string bytes = "stale";
  r = files.readBytes(work + u"\\missing.txt", bytes);
  CHECK(!r.ok && bytes.empty());
  check(!r.message.empty() && !endsWithLineBreak(r.message), "message without line break", __LINE__,
        narrow(r.message));

  CHECK(files.deleteFile(file).ok);
  CHECK(!files.fileExists(file));
  r = files.deleteFile(file);
  CHECK(!r.ok && !r.message.empty());

  // Paths far beyond MAX_PATH, and the per-user folder.
  Text deep = work;
  for (int i = 0; i < 4; ++i) CHECK(files.makeFolder(deep += u"\\" + Text(90, static_cast<char16_t>(u'k' + i))));
  CHECK(files.makeFolder(deep));
  const Text longFile = deep + u"\\bigfile0.txt";
  CHECK(longFile.size() > 400);
  CHECK(files.replaceFile(longFile, binary).ok && files.fileExists(longFile) && readAll(longFile) == binary);
  CHECK(countTempFiles(deep) == 0);
  CHECK(files.deleteFile(longFile).ok && !files.fileExists(longFile));
  CHECK(!files.appDataFolder().empty() && files.makeFolder(files.appDataFolder()));
}

void checkClockAndLocale() {
  Win32Clock clock;
  Win32Locale locale;
  double now = clock.now();
  SYSTEMTIME local;
  GetLocalTime(&local);
  double expected = 0;
  SystemTimeToVariantTime(&local, &expected);
  CHECK(std::fabs(now - expected) < 5.0 / 86400);
  double seconds = (now - std::floor(now)) * 86400;
  check(std::fabs(seconds - std::round(seconds)) < 1e-3, "whole seconds", __LINE__, std::to_string(seconds));

  CHECK(locale.systemLanguage() != 0);
  for (double date : {45000.5, 36526.0, 45000.0 + (13 * 3600 + 14 * 60 + 15) / 86400.0, 2.25}) {
    Text text = locale.dateText(date);
    double back = -1;
    check(locale.parseDate(text, back) && std::fabs(back - date) < 1e-6, "date text reads back", __LINE__,
          narrow(text));
  }
  double unchanged = 7;
  CHECK(!locale.parseDate(u"not a date", unchanged) && unchanged == 7);
  CHECK(!locale.parseDate(u"", unchanged));
}

void checkShell(const Text& work) {
  CHECK(Win32Shell().open(work + u"\\no such file.vornix") <= 32);
}

int runAll(const Text& work) {
  checkCodePage();
  checkClipboard();
  checkViewerChain();
  checkRegistry();
  checkFiles(work);
  checkClockAndLocale();
  checkShell(work);
  std::printf("%d passed, %d failed\n", g_checks - g_failures, g_failures);
  return g_failures == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"all" && argc == 3) return runAll(Text(reinterpret_cast<const char16_t*>(argv[2])));
  if (command == L"instance" && argc == 3) {
    std::printf("%d\n", vornix::vornixAnotherInstanceRunning() ? 1 : 0);
    std::fflush(stdout);
    Sleep(wcstoul(argv[2], nullptr, 10));
    return 0;
  }
  std::fprintf(stderr, "usage: win32_platform_test all <work folder> | instance <ms>\n");
  return 2;
}
