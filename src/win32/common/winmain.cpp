// Vornix.exe's entry point: the platform objects, the language, the single-instance
// test, the main window and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdlib>
#include <exception>

#include "base/ustr.h"
#include "core/app/app.h"
#include "core/clip/helpers.h"
#include "core/prefs/localisation.h"
#include "platform/win32/win32_platform.h"
#include "win32/common/crash_guard.h"
#include "win32/common/dpi.h"
#include "win32/main/main_window.h"

namespace {

using vornix::Text;

// InitCommonControlsEx is missing from the oldest comctl32 builds.
void initCommonControls() {
  using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
  FARPROC proc = comctl ? GetProcAddress(comctl, "InitCommonControlsEx") : nullptr;
  if (proc) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    if (reinterpret_cast<InitEx>(reinterpret_cast<void (*)()>(proc))(&controls)) return;
  }
  InitCommonControls();
}

Text describe(const std::exception& e) { return vornix::ustr::fromUtf8(e.what()); }

Text systemText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                          FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  Text text = length ? vornix::fromWide(buffer, length) : u"Error " + vornix::ustr::fromInt(code);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) text.pop_back();
  return text;
}

// Runs one start-up step; a failure is reported and the next step follows.
template <class Step>
void runStep(vornix::App& app, Step step) {
  try {
    step();
  } catch (const std::exception& e) {
    app.showError(u"Start - Main: \r\n" + describe(e));
  } catch (...) {
    app.showError(u"Start - Main: \r\n");
  }
}

int messageLoop(vornix::ui::MainWindow& window) {
  MSG message = {};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.preTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

int runVornix(int showCommand) {
  using namespace vornix;
  ui::declareDpiAware();
  initCommonControls();

  const CodePage codePage = win32AnsiCodePage();
  win32::Win32Clipboard clipboard;
  win32::Win32ViewerChain chain;
  win32::RegistrySettingsStore store;
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  win32::Win32Locale locale;
  win32::Win32MessageBoxes boxes;
  win32::Win32Shell shell;
  App app(Services{clipboard, chain, store, files, clock, locale, boxes, shell, codePage});
  app.screenDpi = ui::systemDpi();

  app.hotmenuShown = false;
  runStep(app, [&] { selectLanguage(app); });
  app.startupFlag = true;
  runStep(app, [&] { app.helpFile = addBackslash(files.programFolder()) + app.str(kStrHelpFileName); });

  if (vornixAnotherInstanceRunning()) {
    MessageBoxW(nullptr, L"Vornix already running!\r\nVornix l\u00e4uft schon!", L"Vornix", MB_ICONERROR | MB_OK);
    return 0;
  }
  app.modalOpen = false;
  app.inChain = false;
  app.textTypeName = app.str(kStrText);

  ui::MainWindow window(app);
  if (!window.create()) {
    app.showError(u"Start - Main: \r\n" + systemText(GetLastError()));
    return 1;
  }
  clipboard.setOwner(window.hwnd());
  boxes.setOwner(window.hwnd());
  ui::CrashGuard crashGuard([](void* main) { static_cast<ui::MainWindow*>(main)->emergencyShutdown(); }, &window);
  // Without the guard the program still works; only a crash would cost more.
  const bool guarded = crashGuard.install();
  (void)guarded;
  runStep(app, [&] { window.load(); });
  window.show(showCommand);
  return messageLoop(window);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  // Drag and drop needs OLE on this thread.
  const HRESULT ole = OleInitialize(nullptr);
  int result = 1;
  try {
    result = runVornix(showCommand);
  } catch (...) {
    result = 1;
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  return result;
}

// An exception that escapes a window procedure ends the program through
// std::terminate. The library's own handler would print the exception's type to
// a console that a GUI program does not have, and it brings the C++ name
// demangler (about 46 KB) into the exe to do so; this one only ends the program
// the same way, which the crash guard sees as before.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
