#include "win32/quick/translucency.h"

namespace vornix::ui {

namespace {

#ifndef LWA_ALPHA
constexpr DWORD LWA_ALPHA = 2;
#endif
#ifndef WS_EX_LAYERED
constexpr LONG_PTR WS_EX_LAYERED = 0x80000;
#endif

using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

SetLayeredWindowAttributesFn layeredAttributes() {
  static const auto fn = reinterpret_cast<SetLayeredWindowAttributesFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetLayeredWindowAttributes")));
  return fn;
}

}  // namespace

bool isLayeringSupported() {
  static const bool supported = [] {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version)) return false;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5 &&
           layeredAttributes() != nullptr;
  }();
  return supported;
}

HWND topLevelWindow(HWND window) {
  HWND parent = GetParent(window);
  while (parent && IsWindowVisible(parent)) {
    window = parent;
    parent = GetParent(window);
  }
  return window;
}

bool setTranslucency(HWND window, BYTE alpha) {
  if (!isLayeringSupported()) return false;
  HWND top = topLevelWindow(window);
  const LONG_PTR style = GetWindowLongPtrW(top, GWL_EXSTYLE);
  SetLastError(0);
  if (!SetWindowLongPtrW(top, GWL_EXSTYLE, style | WS_EX_LAYERED) && GetLastError() != 0) return false;
  return layeredAttributes()(top, 0, alpha, LWA_ALPHA) != FALSE;
}

bool makeOpaque(HWND window) {
  if (!isLayeringSupported()) return false;
  HWND top = topLevelWindow(window);
  layeredAttributes()(top, 0, 255, LWA_ALPHA);
  const LONG_PTR style = GetWindowLongPtrW(top, GWL_EXSTYLE);
  SetLastError(0);
  return SetWindowLongPtrW(top, GWL_EXSTYLE, style & ~WS_EX_LAYERED) != 0 || GetLastError() == 0;
}

}  // namespace vornix::ui
