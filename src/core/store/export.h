// Export of entry texts and text blocks: the file writer `saveFile`, and the
// logic of the export dialog `diaExport` (one file, one file per text in a
// folder, or the clipboard). The dialog's window is reached through ExportView.
#pragma once

#include <string>
#include <vector>

#include "core/app/app.h"
#include "core/list/entry_rows.h"

namespace vornix {

// The bytes a text is stored as: the system's 8-bit code page when every character
// has a byte there, otherwise UTF-8 behind a byte-order mark, so that it reads back whole.
std::string exportBytes(const Text& text, const CodePage& cp);
// The text of bytes written by exportBytes (or of any code-page file).
Text importBytes(const std::string& bytes, const CodePage& cp);

// Writes `text` to `path`. With `overwrite` false an existing file is replaced only
// when the user answers the overwrite question with OK (`overwrite` then becomes true); `append`
// adds to the end of an existing file. A replaced file is swapped in only when the
// new one is complete. Failures are shown with the system's message; false then.
bool saveFile(App& app, const Text& path, const Text& text, bool& overwrite, bool append);

// "<dir>vornix01.txt" and the like: `dir` ends with a backslash.
Text exportFileName(const Text& dir, const Text& prefix, int number);
// False for a path with a character that no file name can hold.
bool isValidPath(const Text& path);

// Implemented by the Win32 export dialog and by a fake in the tests.
class ExportView {
 public:
  virtual ~ExportView() = default;
  virtual void setListsEnabled(bool enabled) = 0;
  virtual void setOkEnabled(bool enabled) = 0;
  virtual void setDirEnabled(bool enabled) = 0;
  virtual void showDestination(int destination) = 0;
  // The save-file dialog preset with `path`; false when cancelled.
  virtual bool saveFileDialog(Text& path) = 0;
  // The folder dialog `diaDir`, preset with and setting `folder`; false when cancelled.
  virtual bool chooseFolder(Text& folder) = 0;
  virtual void close() = 0;
};

class DiaExport {
 public:
  enum Selection { kSelSingle, kSelAll, kSelLists };
  enum Destination { kSaveFile, kSaveDir, kSaveClipboard };
  enum List { kListText, kListURL, kListEMail, kListProtected, kListUnprotected, kListTextblocks, kListCount };

  DiaExport(App& app, ExportView& view);

  void Form_Load();
  void selectionClick(Selection selection);
  void destinationClick(Destination destination);
  void listClick(List list, bool ticked);
  // `rows` is the live list: the selected row and the rows to export are read from
  // it when OK is pressed, and copied before the first dialog or question.
  void OKButton_Click(const EntryRows& rows);

  Selection selection() const { return selection_; }
  Destination destination() const { return destination_; }
  const Text& clipboardBuffer() const { return buffer_; }

 private:
  // A copy: every overwrite question runs a message loop, in which a capture can
  // move, replace or give up the rows and the editor can change a text block.
  struct Item {
    Text text;
    Text prefix;
    int number;
  };
  bool anyList() const;
  bool rowChosen(const Row& row) const;
  std::vector<Item> chosenItems(const EntryRows& rows) const;
  bool writeItems(const std::vector<Item>& items);

  App& app_;
  ExportView& view_;
  Selection selection_ = kSelSingle;
  Destination destination_ = kSaveFile;
  bool lists_[kListCount] = {};
  Text buffer_;
};

}  // namespace vornix
