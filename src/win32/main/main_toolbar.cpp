#include "win32/main/main_toolbar.h"

#include "core/clip/helpers.h"
#include "win32/common/dpi.h"
#include "win32/common/resource.h"

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
    {kStrFromInput, Image::Std, STD_FILENEW},
    {kStrImportFile, Image::Std, STD_FILEOPEN},
    {0, Image::None, 0},
    {kStrCut, Image::Std, STD_CUT},
    {kStrToClipboard, Image::Std, STD_COPY},
    {kStrFromClipboard, Image::Std, STD_PASTE},
    {0, Image::None, 0},
    {kStrChangeEntry, Image::Std, STD_PROPERTIES},
    {kStrDeleteEntry, Image::Std, STD_DELETE},
    {kStrDeleteList, Image::Own, kOwnClear},
    {0, Image::None, 0},
    {kStrOpen, Image::Own, kOwnOpen},
    {0, Image::None, 0},
    {kStrMiniMode, Image::Own, kOwnMini},
};

constexpr COLORREF kMaskColor = RGB(255, 0, 255);

// The standard images come in 16 and 24 pixels; the nearer size to the screen's
// scale stays sharp, where a stretched bitmap would blur.
int imageSize() { return dpiScale(16) >= 24 ? 24 : 16; }

// The own images are drawn on a 16-unit grid scaled to the image size.
struct Canvas {
  HDC dc;
  int size;
  int x = 0;  // left edge of the image being drawn
  int at(int unit) const { return unit * size / 16; }
  int px(int unit) const { return x + at(unit); }
};

void fill(const Canvas& c, int left, int top, int right, int bottom, COLORREF color) {
  RECT r = {c.px(left), c.at(top), c.px(right), c.at(bottom)};
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(c.dc, &r, brush);
  DeleteObject(brush);
}

void line(const Canvas& c, int x1, int y1, int x2, int y2, COLORREF color, int width) {
  HPEN pen = CreatePen(PS_SOLID, c.at(width) > 0 ? c.at(width) : 1, color);
  HGDIOBJ old = SelectObject(c.dc, pen);
  MoveToEx(c.dc, c.px(x1), c.at(y1), nullptr);
  LineTo(c.dc, c.px(x2), c.at(y2));
  SelectObject(c.dc, old);
  DeleteObject(pen);
}

void frame(const Canvas& c, int left, int top, int right, int bottom, COLORREF color) {
  RECT r = {c.px(left), c.at(top), c.px(right), c.at(bottom)};
  HBRUSH brush = CreateSolidBrush(color);
  FrameRect(c.dc, &r, brush);
  DeleteObject(brush);
}

void drawClear(const Canvas& c) {
  fill(c, 1, 1, 13, 15, RGB(255, 255, 255));
  frame(c, 1, 1, 13, 15, RGB(64, 64, 64));
  for (int y = 4; y <= 11; y += 3) line(c, 3, y, 11, y, RGB(0, 0, 128), 1);
  line(c, 8, 8, 15, 15, RGB(200, 0, 0), 2);
  line(c, 15, 8, 8, 15, RGB(200, 0, 0), 2);
}

void drawOpen(const Canvas& c) {
  HBRUSH brush = CreateSolidBrush(RGB(64, 128, 224));
  HPEN pen = CreatePen(PS_SOLID, c.at(1) > 0 ? c.at(1) : 1, RGB(0, 48, 128));
  HGDIOBJ oldBrush = SelectObject(c.dc, brush), oldPen = SelectObject(c.dc, pen);
  Ellipse(c.dc, c.px(1), c.at(1), c.px(15), c.at(15));
  SelectObject(c.dc, GetStockObject(NULL_BRUSH));
  Ellipse(c.dc, c.px(5), c.at(1), c.px(11), c.at(15));
  SelectObject(c.dc, oldBrush);
  SelectObject(c.dc, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
  line(c, 2, 8, 14, 8, RGB(0, 48, 128), 1);
  line(c, 3, 4, 13, 4, RGB(0, 48, 128), 1);
  line(c, 3, 11, 13, 11, RGB(0, 48, 128), 1);
}

void drawMini(const Canvas& c) {
  frame(c, 0, 0, 16, 16, RGB(128, 128, 128));
  fill(c, 6, 7, 15, 15, RGB(255, 255, 255));
  fill(c, 6, 7, 15, 10, RGB(0, 0, 160));
  frame(c, 6, 7, 15, 15, RGB(0, 0, 0));
  line(c, 2, 2, 6, 6, RGB(0, 0, 0), 1);
  line(c, 6, 3, 6, 6, RGB(0, 0, 0), 1);
  line(c, 3, 6, 6, 6, RGB(0, 0, 0), 1);
}

// The own images side by side on the mask colour.
HBITMAP drawOwnImages(HWND window, int size) {
  HDC screen = GetDC(window);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size * kOwnCount, size);
  ReleaseDC(window, screen);
  if (!bitmap) {
    DeleteDC(dc);
    return nullptr;
  }
  HGDIOBJ old = SelectObject(dc, bitmap);
  Canvas canvas{dc, size};
  RECT all = {0, 0, size * kOwnCount, size};
  HBRUSH mask = CreateSolidBrush(kMaskColor);
  FillRect(dc, &all, mask);
  DeleteObject(mask);
  canvas.x = kOwnClear * size;
  drawClear(canvas);
  canvas.x = kOwnOpen * size;
  drawOpen(canvas);
  canvas.x = kOwnMini * size;
  drawMini(canvas);
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
  const int size = imageSize();
  toolbar_.send(TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
  toolbar_.send(TB_LOADIMAGES, size >= 24 ? IDB_STD_LARGE_COLOR : IDB_STD_SMALL_COLOR,
                reinterpret_cast<LPARAM>(HINST_COMMCTRL));

  // The standard images went into the toolbar's image list; the own ones follow them.
  int ownBase = -1;
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(toolbar_.send(TB_GETIMAGELIST));
  if (HBITMAP own = drawOwnImages(parent, size)) {
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
