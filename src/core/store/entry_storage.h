// The entry list and the text blocks in the settings store, with side files for
// large entries ("bigfile<n>.txt" beside the program, "<BIGFILE>path</BIGFILE>" in
// Entry<n>).
//
// Saving keeps each entry in the slot it was stored in and writes only what changed,
// so that one more capture does not rewrite megabytes of side files, and so that a
// save interrupted at any point loses at most the change being saved: an entry is
// never overwritten before its replacement or its copy is stored.
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
  // The entry loaded from `slot` is now the row `rowId` (-1: it was not filed).
  void bind(int slot, const Row* row);

  void save(const EntryRows& rows);
  void loadTextBlocks();
  void saveTextBlocks();

  Text sideFilePath(int slot) const;
  static bool isMarker(const Text& value);

 private:
  struct Slot {
    int rowId = -1;       // the row stored here; -1 for a slot whose row is gone
    int revision = -1;    // the row's text revision that was stored
    bool known = false;   // the values below mirror the store
    Text sel, date, quant;
    bool sideFile = false;
  };

  bool writeSlot(int n, const Row& row);
  void clearSlot(int n);
  void sweepStale(size_t from);

  App& app_;
  std::vector<Slot> slots_;
  bool swept_ = false;
  int storedCount_ = -1;
};

}  // namespace vornix
