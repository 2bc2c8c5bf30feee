#include "core/app/options.h"

#include <algorithm>
#include <limits>

#include "core/clip/ustr.h"

namespace vornix {

namespace {

using K = OptionKind;

const std::vector<OptionDef> kOptions = {
    {1, u"DblClickEdit", K::Choice, u"True"},
    {2, u"DblClickClip", K::Choice, u"False"},
    {3, u"StartMiniMode", K::Switch, u"0"},
    {4, u"ProtocolMode", K::Switch, u"0"},
    {5, u"StartAutostart", K::Switch, u"0"},
    {6, u"Hotkey", K::Letter, u"C"},
    {7, u"Hotedit", K::Letter, u"E"},
    {8, u"OSDSec", K::Number, u"15"},
    {9, u"DblClickHyperURL", K::Switch, u"0"},
    {10, u"DblClickHyperEMail", K::Switch, u"0"},
    {11, u"OSD", K::Switch, u"0"},
    {12, u"OSDAlign", K::Number, u"2"},
    {13, u"OSDRows", K::Number, u"2"},
    {14, u"RegSave", K::Choice, u"False"},
    {15, u"MiniWindow", K::Switch, u"1"},
    {16, u"HoverSelection", K::Switch, u"0"},
    {17, u"AutoSizeList", K::Switch, u"1"},
    {18, u"Opacity", K::Number, u"0"},
    {19, u"ProtocolQuant", K::Choice, u"True"},
    {20, u"ProtocolDate", K::Choice, u"False"},
    {21, u"LimitSize", K::Switch, u"1"},
    {22, u"LimitSizeKB", K::Number, u"1024"},
    {23, u"QuestionQuit", K::Switch, u"1"},
    {24, u"QuestionClipOpen", K::Switch, u"0"},
    {25, u"LanguageAuto", K::Choice, u"True"},
    {26, u"LanguageGerman", K::Choice, u"False"},
    {27, u"LanguageEnglish", K::Choice, u"False"},
    {32, u"TextClipboard", K::Switch, u"1"},
    {33, u"TextKeystroke", K::Switch, u"0"},
    {34, u"HotmenuClipboard", K::Switch, u"1"},
    {35, u"HotmenuKeystroke", K::Switch, u"0"},
    {36, u"Hotmenu", K::Letter, u"V"},
    {37, u"LimitKeystroke", K::Number, u"256"},
    {38, u"LimitKeystrokeQuestion", K::Switch, u"1"},
};

const std::vector<int> kLoadOrder = {1,  2,  9,  10, 17, 16, 14, 3,  4,  19, 20, 23, 24, 5,  11, 12,
                                     13, 8,  21, 22, 38, 37, 15, 18, 6,  7,  36, 32, 33, 34, 35};

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
