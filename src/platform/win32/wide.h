// Conversions between the core's UTF-16 strings and the wide Win32 API, for the
// platform and the windows alike, and the system's text for an error code.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

namespace vornix {

using Text = std::u16string;

// wchar_t is 16 bits on Windows, so the core's strings are the API's strings.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16");

inline const wchar_t* wide(const Text& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline wchar_t* wideBuffer(Text& s) { return reinterpret_cast<wchar_t*>(&s[0]); }

inline Text fromWide(const wchar_t* s, size_t length) { return Text(reinterpret_cast<const char16_t*>(s), length); }
inline Text fromWide(const wchar_t* s) { return s ? fromWide(s, wcslen(s)) : Text(); }

// Copies `s` into a caller's buffer of `capacity` characters, cut to fit, always terminated.
inline void copyToBuffer(const Text& s, wchar_t* buffer, int capacity) {
  if (!buffer || capacity <= 0) return;
  const size_t n = s.size() < static_cast<size_t>(capacity - 1) ? s.size() : static_cast<size_t>(capacity - 1);
  if (n) memcpy(buffer, s.data(), n * sizeof(wchar_t));
  buffer[n] = L'\0';
}

namespace win32 {

// FormatMessage's text for `code` without its trailing line break, or "Error <code>".
Text systemMessage(DWORD code);

}  // namespace win32
}  // namespace vornix
