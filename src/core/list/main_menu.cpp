#include "core/list/main_menu.h"

#include <iterator>

#include "core/clip/helpers.h"
#include "core/prefs/access_keys.h"

namespace vornix {

namespace {

MenuItem item(int caption, Command command, ShortcutKey key = ShortcutKey::None, char16_t letter = 0) {
  return menuCommand(caption, static_cast<int>(command), key, letter);
}

MenuItem ctrl(int caption, Command command, char16_t letter) {
  return item(caption, command, ShortcutKey::CtrlLetter, letter);
}

const MenuItem* find(const MenuItem& menu, int command) {
  for (const MenuItem& i : menu.items) {
    if (i.caption && i.command == command) return &i;
    if (const MenuItem* inner = find(i, command)) return inner;
  }
  return nullptr;
}

}  // namespace

MenuItem mainMenu() {
  using C = Command;
  MenuItem bar;
  bar.items = {
      subMenu(kStrFile, {ctrl(kStrMiniMode, C::MenFileDragDropMode, u'M'),
                         ctrl(kStrImportFileMenu, C::MenFileFileDialog, u'I'),
                         item(kStrExportText, C::MenFileFileExport), item(kStrSettings, C::MenFilePrefs),
                         menuSeparator(), item(kStrQuit, C::MenFileQuit)}),
      subMenu(kStrEdit, {ctrl(kStrUndo, C::MenEditUndo, u'Z'), menuSeparator(),
                         ctrl(kStrCut, C::MenEditCut, u'X'), ctrl(kStrCopy, C::MenEditCopy, u'C'),
                         ctrl(kStrPaste, C::MenEditPaste, u'V'), ctrl(kStrSearchMenu, C::MenEditFind, u'F'),
                         menuSeparator(),
                         ctrl(kStrFromInput, C::TbNew, u'N'), ctrl(kStrChangeEntry, C::TbEdit, u'E'),
                         item(kStrDeleteEntry, C::TbDelete, ShortcutKey::Delete), item(kStrDeleteList, C::TbClear),
                         ctrl(kStrOpen, C::TbOpen, u'L'), menuSeparator(),
                         item(kStrClearClipboard, C::MenClearClipboard)}),
      subMenu(kStrQuestionMark, {item(kStrHelp, C::MenHelpHelp), item(kStrBugReport, C::MenHelpBug),
                                 item(kStrAbout, C::MenHelpAbout)}),
  };
  return bar;
}

const MenuItem* mainMenuItem(const MenuItem& bar, Command command) { return find(bar, static_cast<int>(command)); }

Text toolbarTip(const App& app, Command button, int caption) {
  using C = Command;
  Command twin = button;
  switch (button) {
    case C::TbImport: twin = C::MenFileFileDialog; break;
    case C::TbCut: twin = C::MenEditCut; break;
    case C::TbCopy: twin = C::MenEditCopy; break;
    case C::TbPaste: twin = C::MenEditPaste; break;
    case C::TbMini: twin = C::MenFileDragDropMode; break;
    default: break;
  }
  const Text tip = removeAmpersand(app.str(caption));
  const MenuItem* item = mainMenuItem(mainMenu(), twin);
  const Text shortcut = item ? shortcutText(app, item->key, item->letter) : Text();
  return shortcut.empty() ? tip : tip + u" (" + shortcut + u")";
}

std::vector<Text> mainWindowCaptions(const App& app) {
  std::vector<Text> captions;
  for (const MenuItem& menu : mainMenu().items) captions.push_back(app.str(menu.caption));
  for (int caption : kMainTabCaptions) captions.push_back(app.str(caption));
  captions.push_back(app.str(kStrStayInFront));
  return captions;
}

int tabOfAccessKey(const App& app, char16_t key) {
  for (int tab = 0; tab < static_cast<int>(std::size(kMainTabCaptions)); ++tab)
    if (key && accessKey(app.str(kMainTabCaptions[tab])) == key) return tab;
  return -1;
}

}  // namespace vornix
