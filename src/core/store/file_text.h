// Texts in files: the system's 8-bit code page where that keeps every character,
// UTF-16LE with a byte-order mark where it does not. Portable.
#pragma once

#include <string>

#include "base/code_page.h"

namespace vornix {

// The bytes to write for `text`: its code-page bytes when they read back as the very
// same text and cannot be mistaken for a byte-order mark; otherwise FF FE and the
// text in UTF-16LE.
std::string encodeFileText(const std::u16string& text, const CodePage& codePage);

// The text of a file's bytes: UTF-16LE or UTF-16BE after their byte-order mark,
// UTF-8 after its mark, the code page otherwise.
std::u16string decodeFileText(const std::string& bytes, const CodePage& codePage);

}  // namespace vornix
