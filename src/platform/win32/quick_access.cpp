#include "platform/win32/quick_access.h"

#include <algorithm>
#include <vector>

#include "platform/win32/wide.h"

namespace vornix::win32 {

namespace {

HWND toHwnd(platform::WindowHandle window) { return reinterpret_cast<HWND>(window); }

using SendInputProc = UINT(WINAPI*)(UINT, LPINPUT, int);

SendInputProc sendInputProc() {
  static const SendInputProc proc = [] {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    FARPROC p = user ? GetProcAddress(user, "SendInput") : nullptr;
    return reinterpret_cast<SendInputProc>(reinterpret_cast<void (*)()>(p));
  }();
  return proc;
}

bool isNtFamily() { return (GetVersion() & 0x80000000u) == 0; }

INPUT key(WORD virtualKey, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = virtualKey;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, 0));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

void press(std::vector<INPUT>& out, WORD virtualKey) {
  out.push_back(key(virtualKey, false));
  out.push_back(key(virtualKey, true));
}

void addUnicode(std::vector<INPUT>& out, char16_t c) {
  for (bool up : {false, true}) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = c;
    in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    out.push_back(in);
  }
}

// Through the keyboard layout: the key with its shift state, or Alt + 0nnn on
// the numeric pad with the character's code-page byte.
void addLayoutKey(std::vector<INPUT>& out, char16_t c) {
  const SHORT scan = VkKeyScanW(static_cast<wchar_t>(c));
  if (scan != -1) {
    const BYTE shifts = HIBYTE(scan);
    const WORD mods[] = {VK_SHIFT, VK_CONTROL, VK_MENU};
    for (int i = 0; i < 3; ++i)
      if (shifts & (1 << i)) out.push_back(key(mods[i], false));
    press(out, LOBYTE(scan));
    for (int i = 2; i >= 0; --i)
      if (shifts & (1 << i)) out.push_back(key(mods[i], true));
    return;
  }
  const wchar_t w = static_cast<wchar_t>(c);
  char byte = 0;
  BOOL lossy = FALSE;
  if (WideCharToMultiByte(CP_ACP, 0, &w, 1, &byte, 1, nullptr, &lossy) != 1 || lossy) return;
  const unsigned code = static_cast<unsigned char>(byte);
  out.push_back(key(VK_MENU, false));
  for (unsigned digit : {0u, code / 100, code / 10 % 10, code % 10}) press(out, static_cast<WORD>(VK_NUMPAD0 + digit));
  out.push_back(key(VK_MENU, true));
}

// A hotkey's own modifiers may still be held when its text is typed; typed
// under Ctrl and Alt the characters would arrive as shortcuts.
void waitForModifiersUp() {
  const int keys[] = {VK_CONTROL, VK_MENU, VK_SHIFT, VK_LWIN, VK_RWIN};
  for (int waited = 0; waited < 2000; waited += 10) {
    bool held = false;
    for (int k : keys) held = held || (GetAsyncKeyState(k) & 0x8000) != 0;
    if (!held) return;
    Sleep(10);
  }
}

bool send(std::vector<INPUT>& inputs) {
  if (inputs.empty()) return true;
  if (SendInputProc proc = sendInputProc())
    return proc(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != 0;
  for (const INPUT& in : inputs)
    keybd_event(static_cast<BYTE>(in.ki.wVk), static_cast<BYTE>(in.ki.wScan), in.ki.dwFlags, 0);
  return true;
}

// Returns once the program in front has taken every queued keystroke.
void waitUntilProcessed() {
  using WaitProc = DWORD(WINAPI*)(HANDLE, DWORD);
  // Looked up at run time like SendInput, so the import check need not know it.
  static const WaitProc waitForInputIdle = [] {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    FARPROC p = user ? GetProcAddress(user, "WaitForInputIdle") : nullptr;
    return reinterpret_cast<WaitProc>(reinterpret_cast<void (*)()>(p));
  }();
  if (!waitForInputIdle) return;
  DWORD pid = 0;
  HWND front = GetForegroundWindow();
  if (!front || !GetWindowThreadProcessId(front, &pid) || pid == GetCurrentProcessId()) return;
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
  if (!process) return;
  waitForInputIdle(process, 5000);
  CloseHandle(process);
}

}  // namespace

std::uint16_t Win32Hotkeys::addAtom(const std::u16string& name) { return GlobalAddAtomW(wide(name)); }

bool Win32Hotkeys::deleteAtom(std::uint16_t atom) { return atom != 0 && GlobalDeleteAtom(atom) == 0; }

bool Win32Hotkeys::registerHotkey(platform::WindowHandle window, int id, unsigned modifiers, unsigned virtualKey) {
  return RegisterHotKey(toHwnd(window), id, modifiers, virtualKey) != FALSE;
}

bool Win32Hotkeys::unregisterHotkey(platform::WindowHandle window, int id) {
  return UnregisterHotKey(toHwnd(window), id) != FALSE;
}

bool Win32Keyboard::typeText(const std::u16string& text) {
  waitForModifiersUp();
  const bool unicode = isNtFamily() && sendInputProc();
  // Handed over in one call; only a text beyond this many characters takes several.
  constexpr size_t kChunk = 32768;
  bool anyTaken = false;
  std::vector<INPUT> inputs;
  for (size_t start = 0; start < text.size(); start += kChunk) {
    inputs.clear();
    const size_t end = std::min(text.size(), start + kChunk);
    for (size_t i = start; i < end; ++i) {
      const char16_t c = text[i];
      if (c == u'\r') press(inputs, VK_RETURN);
      else if (unicode) addUnicode(inputs, c);
      else addLayoutKey(inputs, c);
    }
    if (send(inputs)) anyTaken = true;
    waitUntilProcessed();
  }
  return anyTaken || text.empty();
}

platform::WindowHandle Win32Keyboard::activeWindow() {
  HWND window = GetActiveWindow();
  if (!window) window = GetForegroundWindow();
  return reinterpret_cast<platform::WindowHandle>(window);
}

bool Win32Keyboard::setForegroundWindow(platform::WindowHandle window) {
  return SetForegroundWindow(toHwnd(window)) != FALSE;
}

platform::Point Win32Keyboard::cursorPos() {
  POINT p = {};
  if (!GetCursorPos(&p)) return {};
  return {p.x, p.y};
}

}  // namespace vornix::win32
