#include <array>

#include "platform/win32/win32_platform.h"

namespace vornix {

CodePage win32AnsiCodePage() {
  std::array<char16_t, 256> chars{};
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    wchar_t c = 0;
    if (b != 0 && IsDBCSLeadByte(static_cast<BYTE>(b)))
      chars[b] = 0xFFFF;
    else if (MultiByteToWideChar(CP_ACP, 0, &byte, 1, &c, 1) == 1)
      chars[b] = static_cast<char16_t>(c);
    else
      chars[b] = 0xFFFF;
  }
  return CodePage(chars);
}

}  // namespace vornix
