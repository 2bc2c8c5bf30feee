// Clipboard capture: record mode, the clipboard-change notification, the
// from-clipboard command and the status bar's clipboard display.
//
// Each change opens the clipboard once (platform Clipboard::read) and takes only
// what it needs: the privacy markers, the text's length and hash, and the text
// itself when it may be filed. Everything else (list, display, saving) runs after
// the clipboard is closed again: a change that comes alone is filed at once, and
// changes in quick succession once they pause, so that a program copying many
// texts in a row loses none. No copy of a text that is not filed is kept:
// a length and hash recognise it again.
#include "base/ustr.h"
#include "core/clip/helpers.h"
#include "core/list/frm_vornix.h"

namespace vornix {

namespace {

using platform::ClipContent;
using platform::ClipStatus;

// Enough for the status bar to show any text the way shortenText does.
constexpr std::size_t kDisplayLength = 4096;
constexpr int kDisplayMax = 125;

// shortenText's form of a long text, from the two ends that were read of it.
Text shortenedEnds(const ClipContent& content) {
  auto flat = [](Text s) { return ustr::replaceAll(ustr::replaceAll(s, u"\t", u" "), u"\r\n", u" "); };
  Text head = flat(content.text.substr(0, content.headLength));
  Text tail = flat(content.text.substr(content.headLength));
  head = ustr::trimSpaces(head);
  tail = ustr::trimSpaces(tail);
  const size_t headMax = kDisplayMax - kDisplayMax / 2, tailMax = kDisplayMax / 2;
  if (head.size() > headMax) head = ustr::trimSpaces(head.substr(0, headMax));
  if (tail.size() > tailMax) tail = ustr::trimSpaces(tail.substr(tail.size() - tailMax));
  return head + u" [...] " + tail;
}

// What the display needs of a clipboard content: a long text only by its ends.
ClipContent forDisplay(const ClipContent& content) {
  if (!content.whole || content.text.size() <= kDisplayLength) return content;
  ClipContent shown;
  shown.hasText = content.hasText;
  shown.print = content.print;
  const size_t ends = ClipContent::kEnds;
  shown.text = content.text.substr(0, ends) + content.text.substr(content.text.size() - ends);
  shown.headLength = ends;
  return shown;
}

}  // namespace

std::size_t FrmVornix::captureLimit() const {
  // Not relaxed while loading: the notification that joining the chain sends
  // during loading brings another program's text, not a stored entry.
  if (!app_.options.isOn(kLimitSize)) return ClipContent::kWhole;
  const long kilobytes = app_.options.number(kLimitSizeKB);
  return kilobytes > 0 ? static_cast<std::size_t>(kilobytes) * 1024 : 0;
}

void FrmVornix::changeProtocolMode(int changeProtocol) {
  if (changeProtocol == -1) changeProtocol = static_cast<int>(app_.options.number(kProtocolMode));
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
  if (app_.hotmenuShown) return;
  const bool recording = app_.options.number(kProtocolMode) != 0;
  ClipContent content;
  for (;;) {
    const ClipStatus status = app_.sys.clipboard.read(content, recording ? captureLimit() : kDisplayLength);
    if (status == ClipStatus::Ok) break;
    if (status == ClipStatus::Busy && recording && !app_.modalOpen && app_.options.number(kQuestionClipOpen) == 1 &&
        app_.askQuestion(app_.str(kStrCantOpenClipboard), 2) == 1)
      continue;
    // This was the change the flag waited for, unreadable or not.
    ignoreNextChange_ = false;
    return;
  }

  // The clipboard is closed again. What takes time (list, display, saving) waits
  // until the changes that arrived meanwhile are read too: a program that copies
  // many texts in quick succession loses none.
  shownContent_ = forDisplay(content);
  if (recording && content.hasText) {
    // Our own copies (copy back, undo, cut) are neither shown nor filed again.
    if (content.print != lastClip_ && !ignoreNextChange_) {
      // The on-screen display needs no more than the first lines of the newest text.
      osdText_ = content.text.substr(0, std::min(content.headLength, kDisplayLength));
      osdLength_ = content.print.length;
      // A text over the size limit was not read whole and is not filed.
      if (content.whole) captured_.push_back(std::move(content.text));
    }
    lastClip_ = content.print;
    capturedTab_ = true;
  }
  ignoreNextChange_ = false;
  capturePosted_ = true;
  view_.postCaptureWork();
}

void FrmVornix::fileCaptured(bool settled) {
  if (capturePosted_) {
    std::vector<Text> texts;
    texts.swap(captured_);
    for (Text& t : texts)
      if (insertListItem(std::move(t), false, true, 0, 0)) captureUnsaved_ = true;
  }
  if (!settled) return;
  if (capturePosted_) showCaptured();
  if (captureUnsaved_) {
    captureUnsaved_ = false;
    if (app_.options.isTrue(kRegSave)) saveReg();
  }
}

void FrmVornix::showCaptured() {
  capturePosted_ = false;
  const ClipContent content = std::move(shownContent_);
  shownContent_ = ClipContent();
  Text osdText;
  osdText.swap(osdText_);
  if (capturedTab_) view_.showTab(kTabList);
  capturedTab_ = false;
  showClipboard(content);
  if (!osdText.empty()) showOnScreen(osdText, osdLength_);
}

void FrmVornix::FromClipboard() {
  for (;;) {
    if (checkMaxEntries()) return;
    ClipContent content;
    const ClipStatus status = app_.sys.clipboard.read(content, captureLimit());
    if (status == ClipStatus::Busy) {
      if (!app_.modalOpen && app_.options.number(kQuestionClipOpen) == 1 &&
          app_.askQuestion(app_.str(kStrCantOpenClipboard), 2) == 1)
        continue;
      return;
    }
    if (status != ClipStatus::Ok) {
      app_.showError(u"FromClipboard: \r\n" + app_.sys.clipboard.errorText());
      return;
    }
    if (content.hasText && content.whole) addListItem(std::move(content.text), false, true);
    return;
  }
}

void FrmVornix::displayClipboard() {
  if (app_.startupFlag) return;
  ClipContent content;
  const ClipStatus status = app_.sys.clipboard.read(content, kDisplayLength);
  if (status == ClipStatus::Busy) return;
  if (status != ClipStatus::Ok) app_.showError(u"frmVornix - displayClipboard: \r\n" + app_.sys.clipboard.errorText());
  showClipboard(content);
}

void FrmVornix::showClipboard(const ClipContent& content) {
  if (app_.startupFlag) return;
  Text shown;
  if (content.secret) {
    shown = u"<" + app_.str(kStrHiddenText) + u">";
  } else if (!content.hasText) {
    shown = u"<" + app_.str(kStrTextClipboardEmpty) + u">";
  } else if (content.text.size() == content.print.length) {
    shown = shortenText(content.text, kDisplayMax);
  } else {
    shown = shortenedEnds(content);
  }
  // A secret text can be cleared from the clipboard, but not filed.
  setCommand(Command::MenClearClipboard, content.hasText || content.secret);
  setCommand(Command::TbPaste, content.hasText);
  setCommand(Command::MenEditPaste, content.hasText);
  clipboardPanel_ = shown;
  view_.setClipboardPanel(shown);
}

Text FrmVornix::getClipTextType(const ClipClass& clip) const {
  Text type = app_.textTypeName.empty() ? app_.str(kStrText) : app_.textTypeName;
  if (clip.isURL > 0) type = u"URL";
  if (clip.isURL < 5 && clip.isEMail > 0) type = u"E-Mail";
  return type;
}

void FrmVornix::menClearClipboard_Click() {
  ClipContent content;
  // A secret text is not read, so it cannot reach the undo record.
  if (app_.sys.clipboard.read(content, ClipContent::kWhole) == ClipStatus::Ok && content.hasText)
    fillUndo(content.text, false, 1);
  app_.sys.clipboard.empty();
  displayClipboard();
}

}  // namespace vornix
