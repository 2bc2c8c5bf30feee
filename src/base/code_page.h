// The system's 8-bit (ANSI) code page as a pair of tables.
// The platform supplies the 256 characters of the code page; everything else is
// portable so that the classification and the escape codes can be tested anywhere.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace vornix {

class CodePage {
 public:
  // `chars[b]` is the character that byte b stands for; 0xFFFF marks a byte with no
  // character of its own (a lead byte of a double-byte code page).
  explicit CodePage(const std::array<char16_t, 256>& chars);

  static const CodePage& windows1252();

  // Byte of `c` in the code page, or -1 when it has no single byte there.
  int toAnsi(char16_t c) const { return reverse_[c]; }
  char16_t fromAnsi(unsigned char b) const { return chars_[b]; }

  // Characters without a byte become '?', as the system's conversion does.
  std::string encode(const std::u16string& text) const;
  std::u16string decode(const std::string& bytes) const;

 private:
  std::array<char16_t, 256> chars_;
  std::vector<short> reverse_;
};

}  // namespace vornix
