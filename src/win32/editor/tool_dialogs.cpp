#include "win32/editor/tool_dialogs.h"

#include "base/ustr.h"
#include "core/editor/tools.h"
#include "win32/common/controls.h"
#include "win32/common/dpi.h"
#include "win32/editor/editor_ids.h"

namespace vornix::ui {

INT_PTR ToolBox::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      app_.modalOpen = true;
      caption(IDOK, kStrOK);
      caption(IDCANCEL, kStrCancel);
      init();
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK) {
        if (ok()) EndDialog(hwnd(), IDOK);
      } else if (id == IDCANCEL) {
        cancel();
        EndDialog(hwnd(), IDCANCEL);
      } else {
        onCommand(id, HIWORD(wParam));
      }
      return TRUE;
    }
    default:
      (void)lParam;
      return FALSE;
  }
}

Text ToolBox::field(int id) const {
  HWND control = GetDlgItem(hwnd(), id);
  const int length = GetWindowTextLengthW(control);
  Text value(static_cast<size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(control, wideBuffer(value), length + 1);
  value.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return value;
}

void ToolBox::setField(int id, const Text& text) const { SetDlgItemTextW(hwnd(), id, wide(text)); }

void ToolBox::caption(int id, int number) const {
  if (id == 0) SetWindowTextW(hwnd(), wide(app_.str(number)));
  else setField(id, app_.str(number));
}

void ReplaceDialog::init() {
  caption(0, kStrReplaceTitle);
  caption(IDC_TL_LABEL1, kStrFind);
  caption(IDC_TL_LABEL2, kStrReplaceLabel);
  caption(IDC_TL_CASE, kStrCaseSensitiveSearch);
  if (view_.selLength() > 0) {
    const Text text = view_.text();
    const size_t start = static_cast<size_t>(view_.selStart());
    if (start < text.size()) find_ = text.substr(start, static_cast<size_t>(view_.selLength()));
  }
  setField(IDC_TL_FIELD1, find_);
  setField(IDC_TL_FIELD2, replace_);
  Button(GetDlgItem(hwnd(), IDC_TL_CASE)).setChecked(matchCase_);
  SendDlgItemMessageW(hwnd(), IDC_TL_FIELD1, EM_SETSEL, 0, -1);
}

bool ReplaceDialog::ok() {
  find_ = field(IDC_TL_FIELD1);
  replace_ = field(IDC_TL_FIELD2);
  matchCase_ = Button(GetDlgItem(hwnd(), IDC_TL_CASE)).checked();
  // An empty search text replaces nothing; the dialog stays for the user to fill it in.
  if (!editor_.replaceAll(find_, replace_, matchCase_)) {
    MessageBeep(MB_ICONWARNING);
    SetFocus(GetDlgItem(hwnd(), IDC_TL_FIELD1));
    return false;
  }
  return true;
}

void AsciiDialog::init() {
  caption(0, kStrInsertAsciiCode);
  caption(IDC_TL_LABEL1, kStrDecimalAsciiCode);
  caption(IDC_TL_LABEL2, kStrNumberOfCharacters);
  setField(IDC_TL_FIELD1, code_);
  setField(IDC_TL_FIELD2, repeat_);
}

void AsciiDialog::onCommand(int id, int code) {
  if (code != EN_KILLFOCUS) return;
  if (id == IDC_TL_FIELD1) setField(id, tools::checkCode(field(id)));
  if (id == IDC_TL_FIELD2) setField(id, tools::checkRepeat(field(id)));
}

bool AsciiDialog::ok() {
  code_ = tools::checkCode(field(IDC_TL_FIELD1));
  repeat_ = tools::checkRepeat(field(IDC_TL_FIELD2));
  long long count = 1;
  ustr::parseInt(repeat_, 1, 80, count);
  editor_.insertRepeated(tools::codeCharacter(code_, app_.sys.codePage), static_cast<int>(count));
  return true;
}

void CiteDialog::init() {
  caption(0, kStrQuotationCharacter);
  caption(IDC_TL_LABEL1, kStrQuotationCharacter);
  setField(IDC_TL_FIELD1, app_.citeChar);
}

bool CiteDialog::ok() {
  editor_.setCiteChar(field(IDC_TL_FIELD1));
  return true;
}

void SpecialDialog::init() {
  caption(0, kStrInsertSpecialCharacters);
  caption(IDC_TL_LABEL2, kStrNumberOfCharacters);
  HWND areas = GetDlgItem(hwnd(), IDC_TL_AREA);
  SendMessageW(areas, CB_RESETCONTENT, 0, 0);
  for (int number : {kStrSpecialCharacters, kStrStandardCharacters})
    SendMessageW(areas, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(app_.str(number))));
  SendMessageW(areas, CB_SETCURSEL, area_, 0);
  SendDlgItemMessageW(hwnd(), IDC_TL_CHARS, LB_SETCOLUMNWIDTH, dpiScale(26), 0);
  fillList(area_);
  setField(IDC_TL_FIELD2, repeat_);
}

void SpecialDialog::fillList(int area) {
  area_ = area;
  ListBox list(GetDlgItem(hwnd(), IDC_TL_CHARS));
  list.clear();
  for (const Text& c : tools::specialCharacters(area, app_.sys.codePage)) list.add(c);
  // OK and Enter insert the chosen character: one is always chosen.
  if (list.count() > 0) list.setCurrent(0);
}

void SpecialDialog::onCommand(int id, int code) {
  if (id == IDC_TL_AREA && code == CBN_SELCHANGE) {
    const int area = static_cast<int>(SendDlgItemMessageW(hwnd(), IDC_TL_AREA, CB_GETCURSEL, 0, 0));
    fillList(area == 1 ? 1 : 0);
  } else if (id == IDC_TL_FIELD2 && code == EN_KILLFOCUS) {
    setField(id, tools::checkRepeat(field(id)));
  } else if (id == IDC_TL_CHARS && code == LBN_DBLCLK) {
    if (ok()) EndDialog(hwnd(), IDOK);
  }
}

bool SpecialDialog::ok() {
  repeat_ = tools::checkRepeat(field(IDC_TL_FIELD2));
  setField(IDC_TL_FIELD2, repeat_);
  ListBox list(GetDlgItem(hwnd(), IDC_TL_CHARS));
  const int current = list.current();
  if (current < 0) return false;
  const std::vector<Text> chars = tools::specialCharacters(area_, app_.sys.codePage);
  if (current >= static_cast<int>(chars.size())) return false;
  long long count = 1;
  ustr::parseInt(repeat_, 1, 80, count);
  editor_.insertRepeated(chars[current], static_cast<int>(count));
  return true;
}

}  // namespace vornix::ui
