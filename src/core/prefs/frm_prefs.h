// The Preferences dialog's logic `frmPrefs`: fills the controls from the option
// table and the program-wide hotkey settings and text blocks, keeps the controls
// consistent while the dialog is open, and on OK or the save button checks every
// entry before anything reaches the program, then applies them all at once.
// It knows the dialog only through PrefsView and the program only through App
// and PrefsEffects.
#pragma once

#include <array>

#include "core/app/app.h"
#include "core/prefs/prefs_view.h"

namespace vornix {

class FrmPrefs {
 public:
  FrmPrefs(App& app, PrefsView& view, PrefsEffects& effects);

  void Form_Load();
  void Form_Activate();

  // The user's doing, after the control has changed.
  void click(PrefsControl control);
  void gotFocus(PrefsControl control);
  void lostFocus(PrefsControl control);
  void changed(PrefsControl control);
  // A slider moved; `released` once the user lets go of it.
  void sliderMoved(PrefsControl control, bool released);
  void timerPreview_Timer();
  // Shows text block `key` in the editor box, keeping the edits of the one shown.
  void TextKey(int key);

  void OKButton_Click();
  void CancelButton_Click();
  void SaveButton_Click();

  // Checks every entry, then applies them; false (with a notice, the focus on the
  // offending field and nothing applied) when an entry is refused.
  bool applyPreferences();

 private:
  bool validate();
  bool checkNumber(PrefsControl box, long low, long high, long fallback, long& out);
  void normaliseLetter(PrefsControl box);
  void refuse(PrefsControl control, const Text& message);
  int modifiers(int group);
  void enableGroup(int group, bool on);
  void chkOSD_Click();
  void chkProtocol_Click();
  void chkMiniModeWindow_Click();
  void chkLimitSize_Click();
  void chkTextKey_Click();
  void keepOnePartner(PrefsControl clicked, PrefsControl partner);
  void showSliderLabel(PrefsControl slider);

  App& app_;
  PrefsView& view_;
  PrefsEffects& effects_;
  std::array<Text, 10> workingBlocks_;
  int currentKey_ = -1;
  bool activated_ = false;
  bool previewShown_ = true;
};

}  // namespace vornix
