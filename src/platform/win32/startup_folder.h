// The user's start-up folder and shell links (IShellLinkW, IPersistFile): wide
// paths throughout, so that a folder outside the 8-bit code page works.
// The calling thread must have COM initialised (OleInitialize does).
#pragma once

#include "platform/startup_folder.h"

namespace vornix::win32 {

class Win32StartupFolder : public platform::StartupFolder {
 public:
  std::optional<std::u16string> path() override;
  std::u16string executableName() override;
  bool createShortcut(const std::u16string& path, const platform::ShortcutProperties& properties) override;
};

}  // namespace vornix::win32
