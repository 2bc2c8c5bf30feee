#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "core/editor/editor_menu.h"
#include "core/list/main_menu.h"
#include "core/prefs/access_keys.h"
#include "core/quick/mini_mode.h"
#include "fixture.h"

namespace vornix::test {
namespace {

// Every string constant the sources define, wherever its header lives, with its number.
std::map<std::string, int> namedStringNumbers() {
  const std::regex definition(R"(constexpr\s+int\s+(kStr\w+)\s*=\s*(\d+)\s*;)");
  std::map<std::string, int> named;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(VORNIX_SOURCE_DIR "/src")) {
    if (!entry.is_regular_file() || entry.path().extension() != ".h") continue;
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    const std::string source = text.str();
    for (std::sregex_iterator m(source.begin(), source.end(), definition), end; m != end; ++m)
      named[(*m)[1]] = std::stoi((*m)[2]);
  }
  return named;
}

}  // namespace

TEST(StringTables, EveryNumberInUseAndEveryNamedStringHasBothLanguages) {
  const int unused[] = {124, 269, 277, 278, 279, 289, 291, 301, 302, 303, 304, 305, 306, 307, 317};
  for (int n = 101; n <= 334; ++n) {
    const bool isUnused = std::find(std::begin(unused), std::end(unused), n) != std::end(unused);
    EXPECT_EQ(hasString(n), !isUnused) << n;
    EXPECT_TRUE(isUnused || (!stringText(n).empty() && !stringText(n + 1000).empty())) << n;
  }
  const auto named = namedStringNumbers();
  ASSERT_GT(named.size(), 200u) << "the string constants were not found";
  for (const auto& [name, number] : named) {
    EXPECT_FALSE(stringText(number).empty()) << name << " " << number << " German";
    EXPECT_FALSE(stringText(number + 1000).empty()) << name << " " << number << " English";
  }
}

TEST(SelectLanguage, EachCombinationOfTheThreeOptions) {
  struct Case { const char *autoLang, *german, *english; std::uint16_t system; int offset; };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, 0x0407, 0},      // empty store, German system
      {nullptr, nullptr, nullptr, 0x0807, 0},      // Swiss German
      {nullptr, nullptr, nullptr, 0x0C07, 0},      // Austrian German
      {nullptr, nullptr, nullptr, 0x0409, 1000},   // English system
      {nullptr, nullptr, nullptr, 0x040C, 1000},   // French system
      {"True", "True", "False", 0x0409, 1000},     // automatic overrides the fixed choice
      {"False", "True", "False", 0x0409, 0}, {"False", "False", "True", 0x0407, 1000},
      {"False", "True", "True", 0x0407, 1000},     // later steps win
      {"False", "False", "False", 0x0409, 0},      // none: German
      {"abc", "False", "True", 0x0407, 1000},      // not a boolean: that step is skipped
  };
  for (const Case& c : cases) {
    Program p;
    for (auto [name, value] : {std::pair{"LanguageAuto", c.autoLang}, {"LanguageGerman", c.german},
                               {"LanguageEnglish", c.english}})
      if (value) p.set(name, value);
    p.sys.locale.language = c.system;
    selectLanguage(*p.app);
    EXPECT_EQ(p.app->languageOffset, c.offset) << (c.autoLang ? c.autoLang : "-") << c.system;
    for (int key : {kLanguageAuto, kLanguageGerman, kLanguageEnglish}) EXPECT_TRUE(p.app->options.has(key));
  }
}

TEST(FormatMessage, FillsPlaceholdersBreaksLinesAndShowsInsertedValuesAsTheyAre) {
  // A folder starting with "n" is part of the path, not a line break; a value holding
  // "|2" is not filled again.
  const std::pair<std::vector<Text>, Text> cases[] = {
      {{u"Overwrite file \"|1\"?", u"C:\\new\\notes.txt"}, u"Overwrite file \"C:\\new\\notes.txt\"?"},
      {{u"Replace\\n\"|1\"\\nwith\\n\"|2\"\\n?", u"x", u"y"}, u"Replace\r\n\"x\"\r\nwith\r\n\"y\"\r\n?"},
      {{u"|1 and |1", u"a"}, u"a and a"}, {{u"|1 / |2", u"|2", u"b"}, u"|2 / b"},
      {{u"no values |1"}, u"no values |1"}, {{}, u""}};
  for (const auto& [parts, message] : cases) EXPECT_EQ(formatMessage(parts), message);
}

TEST(MessageBoxes, QuestionsAndErrorsRespectTheFlags) {
  Running p;
  App& a = *p.app;
  p.sys.boxes.answers = {2};
  EXPECT_EQ(a.askQuestion(u"q", 1), 2);
  EXPECT_FALSE(a.modalOpen);
  ASSERT_EQ(p.sys.boxes.shown.size(), 1u);
  EXPECT_EQ(p.sys.boxes.shown[0].title, u"Sicherheitsfrage");
  a.modalOpen = true;
  EXPECT_EQ(a.askQuestion(u"q", 2), 2);
  a.showError(u"e");
  EXPECT_EQ(p.sys.boxes.shown.size(), 1u);
  EXPECT_EQ(a.askQuestion(u"forced", 2, true), 1);
  EXPECT_TRUE(a.modalOpen);  // restored to what it was
  a.modalOpen = false;
  a.questionSuppression = true;
  EXPECT_EQ(a.askQuestion(u"q", 1), 1);
  a.questionSuppression = false;
  a.showError(u"e");
  EXPECT_EQ(p.sys.boxes.shown.back().title, u"Hinweis");
  EXPECT_FALSE(p.sys.boxes.shown.back().question);
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

// Every menu level and every window with a menu bar, as each language shows it: the system
// runs the first item of a shared key, so the second one has none. And no caption is in the
// other language.
TEST(AccessKeys, NoTwoCaptionsOfOneMenuOrWindowShareAKeyAndEveryMenuSpeaksTheProgramsLanguage) {
  for (int offset : {0, 1000}) {
    Program p;
    p.app->languageOffset = offset;
    std::vector<std::vector<Text>> windows = {mainWindowCaptions(*p.app), editorWindowCaptions(*p.app)};
    for (const MenuItem& menu : {mainMenu(), editorMenu(), trayMenuItems(true)})
      for (const std::vector<Text>& level : menuLevels(*p.app, menu)) {
        windows.push_back(level);
        for (const Text& caption : level) EXPECT_EQ(u"", foreignText(offset, caption)) << ustr::toUtf8(caption);
      }
    for (const std::vector<Text>& captions : windows)
      EXPECT_TRUE(accessKeyCollisions(captions).empty())
          << offset << ": " << ::testing::PrintToString(accessKeyCollisions(captions)) << " in "
          << ::testing::PrintToString(captions);
  }
  // The toolbar's tips name the shortcut as the menus do.
  Program p;
  EXPECT_EQ(u"von Eingabe (Strg+N)", toolbarTip(*p.app, Command::TbNew, kStrFromInput));
  EXPECT_EQ(u"Liste löschen", toolbarTip(*p.app, Command::TbClear, kStrDeleteList));
  p.app->languageOffset = 1000;
  EXPECT_EQ(u"Cut (Ctrl+X)", toolbarTip(*p.app, Command::TbCut, kStrCut));
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

}  // namespace vornix::test
