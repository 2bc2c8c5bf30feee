// The bug report and the about box, driven through their logic with fake views.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "core/clip/helpers.h"
#include "core/info/dia_bug.h"
#include "core/info/frm_about.h"
#include "fixture.h"

namespace vornix::test {
namespace {

class FakeMachine : public platform::Machine {
 public:
  platform::SystemVersion systemVersion{2, 6, 1, 7601};
  platform::WorkArea area{0, 0, 1024, 740};
  std::map<Text, Text> values;  // "key|name" -> value
  std::set<Text> startable;
  std::vector<Text> started;
  platform::SystemVersion version() override { return systemVersion; }
  platform::WorkArea workArea() override { return area; }
  bool readMachineValue(const Text& key, const Text& name, Text& value) override {
    auto it = values.find(key + u"|" + name);
    if (it == values.end()) return false;
    value = it->second;
    return true;
  }
  bool startProgram(const Text& path) override {
    if (!startable.count(path)) return false;
    started.push_back(path);
    return true;
  }
};

class FakeBugView : public BugView {
 public:
  Text text;
  std::vector<Text> notices;
  bool closed = false;
  void showReport(const Text& t, size_t) override { text = t; }
  Text report() override { return text; }
  void notice(const Text& t) override { notices.push_back(t); }
  void close() override { closed = true; }
};

std::vector<Text> lines(const Text& text) {
  std::vector<Text> out;
  size_t start = 0;
  for (size_t end; (end = text.find(u"\r\n", start)) != Text::npos; start = end + 2)
    out.push_back(text.substr(start, end - start));
  if (start < text.size()) out.push_back(u"<unterminated>" + text.substr(start));
  return out;
}

TEST(BugReport, ComposesTheConfigurationLineByLine) {
  Program p;
  p.setAll({{"ProtocolMode", "1"}, {"MMwinLeft", "300"}, {"winWidth", "7050"}, {"winHeight", "4500"}, {"SortKey", "1"},
            {"SortOrder", "0"}, {"winTopMost", "1"}, {"OSDRows", "7"}, {"HoteditBol", "True"}, {"HotmenuMOD", "9"},
            {"CiteChar", "|"}, {"ImportFile", "C:\\in.txt"}});
  p.app->screenDpi = 144;
  p.start();
  p.copy(u"one");
  p.copy(u"two");
  FakeMachine machine;
  machine.systemVersion = {2, 5, 1, 2600};
  p.view.rect = {100, 50, 705, 450};
  const std::vector<Text> got = lines(bugReportText(*p.app, machine, mainFacts(*p.frm, p.view)));
  ASSERT_EQ(61u, got.size());
  // By line number: the window's geometry in twips at this DPI, the stored options under their labels.
  const std::vector<std::pair<size_t, Text>> want = {
      {1, u"Your Bug-Report / Ihre Fehlermeldung:"}, {5, u"Settings:"}, {7, u"Version:\tVornix (1.0.0)"},
      {8, u"Platform:\tWindows NT/2000/XP 5.1 build 2600"}, {9, u"Area:\tt:0 l:0 w:10240 h:7400"},
      {10, u"MWinLeft: 300"}, {11, u"MWinTop: "}, {12, u"winLeft: 1000"}, {13, u"winTop: 500"},
      {14, u"winWidth: 7050"}, {15, u"winHeight: 4500"}, {16, u"SortKey: 1"}, {17, u"SortOrder: 0"},
      {18, u"winTopMost: 1"}, {37, u"HoteditBol: True"}, {42, u"HotmenuMOD: 9"}, {49, u"OSDRows: 7"},
      {58, u"CiteChar: |"}, {59, u"ImportFile: C:\\in.txt"}, {60, u"ExportFile: "}, {61, u"EntryCount: 2"}};
  for (const auto& [number, text] : want) EXPECT_EQ(text, got[number - 1]) << "line " << number;
}

struct BugDialog {
  Running p;
  FakeMachine machine;
  FakeBugView view;
  DiaBug dia{*p.app, view};
  BugDialog() { dia.load(machine, mainFacts(*p.frm, p.view)); }
};

TEST(BugDialog, OkMailsTheEscapedReportOrHandsItOverByClipboardAndCopyRetriesABusyOne) {
  // The report always ends on the clipboard; one whose link the shell cannot take
  // safely goes only there, with a notice, and stays in the window when the
  // clipboard refuses it. The report as composed, with every option, is such a one.
  const Text mail = u"mailto:support@vornix.example?subject=Vornix-Bug-Report";
  const size_t fits = kMaxShellTarget - (mail + u"&body=").size();
  const struct { std::optional<Text> report; bool clipboardFails; std::optional<Text> opened; int notice; } cases[] = {
      {T("a b\r\n&?ä"), false, mail + u"&body=a%20b%0D%0A%26%3F%E4", 0},
      {Text(fits, u'x'), false, mail + u"&body=" + Text(fits, u'x'), 0}, {Text(fits + 1, u'x'), false, mail, 375},
      {Text(1000, u'x'), false, mail, 375}, {std::nullopt, false, mail, 375},
      {Text(1000, u'x'), true, std::nullopt, 376},
  };
  for (const auto& c : cases) {
    BugDialog b;
    if (c.report) b.view.text = *c.report;
    b.p.sys.clipboard.failAll = c.clipboardFails;
    b.dia.OKButton_Click();
    EXPECT_EQ(b.p.sys.shell.opened, c.opened ? std::vector<Text>{*c.opened} : std::vector<Text>{}) << c.notice;
    for (const Text& link : b.p.sys.shell.opened) EXPECT_LE(link.size(), kMaxShellTarget);
    EXPECT_EQ(b.view.notices, c.notice ? std::vector<Text>{b.p.app->str(c.notice)} : std::vector<Text>{});
    EXPECT_TRUE((c.clipboardFails || b.view.text == b.p.sys.clipboard.text));
    EXPECT_EQ(b.view.closed, !c.clipboardFails);
  }
  // The copy button tries once more on a busy clipboard, and skips an empty report.
  BugDialog b;
  b.p.sys.clipboard.busyReads = 1;
  EXPECT_TRUE(b.dia.cmdCopy_Click());
  EXPECT_EQ(b.view.text, b.p.sys.clipboard.text);
  b.p.sys.clipboard.set(u"kept");
  b.view.text.clear();
  EXPECT_FALSE(b.dia.cmdCopy_Click());
  EXPECT_EQ(u"kept", b.p.sys.clipboard.text);
}

class FakeAboutView : public AboutView {
 public:
  std::vector<Text> notices, credits;
  void setTexts(const AboutTexts&) override {}
  void setCredits(const Text& t) override {
    if (!t.empty() && t[0] != u'+') credits.push_back(t);
  }
  void setTimer(AboutTimer, bool) override {}
  bool layeringSupported() override { return true; }
  void setAlpha(int) override {}
  void makeOpaque() override {}
  void notice(const Text& t) override { notices.push_back(t); }
  void close() override {}
};

// An about box open on a program run.
struct About {
  FakeMachine machine;
  FakeAboutView view;
  FrmAbout frm;
  explicit About(App& app) : frm(app, view, machine) {
    frm.load();
    frm.activate();
  }
};

TEST(AboutBox, SystemInformationTriesBothPlacesThenSaysItIsMissingLinksOpenAndCreditsSpeakTheLanguage) {
  const Text path = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH";
  const Text location = u"SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO";
  struct Case { bool hasPath, pathStarts, hasLocation, fileThere; const char16_t* started; };
  const Case cases[] = {
      {true, true, true, true, u"C:\\Tools\\msinfo32.exe"}, {true, false, true, true, u"C:\\Shared\\MSINFO32.EXE"},
      {false, false, true, true, u"C:\\Shared\\MSINFO32.EXE"}, {false, false, true, false, nullptr},
      {false, false, false, false, nullptr},
  };
  // English, so that the German system information message shows it is the same in both.
  Running p({{"LanguageAuto", "False"}, {"LanguageEnglish", "True"}});
  for (const Case& c : cases) {
    About a(*p.app);
    p.sys.files.files.clear();
    if (c.hasPath) a.machine.values[path] = u"C:\\Tools\\msinfo32.exe";
    if (c.pathStarts) a.machine.startable.insert(u"C:\\Tools\\msinfo32.exe");
    if (c.hasLocation) a.machine.values[location] = u"C:\\Shared";
    if (c.fileThere) p.sys.files.files[u"C:\\Shared\\MSINFO32.EXE"] = "";
    a.machine.startable.insert(u"C:\\Shared\\MSINFO32.EXE");
    a.frm.cmdSysInfo_Click();
    EXPECT_EQ(a.machine.started, c.started ? std::vector<Text>{c.started} : std::vector<Text>{});
    // The same German text in both languages, shown although the box is modal.
    EXPECT_EQ(a.view.notices, c.started ? std::vector<Text>{}
                                        : std::vector<Text>{T("Systeminformationen sind momentan nicht verfügbar")});
  }
  // The links open the home page and a new mail.
  About a(*p.app);
  a.frm.labWWW_Click();
  a.frm.labMailto_Click();
  EXPECT_EQ((std::vector<Text>{u"http://www.vornix.example/", u"mailto:support@vornix.example"}), p.sys.shell.opened);
  // The credits: each language shows all 21 lines in its own words.
  std::vector<Text> credits[2];
  for (int english : {0, 1}) {
    Running r({{"LanguageAuto", "False"}, {"LanguageEnglish", english ? "True" : "False"}});
    About a(*r.app);
    for (int tick = 0; tick < 21 * 7; ++tick) a.frm.timThanks_Timer();
    credits[english] = a.view.credits;
    ASSERT_EQ(21u, credits[english].size());
  }
  EXPECT_EQ(u"*** special thanks to ***", credits[1][0]);
  for (const Text& line : credits[0])
    EXPECT_EQ(credits[1].end(), std::find(credits[1].begin(), credits[1].end(), line)) << ustr::toUtf8(line);
}

}  // namespace
}  // namespace vornix::test
