// Reads what a fuzz target needs from libFuzzer's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vornix::fuzz {

class Input {
 public:
  Input(const std::uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool done() const { return pos_ >= size_; }
  unsigned byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // Up to `max` 16-bit characters, the length taken from the input.
  std::u16string text(size_t max) {
    size_t n = byte() % (max + 1);
    std::u16string t;
    while (n-- > 0 && pos_ + 1 < size_) {
      t.push_back(static_cast<char16_t>(data_[pos_] | data_[pos_ + 1] << 8));
      pos_ += 2;
    }
    return t;
  }
  std::u16string rest() {
    std::u16string t;
    for (; pos_ + 1 < size_; pos_ += 2) t.push_back(static_cast<char16_t>(data_[pos_] | data_[pos_ + 1] << 8));
    pos_ = size_;
    return t;
  }

 private:
  const std::uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

}  // namespace vornix::fuzz
