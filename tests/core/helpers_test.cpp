#include <gtest/gtest.h>

#include "base/dates.h"
#include "core/clip/helpers.h"
#include "fixture.h"

namespace vornix::test {

TEST(ShortenText, KeepsShortTextsAndCutsLongOnes) {
  EXPECT_EQ(shortenText(u"abcdefghij", 10), u"abcdefghij");
  EXPECT_EQ(shortenText(u"abcdefghijklmn", 10), u"abcdefghij [...]");
  EXPECT_EQ(shortenText(u"abcdefghijklmnop", 10), u"abcde [...] lmnop");
  EXPECT_EQ(shortenText(u"abcd efghijklm op", 10), u"abcd [...] lm op");  // both halves trimmed
  EXPECT_EQ(shortenText(u"abc", 2), u"");
  EXPECT_EQ(shortenText(u"    ", 10), u"");
  EXPECT_EQ(shortenText(u"a\tb", 10), u"a b");
  EXPECT_EQ(shortenText(u"a\r\nb\nc", 10), u"a b\nc");
  Text t(2000, u'x');
  t[62] = u'A';
  t[1938] = u'B';
  Text s = shortenText(t, 125);
  EXPECT_EQ(s, Text(62, u'x') + u"A [...] " + u"B" + Text(61, u'x'));
  // Line breaks and blanks at both ends and inside a text.
  EXPECT_EQ(shortenText(u"\r\n\t  ab\r\ncd" + Text(200, u'y') + u"e\r\nf \r\n  \r\n", 10), u"ab cd [...] yye f");
  EXPECT_EQ(shortenText(u"abcd\r\nefgh" + Text(4, u'z'), 10), u"abcd efghz [...]");
}

TEST(FlattenLine, EveryBreakAndTabIsOneBlank) {
  struct Case { const char16_t* text; size_t max; const char16_t* flat; };
  const Case cases[] = {
      {u"GmbH\r\nHauptstr. 1", 100, u"GmbH Hauptstr. 1"},
      {u"a\tb\nc\rd\r\n\r\ne", 100, u"a b c d  e"},
      {u"\r\n lead", 100, u"  lead"},
      {u"x\x01y\x1fz", 100, u"x y z"},
      {u"abc\r\ndef", 5, u"abc d"},
  };
  for (const Case& c : cases) EXPECT_EQ(flattenLine(c.text, c.max), c.flat);
}

TEST(RemoveAmpersand, DropsTheMnemonicMarks) {
  EXPECT_EQ(removeAmpersand(u"&Copy"), u"Copy");
  EXPECT_EQ(removeAmpersand(u"Drag&&Drop"), u"DragDrop");
}

TEST(Files, MissingOrEmptyFilesReadAsEmptyWithoutMessage) {
  Program p;
  p.sys.files.files[u"C:\\e.txt"] = "";
  EXPECT_EQ(readFile(*p.app, u"C:\\missing.txt"), u"");
  EXPECT_EQ(readFile(*p.app, u"C:\\e.txt"), u"");
  p.sys.files.files[u"C:\\u.txt"] = "\xe4\x80";
  EXPECT_EQ(readFile(*p.app, u"C:\\u.txt"), T("ä€"));
  deleteFile(*p.app, u"C:\\missing.txt");
  EXPECT_TRUE(p.sys.boxes.shown.empty());
  p.sys.files.failWrites = true;
  deleteFile(*p.app, u"C:\\u.txt");
  ASSERT_EQ(p.sys.boxes.shown.size(), 1u);
  EXPECT_EQ(p.sys.boxes.shown[0].text.substr(0, 13), u"deleteFile: \r");
}

TEST(KeepOnScreen, MovesWindowsBackInsideAndLargerOnesToTheCorner) {
  const std::pair<Rect, Rect> cases[] = {{{950, 650, 200, 100}, {800, 600, 200, 100}},
                                         {{-50, -10, 200, 100}, {0, 0, 200, 100}},
                                         {{100, 100, 1200, 900}, {0, 0, 1200, 900}}};
  for (auto [r, want] : cases) {
    keepOnScreen(r, Rect{0, 0, 1000, 700});
    EXPECT_TRUE(r.left == want.left && r.top == want.top && r.width == want.width) << r.left << " " << r.top;
  }
  // A monitor left of and above the primary one.
  Rect r{-100, -900, 200, 100};
  keepOnScreen(r, Rect{-1280, -1024, 1280, 1024});
  EXPECT_TRUE(r.left == -200 && r.top == -900) << r.left << " " << r.top;
}

TEST(Dates, SortKeyAndCivilRoundTrip) {
  dates::Civil c{2003, 4, 5, 14, 3, 9};
  double d = dates::fromCivil(c);
  EXPECT_EQ(dates::sortKey(d), u"20030405140309");
  EXPECT_EQ(dates::sortKey(0), u"18991230000000");
  EXPECT_EQ(dates::sortKey(45000.5), u"20230315120000");
  // Sub-second parts round to the nearest second, across midnight too.
  EXPECT_EQ(dates::sortKey(dates::wholeSeconds(d + 0.4 / 86400)), u"20030405140309");
  EXPECT_EQ(dates::sortKey(dates::fromCivil({2003, 4, 5, 23, 59, 59}) + 0.7 / 86400), u"20030406000000");
  dates::Civil back = dates::toCivil(dates::fromCivil({1999, 12, 31, 0, 0, 0}));
  EXPECT_EQ(back.year, 1999);
  EXPECT_EQ(back.day, 31);
}

}  // namespace vornix::test
