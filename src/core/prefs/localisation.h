// The German and English string tables, the language choice and the message formatter.
#pragma once

#include <string>
#include <vector>

namespace vornix {

using Text = std::u16string;
class App;

// The string of a number in the tables (German n, English n + 1000); "" when none.
Text stringText(int number);
bool hasString(int number);

// Reads the three language options into the table and sets the language offset.
void selectLanguage(App& app);

// The line of `shown` (lines end at tabs and line breaks) that only the other
// language uses: a string of the other table that this language says otherwise,
// or a shortcut with the other language's name of the control key. "" when every
// line is of the language of `languageOffset` or of neither (entries, names).
Text foreignText(int languageOffset, const Text& shown);

// values[0] is the template; "|1", "|2", ... take values[1], values[2], ...;
// "\n" (backslash, n) becomes CR LF.
Text formatMessage(const std::vector<Text>& values);

}  // namespace vornix
