#include <gtest/gtest.h>

#include <functional>

#include "fixture.h"

namespace vornix::test {

namespace {

struct Recording : Program {
  Recording() {
    set("ProtocolMode", "1");
    start();
  }
};

}  // namespace

TEST(Capture, RecordModeFilesEachNewTextOnce) {
  Recording p;
  const Text unicode = T("Grüße – naïve café € 中文 Ελληνικά 😀");
  for (const Text& t : {Text(u"A"), Text(u"A"), Text(u"B"), Text(u"A"), unicode}) p.copy(t);
  EXPECT_EQ(p.texts(), (std::vector<Text>{u"A", u"B", unicode}));
  EXPECT_EQ(p.row(u"A")->cells[kColCounter], u"0");
  // Copying A again selected its row rather than filing it a second time.
  p.copy(u"A");
  EXPECT_EQ(p.frm->rows().selected(), p.indexOf(u"A"));
  EXPECT_EQ(p.view.panel, u"A");
  EXPECT_EQ(p.view.tab, kTabList);
  // Our own copy back of a Unicode text comes back unchanged and is not filed again.
  p.frm->lvItems_Select(p.indexOf(unicode));
  p.frm->tbMain_ButtonClick(5);
  EXPECT_EQ(p.sys.clipboard.text, unicode);
  EXPECT_EQ(p.frm->rows().count(), 3);
  EXPECT_EQ(p.row(unicode)->cells[kColCounter], u"1");
  // Another program empties the clipboard: nothing to file.
  p.sys.clipboard.setPicture();
  p.idle();
  EXPECT_EQ(p.frm->rows().count(), 3);
}

TEST(Capture, EachChangeIsReadAtOnceWithOneOpeningAndFiledWhenTheQueueIsEmpty) {
  Recording p;
  for (const Text& t : {Text(u"new text"), Text(u"new text"), Text(300000, u'x')}) {
    const int before = p.sys.clipboard.opens;
    p.copy(t);
    EXPECT_EQ(p.sys.clipboard.opens - before, 1) << t.size();
  }
  // A burst of changes before the program gets to its posted work: every text is
  // filed, in order; the display and saving wait until the changes pause.
  p.app->options.setOption(kRegSave, Text(u"True"));
  const Text shown = p.view.panel;
  for (int i = 0; i < 40; ++i) p.sys.clipboard.set(u"text " + ustr::fromInt(i));
  EXPECT_EQ(p.frm->rows().count(), 2);  // nothing filed while changes keep coming
  p.frm->fileCaptured(false);
  EXPECT_EQ(p.frm->rows().count(), 42);
  EXPECT_NE(p.row(u"text 0"), nullptr);
  EXPECT_EQ(p.view.panel, shown);
  EXPECT_FALSE(p.has("EntryCount"));
  p.idle();
  EXPECT_EQ(p.view.panel, u"text 39");
  EXPECT_EQ(p.stored("EntryCount"), u"42");
}

TEST(Capture, TypeColumnFollowsTheClassification) {
  Recording p;
  p.copy(u"plain words");
  p.copy(u"http://example.org");
  p.copy(u"joe@example.com");
  p.copy(u"mailto:joe@example.com");
  p.copy(u"ftp:joe@example.com");
  EXPECT_EQ(p.row(u"plain words")->cells[kColType], u"Text");
  EXPECT_EQ(p.row(u"http://example.org")->cells[kColType], u"URL");
  EXPECT_EQ(p.row(u"joe@example.com")->cells[kColType], u"E-Mail");
  EXPECT_EQ(p.row(u"mailto:joe@example.com")->cells[kColType], u"E-Mail");
  EXPECT_EQ(p.row(u"ftp:joe@example.com")->cells[kColType], u"URL");
}

TEST(Capture, WithoutRecordModeOnlyTheDisplayFollows) {
  Program p;
  p.start();
  p.copy(u"A");
  p.frm->activate();
  EXPECT_EQ(p.frm->rows().count(), 0);
  EXPECT_EQ(p.view.panel, u"A");
  EXPECT_TRUE(p.view.enabled[Command::TbPaste]);
  p.frm->FromClipboard();
  p.frm->FromClipboard();  // the same text again only selects its row
  EXPECT_EQ(p.frm->rows().count(), 1);
  p.sys.clipboard.setPicture();
  p.frm->activate();
  EXPECT_EQ(p.view.panel, u"<Text-Zwischenablage leer>");
  EXPECT_FALSE(p.view.enabled[Command::TbPaste]);
  EXPECT_FALSE(p.view.enabled[Command::MenEditPaste]);
  EXPECT_FALSE(p.view.enabled[Command::MenClearClipboard]);
}

TEST(Capture, LongTextShowsShortenedInTheStatusBar) {
  // Read whole, or only its ends when it is over the size limit or long: the same display.
  for (size_t length : {2000, 5000, 2000000}) {
    Recording p;
    Text text = Text(length - 1, u'x') + u'y';
    text[0] = u'a';
    p.copy(text);
    EXPECT_EQ(p.view.panel, u'a' + Text(62, u'x') + u" [...] " + Text(61, u'x') + u'y') << length;
    p.frm->activate();
    EXPECT_EQ(p.view.panel, u'a' + Text(62, u'x') + u" [...] " + Text(61, u'x') + u'y') << length;
  }
}

TEST(Capture, SizeLimitDecidesWhatIsFiledFromTheFirstNotificationOn) {
  Recording p;
  p.app->options.setOption(kLimitSizeKB, std::int32_t{1});
  p.copy(Text(1025, u'a'));
  EXPECT_EQ(p.frm->rows().count(), 0);
  p.copy(Text(1024, u'b'));
  EXPECT_EQ(p.frm->rows().count(), 1);

  // Joining the chain while loading reports the clipboard at once: the limit holds there too.
  Program q;
  q.set("ProtocolMode", "1");
  q.set("LimitSizeKB", "1");
  q.sys.clipboard.set(Text(5000, u'c'));
  q.start();
  EXPECT_EQ(q.sys.chain.joins, 1);
  EXPECT_EQ(q.frm->rows().count(), 0);
  EXPECT_EQ(q.view.panel, Text(63, u'c') + u" [...] " + Text(62, u'c'));
}

TEST(Capture, SecretTextsLeaveNoTrace) {
  // Each way a text can come from the clipboard, with the text marked secret by its program.
  const std::function<void(Program&)> ways[] = {
      [](Program& p) { p.copy(u"hunter2", true); },
      [](Program& p) {
        p.sys.clipboard.set(u"hunter2", true);
        p.app->options.setOption(kProtocolMode, std::int32_t{1});
        p.frm->changeProtocolMode();
      },
      [](Program& p) {
        p.copy(u"hunter2", true);
        p.frm->tbMain_ButtonClick(6);
      },
      [](Program& p) {
        p.copy(u"hunter2", true);
        p.frm->menClearClipboard_Click();
        p.frm->menEditUndo_Click();
      },
  };
  for (const auto& way : ways) {
    Program p;
    p.set("RegSave", "True");
    p.set("ProtocolMode", "1");
    p.sys.clipboard.set(u"before");
    p.start();
    p.app->options.setOption(kProtocolMode, std::int32_t{0});
    p.frm->changeProtocolMode();
    p.app->options.setOption(kProtocolMode, std::int32_t{1});
    p.frm->changeProtocolMode();
    way(p);
    EXPECT_EQ(p.texts(), std::vector<Text>{u"before"});
    EXPECT_EQ(p.view.panel.find(u"hunter2"), Text::npos);
    EXPECT_EQ(p.frm->undoRecord().text.find(u"hunter2"), Text::npos);
    EXPECT_EQ(p.app->currentClip.clipText().find(u"hunter2"), Text::npos);
    for (const auto& [name, value] : p.sys.store.values) EXPECT_EQ(value.find(u"hunter2"), Text::npos);
    // The same text without the marker is filed.
    p.copy(u"hunter2");
    EXPECT_EQ(p.texts(), (std::vector<Text>{u"before", u"hunter2"}));
  }
  Recording p;
  p.copy(u"hunter2", true);
  EXPECT_EQ(p.view.panel, u"<Verborgener Text (vom Programm als privat markiert)>");
  EXPECT_FALSE(p.view.enabled[Command::TbPaste]);
  EXPECT_TRUE(p.view.enabled[Command::MenClearClipboard]);
}

TEST(Capture, BusyClipboardAsksOnlyWhenTheOptionSaysSo) {
  Recording p;
  p.sys.clipboard.busyReads = 1;  // the capture gives up quietly
  p.copy(u"X");
  EXPECT_EQ(p.frm->rows().count(), 0);
  EXPECT_TRUE(p.sys.boxes.shown.empty());

  p.app->options.setOption(kQuestionClipOpen, std::int32_t{1});
  p.sys.boxes.answers = {1};
  p.sys.clipboard.busyReads = 1;  // asks, OK: then free
  p.copy(u"X");
  EXPECT_EQ(p.frm->rows().count(), 1);
  ASSERT_EQ(p.sys.boxes.shown.size(), 1u);
  EXPECT_EQ(p.sys.boxes.shown[0].text, u"Zwischenablage konnte nicht geöffnet werden. Nochmal versuchen?");

  p.sys.boxes.answers = {2};
  p.sys.clipboard.busyReads = 1;
  p.copy(u"Y");
  EXPECT_EQ(p.frm->rows().count(), 1);
}

TEST(Capture, HotMenuFreezesCapture) {
  Recording p;
  p.app->hotmenuShown = true;
  p.copy(u"A");
  EXPECT_EQ(p.frm->rows().count(), 0);
  EXPECT_EQ(p.view.panel, u"<Text-Zwischenablage leer>");
}

TEST(Capture, CutOutsideTheChainLeavesNothingToIgnore) {
  Program p;
  p.start();
  p.sys.clipboard.set(u"cut text");
  p.frm->FromClipboard();
  p.frm->tbMain_ButtonClick(4);
  EXPECT_FALSE(p.frm->ignoreNextChange());
  EXPECT_EQ(p.frm->rows().count(), 0);
  // Switching record mode on: the text on the clipboard is our own and is not filed;
  // the user's next copy is.
  p.app->options.setOption(kProtocolMode, std::int32_t{1});
  p.frm->changeProtocolMode();
  EXPECT_EQ(p.frm->rows().count(), 0);
  p.copy(u"next");
  EXPECT_EQ(p.texts(), std::vector<Text>{u"next"});
}

TEST(Capture, FailedClipboardWritesChangeNothing) {
  struct Case {
    int button;
    const char* name;
  };
  for (const Case& c : {Case{5, "copy"}, Case{4, "cut"}}) {
    Recording p;
    p.copy(u"kept");
    p.copy(u"on the clipboard");
    p.frm->lvItems_Select(p.indexOf(u"kept"));
    p.sys.clipboard.busyReads = 2;  // the previous text is read, then the write finds it busy
    p.frm->tbMain_ButtonClick(c.button);
    EXPECT_EQ(p.sys.clipboard.text, u"on the clipboard") << c.name;
    ASSERT_NE(p.row(u"kept"), nullptr) << c.name;
    EXPECT_EQ(p.row(u"kept")->cells[kColCounter], u"0") << c.name;
    ASSERT_EQ(p.sys.boxes.shown.size(), 1u) << c.name;
    EXPECT_EQ(p.sys.boxes.shown[0].text, u"CopyItem: \r\nAccess is denied.") << c.name;
    EXPECT_FALSE(p.frm->ignoreNextChange()) << c.name;
    // The user's next copy is filed.
    p.copy(u"next");
    EXPECT_NE(p.row(u"next"), nullptr) << c.name;
  }
}

TEST(Capture, ChangeProtocolModeJoinsAndLeavesOnce) {
  Program p;
  p.start();
  p.frm->changeProtocolMode(1);
  p.frm->changeProtocolMode(1);
  EXPECT_EQ(p.sys.chain.joins, 1);
  p.frm->changeProtocolMode(0);
  p.frm->changeProtocolMode(0);
  EXPECT_EQ(p.sys.chain.leaves, 1);
}

TEST(Capture, ClearClipboardCanBeUndone) {
  Program p;
  p.start();
  p.sys.clipboard.set(u"keep me");
  p.frm->menClearClipboard_Click();
  EXPECT_FALSE(p.sys.clipboard.hasTextFormat);
  EXPECT_TRUE(p.view.enabled[Command::MenEditUndo]);
  p.frm->menEditUndo_Click();
  EXPECT_EQ(p.sys.clipboard.text, u"keep me");
  EXPECT_EQ(p.texts(), std::vector<Text>{u"keep me"});
}

TEST(ViewerChain, PassesNotificationsOnAndFollowsLeavingViewers) {
  Program p;
  p.sys.chain.nextOnJoin = 0x50;
  p.set("ProtocolMode", "1");
  p.start();
  p.frm->onDrawClipboard(7, 8);
  ASSERT_EQ(p.sys.chain.sent.size(), 1u);
  EXPECT_EQ(p.sys.chain.sent[0].to, 0x50u);
  EXPECT_EQ(p.sys.chain.sent[0].message, 0x0308u);
  EXPECT_EQ(p.sys.chain.sent[0].w, 7u);

  // A viewer further down leaves: passed on unchanged.
  p.frm->onChangeCbChain(0x70, 0x80);
  ASSERT_EQ(p.sys.chain.sent.size(), 2u);
  EXPECT_EQ(p.sys.chain.sent[1].message, 0x030Du);
  EXPECT_EQ(p.sys.chain.sent[1].w, 0x70u);
  EXPECT_EQ(p.sys.chain.sent[1].l, 0x80);

  // Our next viewer leaves: its follower becomes the next one, nothing is sent.
  p.frm->onChangeCbChain(0x50, 0x60);
  EXPECT_EQ(p.frm->nextViewer(), 0x60u);
  EXPECT_EQ(p.sys.chain.sent.size(), 2u);

  // A capture that fails with an exception still passes the change on.
  p.sys.clipboard.throws = true;
  EXPECT_ANY_THROW(p.frm->onDrawClipboard(1, 2));
  p.sys.clipboard.throws = false;
  ASSERT_EQ(p.sys.chain.sent.size(), 3u);
  EXPECT_EQ(p.sys.chain.sent[2].to, 0x60u);
  p.sys.chain.sent.pop_back();

  // The last one leaves: we are the end of the chain and send nothing.
  p.frm->onChangeCbChain(0x60, 0);
  p.frm->onDrawClipboard(0, 0);
  p.frm->onChangeCbChain(0x99, 0);
  EXPECT_EQ(p.sys.chain.sent.size(), 2u);
}

}  // namespace vornix::test
