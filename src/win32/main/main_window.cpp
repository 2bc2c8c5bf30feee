// The main window's life and message routing: creation, loading, the keys it
// takes first, commands, notifications, activation, the start-up timer, the
// clipboard viewer chain and shutdown.
#include "win32/main/main_window.h"

#include "core/clip/helpers.h"
#include "win32/common/dpi.h"
#include "win32/common/resource.h"
#include "win32/editor/editor_dialog.h"
#include "win32/info/about_box.h"
#include "win32/info/bug_dialog.h"
#include "win32/main/main_menu.h"

namespace vornix::ui {

namespace {

constexpr wchar_t kClassName[] = L"VornixMainWindow";

HICON loadIcon(int cx, int cy) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VORNIX), IMAGE_ICON,
                                       GetSystemMetrics(cx), GetSystemMetrics(cy), 0));
}

}  // namespace

MainWindow::MainWindow(App& app)
    : app_(app),
      frm_(app, *this),
      quick_(app, frm_, *this),
      list_(app, frm_),
      tabs_(app, frm_),
      display_(app, osd_),
      mini_(app, frm_, *this) {
  frm_.attachOnScreenDisplay(&display_);
  frm_.attachStartupFolder(&startupFolder_);
  mini_.logic().applyTextKey = [this](int key) { quick_.quick().applyTextKey(key); };
  quick_.leaveMini = [this] {
    if (mini_.logic().loaded())
      mini_.logic().closeMiniMode();
    else
      ShowWindow(hwnd(), SW_SHOW);
  };
}

MainWindow::~MainWindow() {
  if (hwnd()) DestroyWindow(hwnd());
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

bool MainWindow::create() {
  if (!registerClass(kClassName, loadIcon(SM_CXICON, SM_CYICON), loadIcon(SM_CXSMICON, SM_CYSMICON))) return false;
  font_ = messageFont();
  menu_ = createMainMenu(app_);
  accelerators_ = createMainAccelerators();
  // The dialog manager moves the focus between the controls with Tab.
  if (Window::create(WS_EX_CONTROLPARENT, kClassName, u"Vornix", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, nullptr,
                     menu_))
    return true;
  DestroyMenu(menu_);
  menu_ = nullptr;
  return false;
}

void MainWindow::load() {
  frm_.load();
  quick_.quick().registerHotkeys();
  loaded_ = true;
  SetTimer(hwnd(), kStartupTimer, 1, nullptr);
}

void MainWindow::show(int showCommand) {
  ShowWindow(hwnd(), showCommand);
  UpdateWindow(hwnd());
}

bool MainWindow::preTranslate(MSG& message) {
  if (message.message == WM_MOUSEMOVE && mini_.hwnd() && (message.hwnd == mini_.hwnd() || IsChild(mini_.hwnd(), message.hwnd)))
    quick_.pointerOverProgram();
  if (mini_.preTranslate(message)) return true;
  if (!hwnd() || (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd))) return false;
  try {
    // The user turns to the program's own window: the hot menu has had its time.
    if (message.message == WM_MOUSEMOVE) quick_.pointerOverProgram();
    if (isEntryKeyTarget(message.hwnd)) {
      const WPARAM key = message.wParam;
      if (message.message == WM_KEYDOWN && (key == VK_RETURN || key == VK_ESCAPE)) {
        frm_.lvItems_KeyDown(key == VK_RETURN ? 13 : 27);
        return true;
      }
      // Key up, so that a held key deletes or files only once.
      if (message.message == WM_KEYUP && (key == VK_DELETE || key == VK_INSERT)) {
        frm_.lvItems_KeyUp(key == VK_DELETE ? 46 : 45);
        return true;
      }
    }
    if (accelerators_ && TranslateAcceleratorW(hwnd(), accelerators_, &message)) return true;
    return IsDialogMessageW(hwnd(), &message) != FALSE;
  } catch (...) {
    return true;
  }
}

bool MainWindow::isEntryKeyTarget(HWND window) const {
  return window == list_.control().hwnd() || tabs_.isSideList(window);
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return createControls() ? 0 : -1;
    case WM_SIZE:
      layout();
      return 0;
    case WM_GETMINMAXINFO:
      onMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return onNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd(), focus)) savedFocus_ = focus;
        frm_.deactivate();
        return 0;
      } else {
        const LRESULT result = defaultProc(message, wParam, lParam);
        frm_.activate();
        // Coming to the front can put the window back among the others (Wine
        // restacks a window it activates late): "stay in front" holds again.
        if (topMost_.checked()) setTopMost(true);
        return result;
      }
    case WM_NEXTDLGCTL: {
      // Sent by the dialog manager for Tab; only dialog boxes answer it by themselves.
      HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                 : GetNextDlgTabItem(hwnd(), GetFocus(), wParam != 0 ? TRUE : FALSE);
      if (next) SetFocus(next);
      return 0;
    }
    case WM_SETFOCUS: {
      HWND target = focusTarget();
      savedFocus_ = nullptr;
      if (target) SetFocus(target);
      return 0;
    }
    case WM_TIMER:
      if (wParam == kStartupTimer) onStartupTimer();
      if (wParam == kCaptureTimer) {
        KillTimer(hwnd(), kCaptureTimer);
        burstTimer_ = false;
        frm_.fileCaptured(true);
        list_.resumeDrawing();
      }
      return 0;
    case kMsgFileCaptured:
      filePosted_ = false;
      if (frm_.capturedWaiting()) list_.holdDrawing();
      frm_.fileCaptured(false);
      // Drawing, the display and saving wait until no further change has come for a moment.
      startQuietTimer();
      return 0;
    case WM_CLOSE:
      if (!frm_.queryUnload(false)) {
        quick_.quick().removeHotkeys();
        DestroyWindow(hwnd());
      }
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The process may end any time after this returns: save now, without asking.
      if (wParam) {
        frm_.queryUnload(true);
        mini_.unloadAtExit();
        unloadOnce();
      }
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd(), kStartupTimer);
      KillTimer(hwnd(), kCaptureTimer);
      revokeDropTarget(list_.control().hwnd());
      for (int tab : {kTabURL, kTabEMail}) revokeDropTarget(tabs_.sideList(tab));
      mini_.unloadAtExit();
      unloadOnce();
      PostQuitMessage(0);
      return 0;
    case EntryListView::kMsgCheckSelection:
      list_.checkSelection();
      return 0;
    case EntryListView::kMsgHideKeyColumns:
      list_.hideKeyColumns();
      return 0;
    case kMsgDrop:
      processDrops();
      return 0;
    default:
      return defaultProc(message, wParam, lParam);
  }
}

void MainWindow::postCaptureWork() {
  // A change that comes alone is filed as soon as the message that brought it
  // returns. Within a burst each change only restarts the wait, so that the next
  // one finds the clipboard read at once and no text is replaced unread.
  const DWORD now = GetTickCount();
  const bool burst = burstTimer_ && now - lastChange_ < kCaptureQuietMs;
  lastChange_ = now;
  if (!burst && !filePosted_) filePosted_ = PostMessageW(hwnd(), kMsgFileCaptured, 0, 0) != 0;
  if (!filePosted_) startQuietTimer();
}

void MainWindow::startQuietTimer() {
  SetTimer(hwnd(), kCaptureTimer, kCaptureQuietMs, nullptr);
  burstTimer_ = true;
}

void MainWindow::onCommand(int id, int code) {
  if (const int position = MainToolbar::positionOf(id)) {
    frm_.tbMain_ButtonClick(position);
  } else if (id == IDC_CHKTOPMOST) {
    if (code == BN_CLICKED) frm_.chkTopMost_Click();
  } else if (!tabs_.onCommand(id, code)) {
    onMenu(id);
  }
}

void MainWindow::onMenu(int id) {
  switch (id) {
    case IDM_FILE_MINI:
      enterMiniMode();
      break;
    case IDM_FILE_IMPORT:
      frm_.menFileFileDialog_Click();
      break;
    case IDM_FILE_QUIT:
      SendMessageW(hwnd(), WM_CLOSE, 0, 0);
      break;
    case IDM_EDIT_UNDO:
      frm_.menEditUndo_Click();
      break;
    case IDM_EDIT_CUT:
      frm_.tbMain_ButtonClick(Command::TbCut);
      break;
    case IDM_EDIT_COPY:
      frm_.tbMain_ButtonClick(Command::TbCopy);
      break;
    case IDM_EDIT_PASTE:
      frm_.FromClipboard();
      break;
    case IDM_EDIT_CLEARCLIP:
      frm_.menClearClipboard_Click();
      break;
    case IDM_FILE_EXPORT:
      menFileFileExport_Click();
      break;
    case IDM_FILE_SETTINGS:
      showPreferences();
      break;
    case IDM_HELP_HELP:
      openWithShell(app_, app_.helpFile);
      break;
    case IDM_HELP_BUG:
      frm_.showModal([this] { runBugReport(app_, hwnd(), mainFacts(frm_, *this)); });
      break;
    case IDM_HELP_ABOUT:
      frm_.showModal([this] { runAboutBox(app_, hwnd()); });
      break;
    default:
      break;
  }
}

LRESULT MainWindow::onNotify(const NMHDR* header) {
  if (!header) return 0;
  if (header->hwndFrom == list_.control().hwnd() && header->code == LVN_BEGINDRAG) {
    dragOut();
    return 0;
  }
  LRESULT result = 0;
  if (list_.onNotify(header, result)) return result;
  if (!tabs_.onNotify(header)) toolbar_.onNotify(header);
  return 0;
}

void MainWindow::onStartupTimer() {
  // Off while the logic runs, so that a box it shows cannot bring the next tick in.
  KillTimer(hwnd(), kStartupTimer);
  if (frm_.timerInitAfterLoad()) SetTimer(hwnd(), kStartupTimer, 1, nullptr);
}

void MainWindow::unloadOnce() {
  if (unloaded_) return;
  unloaded_ = true;
  quick_.unloadHotmenu();
  quick_.quick().removeHotkeys();
  // After a failed load the store would be overwritten with half a list: only leave the chain.
  if (loaded_) frm_.unload();
  else if (app_.inChain) frm_.changeProtocolMode(0);
}

HWND MainWindow::focusTarget() const {
  HWND saved = savedFocus_;
  if (saved && IsWindow(saved) && IsChild(hwnd(), saved) && IsWindowVisible(saved) && IsWindowEnabled(saved))
    return saved;
  return tabs_.page();
}

void MainWindow::dragOut() {
  draggingOut_ = true;
  try {
    dragTextOut([this] { return frm_.lvItems_DragOut(); });
  } catch (...) {
    draggingOut_ = false;
    throw;
  }
  draggingOut_ = false;
}

void MainWindow::queueDrop(Dropped dropped) {
  // Filed after the drop returns: the source program waits for Drop, and filing may ask questions.
  drops_.push_back(std::move(dropped));
  PostMessageW(hwnd(), kMsgDrop, 0, 0);
}

void MainWindow::processDrops() {
  std::vector<Dropped> drops;
  drops.swap(drops_);
  for (const Dropped& d : drops) {
    if (d.isFiles) frm_.dropFiles(d.files);
    else frm_.dropText(d.text);
  }
}

}  // namespace vornix::ui
