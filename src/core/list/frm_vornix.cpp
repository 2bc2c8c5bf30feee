#include "core/list/frm_vornix.h"

#include "base/ustr.h"
#include "core/clip/helpers.h"
#include "core/info/maker.h"

namespace vornix {

namespace {

constexpr unsigned kWmDrawClipboard = 0x0308;
constexpr unsigned kWmChangeCbChain = 0x030D;

}  // namespace

FrmVornix::FrmVornix(App& app, MainView& view) : app_(app), view_(view), storage_(app) {}

bool FrmVornix::commandEnabled(Command command) const { return enabled_[static_cast<int>(command)]; }

void FrmVornix::setCommand(Command command, bool enabled) {
  enabled_[static_cast<int>(command)] = enabled;
  view_.setCommandEnabled(command, enabled);
}

void FrmVornix::init() {
  caption_ = Text(kProgramTitle) + u" (" + app_.str(kStrVersion) + u" " + kProgramVersion + u")";
  view_.setCaption(caption_);
  app_.questionSuppression = false;
  ignoreNextChange_ = false;
  displayClipboard();
}

void FrmVornix::load() {
  init();
  // Commands start in the state of an empty list with an empty clipboard.
  for (Command c : {Command::TbNew, Command::TbImport, Command::TbMini})
    setCommand(c, true);
  setCommand(Command::MenEditUndo, false);
  checkListStatus();

  loadSettings();

  bool badDate = false;
  std::vector<EntryStorage::LoadedEntry> stored = storage_.load(badDate);
  for (auto& e : stored) {
    const int before = rows_.count();
    addListItem(std::move(e.text), e.protect, false, e.date, e.quantity);
    const int sel = rows_.selected();
    storage_.bind(e.slot, rows_.count() > before && sel >= 0 ? &rows_.at(sel) : nullptr);
  }
  if (badDate) app_.showError(caption_ + u" - Load: \r\nType mismatch");
  if (!stored.empty()) {
    // An empty clipboard at start gets the newest entry, so that it can be pasted at once.
    platform::ClipContent content;
    if (app_.sys.clipboard.read(content, 0) == platform::ClipStatus::Ok && !content.hasText && !content.secret) {
      app_.sys.clipboard.empty();
      if (!rows_.empty()) app_.sys.clipboard.writeText(rows_.at(0).cells[kColContent]);
    }
  }
  storage_.loadTextBlocks();
  showRows();

  changeProtocolMode(-1);
  app_.startupFlag = false;
  displayClipboard();
}

bool FrmVornix::timerInitAfterLoad() {
  if (app_.options.isOn(kStartMiniMode)) {
    if (!view_.isVisible()) return true;
    view_.enterMiniMode();
  }
  return false;
}

void FrmVornix::activate() {
  app_.modalOpen = false;
  displayClipboard();
}

void FrmVornix::deactivate() { tabCheck(); }

bool FrmVornix::queryUnload(bool systemEnding) {
  if (!systemEnding && app_.options.number(kQuestionQuit) == 1 && app_.askQuestion(app_.str(kStrQuitVornix), 1) == 2)
    return true;
  return false;
}

void FrmVornix::unload() {
  // Texts read but not yet filed are kept too.
  fileCaptured(false);
  changeProtocolMode(0);
  saveReg();
}

void FrmVornix::onDrawClipboard(std::uintptr_t wParam, std::intptr_t lParam) {
  // The viewers behind us get every change, whatever becomes of our own capture.
  try {
    ClipChanged();
  } catch (...) {
    if (nextViewer_ != 0) app_.sys.chain.send(nextViewer_, kWmDrawClipboard, wParam, lParam);
    throw;
  }
  if (nextViewer_ != 0) app_.sys.chain.send(nextViewer_, kWmDrawClipboard, wParam, lParam);
}

void FrmVornix::onChangeCbChain(platform::WindowHandle removed, platform::WindowHandle next) {
  if (removed == nextViewer_) {
    nextViewer_ = next;
  } else if (nextViewer_ != 0) {
    app_.sys.chain.send(nextViewer_, kWmChangeCbChain, removed, static_cast<std::intptr_t>(next));
  }
}

void FrmVornix::chkTopMost_Click() { view_.setTopMost(view_.topMostChecked()); }

void FrmVornix::modalDialogSteps() {
  view_.setTopMost(false);
  app_.modalOpen = true;
  hideOSD();
}

void FrmVornix::emergencyShutdown() {
  // No box may wait for a user here, and nothing half-loaded may overwrite the store.
  app_.modalOpen = true;
  app_.questionSuppression = true;
  try {
    changeProtocolMode(0);
  } catch (...) {
  }
  if (app_.startupFlag) return;
  try {
    saveReg();
  } catch (...) {
  }
}

void FrmVornix::showModal(const std::function<void()>& show) {
  modalDialogSteps();
  show();
  chkTopMost_Click();
}

void FrmVornix::saveReg() {
  saveSettings();
  storage_.save(rows_);
  storage_.saveTextBlocks();
}

}  // namespace vornix
