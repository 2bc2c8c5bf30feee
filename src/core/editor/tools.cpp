#include "core/editor/tools.h"

#include "base/ustr.h"

namespace vornix::tools {

namespace {

// One pass; the text between hits is copied in whole runs, not character by character.
Text replaceNoCase(const Text& text, const Text& find, const Text& replace) {
  if (text.size() < find.size()) return text;
  const Text pattern = ustr::lower(find);
  const char16_t first = pattern[0];
  const size_t n = pattern.size(), last = text.size() - n;
  Text out;
  out.reserve(text.size());
  size_t i = 0, run = 0;
  while (i <= last) {
    if (ustr::toLower(text[i]) == first) {
      size_t k = 1;
      while (k < n && ustr::toLower(text[i + k]) == pattern[k]) ++k;
      if (k == n) {
        out.append(text, run, i - run).append(replace);
        i += n;
        run = i;
        continue;
      }
    }
    ++i;
  }
  out.append(text, run, Text::npos);
  return out;
}

}  // namespace

Text replaceText(const Text& text, const Text& find, const Text& replace, bool matchCase) {
  if (find.empty()) return text;
  return matchCase ? ustr::replaceAll(text, find, replace) : replaceNoCase(text, find, replace);
}

Text checkCode(const Text& code) {
  long long value = 0;
  if (code.size() > 3 || !ustr::parseInt(code, 1, 255, value)) return u"9";
  return code;
}

Text checkRepeat(const Text& repeat) {
  long long value = 0;
  if (!ustr::parseInt(repeat, -999999999999LL, 999999999999LL, value)) {
    // Digits too many for a number are still a number: far above the limit.
    const Text digits = ustr::trimSpaces(repeat);
    const bool allDigits = !digits.empty() && digits.find_first_not_of(u"0123456789") == Text::npos;
    return allDigits ? u"80" : u"1";
  }
  if (value < 1) return u"1";
  if (repeat.size() > 2 || value > 80) return u"80";
  return repeat;
}

Text codeCharacter(const Text& code, const CodePage& cp) {
  long long value = 9;
  ustr::parseInt(checkCode(code), 1, 255, value);
  const char16_t c = cp.fromAnsi(static_cast<unsigned char>(value));
  return c == 0xFFFF ? Text(1, static_cast<char16_t>(value)) : Text(1, c);
}

Text citeCharFrom(const Text& field) { return ustr::trimSpaces(field); }

std::vector<Text> specialCharacters(int area, const CodePage& cp) {
  std::vector<int> codes;
  if (area == 1) {
    for (int c = 32; c <= 127; ++c) codes.push_back(c);
  } else {
    codes = {128, 145, 146};
    for (int c = 160; c <= 255; ++c) codes.push_back(c);
  }
  std::vector<Text> out;
  out.reserve(codes.size());
  for (int code : codes) {
    const char16_t c = cp.fromAnsi(static_cast<unsigned char>(code));
    out.emplace_back(1, c == 0xFFFF ? static_cast<char16_t>(code) : c);
  }
  return out;
}

}  // namespace vornix::tools
