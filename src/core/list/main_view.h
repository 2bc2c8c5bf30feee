// What the main window's logic needs from the window on the screen.
// Implemented by the Win32 main window (src/win32) and by a fake view in the tests.
#pragma once

#include <string>
#include <vector>

#include "platform/clipboard.h"

namespace vornix {

using Text = std::u16string;

// Commands whose enabled state the logic decides. Toolbar buttons keep their
// 1-based position on the toolbar as value (3, 7, 11 and 13 are separators).
enum class Command {
  TbNew = 1, TbImport = 2, TbCut = 4, TbCopy = 5, TbPaste = 6, TbEdit = 8,
  TbDelete = 9, TbClear = 10, TbOpen = 12, TbMini = 14,
  MenEditUndo = 20, MenEditCut, MenEditCopy, MenEditPaste, MenClearClipboard, MenFileFileExport,
  MenFileDragDropMode, MenFileFileDialog, MenFilePrefs, MenFileQuit, MenHelpHelp, MenHelpBug, MenHelpAbout,
  MenEditFind,
};

enum class WindowState { Normal, Minimized, Maximized };

enum Tab { kTabList = 0, kTabURL = 1, kTabEMail = 2 };

// Window geometry in pixels.
struct Rect {
  long left = 0, top = 0, width = 0, height = 0;
};

class MainView {
 public:
  virtual ~MainView() = default;
  virtual platform::WindowHandle handle() = 0;
  // Installs the window message hook that routes the clipboard viewer chain (and
  // later hotkey) messages to the logic; installing it twice keeps one hook.
  virtual void setWinProc() = 0;
  virtual void setCaption(const Text& caption) = 0;
  // A clipboard change was read: asks for FrmVornix::fileCaptured(false) as soon
  // as the message that brought it returns, or (within a burst of changes) for
  // fileCaptured(true) once no further change has come for a moment, and for
  // fileCaptured(true) then in any case, so that saving waits for the pause.
  virtual void postCaptureWork() = 0;

  // The entry list model changed: show its rows (and selection) again.
  virtual void rowsChanged() = 0;
  // Only the selection changed: show it and scroll the selected row into view.
  virtual void selectionChanged() = 0;
  virtual void setClipboardPanel(const Text& text) = 0;
  // Find as you type: the search field, shown with `text` while a search is open
  // (the layout without it stays as it is), and the status bar's count of the rows
  // that match ("" when no search is open).
  virtual void showSearchField(bool shown, const Text& text) = 0;
  virtual void setSearchCount(const Text& count) = 0;
  virtual void setCommandEnabled(Command command, bool enabled) = 0;

  virtual int currentTab() = 0;
  virtual void showTab(int tab) = 0;
  virtual void setLinkItems(int tab, const std::vector<Text>& items) = 0;
  virtual void setLinkListEnabled(int tab, bool enabled) = 0;
  virtual int linkListCurrent(int tab) = 0;  // -1 when no item is current

  virtual WindowState windowState() = 0;
  virtual bool isVisible() = 0;
  virtual Rect windowRect() = 0;
  virtual void setWindowRect(const Rect& rect) = 0;
  virtual Rect screenRect() = 0;  // the work area
  virtual void setTopMost(bool onTop) = 0;
  virtual bool topMostChecked() = 0;
  virtual void setTopMostChecked(bool checked) = 0;
  virtual void setHoverSelection(bool on) = 0;

  // The editor hand-off: shows `text` and `protect` for editing, modally when
  // `modal`; true when the user confirmed, with the new values. `copy` tells that
  // the user also wants the text on the clipboard.
  virtual bool editText(Text& text, bool& protect, bool& copy, bool modal) = 0;
  // The open editor comes to the front (a further edit request while it is open).
  virtual void frontEditor() = 0;
  virtual void enterMiniMode() = 0;
  // The open-file dialog for importing, preset with `path`; false when cancelled.
  virtual bool openFileDialog(Text& path) = 0;
};

}  // namespace vornix
