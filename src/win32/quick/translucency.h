// Translucent (layered) windows for the mini window, Preferences and the about
// box. SetLayeredWindowAttributes is looked up at run time: Windows before 2000
// has no layered windows, and the program must still load there.
#pragma once

#include <windows.h>

namespace vornix::ui {

// True on the NT family from version 5 (Windows 2000) on.
bool isLayeringSupported();
// The outermost visible window that `window` belongs to.
HWND topLevelWindow(HWND window);
// Makes the top-level window of `window` layered with `alpha` (0 clear, 255 opaque).
bool setTranslucency(HWND window, BYTE alpha);
// Takes the layered style off again, after a last opaque frame.
bool makeOpaque(HWND window);

}  // namespace vornix::ui
