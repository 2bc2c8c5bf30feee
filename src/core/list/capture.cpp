// Clipboard capture: record mode, the clipboard-change notification, the
// from-clipboard command and the status bar's clipboard display.
#include "core/clip/helpers.h"
#include "core/list/frm_vornix.h"

namespace vornix {

namespace {

constexpr char16_t kCantOpenClipboard[] = u"Can't open Clipboard";

}  // namespace

bool FrmVornix::readClipboard(Text& text, platform::ClipStatus& status) {
  text.clear();
  bool has = false;
  status = app_.sys.clipboard.hasText(has);
  if (status == platform::ClipStatus::Ok && has) status = app_.sys.clipboard.readText(text);
  return status == platform::ClipStatus::Ok;
}

void FrmVornix::changeProtocolMode(int changeProtocol) {
  if (changeProtocol == -1) changeProtocol = static_cast<int>(app_.options.number(4));
  if (changeProtocol == 1 && !app_.inChain) {
    view_.setWinProc();
    // Joining makes the system report the current clipboard at once, which
    // already arrives in onDrawClipboard while join() runs.
    nextViewer_ = app_.sys.chain.join(view_.handle());
    app_.inChain = true;
  } else if (changeProtocol == 0 && app_.inChain) {
    app_.sys.chain.leave(view_.handle(), nextViewer_);
    app_.inChain = false;
  }
}

void FrmVornix::ClipChanged() {
  for (;;) {
    if (app_.hotmenuShown) return;
    displayClipboard();
    if (app_.options.number(4) != 0) {
      Text t;
      platform::ClipStatus status;
      if (!readClipboard(t, status)) {
        if (status == platform::ClipStatus::Busy && !app_.modalOpen && app_.options.number(24) == 1 &&
            app_.askQuestion(app_.str(267), 2) == 1)
          continue;
        return;
      }
      if (!t.empty()) {
        view_.showTab(kTabList);
        // Only a new text of another program is displayed: our own copies (copy back,
        // undo, cut) set these two first.
        if (t != lastClipText_ && !ignoreNextChange_) showOnScreen(t);
        if (t != lastClipText_ && !ignoreNextChange_) addListItem(t, false, true);
        lastClipText_ = t;
      }
    }
    ignoreNextChange_ = false;
    return;
  }
}

void FrmVornix::FromClipboard() {
  for (;;) {
    if (checkMaxEntries()) return;
    Text t;
    platform::ClipStatus status;
    if (!readClipboard(t, status)) {
      if (status == platform::ClipStatus::Busy) {
        if (!app_.modalOpen && app_.options.number(24) == 1 && app_.askQuestion(app_.str(267), 2) == 1) continue;
      } else if (!app_.modalOpen) {
        app_.showError(Text(u"FromClipboard: \r\n") + kCantOpenClipboard);
      }
      return;
    }
    if (!t.empty()) addListItem(t, false, true);
    return;
  }
}

void FrmVornix::displayClipboard() {
  if (app_.startupFlag) return;
  Text t;
  platform::ClipStatus status;
  if (!readClipboard(t, status)) {
    if (status == platform::ClipStatus::Busy) return;
    if (!app_.modalOpen) app_.showError(Text(u"frmVornix - displayClipboard: \r\n") + kCantOpenClipboard);
  }
  Text shown = shortenText(t, 125);
  const bool has = !t.empty();
  if (!has) shown = u"<" + app_.str(133) + u">";
  setCommand(Command::MenClearClipboard, has);
  setCommand(Command::TbPaste, has);
  setCommand(Command::MenEditPaste, has);
  view_.setClipboardPanel(shown);
}

Text FrmVornix::getClipTextType(const ClipClass& clip) const {
  Text type = app_.textTypeName.empty() ? app_.str(308) : app_.textTypeName;
  if (clip.isURL > 0) type = u"URL";
  if (clip.isURL < 5 && clip.isEMail > 0) type = u"E-Mail";
  return type;
}

void FrmVornix::menClearClipboard_Click() {
  Text t;
  platform::ClipStatus status;
  readClipboard(t, status);
  fillUndo(t, false, 1);
  app_.sys.clipboard.empty();
  displayClipboard();
}

}  // namespace vornix
