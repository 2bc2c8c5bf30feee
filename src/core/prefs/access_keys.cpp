#include "core/prefs/access_keys.h"

namespace vornix {

namespace {

// The system compares access keys without case; the Latin-1 letters (ä, ö, ü)
// count as keys of their own.
char16_t upper(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char16_t>(c - 32);
  return c;
}

}  // namespace

char16_t accessKey(const Text& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return upper(caption[i + 1]);
  }
  return 0;
}

std::vector<Text> accessKeyCollisions(const std::vector<Text>& captions) {
  std::vector<Text> lines;
  for (size_t i = 0; i < captions.size(); ++i) {
    const char16_t key = accessKey(captions[i]);
    if (!key) continue;
    bool seenBefore = false;
    for (size_t j = 0; j < i && !seenBefore; ++j) seenBefore = accessKey(captions[j]) == key;
    if (seenBefore) continue;
    Text line = Text(1, key) + u":";
    int count = 0;
    for (size_t j = i; j < captions.size(); ++j) {
      if (accessKey(captions[j]) != key) continue;
      line += (count++ ? u" | " : u" ") + captions[j];
    }
    if (count > 1) lines.push_back(line);
  }
  return lines;
}

}  // namespace vornix
