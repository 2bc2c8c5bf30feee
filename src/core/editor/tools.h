// The rules of the editor's small tool dialogs, apart from their windows:
// find and replace, characters by code, the quotation character, special characters.
#pragma once

#include <string>
#include <vector>

#include "base/code_page.h"

namespace vornix::tools {

using Text = std::u16string;

// Every non-overlapping occurrence of `find` replaced in one pass from the start;
// letter case ignored unless `matchCase`. Linear in the text length.
Text replaceText(const Text& text, const Text& find, const Text& replace, bool matchCase);

// What a character-code field holds after it is left: 1 to 255, otherwise "9".
Text checkCode(const Text& code);
// What a repeat field holds after it is left: 1 to 80 ("1" or "80" otherwise).
Text checkRepeat(const Text& repeat);
// The character of an (already checked) code in the code page.
Text codeCharacter(const Text& code, const CodePage& cp);

// The quotation character from the dialog's field: spaces trimmed; "" keeps the stored one.
Text citeCharFrom(const Text& field);

// Area 0: special characters (codes 128, 145, 146, 160-255); area 1: codes 32-127.
std::vector<Text> specialCharacters(int area, const CodePage& cp);

}  // namespace vornix::tools
