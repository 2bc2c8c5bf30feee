// Opacity in percent, as the options store it, to the alpha of a layered window.
#pragma once

#include "core/app/options.h"

namespace vornix {

// 255 minus the truncated share of 255 that `percent` asks to see through:
// 0 % gives 255 (opaque), 50 % gives 128, 100 % gives 0. -1 takes the Opacity
// option; a percentage outside 0..100 (a damaged stored value) is held to it.
int opacityToAlpha(const OptionTable& options, int percent = -1);

}  // namespace vornix
