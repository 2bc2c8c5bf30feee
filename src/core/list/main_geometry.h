// The main window's place and size as stored (twips) and as shown (pixels).
#pragma once

#include "core/list/main_view.h"

namespace vornix {

// The smallest main window, in twips.
constexpr long kMainMinWidthTwips = 4575;
constexpr long kMainMinHeightTwips = 4155;

// The window that stored twips give at `dpi`, at least the smallest size, so
// that a damaged value cannot make it vanish or push it off the screen.
Rect mainWindowFromTwips(double left, double top, double width, double height, int dpi);

}  // namespace vornix
