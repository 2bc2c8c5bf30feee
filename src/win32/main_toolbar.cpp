#include "win32/main_toolbar.h"

#include "core/clip/helpers.h"
#include "win32/resource.h"

namespace vornix::ui {

namespace {

enum class Image { None, Std, Own };

struct ButtonDef {
  int tip;  // string number; 0 for a separator
  Image source;
  int image;
};

// Own images, drawn below: clear the list, open a link, mini mode.
enum { kOwnClear, kOwnOpen, kOwnMini, kOwnCount };

const ButtonDef kButtons[MainToolbar::kPositions + 1] = {
    {0, Image::None, 0},
    {110, Image::Std, STD_FILENEW},
    {187, Image::Std, STD_FILEOPEN},
    {0, Image::None, 0},
    {209, Image::Std, STD_CUT},
    {109, Image::Std, STD_COPY},
    {108, Image::Std, STD_PASTE},
    {0, Image::None, 0},
    {112, Image::Std, STD_PROPERTIES},
    {113, Image::Std, STD_DELETE},
    {114, Image::Own, kOwnClear},
    {0, Image::None, 0},
    {270, Image::Own, kOwnOpen},
    {0, Image::None, 0},
    {102, Image::Own, kOwnMini},
};

constexpr int kImageSize = 16;
constexpr COLORREF kMaskColor = RGB(255, 0, 255);

void fill(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
  RECT r = {left, top, right, bottom};
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color, int width) {
  HPEN pen = CreatePen(PS_SOLID, width, color);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void frame(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
  RECT r = {left, top, right, bottom};
  HBRUSH brush = CreateSolidBrush(color);
  FrameRect(dc, &r, brush);
  DeleteObject(brush);
}

void drawClear(HDC dc, int x) {
  fill(dc, x + 1, 1, x + 13, 15, RGB(255, 255, 255));
  frame(dc, x + 1, 1, x + 13, 15, RGB(64, 64, 64));
  for (int y = 4; y <= 11; y += 3) line(dc, x + 3, y, x + 11, y, RGB(0, 0, 128), 1);
  line(dc, x + 8, 8, x + 15, 15, RGB(200, 0, 0), 2);
  line(dc, x + 15, 8, x + 8, 15, RGB(200, 0, 0), 2);
}

void drawOpen(HDC dc, int x) {
  HBRUSH brush = CreateSolidBrush(RGB(64, 128, 224));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 48, 128));
  HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
  Ellipse(dc, x + 1, 1, x + 15, 15);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  Ellipse(dc, x + 5, 1, x + 11, 15);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
  line(dc, x + 2, 8, x + 14, 8, RGB(0, 48, 128), 1);
  line(dc, x + 3, 4, x + 13, 4, RGB(0, 48, 128), 1);
  line(dc, x + 3, 11, x + 13, 11, RGB(0, 48, 128), 1);
}

void drawMini(HDC dc, int x) {
  frame(dc, x + 0, 0, x + 16, 16, RGB(128, 128, 128));
  fill(dc, x + 6, 7, x + 15, 15, RGB(255, 255, 255));
  fill(dc, x + 6, 7, x + 15, 10, RGB(0, 0, 160));
  frame(dc, x + 6, 7, x + 15, 15, RGB(0, 0, 0));
  line(dc, x + 2, 2, x + 6, 6, RGB(0, 0, 0), 1);
  line(dc, x + 6, 3, x + 6, 6, RGB(0, 0, 0), 1);
  line(dc, x + 3, 6, x + 6, 6, RGB(0, 0, 0), 1);
}

// The own images side by side on the mask colour.
HBITMAP drawOwnImages(HWND window) {
  HDC screen = GetDC(window);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kImageSize * kOwnCount, kImageSize);
  ReleaseDC(window, screen);
  if (!bitmap) {
    DeleteDC(dc);
    return nullptr;
  }
  HGDIOBJ old = SelectObject(dc, bitmap);
  fill(dc, 0, 0, kImageSize * kOwnCount, kImageSize, kMaskColor);
  drawClear(dc, kOwnClear * kImageSize);
  drawOpen(dc, kOwnOpen * kImageSize);
  drawMini(dc, kOwnMini * kImageSize);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

}  // namespace

int MainToolbar::commandOf(int position) { return IDC_TB_BUTTON + position; }

int MainToolbar::positionOf(int command) {
  const int position = command - IDC_TB_BUTTON;
  return position >= 1 && position <= kPositions && kButtons[position].tip != 0 ? position : 0;
}

bool MainToolbar::create(HWND parent, HFONT font, const App& app) {
  const DWORD style = WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS |
                      TBSTYLE_WRAPABLE | CCS_TOP;
  toolbar_.attach(createControl(parent, TOOLBARCLASSNAMEW, Text(), style, 0, IDC_TBMAIN));
  if (!toolbar_.hwnd()) return false;
  toolbar_.send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  toolbar_.setFont(font);
  // Only buttons marked to show their text do; the others keep it for the tool tip.
  toolbar_.send(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
  toolbar_.send(TB_SETBITMAPSIZE, 0, MAKELPARAM(kImageSize, kImageSize));
  toolbar_.send(TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));

  // The standard images went into the toolbar's image list; the own ones follow them.
  int ownBase = -1;
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(toolbar_.send(TB_GETIMAGELIST));
  if (HBITMAP own = drawOwnImages(parent)) {
    if (images) ownBase = ImageList_AddMasked(images, own, kMaskColor);
    DeleteObject(own);
  }

  for (int p = 1; p <= kPositions; ++p) tips_[p] = removeAmpersand(app.str(kButtons[p].tip));
  Text caption = tips_[kPositions];
  caption.push_back(u'\0');  // TB_ADDSTRING takes a list that ends with an empty string
  const int captionIndex =
      static_cast<int>(toolbar_.send(TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(wide(caption))));

  TBBUTTON buttons[kPositions] = {};
  for (int p = 1; p <= kPositions; ++p) {
    const ButtonDef& def = kButtons[p];
    TBBUTTON& b = buttons[p - 1];
    b.idCommand = commandOf(p);
    b.iString = -1;
    if (def.tip == 0) {
      b.fsStyle = BTNS_SEP;
      continue;
    }
    b.fsState = TBSTATE_ENABLED;
    // Each button as wide as its own image (and text), not as the widest one.
    b.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
    if (def.source == Image::Std) b.iBitmap = def.image;
    else b.iBitmap = ownBase >= 0 ? ownBase + def.image : I_IMAGENONE;
    if (p == kPositions) {
      b.fsStyle |= BTNS_SHOWTEXT;
      b.iString = captionIndex;
    }
  }
  toolbar_.send(TB_ADDBUTTONSW, kPositions, reinterpret_cast<LPARAM>(buttons));
  toolbar_.autoSize();
  // Fixed widths from the first layout: some toolbars wrap as if every button
  // were as wide as the widest one (the one with text).
  for (int p = 1; p <= kPositions; ++p) {
    RECT r = {};
    if (kButtons[p].tip == 0 || !toolbar_.send(TB_GETITEMRECT, p - 1, reinterpret_cast<LPARAM>(&r))) continue;
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_SIZE;
    info.cx = static_cast<WORD>(r.right - r.left);
    toolbar_.send(TB_SETBUTTONINFOW, commandOf(p), reinterpret_cast<LPARAM>(&info));
  }
  return true;
}

bool MainToolbar::onNotify(const NMHDR* header) {
  if (header->code != TTN_GETDISPINFOW) return false;
  const int position = positionOf(static_cast<int>(header->idFrom));
  if (!position) return false;
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(header));
  // The tip keeps the pointer until the next request; the texts live as long as the toolbar.
  info->lpszText = const_cast<wchar_t*>(wide(tips_[position]));
  info->hinst = nullptr;
  return true;
}

}  // namespace vornix::ui
