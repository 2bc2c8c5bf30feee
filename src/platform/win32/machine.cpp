#include "platform/win32/machine.h"

#include <windows.h>  // before shellapi.h, which needs its types
#include <shellapi.h>

#include <cstring>
#include <vector>

#include "base/ustr.h"
#include "platform/win32/wide.h"

namespace vornix::win32 {

platform::SystemVersion Win32Machine::version() {
  platform::SystemVersion result;
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExW(&info)) return result;
  result.platformId = static_cast<long>(info.dwPlatformId);
  result.major = static_cast<long>(info.dwMajorVersion);
  result.minor = static_cast<long>(info.dwMinorVersion);
  // The 9x family keeps the version in the build number's high word.
  result.build = static_cast<long>(info.dwPlatformId == VER_PLATFORM_WIN32_NT ? info.dwBuildNumber
                                                                              : LOWORD(info.dwBuildNumber));
  return result;
}

platform::WorkArea Win32Machine::workArea() {
  RECT r = {};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) {
    r.right = GetSystemMetrics(SM_CXSCREEN);
    r.bottom = GetSystemMetrics(SM_CYSCREEN);
  }
  platform::WorkArea area;
  area.left = r.left;
  area.top = r.top;
  area.width = r.right - r.left;
  area.height = r.bottom - r.top;
  return area;
}

bool Win32Machine::readMachineValue(const std::u16string& key, const std::u16string& name, std::u16string& value) {
  value.clear();
  // Reading is all that is needed; full access to this part of the registry is
  // refused to ordinary users from Vista on.
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide(key), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return false;
  DWORD type = 0, size = 0;
  LONG status = RegQueryValueExW(handle, wide(name), nullptr, &type, nullptr, &size);
  std::vector<BYTE> data(size + sizeof(wchar_t));
  if (status == ERROR_SUCCESS) status = RegQueryValueExW(handle, wide(name), nullptr, &type, data.data(), &size);
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS) return false;

  if (type == REG_DWORD && size >= sizeof(DWORD)) {
    DWORD number = 0;
    memcpy(&number, data.data(), sizeof(number));
    value = ustr::fromInt(static_cast<long long>(number));
    return true;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  if (type == REG_EXPAND_SZ) {
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    std::wstring expanded(needed, L'\0');
    if (needed && ExpandEnvironmentStringsW(text.c_str(), &expanded[0], needed) == needed) {
      expanded.resize(needed - 1);
      text = expanded;
    }
  }
  value = fromWide(text.c_str(), text.size());
  return true;
}

bool Win32Machine::startProgram(const std::u16string& path) {
  HINSTANCE result = ShellExecuteW(nullptr, L"open", wide(path), nullptr, nullptr, SW_SHOWNORMAL);
  // A result code, above 32 on success.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace vornix::win32
