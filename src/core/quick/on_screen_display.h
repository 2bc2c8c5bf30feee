// The on-screen display: a new clipboard text shown for a few seconds over the
// desktop, green when it may be filed and red when it is over the size limit.
// OnScreenDisplay decides what is shown and how; OsdView is the panel itself.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/app/app.h"

namespace vornix {

enum class OsdAlign { Left = 0, Right = 1, Center = 2 };

// Colours in the platform's 0x00BBGGRR order.
constexpr std::uint32_t kOsdGreen = 0x00FF00;
constexpr std::uint32_t kOsdRed = 0x0000FF;

struct OsdConfig {
  int rows = 2;     // 1 to 10 lines of text
  OsdAlign align = OsdAlign::Center;
  int seconds = 15;  // at least 1
};

// Implemented by the Win32 display window (src/win32) and a fake in the tests.
// The panel never takes the focus and lets the mouse through.
class OsdView {
 public:
  virtual ~OsdView() = default;
  virtual void configure(const OsdConfig& config) = 0;
  // Whether `line` fits on one line of the panel in its font.
  virtual bool fitsOnLine(const Text& line) = 0;
  // Shows `lines` in `colour` and hides them by itself after the configured time.
  virtual void showText(const std::vector<Text>& lines, std::uint32_t colour) = 0;
  virtual bool isShown() = 0;
  virtual void hideOSD() = 0;
};

// The display's settings from the options OSDRows, OSDAlign and OSDSec; values
// out of range (a hand-edited store) are held to the nearest sensible one.
OsdConfig osdConfig(const OptionTable& options);

// `text` as the display shows it in at most `rows` lines: tabs as blanks, CR LF,
// CR or LF as line ends, empty lines skipped, a line too long for the panel
// wrapped at blanks (inside a word where it has none), and the last line ending
// in "…" when more of the text follows (always when `continues`: `text` is only
// the beginning of the text).
std::vector<Text> osdLines(const Text& text, int rows, const std::function<bool(const Text&)>& fits,
                           bool continues = false);

class OnScreenDisplay {
 public:
  OnScreenDisplay(App& app, OsdView& view) : app_(app), view_(view) {}

  // Passes the options to the panel (also while the display is switched off).
  void setOSD();
  // A new clipboard text, taken in record mode: shown when the display is on, no
  // box of the program is open, and it is not the text already on display.
  // `length` is the whole text's, when `text` is only its beginning.
  void showClip(const Text& text, std::size_t length = 0);
  void hideOSD();
  const Text& shownText() const { return shown_; }

 private:
  App& app_;
  OsdView& view_;
  OsdConfig config_;
  Text shown_;
};

}  // namespace vornix
