#include "core/quick/on_screen_display.h"

#include <algorithm>

#include "base/ustr.h"
#include "core/list/frm_vornix.h"

namespace vornix {

namespace {

// Texts are compared by their start only: two huge texts that agree this far count as one.
constexpr size_t kCompareLength = 16383;
constexpr size_t kLineLength = 300;

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

std::vector<Text> osdLines(const Text& text, int rows) {
  std::vector<Text> lines;
  Text line;
  auto finish = [&] {
    Text t = ustr::trimSpaces(line);
    line.clear();
    if (t.empty()) return;
    if (t.size() > kLineLength) t = t.substr(0, kLineLength) + u"...";
    lines.push_back(t);
  };
  for (size_t i = 0; i < text.size() && static_cast<int>(lines.size()) < rows; ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      finish();
    } else if (line.size() <= kLineLength) {
      line.push_back(c == u'\t' || c == u'\0' ? u' ' : c);
    }
  }
  if (static_cast<int>(lines.size()) < rows) finish();
  return lines;
}

void OnScreenDisplay::setOSD() {
  config_ = osdConfig(app_.options);
  view_.configure(config_);
}

void OnScreenDisplay::showClip(const Text& text, std::size_t length) {
  if (app_.modalOpen || !app_.options.isOn(kOSD) || text.empty()) return;
  if (view_.isShown() && shown_.compare(0, kCompareLength, text, 0, kCompareLength) == 0) return;
  const std::vector<Text> lines = osdLines(text, config_.rows);
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
