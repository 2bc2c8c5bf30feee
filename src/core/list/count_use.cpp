// One use of an entry handed out from outside the main window.
#include "base/ustr.h"
#include "core/clip/helpers.h"
#include "core/list/frm_vornix.h"

namespace vornix {

void FrmVornix::countUse(int rowId) {
  int index = rows_.indexOf(rowId);
  if (index < 0) return;
  const long quant = rowCounter(index);
  if (quant < 2147483647) refreshCounter(index, quant + 1);
  index = rows_.indexOf(rowId);
  rows_.select(index);
  view_.selectionChanged();
}

}  // namespace vornix
