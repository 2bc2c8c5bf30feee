#include <gtest/gtest.h>

#include "fixture.h"

namespace vornix::test {

namespace {

// A full list of 50 entries one second apart ("entry 0" oldest) with counters 5 unless
// given, the oldest `protectedCount` protected.
void fill(Program& p, const std::vector<std::pair<int, long>>& counters = {}, int protectedCount = 0) {
  std::vector<long> counter(50, 5);
  for (const auto& [i, n] : counters) counter[static_cast<size_t>(i)] = n;
  for (int i = 0; i < 50; ++i) p.add(numbered(i), at(i), counter[static_cast<size_t>(i)], i < protectedCount);
}

}  // namespace

TEST(EntryList, RowHoldsCounterTextTypeDateAndSortKeys) {
  Running p;
  p.add(u"http://x.org", dates::fromCivil({2003, 4, 5, 14, 3, 9}), 7, true);
  const Row& r = p.frm->rows().at(0);
  EXPECT_EQ(r.cells[kColCounter], u"7");
  EXPECT_EQ(r.cells[kColContent], u"http://x.org");
  EXPECT_EQ(r.cells[kColType], u"URL");
  EXPECT_EQ(r.cells[kColDate], u"05.04.2003 14:03:09");
  EXPECT_EQ(r.cells[kColDateSort], u"20030405140309");
  EXPECT_EQ(r.cells[kColCountSort], u"0000000007");
  EXPECT_TRUE(r.checked);
  EXPECT_EQ(p.frm->rows().selected(), 0);
  // No date, or the old midnight that stood for none, is the present time.
  p.add(u"a", dates::fromCivil({2001, 1, 1, 0, 0, 0}));
  p.add(u"b", dates::fromCivil({2001, 1, 1, 0, 0, 1}));
  p.add(u"c");
  EXPECT_EQ(p.row(u"a")->cells[kColDateSort], u"20230315120000");
  EXPECT_EQ(p.row(u"b")->cells[kColDateSort], u"20010101000001");
  EXPECT_EQ(p.row(u"c")->cells[kColDateSort], u"20230315120000");
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
    if (!c.filed) {
      EXPECT_EQ(p.frm->rows().find(T(c.text)), p.frm->rows().selected()) << c.text;
    }
    EXPECT_EQ(p.row(u"Hello")->cells[kColCounter], u"3");
  }
}

TEST(EntryList, FullListGivesUpTheRightEntryInRecordModeAndRefusesWithAMessageOtherwise) {
  const struct {
    const char* rule;  // ProtocolQuant; nullptr: record mode off
    std::vector<std::pair<int, long>> counters;
    int protectedCount;
    int gone;  // -1: nothing is given up and the new text is dropped
  } cases[] = {
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
    EXPECT_EQ(p.row(u"new") != nullptr, c.gone >= 0) << c.gone;
    if (c.gone >= 0) {
      EXPECT_EQ(p.row(numbered(c.gone)), nullptr) << c.gone;
      EXPECT_EQ(p.frm->undoRecord().text, numbered(c.gone)) << c.gone;
    }
    if (c.rule) {
      EXPECT_TRUE(p.sys.boxes.shown.empty()) << c.gone;
    } else {
      EXPECT_EQ(p.boxes(), std::vector<Text>{T("Maximale Anzahl von Einträgen erreicht!\r\n"
                                               "Löschen Sie einfach einen oder mehrere Einträge aus der Liste ...")});
      EXPECT_TRUE(p.frm->checkMaxEntries());
    }
  }
}

TEST(EntryList, TiesInBothKeysGiveUpTheFirstRowInDisplayOrder) {
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
  for (Command c : {Command::TbCut, Command::TbCopy, Command::TbEdit, Command::TbDelete, Command::TbClear,
                    Command::TbOpen, Command::MenFileFileExport})
    EXPECT_FALSE(p.view.enabled[c]);
  p.frm->addListItem(u"http://x.org", false, true);
  for (Command c : {Command::TbCut, Command::TbCopy, Command::TbEdit, Command::TbDelete, Command::TbClear,
                    Command::TbOpen, Command::MenEditCopy, Command::MenEditCut, Command::MenFileFileExport})
    EXPECT_TRUE(p.view.enabled[c]);
  p.frm->lvItems_Select(-1);
  EXPECT_FALSE(p.view.enabled[Command::TbCopy]);
  EXPECT_FALSE(p.view.enabled[Command::TbOpen]);
  EXPECT_TRUE(p.view.enabled[Command::TbClear]);
}

}  // namespace vornix::test
