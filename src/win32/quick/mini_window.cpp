// The mini window's life and controls: made once, shown for each stay in mini
// mode, dragged by its background, buttons that take drops, tooltips.
#include "win32/quick/mini_window.h"

#include <algorithm>

#include "core/clip/helpers.h"
#include "win32/common/dpi.h"
#include "win32/common/resource.h"
#include "win32/editor/editor_ids.h"
#include "win32/quick/mini_ids.h"
#include "win32/quick/translucency.h"

namespace vornix::ui {

namespace {

constexpr wchar_t kClassName[] = L"VornixMiniWindow";
constexpr int kGrip = 10;  // the bare strip on the left to drag the window by
constexpr int kGap = 3;
constexpr int kButtonHeight = 24;
constexpr int kMaxTipWidth = 320;

struct ButtonDef {
  int id;
  MiniButton button;
  int caption, tip;
};
constexpr ButtonDef kButtons[3] = {{IDC_MINI_CLIP, MiniButton::Clip, kStrClipButton, kStrDropHere},
                                   {IDC_MINI_EDIT, MiniButton::Edit, kStrEditButton, kStrOpenVornixEditor},
                                   {IDC_MINI_LIST, MiniButton::List, kStrListButton, kStrOpenVornixList}};

}  // namespace

MiniWindow::MiniWindow(App& app, FrmVornix& frm, MainView& mainView)
    : app_(app), frm_(frm), mainView_(mainView), drop_(app, frm, mainView, *this) {}

MiniWindow::~MiniWindow() {
  if (iconAdded_) removeTrayIcon();
  if (hwnd()) {
    for (const Button& b : buttons_) revokeDropTarget(b.hwnd());
    DestroyWindow(hwnd());
  }
}

void MiniWindow::enter() {
  if (!hwnd() && !createWindow()) return;
  drop_.load();
}

void MiniWindow::unloadAtExit() { drop_.unloadAtExit(); }

bool MiniWindow::preTranslate(MSG& message) {
  if (!hwnd() || (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd))) return false;
  try {
    if (message.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0) {
      const int command = message.wParam == 'M' ? kTrayExit : message.wParam == 'E' ? kTrayEdit
                          : message.wParam == 'V' ? kTrayPaste : kTrayNone;
      if (command != kTrayNone) {
        drop_.runTrayCommand(command, TrayMenu());
        return true;
      }
    }
    return IsDialogMessageW(hwnd(), &message) != FALSE;
  } catch (...) {
    return true;
  }
}

bool MiniWindow::createWindow() {
  smallIcon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VORNIX), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  if (!registerClass(kClassName, smallIcon_, smallIcon_)) return false;
  // A tool window: no taskbar button, the icon in the notification area stands for it.
  if (!create(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kClassName, removeAmpersand(app_.str(kStrMiniMode)),
              WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, nullptr, nullptr))
    return false;
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  return true;
}

bool MiniWindow::createControls() {
  HFONT font = messageFont();
  int x = dpiScale(kGrip);
  const int y = dpiScale(kGap);
  const int height = dpiScale(kButtonHeight);
  for (int i = 0; i < 3; ++i) {
    const Text caption = app_.str(kButtons[i].caption);
    buttons_[i].attach(createControl(hwnd(), WC_BUTTONW, caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                                     kButtons[i].id));
    if (!buttons_[i].hwnd()) return false;
    buttons_[i].setFont(font);
    const int width = std::max(textWidth(hwnd(), font, removeAmpersand(caption)) + dpiScale(16), dpiScale(44));
    MoveWindow(buttons_[i].hwnd(), x, y, width, height, FALSE);
    x += width + dpiScale(kGap);
  }
  const Text caption = app_.str(kStrInFront);
  topMost_.attach(createControl(hwnd(), WC_BUTTONW, caption, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0,
                                IDC_MINI_TOPMOST));
  if (!topMost_.hwnd()) return false;
  topMost_.setFont(font);
  const int boxWidth = textWidth(hwnd(), font, caption) + GetSystemMetrics(SM_CXMENUCHECK) + dpiScale(8);
  MoveWindow(topMost_.hwnd(), x + dpiScale(2), y, boxWidth, height, FALSE);
  x += boxWidth + dpiScale(2 * kGap);

  // The outer size follows the controls, border included.
  RECT r = {0, 0, x, height + 2 * y};
  AdjustWindowRectEx(&r, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
  SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, GetModuleHandleW(nullptr),
                             nullptr);
  if (tooltip_) SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, dpiScale(kMaxTipWidth));
  for (int i = 0; i < 3; ++i) {
    addTooltip(buttons_[i].hwnd(), kButtons[i].tip);
    const MiniButton button = kButtons[i].button;
    registerDropTarget(
        buttons_[i].hwnd(), [this] { return IsWindowVisible(hwnd()) != FALSE; },
        [this, button](Dropped dropped) {
          // Filed after the drop returns: the source program waits, and filing may ask.
          drops_.push_back({button, std::move(dropped)});
          PostMessageW(hwnd(), kMsgDrop, 0, 0);
        });
  }
  addTooltip(topMost_.hwnd(), kStrAlwaysStaysInFront);
  return true;
}

void MiniWindow::addTooltip(HWND control, int stringNumber) {
  if (!tooltip_) return;
  Text tip = app_.str(stringNumber);
  TOOLINFOW info = {};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = hwnd();
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = wideBuffer(tip);
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT MiniWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    // Explorer started again and lost every icon.
    iconAdded_ = false;
    drop_.taskbarCreated();
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      return createControls() ? 0 : -1;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      // The window has no caption: the background moves it as a caption would.
      ReleaseCapture();
      SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
      return 0;
    case WM_CONTEXTMENU:
      drop_.showTrayMenu();
      return 0;
    case kMsgTrayIcon:
      if (wParam == kTrayIconId) drop_.trayNotify(static_cast<int>(LOWORD(lParam)));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) drop_.deactivate();
      else drop_.activate();
      return defaultProc(message, wParam, lParam);
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) ShowWindow(hwnd(), SW_HIDE);
      return 0;
    case WM_CLOSE:
      drop_.closeMiniMode();
      return 0;
    case kMsgDrop:
      processDrops();
      return 0;
    default:
      return defaultProc(message, wParam, lParam);
  }
}

void MiniWindow::onCommand(int id, int code) {
  if (id == IDC_MINI_TOPMOST) {
    if (code == BN_CLICKED) drop_.chkTopMost_Click();
    return;
  }
  for (const ButtonDef& b : kButtons)
    if (id == b.id && code == BN_CLICKED) drop_.buttonClick(b.button);
}

void MiniWindow::processDrops() {
  std::vector<PendingDrop> drops;
  drops.swap(drops_);
  for (PendingDrop& d : drops) {
    if (d.dropped.isFiles) frm_.dropFiles(d.dropped.files);
    else frm_.dropText(d.dropped.text);
    drop_.dropped(d.button);
  }
}

void MiniWindow::showMainWindow(bool show) {
  HWND main = reinterpret_cast<HWND>(mainView_.handle());
  ShowWindow(main, show ? SW_SHOW : SW_HIDE);
  if (show) SetForegroundWindow(main);
}

void MiniWindow::showWindow(bool show) { ShowWindow(hwnd(), show ? SW_SHOW : SW_HIDE); }

Rect MiniWindow::windowRect() {
  RECT r = {};
  GetWindowRect(hwnd(), &r);
  return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MiniWindow::moveTo(long left, long top) {
  SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect MiniWindow::workAreaNear(const Rect& rect) {
  RECT wanted = {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
  RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  HMONITOR monitor = MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST);
  if (monitor && GetMonitorInfoW(monitor, &info)) area = info.rcWork;
  else SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return Rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
}

WindowState MiniWindow::windowState() {
  if (IsIconic(hwnd())) return WindowState::Minimized;
  if (IsZoomed(hwnd())) return WindowState::Maximized;
  return WindowState::Normal;
}

void MiniWindow::restoreWindow() {
  if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
  SetForegroundWindow(hwnd());
}

void MiniWindow::setTopMost(bool onTop) {
  SetWindowPos(hwnd(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MiniWindow::setTranslucency(int alpha) { ui::setTranslucency(hwnd(), static_cast<BYTE>(alpha)); }

void MiniWindow::makeOpaque() { ui::makeOpaque(hwnd()); }

HWND MiniWindow::editor() const {
  struct Search {
    HWND found = nullptr;
    static BOOL CALLBACK visit(HWND window, LPARAM self) {
      // The editor is the dialog with the text box and the protection box.
      if (IsWindowVisible(window) && GetDlgItem(window, IDC_ED_TEXT) && GetDlgItem(window, IDC_ED_PROTECT)) {
        reinterpret_cast<Search*>(self)->found = window;
        return FALSE;
      }
      return TRUE;
    }
  } search;
  EnumThreadWindows(GetCurrentThreadId(), &Search::visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void MiniWindow::closeEditor(bool accept) {
  if (HWND dialog = editor()) SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(accept ? IDOK : IDCANCEL, BN_CLICKED), 0);
}

}  // namespace vornix::ui
