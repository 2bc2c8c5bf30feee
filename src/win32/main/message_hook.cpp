// The window message hook: the clipboard viewer chain messages and the hotkey
// message reach the logic through a procedure put in front of the main
// window's own, installed when the window first needs them.
#include "win32/main/main_window.h"

namespace vornix::ui {

namespace {

// There is one main window per process; the hook's procedure has no other way to it.
MainWindow* hooked = nullptr;
WNDPROC savedProc = nullptr;

}  // namespace

void MainWindow::setWinProc() {
  if (savedProc) return;
  hooked = this;
  savedProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindow::mainWindowProc)));
}

LRESULT CALLBACK MainWindow::mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (hooked && window == hooked->hwnd()) {
      switch (message) {
        case WM_DRAWCLIPBOARD:
          hooked->frm_.onDrawClipboard(wParam, lParam);
          return 0;
        case WM_CHANGECBCHAIN:
          hooked->frm_.onChangeCbChain(static_cast<platform::WindowHandle>(wParam),
                                       static_cast<platform::WindowHandle>(lParam));
          return 0;
        case WM_HOTKEY:
          if (hooked->quick_.quick().onHotkey(wParam, lParam)) return 0;
          break;
        default:
          break;
      }
    }
  } catch (...) {
    // A failure inside the logic falls through to the window's own procedure.
  }
  if (message == WM_NCDESTROY) {
    // The window goes: give it back its own procedure so nothing calls into us later.
    WNDPROC own = savedProc;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    savedProc = nullptr;
    hooked = nullptr;
    return CallWindowProcW(own, window, message, wParam, lParam);
  }
  return CallWindowProcW(savedProc, window, message, wParam, lParam);
}

}  // namespace vornix::ui
