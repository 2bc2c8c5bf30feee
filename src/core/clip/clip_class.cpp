#include "core/clip/clip_class.h"

#include <limits>

#include "base/ustr.h"
#include "core/clip/transforms.h"

namespace vornix {

namespace {

const char16_t* const kUrlPrefixes[] = {u"mailto:", u"http://", u"https://", u"file:", u"ftp:", u"gopher:"};

}  // namespace

ClipClass::ClipClass(const CodePage& codePage) : codePage_(codePage) {}

void ClipClass::setClipText(const Text& text) {
  text_ = text;
  setIsVars();
}

void ClipClass::ClipQuantityCount() {
  if (quantity_ < std::numeric_limits<std::int32_t>::max()) ++quantity_;
}

void ClipClass::setIsVars() {
  // Works on the trimmed range in place: the text may be megabytes long.
  size_t b = 0, e = text_.size();
  while (b < e && text_[b] == u' ') ++b;
  while (e > b && text_[e - 1] == u' ') --e;
  const std::u16string_view t(text_.data() + b, e - b);
  const bool outerSpaces = t.size() < text_.size();
  isText = true;
  isURL = 0;
  isEMail = 0;
  for (char16_t c : t) {
    if (c >= 32 && c < 0x80) continue;
    // A character without a byte in the code page is no control character.
    int code = codePage_.toAnsi(c);
    if (code >= 0 && code < 32 && code != 9 && code != 10 && code != 13) {
      isText = false;
      return;
    }
  }
  if (outerSpaces || t.size() >= 256 || t.find_first_of(u"\t\n\r ") != std::u16string_view::npos) return;
  const Text low = ustr::lower(t);
  for (int i = 0; i < 6; ++i)
    if (ustr::startsWith(low, kUrlPrefixes[i])) isURL = static_cast<std::int16_t>(i + 1);
  if (t.size() < 7) return;
  const size_t at = t.find(u'@', 1);
  if (at == Text::npos) return;
  const size_t dot = t.rfind(u'.');
  // Positions counted from 1: at least two characters after the last point and
  // at least three between the "@" and the last point.
  const long a = static_cast<long>(at) + 1;
  const long d = dot == Text::npos ? 0 : static_cast<long>(dot) + 1;
  if (d >= static_cast<long>(t.size()) - 1 || d <= a + 3) return;
  isEMail = ustr::startsWith(low, u"mailto:") ? 2 : 1;
}

namespace {

// The clipboard's whole text; "" for no text and for a text its program marked secret.
Text wholeText(platform::Clipboard& clipboard, platform::ClipStatus& status) {
  platform::ClipContent content;
  status = clipboard.read(content, platform::ClipContent::kWhole);
  return status == platform::ClipStatus::Ok && content.hasText && !content.secret ? content.text : Text();
}

}  // namespace

Text ClipClass::setClipboard(platform::Clipboard& clipboard, platform::ClipStatus* written) {
  if (written) *written = platform::ClipStatus::Ok;
  if (text_.empty()) return Text();
  platform::ClipStatus status;
  Text previous = wholeText(clipboard, status);
  status = clipboard.writeText(text_);
  if (written) *written = status;
  // Only a use that reached the clipboard counts.
  if (status == platform::ClipStatus::Ok) ClipQuantityCount();
  return previous;
}

Text ClipClass::getClipboard(platform::Clipboard& clipboard, platform::ClipStatus& status) {
  Text t = wholeText(clipboard, status);
  if (!t.empty()) setClipText(t);
  return t;
}

Text ClipClass::clearClipboard(platform::Clipboard& clipboard) {
  platform::ClipContent content;
  if (clipboard.read(content, platform::ClipContent::kWhole) != platform::ClipStatus::Ok) return Text();
  if (!content.hasText && !content.secret) return Text();
  clipboard.empty();
  return content.secret ? Text() : content.text;
}

const Text& ClipClass::reformat() { return text_ = transforms::reformat(text_); }
const Text& ClipClass::removeBeginningWS() { return text_ = transforms::removeBeginningWS(text_); }

Text ClipClass::UnCite(const Text& citeChar) {
  if (citeChar.empty()) return Text();
  return text_ = transforms::unCite(text_, citeChar);
}

const Text& ClipClass::removeWhiteSpaces() { return text_ = transforms::removeWhiteSpaces(text_); }

const Text& ClipClass::txtTrim() {
  text_ = ustr::trimSpaces(text_);
  setIsVars();
  return text_;
}

const Text& ClipClass::removeCrLf() { return text_ = transforms::removeCrLf(text_); }
const Text& ClipClass::removeEmptyRows() { return text_ = transforms::removeEmptyRows(text_); }
const Text& ClipClass::txtUCase() { return text_ = ustr::upper(text_); }
const Text& ClipClass::txtLCase() { return text_ = ustr::lower(text_); }
const Text& ClipClass::transformTagEntity(bool toEntity) { return text_ = transforms::transformTagEntity(text_, toEntity); }
const Text& ClipClass::transformEntity(bool toEntity) {
  return text_ = transforms::transformEntity(text_, toEntity, codePage_);
}
const Text& ClipClass::Escape() { return text_ = transforms::escape(text_, codePage_); }
const Text& ClipClass::Unescape() { return text_ = transforms::unescape(text_, codePage_); }
const Text& ClipClass::UnUmlaut() { return text_ = transforms::unUmlaut(text_); }

}  // namespace vornix
