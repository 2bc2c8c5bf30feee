#include "core/quick/translucency.h"

namespace vornix {

namespace {
}

int opacityToAlpha(const OptionTable& options, int percent) {
  long value = percent == -1 ? options.number(kOpacity) : percent;
  if (value < 0) value = 0;
  if (value > 100) value = 100;
  return 255 - static_cast<int>(value * 255 / 100);
}

}  // namespace vornix
