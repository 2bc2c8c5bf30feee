// File > Settings: the Preferences dialog, opened the way every modal dialog of
// the main window is.
#include "win32/main_window.h"
#include "win32/prefs_dialog.h"
#include "win32/prefs_effects.h"

namespace vornix::ui {

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
