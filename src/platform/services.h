// The platform seams the core works through, bundled for passing around.
#pragma once

#include "base/code_page.h"
#include "platform/clipboard.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "platform/system.h"

namespace vornix {

struct Services {
  platform::Clipboard& clipboard;
  platform::ViewerChain& chain;
  platform::SettingsStore& store;
  platform::FileSystem& files;
  platform::Clock& clock;
  platform::Locale& locale;
  platform::MessageBoxes& boxes;
  platform::Shell& shell;
  const CodePage& codePage;
};

}  // namespace vornix
