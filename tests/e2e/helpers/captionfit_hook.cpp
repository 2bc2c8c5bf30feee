// The measuring half of probe's fit, loaded into the program's own user-interface
// thread as a message hook: fonts are objects of the process that made them, so
// the captions are measured where the controls live. On the request message it
// measures every caption of the thread's open dialog boxes (static texts, push
// buttons, check boxes, option buttons, group boxes) by the system's own text
// measuring in the control's font, and sends the report to the window named in
// the request (WM_COPYDATA, UTF-8 lines): a caption that wraps out of its
// control's height or runs past its width is a CUT line.
#include "helper_io.h"

#include <algorithm>

namespace {

struct Room {
  int width = 0, height = 0;
  bool wraps = false;
};

struct Caption {
  std::wstring text;
  Room room;
  bool prefix = true;  // "&" marks an access key
};

int dpiOf(HDC dc) { return GetDeviceCaps(dc, LOGPIXELSY); }
int scale(int size96, int dpi) { return MulDiv(size96, dpi, 96); }

// The room a control leaves for its caption, as the system's controls lay it out;
// false for a control whose text is not a caption (pictures, owner drawn, elided).
bool roomOf(HWND control, HDC dc, Caption& caption) {
  const std::wstring cls = helper::className(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  RECT client = {};
  GetClientRect(control, &client);
  Room& room = caption.room;
  room.width = client.right - client.left;
  room.height = client.bottom - client.top;
  const int dpi = dpiOf(dc);
  if (lstrcmpiW(cls.c_str(), L"Static") == 0) {
    const LONG type = style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
      return false;
    if (style & SS_ELLIPSISMASK) return false;  // shortened on purpose, as a path
    room.wraps = type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE;
    caption.prefix = !(style & SS_NOPREFIX);
    return true;
  }
  if (lstrcmpiW(cls.c_str(), L"Button") != 0 || (style & (BS_ICON | BS_BITMAP))) return false;
  const LONG type = style & BS_TYPEMASK;
  room.wraps = (style & BS_MULTILINE) != 0;
  SIZE zero = {};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  switch (type) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: {
      // The raised edge, and the gap that keeps the text off it, on both sides.
      const int edge = 2 * (GetSystemMetrics(SM_CXEDGE) + 2);
      room.width -= edge;
      room.height -= edge;
      return true;
    }
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      // The box, then half a digit's width before the text.
      room.width -= scale(12, dpi) + 1 + zero.cx / 2;
      return true;
    case BS_GROUPBOX:
      // The caption sits in the frame's top line, indented from both corners.
      room.width -= std::max(14L, 2 * zero.cx);
      room.wraps = false;
      return true;
    default:
      return false;
  }
}

// The size the caption takes when the system draws it in the room given.
SIZE measure(HDC dc, const Caption& caption) {
  RECT r = {0, 0, caption.room.width, 0};
  UINT format = DT_CALCRECT | DT_EXPANDTABS | (caption.prefix ? 0 : DT_NOPREFIX);
  format |= caption.room.wraps ? DT_WORDBREAK : DT_SINGLELINE;
  DrawTextW(dc, caption.text.c_str(), static_cast<int>(caption.text.size()), &r, format);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

std::string report() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), helper::collectWindow, reinterpret_cast<LPARAM>(&windows));
  std::string out;
  HDC dc = GetDC(nullptr);
  for (HWND box : windows) {
    if (helper::className(box) != L"#32770" || !IsWindowVisible(box)) continue;
    int checked = 0;
    std::string faults;
    for (HWND control : helper::windows(box)) {
      if (!IsWindowVisible(control)) continue;
      Caption caption;
      caption.text = helper::textOf(control);
      if (caption.text.empty()) continue;
      // The font the control draws with; none set means the system font.
      HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
      HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
      if (roomOf(control, dc, caption)) {
        ++checked;
        const SIZE need = measure(dc, caption);
        if (need.cx > caption.room.width || need.cy > caption.room.height) {
          faults += "CUT\t" + helper::field(helper::textOf(box)) + "\t" + std::to_string(GetDlgCtrlID(control)) + "\t" +
                    helper::field(caption.text) + "\tneeds " + std::to_string(need.cx) + "x" +
                    std::to_string(need.cy) + ", has " + std::to_string(caption.room.width) + "x" +
                    std::to_string(caption.room.height) + "\r\n";
        }
      }
      SelectObject(dc, old);
    }
    out += "box\t" + helper::field(helper::textOf(box)) + "\t" + std::to_string(checked) + " captions\r\n" + faults;
  }
  ReleaseDC(nullptr, dc);
  return out;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK captionfitHook(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT request = RegisterWindowMessageW(L"VornixCaptionFit");
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message && message->hwnd == nullptr &&
      message->message == request) {
    const std::string text = report();
    COPYDATASTRUCT data = {};
    data.cbData = static_cast<DWORD>(text.size());
    data.lpData = const_cast<char*>(text.data());
    SendMessageW(reinterpret_cast<HWND>(message->lParam), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    message->message = WM_NULL;  // answered: nothing left for the program to do with it
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
