#include <gtest/gtest.h>

#include "fixture.h"

namespace vornix::test {

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
  const std::vector<Text> all = p.texts();
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
  EXPECT_EQ(p.sys.clipboard.text, T("Grüße aus Köln"));
  p.idle();
  EXPECT_EQ(p.row(T("Grüße aus Köln"))->cells[kColCounter], u"8");
  EXPECT_EQ(p.frm->lvItems_DragOut(p.frm->selectedRowId()), T("Grüße aus Köln"));
  p.frm->lvItems_Select(0);
  p.frm->tbMain_ButtonClick(Command::TbDelete);
  EXPECT_EQ(p.row(u"koln airport"), nullptr);
  // The rows, their order and their counters are the list's own.
  EXPECT_EQ(p.texts(), (std::vector<Text>{T("Grüße aus Köln"), u"http://koln.de", u"http://bonn.de", u"Rechnung"}));
  EXPECT_EQ(p.selected(), T("Grüße aus Köln"));
  EXPECT_EQ(p.view.searchCount, u"2 von 4");
}

TEST(ListSearch, CapturesAreFiledAndShownWhenTheyMatch) {
  Searching p;
  p.frm->startSearch(u"koln");
  p.frm->lvItems_Select(1);
  p.sys.clock.time += 0.01;
  p.copy(u"Flug nach Koln");
  EXPECT_EQ(p.shown().front(), u"Flug nach Koln");
  EXPECT_EQ(p.selected(), u"Flug nach Koln");
  // One that does not match is filed all the same; the user still sees his row selected.
  p.sys.clock.time += 0.01;
  p.copy(u"Termin Montag");
  EXPECT_EQ(p.texts().front(), u"Termin Montag");
  EXPECT_EQ(p.shown().front(), u"Flug nach Koln");
  EXPECT_EQ(p.selected(), u"Flug nach Koln");
  EXPECT_EQ(p.view.searchCount, u"4 von 7");
  EXPECT_TRUE(p.view.enabled[Command::TbCopy]);
}

TEST(ListSearch, EscEndsTheSearchOnTheSameEntryThenSwitchesToMiniMode) {
  Searching p;
  p.frm->startSearch(u"");
  EXPECT_EQ(p.view.searchCount, u"5 von 5");
  p.frm->search_Change(u"rech");
  EXPECT_EQ(p.shown(), std::vector<Text>{u"Rechnung"});
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
}

TEST(ListSearch, SideListsShowTheirMatchingAddresses) {
  Searching p;
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
