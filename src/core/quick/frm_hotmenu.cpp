#include "core/quick/frm_hotmenu.h"

#include <utility>

#include "core/clip/helpers.h"

namespace vornix {

namespace {

constexpr int kLineLength = 50;
constexpr char16_t kCantOpenClipboard[] = u"Can't open Clipboard";

}  // namespace

std::vector<HotmenuLine> hotmenuLines(const Text& clipText, const EntryRows& rows) {
  std::vector<HotmenuLine> lines;
  lines.reserve(static_cast<size_t>(rows.count()) + 1);
  if (!clipText.empty()) lines.push_back({shortenText(clipText, kLineLength), 0, true});
  for (int i = 0; i < rows.count(); ++i) lines.push_back({shortenText(rows.at(i).cells[kColContent], kLineLength), i});
  return lines;
}

FrmHotmenu::FrmHotmenu(App& app, FrmVornix& frm, MainView& main, QuickAccess& quick, platform::Keyboard& keyboard,
                       HotmenuView& view)
    : app_(app), frm_(frm), main_(main), quick_(quick), keyboard_(keyboard), view_(view) {}

void FrmHotmenu::load() {
  open_ = true;
  picking_ = false;
  app_.hotmenuShown = true;
  target_ = keyboard_.activeWindow();

  // Top-left corner at the pointer, pushed back inside the pointer's monitor at the right and bottom.
  const platform::Point at = keyboard_.cursorPos();
  Rect r = view_.windowRect();
  r.left = at.x;
  r.top = at.y;
  keepOnScreen(r, view_.screenAt(at));
  view_.moveTo(r.left, r.top);
  view_.setTopMost(true);

  clipText_.clear();
  // A text its owner marked private is neither listed nor handed on. The one
  // reading also brings the main window's status bar up to date, so that the
  // menu's status line shows the clipboard now, not when the window last looked.
  platform::ClipContent content;
  if (app_.sys.clipboard.read(content, platform::ClipContent::kWhole) == platform::ClipStatus::Ok) {
    frm_.showClipboard(content);
    if (content.hasText) clipText_ = std::move(content.text);
  }
  lines_ = hotmenuLines(clipText_, frm_.rows());
  view_.setLines(lines_);
  view_.setStatus(frm_.clipboardPanel());
  if (!lines_.empty()) view_.selectLine(0);
  view_.setCheckTimer(true);
}

void FrmHotmenu::activity() {
  if (!open_ || picking_) return;
  view_.setCheckTimer(false);
  view_.setCheckTimer(true);
}

void FrmHotmenu::lstHotmenu_KeyUp(int key) {
  if (!open_ || picking_) return;
  if (key == kKeyEnter || key == kKeySpace) {
    view_.setCheckTimer(false);
    // Set first: handing the front to the target takes the focus from the list.
    picking_ = true;
    view_.setTopMost(false);
    if (target_ > 0) keyboard_.setForegroundWindow(target_);
    view_.setPickTimer(true);
  } else if (key == kKeyEsc) {
    unload();
  } else {
    activity();
  }
}

void FrmHotmenu::lstHotmenu_LostFocus() {
  if (!picking_) unload();
}

void FrmHotmenu::timHotmenu_Timer() {
  view_.setPickTimer(false);
  view_.setCheckTimer(false);
  if (!open_) return;
  const int line = view_.selectedLine();
  if (line >= 0 && line < static_cast<int>(lines_.size())) {
    if (line == 0 && !clipText_.empty()) {
      pasteHotmenuText(clipText_);
    } else {
      const int index = lines_[line].value;
      if (index >= 0 && index < frm_.rows().count()) {
        // Handing over may file our own clipboard write and move rows: keep to the row's identity.
        const Row& row = frm_.rows().at(index);
        const int id = row.id;
        const Text text = row.cells[kColContent];
        pasteHotmenuText(text);
        frm_.countUse(id);
      }
    }
  }
  unload();
}

void FrmHotmenu::pasteHotmenuText(const Text& text) {
  if (text.empty()) return;
  if (app_.options.isOn(kHotmenuKeystroke)) quick_.insertKeystrokes(text, target_);
  if (app_.options.isOn(kHotmenuClipboard)) {
    // Our own clipboard change is filed like any other.
    app_.hotmenuShown = false;
    const platform::ClipStatus status = app_.sys.clipboard.writeText(text);
    app_.hotmenuShown = open_;
    if (status != platform::ClipStatus::Ok) app_.showError(Text(u"pasteHotmenuText: \r\n") + kCantOpenClipboard);
  }
}

void FrmHotmenu::unload() {
  if (!open_) return;
  open_ = false;
  picking_ = false;
  app_.hotmenuShown = false;
  view_.setCheckTimer(false);
  view_.setPickTimer(false);
  if (main_.isVisible()) main_.setTopMost(main_.topMostChecked());
  view_.close();
}

}  // namespace vornix
