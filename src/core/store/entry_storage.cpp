#include "core/store/entry_storage.h"

#include <algorithm>
#include <unordered_map>

#include "core/app/app.h"
#include "core/clip/helpers.h"
#include "core/clip/ustr.h"
#include "core/prefs/localisation.h"

namespace vornix {

namespace {

constexpr size_t kLargeEntry = 16384;
constexpr size_t kMaxTextBlock = 16383;
constexpr char16_t kMarkerOpen[] = u"<BIGFILE>";
constexpr char16_t kMarkerClose[] = u"</BIGFILE>";

Text name(const char16_t* family, int n) { return family + ustr::fromInt(n); }

Text boolText(bool b) { return b ? u"True" : u"False"; }

}  // namespace

EntryStorage::EntryStorage(App& app) : app_(app) {}

bool EntryStorage::isMarker(const Text& value) {
  return ustr::startsWith(value, kMarkerOpen) && ustr::endsWith(value, kMarkerClose) &&
         value.size() >= std::char_traits<char16_t>::length(kMarkerOpen) +
                             std::char_traits<char16_t>::length(kMarkerClose);
}

Text EntryStorage::sideFilePath(int slot) const {
  return addBackslash(app_.sys.files.programFolder()) + u"bigfile" + ustr::fromInt(slot) + u".txt";
}

std::vector<EntryStorage::LoadedEntry> EntryStorage::load(bool& badDate) {
  platform::SettingsStore& store = app_.sys.store;
  badDate = false;
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
      e.text = readFile(app_, e.text.substr(open, e.text.size() - open - close));
      slot.sideFile = true;
    }

    slot.sel = store.read(name(u"EntrySel", n)).value_or(u"False");
    Text sel = ustr::trimSpaces(slot.sel);
    e.protect = ustr::equalsNoCase(sel, u"True") || sel == u"-1" || sel == u"1";

    auto dateText = store.read(name(u"EntryDate", n));
    slot.date = dateText.value_or(Text());
    if (!dateText || !app_.sys.locale.parseDate(*dateText, e.date)) {
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
  slots_[slot].revision = row ? row->revision : -1;
}

bool EntryStorage::writeSlot(int n, const Row& row) {
  platform::SettingsStore& store = app_.sys.store;
  if (n >= static_cast<int>(slots_.size())) slots_.resize(static_cast<size_t>(n) + 1);
  Slot& slot = slots_[n];
  const Text& text = row.cells[kColContent];
  if (slot.rowId != row.id || slot.revision != row.revision) {
    // A text that looks like a marker goes to the side file too, so that it comes
    // back as itself rather than as the content of the file it names.
    if (text.size() >= kLargeEntry || isMarker(text)) {
      const Text path = sideFilePath(n);
      // The side file is complete before the marker points at it; when it cannot be
      // written the slot keeps its previous, consistent content.
      if (!app_.sys.files.replaceFile(path, app_.sys.codePage.encode(text)).ok) return false;
      store.write(name(u"Entry", n), kMarkerOpen + path + kMarkerClose);
      slot.sideFile = true;
    } else {
      store.write(name(u"Entry", n), text);
      if (slot.sideFile || !slot.known) {
        const Text path = sideFilePath(n);
        if (app_.sys.files.fileExists(path)) app_.sys.files.deleteFile(path);
      }
      slot.sideFile = false;
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
  const Text path = sideFilePath(n);
  if (app_.sys.files.fileExists(path)) app_.sys.files.deleteFile(path);
}

void EntryStorage::sweepStale(size_t from) {
  for (int n = static_cast<int>(from); n < EntryRows::kCapacity; ++n) clearSlot(n);
}

void EntryStorage::save(const EntryRows& rows) {
  platform::SettingsStore& store = app_.sys.store;
  std::unordered_map<int, int> indexOfId;
  for (int i = 0; i < rows.count(); ++i) indexOfId[rows.at(i).id] = i;

  // Slots whose row is gone are holes; rows without a slot are new.
  std::vector<int> holes;
  std::unordered_map<int, int> slotOfId;
  for (int n = 0; n < static_cast<int>(slots_.size()); ++n) {
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
  // not at all.
  std::sort(holes.begin(), holes.end());
  for (int hole : holes) {
    while (size > 0 && slots_[size - 1].rowId < 0 && size - 1 > hole) --size;
    if (hole >= size - 1) {
      if (hole == size - 1) --size;
      continue;
    }
    const Slot& last = slots_[size - 1];
    if (!writeSlot(hole, rows.at(indexOfId[last.rowId]))) break;
    slots_[size - 1].rowId = -1;
    --size;
  }
  while (size > 0 && slots_[size - 1].rowId < 0) --size;

  if (storedCount_ != size) {
    store.write(u"EntryCount", ustr::fromInt(size));
    storedCount_ = size;
  }
  // Values behind the count: once per run everything up to the capacity (a store
  // written by another version or damaged by hand), afterwards what this run vacated.
  if (!swept_) {
    sweepStale(static_cast<size_t>(size));
    swept_ = true;
  } else {
    for (int n = size; n < static_cast<int>(slots_.size()); ++n) clearSlot(n);
  }
  slots_.resize(static_cast<size_t>(size));
}

void EntryStorage::loadTextBlocks() {
  for (int k = 0; k < 10; ++k) app_.textBlocks[k] = app_.sys.store.read(name(u"Textkey", k)).value_or(Text());
}

void EntryStorage::saveTextBlocks() {
  for (int k = 0; k < 10; ++k) {
    const Text& block = app_.textBlocks[k];
    if (block.size() > kMaxTextBlock) {
      app_.showError(formatMessage({app_.str(142), block.substr(0, 10)}) + u"\r\n" + app_.str(143));
      app_.sys.store.write(name(u"Textkey", k), block.substr(0, kMaxTextBlock));
    } else {
      app_.sys.store.write(name(u"Textkey", k), block);
    }
  }
}

}  // namespace vornix
