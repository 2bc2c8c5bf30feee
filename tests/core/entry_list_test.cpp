#include <gtest/gtest.h>

#include "core/clip/dates.h"
#include "fixture.h"

namespace vornix::test {

namespace {

// A full list of 50 entries with the given counters, one second apart in date.
void fill(Program& p, const std::vector<long>& counters, const std::vector<int>& protectedOnes = {}) {
  for (int i = 0; i < 50; ++i) {
    double date = dates::fromCivil({2020, 1, 1, 10, 0, i});
    bool prot = std::find(protectedOnes.begin(), protectedOnes.end(), i) != protectedOnes.end();
    p.frm->addListItem(numbered(i), prot, false, date, counters[static_cast<size_t>(i)]);
  }
}

}  // namespace

TEST(EntryList, RowHoldsCounterTextTypeDateAndSortKeys) {
  Program p;
  p.start();
  p.frm->addListItem(u"http://x.org", true, false, dates::fromCivil({2003, 4, 5, 14, 3, 9}), 7);
  const Row& r = p.frm->rows().at(0);
  EXPECT_EQ(r.cells[kColCounter], u"7");
  EXPECT_EQ(r.cells[kColContent], u"http://x.org");
  EXPECT_EQ(r.cells[kColType], u"URL");
  EXPECT_EQ(r.cells[kColDate], u"05.04.2003 14:03:09");
  EXPECT_EQ(r.cells[kColDateSort], u"20030405140309");
  EXPECT_EQ(r.cells[kColCountSort], u"0000000007");
  EXPECT_TRUE(r.checked);
  EXPECT_EQ(p.frm->rows().selected(), 0);
}

TEST(EntryList, OldMidnightDatesBecomeThePresentTime) {
  Program p;
  p.start();
  p.frm->addListItem(u"a", false, false, dates::fromCivil({2001, 1, 1, 0, 0, 0}));
  p.frm->addListItem(u"b", false, false, dates::fromCivil({2001, 1, 1, 0, 0, 1}));
  p.frm->addListItem(u"c", false, false);
  EXPECT_EQ(p.row(u"a")->cells[kColDateSort], u"20230315120000");
  EXPECT_EQ(p.row(u"b")->cells[kColDateSort], u"20010101000001");
  EXPECT_EQ(p.row(u"c")->cells[kColDateSort], u"20230315120000");
}

TEST(EntryList, OnlyTheContentMakesADuplicate) {
  // Rows "Hello" (counter 3, "Text", German date) and "other": only a text equal to a
  // content, ignoring case, selects that row; a counter, type, date or key is a new text.
  const struct {
    const char* text;
    bool filed;
  } cases[] = {
      {"hello", false}, {"OTHER", false}, {"3", true}, {"0", true}, {"Text", true},
      {"15.03.2023 12:00:00", true}, {"20230315120000", true}, {"0000000003", true},
  };
  for (const auto& c : cases) {
    Program p;
    p.start();
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

TEST(EntryList, FullListWithoutRecordModeRefusesWithMessage) {
  Program p;
  p.start();
  fill(p, std::vector<long>(50, 1));
  p.frm->addListItem(u"one more", false, true);
  EXPECT_EQ(p.frm->rows().count(), 50);
  ASSERT_EQ(p.sys.boxes.shown.size(), 1u);
  EXPECT_EQ(p.sys.boxes.shown[0].text,
            T("Maximale Anzahl von Einträgen erreicht!\r\nLöschen Sie einfach einen oder mehrere Einträge aus der Liste ..."));
  EXPECT_TRUE(p.frm->checkMaxEntries());
}

TEST(EntryList, FullListInRecordModeGivesUpTheRightEntry) {
  // 50 entries one second apart ("entry 0" oldest), counters 5 unless listed, the
  // oldest `protectedCount` protected.
  const struct {
    const char* rule;  // ProtocolQuant
    std::vector<std::pair<int, long>> counters;
    int protectedCount;
    int gone;  // -1: nothing is given up and the new text is dropped silently
  } cases[] = {
      {"True", {{30, 1}, {40, 1}}, 0, 30},  // the lowest counter, then the oldest
      {"True", {}, 3, 3},                   // equal counters: the oldest unprotected
      {"False", {{0, 9}}, 0, 0},            // the oldest, despite its high counter
      {"False", {{1, 9}}, 1, 1},
      {"True", {}, 49, 49},                 // the one unprotected row
      {"True", {}, 50, -1},
  };
  for (const auto& c : cases) {
    std::vector<long> counters(50, 5);
    for (const auto& [i, n] : c.counters) counters[static_cast<size_t>(i)] = n;
    std::vector<int> prot;
    for (int i = 0; i < c.protectedCount; ++i) prot.push_back(i);
    Program p;
    p.set("ProtocolMode", "1");
    p.set("ProtocolQuant", c.rule);
    p.start();
    fill(p, counters, prot);
    p.frm->addListItem(u"new", false, true);
    EXPECT_EQ(p.frm->rows().count(), 50) << c.gone;
    EXPECT_EQ(p.row(u"new") != nullptr, c.gone >= 0) << c.gone;
    if (c.gone >= 0) {
      EXPECT_EQ(p.row(numbered(c.gone)), nullptr) << c.gone;
      EXPECT_EQ(p.frm->undoRecord().text, numbered(c.gone)) << c.gone;
    }
    EXPECT_TRUE(p.sys.boxes.shown.empty()) << c.gone;
  }
}

TEST(EntryList, TiesInBothKeysGiveUpTheFirstRowInDisplayOrder) {
  Program p;
  p.set("ProtocolMode", "1");
  p.start();
  for (int i = 0; i < 50; ++i) p.frm->addListItem(numbered(i), i < 47, false, dates::fromCivil({2020, 1, 1, 10, 0, 0}), 0);
  const int firstUnprotected = [&] {
    for (int i = 0; i < 50; ++i)
      if (!p.frm->rows().at(i).checked) return i;
    return -1;
  }();
  const Text expectedGone = p.frm->rows().at(firstUnprotected).cells[kColContent];
  p.frm->addListItem(u"new", false, true);
  EXPECT_EQ(p.row(expectedGone), nullptr);
}

TEST(EntryList, ChangeEntryReplacesTextOrCountsAUse) {
  Program p;
  p.start();
  p.frm->addListItem(u"old", false, false, 0, 3);
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
}

TEST(EntryList, ChangeEntryToTheTextOfAnotherRowSelectsThatRow) {
  Program p;
  p.start();
  p.frm->addListItem(u"first", false, false, 0, 1);
  p.frm->addListItem(u"second", false, false, 0, 1);
  p.frm->selectEntry(p.indexOf(u"second"));
  p.frm->changeEntry(u"first", true, true);
  EXPECT_EQ(p.texts().size(), 2u);
  EXPECT_EQ(p.frm->rows().selected(), p.indexOf(u"first"));
  EXPECT_EQ(p.row(u"first")->cells[kColCounter], u"2");
  EXPECT_FALSE(p.row(u"first")->checked);
}

TEST(EntryList, CommandsFollowSelectionAndRowCount) {
  Program p;
  p.start();
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
