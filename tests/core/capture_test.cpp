#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "fixture.h"

namespace vornix::test {

namespace {

struct Recording : Running {
  Recording() : Running({{"ProtocolMode", "1"}}) {}
};

}  // namespace

TEST(Capture, RecordModeFilesEachNewTextOnceWithItsTypeButNotWhileTheHotMenuIsOpen) {
  Recording p;
  const Text unicode = T("Grüße – naïve café € 中文 Ελληνικά 😀");
  for (const Text& t : {Text(u"A"), Text(u"A"), Text(u"B"), Text(u"A"), unicode}) p.copy(t);
  EXPECT_EQ(p.texts(), (std::vector<Text>{u"A", u"B", unicode}));
  EXPECT_EQ(p.cells(u"A")[kColCounter], u"0");
  // Copying A again selected its row rather than filing it a second time.
  p.copy(u"A");
  EXPECT_EQ(p.frm->rows().selected(), p.indexOf(u"A"));
  EXPECT_EQ(p.view.panel, u"A");
  EXPECT_EQ(p.view.tab, kTabList);
  // Another program empties the clipboard: nothing to file.
  p.sys.clipboard.setPicture();
  p.idle();
  EXPECT_EQ(p.frm->rows().count(), 3);
  // An address after "mailto:" is an e-mail, after another scheme a URL.
  for (auto [text, type] : {std::pair{u"plain words", u"Text"}, {u"http://example.org", u"URL"},
                             {u"joe@example.com", u"E-Mail"}, {u"mailto:joe@example.com", u"E-Mail"},
                             {u"ftp:joe@example.com", u"URL"}}) {
    p.copy(text);
    EXPECT_EQ(p.cells(text)[kColType], type) << ustr::toUtf8(text);
  }
  // While the hot menu is open, capture stands still.
  p.app->hotmenuShown = true;
  const Text shown = p.view.panel;
  p.copy(u"frozen");
  EXPECT_EQ(p.row(u"frozen"), nullptr);
  EXPECT_EQ(p.view.panel, shown);
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
  EXPECT_TRUE(p.row(u"text 0"));
  EXPECT_EQ(p.view.panel, shown);
  EXPECT_FALSE(p.has("EntryCount"));
  p.idle();
  EXPECT_EQ(p.view.panel, u"text 39");
  EXPECT_EQ(p.stored("EntryCount"), u"42");
}

TEST(Capture, WithoutRecordModeOnlyTheDisplayFollows) {
  Running p;
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
  for (Command c : {Command::TbPaste, Command::MenEditPaste, Command::MenClearClipboard})
    EXPECT_FALSE(p.view.enabled[c]);
  // Clearing the clipboard can be undone: the text comes back, and is filed.
  p.sys.clipboard.set(u"keep me");
  p.frm->menClearClipboard_Click();
  EXPECT_FALSE(p.sys.clipboard.hasTextFormat);
  EXPECT_TRUE(p.view.enabled[Command::MenEditUndo]);
  p.frm->menEditUndo_Click();
  EXPECT_EQ(p.sys.clipboard.text, u"keep me");
  EXPECT_EQ(p.frm->rows().count(), 2);
  EXPECT_TRUE(p.row(u"keep me"));
}

TEST(Capture, SizeLimitDecidesWhatIsFiledFromTheFirstNotificationOnAndLongTextsShowShortened) {
  Recording p;
  p.app->options.setOption(kLimitSizeKB, std::int32_t{1});
  p.copy(Text(1025, u'a'));
  p.copy(Text(1024, u'b'));
  EXPECT_EQ(p.texts(), std::vector<Text>{Text(1024, u'b')});
  // Joining the chain while loading reports the clipboard at once: the limit holds there too.
  Program q;
  q.setAll({{"ProtocolMode", "1"}, {"LimitSizeKB", "1"}});
  q.sys.clipboard.set(Text(5000, u'c'));
  q.start();
  EXPECT_EQ(q.sys.chain.joins, 1);
  EXPECT_EQ(q.frm->rows().count(), 0);
  EXPECT_EQ(q.view.panel, Text(63, u'c') + u" [...] " + Text(62, u'c'));
  // Read whole, or only its ends when it is over the size limit or long: the same display.
  const Text shown = u'a' + Text(62, u'x') + u" [...] " + Text(61, u'x') + u'y';
  for (size_t length : {2000, 5000, 2000000}) {
    Recording r;
    r.copy(u'a' + Text(length - 2, u'x') + u'y');
    EXPECT_EQ(r.view.panel, shown) << length;
    r.frm->activate();
    EXPECT_EQ(r.view.panel, shown) << length;
  }
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
    p.setAll({{"RegSave", "True"}, {"ProtocolMode", "1"}});
    p.sys.clipboard.set(u"before");
    p.start();
    for (std::int32_t mode : {0, 1}) {
      p.app->options.setOption(kProtocolMode, mode);
      p.frm->changeProtocolMode();
    }
    way(p);
    EXPECT_EQ(p.texts(), std::vector<Text>{u"before"});
    std::vector<Text> traces = {p.view.panel, p.frm->undoRecord().text, p.app->currentClip.clipText()};
    for (const auto& [name, value] : p.sys.store.values) traces.push_back(value);
    for (const Text& t : traces) EXPECT_EQ(t.find(u"hunter2"), Text::npos) << ustr::toUtf8(t);
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
  // Asked: OK tries again and files X, Cancel gives Y up.
  p.app->options.setOption(kQuestionClipOpen, std::int32_t{1});
  for (int answer : {1, 2}) {
    p.sys.boxes.answers = {answer};
    p.sys.clipboard.busyReads = 1;
    p.copy(answer == 1 ? u"X" : u"Y");
    EXPECT_EQ(p.texts(), std::vector<Text>{u"X"}) << answer;
    EXPECT_EQ(p.sys.boxes.shown.size(), static_cast<size_t>(answer));
  }
  EXPECT_EQ(p.sys.boxes.shown[0].text, u"Zwischenablage konnte nicht geöffnet werden. Nochmal versuchen?");
}

TEST(Capture, CutOutsideTheChainLeavesNothingToIgnoreAndTheChainIsJoinedAndLeftOnce) {
  Running p;
  p.sys.clipboard.set(u"cut text");
  p.frm->FromClipboard();
  p.frm->tbMain_ButtonClick(4);
  EXPECT_FALSE(p.frm->ignoreNextChange());
  EXPECT_EQ(p.frm->rows().count(), 0);
  // Switching record mode on: the text on the clipboard is our own and is not filed;
  // the user's next copy is.
  p.app->options.setOption(kProtocolMode, std::int32_t{1});
  p.frm->changeProtocolMode();
  p.frm->changeProtocolMode(1);
  EXPECT_EQ(p.sys.chain.joins, 1);
  EXPECT_EQ(p.frm->rows().count(), 0);
  p.copy(u"next");
  EXPECT_EQ(p.texts(), std::vector<Text>{u"next"});
  p.frm->changeProtocolMode(0);
  p.frm->changeProtocolMode(0);
  EXPECT_EQ(p.sys.chain.leaves, 1);
}

TEST(Capture, FailedClipboardWritesChangeNothing) {
  for (int button : {5, 4}) {  // copy, cut
    Recording p;
    p.copy(u"kept");
    p.copy(u"on the clipboard");
    p.frm->lvItems_Select(p.indexOf(u"kept"));
    p.sys.clipboard.busyReads = 2;  // the previous text is read, then the write finds it busy
    p.frm->tbMain_ButtonClick(button);
    EXPECT_EQ(p.sys.clipboard.text, u"on the clipboard") << button;
    ASSERT_NE(p.row(u"kept"), nullptr) << button;
    EXPECT_EQ(p.row(u"kept")->cells[kColCounter], u"0") << button;
    EXPECT_EQ(p.boxes(), std::vector<Text>{u"CopyItem: \r\nAccess is denied."}) << button;
    EXPECT_FALSE(p.frm->ignoreNextChange()) << button;
    // The user's next copy is filed.
    p.copy(u"next");
    EXPECT_NE(p.row(u"next"), nullptr) << button;
  }
}

TEST(ViewerChain, PassesNotificationsOnAndFollowsLeavingViewers) {
  using Sent = std::tuple<platform::WindowHandle, unsigned, std::uintptr_t, std::intptr_t>;
  Program p;
  p.sys.chain.nextOnJoin = 0x50;
  p.set("ProtocolMode", "1");
  p.start();
  // A change goes on to the next viewer (0x0308), and so does a viewer further down
  // leaving (0x030D); our next viewer leaving makes its follower the next one, unsent.
  p.frm->onDrawClipboard(7, 8);
  p.frm->onChangeCbChain(0x70, 0x80);
  p.frm->onChangeCbChain(0x50, 0x60);
  // A capture that fails with an exception still passes the change on.
  p.sys.clipboard.throws = true;
  EXPECT_ANY_THROW(p.frm->onDrawClipboard(1, 2));
  p.sys.clipboard.throws = false;
  // The last one leaves: we are the end of the chain and send nothing.
  p.frm->onChangeCbChain(0x60, 0);
  p.frm->onDrawClipboard(0, 0);
  p.frm->onChangeCbChain(0x99, 0);
  std::vector<Sent> sent;
  for (const auto& s : p.sys.chain.sent) sent.emplace_back(s.to, s.message, s.w, s.l);
  EXPECT_EQ(sent, (std::vector<Sent>{{0x50, 0x0308, 7, 8}, {0x50, 0x030D, 0x70, 0x80}, {0x60, 0x0308, 1, 2}}));
}

}  // namespace vornix::test
