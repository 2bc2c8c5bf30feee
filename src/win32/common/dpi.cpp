#include "win32/common/dpi.h"

#include <cstddef>

namespace vornix::ui {

void declareDpiAware() {
  // Vista and later only: loaded at run time so that the program still starts on XP.
  using SetProcessDpiAwareFn = BOOL(WINAPI*)();
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto declare = reinterpret_cast<SetProcessDpiAwareFn>(
      reinterpret_cast<void*>(user32 ? GetProcAddress(user32, "SetProcessDPIAware") : nullptr));
  if (declare) declare();  // fails only when already declared, which is what is wanted
}

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
