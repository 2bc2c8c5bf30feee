#include <gtest/gtest.h>

#include "fixture.h"

namespace vornix::test {

TEST(EntryStorage, RoundTripKeepsTextsOrderProtectionCountersAndDates) {
  // "4" looks like the counter of "first", "FIRST" differs from it only in letter case:
  // both are entries of their own, in every later run too.
  Running p;
  p.add(u"first", at(1), 4, true);
  p.add(u"second\r\nline", at(2));
  p.add(u"http://x.org", at(3), 12);
  p.add(u"4", at(4));
  p.add(u"FIRST", at(5));
  const std::vector<Text> before = p.texts();
  ASSERT_EQ(before.size(), 5u);
  for (int run = 0; run < 2; ++run) {
    p.restart();
    EXPECT_EQ(p.texts(), before) << run;
  }
  EXPECT_TRUE(p.row(u"first")->checked);
  EXPECT_EQ(p.cells(u"first")[kColCounter], u"4");
  EXPECT_EQ(p.cells(u"http://x.org")[kColDateSort], u"20200101100003");
  for (auto [name, value] : {std::pair{"EntryCount", u"5"}, {"EntrySel2", u"False"}, {"EntryQuant2", u"12"},
                             {"EntryDate2", u"01.01.2020 10:00:03"}})
    EXPECT_EQ(p.stored(name), value) << name;
}

TEST(EntryStorage, LargeEntriesLoadBeyondTheSizeLimitAndGetTheirSideFile) {
  Program p;
  p.setAll({{"LimitSizeKB", "256"}, {"EntryCount", "1"}});
  p.sys.store.values[u"Entry0"] = Text(300000, u'z');  // inline, as another version may have stored it
  p.start();
  EXPECT_EQ(p.frm->rows().count(), 1);
  p.restart();
  EXPECT_EQ(p.stored("Entry0"), u"<BIGFILE>C:\\Vornix\\bigfile0.txt</BIGFILE>");
  EXPECT_EQ(p.texts(), std::vector<Text>{Text(300000, u'z')});
}

TEST(EntryStorage, SavingLeavesNoStaleValuesOrFiles) {
  // Values and a side file of an earlier, longer list go on the first save; so does
  // what a list that shrinks no longer needs.
  Program p;
  p.setAll({{"EntryCount", "1"}, {"Entry47", "stale"}, {"EntryQuant47", "3"}});
  p.sys.files.files[u"C:\\Vornix\\bigfile9.txt"] = "old";
  p.start();
  for (int i = 0; i < 12; ++i) p.add(i % 4 == 0 ? Text(20000, u'a' + i) : numbered(i), at(i));
  p.frm->saveReg();
  EXPECT_FALSE((p.has("Entry47") || p.has("EntryQuant47")));
  EXPECT_EQ(p.sys.files.files.size(), 3u);
  while (p.frm->rows().count() > 3) p.frm->removeEntry(0);
  p.frm->saveReg();
  EXPECT_EQ(p.stored("EntryCount"), u"3");
  for (int n = 3; n < 50; ++n)
    for (const char* family : {"Entry", "EntrySel", "EntryDate", "EntryQuant"})
      EXPECT_FALSE(p.sys.store.has(T(family) + ustr::fromInt(n))) << family << n;
  for (const auto& [path, bytes] : p.sys.files.files)
    EXPECT_TRUE(path.size() == 22 && path <= u"C:\\Vornix\\bigfile2.txt") << ustr::toUtf8(path);  // 0 to 2
  const std::vector<Text> before = p.texts();
  p.restart();
  EXPECT_EQ(p.texts(), before);
}

TEST(EntryStorage, UnchangedSideFilesAreNotWrittenAgain) {
  Running p({{"ProtocolMode", "1"}, {"RegSave", "True"}});
  for (int i = 0; i < 10; ++i) p.add(Text(1048576, static_cast<char16_t>(u'a' + i)), at(i));
  for (int i = 10; i < 50; ++i) p.add(numbered(i) + Text(190, u'.'), at(i));
  p.frm->saveReg();
  const int writes = p.sys.files.writes;
  p.copy(u"one more capture");
  EXPECT_EQ(p.sys.files.writes, writes);
  EXPECT_EQ(p.frm->rows().count(), 50);
  p.restart();
  EXPECT_EQ(p.frm->rows().count(), 50);
  EXPECT_TRUE(p.row(u"one more capture"));
  EXPECT_TRUE(p.row(Text(1048576, u'j')));
}

TEST(EntryStorage, FailedSideFileWriteAndCrashSaveKeepThePreviousConsistentState) {
  Running p;
  p.add(Text(20000, u'a'), at(1));
  p.frm->saveReg();
  const Text stored = p.stored("Entry0");
  const auto filesBefore = p.sys.files.files;
  p.frm->changeEntry(Text(30000, u'b'), false);  // the same slot gets a new large text
  p.sys.files.failWrites = true;
  p.frm->saveReg();
  EXPECT_EQ(p.stored("Entry0"), stored);
  EXPECT_EQ(p.sys.files.files, filesBefore);
  // The next start still loads the text that was saved.
  Program q;
  q.startFrom(p);
  EXPECT_EQ(q.texts(), std::vector<Text>{Text(20000, u'a')});
  // Once the disk works again the change is saved.
  p.sys.files.failWrites = false;
  p.frm->saveReg();
  EXPECT_EQ(p.sys.files.files[u"C:\\Vornix\\bigfile0.txt"], std::string(30000, 'b'));
  // The crash save keeps the list it can, without any box, and leaves the chain.
  Program c;
  c.set("ProtocolMode", "1");
  c.sys.chain.nextOnJoin = 0x50;
  c.start();
  c.copy(u"captured");
  c.copy(Text(20000, u'c'));
  c.sys.files.failWrites = true;
  c.frm->emergencyShutdown();
  EXPECT_EQ(c.sys.chain.leaves, 1);
  EXPECT_TRUE(c.sys.boxes.shown.empty());
  Program after;
  after.startFrom(c);
  EXPECT_EQ(after.texts(), std::vector<Text>{u"captured"});
}

TEST(EntryStorage, SideFileFailureIsToldOnceTheSaveIsComplete) {
  // The box's message loop may file and save a capture: it must not run in the middle of a save.
  Running p;
  p.add(Text(20000, u'a'), at(1));
  p.add(u"small", at(2));
  p.sys.files.failWrites = true;
  Text storedWhileTold;
  p.sys.loop.whileOpen([&p, &storedWhileTold] { storedWhileTold = p.stored("EntryCount"); });
  p.frm->saveReg();
  EXPECT_EQ(p.sys.boxes.shown.size(), 1u);
  EXPECT_EQ(storedWhileTold, u"1");
}

TEST(EntryStorage, KilledInTheMiddleOfSavingLosesNoSavedEntry) {
  // Build a saved list, then change it in every way at once (new capture that
  // re-sorts everything, a removal, a changed counter) and kill the save after each
  // possible number of writes: every start afterwards has all previously saved
  // entries except the removed one, and nothing else but the new one.
  Running base;
  for (int i = 0; i < 8; ++i) base.add(i == 3 ? Text(17000, u'L') : numbered(i), at(i), i);
  base.frm->saveReg();
  const std::vector<Text> saved = base.texts();
  for (int budget = 0; budget < 200; ++budget) {
    Program p;
    p.startFrom(base);
    p.frm->removeEntry(p.indexOf(numbered(5)));
    p.add(u"brand new", at(59));
    p.frm->CopyItem(p.indexOf(numbered(1)));
    bool finished = true;
    p.sys.store.killAfter = budget;
    try {
      p.frm->saveReg();
    } catch (const fake::Killed&) {
      finished = false;
    }
    p.sys.store.killAfter = -1;
    Program after;
    after.startFrom(p);
    const std::vector<Text> loaded = after.texts();
    for (const Text& t : saved)
      EXPECT_TRUE(t == numbered(5) || std::find(loaded.begin(), loaded.end(), t) != loaded.end())
          << "budget " << budget << " lost " << ustr::toUtf8(t.substr(0, 20));
    for (const Text& t : loaded)
      EXPECT_TRUE(t == u"brand new" || std::find(saved.begin(), saved.end(), t) != saved.end());
    EXPECT_TRUE(!finished || loaded.size() == 8u);
    if (finished) break;
  }
}

TEST(EntryStorage, CorruptValuesOrAMissingSideFileNeverDropTheOtherEntries) {
  for (const char* count : {"abc", "5000", "-3", "2"}) {
    Program p;
    p.set("EntryCount", count);
    p.set("Entry0", "zero");
    // A date that does not convert, or one beyond the year 9999.
    p.set("EntryDate0", std::string(count) == "2" ? "01.01.99999999 10:00:00" : "not a date");
    p.set("EntryQuant0", "-7");
    // Entry1 is missing.
    p.setAll({{"Entry2", "two"}, {"EntrySel2", "True"}, {"EntryQuant2", "many"}});
    p.start();
    ASSERT_NE(p.row(u"zero"), nullptr) << count;
    const bool twoLoaded = std::string(count) != "2";
    EXPECT_TRUE(!twoLoaded || (p.row(u"two") && p.row(u"two")->checked && p.cells(u"two")[kColCounter] == u"0"));
    EXPECT_EQ(p.cells(u"zero")[kColCounter], u"0");
    EXPECT_EQ(p.cells(u"zero")[kColDateSort], u"20230315120000");
    // The date that did not convert was reported once.
    ASSERT_EQ(p.sys.boxes.shown.size(), 1u) << count;
    p.frm->saveReg();
    EXPECT_EQ(p.stored("EntryCount"), ustr::fromInt(p.frm->rows().count()));
  }
  // A missing side file drops only its entry, silently; a file that is not ours is never deleted.
  Program p;
  p.setAll({{"EntryCount", "3"}, {"Entry0", "<BIGFILE>C:\\Vornix\\bigfile0.txt</BIGFILE>"}, {"Entry1", "small"},
            {"Entry2", "<BIGFILE>C:\\Data\\report.txt</BIGFILE>"}});
  p.sys.files.files[u"C:\\Data\\report.txt"] = "report";
  p.start();
  EXPECT_EQ(p.texts(), (std::vector<Text>{u"small", u"report"}));
  EXPECT_TRUE(p.sys.boxes.shown.empty());
  p.frm->removeEntry(p.indexOf(u"report"));
  p.frm->saveReg();
  EXPECT_EQ(p.sys.files.files.count(u"C:\\Data\\report.txt"), 1u);
}

TEST(EntryStorage, SideFilesKeepEveryCharacter) {
  // From 16384 characters on a text goes to the side file of its index. Texts the code
  // page holds are written byte for byte; others, and any whose bytes would read as a
  // byte-order mark, as UTF-16LE after one. Marker-shaped texts (they would come back
  // as the file they name) and texts with a NUL (the store cuts them there) go to a
  // side file whatever their length.
  using namespace std::string_literals;
  const Text unicode = T("Grüße – naïve café € 中文 Ελληνικά 😀 ");
  // The first bytes of the side file; "" for a text kept inline.
  const struct { Text text; std::string start; } cases[] = {
      {Text(16383, u'a'), ""}, {Text(16384, u'x'), "xx"s}, {T("äöü € ") + Text(20000, u'y'), "\xE4\xF6\xFC \x80 "s},
      {unicode + Text(20000, u'z'), "\xFF\xFEG\0r\0"s}, {T("ÿþ") + Text(20000, u'w'), "\xFF\xFE\xFF\0\xFE\0"s},
      {Text(u"a\0b", 3), "a\0b"s}, {u"<BIGFILE>C:\\secret.txt</BIGFILE>", "<BIGFILE>"s},
  };
  for (const auto& c : cases) {
    Program p;
    p.sys.files.files[u"C:\\secret.txt"] = "not this";
    p.start();
    p.add(c.text, at(1));
    p.frm->saveReg();
    const Text file = u"C:\\Vornix\\bigfile0.txt";
    if (c.start.empty()) {
      EXPECT_EQ(p.stored("Entry0"), c.text);
      EXPECT_EQ(p.sys.files.files.count(file), 0u);
    } else {
      EXPECT_EQ(p.stored("Entry0"), u"<BIGFILE>" + file + u"</BIGFILE>");
      EXPECT_EQ(p.sys.files.files[file].substr(0, c.start.size()), c.start);
    }
    p.restart();
    EXPECT_EQ(p.texts(), std::vector<Text>{c.text});
  }
}

TEST(EntryStorage, UnwritableProgramFolderFallsBackToTheUserFolder) {
  Program p;
  p.sys.files.readOnly = {u"C:\\Vornix"};
  p.start();
  p.add(Text(20000, u'a'), at(1));
  p.frm->saveReg();
  const Text path = u"C:\\Users\\me\\AppData\\Vornix\\bigfile0.txt";
  EXPECT_EQ(p.stored("Entry0"), u"<BIGFILE>" + path + u"</BIGFILE>");
  EXPECT_EQ(p.sys.files.files.count(path), 1u);
  EXPECT_TRUE(p.sys.boxes.shown.empty());
  p.restart();
  EXPECT_EQ(p.texts(), std::vector<Text>{Text(20000, u'a')});
  // Neither folder can be written: said once, however often it is saved.
  p.sys.files.readOnly.insert(u"C:\\Users\\me\\AppData\\Vornix");
  p.add(Text(20000, u'b'), at(2));
  p.frm->saveReg();
  p.frm->saveReg();
  ASSERT_EQ(p.sys.boxes.shown.size(), 1u);
  EXPECT_NE(p.sys.boxes.shown[0].text.find(u"C:\\Users\\me\\AppData\\Vornix"), Text::npos);
  p.restart();
  EXPECT_EQ(p.texts(), std::vector<Text>{Text(20000, u'a')});
}

TEST(EntryStorage, UnreadableSideFileKeepsItsSlotUntilItCanBeRead) {
  Running p;
  for (int i = 0; i < 4; ++i) p.add(i == 2 ? Text(20000, u'L') : numbered(i), at(i));
  p.frm->saveReg();
  const Text marker = p.stored("Entry1");  // newest first: the large entry is index 1
  const Text file = u"C:\\Vornix\\bigfile1.txt";
  ASSERT_EQ(marker, u"<BIGFILE>" + file + u"</BIGFILE>");
  p.sys.files.unreadable = {file};
  p.restart();
  EXPECT_EQ(p.frm->rows().count(), 3);
  EXPECT_EQ(p.sys.boxes.shown.size(), 1u);
  // Removals and captures around the kept slot, then a sweep: it stays as it was.
  p.frm->removeEntry(p.indexOf(numbered(3)));
  p.frm->removeEntry(p.indexOf(numbered(0)));
  p.add(u"new", at(9));
  p.frm->saveReg();
  p.frm->removeEntry(p.indexOf(u"new"));
  p.frm->saveReg();
  EXPECT_EQ(p.stored("Entry1"), marker);
  EXPECT_EQ(p.sys.files.files[file], std::string(20000, 'L'));
  p.sys.files.unreadable.clear();
  p.restart();
  EXPECT_EQ(p.texts(), (std::vector<Text>{Text(20000, u'L'), numbered(1)}));
}

TEST(TextBlocks, LongBlocksAreTruncatedWithAMessage) {
  Running p;
  p.app->textBlocks[3] = Text(20000, u'x');
  p.app->textBlocks[4] = u"short";
  p.frm->saveReg();
  EXPECT_EQ(p.boxes(), std::vector<Text>{T("Ein Eintrag, beginnend mit \"xxxxxxxxxx...\", ist größer als 16 KB\r\n"
                                           "und kann leider nicht vollständig gespeichert werden!")});
  EXPECT_EQ(p.app->textBlocks[3].size(), 20000u);
  p.restart();
  EXPECT_EQ(p.app->textBlocks[3].size(), 16383u);
  EXPECT_EQ(p.app->textBlocks[4], u"short");
}

}  // namespace vornix::test
