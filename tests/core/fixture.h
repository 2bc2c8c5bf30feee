// A main window logic on the fake platform with a fake view, for the tests.
#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/dates.h"
#include "base/ustr.h"
#include "core/app/app.h"
#include "core/list/frm_vornix.h"
#include "core/prefs/localisation.h"
#include "core/quick/quick_access.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_quick_access.h"

namespace vornix::test {

class FakeView : public MainView {
 public:
  std::map<Command, bool> enabled;
  Text caption, panel, searchField, searchCount;
  int tab = 0, miniModeRequests = 0, editorFronted = 0, hooks = 0;
  std::vector<Text> linkItems[3];
  bool linkEnabled[3] = {};
  int linkCurrent[3] = {-1, -1, -1};
  WindowState state = WindowState::Normal;
  Rect rect{10, 20, 470, 150};
  bool visible = true, topMost = false, topMostBox = false, searchShown = false;
  // Editor hand-off: what the user "types" and whether he confirms.
  bool editAnswer = false, editProtect = false, editCopy = false;
  Text editResult;
  std::vector<Text> editShown;
  // The message queue that the capture posts to and that the editor's and the
  // file dialog's message loops run.
  fake::FakeLoop* loop = nullptr;
  std::function<void()> post;
  void postCaptureWork() override {
    if (post) post();
  }
  platform::WindowHandle handle() override { return 0x1234; }
  void setWinProc() override { ++hooks; }
  void setCaption(const Text& c) override { caption = c; }
  void rowsChanged() override {}
  void selectionChanged() override {}
  void setClipboardPanel(const Text& t) override { panel = t; }
  void showSearchField(bool shown, const Text& text) override { searchShown = shown, searchField = text; }
  void setSearchCount(const Text& count) override { searchCount = count; }
  void setCommandEnabled(Command c, bool e) override { enabled[c] = e; }
  int currentTab() override { return tab; }
  void showTab(int t) override { tab = t; }
  void setLinkItems(int t, const std::vector<Text>& items) override { linkItems[t] = items; }
  void setLinkListEnabled(int t, bool e) override { linkEnabled[t] = e; }
  int linkListCurrent(int t) override { return linkCurrent[t]; }
  WindowState windowState() override { return state; }
  bool isVisible() override { return visible; }
  Rect windowRect() override { return rect; }
  void setWindowRect(const Rect& r) override { rect = r; }
  Rect screenRect() override { return {0, 0, 1024, 768}; }
  void setTopMost(bool on) override { topMost = on; }
  bool topMostChecked() override { return topMostBox; }
  void setTopMostChecked(bool c) override { topMostBox = c; }
  void setHoverSelection(bool) override {}
  bool editText(Text& text, bool& protect, bool& copy, bool) override {
    editShown.push_back(text);
    if (loop) loop->modal();
    if (editAnswer) text = editResult, protect = editProtect, copy = editCopy;
    return editAnswer;
  }
  void frontEditor() override { ++editorFronted; }
  void enterMiniMode() override { ++miniModeRequests; }
  // The user cancels the file dialog, after its message loop ran.
  bool openFileDialog(Text&) override {
    if (loop) loop->modal();
    return false;
  }
};

inline Text T(const char* utf8) { return ustr::fromUtf8(utf8); }

// A rectangle as left, top, width and height, to compare in one go.
using Box = std::array<long, 4>;
inline Box box(const Rect& r) { return {r.left, r.top, r.width, r.height}; }

// Entry dates `second` seconds apart, so that the list order is known.
inline double at(int second) { return dates::fromCivil({2020, 1, 1, 10, 0, second}); }
inline Text numbered(int i) { return u"entry " + ustr::fromInt(i); }

// Settings store values as name/value pairs.
using Stored = std::initializer_list<std::pair<const char*, const char*>>;

// One program run: platform, program-wide state, view and main window logic.
// `restart()` begins a new run on the same store and files, as after quitting.
struct Program {
  fake::FakePlatform sys;
  std::unique_ptr<App> app;
  FakeView view;
  std::unique_ptr<FrmVornix> frm;
  Program() { create(); }
  void create() {
    app = std::make_unique<App>(sys.services());
    app->startupFlag = true;
    view = FakeView();
    frm = std::make_unique<FrmVornix>(*app, view);
    // The system's clipboard-change message reaches the main window while it is in the chain.
    sys.chain.deliver = [this] { frm->onDrawClipboard(0, 0); };
    // The capture's posted work runs once for the changes that came before it.
    view.loop = &sys.loop;
    view.post = [this] {
      if (!std::exchange(captureQueued, true)) sys.loop.post([this] { captureQueued = false, frm->fileCaptured(); });
    };
  }
  bool captureQueued = false;
  // Loads like a start of the program (language choice and the main window's loading).
  void start() {
    selectLanguage(*app);
    app->textTypeName = app->str(kStrText);
    frm->load();
    idle();
  }
  // The message loop runs dry: what the capture posted is done.
  void idle() { sys.loop.runPending(); }
  void restart() {
    frm->unload();
    create();
    start();
  }
  // Starts on the store and the files that another run left behind.
  void startFrom(const Program& before) {
    sys.store = before.sys.store;
    sys.files.files = before.sys.files.files;
    start();
  }
  void set(const char* name, const char* value) { sys.store.values[T(name)] = T(value); }
  void setAll(const Stored& stored) {
    for (const auto& [name, value] : stored) set(name, value);
  }
  Text stored(const char* name) const { return sys.store.get(T(name)); }
  bool has(const char* name) const { return sys.store.has(T(name)); }
  // An entry filed the way loading files it: only an exact copy is refused, nothing is saved.
  void add(const Text& text, double date = 0, long counter = 0, bool protect = false) {
    frm->addListItem(text, protect, false, date, counter);
  }
  // Texts of the message boxes shown so far.
  std::vector<Text> boxes() const {
    std::vector<Text> out;
    for (const auto& b : sys.boxes.shown) out.push_back(b.text);
    return out;
  }
  // Texts of the list in display order.
  std::vector<Text> texts() const {
    std::vector<Text> out;
    for (const Row& r : frm->rows().rows()) out.push_back(r.cells[kColContent]);
    return out;
  }
  int indexOf(const Text& text) const {
    const auto& rows = frm->rows().rows();
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i].cells[kColContent] == text) return static_cast<int>(i);
    return -1;
  }
  const Row* row(const Text& text) const { return indexOf(text) < 0 ? nullptr : &frm->rows().at(indexOf(text)); }
  // Every cell of the row that holds `text`; empty ones when there is none.
  std::vector<Text> cells(const Text& text) const {
    const Row* r = row(text);
    return r ? std::vector<Text>(std::begin(r->cells), std::end(r->cells)) : std::vector<Text>(kColumnCount);
  }
  // Another program copies a text: the system notifies the chain, if we are in it.
  void copy(const Text& text, bool secret = false) {
    sys.clipboard.set(text, secret);
    idle();
  }
  // Copies one after another, a moment apart, so that the newest comes first.
  void copyEach(const std::vector<Text>& texts) {
    for (const Text& t : texts) {
      sys.clock.time += 0.01;
      copy(t);
    }
  }
};

// A run started on a store that holds `stored`.
struct Running : Program {
  explicit Running(Stored stored = {}) {
    setAll(stored);
    start();
  }
};

class FakeHotkeyView : public HotkeyView {
 public:
  int leftMini = 0, focused = 0, clicks = 0, menus = 0;
  void leaveMiniMode() override { ++leftMini; }
  void focusMain() override { ++focused; }
  void clickTopMost() override { ++clicks; }
  void openHotmenu() override { ++menus; }
};

// A run with hotkeys and typing on fakes, started on the stored values of both lists.
struct Quick : Program {
  fake::FakeHotkeys hotkeys;
  fake::FakeKeyboard keyboard;
  FakeHotkeyView hotkeyView;
  QuickAccess quick{*app, *frm, view, hotkeyView, hotkeys, keyboard};
  explicit Quick(Stored stored = {}, Stored more = {}) {
    setAll(stored);
    setAll(more);
    start();
  }
  // The system reports a pressed combination as it was registered.
  bool press(unsigned mods, unsigned key, int id = 0) {
    if (id == 0) id = hotkeys.idOf(mods, key);
    return quick.onHotkey(static_cast<std::uint32_t>(id), static_cast<std::intptr_t>((key << 16) | mods));
  }
};

}  // namespace vornix::test
