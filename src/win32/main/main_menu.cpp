#include "win32/main/main_menu.h"

#include "platform/win32/wide.h"
#include "win32/common/resource.h"

namespace vornix::ui {

namespace {

void addItem(HMENU menu, int id, const Text& text) { AppendMenuW(menu, MF_STRING, id, wide(text)); }
void addSeparator(HMENU menu) { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); }

void addPopup(HMENU bar, HMENU popup, const Text& text) {
  AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), wide(text));
}

}  // namespace

HMENU createMainMenu(const App& app) {
  // German keyboards name the control key "Strg".
  const Text ctrl = app.languageOffset == 0 ? u"\tStrg+" : u"\tCtrl+";

  HMENU file = CreatePopupMenu();
  addItem(file, IDM_FILE_MINI, app.str(kStrMiniMode));
  addItem(file, IDM_FILE_IMPORT, app.str(kStrImportFileMenu));
  addItem(file, IDM_FILE_EXPORT, app.str(kStrExportText));
  addItem(file, IDM_FILE_SETTINGS, app.str(kStrSettings));
  addSeparator(file);
  addItem(file, IDM_FILE_QUIT, app.str(kStrQuit));

  HMENU edit = CreatePopupMenu();
  addItem(edit, IDM_EDIT_UNDO, app.str(kStrUndo) + ctrl + u"Z");
  addSeparator(edit);
  addItem(edit, IDM_EDIT_CUT, app.str(kStrCut) + ctrl + u"X");
  addItem(edit, IDM_EDIT_COPY, app.str(kStrCopy) + ctrl + u"C");
  addItem(edit, IDM_EDIT_PASTE, app.str(kStrPaste) + ctrl + u"V");
  addSeparator(edit);
  addItem(edit, IDM_EDIT_CLEARCLIP, app.str(kStrClearClipboard));

  HMENU help = CreatePopupMenu();
  addItem(help, IDM_HELP_HELP, app.str(kStrHelp));
  addItem(help, IDM_HELP_BUG, app.str(kStrBugReport));
  addItem(help, IDM_HELP_ABOUT, app.str(kStrAbout));

  HMENU bar = CreateMenu();
  addPopup(bar, file, app.str(kStrFile));
  addPopup(bar, edit, app.str(kStrEdit));
  addPopup(bar, help, app.str(kStrQuestionMark));
  return bar;
}

HACCEL createMainAccelerators() {
  ACCEL keys[] = {
      {FVIRTKEY | FCONTROL, 'Z', IDM_EDIT_UNDO},
      {FVIRTKEY | FCONTROL, 'X', IDM_EDIT_CUT},
      {FVIRTKEY | FCONTROL, 'C', IDM_EDIT_COPY},
      {FVIRTKEY | FCONTROL, 'V', IDM_EDIT_PASTE},
  };
  return CreateAcceleratorTableW(keys, sizeof(keys) / sizeof(keys[0]));
}

int menuCommandOf(Command command) {
  switch (command) {
    case Command::MenEditUndo: return IDM_EDIT_UNDO;
    case Command::MenEditCut: return IDM_EDIT_CUT;
    case Command::MenEditCopy: return IDM_EDIT_COPY;
    case Command::MenEditPaste: return IDM_EDIT_PASTE;
    case Command::MenClearClipboard: return IDM_EDIT_CLEARCLIP;
    case Command::MenFileFileExport: return IDM_FILE_EXPORT;
    default: return 0;
  }
}

}  // namespace vornix::ui
