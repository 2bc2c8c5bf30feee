#include <gtest/gtest.h>

#include "core/store/export.h"
#include "fixture.h"

namespace vornix::test {

namespace {

class FakeExportView : public ExportView {
 public:
  explicit FakeExportView(fake::FakeLoop& loop) : loop_(loop) {}
  bool lists = true, ok = true, dir = true, closed = false, cancelFile = false, cancelFolder = false;
  int destinationShown = -1;
  void setListsEnabled(bool e) override { lists = e; }
  void setOkEnabled(bool e) override { ok = e; }
  void setDirEnabled(bool e) override { dir = e; }
  void showDestination(int d) override { destinationShown = d; }
  // Each runs its message loop, and hands back the one file or folder the tests use.
  bool saveFileDialog(Text& path) override { return choose(cancelFile, path, u"C:\\out\\all.txt"); }
  bool chooseFolder(Text& folder) override { return choose(cancelFolder, folder, u"C:\\out"); }
  void close() override { closed = true; }

 private:
  bool choose(bool cancel, Text& chosen, const Text& choice) {
    loop_.modal();
    if (!cancel) chosen = choice;
    return !cancel;
  }
  fake::FakeLoop& loop_;
};

// Three entries in display order "someone@example.com", "http://www.example.org", "plain" (newest first); "plain" protected.
struct Exporting : Running {
  FakeExportView view{sys.loop};
  DiaExport dia{*app, view};
  Exporting() {
    frm->addListItem(u"plain", true, false, 45000.1, 0);
    frm->addListItem(u"http://www.example.org", false, false, 45000.2, 0);
    frm->addListItem(u"someone@example.com", false, false, 45000.3, 0);
    app->textBlocks[0] = u"block zero";
    app->textBlocks[4] = u"block four";
    dia.Form_Load();
  }
  std::string file(const char* path) { return sys.files.files[T(path)]; }
  void record() {
    app->options.setOption(kProtocolMode, std::int32_t{1});
    frm->changeProtocolMode();
    idle();
  }
  void run() { dia.OKButton_Click(frm->rows()); }
};

}  // namespace

TEST(SaveFile, KeepsEveryCharacterAndAsksBeforeReplacing) {
  Running p;
  auto read = [&p](const char16_t* path) { return importBytes(p.sys.files.files[path], p.app->sys.codePage); };
  bool overwrite = true;
  // Code-page text stays byte for byte; anything else goes as UTF-8 behind a mark.
  EXPECT_TRUE(saveFile(*p.app, u"C:\\a.txt", T("ä€\r\n"), overwrite, false));
  EXPECT_TRUE(saveFile(*p.app, u"C:\\b.txt", T("ä中"), overwrite, false));
  EXPECT_EQ(p.sys.files.files[u"C:\\a.txt"], "\xE4\x80\r\n");
  EXPECT_EQ(p.sys.files.files[u"C:\\b.txt"], "\xEF\xBB\xBF\xC3\xA4\xE4\xB8\xAD");
  EXPECT_EQ(read(u"C:\\b.txt"), T("ä中"));
  // Appending text that the code page cannot hold turns the whole file into UTF-8.
  EXPECT_TRUE(saveFile(*p.app, u"C:\\a.txt", T("中"), overwrite, true));
  EXPECT_EQ(read(u"C:\\a.txt"), T("ä€\r\n中"));
  // An existing file is replaced only on OK, even while a dialog holds the modal flag.
  p.app->modalOpen = true;
  p.sys.boxes.answers = {2};
  overwrite = false;
  EXPECT_TRUE(saveFile(*p.app, u"C:\\b.txt", u"new", overwrite, false));
  EXPECT_FALSE(overwrite);
  EXPECT_EQ(p.sys.boxes.shown.back().text, u"Datei \"C:\\b.txt\"' überschreiben?");
  // A failed write is told and the old file stays.
  p.sys.files.failWrites = true;
  overwrite = true;
  EXPECT_FALSE(saveFile(*p.app, u"C:\\b.txt", u"new", overwrite, false));
  EXPECT_EQ(p.sys.boxes.shown.back().text.substr(0, 12), u"saveFile: \r\n");
  EXPECT_EQ(read(u"C:\\b.txt"), T("ä中"));
}

TEST(SaveFile, NamesAndPaths) {
  EXPECT_EQ(exportFileName(u"C:\\out", u"vornix", 3), u"C:\\out\\vornix03.txt");
  EXPECT_EQ(exportFileName(u"C:\\", u"textblock", 10), u"C:\\textblock10.txt");
  for (const char* bad : {"C:\\a?.txt", "C:\\a|b", "C:\\a\"b", "C:\\x:y", "C:\\dir\\", ""})
    EXPECT_FALSE(isValidPath(T(bad))) << bad;
  EXPECT_TRUE(isValidPath(T("C:\\Daten\\größe 1.txt")));
}

TEST(DiaExport, WritesOneFileOneFilePerTextOrTheClipboard) {
  Exporting e;
  // The selected entry alone: no line break at the end.
  e.run();
  EXPECT_EQ(e.file("C:\\out\\all.txt"), "someone@example.com");
  EXPECT_TRUE(e.view.closed);
  // All entries, text keys off: no blocks; a second export replaces the file.
  e.dia.selectionClick(DiaExport::kSelAll);
  e.run();
  e.run();
  EXPECT_EQ(e.file("C:\\out\\all.txt"), "someone@example.com\r\nhttp://www.example.org\r\nplain\r\n");
  // With text keys: the blocks that hold a text, numbered by their key.
  e.app->hotkeys.textkeyBol = true;
  e.dia.destinationClick(DiaExport::kSaveDir);
  e.run();
  EXPECT_EQ(e.app->exportDir, u"C:\\out\\");
  std::vector<Text> names;
  for (const auto& f : e.sys.files.files) names.push_back(f.first);
  EXPECT_EQ(names, (std::vector<Text>{u"C:\\out\\all.txt", u"C:\\out\\textblock01.txt", u"C:\\out\\textblock05.txt",
                                      u"C:\\out\\vornix01.txt", u"C:\\out\\vornix02.txt", u"C:\\out\\vornix03.txt"}));
  EXPECT_EQ(e.file("C:\\out\\vornix03.txt"), "plain");
  // Lists: the ticked kinds, numbered by list position; existing files are asked about.
  e.sys.files.files.clear();
  e.sys.files.files[u"C:\\out\\vornix03.txt"] = "old";
  e.sys.boxes.answers = {2};
  e.dia.selectionClick(DiaExport::kSelLists);
  e.dia.listClick(DiaExport::kListEMail, true);
  e.dia.listClick(DiaExport::kListProtected, true);
  e.run();
  EXPECT_EQ(e.file("C:\\out\\vornix01.txt"), "someone@example.com");
  EXPECT_EQ(e.file("C:\\out\\vornix03.txt"), "old");
  EXPECT_EQ(e.sys.files.files.size(), 2u);
  // The clipboard gets the collected texts as one.
  e.dia.listClick(DiaExport::kListEMail, false);
  e.dia.listClick(DiaExport::kListTextblocks, true);
  e.dia.destinationClick(DiaExport::kSaveClipboard);
  e.run();
  EXPECT_EQ(e.sys.clipboard.text, u"block zero\r\nblock four\r\nplain\r\n");
}

TEST(DiaExport, OptionButtonsEnableWhatTheyNeedAndCancelledDialogsAndFailuresWriteNothing) {
  Exporting e;
  EXPECT_FALSE(e.view.dir);
  EXPECT_FALSE(e.view.lists);
  e.dia.selectionClick(DiaExport::kSelLists);
  EXPECT_TRUE(e.view.lists);
  EXPECT_FALSE(e.view.ok);
  e.dia.listClick(DiaExport::kListURL, true);
  EXPECT_TRUE(e.view.ok);
  e.dia.destinationClick(DiaExport::kSaveDir);
  e.dia.selectionClick(DiaExport::kSelSingle);
  EXPECT_EQ(e.dia.destination(), DiaExport::kSaveFile);
  EXPECT_EQ(e.view.destinationShown, DiaExport::kSaveFile);
  EXPECT_FALSE(e.view.dir);
  EXPECT_TRUE(e.view.ok);
  // Cancelled dialogs and failures write nothing and keep the dialog.
  e.dia.selectionClick(DiaExport::kSelAll);
  e.view.cancelFile = true;
  e.run();
  e.dia.destinationClick(DiaExport::kSaveDir);
  e.view.cancelFolder = true;
  e.run();
  EXPECT_TRUE(e.sys.files.files.empty());
  EXPECT_FALSE(e.view.closed);
  EXPECT_TRUE(e.sys.boxes.shown.empty());
  e.sys.files.files[u"C:\\out\\all.txt"] = "earlier";
  e.sys.files.failWrites = true;
  e.app->modalOpen = true;
  e.dia.destinationClick(DiaExport::kSaveFile);
  e.view.cancelFile = false;
  e.run();
  EXPECT_EQ(e.file("C:\\out\\all.txt"), "earlier");
  EXPECT_EQ(e.sys.boxes.shown.size(), 1u);
  EXPECT_FALSE(e.view.closed);
}

TEST(DiaExport, CopiesFiledWhileItsWindowsAreOpenChangeNoExportedText) {
  // All entries into a folder that already holds the files: a copy filed while the
  // first overwrite question is open (and one while the folder dialog is) moves
  // the rows; every file still gets the entry it was asked about.
  Exporting e;
  e.record();
  for (const char* name : {"C:\\out\\vornix01.txt", "C:\\out\\vornix02.txt", "C:\\out\\vornix03.txt"})
    e.sys.files.files[T(name)] = "old";
  e.dia.selectionClick(DiaExport::kSelAll);
  e.dia.destinationClick(DiaExport::kSaveDir);
  e.sys.loop.whileOpen([&e] { e.copy(u"during the folder dialog"); });
  e.sys.loop.whileOpen([&e] { e.copy(u"during the question"); });
  e.run();
  const std::map<Text, std::string> files = {
      {u"C:\\out\\vornix01.txt", "during the folder dialog"}, {u"C:\\out\\vornix02.txt", "someone@example.com"},
      {u"C:\\out\\vornix03.txt", "http://www.example.org"}, {u"C:\\out\\vornix04.txt", "plain"}};
  EXPECT_EQ(e.sys.files.files, files);
  EXPECT_EQ(e.frm->rows().count(), 5);
  // The selected entry is the one selected when OK is pressed: the copy filed
  // while the dialog is open is selected then, and "plain" has moved down a row.
  Exporting s;
  s.record();
  s.frm->selectEntry(s.indexOf(u"http://www.example.org"));
  s.dia.Form_Load();
  s.copy(u"copied while the dialog is open");
  s.run();
  EXPECT_EQ(s.file("C:\\out\\all.txt"), "copied while the dialog is open");
}

}  // namespace vornix::test
