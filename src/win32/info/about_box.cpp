#include "win32/info/about_box.h"

#include "platform/win32/machine.h"
#include "win32/common/controls.h"
#include "win32/common/dpi.h"
#include "win32/common/window.h"
#include "win32/info/info_ids.h"
#include "win32/quick/translucency.h"

namespace vornix::ui {

namespace {

constexpr COLORREF kLinkColor = RGB(0, 0, 204);
constexpr COLORREF kCreditsShadow = RGB(160, 160, 160);

UINT_PTR timerId(AboutTimer timer) { return static_cast<UINT_PTR>(timer) + 1; }

// A font like `base`, scaled and with the given weight and underline.
HFONT variantOf(HFONT base, int percent, int weight, bool underline) {
  LOGFONTW font = {};
  if (!GetObjectW(base, sizeof(font), &font)) return nullptr;
  font.lfHeight = MulDiv(font.lfHeight, percent, 100);
  font.lfWidth = 0;
  font.lfWeight = weight;
  font.lfUnderline = underline ? TRUE : FALSE;
  return CreateFontIndirectW(&font);
}

class AboutBox : public Dialog, public AboutView {
 public:
  explicit AboutBox(App& app) : app_(app), frm_(app, *this, machine_) {}
  ~AboutBox() override {
    for (HFONT font : {titleFont_, linkFont_})
      if (font) DeleteObject(font);
  }

  void run(HWND owner) { runModal(IDD_ABOUT, owner); }

  void setTexts(const AboutTexts& texts) override {
    Control(hwnd()).setText(texts.caption);
    Control(item(IDC_ABOUT_TITLE)).setText(texts.title);
    Control(item(IDC_ABOUT_VERSION)).setText(texts.version);
    Control(item(IDC_ABOUT_DESCRIPTION)).setText(texts.description);
    Control(item(IDC_ABOUT_DISCLAIMER)).setText(texts.disclaimer);
    Control(item(IDC_ABOUT_WWW)).setText(texts.homePage);
    Control(item(IDC_ABOUT_MAILTO)).setText(texts.mail);
  }

  void setCredits(const Text& text) override {
    credits_ = text;
    Control(item(IDC_ABOUT_THANKS)).invalidate();
  }

  void setTimer(AboutTimer timer, bool on) override {
    static const UINT periods[] = {FrmAbout::kIntroMs, FrmAbout::kThanksMs, FrmAbout::kThanksTextMs};
    if (on) SetTimer(hwnd(), timerId(timer), periods[static_cast<int>(timer)], nullptr);
    else KillTimer(hwnd(), timerId(timer));
  }

  bool layeringSupported() override { return isLayeringSupported(); }
  void setAlpha(int alpha) override { setTranslucency(hwnd(), static_cast<BYTE>(alpha)); }
  void makeOpaque() override { ui::makeOpaque(hwnd()); }

  void notice(const Text& text) override {
    MessageBoxW(hwnd(), wide(text), L"Vornix", MB_OK | MB_ICONINFORMATION);
  }

  void close() override {
    for (AboutTimer t : {AboutTimer::Intro, AboutTimer::Thanks, AboutTimer::ThanksText}) setTimer(t, false);
    EndDialog(hwnd(), IDOK);
  }

 protected:
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG:
        init();
        return TRUE;
      case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !activated_) {
          activated_ = true;
          frm_.activate();
        }
        return FALSE;
      case WM_TIMER:
        onTimer(wParam);
        return TRUE;
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case IDOK:
          case IDCANCEL:
            frm_.close();
            return TRUE;
          case IDC_ABOUT_SYSINFO:
            frm_.cmdSysInfo_Click();
            return TRUE;
          default:
            return FALSE;
        }
      case WM_LBUTTONDOWN:
        pressedOn_ = childAt(lParam);
        pressedAt_ = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        return TRUE;
      case WM_MOUSEMOVE:
        if ((wParam & MK_LBUTTON) && movedFar(lParam)) drag();
        return TRUE;
      case WM_LBUTTONUP:
        onClick(lParam);
        return TRUE;
      case WM_SETCURSOR:
        return setLinkCursor();
      case WM_CTLCOLORSTATIC:
        return colorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      case WM_DRAWITEM:
        if (wParam != IDC_ABOUT_THANKS) return FALSE;
        drawCredits(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      default:
        return FALSE;
    }
  }

 private:
  HWND item(int id) const { return GetDlgItem(hwnd(), id); }

  void init() {
    // Clear before it is first drawn, so that the fade-in starts from nothing.
    if (isLayeringSupported()) setTranslucency(hwnd(), 0);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    titleFont_ = variantOf(font, 160, FW_BOLD, false);
    linkFont_ = variantOf(font, 100, FW_NORMAL, true);
    if (titleFont_) Control(item(IDC_ABOUT_TITLE)).setFont(titleFont_);
    if (linkFont_)
      for (int id : {IDC_ABOUT_WWW, IDC_ABOUT_MAILTO}) Control(item(id)).setFont(linkFont_);
    Control(item(IDC_ABOUT_SYSINFO)).setText(app_.str(kStrSystemInfo));
    Control(item(IDOK)).setText(app_.str(kStrOK));
    frm_.load();
  }

  void onTimer(WPARAM id) {
    if (id == timerId(AboutTimer::Intro)) frm_.timIntro_Timer();
    else if (id == timerId(AboutTimer::Thanks)) frm_.timThanks_Timer();
    else if (id == timerId(AboutTimer::ThanksText)) frm_.timThanksText_Timer();
  }

  // The control under a point of the client area; the labels let the mouse through to the window.
  int childAt(LPARAM lParam) const {
    POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    for (int id : {IDC_ABOUT_ICON, IDC_ABOUT_WWW, IDC_ABOUT_MAILTO}) {
      RECT r = Control(item(id)).rectInParent();
      if (PtInRect(&r, p)) return id;
    }
    return 0;
  }

  bool movedFar(LPARAM lParam) const {
    const int dx = static_cast<short>(LOWORD(lParam)) - pressedAt_.x;
    const int dy = static_cast<short>(HIWORD(lParam)) - pressedAt_.y;
    return dx * dx > GetSystemMetrics(SM_CXDRAG) * GetSystemMetrics(SM_CXDRAG) ||
           dy * dy > GetSystemMetrics(SM_CYDRAG) * GetSystemMetrics(SM_CYDRAG);
  }

  // As if the missing title bar were pressed: the system moves the window with the mouse.
  void drag() {
    pressedOn_ = 0;
    ReleaseCapture();
    SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  }

  void onClick(LPARAM lParam) {
    const int pressed = pressedOn_;
    pressedOn_ = 0;
    if (!pressed || childAt(lParam) != pressed) return;
    if (pressed == IDC_ABOUT_ICON) frm_.close();
    else if (pressed == IDC_ABOUT_WWW) frm_.labWWW_Click();
    else frm_.labMailto_Click();
  }

  INT_PTR setLinkCursor() {
    POINT p = {};
    GetCursorPos(&p);
    ScreenToClient(hwnd(), &p);
    const int over = childAt(MAKELPARAM(p.x, p.y));
    if (over != IDC_ABOUT_WWW && over != IDC_ABOUT_MAILTO) return FALSE;
    // Windows 95 and NT 4 have no hand cursor; they keep the arrow.
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    if (!hand) return FALSE;
    SetCursor(hand);
    SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, TRUE);
    return TRUE;
  }

  INT_PTR colorStatic(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id != IDC_ABOUT_WWW && id != IDC_ABOUT_MAILTO) return FALSE;
    SetTextColor(dc, kLinkColor);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
  }

  // Both credits labels: the shadow and, over it, the text.
  void drawCredits(const DRAWITEMSTRUCT* draw) const {
    HDC dc = draw->hDC;
    RECT r = draw->rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    const int offset = dpiScale(1);
    RECT shadow = {r.left + offset, r.top + offset, r.right + offset, r.bottom + offset};
    SetTextColor(dc, kCreditsShadow);
    DrawTextW(dc, wide(credits_), static_cast<int>(credits_.size()), &shadow, format);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, wide(credits_), static_cast<int>(credits_.size()), &r, format);
    SelectObject(dc, old);
  }

  App& app_;
  win32::Win32Machine machine_;
  FrmAbout frm_;
  Text credits_;
  HFONT titleFont_ = nullptr;
  HFONT linkFont_ = nullptr;
  bool activated_ = false;
  int pressedOn_ = 0;
  POINT pressedAt_ = {};
};

}  // namespace

void runAboutBox(App& app, HWND owner) {
  AboutBox box(app);
  box.run(owner);
}

}  // namespace vornix::ui
