// In-memory hotkeys and keyboard for the tests, as strict as the system: atoms
// are counted per addition, a key combination held by another program cannot be
// registered, and typed text is recorded for the window in front.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/quick_access.h"

namespace vornix::fake {

class FakeHotkeys : public platform::Hotkeys {
 public:
  // Key combinations (modifiers, key code) that another program holds.
  std::set<std::pair<unsigned, unsigned>> takenByOthers;
  bool failAtoms = false;
  struct Registration {
    platform::WindowHandle window;
    int id;
    unsigned modifiers, key;
  };
  std::vector<Registration> registered;

  std::uint16_t addAtom(const std::u16string& name) override;
  bool deleteAtom(std::uint16_t atom) override;
  bool registerHotkey(platform::WindowHandle window, int id, unsigned modifiers, unsigned key) override;
  bool unregisterHotkey(platform::WindowHandle window, int id) override;
  // Atoms still held, whatever their count.
  size_t atomsHeld() const { return atoms_.size(); }
  // The identifier a registered combination would arrive with; 0 when none.
  int idOf(unsigned modifiers, unsigned key) const;

 private:
  struct Atom {
    std::u16string name;
    int count;
  };
  std::map<std::uint16_t, Atom> atoms_;
  std::uint16_t next_ = 0xC001;
};

class FakeKeyboard : public platform::Keyboard {
 public:
  platform::WindowHandle foreground = 0x777;
  platform::WindowHandle active = 0;
  platform::Point cursor{100, 100};
  bool refuse = false;
  // What each typing call delivered, with the window that was in front.
  std::vector<std::pair<platform::WindowHandle, std::u16string>> typed;
  std::vector<platform::WindowHandle> broughtToFront;

  bool typeText(const std::u16string& text) override;
  platform::WindowHandle activeWindow() override { return active ? active : foreground; }
  bool setForegroundWindow(platform::WindowHandle window) override;
  platform::Point cursorPos() override { return cursor; }
};

}  // namespace vornix::fake
