// Small operations on 16-bit text, under both the platform and the core.
// Portable: no Windows header, no platform call.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornix::ustr {

using Text = std::u16string;
using TextView = std::u16string_view;

// Plain ASCII/Latin-1 literal or UTF-8 source text to 16-bit text.
Text fromUtf8(std::string_view s);
std::string toUtf8(TextView s);

// Replaces every non-overlapping occurrence of `from`, left to right, in one pass.
// Linear in the length of `s`.
Text replaceAll(TextView s, TextView from, TextView to);
// Same, but letters of `from` match regardless of case (ASCII and Latin-1 letters).
Text replaceAllNoCase(TextView s, TextView from, TextView to);

// The longest start (end) of `s` of at most `max` units that keeps every character
// whole: a surrogate pair is taken or left as one, never cut in two.
Text head(TextView s, size_t max);
Text tail(TextView s, size_t max);

// Removes leading and trailing spaces (code 32 only).
Text trimSpaces(TextView s);
Text trimRightSpaces(TextView s);

char16_t toLower(char16_t c);
char16_t toUpper(char16_t c);
Text lower(TextView s);
Text upper(TextView s);

bool equalsNoCase(TextView a, TextView b);
bool startsWith(TextView s, TextView prefix);
bool endsWith(TextView s, TextView suffix);

Text fromInt(long long n);
// `number` in at least `width` digits, zeros in front.
Text zeroPad(long long number, int width);
// Whole text as a decimal integer (surrounding spaces allowed); false when it is not one
// or does not fit into [minValue, maxValue].
bool parseInt(TextView s, long long minValue, long long maxValue, long long& out);
// Whole text as a finite decimal number, with "." or the locale's "," as separator.
bool parseNumber(TextView s, double& out);

}  // namespace vornix::ustr
