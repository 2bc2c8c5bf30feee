// A start-up folder that writes its shortcuts into the fake files, so that the
// tests see them beside every other file.
#pragma once

#include "platform/fake/fake_platform.h"
#include "platform/startup_folder.h"

namespace vornix::fake {

class FakeStartupFolder : public platform::StartupFolder {
 public:
  explicit FakeStartupFolder(FakeFiles& files) : files_(files) {}

  std::optional<Text> folder = Text(u"C:\\Users\\Ann\\Startup");
  Text exeName = u"Vornix";
  std::map<Text, platform::ShortcutProperties> saved;  // every shortcut written, by path

  std::optional<Text> path() override { return folder; }
  Text executableName() override { return exeName; }
  bool createShortcut(const Text& path, const platform::ShortcutProperties& properties) override {
    if (files_.failWrites) return false;
    saved[path] = properties;
    files_.files[path] = "shortcut";
    return true;
  }

 private:
  FakeFiles& files_;
};

}  // namespace vornix::fake
