// What OK in Preferences reaches in the running program: record mode, hover
// selection, the on-screen display, the start-up shortcut, saving, and the
// hotkeys of quick access.
#pragma once

#include "core/list/frm_vornix.h"
#include "core/prefs/prefs_view.h"
#include "core/quick/quick_access.h"

namespace vornix::ui {

class MainPrefsEffects : public PrefsEffects {
 public:
  MainPrefsEffects(FrmVornix& frm, MainView& view, QuickAccess& quick) : frm_(frm), view_(view), quick_(quick) {}

  void hideDisplay() override { frm_.hideOSD(); }
  void applyAutostart(bool on) override { frm_.setAutostart(on ? 1 : 0); }
  void applyDisplay() override { frm_.setOSD(); }
  void applyRecordMode() override { frm_.changeProtocolMode(-1); }
  void applyHoverSelection(bool on) override { view_.setHoverSelection(on); }
  std::vector<Text> reregisterHotkeys() override;
  void saveReg() override { frm_.saveReg(); }

 private:
  FrmVornix& frm_;
  MainView& view_;
  QuickAccess& quick_;
};

}  // namespace vornix::ui
