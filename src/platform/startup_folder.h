// The user's start-up folder of the shell and the shortcut files in it.
// Implemented by platform/win32 (shell folders and shell links) and by a fake in the tests.
#pragma once

#include <optional>
#include <string>

namespace vornix::platform {

// What a shortcut starts, as the shell's shortcut object holds it.
struct ShortcutProperties {
  std::u16string target;
  std::u16string iconLocation;  // path and icon index, "path,0"
  std::u16string arguments;
  std::u16string description;
  int windowStyle = 1;  // show command of the started program
  std::u16string workingDirectory;
};

class StartupFolder {
 public:
  virtual ~StartupFolder() = default;
  // The folder whose shortcuts the shell starts at logon; nothing when it has none.
  virtual std::optional<std::u16string> path() = 0;
  // Base name of the running executable, without folder and extension.
  virtual std::u16string executableName() = 0;
  // Writes a new shortcut file at `path`; false when it could not be saved.
  virtual bool createShortcut(const std::u16string& path, const ShortcutProperties& properties) = 0;
};

}  // namespace vornix::platform
