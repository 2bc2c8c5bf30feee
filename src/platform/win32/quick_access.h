// Global hotkeys and typing into the window in front, on the Win32 API.
#pragma once

#include <windows.h>

#include "platform/quick_access.h"

namespace vornix::win32 {

class Win32Hotkeys : public platform::Hotkeys {
 public:
  std::uint16_t addAtom(const std::u16string& name) override;
  bool deleteAtom(std::uint16_t atom) override;
  bool registerHotkey(platform::WindowHandle window, int id, unsigned modifiers, unsigned virtualKey) override;
  bool unregisterHotkey(platform::WindowHandle window, int id) override;
};

// SendInput where the system has it (Windows 98 and NT 4 SP3 on), keybd_event
// before. The NT family types each character as itself (KEYEVENTF_UNICODE);
// Windows 9x goes through the keyboard layout, with Alt and the numeric pad for
// a character of the code page that no key gives.
class Win32Keyboard : public platform::Keyboard {
 public:
  bool typeText(const std::u16string& text) override;
  platform::WindowHandle activeWindow() override;
  bool setForegroundWindow(platform::WindowHandle window) override;
  platform::Point cursorPos() override;
};

}  // namespace vornix::win32
