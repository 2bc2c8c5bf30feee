#include "core/store/entry_storage.h"

#include <algorithm>
#include <unordered_map>

#include "base/dates.h"
#include "base/ustr.h"
#include "core/app/app.h"
#include "core/clip/helpers.h"
#include "core/prefs/localisation.h"
#include "core/store/file_text.h"

namespace vornix {

namespace {

constexpr size_t kLargeEntry = 16384;
constexpr size_t kMaxTextBlock = 16383;
constexpr char16_t kMarkerOpen[] = u"<BIGFILE>";
constexpr char16_t kMarkerClose[] = u"</BIGFILE>";
constexpr char16_t kUserFolder[] = u"Vornix";

Text name(const char16_t* family, int n) { return family + ustr::fromInt(n); }

Text boolText(bool b) { return b ? u"True" : u"False"; }

Text sideFileName(int slot) { return u"bigfile" + ustr::fromInt(slot) + u".txt"; }

// File names on Windows ignore letter case.
bool samePath(const Text& a, const Text& b) { return ustr::equalsNoCase(a, b); }

}  // namespace

EntryStorage::EntryStorage(App& app) : app_(app) {}

bool EntryStorage::isMarker(const Text& value) {
  return ustr::startsWith(value, kMarkerOpen) && ustr::endsWith(value, kMarkerClose) &&
         value.size() >= std::char_traits<char16_t>::length(kMarkerOpen) +
                             std::char_traits<char16_t>::length(kMarkerClose);
}

bool EntryStorage::needsSideFile(const Text& text) {
  return text.size() >= kLargeEntry || isMarker(text) || text.find(u'\0') != Text::npos;
}

Text EntryStorage::sideFilePath(int slot) const {
  return addBackslash(app_.sys.files.programFolder()) + sideFileName(slot);
}

Text EntryStorage::fallbackSideFilePath(int slot) const {
  const Text base = app_.sys.files.appDataFolder();
  if (base.empty()) return Text();
  return addBackslash(addBackslash(base) + kUserFolder) + sideFileName(slot);
}

std::vector<EntryStorage::LoadedEntry> EntryStorage::load(bool& badDate) {
  platform::SettingsStore& store = app_.sys.store;
  badDate = false;
  bool readFailureShown = false;
  std::vector<LoadedEntry> loaded;
  slots_.clear();

  long long count = 0;
  auto countText = store.read(u"EntryCount");
  if (countText && !ustr::parseInt(*countText, 0, EntryRows::kCapacity, count)) {
    // A damaged count must not hide the entries: look at every slot there can be.
    count = EntryRows::kCapacity;
  }
  storedCount_ = countText ? static_cast<int>(count) : -1;
  slots_.resize(static_cast<size_t>(count));

  for (int n = 0; n < static_cast<int>(count); ++n) {
    Slot& slot = slots_[n];
    auto value = store.read(name(u"Entry", n));
    if (!value) continue;
    LoadedEntry e;
    e.slot = n;
    e.text = *value;
    if (isMarker(e.text)) {
      const size_t open = std::char_traits<char16_t>::length(kMarkerOpen);
      const size_t close = std::char_traits<char16_t>::length(kMarkerClose);
      slot.sidePath = e.text.substr(open, e.text.size() - open - close);
      e.text.clear();
      if (app_.sys.files.fileExists(slot.sidePath)) {
        std::string bytes;
        const platform::IoResult r = app_.sys.files.readBytes(slot.sidePath, bytes);
        if (!r.ok) {
          // Held by a scanner or a backup for the moment: a later start reads it.
          slot.kept = true;
          if (!readFailureShown) app_.showError(u"readFile: \r\n" + r.message);
          readFailureShown = true;
          continue;
        }
        e.text = decodeFileText(bytes, app_.sys.codePage);
      }
    } else if (needsSideFile(e.text)) {
      // Stored inline by hand or by an older version: the next save gives it its side file.
      slot.rewrite = true;
    }

    slot.sel = store.read(name(u"EntrySel", n)).value_or(u"False");
    Text sel = ustr::trimSpaces(slot.sel);
    e.protect = ustr::equalsNoCase(sel, u"True") || sel == u"-1" || sel == u"1";

    auto dateText = store.read(name(u"EntryDate", n));
    slot.date = dateText.value_or(Text());
    if (!dateText || !app_.sys.locale.parseDate(*dateText, e.date) || !dates::inRange(e.date)) {
      if (dateText) badDate = true;
      e.date = app_.sys.clock.now();
    }

    slot.quant = store.read(name(u"EntryQuant", n)).value_or(u"0");
    long long q = 0;
    e.quantity = ustr::parseInt(slot.quant, 0, 2147483647, q) ? static_cast<long>(q) : 0;
    slot.known = true;
    loaded.push_back(std::move(e));
  }
  return loaded;
}

void EntryStorage::bind(int slot, const Row* row) {
  if (slot < 0 || slot >= static_cast<int>(slots_.size())) return;
  slots_[slot].rowId = row ? row->id : -1;
  slots_[slot].revision = row && !slots_[slot].rewrite ? row->revision : -1;
}

bool EntryStorage::isKeptFile(const Text& path) const {
  for (const Slot& slot : slots_)
    if (slot.kept && samePath(slot.sidePath, path)) return true;
  return false;
}

bool EntryStorage::isOwnSideFile(const Text& path) const {
  const size_t slash = path.find_last_of(u'\\');
  if (slash == Text::npos) return false;
  const Text folder = path.substr(0, slash + 1);
  const Text file = path.substr(slash + 1);
  const Text fallback = fallbackSideFilePath(0);
  const bool ours = samePath(folder, addBackslash(app_.sys.files.programFolder())) ||
                    (!fallback.empty() && samePath(folder, fallback.substr(0, fallback.find_last_of(u'\\') + 1)));
  long long n = 0;
  const size_t prefix = 7, suffix = 4;  // "bigfile", ".txt"
  return ours && file.size() > prefix + suffix && ustr::startsWith(ustr::lower(file), u"bigfile") &&
         ustr::endsWith(ustr::lower(file), u".txt") &&
         ustr::parseInt(file.substr(prefix, file.size() - prefix - suffix), 0, EntryRows::kCapacity, n);
}

void EntryStorage::dropSideFile(const Text& path) {
  // Only files of our own making go: a marker could name any file.
  if (path.empty() || !isOwnSideFile(path) || isKeptFile(path) || !app_.sys.files.fileExists(path)) return;
  app_.sys.files.deleteFile(path);
}

bool EntryStorage::writeSideFile(int n, const Text& text, Text& path) {
  const std::string bytes = encodeFileText(text, app_.sys.codePage);
  platform::IoResult failure{false, Text()};
  const Text fallback = fallbackSideFilePath(n);
  for (const Text& candidate : {sideFilePath(n), fallback}) {
    if (candidate.empty() || isKeptFile(candidate)) continue;
    if (candidate == fallback) app_.sys.files.makeFolder(addBackslash(app_.sys.files.appDataFolder()) + kUserFolder);
    const platform::IoResult r = app_.sys.files.replaceFile(candidate, bytes);
    if (r.ok) {
      path = candidate;
      failureReported_ = false;
      return true;
    }
    failure = r;
  }
  // Said once while it lasts, not at every save; the slot keeps what it held.
  if (!failureReported_) {
    failureReported_ = true;
    const Text folder = fallback.empty() ? Text() : fallback.substr(0, fallback.find_last_of(u'\\'));
    app_.showError(formatMessage({app_.str(kStrSideFileFailed), folder}) + u"\r\n" + failure.message);
  }
  return false;
}

bool EntryStorage::writeSlot(int n, const Row& row) {
  platform::SettingsStore& store = app_.sys.store;
  if (n >= static_cast<int>(slots_.size())) slots_.resize(static_cast<size_t>(n) + 1);
  Slot& slot = slots_[n];
  const Text& text = row.cells[kColContent];
  if (slot.rowId != row.id || slot.revision != row.revision) {
    if (needsSideFile(text)) {
      // The side file is complete before the marker points at it; when it cannot be
      // written the slot keeps its previous, consistent content.
      Text path;
      if (!writeSideFile(n, text, path)) return false;
      if (!store.write(name(u"Entry", n), kMarkerOpen + path + kMarkerClose)) return false;
      if (!slot.sidePath.empty() && !samePath(slot.sidePath, path)) dropSideFile(slot.sidePath);
      slot.sidePath = path;
    } else {
      if (!store.write(name(u"Entry", n), text)) return false;
      dropSideFile(slot.sidePath);
      if (!slot.known) {
        // Files of an earlier run that this slot may have left.
        dropSideFile(sideFilePath(n));
        dropSideFile(fallbackSideFilePath(n));
      }
      slot.sidePath.clear();
    }
    slot.rowId = row.id;
    slot.revision = row.revision;
  }
  const Text sel = boolText(row.checked);
  if (!slot.known || slot.sel != sel) store.write(name(u"EntrySel", n), sel);
  if (!slot.known || slot.date != row.cells[kColDate]) store.write(name(u"EntryDate", n), row.cells[kColDate]);
  if (!slot.known || slot.quant != row.cells[kColCounter]) store.write(name(u"EntryQuant", n), row.cells[kColCounter]);
  slot.sel = sel;
  slot.date = row.cells[kColDate];
  slot.quant = row.cells[kColCounter];
  slot.known = true;
  return true;
}

void EntryStorage::clearSlot(int n) {
  platform::SettingsStore& store = app_.sys.store;
  for (const char16_t* family : {u"Entry", u"EntrySel", u"EntryDate", u"EntryQuant"}) store.remove(name(family, n));
  if (n < static_cast<int>(slots_.size())) {
    dropSideFile(slots_[n].sidePath);
    slots_[n] = Slot();
  }
  dropSideFile(sideFilePath(n));
  dropSideFile(fallbackSideFilePath(n));
}

void EntryStorage::save(const EntryRows& rows) {
  platform::SettingsStore& store = app_.sys.store;
  std::unordered_map<int, int> indexOfId;
  for (int i = 0; i < rows.count(); ++i) indexOfId[rows.at(i).id] = i;

  // Slots whose row is gone are holes; rows without a slot are new. Kept slots are
  // neither: they stay as they are.
  std::vector<int> holes;
  std::unordered_map<int, int> slotOfId;
  for (int n = 0; n < static_cast<int>(slots_.size()); ++n) {
    if (slots_[n].kept) continue;
    const int id = slots_[n].rowId;
    if (id >= 0 && indexOfId.count(id) && !slotOfId.count(id)) {
      slotOfId[id] = n;
    } else {
      slots_[n].rowId = -1;
      holes.push_back(n);
    }
  }

  // Rows that stay in their slot: only what changed is written.
  for (const auto& [id, n] : slotOfId) writeSlot(n, rows.at(indexOfId[id]));

  // New rows fill the holes first (the hole's entry was removed: that is the change
  // being saved), then go behind the stored ones, counted in only once complete.
  size_t nextHole = 0;
  int size = static_cast<int>(slots_.size());
  for (int i = 0; i < rows.count(); ++i) {
    const Row& row = rows.at(i);
    if (slotOfId.count(row.id)) continue;
    if (nextHole < holes.size()) {
      if (writeSlot(holes[nextHole], row)) ++nextHole;
    } else if (writeSlot(size, row)) {
      ++size;
    }
  }
  holes.erase(holes.begin(), holes.begin() + static_cast<long>(nextHole));

  // More removals than additions: move the last stored entry into each remaining
  // hole before the count shrinks past it, so it exists twice for a moment, never
  // not at all. A kept slot does not move; a hole below it is emptied instead.
  std::sort(holes.begin(), holes.end());
  for (int hole : holes) {
    while (size > 0 && vacant(size - 1) && size - 1 > hole) --size;
    if (hole >= size - 1) {
      if (hole == size - 1) --size;
      continue;
    }
    if (slots_[size - 1].kept) {
      clearSlot(hole);
      continue;
    }
    const Slot& last = slots_[size - 1];
    if (!writeSlot(hole, rows.at(indexOfId[last.rowId]))) break;
    slots_[size - 1].rowId = -1;
    --size;
  }
  while (size > 0 && vacant(size - 1)) --size;

  if (storedCount_ != size) {
    store.write(u"EntryCount", ustr::fromInt(size));
    storedCount_ = size;
  }
  // Values behind the count: once per run everything up to the capacity (a store
  // written by another version or damaged by hand), afterwards what this run vacated.
  const int end = swept_ ? static_cast<int>(slots_.size()) : EntryRows::kCapacity;
  for (int n = size; n < end; ++n) clearSlot(n);
  swept_ = true;
  slots_.resize(static_cast<size_t>(size));
}

void EntryStorage::loadTextBlocks() {
  for (int k = 0; k < 10; ++k) app_.textBlocks[k] = app_.sys.store.read(name(u"Textkey", k)).value_or(Text());
}

void EntryStorage::saveTextBlocks() {
  for (int k = 0; k < 10; ++k) {
    const Text& block = app_.textBlocks[k];
    if (block.size() > kMaxTextBlock) {
      app_.showError(formatMessage({app_.str(kStrEntryOver16KB), block.substr(0, 10)}) + u"\r\n" +
                     app_.str(kStrCannotBeSavedCompletely));
      app_.sys.store.write(name(u"Textkey", k), block.substr(0, kMaxTextBlock));
    } else {
      app_.sys.store.write(name(u"Textkey", k), block);
    }
  }
}

}  // namespace vornix
