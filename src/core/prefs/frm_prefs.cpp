#include "core/prefs/frm_prefs.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "base/ustr.h"
#include "core/info/maker.h"
#include "core/list/entry_rows.h"
#include "core/prefs/localisation.h"
#include "core/quick/translucency.h"
#include "core/store/entry_storage.h"

namespace vornix {

namespace {

using C = PrefsControl;

enum class Kind { Check, Choice, Slider, Box, Combo };

struct Binding {
  int key;
  C control;
  Kind kind;
};

constexpr Binding kBindings[] = {
    {kDblClickEdit, C::optDblClickEdit, Kind::Choice},
    {kDblClickClip, C::optDblClickClip, Kind::Choice},
    {kStartMiniMode, C::chkStartMiniMode, Kind::Check},
    {kProtocolMode, C::chkProtocol, Kind::Check},
    {kStartAutostart, C::chkStartAutostart, Kind::Check},
    {kHotkey, C::txtHotkey, Kind::Box},
    {kHotedit, C::txtHotedit, Kind::Box},
    {kOSDSec, C::sliTimer, Kind::Slider},
    {kDblClickHyperURL, C::chkDblClickHyperURL, Kind::Check},
    {kDblClickHyperEMail, C::chkDblClickHyperEMail, Kind::Check},
    {kOSD, C::chkOSD, Kind::Check},
    {kOSDAlign, C::cmbOSDAlignment, Kind::Combo},
    {kOSDRows, C::txtOSDRows, Kind::Box},
    {kRegSave, C::optBehaviourRegSaveEach, Kind::Choice},
    {kMiniWindow, C::chkMiniModeWindow, Kind::Check},
    {kHoverSelection, C::chkHoverSelection, Kind::Check},
    {kAutoSizeList, C::chkAutoSize, Kind::Check},
    {kOpacity, C::sliOpacity, Kind::Slider},
    {kProtocolQuant, C::optProtocolQuant, Kind::Choice},
    {kProtocolDate, C::optProtocolDate, Kind::Choice},
    {kLimitSize, C::chkLimitSize, Kind::Check},
    {kLimitSizeKB, C::sliLimitSize, Kind::Slider},
    {kQuestionQuit, C::chkQuestionQuit, Kind::Check},
    {kQuestionClipOpen, C::chkQuestionClipOpen, Kind::Check},
    {kLanguageAuto, C::optLanguageAuto, Kind::Choice},
    {kLanguageGerman, C::optLanguageGerman, Kind::Choice},
    {kLanguageEnglish, C::optLanguageEnglish, Kind::Choice},
    {kTextClipboard, C::chkTextClipboard, Kind::Check},
    {kTextKeystroke, C::chkTextKeystroke, Kind::Check},
    {kHotmenuClipboard, C::chkHotmenuClipboard, Kind::Check},
    {kHotmenuKeystroke, C::chkHotmenuKeystroke, Kind::Check},
    {kHotmenu, C::txtHotmenu, Kind::Box},
    {kLimitKeystroke, C::sliLimitKeystroke, Kind::Slider},
    {kLimitKeystrokeQuestion, C::chkLimitKeystroke, Kind::Check},
};

struct Slider {
  C control;
  int low, high, smallStep, largeStep;
};

const Slider kSliders[] = {
    {C::sliTimer, 1, 30, 1, 2},
    {C::sliOpacity, 0, 90, 1, 5},
    {C::sliLimitSize, 256, 1024, 128, 256},
    {C::sliLimitKeystroke, 256, 2048, 1, 16},
};

// The order in which the apply routine sets the options, with an effect after each step.
constexpr int kDisplayKeys[] = {kOSD, kOSDRows, kOSDAlign, kOSDSec};
constexpr int kBehaviourKeys[] = {kStartAutostart, kStartMiniMode, kMiniWindow, kOpacity, kRegSave,
                                  kQuestionQuit, kQuestionClipOpen, kLanguageAuto, kLanguageGerman,
                                  kLanguageEnglish, kProtocolQuant, kProtocolDate, kProtocolMode};
constexpr int kListKeys[] = {kDblClickEdit, kDblClickClip, kDblClickHyperURL, kDblClickHyperEMail, kLimitSize,
                             kLimitSizeKB, kLimitKeystrokeQuestion, kLimitKeystroke, kAutoSizeList, kHoverSelection};
constexpr int kLetterKeys[] = {kHotkey, kHotedit, kHotmenu};
constexpr int kKeystrokeKeys[] = {kHotmenuClipboard, kHotmenuKeystroke, kTextClipboard, kTextKeystroke};

// OK applies every control that has an option: a key missing from the steps
// above would show in the dialog and never reach the program.
constexpr int kAppliedKeys = std::size(kDisplayKeys) + std::size(kBehaviourKeys) + std::size(kListKeys) +
                             std::size(kLetterKeys) + std::size(kKeystrokeKeys);
static_assert(kAppliedKeys == std::size(kBindings), "every bound option is applied once");

const Binding& bindingOf(int key) {
  for (const Binding& b : kBindings)
    if (b.key == key) return b;
  return kBindings[0];  // every key listed above is bound
}

constexpr int kRowsLow = 1, kRowsHigh = 10;
constexpr int kTimerLow = 1, kTimerHigh = 30;
constexpr int kPreviewTick = 100;  // milliseconds per second of display time: a tenth of it

bool isLetterBox(C c) { return c == C::txtHotkey || c == C::txtHotedit || c == C::txtHotmenu; }

int letterKeyOf(C box) { return box == C::txtHotkey ? kHotkey : box == C::txtHotedit ? kHotedit : kHotmenu; }

// A hotkey group: its enable box, letter box (none for the text keys) and modifier
// boxes, with the program-wide flag and modifier value they set.
struct Group {
  C enable, letter, win, alt, shift, ctrl;
  bool HotkeySettings::*bol;
  int HotkeySettings::*mod;
};

// Main, edit, text keys and hot menu: the order in which groups without a modifier are switched off.
const Group kGroups[] = {
    {C::chkHotkey, C::txtHotkey, C::chkHotkeyWin, C::chkHotkeyAlt, C::chkHotkeyShift, C::chkHotkeyCtrl,
     &HotkeySettings::hotkeyBol, &HotkeySettings::hotkeyMod},
    {C::chkHotedit, C::txtHotedit, C::chkHoteditWin, C::chkHoteditAlt, C::chkHoteditShift, C::chkHoteditCtrl,
     &HotkeySettings::hoteditBol, &HotkeySettings::hoteditMod},
    {C::chkTextKey, C::count, C::chkTextWin, C::chkTextAlt, C::chkTextShift, C::chkTextCtrl,
     &HotkeySettings::textkeyBol, &HotkeySettings::textHotkeyMod},
    {C::chkHotmenu, C::txtHotmenu, C::chkHotmenuWin, C::chkHotmenuAlt, C::chkHotmenuShift, C::chkHotmenuCtrl,
     &HotkeySettings::hotmenuBol, &HotkeySettings::hotmenuMod},
};
constexpr int kMainGroup = 0, kEditGroup = 1, kTextGroup = 2, kMenuGroup = 3;
constexpr int kLetterGroups[] = {kMainGroup, kEditGroup, kMenuGroup};

// Modifier bits as the platform counts them.
constexpr int kAlt = 1, kCtrl = 2, kShift = 4, kWin = 8;

}  // namespace

int prefsPageOf(PrefsControl control) {
  static const C kFirsts[kPrefsPages] = {C::chkProtocol,    C::chkOSD,          C::optDblClickEdit,
                                         C::chkHotkey,      C::chkTextKey,      C::optLanguageAuto,
                                         C::optBehaviourRegSaveEach};
  int page = 0;
  for (int p = 0; p < kPrefsPages; ++p)
    if (control >= kFirsts[p]) page = p;
  return page;
}

FrmPrefs::FrmPrefs(App& app, PrefsView& view, PrefsEffects& effects) : app_(app), view_(view), effects_(effects) {}

void FrmPrefs::Form_Load() {
  for (const Slider& s : kSliders) view_.setSliderRange(s.control, s.low, s.high, s.smallStep, s.largeStep);
  view_.setItems(C::cmbOSDAlignment, {app_.str(kStrLeft), app_.str(kStrRight), app_.str(kStrCenter)});
  view_.setText(C::labProtocolHint,
                formatMessage({app_.str(kStrListLimitHint), ustr::fromInt(EntryRows::kCapacity)}));

  const OptionTable& options = app_.options;
  for (const Binding& b : kBindings) {
    switch (b.kind) {
      case Kind::Check: view_.setChecked(b.control, options.isOn(b.key)); break;
      case Kind::Choice: view_.setChecked(b.control, options.isTrue(b.key)); break;
      case Kind::Box: view_.setText(b.control, options.text(b.key)); break;
      case Kind::Combo: {
        // A damaged stored alignment shows as the nearest one the list has.
        const long index = options.number(b.key);
        view_.setValue(b.control, static_cast<int>(std::clamp(index, 0L, 2L)));
        break;
      }
      case Kind::Slider:
        for (const Slider& s : kSliders) {
          if (s.control != b.control) continue;
          const long n = options.number(b.key);
          view_.setValue(b.control, static_cast<int>(std::clamp(n, long{s.low}, long{s.high})));
        }
        break;
    }
  }
  view_.setChecked(C::optBehaviourRegSaveEnd, !options.isTrue(kRegSave));
  view_.setText(C::txtTimer, ustr::fromInt(view_.value(C::sliTimer)));
  showSliderLabel(C::sliLimitSize);
  showSliderLabel(C::sliLimitKeystroke);

  for (int g = 0; g < 4; ++g) {
    const Group& group = kGroups[g];
    const int mod = app_.hotkeys.*group.mod;
    view_.setChecked(group.enable, app_.hotkeys.*group.bol);
    view_.setChecked(group.win, (mod & kWin) != 0);
    view_.setChecked(group.alt, (mod & kAlt) != 0);
    view_.setChecked(group.shift, (mod & kShift) != 0);
    view_.setChecked(group.ctrl, (mod & kCtrl) != 0);
  }

  // Every dependent control starts in the state its box gives it.
  chkOSD_Click();
  chkProtocol_Click();
  chkMiniModeWindow_Click();
  chkLimitSize_Click();
  chkTextKey_Click();
  for (int g : kLetterGroups) enableGroup(g, view_.checked(kGroups[g].enable));
}

void FrmPrefs::Form_Activate() {
  app_.modalOpen = true;
  effects_.hideDisplay();
  // Once per opening: a later activation (after a notice) must not drop the edits.
  if (activated_) return;
  activated_ = true;
  currentKey_ = -1;
  workingBlocks_ = app_.textBlocks;
  view_.setChecked(C::opt1, true);
  TextKey(1);
}

void FrmPrefs::click(PrefsControl control) {
  switch (control) {
    case C::chkOSD: chkOSD_Click(); break;
    case C::chkProtocol: chkProtocol_Click(); break;
    case C::chkMiniModeWindow: chkMiniModeWindow_Click(); break;
    case C::chkLimitSize: chkLimitSize_Click(); break;
    case C::chkTextKey: chkTextKey_Click(); break;
    case C::chkHotkey: enableGroup(kMainGroup, view_.checked(control)); break;
    case C::chkHotedit: enableGroup(kEditGroup, view_.checked(control)); break;
    case C::chkHotmenu: enableGroup(kMenuGroup, view_.checked(control)); break;
    case C::chkHotmenuClipboard: keepOnePartner(control, C::chkHotmenuKeystroke); break;
    case C::chkHotmenuKeystroke: keepOnePartner(control, C::chkHotmenuClipboard); break;
    case C::chkTextClipboard: keepOnePartner(control, C::chkTextKeystroke); break;
    case C::chkTextKeystroke: keepOnePartner(control, C::chkTextClipboard); break;
    case C::imgLanguageGerman:
    case C::imgLanguageEnglish:
      view_.setChecked(C::optLanguageAuto, false);
      view_.setChecked(C::optLanguageGerman, control == C::imgLanguageGerman);
      view_.setChecked(C::optLanguageEnglish, control == C::imgLanguageEnglish);
      break;
    default:
      if (control >= C::opt0 && control <= C::opt9) TextKey(static_cast<int>(control) - static_cast<int>(C::opt0));
      break;
  }
}

void FrmPrefs::gotFocus(PrefsControl control) {
  const int page = prefsPageOf(control);
  if (view_.currentPage() != page) view_.showPage(page);
  // An emptied letter box takes the next key typed; leaving it empty restores the letter.
  if (isLetterBox(control)) view_.setText(control, Text());
}

void FrmPrefs::lostFocus(PrefsControl control) {
  if (isLetterBox(control)) normaliseLetter(control);
}

void FrmPrefs::changed(PrefsControl control) {
  if (isLetterBox(control)) {
    const Text t = view_.text(control);
    const Text u = ustr::upper(t);
    if (u != t) view_.setText(control, u);
  } else if (control == C::txtTimer) {
    // A valid number moves the slider, so that what the box shows is what OK applies.
    long long n = 0;
    if (ustr::parseInt(view_.text(C::txtTimer), kTimerLow, kTimerHigh, n) && n != view_.value(C::sliTimer)) {
      view_.setValue(C::sliTimer, static_cast<int>(n));
      if (view_.checked(C::chkOSD)) view_.setPreviewInterval(static_cast<int>(n) * kPreviewTick);
    }
  }
}

void FrmPrefs::sliderMoved(PrefsControl control, bool released) {
  const int value = view_.value(control);
  switch (control) {
    case C::sliTimer:
      view_.setText(C::txtTimer, ustr::fromInt(value));
      if (view_.checked(C::chkOSD)) view_.setPreviewInterval(value * kPreviewTick);
      break;
    case C::sliOpacity:
      if (!view_.translucencySupported()) break;
      if (released) view_.makeOpaque();
      else view_.setAlpha(opacityToAlpha(app_.options, value));
      break;
    default:
      showSliderLabel(control);
      break;
  }
}

void FrmPrefs::showSliderLabel(PrefsControl slider) {
  const Text n = ustr::fromInt(view_.value(slider));
  if (slider == C::sliLimitSize) view_.setText(C::labLimitSize, n + u" KB");
  else if (slider == C::sliLimitKeystroke) view_.setText(C::labLimitKeystroke, n + u" " + app_.str(kStrCharacters));
}

void FrmPrefs::timerPreview_Timer() {
  previewShown_ = !previewShown_;
  view_.setVisible(C::imgTimer, previewShown_);
}

void FrmPrefs::TextKey(int key) {
  if (key < 0 || key > 9 || key == currentKey_) return;
  if (currentKey_ >= 0) workingBlocks_[currentKey_] = view_.text(C::rtbKey);
  view_.setText(C::rtbKey, workingBlocks_[key]);
  currentKey_ = key;
}

void FrmPrefs::chkOSD_Click() {
  const bool on = view_.checked(C::chkOSD);
  for (C c : {C::labOSDRows, C::txtOSDRows, C::labOSDAlignment, C::cmbOSDAlignment, C::labTimer, C::sliTimer,
              C::txtTimer, C::labTimerUnit})
    view_.setEnabled(c, on);
  view_.setPreviewInterval(on ? view_.value(C::sliTimer) * kPreviewTick : 0);
  if (!on) {
    previewShown_ = true;
    view_.setVisible(C::imgTimer, true);
  }
}

void FrmPrefs::chkProtocol_Click() {
  const bool on = view_.checked(C::chkProtocol);
  view_.setEnabled(C::optProtocolQuant, on);
  view_.setEnabled(C::optProtocolDate, on);
  view_.setVisible(C::labProtocolHint, on);
}

void FrmPrefs::chkMiniModeWindow_Click() {
  const bool on = view_.checked(C::chkMiniModeWindow) && view_.translucencySupported();
  view_.setEnabled(C::sliOpacity, on);
  view_.setEnabled(C::labOpacity, on);
}

void FrmPrefs::chkLimitSize_Click() {
  const bool on = view_.checked(C::chkLimitSize);
  view_.setEnabled(C::sliLimitSize, on);
  view_.setEnabled(C::labLimitSize, on);
}

void FrmPrefs::chkTextKey_Click() {
  const bool on = view_.checked(C::chkTextKey);
  enableGroup(kTextGroup, on);
  for (int c = static_cast<int>(C::opt0); c <= static_cast<int>(C::chkTextKeystroke); ++c)
    view_.setEnabled(static_cast<C>(c), on);
}

void FrmPrefs::enableGroup(int group, bool on) {
  const Group& g = kGroups[group];
  for (C c : {g.letter, g.win, g.alt, g.shift, g.ctrl})
    if (c != C::count) view_.setEnabled(c, on);
  if (group == kMenuGroup) {
    view_.setEnabled(C::chkHotmenuClipboard, on);
    view_.setEnabled(C::chkHotmenuKeystroke, on);
  }
}

void FrmPrefs::keepOnePartner(PrefsControl clicked, PrefsControl partner) {
  if (!view_.checked(clicked) && !view_.checked(partner)) view_.setChecked(clicked, true);
}

void FrmPrefs::normaliseLetter(PrefsControl box) {
  const Text t = view_.text(box);
  bool bad = t.size() != 1 || t[0] < u'A' || t[0] > u'Z';
  if (!bad && box == C::txtHotkey) bad = t == view_.text(C::txtHotedit);
  if (!bad && box == C::txtHotedit) bad = t == view_.text(C::txtHotkey);
  if (bad) view_.setText(box, app_.options.text(letterKeyOf(box)));
}

int FrmPrefs::modifiers(int group) {
  const Group& g = kGroups[group];
  return (view_.checked(g.alt) ? kAlt : 0) + (view_.checked(g.win) ? kWin : 0) +
         (view_.checked(g.ctrl) ? kCtrl : 0) + (view_.checked(g.shift) ? kShift : 0);
}

void FrmPrefs::refuse(PrefsControl control, const Text& message) {
  view_.showPage(prefsPageOf(control));
  view_.tell(message, app_.str(kStrComment));
  view_.focus(control);
}

bool FrmPrefs::checkNumber(PrefsControl box, long low, long high, long fallback, long& out) {
  const Text t = view_.text(box);
  long long n = 0;
  if (ustr::parseInt(t, low, high, n)) {
    out = static_cast<long>(n);
    return true;
  }
  // A box the user cannot reach (the display is off) must not hold the dialog
  // open: it goes back to what it held before.
  if (!view_.checked(C::chkOSD)) {
    out = std::clamp(fallback, low, high);
    return true;
  }
  refuse(box, formatMessage({app_.str(kStrNotANumber), t, ustr::fromInt(low), ustr::fromInt(high)}));
  return false;
}

bool FrmPrefs::validate() {
  // OK by the Enter key leaves a letter box without losing the focus.
  for (C box : {C::txtHotkey, C::txtHotedit, C::txtHotmenu}) normaliseLetter(box);

  long rows = 0, seconds = 0;
  if (!checkNumber(C::txtOSDRows, kRowsLow, kRowsHigh, app_.options.number(kOSDRows), rows)) return false;
  if (!checkNumber(C::txtTimer, kTimerLow, kTimerHigh, view_.value(C::sliTimer), seconds)) return false;
  view_.setText(C::txtTimer, ustr::fromInt(seconds));
  // The boxes show the numbers as they will be stored (" 3" becomes "3").
  view_.setText(C::txtOSDRows, ustr::fromInt(rows));
  view_.setValue(C::sliTimer, static_cast<int>(seconds));

  // Two hotkeys on the same keys: the system would give the second to nobody.
  for (int i = 0; i < 3; ++i) {
    for (int j = i + 1; j < 3; ++j) {
      const Group& a = kGroups[kLetterGroups[i]];
      const Group& b = kGroups[kLetterGroups[j]];
      const int mod = modifiers(kLetterGroups[j]);
      if (!view_.checked(a.enable) || !view_.checked(b.enable) || mod == 0) continue;
      if (modifiers(kLetterGroups[i]) != mod || view_.text(a.letter) != view_.text(b.letter)) continue;
      Text keys;
      if (mod & kWin) keys += app_.str(kStrWin);
      if (mod & kAlt) keys += app_.str(kStrAlt);
      if (mod & kShift) keys += app_.str(kStrShift);
      if (mod & kCtrl) keys += app_.str(kStrCtrl);
      refuse(b.letter, formatMessage({app_.str(kStrHotkeyTwice), keys + u" " + view_.text(b.letter)}));
      return false;
    }
  }
  return true;
}

bool FrmPrefs::applyPreferences() {
  if (!validate()) return false;
  OptionTable& options = app_.options;
  auto set = [&](int key) {
    const Binding& b = bindingOf(key);
    switch (b.kind) {
      case Kind::Check: options.setOption(key, std::int16_t(view_.checked(b.control) ? 1 : 0)); break;
      case Kind::Choice: options.setOption(key, view_.checked(b.control)); break;
      case Kind::Slider: options.setOption(key, std::int32_t(view_.value(b.control))); break;
      case Kind::Combo: options.setOption(key, std::int16_t(view_.value(b.control))); break;
      case Kind::Box: options.setOption(key, view_.text(b.control)); break;
    }
  };

  effects_.applyAutostart(view_.checked(C::chkStartAutostart));
  for (int key : kDisplayKeys) set(key);
  effects_.applyDisplay();
  for (int key : kBehaviourKeys) set(key);
  effects_.applyRecordMode();
  for (int key : kListKeys) set(key);
  effects_.applyHoverSelection(options.isOn(kHoverSelection));
  for (int key : kLetterKeys) set(key);

  if (currentKey_ >= 0) workingBlocks_[currentKey_] = view_.text(C::rtbKey);
  app_.textBlocks = workingBlocks_;

  int mods[4];
  for (int g = 0; g < 4; ++g) mods[g] = modifiers(g);
  for (int key : kKeystrokeKeys) set(key);

  HotkeySettings& h = app_.hotkeys;
  for (int g = 0; g < 4; ++g) {
    h.*kGroups[g].mod = mods[g];
    h.*kGroups[g].bol = view_.checked(kGroups[g].enable);
  }
  // No modifier would put the hotkey on the bare key: that switches it off instead.
  for (int g = 0; g < 4; ++g)
    if (mods[g] == 0) h.*kGroups[g].bol = false;
  // The dialog's own flag kept the system's refusal quiet: it is told here, once,
  // or the user would believe the new keys work.
  for (const Text& keys : effects_.reregisterHotkeys())
    view_.tell(formatMessage({app_.str(kStrHotkeyTaken), keys}), kProgramTitle);
  // Saving cuts a block the store cannot hold, and its own message is muted while
  // the dialog is open: the user hears of it now. The messages are made first:
  // the blocks may change while a box is open.
  std::vector<Text> tooLong;
  for (const Text& block : app_.textBlocks)
    if (block.size() > EntryStorage::kMaxTextBlock) tooLong.push_back(EntryStorage::textBlockTooLong(app_, block));
  for (const Text& message : tooLong) view_.tell(message, app_.str(kStrComment));
  return true;
}

void FrmPrefs::OKButton_Click() {
  if (applyPreferences()) CancelButton_Click();
}

void FrmPrefs::CancelButton_Click() {
  view_.setPreviewInterval(0);
  view_.close();
}

void FrmPrefs::SaveButton_Click() {
  if (applyPreferences()) effects_.saveReg();
}

}  // namespace vornix
