// The main window's logic: start-up and shutdown, clipboard capture, the entry
// list with its commands and undo, the URL and e-mail lists, and saving.
// It knows the window on the screen only through MainView.
#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <string>
#include <vector>

#include "core/app/app.h"
#include "core/list/entry_rows.h"
#include "core/list/main_view.h"
#include "core/list/search.h"
#include "core/store/entry_storage.h"
#include "platform/startup_folder.h"

namespace vornix {

class OnScreenDisplay;

struct UndoRecord {
  Text text;
  bool protect = false;
  int action = 0;  // 1: put back onto the clipboard and file again
  double date = 0;    // a removed entry comes back with its date and counter
  long quantity = 0;
};

class FrmVornix {
 public:
  FrmVornix(App& app, MainView& view);

  EntryRows& rows() { return rows_; }
  const UndoRecord& undoRecord() const { return undo_; }
  bool commandEnabled(Command command) const;
  // The last clipboard text record mode saw (or the text we put there), by length and hash.
  const TextPrint& lastClipText() const { return lastClip_; }
  bool ignoreNextChange() const { return ignoreNextChange_; }
  platform::WindowHandle nextViewer() const { return nextViewer_; }

  // Start-up and shutdown.
  void load();
  void init();
  // The start-up timer's tick; false once the timer is to be switched off.
  bool timerInitAfterLoad();
  void activate();
  void deactivate();
  // True when the close is cancelled. `systemEnding`: log-off or shutdown.
  bool queryUnload(bool systemEnding);
  void unload();
  // The last act of a process that is going down: leaves the viewer chain and saves
  // the list as far as it can, without a box or a question. Not during loading, when
  // a save would overwrite the store with half a list.
  void emergencyShutdown();

  // Window message hook: the two viewer chain messages.
  void onDrawClipboard(std::uintptr_t wParam, std::intptr_t lParam);
  void onChangeCbChain(platform::WindowHandle removed, platform::WindowHandle next);

  // Capture.
  void changeProtocolMode(int changeProtocol = -1);
  // Reads the clipboard; filing and display follow in fileCaptured.
  void ClipChanged();
  // Files what the capture read. The view calls it at once after a change that
  // came alone, and once the changes pause when they come in quick succession.
  // Only `settled` (they have paused) shows the clipboard and the on-screen display
  // and saves what was filed: a burst of copies is not slowed down by that work.
  void fileCaptured(bool settled = true);
  bool capturedWaiting() const { return !captured_.empty(); }
  void FromClipboard();
  void displayClipboard();
  // The status bar's clipboard panel and the commands that need a text, for a content already read.
  void showClipboard(const platform::ClipContent& content);
  Text getClipTextType(const ClipClass& clip) const;
  void menClearClipboard_Click();

  // Entry list. Row indexes are 0-based positions in display order.
  void addListItem(Text strText, bool sel, bool realadd, double cldate = 0, long quant = 0);
  void changeEntry(const Text& strText, bool sel, bool copied = false);
  void removeEntry(int index);
  bool checkMaxEntries();
  void checkListStatus();

  // Entry commands and undo.
  void selectEntry(int index);
  void setClipEntry(int index);
  int getSelectedIndex() const { return rows_.selected(); }
  // `written` tells whether the text reached the clipboard (a failure is reported).
  Text CopyItem(int index, bool* written = nullptr);
  // One editor at a time: while it is open a further request brings it to the front.
  void EditItem(int index);
  bool editorOpen() const { return editorOpen_; }
  void fillUndo(const Text& strText, bool bol, int intAction);
  void menEditUndo_Click();
  void dropText(const Text& text);
  void dropFiles(const std::vector<Text>& paths);
  void importFile(const Text& path);
  void menFileFileDialog_Click();

  // Main window events.
  void tbMain_ButtonClick(int button);
  void tbMain_ButtonClick(Command button) { tbMain_ButtonClick(static_cast<int>(button)); }
  void lvItems_DblClick();
  void lvItems_KeyDown(int key);
  void lvItems_KeyUp(int key);
  void lvItems_ColumnClick(int column);  // 1-based header number
  // Rows by their position in the list as shown (all rows, or those a search finds).
  void lvItems_ItemClick(int position);
  void lvItems_ItemCheck(int position, bool checked);
  void lvItems_Select(int position);  // the user selected a row (-1: none)
  // Dragging out fixes the row when the drag starts; the text is handed over (and
  // the use counted) when it is dropped, by then a capture may have moved the rows.
  int selectedRowId() const;
  Text lvItems_DragOut(int rowId);
  void chkTopMost_Click();
  // The modal dialog steps around `show` (Preferences, bug report, about box).
  void showModal(const std::function<void()>& show);

  // Find as you type in the tab in front: Ctrl+F opens the search empty, the first
  // character typed in a list opens it with that character; the search shows only
  // the rows (or side-list items) whose text holds every typed word. It never
  // changes the rows, their order or their counters.
  void startSearch(const Text& typed);
  void search_Change(const Text& typed);
  // Esc: ends an open search, the selection staying on its entry; false when
  // no search was open.
  bool endSearch();
  bool searchOpen() const { return searchOpen_; }
  const Text& searchText() const { return searchText_; }
  int shownCount() const;
  int shownRow(int position) const;    // the row's index; -1 for none
  int shownPosition(int index) const;  // -1 when the row is not shown
  // The folded form of a row's text, kept until the text changes (the hot menu's search uses it too).
  const SearchKey& searchKey(const Row& row) const { return searchIndex_.key(row); }

  // URL and e-mail lists.
  void ssVornix_Click(int tab);
  void linkList_Click(int tab);
  void linkList_DblClick(int tab);
  void linkList_Focus(int tab, bool got);
  bool linkListEnabled(int tab) const { return linkEnabled_[tab == kTabURL ? 0 : 1]; }

  void saveReg();

  // Quick access: the text the status bar shows for the clipboard, and one use
  // of an entry handed out by the hot menu (its counter goes up, it is selected).
  const Text& clipboardPanel() const { return clipboardPanel_; }
  void countUse(int rowId);

  // Quick access the window hosts: the on-screen display and the start-up folder
  // (none in a run without them). Preferences OK calls setOSD and setAutostart too.
  void attachOnScreenDisplay(OnScreenDisplay* osd) { osd_ = osd; }
  void attachStartupFolder(platform::StartupFolder* folder) { startupFolder_ = folder; }
  void setOSD();
  // Every dialog of the program calls this when it opens.
  void hideOSD();
  void setAutostart(int wanted);

 private:
  // A new clipboard text of `length` characters, of which `text` is the beginning.
  void showOnScreen(const Text& text, std::size_t length);
  void setCommand(Command command, bool enabled);
  void loadSettings();
  void saveSettings();
  std::size_t captureLimit() const;
  bool insertListItem(Text strText, bool sel, bool realadd, double cldate, long quant);
  void showCaptured();
  int findGivenUp() const;
  void writeRowFromClip(int index);
  void setItemDate(int index, double date);
  void refreshCounter(int index, long quant);
  double entryDate(double cldate) const;
  void newEntry();
  bool runEditor(Text& text, bool& protect, bool& copy, bool modal);
  void copyEdited(const Text& text);
  void deleteEntry(int index);
  void clearList();
  void openLink(bool open, bool mail);
  void checkHyperJump(int index);
  void enableLinkList(int tab, bool enabled);
  void tabCheck();
  void modalDialogSteps();
  long rowCounter(int index) const;
  bool rowShown(const Row& row) const;
  // The view is told of changed rows or selection only through these: a search
  // keeps the selection on a row the user can see.
  void showRows();
  void showSelection();
  void keepSelectionShown();
  void applySearch();
  void fillLinkList(int tab);

  App& app_;
  MainView& view_;
  EntryRows rows_;
  EntryStorage storage_;
  UndoRecord undo_;
  Text caption_;
  TextPrint lastClip_;
  Text clipboardPanel_;
  std::vector<Text> captured_;           // read, not yet filed
  platform::ClipContent shownContent_;  // the latest content, for the display
  Text osdText_;  // the newest new text's beginning, for the on-screen display
  std::size_t osdLength_ = 0;
  bool capturedTab_ = false;
  bool capturePosted_ = false;
  bool captureUnsaved_ = false;  // filed by the capture, not yet saved
  bool ignoreNextChange_ = false;
  bool editorOpen_ = false;
  platform::WindowHandle nextViewer_ = 0;
  int lastClickedColumn_ = 0;
  bool linkEnabled_[2] = {false, false};
  std::vector<int> linkRows_[2];  // row ids behind the items of the side lists
  bool searchOpen_ = false;
  Text searchText_;
  SearchQuery searchQuery_;
  mutable SearchIndex searchIndex_;
  // Whether a row (by id) matches the search, for the text revision it was checked on.
  mutable std::unordered_map<int, std::pair<int, bool>> searchHits_;
  int searchSelection_ = -1;  // the id of the row last shown selected during a search
  bool enabled_[64] = {};
  OnScreenDisplay* osd_ = nullptr;
  platform::StartupFolder* startupFolder_ = nullptr;
};

}  // namespace vornix
