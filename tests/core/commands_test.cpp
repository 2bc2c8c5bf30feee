#include <gtest/gtest.h>

#include "core/clip/dates.h"
#include "fixture.h"

namespace vornix::test {

namespace {

struct ThreeEntries : Program {
  ThreeEntries() {
    start();
    frm->addListItem(u"alpha", false, false, at(1), 4);
    frm->addListItem(u"http://beta.org", true, false, at(2), 1);
    frm->addListItem(u"gamma@example.com", false, false, at(3), 9);
  }
  void select(const char* text) { frm->lvItems_Select(indexOf(T(text))); }
};

}  // namespace

TEST(Commands, CopyPutsTheTextOnTheClipboardAndCountsOneUse) {
  ThreeEntries p;
  p.set("ProtocolMode", "1");
  p.app->options.setOption(4, std::int32_t{1});
  p.select("alpha");
  p.frm->tbMain_ButtonClick(5);
  EXPECT_EQ(p.sys.clipboard.text, u"alpha");
  EXPECT_EQ(p.row(u"alpha")->cells[kColCounter], u"5");
  EXPECT_EQ(p.row(u"alpha")->cells[kColCountSort], u"0000000005");
  EXPECT_EQ(p.row(u"alpha")->cells[kColDateSort], u"20200101100001");
  // The notification of our own copy does not file or count it again.
  p.frm->onDrawClipboard(0, 0);
  EXPECT_EQ(p.frm->rows().count(), 3);
  EXPECT_EQ(p.row(u"alpha")->cells[kColCounter], u"5");
  EXPECT_EQ(p.frm->lastClipText(), TextPrint::of(u"alpha"));
}

TEST(Commands, CutInRecordModeRemovesTheRowWithoutFilingItAgain) {
  ThreeEntries p;
  p.app->options.setOption(4, std::int32_t{1});
  p.select("alpha");
  p.frm->tbMain_ButtonClick(4);
  p.frm->onDrawClipboard(0, 0);
  EXPECT_EQ(p.sys.clipboard.text, u"alpha");
  EXPECT_EQ(p.row(u"alpha"), nullptr);
  EXPECT_EQ(p.frm->rows().count(), 2);
}

TEST(Commands, DeleteAsksForProtectedEntriesOnly) {
  ThreeEntries p;
  p.select("http://beta.org");
  p.sys.boxes.answers = {2};
  p.frm->tbMain_ButtonClick(9);
  EXPECT_EQ(p.frm->rows().count(), 3);
  EXPECT_EQ(p.sys.boxes.shown.back().text, T("Der gewählte Eintrag ist geschützt. Trotzdem löschen?"));
  p.sys.boxes.answers = {1};
  p.frm->tbMain_ButtonClick(9);
  EXPECT_EQ(p.row(u"http://beta.org"), nullptr);
  p.select("alpha");
  p.frm->lvItems_KeyUp(46);  // the Delete key
  EXPECT_EQ(p.row(u"alpha"), nullptr);
  EXPECT_EQ(p.sys.boxes.shown.size(), 2u);
}

TEST(Commands, QuestionsActOnTheRowAskedAboutWhileACaptureArrives) {
  // Delete (9) and cut (4) of the protected row, and clearing the list (10): a copy
  // filed while the question is open moves the rows; the confirmed row goes, the
  // new text stays.
  for (int button : {9, 4, 10}) {
    ThreeEntries p;
    p.app->options.setOption(4, std::int32_t{1});
    p.frm->changeProtocolMode();
    p.select("http://beta.org");
    p.sys.boxes.whileOpen = [&p] { p.copy(u"fresh"); };
    p.frm->tbMain_ButtonClick(button);
    EXPECT_EQ(p.row(u"http://beta.org"), nullptr) << button;
    EXPECT_NE(p.row(u"fresh"), nullptr) << button;
    EXPECT_EQ(p.frm->rows().count(), button == 10 ? 1 : 3) << button;
  }
}

TEST(Commands, DeletingTheOnlyRowClearsTheListWithTheRightQuestion) {
  Program p;
  p.start();
  p.frm->addListItem(u"only", false, true);
  p.sys.boxes.answers = {2};
  p.frm->tbMain_ButtonClick(9);
  EXPECT_EQ(p.sys.boxes.shown.back().text, T("Die gesamte Liste löschen? (Rückgängigmachen nicht möglich)"));
  EXPECT_EQ(p.frm->rows().count(), 1);

  Program q;
  q.start();
  q.frm->addListItem(u"only", true, true);
  q.frm->tbMain_ButtonClick(9);
  ASSERT_EQ(q.sys.boxes.shown.size(), 1u);  // only the protection question
  EXPECT_EQ(q.frm->rows().count(), 0);
  EXPECT_FALSE(q.app->questionSuppression);
}

TEST(Commands, UndoBringsBackADeletedEntryWithAllItsData) {
  ThreeEntries p;
  p.select("http://beta.org");
  p.frm->tbMain_ButtonClick(9);
  ASSERT_EQ(p.row(u"http://beta.org"), nullptr);
  p.frm->menEditUndo_Click();
  const Row* r = p.row(u"http://beta.org");
  ASSERT_NE(r, nullptr);
  EXPECT_TRUE(r->checked);
  EXPECT_EQ(r->cells[kColCounter], u"1");
  EXPECT_EQ(r->cells[kColDateSort], u"20200101100002");
  EXPECT_EQ(p.sys.clipboard.text, u"http://beta.org");
  EXPECT_FALSE(p.view.enabled[Command::MenEditUndo]);
}

TEST(Commands, UndoInRecordModeIsNotFiledTwiceByTheCapture) {
  ThreeEntries p;
  p.app->options.setOption(4, std::int32_t{1});
  p.select("alpha");
  p.frm->tbMain_ButtonClick(9);
  p.frm->menEditUndo_Click();
  p.frm->onDrawClipboard(0, 0);
  EXPECT_EQ(p.row(u"alpha")->cells[kColCounter], u"4");
  EXPECT_EQ(p.frm->rows().count(), 3);
}

TEST(Commands, UndoOfAChangedEntryFilesTheOldTextAgain) {
  ThreeEntries p;
  p.select("alpha");
  p.view.editAnswer = true;
  p.view.editResult = u"alpha two";
  p.frm->tbMain_ButtonClick(8);
  EXPECT_EQ(p.view.editShown.back(), u"alpha");
  EXPECT_NE(p.row(u"alpha two"), nullptr);
  EXPECT_EQ(p.row(u"alpha"), nullptr);
  p.frm->menEditUndo_Click();
  EXPECT_NE(p.row(u"alpha"), nullptr);
  EXPECT_NE(p.row(u"alpha two"), nullptr);
}

TEST(Commands, UndoAfterClearingTheListDoesNothing) {
  ThreeEntries p;
  p.frm->tbMain_ButtonClick(10);
  EXPECT_EQ(p.frm->rows().count(), 0);
  p.frm->menEditUndo_Click();
  EXPECT_EQ(p.frm->rows().count(), 0);
}

TEST(Commands, NewEntryGoesThroughTheEditor) {
  ThreeEntries p;
  p.view.editAnswer = true;
  p.view.editResult = u"typed in";
  p.view.editProtect = true;
  p.frm->tbMain_ButtonClick(1);
  EXPECT_EQ(p.view.editShown.back(), u"");
  ASSERT_NE(p.row(u"typed in"), nullptr);
  EXPECT_TRUE(p.row(u"typed in")->checked);
  p.view.editAnswer = false;
  p.frm->tbMain_ButtonClick(1);
  EXPECT_EQ(p.frm->rows().count(), 4);
}

TEST(Commands, ButtonsWithoutSelectionDoOnlyTheirListPart) {
  ThreeEntries p;
  p.frm->lvItems_Select(-1);
  p.sys.clipboard.set(u"from clipboard");
  for (int button : {4, 5, 8, 9, 12}) p.frm->tbMain_ButtonClick(button);
  EXPECT_EQ(p.frm->rows().count(), 3);
  EXPECT_TRUE(p.view.editShown.empty());
  EXPECT_TRUE(p.sys.shell.opened.empty());
  p.frm->tbMain_ButtonClick(6);
  EXPECT_NE(p.row(u"from clipboard"), nullptr);
  p.frm->tbMain_ButtonClick(14);
  EXPECT_EQ(p.view.miniModeRequests, 1);
  p.frm->lvItems_KeyDown(27);
  EXPECT_EQ(p.view.miniModeRequests, 2);
  p.sys.clipboard.set(u"insert key");
  p.frm->lvItems_KeyUp(45);
  EXPECT_NE(p.row(u"insert key"), nullptr);
}

TEST(Commands, DoubleClickFollowsTheTwoOptions) {
  ThreeEntries p;
  p.select("alpha");
  p.frm->lvItems_DblClick();  // edit by default
  EXPECT_EQ(p.view.editShown.size(), 1u);
  p.app->options.setOption(1, false);
  p.app->options.setOption(2, true);
  p.frm->lvItems_KeyDown(13);  // Enter acts like a double-click
  EXPECT_EQ(p.sys.clipboard.text, u"alpha");
  p.app->options.setOption(2, false);
  p.sys.clipboard.set(u"x");
  p.frm->lvItems_DblClick();
  EXPECT_EQ(p.sys.clipboard.text, u"x");
  EXPECT_EQ(p.view.editShown.size(), 1u);
}

TEST(Commands, SortingByHeaderClicks) {
  ThreeEntries p;
  auto order = [&] { return p.texts(); };
  p.frm->lvItems_ColumnClick(1);  // counter, in the current (descending) order
  EXPECT_EQ(order(), (std::vector<Text>{u"gamma@example.com", u"alpha", u"http://beta.org"}));
  EXPECT_EQ(p.frm->rows().sortKey(), kColCountSort);
  p.frm->lvItems_ColumnClick(1);  // again: reversed
  EXPECT_EQ(order(), (std::vector<Text>{u"http://beta.org", u"alpha", u"gamma@example.com"}));
  p.frm->lvItems_ColumnClick(4);  // date, without reversing
  EXPECT_EQ(p.frm->rows().sortKey(), kColDateSort);
  EXPECT_EQ(order(), (std::vector<Text>{u"alpha", u"http://beta.org", u"gamma@example.com"}));
  p.frm->lvItems_ColumnClick(2);  // content
  EXPECT_EQ(p.frm->rows().sortKey(), kColContent);
  EXPECT_EQ(order(), (std::vector<Text>{u"alpha", u"gamma@example.com", u"http://beta.org"}));
  p.frm->lvItems_ColumnClick(3);
  EXPECT_EQ(p.frm->rows().sortKey(), kColType);
  p.frm->saveReg();
  EXPECT_EQ(p.stored("SortKey"), u"2");
  EXPECT_EQ(p.stored("SortOrder"), u"0");
}

TEST(Commands, CounterSortIsNumericThanksToTheKeyColumn) {
  Program p;
  p.start();
  p.frm->addListItem(u"nine", false, false, at(1), 9);
  p.frm->addListItem(u"ten", false, false, at(2), 10);
  p.frm->lvItems_ColumnClick(1);
  EXPECT_EQ(p.texts(), (std::vector<Text>{u"ten", u"nine"}));
}

TEST(Commands, ProtectionByCheckBoxAndDragOut) {
  ThreeEntries p;
  p.frm->lvItems_ItemCheck(p.indexOf(u"alpha"), true);
  EXPECT_TRUE(p.row(u"alpha")->checked);
  p.select("alpha");
  EXPECT_EQ(p.frm->lvItems_DragOut(), u"alpha");
  EXPECT_EQ(p.row(u"alpha")->cells[kColCounter], u"5");
  p.frm->lvItems_Select(-1);
  EXPECT_EQ(p.frm->lvItems_DragOut(), u"");
  p.restart();
  EXPECT_TRUE(p.row(u"alpha")->checked);
}

TEST(Commands, DroppedTextAndFilesAreFiled) {
  ThreeEntries p;
  p.frm->dropText(u"dropped");
  p.frm->dropText(u"");
  EXPECT_NE(p.row(u"dropped"), nullptr);
  p.sys.files.files[u"C:\\a.txt"] = "file a";
  p.sys.files.files[u"C:\\b.bin"] = std::string("\x01\x02", 2);
  p.sys.files.files[u"C:\\c.txt"] = "file\r\nc";
  p.frm->dropFiles({u"C:\\a.txt", u"C:\\b.bin", u"C:\\c.txt"});
  EXPECT_NE(p.row(u"file a"), nullptr);
  EXPECT_NE(p.row(u"file\r\nc"), nullptr);
  EXPECT_EQ(p.frm->rows().count(), 6);
  ASSERT_EQ(p.sys.boxes.shown.size(), 1u);
  EXPECT_EQ(p.sys.boxes.shown[0].text, u"Die geladene Datei ist keine ASCII-Datei\r\nund kann leider nicht importiert werden!");
}

TEST(LinkLists, TabsListUrlsAndMailAddressesInRowOrder) {
  ThreeEntries p;
  p.frm->addListItem(u"http://delta.org", false, false, at(4));
  p.frm->ssVornix_Click(kTabURL);
  EXPECT_EQ(p.view.linkItems[kTabURL], (std::vector<Text>{u"http://delta.org", u"http://beta.org"}));
  EXPECT_TRUE(p.view.linkEnabled[kTabURL]);
  EXPECT_EQ(p.frm->rows().selected(), -1);
  p.view.linkCurrent[kTabURL] = 1;
  p.frm->linkList_Click(kTabURL);
  EXPECT_EQ(p.frm->rows().selected(), p.indexOf(u"http://beta.org"));
  EXPECT_TRUE(p.view.enabled[Command::TbOpen]);

  p.view.tab = kTabEMail;
  p.frm->ssVornix_Click(kTabEMail);
  EXPECT_EQ(p.view.linkItems[kTabEMail], std::vector<Text>{u"gamma@example.com"});
  EXPECT_FALSE(p.view.linkEnabled[kTabURL]);
  // Focus leaving the side list returns to the entry list.
  p.frm->linkList_Focus(kTabEMail, false);
  EXPECT_EQ(p.view.tab, kTabList);
}

TEST(LinkLists, OpeningMailAndWebAddresses) {
  ThreeEntries p;
  p.select("gamma@example.com");
  p.frm->tbMain_ButtonClick(12);
  p.frm->addListItem(u"MAILTO:x@example.com", false, false, at(5));
  p.frm->tbMain_ButtonClick(12);
  p.select("http://beta.org");
  p.frm->tbMain_ButtonClick(12);
  EXPECT_EQ(p.sys.shell.opened,
            (std::vector<Text>{u"mailto:gamma@example.com", u"MAILTO:x@example.com", u"http://beta.org"}));
  EXPECT_TRUE(p.sys.boxes.shown.empty());
}

TEST(LinkLists, DoubleClickOpensOnlyWhenTheOptionIsOn) {
  ThreeEntries p;
  p.view.tab = kTabURL;
  p.frm->ssVornix_Click(kTabURL);
  p.view.linkCurrent[kTabURL] = 0;
  p.frm->linkList_Click(kTabURL);
  p.frm->linkList_DblClick(kTabURL);  // option off: acts like the list's double-click (edit)
  EXPECT_TRUE(p.sys.shell.opened.empty());
  EXPECT_EQ(p.view.editShown.size(), 1u);
  p.app->options.setOption(9, std::int32_t{1});
  p.frm->linkList_DblClick(kTabURL);
  EXPECT_EQ(p.sys.shell.opened, std::vector<Text>{u"http://beta.org"});
}

TEST(LinkLists, ProgramsAndLocalFilesOpenOnlyAfterTheUserAgreed) {
  Program p;
  p.start();
  for (const char* target : {"file:C:\\Windows\\system32\\calc.exe", "gopher:x", "ftp:evil"}) {
    p.frm->addListItem(T(target), false, true);
    p.sys.boxes.answers = {2};
    p.frm->tbMain_ButtonClick(12);
    EXPECT_TRUE(p.sys.shell.opened.empty()) << target;
    ASSERT_FALSE(p.sys.boxes.shown.empty());
    EXPECT_NE(p.sys.boxes.shown.back().text.find(T(target)), Text::npos);
  }
  p.app->modalOpen = true;  // the question is shown even while a box is open
  p.sys.boxes.answers = {1};
  p.frm->tbMain_ButtonClick(12);
  EXPECT_EQ(p.sys.shell.opened, std::vector<Text>{u"ftp:evil"});
}

}  // namespace vornix::test
