#include "base/code_page.h"

namespace vornix {

CodePage::CodePage(const std::array<char16_t, 256>& chars) : chars_(chars), reverse_(0x10000, -1) {
  // Fill from the top so that a character present twice maps to its lowest byte.
  for (int b = 255; b >= 0; --b)
    if (chars_[b] != 0xFFFF) reverse_[chars_[b]] = static_cast<short>(b);
}

const CodePage& CodePage::windows1252() {
  static const CodePage cp = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = static_cast<char16_t>(b);
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (int i = 0; i < 32; ++i) t[0x80 + i] = high[i];
    return CodePage(t);
  }();
  return cp;
}

std::string CodePage::encode(const std::u16string& text) const {
  std::string out;
  out.resize(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    int b = reverse_[text[i]];
    out[i] = static_cast<char>(b < 0 ? '?' : b);
  }
  return out;
}

std::u16string CodePage::decode(const std::string& bytes) const {
  std::u16string out;
  out.resize(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    char16_t c = chars_[static_cast<unsigned char>(bytes[i])];
    out[i] = c == 0xFFFF ? u'?' : c;
  }
  return out;
}

}  // namespace vornix
