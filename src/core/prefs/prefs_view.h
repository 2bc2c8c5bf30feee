// What the Preferences logic needs from the dialog on the screen, and the effects
// its OK reaches in the rest of the program. PrefsView is implemented by the Win32
// dialog (src/win32/prefs_dialog) and by a fake in the tests; PrefsEffects by the
// main window (src/win32/main/main_prefs.cpp) and by a recorder in the tests.
#pragma once

#include <string>
#include <vector>

namespace vornix {

using Text = std::u16string;

// Every control the logic reads or sets, page by page in page order: the page of a
// control follows from its place (see prefsPageOf).
enum class PrefsControl {
  // Page 0: general
  chkProtocol, optProtocolQuant, optProtocolDate, labProtocolHint, chkStartMiniMode, chkStartAutostart,
  chkQuestionQuit, chkQuestionClipOpen,
  // Page 1: display
  chkOSD, labOSDRows, txtOSDRows, labOSDAlignment, cmbOSDAlignment, labTimer, sliTimer, txtTimer, labTimerUnit,
  imgTimer, chkMiniModeWindow, sliOpacity, labOpacity,
  // Page 2: lists
  optDblClickEdit, optDblClickClip, chkDblClickHyperURL, chkDblClickHyperEMail, chkHoverSelection, chkAutoSize,
  // Page 3: keyboard; each hotkey group is: enable box, letter box, Win, Alt, Shift, Ctrl
  chkHotkey, txtHotkey, chkHotkeyWin, chkHotkeyAlt, chkHotkeyShift, chkHotkeyCtrl,
  chkHotedit, txtHotedit, chkHoteditWin, chkHoteditAlt, chkHoteditShift, chkHoteditCtrl,
  chkHotmenu, txtHotmenu, chkHotmenuWin, chkHotmenuAlt, chkHotmenuShift, chkHotmenuCtrl,
  chkHotmenuClipboard, chkHotmenuKeystroke,
  // Page 4: text blocks; the group has no letter box
  chkTextKey, chkTextWin, chkTextAlt, chkTextShift, chkTextCtrl,
  opt0, opt1, opt2, opt3, opt4, opt5, opt6, opt7, opt8, opt9, rtbKey, chkTextClipboard, chkTextKeystroke,
  // Page 5: language
  optLanguageAuto, optLanguageGerman, optLanguageEnglish, imgLanguageGerman, imgLanguageEnglish,
  // Page 6: miscellaneous
  optBehaviourRegSaveEach, optBehaviourRegSaveEnd, chkLimitSize, sliLimitSize, labLimitSize, chkLimitKeystroke,
  sliLimitKeystroke, labLimitKeystroke,
  count
};

constexpr int kPrefsPages = 7;
int prefsPageOf(PrefsControl control);

class PrefsView {
 public:
  virtual ~PrefsView() = default;
  virtual bool checked(PrefsControl control) = 0;
  // Sets a check box or option button without a click (no handler runs).
  virtual void setChecked(PrefsControl control, bool on) = 0;
  virtual Text text(PrefsControl control) = 0;
  virtual void setText(PrefsControl control, const Text& text) = 0;
  // A slider's position or a combo box's list index.
  virtual int value(PrefsControl control) = 0;
  virtual void setValue(PrefsControl control, int value) = 0;
  virtual void setItems(PrefsControl control, const std::vector<Text>& items) = 0;
  virtual void setSliderRange(PrefsControl slider, int low, int high, int smallStep, int largeStep) = 0;
  virtual void setEnabled(PrefsControl control, bool on) = 0;
  virtual void setVisible(PrefsControl control, bool on) = 0;
  virtual int currentPage() = 0;
  virtual void showPage(int page) = 0;
  virtual void focus(PrefsControl control) = 0;
  // A notice over the dialog, which stays open behind it.
  virtual void tell(const Text& text, const Text& title) = 0;
  // The display-time preview's timer; 0 stops it.
  virtual void setPreviewInterval(int milliseconds) = 0;
  virtual bool translucencySupported() = 0;
  virtual void setAlpha(int alpha) = 0;
  virtual void makeOpaque() = 0;
  virtual void close() = 0;
};

// The program's routines that OK and the save button reach, in the order the
// apply routine calls them.
class PrefsEffects {
 public:
  virtual ~PrefsEffects() = default;
  // Hides the on-screen display while a dialog is open.
  virtual void hideDisplay() = 0;
  // Brings the start-up shortcut in line with `on`.
  virtual void applyAutostart(bool on) = 0;
  // Passes the display options (lines, alignment, time) to the on-screen display.
  virtual void applyDisplay() = 0;
  // Joins or leaves the clipboard viewer chain as the record-mode option says.
  virtual void applyRecordMode() = 0;
  virtual void applyHoverSelection(bool on) = 0;
  // Removes every registered hotkey and registers the enabled ones anew.
  virtual void reregisterHotkeys() = 0;
  // Writes everything to the settings store.
  virtual void saveReg() = 0;
};

}  // namespace vornix
