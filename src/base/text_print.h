// A text's length and hash: how the capture recognises a text it has seen without
// keeping a copy of it (a rejected text may be megabytes long, or secret).
// Portable; the Win32 clipboard computes the same hash over the clipboard's memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vornix {

std::uint64_t textHash(const char16_t* units, std::size_t count);

struct TextPrint {
  std::size_t length = 0;
  std::uint64_t hash = 0;

  static TextPrint of(const std::u16string& text) { return {text.size(), textHash(text.data(), text.size())}; }
  bool operator==(const TextPrint& other) const { return length == other.length && hash == other.hash; }
  bool operator!=(const TextPrint& other) const { return !(*this == other); }
};

}  // namespace vornix
