// The tab strip `ssVornix` with its three pages: the entry list (owned by
// EntryListView) and the URL and e-mail lists `lstURL` and `lstEMail`.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "core/app/app.h"
#include "core/list/frm_vornix.h"
#include "win32/common/controls.h"

namespace vornix::ui {

class TabPages {
 public:
  TabPages(App& app, FrmVornix& frm) : app_(app), frm_(frm) {}

  bool create(HWND parent, HFONT font, HWND entryList);
  const TabControl& control() const { return tab_; }
  // Places the strip in `area` (parent coordinates) and the pages inside it.
  void layout(const RECT& area);

  int current() const;
  // Shows `tab` and its page, without reporting it as the user's choice.
  void show(int tab);
  void setItems(int tab, const std::vector<Text>& items);
  void setEnabled(int tab, bool on);
  int currentItem(int tab) const;
  // The control of the page shown, for the keyboard focus.
  HWND page() const;
  HWND sideList(int tab) const { return side(tab).hwnd(); }
  bool isSideList(HWND window) const { return window && (window == side(kTabURL).hwnd() || window == side(kTabEMail).hwnd()); }

  bool onNotify(const NMHDR* header);
  bool onCommand(int id, int code);

 private:
  const ListBox& side(int tab) const { return lists_[tab == kTabEMail ? 1 : 0]; }
  void showPage(int tab) const;

  App& app_;
  FrmVornix& frm_;
  TabControl tab_;
  ListBox lists_[2];
  HWND entryList_ = nullptr;
  HFONT font_ = nullptr;
  int quiet_ = 0;
};

}  // namespace vornix::ui
