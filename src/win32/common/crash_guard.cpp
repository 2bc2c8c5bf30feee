#include "win32/common/crash_guard.h"

namespace vornix::ui {

namespace {

constexpr wchar_t kClassName[] = L"VornixCrashGuard";
constexpr UINT kMsgShutdown = WM_APP + 40;
constexpr LRESULT kShutdownDone = 0x5AFE;
// A user-interface thread that does not answer in this time is taken as stuck.
constexpr UINT kAnswerTimeoutMs = 5000;

// One guard per process: the handler has no other way to it.
CrashGuard* active = nullptr;

}  // namespace

bool CrashGuard::install() {
  if (installed_) return true;
  if (!registerClass(kClassName, nullptr, nullptr)) return false;
  // A message-only window: it reaches the user-interface thread and shows nowhere.
  if (!create(0, kClassName, Text(), 0, HWND_MESSAGE, nullptr)) return false;
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
  if (hwnd()) DestroyWindow(hwnd());
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

LONG WINAPI CrashGuard::lastChance(EXCEPTION_POINTERS*) {
  CrashGuard* guard = active;
  if (!guard) return EXCEPTION_EXECUTE_HANDLER;
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
  // The process ends here rather than in a debugger's dialog that nobody answers.
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace vornix::ui
