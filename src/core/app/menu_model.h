// A menu as data: each window builds its menu from it, and the checks read the
// very captions the user sees. Portable: no Windows header.
#pragma once

#include <vector>

#include "core/app/app.h"

namespace vornix {

// A shortcut shown after a caption: the control key with a letter, or a key alone.
enum class ShortcutKey { None, CtrlLetter, Delete };

struct MenuItem {
  int caption = 0;  // string number; 0 for a separator
  int command = 0;  // the window's own command number; 0 for a submenu
  ShortcutKey key = ShortcutKey::None;
  char16_t letter = 0;          // with ShortcutKey::CtrlLetter
  std::vector<MenuItem> items;  // a submenu when not empty
};

MenuItem menuCommand(int caption, int command, ShortcutKey key = ShortcutKey::None, char16_t letter = 0);
MenuItem menuSeparator();
MenuItem subMenu(int caption, std::vector<MenuItem> items);

// The shortcut in the words of the language: "Strg+E" / "Ctrl+E", "Entf" / "Del".
Text shortcutText(const App& app, ShortcutKey key, char16_t letter);
// The caption as the menu shows it: the string, then a tab and the shortcut.
Text menuItemText(const App& app, const MenuItem& item);

// Each menu level's captions (the bar, then every submenu, depth first), as shown.
std::vector<std::vector<Text>> menuLevels(const App& app, const MenuItem& bar);

}  // namespace vornix
