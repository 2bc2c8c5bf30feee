#include "core/info/frm_about.h"

#include <iterator>

#include "core/clip/helpers.h"
#include "core/info/maker.h"

namespace vornix {

namespace {

// The credits in English and German.
struct Credit {
  const char16_t* english;
  const char16_t* german;
};

constexpr Credit kCredits[] = {
    {u"*** special thanks to ***", u"*** besonderer Dank an ***"},
    {u"everyone who sent a bug report", u"alle, die Fehler gemeldet haben"},
    {u"everyone who asked for a feature", u"alle, die sich eine Funktion gewünscht haben"},
    {u"the users of the first versions", u"die Anwender der ersten Versionen"},
    {u"*** contributors ***", u"*** Mitwirkende ***"},
    {u"the German translation", u"die deutsche Übersetzung"},
    {u"the English translation", u"die englische Übersetzung"},
    {u"the icons", u"die Symbole"},
    {u"the help file", u"die Hilfedatei"},
    {u"*** beta-testers ***", u"*** Betatester ***"},
    {u"on Windows 95", u"unter Windows 95"},
    {u"on Windows 98", u"unter Windows 98"},
    {u"on Windows ME", u"unter Windows ME"},
    {u"on Windows NT 4", u"unter Windows NT 4"},
    {u"on Windows 2000", u"unter Windows 2000"},
    {u"on Windows XP", u"unter Windows XP"},
    {u"on Windows Vista and 7", u"unter Windows Vista und 7"},
    {u"on Windows 8", u"unter Windows 8"},
    {u"on Windows 10 and 11", u"unter Windows 10 und 11"},
    {u"*** and ***", u"*** und ***"},
    {u"you, for using Vornix", u"Ihnen, für die Nutzung von Vornix"},
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
      thanks_ = app_.languageOffset == 0 ? kCredits[thanksIndex_].german : kCredits[thanksIndex_].english;
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
