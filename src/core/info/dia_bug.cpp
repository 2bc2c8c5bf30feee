#include "core/info/dia_bug.h"

#include <iterator>

#include "base/ustr.h"
#include "core/app/twips.h"
#include "core/clip/clip_class.h"
#include "core/clip/helpers.h"
#include "core/info/maker.h"

namespace vornix {

namespace {

constexpr char16_t kCrLf[] = u"\r\n";

constexpr char16_t kHeader[] = u"Your Bug-Report / Ihre Fehlermeldung:";
// Where the user starts writing: line 3, after the header and two line ends.
constexpr size_t kDescriptionLine = std::size(kHeader) - 1 + 2 * 2;

// Label and option key of the option lines, in report order.
struct OptionLine {
  const char16_t* label;
  int key;
};
constexpr OptionLine kOptionLines[] = {
    {u"DblClickEdit: ", kDblClickEdit},
    {u"DblClickClip: ", kDblClickClip},
    {u"DblClickHyperURL: ", kDblClickHyperURL},
    {u"DblClickHyperEMail: ", kDblClickHyperEMail},
    {u"AutoSizeList: ", kAutoSizeList},
    {u"HoverSelection: ", kHoverSelection},
    {u"RegSave: ", kRegSave},
    {u"StartMiniMode: ", kStartMiniMode},
    {u"ProtocolMode: ", kProtocolMode},
    {u"ProtocolQuant: ", kProtocolQuant},
    {u"ProtocolDate: ", kProtocolDate},
    {u"QuestionQuit: ", kQuestionQuit},
    {u"LanguageAuto: ", kLanguageAuto},
    {u"LanguageGerman: ", kLanguageGerman},
    {u"LanguageEnglish: ", kLanguageEnglish},
    {u"Hotkey: ", kHotkey},
    {u"Hotedit: ", kHotedit},
};
constexpr OptionLine kLaterOptionLines[] = {
    {u"StartAutostart: ", kStartAutostart},
    {u"MiniWindow: ", kMiniWindow},
    {u"Opacity: ", kOpacity},
    {u"OSD: ", kOSD},
    {u"OSDAlign: ", kOSDAlign},
    {u"OSDRows: ", kOSDRows},
    {u"OSDSec: ", kOSDSec},
    {u"LimitSize: ", kLimitSize},
    {u"LimitSizeKB: ", kLimitSizeKB},
    {u"LimitKeystroke: ", kLimitKeystroke},
    {u"LimitKeystrokeQuestion: ", kLimitKeystrokeQuestion},
    {u"Hotmenu: ", kHotmenu},
    {u"Hotmenu-Clipboard: ", kHotmenuClipboard},
    {u"Hotmenu-Keystroke: ", kHotmenuKeystroke},
};

Text num(long long n) { return ustr::fromInt(n); }
Text boolText(bool b) { return b ? u"True" : u"False"; }

Text platformName(long id) {
  switch (id) {
    case 0: return u"Win32s";
    case 1: return u"Windows 95/98/ME";
    case 2: return u"Windows NT/2000/XP";
    default: return Text();
  }
}

}  // namespace

MainFacts mainFacts(FrmVornix& frm, MainView& view) {
  MainFacts facts;
  facts.window = view.windowRect();
  facts.sortKey = frm.rows().sortKey();
  facts.sortOrder = frm.rows().sortOrder();
  facts.topMost = view.topMostChecked();
  facts.entryCount = frm.rows().count();
  return facts;
}

Text bugReportText(const App& app, platform::Machine& machine, const MainFacts& facts) {
  Text out;
  auto line = [&out](const Text& text) {
    out += text;
    out += kCrLf;
  };
  auto stored = [&app](const char16_t* name) {
    auto value = app.sys.store.read(name);
    return value ? *value : Text();
  };
  const int dpi = app.screenDpi;
  auto twips = [dpi](long pixels) { return num(pixelsToTwips(pixels, dpi)); };

  line(kHeader);
  line(Text());
  line(Text());
  line(Text());
  line(u"Settings:");
  line(Text());
  line(u"Version:\t" + Text(kProgramTitle) + u" (" + Text(kProgramVersion) + u")");
  const platform::SystemVersion v = machine.version();
  line(u"Platform:\t" + platformName(v.platformId) + u" " + num(v.major) + u"." + num(v.minor) + u" build " +
       num(v.build));
  const platform::WorkArea area = machine.workArea();
  line(u"Area:\tt:" + twips(area.top) + u" l:" + twips(area.left) + u" w:" + twips(area.width) + u" h:" +
       twips(area.height));
  line(u"MWinLeft: " + stored(u"MMwinLeft"));
  line(u"MWinTop: " + stored(u"MMwinTop"));
  line(u"winLeft: " + twips(facts.window.left));
  line(u"winTop: " + twips(facts.window.top));
  line(u"winWidth: " + twips(facts.window.width));
  line(u"winHeight: " + twips(facts.window.height));
  line(u"SortKey: " + num(facts.sortKey));
  line(u"SortOrder: " + num(facts.sortOrder == 0 ? 0 : 1));
  line(u"winTopMost: " + num(facts.topMost ? 1 : 0));
  for (const OptionLine& o : kOptionLines) line(o.label + app.options.text(o.key));
  const HotkeySettings& h = app.hotkeys;
  line(u"HotkeyBol: " + boolText(h.hotkeyBol));
  line(u"HoteditBol: " + boolText(h.hoteditBol));
  line(u"HotmenuBol: " + boolText(h.hotmenuBol));
  line(u"TextkeyBol: " + boolText(h.textkeyBol));
  line(u"HotkeyMOD: " + num(h.hotkeyMod));
  line(u"HoteditMOD: " + num(h.hoteditMod));
  line(u"HotmenuMOD: " + num(h.hotmenuMod));
  line(u"TextHotkeyMOD: " + num(h.textHotkeyMod));
  for (const OptionLine& o : kLaterOptionLines) line(o.label + app.options.text(o.key));
  line(u"CiteChar: " + app.citeChar);
  line(u"ImportFile: " + app.importFile);
  line(u"ExportFile: " + app.exportFile);
  line(u"EntryCount: " + num(facts.entryCount));
  return out;
}

void DiaBug::load(platform::Machine& machine, const MainFacts& facts) {
  app_.modalOpen = true;
  view_.showReport(bugReportText(app_, machine, facts), kDescriptionLine);
}

bool DiaBug::cmdCopy_Click() {
  const Text report = view_.report();
  if (report.empty()) return false;
  platform::Clipboard& clipboard = app_.sys.clipboard;
  if (clipboard.writeText(report) == platform::ClipStatus::Ok) return true;
  // Another program may hold the clipboard for a moment: one more try when the user wants it.
  if (app_.askQuestion(app_.str(kStrCantOpenClipboard), 1) != 1) return false;
  return clipboard.writeText(report) == platform::ClipStatus::Ok;
}

void DiaBug::OKButton_Click() {
  const bool copied = cmdCopy_Click();
  ClipClass clip(app_.sys.codePage);
  clip.setClipText(view_.report());
  const Text mail = u"mailto:" + Text(kSupportMail) + u"?subject=Vornix-Bug-Report";
  const Text link = mail + u"&body=" + clip.Escape();
  if (link.size() <= kMaxMailLink) {
    openWithShell(app_, link);
    view_.close();
    return;
  }
  // The shell would cut a longer link, and the mail would arrive without its end.
  if (!copied) {
    // The text the user wrote is only in this window: it stays open.
    view_.notice(app_.str(kStrTooLongNotCopied));
    return;
  }
  view_.notice(app_.str(kStrTooLongCopied));
  openWithShell(app_, mail);
  view_.close();
}

}  // namespace vornix
