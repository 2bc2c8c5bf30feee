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
  Text status, search;
  int selected = -1, checkRestarts = 0;
  bool topMost = false, checkTimer = false, pickTimer = false, closed = false;
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
  void setSearch(const Text& t) override { search = t; }
  void selectLine(int line) override { selected = line; }
  int selectedLine() override { return selected; }
  void setCheckTimer(bool on) override { checkRestarts += on, checkTimer = on; }
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
  void type(const Text& typed) {
    for (char16_t c : typed) menu.lstHotmenu_Char(c);
  }
  // A text that reached the clipboard while nothing was recording it.
  void putUnfiled(const Text& t) {
    sys.clipboard.text = t;
    sys.clipboard.hasTextFormat = true;
  }
  long counter(const Text& text) const { return std::stol(ustr::toUtf8(row(text)->cells[kColCounter])); }
};

}  // namespace

TEST(Hotmenu, ListsClipboardAndEveryEntryShortenedAndFilesWhatWasCopiedJustBefore) {
  Menu m;
  m.copyEach({u"first", u"second\r\nline", Text(3000, u'x')});
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
  EXPECT_TRUE(m.menuView.topMost);
  EXPECT_TRUE(m.menuView.checkTimer);
  EXPECT_EQ(m.menuView.status, m.view.panel);
  // The list is frozen while the menu is open: a copy elsewhere files nothing.
  m.copy(u"copied meanwhile");
  EXPECT_EQ(m.frm->rows().count(), 3);
  // A copy read, whose filing still waits in the queue when the hotkey opens the menu, is filed.
  Menu j;
  j.copy(u"older");
  j.sys.clock.time += 0.01;
  j.sys.clipboard.set(u"just copied");
  j.menu.load();
  j.idle();
  j.menu.lstHotmenu_KeyUp(FrmHotmenu::kKeyEsc);
  j.idle();
  EXPECT_EQ(j.texts(), (std::vector<Text>{u"just copied", u"older"}));
}

TEST(Hotmenu, OpensAtThePointerInsideItsMonitor) {
  struct Case { long x, y, left, top; } cases[] = {
      {100, 50, 100, 50}, {1000, 700, 724, 568}, {1023, 10, 724, 10},
      {1100, 900, 1100, 900}, {2300, 1120, 2004, 924}, {1024, 120, 1024, 120}};
  for (const Case& c : cases) {
    Menu m;
    m.keyboard.cursor = {c.x, c.y};
    m.menu.load();
    EXPECT_EQ(box(m.menuView.rect), (Box{c.left, c.top, 300, 200})) << c.x << " " << c.y;
  }
}

TEST(Hotmenu, PickHandsTheTextToTheTargetPerOption) {
  // With or without text on the clipboard when the menu opens; "" when nothing is handed over.
  struct Case { const char *clipboard, *keystroke; bool clipText; int line; Text handed; } cases[] = {
      {"1", "0", true, 0, u"clip"},   // line 0 is the clipboard text
      {"1", "1", true, 1, u"newer"},  // line 1 the first entry
      {"0", "1", false, 0, u"newer"}, // without clipboard text line 0 is the first entry
      {"0", "0", false, 1, u""},
  };
  for (const Case& c : cases) {
    Menu m({{"HotmenuClipboard", c.clipboard}, {"HotmenuKeystroke", c.keystroke}});
    m.copyEach({u"older", u"newer"});
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
    using Typed = std::vector<std::pair<platform::WindowHandle, Text>>;
    EXPECT_EQ(m.keyboard.typed, (typed ? Typed{{0x42, c.handed}} : Typed()));
    if (std::string(c.clipboard) == "1") EXPECT_EQ(m.sys.clipboard.text, c.handed);
    else EXPECT_EQ(m.sys.clipboard.writes, writes);
    // An entry handed out counts one use and is selected; the clipboard line counts none.
    const bool entry = c.handed == u"newer";
    EXPECT_EQ(m.counter(u"newer"), used + (entry ? 1 : 0));
    EXPECT_TRUE(!entry || m.frm->getSelectedIndex() == m.indexOf(u"newer"));
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

TEST(Hotmenu, TypingKeepsTheLinesThatHoldEveryWord) {
  Menu m({{"HotmenuClipboard", "1"}, {"HotmenuKeystroke", "1"}});
  // The tenth line is "Flug nach Köln"; the long one holds its word far past what its line shows.
  const Text longText = u"Bericht " + Text(5000, u'-') + u" Kölner Dom", flug = T("Flug nach Köln");
  m.copyEach({flug, longText, u"Rechnung\r\nMärz", u"koln airport"});
  for (int i = 0; i < 8; ++i) m.copyEach({numbered(i)});
  m.putUnfiled(u"KOLN on the clipboard");
  m.menu.load();
  ASSERT_EQ(m.menuView.lines.size(), 13u);
  const int restarts = m.menuView.checkRestarts;
  m.type(u"kol");
  EXPECT_EQ(m.menu.search(), u"kol");
  EXPECT_EQ(m.menuView.search, u"kol");
  EXPECT_EQ(m.menuView.lines,
            (std::vector<Text>{u"KOLN on the clipboard", u"koln airport", shortenText(longText, 50), flug}));
  EXPECT_EQ(m.menuView.selected, 0);
  EXPECT_GT(m.menuView.checkRestarts, restarts);  // typing is activity
  // Space separates words once something is typed, and does not pick.
  m.type(u" ");
  m.menu.lstHotmenu_KeyUp(FrmHotmenu::kKeySpace);
  EXPECT_FALSE(m.menuView.pickTimer);
  m.type(u"fluh");
  EXPECT_TRUE(m.menuView.lines.empty());
  m.menu.lstHotmenu_Char(FrmHotmenu::kCharBackspace);
  ASSERT_EQ(m.menuView.lines, std::vector<Text>{flug});
  // Esc clears the search first, then closes.
  m.menu.lstHotmenu_KeyUp(FrmHotmenu::kKeyEsc);
  EXPECT_FALSE(m.menuView.closed);
  EXPECT_EQ(m.menuView.search, u"");
  EXPECT_EQ(m.menuView.lines.size(), 13u);
  m.menu.lstHotmenu_KeyUp(FrmHotmenu::kKeyEsc);
  EXPECT_TRUE(m.menuView.closed);
  // Picked from the lines found: that entry, not the one at the same place in the full menu.
  m.menu.load();
  m.type(T("fLU KÖ"));
  m.pick(0);
  EXPECT_EQ(m.keyboard.typed.back().second, flug);
  EXPECT_EQ(m.sys.clipboard.text, flug);
  EXPECT_EQ(m.counter(flug), 1);
  // The clipboard line is told by what it is, not by its place.
  m.putUnfiled(u"KOLN on the clipboard");
  m.menu.load();
  m.type(u"clipboard");
  m.pick(0);
  EXPECT_EQ(m.keyboard.typed.back().second, u"KOLN on the clipboard");
  // Space with nothing typed still picks.
  m.menu.load();
  m.type(u" ");
  m.menu.lstHotmenu_KeyUp(FrmHotmenu::kKeySpace);
  EXPECT_TRUE(m.menuView.pickTimer);
  EXPECT_EQ(m.menu.search(), u"");
}

}  // namespace vornix::test
