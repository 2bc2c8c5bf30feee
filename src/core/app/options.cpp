#include "core/app/options.h"

#include <algorithm>
#include <limits>

#include "base/ustr.h"

namespace vornix {

namespace {

using K = OptionKind;

const std::vector<OptionDef> kOptions = {
    {kDblClickEdit, u"DblClickEdit", K::Choice, u"True"},
    {kDblClickClip, u"DblClickClip", K::Choice, u"False"},
    {kStartMiniMode, u"StartMiniMode", K::Switch, u"0"},
    {kProtocolMode, u"ProtocolMode", K::Switch, u"0"},
    {kStartAutostart, u"StartAutostart", K::Switch, u"0"},
    {kHotkey, u"Hotkey", K::Letter, u"C"},
    {kHotedit, u"Hotedit", K::Letter, u"E"},
    {kOSDSec, u"OSDSec", K::Number, u"15"},
    {kDblClickHyperURL, u"DblClickHyperURL", K::Switch, u"0"},
    {kDblClickHyperEMail, u"DblClickHyperEMail", K::Switch, u"0"},
    {kOSD, u"OSD", K::Switch, u"0"},
    {kOSDAlign, u"OSDAlign", K::Number, u"2"},
    {kOSDRows, u"OSDRows", K::Number, u"2"},
    {kRegSave, u"RegSave", K::Choice, u"False"},
    {kMiniWindow, u"MiniWindow", K::Switch, u"1"},
    {kHoverSelection, u"HoverSelection", K::Switch, u"0"},
    {kAutoSizeList, u"AutoSizeList", K::Switch, u"1"},
    {kOpacity, u"Opacity", K::Number, u"0"},
    {kProtocolQuant, u"ProtocolQuant", K::Choice, u"True"},
    {kProtocolDate, u"ProtocolDate", K::Choice, u"False"},
    {kLimitSize, u"LimitSize", K::Switch, u"1"},
    {kLimitSizeKB, u"LimitSizeKB", K::Number, u"1024"},
    {kQuestionQuit, u"QuestionQuit", K::Switch, u"1"},
    {kQuestionClipOpen, u"QuestionClipOpen", K::Switch, u"0"},
    {kLanguageAuto, u"LanguageAuto", K::Choice, u"True"},
    {kLanguageGerman, u"LanguageGerman", K::Choice, u"False"},
    {kLanguageEnglish, u"LanguageEnglish", K::Choice, u"False"},
    {kTextClipboard, u"TextClipboard", K::Switch, u"1"},
    {kTextKeystroke, u"TextKeystroke", K::Switch, u"0"},
    {kHotmenuClipboard, u"HotmenuClipboard", K::Switch, u"1"},
    {kHotmenuKeystroke, u"HotmenuKeystroke", K::Switch, u"0"},
    {kHotmenu, u"Hotmenu", K::Letter, u"V"},
    {kLimitKeystroke, u"LimitKeystroke", K::Number, u"256"},
    {kLimitKeystrokeQuestion, u"LimitKeystrokeQuestion", K::Switch, u"1"},
};

const std::vector<int> kLoadOrder = {
    kDblClickEdit, kDblClickClip, kDblClickHyperURL, kDblClickHyperEMail, kAutoSizeList,
    kHoverSelection, kRegSave, kStartMiniMode, kProtocolMode, kProtocolQuant, kProtocolDate,
    kQuestionQuit, kQuestionClipOpen, kStartAutostart, kOSD, kOSDAlign, kOSDRows, kOSDSec, kLimitSize,
    kLimitSizeKB, kLimitKeystrokeQuestion, kLimitKeystroke, kMiniWindow, kOpacity, kHotkey, kHotedit,
    kHotmenu, kTextClipboard, kTextKeystroke, kHotmenuClipboard, kHotmenuKeystroke,
};

// -1 when the text is no boolean.
int parseBool(const Text& t) {
  Text s = ustr::trimSpaces(t);
  if (ustr::equalsNoCase(s, u"True")) return 1;
  if (ustr::equalsNoCase(s, u"False")) return 0;
  long long n = 0;
  if (ustr::parseInt(s, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), n)) return n != 0;
  return -1;
}

bool toNumber(const OptionValue& v, long& out) {
  if (auto b = std::get_if<bool>(&v)) { out = *b ? -1 : 0; return true; }
  if (auto i = std::get_if<std::int16_t>(&v)) { out = *i; return true; }
  if (auto i = std::get_if<std::int32_t>(&v)) { out = *i; return true; }
  const Text& t = std::get<Text>(v);
  long long n = 0;
  if (ustr::parseInt(t, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), n)) {
    out = static_cast<long>(n);
    return true;
  }
  // "True" and "False" convert to numbers too (-1 and 0).
  int b = parseBool(t);
  if (b < 0) return false;
  out = b ? -1 : 0;
  return true;
}

}  // namespace

const std::vector<OptionDef>& optionDefs() { return kOptions; }

const OptionDef* optionDef(int key) {
  auto it = std::find_if(kOptions.begin(), kOptions.end(), [key](const OptionDef& d) { return d.key == key; });
  return it == kOptions.end() ? nullptr : &*it;
}

const std::vector<int>& optionLoadOrder() { return kLoadOrder; }

Text optionText(const OptionValue& value) {
  if (auto b = std::get_if<bool>(&value)) return *b ? u"True" : u"False";
  if (auto i = std::get_if<std::int16_t>(&value)) return ustr::fromInt(*i);
  if (auto i = std::get_if<std::int32_t>(&value)) return ustr::fromInt(*i);
  return std::get<Text>(value);
}

void OptionTable::add(int key, OptionValue value) { values_.emplace(key, std::move(value)); }

void OptionTable::setOption(int key, OptionValue value) {
  values_.erase(key);
  values_.emplace(key, std::move(value));
}

OptionValue OptionTable::get(int key) const {
  auto it = values_.find(key);
  if (it != values_.end()) return it->second;
  const OptionDef* def = optionDef(key);
  return Text(def ? def->defaultValue : u"");
}

long OptionTable::number(int key) const {
  long n = 0;
  if (toNumber(get(key), n)) return n;
  const OptionDef* def = optionDef(key);
  if (def && toNumber(Text(def->defaultValue), n)) return n;
  return 0;
}

bool OptionTable::isTrue(int key) const {
  OptionValue v = get(key);
  if (auto b = std::get_if<bool>(&v)) return *b;
  if (auto t = std::get_if<Text>(&v)) {
    int b = parseBool(*t);
    if (b >= 0) return b == 1;
    const OptionDef* def = optionDef(key);
    return def && parseBool(def->defaultValue) == 1;
  }
  return number(key) != 0;
}

}  // namespace vornix
