#include "core/quick/mini_mode.h"

#include <cmath>
#include <string>

#include "base/ustr.h"
#include "core/app/twips.h"
#include "core/clip/helpers.h"
#include "core/quick/translucency.h"

namespace vornix {

namespace {

constexpr int kMenuRows = 50;
constexpr int kCaptionLength = 50;
// A window seen through entirely could not be found again to switch it back.
constexpr int kLeastAlpha = 51;

// A stored coordinate in twips; `fallback` (pixels) when missing or not a number.
// A stored position in twips, in pixels of this screen; `fallback` when it is
// missing or damaged.
long readPixels(platform::SettingsStore& store, const char16_t* name, long fallback, int dpi) {
  const std::optional<Text> value = store.read(name);
  double twips = 0;
  if (!value || !ustr::parseNumber(*value, twips) || std::fabs(twips) > 1e9) return fallback;
  return twipsToPixels(twips, dpi);
}

// Moves `w` into `area`; a window larger than the area keeps its top-left corner in it.
void keepInside(Rect& w, const Rect& area) {
  if (w.left + w.width > area.left + area.width) w.left = area.left + area.width - w.width;
  if (w.top + w.height > area.top + area.height) w.top = area.top + area.height - w.height;
  if (w.left < area.left) w.left = area.left;
  if (w.top < area.top) w.top = area.top;
}

}  // namespace

TrayMenu buildTrayMenu(const App& app, const EntryRows& rows) {
  TrayMenu menu;
  const Text textType = app.textTypeName.empty() ? app.str(kStrText) : app.textTypeName;
  const int count = rows.count() < kMenuRows ? rows.count() : kMenuRows;
  for (int i = 0; i < count; ++i) {
    const Row& row = rows.at(i);
    const Text& kind = row.cells[kColType];
    std::vector<TrayMenuItem>* list = kind == u"URL" ? &menu.urls : kind == u"E-Mail" ? &menu.emails
                                      : kind == textType ? &menu.entries : nullptr;
    if (list) list->push_back({shortenText(row.cells[kColContent], kCaptionLength), row.id});
  }
  for (auto* list : {&menu.entries, &menu.urls, &menu.emails})
    if (list->empty()) list->push_back({app.str(kStrEmptyList), 0});

  menu.recordMode = app.options.number(kProtocolMode) == 1;
  menu.showTextKeys = app.hotkeys.textkeyBol;
  if (menu.showTextKeys) {
    for (int n = 0; n < 10; ++n)
      menu.textKeys.push_back(ustr::fromInt(n) + u":  " + shortenText(app.textBlocks[n], kCaptionLength));
  }
  return menu;
}

void FrmVornixDrop::load() {
  if (loaded_) {
    restore();
    return;
  }
  loaded_ = true;
  view_.showMainWindow(false);
  const Rect main = mainView_.windowRect();
  Rect r = view_.windowRect();
  r.left = readPixels(app_.sys.store, u"MMwinLeft", main.left, app_.screenDpi);
  r.top = readPixels(app_.sys.store, u"MMwinTop", main.top, app_.screenDpi);
  // The screen it was stored on may be gone.
  keepInside(r, view_.workAreaNear(r));
  view_.moveTo(r.left, r.top);
  parked_ = false;

  view_.setTopMostChecked(mainView_.topMostChecked());
  chkTopMost_Click();
  view_.showWindow(true);
  view_.addTrayIcon();
  if (app_.options.number(kMiniWindow) == 0) {
    park();
  } else {
    const int alpha = opacityToAlpha(app_.options, -1);
    if (alpha < 255) {
      view_.setTranslucency(alpha < kLeastAlpha ? kLeastAlpha : alpha);
      translucent_ = true;
    }
  }
}

void FrmVornixDrop::closeMiniMode() {
  if (!loaded_) return;
  view_.removeTrayIcon();
  if (translucent_) view_.makeOpaque();
  translucent_ = false;
  savePosition();
  if (view_.editorOpen()) view_.closeEditor(app_.askQuestion(app_.str(kStrOvertakeChanges), 1) == 1);
  view_.setTopMost(false);
  mainView_.setTopMostChecked(view_.topMostChecked());
  frm_.chkTopMost_Click();
  loaded_ = false;
  view_.showMainWindow(true);
  view_.showWindow(false);
}

void FrmVornixDrop::unloadAtExit() {
  if (!loaded_) return;
  loaded_ = false;
  view_.removeTrayIcon();
  savePosition();
  view_.showWindow(false);
}

void FrmVornixDrop::savePosition() {
  if (parked_ || app_.options.number(kMiniWindow) <= 0 || view_.windowState() != WindowState::Normal) return;
  const Rect r = view_.windowRect();
  app_.sys.store.write(u"MMwinLeft", ustr::fromInt(pixelsToTwips(r.left, app_.screenDpi)));
  app_.sys.store.write(u"MMwinTop", ustr::fromInt(pixelsToTwips(r.top, app_.screenDpi)));
}

void FrmVornixDrop::activate() { app_.modalOpen = false; }

void FrmVornixDrop::deactivate() {
  if (loaded_ && app_.options.number(kMiniWindow) == 0) park();
}

void FrmVornixDrop::park() {
  const Rect r = view_.windowRect();
  view_.moveTo(-r.width, r.top);
  parked_ = true;
}

void FrmVornixDrop::chkTopMost_Click() {
  view_.setTopMost(view_.topMostChecked());
  deactivate();
}

void FrmVornixDrop::trayNotify(int notice) {
  if (!loaded_) return;
  switch (notice) {
    case kTrayLeftUp:
      if (!parked_) restore();
      break;
    case kTrayLeftDoubleClick:
      closeMiniMode();
      break;
    case kTrayRightUp:
      showTrayMenu();
      break;
    default:
      break;
  }
}

void FrmVornixDrop::restore() {
  view_.restoreWindow();
  if (app_.options.number(kMiniWindow) == 0) {
    Rect r = view_.windowRect();
    r.left = readPixels(app_.sys.store, u"MMwinLeft", mainView_.windowRect().left, app_.screenDpi);
    keepInside(r, view_.workAreaNear(r));
    view_.moveTo(r.left, r.top);
    parked_ = false;
  }
  view_.showWindow(true);
}

void FrmVornixDrop::showTrayMenu() {
  const TrayMenu menu = buildTrayMenu(app_, frm_.rows());
  runTrayCommand(view_.showTrayMenu(menu), menu);
}

void FrmVornixDrop::runTrayCommand(int command, const TrayMenu& menu) {
  if (command >= kTrayTextKeyBase) {
    const int n = command - kTrayTextKeyBase;
    if (n < 10 && app_.hotkeys.textkeyBol && applyTextKey) applyTextKey(n);
    return;
  }
  if (command >= kTrayEntryBase) {
    const int base = command >= kTrayEMailBase ? kTrayEMailBase : command >= kTrayURLBase ? kTrayURLBase : kTrayEntryBase;
    const std::vector<TrayMenuItem>& list =
        base == kTrayEMailBase ? menu.emails : base == kTrayURLBase ? menu.urls : menu.entries;
    const size_t item = static_cast<size_t>(command - base);
    // The list may have changed while the menu was open: the row is found by its identity.
    const int index = item < list.size() && list[item].rowId ? frm_.rows().indexOf(list[item].rowId) : -1;
    if (index >= 0) {
      frm_.selectEntry(index);
      frm_.tbMain_ButtonClick(Command::TbCopy);
    }
    return;
  }
  switch (command) {
    case kTrayProtocol:
      app_.options.setOption(kProtocolMode, static_cast<std::int16_t>(menu.recordMode ? 0 : 1));
      frm_.changeProtocolMode();
      break;
    case kTrayRestore:
      restore();
      break;
    case kTrayExit:
      closeMiniMode();
      break;
    case kTrayEdit:
      buttonClick(MiniButton::Edit);
      break;
    case kTrayPaste:
      buttonClick(MiniButton::Clip);
      break;
    default:
      break;
  }
}

void FrmVornixDrop::buttonClick(MiniButton button) {
  switch (button) {
    case MiniButton::Clip:
      frm_.FromClipboard();
      deactivate();
      break;
    case MiniButton::Edit: {
      const int selected = frm_.getSelectedIndex();
      if (selected >= 0) frm_.EditItem(selected);
      deactivate();
      break;
    }
    case MiniButton::List:
      closeMiniMode();
      break;
  }
}

void FrmVornixDrop::dropped(MiniButton button) {
  if (button != MiniButton::Clip) buttonClick(button);
}

void FrmVornixDrop::taskbarCreated() {
  if (loaded_) view_.addTrayIcon();
}

}  // namespace vornix
