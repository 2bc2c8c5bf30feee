// The on-screen display's panel: a borderless, top-most window that never takes
// the focus and lets the mouse through, showing a few lines in one colour for a
// set time. Its title carries the lines shown, so that a test can read them.
#pragma once

#include <windows.h>

#include "core/quick/on_screen_display.h"
#include "win32/common/window.h"

namespace vornix::ui {

class OsdWindow : public Window, public OsdView {
 public:
  OsdWindow() = default;
  ~OsdWindow() override;

  // OsdView
  void configure(const OsdConfig& config) override { config_ = config; }
  bool fitsOnLine(const Text& line) override;
  void showText(const std::vector<Text>& lines, std::uint32_t colour) override;
  bool isShown() override { return hwnd() && IsWindowVisible(hwnd()); }
  void hideOSD() override;

 protected:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static constexpr UINT_PTR kHideTimer = 1;

  bool createWindow();
  // The work area and the widest text a line may have in it.
  RECT workArea() const;
  int textWidthLimit() const;
  void paint();

  OsdConfig config_;
  std::vector<Text> lines_;
  COLORREF colour_ = RGB(0, 255, 0);
  HFONT font_ = nullptr;
  int lineHeight_ = 0;
};

}  // namespace vornix::ui
