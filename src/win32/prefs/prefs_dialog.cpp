#include "win32/prefs/prefs_dialog.h"

#include <commctrl.h>

#include <cmath>

#include "core/prefs/localisation.h"
#include "win32/common/controls.h"
#include "win32/prefs/prefs_ids.h"
#include "win32/quick/translucency.h"

namespace vornix::ui {

namespace {

using C = PrefsControl;

struct Item {
  C control;
  int id;
  int caption;  // string number; 0 when the logic or the template sets the text
};

const Item kItems[] = {
    {C::chkProtocol, IDC_PREFS_CHKPROTOCOL, kStrActivateRecordModeForClipboard},
    {C::optProtocolQuant, IDC_PREFS_OPTPROTOCOLQUANT, kStrDeleteLowestCounterFirst},
    {C::optProtocolDate, IDC_PREFS_OPTPROTOCOLDATE, kStrDeleteOldestFirst},
    {C::labProtocolHint, IDC_PREFS_LABPROTOCOLHINT, 0},
    {C::chkStartMiniMode, IDC_PREFS_CHKSTARTMINIMODE, kStrStartInMiniMode},
    {C::chkStartAutostart, IDC_PREFS_CHKSTARTAUTOSTART, kStrAutostartWithSystem},
    {C::chkQuestionQuit, IDC_PREFS_CHKQUESTIONQUIT, kStrQuitTheProgram},
    {C::chkQuestionClipOpen, IDC_PREFS_CHKQUESTIONCLIPOPEN, kStrCheckClipboardOpening},
    {C::chkOSD, IDC_PREFS_CHKOSD, kStrOnScreenDisplay},
    {C::labOSDRows, IDC_PREFS_LABOSDROWS, kStrLineNumber},
    {C::txtOSDRows, IDC_PREFS_TXTOSDROWS, 0},
    {C::labOSDAlignment, IDC_PREFS_LABOSDALIGNMENT, kStrAlignment},
    {C::cmbOSDAlignment, IDC_PREFS_CMBOSDALIGNMENT, 0},
    {C::labTimer, IDC_PREFS_LABTIMER, kStrShow},
    {C::sliTimer, IDC_PREFS_SLITIMER, 0},
    {C::txtTimer, IDC_PREFS_TXTTIMER, 0},
    {C::labTimerUnit, IDC_PREFS_LABTIMERUNIT, kStrSeconds},
    {C::imgTimer, IDC_PREFS_IMGTIMER, 0},
    {C::chkMiniModeWindow, IDC_PREFS_CHKMINIMODEWINDOW, kStrShowMiniModeWindow},
    {C::sliOpacity, IDC_PREFS_SLIOPACITY, 0},
    {C::labOpacity, IDC_PREFS_LABOPACITY, kStrTransparency},
    {C::optDblClickEdit, IDC_PREFS_OPTDBLCLICKEDIT, kStrChangeSelectedEntry},
    {C::optDblClickClip, IDC_PREFS_OPTDBLCLICKCLIP, kStrCopySelectedEntry},
    {C::chkDblClickHyperURL, IDC_PREFS_CHKDBLCLICKHYPERURL, kStrOpenURLInBrowser},
    {C::chkDblClickHyperEMail, IDC_PREFS_CHKDBLCLICKHYPEREMAIL, kStrOpenEMailInMailer},
    {C::chkHoverSelection, IDC_PREFS_CHKHOVERSELECTION, kStrHoverSelection},
    {C::chkAutoSize, IDC_PREFS_CHKAUTOSIZE, kStrAutoSizeList},
    {C::chkHotkey, IDC_PREFS_CHKHOTKEY, kStrActive},
    {C::txtHotkey, IDC_PREFS_TXTHOTKEY, 0},
    {C::chkHotkeyWin, IDC_PREFS_CHKHOTKEYWIN, kStrWin},
    {C::chkHotkeyAlt, IDC_PREFS_CHKHOTKEYALT, kStrAlt},
    {C::chkHotkeyShift, IDC_PREFS_CHKHOTKEYSHIFT, kStrShift},
    {C::chkHotkeyCtrl, IDC_PREFS_CHKHOTKEYCTRL, kStrCtrl},
    {C::chkHotedit, IDC_PREFS_CHKHOTEDIT, kStrActive},
    {C::txtHotedit, IDC_PREFS_TXTHOTEDIT, 0},
    {C::chkHoteditWin, IDC_PREFS_CHKHOTEDITWIN, kStrWin},
    {C::chkHoteditAlt, IDC_PREFS_CHKHOTEDITALT, kStrAlt},
    {C::chkHoteditShift, IDC_PREFS_CHKHOTEDITSHIFT, kStrShift},
    {C::chkHoteditCtrl, IDC_PREFS_CHKHOTEDITCTRL, kStrCtrl},
    {C::chkHotmenu, IDC_PREFS_CHKHOTMENU, kStrActive},
    {C::txtHotmenu, IDC_PREFS_TXTHOTMENU, 0},
    {C::chkHotmenuWin, IDC_PREFS_CHKHOTMENUWIN, kStrWin},
    {C::chkHotmenuAlt, IDC_PREFS_CHKHOTMENUALT, kStrAlt},
    {C::chkHotmenuShift, IDC_PREFS_CHKHOTMENUSHIFT, kStrShift},
    {C::chkHotmenuCtrl, IDC_PREFS_CHKHOTMENUCTRL, kStrCtrl},
    {C::chkHotmenuClipboard, IDC_PREFS_CHKHOTMENUCLIPBOARD, kStrCopyTextIntoClipboard},
    {C::chkHotmenuKeystroke, IDC_PREFS_CHKHOTMENUKEYSTROKE, kStrInsertTextDirectly},
    {C::chkTextKey, IDC_PREFS_CHKTEXTKEY, kStrActive},
    {C::chkTextWin, IDC_PREFS_CHKTEXTWIN, kStrWin},
    {C::chkTextAlt, IDC_PREFS_CHKTEXTALT, kStrAlt},
    {C::chkTextShift, IDC_PREFS_CHKTEXTSHIFT, kStrShift},
    {C::chkTextCtrl, IDC_PREFS_CHKTEXTCTRL, kStrCtrl},
    {C::opt0, IDC_PREFS_OPT0, 0},
    {C::opt1, IDC_PREFS_OPT1, 0},
    {C::opt2, IDC_PREFS_OPT2, 0},
    {C::opt3, IDC_PREFS_OPT3, 0},
    {C::opt4, IDC_PREFS_OPT4, 0},
    {C::opt5, IDC_PREFS_OPT5, 0},
    {C::opt6, IDC_PREFS_OPT6, 0},
    {C::opt7, IDC_PREFS_OPT7, 0},
    {C::opt8, IDC_PREFS_OPT8, 0},
    {C::opt9, IDC_PREFS_OPT9, 0},
    {C::rtbKey, IDC_PREFS_RTBKEY, 0},
    {C::chkTextClipboard, IDC_PREFS_CHKTEXTCLIPBOARD, kStrCopyTextIntoClipboard},
    {C::chkTextKeystroke, IDC_PREFS_CHKTEXTKEYSTROKE, kStrInsertTextDirectly},
    {C::optLanguageAuto, IDC_PREFS_OPTLANGUAGEAUTO, kStrLanguageByWindows},
    {C::optLanguageGerman, IDC_PREFS_OPTLANGUAGEGERMAN, kStrGerman},
    {C::optLanguageEnglish, IDC_PREFS_OPTLANGUAGEENGLISH, kStrEnglish},
    {C::imgLanguageGerman, IDC_PREFS_IMGLANGUAGEGERMAN, 0},
    {C::imgLanguageEnglish, IDC_PREFS_IMGLANGUAGEENGLISH, 0},
    {C::optBehaviourRegSaveEach, IDC_PREFS_OPTBEHAVIOURREGSAVEEACH, kStrSaveAfterEachChange},
    {C::optBehaviourRegSaveEnd, IDC_PREFS_OPTBEHAVIOURREGSAVEEND, kStrSaveWhenQuitting},
    {C::chkLimitSize, IDC_PREFS_CHKLIMITSIZE, kStrLimitTextSize},
    {C::sliLimitSize, IDC_PREFS_SLILIMITSIZE, 0},
    {C::labLimitSize, IDC_PREFS_LABLIMITSIZE, 0},
    {C::chkLimitKeystroke, IDC_PREFS_CHKLIMITKEYSTROKE, kStrAllowOverflowByAsking},
    {C::sliLimitKeystroke, IDC_PREFS_SLILIMITKEYSTROKE, 0},
    {C::labLimitKeystroke, IDC_PREFS_LABLIMITKEYSTROKE, 0},
};

// Frames and hints with their page.
struct Label {
  int id, page, caption;
};

const Label kLabels[] = {
    {IDC_PREFS_FRAMERECORD, 0, kStrRecordMode},
    {IDC_PREFS_FRAMESTART, 0, kStrConductAtStartup},
    {IDC_PREFS_FRAMEQUESTIONS, 0, kStrSecurityQuestions},
    {IDC_PREFS_FRAMEOSD, 1, kStrOnScreenDisplay},
    {IDC_PREFS_LABOSDHINT, 1, kStrOnScreenDisplayHint},
    {IDC_PREFS_FRAMEMINI, 1, kStrMiniModeAndTray},
    {IDC_PREFS_FRAMEDBLCLICK, 2, kStrDoubleClickConduct},
    {IDC_PREFS_FRAMELINKS, 2, kStrSpecialConduct},
    {IDC_PREFS_FRAMELIST, 2, kStrListConduct},
    {IDC_PREFS_FRAMEHOTKEY, 3, kStrHotkey},
    {IDC_PREFS_LABHOTKEYHINT, 3, kStrHotkeyHint},
    {IDC_PREFS_FRAMEHOTEDIT, 3, kStrEditHotkey},
    {IDC_PREFS_LABHOTEDITHINT, 3, kStrEditHotkeyHint},
    {IDC_PREFS_FRAMEHOTMENU, 3, kStrMenuHotkey},
    {IDC_PREFS_LABHOTMENUHINT, 3, kStrMenuHotkeyHint},
    {IDC_PREFS_LABALTGRHINT, 3, kStrAltGrHint},
    {IDC_PREFS_FRAMETEXTKEY, 4, kStrTextHotkey},
    {IDC_PREFS_LABTEXTKEYHINT, 4, kStrTextHotkeyHint},
    {IDC_PREFS_LABTEXTBLOCK, 4, kStrTextBlockLabel},
    {IDC_PREFS_FRAMELANGUAGE, 5, kStrLanguage},
    {IDC_PREFS_LABLANGUAGEHINT, 5, kStrLanguageRestartHint},
    {IDC_PREFS_FRAMEBEHAVIOUR, 6, kStrConduct},
    {IDC_PREFS_LABREGSAVEHINT, 6, kStrSaveAfterEachChangeHint},
    {IDC_PREFS_FRAMELIMITS, 6, kStrPermissibleLimits},
    {IDC_PREFS_LABKEYSTROKELIMIT, 6, kStrKeystrokeLimit},
};

const int kPageCaptions[kPrefsPages] = {kStrGeneral,    kStrDisplay,  kStrLists,        kStrKeyboard,
                                        kStrTextBlocks, kStrLanguage, kStrMiscellaneous};

// Controls on a themed tab page draw on the page's texture instead of the plain
// dialog face. Themes arrived with XP's uxtheme; without it nothing changes.
void useTabTexture(HWND dialog) {
  HMODULE theme = LoadLibraryW(L"uxtheme.dll");
  FARPROC proc = theme ? GetProcAddress(theme, "EnableThemeDialogTexture") : nullptr;
  if (!proc) return;
  using Enable = HRESULT(WINAPI*)(HWND, DWORD);
  constexpr DWORD kEnableTab = 6;  // ETDT_ENABLE | ETDT_USETABTEXTURE
  reinterpret_cast<Enable>(reinterpret_cast<void (*)()>(proc))(dialog, kEnableTab);
}

void fill(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// A band of `half` pixels either side of the line from `from` to `to`.
void band(HDC dc, POINT from, POINT to, double half, COLORREF colour) {
  const double dx = to.x - from.x, dy = to.y - from.y, length = std::sqrt(dx * dx + dy * dy);
  const LONG nx = std::lround(-dy / length * half), ny = std::lround(dx / length * half);
  const POINT corners[] = {{from.x + nx, from.y + ny}, {to.x + nx, to.y + ny}, {to.x - nx, to.y - ny},
                           {from.x - nx, from.y - ny}};
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  Polygon(dc, corners, 4);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
}

// The two language flags, drawn to the size the dialog gives them.
void drawFlag(HDC dc, RECT r, bool german) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  if (german) {
    const COLORREF bands[] = {RGB(0, 0, 0), RGB(221, 0, 0), RGB(255, 206, 0)};
    for (int i = 0; i < 3; ++i) fill(dc, {r.left, r.top + h * i / 3, r.right, r.top + h * (i + 1) / 3}, bands[i]);
  } else {
    const COLORREF white = RGB(255, 255, 255), red = RGB(200, 16, 46);
    fill(dc, r, RGB(1, 33, 105));
    for (const POINT& end : {POINT{r.right, r.bottom}, POINT{r.right, r.top}}) {
      const POINT start = {r.left, end.y == r.bottom ? r.top : r.bottom};
      band(dc, start, end, h / 10.0, white);
      band(dc, start, end, h / 25.0, red);
    }
    const int cx = r.left + w / 2, cy = r.top + h / 2;
    fill(dc, {r.left, cy - h / 6, r.right, cy + h / 6 + 1}, white);
    fill(dc, {cx - h / 6, r.top, cx + h / 6 + 1, r.bottom}, white);
    fill(dc, {r.left, cy - h / 10, r.right, cy + h / 10 + 1}, red);
    fill(dc, {cx - h / 10, r.top, cx + h / 10 + 1, r.bottom}, red);
  }
  RestoreDC(dc, saved);
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

// The dialog whose keys the filter watches; one Preferences dialog is open at a time.
PrefsDialog* keyTarget = nullptr;
HHOOK keyHook = nullptr;

const Item* itemOf(C control) {
  const Item& i = kItems[static_cast<int>(control)];
  return i.control == control ? &i : nullptr;
}

}  // namespace

void PrefsDialog::run(HWND owner) {
  // The dialog manager takes Ctrl+Tab for plain Tab before the dialog sees it;
  // a message filter sees the keys of the modal loop first.
  keyTarget = this;
  keyHook = SetWindowsHookExW(WH_MSGFILTER, keyFilter, nullptr, GetCurrentThreadId());
  runModal(IDD_PREFS, owner);
  if (keyHook) UnhookWindowsHookEx(keyHook);
  keyHook = nullptr;
  keyTarget = nullptr;
}

LRESULT CALLBACK PrefsDialog::keyFilter(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && message && message->message == WM_KEYDOWN && keyTarget && keyTarget->hwnd() &&
      (message->hwnd == keyTarget->hwnd() || IsChild(keyTarget->hwnd(), message->hwnd)) &&
      GetKeyState(VK_CONTROL) < 0) {
    const WPARAM key = message->wParam;
    const bool back = key == VK_PRIOR || (key == VK_TAB && GetKeyState(VK_SHIFT) < 0);
    if (key == VK_TAB || key == VK_PRIOR || key == VK_NEXT) {
      try {
        keyTarget->turnPage(back ? -1 : 1);
      } catch (...) {
      }
      return TRUE;
    }
  }
  return CallNextHookEx(keyHook, code, wParam, lParam);
}

void PrefsDialog::turnPage(int step) {
  showPage((page_ + step + kPrefsPages) % kPrefsPages);
  SetFocus(GetDlgItem(hwnd(), IDC_PREFS_TABS));
}

INT_PTR PrefsDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      init();
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) frm_.Form_Activate();
      return FALSE;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_HSCROLL: {
      PrefsControl control;
      if (lParam && controlOf(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), control))
        frm_.sliderMoved(control, LOWORD(wParam) == TB_ENDTRACK);
      return TRUE;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header && header->idFrom == IDC_PREFS_TABS && header->code == TCN_SELCHANGE)
        showPage(TabControl(GetDlgItem(hwnd(), IDC_PREFS_TABS)).current());
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (!draw || (draw->CtlID != IDC_PREFS_IMGLANGUAGEGERMAN && draw->CtlID != IDC_PREFS_IMGLANGUAGEENGLISH))
        return FALSE;
      drawFlag(draw->hDC, draw->rcItem, draw->CtlID == IDC_PREFS_IMGLANGUAGEGERMAN);
      return TRUE;
    }
    case WM_TIMER:
      if (wParam == kPreviewTimer) frm_.timerPreview_Timer();
      return TRUE;
    case WM_DESTROY:
      KillTimer(hwnd(), kPreviewTimer);
      return FALSE;
    default:
      return FALSE;
  }
}

void PrefsDialog::init() {
  Quiet quiet(quiet_);
  Control(hwnd()).setText(app_.str(kStrVornixSettings));
  Control(GetDlgItem(hwnd(), IDOK)).setText(app_.str(kStrOK));
  Control(GetDlgItem(hwnd(), IDCANCEL)).setText(app_.str(kStrCancel));
  Control(GetDlgItem(hwnd(), IDC_PREFS_SAVE)).setText(app_.str(kStrApply));
  // Captions go through the formatter for their line breaks.
  for (const Item& i : kItems)
    if (i.caption) Control(GetDlgItem(hwnd(), i.id)).setText(formatMessage({app_.str(i.caption)}));
  for (const Label& l : kLabels)
    if (l.caption) Control(GetDlgItem(hwnd(), l.id)).setText(formatMessage({app_.str(l.caption)}));
  for (int digit = 0; digit <= 9; ++digit)
    Control(item(static_cast<C>(static_cast<int>(C::opt0) + digit))).setText(Text(1, static_cast<char16_t>(u'0' + digit)));
  for (C letter : {C::txtHotkey, C::txtHotedit, C::txtHotmenu}) Control(item(letter)).send(EM_SETLIMITTEXT, 1);
  Control(item(C::rtbKey)).send(EM_SETLIMITTEXT, 0);

  TabControl tabs(GetDlgItem(hwnd(), IDC_PREFS_TABS));
  for (int p = 0; p < kPrefsPages; ++p) tabs.insertTab(p, app_.str(kPageCaptions[p]));

  useTabTexture(hwnd());
  frm_.Form_Load();
  showPage(0);
  centreOverOwner();
}

void PrefsDialog::centreOverOwner() {
  HWND owner = GetWindow(hwnd(), GW_OWNER);
  RECT area = {}, box = {}, work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &area);
  else area = work;
  GetWindowRect(hwnd(), &box);
  const int w = box.right - box.left, h = box.bottom - box.top;
  int x = area.left + (area.right - area.left - w) / 2;
  int y = area.top + (area.bottom - area.top - h) / 2;
  if (x + w > work.right) x = work.right - w;
  if (y + h > work.bottom) y = work.bottom - h;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PrefsDialog::onCommand(int id, int code) {
  switch (id) {
    case IDOK: frm_.OKButton_Click(); return;
    case IDCANCEL: frm_.CancelButton_Click(); return;
    case IDC_PREFS_SAVE: frm_.SaveButton_Click(); return;
    default: break;
  }
  PrefsControl control;
  if (quiet_ || !controlOf(id, control)) return;
  switch (code) {
    case BN_CLICKED: frm_.click(control); break;
    case BN_SETFOCUS:
    case EN_SETFOCUS:
    case CBN_SETFOCUS: frm_.gotFocus(control); break;
    case EN_KILLFOCUS: frm_.lostFocus(control); break;
    case EN_CHANGE: frm_.changed(control); break;
    default: break;
  }
}

HWND PrefsDialog::item(PrefsControl control) const {
  const Item* i = itemOf(control);
  return i ? GetDlgItem(hwnd(), i->id) : nullptr;
}

bool PrefsDialog::controlOf(int id, PrefsControl& control) const {
  for (const Item& i : kItems) {
    if (i.id != id) continue;
    control = i.control;
    return true;
  }
  return false;
}

bool PrefsDialog::checked(PrefsControl control) { return Button(item(control)).checked(); }

void PrefsDialog::setChecked(PrefsControl control, bool on) {
  Quiet quiet(quiet_);
  Button(item(control)).setChecked(on);
}

Text PrefsDialog::text(PrefsControl control) {
  HWND window = item(control);
  const int length = GetWindowTextLengthW(window);
  Text value(static_cast<size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(window, wideBuffer(value), length + 1);
  value.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return value;
}

void PrefsDialog::setText(PrefsControl control, const Text& text) {
  Quiet quiet(quiet_);
  Control(item(control)).setText(text);
}

int PrefsDialog::value(PrefsControl control) {
  Control c(item(control));
  if (control == C::cmbOSDAlignment) return static_cast<int>(c.send(CB_GETCURSEL));
  return static_cast<int>(c.send(TBM_GETPOS));
}

void PrefsDialog::setValue(PrefsControl control, int value) {
  Quiet quiet(quiet_);
  Control c(item(control));
  if (control == C::cmbOSDAlignment) c.send(CB_SETCURSEL, value);
  else c.send(TBM_SETPOS, TRUE, value);
}

void PrefsDialog::setItems(PrefsControl control, const std::vector<Text>& items) {
  Quiet quiet(quiet_);
  Control c(item(control));
  c.send(CB_RESETCONTENT);
  for (const Text& t : items) c.send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(t)));
}

void PrefsDialog::setSliderRange(PrefsControl slider, int low, int high, int smallStep, int largeStep) {
  Control c(item(slider));
  c.send(TBM_SETRANGEMIN, FALSE, low);
  c.send(TBM_SETRANGEMAX, TRUE, high);
  c.send(TBM_SETLINESIZE, 0, smallStep);
  c.send(TBM_SETPAGESIZE, 0, largeStep);
  c.send(TBM_SETTICFREQ, largeStep);
}

void PrefsDialog::setEnabled(PrefsControl control, bool on) { Control(item(control)).enable(on); }

void PrefsDialog::setVisible(PrefsControl control, bool on) {
  const Item* i = itemOf(control);
  if (!i) return;
  hidden_[i->id] = !on;
  applyVisibility(i->id, prefsPageOf(control));
}

void PrefsDialog::applyVisibility(int id, int page) {
  auto it = hidden_.find(id);
  const bool hidden = it != hidden_.end() && it->second;
  Control(GetDlgItem(hwnd(), id)).show(page == page_ && !hidden);
}

void PrefsDialog::showPage(int page) {
  if (page < 0 || page >= kPrefsPages) return;
  page_ = page;
  TabControl(GetDlgItem(hwnd(), IDC_PREFS_TABS)).setCurrent(page);
  for (const Item& i : kItems) applyVisibility(i.id, prefsPageOf(i.control));
  for (const Label& l : kLabels) applyVisibility(l.id, l.page);
  // A page turned while a control handles a click (the focus moved to a box of
  // another page) would otherwise keep the frames of its edit boxes unpainted.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void PrefsDialog::focus(PrefsControl control) {
  HWND window = item(control);
  SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window), TRUE);
  // A refused entry is selected, so that typing replaces it.
  Control c(window);
  if (c.send(WM_GETDLGCODE) & DLGC_HASSETSEL) c.send(EM_SETSEL, 0, -1);
}

void PrefsDialog::tell(const Text& text, const Text& title) {
  MessageBoxW(hwnd(), wide(text), wide(title), MB_OK | MB_ICONEXCLAMATION);
}

void PrefsDialog::setPreviewInterval(int milliseconds) {
  if (milliseconds > 0) SetTimer(hwnd(), kPreviewTimer, static_cast<UINT>(milliseconds), nullptr);
  else KillTimer(hwnd(), kPreviewTimer);
}

bool PrefsDialog::translucencySupported() { return isLayeringSupported(); }

void PrefsDialog::setAlpha(int alpha) { setTranslucency(hwnd(), static_cast<BYTE>(alpha)); }

void PrefsDialog::makeOpaque() { ui::makeOpaque(hwnd()); }

void PrefsDialog::close() { EndDialog(hwnd(), IDOK); }

}  // namespace vornix::ui
