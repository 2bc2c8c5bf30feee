#include "win32/prefs_effects.h"

namespace vornix::ui {

// Not yet in this program: no on-screen display, no start-up shortcut and no
// hotkey registration exist to call. Each becomes one call to its routine
// (hide the display, setAutostart, setOSD, removeHotkeys + registerHotkeys).
void MainPrefsEffects::hideDisplay() {}
void MainPrefsEffects::applyAutostart(bool) {}
void MainPrefsEffects::applyDisplay() {}
void MainPrefsEffects::reregisterHotkeys() {}

}  // namespace vornix::ui
