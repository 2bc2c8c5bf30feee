#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace vornix::win32 {

namespace {

// A box with a destroyed owner would not show at all. It belongs to the dialog the
// user works in: owned by the main window alone it would leave an open dialog's
// buttons usable, whose commands would then run while the box waits for its answer.
HWND usableOwner(HWND owner) {
  if (!owner || !IsWindow(owner)) return nullptr;
  HWND popup = GetLastActivePopup(owner);
  return popup && popup != owner && IsWindowVisible(popup) && IsWindowEnabled(popup) ? popup : owner;
}

}  // namespace

int Win32MessageBoxes::question(const std::u16string& text, const std::u16string& title) {
  int answer = MessageBoxW(usableOwner(owner_), wide(text), wide(title),
                           MB_OKCANCEL | MB_ICONQUESTION | MB_SETFOREGROUND);
  return answer == IDOK ? 1 : 2;
}

void Win32MessageBoxes::critical(const std::u16string& text, const std::u16string& title) {
  MessageBoxW(usableOwner(owner_), wide(text), wide(title), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void Win32MessageBoxes::notice(const std::u16string& text, const std::u16string& title) {
  MessageBoxW(usableOwner(owner_), wide(text), wide(title), MB_OK | MB_SETFOREGROUND);
}

}  // namespace vornix::win32
