#include <gtest/gtest.h>

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
  p.copy(u"A");
  p.copy(u"A");
  p.copy(u"B");
  p.copy(u"A");
  EXPECT_EQ(p.frm->rows().count(), 2);
  EXPECT_EQ(p.row(u"A")->cells[kColCounter], u"0");
  // Copying A again selected its row rather than filing it a second time.
  EXPECT_EQ(p.frm->rows().selected(), p.indexOf(u"A"));
  EXPECT_EQ(p.view.panel, u"A");
  EXPECT_EQ(p.view.tab, kTabList);
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
  EXPECT_EQ(p.frm->rows().count(), 0);
  EXPECT_EQ(p.view.panel, u"A");
  EXPECT_TRUE(p.view.enabled[Command::TbPaste]);
  p.frm->FromClipboard();
  p.frm->FromClipboard();  // the same text again only selects its row
  EXPECT_EQ(p.frm->rows().count(), 1);
  p.sys.clipboard.setPicture();
  p.frm->onDrawClipboard(0, 0);
  EXPECT_EQ(p.view.panel, u"<Text-Zwischenablage leer>");
  EXPECT_FALSE(p.view.enabled[Command::TbPaste]);
  EXPECT_FALSE(p.view.enabled[Command::MenEditPaste]);
  EXPECT_FALSE(p.view.enabled[Command::MenClearClipboard]);
}

TEST(Capture, EmptiedClipboardFilesNothing) {
  Recording p;
  p.copy(u"A");
  p.sys.clipboard.setPicture();
  p.frm->onDrawClipboard(0, 0);
  EXPECT_EQ(p.frm->rows().count(), 1);
}

TEST(Capture, LongTextShowsShortenedInTheStatusBar) {
  Program p;
  p.start();
  p.copy(Text(2000, u'x'));
  EXPECT_EQ(p.view.panel, Text(63, u'x') + u" [...] " + Text(62, u'x'));
}

TEST(Capture, SizeLimitDecidesWhatIsFiled) {
  Recording p;
  p.app->options.setOption(22, std::int32_t{1});
  p.copy(Text(1025, u'a'));
  EXPECT_EQ(p.frm->rows().count(), 0);
  p.copy(Text(1024, u'b'));
  EXPECT_EQ(p.frm->rows().count(), 1);
}

TEST(Capture, BusyClipboardAsksOnlyWhenTheOptionSaysSo) {
  Recording p;
  p.sys.clipboard.set(u"X");
  p.sys.clipboard.busyReads = 2;  // the display gives up quietly, the capture too
  p.frm->onDrawClipboard(0, 0);
  EXPECT_EQ(p.frm->rows().count(), 0);
  EXPECT_TRUE(p.sys.boxes.shown.empty());

  p.app->options.setOption(24, std::int32_t{1});
  p.sys.boxes.answers = {1};
  p.sys.clipboard.busyReads = 3;  // display, capture (asks, OK), display: then free
  p.frm->onDrawClipboard(0, 0);
  EXPECT_EQ(p.frm->rows().count(), 1);
  ASSERT_EQ(p.sys.boxes.shown.size(), 1u);
  EXPECT_EQ(p.sys.boxes.shown[0].text, u"Zwischenablage konnte nicht geöffnet werden. Nochmal versuchen?");

  p.sys.boxes.answers = {2};
  p.sys.clipboard.set(u"Y");
  p.sys.clipboard.busyReads = 2;
  p.frm->onDrawClipboard(0, 0);
  EXPECT_EQ(p.frm->rows().count(), 1);
}

TEST(Capture, HotMenuFreezesCapture) {
  Recording p;
  p.app->hotmenuShown = true;
  p.copy(u"A");
  EXPECT_EQ(p.frm->rows().count(), 0);
  EXPECT_EQ(p.view.panel, u"<Text-Zwischenablage leer>");
}

TEST(Capture, CutWhileRecordModeIsOffIsClearedByJoining) {
  Program p;
  p.start();
  p.sys.clipboard.set(u"cut text");
  p.frm->FromClipboard();
  p.frm->tbMain_ButtonClick(4);
  EXPECT_TRUE(p.frm->ignoreNextChange());
  p.app->options.setOption(4, std::int32_t{1});
  p.frm->changeProtocolMode();
  p.frm->onDrawClipboard(0, 0);  // the notification that joining produces
  EXPECT_FALSE(p.frm->ignoreNextChange());
  EXPECT_EQ(p.frm->rows().count(), 0);
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
