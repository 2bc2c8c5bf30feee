// Small shared helpers of the windows: one-line display of a text, counters,
// paths, files and the shell.
#pragma once

#include <cstddef>
#include <string>

namespace vornix {

using Text = std::u16string;
class App;
struct Rect;

Text shortenText(const Text& text, int maxLen);
// The first `maxLen` characters of a text as one line for a list cell: every tab,
// CR LF pair, lone CR or LF and other control character is one blank, which a
// control draws where it would draw a box for the character itself.
Text flattenLine(const Text& text, size_t maxLen);
Text removeAmpersand(const Text& text);
Text addBackslash(const Text& path);

// Whole content of a file as text: after a byte-order mark in its encoding, else
// as 8-bit text of the code page; "" for a missing or empty file. Other failures
// are reported in the error box.
Text readFile(App& app, const Text& path);
// Removes a file if it exists; failures are reported in the error box.
void deleteFile(App& app, const Text& path);
// The longest target handed to the shell. Wine's shell overruns a stack buffer
// from 997 characters on (measured: 995 opens, 997 crashes the caller), whatever
// the handler; Windows takes URLs up to 2083. Kept well below both.
constexpr std::size_t kMaxShellTarget = 900;
// The shell's default action on a URL, "mailto:" link or file; its result code
// (above 32 on success). A longer target is refused with 0, as the shell does
// when it runs out of memory, instead of being handed to it.
long openWithShell(App& app, const Text& target);

// Moves a rectangle back inside the screen or a monitor of it, which need not start
// at 0, 0 (top-left wins for one larger than the screen).
void keepOnScreen(Rect& window, const Rect& screen);

}  // namespace vornix
