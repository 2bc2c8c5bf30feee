#include <gtest/gtest.h>

#include <functional>

#include "fixture.h"

namespace vornix::test {

namespace {

// Counter 10 against 9: a sort of the counter as text would put them the wrong way round.
struct ThreeEntries : Running {
  ThreeEntries() {
    add(u"alpha", at(1), 10);
    add(u"http://beta.org", at(2), 1, true);
    add(u"gamma@example.com", at(3), 9);
  }
  void select(const char* text) { frm->lvItems_Select(indexOf(T(text))); }
  void edit(const char16_t* result, bool copy = false) {
    view.editAnswer = true;
    view.editResult = result;
    view.editCopy = copy;
    frm->tbMain_ButtonClick(8);
  }
};

}  // namespace

TEST(Commands, OwnClipboardWritesInRecordModeAreNotFiledAgain) {
  // Copy counts one use and keeps the date, cut removes the row, undo of a delete brings it
  // back, "OK and copy" in the editor files the edited text: the notification of each
  // write files and counts nothing.
  const struct {
    const char* name;
    std::function<void(ThreeEntries&)> act;
    const char16_t* clipboard;
    std::vector<Text> texts;
    const char16_t* alphaCounter;
  } cases[] = {
      {"copy", [](ThreeEntries& p) { p.frm->tbMain_ButtonClick(5); }, u"alpha",
       {u"gamma@example.com", u"http://beta.org", u"alpha"}, u"11"},
      {"cut", [](ThreeEntries& p) { p.frm->tbMain_ButtonClick(4); }, u"alpha",
       {u"gamma@example.com", u"http://beta.org"}, nullptr},
      {"undo", [](ThreeEntries& p) { p.frm->tbMain_ButtonClick(9), p.frm->menEditUndo_Click(); }, u"alpha",
       {u"gamma@example.com", u"http://beta.org", u"alpha"}, u"10"},
      {"edit unchanged", [](ThreeEntries& p) { p.edit(u"alpha", true); }, u"alpha",
       {u"gamma@example.com", u"http://beta.org", u"alpha"}, u"11"},
      {"edit", [](ThreeEntries& p) { p.edit(u"alpha two", true); }, u"alpha two",
       {u"alpha two", u"gamma@example.com", u"http://beta.org"}, nullptr},
  };
  for (const auto& c : cases) {
    ThreeEntries p;
    p.app->options.setOption(kProtocolMode, std::int32_t{1});
    p.select("alpha");
    c.act(p);
    EXPECT_EQ(p.sys.clipboard.text, c.clipboard) << c.name;
    p.frm->onDrawClipboard(0, 0);
    EXPECT_EQ(p.texts(), c.texts) << c.name;
    if (c.alphaCounter) {
      EXPECT_EQ(p.row(u"alpha")->cells[kColCounter], c.alphaCounter) << c.name;
    }
  }
}

TEST(Commands, DeleteAsksForProtectedEntriesOnlyAndTheLastRowClearsTheList) {
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

  // The only row left: deleting it is clearing the list, asked as such.
  p.select("gamma@example.com");
  p.sys.boxes.answers = {2};
  p.frm->tbMain_ButtonClick(9);
  EXPECT_EQ(p.sys.boxes.shown.back().text, T("Die gesamte Liste löschen? (Rückgängigmachen nicht möglich)"));
  EXPECT_EQ(p.frm->rows().count(), 1);
  // Protected, it is asked about once, as protected.
  Running q;
  q.frm->addListItem(u"only", true, true);
  q.frm->tbMain_ButtonClick(9);
  ASSERT_EQ(q.sys.boxes.shown.size(), 1u);
  EXPECT_EQ(q.frm->rows().count(), 0);
  EXPECT_FALSE(q.app->questionSuppression);
}

TEST(Commands, QuestionsActOnTheRowAskedAboutWhileACaptureArrives) {
  // Delete (9) and cut (4) of the protected row, and clearing the list (10): a copy
  // filed while the question is open moves the rows; the confirmed row goes, the
  // new text stays.
  for (int button : {9, 4, 10}) {
    ThreeEntries p;
    p.app->options.setOption(kProtocolMode, std::int32_t{1});
    p.frm->changeProtocolMode();
    p.select("http://beta.org");
    p.sys.loop.whileOpen([&p] { p.copy(u"fresh"); });
    p.frm->tbMain_ButtonClick(button);
    EXPECT_EQ(p.row(u"http://beta.org"), nullptr) << button;
    EXPECT_NE(p.row(u"fresh"), nullptr) << button;
    EXPECT_EQ(p.frm->rows().count(), button == 10 ? 1 : 3) << button;
  }
  // Undo whose clipboard write fails: a copy filed while the error box is open gives
  // up an entry of the full list, which fills the undo record anew; what comes back
  // is still the entry the user deleted.
  Running u({{"ProtocolMode", "1"}});
  for (int i = 0; i < EntryRows::kCapacity; ++i) u.add(numbered(i), at(i));
  u.frm->selectEntry(u.indexOf(numbered(49)));
  u.frm->tbMain_ButtonClick(Command::TbDelete);
  u.add(u"filler", at(55));
  u.sys.clipboard.busyReads = 2;
  u.sys.loop.whileOpen([&u] { u.copy(u"fresh"); });
  u.frm->menEditUndo_Click();
  ASSERT_EQ(u.sys.boxes.shown.size(), 1u);
  EXPECT_NE(u.row(u"fresh"), nullptr);
  EXPECT_NE(u.row(numbered(49)), nullptr);
}

TEST(Commands, UndoBringsBackWhatTheLastDeleteOrChangeTookButNoClearedList) {
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

  // A changed entry: the old text is filed again beside the new one.
  p.select("alpha");
  p.edit(u"alpha two");
  EXPECT_EQ(p.view.editShown.back(), u"alpha");
  EXPECT_EQ(p.row(u"alpha"), nullptr);
  p.frm->menEditUndo_Click();
  EXPECT_NE(p.row(u"alpha"), nullptr);
  EXPECT_NE(p.row(u"alpha two"), nullptr);

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

TEST(Commands, DoubleClickFollowsItsOptionsInTheListAndTheUrlList) {
  ThreeEntries p;
  p.select("alpha");
  p.frm->lvItems_DblClick();  // edit by default
  EXPECT_EQ(p.view.editShown.size(), 1u);
  p.app->options.setOption(kDblClickEdit, false);
  p.app->options.setOption(kDblClickClip, true);
  p.frm->lvItems_KeyDown(13);  // Enter acts like a double-click
  EXPECT_EQ(p.sys.clipboard.text, u"alpha");
  p.app->options.setOption(kDblClickClip, false);
  p.sys.clipboard.set(u"x");
  p.frm->lvItems_DblClick();
  EXPECT_EQ(p.sys.clipboard.text, u"x");
  EXPECT_EQ(p.view.editShown.size(), 1u);

  // In the URL list it opens the address only with its own option on, else it acts as in the list.
  p.app->options.setOption(kDblClickEdit, true);
  p.view.tab = kTabURL;
  p.frm->ssVornix_Click(kTabURL);
  p.view.linkCurrent[kTabURL] = 0;
  p.frm->linkList_Click(kTabURL);
  p.frm->linkList_DblClick(kTabURL);
  EXPECT_TRUE(p.sys.shell.opened.empty());
  EXPECT_EQ(p.view.editShown.size(), 2u);
  p.app->options.setOption(kDblClickHyperURL, std::int32_t{1});
  p.frm->linkList_DblClick(kTabURL);
  EXPECT_EQ(p.sys.shell.opened, std::vector<Text>{u"http://beta.org"});
}

TEST(Commands, SortingByHeaderClicks) {
  ThreeEntries p;
  p.frm->lvItems_ColumnClick(1);  // counter, in the current (descending) order, as numbers
  EXPECT_EQ(p.texts(), (std::vector<Text>{u"alpha", u"gamma@example.com", u"http://beta.org"}));
  EXPECT_EQ(p.frm->rows().sortKey(), kColCountSort);
  p.frm->lvItems_ColumnClick(1);  // again: reversed
  EXPECT_EQ(p.texts(), (std::vector<Text>{u"http://beta.org", u"gamma@example.com", u"alpha"}));
  p.frm->lvItems_ColumnClick(4);  // date, without reversing
  EXPECT_EQ(p.frm->rows().sortKey(), kColDateSort);
  EXPECT_EQ(p.texts(), (std::vector<Text>{u"alpha", u"http://beta.org", u"gamma@example.com"}));
  p.frm->lvItems_ColumnClick(2);  // content
  EXPECT_EQ(p.frm->rows().sortKey(), kColContent);
  EXPECT_EQ(p.texts(), (std::vector<Text>{u"alpha", u"gamma@example.com", u"http://beta.org"}));
  p.frm->lvItems_ColumnClick(3);
  EXPECT_EQ(p.frm->rows().sortKey(), kColType);
  p.frm->saveReg();
  EXPECT_EQ(p.stored("SortKey"), u"2");
  EXPECT_EQ(p.stored("SortOrder"), u"0");
}

TEST(Commands, ProtectionByCheckBoxAndDragOut) {
  ThreeEntries p;
  p.frm->lvItems_ItemCheck(p.indexOf(u"alpha"), true);
  EXPECT_TRUE(p.row(u"alpha")->checked);
  p.select("alpha");
  // The drop comes after a capture has filed and selected another text: the dragged row is handed over.
  const int dragged = p.frm->selectedRowId();
  p.app->options.setOption(kProtocolMode, std::int32_t{1});
  p.frm->changeProtocolMode();
  p.copy(u"copied during the drag");
  EXPECT_EQ(p.frm->lvItems_DragOut(dragged), u"alpha");
  EXPECT_EQ(p.row(u"alpha")->cells[kColCounter], u"11");
  EXPECT_EQ(p.row(u"alpha")->cells[kColCountSort], u"0000000011");
  p.frm->lvItems_Select(-1);
  EXPECT_EQ(p.frm->lvItems_DragOut(p.frm->selectedRowId()), u"");
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
  EXPECT_EQ(p.boxes(), std::vector<Text>{u"Die geladene Datei ist keine ASCII-Datei\r\nund kann leider nicht importiert werden!"});
}

TEST(LinkLists, TabsListUrlsAndMailAddressesInRowOrder) {
  ThreeEntries p;
  p.add(u"http://delta.org", at(4));
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

TEST(LinkLists, MailAndWebAddressesOpenAtOnceProgramsAndLocalFilesOnlyAfterTheUserAgreed) {
  const struct {
    const char *entry, *opened;
    bool asks;
  } cases[] = {
      {"gamma@example.com", "mailto:gamma@example.com", false}, {"MAILTO:x@example.com", "MAILTO:x@example.com", false},
      {"http://beta.org", "http://beta.org", false},            {"file:C:\\Windows\\system32\\calc.exe", nullptr, true},
      {"gopher:x", nullptr, true},                              {"ftp:evil", nullptr, true},
  };
  for (const auto& c : cases) {
    ThreeEntries p;
    p.add(T(c.entry));
    p.select(c.entry);
    p.sys.boxes.answers = {2};
    p.frm->tbMain_ButtonClick(12);
    EXPECT_EQ(p.sys.shell.opened, c.opened ? std::vector<Text>{T(c.opened)} : std::vector<Text>{}) << c.entry;
    ASSERT_EQ(p.sys.boxes.shown.size(), c.asks ? 1u : 0u) << c.entry;
    if (!c.asks) continue;
    EXPECT_NE(p.sys.boxes.shown[0].text.find(T(c.entry)), Text::npos);
    p.app->modalOpen = true;  // the question is shown even while a box is open
    p.sys.boxes.answers = {1};
    p.frm->tbMain_ButtonClick(12);
    EXPECT_EQ(p.sys.shell.opened, std::vector<Text>{T(c.entry)});
  }
  // Longer than the shell takes: not handed over, and the user is told why.
  ThreeEntries p;
  const std::string address = "http://example.com/" + std::string(900, 'a');
  p.add(T(address.c_str()));
  p.select(address.c_str());
  p.frm->tbMain_ButtonClick(12);
  EXPECT_TRUE(p.sys.shell.opened.empty());
  ASSERT_EQ(p.sys.boxes.shown.size(), 1u);
  EXPECT_NE(p.sys.boxes.shown[0].text.find(u"919"), Text::npos) << "the length is told";
}

}  // namespace vornix::test
