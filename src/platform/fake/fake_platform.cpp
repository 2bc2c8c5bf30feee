#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <new>

#include "base/dates.h"
#include "base/ustr.h"

namespace vornix::fake {

ClipStatus FakeClipboard::open() {
  ++opens;
  if (throws) throw std::bad_alloc();
  if (failAll) return ClipStatus::Failed;
  if (busyReads > 0) {
    --busyReads;
    return ClipStatus::Busy;
  }
  return ClipStatus::Ok;
}

void FakeClipboard::set(const Text& t, bool markedSecret) {
  text = unicodeSystem ? t : codePage_.decode(codePage_.encode(t));
  hasTextFormat = true;
  secret = markedSecret;
  notify();
}

void FakeClipboard::setPicture() {
  text.clear();
  hasTextFormat = false;
  secret = false;
  notify();
}

ClipStatus FakeClipboard::read(platform::ClipContent& content, std::size_t maxLength) {
  content = platform::ClipContent();
  ClipStatus s = open();
  if (s != ClipStatus::Ok) return s;
  if (secret) {
    content.secret = true;
    return s;
  }
  const Text t = hasTextFormat ? text : Text();
  content.hasText = !t.empty();
  content.print = TextPrint::of(t);
  content.whole = t.size() <= maxLength;
  if (content.whole) {
    content.text = t;
    content.headLength = t.size();
  } else {
    const size_t head = std::min(t.size(), platform::ClipContent::kEnds);
    const size_t tail = std::min(t.size() - head, platform::ClipContent::kEnds);
    content.text = t.substr(0, head) + t.substr(t.size() - tail);
    content.headLength = head;
  }
  return s;
}

ClipStatus FakeClipboard::writeText(const Text& t) {
  ClipStatus s = open();
  if (s != ClipStatus::Ok) return s;
  ++writes;
  // The program's own copy is a change like any other.
  set(t);
  return s;
}

ClipStatus FakeClipboard::empty() {
  ClipStatus s = open();
  if (s != ClipStatus::Ok) return s;
  text.clear();
  hasTextFormat = false;
  secret = false;
  notify();
  return s;
}

WindowHandle FakeChain::join(WindowHandle) {
  ++joins;
  joined = true;
  // As the system does: the new member hears of the current clipboard at once.
  clipboardChanged();
  return nextOnJoin;
}

void FakeChain::leave(WindowHandle, WindowHandle) {
  ++leaves;
  joined = false;
}

void FakeChain::clipboardChanged() {
  if (joined && deliver) deliver();
}

std::optional<Text> FakeStore::read(const Text& name) {
  auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

bool FakeStore::write(const Text& name, const Text& value) {
  if (killAfter == 0) throw Killed();
  if (killAfter > 0) --killAfter;
  ++writes;
  values[name] = value;
  return true;
}

bool FakeStore::remove(const Text& name) {
  if (killAfter == 0) throw Killed();
  if (killAfter > 0) --killAfter;
  ++removes;
  return values.erase(name) != 0;
}

Text FakeStore::get(const Text& name) const {
  auto it = values.find(name);
  return it == values.end() ? Text() : it->second;
}

namespace {

Text folderOf(const Text& path) {
  const size_t slash = path.find_last_of(u'\\');
  return slash == Text::npos ? Text() : path.substr(0, slash);
}

}  // namespace

bool FakeFiles::makeFolder(const Text& path) {
  if (failWrites || readOnly.count(folderOf(path))) return folders.count(path) != 0;
  folders.insert(path);
  return true;
}

platform::IoResult FakeFiles::readBytes(const Text& path, std::string& bytes) {
  auto it = files.find(path);
  if (it == files.end()) return {false, u"The system cannot find the file specified."};
  if (unreadable.count(path)) return {false, u"The process cannot access the file because it is being used by another process."};
  bytes = it->second;
  return {};
}

platform::IoResult FakeFiles::replaceFile(const Text& path, const std::string& bytes) {
  if (failWrites) return {false, u"There is not enough space on the disk."};
  if (readOnly.count(folderOf(path))) return {false, u"Access is denied."};
  ++writes;
  files[path] = bytes;
  return {};
}

platform::IoResult FakeFiles::appendBytes(const Text& path, const std::string& bytes) {
  if (failWrites) return {false, u"There is not enough space on the disk."};
  if (readOnly.count(folderOf(path))) return {false, u"Access is denied."};
  ++writes;
  files[path] += bytes;
  return {};
}

platform::IoResult FakeFiles::deleteFile(const Text& path) {
  if (failWrites || readOnly.count(folderOf(path))) return {false, u"Access is denied."};
  files.erase(path);
  return {};
}

namespace {

// Backslash paths of the program are mapped onto the local folder's separators.
std::string localPath(const Text& path) {
  std::string p = ustr::toUtf8(path);
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

platform::IoResult failure(const char* what) { return {false, ustr::fromUtf8(what)}; }

}  // namespace

Text DiskFiles::programFolder() { return ustr::fromUtf8(folder_); }

bool DiskFiles::fileExists(const Text& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(localPath(path), ec);
}

platform::IoResult DiskFiles::readBytes(const Text& path, std::string& bytes) {
  std::ifstream in(localPath(path), std::ios::binary | std::ios::ate);
  if (!in) return failure("cannot open file");
  bytes.resize(static_cast<size_t>(in.tellg()));
  in.seekg(0);
  if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return failure("cannot read file");
  return {};
}

platform::IoResult DiskFiles::replaceFile(const Text& path, const std::string& bytes) {
  const std::string target = localPath(path);
  const std::string tmp = target + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return failure("cannot create file");
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
      std::remove(tmp.c_str());
      return failure("cannot write file");
    }
  }
  if (std::rename(tmp.c_str(), target.c_str()) != 0) {
    std::remove(tmp.c_str());
    return failure("cannot replace file");
  }
  return {};
}

platform::IoResult DiskFiles::appendBytes(const Text& path, const std::string& bytes) {
  std::ofstream out(localPath(path), std::ios::binary | std::ios::app);
  if (!out || !out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return failure("cannot write file");
  return {};
}

bool DiskFiles::makeFolder(const Text& path) {
  std::error_code ec;
  std::filesystem::create_directory(localPath(path), ec);
  return std::filesystem::is_directory(localPath(path), ec);
}

platform::IoResult DiskFiles::deleteFile(const Text& path) {
  if (std::remove(localPath(path).c_str()) != 0) return failure("cannot delete file");
  return {};
}

Text FakeLocale::dateText(double date) {
  dates::Civil c = dates::toCivil(date);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d %02d:%02d:%02d", c.day, c.month, c.year, c.hour, c.minute, c.second);
  return ustr::fromUtf8(buf);
}

bool FakeLocale::parseDate(const Text& text, double& date) {
  dates::Civil c{};
  std::string s = ustr::toUtf8(text);
  int n = std::sscanf(s.c_str(), "%d.%d.%d %d:%d:%d", &c.day, &c.month, &c.year, &c.hour, &c.minute, &c.second);
  if (n != 3 && n != 6) return false;
  if (c.month < 1 || c.month > 12 || c.day < 1 || c.day > 31 || c.hour > 23 || c.minute > 59 || c.second > 59)
    return false;
  date = dates::fromCivil(c);
  return true;
}

int FakeBoxes::question(const Text& text, const Text& title) {
  shown.push_back({text, title, true});
  if (whileOpen) {
    auto run = std::move(whileOpen);
    whileOpen = nullptr;
    run();
  }
  if (answers.empty()) return 1;
  int a = answers.front();
  answers.pop_front();
  return a;
}

}  // namespace vornix::fake
