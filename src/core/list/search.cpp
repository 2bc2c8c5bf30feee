#include "core/list/search.h"

#include <algorithm>
#include <cstring>

namespace vornix {

namespace {

#include "core/list/search_fold.inc"

// Long texts get the pair table; for short ones reading them is as quick.
constexpr std::size_t kPairTableFrom = 4096;
constexpr std::size_t kPairBits = 65536;

// Writes `c` as UTF-8 at `to`; returns the bytes written (at most 3).
std::size_t putUtf8(char* to, char16_t c) {
  if (c < 0x80) {
    to[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    to[0] = static_cast<char>(0xC0 | (c >> 6));
    to[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  // Each half of a surrogate pair on its own: both sides are folded alike.
  to[0] = static_cast<char>(0xE0 | (c >> 12));
  to[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  to[2] = static_cast<char>(0x80 | (c & 0x3F));
  return 3;
}

const char16_t* foldEntry(char16_t c) {
  if (c >= 0x0080 && c < 0x0530) return kFold0080[c - 0x0080];
  if (c >= 0x1E00 && c < 0x2000) return kFold1E00[c - 0x1E00];
  return nullptr;
}

// Writes the folded form of `c` at `to`; returns the bytes written (at most kMostBytes).
constexpr std::size_t kMostBytes = 6;
std::size_t putFolded(char* to, char16_t c) {
  if (c < 0x80) {
    to[0] = static_cast<char>(c >= u'A' && c <= u'Z' ? c + 32 : c);
    return 1;
  }
  if (const char16_t* folded = foldEntry(c)) {
    std::size_t n = 0;
    for (int i = 0; i < 2 && folded[i] != 0; ++i) n += putUtf8(to + n, folded[i]);
    return n;
  }
  if (c >= 0x0531 && c <= 0x0556) c = static_cast<char16_t>(c + 0x30);  // Armenian capitals
  // Full-width forms are typed as the plain ones.
  if (c >= 0xFF01 && c <= 0xFF5E) return putFolded(to, static_cast<char16_t>(c - 0xFF01 + 0x21));
  return putUtf8(to, c);
}

bool isSeparator(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x00A0 || c == 0x3000; }

std::size_t pairIndex(unsigned char a, unsigned char b) { return static_cast<std::size_t>(a) << 8 | b; }

// Sixteen bytes at a time, without a call per byte: the library's find calls the
// C library's memchr for each place of the word's first byte, and on Windows that
// is a plain loop behind a DLL call: ten megabyte entries cost the hot menu 30 ms
// a keystroke under Wine that way.
constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7FULL;
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "a block's first byte is its lowest");

std::uint64_t load8(const char* at) {
  std::uint64_t block;
  std::memcpy(&block, at, sizeof block);
  return block;
}

// The high bit of each byte of `block` that equals the byte in `repeated`.
std::uint64_t sameBytes(std::uint64_t block, std::uint64_t repeated) {
  const std::uint64_t x = block ^ repeated;
  return ~(((x & kLows) + kLows) | x | kLows);
}

bool wordAt(std::string_view text, std::size_t at, std::string_view word) {
  return std::equal(word.begin(), word.end(), text.begin() + static_cast<std::ptrdiff_t>(at));
}

// Whether `word` (not empty) occurs in `text`: the places where its first two bytes
// stand side by side are found a block at a time, and the word is compared there.
bool findWord(std::string_view text, std::string_view word) {
  if (word.size() > text.size()) return false;
  const std::size_t last = text.size() - word.size();  // the last place the word can start
  const char* bytes = text.data();
  const std::uint64_t first = kOnes * static_cast<unsigned char>(word[0]);
  const bool pair = word.size() > 1;
  const std::uint64_t second = pair ? kOnes * static_cast<unsigned char>(word[1]) : 0;
  std::size_t at = 0;
  // A block's places at..at+15 may all start the word, and its second bytes are read.
  for (; at + 15 <= last && at + 17 <= text.size(); at += 16) {
    const std::uint64_t halves[2] = {sameBytes(load8(bytes + at), first), sameBytes(load8(bytes + at + 8), first)};
    if (!(halves[0] | halves[1])) continue;
    for (std::size_t half = 0; half < 2; ++half) {
      const std::size_t from = at + 8 * half;
      std::uint64_t marks = halves[half];
      if (pair && marks) marks &= sameBytes(load8(bytes + from + 1), second);
      for (; marks; marks &= marks - 1)
        if (wordAt(text, from + (__builtin_ctzll(marks) >> 3), word)) return true;
    }
  }
  for (; at <= last; ++at)
    if (wordAt(text, at, word)) return true;
  return false;
}

}  // namespace

std::string foldForSearch(std::u16string_view text) {
  // Written into a buffer that always has room for what is left, so that a
  // megabyte entry folds without a check per character beyond the one for ASCII.
  std::string out(text.size() + kMostBytes, '\0');
  std::size_t written = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x80) {
      out[written++] = static_cast<char>(c >= u'A' && c <= u'Z' ? c + 32 : c);
      continue;
    }
    const std::size_t left = text.size() - i;
    if (out.size() < written + kMostBytes + left) out.resize(std::max(out.size() * 2, written + kMostBytes + left));
    written += putFolded(&out[written], c);
  }
  out.resize(written);
  return out;
}

SearchKey::SearchKey(std::u16string_view text) : folded_(foldForSearch(text)) {
  if (folded_.size() < kPairTableFrom) return;
  pairs_.assign(kPairBits / 64, 0);
  const auto* bytes = reinterpret_cast<const unsigned char*>(folded_.data());
  for (std::size_t i = 0; i + 1 < folded_.size(); ++i) {
    const std::size_t pair = pairIndex(bytes[i], bytes[i + 1]);
    pairs_[pair / 64] |= std::uint64_t{1} << (pair % 64);
  }
}

bool SearchKey::contains(std::string_view word) const {
  if (word.empty()) return true;
  if (!pairs_.empty()) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(word.data());
    for (std::size_t i = 0; i + 1 < word.size(); ++i) {
      const std::size_t pair = pairIndex(bytes[i], bytes[i + 1]);
      if (!(pairs_[pair / 64] >> (pair % 64) & 1)) return false;
    }
  }
  return findWord(folded_, word);
}

SearchQuery::SearchQuery(std::u16string_view typed) {
  std::size_t i = 0;
  while (i < typed.size()) {
    while (i < typed.size() && isSeparator(typed[i])) ++i;
    const std::size_t start = i;
    while (i < typed.size() && !isSeparator(typed[i])) ++i;
    if (i > start) {
      std::string word = foldForSearch(typed.substr(start, i - start));
      // A word that folds to nothing (a lone mark) asks for nothing. The longest
      // word first: it is the one most likely to rule a text out.
      if (word.empty()) continue;
      const auto shorter = std::find_if(words_.begin(), words_.end(),
                                        [&word](const std::string& w) { return w.size() < word.size(); });
      words_.insert(shorter, std::move(word));
    }
  }
}

bool SearchQuery::matches(const SearchKey& key) const {
  for (const std::string& word : words_)
    if (!key.contains(word)) return false;
  return true;
}

bool SearchQuery::matches(std::u16string_view text) const { return empty() || matches(SearchKey(text)); }

const SearchKey& SearchIndex::key(const Row& row) {
  const Text& text = row.cells[kColContent];
  auto found = keys_.find(row.id);
  if (found == keys_.end() || found->second.revision != row.revision)
    found = keys_.insert_or_assign(row.id, Kept{row.revision, std::make_shared<const SearchKey>(text)}).first;
  return *found->second.key;
}

void SearchIndex::prune(const EntryRows& rows) {
  for (auto it = keys_.begin(); it != keys_.end();) {
    const int index = rows.indexOf(it->first);
    if (index < 0 || rows.at(index).revision != it->second.revision) it = keys_.erase(it);
    else ++it;
  }
}

}  // namespace vornix
