#include "base/ustr.h"

#include <cmath>
#include <limits>
#include <string>

namespace vornix::ustr {

Text fromUtf8(std::string_view s) {
  Text out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    char32_t cp = 0;
    size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0 && i + 1 < s.size()) {
      cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
      len = 2;
    } else if ((c & 0xF0) == 0xE0 && i + 2 < s.size()) {
      cp = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(s[i + 2]) & 0x3Fu);
      len = 3;
    } else if ((c & 0xF8) == 0xF0 && i + 3 < s.size()) {
      cp = ((c & 0x07u) << 18) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 12) |
           ((static_cast<unsigned char>(s[i + 2]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(s[i + 3]) & 0x3Fu);
      len = 4;
    } else {
      cp = 0xFFFD;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
  return out;
}

std::string toUtf8(TextView s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;  // unpaired surrogate
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

namespace {

template <typename Eq>
Text replaceWith(TextView s, TextView from, TextView to, Eq eq) {
  if (from.empty() || s.size() < from.size()) return Text(s);
  Text out;
  out.reserve(s.size());
  size_t i = 0;
  const size_t last = s.size() - from.size();
  while (i <= last) {
    size_t k = 0;
    while (k < from.size() && eq(s[i + k], from[k])) ++k;
    if (k == from.size()) {
      out.append(to);
      i += from.size();
    } else {
      out.push_back(s[i]);
      ++i;
    }
  }
  out.append(s.substr(i));
  return out;
}

}  // namespace

Text replaceAll(TextView s, TextView from, TextView to) {
  // A single-character pattern is by far the most frequent case; keep it branch-light.
  if (from.size() == 1) {
    const char16_t f = from[0];
    Text out;
    out.reserve(s.size());
    for (char16_t c : s) {
      if (c == f) out.append(to); else out.push_back(c);
    }
    return out;
  }
  // For longer patterns search with find(): it skips quickly to candidate positions.
  if (from.empty()) return Text(s);
  Text out;
  out.reserve(s.size());
  size_t pos = 0;
  for (;;) {
    size_t hit = s.find(from, pos);
    if (hit == TextView::npos) break;
    out.append(s.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
  }
  out.append(s.substr(pos));
  return out;
}

Text replaceAllNoCase(TextView s, TextView from, TextView to) {
  return replaceWith(s, from, to, [](char16_t a, char16_t b) { return toLower(a) == toLower(b); });
}

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

Text head(TextView s, size_t max) {
  if (s.size() <= max) return Text(s);
  // The unit after the cut is the second half of a pair: its first half goes too.
  if (max > 0 && isHighSurrogate(s[max - 1]) && isLowSurrogate(s[max])) --max;
  return Text(s.substr(0, max));
}

Text tail(TextView s, size_t max) {
  if (s.size() <= max) return Text(s);
  size_t from = s.size() - max;
  if (max > 0 && isLowSurrogate(s[from]) && isHighSurrogate(s[from - 1])) ++from;
  return Text(s.substr(from));
}

Text trimSpaces(TextView s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] == u' ') ++b;
  while (e > b && s[e - 1] == u' ') --e;
  return Text(s.substr(b, e - b));
}

Text trimRightSpaces(TextView s) {
  size_t e = s.size();
  while (e > 0 && s[e - 1] == u' ') --e;
  return Text(s.substr(0, e));
}

char16_t toLower(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  if (c >= 0x100 && c <= 0x137 && (c % 2) == 0) return static_cast<char16_t>(c + 1);
  if (c >= 0x139 && c <= 0x148 && (c % 2) == 1) return static_cast<char16_t>(c + 1);
  if (c >= 0x14A && c <= 0x177 && (c % 2) == 0) return static_cast<char16_t>(c + 1);
  if (c == 0x178) return 0xFF;
  if (c >= 0x179 && c <= 0x17E && (c % 2) == 1) return static_cast<char16_t>(c + 1);
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return static_cast<char16_t>(c + 32);
  if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 32);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 80);
  return c;
}

char16_t toUpper(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  if (c == 0xFF) return 0x178;
  if (c >= 0x101 && c <= 0x138 && (c % 2) == 1 && c != 0x131 && c != 0x138) return static_cast<char16_t>(c - 1);
  if (c >= 0x13A && c <= 0x148 && (c % 2) == 0) return static_cast<char16_t>(c - 1);
  if (c >= 0x14B && c <= 0x177 && (c % 2) == 1) return static_cast<char16_t>(c - 1);
  if (c >= 0x17A && c <= 0x17E && (c % 2) == 0) return static_cast<char16_t>(c - 1);
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<char16_t>(c - 32);
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 32);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 80);
  return c;
}

Text lower(TextView s) {
  Text out(s);
  for (auto& c : out) c = toLower(c);
  return out;
}

Text upper(TextView s) {
  Text out(s);
  for (auto& c : out) c = toUpper(c);
  return out;
}

bool equalsNoCase(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (toLower(a[i]) != toLower(b[i])) return false;
  return true;
}

bool startsWith(TextView s, TextView prefix) { return s.substr(0, prefix.size()) == prefix; }

bool endsWith(TextView s, TextView suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

Text fromInt(long long n) {
  std::string d = std::to_string(n);
  return Text(d.begin(), d.end());
}

Text zeroPad(long long number, int width) {
  Text s = fromInt(number);
  if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), u'0');
  return s;
}

bool parseInt(TextView s, long long minValue, long long maxValue, long long& out) {
  Text t = trimSpaces(s);
  if (t.empty()) return false;
  size_t i = 0;
  bool neg = false;
  if (t[0] == u'-' || t[0] == u'+') {
    neg = t[0] == u'-';
    i = 1;
  }
  if (i >= t.size()) return false;
  long long v = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < u'0' || t[i] > u'9') return false;
    if (v > (std::numeric_limits<long long>::max() - 9) / 10) return false;
    v = v * 10 + (t[i] - u'0');
  }
  if (neg) v = -v;
  if (v < minValue || v > maxValue) return false;
  out = v;
  return true;
}

// Read here rather than by the C library: its reader brings a whole
// floating-point formatting library into the executable, for window positions.
bool parseNumber(TextView s, double& out) {
  const Text t = trimSpaces(s);
  std::size_t i = 0;
  const bool negative = i < t.size() && t[i] == u'-';
  if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) ++i;
  // The digits as a whole number (the first 18 count, later ones only scale it)
  // and the power of ten it is to be taken by.
  long long digits = 0;
  int significant = 0, scale = 0, seen = 0;
  bool point = false;
  for (; i < t.size(); ++i) {
    const char16_t c = t[i];
    if ((c == u'.' || c == u',') && !point) {
      point = true;
      continue;
    }
    if (c < u'0' || c > u'9') break;
    ++seen;
    if (significant < 18) {
      if (digits > 0 || c != u'0') ++significant;
      digits = digits * 10 + (c - u'0');
      if (point) --scale;
    } else if (!point) {
      ++scale;
    }
  }
  if (seen == 0) return false;
  if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
    ++i;
    const bool down = i < t.size() && t[i] == u'-';
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) ++i;
    if (i == t.size()) return false;
    int exponent = 0;
    for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i)
      if (exponent < 100000) exponent = exponent * 10 + (t[i] - u'0');
    scale += down ? -exponent : exponent;
  }
  if (i != t.size()) return false;
  // Dividing by an exact power of ten keeps a stored "0.1" the double written as 0.1.
  const double magnitude = digits == 0  ? 0.0
                           : scale < 0 ? static_cast<double>(digits) / std::pow(10.0, -scale)
                                       : static_cast<double>(digits) * std::pow(10.0, scale);
  if (!std::isfinite(magnitude)) return false;
  out = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace vornix::ustr
