// The rows of the entry list as the list control holds them: display texts,
// hidden sort keys, check box, always kept in the current sort order.
// Portable; the Win32 list view only mirrors what this model holds.
#pragma once

#include <string>
#include <vector>

namespace vornix {

using Text = std::u16string;

enum Column { kColCounter = 0, kColContent, kColType, kColDate, kColDateSort, kColCountSort, kColumnCount };

struct Row {
  int id = 0;          // stable identity across re-sorting
  Text cells[kColumnCount];
  bool checked = false;  // protection
  int revision = 0;      // counts changes of the content cell
  double date = 0;       // the date the date cells were made from
};

class EntryRows {
 public:
  static constexpr int kCapacity = 50;

  int count() const { return static_cast<int>(rows_.size()); }
  bool empty() const { return rows_.empty(); }
  const Row& at(int index) const { return rows_[index]; }  // 0-based display order
  const std::vector<Row>& rows() const { return rows_; }

  // Appends a row and puts it at its sorted place; returns its index.
  int append(Row row);
  void remove(int index);
  void clear();
  // Changes cells or the check box of a row; the list re-sorts afterwards.
  void setCell(int index, Column column, const Text& text);
  void setChecked(int index, bool checked) { rows_[index].checked = checked; }
  void setDate(int index, double date) { rows_[index].date = date; }
  void resort();

  // First row, in display order, whose content equals `text` as a whole, letter case
  // ignored as the list control's find does (or exactly, with `exactCase`); -1 when
  // none. Only the content counts: a text that reads like a counter or a date is no
  // copy of the row that shows it.
  int find(const Text& text, bool exactCase = false) const;
  int indexOf(int id) const;

  int selected() const;  // -1 when no row is selected
  void select(int index);
  void deselect() { selectedId_ = -1; }

  int sortKey() const { return sortKey_; }
  int sortOrder() const { return sortOrder_; }
  void setSort(int key, int order);

 private:
  std::vector<Row> rows_;
  int nextId_ = 1;
  int selectedId_ = -1;
  // Whether a row goes before another in the chosen order.
  struct Order {
    int key;
    bool descending;
    bool operator()(const Row& a, const Row& b) const;
  };
  Order order() const { return Order{sortKey_, sortOrder_ != 0}; }

  int sortKey_ = kColDateSort;
  int sortOrder_ = 1;
};

}  // namespace vornix
