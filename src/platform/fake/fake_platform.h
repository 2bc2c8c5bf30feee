// In-memory, scriptable platform for the tests: set the clipboard, make it busy,
// read every stored value, answer message boxes, fix the clock.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/services.h"

namespace vornix::fake {

using Text = std::u16string;
using platform::ClipStatus;
using platform::WindowHandle;

// As strict as Windows: every change of the clipboard, the program's own included,
// notifies the viewer chain at once; on a system without Unicode (95/98/Me) every
// text passes through the code page; a privacy marker hides the text.
class FakeClipboard : public platform::Clipboard {
 public:
  explicit FakeClipboard(const CodePage& codePage = CodePage::windows1252()) : codePage_(codePage) {}

  bool hasTextFormat = false;
  Text text;
  bool secret = false;        // the owner put a privacy marker beside the text
  bool unicodeSystem = true;  // false: 95/98/Me, text only in the code page
  int busyReads = 0;          // the next N opens report Busy
  bool failAll = false;
  int opens = 0, writes = 0;
  std::function<void()> changed;  // the system's notification of the viewer chain
  bool throws = false;  // opening fails with an exception, as an out-of-memory would

  // Another program copies a text (optionally marked secret) or a picture.
  void set(const Text& t, bool markedSecret = false);
  void setPicture();
  // The 8-bit text that a program reading only CF_TEXT gets.
  std::string ansiText() const { return codePage_.encode(text); }

  ClipStatus read(platform::ClipContent& content, std::size_t maxLength) override;
  ClipStatus writeText(const Text& t) override;
  ClipStatus empty() override;
  Text errorText() override { return u"Access is denied."; }

 private:
  ClipStatus open();
  void notify() {
    if (changed) changed();
  }

  const CodePage& codePage_;
};

class FakeChain : public platform::ViewerChain {
 public:
  WindowHandle nextOnJoin = 0;
  int joins = 0, leaves = 0;
  bool joined = false;
  struct Sent { WindowHandle to; unsigned message; std::uintptr_t w; std::intptr_t l; };
  std::vector<Sent> sent;
  // Delivers the clipboard-change message to the member window.
  std::function<void()> deliver;

  WindowHandle join(WindowHandle) override;
  void leave(WindowHandle, WindowHandle) override;
  void send(WindowHandle to, unsigned m, std::uintptr_t w, std::intptr_t l) override { sent.push_back({to, m, w, l}); }
  void clipboardChanged();
};

// Thrown by FakeStore to stop a save half-way, as if the process had been killed.
struct Killed {};

class FakeStore : public platform::SettingsStore {
 public:
  std::map<Text, Text> values;
  int writes = 0, removes = 0;
  int killAfter = -1;  // >= 0: that many more writes or removes succeed, then Killed

  std::optional<Text> read(const Text& name) override;
  bool write(const Text& name, const Text& value) override;
  bool remove(const Text& name) override;
  bool has(const Text& name) const { return values.count(name) != 0; }
  Text get(const Text& name) const;
};

// Files kept in memory; `failWrites` makes every write fail as a full disk would,
// `readOnly` folders refuse writes as a protected program folder does, and
// `unreadable` files exist but cannot be read, as while a scanner holds them.
class FakeFiles : public platform::FileSystem {
 public:
  std::map<Text, std::string> files;
  Text folder = u"C:\\Vornix";
  Text appData = u"C:\\Users\\me\\AppData";
  std::set<Text> folders;
  std::set<Text> readOnly;
  std::set<Text> unreadable;
  bool failWrites = false;
  int writes = 0;

  Text programFolder() override { return folder; }
  Text appDataFolder() override { return appData; }
  bool makeFolder(const Text& path) override;
  bool fileExists(const Text& path) override { return files.count(path) != 0; }
  platform::IoResult readBytes(const Text& path, std::string& bytes) override;
  platform::IoResult replaceFile(const Text& path, const std::string& bytes) override;
  platform::IoResult appendBytes(const Text& path, const std::string& bytes) override;
  platform::IoResult deleteFile(const Text& path) override;
};

// Real files on the local disk (for benchmarks); paths are used as they are.
class DiskFiles : public platform::FileSystem {
 public:
  explicit DiskFiles(std::string folder) : folder_(std::move(folder)) {}
  Text programFolder() override;
  bool fileExists(const Text& path) override;
  platform::IoResult readBytes(const Text& path, std::string& bytes) override;
  platform::IoResult replaceFile(const Text& path, const std::string& bytes) override;
  platform::IoResult appendBytes(const Text& path, const std::string& bytes) override;
  platform::IoResult deleteFile(const Text& path) override;
  Text appDataFolder() override { return programFolder() + u"/appdata"; }
  bool makeFolder(const Text& path) override;

 private:
  std::string folder_;
};

class FakeClock : public platform::Clock {
 public:
  double time = 45000.5;  // 2023-03-15 12:00:00
  double now() override { return time; }
};

// A German-style locale: "dd.mm.yyyy hh:nn:ss".
class FakeLocale : public platform::Locale {
 public:
  std::uint16_t language = 0x0407;
  std::uint16_t systemLanguage() override { return language; }
  Text dateText(double date) override;
  bool parseDate(const Text& text, double& date) override;
};

class FakeBoxes : public platform::MessageBoxes {
 public:
  struct Shown { Text text, title; bool question; };
  std::vector<Shown> shown;
  std::deque<int> answers;  // answers to the next questions; OK when empty
  // Runs while the next question is open, as the box's message loop runs other handlers.
  std::function<void()> whileOpen;

  int question(const Text& text, const Text& title) override;
  void critical(const Text& text, const Text& title) override { shown.push_back({text, title, false}); }
  void notice(const Text& text, const Text& title) override { shown.push_back({text, title, false}); }
};

class FakeShell : public platform::Shell {
 public:
  std::vector<Text> opened;
  long open(const Text& target) override { opened.push_back(target); return 42; }
};

struct FakePlatform {
  FakePlatform() { clipboard.changed = [this] { chain.clipboardChanged(); }; }
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;

  FakeClipboard clipboard;
  FakeChain chain;
  FakeStore store;
  FakeFiles files;
  FakeClock clock;
  FakeLocale locale;
  FakeBoxes boxes;
  FakeShell shell;

  Services services() {
    return Services{clipboard, chain, store, files, clock, locale, boxes, shell, CodePage::windows1252()};
  }
};

}  // namespace vornix::fake
