// Checks of the real Win32 platform (src/platform/win32) against the system it
// wraps, where the program's own Wine tests cannot reach: damaged or unusual input
// and failures. Run under Wine by test_win32_platform.sh; GoogleTest is not used:
// it needs std::mutex, which the toolchain of the shipped program lacks.
//   win32_platform_test <work folder>    exit code 0 when every check passes
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/win32/win32_platform.h"  // windows.h first
#include "helper_io.h"

#include <oleauto.h>

using namespace vornix::win32;
using ClipStatus = vornix::platform::ClipStatus;
using Text = std::u16string;

namespace {

int g_checks = 0;
int g_failures = 0;

std::string narrow(const Text& text) { return helper::utf8(std::wstring(text.begin(), text.end())); }

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

// Holds the clipboard open from another thread for 700 ms, as another program would.
DWORD WINAPI holdClipboard(void* opened) {
  HWND window = helper::createWindow(DefWindowProcW, L"HolderWindow");
  if (OpenClipboard(window)) {
    SetEvent(static_cast<HANDLE>(opened));
    Sleep(700);
    CloseClipboard();
  }
  DestroyWindow(window);
  return 0;
}

// Puts raw bytes on the clipboard, as another program would.
void setRawClipboard(HWND owner, UINT format, const std::string& bytes) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
  if (!bytes.empty()) memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  SetClipboardData(format, block);
  CloseClipboard();
}

std::string bytesOf(const Text& text, bool terminated = true) {
  return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + (terminated ? 1 : 0)) * 2);
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
  HWND owner = helper::createWindow(DefWindowProcW, L"ClipOwner");
  clipboard.setOwner(owner);

  // Texts in and out through the program: the Wine tests. Here, an older program's code page text.
  if (GetACP() == 1252) {
    setRawClipboard(owner, CF_TEXT, std::string("Gr\xFC\xDF" "e \x80", 8));
    CHECK_TEXT(Text(u"Gr\u00FC\u00DFe \u20AC"), readClip(clipboard).text);
  } else {
    std::printf("note: ANSI code page %u, the 1252 checks are skipped\n", GetACP());
  }

  CHECK(clipboard.empty() == ClipStatus::Ok);
  auto content = readClip(clipboard);
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
  setRawClipboard(owner, CF_UNICODETEXT, "");
  CHECK(!readClip(clipboard).hasText);
  setRawClipboard(owner, CF_UNICODETEXT, bytesOf(u"abc", false));
  content = readClip(clipboard);
  check(content.text == u"abc" || content.text == u"ab", "unterminated block", __LINE__, narrow(content.text));

  // A clipboard held open elsewhere is reported busy after a few brief retries.
  clipboard.writeText(u"before");
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, holdClipboard, opened, 0, nullptr);
  WaitForSingleObject(opened, 5000);
  DWORD start = GetTickCount();
  content = readClip(clipboard, SIZE_MAX, ClipStatus::Busy);
  DWORD waited = GetTickCount() - start;
  CHECK(content.text.empty());
  check(waited >= 40 && waited < 500, "retries briefly before giving up", __LINE__, std::to_string(waited) + " ms");
  CHECK(clipboard.writeText(u"during") == ClipStatus::Busy && !clipboard.errorText().empty());
  CHECK(clipboard.empty() == ClipStatus::Busy);
  WaitForSingleObject(thread, 5000);
  CloseHandle(thread);
  CHECK_TEXT(Text(u"before"), readClip(clipboard).text);
  DestroyWindow(owner);
}

struct Seen {
  UINT message = 0;
  WPARAM w = 0;
  LPARAM l = 0;
} g_seen;

LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message < WM_USER) return DefWindowProcW(hwnd, message, wParam, lParam);
  g_seen = {message, wParam, lParam};
  return 0;
}

// Joining and leaving the chain is seen through the program by the other viewers of the
// end-to-end tests; here, what send passes on.
void checkViewerChain() {
  Win32ViewerChain chain;
  HWND self = helper::createWindow(recordingProc, L"ChainSelf");
  const auto handle = reinterpret_cast<vornix::platform::WindowHandle>(self);
  // 64-bit handles and negative values pass through unchanged.
  chain.send(handle, WM_USER + 7, static_cast<std::uintptr_t>(0x123456789ULL), -5);
  CHECK(g_seen.message == WM_USER + 7 && g_seen.l == -5);
  CHECK(g_seen.w == static_cast<WPARAM>(0x123456789ULL) || sizeof(WPARAM) == 4);
  chain.send(0, WM_USER + 8, 0, 0);  // no next viewer: nothing to do, no crash
  CHECK(g_seen.message == WM_USER + 7);
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
  CHECK(!store.read(u"Missing") && !store.remove(u"Missing"));
  for (const Text& value : {kUnicode + u"\r\nsecond line\r\n", Text(), Text(16383, u'\u00E4')}) {
    CHECK(store.write(u"Text", value) && store.read(u"Text") == value);
  }
  CHECK(store.remove(u"Text") && !store.read(u"Text") && !store.remove(u"Text"));

  // Values written by hand or by something else: what cannot be a text reads as missing;
  // no terminator, an odd byte count or an embedded zero give whole characters only.
  const DWORD number = 4294967295u;
  const BYTE binary[] = {1, 2, 3};
  const struct {
    DWORD type;
    const void* data;
    DWORD size;
    const char16_t* expected;
  } raws[] = {
      {REG_DWORD, &number, sizeof number, u"4294967295"},
      {REG_DWORD, &number, 2, nullptr},
      {REG_BINARY, binary, sizeof binary, nullptr},
      {REG_EXPAND_SZ, L"%PATH%", 14, nullptr},
      {REG_SZ, L"abcd", 7, u"abc"},
      {REG_SZ, L"ab\0cd", 12, u"ab"},
  };
  for (const auto& raw : raws) {
    setRaw(L"Raw", raw.type, raw.data, raw.size);
    auto read = store.read(u"Raw");
    check(raw.expected ? read == Text(raw.expected) : !read, "damaged value", __LINE__, read ? narrow(*read) : "none");
  }
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

bool hasTempFiles(const Text& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(w(folder + u"\\*.tmp"), &found);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return search != INVALID_HANDLE_VALUE;
}

void checkFiles(const Text& work) {
  Win32FileSystem files;
  const Text file = work + u"\\bigfile1.txt";
  const std::string binary("a\0b\r\n\xE4\xFF", 7);

  const std::string large(5 * 1024 * 1024 + 3, 'q');
  CHECK(!files.fileExists(file) && !files.fileExists(work));
  for (const std::string& bytes : {binary, std::string("new"), std::string(), large}) {
    CHECK(files.replaceFile(file, bytes).ok && files.fileExists(file) && readAll(file) == bytes);
  }
  CHECK(files.appendBytes(file, "tail").ok && readAll(file) == large + "tail");
  CHECK(files.appendBytes(work + u"\\fresh.txt", "one").ok && readAll(work + u"\\fresh.txt") == "one");

  // A replace that fails (file locked, a folder in the way, no such folder) reports it,
  // leaves the old file and no temporary file behind.
  CHECK(files.replaceFile(file, "old").ok);
  HANDLE locked = CreateFileW(w(file), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  CreateDirectoryW(w(work + u"\\folder"), nullptr);
  for (const Text& target : {file, work + u"\\folder", work + u"\\no such folder\\x.txt"}) {
    vornix::platform::IoResult r = files.replaceFile(target, "lost");
    check(!r.ok && !r.message.empty(), "replace fails", __LINE__, narrow(target));
  }
  CloseHandle(locked);
  CHECK(readAll(file) == "old" && !hasTempFiles(work));

  std::string bytes = "stale";
  vornix::platform::IoResult r = files.readBytes(work + u"\\missing.txt", bytes);
  CHECK(!r.ok && bytes.empty());
  check(!r.message.empty() && Text(u"\r\n ").find(r.message.back()) == Text::npos, "message without line break",
        __LINE__, narrow(r.message));
  CHECK(files.deleteFile(file).ok && !files.fileExists(file));
  r = files.deleteFile(file);
  CHECK(!r.ok && !r.message.empty());

  // Paths far beyond MAX_PATH, and the per-user folder (which exists already).
  Text deep = work;
  for (int i = 0; i < 4; ++i) CHECK(files.makeFolder(deep += u"\\" + Text(90, static_cast<char16_t>(u'k' + i))));
  const Text longFile = deep + u"\\bigfile0.txt";
  CHECK(longFile.size() > 400);
  CHECK(files.replaceFile(longFile, binary).ok && files.fileExists(longFile) && readAll(longFile) == binary);
  CHECK(!hasTempFiles(deep));
  CHECK(files.deleteFile(longFile).ok && !files.fileExists(longFile));
  CHECK(!files.appDataFolder().empty() && files.makeFolder(files.appDataFolder()));
}

void checkClockAndLocale() {
  // Local time, in whole seconds.
  double now = Win32Clock().now(), expected = 0, seconds = (now - std::floor(now)) * 86400;
  SYSTEMTIME local;
  GetLocalTime(&local);
  SystemTimeToVariantTime(&local, &expected);
  CHECK(std::fabs(now - expected) < 5.0 / 86400);
  check(std::fabs(seconds - std::round(seconds)) < 1e-3, "whole seconds", __LINE__, std::to_string(seconds));

  Win32Locale locale;
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

int runAll(const Text& work) {
  checkClipboard();
  checkViewerChain();
  checkRegistry();
  checkFiles(work);
  checkClockAndLocale();
  CHECK(Win32Shell().open(work + u"\\no such file.vornix") <= 32);  // a missing target is an error
  std::printf("%d passed, %d failed\n", g_checks - g_failures, g_failures);
  return g_failures == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2) return runAll(Text(reinterpret_cast<const char16_t*>(argv[1])));
  std::fprintf(stderr, "usage: win32_platform_test <work folder>\n");
  return 2;
}
