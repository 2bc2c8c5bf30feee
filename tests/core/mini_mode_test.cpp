#include <gtest/gtest.h>

#include "core/quick/mini_mode.h"
#include "core/quick/translucency.h"
#include "fixture.h"

namespace vornix::test {

namespace {

class FakeMiniView : public MiniView {
 public:
  bool mainShown = true, shown = false, icon = false, onTop = false, box = false, editor = false;
  bool editorAccepted = false, restored = false;
  int alpha = 255, menuChoice = kTrayNone, editorCloses = 0;
  Rect rect{0, 0, 120, 30}, area{0, 0, 1024, 768};
  WindowState state = WindowState::Normal;
  TrayMenu lastMenu;
  void showMainWindow(bool show) override { mainShown = show; }
  void showWindow(bool show) override { shown = show; }
  Rect windowRect() override { return rect; }
  void moveTo(long left, long top) override { rect.left = left, rect.top = top; }
  Rect workAreaNear(const Rect&) override { return area; }
  WindowState windowState() override { return state; }
  void restoreWindow() override { restored = true; }
  bool topMostChecked() override { return box; }
  void setTopMostChecked(bool checked) override { box = checked; }
  void setTopMost(bool on) override { onTop = on; }
  void setTranslucency(int a) override { alpha = a; }
  void makeOpaque() override { alpha = 255; }
  void addTrayIcon() override { icon = true; }
  void removeTrayIcon() override { icon = false; }
  fake::FakeLoop* loop = nullptr;  // the tray menu's message loop
  int showTrayMenu(const TrayMenu& menu) override {
    lastMenu = menu;
    if (loop) loop->modal();
    return menuChoice;
  }
  bool editorOpen() override { return editor; }
  void closeEditor(bool accept) override { editor = false, editorAccepted = accept, ++editorCloses; }
};

struct Mini : Running {
  FakeMiniView mini;
  std::unique_ptr<FrmVornixDrop> drop;
  explicit Mini(const char* miniWindow = "1") : Running({{"MiniWindow", miniWindow}, {"ProtocolMode", "1"}}) {
    drop = std::make_unique<FrmVornixDrop>(*app, *frm, view, mini);
    mini.loop = &sys.loop;
  }
  TrayMenu menu() { return buildTrayMenu(*app, frm->rows()); }
  static std::vector<Text> captions(const std::vector<TrayMenuItem>& items) {
    std::vector<Text> out;
    for (const auto& i : items) out.push_back(i.caption);
    return out;
  }
};

}  // namespace

TEST(MiniMode, SubmenusSortTheRowsByKindInListOrder) {
  Mini p;
  p.copyEach({u"first words", u"http://example.org", u"second words"});
  TrayMenu m = p.menu();
  EXPECT_EQ(p.captions(m.entries), (std::vector<Text>{u"second words", u"first words"}));
  EXPECT_EQ(p.captions(m.urls), (std::vector<Text>{u"http://example.org"}));
  ASSERT_EQ(m.emails.size(), 1u);
  EXPECT_EQ(m.emails[0].caption, p.app->str(kStrEmptyList));
  EXPECT_EQ(m.emails[0].rowId, 0);
  EXPECT_TRUE(m.recordMode);
  EXPECT_FALSE(m.showTextKeys);
  // Text key items do nothing while text keys are off.
  std::vector<int> applied;
  p.drop->applyTextKey = [&](int n) { applied.push_back(n); };
  p.drop->runTrayCommand(kTrayTextKeyBase + 3, m);
  p.app->hotkeys.textkeyBol = true;
  p.app->textBlocks[4] = u"block\r\nfour";
  m = p.menu();
  ASSERT_EQ(m.textKeys.size(), 10u);
  EXPECT_EQ(m.textKeys[0], u"0:  ");
  EXPECT_EQ(m.textKeys[4], u"4:  block four");
  p.drop->runTrayCommand(kTrayTextKeyBase + 7, m);
  EXPECT_EQ(applied, std::vector<int>{7});
}

TEST(MiniMode, PickingAnItemCopiesItsRowEvenAfterTheListMoved) {
  Mini p;
  p.copyEach({u"wanted", u"other"});
  p.drop->load();
  // A new copy arrives while the menu is open and shifts every row down.
  p.sys.loop.whileOpen([&p] { p.copyEach({u"newest"}); });
  p.mini.menuChoice = kTrayEntryBase + 1;
  p.drop->trayNotify(kTrayRightUp);
  ASSERT_EQ(p.captions(p.mini.lastMenu.entries), (std::vector<Text>{u"other", u"wanted"}));
  EXPECT_EQ(p.sys.clipboard.text, u"wanted");
  EXPECT_EQ(p.frm->rows().count(), 3);
  const TrayMenu m = p.mini.lastMenu;
  // A row that is gone, or the "(empty list)" item, does nothing.
  p.frm->removeEntry(p.indexOf(u"other"));
  p.drop->runTrayCommand(kTrayEntryBase + 0, m);
  p.drop->runTrayCommand(kTrayEMailBase + 0, m);
  EXPECT_EQ(p.sys.clipboard.text, u"wanted");
}

TEST(MiniMode, RecordModeItemSwitchesCaptureOffAndOn) {
  Mini p;
  p.drop->runTrayCommand(kTrayProtocol, p.menu());
  EXPECT_EQ(p.app->options.number(kProtocolMode), 0);
  EXPECT_FALSE(p.app->inChain);
  p.copy(u"while off");
  EXPECT_EQ(p.frm->rows().count(), 0);
  p.drop->runTrayCommand(kTrayProtocol, p.menu());
  EXPECT_EQ(p.app->options.number(kProtocolMode), 1);
  EXPECT_TRUE(p.app->inChain);
}

TEST(MiniMode, EnteringLeavingAndTheParkedIconOnlyWindow) {
  // The stored left in twips (nullptr: none), the left shown, the left stored after leaving.
  struct Case { const char *miniWindow, *storedLeft; WindowState atLeave; long shownLeft; const char* storedAfter; };
  const Case cases[] = {
      {"1", "1500", WindowState::Normal, 100, "1500"},
      {"1", nullptr, WindowState::Normal, 67, "1005"},        // the main window's left
      {"1", "-90000", WindowState::Normal, 0, "0"},           // a screen that is gone
      {"1", "1500", WindowState::Minimized, 100, "1500"},     // minimised: not stored
      {"1", "not a number", WindowState::Normal, 67, "1005"},  // damaged value
      {"0", "1500", WindowState::Normal, -120, "1500"},       // icon only: parked, not stored
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.miniWindow) + " " + (c.storedLeft ? c.storedLeft : "-"));
    Mini p(c.miniWindow);
    if (c.storedLeft) p.set("MMwinLeft", c.storedLeft);
    p.view.topMostBox = true;
    p.drop->load();
    EXPECT_FALSE(p.mini.mainShown);
    EXPECT_TRUE(p.mini.shown);
    EXPECT_TRUE(p.mini.icon);
    EXPECT_TRUE(p.mini.onTop);
    EXPECT_EQ(p.mini.rect.left, c.shownLeft);
    p.mini.state = c.atLeave;
    p.mini.box = false;
    p.drop->trayNotify(kTrayLeftDoubleClick);
    EXPECT_TRUE(p.mini.mainShown);
    EXPECT_FALSE((p.mini.shown || p.mini.icon || p.mini.onTop));
    EXPECT_FALSE(p.view.topMostBox);  // the main window takes the mini window's box
    EXPECT_EQ(p.stored("MMwinLeft"), p.sys.store.has(u"MMwinLeft") ? T(c.storedAfter) : Text());
  }
  // Icon only: the window stays parked off the screen until the user asks for it.
  Mini p("0");
  p.set("MMwinLeft", "3000");
  p.drop->load();
  p.drop->trayNotify(kTrayLeftUp);
  EXPECT_EQ(p.mini.rect.left, -120);
  EXPECT_FALSE(p.mini.restored);
  p.drop->runTrayCommand(kTrayRestore, p.menu());
  EXPECT_EQ(p.mini.rect.left, 200);
  EXPECT_TRUE(p.mini.restored);
  p.drop->deactivate();
  EXPECT_EQ(p.mini.rect.left, -120);
  // Explorer restarted: the icon comes back.
  p.mini.icon = false;
  p.drop->taskbarCreated();
  EXPECT_TRUE(p.mini.icon);
}

TEST(MiniMode, LeavingWithTheEditorOpenAsksWhetherToKeepTheChanges) {
  for (int answer : {1, 2}) {
    Mini p;
    p.drop->load();
    p.mini.editor = true;
    p.sys.boxes.answers.push_back(answer);
    // The mini window's button, clicked again while the question is open, asks nothing more.
    p.sys.loop.whileOpen([&p] { p.drop->buttonClick(MiniButton::List); });
    p.drop->buttonClick(MiniButton::List);
    EXPECT_EQ(p.boxes(), std::vector<Text>{p.app->str(kStrOvertakeChanges)});
    EXPECT_EQ(p.mini.editorAccepted, (answer == 1));
    EXPECT_EQ(p.mini.editorCloses, 1);
    EXPECT_TRUE(p.mini.mainShown);
  }
}

TEST(MiniMode, TranslucencyFollowsTheOpacityOption) {
  struct Case { const char* opacity; int percent; int alpha; };
  const Case cases[] = {{"0", 0, 255}, {"0", 50, 128}, {"0", 100, 0}, {"30", -1, 179},
                        {"250", -1, 0}, {"-5", -1, 255}, {"x", -1, 255}};
  for (const Case& c : cases) {
    Mini p;
    p.app->options.setOption(kOpacity, T(c.opacity));
    EXPECT_EQ(opacityToAlpha(p.app->options, c.percent), c.alpha) << c.opacity << " " << c.percent;
    if (c.percent == -1) {
      p.drop->load();
      EXPECT_EQ(p.mini.alpha, c.alpha < 51 ? 51 : c.alpha);  // never quite invisible
      p.drop->closeMiniMode();
      EXPECT_EQ(p.mini.alpha, 255);
    }
  }
}

}  // namespace vornix::test
