// Find as you type in the main window: which rows (and side-list items) the
// search shows, the selection kept on a row the user sees, and the count in
// the status bar.
#include "core/list/frm_vornix.h"
#include "base/ustr.h"
#include "core/prefs/localisation.h"

namespace vornix {

bool FrmVornix::rowShown(const Row& row) const {
  if (searchQuery_.empty()) return true;
  auto hit = searchHits_.find(row.id);
  if (hit == searchHits_.end() || hit->second.first != row.revision)
    hit = searchHits_.insert_or_assign(row.id, std::make_pair(row.revision, searchQuery_.matches(searchKey(row)))).first;
  return hit->second.second;
}

int FrmVornix::shownCount() const {
  if (searchQuery_.empty()) return rows_.count();
  int n = 0;
  for (const Row& row : rows_.rows()) n += rowShown(row) ? 1 : 0;
  return n;
}

int FrmVornix::shownRow(int position) const {
  if (position < 0) return -1;
  if (searchQuery_.empty()) return position < rows_.count() ? position : -1;
  for (int i = 0; i < rows_.count(); ++i)
    if (rowShown(rows_.at(i)) && position-- == 0) return i;
  return -1;
}

int FrmVornix::shownPosition(int index) const {
  if (index < 0 || index >= rows_.count()) return -1;
  if (searchQuery_.empty()) return index;
  if (!rowShown(rows_.at(index))) return -1;
  int position = 0;
  for (int i = 0; i < index; ++i) position += rowShown(rows_.at(i)) ? 1 : 0;
  return position;
}

void FrmVornix::keepSelectionShown() {
  if (searchQuery_.empty()) return;
  const int selected = rows_.selected();
  if (selected >= 0 && rowShown(rows_.at(selected))) {
    searchSelection_ = rows_.at(selected).id;
    return;
  }
  // A change selected a row the search hides (a capture that does not match, say):
  // the user still sees the row selected before, or else the first one found.
  int index = rows_.indexOf(searchSelection_);
  if (index < 0 || !rowShown(rows_.at(index))) index = shownRow(0);
  rows_.select(index);
  searchSelection_ = index >= 0 ? rows_.at(index).id : -1;
  if (index >= 0) setClipEntry(index);
  else app_.currentClip.setClipText(Text());
  checkListStatus();
}

void FrmVornix::showRows() {
  // Keys of texts that are gone go with them: a deleted megabyte entry frees its key too.
  searchIndex_.prune(rows_);
  keepSelectionShown();
  view_.rowsChanged();
  if (searchOpen_) view_.setSearchCount(formatMessage({app_.str(kStrSearchCount), ustr::fromInt(shownCount()),
                                                       ustr::fromInt(rows_.count())}));
}

void FrmVornix::showSelection() {
  keepSelectionShown();
  view_.selectionChanged();
}

void FrmVornix::startSearch(const Text& typed) {
  if (app_.hotmenuShown) return;
  searchOpen_ = true;
  view_.showSearchField(true, typed);
  search_Change(typed);
}

void FrmVornix::search_Change(const Text& typed) {
  if (!searchOpen_) return;
  const int selected = rows_.selected();
  if (searchQuery_.empty() && selected >= 0) searchSelection_ = rows_.at(selected).id;
  searchText_ = typed;
  searchQuery_ = SearchQuery(typed);
  searchHits_.clear();
  applySearch();
}

bool FrmVornix::endSearch() {
  if (!searchOpen_) return false;
  searchOpen_ = false;
  searchText_.clear();
  searchQuery_ = SearchQuery();
  searchHits_.clear();
  view_.showSearchField(false, Text());
  view_.setSearchCount(Text());
  applySearch();
  return true;
}

void FrmVornix::applySearch() {
  showRows();
  if (rows_.selected() >= 0) view_.selectionChanged();
  const int tab = view_.currentTab();
  if (tab == kTabURL || tab == kTabEMail) {
    fillLinkList(tab);
    linkList_Click(tab);
  }
}

}  // namespace vornix
