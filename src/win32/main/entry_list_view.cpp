#include "win32/main/entry_list_view.h"

#include <algorithm>
#include <cstdlib>

#include "core/clip/helpers.h"
#include "win32/common/dpi.h"
#include "win32/common/resource.h"

namespace vornix::ui {

namespace {

constexpr int kColumnTitles[] = {kStrCounter, kStrContent, kStrType, kStrDate};
constexpr int kKeyColumnFirst = kColDateSort;
// At 96 DPI: room the list keeps around a cell's text, the gap after the check
// box beside the counter, and the first width of the content column.
constexpr int kCellPadding96 = 14;
constexpr int kCheckBoxGap96 = 2;
constexpr int kContentWidth96 = 200;
// The allowance beside the scroll bar that keeps the last column clear of it.
constexpr int kRightAllowance96 = 4;
// Rows added or removed at once up to which the list keeps drawing as it changes.
constexpr int kQuietDrawRows = 2;

UINT checkState(bool checked) { return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1); }

// The check boxes are the list's state images; their size follows the screen on some systems only.
int checkBoxWidth(const ListView& list) {
  int cx = 0, cy = 0;
  HIMAGELIST states = reinterpret_cast<HIMAGELIST>(list.send(LVM_GETIMAGELIST, LVSIL_STATE));
  if (!states || !ImageList_GetIconSize(states, &cx, &cy) || cx <= 0) cx = GetSystemMetrics(SM_CXSMICON);
  return cx + dpiScale(kCheckBoxGap96);
}

}  // namespace

bool EntryListView::create(HWND parent, HFONT font) {
  const DWORD style = WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
  list_.attach(createControl(parent, WC_LISTVIEWW, Text(), style, WS_EX_CLIENTEDGE, IDC_LVITEMS));
  if (!list_.hwnd()) return false;
  list_.setFont(font);
  list_.setExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);

  // Columns fit their texts: the counter beside the check box, the type names and a date of this locale.
  const HWND w = list_.hwnd();
  const int counter =
      std::max(textWidth(w, font, app_.str(kStrCounter)), textWidth(w, font, u"000000")) + checkBoxWidth(list_);
  int type = textWidth(w, font, app_.str(kStrType));
  for (const Text& name : {Text(u"URL"), Text(u"E-Mail"), app_.textTypeName})
    type = std::max(type, textWidth(w, font, name));
  const Text sampleDate = app_.sys.locale.dateText(app_.sys.clock.now());
  const int date = std::max(textWidth(w, font, app_.str(kStrDate)), textWidth(w, font, sampleDate));
  const int padding = dpiScale(kCellPadding96);
  const int widths[kColumnCount] = {counter + padding, dpiScale(kContentWidth96), type + padding, date + padding, 0, 0};

  for (int c = 0; c < kColumnCount; ++c) {
    Text title = c < kKeyColumnFirst ? app_.str(kColumnTitles[c]) : Text();
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = widths[c];
    column.pszText = const_cast<wchar_t*>(wide(title));
    column.iSubItem = c;
    list_.insertColumn(c, column);
  }
  return true;
}

void EntryListView::mirror() {
  if (!list_.hwnd()) return;
  Quiet quiet(quiet_);
  const EntryRows& rows = frm_.rows();
  const int wanted = rows.count();
  int have = list_.itemCount();
  // Switching the drawing off and on again repaints the whole list at once, which
  // costs more than the one row a capture adds: only a larger change is worth it.
  const bool bulk = !held_ && std::abs(wanted - have) > kQuietDrawRows;
  if (bulk) list_.setRedraw(false);
  while (have > wanted) list_.deleteItem(--have);
  for (; have < wanted; ++have) {
    // Texts are handed out on request (LVN_GETDISPINFO), so a huge entry is never copied into the list.
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_STATE;
    item.iItem = have;
    item.pszText = LPSTR_TEXTCALLBACKW;
    item.state = checkState(false);
    item.stateMask = LVIS_STATEIMAGEMASK;
    const int index = list_.insertItem(item);
    for (int c = 1; c < kColumnCount && index >= 0; ++c) {
      LVITEMW sub = {};
      sub.iSubItem = c;
      sub.pszText = LPSTR_TEXTCALLBACKW;
      list_.send(LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&sub));
    }
  }
  for (int i = 0; i < wanted; ++i) list_.setItemState(i, checkState(rows.at(i).checked), LVIS_STATEIMAGEMASK);
  applySelection(rows.selected());
  if (bulk) list_.setRedraw(true);
  list_.invalidate();
}

void EntryListView::showSelection() {
  if (!list_.hwnd()) return;
  Quiet quiet(quiet_);
  const int selected = frm_.rows().selected();
  applySelection(selected);
  if (selected >= 0 && selected < list_.itemCount()) list_.ensureVisible(selected);
}

void EntryListView::holdDrawing() {
  if (held_ || !list_.hwnd()) return;
  list_.setRedraw(false);
  held_ = true;
}

void EntryListView::resumeDrawing() {
  if (!held_) return;
  held_ = false;
  list_.setRedraw(true);
  list_.invalidate();
}

void EntryListView::applySelection(int selected) {
  const int count = list_.itemCount();
  for (int i = 0; i < count; ++i) {
    if (i == selected) {
      list_.setItemState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    } else if (list_.itemState(i, LVIS_SELECTED)) {
      list_.setItemState(i, 0, LVIS_SELECTED);
    }
  }
}

void EntryListView::fitContentColumn() {
  if (!list_.hwnd()) return;
  const int others = list_.columnWidth(kColCounter) + list_.columnWidth(kColType) + list_.columnWidth(kColDate) +
                     GetSystemMetrics(SM_CXVSCROLL) + dpiScale(kRightAllowance96);
  const int total = list_.width();
  if (total > others) list_.setColumnWidth(kColContent, total - others);
}

void EntryListView::hideKeyColumns() {
  for (int c = kKeyColumnFirst; c < kColumnCount; ++c)
    if (list_.columnWidth(c) != 0) list_.setColumnWidth(c, 0);
}

void EntryListView::setHoverSelection(bool on) {
  list_.setExtendedStyle(LVS_EX_TRACKSELECT, on ? LVS_EX_TRACKSELECT : 0);
}

void EntryListView::checkSelection() {
  const int shown = list_.nextItem(-1, LVNI_SELECTED);
  if (shown != frm_.rows().selected()) frm_.lvItems_Select(shown);
}

bool EntryListView::onNotify(const NMHDR* header, LRESULT& result) {
  result = 0;
  if (header->hwndFrom == list_.header()) {
    const auto* h = reinterpret_cast<const NMHEADERW*>(header);
    switch (header->code) {
      case HDN_BEGINTRACKW:
      case HDN_BEGINTRACKA:
        // The sort keys stay hidden: their dividers are not for dragging.
        result = h->iItem >= kKeyColumnFirst ? TRUE : FALSE;
        return true;
      case HDN_ITEMCHANGEDW:
      case HDN_ITEMCHANGEDA:
        if (h->iItem >= kKeyColumnFirst && list_.columnWidth(h->iItem) != 0)
          PostMessageW(GetParent(list_.hwnd()), kMsgHideKeyColumns, 0, 0);
        return false;
      default:
        return false;
    }
  }
  if (header->hwndFrom != list_.hwnd()) return false;
  switch (header->code) {
    case NM_CUSTOMDRAW: {
      // Texts asked for between the start and the end of a painting are drawn:
      // they get their one-line form. Anyone else asking gets the whole text.
      const DWORD stage = reinterpret_cast<const NMCUSTOMDRAW*>(header)->dwDrawStage;
      if (stage == CDDS_PREPAINT) {
        painting_ = true;
        result = CDRF_NOTIFYPOSTPAINT;
        return true;
      }
      if (stage == CDDS_POSTPAINT) painting_ = false;
      return stage == CDDS_POSTPAINT;
    }
    case LVN_GETDISPINFOW:
      fillDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header)));
      return true;
    case LVN_ITEMCHANGED:
      onItemChanged(reinterpret_cast<const NMLISTVIEW*>(header));
      return true;
    case NM_CLICK: {
      const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
      if (!quiet_ && click->iItem >= 0) frm_.lvItems_ItemClick(click->iItem);
      return true;
    }
    case NM_DBLCLK:
      if (!quiet_) frm_.lvItems_DblClick();
      return true;
    case LVN_COLUMNCLICK:
      frm_.lvItems_ColumnClick(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem + 1);
      return true;
    default:
      return false;
  }
}

void EntryListView::fillDisplayInfo(NMLVDISPINFOW* info) const {
  if (!(info->item.mask & LVIF_TEXT)) return;
  const EntryRows& rows = frm_.rows();
  const int row = info->item.iItem, column = info->item.iSubItem;
  if (row < 0 || row >= rows.count() || column < 0 || column >= kColumnCount) {
    copyToBuffer(Text(), info->item.pszText, info->item.cchTextMax);
    return;
  }
  const Text& cell = rows.at(row).cells[column];
  if (painting_ && column == kColContent && info->item.cchTextMax > 0) {
    copyToBuffer(flattenLine(cell, static_cast<size_t>(info->item.cchTextMax)), info->item.pszText, info->item.cchTextMax);
    return;
  }
  copyToBuffer(cell, info->item.pszText, info->item.cchTextMax);
}

void EntryListView::onItemChanged(const NMLISTVIEW* change) {
  if (quiet_ || !(change->uChanged & LVIF_STATE)) return;
  const UINT changed = change->uNewState ^ change->uOldState;
  // A state image appearing for the first time is the list setting up a row, not a click.
  if (change->iItem >= 0 && (changed & LVIS_STATEIMAGEMASK) && (change->uOldState & LVIS_STATEIMAGEMASK)) {
    const bool checked = (change->uNewState & LVIS_STATEIMAGEMASK) == checkState(true);
    if (change->iItem < frm_.rows().count() && frm_.rows().at(change->iItem).checked != checked)
      frm_.lvItems_ItemCheck(change->iItem, checked);
  }
  if (changed & LVIS_SELECTED) {
    if (change->iItem >= 0 && (change->uNewState & LVIS_SELECTED)) {
      if (frm_.rows().selected() != change->iItem) frm_.lvItems_Select(change->iItem);
    } else {
      PostMessageW(GetParent(list_.hwnd()), kMsgCheckSelection, 0, 0);
    }
  }
}

}  // namespace vornix::ui
