// What quick access needs from the system: global hotkeys with their atoms, and
// typing into the application in front. Implemented by platform/win32 (the real
// system) and platform/fake (tests).
#pragma once

#include <cstdint>
#include <string>

#include "platform/clipboard.h"

namespace vornix::platform {

// Modifier bits of a hotkey, as the system counts them.
enum HotkeyModifier : unsigned { kModAlt = 1, kModCtrl = 2, kModShift = 4, kModWin = 8 };

struct Point {
  long x = 0, y = 0;
};

class Hotkeys {
 public:
  virtual ~Hotkeys() = default;
  // A global atom for `name`, counted per addition; 0 when none could be made.
  virtual std::uint16_t addAtom(const std::u16string& name) = 0;
  virtual bool deleteAtom(std::uint16_t atom) = 0;
  // False when the key is taken by another program or refused by the system.
  virtual bool registerHotkey(WindowHandle window, int id, unsigned modifiers, unsigned virtualKey) = 0;
  virtual bool unregisterHotkey(WindowHandle window, int id) = 0;
};

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  // Types every character of `text` as that character (CR as the Enter key)
  // into the window in front, and returns once it has processed them.
  // False when the system took none of the keystrokes.
  virtual bool typeText(const std::u16string& text) = 0;
  // The active window of the program's own thread, or else the window in front.
  virtual WindowHandle activeWindow() = 0;
  virtual bool setForegroundWindow(WindowHandle window) = 0;
  // The mouse pointer, in screen pixels.
  virtual Point cursorPos() = 0;
};

}  // namespace vornix::platform
