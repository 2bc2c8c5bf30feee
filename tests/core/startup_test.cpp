#include <gtest/gtest.h>

#include "fixture.h"

namespace vornix::test {

TEST(Startup, EmptyStoreOpensWithTheDesignDefaults) {
  Running p;
  EXPECT_EQ(p.view.caption, u"Vornix (Version 1.0.0)");
  // 1000/1000 twips, 7050 x 2250 twips, at 15 twips a pixel; the height grows to the smallest, 4155 twips.
  EXPECT_EQ(p.view.rect.left, 67);
  EXPECT_EQ(p.view.rect.top, 67);
  EXPECT_EQ(p.view.rect.width, 470);
  EXPECT_EQ(p.view.rect.height, 277);
  EXPECT_EQ(p.frm->rows().sortKey(), kColDateSort);
  EXPECT_EQ(p.frm->rows().sortOrder(), 1);
  EXPECT_TRUE(p.app->hotkeys.hotkeyBol);
  EXPECT_FALSE(p.app->hotkeys.hoteditBol);
  EXPECT_EQ(p.app->hotkeys.hotkeyMod, 3);
  EXPECT_EQ(p.app->citeChar, u">");
  EXPECT_FALSE(p.app->startupFlag);
  EXPECT_TRUE(p.sys.boxes.shown.empty());
  EXPECT_EQ(p.view.panel, u"<Text-Zwischenablage leer>");
  for (const OptionDef& def : optionDefs()) EXPECT_EQ(p.app->options.text(def.key), Text(def.defaultValue)) << def.key;
}

TEST(Startup, EnglishCaptionAndOnScreenPosition) {
  Running p({{"LanguageAuto", "False"}, {"LanguageEnglish", "True"}, {"winLeft", "30000"}, {"winTop", "-600"}});
  EXPECT_EQ(p.view.caption, u"Vornix (version 1.0.0)");
  EXPECT_EQ(p.view.rect.left, 1024 - 470);
  EXPECT_EQ(p.view.rect.top, 0);
}

TEST(Startup, ValuesThatDoNotConvertAreReportedAndSkipped) {
  Program p;
  p.setAll({{"QuestionQuit", "abc"}, {"winWidth", "wide"}, {"SortOrder", "5"}, {"HotkeyMOD", "999"}});
  // Numbers beyond any sensible range read as their defaults too, without a word.
  p.setAll({{"winTop", "1e300"}, {"winLeft", "-1e300"}, {"SortKey", "1e10"}, {"HoteditMOD", "1e300"}});
  p.start();
  EXPECT_EQ(p.boxes(), std::vector<Text>{u"Vornix (Version 1.0.0) - Load: \r\nType mismatch"});
  EXPECT_EQ(p.view.rect.width, 470);
  EXPECT_EQ(p.view.rect.top, 67);
  EXPECT_EQ(p.view.rect.left, 67);
  EXPECT_EQ(p.frm->rows().sortKey(), kColDateSort);
  EXPECT_EQ(p.app->hotkeys.hoteditMod, 3);
  EXPECT_EQ(p.frm->rows().sortOrder(), 1);
  EXPECT_EQ(p.app->hotkeys.hotkeyMod, 3);
  // The quit question falls back to its default: it is asked.
  p.sys.boxes.answers = {2};
  EXPECT_TRUE(p.frm->queryUnload(false));
  p.frm->saveReg();
  EXPECT_EQ(p.stored("SortOrder"), u"1");
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
  EXPECT_EQ(p.stored("ProtocolMode"), u"1");
  EXPECT_EQ(p.stored("EntryCount"), u"0");
  EXPECT_EQ(p.stored("winLeft"), u"1500");
  p.view.state = WindowState::Normal;
  p.view.rect = Rect{100, 200, 500, 300};
  p.frm->saveReg();
  EXPECT_EQ(p.stored("winLeft"), u"1500");
  EXPECT_EQ(p.stored("winTop"), u"3000");
  EXPECT_EQ(p.stored("winWidth"), u"7500");
}

TEST(Startup, TimerSwitchesToMiniModeOnlyWhenVisible) {
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
  Running p({{"EntryCount", "1"}, {"Entry0", "stored text"}});
  EXPECT_EQ(p.sys.clipboard.text, u"stored text");

  Program q;
  q.sys.clipboard.set(u"already there");
  q.setAll({{"EntryCount", "1"}, {"Entry0", "stored text"}});
  q.start();
  EXPECT_EQ(q.sys.clipboard.text, u"already there");
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
