#include <gtest/gtest.h>

#include "fixture.h"

namespace vornix::test {

TEST(Startup, EmptyStoreOpensWithTheDesignDefaults) {
  Running p;
  EXPECT_EQ(p.view.caption, u"Vornix (Version 1.0.0)");
  // 1000/1000 twips, 7050 x 2250 twips, at 15 twips a pixel; the height grows to the smallest, 4155 twips.
  EXPECT_EQ(box(p.view.rect), (Box{67, 67, 470, 277}));
  EXPECT_EQ(p.frm->rows().sortKey(), kColDateSort);
  EXPECT_EQ(p.frm->rows().sortOrder(), 1);
  EXPECT_TRUE(p.app->hotkeys.hotkeyBol);
  EXPECT_FALSE(p.app->hotkeys.hoteditBol);
  EXPECT_EQ(p.app->hotkeys.hotkeyMod, 3);
  EXPECT_EQ(p.app->citeChar, u">");
  EXPECT_FALSE(p.app->startupFlag);
  EXPECT_TRUE(p.sys.boxes.shown.empty());
  EXPECT_EQ(p.view.panel, u"<Text-Zwischenablage leer>");
}

TEST(Startup, ValuesThatDoNotConvertAreReportedAndSkipped) {
  Program p;
  p.setAll({{"QuestionQuit", "abc"}, {"winWidth", "wide"}, {"SortOrder", "5"}, {"HotkeyMOD", "999"}});
  // Numbers beyond any sensible range read as their defaults too, without a word.
  p.setAll({{"SortKey", "1e10"}, {"HoteditMOD", "1e300"}});
  p.start();
  EXPECT_EQ(p.boxes(), std::vector<Text>{u"Vornix (Version 1.0.0) - Load: \r\nType mismatch"});
  EXPECT_EQ(box(p.view.rect), (Box{67, 67, 470, 277}));
  EXPECT_EQ(p.frm->rows().sortKey(), kColDateSort);
  EXPECT_EQ(p.frm->rows().sortOrder(), 1);
  EXPECT_EQ(p.app->hotkeys.hoteditMod, 3);
  EXPECT_EQ(p.app->hotkeys.hotkeyMod, 3);
  // The quit question falls back to its default: it is asked.
  p.sys.boxes.answers = {2};
  EXPECT_TRUE(p.frm->queryUnload(false));
  p.frm->saveReg();
  EXPECT_EQ(p.stored("SortOrder"), u"1");
}

// Stored positions are numbers in text, written by this program or by hand.
TEST(WindowGeometry, StoredNumbersReadWithPointOrCommaAndDamagedOnesAreRefused) {
  const struct { const char* text; bool read; double value; } cases[] = {
      {"1500", true, 1500},   {" -90000 ", true, -90000}, {"1,5", true, 1.5},   {"0.1", true, 0.1},
      {"+5", true, 5},        {".25", true, 0.25},        {"7.", true, 7},      {"1e3", true, 1000},
      {"2.5E-1", true, 0.25}, {"000123", true, 123},      {"0e999", true, 0},   {"1e400", false, 0},
      {"12345678901234567890", true, 12345678901234567890.0},
      {"", false, 0},         {"-", false, 0},            {".", false, 0},      {"1.5.3", false, 0},
      {"1e", false, 0},       {"12abc", false, 0},        {"inf", false, 0},    {"nan", false, 0},
      {"0x10", false, 0},
  };
  for (const auto& c : cases) {
    double value = -1;
    EXPECT_EQ(c.read, ustr::parseNumber(T(c.text), value)) << c.text;
    EXPECT_DOUBLE_EQ(c.read ? c.value : value, value) << c.text;
  }
}

// Stored window geometry is in twips; the screen's DPI decides how many pixels that is.
TEST(WindowGeometry, StoredTwipsKeepTheirSizeInInchesAtEveryDpiButNoWindowIsTooSmallOrOffTheScreen) {
  const struct { int dpi; const char *left, *top, *width, *height; Box shown; } cases[] = {
      {96, "1500", "750", "7050", "4500", {100, 50, 470, 300}},
      {120, "1500", "750", "7050", "4500", {125, 63, 588, 375}},
      {144, "1500", "750", "7050", "4500", {150, 75, 705, 450}},
      {0, "1500", "750", "7050", "4500", {100, 50, 470, 300}},  // an unreadable DPI counts as 96
      {96, "0", "750", "100", "100", {0, 50, 305, 277}}, {144, "0", "750", "100", "100", {0, 75, 458, 416}},
      {96, "30000", "-600", "7050", "4500", {1024 - 470, 0, 470, 300}},  // back on the screen
      // Damaged numbers read as their defaults, without a word.
      {144, "1e300", "750", "-1e300", "100", {100, 75, 705, 416}},
      {96, "-1e300", "1e300", "7050", "4500", {67, 67, 470, 300}},
  };
  for (const auto& c : cases) {
    Program p;
    p.setAll({{"winLeft", c.left}, {"winTop", c.top}, {"winWidth", c.width}, {"winHeight", c.height}});
    p.app->screenDpi = c.dpi;
    p.start();
    EXPECT_EQ(box(p.view.rect), c.shown) << c.dpi << " " << c.left;
    EXPECT_TRUE(p.sys.boxes.shown.empty());
    // Unmoved, the window is stored as it was read (within a pixel's twips).
    if (c.shown[0] != 100 && c.shown[0] != 125 && c.shown[0] != 150) continue;
    p.frm->unload();
    const double twipsPerPixel = 1440.0 / (c.dpi > 0 ? c.dpi : 96);
    EXPECT_NEAR(7050, std::stod(ustr::toUtf8(p.stored("winWidth"))), twipsPerPixel / 2) << c.dpi;
    EXPECT_NEAR(750, std::stod(ustr::toUtf8(p.stored("winTop"))), twipsPerPixel / 2) << c.dpi;
  }
  // The English caption.
  Running e({{"LanguageAuto", "False"}, {"LanguageEnglish", "True"}});
  EXPECT_EQ(e.view.caption, u"Vornix (version 1.0.0)");
}

TEST(Shutdown, QuitQuestionFollowsTheOption) {
  Running p({{"QuestionQuit", "0"}});
  EXPECT_FALSE(p.frm->queryUnload(false));
  EXPECT_TRUE(p.sys.boxes.shown.empty());
  Running q;
  q.sys.boxes.answers = {2, 1};
  EXPECT_TRUE(q.frm->queryUnload(false));   // Cancel keeps it running
  EXPECT_FALSE(q.frm->queryUnload(false));  // OK quits
  EXPECT_EQ(q.sys.boxes.shown[0].text, u"Vornix beenden?");
  EXPECT_FALSE(q.frm->queryUnload(true));   // log-off never asks
  EXPECT_EQ(q.sys.boxes.shown.size(), 2u);
}

TEST(Shutdown, UnloadLeavesTheChainAndSavesButNoMinimisedGeometry) {
  Running p({{"ProtocolMode", "1"}, {"winLeft", "1500"}});
  EXPECT_EQ(p.sys.chain.joins, 1);
  p.view.state = WindowState::Minimized;
  p.view.rect = Rect{-32000, -32000, 160, 24};
  p.frm->unload();
  EXPECT_EQ(p.sys.chain.leaves, 1);
  EXPECT_FALSE(p.app->inChain);
  for (auto [name, value] : {std::pair{"ProtocolMode", u"1"}, {"EntryCount", u"0"}, {"winLeft", u"1500"}})
    EXPECT_EQ(p.stored(name), value) << name;
  p.view.state = WindowState::Normal;
  p.view.rect = Rect{100, 200, 500, 300};
  p.frm->saveReg();
  for (auto [name, value] : {std::pair{"winLeft", u"1500"}, {"winTop", u"3000"}, {"winWidth", u"7500"}})
    EXPECT_EQ(p.stored(name), value) << name;
}

TEST(Startup, TimerSwitchesToMiniModeOnlyWhenVisibleAndAsked) {
  Running p({{"StartMiniMode", "1"}});
  p.view.visible = false;
  EXPECT_TRUE(p.frm->timerInitAfterLoad());
  EXPECT_EQ(p.view.miniModeRequests, 0);
  p.view.visible = true;
  EXPECT_FALSE(p.frm->timerInitAfterLoad());
  EXPECT_EQ(p.view.miniModeRequests, 1);
  Running q;
  EXPECT_FALSE(q.frm->timerInitAfterLoad());
  EXPECT_EQ(q.view.miniModeRequests, 0);
}

TEST(Startup, EmptyClipboardGetsTheFirstStoredEntry) {
  for (bool empty : {true, false}) {
    Program p;
    if (!empty) p.sys.clipboard.set(u"already there");
    p.setAll({{"EntryCount", "1"}, {"Entry0", "stored text"}});
    p.start();
    EXPECT_EQ(p.sys.clipboard.text, empty ? u"stored text" : u"already there");
  }
}

TEST(Startup, ActivationClearsTheModalFlagAndDeactivationReturnsToTheList) {
  Running p;
  p.app->modalOpen = true;
  p.sys.clipboard.set(u"abc");
  p.frm->activate();
  EXPECT_FALSE(p.app->modalOpen);
  EXPECT_EQ(p.view.panel, u"abc");
  p.view.tab = kTabURL;
  p.frm->deactivate();
  EXPECT_EQ(p.view.tab, kTabList);
}

}  // namespace vornix::test
