#include <gtest/gtest.h>

#include "base/dates.h"
#include "core/clip/helpers.h"
#include "core/quick/on_screen_display.h"
#include "fixture.h"

namespace vornix::test {

TEST(ShortenText, KeepsShortTextsAndCutsLongOnes) {
  Text t(2000, u'x');
  t[62] = u'A';
  t[1938] = u'B';
  const std::tuple<Text, int, Text> cases[] = {
      {u"abcdefghij", 10, u"abcdefghij"}, {u"abcdefghijklmn", 10, u"abcdefghij [...]"},
      {u"abcdefghijklmnop", 10, u"abcde [...] lmnop"},
      {u"abcd efghijklm op", 10, u"abcd [...] lm op"},  // both halves trimmed
      {u"abc", 2, u""}, {u"    ", 10, u""}, {u"a\tb", 10, u"a b"}, {u"a\r\nb\nc", 10, u"a b\nc"},
      {t, 125, Text(62, u'x') + u"A [...] " + u"B" + Text(61, u'x')},
      // Line breaks and blanks at both ends and inside a text.
      {u"\r\n\t  ab\r\ncd" + Text(200, u'y') + u"e\r\nf \r\n  \r\n", 10, u"ab cd [...] yye f"},
      {u"abcd\r\nefgh" + Text(4, u'z'), 10, u"abcd efghz [...]"}};
  for (const auto& [text, max, shortened] : cases) EXPECT_EQ(shortenText(text, max), shortened) << ustr::toUtf8(text);
}

// No half of a surrogate pair stands alone.
bool wholeCharacters(const Text& t) {
  for (size_t i = 0; i < t.size(); ++i) {
    const bool high = t[i] >= 0xD800 && t[i] <= 0xDBFF, low = t[i] >= 0xDC00 && t[i] <= 0xDFFF;
    if (low) return false;
    if (high && (i + 1 == t.size() || t[i + 1] < 0xDC00 || t[i + 1] > 0xDFFF)) return false;
    if (high) ++i;
  }
  return true;
}

TEST(WholeCharacters, EveryShortenedTextKeepsItsPairsTogether) {
  const Text face = u"\U0001F600";  // one character, two units
  EXPECT_EQ(ustr::head(u"ab" + face, 3), u"ab");
  EXPECT_TRUE(ustr::head(u"ab" + face, 4) == u"ab" + face);
  EXPECT_EQ(ustr::tail(face + u"ab", 3), u"ab");
  EXPECT_TRUE(ustr::tail(face + u"ab", 4) == face + u"ab");
  EXPECT_EQ(ustr::head(u"abc", 0), u"");
  EXPECT_EQ(ustr::tail(u"abc", 0), u"");
  // Every way a text is shortened, at every offset of the pairs against the cut.
  for (const Text& lead : {Text(), Text(u"x")}) {
    Text faces = lead;
    for (int i = 0; i < 1000; ++i) faces += face;
    EXPECT_TRUE(wholeCharacters(shortenText(faces, 125))) << lead.size();
    EXPECT_TRUE(wholeCharacters(shortenText(faces, 10))) << lead.size();
    EXPECT_TRUE(wholeCharacters(flattenLine(faces, 11))) << lead.size();
    for (const Text& line : osdLines(faces, 3, [](const Text& l) { return l.size() <= 41; }, false))
      EXPECT_TRUE(wholeCharacters(line)) << lead.size();
    Running p({{"ProtocolMode", "1"}, {"LimitSizeKB", "1"}});
    p.copy(faces);  // over the size limit: the status bar shows its ends
    EXPECT_TRUE(wholeCharacters(p.view.panel)) << lead.size();
  }
}

TEST(FlattenLine, EveryBreakTabAndControlIsOneBlankAndMnemonicMarksGo) {
  const std::tuple<const char16_t*, size_t, const char16_t*> cases[] = {
      {u"GmbH\r\nHauptstr. 1", 100, u"GmbH Hauptstr. 1"}, {u"a\tb\nc\rd\r\n\r\ne", 100, u"a b c d  e"},
      {u"\r\n lead", 100, u"  lead"}, {u"x\x01y\x1fz", 100, u"x y z"}, {u"abc\r\ndef", 5, u"abc d"}};
  for (auto [text, max, flat] : cases) EXPECT_EQ(flattenLine(text, max), flat);
  EXPECT_EQ(removeAmpersand(u"&Copy"), u"Copy");
  EXPECT_EQ(removeAmpersand(u"Drag&&Drop"), u"DragDrop");
}

TEST(Files, MissingOrEmptyFilesReadAsEmptyWithoutMessage) {
  Program p;
  p.sys.files.files[u"C:\\e.txt"] = "";
  p.sys.files.files[u"C:\\u.txt"] = "\xe4\x80";
  EXPECT_EQ(readFile(*p.app, u"C:\\missing.txt"), u"");
  EXPECT_EQ(readFile(*p.app, u"C:\\e.txt"), u"");
  EXPECT_EQ(readFile(*p.app, u"C:\\u.txt"), T("ä€"));
  deleteFile(*p.app, u"C:\\missing.txt");
  EXPECT_TRUE(p.sys.boxes.shown.empty());
  p.sys.files.failWrites = true;
  deleteFile(*p.app, u"C:\\u.txt");
  ASSERT_EQ(p.sys.boxes.shown.size(), 1u);
  EXPECT_EQ(p.sys.boxes.shown[0].text.substr(0, 13), u"deleteFile: \r");
}

TEST(KeepOnScreen, MovesWindowsBackInsideAndLargerOnesToTheCorner) {
  // The last: a monitor left of and above the primary one.
  const std::tuple<Rect, Rect, Box> cases[] = {
      {{950, 650, 200, 100}, {0, 0, 1000, 700}, {800, 600, 200, 100}},
      {{-50, -10, 200, 100}, {0, 0, 1000, 700}, {0, 0, 200, 100}},
      {{100, 100, 1200, 900}, {0, 0, 1000, 700}, {0, 0, 1200, 900}},
      {{-100, -900, 200, 100}, {-1280, -1024, 1280, 1024}, {-200, -900, 200, 100}}};
  for (auto [r, screen, want] : cases) {
    keepOnScreen(r, screen);
    EXPECT_EQ(box(r), want);
  }
}

TEST(Dates, SortKeyAndCivilRoundTrip) {
  dates::Civil c{2003, 4, 5, 14, 3, 9};
  double d = dates::fromCivil(c);
  // Sub-second parts round to the nearest second, across midnight too.
  const std::pair<double, const char16_t*> cases[] = {
      {d, u"20030405140309"}, {0, u"18991230000000"}, {45000.5, u"20230315120000"},
      {dates::wholeSeconds(d + 0.4 / 86400), u"20030405140309"},
      {dates::fromCivil({2003, 4, 5, 23, 59, 59}) + 0.7 / 86400, u"20030406000000"}};
  for (auto [date, key] : cases) EXPECT_EQ(dates::sortKey(date), key);
  dates::Civil back = dates::toCivil(dates::fromCivil({1999, 12, 31, 0, 0, 0}));
  EXPECT_EQ(back.year, 1999);
  EXPECT_EQ(back.day, 31);
}

}  // namespace vornix::test
