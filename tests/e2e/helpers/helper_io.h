// Shared bits of the test helpers: raw output (scripts compare bytes, so
// nothing may pass through a console code page), UTF-8 conversion, files, the
// time, finding windows and reading their texts, and keystrokes.
#pragma once

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace helper {

inline void writeTo(DWORD which, const std::string& bytes) {
  HANDLE handle = GetStdHandle(which);
  DWORD written = 0;
  size_t done = 0;
  while (done < bytes.size() &&
         WriteFile(handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr) &&
         written > 0)
    done += written;
}

// While set, output goes here instead (a command run again and again until its output fits).
inline std::string* g_capture = nullptr;

inline void out(const std::string& bytes) {
  if (g_capture)
    *g_capture += bytes;
  else
    writeTo(STD_OUTPUT_HANDLE, bytes);
}
inline void line(const std::string& text) { out(text + "\r\n"); }

inline int fail(const std::string& message) {
  if (!g_capture) writeTo(STD_ERROR_HANDLE, message + "\r\n");
  return 2;
}

inline std::string utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size : 0, '\0');
  if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
  return bytes;
}

// One field of a tab-separated line: tabs, line breaks and backslashes become \t, \r, \n, \\.
inline std::string field(const std::wstring& text) {
  std::wstring escaped;
  for (wchar_t c : text) {
    switch (c) {
      case L'\\': escaped += L"\\\\"; break;
      case L'\t': escaped += L"\\t"; break;
      case L'\r': escaped += L"\\r"; break;
      case L'\n': escaped += L"\\n"; break;
      default: escaped += c;
    }
  }
  return utf8(escaped);
}

inline bool readFile(const wchar_t* path, std::string& bytes) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char buffer[65536];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != 0) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return ok;
}

// The text of a UTF-8 file named on the command line.
inline bool readText(const wchar_t* path, std::wstring& text) {
  std::string bytes;
  if (!readFile(path, bytes)) return false;
  const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  text.assign(size > 0 ? size : 0, L'\0');
  if (size > 0) MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], size);
  return true;
}

// Written under another name and then renamed, so that a script never reads half a file.
inline void writeFileAtomic(const std::wstring& path, const std::string& bytes) {
  const std::wstring temp = path + L".tmp";
  HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

inline bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Milliseconds since 1970, comparable between processes and with the shell's clock.
inline long long nowMs() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  const unsigned long long t = (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return static_cast<long long>(t / 10000ULL - 11644473600000ULL);
}

// A time limit in milliseconds, stretched by WINE_SLOWNESS: under the emulated
// 32-bit Wine every program answers several times later.
inline DWORD limitMs(DWORD ms) {
  wchar_t value[16] = L"";
  const DWORD length = GetEnvironmentVariableW(L"WINE_SLOWNESS", value, 16);
  const int factor = length > 0 && length < 16 ? _wtoi(value) : 1;
  return factor > 1 ? ms * static_cast<DWORD>(factor) : ms;
}

inline std::wstring className(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

// WM_GETTEXT is marshalled between processes, unlike GetWindowText for child controls.
inline std::wstring textOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, limitMs(5000), &length)) return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                           limitMs(5000), &copied))
    return L"";
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

// A plain function rather than a lambda: 32-bit callbacks must be stdcall.
inline BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// Top-level windows in Z order, the front one first; with a parent, its descendants of a class.
inline std::vector<HWND> windows(HWND parent = nullptr, const wchar_t* cls = nullptr) {
  std::vector<HWND> all, found;
  if (parent)
    EnumChildWindows(parent, collectWindow, reinterpret_cast<LPARAM>(&all));
  else
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all)
    if (!cls || lstrcmpiW(className(window).c_str(), cls) == 0) found.push_back(window);
  return found;
}

// A hidden window of the helper's own: a clipboard owner, a viewer, a keeper.
inline HWND createWindow(WNDPROC procedure, const wchar_t* cls = L"TestHelperWindow") {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = cls;
  RegisterClassW(&wc);
  return CreateWindowExW(0, cls, cls, 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
}

inline WORD virtualKey(const std::wstring& name) {
  struct Named {
    const wchar_t* name;
    WORD key;
  };
  static const Named kNames[] = {
      {L"ctrl", VK_CONTROL},  {L"alt", VK_MENU},       {L"shift", VK_SHIFT},   {L"win", VK_LWIN},
      {L"enter", VK_RETURN},  {L"esc", VK_ESCAPE},     {L"escape", VK_ESCAPE}, {L"tab", VK_TAB},
      {L"space", VK_SPACE},   {L"delete", VK_DELETE},  {L"insert", VK_INSERT}, {L"home", VK_HOME},
      {L"end", VK_END},       {L"up", VK_UP},          {L"down", VK_DOWN},     {L"left", VK_LEFT},
      {L"right", VK_RIGHT},   {L"apps", VK_APPS},      {L"backspace", VK_BACK},
  };
  for (const Named& n : kNames)
    if (lstrcmpiW(name.c_str(), n.name) == 0) return n.key;
  if ((name[0] == L'f' || name[0] == L'F') && name.size() > 1 && name.size() <= 3) {
    int number = _wtoi(name.c_str() + 1);
    if (number >= 1 && number <= 24) return static_cast<WORD>(VK_F1 + number - 1);
  }
  if (name.size() == 1) {
    wchar_t c = name[0];
    if (c >= L'a' && c <= L'z') return static_cast<WORD>(c - L'a' + 'A');
    if ((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) return static_cast<WORD>(c);
    SHORT scan = VkKeyScanW(c);
    if (scan != -1) return LOBYTE(scan);
  }
  return 0;
}

inline INPUT keyInput(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Space-separated strokes such as "ctrl+alt+c down enter", sent at once through SendInput.
inline int sendKeys(const std::wstring& strokes) {
  std::vector<INPUT> inputs;
  size_t start = 0;
  while (start < strokes.size()) {
    size_t end = strokes.find(L' ', start);
    if (end == std::wstring::npos) end = strokes.size();
    std::wstring stroke = strokes.substr(start, end - start);
    start = end + 1;
    if (stroke.empty()) continue;
    std::vector<WORD> held;
    for (size_t from = 0;;) {
      // A lone "+" is the plus key, not a separator.
      size_t plus = stroke.find(L'+', from + 1);
      std::wstring name = stroke.substr(from, plus == std::wstring::npos ? std::wstring::npos : plus - from);
      WORD key = virtualKey(name);
      if (!key) return fail("unknown key " + utf8(name));
      held.push_back(key);
      if (plus == std::wstring::npos) break;
      from = plus + 1;
    }
    for (WORD key : held) inputs.push_back(keyInput(key, false));
    for (auto it = held.rbegin(); it != held.rend(); ++it) inputs.push_back(keyInput(*it, true));
  }
  if (inputs.empty()) return fail("no keys");
  // Wine refuses input for a moment while the window in front changes (a menu
  // closing, a window activated): nothing was sent then, so it can be sent again.
  UINT sent = 0;
  for (int attempt = 0; attempt < 20 && sent == 0; ++attempt) {
    if (attempt > 0) Sleep(50);
    sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  }
  return sent == inputs.size() ? 0 : fail("SendInput failed: " + std::to_string(GetLastError()));
}

}  // namespace helper
