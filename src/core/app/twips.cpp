#include "core/app/twips.h"

#include <cmath>

namespace vornix {

namespace {

constexpr double kFarthest = 1e9;

int usable(int dpi) { return dpi > 0 ? dpi : kStandardDpi; }

long held(double pixels) {
  if (!(pixels > -kFarthest)) return static_cast<long>(-kFarthest);  // also NaN
  if (pixels > kFarthest) return static_cast<long>(kFarthest);
  return std::lround(pixels);
}

}  // namespace

long twipsToPixels(double twips, int dpi) { return held(twips * usable(dpi) / kTwipsPerInch); }

long pixelsToTwips(long pixels, int dpi) {
  return held(static_cast<double>(pixels) * kTwipsPerInch / usable(dpi));
}

}  // namespace vornix
