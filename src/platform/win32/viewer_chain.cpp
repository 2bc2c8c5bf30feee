#include "platform/win32/win32_platform.h"

namespace vornix::win32 {

namespace {

HWND toHwnd(platform::WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

}  // namespace

platform::WindowHandle Win32ViewerChain::join(platform::WindowHandle self) {
  // The system sends the first WM_DRAWCLIPBOARD to `self` before this returns.
  return reinterpret_cast<platform::WindowHandle>(SetClipboardViewer(toHwnd(self)));
}

void Win32ViewerChain::leave(platform::WindowHandle self, platform::WindowHandle next) {
  ChangeClipboardChain(toHwnd(self), toHwnd(next));
}

void Win32ViewerChain::send(platform::WindowHandle to, unsigned message, std::uintptr_t wParam,
                            std::intptr_t lParam) {
  if (to == 0) return;
  SendMessageW(toHwnd(to), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

}  // namespace vornix::win32
