// The main window's search field: opened by typing in a list or by Ctrl+F,
// placed in the free room left of "stay in front", so that the list and its
// columns stay where they are. The field's keys that belong to the list (the
// arrows, Enter, Esc) work the list.
#include "win32/common/dpi.h"
#include "win32/main/main_window.h"
#include "win32/common/resource.h"

namespace vornix::ui {

namespace {

constexpr int kFieldWidth96 = 160;

Text textOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  Text value(static_cast<size_t>(length > 0 ? length : 0) + 1, u'\0');
  const int copied = GetWindowTextW(window, wideBuffer(value), length + 1);
  value.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return value;
}

}  // namespace

bool MainWindow::createSearchField() {
  const Text caption = app_.str(kStrSearch);
  searchLabel_.attach(createControl(hwnd(), WC_STATICW, caption, SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 0,
                                    IDC_LBLSEARCH));
  searchField_.attach(createControl(hwnd(), WC_EDITW, Text(), WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                                    IDC_TXTSEARCH));
  if (!searchLabel_.hwnd() || !searchField_.hwnd()) return false;
  searchLabel_.setFont(font_);
  searchField_.setFont(font_);
  searchLabelSize_.cx = textWidth(hwnd(), font_, caption) + dpiScale(6);
  searchLabelSize_.cy = fontHeight(hwnd(), font_) + dpiScale(8);
  return true;
}

void MainWindow::showSearchField(bool shown, const Text& text) {
  if (textOf(searchField_.hwnd()) != text) {
    Quiet quiet(searchQuiet_);
    searchField_.setText(text);
    searchField_.send(EM_SETSEL, text.size(), text.size());
  }
  if (shown == searchField_.visible()) return;
  const bool hadFocus = GetFocus() == searchField_.hwnd();
  layout();
  searchLabel_.show(shown);
  searchField_.show(shown);
  if (shown) {
    searchField_.focus();
  } else if (hadFocus) {
    if (HWND page = tabs_.page()) SetFocus(page);
  }
}

void MainWindow::setSearchCount(const Text& count) { status_.setSearchCount(count); }

void MainWindow::openSearch(const Text& typed) {
  if (searchField_.visible()) {
    // Ctrl+F again: back to the field, its text marked for replacing.
    searchField_.focus();
    searchField_.send(EM_SETSEL, 0, -1);
    return;
  }
  frm_.startSearch(typed);
}

bool MainWindow::searchFieldKey(const MSG& message) {
  if (message.hwnd != searchField_.hwnd() || message.message != WM_KEYDOWN) return false;
  switch (message.wParam) {
    case VK_ESCAPE:
      frm_.endSearch();
      return true;
    case VK_RETURN:
      frm_.lvItems_KeyDown(13);
      return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
      // The selection moves among the rows shown; the caret stays in the field.
      if (HWND page = tabs_.page()) SendMessageW(page, WM_KEYDOWN, message.wParam, message.lParam);
      return true;
    default:
      return false;
  }
}

}  // namespace vornix::ui
