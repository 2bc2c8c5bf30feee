#include "win32/quick/osd_window.h"

#include <algorithm>

#include "win32/common/dpi.h"
#include "win32/quick/translucency.h"

namespace vornix::ui {

namespace {

constexpr wchar_t kClassName[] = L"VornixOnScreenDisplay";
constexpr int kFontHeight = 22;
constexpr int kPadding = 8;
constexpr int kScreenMargin = 48;
constexpr BYTE kAlpha = 230;
constexpr COLORREF kBackground = RGB(16, 16, 16);

}  // namespace

OsdWindow::~OsdWindow() {
  if (hwnd()) DestroyWindow(hwnd());
  if (font_) DeleteObject(font_);
}

bool OsdWindow::createWindow() {
  if (!registerClass(kClassName, nullptr, nullptr)) return false;
  // Never activated, never in the taskbar; layered and transparent lets clicks through.
  const DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
  if (!create(exStyle, kClassName, Text(), WS_POPUP, nullptr, nullptr)) return false;
  setTranslucency(hwnd(), kAlpha);

  LOGFONTW font = {};
  GetObjectW(messageFont(), sizeof(font), &font);
  font.lfHeight = -dpiScale(kFontHeight);
  font.lfWeight = FW_BOLD;
  font_ = CreateFontIndirectW(&font);
  HDC dc = GetDC(hwnd());
  HGDIOBJ old = SelectObject(dc, font_ ? font_ : messageFont());
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(hwnd(), dc);
  lineHeight_ = metrics.tmHeight > 0 ? metrics.tmHeight : dpiScale(kFontHeight);
  return true;
}

RECT OsdWindow::workArea() const {
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

int OsdWindow::textWidthLimit() const {
  const RECT work = workArea();
  return std::max(static_cast<int>(work.right - work.left) - 2 * dpiScale(kScreenMargin) - 2 * dpiScale(kPadding), 1);
}

bool OsdWindow::fitsOnLine(const Text& line) {
  if (!hwnd() && !createWindow()) return true;
  HDC dc = GetDC(hwnd());
  if (!dc) return true;
  HGDIOBJ old = SelectObject(dc, font_ ? font_ : messageFont());
  SIZE size = {};
  const BOOL measured = GetTextExtentPoint32W(dc, wide(line), static_cast<int>(line.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd(), dc);
  return !measured || size.cx <= textWidthLimit();
}

void OsdWindow::showText(const std::vector<Text>& lines, std::uint32_t colour) {
  if (!hwnd() && !createWindow()) return;
  lines_ = lines;
  colour_ = static_cast<COLORREF>(colour);

  const RECT work = workArea();
  const int margin = dpiScale(kScreenMargin), pad = dpiScale(kPadding);
  const int maxWidth = textWidthLimit() + 2 * pad;

  HDC dc = GetDC(hwnd());
  HGDIOBJ old = SelectObject(dc, font_ ? font_ : messageFont());
  int textWidth = 0;
  for (const Text& line : lines_) {
    SIZE size = {};
    GetTextExtentPoint32W(dc, wide(line), static_cast<int>(line.size()), &size);
    textWidth = std::max(textWidth, static_cast<int>(size.cx));
  }
  SelectObject(dc, old);
  ReleaseDC(hwnd(), dc);

  const int width = std::min(textWidth + 2 * pad, maxWidth);
  const int height = static_cast<int>(lines_.size()) * lineHeight_ + 2 * pad;
  int left = (work.left + work.right - width) / 2;
  if (config_.align == OsdAlign::Left) left = work.left + margin;
  if (config_.align == OsdAlign::Right) left = work.right - margin - width;
  const int top = work.bottom - margin - height;

  Text title;
  for (const Text& line : lines_) title += (title.empty() ? u"" : u"\n") + line;
  SetWindowTextW(hwnd(), wide(title));
  SetWindowPos(hwnd(), HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(hwnd(), nullptr, TRUE);
  SetTimer(hwnd(), kHideTimer, static_cast<UINT>(config_.seconds) * 1000u, nullptr);
}

void OsdWindow::hideOSD() {
  if (!hwnd()) return;
  KillTimer(hwnd(), kHideTimer);
  ShowWindow(hwnd(), SW_HIDE);
}

LRESULT OsdWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_TIMER:
      if (wParam == kHideTimer) hideOSD();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      // Where layered windows are missing, clicks still go to what lies below.
      return HTTRANSPARENT;
    default:
      return defaultProc(message, wParam, lParam);
  }
}

void OsdWindow::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  if (!dc) return;
  RECT client = {};
  GetClientRect(hwnd(), &client);
  HBRUSH background = CreateSolidBrush(kBackground);
  HBRUSH frame = CreateSolidBrush(colour_);
  if (background) FillRect(dc, &client, background);
  if (frame) FrameRect(dc, &client, frame);
  HGDIOBJ old = SelectObject(dc, font_ ? font_ : messageFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour_);
  const int pad = dpiScale(kPadding);
  const UINT align = config_.align == OsdAlign::Left ? DT_LEFT : config_.align == OsdAlign::Right ? DT_RIGHT : DT_CENTER;
  RECT line = {client.left + pad, client.top + pad, client.right - pad, client.top + pad + lineHeight_};
  for (const Text& text : lines_) {
    DrawTextW(dc, wide(text), static_cast<int>(text.size()), &line,
              align | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_VCENTER);
    OffsetRect(&line, 0, lineHeight_);
  }
  SelectObject(dc, old);
  if (background) DeleteObject(background);
  if (frame) DeleteObject(frame);
  EndPaint(hwnd(), &ps);
}

}  // namespace vornix::ui
