#include "platform/win32/win32_platform.h"

namespace vornix::win32 {

namespace {

HWND toHwnd(platform::WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

// Longest wait for a viewer behind us that is busy but not yet known as hung.
constexpr UINT kChainTimeoutMs = 3000;

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
  // A hung viewer behind us must not hang us too: it misses this message instead.
  DWORD_PTR result = 0;
  SendMessageTimeoutW(toHwnd(to), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam),
                      SMTO_ABORTIFHUNG | SMTO_NORMAL, kChainTimeoutMs, &result);
}

}  // namespace vornix::win32
