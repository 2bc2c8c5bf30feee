// The about box `frmAbout`: its texts, the fade-in, the scrolling credits, the
// links and the system information launcher. Knows its window only through
// AboutView; timers are the window's, their ticks come back here.
#pragma once

#include "core/app/app.h"
#include "platform/machine.h"

namespace vornix {

enum class AboutTimer { Intro, Thanks, ThanksText };

struct AboutTexts {
  Text caption, title, version, description, disclaimer, homePage, mail;
};

// Implemented by the Win32 about box and by a fake view in the tests.
class AboutView {
 public:
  virtual ~AboutView() = default;
  virtual void setTexts(const AboutTexts& texts) = 0;
  // The credits text, shown by both credits labels.
  virtual void setCredits(const Text& text) = 0;
  virtual void setTimer(AboutTimer timer, bool on) = 0;
  // False where the system has no translucent windows.
  virtual bool layeringSupported() = 0;
  virtual void setAlpha(int alpha) = 0;
  virtual void makeOpaque() = 0;
  // An information box over the window.
  virtual void notice(const Text& text) = 0;
  virtual void close() = 0;
};

class FrmAbout {
 public:
  static constexpr int kIntroMs = 1;
  static constexpr int kThanksMs = 50;
  static constexpr int kThanksTextMs = 2000;

  FrmAbout(App& app, AboutView& view, platform::Machine& machine) : app_(app), view_(view), machine_(machine) {}

  void load();
  // The first activation: credits from the start, fade-in where it exists.
  void activate();
  void timIntro_Timer();
  void timThanks_Timer();
  void timThanksText_Timer();
  void cmdSysInfo_Click();
  void labWWW_Click();
  void labMailto_Click();
  // OK and a click on the icon.
  void close() { view_.close(); }

 private:
  App& app_;
  AboutView& view_;
  platform::Machine& machine_;
  Text thanks_;
  int thanksIndex_ = 0;
  int fadeLevel_ = 0;
};

}  // namespace vornix
