#include "win32/prefs_effects.h"

namespace vornix::ui {

std::vector<Text> MainPrefsEffects::reregisterHotkeys() {
  // The settings changed under the registered hotkeys: every slot is freed first,
  // so that a key moved from one slot to another is not refused as taken.
  quick_.removeHotkeys();
  return quick_.registerHotkeys();
}

}  // namespace vornix::ui
