#include "base/text_print.h"

#include <cstring>

namespace vornix {

namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;

std::uint64_t mix(std::uint64_t h, std::uint64_t word) {
  h ^= word;
  h *= kMultiplier;
  return h ^ (h >> 29);
}

}  // namespace

std::uint64_t textHash(const char16_t* units, std::size_t count) {
  // Four units per step: a 16 MB text is hashed in a few milliseconds.
  std::uint64_t h = 0xCBF29CE484222325ull ^ count;
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    std::uint64_t word;
    std::memcpy(&word, units + i, sizeof word);
    h = mix(h, word);
  }
  std::uint64_t rest = 0;
  for (std::size_t shift = 0; i < count; ++i, shift += 16) rest |= static_cast<std::uint64_t>(units[i]) << shift;
  return mix(h, rest ^ 0xFF);
}

}  // namespace vornix
