// The URL and e-mail lists: views of the entry list that are rebuilt on each tab
// click, select their entry, and open web and mail addresses with the shell.
#include "base/ustr.h"
#include "core/clip/helpers.h"
#include "core/list/frm_vornix.h"
#include "core/prefs/localisation.h"

namespace vornix {

namespace {

constexpr int kSideLists[] = {kTabURL, kTabEMail};

int slotOf(int tab) { return tab == kTabURL ? 0 : 1; }

// Web and mail addresses are opened at once. Anything else the shell would start
// (a "file:" address, a program, a local path, another protocol) is opened only
// after the user has seen the full target and agreed.
bool isPlainWebOrMailAddress(const Text& target) {
  const Text low = ustr::lower(target);
  const bool scheme = ustr::startsWith(low, u"http://") || ustr::startsWith(low, u"https://") ||
                      ustr::startsWith(low, u"ftp://") || ustr::startsWith(low, u"mailto:");
  if (!scheme) return false;
  for (char16_t c : target)
    if (c <= 32 || c == u'"' || c == 127) return false;
  return true;
}

}  // namespace

void FrmVornix::ssVornix_Click(int tab) {
  if (tab != kTabList) {
    rows_.deselect();
    app_.currentClip.setClipText(Text());
    showSelection();
  }
  for (int side : kSideLists) {
    linkRows_[slotOf(side)].clear();
    view_.setLinkItems(side, {});
    linkEnabled_[slotOf(side)] = false;
    view_.setLinkListEnabled(side, false);
  }
  if (tab == kTabURL || tab == kTabEMail) {
    fillLinkList(tab);
    linkList_Click(tab);
    enableLinkList(tab, true);
  }
  if (tab == kTabList && !rows_.empty()) showSelection();
  checkListStatus();
}

void FrmVornix::fillLinkList(int tab) {
  const Text type = tab == kTabURL ? u"URL" : u"E-Mail";
  std::vector<Text> items;
  std::vector<int>& ids = linkRows_[slotOf(tab)];
  ids.clear();
  for (const Row& row : rows_.rows()) {
    if (row.cells[kColType] != type || !rowShown(row)) continue;
    items.push_back(row.cells[kColContent]);
    ids.push_back(row.id);
  }
  view_.setLinkItems(tab, items);
}

void FrmVornix::linkList_Click(int tab) {
  const int current = view_.linkListCurrent(tab);
  const auto& ids = linkRows_[slotOf(tab)];
  if (current >= 0 && current < static_cast<int>(ids.size())) {
    const int index = rows_.indexOf(ids[current]);
    // An item whose entry is gone selects nothing.
    const int found = index >= 0 ? rows_.find(rows_.at(index).cells[kColContent]) : -1;
    if (found >= 0) selectEntry(found);
  }
  checkListStatus();
}

void FrmVornix::linkList_DblClick(int tab) {
  const bool open = app_.options.isOn(tab == kTabURL ? kDblClickHyperURL : kDblClickHyperEMail);
  openLink(open, tab == kTabEMail);
}

void FrmVornix::linkList_Focus(int tab, bool got) { enableLinkList(tab, got); }

void FrmVornix::enableLinkList(int tab, bool enabled) {
  linkEnabled_[slotOf(tab)] = enabled;
  view_.setLinkListEnabled(tab, enabled);
  tabCheck();
}

void FrmVornix::tabCheck() {
  if (!linkEnabled_[0] && !linkEnabled_[1] && view_.currentTab() != kTabList) view_.showTab(kTabList);
}

void FrmVornix::checkHyperJump(int index) {
  bool link = false;
  if (index >= 0 && index < rows_.count()) {
    const Text& type = rows_.at(index).cells[kColType];
    link = type == u"URL" || type == u"E-Mail";
  }
  setCommand(Command::TbOpen, link);
}

void FrmVornix::openLink(bool open, bool mail) {
  const int selected = rows_.selected();
  if (selected < 0) return;
  Text target = rows_.at(selected).cells[kColContent];
  if (mail && ustr::lower(target.substr(0, 7)) != u"mailto:") target = u"mailto:" + target;
  if (!open) {
    lvItems_DblClick();
    return;
  }
  // The shell takes so much and no more (a longer target has crashed it): say so
  // instead of doing nothing.
  if (target.size() > kMaxShellTarget) {
    const Text message = formatMessage({app_.str(kStrTooLongToOpen), ustr::head(target, 60),
                                        ustr::fromInt(target.size()), ustr::fromInt(kMaxShellTarget)});
    app_.sys.boxes.notice(message, app_.str(kStrComment));
    return;
  }
  if (!isPlainWebOrMailAddress(target) &&
      app_.askQuestion(formatMessage({app_.str(kStrOpenUnknownTarget), target}), 2, true) != 1)
    return;
  openWithShell(app_, target);
}

}  // namespace vornix
