// The main window's controls and their places: toolbar on top, the tab strip
// with its pages filling the middle, the "stay in front" box under it on the
// right, the status bar at the bottom.
#include <algorithm>

#include "core/app/twips.h"
#include "core/clip/helpers.h"
#include "core/list/main_geometry.h"
#include "win32/common/dpi.h"
#include "win32/common/resource.h"
#include "win32/main/main_window.h"

namespace vornix::ui {

namespace {

constexpr int kMargin96 = 4;

int minWidth() { return static_cast<int>(twipsToPixels(kMainMinWidthTwips, systemDpi())); }
int minHeight() { return static_cast<int>(twipsToPixels(kMainMinHeightTwips, systemDpi())); }

}  // namespace

bool MainWindow::createControls() {
  if (!toolbar_.create(hwnd(), font_, app_) || !list_.create(hwnd(), font_) ||
      !tabs_.create(hwnd(), font_, list_.control().hwnd()) || !status_.create(hwnd(), font_, app_))
    return false;

  const Text caption = app_.str(kStrStayInFront);
  topMost_.attach(createControl(hwnd(), WC_BUTTONW, caption, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0,
                                IDC_CHKTOPMOST));
  if (!topMost_.hwnd()) return false;
  topMost_.setFont(font_);
  topMostSize_.cx = textWidth(hwnd(), font_, removeAmpersand(caption)) + GetSystemMetrics(SM_CXMENUCHECK) + dpiScale(12);
  topMostSize_.cy = std::max(fontHeight(hwnd(), font_), static_cast<int>(GetSystemMetrics(SM_CYMENUCHECK))) + dpiScale(6);

  auto allowed = [this] { return !draggingOut_ && IsWindowEnabled(hwnd()); };
  auto handler = [this](Dropped dropped) { queueDrop(std::move(dropped)); };
  registerDropTarget(list_.control().hwnd(), allowed, handler);
  for (int tab : {kTabURL, kTabEMail}) registerDropTarget(tabs_.sideList(tab), allowed, handler);
  return true;
}

void MainWindow::layout() {
  RECT client = {};
  GetClientRect(hwnd(), &client);
  if (client.right <= 0 || client.bottom <= 0 || !topMost_.hwnd()) return;  // minimized, or still being built
  const int margin = dpiScale(kMargin96);

  // A wrapping toolbar grows a row when the window gets narrow. It wraps to the
  // width it had before the call, so the second call wraps to the new width.
  toolbar_.control().autoSize();
  toolbar_.control().autoSize();
  const int top = toolbar_.control().rectInParent().bottom;
  status_.layout();
  const int statusTop = client.bottom - status_.control().height();

  const int boxTop = statusTop - margin / 2 - topMostSize_.cy;
  const int boxLeft = client.right - margin - topMostSize_.cx;
  topMost_.move({boxLeft > margin ? boxLeft : margin, boxTop, client.right - margin, boxTop + topMostSize_.cy});

  tabs_.layout({margin, top + margin / 2, client.right - margin, boxTop - margin / 2});
  if (app_.startupFlag || app_.options.isOn(kAutoSizeList)) list_.fitContentColumn();
}

void MainWindow::onMinMaxInfo(MINMAXINFO* info) const {
  info->ptMinTrackSize.x = minWidth();
  info->ptMinTrackSize.y = minHeight();
}

WindowState MainWindow::windowState() {
  if (IsIconic(hwnd())) return WindowState::Minimized;
  if (IsZoomed(hwnd())) return WindowState::Maximized;
  return WindowState::Normal;
}

bool MainWindow::isVisible() { return IsWindowVisible(hwnd()) != FALSE; }

namespace {

Rect toRect(const RECT& r) {
  Rect result;
  result.left = r.left;
  result.top = r.top;
  result.width = r.right - r.left;
  result.height = r.bottom - r.top;
  return result;
}

}  // namespace

Rect MainWindow::windowRect() {
  RECT r = {};
  GetWindowRect(hwnd(), &r);
  return toRect(r);
}

void MainWindow::setWindowRect(const Rect& rect) {
  const int width = rect.width < minWidth() ? minWidth() : static_cast<int>(rect.width);
  const int height = rect.height < minHeight() ? minHeight() : static_cast<int>(rect.height);
  SetWindowPos(hwnd(), nullptr, static_cast<int>(rect.left), static_cast<int>(rect.top), width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect MainWindow::screenRect() {
  RECT work = {};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
    work.right = GetSystemMetrics(SM_CXSCREEN);
    work.bottom = GetSystemMetrics(SM_CYSCREEN);
  }
  return toRect(work);
}

void MainWindow::setTopMost(bool onTop) {
  SetWindowPos(hwnd(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace vornix::ui
