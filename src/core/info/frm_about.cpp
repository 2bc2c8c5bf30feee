#include "core/info/frm_about.h"

#include <iterator>

#include "core/clip/helpers.h"
#include "core/info/maker.h"

namespace vornix {

namespace {

constexpr const char16_t* kCredits[] = {
    u"*** special thanks to ***",
    u"everyone who sent a bug report",
    u"everyone who asked for a feature",
    u"the users of the first versions",
    u"*** contributors ***",
    u"the German translation",
    u"the English translation",
    u"the icons",
    u"the help file",
    u"*** beta-testers ***",
    u"on Windows 95",
    u"on Windows 98",
    u"on Windows ME",
    u"on Windows NT 4",
    u"on Windows 2000",
    u"on Windows XP",
    u"on Windows Vista and 7",
    u"on Windows 8",
    u"on Windows 10 and 11",
    u"*** and ***",
    u"you, for using Vornix",
};
constexpr int kCreditLines = static_cast<int>(std::size(kCredits));

// A growing bar of this many "+" stands before each credits line.
constexpr size_t kBarLength = 15;
constexpr int kFadeStep = 10;
constexpr int kOpaque = 255;

// The same in both languages.
constexpr char16_t kNoSystemInformation[] = u"Systeminformationen sind momentan nicht verf\u00fcgbar";

}  // namespace

void FrmAbout::load() {
  app_.modalOpen = true;
  AboutTexts texts;
  texts.caption = app_.str(kStrInfoAbout) + u" " + kProgramTitle;
  texts.title = kProgramTitle;
  texts.version = Text(u"Version ") + kProgramVersion;
  texts.description = app_.str(kStrDescription);
  texts.disclaimer = app_.str(kStrDisclaimer);
  texts.homePage = kHomePage;
  texts.mail = kSupportMail;
  view_.setTexts(texts);
}

void FrmAbout::activate() {
  view_.setTimer(AboutTimer::Thanks, true);
  thanksIndex_ = 0;
  if (view_.layeringSupported()) {
    fadeLevel_ = 0;
    view_.setTimer(AboutTimer::Intro, true);
  }
}

void FrmAbout::timIntro_Timer() {
  if (fadeLevel_ < kOpaque) {
    view_.setAlpha(fadeLevel_);
    fadeLevel_ += kFadeStep;
  } else {
    view_.makeOpaque();
    view_.setTimer(AboutTimer::Intro, false);
  }
}

void FrmAbout::timThanks_Timer() {
  if (thanks_.empty() || thanks_[0] != u'+') thanks_.assign(1, u'+');
  thanks_.append(2, u'+');
  if (thanks_.size() >= kBarLength && thanks_.compare(0, kBarLength, Text(kBarLength, u'+')) == 0) {
    if (thanksIndex_ >= 0 && thanksIndex_ < kCreditLines) {
      thanks_ = kCredits[thanksIndex_];
    } else {
      thanks_.clear();
      thanksIndex_ = -1;
    }
    view_.setTimer(AboutTimer::Thanks, false);
    view_.setTimer(AboutTimer::ThanksText, true);
    ++thanksIndex_;
  }
  view_.setCredits(thanks_);
}

void FrmAbout::timThanksText_Timer() {
  view_.setTimer(AboutTimer::ThanksText, false);
  view_.setTimer(AboutTimer::Thanks, true);
}

void FrmAbout::cmdSysInfo_Click() {
  Text path;
  if (machine_.readMachineValue(u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"PATH", path) && !path.empty() &&
      machine_.startProgram(path))
    return;
  Text folder;
  if (machine_.readMachineValue(u"SOFTWARE\\Microsoft\\Shared Tools Location", u"MSINFO", folder)) {
    const Text program = addBackslash(folder) + u"MSINFO32.EXE";
    if (app_.sys.files.fileExists(program) && machine_.startProgram(program)) return;
  }
  // The user pressed the button in this window: the answer is due even while it is modal.
  view_.notice(kNoSystemInformation);
}

void FrmAbout::labWWW_Click() { openWithShell(app_, kHomePage); }

// The label shows the bare address; the shell needs the link form to start the mail program.
void FrmAbout::labMailto_Click() { openWithShell(app_, Text(u"mailto:") + kSupportMail); }

}  // namespace vornix
