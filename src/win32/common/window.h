// One window procedure and one dialog procedure for every window of the program:
// each attaches its C++ object to the window on the first message that carries it,
// and no exception ever leaves them.
#pragma once

#include <windows.h>

#include "platform/win32/wide.h"

namespace vornix::ui {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window() = default;

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers a class whose procedure is the shared one (a second call is harmless).
  static bool registerClass(const wchar_t* name, HICON icon, HICON smallIcon);
  HWND create(DWORD exStyle, const wchar_t* className, const Text& title, DWORD style, HWND parent, HMENU menu);

  virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

class Dialog {
 public:
  Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  virtual ~Dialog() = default;

  HWND hwnd() const { return hwnd_; }

 protected:
  // Shows the dialog template `id` modally; EndDialog's result, or -1 when it did not open.
  INT_PTR runModal(int id, HWND owner);
  // TRUE when handled, as a dialog procedure answers.
  virtual INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

 private:
  static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace vornix::ui
