#include "win32/main/status_bar.h"

#include "win32/common/dpi.h"
#include "win32/common/resource.h"

namespace vornix::ui {

bool StatusPanels::create(HWND parent, HFONT font, const App& app) {
  bar_.attach(createControl(parent, STATUSCLASSNAMEW, Text(), WS_VISIBLE | SBARS_SIZEGRIP, 0, IDC_STBVORNIX));
  if (!bar_.hwnd()) return false;
  bar_.setFont(font);
  const Text caption = app.str(kStrClipboardLabel);
  captionWidth_ = textWidth(bar_.hwnd(), font, caption) + dpiScale(16);
  layout();
  bar_.setPartText(0, caption);
  return true;
}

void StatusPanels::layout() const {
  bar_.send(WM_SIZE);
  const int edges[2] = {captionWidth_, -1};
  bar_.setParts(2, edges);
}

}  // namespace vornix::ui
