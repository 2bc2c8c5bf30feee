// The hot menu `frmHotmenu`: a small top-most window at the mouse pointer with
// the list `lstHotmenu` and the status bar `stbHotmenu`. It translates the
// list's keys, mouse and focus into calls on FrmHotmenu, which decides.
#pragma once

#include <windows.h>

#include <vector>

#include "core/quick/frm_hotmenu.h"
#include "win32/common/controls.h"
#include "win32/common/window.h"

namespace vornix::ui {

class HotmenuWindow : public Window, public HotmenuView {
 public:
  HotmenuWindow(App& app, FrmVornix& frm, MainView& main, QuickAccess& quick, platform::Keyboard& keyboard);
  ~HotmenuWindow() override;

  bool isOpen() const { return menu_.isOpen(); }
  // Creates the window and shows it at the pointer; false when it could not be made.
  bool open();
  void unload() { menu_.unload(); }

  // HotmenuView
  Rect windowRect() override;
  Rect screenAt(const platform::Point& at) override;
  void moveTo(long left, long top) override;
  void setTopMost(bool onTop) override;
  void setLines(const std::vector<HotmenuLine>& lines) override;
  void setStatus(const Text& text) override;
  void selectLine(int line) override;
  int selectedLine() override { return list_.current(); }
  void setCheckTimer(bool on) override;
  void setPickTimer(bool on) override;
  void close() override;

 protected:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static constexpr UINT_PTR kCheckTimer = 1, kPickTimer = 2;
  static LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onListMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool createControls();
  void layout();
  int lineHeight() const;
  void drawLine(const DRAWITEMSTRUCT& item);

  FrmHotmenu menu_;
  ListBox list_;
  StatusBar status_;
  WNDPROC listOwnProc_ = nullptr;
  bool closing_ = false;
  bool clipboardLine_ = false;  // line 0 is the clipboard's text
};

}  // namespace vornix::ui
