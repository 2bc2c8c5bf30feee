// The settings store in the registry. Values are read defensively: another
// program or a damaged hive may leave any type and any size under our names.
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace vornix::win32 {

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Vornix\\Settings";
// A value that keeps growing between the size query and the read is given up on.
constexpr int kReadTries = 4;

class Key {
 public:
  ~Key() {
    if (handle) RegCloseKey(handle);
  }
  HKEY handle = nullptr;
};

std::u16string decimal(DWORD value) {
  std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::optional<std::u16string> interpret(DWORD type, const std::vector<BYTE>& data, DWORD size) {
  if (type == REG_DWORD) {
    if (size != sizeof(DWORD)) return std::nullopt;
    DWORD value = 0;
    std::memcpy(&value, data.data(), sizeof value);
    return decimal(value);
  }
  if (type != REG_SZ) return std::nullopt;
  // The stored text may lack its terminator or have an odd length: take whole characters up to a zero.
  const wchar_t* chars = reinterpret_cast<const wchar_t*>(data.data());
  size_t count = size / sizeof(wchar_t);
  size_t length = 0;
  while (length < count && chars[length] != L'\0') ++length;
  return fromWide(chars, length);
}

}  // namespace

std::optional<std::u16string> RegistrySettingsStore::read(const std::u16string& name) {
  try {
    Key key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key.handle) != ERROR_SUCCESS)
      return std::nullopt;
    for (int attempt = 0; attempt < kReadTries; ++attempt) {
      DWORD type = 0;
      DWORD size = 0;
      if (RegQueryValueExW(key.handle, wide(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
      // Room for one more character, so that a text without terminator still ends.
      std::vector<BYTE> data(static_cast<size_t>(size) + sizeof(wchar_t), 0);
      DWORD got = size;
      LONG result = RegQueryValueExW(key.handle, wide(name), nullptr, &type, data.data(), &got);
      if (result == ERROR_MORE_DATA) continue;
      if (result != ERROR_SUCCESS) return std::nullopt;
      return interpret(type, data, got);
    }
    return std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

bool RegistrySettingsStore::write(const std::u16string& name, const std::u16string& value) {
  const size_t bytes = (value.size() + 1) * sizeof(wchar_t);
  if (bytes > MAXDWORD) return false;
  Key key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                      &key.handle, nullptr) != ERROR_SUCCESS)
    return false;
  return RegSetValueExW(key.handle, wide(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

bool RegistrySettingsStore::remove(const std::u16string& name) {
  Key key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &key.handle) != ERROR_SUCCESS) return false;
  return RegDeleteValueW(key.handle, wide(name)) == ERROR_SUCCESS;
}

}  // namespace vornix::win32
