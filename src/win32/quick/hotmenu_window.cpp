#include "win32/quick/hotmenu_window.h"

#include "win32/common/dpi.h"
#include "win32/quick/quick_ids.h"

namespace vornix::ui {

namespace {

constexpr wchar_t kClassName[] = L"VornixHotMenu";
constexpr char16_t kCaption[] = u"Vornix Hot Menu";
constexpr int kWidth96 = 380, kHeight96 = 260;
constexpr int kLinePadding96 = 4, kTextIndent96 = 3, kSeparator96 = 5;

}  // namespace

HotmenuWindow::HotmenuWindow(App& app, FrmVornix& frm, MainView& main, QuickAccess& quick,
                             platform::Keyboard& keyboard)
    : menu_(app, frm, main, quick, keyboard, *this) {}

HotmenuWindow::~HotmenuWindow() {
  closing_ = true;
  if (hwnd()) DestroyWindow(hwnd());
}

bool HotmenuWindow::open() {
  if (hwnd() || !registerClass(kClassName, nullptr, nullptr)) return false;
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (!create(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, kCaption, style, nullptr, nullptr))
    return false;
  SetWindowPos(hwnd(), nullptr, 0, 0, dpiScale(kWidth96), dpiScale(kHeight96), SWP_NOZORDER | SWP_NOACTIVATE);
  layout();
  // The target window is read before this window takes the front.
  menu_.load();
  if (!hwnd()) return false;
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  list_.focus();
  return true;
}

bool HotmenuWindow::createControls() {
  status_.attach(createControl(hwnd(), STATUSCLASSNAMEW, Text(), WS_VISIBLE, 0, IDC_STBHOTMENU));
  // Drawn by the window, for the line under the clipboard's text; the list keeps the strings.
  list_.attach(createControl(hwnd(), L"LISTBOX", Text(),
                             WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                                 LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS,
                             WS_EX_CLIENTEDGE, IDC_LSTHOTMENU));
  if (!status_.hwnd() || !list_.hwnd()) return false;
  status_.setFont(messageFont());
  list_.setFont(messageFont());
  // The list's keys, mouse, scrolling and focus all count for the menu.
  SetWindowLongPtrW(list_.hwnd(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  listOwnProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(list_.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HotmenuWindow::listProc)));
  return listOwnProc_ != nullptr;
}

void HotmenuWindow::layout() {
  RECT client = {};
  GetClientRect(hwnd(), &client);
  status_.send(WM_SIZE);
  const int statusHeight = status_.height();
  MoveWindow(list_.hwnd(), 0, 0, client.right, client.bottom - statusHeight, TRUE);
}

Rect HotmenuWindow::windowRect() {
  RECT r = {};
  GetWindowRect(hwnd(), &r);
  return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Rect HotmenuWindow::screenAt(const platform::Point& at) {
  const POINT point = {at.x, at.y};
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
  if (monitor && GetMonitorInfoW(monitor, &info)) {
    const RECT& m = info.rcMonitor;
    return Rect{m.left, m.top, m.right - m.left, m.bottom - m.top};
  }
  return Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void HotmenuWindow::moveTo(long left, long top) {
  SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HotmenuWindow::setTopMost(bool onTop) {
  SetWindowPos(hwnd(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void HotmenuWindow::setLines(const std::vector<HotmenuLine>& lines) {
  list_.setRedraw(false);
  list_.clear();
  clipboardLine_ = !lines.empty() && lines.front().clipboard;
  for (const HotmenuLine& line : lines) {
    const int index = list_.add(line.text);
    if (index >= 0) list_.send(LB_SETITEMDATA, index, line.value);
  }
  list_.setRedraw(true);
  list_.invalidate();
}

int HotmenuWindow::lineHeight() const {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, messageFont());
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // Room above and below the text.
  return metrics.tmHeight + dpiScale(kLinePadding96);
}

void HotmenuWindow::drawLine(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  RECT r = item.rcItem;
  if (clipboardLine_ && item.itemID == 0) {
    // Under the clipboard's line, apart from its selection: a line across the list.
    RECT band = r;
    band.top = r.bottom - dpiScale(kSeparator96);
    r.bottom = band.top;
    FillRect(item.hDC, &band, GetSysColorBrush(COLOR_WINDOW));
    RECT line = {band.left, (band.top + band.bottom) / 2, band.right, (band.top + band.bottom) / 2 + 1};
    FillRect(item.hDC, &line, GetSysColorBrush(COLOR_GRAYTEXT));
  }
  FillRect(item.hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int length = static_cast<int>(list_.send(LB_GETTEXTLEN, item.itemID));
  if (length > 0) {
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    list_.send(LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    HGDIOBJ old = SelectObject(item.hDC, messageFont());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textRect = r;
    textRect.left += dpiScale(kTextIndent96);
    DrawTextW(item.hDC, text.data(), -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(item.hDC, old);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &r);
}

void HotmenuWindow::setStatus(const Text& text) { status_.setPartText(0, text); }

void HotmenuWindow::selectLine(int line) { list_.send(LB_SETCURSEL, line); }

void HotmenuWindow::setCheckTimer(bool on) {
  if (on) SetTimer(hwnd(), kCheckTimer, 5000, nullptr);
  else KillTimer(hwnd(), kCheckTimer);
}

void HotmenuWindow::setPickTimer(bool on) {
  if (on) SetTimer(hwnd(), kPickTimer, 250, nullptr);
  else KillTimer(hwnd(), kPickTimer);
}

void HotmenuWindow::close() {
  if (closing_ || !hwnd()) return;
  closing_ = true;
  DestroyWindow(hwnd());
  closing_ = false;
}

LRESULT HotmenuWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return createControls() ? 0 : -1;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure->CtlType != ODT_LISTBOX) return FALSE;
      const bool separated = clipboardLine_ && measure->itemID == 0;
      measure->itemHeight = static_cast<UINT>(lineHeight() + (separated ? dpiScale(kSeparator96) : 0));
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlType != ODT_LISTBOX) return FALSE;
      drawLine(*draw);
      return TRUE;
    }
    case WM_SIZE:
      layout();
      return 0;
    case WM_SETFOCUS:
      list_.focus();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_LSTHOTMENU && HIWORD(wParam) == LBN_DBLCLK) menu_.lstHotmenu_DblClick();
      return 0;
    case WM_TIMER:
      if (wParam == kCheckTimer) menu_.timCheckState_Timer();
      else if (wParam == kPickTimer) menu_.timHotmenu_Timer();
      return 0;
    case WM_CLOSE:
      menu_.unload();
      return 0;
    case WM_DESTROY:
      // Gone by other means than the menu's own close: the menu ends with it.
      if (!closing_) {
        closing_ = true;
        menu_.unload();
        closing_ = false;
      }
      return 0;
    default:
      return defaultProc(message, wParam, lParam);
  }
}

LRESULT CALLBACK HotmenuWindow::listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<HotmenuWindow*>(GetWindowLongPtrW(list, GWLP_USERDATA));
  if (!self) return DefWindowProcW(list, message, wParam, lParam);
  try {
    return self->onListMessage(message, wParam, lParam);
  } catch (...) {
    return CallWindowProcW(self->listOwnProc_, list, message, wParam, lParam);
  }
}

LRESULT HotmenuWindow::onListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND list = list_.hwnd();
  const WNDPROC own = listOwnProc_;
  switch (message) {
    case WM_KEYUP: {
      const int key = wParam == VK_RETURN ? FrmHotmenu::kKeyEnter
                      : wParam == VK_SPACE ? FrmHotmenu::kKeySpace
                      : wParam == VK_ESCAPE ? FrmHotmenu::kKeyEsc
                                            : static_cast<int>(wParam);
      // The window may be gone after this: nothing of it is touched afterwards.
      menu_.lstHotmenu_KeyUp(key);
      return 0;
    }
    case WM_RBUTTONDOWN:
      menu_.lstHotmenu_RightButtonDown();
      return 0;
    case WM_KILLFOCUS: {
      const LRESULT result = CallWindowProcW(own, list, message, wParam, lParam);
      if (!IsChild(hwnd(), reinterpret_cast<HWND>(wParam))) menu_.lstHotmenu_LostFocus();
      return result;
    }
    case WM_KEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
      menu_.activity();
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
      SetWindowLongPtrW(list, GWLP_USERDATA, 0);
      return CallWindowProcW(own, list, message, wParam, lParam);
    default:
      break;
  }
  return CallWindowProcW(own, list, message, wParam, lParam);
}

}  // namespace vornix::ui
