// The mini-mode window `frmVornixDrop`: a small borderless window with three
// buttons and the "always in front" box, its icon in the notification area and
// the icon's popup menu. It implements the logic's MiniView; FrmVornixDrop decides.
#pragma once

#include <windows.h>

#include <vector>

#include "core/quick/mini_mode.h"
#include "win32/common/controls.h"
#include "win32/common/window.h"
#include "win32/main/drag_drop.h"

namespace vornix::ui {

class MiniWindow : public Window, public MiniView {
 public:
  MiniWindow(App& app, FrmVornix& frm, MainView& mainView);
  ~MiniWindow() override;

  FrmVornixDrop& logic() { return drop_; }
  // Enters mini mode (the window is made on first use).
  void enter();
  // The program ends: the icon goes and the position is kept.
  void unloadAtExit();
  // The shortcuts the popup menu shows, and Tab between the controls; true when used.
  bool preTranslate(MSG& message);

  // MiniView
  void showMainWindow(bool show) override;
  void showWindow(bool show) override;
  Rect windowRect() override;
  void moveTo(long left, long top) override;
  Rect workAreaNear(const Rect& rect) override;
  WindowState windowState() override;
  void restoreWindow() override;
  bool topMostChecked() override { return topMost_.checked(); }
  void setTopMostChecked(bool checked) override { topMost_.setChecked(checked); }
  void setTopMost(bool onTop) override;
  void setTranslucency(int alpha) override;
  void makeOpaque() override;
  void addTrayIcon() override;
  void removeTrayIcon() override;
  int showTrayMenu(const TrayMenu& menu) override;
  bool editorOpen() override { return editor() != nullptr; }
  void closeEditor(bool accept) override;

 protected:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static constexpr UINT kMsgDrop = WM_APP + 0x301;
  struct PendingDrop {
    MiniButton button;
    Dropped dropped;
  };

  bool createWindow();
  bool createControls();
  void addTooltip(HWND control, int stringNumber);
  void onCommand(int id, int code);
  void processDrops();
  HWND editor() const;

  App& app_;
  FrmVornix& frm_;
  MainView& mainView_;
  FrmVornixDrop drop_;
  HICON smallIcon_ = nullptr;
  Button buttons_[3];
  Button topMost_;
  HWND tooltip_ = nullptr;
  UINT taskbarCreated_ = 0;
  bool iconAdded_ = false;
  std::vector<PendingDrop> drops_;
};

}  // namespace vornix::ui
