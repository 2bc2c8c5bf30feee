// The main window `frmVornix`: implements the logic's MainView on real controls
// and forwards the user's actions and the system's messages to FrmVornix.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "core/app/app.h"
#include "core/list/frm_vornix.h"
#include "core/list/main_view.h"
#include "core/quick/on_screen_display.h"
#include "platform/win32/startup_folder.h"
#include "win32/common/window.h"
#include "win32/main/drag_drop.h"
#include "win32/main/entry_list_view.h"
#include "win32/main/main_toolbar.h"
#include "win32/main/status_bar.h"
#include "win32/main/tab_pages.h"
#include "win32/quick/mini_window.h"
#include "win32/quick/osd_window.h"
#include "win32/quick/quick_windows.h"

namespace vornix::ui {

class EditorDialog;

class MainWindow : public Window, public MainView {
 public:
  explicit MainWindow(App& app);
  ~MainWindow() override;

  // The window and its controls, not yet shown.
  bool create();
  // The logic's loading (settings, entries, viewer chain), then the start-up timer.
  void load();
  void show(int showCommand);
  // Keys the window takes before the message is dispatched; true when it was used.
  bool preTranslate(MSG& message);
  // For the last-chance handler of a crashing process.
  void emergencyShutdown() {
    emergencyRemoveHotkeys();
    frm_.emergencyShutdown();
  }
  // Hotkeys, keystrokes, text keys and the hot menu.
  QuickWindows& quick() { return quick_; }
  // Mini mode, for the main hotkey (closeMiniMode) and the text keys (applyTextKey).
  FrmVornixDrop& miniMode() { return mini_.logic(); }

  // MainView
  platform::WindowHandle handle() override { return reinterpret_cast<platform::WindowHandle>(hwnd()); }
  void setWinProc() override;
  void setCaption(const Text& caption) override;
  void rowsChanged() override { list_.mirror(); }
  void selectionChanged() override { list_.showSelection(); }
  void postCaptureWork() override;
  void setClipboardPanel(const Text& text) override { status_.setClipboardText(text); }
  void setCommandEnabled(Command command, bool enabled) override;
  int currentTab() override { return tabs_.current(); }
  void showTab(int tab) override { tabs_.show(tab); }
  void setLinkItems(int tab, const std::vector<Text>& items) override { tabs_.setItems(tab, items); }
  void setLinkListEnabled(int tab, bool enabled) override { tabs_.setEnabled(tab, enabled); }
  int linkListCurrent(int tab) override { return tabs_.currentItem(tab); }
  WindowState windowState() override;
  bool isVisible() override;
  Rect windowRect() override;
  void setWindowRect(const Rect& rect) override;
  Rect screenRect() override;
  void setTopMost(bool onTop) override;
  bool topMostChecked() override { return topMost_.checked(); }
  void setTopMostChecked(bool checked) override { topMost_.setChecked(checked); }
  void setHoverSelection(bool on) override { list_.setHoverSelection(on); }
  bool editText(Text& text, bool& protect, bool& copy, bool modal) override;
  void enterMiniMode() override { mini_.enter(); }
  bool openFileDialog(Text& path) override;

 protected:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static constexpr UINT kMsgDrop = WM_APP + 10;
  static constexpr UINT kMsgFileCaptured = WM_APP + 11;
  static constexpr UINT_PTR kCaptureTimer = 2;
  // Changes closer together than this are a burst: they are filed once it ends.
  static constexpr DWORD kCaptureQuietMs = 40;
  static constexpr UINT_PTR kStartupTimer = 1;

  bool createControls();
  void layout();
  void onCommand(int id, int code);
  void menFileFileExport_Click();
  void onMenu(int id);
  void showPreferences();
  LRESULT onNotify(const NMHDR* header);
  void onMinMaxInfo(MINMAXINFO* info) const;
  void onStartupTimer();
  void startQuietTimer();
  void unloadOnce();
  void dragOut();
  void queueDrop(Dropped dropped);
  void processDrops();
  HWND focusTarget() const;
  bool isEntryKeyTarget(HWND window) const;

  App& app_;
  FrmVornix frm_;
  QuickWindows quick_;
  HFONT font_ = nullptr;
  HMENU menu_ = nullptr;
  HACCEL accelerators_ = nullptr;
  MainToolbar toolbar_;
  EntryListView list_;
  TabPages tabs_;
  StatusPanels status_;
  Button topMost_;
  SIZE topMostSize_ = {};
  HWND savedFocus_ = nullptr;
  std::vector<Dropped> drops_;
  std::unique_ptr<EditorDialog> editor_;  // created on first use, kept between uses
  bool loaded_ = false;
  bool unloaded_ = false;
  bool draggingOut_ = false;
  DWORD lastChange_ = 0;       // tick count of the last clipboard change
  bool filePosted_ = false;    // kMsgFileCaptured is on its way
  bool burstTimer_ = false;    // kCaptureTimer runs
  OsdWindow osd_;
  OnScreenDisplay display_;
  win32::Win32StartupFolder startupFolder_;
  MiniWindow mini_;  // after the logic it works on
  static LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace vornix::ui
