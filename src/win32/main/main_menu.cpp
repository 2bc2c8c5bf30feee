#include "win32/main/main_menu.h"

#include <vector>

#include "core/list/main_menu.h"
#include "platform/win32/wide.h"
#include "win32/common/resource.h"
#include "win32/main/main_toolbar.h"

namespace vornix::ui {

namespace {

struct MenuId {
  Command command;
  int id;
};

// Menu-only commands; toolbar commands use their buttons' ids.
constexpr MenuId kMenuIds[] = {
    {Command::MenFileDragDropMode, IDM_FILE_MINI}, {Command::MenFileFileDialog, IDM_FILE_IMPORT},
    {Command::MenFileFileExport, IDM_FILE_EXPORT}, {Command::MenFilePrefs, IDM_FILE_SETTINGS},
    {Command::MenFileQuit, IDM_FILE_QUIT},         {Command::MenEditUndo, IDM_EDIT_UNDO},
    {Command::MenEditCut, IDM_EDIT_CUT},           {Command::MenEditCopy, IDM_EDIT_COPY},
    {Command::MenEditPaste, IDM_EDIT_PASTE},       {Command::MenClearClipboard, IDM_EDIT_CLEARCLIP},
    {Command::MenHelpHelp, IDM_HELP_HELP},         {Command::MenHelpBug, IDM_HELP_BUG},
    {Command::MenHelpAbout, IDM_HELP_ABOUT},         {Command::MenEditFind, IDM_EDIT_FIND},
};

void addItems(HMENU menu, const App& app, const MenuItem& parent) {
  for (const MenuItem& item : parent.items) {
    if (!item.caption) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (!item.items.empty()) {
      HMENU popup = CreatePopupMenu();
      addItems(popup, app, item);
      AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), wide(app.str(item.caption)));
    } else {
      AppendMenuW(menu, MF_STRING, menuIdOf(static_cast<Command>(item.command)), wide(menuItemText(app, item)));
    }
  }
}

void addAccelerators(const MenuItem& parent, std::vector<ACCEL>& keys) {
  for (const MenuItem& item : parent.items) {
    addAccelerators(item, keys);
    // Delete works in the lists themselves, where it waits for the key to come up.
    if (item.key != ShortcutKey::CtrlLetter) continue;
    keys.push_back({FVIRTKEY | FCONTROL, static_cast<WORD>(item.letter),
                    static_cast<WORD>(menuIdOf(static_cast<Command>(item.command)))});
  }
}

}  // namespace

HMENU createMainMenu(const App& app) {
  HMENU bar = CreateMenu();
  addItems(bar, app, mainMenu());
  return bar;
}

HACCEL createMainAccelerators() {
  std::vector<ACCEL> keys;
  addAccelerators(mainMenu(), keys);
  return CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

int menuIdOf(Command command) {
  const int value = static_cast<int>(command);
  if (value <= MainToolbar::kPositions) return MainToolbar::commandOf(value);
  for (const MenuId& m : kMenuIds)
    if (m.command == command) return m.id;
  return 0;
}

int menuCommandOfId(int id) {
  for (const MenuId& m : kMenuIds)
    if (m.id == id) return static_cast<int>(m.command);
  return 0;
}

}  // namespace vornix::ui
