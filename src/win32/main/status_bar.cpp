#include "win32/main/status_bar.h"

#include "win32/common/dpi.h"
#include "win32/common/resource.h"

namespace vornix::ui {

bool StatusPanels::create(HWND parent, HFONT font, const App& app) {
  bar_.attach(createControl(parent, STATUSCLASSNAMEW, Text(), WS_VISIBLE | SBARS_SIZEGRIP, 0, IDC_STBVORNIX));
  if (!bar_.hwnd()) return false;
  bar_.setFont(font);
  font_ = font;
  const Text caption = app.str(kStrClipboardLabel);
  captionWidth_ = textWidth(bar_.hwnd(), font, caption) + dpiScale(16);
  layout();
  bar_.setPartText(0, caption);
  return true;
}

void StatusPanels::layout() const {
  bar_.send(WM_SIZE);
  RECT client = {};
  GetClientRect(bar_.hwnd(), &client);
  // The size grip sits in the last panel: the count keeps clear of it.
  const int right = client.right - GetSystemMetrics(SM_CXVSCROLL);
  if (countWidth_ > 0 && right - countWidth_ > captionWidth_) {
    const int edges[3] = {captionWidth_, right - countWidth_, -1};
    bar_.setParts(3, edges);
    bar_.setPartText(2, count_);
  } else {
    const int edges[2] = {captionWidth_, -1};
    bar_.setParts(2, edges);
  }
  bar_.setPartText(1, clipboard_);
}

void StatusPanels::setSearchCount(const Text& count) {
  count_ = count;
  countWidth_ = count.empty() ? 0 : textWidth(bar_.hwnd(), font_, count) + dpiScale(24);
  layout();
}

}  // namespace vornix::ui
