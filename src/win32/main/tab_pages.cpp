#include "win32/main/tab_pages.h"

#include <algorithm>

#include "win32/common/dpi.h"
#include "win32/common/resource.h"

namespace vornix::ui {

namespace {

// Side-list items show at most this much of an entry; the logic finds the entry
// by the item's position, so the cut never matters for selecting it.
constexpr size_t kMaxItemText = 1024;

int tabOfList(int id) { return id == IDC_LSTURL ? kTabURL : id == IDC_LSTEMAIL ? kTabEMail : -1; }

}  // namespace

bool TabPages::create(HWND parent, HFONT font, HWND entryList) {
  entryList_ = entryList;
  font_ = font;
  tab_.attach(createControl(parent, WC_TABCONTROLW, Text(), WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, IDC_SSVORNIX));
  if (!tab_.hwnd()) return false;
  tab_.setFont(font);
  const int titles[] = {kStrList, kStrURL, kStrEMail};
  for (int t = 0; t < 3; ++t) tab_.insertTab(t, app_.str(titles[t]));

  const DWORD style = WS_TABSTOP | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  const int ids[] = {IDC_LSTURL, IDC_LSTEMAIL};
  for (int i = 0; i < 2; ++i) {
    lists_[i].attach(createControl(parent, WC_LISTBOXW, Text(), style, WS_EX_CLIENTEDGE, ids[i]));
    if (!lists_[i].hwnd()) return false;
    lists_[i].setFont(font);
    lists_[i].enable(false);
  }
  // The strip lies under its pages: siblings created later would otherwise be drawn over by it.
  SetWindowPos(tab_.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  showPage(kTabList);
  return true;
}

void TabPages::layout(const RECT& area) {
  tab_.move(area);
  RECT page = area;
  tab_.pageRect(page);
  Control(entryList_).move(page);
  for (const ListBox& list : lists_) list.move(page);
}

int TabPages::current() const {
  const int tab = tab_.current();
  return tab < 0 ? kTabList : tab;
}

void TabPages::show(int tab) {
  if (tab < kTabList || tab > kTabEMail) return;
  Quiet quiet(quiet_);
  tab_.setCurrent(tab);
  showPage(tab);
}

void TabPages::showPage(int tab) const {
  // Hiding the focused page hands the focus to the main window, which passes it to the page shown.
  Control(entryList_).show(tab == kTabList);
  side(kTabURL).show(tab == kTabURL);
  side(kTabEMail).show(tab == kTabEMail);
}

void TabPages::setItems(int tab, const std::vector<Text>& items) {
  if (tab != kTabURL && tab != kTabEMail) return;
  Quiet quiet(quiet_);
  const ListBox& list = side(tab);
  list.setRedraw(false);
  list.clear();
  int widest = 0;
  for (const Text& item : items) {
    const Text shown = item.size() > kMaxItemText ? item.substr(0, kMaxItemText) : item;
    list.add(shown);
    widest = std::max(widest, textWidth(list.hwnd(), font_, shown));
  }
  list.send(LB_SETHORIZONTALEXTENT, widest + dpiScale(8));
  list.setRedraw(true);
  list.invalidate();
}

void TabPages::setEnabled(int tab, bool on) {
  if (tab != kTabURL && tab != kTabEMail) return;
  Quiet quiet(quiet_);
  side(tab).enable(on);
}

int TabPages::currentItem(int tab) const {
  if (tab != kTabURL && tab != kTabEMail) return -1;
  return side(tab).current();
}

HWND TabPages::page() const {
  const int tab = current();
  if (tab == kTabList) return entryList_;
  const ListBox& list = side(tab);
  return list.enabled() ? list.hwnd() : tab_.hwnd();
}

bool TabPages::onNotify(const NMHDR* header) {
  if (header->hwndFrom != tab_.hwnd() || header->code != TCN_SELCHANGE) return false;
  if (quiet_) return true;
  const int tab = current();
  {
    Quiet quiet(quiet_);
    showPage(tab);
  }
  frm_.ssVornix_Click(tab);
  // Keys stay on the strip when it has them; a focus lost with the old page goes to the new one.
  HWND focus = GetFocus();
  if (current() == tab && (!focus || !IsWindowVisible(focus) || !IsWindowEnabled(focus))) SetFocus(page());
  return true;
}

bool TabPages::onCommand(int id, int code) {
  const int tab = tabOfList(id);
  if (tab < 0) return false;
  if (quiet_) return true;
  switch (code) {
    case LBN_SELCHANGE:
      frm_.linkList_Click(tab);
      break;
    case LBN_DBLCLK:
      frm_.linkList_DblClick(tab);
      break;
    case LBN_SETFOCUS:
      frm_.linkList_Focus(tab, true);
      break;
    case LBN_KILLFOCUS:
      frm_.linkList_Focus(tab, false);
      break;
    default:
      break;
  }
  return true;
}

}  // namespace vornix::ui
