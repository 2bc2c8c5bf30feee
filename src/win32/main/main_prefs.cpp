// File > Settings: the Preferences dialog, opened the way every modal dialog of
// the main window is, and what its OK reaches in the running program: record
// mode, hover selection, the on-screen display, the start-up shortcut, saving,
// and the hotkeys of quick access.
#include "core/list/frm_vornix.h"
#include "core/prefs/prefs_view.h"
#include "core/quick/quick_access.h"
#include "win32/main/main_window.h"
#include "win32/prefs/prefs_dialog.h"

namespace vornix::ui {

namespace {

class MainPrefsEffects : public PrefsEffects {
 public:
  MainPrefsEffects(FrmVornix& frm, MainView& view, QuickAccess& quick) : frm_(frm), view_(view), quick_(quick) {}

  void hideDisplay() override { frm_.hideOSD(); }
  void applyAutostart(bool on) override { frm_.setAutostart(on ? 1 : 0); }
  void applyDisplay() override { frm_.setOSD(); }
  void applyRecordMode() override { frm_.changeProtocolMode(-1); }
  void applyHoverSelection(bool on) override { view_.setHoverSelection(on); }
  void reregisterHotkeys() override {
    // The settings changed under the registered hotkeys: every slot is freed first,
    // so that a key moved from one slot to another is not refused as taken.
    quick_.removeHotkeys();
    quick_.registerHotkeys();
  }
  void saveReg() override { frm_.saveReg(); }

 private:
  FrmVornix& frm_;
  MainView& view_;
  QuickAccess& quick_;
};

}  // namespace

void MainWindow::showPreferences() {
  // A top-most main window would cover its own dialog.
  setTopMost(false);
  app_.modalOpen = true;
  MainPrefsEffects effects(frm_, *this, quick_.quick());
  PrefsDialog dialog(app_, effects);
  dialog.run(hwnd());
  frm_.chkTopMost_Click();
}

}  // namespace vornix::ui
