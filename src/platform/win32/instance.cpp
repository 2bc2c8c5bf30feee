#include "platform/win32/win32_platform.h"

namespace vornix {

namespace {

// Unprefixed, so it lives in the session's namespace: one copy per logged-on user.
constexpr wchar_t kInstanceMutex[] = L"Vornix.SingleInstance";

}  // namespace

bool vornixAnotherInstanceRunning() {
  static bool checked = false;
  static bool another = false;
  if (checked) return another;
  checked = true;
  // Never closed: the mutex marks this copy until the process ends.
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kInstanceMutex);
  DWORD error = GetLastError();
  // Access denied means the mutex exists but belongs to a copy started with other rights.
  another = mutex ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
  if (another && mutex) CloseHandle(mutex);
  return another;
}

}  // namespace vornix
