#include <gtest/gtest.h>

#include "core/editor/editor_menu.h"
#include "core/list/main_menu.h"
#include "core/prefs/access_keys.h"
#include "core/quick/mini_mode.h"
#include "fixture.h"

namespace vornix::test {
namespace {

std::string shown(const std::vector<Text>& lines) {
  std::string s;
  for (const Text& l : lines) s += ustr::toUtf8(l) + "\n";
  return s;
}

TEST(AccessKeys, TheKeyIsTheLetterAfterASingleAmpersand) {
  struct Case { const char16_t* caption; char16_t key; };
  const Case cases[] = {
      {u"&File", u'F'},   {u"OK and Co&py", u'P'}, {u"vo&rne", u'R'},     {u"&Über", u'Ü'},
      {u"Eintrag &ändern", u'Ä'}, {u"Drag&&Drop", 0}, {u"a&&b &c", u'C'}, {u"ends&", 0},
      {u"no key", 0},     {u"&?", u'?'},
  };
  for (const Case& c : cases) EXPECT_EQ(c.key, accessKey(c.caption)) << ustr::toUtf8(c.caption);
  EXPECT_EQ(std::vector<Text>{u"P: &protect entry | OK and Co&py"},
            accessKeyCollisions({u"&protect entry", u"&OK", u"OK and Co&py", u"&Cancel", u"Text block:"}));
}

// Every menu level and every window with a menu bar, as each language shows it:
// the system runs the first item of a shared key, so the second one has none.
TEST(AccessKeys, NoTwoCaptionsOfOneMenuOrWindowShareAKey) {
  for (int offset : {0, 1000}) {
    Program p;
    p.app->languageOffset = offset;
    std::vector<std::vector<Text>> windows = {mainWindowCaptions(*p.app), editorWindowCaptions(*p.app)};
    for (const MenuItem& menu : {mainMenu(), editorMenu(), trayMenuItems(true)})
      for (const std::vector<Text>& level : menuLevels(*p.app, menu)) windows.push_back(level);
    for (const std::vector<Text>& captions : windows)
      EXPECT_TRUE(accessKeyCollisions(captions).empty())
          << offset << ":\n" << shown(accessKeyCollisions(captions)) << "in\n" << shown(captions);
  }
}

TEST(Languages, ATextOfTheOtherLanguageIsFound) {
  struct Case { int offset; const char16_t* text; const char16_t* foreign; };
  const Case cases[] = {
      {0, u"B&eenden", u""},                       {0, u"&Quit", u"Quit"},
      {0, u"&Mini-Modus verlassen\tCtrl+M", u"Ctrl+M"}, {0, u"Eintrag &ändern\tStrg+E", u""},
      {1000, u"C&hange Entry\tStrg+E", u"Strg+E"}, {1000, u"&OK", u""},
      {0, u"Vornix", u""},                         {0, u"some copied text", u""},
      // A check box caption over two lines, as the table breaks it.
      {1000, u"Text direkt in die Anwendung einfügen\r\n(Empfehlung: Kombination mit Win-Taste)",
       u"Text direkt in die Anwendung einfügen"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(c.foreign), foreignText(c.offset, c.text)) << ustr::toUtf8(c.text);
}

TEST(Languages, EveryMenuSpeaksTheLanguageOfTheProgram) {
  for (int offset : {0, 1000}) {
    Program p;
    p.app->languageOffset = offset;
    for (const MenuItem& menu : {mainMenu(), editorMenu(), trayMenuItems(true)})
      for (const std::vector<Text>& level : menuLevels(*p.app, menu))
        for (const Text& caption : level) EXPECT_EQ(u"", foreignText(offset, caption)) << ustr::toUtf8(caption);
  }
  // The toolbar's tips name the shortcut as the menus do.
  Program p;
  EXPECT_EQ(u"von Eingabe (Strg+N)", toolbarTip(*p.app, Command::TbNew, kStrFromInput));
  EXPECT_EQ(u"Liste löschen", toolbarTip(*p.app, Command::TbClear, kStrDeleteList));
  p.app->languageOffset = 1000;
  EXPECT_EQ(u"Cut (Ctrl+X)", toolbarTip(*p.app, Command::TbCut, kStrCut));
}

}  // namespace
}  // namespace vornix::test
