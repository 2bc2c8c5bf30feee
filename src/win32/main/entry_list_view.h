// The list view `lvItems`: mirrors the logic's entry rows (texts on demand,
// check boxes, selection) and turns the user's actions on it into events.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "core/app/app.h"
#include "core/list/frm_vornix.h"
#include "win32/common/controls.h"

namespace vornix::ui {

class EntryListView {
 public:
  // Posted to the parent after the user cleared a row's selection; the list may
  // select another row right after, so the selection is read once that is done.
  static constexpr UINT kMsgCheckSelection = WM_APP + 1;
  // Posted to the parent when a hidden sort-key column was widened.
  static constexpr UINT kMsgHideKeyColumns = WM_APP + 2;

  EntryListView(App& app, FrmVornix& frm) : app_(app), frm_(frm) {}

  bool create(HWND parent, HFONT font);
  const ListView& control() const { return list_; }

  // Shows the rows, check boxes and selection of the logic's model.
  void mirror();
  // Shows the model's selection and scrolls it into view.
  void showSelection();
  // While the clipboard changes, rows are added without drawing: drawing them
  // keeps the process busy beyond the next change. resumeDrawing shows them all.
  void holdDrawing();
  void resumeDrawing();
  // Gives the content column the width the other columns leave.
  void fitContentColumn();
  void hideKeyColumns();
  void setHoverSelection(bool on);
  void checkSelection();

  // A WM_NOTIFY from the list or its header; true when handled, with `result`.
  bool onNotify(const NMHDR* header, LRESULT& result);

 private:
  void applySelection(int selected);
  void fillDisplayInfo(NMLVDISPINFOW* info) const;
  void onItemChanged(const NMLISTVIEW* change);

  App& app_;
  FrmVornix& frm_;
  ListView list_;
  // Nonzero while the program itself changes the list: its notifications are no user's.
  int quiet_ = 0;
  bool held_ = false;
  bool painting_ = false;  // the list is drawing its rows
};

}  // namespace vornix::ui
