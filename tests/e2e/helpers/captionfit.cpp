// Measures every caption of the program's open dialog boxes against the room its
// control gives it: each visible static text, push button, check box, option
// button and group box, in the font the control draws with, by the system's own
// text measuring (DrawText with DT_CALCRECT). A caption that wraps out of its
// control's height or runs past its width is reported. The measuring runs inside
// the program (captionfit.dll, a message hook on its user-interface thread),
// where the controls' fonts are.
//
// usage: captionfit
//   prints a line per box checked (its title and the number of captions), then a
//   line per caption that does not fit; exit 1 when one does not.
#include "helper_io.h"

namespace {

using helper::fail;

std::string g_report;
bool g_answered = false;

LRESULT CALLBACK receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    g_report.assign(static_cast<const char*>(data->lpData), data->cbData);
    g_answered = true;
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring besideExe(const wchar_t* name) {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

}  // namespace

int wmain(int argc, wchar_t**) {
  if (argc != 1) return fail("usage: captionfit");
  HWND main = FindWindowW(L"VornixMainWindow", nullptr);
  DWORD process = 0;
  const DWORD thread = main ? GetWindowThreadProcessId(main, &process) : 0;
  if (!thread) return fail("no Vornix main window");
  HMODULE dll = LoadLibraryW(besideExe(L"captionfit.dll").c_str());
  auto hookProc = dll ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, "captionfitHook"))) : nullptr;
  if (!hookProc) return fail("captionfit.dll cannot be loaded");
  HWND receiver = helper::createWindow(receive, L"CaptionFitReceiver");
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, hookProc, dll, thread);
  if (!receiver || !hook) return fail("no message hook on the program's thread");
  PostThreadMessageW(thread, RegisterWindowMessageW(L"VornixCaptionFit"), 0, reinterpret_cast<LPARAM>(receiver));
  const DWORD start = GetTickCount();
  MSG message;
  while (!g_answered && GetTickCount() - start < 20000) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (!g_answered) MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  UnhookWindowsHookEx(hook);
  if (!g_answered) return fail("the program did not answer");
  if (g_report.empty()) return fail("no open dialog box of Vornix");
  helper::out(g_report);
  return g_report.find("CUT\t") == std::string::npos ? 0 : 1;
}
