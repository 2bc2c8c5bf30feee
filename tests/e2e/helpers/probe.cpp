// Looks into the running program from outside and works it as a user would: its
// list rows, status bar, title, message boxes and dialogs (controls by window and
// id), the hot menu, the mini window, its icon and the on-screen display; sends
// keystrokes; reads and writes its registry values byte-exact; reads shortcuts;
// checks the captions of its open windows (access keys, language, room).
//
// List view and status bar messages carry pointers that are not marshalled
// between processes, so their buffers are allocated inside the target. Reading
// another process's memory briefly freezes it under Wine: each command writes
// and reads that memory once.
#include "helper_io.h"  // windows.h first: commctrl.h needs its types

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <regex>
#include <sstream>

#include "core/prefs/access_keys.h"
#include "core/prefs/localisation.h"

namespace {

using helper::fail;
using helper::line;

const char kUsage[] =
    "usage: probe <command> [then <command>...] | until <seconds> [!]<regex> <command>\r\n"
    "  on the main window: list [maxchars] | status | title | close | crash | selected\r\n"
    "  boxes | press <button> | keys <strokes> [<title> [<then>]] | focused | keycheck german|english | fit\r\n"
    "  regget <name> | regset <name> <utf8-file> | front | menu | menusearch | menukeys <strokes> <lines>\r\n"
    "  atom <name> | popups | mini | move <x> <y> | icon dblclick|rightup | hasicon [<handle>]\r\n"
    "  losticon | handle <window> | osd | lnk <path> | rect <window> | shown <window> | page <window>\r\n"
    "  get|cmd|click|push|checked|focus <window> <id> | set|setfile|combo|slider <window> <id> <value>\r\n"
    "  <window>: main, mini, prefs (the dialog with the page tabs) or the start of a visible title.\r\n"
    "  Listings are tab-separated; tabs, CR, LF and backslashes in texts as \\t \\r \\n \\\\.\r\n";

// Must match the program's own numbers (src/win32/quick/mini_ids.h, prefs/prefs_ids.h, common/resource.h).
constexpr UINT kMsgTrayIcon = WM_APP + 0x300;
constexpr UINT kTrayIconId = 1;
constexpr int kPrefsTabs = 5001;
constexpr int kStayInFront = 1007;
const wchar_t kSettingsKey[] = L"Software\\Vornix\\Settings";

HWND mainWindow() { return FindWindowW(L"VornixMainWindow", nullptr); }
HWND miniWindow() { return FindWindowW(L"VornixMiniWindow", nullptr); }

std::vector<HWND> visibleBoxes() {
  std::vector<HWND> boxes;
  for (HWND window : helper::windows(nullptr, L"#32770"))
    if (IsWindowVisible(window)) boxes.push_back(window);
  return boxes;
}

// A window's title or a label's text as the system keeps it: no message to a window
// that may be opening or closing, which could keep the probe waiting for seconds.
std::wstring titleOf(HWND window) {
  wchar_t text[4096] = L"";
  GetWindowTextW(window, text, 4096);
  return text;
}

HWND findWindow(const std::wstring& name) {
  if (name == L"main") return mainWindow();
  if (name == L"mini") return miniWindow();
  for (HWND window : helper::windows()) {
    if (name == L"prefs") {
      if (helper::className(window) == L"#32770" && GetDlgItem(window, kPrefsTabs)) return window;
      continue;
    }
    if (IsWindowVisible(window) && titleOf(window).compare(0, name.size(), name) == 0) return window;
  }
  return nullptr;
}

// A block of memory inside the process that owns a window.
class RemoteBlock {
 public:
  RemoteBlock(HWND window, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                           FALSE, pid);
    if (process_) base_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  LPARAM at(size_t offset) const { return reinterpret_cast<LPARAM>(static_cast<char*>(base_) + offset); }
  // Writes the image into the block, lets `send` send the messages that use it, reads it back.
  template <class Send>
  bool exchange(std::vector<char>& image, Send send) {
    SIZE_T done = 0;
    if (!base_ || !WriteProcessMemory(process_, base_, image.data(), size_, &done) || done != size_) return false;
    send();
    return ReadProcessMemory(process_, base_, image.data(), size_, &done) && done == size_;
  }

 private:
  size_t size_;
  HANDLE process_ = nullptr;
  void* base_ = nullptr;
};

std::wstring textAt(const std::vector<char>& image, size_t offset, size_t maxChars) {
  const wchar_t* text = reinterpret_cast<const wchar_t*>(image.data() + offset);
  return std::wstring(text, wcsnlen(text, maxChars));
}

// A line per row: its check box (1, 0 or - for none), then each column.
int list(HWND main, size_t maxChars) {
  std::vector<HWND> lists = helper::windows(main, WC_LISTVIEWW);
  if (lists.empty()) return fail("no list view in the main window");
  HWND view = lists.front();
  const int rows = static_cast<int>(SendMessageW(view, LVM_GETITEMCOUNT, 0, 0));
  HWND header = reinterpret_cast<HWND>(SendMessageW(view, LVM_GETHEADER, 0, 0));
  int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  if (columns < 1) columns = 1;
  if (rows <= 0) return 0;

  const size_t itemBytes = (sizeof(LVITEMW) + 15) & ~size_t(15);
  const size_t cellBytes = itemBytes + (maxChars + 1) * sizeof(wchar_t);
  const size_t cells = static_cast<size_t>(rows) * columns;
  RemoteBlock block(view, cells * cellBytes);
  std::vector<char> image(cells * cellBytes, 0);
  for (size_t cell = 0; cell < cells; ++cell) {
    LVITEMW* item = reinterpret_cast<LVITEMW*>(image.data() + cell * cellBytes);
    item->mask = LVIF_TEXT;
    item->iSubItem = static_cast<int>(cell % columns);
    item->pszText = reinterpret_cast<LPWSTR>(block.at(cell * cellBytes + itemBytes));
    item->cchTextMax = static_cast<int>(maxChars + 1);
  }
  if (!block.exchange(image, [&] {
        for (size_t cell = 0; cell < cells; ++cell)
          SendMessageW(view, LVM_GETITEMTEXTW, cell / columns, block.at(cell * cellBytes));
      }))
    return fail("cannot reach the program's memory");

  for (int row = 0; row < rows; ++row) {
    UINT state = static_cast<UINT>(SendMessageW(view, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    UINT image_index = (state & LVIS_STATEIMAGEMASK) >> 12;
    std::string text = image_index == 0 ? "-" : image_index == 1 ? "0" : "1";
    for (int column = 0; column < columns; ++column)
      text += "\t" + helper::field(textAt(image, (row * columns + column) * cellBytes + itemBytes, maxChars));
    line(text);
  }
  return 0;
}

int status(HWND main) {
  std::vector<HWND> bars = helper::windows(main, STATUSCLASSNAMEW);
  if (bars.empty()) return fail("no status bar in the main window");
  HWND bar = bars.front();
  int parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
  if (parts < 1) parts = 1;
  std::vector<size_t> offsets;
  size_t size = 0;
  for (int part = 0; part < parts; ++part) {
    offsets.push_back(size);
    size += (LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0)) + 1) * sizeof(wchar_t);
  }
  RemoteBlock block(bar, size);
  std::vector<char> image(size, 0);
  if (!block.exchange(image, [&] {
        for (int part = 0; part < parts; ++part) SendMessageW(bar, SB_GETTEXTW, part, block.at(offsets[part]));
      }))
    return fail("cannot reach the program's memory");
  for (int part = 0; part < parts; ++part) {
    size_t end = part + 1 < parts ? offsets[part + 1] : size;
    line(helper::field(textAt(image, offsets[part], (end - offsets[part]) / sizeof(wchar_t))));
  }
  return 0;
}

int boxes() {
  for (HWND box : visibleBoxes()) {
    std::string text = helper::field(titleOf(box));
    for (HWND label : helper::windows(box, L"Static")) {
      std::wstring content = titleOf(label);
      if (!content.empty()) text += "\t" + helper::field(content);
    }
    line(text);
  }
  return 0;
}

std::wstring withoutAmpersands(std::wstring text) {
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  return text;
}

// The captions of a tab strip's tabs, read inside the program.
std::vector<std::wstring> tabCaptions(HWND tabs) {
  std::vector<std::wstring> captions;
  const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  constexpr size_t kChars = 256;
  const size_t textOffset = (sizeof(TCITEMW) + 15) / 16 * 16;
  RemoteBlock block(tabs, textOffset + kChars * sizeof(wchar_t));
  for (int i = 0; i < count; ++i) {
    std::vector<char> image(textOffset + kChars * sizeof(wchar_t), 0);
    auto* item = reinterpret_cast<TCITEMW*>(image.data());
    item->mask = TCIF_TEXT;
    item->pszText = reinterpret_cast<wchar_t*>(block.at(textOffset));
    item->cchTextMax = kChars;
    if (block.exchange(image, [&] { SendMessageW(tabs, TCM_GETITEMW, i, block.at(0)); }))
      captions.push_back(textAt(image, textOffset, kChars));
  }
  return captions;
}

// Controls whose caption the user reads and whose access key the dialog manager finds.
bool hasCaption(HWND control) {
  const std::wstring cls = helper::className(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (lstrcmpiW(cls.c_str(), L"Button") == 0) return (style & BS_TYPEMASK) != BS_OWNERDRAW;
  if (lstrcmpiW(cls.c_str(), L"Static") != 0) return false;
  const LONG type = style & SS_TYPEMASK;
  return type <= SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
}

// Every open window of the program, as the user sees it now: no two captions
// with one access key, no text of the other language.
int keycheck(const std::wstring& language) {
  if (language != L"german" && language != L"english") return fail(kUsage);
  const int offset = language == L"german" ? 0 : 1000;
  std::vector<HWND> open = visibleBoxes();
  for (HWND window : {mainWindow(), miniWindow()})
    if (window && IsWindowVisible(window)) open.push_back(window);
  int problems = 0;
  for (HWND window : open) {
    const std::wstring title = titleOf(window);
    std::vector<vornix::Text> captions;
    std::vector<std::wstring> texts = {title};
    for (HWND control : helper::windows(window)) {
      if (GetParent(control) != window || !IsWindowVisible(control)) continue;
      if (helper::className(control) == WC_TABCONTROLW) {
        for (const std::wstring& tab : tabCaptions(control)) {
          captions.emplace_back(tab.begin(), tab.end());
          texts.push_back(tab);
        }
      } else if (hasCaption(control)) {
        const std::wstring text = helper::textOf(control);
        if ((GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX) == 0 || helper::className(control) == L"Button")
          captions.emplace_back(text.begin(), text.end());
        texts.push_back(text);
      }
    }
    for (const vornix::Text& collision : vornix::accessKeyCollisions(captions)) {
      line("collision in " + helper::field(title) + ": " + helper::field(std::wstring(collision.begin(), collision.end())));
      ++problems;
    }
    for (const std::wstring& text : texts) {
      const vornix::Text foreign = vornix::foreignText(offset, vornix::Text(text.begin(), text.end()));
      if (foreign.empty()) continue;
      line("other language in " + helper::field(title) + ": " + helper::field(std::wstring(foreign.begin(), foreign.end())));
      ++problems;
    }
  }
  if (problems) return 1;
  return line("ok " + std::to_string(open.size())), 0;
}

// The front box first: a message box over a dialog wins over the dialog's own buttons.
int press(const std::wstring& caption) {
  for (HWND box : visibleBoxes())
    for (HWND button : helper::windows(box, L"Button"))
      if (IsWindowVisible(button) &&
          lstrcmpiW(withoutAmpersands(titleOf(button)).c_str(), withoutAmpersands(caption).c_str()) == 0) {
        // Posted: a button that opens another modal box must not block the probe.
        PostMessageW(button, BM_CLICK, 0, 0);
        return 0;
      }
  return fail("no visible box has a button " + helper::utf8(caption));
}

// Prints the time sent and, with a title, the ms until a window of that title shows;
// then, the further strokes once that window is in front.
int keys(const std::wstring& strokes, const wchar_t* title, const wchar_t* then) {
  const long long sent = helper::nowMs();
  if (int rc = helper::sendKeys(strokes)) return rc;
  line("sent\t" + std::to_string(sent));
  if (!title) return 0;
  const DWORD start = GetTickCount();
  HWND window = nullptr;
  for (;;) {
    window = FindWindowW(nullptr, title);
    if (window && IsWindowVisible(window)) break;
    if (GetTickCount() - start > helper::limitMs(5000)) return fail("no window " + helper::utf8(title));
    Sleep(1);
  }
  line("shown\t" + std::to_string(GetTickCount() - start));
  if (!then) return 0;
  // The further strokes go to that window once it holds the keys: from here, not
  // by a second probe, which under emulation starts slower than a menu stays open.
  while (GetForegroundWindow() != window) {
    if (GetTickCount() - start > helper::limitMs(5000)) return fail("the window did not take the front");
    Sleep(1);
  }
  return helper::sendKeys(then);
}

// The list's selected row (display order, -1 for none) and whether the list holds the focus.
int selected(HWND main) {
  std::vector<HWND> lists = helper::windows(main, WC_LISTVIEWW);
  if (lists.empty()) return fail("no list view in the main window");
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
  line(std::to_string(SendMessageW(lists.front(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) + "\t" +
       (info.hwndFocus == lists.front() ? "1" : "0"));
  return 0;
}

// The title of the window in front, the main window's top-most flag and its "in front" box.
int front() {
  wchar_t title[256] = L"";
  GetWindowTextW(GetForegroundWindow(), title, 256);
  line("front\t" + helper::utf8(title));
  HWND main = mainWindow();
  if (!main) return fail("no Vornix window");
  const bool topMost = (GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  HWND box = GetDlgItem(main, kStayInFront);
  const bool checked = box && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  line(std::string("topmost\t") + (topMost ? "1" : "0"));
  line(std::string("checked\t") + (checked ? "1" : "0"));
  return 0;
}

std::string rect(HWND window) {
  RECT r = {};
  if (window) GetWindowRect(window, &r);
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
         std::to_string(r.bottom);
}

HWND hotmenuList() {
  HWND window = FindWindowW(L"VornixHotMenu", nullptr);
  return window && IsWindowVisible(window) ? FindWindowExW(window, nullptr, L"ListBox", nullptr) : nullptr;
}

// The hot menu's place (and the screen's size), then its lines.
int menu() {
  HWND list = hotmenuList();
  if (!list) return fail("no hot menu");
  line("rect\t" + rect(GetParent(list)) + "\t" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " +
       std::to_string(GetSystemMetrics(SM_CYSCREEN)));
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const int length = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, i, 0));
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(wcsnlen(text.c_str(), text.size()));
    line(helper::field(text));
  }
  return 0;
}

int menuSearch() {
  HWND window = FindWindowW(L"VornixHotMenu", nullptr);
  HWND search = window ? FindWindowExW(window, nullptr, L"Static", nullptr) : nullptr;
  if (!search) return fail("no hot menu");
  line(IsWindowVisible(search) ? helper::utf8(helper::textOf(search)) : "");
  return 0;
}

// The menu answers a sent message only once it has handled the keys before it and
// drawn what they changed: the time to the right count is the time to the redrawn menu.
int menuKeys(const std::wstring& strokes, int lines) {
  HWND list = hotmenuList();
  if (!list) return fail("no hot menu");
  const long long sent = helper::nowMs();
  if (int rc = helper::sendKeys(strokes)) return rc;
  for (;;) {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return fail("no hot menu");
    if (static_cast<int>(count) == lines) break;
    if (helper::nowMs() - sent > 5000) return fail("the menu holds " + std::to_string(count) + " lines");
    Sleep(1);
  }
  line("redrawn\t" + std::to_string(helper::nowMs() - sent));
  return 0;
}

// main=<0|1> mini=<0|1> <left> <top> <width> <height>
int mini() {
  HWND main = mainWindow(), mini = miniWindow();
  if (!main) return fail("no main window");
  RECT r = {};
  if (mini) GetWindowRect(mini, &r);
  line("main=" + std::to_string(IsWindowVisible(main) ? 1 : 0) + " mini=" +
       std::to_string(mini && IsWindowVisible(mini) ? 1 : 0) + " " + std::to_string(r.left) + " " +
       std::to_string(r.top) + " " + std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top));
  return 0;
}

int icon(const std::wstring& what) {
  const UINT notice = what == L"dblclick" ? WM_LBUTTONDBLCLK : what == L"rightup" ? WM_RBUTTONUP : 0;
  HWND mini = miniWindow();
  if (!mini || !notice) return fail("no mini window or no such notice");
  return PostMessageW(mini, kMsgTrayIcon, kTrayIconId, notice) ? 0 : fail("post failed");
}

// Visible (1 or 0), then its lines.
int osd() {
  HWND window = FindWindowW(L"VornixOnScreenDisplay", nullptr);
  wchar_t title[4096] = L"";
  if (window) GetWindowTextW(window, title, 4096);
  line(std::to_string(window && IsWindowVisible(window) ? 1 : 0) + "\t" + helper::field(title));
  return 0;
}

NOTIFYICONDATAW iconData(HWND mini) {
  NOTIFYICONDATAW data = {};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = mini;
  data.uID = kTrayIconId;
  data.uFlags = NIF_TIP;
  lstrcpynW(data.szTip, L"Vornix", 64);
  return data;
}

// With a handle, the icon of a window that may be gone: the tray keeps icons by owner and number.
int hasIcon(const wchar_t* handle) {
  HWND mini = handle ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoull(handle, nullptr, 10))) : miniWindow();
  NOTIFYICONDATAW data = iconData(mini);
  // Changing an icon succeeds only for one that exists.
  line(mini && Shell_NotifyIconW(NIM_MODIFY, &data) ? "1" : "0");
  return 0;
}

// The icon lost and the taskbar made anew, as when Explorer restarts.
int lostIcon() {
  HWND mini = miniWindow();
  if (!mini) return fail("no mini window");
  NOTIFYICONDATAW data = iconData(mini);
  Shell_NotifyIconW(NIM_DELETE, &data);
  SendMessageW(mini, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  return 0;
}

// A shortcut's target and folder.
int lnk(const wchar_t* path) {
  if (FAILED(CoInitialize(nullptr))) return fail("no COM");
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  int rc = 1;
  wchar_t target[MAX_PATH] = L"", folder[MAX_PATH] = L"";
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(path, STGM_READ)) && SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH))) {
    // The item list is what the shell starts; the plain path field may hold only 8-bit text.
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(link->GetIDList(&items)) && items) {
      SHGetPathFromIDListW(items, target);
      CoTaskMemFree(items);
    }
    line(helper::utf8(target) + "\t" + helper::utf8(folder));
    rc = 0;
  }
  if (file) file->Release();
  if (link) link->Release();
  CoUninitialize();
  return rc ? fail("cannot read the shortcut") : 0;
}

// A command on a control of a window: <verb> <window> <id> [<argument>].
int control(const std::wstring& verb, HWND window, int id, const wchar_t* argument) {
  std::vector<HWND> tabControls = helper::windows(window, WC_TABCONTROLW);
  HWND tabs = tabControls.empty() ? nullptr : tabControls.front();
  auto page = [&] { line(std::to_string(SendMessageW(tabs, TCM_GETCURSEL, 0, 0))); return tabs ? 0 : 1; };
  if (verb == L"page") return page();
  HWND item = GetDlgItem(window, id);
  // As from a toolbar, menu or button: the control's handle goes along when there is one.
  if (verb == L"cmd") return PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(item)) ? 0 : 1;
  if (!item) return fail("no control " + std::to_string(id));
  DWORD_PTR result = 0;
  if (verb == L"get") {
    helper::out(helper::utf8(helper::textOf(item)));
  } else if (verb == L"checked") {
    line(SendMessageW(item, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0");
  } else if (verb == L"click") {
    SendMessageTimeoutW(item, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, helper::limitMs(5000), &result);
  } else if (verb == L"push") {
    // Posted: OK may open a message box, which would hold a sent click until it closes.
    return PostMessageW(item, BM_CLICK, 0, 0) ? 0 : 1;
  } else if (verb == L"focus") {
    // The dialog turns to the page that holds the focus.
    SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
    return page();
  } else if (!argument) {
    return fail(kUsage);
  } else if (verb == L"set" || verb == L"setfile") {
    std::wstring text = argument;
    if (verb == L"setfile" && !helper::readText(argument, text)) return fail("cannot read the text file");
    return SendMessageTimeoutW(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, helper::limitMs(5000),
                               &result) ? 0 : 1;
  } else if (verb == L"combo") {
    SendMessageW(item, CB_SETCURSEL, _wtoi(argument), 0);
    // Posted: the choice may open a question box.
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(item));
  } else if (verb == L"slider") {
    const int pos = _wtoi(argument);
    SendMessageW(item, TBM_SETPOS, TRUE, pos);
    SendMessageW(window, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, pos), reinterpret_cast<LPARAM>(item));
    SendMessageW(window, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(item));
  } else {
    return fail(kUsage);
  }
  return 0;
}

// The program stores texts only.
int regGet(const std::wstring& name) {
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size)) return 1;
  std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), RRF_RT_REG_SZ, nullptr, data.data(), &size)) return 1;
  helper::out(helper::utf8(data.data()));
  return 0;
}

int regSet(const std::wstring& name, const wchar_t* file) {
  std::wstring value;
  if (!helper::readText(file, value)) return fail("cannot read " + helper::utf8(file));
  return RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS
             ? 0 : fail("RegSetKeyValueW failed");
}

// A thread of the program's own that jumps to an address where nothing is mapped.
int crash(HWND main) {
  DWORD processId = 0;
  GetWindowThreadProcessId(main, &processId);
  HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                   PROCESS_VM_WRITE | PROCESS_VM_READ,
                               FALSE, processId);
  if (!process) return fail("OpenProcess failed");
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(0x10), nullptr,
                                     0, nullptr);
  const bool started = thread != nullptr;
  if (thread) CloseHandle(thread);
  CloseHandle(process);
  return started ? 0 : fail("CreateRemoteThread failed");
}

// The measuring half (captionfit.dll) runs as a message hook on the program's
// user-interface thread, where the controls' fonts are, and sends its report back
// (WM_COPYDATA): a line per open dialog box, then one per caption that does not fit.
std::string g_report;
bool g_answered = false;

LRESULT CALLBACK receiveReport(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  g_report.assign(static_cast<const char*>(data->lpData), data->cbData);
  g_answered = true;
  return TRUE;
}

int fit(HWND main) {
  const DWORD thread = GetWindowThreadProcessId(main, nullptr);
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dllPath(path);
  dllPath = dllPath.substr(0, dllPath.find_last_of(L"\\/") + 1) + L"captionfit.dll";
  HMODULE dll = LoadLibraryW(dllPath.c_str());
  auto hookProc = dll ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, "captionfitHook"))) : nullptr;
  if (!hookProc) return fail("captionfit.dll cannot be loaded");
  HWND receiver = helper::createWindow(receiveReport, L"CaptionFitReceiver");
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, hookProc, dll, thread);
  if (!receiver || !hook) return fail("no message hook on the program's thread");
  PostThreadMessageW(thread, RegisterWindowMessageW(L"VornixCaptionFit"), 0, reinterpret_cast<LPARAM>(receiver));
  const DWORD start = GetTickCount();
  while (!g_answered && GetTickCount() - start < helper::limitMs(20000)) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (!g_answered) MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  UnhookWindowsHookEx(hook);
  if (!g_answered) return fail("the program did not answer");
  if (g_report.empty()) return fail("no open dialog box of Vornix");
  helper::out(g_report);
  return g_report.find("CUT\t") == std::string::npos ? 0 : 1;
}

}  // namespace

int until(DWORD seconds, const std::wstring& pattern, int argc, wchar_t** argv);

int run(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  const wchar_t* arg = argc > 2 ? argv[2] : nullptr;
  if (command == L"until" && argc > 4) return until(wcstoul(arg, nullptr, 10), argv[3], argc - 3, argv + 3);
  if (command == L"boxes" && argc == 2) return boxes();
  if (command == L"keycheck" && argc == 3) return keycheck(arg);
  if (command == L"focused" && argc == 2) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    HWND front = GetForegroundWindow();
    if (!front || !GetGUIThreadInfo(GetWindowThreadProcessId(front, nullptr), &info) || !info.hwndFocus)
      return fail("no control has the keys");
    return line(std::to_string(GetDlgCtrlID(info.hwndFocus)) + "\t" + helper::field(helper::textOf(info.hwndFocus))), 0;
  }
  if (command == L"press" && argc == 3) return press(arg);
  if (command == L"keys" && argc >= 3 && argc <= 5)
    return keys(arg, argc >= 4 ? argv[3] : nullptr, argc == 5 ? argv[4] : nullptr);
  if (command == L"regget" && argc == 3) return regGet(arg);
  if (command == L"regset" && argc == 4) return regSet(arg, argv[3]);
  if (command == L"front" && argc == 2) return front();
  if (command == L"menu" && argc == 2) return menu();
  if (command == L"menusearch" && argc == 2) return menuSearch();
  if (command == L"menukeys" && argc == 4) return menuKeys(arg, _wtoi(argv[3]));
  if (command == L"atom" && argc == 3) return line(GlobalFindAtomW(arg) ? "held" : "none"), 0;
  if (command == L"mini" && argc == 2) return mini();
  if (command == L"icon" && argc == 3) return icon(arg);
  if (command == L"move" && argc == 4) {
    HWND mini = miniWindow();
    return mini && SetWindowPos(mini, nullptr, _wtoi(arg), _wtoi(argv[3]), 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : fail("no mini window");
  }
  if (command == L"osd" && argc == 2) return osd();
  if (command == L"hasicon" && (argc == 2 || argc == 3)) return hasIcon(arg);
  if (command == L"handle" && argc == 3) {
    HWND window = findWindow(arg);
    return window ? line(std::to_string(reinterpret_cast<UINT_PTR>(window))), 0 : 1;
  }
  if (command == L"losticon" && argc == 2) return lostIcon();
  if (command == L"lnk" && argc == 3) return lnk(arg);
  if (command == L"rect" && argc == 3) {
    HWND window = findWindow(arg);
    if (!window) return fail("no window " + helper::utf8(arg));
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // The inner area starts with the menu bar (one line: another process cannot ask the menu).
    if (GetMenu(window)) client.top -= GetSystemMetrics(SM_CYMENU);
    return line(rect(window) + "\t" + std::to_string(client.left) + " " + std::to_string(client.top) + " " +
                std::to_string(client.right) + " " + std::to_string(client.bottom)), 0;
  }
  if (command == L"shown" && argc == 3) {
    HWND window = findWindow(arg);
    return window ? line(helper::utf8(titleOf(window))), 0 : 1;
  }
  if (command == L"popups" && argc == 2) {
    int count = 0;
    for (HWND window : helper::windows(nullptr, L"#32768")) count += IsWindowVisible(window) ? 1 : 0;
    return line(std::to_string(count)), 0;
  }
  if ((command == L"page" && argc == 3) ||
      ((argc == 4 || argc == 5) && (command == L"get" || command == L"cmd" || command == L"click" || command == L"push" || command == L"checked" ||
       command == L"focus" || command == L"set" || command == L"setfile" || command == L"combo" || command == L"slider"))) {
    HWND window = findWindow(arg);
    if (!window) return fail("no window " + helper::utf8(arg));
    return control(command, window, argc > 3 ? _wtoi(argv[3]) : 0, argc == 5 ? argv[4] : nullptr);
  }
  const bool mainCommand = command == L"list" || command == L"status" || command == L"title" ||
                           command == L"close" || command == L"crash" || command == L"selected" || command == L"fit";
  if (!mainCommand || argc > (command == L"list" ? 3 : 2)) return fail(kUsage);
  HWND main = mainWindow();
  if (!main) return fail("no Vornix window");
  if (command == L"list") return list(main, argc == 3 ? wcstoul(arg, nullptr, 10) : 4096);
  if (command == L"status") return status(main);
  if (command == L"crash") return crash(main);
  if (command == L"selected") return selected(main);
  if (command == L"fit") return fit(main);
  if (command == L"title") return line(helper::field(helper::textOf(main))), 0;
  return PostMessageW(main, WM_CLOSE, 0, 0) ? 0 : fail("PostMessage failed");
}

// Runs <command> every tenth of a second until it succeeds with a line of output that
// matches <regex> (ECMAScript), or until no line does when the regex starts with "!".
int until(DWORD seconds, const std::wstring& pattern, int argc, wchar_t** argv) {
  const bool negated = !pattern.empty() && pattern[0] == L'!';
  const std::regex regex(helper::utf8(negated ? pattern.substr(1) : pattern));
  const DWORD start = GetTickCount();
  std::string output;
  for (;;) {
    output.clear();
    helper::g_capture = &output;
    const int rc = run(argc, argv);
    helper::g_capture = nullptr;
    bool matched = false;
    std::istringstream lines(output);
    for (std::string text; !matched && std::getline(lines, text);) {
      if (!text.empty() && text.back() == '\r') text.pop_back();
      matched = std::regex_search(text, regex);
    }
    // A command that fails (no such window) has no line that matches.
    if (negated ? !(rc == 0 && matched) : rc == 0 && matched) break;
    if (GetTickCount() - start > seconds * 1000) return fail("until: still [" + output + "]");
    // Reading the list or the status bar freezes the program for a moment: not too often.
    Sleep(wcscmp(argv[1], L"list") == 0 || wcscmp(argv[1], L"status") == 0 ? 400 : 100);
  }
  helper::out(output);
  return 0;
}

// Several commands in one start: "<command> then <command> ...", each after the last succeeded.
int wmain(int argc, wchar_t** argv) {
  int start = 0;
  for (int i = 1; i <= argc; ++i) {
    if (i < argc && std::wstring(argv[i]) != L"then") continue;
    argv[start] = argv[0];
    if (int rc = run(i - start, argv + start)) return rc;
    start = i;
  }
  return 0;
}
