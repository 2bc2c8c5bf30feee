#include "platform/fake/fake_quick_access.h"

namespace vornix::fake {

std::uint16_t FakeHotkeys::addAtom(const std::u16string& name) {
  if (failAtoms) return 0;
  for (auto& [atom, a] : atoms_)
    if (a.name == name) {
      ++a.count;
      return atom;
    }
  atoms_[next_] = Atom{name, 1};
  return next_++;
}

bool FakeHotkeys::deleteAtom(std::uint16_t atom) {
  auto it = atoms_.find(atom);
  if (it == atoms_.end()) return false;
  if (--it->second.count == 0) atoms_.erase(it);
  return true;
}

bool FakeHotkeys::registerHotkey(platform::WindowHandle window, int id, unsigned modifiers, unsigned key) {
  if (takenByOthers.count({modifiers, key}) || key == 0 || modifiers > 15) return false;
  for (const Registration& r : registered)
    if (r.modifiers == modifiers && r.key == key) return false;
  registered.push_back({window, id, modifiers, key});
  return true;
}

bool FakeHotkeys::unregisterHotkey(platform::WindowHandle window, int id) {
  for (auto it = registered.begin(); it != registered.end(); ++it)
    if (it->window == window && it->id == id) {
      registered.erase(it);
      return true;
    }
  return false;
}

int FakeHotkeys::idOf(unsigned modifiers, unsigned key) const {
  for (const Registration& r : registered)
    if (r.modifiers == modifiers && r.key == key) return r.id;
  return 0;
}

bool FakeKeyboard::typeText(const std::u16string& text) {
  if (refuse) return false;
  typed.push_back({foreground, text});
  return true;
}

bool FakeKeyboard::setForegroundWindow(platform::WindowHandle window) {
  broughtToFront.push_back(window);
  foreground = window;
  return true;
}

}  // namespace vornix::fake
