// Mini mode `frmVornixDrop`: the main window hides and the program lives in a
// small borderless window and an icon in the notification area, whose popup
// menu offers the entries, URLs, e-mail addresses and text blocks.
// FrmVornixDrop holds the rules; MiniView is the window with its icon and menu.
#pragma once

#include <functional>
#include <vector>

#include "core/app/app.h"
#include "core/app/menu_model.h"
#include "core/list/frm_vornix.h"
#include "core/list/main_view.h"

namespace vornix {

// Commands of the popup menu. An item of a list submenu is its base plus the
// item's position in that submenu.
enum TrayCommand {
  kTrayNone = 0,
  kTrayProtocol = 1,
  kTrayRestore,
  kTrayExit,
  kTrayEdit,
  kTrayPaste,
  kTrayEntryBase = 100,
  kTrayURLBase = 200,
  kTrayEMailBase = 300,
  kTrayTextKeyBase = 400,
};

struct TrayMenuItem {
  Text caption;
  int rowId = 0;  // the entry it copies; 0 for the "(empty list)" item, which does nothing
};

// What the popup menu shows at this moment.
struct TrayMenu {
  std::vector<TrayMenuItem> entries, urls, emails;  // never empty, at most 50 each
  bool showTextKeys = false;
  std::vector<Text> textKeys;  // ten captions while shown
  bool recordMode = false;
};

// Mouse notifications of the icon, as the system reports them.
enum TrayNotice { kTrayLeftUp = 0x202, kTrayLeftDoubleClick = 0x203, kTrayRightUp = 0x205 };

enum class MiniButton { Clip, Edit, List };

// Implemented by the Win32 mini window (src/win32) and a fake in the tests.
class MiniView {
 public:
  virtual ~MiniView() = default;
  virtual void showMainWindow(bool show) = 0;
  virtual void showWindow(bool show) = 0;
  virtual Rect windowRect() = 0;
  virtual void moveTo(long left, long top) = 0;
  // Work area of the screen nearest to `rect` (the primary one when there is no nearer).
  virtual Rect workAreaNear(const Rect& rect) = 0;
  virtual WindowState windowState() = 0;
  // Back to normal size (from minimised) and in front of other programs.
  virtual void restoreWindow() = 0;
  virtual bool topMostChecked() = 0;
  virtual void setTopMostChecked(bool checked) = 0;
  virtual void setTopMost(bool onTop) = 0;
  virtual void setTranslucency(int alpha) = 0;
  virtual void makeOpaque() = 0;
  virtual void addTrayIcon() = 0;
  virtual void removeTrayIcon() = 0;
  // Shows the menu at the mouse; the chosen TrayCommand, kTrayNone when dismissed.
  virtual int showTrayMenu(const TrayMenu& menu) = 0;
  // The entry editor while it is open (it may be open when mini mode ends).
  virtual bool editorOpen() = 0;
  virtual void closeEditor(bool accept) = 0;
};

// The popup menu's own items, in their order: the list submenus (command: the
// list's base, filled from a TrayMenu), the record switch and the commands with
// the shortcuts the mini window takes.
MenuItem trayMenuItems(bool showTextKeys);

// The rows of the entry list as the three list submenus show them.
TrayMenu buildTrayMenu(const App& app, const EntryRows& rows);

class FrmVornixDrop {
 public:
  FrmVornixDrop(App& app, FrmVornix& frm, MainView& mainView, MiniView& view)
      : app_(app), frm_(frm), mainView_(mainView), view_(view) {}

  bool loaded() const { return loaded_; }
  // Text block n onto the clipboard or typed; the hotkey part of the program sets it.
  std::function<void(int)> applyTextKey;

  // Entering mini mode.
  void load();
  // Leaving it by the exit command, the icon, the list button or the main hotkey.
  void closeMiniMode();
  // The program ends while in mini mode: the icon goes, the position is kept.
  void unloadAtExit();

  void activate();
  void deactivate();
  void chkTopMost_Click();
  void trayNotify(int notice);
  void showTrayMenu();
  void runTrayCommand(int command, const TrayMenu& menu);
  void buttonClick(MiniButton button);
  // After a drop onto a button has been filed.
  void dropped(MiniButton button);
  // The icon was lost (the taskbar was created anew): put it back.
  void taskbarCreated();

 private:
  void restore();
  void park();
  void savePosition();
  long storedLeft();
  long storedTop();

  App& app_;
  FrmVornix& frm_;
  MainView& mainView_;
  MiniView& view_;
  bool loaded_ = false;
  bool parked_ = false;  // moved out of the screen, only the icon is seen
  bool translucent_ = false;
};

}  // namespace vornix
