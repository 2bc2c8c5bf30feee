// windows.h first: shellapi.h needs its types.
#include "platform/win32/win32_platform.h"

#include <shellapi.h>

#include "platform/win32/wide.h"

namespace vornix::win32 {

long Win32Shell::open(const std::u16string& target) {
  HINSTANCE result = ShellExecuteW(nullptr, nullptr, wide(target), nullptr, nullptr, SW_SHOWNORMAL);
  // Not a real instance handle: a result code, above 32 on success.
  return static_cast<long>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace vornix::win32
