#include "core/list/main_geometry.h"

#include "core/app/twips.h"

namespace vornix {

Rect mainWindowFromTwips(double left, double top, double width, double height, int dpi) {
  Rect r;
  r.left = twipsToPixels(left, dpi);
  r.top = twipsToPixels(top, dpi);
  r.width = twipsToPixels(width, dpi);
  r.height = twipsToPixels(height, dpi);
  const long minWidth = twipsToPixels(kMainMinWidthTwips, dpi);
  const long minHeight = twipsToPixels(kMainMinHeightTwips, dpi);
  if (r.width < minWidth) r.width = minWidth;
  if (r.height < minHeight) r.height = minHeight;
  return r;
}

}  // namespace vornix
