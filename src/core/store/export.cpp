#include "core/store/export.h"

#include "base/ustr.h"
#include "core/clip/helpers.h"
#include "core/prefs/localisation.h"

namespace vornix {

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";
const Text kCrLf = u"\r\n";

// The export runs under the modal-open flag, which silences the error box; a write
// that failed must still be told, or the user believes his texts are saved.
void reportFailure(App& app, const Text& label, const Text& message) {
  const bool wasOpen = app.modalOpen;
  app.modalOpen = false;
  app.showError(label + kCrLf + message);
  app.modalOpen = wasOpen;
}

bool fitsCodePage(const Text& text, const CodePage& cp) {
  for (char16_t c : text)
    if (cp.toAnsi(c) < 0) return false;
  return true;
}

// Appends the code-page bytes of `text`; false (and `out` unusable) at the first
// character the code page has no byte for.
bool encodeInto(std::string& out, const Text& text, const CodePage& cp) {
  const size_t at = out.size();
  out.resize(at + text.size());
  char* bytes = &out[at];
  for (size_t i = 0; i < text.size(); ++i) {
    const int b = cp.toAnsi(text[i]);
    if (b < 0) return false;
    bytes[i] = static_cast<char>(b);
  }
  return true;
}

bool writeBytes(App& app, const Text& path, const std::string& bytes) {
  if (!isValidPath(path)) {
    reportFailure(app, u"saveFile: ", path);
    return false;
  }
  const platform::IoResult result = app.sys.files.replaceFile(path, bytes);
  if (!result.ok) reportFailure(app, u"saveFile: ", result.message);
  return result.ok;
}

}  // namespace

std::string exportBytes(const Text& text, const CodePage& cp) {
  std::string bytes;
  bytes.reserve(text.size());
  if (encodeInto(bytes, text, cp)) return bytes;
  return kUtf8Mark + ustr::toUtf8(text);
}

Text importBytes(const std::string& bytes, const CodePage& cp) {
  if (bytes.compare(0, 3, kUtf8Mark) == 0) return ustr::fromUtf8(std::string_view(bytes).substr(3));
  return cp.decode(bytes);
}

bool saveFile(App& app, const Text& path, const Text& text, bool& overwrite, bool append) {
  platform::FileSystem& files = app.sys.files;
  const bool exists = files.fileExists(path);
  if (!overwrite) {
    // Asked even under the modal-open flag: replacing a file is never silent.
    if (!exists || app.askQuestion(formatMessage({app.str(kStrOverwriteFile), path}), 1, true) == 1) overwrite = true;
  }
  if (!overwrite) return true;
  std::string old;
  if (!append || !exists || !files.readBytes(path, old).ok || old.empty())
    return writeBytes(app, path, exportBytes(text, app.sys.codePage));
  platform::IoResult result;
  if (old.compare(0, 3, kUtf8Mark) == 0) {
    result = files.appendBytes(path, ustr::toUtf8(text));
  } else if (fitsCodePage(text, app.sys.codePage)) {
    result = files.appendBytes(path, app.sys.codePage.encode(text));
  } else {
    // The file so far is code-page text; written again as a whole it keeps every character.
    result = files.replaceFile(path, exportBytes(app.sys.codePage.decode(old) + text, app.sys.codePage));
  }
  if (!result.ok) reportFailure(app, u"saveFile: ", result.message);
  return result.ok;
}

Text exportFileName(const Text& dir, const Text& prefix, int number) {
  return addBackslash(dir) + prefix + ustr::zeroPad(number, 2) + u".txt";
}

bool isValidPath(const Text& path) {
  if (path.empty()) return false;
  for (size_t i = 0; i < path.size(); ++i) {
    const char16_t c = path[i];
    if (c < 32 || c == u'<' || c == u'>' || c == u'"' || c == u'|' || c == u'?' || c == u'*') return false;
    // A colon only after the drive letter.
    if (c == u':' && i != 1) return false;
  }
  return path.back() != u'\\' && path.back() != u':';
}

DiaExport::DiaExport(App& app, ExportView& view) : app_(app), view_(view) {}

void DiaExport::Form_Load() {
  buffer_.clear();
  selection_ = kSelSingle;
  destination_ = kSaveFile;
  for (bool& list : lists_) list = false;
  view_.setDirEnabled(false);
  view_.setListsEnabled(false);
  view_.setOkEnabled(true);
}

bool DiaExport::anyList() const {
  for (bool list : lists_)
    if (list) return true;
  return false;
}

void DiaExport::selectionClick(Selection selection) {
  selection_ = selection;
  view_.setListsEnabled(selection == kSelLists);
  view_.setOkEnabled(selection != kSelLists || anyList());
  if (selection == kSelSingle && destination_ == kSaveDir) {
    destination_ = kSaveFile;
    view_.showDestination(kSaveFile);
  }
  view_.setDirEnabled(selection != kSelSingle);
}

void DiaExport::destinationClick(Destination destination) { destination_ = destination; }

void DiaExport::listClick(List list, bool ticked) {
  lists_[list] = ticked;
  view_.setOkEnabled(anyList());
}

bool DiaExport::rowChosen(const Row& row) const {
  if (selection_ == kSelAll) return true;
  if ((lists_[kListProtected] && row.checked) || (lists_[kListUnprotected] && !row.checked)) return true;
  ClipClass clip(app_.sys.codePage);
  clip.setClipText(row.cells[kColContent]);
  clip.setIsVars();
  const bool url = clip.isURL != 0, mail = clip.isEMail != 0;
  return (lists_[kListURL] && url) || (lists_[kListEMail] && mail) || (lists_[kListText] && !url && !mail);
}

std::vector<DiaExport::Item> DiaExport::chosenItems(const EntryRows& rows) const {
  std::vector<Item> items;
  if (app_.hotkeys.textkeyBol && (selection_ == kSelAll || lists_[kListTextblocks]))
    for (int k = 0; k < 10; ++k)
      if (!app_.textBlocks[k].empty()) items.push_back({app_.textBlocks[k], u"textblock", k + 1});
  for (int i = 0; i < rows.count(); ++i) {
    const Row& row = rows.at(i);
    if (!row.cells[kColContent].empty() && rowChosen(row)) items.push_back({row.cells[kColContent], u"vornix", i + 1});
  }
  return items;
}

bool DiaExport::writeItems(const std::vector<Item>& items) {
  if (destination_ == kSaveFile) {
    // One write of the whole file: an earlier export stays whole until the new one is.
    size_t size = 0;
    for (const Item& item : items) size += item.text.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    bool fits = true;
    for (size_t i = 0; fits && i < items.size(); ++i)
      fits = encodeInto(bytes, items[i].text, app_.sys.codePage) && encodeInto(bytes, kCrLf, app_.sys.codePage);
    if (!fits) {
      Text all;
      all.reserve(size);
      for (const Item& item : items) all.append(item.text).append(kCrLf);
      bytes = exportBytes(all, app_.sys.codePage);
    }
    return writeBytes(app_, app_.exportFile, bytes);
  }
  if (destination_ == kSaveDir) {
    for (const Item& item : items) {
      bool overwrite = false;
      if (!saveFile(app_, exportFileName(app_.exportDir, item.prefix, item.number), item.text, overwrite, false))
        return false;
    }
    return true;
  }
  for (const Item& item : items) buffer_.append(item.text).append(kCrLf);
  return true;
}

void DiaExport::OKButton_Click(const EntryRows& rows) {
  const int selected = rows.selected();
  const Text selectedText = selected >= 0 ? rows.at(selected).cells[kColContent] : Text();
  if (selection_ == kSelSingle && selectedText.empty()) return;
  if (destination_ == kSaveFile) {
    Text path = app_.exportFile;
    if (!view_.saveFileDialog(path)) return;
    app_.exportFile = path;
    if (path.empty()) return;
  } else if (destination_ == kSaveDir) {
    Text folder = app_.exportDir;
    if (!view_.chooseFolder(folder)) return;
    app_.exportDir = addBackslash(folder);
  }
  bool written = true;
  if (selection_ == kSelSingle) {
    if (destination_ == kSaveClipboard) {
      buffer_.append(selectedText).append(kCrLf);
    } else {
      bool overwrite = true;
      written = saveFile(app_, app_.exportFile, selectedText, overwrite, false);
    }
  } else {
    // Taken after the file dialogs, so that what they let the capture file is in it.
    written = writeItems(chosenItems(rows));
  }
  if (!written) return;
  // The collected texts go onto the clipboard as one text when the export ends.
  if (destination_ == kSaveClipboard && !buffer_.empty()) {
    if (app_.sys.clipboard.writeText(buffer_) != platform::ClipStatus::Ok)
      reportFailure(app_, u"FileExport: ", u"Can't open Clipboard");
  }
  view_.close();
}

}  // namespace vornix
