#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "fixture.h"

namespace vornix::test {

TEST(StringTables, EveryNumberInUseHasBothLanguages) {
  const int unused[] = {124, 269, 277, 278, 279, 289, 291, 301, 302, 303, 304, 305, 306, 307, 317};
  for (int n = 101; n <= 334; ++n) {
    const bool isUnused = std::find(std::begin(unused), std::end(unused), n) != std::end(unused);
    EXPECT_EQ(hasString(n), !isUnused) << n;
    if (isUnused) continue;
    EXPECT_FALSE(stringText(n).empty()) << n;
    EXPECT_FALSE(stringText(n + 1000).empty()) << n;
  }
}

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

TEST(StringTables, EveryNamedStringHasATextInBothLanguages) {
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
      {"False", "True", "False", 0x0409, 0},
      {"False", "False", "True", 0x0407, 1000},
      {"False", "True", "True", 0x0407, 1000},     // later steps win
      {"False", "False", "False", 0x0409, 0},      // none: German
      {"abc", "False", "True", 0x0407, 1000},      // not a boolean: that step is skipped
  };
  for (const Case& c : cases) {
    Program p;
    if (c.autoLang) p.set("LanguageAuto", c.autoLang);
    if (c.german) p.set("LanguageGerman", c.german);
    if (c.english) p.set("LanguageEnglish", c.english);
    p.sys.locale.language = c.system;
    selectLanguage(*p.app);
    EXPECT_EQ(p.app->languageOffset, c.offset) << (c.autoLang ? c.autoLang : "-") << c.system;
    EXPECT_TRUE(p.app->options.has(kLanguageAuto) && p.app->options.has(kLanguageGerman) &&
                p.app->options.has(kLanguageEnglish));
  }
}

TEST(FormatMessage, FillsPlaceholdersBreaksLinesAndShowsInsertedValuesAsTheyAre) {
  // A folder starting with "n" is part of the path, not a line break; a value holding
  // "|2" is not filled again.
  EXPECT_EQ(formatMessage({u"Overwrite file \"|1\"?", u"C:\\new\\notes.txt"}), u"Overwrite file \"C:\\new\\notes.txt\"?");
  EXPECT_EQ(formatMessage({u"Replace\\n\"|1\"\\nwith\\n\"|2\"\\n?", u"x", u"y"}),
            u"Replace\r\n\"x\"\r\nwith\r\n\"y\"\r\n?");
  EXPECT_EQ(formatMessage({u"|1 and |1", u"a"}), u"a and a");
  EXPECT_EQ(formatMessage({u"|1 / |2", u"|2", u"b"}), u"|2 / b");
  EXPECT_EQ(formatMessage({u"no values |1"}), u"no values |1");
  EXPECT_EQ(formatMessage({}), u"");
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

}  // namespace vornix::test
