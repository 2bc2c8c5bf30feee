// The text tools of the editor: clean-up, entity, escape and umlaut conversions.
// Pure functions of a text (and the code page where a character's byte matters);
// ClipClass applies them to its own text. Every one is linear in the text length.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/code_page.h"

namespace vornix::transforms {

using Text = std::u16string;
using TextView = std::u16string_view;

Text reformat(TextView text);
Text removeBeginningWS(TextView text);
// One level of e-mail quotation; `citeChar` is not empty (the caller handles that case).
Text unCite(TextView text, TextView citeChar);
Text removeWhiteSpaces(TextView text);
Text removeCrLf(TextView text);
Text removeEmptyRows(TextView text);

// Markup characters (&, <, >, ") to entities and back.
Text transformTagEntity(TextView text, bool toEntity);
// Latin-1 letters and signs to named entities and back (the 98-row table).
Text transformEntity(TextView text, bool toEntity, const CodePage& cp);
Text escape(TextView text, const CodePage& cp);
Text unescape(TextView text, const CodePage& cp);
Text unUmlaut(TextView text);

// The 98 pairs (character, entity) in their fixed order; rows 19 and 98 depend on the code page.
std::vector<std::pair<Text, Text>> entityTable(const CodePage& cp);
// The 4 markup pairs in their fixed order.
const std::vector<std::pair<Text, Text>>& markupTable();

}  // namespace vornix::transforms
