#include "win32/text_input_dialog.h"

#include "win32/controls.h"
#include "win32/dpi.h"
#include "win32/resource.h"

namespace vornix::ui {

namespace {

// At 96 DPI.
constexpr int kMargin96 = 8;
constexpr int kGap96 = 6;
constexpr int kButtonWidth96 = 80;
constexpr int kButtonHeight96 = 24;

}  // namespace

bool TextInputDialog::run(HWND owner) { return runModal(IDD_TEXTINPUT, owner) == IDOK; }

INT_PTR TextInputDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      init();
      return FALSE;  // the focus is set already
    case WM_SIZE:
      layout();
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = minimum_.cx;
      info->ptMinTrackSize.y = minimum_.cy;
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          confirm();
          return TRUE;
        case IDCANCEL:
          EndDialog(hwnd(), IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

void TextInputDialog::init() {
  Control(hwnd()).setText(app_.str(118));
  Control(GetDlgItem(hwnd(), IDC_PROTECT)).setText(app_.str(119));
  Control(GetDlgItem(hwnd(), IDOK)).setText(app_.str(120));
  Control(GetDlgItem(hwnd(), IDCANCEL)).setText(app_.str(121));
  Button(GetDlgItem(hwnd(), IDC_PROTECT)).setChecked(protect);

  Control edit(GetDlgItem(hwnd(), IDC_TEXT));
  edit.send(EM_SETLIMITTEXT, 0);  // as much as the system allows instead of 32K
  edit.setText(text);
  edit.send(EM_SETSEL, 0, 0);

  RECT r = {};
  GetWindowRect(hwnd(), &r);
  minimum_.cx = (r.right - r.left) / 2;
  minimum_.cy = (r.bottom - r.top) / 2;
  centreOverOwner();
  layout();
  edit.focus();
}

void TextInputDialog::centreOverOwner() {
  HWND owner = GetWindow(hwnd(), GW_OWNER);
  RECT area = {}, box = {};
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &area);
  else SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(hwnd(), &box);
  const int w = box.right - box.left, h = box.bottom - box.top;
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int x = area.left + (area.right - area.left - w) / 2;
  int y = area.top + (area.bottom - area.top - h) / 2;
  // Stay on the work area even over an owner near its edge.
  if (x + w > work.right) x = work.right - w;
  if (y + h > work.bottom) y = work.bottom - h;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TextInputDialog::layout() {
  RECT c = {};
  GetClientRect(hwnd(), &c);
  const int margin = dpiScale(kMargin96), gap = dpiScale(kGap96);
  const int buttonWidth = dpiScale(kButtonWidth96), buttonHeight = dpiScale(kButtonHeight96);
  const int buttonTop = c.bottom - margin - buttonHeight;
  Control(GetDlgItem(hwnd(), IDC_TEXT)).move({margin, margin, c.right - margin, buttonTop - gap});
  const int cancelLeft = c.right - margin - buttonWidth;
  const int okLeft = cancelLeft - gap - buttonWidth;
  Control(GetDlgItem(hwnd(), IDCANCEL)).move({cancelLeft, buttonTop, cancelLeft + buttonWidth, buttonTop + buttonHeight});
  Control(GetDlgItem(hwnd(), IDOK)).move({okLeft, buttonTop, okLeft + buttonWidth, buttonTop + buttonHeight});
  Control(GetDlgItem(hwnd(), IDC_PROTECT)).move({margin, buttonTop, okLeft - gap, buttonTop + buttonHeight});
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void TextInputDialog::confirm() {
  HWND edit = GetDlgItem(hwnd(), IDC_TEXT);
  const int length = GetWindowTextLengthW(edit);
  Text value(static_cast<size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(edit, wideBuffer(value), length + 1);
  value.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  text = value;
  protect = Button(GetDlgItem(hwnd(), IDC_PROTECT)).checked();
  EndDialog(hwnd(), IDOK);
}

}  // namespace vornix::ui
