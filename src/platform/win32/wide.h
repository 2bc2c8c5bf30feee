// Conversions between the core's UTF-16 strings and the wide Win32 API, and the
// system's text for an error code. Internal to platform/win32.
#pragma once

#include <windows.h>

#include <string>

namespace vornix::win32 {

// wchar_t is 16 bits on Windows, so the core's strings are the API's strings.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16");

inline const wchar_t* wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

inline std::u16string fromWide(const wchar_t* s, size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(s), length);
}

inline std::u16string fromWide(const wchar_t* s) { return s ? fromWide(s, wcslen(s)) : std::u16string(); }

// FormatMessage's text for `code` without its trailing line break, or "Error <code>".
std::u16string systemMessage(DWORD code);

}  // namespace vornix::win32
