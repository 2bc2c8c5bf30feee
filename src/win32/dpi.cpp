#include "win32/dpi.h"

#include <cstddef>

namespace vornix::ui {

int systemDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return dpi;
}

HFONT messageFont() {
  static const HFONT font = [] {
    // The structure grew in Vista; the older size is what XP accepts.
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof(LOGFONTW);
    HFONT made = nullptr;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
      made = CreateFontIndirectW(&metrics.lfMessageFont);
    return made ? made : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }();
  return font;
}

}  // namespace vornix::ui
