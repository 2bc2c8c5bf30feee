#include "core/app/menu_model.h"

#include "base/ustr.h"

namespace vornix {

MenuItem menuCommand(int caption, int command, ShortcutKey key, char16_t letter) {
  MenuItem item;
  item.caption = caption;
  item.command = command;
  item.key = key;
  item.letter = letter;
  return item;
}

MenuItem menuSeparator() { return MenuItem(); }

MenuItem subMenu(int caption, std::vector<MenuItem> items) {
  MenuItem item;
  item.caption = caption;
  item.items = std::move(items);
  return item;
}

Text shortcutText(const App& app, ShortcutKey key, char16_t letter) {
  switch (key) {
    case ShortcutKey::CtrlLetter: {
      // The same name as the hotkey settings give the key ("Strg +" in German).
      const Text ctrl = ustr::replaceAll(app.str(kStrCtrl), u" ", u"");
      return ctrl + Text(1, letter);
    }
    case ShortcutKey::Delete:
      return app.languageOffset == 0 ? u"Entf" : u"Del";
    default:
      return Text();
  }
}

Text menuItemText(const App& app, const MenuItem& item) {
  const Text shortcut = shortcutText(app, item.key, item.letter);
  return shortcut.empty() ? app.str(item.caption) : app.str(item.caption) + u"\t" + shortcut;
}

namespace {

void collect(const App& app, const MenuItem& menu, std::vector<std::vector<Text>>& levels) {
  std::vector<Text> captions;
  for (const MenuItem& item : menu.items)
    if (item.caption) captions.push_back(menuItemText(app, item));
  levels.push_back(captions);
  for (const MenuItem& item : menu.items)
    if (!item.items.empty()) collect(app, item, levels);
}

}  // namespace

std::vector<std::vector<Text>> menuLevels(const App& app, const MenuItem& bar) {
  std::vector<std::vector<Text>> levels;
  collect(app, bar, levels);
  return levels;
}

}  // namespace vornix
