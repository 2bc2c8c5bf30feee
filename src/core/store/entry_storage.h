// The entry list and the text blocks in the settings store, with side files for
// large entries ("bigfile<n>.txt" beside the program, "<BIGFILE>path</BIGFILE>" in
// Entry<n>).
//
// Saving keeps each entry in the slot it was stored in and writes only what changed,
// so that one more capture does not rewrite megabytes of side files, and so that a
// save interrupted at any point loses at most the change being saved: an entry is
// never overwritten before its replacement or its copy is stored.
//
// A side file goes beside the program, or, where that folder cannot be written, into
// a "Vornix" folder of the user's application data. A slot whose side file exists but
// could not be read at start is left exactly as it is (values and file) until a later
// start reads it.
#pragma once

#include <string>
#include <vector>

#include "core/list/entry_rows.h"

namespace vornix {

class App;

class EntryStorage {
 public:
  explicit EntryStorage(App& app);

  struct LoadedEntry {
    int slot = 0;
    Text text;
    bool protect = false;
    double date = 0;
    long quantity = 0;
  };

  // Reads the stored entries; `badDate` tells that a stored date did not convert
  // (that entry got the present time).
  std::vector<LoadedEntry> load(bool& badDate);
  // The entry loaded from `slot` is now the row `row` (nullptr: it was not filed).
  void bind(int slot, const Row* row);

  void save(const EntryRows& rows);
  void loadTextBlocks();
  void saveTextBlocks();

  // Where the side file of `slot` goes: beside the program, or the per-user folder.
  Text sideFilePath(int slot) const;
  Text fallbackSideFilePath(int slot) const;
  static bool isMarker(const Text& value);
  // Texts that the store cannot hold as they are: large ones, marker-shaped ones
  // (they would come back as a file's content) and ones with a NUL (cut there).
  static bool needsSideFile(const Text& text);

 private:
  struct Slot {
    int rowId = -1;       // the row stored here; -1 for a slot whose row is gone
    int revision = -1;    // the row's text revision that was stored
    bool known = false;   // the values below mirror the store
    bool kept = false;    // its side file could not be read: never written or moved
    bool rewrite = false; // stored in a form that saving would not choose
    Text sel, date, quant;
    Text sidePath;        // the side file the stored marker names; "" for an inline text
  };

  bool vacant(int n) const { return slots_[n].rowId < 0 && !slots_[n].kept; }
  bool writeSlot(int n, const Row& row);
  bool writeSideFile(int n, const Text& text, Text& path);
  void clearSlot(int n);
  // Deletes a side file unless a kept slot's marker names it.
  void dropSideFile(const Text& path);
  bool isKeptFile(const Text& path) const;
  bool isOwnSideFile(const Text& path) const;

  App& app_;
  std::vector<Slot> slots_;
  bool swept_ = false;
  bool failureReported_ = false;
  // Told when the save is complete: the box's message loop can file a capture and
  // save again, which must not happen in the middle of a save.
  Text failureText_;
  int storedCount_ = -1;
};

}  // namespace vornix
