// Shared bits of the test helpers: raw output (scripts compare bytes, so nothing
// may pass through a console code page), UTF-8 conversion and file reading.
#pragma once

#include <windows.h>

#include <string>

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

inline void out(const std::string& bytes) { writeTo(STD_OUTPUT_HANDLE, bytes); }
inline void line(const std::string& text) { out(text + "\r\n"); }

inline std::string toCodePage(const std::wstring& text, UINT codePage) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size : 0, '\0');
  if (size > 0)
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
  return bytes;
}

inline std::wstring fromCodePage(const std::string& bytes, UINT codePage) {
  if (bytes.empty()) return std::wstring();
  int size = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(size > 0 ? size : 0, L'\0');
  if (size > 0) MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], size);
  return text;
}

inline std::string utf8(const std::wstring& text) { return toCodePage(text, CP_UTF8); }

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

inline int fail(const std::string& message) {
  writeTo(STD_ERROR_HANDLE, message + "\r\n");
  return 2;
}

}  // namespace helper
