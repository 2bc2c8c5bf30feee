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
  void edit(const char16_t* result, bool copy = false, Command button = Command::TbEdit) {
    view.editAnswer = true;
    view.editResult = result;
    view.editCopy = copy;
    frm->tbMain_ButtonClick(button);
  }
};

// A full list of 50 entries one second apart ("entry 0" oldest) with counters 5 unless
// given, the oldest `protectedCount` protected.
void fill(Program& p, const std::vector<std::pair<int, long>>& counters = {}, int protectedCount = 0) {
  std::vector<long> counter(50, 5);
  for (const auto& [i, n] : counters) counter[static_cast<size_t>(i)] = n;
  for (int i = 0; i < 50; ++i) p.add(numbered(i), at(i), counter[static_cast<size_t>(i)], i < protectedCount);
}

}  // namespace

TEST(Commands, OwnClipboardWritesInRecordModeAreNotFiledAgain) {
  // Copy counts one use and keeps the date, cut removes the row, undo of a delete brings it
  // back, "OK and copy" in the editor files the edited text: the notification of each
  // write files and counts nothing.
  const struct {
    const char* name;
    std::function<void(ThreeEntries&)> act;
    const char16_t *clipboard, *alphaCounter;
    std::vector<Text> texts;
  } cases[] = {
      {"copy", [](ThreeEntries& p) { p.frm->tbMain_ButtonClick(5); }, u"alpha", u"11", {}},
      {"cut", [](ThreeEntries& p) { p.frm->tbMain_ButtonClick(4); }, u"alpha", nullptr,
       {u"gamma@example.com", u"http://beta.org"}},
      {"undo", [](ThreeEntries& p) { p.frm->tbMain_ButtonClick(9), p.frm->menEditUndo_Click(); }, u"alpha", u"10", {}},
      {"edit unchanged", [](ThreeEntries& p) { p.edit(u"alpha", true); }, u"alpha", u"11", {}},
      {"edit", [](ThreeEntries& p) { p.edit(u"alpha two", true); }, u"alpha two", nullptr,
       {u"alpha two", u"gamma@example.com", u"http://beta.org"}},
  };
  for (const auto& c : cases) {
    ThreeEntries p;
    p.app->options.setOption(kProtocolMode, std::int32_t{1});
    p.select("alpha");
    c.act(p);
    EXPECT_EQ(p.sys.clipboard.text, c.clipboard) << c.name;
    p.frm->onDrawClipboard(0, 0);
    // No texts given: the list as it was.
    const std::vector<Text> unchanged = {u"gamma@example.com", u"http://beta.org", u"alpha"};
    EXPECT_EQ(p.texts(), c.texts.empty() ? unchanged : c.texts) << c.name;
    EXPECT_TRUE(!c.alphaCounter || p.cells(u"alpha")[kColCounter] == c.alphaCounter) << c.name;
  }
}

TEST(Commands, DeleteAsksForProtectedEntriesOnlyAndTheLastRowClearsTheList) {
  ThreeEntries p;
  p.select("http://beta.org");
  p.sys.boxes.answers = {2};
  p.frm->tbMain_ButtonClick(9);
  EXPECT_EQ(p.boxes(), std::vector<Text>{T("Der gewählte Eintrag ist geschützt. Trotzdem löschen?")});
  EXPECT_EQ(p.frm->rows().count(), 3);
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
  EXPECT_EQ(q.sys.boxes.shown.size(), 1u);
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
    EXPECT_FALSE(p.row(u"http://beta.org")) << button;
    EXPECT_TRUE(p.row(u"fresh")) << button;
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
  EXPECT_TRUE(u.row(u"fresh"));
  EXPECT_TRUE(u.row(numbered(49)));
}

TEST(Commands, UndoBringsBackWhatTheLastDeleteOrChangeTookButNoClearedList) {
  ThreeEntries p;
  p.select("http://beta.org");
  p.frm->tbMain_ButtonClick(9);
  ASSERT_EQ(p.row(u"http://beta.org"), nullptr);
  p.frm->menEditUndo_Click();
  ASSERT_NE(p.row(u"http://beta.org"), nullptr);
  EXPECT_TRUE(p.row(u"http://beta.org")->checked);
  EXPECT_EQ(p.cells(u"http://beta.org")[kColDateSort], u"20200101100002");
  EXPECT_EQ(p.cells(u"http://beta.org")[kColCounter], u"1");
  EXPECT_EQ(p.sys.clipboard.text, u"http://beta.org");
  EXPECT_FALSE(p.view.enabled[Command::MenEditUndo]);
  // A changed entry: the old text is filed again beside the new one.
  p.select("alpha");
  p.edit(u"alpha two");
  EXPECT_EQ(p.view.editShown.back(), u"alpha");
  EXPECT_FALSE(p.row(u"alpha"));
  p.frm->menEditUndo_Click();
  EXPECT_TRUE(p.row(u"alpha"));
  EXPECT_TRUE(p.row(u"alpha two"));
  p.frm->tbMain_ButtonClick(10);
  EXPECT_EQ(p.frm->rows().count(), 0);
  p.frm->menEditUndo_Click();
  EXPECT_EQ(p.frm->rows().count(), 0);
}

TEST(Commands, ButtonsWithoutSelectionDoOnlyTheirListPartAndNewGoesThroughTheEditor) {
  ThreeEntries p;
  p.frm->lvItems_Select(-1);
  p.sys.clipboard.set(u"from clipboard");
  for (int button : {4, 5, 8, 9, 12}) p.frm->tbMain_ButtonClick(button);
  EXPECT_EQ(p.frm->rows().count(), 3);
  EXPECT_TRUE(p.view.editShown.empty());
  EXPECT_TRUE(p.sys.shell.opened.empty());
  p.view.editProtect = true;
  p.edit(u"typed in", false, Command::TbNew);
  EXPECT_EQ(p.view.editShown.back(), u"");
  ASSERT_NE(p.row(u"typed in"), nullptr);
  EXPECT_TRUE(p.row(u"typed in")->checked);
  p.view.editAnswer = false;
  p.frm->tbMain_ButtonClick(Command::TbNew);
  EXPECT_EQ(p.frm->rows().count(), 4);
  // Paste by button and by the Insert key; mini mode by button and by Esc.
  p.frm->tbMain_ButtonClick(6);
  p.sys.clipboard.set(u"insert key");
  p.frm->lvItems_KeyUp(45);
  EXPECT_TRUE(p.row(u"from clipboard"));
  EXPECT_TRUE(p.row(u"insert key"));
  p.frm->tbMain_ButtonClick(14);
  p.frm->lvItems_KeyDown(27);
  EXPECT_EQ(p.view.miniModeRequests, 2);
}

TEST(Commands, DoubleClickFollowsItsOptions) {
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
}

TEST(Commands, SortingByHeaderClicks) {
  ThreeEntries p;
  const std::vector<Text> byCounter = {u"alpha", u"gamma@example.com", u"http://beta.org"};
  const struct { int column, key; std::vector<Text> texts; } clicks[] = {
      {1, kColCountSort, byCounter},  // in the current (descending) order, as numbers
      {1, kColCountSort, {byCounter.rbegin(), byCounter.rend()}},  // again: reversed
      {4, kColDateSort, {u"alpha", u"http://beta.org", u"gamma@example.com"}},  // date, without reversing
      {2, kColContent, byCounter},
  };
  for (const auto& c : clicks) {
    p.frm->lvItems_ColumnClick(c.column);
    EXPECT_EQ(p.frm->rows().sortKey(), c.key);
    EXPECT_EQ(p.texts(), c.texts) << c.column;
  }
  p.frm->lvItems_ColumnClick(3);
  EXPECT_EQ(p.frm->rows().sortKey(), kColType);
  p.frm->saveReg();
  EXPECT_EQ(p.stored("SortKey"), u"2");
  EXPECT_EQ(p.stored("SortOrder"), u"0");
}

TEST(Commands, ProtectionByCheckBoxDragOutAndDrop) {
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
  EXPECT_EQ(p.cells(u"alpha")[kColCounter], u"11");
  EXPECT_EQ(p.cells(u"alpha")[kColCountSort], u"0000000011");
  p.frm->lvItems_Select(-1);
  EXPECT_EQ(p.frm->lvItems_DragOut(p.frm->selectedRowId()), u"");
  p.restart();
  EXPECT_TRUE(p.row(u"alpha")->checked);
  // Dropped texts and files are filed; a binary file is refused with a message.
  p.frm->dropText(u"dropped");
  p.frm->dropText(u"");
  p.sys.files.files = {
      {u"C:\\a.txt", "file a"}, {u"C:\\b.bin", std::string("\x01\x02", 2)}, {u"C:\\c.txt", "file\r\nc"}};
  p.frm->dropFiles({u"C:\\a.txt", u"C:\\b.bin", u"C:\\c.txt"});
  EXPECT_TRUE(p.row(u"dropped"));
  EXPECT_TRUE(p.row(u"file a"));
  EXPECT_TRUE(p.row(u"file\r\nc"));
  EXPECT_EQ(p.frm->rows().count(), 7);
  EXPECT_EQ(p.boxes(), std::vector<Text>{u"Die geladene Datei ist keine ASCII-Datei\r\nund kann leider nicht importiert werden!"});
}

TEST(LinkLists, TabsListUrlsAndMailAddressesInRowOrderAndADoubleClickOpensPerOption) {
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
  // A double-click opens the address only with its own option on, else it acts as in the list.
  p.view.tab = kTabURL;
  p.frm->linkList_DblClick(kTabURL);
  EXPECT_TRUE(p.sys.shell.opened.empty());
  EXPECT_EQ(p.view.editShown.size(), 1u);
  p.app->options.setOption(kDblClickHyperURL, std::int32_t{1});
  p.frm->linkList_DblClick(kTabURL);
  EXPECT_EQ(p.sys.shell.opened, std::vector<Text>{u"http://beta.org"});
  p.view.tab = kTabEMail;
  p.frm->ssVornix_Click(kTabEMail);
  EXPECT_EQ(p.view.linkItems[kTabEMail], std::vector<Text>{u"gamma@example.com"});
  EXPECT_FALSE(p.view.linkEnabled[kTabURL]);
  // Focus leaving the side list returns to the entry list.
  p.frm->linkList_Focus(kTabEMail, false);
  EXPECT_EQ(p.view.tab, kTabList);
}

TEST(LinkLists, MailAndWebAddressesOpenAtOnceProgramsAndLocalFilesOnlyAfterTheUserAgreed) {
  const struct { const char *entry, *opened; bool asks; } cases[] = {
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

TEST(EntryList, RowHoldsCounterTextTypeDateAndSortKeys) {
  Running p;
  p.add(u"http://x.org", dates::fromCivil({2003, 4, 5, 14, 3, 9}), 7, true);
  EXPECT_EQ(p.cells(u"http://x.org"), (std::vector<Text>{u"7", u"http://x.org", u"URL", u"05.04.2003 14:03:09",
                                                         u"20030405140309", u"0000000007"}));
  EXPECT_TRUE(p.row(u"http://x.org")->checked);
  EXPECT_EQ(p.frm->rows().selected(), 0);
  // No date, or the old midnight that stood for none, is the present time.
  p.add(u"a", dates::fromCivil({2001, 1, 1, 0, 0, 0}));
  p.add(u"b", dates::fromCivil({2001, 1, 1, 0, 0, 1}));
  p.add(u"c");
  for (auto [text, key] : {std::pair{u"a", u"20230315120000"}, {u"b", u"20010101000001"}, {u"c", u"20230315120000"}})
    EXPECT_EQ(p.row(text)->cells[kColDateSort], key);
}

TEST(EntryList, OnlyTheContentMakesADuplicate) {
  // Rows "Hello" (counter 3, "Text", German date) and "other": only a text equal to a
  // content, ignoring case, selects that row; a counter, type, date or key is a new text.
  const struct { const char* text; bool filed; } cases[] = {
      {"hello", false}, {"OTHER", false}, {"3", true}, {"0", true}, {"Text", true},
      {"15.03.2023 12:00:00", true}, {"20230315120000", true}, {"0000000003", true},
  };
  for (const auto& c : cases) {
    Running p;
    p.frm->addListItem(u"Hello", false, true, 0, 3);
    p.frm->addListItem(u"other", false, true);
    p.frm->addListItem(T(c.text), false, true);
    EXPECT_EQ(p.frm->rows().count(), c.filed ? 3 : 2) << c.text;
    EXPECT_TRUE(c.filed || p.frm->rows().find(T(c.text)) == p.frm->rows().selected()) << c.text;
    EXPECT_EQ(p.row(u"Hello")->cells[kColCounter], u"3");
  }
}

TEST(EntryList, FullListGivesUpTheRightEntryInRecordModeAndRefusesWithAMessageOtherwise) {
  // The rule is ProtocolQuant, nullptr for record mode off; -1 gone: the new text is dropped.
  const struct { const char* rule; std::vector<std::pair<int, long>> counters; int protectedCount, gone; } cases[] = {
      {"True", {{30, 1}, {40, 1}}, 0, 30},  // the lowest counter, then the oldest
      {"True", {}, 3, 3},                   // equal counters: the oldest unprotected
      {"False", {{0, 9}}, 0, 0},            // the oldest, despite its high counter
      {"False", {{1, 9}}, 1, 1},
      {"True", {}, 49, 49},                 // the one unprotected row
      {"True", {}, 50, -1},                 // silently
      {nullptr, {}, 0, -1},
  };
  for (const auto& c : cases) {
    Running p({{"ProtocolMode", c.rule ? "1" : "0"}, {"ProtocolQuant", c.rule ? c.rule : "True"}});
    fill(p, c.counters, c.protectedCount);
    p.frm->addListItem(u"new", false, true);
    EXPECT_EQ(p.frm->rows().count(), 50) << c.gone;
    EXPECT_EQ((p.row(u"new") != nullptr), (c.gone >= 0)) << c.gone;
    EXPECT_TRUE(c.gone < 0 || (!p.row(numbered(c.gone)) && p.frm->undoRecord().text == numbered(c.gone))) << c.gone;
    const Text full = T("Maximale Anzahl von Einträgen erreicht!\r\nLöschen Sie einfach einen oder mehrere Einträge "
                        "aus der Liste ...");
    EXPECT_EQ(p.boxes(), c.rule ? std::vector<Text>{} : std::vector<Text>{full});
    EXPECT_TRUE(c.rule || p.frm->checkMaxEntries());
  }
  // Ties in counter and date: the first unprotected row in display order goes.
  Running p({{"ProtocolMode", "1"}});
  for (int i = 0; i < 50; ++i) p.add(numbered(i), at(0), 0, i < 47);
  int firstUnprotected = 0;
  while (p.frm->rows().at(firstUnprotected).checked) ++firstUnprotected;
  const Text expectedGone = p.frm->rows().at(firstUnprotected).cells[kColContent];
  p.frm->addListItem(u"new", false, true);
  EXPECT_EQ(p.row(expectedGone), nullptr);
}

TEST(EntryList, ChangeEntryReplacesTextCountsAUseOrSelectsTheRowThatHasTheText) {
  Running p;
  p.add(u"old", 0, 3);
  p.add(u"other", 0, 1);
  p.frm->selectEntry(p.indexOf(u"old"));
  p.sys.clock.time += 1;
  p.frm->changeEntry(u"new", true);
  const Row* r = p.row(u"new");
  ASSERT_NE(r, nullptr);
  EXPECT_TRUE(r->checked);
  EXPECT_EQ(r->cells[kColCounter], u"3");
  EXPECT_EQ(r->cells[kColDateSort], u"20230316120000");
  EXPECT_EQ(p.frm->undoRecord().text, u"old");
  // Unchanged text with copied: counts a use, keeps date and text.
  p.frm->changeEntry(u"new", true, true);
  EXPECT_EQ(p.row(u"new")->cells[kColCounter], u"4");
  EXPECT_EQ(p.row(u"new")->cells[kColCountSort], u"0000000004");
  EXPECT_EQ(p.row(u"new")->cells[kColDateSort], u"20230316120000");
  // Only the protection changed (the editor's OK on the same text).
  p.frm->changeEntry(u"new", false);
  EXPECT_FALSE(p.row(u"new")->checked);
  // The text of another row: that row is selected and counts the use.
  p.frm->changeEntry(u"other", true, true);
  EXPECT_EQ(p.texts().size(), 2u);
  EXPECT_EQ(p.frm->rows().selected(), p.indexOf(u"other"));
  EXPECT_EQ(p.row(u"other")->cells[kColCounter], u"2");
  EXPECT_FALSE(p.row(u"other")->checked);
}

TEST(EntryList, CommandsFollowSelectionAndRowCount) {
  Running p;
  const Command rowCommands[] = {Command::TbCut, Command::TbCopy, Command::TbEdit, Command::TbDelete,
                                 Command::TbOpen, Command::MenEditCopy, Command::MenEditCut,
                                 Command::MenFileFileExport};
  // Empty list, a selected row, then no selection in a list that holds one.
  for (int step = 0; step < 3; ++step) {
    if (step == 1) p.frm->addListItem(u"http://x.org", false, true);
    if (step == 2) p.frm->lvItems_Select(-1);
    for (Command c : rowCommands) EXPECT_EQ(p.view.enabled[c], step == 1) << step << " " << static_cast<int>(c);
    EXPECT_EQ(p.view.enabled[Command::TbClear], step > 0) << step;
  }
}

}  // namespace vornix::test
