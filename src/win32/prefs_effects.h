// What OK in Preferences reaches in the running program. Record mode, hover
// selection and saving are the main window's; hotkeys, the on-screen display
// and the start-up shortcut belong to the quick-access and mini-mode parts of
// the program and are wired here when those land.
#pragma once

#include "core/list/frm_vornix.h"
#include "core/prefs/prefs_view.h"

namespace vornix::ui {

class MainPrefsEffects : public PrefsEffects {
 public:
  MainPrefsEffects(FrmVornix& frm, MainView& view) : frm_(frm), view_(view) {}

  void hideDisplay() override;
  void applyAutostart(bool on) override;
  void applyDisplay() override;
  void applyRecordMode() override { frm_.changeProtocolMode(-1); }
  void applyHoverSelection(bool on) override { view_.setHoverSelection(on); }
  void reregisterHotkeys() override;
  void saveReg() override { frm_.saveReg(); }

 private:
  FrmVornix& frm_;
  MainView& view_;
};

}  // namespace vornix::ui
