#include "win32/editor/editor_dialog.h"

#include "base/dates.h"
#include "win32/common/controls.h"
#include "win32/common/dpi.h"
#include "win32/editor/editor_ids.h"
#include "win32/editor/export_dialog.h"

namespace vornix::ui {

namespace {

struct ToolItem {
  int id;
  EditorTool tool;
};

constexpr ToolItem kToolItems[] = {
    {IDM_ED_DELCITE, EditorTool::DelCite},         {IDM_ED_REFORMATP, EditorTool::ReformatP},
    {IDM_ED_TRIM, EditorTool::Trim},               {IDM_ED_TRIMWS, EditorTool::TrimWS},
    {IDM_ED_REPLACELF, EditorTool::ReplaceLF},     {IDM_ED_EMPTYLINES, EditorTool::EmptyLines},
    {IDM_ED_UPPERCASE, EditorTool::Uppercase},     {IDM_ED_LOWERCASE, EditorTool::Lowercase},
    {IDM_ED_CONVUMLAUT, EditorTool::ConvUmlaut},   {IDM_ED_CONVASCII, EditorTool::ConvASCII},
    {IDM_ED_CONVESCAPE, EditorTool::ConvEscape},   {IDM_ED_ENT8BIT2ENT, EditorTool::Ent8Bit2Ent},
    {IDM_ED_ENTENT28BIT, EditorTool::EntEnt28Bit}, {IDM_ED_ENTTAG2ENT, EditorTool::EntTag2Ent},
    {IDM_ED_ENTENT2TAG, EditorTool::EntEnt2Tag},
};

// Menu items and controls that need a text to work on.
constexpr int kTextControls[] = {IDOK, IDC_ED_OKCOPY, IDC_ED_PROTECT, IDC_ED_KEY, IDC_ED_KEYLABEL};
constexpr int kTextMenuItems[] = {IDM_ED_EXPORT, IDM_ED_ACCEPT, IDM_ED_ACCEPTCOPY};

// The smallest editor, and the margins of its layout, at 96 DPI.
constexpr int kMinWidth = 329, kMinHeight = 298;
constexpr int kMargin = 4, kGap = 6, kRowHeight = 22, kButtonHeight = 24;
constexpr int kOKCopyWidth = 112, kButtonWidth = 84, kKeyWidth = 52, kKeyLabelWidth = 96;
// Status panels: four key states, "Position", the caret, "Length", the length.
constexpr int kPanelWidths[] = {40, 40, 40, 40, 64, 64, 56, 0};
constexpr int kKeyPanels = 4;
struct KeyPanel {
  int vk;
  const wchar_t* name;
};
constexpr KeyPanel kKeys[kKeyPanels] = {{VK_CAPITAL, L"CAPS"}, {VK_NUMLOCK, L"NUM"}, {VK_INSERT, L"INS"}, {VK_SCROLL, L"SCRL"}};

void addItem(HMENU menu, int id, const Text& text) { AppendMenuW(menu, MF_STRING, id, wide(text)); }
void addSeparator(HMENU menu) { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); }
void addPopup(HMENU menu, HMENU popup, const Text& text) {
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), wide(text));
}

}  // namespace

EditorDialog::EditorDialog(App& app) : app_(app), core_(app, *this), tools_(app, core_, *this) {}

bool EditorDialog::run(HWND owner, Text& text, bool& protect, bool& copy, int entryIndex) {
  initialText_ = text;
  initialProtect_ = protect;
  core_.entryIndex = entryIndex;
  if (runModal(IDD_EDITOR, owner) != IDOK) return false;
  const DiaTextInput::Result& result = core_.result();
  if (!result.accepted) return false;
  text = result.text;
  protect = result.protect;
  copy = result.copy;
  return true;
}

INT_PTR EditorDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      init();
      return FALSE;  // the focus is set already
    case WM_SIZE:
      if (status_) SendMessageW(status_, WM_SIZE, 0, 0);
      layout();
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = dpiScale(kMinWidth);
      info->ptMinTrackSize.y = dpiScale(kMinHeight);
      return TRUE;
    }
    case WM_TIMER:
      if (wParam == kLengthTimer) {
        core_.timLen_Timer();
        showKeyStates();
      }
      return TRUE;
    case kMsgChanged:
      core_.txtTextInput_Change();
      return TRUE;
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (!draw || draw->hwndItem != status_) return FALSE;
      drawKeyState(*draw);
      return TRUE;
    }
    case kMsgCaret:
      core_.txtTextInput_SelChange();
      showKeyStates();
      return TRUE;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_DESTROY:
      KillTimer(hwnd(), kLengthTimer);
      if (editDefault_) SetWindowLongPtrW(item(IDC_ED_TEXT), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editDefault_));
      editDefault_ = nullptr;
      status_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

HMENU EditorDialog::buildMenu() {
  HMENU bar = CreateMenu();
  HMENU entry = CreatePopupMenu();
  addItem(entry, IDM_ED_EXPORT, app_.str(kStrExportText));
  addSeparator(entry);
  addItem(entry, IDM_ED_ACCEPT, app_.str(kStrAccept));
  addItem(entry, IDM_ED_ACCEPTCOPY, app_.str(kStrAcceptAndCopy));
  addItem(entry, IDM_ED_CANCEL, app_.str(kStrCancelItem));
  addPopup(bar, entry, app_.str(kStrEntry));

  HMENU tools = CreatePopupMenu();
  addItem(tools, IDM_ED_REPLACE, app_.str(kStrReplaceMenu));
  HMENU mail = CreatePopupMenu();
  addItem(mail, IDM_ED_SETCITE, app_.str(kStrSetQuotationCharacter));
  addItem(mail, IDM_ED_DELCITE, app_.str(kStrRemoveQuotation));
  addPopup(tools, mail, app_.str(kStrEMailMenu));
  HMENU reformat = CreatePopupMenu();
  addItem(reformat, IDM_ED_REFORMATP, app_.str(kStrReformatParagraphs));
  addSeparator(reformat);
  addItem(reformat, IDM_ED_TRIM, app_.str(kStrClearBeginningAndEnd));
  addItem(reformat, IDM_ED_TRIMWS, app_.str(kStrClearEmptySpaces));
  addItem(reformat, IDM_ED_REPLACELF, app_.str(kStrClearReturns));
  addItem(reformat, IDM_ED_EMPTYLINES, app_.str(kStrDeleteBlankLines));
  addPopup(tools, reformat, app_.str(kStrReformat));
  HMENU transform = CreatePopupMenu();
  addItem(transform, IDM_ED_UPPERCASE, app_.str(kStrCapitalLetters));
  addItem(transform, IDM_ED_LOWERCASE, app_.str(kStrLowerCaseLetters));
  addSeparator(transform);
  addItem(transform, IDM_ED_CONVUMLAUT, app_.str(kStrChangeUmlauts));
  addSeparator(transform);
  addItem(transform, IDM_ED_CONVASCII, app_.str(kStrConvertEscapesToText));
  addItem(transform, IDM_ED_CONVESCAPE, app_.str(kStrConvertTextToEscapes));
  addSeparator(transform);
  addItem(transform, IDM_ED_ENT8BIT2ENT, app_.str(kStrConvert8BitToEntities));
  addItem(transform, IDM_ED_ENTENT28BIT, app_.str(kStrConvertEntitiesTo8Bit));
  addItem(transform, IDM_ED_ENTTAG2ENT, app_.str(kStrConvertTagsToEntities));
  addItem(transform, IDM_ED_ENTENT2TAG, app_.str(kStrConvertEntitiesToTags));
  addPopup(tools, transform, app_.str(kStrTransform));
  HMENU insert = CreatePopupMenu();
  addItem(insert, IDM_ED_DATE, app_.str(kStrDateMenu));
  addItem(insert, IDM_ED_TIME, app_.str(kStrTime));
  addSeparator(insert);
  addItem(insert, IDM_ED_SPECIAL, app_.str(kStrInsertSpecialCharacterMenu));
  addItem(insert, IDM_ED_ASCII, app_.str(kStrAsciiCodeMenu));
  addPopup(tools, insert, app_.str(kStrInsert));
  addPopup(bar, tools, app_.str(kStrTools));
  return bar;
}

void EditorDialog::createStatusBar() {
  status_ = createControl(hwnd(), STATUSCLASSNAMEW, Text(), WS_VISIBLE | SBARS_SIZEGRIP, 0, IDC_ED_STATUS);
  int edges[8];
  int right = 0;
  for (int i = 0; i < 8; ++i) {
    right += dpiScale(kPanelWidths[i]);
    edges[i] = kPanelWidths[i] ? right : -1;
  }
  StatusBar bar(status_);
  bar.setFont(messageFont());
  bar.setParts(8, edges);
  bar.setPartText(4, app_.str(kStrPosition));
  bar.setPartText(6, app_.str(kStrLength));
  keyStatesShown_ = -1;
  showKeyStates();
}

void EditorDialog::init() {
  Quiet quiet(quiet_);
  SetWindowTextW(hwnd(), wide(app_.str(kStrTextInput)));
  SetDlgItemTextW(hwnd(), IDC_ED_PROTECT, wide(app_.str(kStrProtectEntry)));
  SetDlgItemTextW(hwnd(), IDC_ED_KEYLABEL, wide(app_.str(kStrTextBlockLabel)));
  SetDlgItemTextW(hwnd(), IDOK, wide(app_.str(kStrOK)));
  SetDlgItemTextW(hwnd(), IDC_ED_OKCOPY, wide(app_.str(kStrOKAndCopy)));
  SetDlgItemTextW(hwnd(), IDCANCEL, wide(app_.str(kStrCancel)));
  Button(item(IDC_ED_PROTECT)).setChecked(initialProtect_);

  HWND keys = item(IDC_ED_KEY);
  SendMessageW(keys, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"--"));
  for (int k = 0; k <= 9; ++k) {
    const wchar_t digit[2] = {static_cast<wchar_t>(L'0' + k), 0};
    SendMessageW(keys, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(digit));
  }

  menu_ = buildMenu();
  SetMenu(hwnd(), menu_);  // destroyed with the dialog
  createStatusBar();

  HWND edit = item(IDC_ED_TEXT);
  Control(edit).setFont(messageFont());
  // As much as the system allows instead of the default 32K characters.
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  editDefault_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditorDialog::editProc)));
  setText(initialText_);
  SendMessageW(edit, EM_SETSEL, 0, 0);

  // A size that fits the menu, the controls and the status bar, centred on the work area.
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int w = dpiScale(460), h = dpiScale(360);
  SetWindowPos(hwnd(), nullptr, work.left + (work.right - work.left - w) / 2,
               work.top + (work.bottom - work.top - h) / 2, w, h, SWP_NOZORDER);
  layout();
  SetTimer(hwnd(), kLengthTimer, 1000, nullptr);
  core_.Form_Activate();
}

void EditorDialog::layout() {
  RECT c = {};
  GetClientRect(hwnd(), &c);
  RECT bar = {};
  if (status_) GetWindowRect(status_, &bar);
  const int statusHeight = bar.bottom - bar.top;
  const int m = dpiScale(kMargin), gap = dpiScale(kGap);
  const int buttonTop = c.bottom - statusHeight - m - dpiScale(kButtonHeight);
  const int rowTop = buttonTop - gap - dpiScale(kRowHeight);
  Control(item(IDC_ED_TEXT)).move({m, m, c.right - m, rowTop - gap});

  const int keyLeft = c.right - m - dpiScale(kKeyWidth);
  const int labelLeft = keyLeft - gap - dpiScale(kKeyLabelWidth);
  Control(item(IDC_ED_KEY)).move({keyLeft, rowTop, c.right - m, rowTop + dpiScale(200)});
  Control(item(IDC_ED_KEYLABEL)).move({labelLeft, rowTop + dpiScale(3), keyLeft - gap, rowTop + dpiScale(kRowHeight)});
  Control(item(IDC_ED_PROTECT)).move({m, rowTop, labelLeft - gap, rowTop + dpiScale(kRowHeight)});

  const int bh = dpiScale(kButtonHeight), bw = dpiScale(kButtonWidth);
  const int cancelLeft = c.right - m - bw;
  const int okLeft = cancelLeft - gap - bw;
  const int copyLeft = okLeft - gap - dpiScale(kOKCopyWidth);
  Control(item(IDCANCEL)).move({cancelLeft, buttonTop, cancelLeft + bw, buttonTop + bh});
  Control(item(IDOK)).move({okLeft, buttonTop, okLeft + bw, buttonTop + bh});
  Control(item(IDC_ED_OKCOPY)).move({copyLeft, buttonTop, okLeft - gap, buttonTop + bh});
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void EditorDialog::onCommand(int id, int code) {
  for (const ToolItem& tool : kToolItems)
    if (tool.id == id) {
      core_.runTool(tool.tool);
      return;
    }
  switch (id) {
    case IDOK:
    case IDM_ED_ACCEPT:
      core_.OKButton_Click();
      break;
    case IDC_ED_OKCOPY:
    case IDM_ED_ACCEPTCOPY:
      core_.OKCopyButton_Click();
      break;
    case IDCANCEL:
    case IDM_ED_CANCEL:
      core_.CancelButton_Click();
      break;
    case IDM_ED_EXPORT:
      core_.menInputEntryExport_Click();
      break;
    case IDM_ED_REPLACE:
      core_.showTool(vornix::ToolDialog::Replace);
      break;
    case IDM_ED_SETCITE:
      core_.showTool(vornix::ToolDialog::Cite);
      break;
    case IDM_ED_SPECIAL:
      core_.showTool(vornix::ToolDialog::Special);
      break;
    case IDM_ED_ASCII:
      core_.showTool(vornix::ToolDialog::Ascii);
      break;
    case IDM_ED_DATE:
    case IDM_ED_TIME:
      core_.insertDate(id == IDM_ED_TIME);
      break;
    case IDC_ED_TEXT:
      if (code == EN_CHANGE && !quiet_) core_.txtTextInput_Change();
      break;
    case IDC_ED_KEY:
      if (code == CBN_SELCHANGE && !quiet_) core_.keyNumber_Click(keyItem());
      break;
    default:
      break;
  }
}

LRESULT CALLBACK EditorDialog::editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<EditorDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || !self->editDefault_) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = CallWindowProcW(self->editDefault_, window, message, wParam, lParam);
  switch (message) {
    case WM_GETDLGCODE:
      // The dialog manager would select the whole text on each activation, and the
      // next key typed would replace it.
      result &= ~static_cast<LRESULT>(DLGC_HASSETSEL);
      break;
    case WM_SETTEXT:
      // A multi-line edit control reports no change for a text set from outside.
      PostMessageW(GetParent(window), kMsgChanged, 0, 0);
      PostMessageW(GetParent(window), kMsgCaret, 0, 0);
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case EM_SETSEL:
    case EM_REPLACESEL:
      // The caret has moved once the edit control is done with the message.
      PostMessageW(GetParent(window), kMsgCaret, 0, 0);
      break;
    case WM_MOUSEMOVE:
      if (wParam & MK_LBUTTON) PostMessageW(GetParent(window), kMsgCaret, 0, 0);
      break;
    default:
      break;
  }
  return result;
}

Text EditorDialog::text() {
  HWND edit = item(IDC_ED_TEXT);
  const int length = GetWindowTextLengthW(edit);
  Text value(static_cast<size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(edit, wideBuffer(value), length + 1);
  value.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return value;
}

void EditorDialog::setText(const Text& text) {
  SetWindowTextW(item(IDC_ED_TEXT), wide(text));
}

int EditorDialog::selStart() {
  DWORD start = 0, end = 0;
  SendMessageW(item(IDC_ED_TEXT), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int EditorDialog::selLength() {
  DWORD start = 0, end = 0;
  SendMessageW(item(IDC_ED_TEXT), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return end > start ? static_cast<int>(end - start) : 0;
}

void EditorDialog::setCaret(int position) {
  HWND edit = item(IDC_ED_TEXT);
  SendMessageW(edit, EM_SETSEL, position, position);
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

bool EditorDialog::protectChecked() { return Button(item(IDC_ED_PROTECT)).checked(); }

void EditorDialog::focusText() {
  HWND edit = item(IDC_ED_TEXT);
  if (IsWindowVisible(edit)) SetFocus(edit);
}

bool EditorDialog::textCommandsEnabled() { return IsWindowEnabled(item(IDOK)) != FALSE; }

void EditorDialog::setTextCommandsEnabled(bool enabled) {
  for (int id : kTextControls) EnableWindow(item(id), enabled ? TRUE : FALSE);
  for (int id : kTextMenuItems) EnableMenuItem(menu_, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  // The Tools menu is the second item of the menu bar.
  EnableMenuItem(menu_, 1, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  DrawMenuBar(hwnd());
}

int EditorDialog::keyItem() {
  const LRESULT current = SendMessageW(item(IDC_ED_KEY), CB_GETCURSEL, 0, 0);
  return current == CB_ERR ? 0 : static_cast<int>(current);
}

void EditorDialog::selectKeyItem(int index) {
  Quiet quiet(quiet_);
  SendMessageW(item(IDC_ED_KEY), CB_SETCURSEL, index, 0);
}

void EditorDialog::showKeyChoice(bool visible) {
  Control(item(IDC_ED_KEY)).show(visible);
  Control(item(IDC_ED_KEYLABEL)).show(visible);
}

void EditorDialog::setPositionPanel(const Text& text) {
  if (status_) StatusBar(status_).setPartText(5, text);
}

void EditorDialog::setLengthPanel(const Text& text) {
  lengthShown_ = text;
  if (status_) StatusBar(status_).setPartText(7, text);
}

void EditorDialog::showKeyStates() {
  if (!status_) return;
  int states = 0;
  for (int i = 0; i < kKeyPanels; ++i)
    if (GetKeyState(kKeys[i].vk) & 1) states |= 1 << i;
  if (states == keyStatesShown_) return;
  keyStatesShown_ = states;
  // Drawn by the dialog: a key that is off shows its name greyed, not an empty panel.
  for (int i = 0; i < kKeyPanels; ++i)
    SendMessageW(status_, SB_SETTEXTW, static_cast<WPARAM>(i) | SBT_OWNERDRAW, (states >> i) & 1);
}

void EditorDialog::drawKeyState(const DRAWITEMSTRUCT& item) {
  if (item.itemID >= static_cast<UINT>(kKeyPanels)) return;
  RECT r = item.rcItem;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(item.itemData ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  const wchar_t* name = kKeys[item.itemID].name;
  DrawTextW(item.hDC, name, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

Text EditorDialog::localDate(double date, bool time) {
  const dates::Civil c = dates::toCivil(date);
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(c.year);
  st.wMonth = static_cast<WORD>(c.month);
  st.wDay = static_cast<WORD>(c.day);
  st.wHour = static_cast<WORD>(c.hour);
  st.wMinute = static_cast<WORD>(c.minute);
  st.wSecond = static_cast<WORD>(c.second);
  wchar_t buffer[128] = L"";
  const int n = time ? GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, 128)
                     : GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, 128);
  return n > 0 ? fromWide(buffer) : Text();
}

void EditorDialog::showToolDialog(vornix::ToolDialog dialog) {
  switch (dialog) {
    case vornix::ToolDialog::Replace: tools_.replace.run(hwnd(), IDD_REPLACE); break;
    case vornix::ToolDialog::Ascii: tools_.ascii.run(hwnd(), IDD_ASCII); break;
    case vornix::ToolDialog::Cite: tools_.cite.run(hwnd(), IDD_CITE); break;
    case vornix::ToolDialog::Special: tools_.special.run(hwnd(), IDD_SPECIAL); break;
  }
  app_.modalOpen = true;
  focusText();
}

bool EditorDialog::saveFileDialog(Text& path) { return chooseSaveFile(hwnd(), app_, path); }

void EditorDialog::hide() { EndDialog(hwnd(), IDOK); }

}  // namespace vornix::ui
