// Looks into the running program from outside, as a test needs: its list rows,
// status bar, title and message boxes; clicks box buttons, types keys, and reads
// or writes its registry values byte-exact.
//
// List view and status bar messages carry pointers that are not marshalled
// between processes, so their buffers are allocated inside the target. Reading
// another process's memory briefly freezes it under Wine: each command writes
// and reads that memory once.
#include "helper_io.h"  // windows.h first: commctrl.h needs its types

#include <commctrl.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: probe list [maxchars] | status | title | close | boxes | press <button> |\r\n"
    "             keys <strokes> | type <text> | regget <name> | regset <name> <utf8-file> | reglist |\r\n"
    "             showbox <title> <text> | crash\r\n"
    "  list: one line per row: check box (1, 0 or - for none), then each column, tab-separated;\r\n"
    "  tabs, CR, LF and backslashes in texts are written as \\t \\r \\n \\\\ (also in status and boxes).\r\n"
    "  keys: space-separated strokes such as ctrl+alt+c, enter, f5, a.\r\n"
    "  regget prints a value of HKCU\\Software\\Vornix\\Settings exactly, as UTF-8; exit 1 when absent.\r\n"
    "  showbox shows a question box of its own and prints OK or Cancel (to test boxes and press).\r\n"
    "  crash starts a thread in the program that faults at once (an access violation).\r\n";

const wchar_t kSettingsKey[] = L"Software\\Vornix\\Settings";

std::wstring className(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

// WM_GETTEXT is marshalled between processes, unlike GetWindowText for child controls.
std::wstring textOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                           2000, &copied))
    return L"";
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

// Plain functions rather than lambdas: 32-bit callbacks must be stdcall.
BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> descendants(HWND parent, const wchar_t* cls) {
  std::vector<HWND> all, found;
  EnumChildWindows(parent, collectWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all)
    if (lstrcmpiW(className(window).c_str(), cls) == 0) found.push_back(window);
  return found;
}

// The main window: titled "Vornix...", not a dialog box; the one holding a list view wins.
HWND mainWindow() {
  HWND fallback = nullptr;
  for (HWND window : topLevelWindows()) {
    wchar_t title[256] = L"";
    GetWindowTextW(window, title, 256);
    if (wcsncmp(title, L"Vornix", 6) != 0 || className(window) == L"#32770") continue;
    if (!descendants(window, WC_LISTVIEWW).empty()) return window;
    if (!fallback) fallback = window;
  }
  return fallback;
}

std::vector<HWND> visibleBoxes() {
  std::vector<HWND> boxes;
  for (HWND window : topLevelWindows())
    if (IsWindowVisible(window) && className(window) == L"#32770") boxes.push_back(window);
  return boxes;
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

  bool ok() const { return base_ != nullptr; }
  LPARAM at(size_t offset) const { return reinterpret_cast<LPARAM>(static_cast<char*>(base_) + offset); }
  bool write(const std::vector<char>& image) {
    SIZE_T done = 0;
    return WriteProcessMemory(process_, base_, image.data(), size_, &done) && done == size_;
  }
  bool read(std::vector<char>& image) {
    SIZE_T done = 0;
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

int list(HWND main, size_t maxChars) {
  std::vector<HWND> lists = descendants(main, WC_LISTVIEWW);
  if (lists.empty()) return helper::fail("no list view in the main window");
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
  if (!block.ok()) return helper::fail("cannot allocate memory in the program");
  std::vector<char> image(cells * cellBytes, 0);
  for (size_t cell = 0; cell < cells; ++cell) {
    LVITEMW* item = reinterpret_cast<LVITEMW*>(image.data() + cell * cellBytes);
    item->mask = LVIF_TEXT;
    item->iSubItem = static_cast<int>(cell % columns);
    item->pszText = reinterpret_cast<LPWSTR>(block.at(cell * cellBytes + itemBytes));
    item->cchTextMax = static_cast<int>(maxChars + 1);
  }
  if (!block.write(image)) return helper::fail("cannot write into the program");
  for (size_t cell = 0; cell < cells; ++cell)
    SendMessageW(view, LVM_GETITEMTEXTW, cell / columns, block.at(cell * cellBytes));
  if (!block.read(image)) return helper::fail("cannot read from the program");

  for (int row = 0; row < rows; ++row) {
    UINT state = static_cast<UINT>(SendMessageW(view, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    UINT image_index = (state & LVIS_STATEIMAGEMASK) >> 12;
    std::string text = image_index == 0 ? "-" : image_index == 1 ? "0" : "1";
    for (int column = 0; column < columns; ++column)
      text += "\t" + helper::field(textAt(image, (row * columns + column) * cellBytes + itemBytes, maxChars));
    helper::line(text);
  }
  return 0;
}

int status(HWND main) {
  std::vector<HWND> bars = descendants(main, STATUSCLASSNAMEW);
  if (bars.empty()) return helper::fail("no status bar in the main window");
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
  if (!block.ok()) return helper::fail("cannot allocate memory in the program");
  std::vector<char> image(size, 0);
  if (!block.write(image)) return helper::fail("cannot write into the program");
  for (int part = 0; part < parts; ++part) SendMessageW(bar, SB_GETTEXTW, part, block.at(offsets[part]));
  if (!block.read(image)) return helper::fail("cannot read from the program");
  for (int part = 0; part < parts; ++part) {
    size_t end = part + 1 < parts ? offsets[part + 1] : size;
    helper::line(helper::field(textAt(image, offsets[part], (end - offsets[part]) / sizeof(wchar_t))));
  }
  return 0;
}

int boxes() {
  for (HWND box : visibleBoxes()) {
    std::string text = helper::field(textOf(box));
    for (HWND label : descendants(box, L"Static")) {
      std::wstring content = textOf(label);
      if (!content.empty()) text += "\t" + helper::field(content);
    }
    helper::line(text);
  }
  return 0;
}

std::wstring withoutAmpersands(std::wstring text) {
  std::wstring result;
  for (wchar_t c : text)
    if (c != L'&') result += c;
  return result;
}

int press(const std::wstring& caption) {
  for (HWND box : visibleBoxes())
    for (HWND button : descendants(box, L"Button"))
      if (IsWindowVisible(button) &&
          lstrcmpiW(withoutAmpersands(textOf(button)).c_str(), withoutAmpersands(caption).c_str()) == 0) {
        // Posted: a button that opens another modal box must not block the probe.
        PostMessageW(button, BM_CLICK, 0, 0);
        return 0;
      }
  return helper::fail("no visible box has a button " + helper::utf8(caption));
}

WORD virtualKey(const std::wstring& name) {
  struct Named {
    const wchar_t* name;
    WORD key;
  };
  static const Named kNames[] = {
      {L"ctrl", VK_CONTROL}, {L"control", VK_CONTROL}, {L"alt", VK_MENU},       {L"shift", VK_SHIFT},
      {L"win", VK_LWIN},     {L"enter", VK_RETURN},    {L"return", VK_RETURN},  {L"esc", VK_ESCAPE},
      {L"escape", VK_ESCAPE}, {L"tab", VK_TAB},        {L"space", VK_SPACE},    {L"backspace", VK_BACK},
      {L"delete", VK_DELETE}, {L"del", VK_DELETE},     {L"insert", VK_INSERT},  {L"home", VK_HOME},
      {L"end", VK_END},      {L"pgup", VK_PRIOR},      {L"pgdn", VK_NEXT},      {L"up", VK_UP},
      {L"down", VK_DOWN},    {L"left", VK_LEFT},       {L"right", VK_RIGHT},    {L"apps", VK_APPS},
  };
  for (const Named& n : kNames)
    if (lstrcmpiW(name.c_str(), n.name) == 0) return n.key;
  if ((name[0] == L'f' || name[0] == L'F') && name.size() > 1 && name.size() <= 3) {
    int number = _wtoi(name.c_str() + 1);
    if (number >= 1 && number <= 24) return static_cast<WORD>(VK_F1 + number - 1);
  }
  if (name.size() == 1) {
    wchar_t c = name[0];
    if (c >= L'a' && c <= L'z') return static_cast<WORD>(c - L'a' + 'A');
    if ((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) return static_cast<WORD>(c);
    SHORT scan = VkKeyScanW(c);
    if (scan != -1) return LOBYTE(scan);
  }
  return 0;
}

INPUT keyInput(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

int keys(const std::wstring& strokes) {
  std::vector<INPUT> inputs;
  size_t start = 0;
  while (start < strokes.size()) {
    size_t end = strokes.find(L' ', start);
    if (end == std::wstring::npos) end = strokes.size();
    std::wstring stroke = strokes.substr(start, end - start);
    start = end + 1;
    if (stroke.empty()) continue;
    std::vector<WORD> held;
    size_t from = 0;
    for (;;) {
      // A lone "+" is the plus key, not a separator.
      size_t plus = stroke.find(L'+', from + 1);
      std::wstring name = stroke.substr(from, plus == std::wstring::npos ? std::wstring::npos : plus - from);
      WORD key = virtualKey(name);
      if (!key) return helper::fail("unknown key " + helper::utf8(name));
      held.push_back(key);
      if (plus == std::wstring::npos) break;
      from = plus + 1;
    }
    for (WORD key : held) inputs.push_back(keyInput(key, false));
    for (auto it = held.rbegin(); it != held.rend(); ++it) inputs.push_back(keyInput(*it, true));
  }
  UINT sent = inputs.empty() ? 0 : SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return sent == inputs.size() ? 0 : helper::fail("SendInput failed");
}

int typeText(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text)
    for (bool up : {false, true}) {
      INPUT input = {};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(input);
    }
  UINT sent = inputs.empty() ? 0 : SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return sent == inputs.size() ? 0 : helper::fail("SendInput failed");
}

int regGet(const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 1;
  DWORD type = 0, size = 0;
  int result = 1;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::vector<BYTE> data(size + sizeof(wchar_t), 0);
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
      if (type == REG_DWORD && size == sizeof(DWORD)) {
        helper::out(std::to_string(*reinterpret_cast<DWORD*>(data.data())));
        result = 0;
      } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
        const wchar_t* text = reinterpret_cast<const wchar_t*>(data.data());
        helper::out(helper::utf8(std::wstring(text, wcsnlen(text, size / sizeof(wchar_t)))));
        result = 0;
      } else {
        result = helper::fail("value of type " + std::to_string(type));
      }
    }
  }
  RegCloseKey(key);
  return result;
}

int regSet(const std::wstring& name, const wchar_t* file) {
  std::string bytes;
  if (!helper::readFile(file, bytes)) return helper::fail("cannot read " + helper::utf8(file));
  std::wstring value = helper::fromCodePage(bytes, CP_UTF8);
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return helper::fail("cannot create the settings key");
  LONG result = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? 0 : helper::fail("RegSetValueExW failed");
}

int regList() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
  for (DWORD index = 0;; ++index) {
    wchar_t name[16384];
    DWORD length = 16384;
    if (RegEnumValueW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    helper::line(helper::field(std::wstring(name, length)));
  }
  RegCloseKey(key);
  return 0;
}

// A thread of the program's own that jumps to an address where nothing is mapped.
int crash(HWND main) {
  DWORD processId = 0;
  GetWindowThreadProcessId(main, &processId);
  HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                   PROCESS_VM_WRITE | PROCESS_VM_READ,
                               FALSE, processId);
  if (!process) return helper::fail("OpenProcess failed");
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(0x10), nullptr,
                                     0, nullptr);
  const bool started = thread != nullptr;
  if (thread) CloseHandle(thread);
  CloseHandle(process);
  return started ? 0 : helper::fail("CreateRemoteThread failed");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"boxes" && argc == 2) return boxes();
  if (command == L"press" && argc == 3) return press(argv[2]);
  if (command == L"keys" && argc == 3) return keys(argv[2]);
  if (command == L"type" && argc == 3) return typeText(argv[2]);
  if (command == L"regget" && argc == 3) return regGet(argv[2]);
  if (command == L"regset" && argc == 4) return regSet(argv[2], argv[3]);
  if (command == L"reglist" && argc == 2) return regList();
  if (command == L"showbox" && argc == 4) {
    int answer = MessageBoxW(nullptr, argv[3], argv[2], MB_OKCANCEL | MB_ICONQUESTION);
    helper::line(answer == IDOK ? "OK" : "Cancel");
    return 0;
  }
  const bool windowCommand = command == L"list" || command == L"status" || command == L"title" ||
                             command == L"close" || command == L"crash";
  if (!windowCommand || argc > (command == L"list" ? 3 : 2)) {
    helper::writeTo(STD_ERROR_HANDLE, kUsage);
    return 2;
  }
  HWND main = mainWindow();
  if (!main) return helper::fail("no Vornix window");
  if (command == L"list") return list(main, argc == 3 ? wcstoul(argv[2], nullptr, 10) : 4096);
  if (command == L"status") return status(main);
  if (command == L"crash") return crash(main);
  if (command == L"title") {
    helper::line(helper::field(textOf(main)));
    return 0;
  }
  return PostMessageW(main, WM_CLOSE, 0, 0) ? 0 : helper::fail("PostMessage failed");
}
