// Commands on the selected entry and on the whole list: copy back, cut, delete,
// clear, new entry and edit hand-off, undo, drops, and the list's mouse and keys.
#include "base/ustr.h"
#include "core/clip/helpers.h"
#include "core/list/frm_vornix.h"

namespace vornix {

namespace {

// Virtual-key codes, as the list's view passes its keys on (the core has no Windows header).
constexpr int kKeyReturn = 13, kKeyEscape = 27, kKeyInsert = 45, kKeyDelete = 46;

}  // namespace

void FrmVornix::selectEntry(int index) {
  rows_.select(index);
  setClipEntry(index);
  view_.selectionChanged();
}

void FrmVornix::setClipEntry(int index) {
  if (index < 0 || index >= rows_.count()) return;
  const Row& row = rows_.at(index);
  ClipClass& clip = app_.currentClip;
  clip.setClipText(row.cells[kColContent]);
  clip.setClipProtect(row.checked);
  clip.setClipDate(row.date);
  clip.setClipQuantity(static_cast<std::int32_t>(rowCounter(index)));
}

Text FrmVornix::CopyItem(int index, bool* written) {
  selectEntry(index);
  Text previous;
  bool ok = false;
  ClipClass& clip = app_.currentClip;
  if (!clip.clipText().empty()) {
    const int id = rows_.at(index).id;
    platform::ClipStatus status;
    previous = clip.setClipboard(app_.sys.clipboard, &status);
    ok = status == platform::ClipStatus::Ok;
    if (ok) {
      // The clipboard notification may have run in between and re-sorted the list.
      const int now = rows_.indexOf(id);
      if (now >= 0 && rows_.at(now).cells[kColContent] == clip.clipText()) refreshCounter(now, clip.ClipQuantity());
    } else {
      app_.showError(u"CopyItem: \r\n" + app_.sys.clipboard.errorText());
    }
  }
  displayClipboard();
  if (written) *written = ok;
  return previous;
}

void FrmVornix::EditItem(int index) {
  if (app_.hotmenuShown || index < 0 || index >= rows_.count()) return;
  Text text = rows_.at(index).cells[kColContent];
  bool protect = rows_.at(index).checked;
  bool copy = false;
  const int id = rows_.at(index).id;
  const bool modal = view_.isVisible();
  if (modal) modalDialogSteps();
  const bool ok = view_.editText(text, protect, copy, modal);
  if (ok && !text.empty()) {
    // The entry may have moved or gone while the editor was open.
    const int now = rows_.indexOf(id);
    if (now >= 0) {
      rows_.select(now);
      changeEntry(text, protect, copy);
    } else {
      addListItem(text, protect, true);
    }
    if (copy) copyEdited(text);
  }
  if (modal) chkTopMost_Click();
}

void FrmVornix::newEntry() {
  if (checkMaxEntries()) return;
  Text text;
  bool protect = false, copy = false;
  modalDialogSteps();
  const bool ok = view_.editText(text, protect, copy, true);
  if (ok && !text.empty()) {
    addListItem(text, protect, true);
    if (copy) copyEdited(text);
  }
  chkTopMost_Click();
}

void FrmVornix::copyEdited(const Text& text) {
  // Already filed: the clipboard notification of our own write must not count it again.
  lastClip_ = TextPrint::of(text);
  ClipClass clip(app_.sys.codePage);
  clip.setClipText(text);
  platform::ClipStatus status;
  clip.setClipboard(app_.sys.clipboard, &status);
  if (status != platform::ClipStatus::Ok) app_.showError(u"copyEdited: \r\n" + app_.sys.clipboard.errorText());
  displayClipboard();
}

void FrmVornix::fillUndo(const Text& strText, bool bol, int intAction) {
  if (intAction != 0 && strText.empty()) return;
  undo_ = UndoRecord{strText, bol, intAction, 0, 0};
  setCommand(Command::MenEditUndo, true);
}

void FrmVornix::menEditUndo_Click() {
  if (!undo_.text.empty() && undo_.action == 1) {
    // Our own clipboard change must not be filed by the capture before the
    // entry comes back with its counter and date.
    lastClip_ = TextPrint::of(undo_.text);
    app_.sys.clipboard.empty();
    if (app_.sys.clipboard.writeText(undo_.text) != platform::ClipStatus::Ok)
      app_.showError(u"menEditUndo_Click: \r\n" + app_.sys.clipboard.errorText());
    addListItem(undo_.text, undo_.protect, true, undo_.date, undo_.quantity);
    displayClipboard();
  }
  setCommand(Command::MenEditUndo, false);
}

void FrmVornix::deleteEntry(int index) {
  if (app_.hotmenuShown || index < 0 || index >= rows_.count()) return;
  const bool isProtected = rows_.at(index).checked;
  if (isProtected) {
    // The question's message loop may file a capture and re-sort the list: act on
    // the row that was asked about, wherever it is now, and not at all if it is gone.
    const int id = rows_.at(index).id;
    if (app_.askQuestion(app_.str(kStrProtectedDeleteAnyway), 1) == 2) return;
    index = rows_.indexOf(id);
    if (index < 0) return;
  }
  if (rows_.count() == 1) {
    const bool previous = app_.questionSuppression;
    if (isProtected) app_.questionSuppression = true;
    clearList();
    app_.questionSuppression = previous;
  } else {
    removeEntry(index);
  }
  if (app_.options.isTrue(kRegSave)) saveReg();
}

void FrmVornix::clearList() {
  // What the user agreed to clear is the list he saw: a text captured while the
  // question was open stays.
  std::vector<int> asked;
  for (const Row& row : rows_.rows()) asked.push_back(row.id);
  if (app_.askQuestion(app_.str(kStrClearWholeList), 1) != 1) return;
  app_.currentClip.setClipText(Text());
  for (int id : asked) rows_.remove(rows_.indexOf(id));
  view_.rowsChanged();
  for (int tab : {kTabURL, kTabEMail}) {
    linkRows_[tab - 1].clear();
    view_.setLinkItems(tab, {});
  }
  fillUndo(Text(), false, 0);
  if (app_.options.isTrue(kRegSave)) saveReg();
}

void FrmVornix::dropText(const Text& text) {
  if (!text.empty()) addListItem(text, false, true);
}

void FrmVornix::dropFiles(const std::vector<Text>& paths) {
  for (const Text& path : paths) importFile(path);
}

void FrmVornix::importFile(const Text& path) {
  ClipClass clip(app_.sys.codePage);
  clip.setClipText(readFile(app_, path));
  if (clip.isText) {
    addListItem(clip.clipText(), false, true);
  } else {
    app_.showError(app_.str(kStrFileNotAscii) + u"\r\n" + app_.str(kStrCannotBeImported));
  }
}

void FrmVornix::menFileFileDialog_Click() {
  Text path = app_.importFile;
  if (!view_.openFileDialog(path)) return;
  app_.importFile = path;
  if (!path.empty()) importFile(path);
}

void FrmVornix::tbMain_ButtonClick(int button) {
  const Command command = static_cast<Command>(button);
  const int selected = rows_.selected();
  if (selected >= 0) {
    if (command != Command::TbOpen) view_.showTab(kTabList);
    selectEntry(selected);
    const Text text = rows_.at(selected).cells[kColContent];
    switch (command) {
      case Command::TbCopy:
      case Command::TbCut: {
        // Remember the text we put on the clipboard, so that our own copy is not filed
        // again; a cut also ignores the change, but only while one is coming (in the chain).
        const int id = rows_.at(selected).id;
        const TextPrint before = lastClip_;
        lastClip_ = TextPrint::of(text);
        if (command == Command::TbCut) ignoreNextChange_ = app_.inChain;
        bool written = false;
        CopyItem(selected, &written);
        if (!written) {
          // Nothing changed on the clipboard: no change of ours will come, and a cut keeps its entry.
          lastClip_ = before;
          ignoreNextChange_ = false;
        } else if (command == Command::TbCut) {
          // The error box of a failed write may have let a capture move the rows.
          deleteEntry(rows_.indexOf(id));
        }
        break;
      }
      case Command::TbEdit:
        EditItem(selected);
        break;
      case Command::TbDelete:
        deleteEntry(selected);
        break;
      case Command::TbOpen:
        openLink(true, app_.currentClip.isEMail != 0);
        break;
      default:
        break;
    }
  }
  switch (command) {
    case Command::TbNew:
      newEntry();
      break;
    case Command::TbImport:
      if (!checkMaxEntries()) menFileFileDialog_Click();
      break;
    case Command::TbPaste:
      FromClipboard();
      break;
    case Command::TbClear:
      clearList();
      break;
    case Command::TbMini:
      view_.enterMiniMode();
      break;
    default:
      break;
  }
  checkListStatus();
}

void FrmVornix::lvItems_DblClick() {
  if (rows_.selected() < 0) return;
  if (app_.options.isTrue(kDblClickEdit) && commandEnabled(Command::TbEdit)) {
    tbMain_ButtonClick(Command::TbEdit);
  } else if (app_.options.isTrue(kDblClickClip) && commandEnabled(Command::TbCopy)) {
    tbMain_ButtonClick(Command::TbCopy);
  }
}

void FrmVornix::lvItems_KeyDown(int key) {
  if (key == kKeyReturn) lvItems_DblClick();
  if (key == kKeyEscape) view_.enterMiniMode();
}

void FrmVornix::lvItems_KeyUp(int key) {
  if (key == kKeyDelete) tbMain_ButtonClick(Command::TbDelete);
  if (key == kKeyInsert) tbMain_ButtonClick(Command::TbPaste);
}

void FrmVornix::lvItems_ColumnClick(int column) {
  int order = rows_.sortOrder();
  if (column == lastClickedColumn_) order = order == 0 ? 1 : 0;
  lastClickedColumn_ = column;
  const int key = column == 1 ? kColCountSort : column == 4 ? kColDateSort : column - 1;
  rows_.setSort(key, order);
  view_.rowsChanged();
  if (rows_.selected() >= 0) view_.selectionChanged();
}

void FrmVornix::lvItems_ItemClick(int index) { checkHyperJump(index); }

void FrmVornix::lvItems_ItemCheck(int index, bool checked) {
  if (index < 0 || index >= rows_.count()) return;
  rows_.setChecked(index, checked);
  app_.currentClip.setClipProtect(checked);
  if (app_.options.isTrue(kRegSave)) saveReg();
}

void FrmVornix::lvItems_Select(int index) {
  rows_.select(index);
  if (index >= 0) {
    setClipEntry(index);
  } else {
    app_.currentClip.setClipText(Text());
  }
  checkListStatus();
}

Text FrmVornix::lvItems_DragOut() {
  const int selected = rows_.selected();
  if (selected < 0) return Text();
  setClipEntry(selected);
  ClipClass& clip = app_.currentClip;
  clip.ClipQuantityCount();
  refreshCounter(selected, clip.ClipQuantity());
  return clip.clipText();
}

}  // namespace vornix
