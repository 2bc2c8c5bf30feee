#include <gtest/gtest.h>

#include "fixture.h"

namespace vornix::test {

namespace {

constexpr unsigned kAltCtrl = platform::kModAlt | platform::kModCtrl;

}  // namespace

TEST(Hotkeys, RegistersEnabledGroupsReportsTakenOnesAndLeavesNothingBehind) {
  Quick q;
  q.quick.registerHotkeys();
  ASSERT_EQ(q.hotkeys.registered.size(), 1u);  // the stored defaults: only Alt + Ctrl + C
  EXPECT_EQ(q.hotkeys.registered[0].key, 'C');
  EXPECT_EQ(q.hotkeys.registered[0].modifiers, kAltCtrl);
  EXPECT_GT(q.view.hooks, 0);
  q.app->hotkeys = HotkeySettings{true, true, true, true, 3, 3, 3, 3};
  q.app->hotkeys.hoteditMod = 0;  // no modifier: off, never a bare letter
  q.quick.registerHotkeys();      // again: the held slot is not registered twice
  EXPECT_EQ(q.hotkeys.registered.size(), 12u);
  EXPECT_FALSE(q.quick.registered(kSlotEdit));
  q.quick.removeHotkeys();
  q.quick.removeHotkeys();
  EXPECT_TRUE(q.hotkeys.registered.empty());
  EXPECT_EQ(q.hotkeys.atomsHeld(), 0u);
  // A key another program holds is reported once; the others still register.
  q.app->hotkeys = HotkeySettings{true, false, true, true, 3, 3, 3, 3};
  q.hotkeys.takenByOthers = {{kAltCtrl, 'C'}, {kAltCtrl | platform::kModShift | platform::kModWin, '7'}};
  q.app->hotkeys.textHotkeyMod = 15;
  q.quick.registerHotkeys();
  const Text taken = u"\" konnte nicht gesetzt werden.\r\nSie wird wahrscheinlich durch eine andere Anwendung belegt.";
  EXPECT_EQ(q.boxes(), (std::vector<Text>{u"Die Tastenkombination \"Alt +Strg + C" + taken,
                                          u"Die Tastenkombination \"Win +Alt +Umschalt +Strg + 7" + taken}));
  EXPECT_EQ(q.sys.boxes.shown[0].title, u"Vornix");
  EXPECT_EQ(q.hotkeys.registered.size(), 10u);  // hot menu and nine text keys
  q.quick.removeHotkeys();
  EXPECT_EQ(q.hotkeys.atomsHeld(), 0u);
  // With a box of the program open the failure stays silent; no atom to add stays silent too.
  q.app->modalOpen = true;
  q.quick.registerHotkeys();
  q.app->modalOpen = false;
  q.quick.removeHotkeys();
  q.hotkeys.failAtoms = true;
  q.quick.registerHotkeys();
  EXPECT_EQ(q.sys.boxes.shown.size(), 2u);
  EXPECT_TRUE(q.hotkeys.registered.empty());
}

TEST(Hotkeys, MessagesMatchIdentifierKeyAndExactModifiers) {
  Quick q;
  q.app->hotkeys = HotkeySettings{true, true, true, true, 3, 3, 3, 3};
  q.sys.clipboard.set(u"x");
  q.quick.registerHotkeys();
  const int mainId = q.hotkeys.idOf(kAltCtrl, 'C');
  struct Case { unsigned mods, key; int id; bool handled; } cases[] = {
      {kAltCtrl, 'C', 0, true},
      {kAltCtrl | platform::kModShift, 'C', mainId, false},  // changed modifiers: passed on
      {platform::kModAlt, 'C', mainId, false}, {kAltCtrl, 'D', mainId, false},
      {kAltCtrl, 'C', 0x1234, false},  // no slot's identifier
      {kAltCtrl, 'V', 0, true}, {kAltCtrl, '5', 0, true},
  };
  for (const Case& c : cases) EXPECT_EQ(q.press(c.mods, c.key, c.id), c.handled) << c.key << " " << c.mods;
  EXPECT_EQ(q.hotkeyView.menus, 1);
  EXPECT_EQ(q.hotkeyView.focused, 1);
}

TEST(Hotkeys, MainHotkeyShowsTheWindowAndTicksStayInFront) {
  Quick q({{"ProtocolMode", "1"}, {"QuestionQuit", "1"}});
  q.quick.registerHotkeys();
  q.view.visible = false;
  q.press(kAltCtrl, 'C');
  EXPECT_EQ(q.hotkeyView.leftMini, 1);
  EXPECT_EQ(q.hotkeyView.clicks, 1);
  q.view.visible = true;
  q.view.topMostBox = true;
  q.press(kAltCtrl, 'C');
  EXPECT_EQ(q.hotkeyView.leftMini, 1);
  EXPECT_EQ(q.hotkeyView.clicks, 1);
  EXPECT_EQ(q.hotkeyView.focused, 2);
  // The edit hotkey opens the editor on the selected entry only; the hot menu only when closed.
  q.app->hotkeys.hoteditBol = q.app->hotkeys.hotmenuBol = true;
  q.quick.registerHotkeys();
  q.press(kAltCtrl, 'E');
  EXPECT_TRUE(q.view.editShown.empty());
  q.copy(u"entry");
  q.frm->selectEntry(0);
  q.press(kAltCtrl, 'E');
  EXPECT_EQ(q.view.editShown, std::vector<Text>{u"entry"});
  q.app->hotmenuShown = true;
  q.press(kAltCtrl, 'V');
  EXPECT_EQ(q.hotkeyView.menus, 0);
}

TEST(Hotkeys, EditRequestsWhileTheEditorIsOpenLeaveOneEditorThatStillEdits) {
  // The edit hotkey (also the mini window's and the tray menu's edit), the edit
  // button and the new-entry button, each while the editor is open.
  Quick q({{"ProtocolMode", "1"}});
  q.copy(u"entry");
  q.frm->selectEntry(0);
  q.view.editAnswer = true;
  q.view.editResult = u"edited";
  q.sys.loop.whileOpen([&q] {
    q.quick.editSelectedEntry();
    q.frm->tbMain_ButtonClick(Command::TbEdit);
    q.frm->tbMain_ButtonClick(Command::TbNew);
  });
  q.quick.editSelectedEntry();
  EXPECT_EQ(q.view.editShown, (std::vector<Text>{u"entry"}));
  EXPECT_EQ(q.view.editorFronted, 3);
  EXPECT_TRUE(q.texts() == std::vector<Text>{u"edited"});
  EXPECT_FALSE(q.frm->editorOpen());
}

TEST(Keystrokes, NotationEscapesCommandCharactersAndTheLimitCountsTheEscapedLength) {
  for (auto [text, notation] : {std::pair{u"a+b", u"a{+}b"}, {u"{}", u"{{}{}}"},
                                {u"+^%~()[]", u"{+}{^}{%}{~}{(}{)}{[}{]}"}, {u"Grüße – 中文", u"Grüße – 中文"}})
    EXPECT_EQ(keystrokeNotation(text), notation);
  // What is typed ("" for nothing) and the length the question names ("" for none asked).
  struct Case { Text text; const char *limit, *ask; int answer; Text typed, question; } cases[] = {
      {u"one\r\ntwo\nthree\r", "256", "1", 1, u"one\rtwo\nthree\r", u""},
      {u"a+b", "5", "1", 1, u"a+b", u""},       // exactly the limit
      {u"a+b", "4", "1", 1, u"a+b", u"5"},      // one more asks
      {u"a+b", "4", "1", 2, u"", u"5"},         // and Cancel types nothing
      {u"a+b", "4", "0", 1, u"", u""},          // silently nothing without the question
      {Text(200, u'+'), "256", "1", 1, Text(200, u'+'), u"600"}, {u"", "0", "1", 1, u"", u""},
  };
  for (const Case& c : cases) {
    Quick q({{"LimitKeystroke", c.limit}, {"LimitKeystrokeQuestion", c.ask}});
    q.sys.boxes.answers = {c.answer};
    q.quick.insertKeystrokes(c.text, 0x555);
    const Text typed = q.keyboard.typed.empty() ? Text() : q.keyboard.typed[0].second;
    EXPECT_EQ(typed, c.typed) << ustr::toUtf8(c.text);
    // After the question the target is in front again before the typing.
    EXPECT_TRUE(typed.empty() || c.question.empty() || q.keyboard.typed[0].first == platform::WindowHandle(0x555));
    const Text asked = q.sys.boxes.shown.empty() ? Text() : q.sys.boxes.shown[0].text;
    EXPECT_EQ(asked.empty(), c.question.empty());
    EXPECT_TRUE(c.question.empty() || asked.find(u" " + c.question + u" ") != Text::npos) << ustr::toUtf8(asked);
  }
}

TEST(TextKeys, ClipboardAndOrKeystrokesPerOption) {
  struct Case { const char *clipboard, *keystroke; bool onClipboard, typed; } cases[] = {
      {"1", "0", true, false}, {"0", "1", false, true}, {"1", "1", true, true}, {"0", "0", false, false}};
  for (const Case& c : cases) {
    Quick q({{"TextClipboard", c.clipboard}, {"TextKeystroke", c.keystroke}, {"Textkey4", "x{y}\r\nz"}});
    q.quick.applyTextKey(4);
    q.quick.applyTextKey(5);  // empty block: nothing
    EXPECT_EQ(q.sys.clipboard.writes == 1, c.onClipboard);
    EXPECT_EQ(q.sys.clipboard.text, c.onClipboard ? u"x{y}\r\nz" : u"");
    EXPECT_EQ(q.keyboard.typed.size(), c.typed ? 1u : 0u);
    EXPECT_TRUE(!c.typed || q.keyboard.typed[0].second == u"x{y}\rz");
  }
  Quick refused({{"TextKeystroke", "1"}, {"Textkey0", "abc"}});
  refused.keyboard.refuse = true;
  refused.quick.applyTextKey(0);
  ASSERT_EQ(refused.sys.boxes.shown.size(), 1u);  // not typed, and the user is told
  EXPECT_EQ(refused.sys.clipboard.text, u"abc");
}

}  // namespace vornix::test
