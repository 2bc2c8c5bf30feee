#include "core/prefs/localisation.h"

#include <algorithm>
#include <iterator>

#include "base/ustr.h"
#include "core/app/app.h"

namespace vornix {

namespace {

struct StringPair {
  int number;
  const char16_t* english;
  const char16_t* german;
};

const StringPair kStrings[] = {
#include "core/prefs/string_table.inc"
};

const StringPair* findString(int german) {
  auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), german,
                             [](const StringPair& p, int n) { return p.number < n; });
  return (it != std::end(kStrings) && it->number == german) ? it : nullptr;
}

}  // namespace

Text stringText(int number) {
  const bool english = number > 1000;
  const StringPair* p = findString(english ? number - 1000 : number);
  if (!p) return Text();
  return english ? p->english : p->german;
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
