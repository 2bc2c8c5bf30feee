// The entry list: filing texts with duplicate detection and automatic deletion,
// changing and removing entries, and the commands that follow the list's state.
#include "base/dates.h"
#include "base/ustr.h"
#include "core/clip/helpers.h"
#include "core/list/frm_vornix.h"

namespace vornix {

double FrmVornix::entryDate(double cldate) const {
  dates::Civil c = dates::toCivil(cldate);
  if (c.year < 2002 && c.hour == 0 && c.minute == 0 && c.second == 0) cldate = app_.sys.clock.now();
  // Rounded directly instead of through a locale date text, which could swap
  // day and month for locales that do not write the day first.
  return dates::wholeSeconds(cldate);
}

long FrmVornix::rowCounter(int index) const {
  long long n = 0;
  if (!ustr::parseInt(rows_.at(index).cells[kColCounter], 0, 2147483647, n)) return 0;
  return static_cast<long>(n);
}

void FrmVornix::setItemDate(int index, double date) {
  rows_.setDate(index, date);
  rows_.setCell(index, kColDate, app_.sys.locale.dateText(date));
  rows_.setCell(index, kColDateSort, dates::sortKey(date));
}

void FrmVornix::refreshCounter(int index, long quant) {
  rows_.setCell(index, kColCounter, ustr::fromInt(quant));
  rows_.setCell(index, kColCountSort, ustr::zeroPad(quant, 10));
  rows_.resort();
  showRows();
}

int FrmVornix::findGivenUp() const {
  const Column primary = app_.options.isTrue(kProtocolQuant) ? kColCountSort : kColDateSort;
  const Column secondary = primary == kColCountSort ? kColDateSort : kColCountSort;
  int best = -1;
  for (int i = 0; i < rows_.count(); ++i) {
    const Row& r = rows_.at(i);
    if (r.checked) continue;
    if (best < 0) {
      best = i;
      continue;
    }
    const Row& b = rows_.at(best);
    // The keys have a fixed width, so text order is numeric and chronological order;
    // strict comparison keeps the first row in display order among equals.
    if (r.cells[primary] < b.cells[primary] ||
        (r.cells[primary] == b.cells[primary] && r.cells[secondary] < b.cells[secondary]))
      best = i;
  }
  return best;
}

void FrmVornix::addListItem(Text strText, bool sel, bool realadd, double cldate, long quant) {
  if (insertListItem(std::move(strText), sel, realadd, cldate, quant) && realadd && app_.options.isTrue(kRegSave))
    saveReg();
}

bool FrmVornix::insertListItem(Text strText, bool sel, bool realadd, double cldate, long quant) {
  if (app_.hotmenuShown) return false;
  for (;;) {
    if (strText.empty() || !app_.checkSizeLimit(static_cast<long long>(strText.size()))) return false;
    if (!rows_.empty()) {
      // Stored entries were distinct when they were saved: loading drops only an
      // exact copy, never one that differs in letter case.
      const int existing = rows_.find(strText, !realadd);
      if (existing >= 0) {
        selectEntry(existing);
        return false;
      }
    }
    if (rows_.count() < EntryRows::kCapacity) break;
    if (app_.options.number(kProtocolMode) == 0) {
      app_.showError(app_.str(kStrMaximumEntriesReached) + u"\r\n" + app_.str(kStrPleaseDeleteEntries));
      return false;
    }
    const int victim = findGivenUp();
    if (victim < 0) return false;
    removeEntry(victim);
  }

  if (quant < 0) quant = 0;
  ClipClass& clip = app_.currentClip;
  clip.setClipText(strText);
  clip.setClipProtect(sel);
  clip.setClipDate(entryDate(cldate));
  clip.setClipQuantity(static_cast<std::int32_t>(quant));

  Row row;
  row.checked = sel;
  row.cells[kColCounter] = ustr::fromInt(quant);
  row.cells[kColContent] = std::move(strText);
  row.cells[kColType] = getClipTextType(clip);
  row.cells[kColCountSort] = ustr::zeroPad(quant, 10);
  row.date = clip.ClipDate();
  row.cells[kColDate] = app_.sys.locale.dateText(row.date);
  row.cells[kColDateSort] = dates::sortKey(row.date);
  const int index = rows_.append(std::move(row));
  rows_.select(index);
  showRows();
  checkListStatus();
  return true;
}

void FrmVornix::changeEntry(const Text& strText, bool sel, bool copied) {
  if (app_.hotmenuShown) return;
  ClipClass& clip = app_.currentClip;
  clip.setClipText(strText);
  clip.setClipProtect(sel);
  const int selected = rows_.selected();
  if (selected >= 0) {
    const int existing = rows_.find(strText);
    if (existing < 0) {
      const Row& old = rows_.at(selected);
      fillUndo(old.cells[kColContent], old.checked, 1);
      long quant = rowCounter(selected);
      if (copied && quant < 2147483647) ++quant;
      clip.setClipQuantity(static_cast<std::int32_t>(quant));
      rows_.setCell(selected, kColCounter, ustr::fromInt(quant));
      rows_.setCell(selected, kColCountSort, ustr::zeroPad(quant, 10));
      rows_.setCell(selected, kColContent, strText);
      rows_.setCell(selected, kColType, getClipTextType(clip));
      setItemDate(selected, dates::wholeSeconds(app_.sys.clock.now()));
      rows_.setChecked(selected, sel);
      rows_.resort();
    } else {
      rows_.select(existing);
      // The editor confirms the protection together with the text: when the text is
      // that of the edited row itself, its protection is what the user chose.
      if (existing == selected) rows_.setChecked(existing, sel);
      if (copied) {
        long quant = rowCounter(existing);
        if (quant < 2147483647) ++quant;
        rows_.setCell(existing, kColCounter, ustr::fromInt(quant));
        rows_.setCell(existing, kColCountSort, ustr::zeroPad(quant, 10));
        rows_.resort();
      }
    }
    showRows();
    checkListStatus();
  }
  if (app_.options.isTrue(kRegSave)) saveReg();
}

void FrmVornix::removeEntry(int index) {
  if (app_.hotmenuShown || index < 0 || index >= rows_.count()) return;
  const Row& row = rows_.at(index);
  fillUndo(row.cells[kColContent], row.checked, 1);
  undo_.date = row.date;
  undo_.quantity = rowCounter(index);
  rows_.remove(index);
  app_.currentClip.setClipText(Text());
  showRows();
  checkListStatus();
}

bool FrmVornix::checkMaxEntries() {
  if (rows_.count() < EntryRows::kCapacity) return false;
  app_.showError(app_.str(kStrMaximumEntriesReached) + u"\r\n" + app_.str(kStrPleaseDeleteEntries));
  return true;
}

void FrmVornix::checkListStatus() {
  const int selected = rows_.selected();
  const bool has = selected >= 0;
  for (Command c : {Command::TbCut, Command::TbCopy, Command::TbEdit, Command::TbDelete, Command::MenEditCopy,
                    Command::MenEditCut, Command::MenFileFileExport})
    setCommand(c, has);
  checkHyperJump(selected);
  setCommand(Command::TbClear, !rows_.empty());
}

}  // namespace vornix
