#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace vornix::win32 {

namespace {

// A box with a destroyed owner would not show at all.
HWND usableOwner(HWND owner) { return owner && IsWindow(owner) ? owner : nullptr; }

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
