#include "core/list/entry_rows.h"

#include <algorithm>

#include "base/ustr.h"

namespace vornix {

namespace {

// The list control compares texts without regard to letter case.
int compareNoCase(const Text& a, const Text& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char16_t x = ustr::toLower(a[i]), y = ustr::toLower(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace

int EntryRows::append(Row row) {
  row.id = nextId_++;
  const int id = row.id;
  const auto before = order();
  // The rows are in order unless a cell was changed and not re-sorted yet: then the
  // new one goes where sorting all would put it, after its equals, without moving
  // the others more than once.
  if (std::is_sorted(rows_.begin(), rows_.end(), before)) {
    const auto place = std::upper_bound(rows_.begin(), rows_.end(), row, before);
    const auto inserted = rows_.insert(place, std::move(row));
    return static_cast<int>(inserted - rows_.begin());
  }
  rows_.push_back(std::move(row));
  resort();
  return indexOf(id);
}

void EntryRows::remove(int index) {
  if (index < 0 || index >= count()) return;
  if (rows_[index].id == selectedId_) selectedId_ = -1;
  rows_.erase(rows_.begin() + index);
}

void EntryRows::clear() {
  rows_.clear();
  selectedId_ = -1;
}

void EntryRows::setCell(int index, Column column, const Text& text) {
  if (index < 0 || index >= count()) return;
  rows_[index].cells[column] = text;
  if (column == kColContent) ++rows_[index].revision;
}

bool EntryRows::Order::operator()(const Row& a, const Row& b) const {
  const int c = compareNoCase(a.cells[key], b.cells[key]);
  return descending ? c > 0 : c < 0;
}

void EntryRows::resort() { std::stable_sort(rows_.begin(), rows_.end(), order()); }

int EntryRows::find(const Text& text, bool exactCase) const {
  for (int i = 0; i < count(); ++i) {
    const Text& content = rows_[i].cells[kColContent];
    if (exactCase ? content == text : ustr::equalsNoCase(content, text)) return i;
  }
  return -1;
}

int EntryRows::indexOf(int id) const {
  for (int i = 0; i < count(); ++i)
    if (rows_[i].id == id) return i;
  return -1;
}

int EntryRows::selected() const { return selectedId_ < 0 ? -1 : indexOf(selectedId_); }

void EntryRows::select(int index) {
  selectedId_ = (index >= 0 && index < count()) ? rows_[index].id : -1;
}

void EntryRows::setSort(int key, int order) {
  sortKey_ = (key >= 0 && key < kColumnCount) ? key : kColDateSort;
  sortOrder_ = order == 0 ? 0 : 1;
  resort();
}

}  // namespace vornix
