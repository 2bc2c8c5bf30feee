#include "core/prefs/localisation.h"

#include "base/ustr.h"
#include "core/app/app.h"

namespace vornix {

namespace {

struct StringPair {
  int number;
  const char* english;
  const char* german;
};

constexpr StringPair kStrings[] = {
#include "core/prefs/string_table.inc"
};

// The table is kept in the order its texts were written, not by number: the
// lookup walks it, and the build refuses a number given twice.
constexpr bool numbersUnique() {
  for (const StringPair& a : kStrings) {
    int seen = 0;
    for (const StringPair& b : kStrings) seen += a.number == b.number;
    if (seen != 1) return false;
  }
  return true;
}
static_assert(numbersUnique(), "a string number is given twice");

const StringPair* findString(int german) {
  for (const StringPair& p : kStrings)
    if (p.number == german) return &p;
  return nullptr;
}

}  // namespace

Text stringText(int number) {
  const bool english = number > 1000;
  const StringPair* p = findString(english ? number - 1000 : number);
  if (!p) return Text();
  return ustr::fromUtf8(english ? p->english : p->german);
}

namespace {

// A text cut into its lines (at tabs, line breaks and the tables' "\n"), without
// access-key marks and surrounding spaces.
std::vector<Text> shownLines(const Text& text) {
  std::vector<Text> lines;
  Text plain = ustr::replaceAll(ustr::replaceAll(text, u"\\n", u"\n"), u"&&", u"\x01");
  plain = ustr::replaceAll(ustr::replaceAll(plain, u"&", u""), u"\x01", u"&");
  Text line;
  for (char16_t c : plain + u"\n") {
    if (c != u'\t' && c != u'\r' && c != u'\n') {
      line.push_back(c);
      continue;
    }
    line = ustr::trimSpaces(line);
    if (!line.empty()) lines.push_back(line);
    line.clear();
  }
  return lines;
}

bool inTable(bool english, const Text& line) {
  for (const StringPair& p : kStrings)
    for (const Text& l : shownLines(ustr::fromUtf8(english ? p.english : p.german)))
      if (l == line) return true;
  return false;
}

}  // namespace

Text foreignText(int languageOffset, const Text& shown) {
  const bool english = languageOffset != 0;
  // The control key's name as each language writes it ("Ctrl +" / "Strg +").
  const Text otherCtrl = ustr::trimSpaces(ustr::replaceAll(stringText(english ? kStrCtrl : kStrCtrl + 1000), u"+", u""));
  for (const Text& line : shownLines(shown)) {
    if (line.compare(0, otherCtrl.size() + 1, otherCtrl + u"+") == 0) return line;
    if (inTable(!english, line) && !inTable(english, line)) return line;
  }
  return Text();
}

bool hasString(int number) { return findString(number > 1000 ? number - 1000 : number) != nullptr; }

void selectLanguage(App& app) {
  static const int kKeys[] = {kLanguageAuto, kLanguageGerman, kLanguageEnglish};
  for (int key : kKeys) {
    const OptionDef* def = optionDef(key);
    auto stored = app.sys.store.read(def->name);
    app.options.add(key, stored ? *stored : Text(def->defaultValue));
  }
  // A value that is no boolean does not count as true here: that step is skipped.
  auto isTrue = [&app](int key) {
    const Text v = ustr::trimSpaces(app.options.text(key));
    return ustr::equalsNoCase(v, u"True") || v == u"-1";
  };
  if (isTrue(kLanguageGerman)) app.languageOffset = 0;
  if (isTrue(kLanguageEnglish)) app.languageOffset = 1000;
  if (isTrue(kLanguageAuto)) app.languageOffset = (app.sys.locale.systemLanguage() & 0xFF) == 7 ? 0 : 1000;
}

Text formatMessage(const std::vector<Text>& values) {
  if (values.empty()) return Text();
  // One pass over the template only: an inserted value (a file path such as
  // "C:\new\x.txt", or a text holding "|2") is shown as it is, never re-read.
  const Text& t = values[0];
  Text s;
  s.reserve(t.size());
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] == u'|' && i + 1 < t.size() && t[i + 1] >= u'1' && t[i + 1] <= u'9' &&
        static_cast<size_t>(t[i + 1] - u'0') < values.size()) {
      s += values[t[i + 1] - u'0'];
      ++i;
    } else if (t[i] == u'\\' && i + 1 < t.size() && t[i + 1] == u'n') {
      s += u"\r\n";
      ++i;
    } else {
      s.push_back(t[i]);
    }
  }
  return s;
}

}  // namespace vornix
