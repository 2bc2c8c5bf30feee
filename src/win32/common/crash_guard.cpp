#include "win32/common/crash_guard.h"

namespace vornix::ui {

namespace {

constexpr wchar_t kClassName[] = L"VornixCrashGuard";
constexpr UINT kMsgShutdown = WM_APP + 40;
constexpr LRESULT kShutdownDone = 0x5AFE;
// A user-interface thread that does not answer in this time is taken as stuck.
constexpr UINT kAnswerTimeoutMs = 1500;
// From the fault to the end of the process, whatever the shutdown is doing by then.
// Saving the list takes milliseconds; removing the tray icon takes up to two
// seconds under Wine without a window manager.
constexpr DWORD kGraceMs = 4000;
// The watchdog only waits and ends the process.
constexpr SIZE_T kWatchdogStack = 64 * 1024;

// One guard per process: the handler has no other way to it.
CrashGuard* active = nullptr;

}  // namespace

bool CrashGuard::install() {
  if (installed_) return true;
  if (!registerClass(kClassName, nullptr, nullptr)) return false;
  // A message-only window: it reaches the user-interface thread and shows nowhere.
  if (!create(0, kClassName, Text(), 0, HWND_MESSAGE, nullptr)) return false;
  // The watchdog is started now, not at the crash: a faulting process may hold the
  // locks that starting a thread needs.
  armed_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!armed_) return false;
  HANDLE dog = CreateThread(nullptr, kWatchdogStack, &CrashGuard::watchdog, this, STACK_SIZE_PARAM_IS_A_RESERVATION,
                            nullptr);
  if (!dog) return false;
  CloseHandle(dog);
  thread_ = GetCurrentThreadId();
  active = this;
  previous_ = SetUnhandledExceptionFilter(&CrashGuard::lastChance);
  installed_ = true;
  return true;
}

CrashGuard::~CrashGuard() {
  if (installed_) {
    SetUnhandledExceptionFilter(previous_);
    active = nullptr;
  }
  // The watchdog keeps waiting on `armed_` until the process ends: the handle stays open.
  if (hwnd()) DestroyWindow(hwnd());
}

DWORD WINAPI CrashGuard::watchdog(void* guard) {
  WaitForSingleObject(static_cast<CrashGuard*>(guard)->armed_, INFINITE);
  Sleep(kGraceMs);
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(EXCEPTION_NONCONTINUABLE_EXCEPTION));
  return 0;
}

void CrashGuard::runShutdown() {
  if (InterlockedExchange(&done_, 1) != 0) return;
  shutdown_(context_);
}

LRESULT CrashGuard::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kMsgShutdown) return defaultProc(message, wParam, lParam);
  runShutdown();
  return kShutdownDone;
}

LONG WINAPI CrashGuard::lastChance(EXCEPTION_POINTERS* info) {
  CrashGuard* guard = active;
  if (!guard) return EXCEPTION_EXECUTE_HANDLER;
  SetEvent(guard->armed_);
  if (GetCurrentThreadId() == guard->thread_) {
    guard->runShutdown();
  } else {
    // The logic belongs to the user-interface thread: let it do the work there,
    // between two of its messages, unless it is the part that is stuck.
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(guard->hwnd(), kMsgShutdown, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs,
                             &answer) ||
        answer != static_cast<DWORD_PTR>(kShutdownDone))
      guard->runShutdown();
  }
  // Ended here rather than by the system's unwinding, which runs every library's
  // detach code in a process that may hold their locks, or leaves the other
  // threads (and with them the single-instance lock) alive.
  const DWORD code = info && info->ExceptionRecord ? info->ExceptionRecord->ExceptionCode : 1;
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace vornix::ui
