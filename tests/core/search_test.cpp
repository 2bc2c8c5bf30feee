#include <gtest/gtest.h>

#include "core/list/search.h"
#include "fixture.h"

namespace vornix::test {

TEST(Search, EveryWordSomewhereCaseAndAccentsIgnored) {
  struct Case {
    const char* typed;
    const char* text;
    bool found;
  } cases[] = {
      {"cafe", "Ein Café am Markt", true},
      {"CAFÉ", "ein cafe", true},
      {"strasse", "Hauptstraße 5", true},
      {"STRASSE", "HAUPTSTRAẞE", true},
      {"muller", "Herr Müller", true},
      {"muller", "Herr Mueller", false},
      {"søren", "Soren", true},
      {"Ελλάδα", "ΕΛΛΑΔΑ και Ελλαδα", true},
      {"οδος", "ΟΔΟΣ", true},
      {"σοφος", "σοφός", true},
      {"москва", "МОСКВА", true},
      {"елка", "Ёлка", true},
      {"Łódź", "lodz", true},
      {"cafe", "cafe\xCC\x81 composed from a mark", true},
      {"Ｒｅｃｈｎｕｎｇ", "Rechnung", true},
      // Several words: each somewhere, in any order, across lines.
      {"invoice march", "March 3\r\n\r\nInvoice for the month", true},
      {"  march   invoice ", "the invoice of march", true},
      {"invoice april", "the invoice of march", false},
      {"rech 42", "Rechnung\r\nNr. 42", true},
      {"abc", "ab\r\nc", false},
      // Nothing typed finds everything.
      {"", "anything", true},
      {"   ", "", true},
      {"x", "", false},
  };
  for (const Case& c : cases) {
    const SearchQuery query(T(c.typed));
    EXPECT_EQ(c.found, query.matches(T(c.text))) << c.typed << " in " << c.text;
  }
}

TEST(Search, LongTextsAreSearchedInFull) {
  // Far past any line the menu shows and past the point where the pair table is used.
  Text text(300000, u'x');
  text += u"\r\nGrüße aus Köln";
  const SearchKey key(text);
  EXPECT_TRUE(SearchQuery(u"koln grusse").matches(key));
  EXPECT_TRUE(SearchQuery(u"xxxx").matches(key));
  EXPECT_FALSE(SearchQuery(u"kolnx").matches(key));
  EXPECT_FALSE(SearchQuery(u"bonn").matches(key));
}

// The word finder reads eight places at a time: a word at every place of texts of
// every length up to a few blocks, and near misses beside it, found as the
// library's find finds them.
TEST(Search, FindsAWordAtEveryPlaceAsTheLibraryDoes) {
  const std::string words[] = {"q", "qz", "qzq", "qqqqqqqqz", "zqzqzqzqzq"};
  for (std::size_t size = 0; size < 40; ++size) {
    for (const std::string& word : words) {
      for (std::size_t place = 0; place <= size; ++place) {
        std::string text(size, 'a');
        for (std::size_t i = 0; i < word.size() && place + i < size; ++i) text[place + i] = word[i];
        // A near miss before it: the first byte without the second.
        if (place >= 2) text[place - 2] = 'q';
        const bool expected = text.find(word) != std::string::npos;
        const Text typed(word.begin(), word.end());
        EXPECT_EQ(expected, SearchQuery(typed).matches(Text(text.begin(), text.end())))
            << word << " in " << text;
      }
    }
  }
}

TEST(Search, IndexFollowsTheRowsText) {
  Program p;
  p.start();
  p.add(u"first text", at(1));
  SearchIndex index;
  const int id = p.frm->rows().at(0).id;
  EXPECT_TRUE(SearchQuery(u"first").matches(index.key(p.frm->rows().at(0))));
  p.frm->rows().setCell(0, kColContent, u"second text");
  EXPECT_FALSE(SearchQuery(u"first").matches(index.key(p.frm->rows().at(0))));
  EXPECT_TRUE(SearchQuery(u"second").matches(index.key(p.frm->rows().at(0))));
  EXPECT_EQ(id, p.frm->rows().at(0).id);
}

TEST(Search, EntriesFromSideFilesAreSearchedInTheirWholeText) {
  Program p;
  std::string big(40000, 'a');
  big += "\r\nthe needle at the end";
  p.sys.files.files[u"C:\\Vornix\\bigfile0.txt"] = big;
  p.setAll({{"EntryCount", "1"}, {"Entry0", "<BIGFILE>C:\\Vornix\\bigfile0.txt</BIGFILE>"}});
  p.start();
  ASSERT_EQ(1, p.frm->rows().count());
  SearchIndex index;
  EXPECT_TRUE(SearchQuery(u"NEEDLE end").matches(index.key(p.frm->rows().at(0))));
}

}  // namespace vornix::test
