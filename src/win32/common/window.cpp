#include "win32/common/window.h"

namespace vornix::ui {

namespace {

template <class T>
T* attached(HWND hwnd) {
  return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

template <class T>
void attach(HWND hwnd, T* object) {
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

}  // namespace

bool Window::registerClass(const wchar_t* name, HICON icon, HICON smallIcon) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = windowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = icon;
  wc.hIconSm = smallIcon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND Window::create(DWORD exStyle, const wchar_t* className, const Text& title, DWORD style, HWND parent,
                    HMENU menu) {
  return CreateWindowExW(exStyle, className, wide(title), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, parent, menu, GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK Window::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    attach(hwnd, self);
  } else {
    self = attached<Window>(hwnd);
  }
  // Messages before WM_NCCREATE (WM_GETMINMAXINFO) have no object yet.
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->onMessage(message, wParam, lParam);
  } catch (...) {
    result = DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    attach<Window>(hwnd, nullptr);
    self->hwnd_ = nullptr;
  }
  return result;
}

INT_PTR Dialog::runModal(int id, HWND owner) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), owner, dialogProc,
                         reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK Dialog::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd_ = hwnd;
    attach(hwnd, self);
  } else {
    self = attached<Dialog>(hwnd);
  }
  if (!self) return FALSE;
  INT_PTR result = FALSE;
  try {
    result = self->onMessage(message, wParam, lParam);
  } catch (...) {
    result = FALSE;
  }
  if (message == WM_NCDESTROY) {
    attach<Dialog>(hwnd, nullptr);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace vornix::ui
