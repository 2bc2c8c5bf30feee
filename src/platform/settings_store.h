// The per-user settings store: flat named text values of one application section.
// Implemented by platform/win32 (HKEY_CURRENT_USER\Software\Vornix\Settings) and
// platform/fake (an in-memory map).
#pragma once

#include <optional>
#include <string>

namespace vornix::platform {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or nothing when the value does not exist.
  virtual std::optional<std::u16string> read(const std::u16string& name) = 0;
  virtual bool write(const std::u16string& name, const std::u16string& value) = 0;
  // False when the value did not exist or could not be removed.
  virtual bool remove(const std::u16string& name) = 0;
};

}  // namespace vornix::platform
