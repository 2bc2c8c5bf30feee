#include <gtest/gtest.h>

#include <set>

#include "core/clip/helpers.h"
#include "core/quick/frm_hotmenu.h"
#include "fixture.h"

namespace vornix::test {

namespace {

class FakeHotmenuView : public HotmenuView {
 public:
  Rect rect{0, 0, 300, 200};
  // A second monitor right of the first, taller and lower.
  std::vector<Rect> monitors{{0, 0, 1024, 768}, {1024, 100, 1280, 1024}};
  std::vector<Text> lines;
  Text status;
  int selected = -1;
  bool topMost = false, checkTimer = false, pickTimer = false, closed = false;
  int checkRestarts = 0;

  Rect windowRect() override { return rect; }
  Rect screenAt(const platform::Point& at) override {
    for (const Rect& m : monitors)
      if (at.x >= m.left && at.x < m.left + m.width && at.y >= m.top && at.y < m.top + m.height) return m;
    return monitors[0];
  }
  void moveTo(long left, long top) override { rect.left = left, rect.top = top; }
  void setTopMost(bool on) override { topMost = on; }
  void setLines(const std::vector<HotmenuLine>& l) override {
    lines.clear();
    for (const HotmenuLine& line : l) lines.push_back(line.text);
  }
  void setStatus(const Text& t) override { status = t; }
  void selectLine(int line) override { selected = line; }
  int selectedLine() override { return selected; }
  void setCheckTimer(bool on) override { checkRestarts += on; checkTimer = on; }
  void setPickTimer(bool on) override { pickTimer = on; }
  void close() override { closed = true; }
};

struct Menu : Quick {
  FakeHotmenuView menuView;
  FrmHotmenu menu{*app, *frm, view, quick, keyboard, menuView};

  explicit Menu(Stored stored = {}) : Quick({{"ProtocolMode", "1"}}, stored) {}
  void pick(int line) {
    menuView.selected = line;
    menu.lstHotmenu_KeyUp(FrmHotmenu::kKeyEnter);
    menu.timHotmenu_Timer();
  }
  // A text that reached the clipboard while nothing was recording it.
  void putUnfiled(const Text& t) {
    sys.clipboard.text = t;
    sys.clipboard.hasTextFormat = true;
  }
  long counter(const Text& text) const { return std::stol(ustr::toUtf8(row(text)->cells[kColCounter])); }
};

}  // namespace

TEST(Hotmenu, ListsClipboardAndEveryEntryShortened) {
  Menu m;
  for (const Text& t : {Text(u"first"), Text(u"second\r\nline"), Text(3000, u'x')}) {
    m.sys.clock.time += 0.01;
    m.copy(t);
  }
  m.putUnfiled(u"on the clipboard only");
  m.keyboard.active = 0x42;
  m.menu.load();
  EXPECT_TRUE(m.app->hotmenuShown);
  EXPECT_EQ(m.menu.target(), platform::WindowHandle(0x42));
  std::vector<Text> expected{u"on the clipboard only"};
  for (const Text& t : m.texts()) expected.push_back(shortenText(t, 50));
  EXPECT_EQ(m.menuView.lines, expected);
  EXPECT_EQ(m.menuView.lines[1].size(), 57u);  // 25 + " [...] " + 25 of the 3000 x
  EXPECT_EQ(m.menuView.selected, 0);
  EXPECT_TRUE(m.menuView.topMost && m.menuView.checkTimer);
  EXPECT_EQ(m.menuView.status, m.view.panel);

  // The list is frozen while the menu is open: a copy elsewhere files nothing.
  m.copy(u"copied meanwhile");
  EXPECT_EQ(m.frm->rows().count(), 3);
}

TEST(Hotmenu, OpensAtThePointerInsideItsMonitor) {
  struct Case { long x, y, left, top; } cases[] = {
      {100, 50, 100, 50}, {1000, 700, 724, 568}, {1023, 10, 724, 10},
      {1100, 900, 1100, 900}, {2300, 1120, 2004, 924}, {1024, 120, 1024, 120}};
  for (const Case& c : cases) {
    Menu m;
    m.keyboard.cursor = {c.x, c.y};
    m.menu.load();
    EXPECT_EQ(m.menuView.rect.left, c.left);
    EXPECT_EQ(m.menuView.rect.top, c.top);
  }
}

TEST(Hotmenu, PickHandsTheTextToTheTargetPerOption) {
  struct Case {
    const char* clipboard;
    const char* keystroke;
    bool clipText;  // text on the clipboard when the menu opens
    int line;
    Text handed;    // "" when nothing is handed over
  } cases[] = {
      {"1", "0", true, 0, u"clip"},   // line 0 is the clipboard text
      {"1", "1", true, 1, u"newer"},  // line 1 the first entry
      {"0", "1", false, 0, u"newer"}, // without clipboard text line 0 is the first entry
      {"0", "0", false, 1, u""},
  };
  for (const Case& c : cases) {
    Menu m({{"HotmenuClipboard", c.clipboard}, {"HotmenuKeystroke", c.keystroke}});
    m.copy(u"older");
    m.sys.clock.time += 0.01;
    m.copy(u"newer");
    if (c.clipText) m.putUnfiled(u"clip");
    else m.sys.clipboard.setPicture();
    m.keyboard.active = 0x42;
    m.keyboard.foreground = 0x99;
    m.menu.load();
    const int writes = m.sys.clipboard.writes;
    const long used = m.counter(u"newer");
    m.pick(c.line);
    EXPECT_EQ(m.keyboard.broughtToFront, std::vector<platform::WindowHandle>{0x42});
    const bool typed = std::string(c.keystroke) == "1" && !c.handed.empty();
    ASSERT_EQ(m.keyboard.typed.size(), typed ? 1u : 0u);
    if (typed) {
      EXPECT_EQ(m.keyboard.typed[0], std::make_pair(platform::WindowHandle(0x42), c.handed));
    }
    if (std::string(c.clipboard) == "1") {
      EXPECT_EQ(m.sys.clipboard.text, c.handed);
    } else {
      EXPECT_EQ(m.sys.clipboard.writes, writes);
    }
    // An entry handed out counts one use and is selected; the clipboard line counts none.
    const bool entry = c.handed == u"newer";
    EXPECT_EQ(m.counter(u"newer"), used + (entry ? 1 : 0));
    if (entry) {
      EXPECT_EQ(m.frm->getSelectedIndex(), m.indexOf(u"newer"));
    }
    EXPECT_TRUE(m.menuView.closed);
    EXPECT_FALSE(m.app->hotmenuShown);
    // The pick's own clipboard write files no second copy of a text.
    const std::vector<Text> texts = m.texts();
    EXPECT_EQ(std::set<Text>(texts.begin(), texts.end()).size(), texts.size());
  }
}

TEST(Hotmenu, ClosesWithoutHandingOverOnEscIdleRightClickFocusLoss) {
  using Close = void (*)(FrmHotmenu&);
  const Close closes[] = {
      [](FrmHotmenu& h) { h.lstHotmenu_KeyUp(FrmHotmenu::kKeyEsc); },
      [](FrmHotmenu& h) { h.timCheckState_Timer(); },
      [](FrmHotmenu& h) { h.lstHotmenu_RightButtonDown(); },
      [](FrmHotmenu& h) { h.lstHotmenu_LostFocus(); },
  };
  for (Close close : closes) {
    Menu m;
    m.copy(u"entry");
    m.view.topMostBox = true;
    m.menu.load();
    const int restarts = m.menuView.checkRestarts;
    m.menu.activity();
    m.menu.lstHotmenu_KeyUp(40);  // any other key starts the five seconds anew
    EXPECT_EQ(m.menuView.checkRestarts, restarts + 2);
    close(m.menu);
    EXPECT_TRUE(m.menuView.closed);
    EXPECT_FALSE(m.app->hotmenuShown);
    EXPECT_TRUE(m.view.topMost);  // the main window keeps its "stay in front"
    EXPECT_TRUE(m.keyboard.typed.empty());
    EXPECT_EQ(m.sys.clipboard.writes, 0);
  }
  // Handing the front back to the target on a pick is no focus loss.
  Menu m;
  m.copy(u"entry");
  m.menu.load();
  m.menu.lstHotmenu_DblClick();
  m.menu.lstHotmenu_LostFocus();
  EXPECT_FALSE(m.menuView.closed);
  m.menu.timHotmenu_Timer();
  EXPECT_EQ(m.sys.clipboard.text, u"entry");

  // An empty menu selects nothing, and Enter only closes it.
  Menu e;
  e.sys.clipboard.setPicture();
  e.menu.load();
  EXPECT_TRUE(e.menuView.lines.empty());
  EXPECT_EQ(e.menuView.selected, -1);
  e.pick(-1);
  EXPECT_TRUE(e.menuView.closed);
  EXPECT_EQ(e.sys.clipboard.writes, 0);
}

}  // namespace vornix::test
