#include <gtest/gtest.h>

#include "base/ustr.h"
#include "core/quick/autostart.h"
#include "core/quick/on_screen_display.h"
#include "fixture.h"
#include "platform/fake/fake_startup_folder.h"

namespace vornix::test {

namespace {

class FakeOsd : public OsdView {
 public:
  OsdConfig config;
  bool shown = false;
  std::vector<Text> lines;
  std::uint32_t colour = 0;
  int shows = 0;
  void configure(const OsdConfig& c) override { config = c; }
  bool fitsOnLine(const Text& line) override { return line.size() <= 40; }
  void showText(const std::vector<Text>& l, std::uint32_t c) override { lines = l, colour = c, shown = true, ++shows; }
  bool isShown() override { return shown; }
  void hideOSD() override { shown = false; }
};

struct Display : Program {
  FakeOsd osd;
  std::unique_ptr<OnScreenDisplay> display;
  explicit Display(const char* on = "1", const char* record = "1", Stored more = {}) {
    setAll({{"OSD", on}, {"ProtocolMode", record}, {"LimitSizeKB", "1"}});
    setAll(more);
    display = std::make_unique<OnScreenDisplay>(*app, osd);
    frm->attachOnScreenDisplay(display.get());
    start();
  }
};

}  // namespace

TEST(OnScreenDisplay, ConfigurationFromTheOptions) {
  struct Case { const char *rows, *align, *sec; int expectRows; OsdAlign expectAlign; int expectSec; };
  const Case cases[] = {
      {"2", "2", "15", 2, OsdAlign::Center, 15}, {"1", "0", "3", 1, OsdAlign::Left, 3},
      {"10", "1", "60", 10, OsdAlign::Right, 60}, {"99", "7", "0", 10, OsdAlign::Center, 1},
      {"-3", "x", "-1", 1, OsdAlign::Center, 1},
  };
  for (const Case& c : cases) {
    // The display is off here: loading configures it all the same.
    Display p("0", "1", {{"OSDRows", c.rows}, {"OSDAlign", c.align}, {"OSDSec", c.sec}});
    EXPECT_TRUE(p.osd.config.rows == c.expectRows && p.osd.config.align == c.expectAlign &&
                p.osd.config.seconds == c.expectSec) << c.rows << " " << c.align << " " << c.sec;
  }
}

TEST(OnScreenDisplay, ShowsNewTextsInGreenOrRedOnceButNeverWhenOffOrABoxIsOpen) {
  struct Case { const char *on, *record; bool modal; };
  for (const Case& c : {Case{"0", "1", false}, Case{"1", "0", false}, Case{"1", "1", true}}) {
    Display p(c.on, c.record);
    p.app->modalOpen = c.modal;
    p.copy(u"new text");
    EXPECT_EQ(p.osd.shows, 0) << c.on << c.record << c.modal;
  }
  Display p;
  p.copy(u"\r\n\tfirst line\r\nsecond\nthird");
  EXPECT_EQ(p.osd.lines, (std::vector<Text>{u"first line", u"second\u2026"}));
  EXPECT_EQ(p.osd.colour, kOsdGreen);
  p.copy(u"other");
  p.copy(u"other");  // the same text while displayed: no new start
  EXPECT_EQ(p.osd.shows, 2);
  p.copy(Text(1025, u'x'));  // over the 1 KB limit
  EXPECT_EQ(p.osd.colour, kOsdRed);
}

TEST(OnScreenDisplay, WrapsToItsRowsAndMarksACut) {
  // A panel line of 10 characters here.
  const auto fits = [](const Text& line) { return line.size() <= 10; };
  struct Case { const char16_t* text; int rows; std::vector<Text> lines; };
  const Case cases[] = {
      {u"short", 2, {u"short"}}, {u"one two three four", 2, {u"one two", u"three four"}},
      {u"one two three four five", 2, {u"one two", u"three fou\u2026"}}, {u"a\r\nb\nc", 2, {u"a", u"b\u2026"}},
      {u"a\r\n\r\n\tb  \r\n  ", 2, {u"a", u"b"}},
      {u"abcdefghijklmnopqrstuvwxyz", 3, {u"abcdefghij", u"klmnopqrst", u"uvwxyz"}},
      {u"abcdefghijklmnopqrstuvwxyz", 1, {u"abcdefghi\u2026"}},
      {u"\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600", 1, {u"\U0001F600\U0001F600\U0001F600\U0001F600\u2026"}},
      {u" \r\n\t", 2, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(osdLines(c.text, c.rows, fits), c.lines) << ustr::toUtf8(c.text);
  // Only the beginning of a text: its end is not shown.
  EXPECT_EQ(osdLines(u"xyz", 2, fits, true), (std::vector<Text>{u"xyz\u2026"}));
  // A huge one-line text is read only as far as its rows reach.
  const Text huge(5000000, u'x');
  EXPECT_EQ(osdLines(huge, 2, fits), (std::vector<Text>{u"xxxxxxxxxx", u"xxxxxxxxx\u2026"}));
}

TEST(OnScreenDisplay, NeverShowsOurOwnCopiesAndHidesForDialogs) {
  Display p;
  p.copyEach({u"A", u"B"});
  p.osd.shown = false;
  // Copy back, then undo of a delete: both put a text of ours on the clipboard.
  p.frm->selectEntry(p.indexOf(u"A"));
  p.frm->tbMain_ButtonClick(5);
  p.frm->onDrawClipboard(0, 0);
  p.frm->selectEntry(p.indexOf(u"B"));
  p.frm->tbMain_ButtonClick(9);
  p.frm->menEditUndo_Click();
  p.frm->onDrawClipboard(0, 0);
  EXPECT_EQ(p.osd.shows, 2);
  p.copy(u"C");
  EXPECT_TRUE(p.osd.shown);
  p.view.editAnswer = false;
  p.frm->tbMain_ButtonClick(1);  // a dialog opens
  EXPECT_FALSE(p.osd.shown);
}

TEST(Autostart, ShortcutFollowsTheOption) {
  struct Case { int wanted; bool before; bool after; bool written; };
  const Case cases[] = {
      {1, false, true, true}, {1, true, true, false}, {0, true, false, false}, {2, true, false, false}, {0, false, false, false}};
  const Text link = u"C:\\Users\\Ann\\Startup\\Vornix.lnk";
  for (const Case& c : cases) {
    Program p;
    fake::FakeStartupFolder folder(p.sys.files);
    if (c.before) p.sys.files.files[link] = "someone else's";
    setAutostart(*p.app, folder, c.wanted);
    EXPECT_EQ(p.sys.files.fileExists(link), c.after) << c.wanted << c.before;
    EXPECT_EQ(folder.saved.count(link) != 0, c.written) << c.wanted << c.before;
    EXPECT_TRUE(!c.before || !c.after || p.sys.files.files[link] == "someone else's");
  }
  // Loading applies the stored option, to a program whose name is not plain ASCII.
  Program p;
  fake::FakeStartupFolder folder(p.sys.files);
  folder.exeName = u"Vörnix Ω";
  p.frm->attachStartupFolder(&folder);
  p.set("StartAutostart", "1");
  p.start();
  const platform::ShortcutProperties& s = folder.saved.at(link);
  EXPECT_EQ(s.target, u"C:\\Vornix\\Vörnix Ω.exe");
  EXPECT_EQ(s.iconLocation, u"C:\\Vornix\\Vörnix Ω.exe,0");
  EXPECT_EQ(s.workingDirectory, u"C:\\Vornix");
  EXPECT_EQ(s.windowStyle, 5);
}

}  // namespace vornix::test
