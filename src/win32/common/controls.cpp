#include "win32/common/controls.h"

namespace vornix::ui {

HWND createControl(HWND parent, const wchar_t* className, const Text& text, DWORD style, DWORD exStyle, int id) {
  return CreateWindowExW(exStyle, className, wide(text), style | WS_CHILD, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

int fontHeight(HWND window, HFONT font) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW tm = {};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return tm.tmHeight;
}

int textWidth(HWND window, HFONT font, const Text& text) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size = {};
  GetTextExtentPoint32W(dc, wide(text), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size.cx;
}

RECT Control::rectInParent() const {
  RECT r = {};
  GetWindowRect(hwnd_, &r);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int Control::width() const {
  RECT r = {};
  GetWindowRect(hwnd_, &r);
  return r.right - r.left;
}

int Control::height() const {
  RECT r = {};
  GetWindowRect(hwnd_, &r);
  return r.bottom - r.top;
}

}  // namespace vornix::ui
