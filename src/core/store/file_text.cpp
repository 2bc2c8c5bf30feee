#include "core/store/file_text.h"

#include "base/ustr.h"

namespace vornix {

namespace {

constexpr char kUtf16Le[] = "\xFF\xFE";
constexpr char kUtf16Be[] = "\xFE\xFF";
constexpr char kUtf8[] = "\xEF\xBB\xBF";

bool startsWith(const std::string& bytes, const char* mark) { return bytes.rfind(mark, 0) == 0; }

bool startsWithMark(const std::string& bytes) {
  return startsWith(bytes, kUtf16Le) || startsWith(bytes, kUtf16Be) || startsWith(bytes, kUtf8);
}

std::u16string fromUtf16(const std::string& bytes, size_t from, bool bigEndian) {
  std::u16string text;
  text.reserve((bytes.size() - from) / 2 + 1);
  size_t i = from;
  for (; i + 1 < bytes.size(); i += 2) {
    const unsigned a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a)));
  }
  // A cut-off last byte still becomes a character rather than vanish.
  if (i < bytes.size()) text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i])));
  return text;
}

}  // namespace

std::string encodeFileText(const std::u16string& text, const CodePage& codePage) {
  std::string bytes = codePage.encode(text);
  if (!startsWithMark(bytes) && codePage.decode(bytes) == text) return bytes;
  bytes.assign(kUtf16Le, 2);
  bytes.reserve(2 + text.size() * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

std::u16string decodeFileText(const std::string& bytes, const CodePage& codePage) {
  if (startsWith(bytes, kUtf16Le)) return fromUtf16(bytes, 2, false);
  if (startsWith(bytes, kUtf16Be)) return fromUtf16(bytes, 2, true);
  if (startsWith(bytes, kUtf8)) return ustr::fromUtf8(std::string_view(bytes).substr(3));
  return codePage.decode(bytes);
}

}  // namespace vornix
