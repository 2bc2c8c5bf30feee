// Twips, the unit window positions are stored in: 1440 to the inch, so one
// pixel is 1440 / DPI twips (15 at 96 DPI, 10 at 144 DPI). A stored window
// therefore keeps its size in inches whatever the screen's resolution.
#pragma once

namespace vornix {

constexpr int kTwipsPerInch = 1440;
constexpr int kStandardDpi = 96;

// Rounded to the nearest pixel; a value beyond any screen (a damaged stored
// number) is held to a billion pixels so that it still converts.
long twipsToPixels(double twips, int dpi);
long pixelsToTwips(long pixels, int dpi);

}  // namespace vornix
