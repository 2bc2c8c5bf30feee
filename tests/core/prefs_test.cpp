#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "core/prefs/frm_prefs.h"
#include "core/store/entry_storage.h"
#include "fixture.h"

namespace vornix::test {

namespace {

using C = PrefsControl;

class FakePrefsView : public PrefsView {
 public:
  struct State { bool checked = false, enabled = true, visible = true; Text text; int value = 0, low = 0, high = 100; };
  std::map<C, State> controls;
  int page = 0, previewInterval = -1, alpha = 255;
  bool closed = false;
  C focused = C::count;
  std::vector<Text> told;
  State& at(C c) { return controls[c]; }
  bool checked(C c) override { return at(c).checked; }
  void setChecked(C c, bool on) override { at(c).checked = on; }
  Text text(C c) override { return at(c).text; }
  void setText(C c, const Text& t) override { at(c).text = t; }
  int value(C c) override { return at(c).value; }
  // Held in range, as a trackbar does.
  void setValue(C c, int v) override { at(c).value = std::min(std::max(v, at(c).low), at(c).high); }
  void setItems(C c, const std::vector<Text>& items) override { at(c).high = static_cast<int>(items.size()) - 1; }
  void setSliderRange(C c, int low, int high, int, int) override { at(c).low = low, at(c).high = high; }
  void setEnabled(C c, bool on) override { at(c).enabled = on; }
  void setVisible(C c, bool on) override { at(c).visible = on; }
  int currentPage() override { return page; }
  void showPage(int p) override { page = p; }
  void focus(C c) override { focused = c; }
  void tell(const Text& t, const Text&) override { told.push_back(t); }
  void setPreviewInterval(int ms) override { previewInterval = ms; }
  bool translucencySupported() override { return true; }
  void setAlpha(int a) override { alpha = a; }
  void makeOpaque() override { alpha = 255; }
  void close() override { closed = true; }
};

struct Effects : PrefsEffects {
  Effects(FrmVornix& frm, QuickAccess& quick) : frm(frm), quick(quick) {}
  FrmVornix& frm;
  QuickAccess& quick;
  std::vector<std::string> calls;
  void hideDisplay() override {}
  void applyAutostart(bool) override { calls.push_back("autostart"); }
  void applyDisplay() override { calls.push_back("display"); }
  void applyRecordMode() override { calls.push_back("record"); }
  void applyHoverSelection(bool) override { calls.push_back("hover"); }
  std::vector<Text> reregisterHotkeys() override {
    calls.push_back("hotkeys");
    quick.removeHotkeys();
    return quick.registerHotkeys();
  }
  void saveReg() override {
    calls.push_back("save");
    frm.saveReg();
  }
};

// The program started on a store, with the dialog open on it.
struct Prefs : Quick {
  FakePrefsView dlg;
  Effects effects{*frm, quick};
  FrmPrefs prefs{*app, dlg, effects};
  explicit Prefs(const Stored& stored = {}) : Quick(stored) {
    prefs.Form_Load();
    prefs.Form_Activate();
  }
  // The user clicks a check box or option button.
  void click(C c, bool on = true) {
    dlg.at(c).checked = on;
    prefs.click(c);
  }
  // The user types into a box and leaves it.
  void type(C c, const char* text) {
    prefs.gotFocus(c);
    dlg.at(c).text = T(text);
    prefs.changed(c);
    prefs.lostFocus(c);
  }
};

const std::vector<std::string> kApplyOnce = {"autostart", "display", "record", "hover", "hotkeys"};

}  // namespace

TEST(FrmPrefs, ShowsTheStoredValues) {
  Prefs d({{"ProtocolMode", "1"}, {"RegSave", "True"}, {"OSDSec", "45"}, {"OSDAlign", "1"}, {"Hotedit", "Q"},
           {"LimitSizeKB", "512"}, {"HotkeyMOD", "9"}, {"HoteditBol", "True"}, {"TextkeyBol", "False"}});
  auto& v = d.dlg;
  EXPECT_TRUE(v.checked(C::chkProtocol));
  EXPECT_TRUE(v.at(C::labProtocolHint).visible);
  EXPECT_TRUE(v.checked(C::optBehaviourRegSaveEach));
  EXPECT_FALSE(v.checked(C::optBehaviourRegSaveEnd));
  // A hand-edited 45 shows at the end of the slider.
  EXPECT_EQ(v.value(C::sliTimer), 30);
  EXPECT_EQ(v.text(C::txtTimer), u"30");
  EXPECT_EQ(v.value(C::cmbOSDAlignment), 1);
  EXPECT_EQ(v.text(C::txtHotedit), u"Q");
  EXPECT_EQ(v.text(C::labLimitSize), u"512 KB");
  // 9 = Win + Alt
  EXPECT_TRUE(v.checked(C::chkHotkeyWin));
  EXPECT_TRUE(v.checked(C::chkHotkeyAlt));
  EXPECT_FALSE(v.checked(C::chkHotkeyShift) || v.checked(C::chkHotkeyCtrl));
  EXPECT_TRUE(v.at(C::txtHotedit).enabled);
  EXPECT_FALSE(v.at(C::rtbKey).enabled);
  EXPECT_FALSE(v.at(C::txtOSDRows).enabled);
}

TEST(FrmPrefs, OkAppliesEveryControlOfEveryPage) {
  Prefs d;
  // Main hotkey Win+Shift+K switched off, edit Ctrl+J, hot menu Alt+Shift+M, text keys on Win with block 3.
  for (auto [box, typed] : {std::pair{C::txtOSDRows, "7"}, {C::txtHotkey, "k"}, {C::txtHotedit, "j"},
                            {C::txtHotmenu, "m"}})
    d.type(box, typed);
  const std::pair<C, bool> clicks[] = {
      {C::chkProtocol, true}, {C::optProtocolQuant, false}, {C::optProtocolDate, true}, {C::chkStartMiniMode, true},
      {C::chkStartAutostart, true}, {C::chkQuestionQuit, false}, {C::chkQuestionClipOpen, true}, {C::chkOSD, true},
      {C::chkMiniModeWindow, false}, {C::optDblClickEdit, false}, {C::optDblClickClip, true},
      {C::chkDblClickHyperURL, true}, {C::chkDblClickHyperEMail, true}, {C::chkHoverSelection, true},
      {C::chkAutoSize, false}, {C::chkHotkeyAlt, false}, {C::chkHotkeyCtrl, false}, {C::chkHotkeyWin, true},
      {C::chkHotkeyShift, true}, {C::chkHotkey, false}, {C::chkHotedit, true}, {C::chkHoteditAlt, false},
      {C::chkHotmenu, true}, {C::chkHotmenuCtrl, false}, {C::chkHotmenuShift, true}, {C::chkHotmenuKeystroke, true},
      {C::chkHotmenuClipboard, false}, {C::chkTextKey, true}, {C::chkTextAlt, false}, {C::chkTextCtrl, false},
      {C::chkTextWin, true}, {C::opt3, true}, {C::chkTextKeystroke, true}, {C::chkTextClipboard, false},
      {C::optLanguageAuto, false}, {C::optLanguageGerman, true}, {C::optBehaviourRegSaveEach, true},
      {C::optBehaviourRegSaveEnd, false}, {C::chkLimitSize, false}, {C::chkLimitKeystroke, false}};
  for (auto [c, on] : clicks) d.click(c, on);
  d.dlg.setValue(C::cmbOSDAlignment, 0);
  for (auto [slider, value] : {std::pair{C::sliTimer, 9}, {C::sliOpacity, 40}}) {
    d.dlg.at(slider).value = value;
    d.prefs.sliderMoved(slider, true);
  }
  d.dlg.setText(C::rtbKey, T("Grüße\r\n€ → ✓ 😀"));
  d.dlg.at(C::sliLimitSize).value = 512;
  d.dlg.at(C::sliLimitKeystroke).value = 999;
  d.prefs.OKButton_Click();
  EXPECT_TRUE(d.dlg.closed);
  EXPECT_TRUE(d.dlg.told.empty());
  EXPECT_EQ(d.effects.calls, kApplyOnce);
  // Every option of the dialog, as saving stores it.
  d.frm->saveReg();
  const std::pair<const char*, const char*> stored[] = {
      {"ProtocolMode", "1"}, {"ProtocolQuant", "False"}, {"ProtocolDate", "True"}, {"StartMiniMode", "1"},
      {"StartAutostart", "1"}, {"QuestionQuit", "0"}, {"QuestionClipOpen", "1"},
      {"OSD", "1"}, {"OSDRows", "7"}, {"OSDAlign", "0"}, {"OSDSec", "9"}, {"MiniWindow", "0"}, {"Opacity", "40"},
      {"DblClickEdit", "False"}, {"DblClickClip", "True"}, {"DblClickHyperURL", "1"}, {"DblClickHyperEMail", "1"},
      {"HoverSelection", "1"}, {"AutoSizeList", "0"},
      {"Hotkey", "K"}, {"HotkeyMOD", "12"}, {"HotkeyBol", "False"}, {"Hotedit", "J"}, {"HoteditMOD", "2"},
      {"HoteditBol", "True"}, {"Hotmenu", "M"}, {"HotmenuMOD", "5"}, {"HotmenuBol", "True"},
      {"HotmenuClipboard", "0"}, {"HotmenuKeystroke", "1"},
      {"TextkeyBol", "True"}, {"TextHotkeyMOD", "8"}, {"Textkey3", "Grüße\r\n€ → ✓ 😀"}, {"TextClipboard", "0"},
      {"TextKeystroke", "1"}, {"LanguageAuto", "False"}, {"LanguageGerman", "True"}, {"LanguageEnglish", "False"},
      {"RegSave", "True"}, {"LimitSize", "0"}, {"LimitSizeKB", "512"}, {"LimitKeystrokeQuestion", "0"},
      {"LimitKeystroke", "999"}};
  for (auto& [name, value] : stored) EXPECT_EQ(d.stored(name), T(value)) << name;
  // The hotkeys as OK left them: the main one switched off, the edit one on its new keys.
  EXPECT_NE(d.hotkeys.idOf(2, 'J'), 0);
  EXPECT_EQ(d.hotkeys.idOf(12, 'K'), 0);
}

TEST(FrmPrefs, OkAndSaveApplyOnceAndTellWhatTheOpenDialogKeptQuiet) {
  // A hotkey another program holds, and a text block the store cannot hold whole:
  // each is told once over the dialog, by OK and by the save button alike; the
  // save button applies and saves but keeps the dialog open.
  for (bool save : {false, true}) {
    Prefs d;
    d.hotkeys.takenByOthers.insert({3, 'E'});
    d.click(C::chkHotedit);
    const Text block = Text(EntryStorage::kMaxTextBlock - 1, u'a') + u"😀";
    d.dlg.setText(C::rtbKey, block);
    save ? d.prefs.SaveButton_Click() : d.prefs.OKButton_Click();
    std::vector<std::string> applied = kApplyOnce;
    if (save) applied.push_back("save");
    EXPECT_EQ(d.effects.calls, applied);
    ASSERT_EQ(d.dlg.told.size(), 2u) << save;
    EXPECT_EQ(d.dlg.told[0], formatMessage({d.app->str(kStrHotkeyTaken), d.quick.hotkeyText(3, u"E")}));
    EXPECT_EQ(d.dlg.told[1], EntryStorage::textBlockTooLong(*d.app, block));
    EXPECT_TRUE(d.sys.boxes.shown.empty());
    EXPECT_EQ(d.dlg.closed, !save);
    EXPECT_EQ(d.app->textBlocks[1], block) << "the block in memory stays whole";
    if (!save) continue;
    // Stored without the half of the pair that did not fit.
    EXPECT_EQ(d.stored("Textkey1"), Text(EntryStorage::kMaxTextBlock - 1, u'a'));
    EXPECT_EQ(d.stored("HoteditBol"), u"True");
    d.prefs.OKButton_Click();
    EXPECT_TRUE(d.effects.calls.size() == 6 + kApplyOnce.size());
    EXPECT_TRUE(d.dlg.closed);
  }
}

TEST(FrmPrefs, RefusesABadNumberOnItsFieldUnlessTheFieldIsOff) {
  struct Case { C box; const char* typed; bool displayOn; };
  const Case cases[] = {{C::txtOSDRows, "abc", true}, {C::txtOSDRows, "0", true}, {C::txtOSDRows, "11", true},
                        {C::txtOSDRows, "1.5", true}, {C::txtOSDRows, "", true},  {C::txtTimer, "31", true},
                        {C::txtTimer, "x", true},     {C::txtOSDRows, "abc", false}, {C::txtTimer, "99", false}};
  for (const Case& c : cases) {
    Prefs d({{"OSDRows", "3"}});
    d.click(C::chkProtocol);
    d.click(C::chkOSD, c.displayOn);
    d.dlg.at(c.box).text = T(c.typed);
    d.prefs.OKButton_Click();
    if (c.displayOn) {
      ASSERT_EQ(d.dlg.told.size(), 1u) << c.typed;
      EXPECT_NE(d.dlg.told[0].find(T(c.typed) + u"\""), Text::npos);
      EXPECT_EQ(d.dlg.focused, c.box);
      EXPECT_EQ(d.dlg.page, 1);
      EXPECT_TRUE(d.effects.calls.empty()) << "nothing half-applied";
      EXPECT_FALSE(d.app->options.isOn(kProtocolMode)) << "nothing half-applied";
    } else {
      // A box the user cannot reach keeps what it held.
      EXPECT_TRUE(d.dlg.told.empty());
      EXPECT_EQ(d.app->options.text(kOSDRows), u"3");
      EXPECT_EQ(d.app->options.number(kOSDSec), 15);
    }
    EXPECT_EQ(d.dlg.closed, !c.displayOn);
  }
}

// The sums of the other modifiers are in the test of every control.
TEST(FrmPrefs, AllModifiersSumAndNoModifierSwitchesTheHotkeyOff) {
  for (bool on : {true, false}) {
    Prefs d;
    d.click(C::chkTextKey);
    for (C box : {C::chkTextWin, C::chkTextAlt, C::chkTextShift, C::chkTextCtrl}) d.click(box, on);
    d.prefs.OKButton_Click();
    EXPECT_EQ(d.app->hotkeys.textHotkeyMod, (on ? 15 : 0)) << on;
    EXPECT_EQ(d.app->hotkeys.textkeyBol, on) << on;
  }
}

TEST(FrmPrefs, RefusesTheSameHotkeyTwice) {
  struct Case { const char* menuLetter; bool menuCtrl, menuOn; bool refused; };
  const Case cases[] = {{"C", true, true, true},    // Ctrl+Alt+C twice
                        {"C", false, true, false},  // Alt+C differs
                        {"C", true, false, false},  // the hot menu is off
                        {"V", true, true, false}};
  for (const Case& c : cases) {
    Prefs d;
    d.click(C::chkHotmenu, c.menuOn);
    d.type(C::txtHotmenu, c.menuLetter);
    d.click(C::chkHotmenuCtrl, c.menuCtrl);
    d.prefs.OKButton_Click();
    EXPECT_EQ(d.dlg.closed, !c.refused) << c.menuLetter << c.menuCtrl << c.menuOn;
    EXPECT_EQ(d.effects.calls.empty(), c.refused);
    EXPECT_EQ((d.dlg.focused == C::txtHotmenu), c.refused);
  }
}

TEST(FrmPrefs, LetterBoxesTakeOneLetterAndNotTheOtherHotkeys) {
  const std::tuple<C, const char*, const char*> cases[] = {
      {C::txtHotkey, "b", "B"}, {C::txtHotkey, "1", "C"},  {C::txtHotkey, "AB", "C"},
      {C::txtHotkey, "", "C"},  {C::txtHotkey, "e", "C"},  {C::txtHotedit, "c", "E"},
      {C::txtHotmenu, "ä", "V"}, {C::txtHotmenu, "c", "C"},
  };
  for (auto& [box, typed, shown] : cases) {
    Prefs d;
    d.type(box, typed);
    EXPECT_EQ(d.dlg.text(box), T(shown)) << typed;
  }
}

TEST(FrmPrefs, OkKeepsTheEditsOfEveryTextBlockAndCancelDropsAllChanges) {
  for (bool confirm : {true, false}) {
    Prefs d;
    d.dlg.setText(C::rtbKey, u"one");
    d.click(C::opt2);
    EXPECT_EQ(d.dlg.text(C::rtbKey), u"");
    d.dlg.setText(C::rtbKey, u"two");
    d.click(C::opt1);
    EXPECT_EQ(d.dlg.text(C::rtbKey), u"one");
    d.prefs.Form_Activate();  // back from a notice: the edits stay
    d.click(C::chkProtocol);
    d.click(C::chkHotkeyCtrl, false);
    confirm ? d.prefs.OKButton_Click() : d.prefs.CancelButton_Click();
    EXPECT_TRUE(d.dlg.closed);
    EXPECT_EQ(d.app->textBlocks[1], (confirm ? u"one" : u""));
    EXPECT_EQ(d.app->textBlocks[2], (confirm ? u"two" : u""));
    EXPECT_EQ(d.app->options.isOn(kProtocolMode), confirm);
    EXPECT_EQ(d.app->hotkeys.hotkeyMod, (confirm ? 1 : 3));
    EXPECT_EQ(d.effects.calls.empty(), !confirm);
  }
}

TEST(FrmPrefs, ControlsFollowTheirBoxes) {
  Prefs d;
  // One of clipboard and keystrokes stays checked.
  d.click(C::chkTextClipboard, false);
  EXPECT_TRUE(d.dlg.checked(C::chkTextClipboard));
  d.click(C::chkTextKeystroke);
  d.click(C::chkTextClipboard, false);
  EXPECT_FALSE(d.dlg.checked(C::chkTextClipboard));
  // The display's preview follows its box and its slider, the slider and the field each other.
  d.click(C::chkOSD);
  EXPECT_TRUE(d.dlg.at(C::sliTimer).enabled);
  EXPECT_EQ(d.dlg.previewInterval, 1500);
  d.dlg.at(C::sliTimer).value = 4;
  d.prefs.sliderMoved(C::sliTimer, false);
  EXPECT_EQ(d.dlg.text(C::txtTimer), u"4");
  EXPECT_EQ(d.dlg.previewInterval, 400);
  d.type(C::txtTimer, "22");
  EXPECT_EQ(d.dlg.value(C::sliTimer), 22);
  d.click(C::chkOSD, false);
  EXPECT_EQ(d.dlg.previewInterval, 0);
  // The dialog shows the opacity while the slider moves, and is opaque once it is let go.
  d.dlg.at(C::sliOpacity).value = 90;
  d.prefs.sliderMoved(C::sliOpacity, false);
  EXPECT_EQ(d.dlg.alpha, 26);
  d.prefs.sliderMoved(C::sliOpacity, true);
  EXPECT_EQ(d.dlg.alpha, 255);
  d.prefs.click(C::imgLanguageEnglish);
  EXPECT_TRUE(d.dlg.checked(C::optLanguageEnglish));
  EXPECT_FALSE(d.dlg.checked(C::optLanguageAuto));
  d.prefs.gotFocus(C::chkLimitKeystroke);
  EXPECT_EQ(d.dlg.page, 6);
  d.prefs.OKButton_Click();
  EXPECT_EQ(d.app->options.number(kOSDSec), 22);
}

}  // namespace vornix::test
