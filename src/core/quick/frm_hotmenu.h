// The hot menu's logic: the lines it offers (the clipboard text and every
// entry), its life from the hotkey to the pick or the close, and handing the
// chosen text back to the application that was in front.
// Portable; it knows the window on the screen only through HotmenuView.
#pragma once

#include <string>
#include <vector>

#include "core/app/app.h"
#include "core/list/entry_rows.h"
#include "core/list/frm_vornix.h"
#include "core/list/main_view.h"
#include "core/quick/quick_access.h"
#include "platform/quick_access.h"

namespace vornix {

struct HotmenuLine {
  Text text;  // the shortened one-line form, never the whole text
  int value;  // the entry's row index; 0 for the clipboard line too
  bool clipboard = false;  // the clipboard's line, set apart from the entries
};

// The clipboard line (when `clipText` is not empty), then one line per row in display order.
std::vector<HotmenuLine> hotmenuLines(const Text& clipText, const EntryRows& rows);

// Implemented by the Win32 hot menu window and by a fake in the tests.
class HotmenuView {
 public:
  virtual ~HotmenuView() = default;
  virtual Rect windowRect() = 0;
  // The monitor under the point; where the system knows one screen only, the whole screen.
  virtual Rect screenAt(const platform::Point& at) = 0;
  virtual void moveTo(long left, long top) = 0;
  virtual void setTopMost(bool onTop) = 0;
  virtual void setLines(const std::vector<HotmenuLine>& lines) = 0;
  virtual void setStatus(const Text& text) = 0;
  virtual void selectLine(int line) = 0;
  virtual int selectedLine() = 0;  // -1 when none
  // Switching the timer on again starts its count anew.
  virtual void setCheckTimer(bool on) = 0;
  virtual void setPickTimer(bool on) = 0;
  // The window goes away (it calls nothing back).
  virtual void close() = 0;
};

class FrmHotmenu {
 public:
  FrmHotmenu(App& app, FrmVornix& frm, MainView& main, QuickAccess& quick, platform::Keyboard& keyboard,
             HotmenuView& view);

  bool isOpen() const { return open_; }
  platform::WindowHandle target() const { return target_; }
  const std::vector<HotmenuLine>& lines() const { return lines_; }

  void load();
  // A key, mouse movement, scroll or button press in the list: the five seconds start anew.
  void activity();
  void lstHotmenu_KeyUp(int key);
  void lstHotmenu_DblClick() { lstHotmenu_KeyUp(kKeyEnter); }
  void lstHotmenu_RightButtonDown() { unload(); }
  void lstHotmenu_LostFocus();
  void timCheckState_Timer() { unload(); }
  void timHotmenu_Timer();
  void pasteHotmenuText(const Text& text);
  void unload();

  static constexpr int kKeyEnter = 13, kKeyEsc = 27, kKeySpace = 32;

 private:
  App& app_;
  FrmVornix& frm_;
  MainView& main_;
  QuickAccess& quick_;
  platform::Keyboard& keyboard_;
  HotmenuView& view_;
  bool open_ = false;
  bool picking_ = false;
  platform::WindowHandle target_ = 0;
  Text clipText_;
  std::vector<HotmenuLine> lines_;
};

}  // namespace vornix
