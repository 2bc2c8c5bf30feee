#include <gtest/gtest.h>

#include "core/list/search.h"
#include "fixture.h"

namespace vornix::test {

TEST(Search, EveryWordSomewhereCaseAndAccentsIgnored) {
  struct Case { const char *typed, *text; bool found; } cases[] = {
      {"cafe", "Ein Café am Markt", true}, {"CAFÉ", "ein cafe", true}, {"strasse", "Hauptstraße 5", true},
      {"STRASSE", "HAUPTSTRAẞE", true}, {"muller", "Herr Müller", true}, {"muller", "Herr Mueller", false},
      {"søren", "Soren", true}, {"Ελλάδα", "ΕΛΛΑΔΑ και Ελλαδα", true}, {"οδος", "ΟΔΟΣ", true},
      {"σοφος", "σοφός", true}, {"москва", "МОСКВА", true}, {"елка", "Ёлка", true}, {"Łódź", "lodz", true},
      {"cafe", "cafe\xCC\x81 composed from a mark", true}, {"Ｒｅｃｈｎｕｎｇ", "Rechnung", true},
      // Several words: each somewhere, in any order, across lines.
      {"invoice march", "March 3\r\n\r\nInvoice for the month", true},
      {"  march   invoice ", "the invoice of march", true}, {"invoice april", "the invoice of march", false},
      {"rech 42", "Rechnung\r\nNr. 42", true}, {"abc", "ab\r\nc", false},
      // Nothing typed finds everything.
      {"", "anything", true}, {"   ", "", true}, {"x", "", false},
  };
  for (const Case& c : cases) {
    const SearchQuery query(T(c.typed));
    EXPECT_EQ(c.found, query.matches(T(c.text))) << c.typed << " in " << c.text;
  }
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

TEST(Search, LongTextsAndSideFilesAreSearchedInFullAndTheIndexFollowsTheRow) {
  // Far past any line the menu shows and past the point where the pair table is used,
  // in a side file written in the code page.
  Program p;
  p.sys.files.files[u"C:\\Vornix\\bigfile0.txt"] = std::string(300000, 'x') + "\r\nGr\xFC\xDF" "e aus K\xF6ln";
  p.setAll({{"EntryCount", "1"}, {"Entry0", "<BIGFILE>C:\\Vornix\\bigfile0.txt</BIGFILE>"}});
  p.start();
  ASSERT_EQ(1, p.frm->rows().count());
  SearchIndex index;
  const int id = p.frm->rows().at(0).id;
  for (auto [typed, found] : {std::pair{u"koln GRUSSE", true}, {u"xxxx", true}, {u"kolnx", false}, {u"bonn", false}})
    EXPECT_EQ(SearchQuery(typed).matches(index.key(p.frm->rows().at(0))), found) << ustr::toUtf8(typed);
  p.frm->rows().setCell(0, kColContent, u"second text");
  EXPECT_FALSE(SearchQuery(u"koln").matches(index.key(p.frm->rows().at(0))));
  EXPECT_TRUE(SearchQuery(u"second").matches(index.key(p.frm->rows().at(0))));
  EXPECT_EQ(id, p.frm->rows().at(0).id);
}

namespace {

// Newest first: "koln airport", "Grüße aus Köln", "http://koeln.de", "http://bonn.de", "Rechnung".
struct Searching : Running {
  Searching() : Running({{"ProtocolMode", "1"}}) {
    add(u"Rechnung", at(1), 4);
    add(u"http://bonn.de", at(2), 1);
    add(u"http://koln.de", at(3), 1);
    add(T("Grüße aus Köln"), at(4), 7);
    add(u"koln airport", at(5), 2);
  }
  std::vector<Text> shown() const {
    std::vector<Text> out;
    for (int i = 0; i < frm->shownCount(); ++i) out.push_back(frm->rows().at(frm->shownRow(i)).cells[kColContent]);
    return out;
  }
  Text selected() const {
    const int index = frm->rows().selected();
    return index < 0 ? u"(none)" : frm->rows().at(index).cells[kColContent];
  }
};

}  // namespace

TEST(ListSearch, ShowsOnlyMatchingRowsAndCommandsActOnTheRowSeenSelected) {
  Searching p;
  p.frm->lvItems_Select(0);
  p.frm->startSearch(u"k");
  EXPECT_TRUE(p.view.searchShown);
  EXPECT_EQ(p.view.searchField, u"k");
  p.frm->search_Change(u"KOLN");
  EXPECT_EQ(p.shown(), (std::vector<Text>{u"koln airport", T("Grüße aus Köln"), u"http://koln.de"}));
  EXPECT_EQ(p.view.searchCount, u"3 von 5");
  // Positions are those of the rows shown.
  p.frm->lvItems_Select(1);
  EXPECT_EQ(p.selected(), T("Grüße aus Köln"));
  p.frm->lvItems_ItemCheck(2, true);
  EXPECT_TRUE(p.row(u"http://koln.de")->checked);
  EXPECT_FALSE(p.row(u"http://bonn.de")->checked);
  p.frm->tbMain_ButtonClick(Command::TbCopy);
  p.idle();
  EXPECT_EQ(p.sys.clipboard.text, T("Grüße aus Köln"));
  EXPECT_EQ(p.cells(T("Grüße aus Köln"))[kColCounter], u"8");
  EXPECT_EQ(p.frm->lvItems_DragOut(p.frm->selectedRowId()), T("Grüße aus Köln"));
  p.frm->lvItems_Select(0);
  p.frm->tbMain_ButtonClick(Command::TbDelete);
  // The rows, their order and their counters are the list's own.
  EXPECT_EQ(p.texts(), (std::vector<Text>{T("Grüße aus Köln"), u"http://koln.de", u"http://bonn.de", u"Rechnung"}));
  EXPECT_EQ(p.selected(), T("Grüße aus Köln"));
  EXPECT_EQ(p.view.searchCount, u"2 von 4");
}

TEST(ListSearch, CapturesAreFiledAndShownWhenTheyMatch) {
  Searching p;
  p.frm->startSearch(u"koln");
  p.frm->lvItems_Select(1);
  p.copyEach({u"Flug nach Koln"});
  EXPECT_EQ(p.shown().front(), u"Flug nach Koln");
  EXPECT_EQ(p.selected(), u"Flug nach Koln");
  // One that does not match is filed all the same; the user still sees his row selected.
  p.copyEach({u"Termin Montag"});
  EXPECT_EQ(p.texts().front(), u"Termin Montag");
  EXPECT_EQ(p.shown().front(), u"Flug nach Koln");
  EXPECT_EQ(p.selected(), u"Flug nach Koln");
  EXPECT_EQ(p.view.searchCount, u"4 von 7");
  EXPECT_TRUE(p.view.enabled[Command::TbCopy]);
}

TEST(ListSearch, EscEndsTheSearchOnTheSameEntryThenSwitchesToMiniModeAndSideListsMatchToo) {
  Searching p;
  p.frm->startSearch(u"");
  EXPECT_EQ(p.view.searchCount, u"5 von 5");
  p.frm->search_Change(u"rech");
  EXPECT_TRUE(p.shown() == std::vector<Text>{u"Rechnung"});
  EXPECT_EQ(p.selected(), u"Rechnung");
  p.frm->search_Change(u"nothing like it");
  EXPECT_EQ(p.frm->shownCount(), 0);
  EXPECT_EQ(p.selected(), u"(none)");
  EXPECT_FALSE(p.view.enabled[Command::TbCopy]);
  p.frm->search_Change(u"rech");
  p.frm->lvItems_KeyDown(27);
  EXPECT_FALSE(p.view.searchShown);
  EXPECT_EQ(p.view.searchCount, u"");
  EXPECT_EQ(p.frm->shownCount(), 5);
  EXPECT_EQ(p.selected(), u"Rechnung");
  EXPECT_EQ(p.view.miniModeRequests, 0);
  p.frm->lvItems_KeyDown(27);
  EXPECT_EQ(p.view.miniModeRequests, 1);
  // The side lists show their matching addresses, until the search ends.
  p.view.tab = kTabURL;
  p.frm->ssVornix_Click(kTabURL);
  p.frm->startSearch(u"koln");
  EXPECT_EQ(p.view.linkItems[kTabURL], std::vector<Text>{u"http://koln.de"});
  p.view.linkCurrent[kTabURL] = 0;
  p.frm->linkList_Click(kTabURL);
  EXPECT_EQ(p.selected(), u"http://koln.de");
  p.frm->endSearch();
  EXPECT_EQ(p.view.linkItems[kTabURL], (std::vector<Text>{u"http://koln.de", u"http://bonn.de"}));
}

}  // namespace vornix::test
