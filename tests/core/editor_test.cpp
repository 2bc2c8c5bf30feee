#include <gtest/gtest.h>

#include "core/editor/dia_text_input.h"
#include "core/editor/tools.h"
#include "fixture.h"

namespace vornix::test {

namespace {

// The editor window as the logic sees it: an edit box with a selection.
class FakeEditor : public EditorView {
 public:
  Text box, position, lengthText, saveChoice;
  int start = 0, length = 0, key = 0;
  bool protect = false, commands = true, keysShown = false, hidden = false, saveCancel = false;
  Text text() override { return box; }
  void setText(const Text& t) override {
    box = t;
    start = length = 0;
  }
  int selStart() override { return start; }
  int selLength() override { return length; }
  void setCaret(int p) override {
    start = p;
    length = 0;
  }
  bool protectChecked() override { return protect; }
  void focusText() override {}
  bool textCommandsEnabled() override { return commands; }
  void setTextCommandsEnabled(bool e) override { commands = e; }
  int keyItem() override { return key; }
  void selectKeyItem(int item) override { key = item; }
  void showKeyChoice(bool v) override { keysShown = v; }
  void setPositionPanel(const Text& t) override { position = t; }
  Text lengthPanel() override { return lengthText; }
  void setLengthPanel(const Text& t) override { lengthText = t; }
  Text localDate(double, bool time) override { return time ? u"12:00" : u"15.03.2023"; }
  void showToolDialog(ToolDialog) override {}
  bool saveFileDialog(Text& path) override {
    if (!saveCancel) path = saveChoice;
    return !saveCancel;
  }
  void hide() override { hidden = true; }
};

struct Editor : Running {
  FakeEditor view;
  DiaTextInput dia{*app, view};
  Editor() { app->hotkeys.textkeyBol = true; }
  void open(const Text& text) {
    view = FakeEditor();
    view.box = text;
    dia.Form_Activate();
  }
};

}  // namespace

TEST(DiaTextInput, EachToolItemRunsItsTransformOnTheText) {
  struct Case { EditorTool tool; const char* in; const char* out; };
  const Case cases[] = {
      {EditorTool::ReformatP, "a\r\nb\r\n\r\nc", "a b\r\n\r\nc"}, {EditorTool::DelCite, ">> a\r\n> b", "> a\r\nb"},
      {EditorTool::Trim, "  a b  ", "a b"},                        {EditorTool::TrimWS, " a\t\tb  ", "a b"},
      {EditorTool::ReplaceLF, "a\r\nb\nc", "a b c"},              {EditorTool::EmptyLines, "a\r\n\r\nb", "a\r\nb"},
      {EditorTool::Uppercase, "grün", "GRÜN"},                  {EditorTool::Lowercase, "ÄB", "äb"},
      {EditorTool::ConvUmlaut, "Straße", "Strasse"},               {EditorTool::ConvASCII, "a%20b%E4", "a bä"},
      {EditorTool::ConvEscape, "a bä", "a%20b%E4"},                {EditorTool::Ent8Bit2Ent, "ä", "&auml;"},
      {EditorTool::EntEnt28Bit, "&auml;", "ä"},                    {EditorTool::EntTag2Ent, "<a>", "&lt;a&gt;"},
      {EditorTool::EntEnt2Tag, "&lt;a&gt;", "<a>"},
  };
  Editor e;
  for (const Case& c : cases) {
    e.open(T(c.in));
    e.dia.runTool(c.tool);
    EXPECT_EQ(e.view.box, T(c.out)) << c.in;
  }
  // Remove quotation uses the stored quotation character.
  e.app->citeChar = u"|";
  e.open(u"| a\r\n> b");
  e.dia.runTool(EditorTool::DelCite);
  EXPECT_EQ(e.view.box, u" a\r\n> b");
}

TEST(DiaTextInput, CommandsNeedATextPanelsShowCaretAndLengthAndInsertsGoBeforeASelection) {
  Editor e;
  e.open(u"");
  EXPECT_FALSE(e.view.commands);
  EXPECT_EQ(e.view.lengthText, u"0");
  e.view.box = u"abc";
  e.view.start = 2;
  e.dia.txtTextInput_Change();
  e.dia.txtTextInput_SelChange();
  e.dia.timLen_Timer();
  EXPECT_TRUE(e.view.commands);
  EXPECT_EQ(e.view.position, u"2");
  EXPECT_EQ(e.view.lengthText, u"3");
  e.app->hotkeys.textkeyBol = false;
  e.open(u"x");
  EXPECT_FALSE(e.view.keysShown);
  // Inserts go to the caret, before a selection.
  e.open(u"hello world");
  e.view.start = 6;
  e.view.length = 5;  // "world" stays
  e.dia.insertDate(false);
  EXPECT_EQ(e.view.box, u"hello 15.03.2023world");
  EXPECT_EQ(e.view.start, 16);
  e.dia.insertRepeated(u"-", 3);
  EXPECT_EQ(e.view.box, u"hello 15.03.2023---world");
  EXPECT_EQ(e.view.position, u"19");
}

TEST(DiaTextInput, OkHandsBackTextProtectionAndCopyAndWritesTheKey) {
  Editor e;
  e.app->textBlocks[3] = u"same";
  e.open(u"same");
  EXPECT_EQ(e.dia.openingKey(), 3);
  EXPECT_EQ(e.view.key, 4);
  // Moving the text to key 5 keeps it on key 3 as well.
  e.view.key = 6;
  e.view.protect = true;
  e.dia.OKCopyButton_Click();
  EXPECT_TRUE(e.view.hidden);
  EXPECT_TRUE(e.dia.result().accepted);
  EXPECT_TRUE(e.dia.result().protect);
  EXPECT_TRUE(e.dia.result().copy);
  EXPECT_EQ(e.app->textBlocks[5], u"same");
  EXPECT_EQ(e.app->textBlocks[3], u"same");
  // "--" takes the text off its key.
  e.open(u"same");
  e.view.key = 0;
  e.dia.OKButton_Click();
  EXPECT_FALSE(e.dia.result().copy);
  EXPECT_EQ(e.app->textBlocks[5], u"");  // opening key was the last equal block, 5
  // An empty text and Cancel change nothing.
  e.open(u"");
  e.view.key = 2;
  e.dia.OKButton_Click();
  EXPECT_FALSE(e.dia.result().accepted);
  EXPECT_EQ(e.app->textBlocks[1], u"");
  e.open(u"x");
  e.dia.CancelButton_Click();
  EXPECT_FALSE(e.dia.result().accepted);
}

TEST(DiaTextInput, TakingAnOccupiedKeyAsksAndCancelReturnsToTheOpeningKey) {
  Editor e;
  e.app->textBlocks[5] = Text(150, u'b');
  e.open(u"new text");
  e.app->modalOpen = true;  // the editor holds the flag; the question still shows
  e.sys.boxes.answers = {2};
  e.view.key = 6;
  e.dia.keyNumber_Click(6);
  EXPECT_EQ(e.boxes(), std::vector<Text>{u"\"" + Text(97, u'b') + u"...\"\r\ndurch\r\n\"new text\"\r\nersetzen? "});
  // Cancel returns to the opening key; a free key asks nothing.
  e.dia.keyNumber_Click(2);
  EXPECT_EQ(e.view.key, 0);
  EXPECT_EQ(e.sys.boxes.shown.size(), 1u);
}

TEST(DiaTextInput, FindAndReplaceRules) {
  struct Case { const char *text, *find, *replace; bool matchCase, done; const char* out; };
  const Case cases[] = {
      {"Cat cat CAT", "cat", "dog", false, true, "dog dog dog"},
      {"Cat cat CAT", "cat", "dog", true, true, "Cat dog CAT"},
      {"aaaa", "aa", "a", true, true, "aa"},  // one pass, no overlaps
      {"Öl öl", "öl", "x", false, true, "x x"},
      {"abc", "", "x", false, false, "abc"},  // an empty search text does nothing
  };
  Editor e;
  for (const Case& c : cases) {
    e.open(T(c.text));
    EXPECT_EQ(e.dia.replaceAll(T(c.find), T(c.replace), c.matchCase), c.done) << c.text;
    EXPECT_EQ(e.view.box, T(c.out)) << c.text;
  }
}

TEST(DiaTextInput, ExportWritesTheTextToTheChosenFileOrNothingWhenCancelled) {
  Editor e;
  e.open(u"line\r\nä");
  e.view.saveChoice = u"C:\\out\\a.txt";
  e.dia.menInputEntryExport_Click();
  EXPECT_EQ(e.app->exportFile, u"C:\\out\\a.txt");
  e.view.box = u"other";
  e.view.saveCancel = true;
  e.dia.menInputEntryExport_Click();
  EXPECT_EQ(e.sys.files.files[u"C:\\out\\a.txt"], "line\r\n\xE4");
  EXPECT_TRUE(e.sys.boxes.shown.empty());
}

TEST(ToolDialogs, FieldChecksAndCharacterAreas) {
  const std::pair<const char*, const char*> codes[] = {{"65", "65"}, {"0", "9"}, {"256", "9"}, {"x", "9"}, {"0065", "9"}};
  for (auto [in, out] : codes) EXPECT_EQ(tools::checkCode(T(in)), T(out)) << in;
  const std::pair<const char*, const char*> repeats[] = {
      {"5", "5"}, {"200", "80"}, {"0", "1"}, {"-3", "1"}, {"x", "1"}, {"", "1"}, {"99999999999999999999", "80"}};
  for (auto [in, out] : repeats) EXPECT_EQ(tools::checkRepeat(T(in)), T(out)) << in;
  const CodePage& cp = CodePage::windows1252();
  EXPECT_EQ(tools::codeCharacter(u"128", cp), T("€"));
  EXPECT_EQ(tools::codeCharacter(u"0", cp), u"\t");
  EXPECT_EQ(tools::citeCharFrom(u">> "), u">>");
  EXPECT_EQ(tools::citeCharFrom(u"   "), u"");
  const std::vector<Text> standard = tools::specialCharacters(1, cp), special = tools::specialCharacters(0, cp);
  ASSERT_TRUE(standard.size() == 96u && special.size() == 99u);
  EXPECT_EQ(standard.front(), u" ");
  EXPECT_EQ(standard.back(), Text(1, 127));
  EXPECT_EQ(special[0] + special[1] + special[2] + special[3] + special.back(), T("€‘’\u00A0ÿ"));
}

}  // namespace vornix::test
