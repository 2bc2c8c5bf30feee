// Non-owning wrappers of the standard controls: a window handle and the few
// messages the program sends to it. Destroying the parent destroys the controls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/wide.h"

namespace vornix::ui {

// Creates a child control with the given class, style and control id.
HWND createControl(HWND parent, const wchar_t* className, const Text& text, DWORD style, DWORD exStyle, int id);

// Height of a line of text in `font`, in pixels, and the width of `text` in it.
int fontHeight(HWND window, HFONT font);
int textWidth(HWND window, HFONT font, const Text& text);

// Marks a stretch in which the program itself changes a control, so that the
// notifications it causes are not taken for the user's doing.
class Quiet {
 public:
  explicit Quiet(int& counter) : counter_(counter) { ++counter_; }
  ~Quiet() { --counter_; }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  int& counter_;
};

class Control {
 public:
  explicit Control(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  HWND hwnd() const { return hwnd_; }
  void attach(HWND hwnd) { hwnd_ = hwnd; }
  int id() const { return GetDlgCtrlID(hwnd_); }

  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageW(hwnd_, message, wParam, lParam);
  }
  void move(const RECT& r) const { MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE); }
  RECT rectInParent() const;
  int width() const;
  int height() const;
  void show(bool on) const { ShowWindow(hwnd_, on ? SW_SHOW : SW_HIDE); }
  bool visible() const { return IsWindowVisible(hwnd_) != FALSE; }
  void enable(bool on) const { EnableWindow(hwnd_, on ? TRUE : FALSE); }
  bool enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
  void setText(const Text& text) const { SetWindowTextW(hwnd_, wide(text)); }
  void setFont(HFONT font) const { send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
  void setRedraw(bool on) const { send(WM_SETREDRAW, on ? TRUE : FALSE); }
  void invalidate() const { InvalidateRect(hwnd_, nullptr, TRUE); }
  void focus() const { SetFocus(hwnd_); }

 protected:
  HWND hwnd_;
};

class ListView : public Control {
 public:
  using Control::Control;
  int itemCount() const { return static_cast<int>(send(LVM_GETITEMCOUNT)); }
  int insertItem(LVITEMW& item) const { return static_cast<int>(send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item))); }
  bool deleteItem(int index) const { return send(LVM_DELETEITEM, index) != 0; }
  void setItemState(int index, UINT state, UINT mask) const { ListView_SetItemState(hwnd_, index, state, mask); }
  UINT itemState(int index, UINT mask) const { return static_cast<UINT>(send(LVM_GETITEMSTATE, index, mask)); }
  int nextItem(int start, UINT flags) const { return static_cast<int>(send(LVM_GETNEXTITEM, start, MAKELPARAM(flags, 0))); }
  void ensureVisible(int index) const { send(LVM_ENSUREVISIBLE, index, FALSE); }
  int insertColumn(int index, LVCOLUMNW& column) const {
    return static_cast<int>(send(LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)));
  }
  int columnWidth(int index) const { return static_cast<int>(send(LVM_GETCOLUMNWIDTH, index)); }
  void setColumnWidth(int index, int width) const { send(LVM_SETCOLUMNWIDTH, index, MAKELPARAM(width, 0)); }
  void setExtendedStyle(DWORD mask, DWORD style) const { send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style); }
  void redrawItems(int first, int last) const { send(LVM_REDRAWITEMS, first, last); }
  HWND header() const { return reinterpret_cast<HWND>(send(LVM_GETHEADER)); }
};

class ListBox : public Control {
 public:
  using Control::Control;
  void clear() const { send(LB_RESETCONTENT); }
  int add(const Text& text) const { return static_cast<int>(send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(text)))); }
  int count() const { return static_cast<int>(send(LB_GETCOUNT)); }
  int current() const { return static_cast<int>(send(LB_GETCURSEL)); }
  void setCurrent(int index) const { send(LB_SETCURSEL, index); }
};

class TabControl : public Control {
 public:
  using Control::Control;
  void insertTab(int index, const Text& text) const {
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(wide(text));
    send(TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
  }
  int current() const { return static_cast<int>(send(TCM_GETCURSEL)); }
  void setCurrent(int index) const { send(TCM_SETCURSEL, index); }
  // The page area inside a window rectangle of the control.
  void pageRect(RECT& r) const { send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r)); }
};

class Toolbar : public Control {
 public:
  using Control::Control;
  void enableButton(int id, bool on) const { send(TB_ENABLEBUTTON, id, MAKELPARAM(on ? TRUE : FALSE, 0)); }
  bool buttonEnabled(int id) const { return send(TB_ISBUTTONENABLED, id) != 0; }
  void autoSize() const { send(TB_AUTOSIZE); }
};

class StatusBar : public Control {
 public:
  using Control::Control;
  void setParts(int count, const int* rightEdges) const {
    send(SB_SETPARTS, count, reinterpret_cast<LPARAM>(rightEdges));
  }
  void setPartText(int part, const Text& text) const { send(SB_SETTEXTW, part, reinterpret_cast<LPARAM>(wide(text))); }
};

class Button : public Control {
 public:
  using Control::Control;
  bool checked() const { return send(BM_GETCHECK) == BST_CHECKED; }
  void setChecked(bool on) const { send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
};

}  // namespace vornix::ui
