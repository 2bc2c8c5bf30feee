#include "core/quick/on_screen_display.h"

#include <algorithm>

#include "base/ustr.h"
#include "core/list/frm_vornix.h"

namespace vornix {

namespace {

// Texts are compared by their start only: two huge texts that agree this far count as one.
constexpr size_t kCompareLength = 16383;
constexpr size_t kLineLength = 300;
// Marks a text that goes on beyond the last line shown.
constexpr char16_t kEllipsis[] = u"\u2026";

long clamp(long value, long low, long high) { return value < low ? low : value > high ? high : value; }

}  // namespace

OsdConfig osdConfig(const OptionTable& options) {
  OsdConfig c;
  c.rows = static_cast<int>(clamp(options.number(kOSDRows), 1, 10));
  const long align = options.number(kOSDAlign);
  c.align = align == 0 ? OsdAlign::Left : align == 1 ? OsdAlign::Right : OsdAlign::Center;
  c.seconds = static_cast<int>(clamp(options.number(kOSDSec), 1, 3600));
  return c;
}

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\0'; }
bool isBreak(char16_t c) { return c == u'\r' || c == u'\n'; }
bool isLeadSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// How much of `rest` (no leading blank) goes on one panel line: all of it, else up
// to the last blank where it still fits, else as many characters as fit (never
// none, and never half a surrogate pair).
size_t lineLength(const Text& rest, const std::function<bool(const Text&)>& fits) {
  if (fits(rest)) return rest.size();
  size_t best = 0;
  for (size_t i = 1; i < rest.size(); ++i) {
    if (rest[i] != u' ' || rest[i - 1] == u' ') continue;
    if (!fits(rest.substr(0, i))) break;
    best = i;
  }
  if (best > 0) return best;
  size_t n = 1;
  while (n < rest.size() && fits(rest.substr(0, n + 1))) ++n;
  if (n < rest.size() && isLeadSurrogate(rest[n - 1])) n = n > 1 ? n - 1 : n + 1;
  return n;
}

}  // namespace

std::vector<Text> osdLines(const Text& text, int rows, const std::function<bool(const Text&)>& fits,
                           bool continues) {
  std::vector<Text> lines;
  if (rows < 1) return lines;
  const size_t rowCount = static_cast<size_t>(rows);
  // No panel line holds more than kLineLength characters: reading further is waste.
  const size_t scan = kLineLength * rowCount;
  bool more = false;
  size_t pos = 0;
  while (pos < text.size() && !more) {
    size_t end = pos;
    while (end < text.size() && !isBreak(text[end]) && end - pos < scan) ++end;
    Text piece = text.substr(pos, end - pos);
    for (char16_t& c : piece)
      if (isBlank(c)) c = u' ';
    Text rest = ustr::trimSpaces(piece);
    while (!rest.empty()) {
      if (lines.size() == rowCount) {
        more = true;
        break;
      }
      const size_t take = lineLength(rest, fits);
      lines.push_back(ustr::trimRightSpaces(ustr::TextView(rest).substr(0, take)));
      rest = ustr::trimSpaces(ustr::TextView(rest).substr(take));
    }
    pos = end;
    while (pos < text.size() && !isBreak(text[pos]) && !more) {
      // The rest of a line beyond the scanned part.
      if (!isBlank(text[pos])) more = true;
      ++pos;
    }
    while (pos < text.size() && isBreak(text[pos])) ++pos;
    if (lines.size() == rowCount && !more) {
      for (size_t i = pos; i < text.size() && !more; ++i) more = !isBlank(text[i]) && !isBreak(text[i]);
      break;
    }
  }
  if ((more || continues) && !lines.empty()) {
    Text& last = lines.back();
    while (!last.empty() && !fits(last + kEllipsis)) {
      last.pop_back();
      if (!last.empty() && isLeadSurrogate(last.back())) last.pop_back();
    }
    last = ustr::trimRightSpaces(last) + kEllipsis;
  }
  return lines;
}

void OnScreenDisplay::setOSD() {
  config_ = osdConfig(app_.options);
  view_.configure(config_);
}

void OnScreenDisplay::showClip(const Text& text, std::size_t length) {
  if (app_.modalOpen || !app_.options.isOn(kOSD) || text.empty()) return;
  if (view_.isShown() && shown_.compare(0, kCompareLength, text, 0, kCompareLength) == 0) return;
  const std::vector<Text> lines =
      osdLines(text, config_.rows, [this](const Text& line) { return view_.fitsOnLine(line); }, length > text.size());
  if (lines.empty()) return;  // nothing but blanks: nothing to see
  shown_ = text.substr(0, kCompareLength);
  view_.showText(lines, app_.checkSizeLimit(static_cast<long long>(std::max(length, text.size()))) ? kOsdGreen : kOsdRed);
}

void OnScreenDisplay::hideOSD() {
  if (view_.isShown()) view_.hideOSD();
}

void FrmVornix::setOSD() {
  if (osd_) osd_->setOSD();
}

void FrmVornix::hideOSD() {
  if (osd_) osd_->hideOSD();
}

void FrmVornix::showOnScreen(const Text& text, std::size_t length) {
  if (osd_) osd_->showClip(text, length);
}

}  // namespace vornix
