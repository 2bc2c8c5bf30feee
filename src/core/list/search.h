// Find as you type, the rule shared by the hot menu and the main list: a text
// matches when every typed word occurs somewhere in it, in any order, with letter
// case and accents ignored ("strasse" finds "Straße", "cafe" finds "café").
// Portable; texts are compared in a folded form made once per text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/list/entry_rows.h"

namespace vornix {

// The folded form of a text: lower case, marks dropped, ligatures spelled out,
// as UTF-8 bytes (a word found in the bytes is a word found in the text).
std::string foldForSearch(std::u16string_view text);

// A text made ready for searching.
class SearchKey {
 public:
  explicit SearchKey(std::u16string_view text);
  // `word` is folded already.
  bool contains(std::string_view word) const;

 private:
  std::string folded_;
  // For long texts: which pairs of bytes occur, so that most words that are not
  // there are known without reading a megabyte.
  std::vector<std::uint64_t> pairs_;
};

// What the user typed, split into folded words.
class SearchQuery {
 public:
  SearchQuery() = default;
  explicit SearchQuery(std::u16string_view typed);
  bool empty() const { return words_.empty(); }
  bool matches(const SearchKey& key) const;
  // For a text searched once (it is folded on the way).
  bool matches(std::u16string_view text) const;

 private:
  std::vector<std::string> words_;
};

// The keys of the entry rows, each made when first asked for and again only when
// the row's text changed.
class SearchIndex {
 public:
  const SearchKey& key(const Row& row);
  // Drops the keys of rows that are gone.
  void prune(const EntryRows& rows);

 private:
  struct Kept {
    int revision;
    std::shared_ptr<const SearchKey> key;
  };
  std::unordered_map<int, Kept> keys_;
};

}  // namespace vornix
