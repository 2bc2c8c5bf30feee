// The screen's resolution and the system's message font. Every window lays
// itself out from 96-DPI sizes scaled by these, so that a 144-DPI screen shows
// everything one and a half times as large and at 96 DPI nothing changes.
#pragma once

#include <windows.h>

namespace vornix::ui {

// Asks the system not to stretch the program's windows as a bitmap: Vista and
// later read this from the manifest, but not every system does. Call it before
// the first window and before systemDpi(), which keeps its first answer.
void declareDpiAware();
// Logical pixels per inch of the screen (96 when it cannot be read).
int systemDpi();
// A size or position given for 96 DPI, scaled to the screen.
inline int dpiScale(int size96) { return MulDiv(size96, systemDpi(), 96); }
// The font of message boxes, created once for the life of the process.
HFONT messageFont();

}  // namespace vornix::ui
