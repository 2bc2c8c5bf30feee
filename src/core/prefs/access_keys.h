// Access keys of captions, for the windows and for the checks that walk them. Portable: no Windows header.
#pragma once

#include <string>
#include <vector>

namespace vornix {

using Text = std::u16string;

// The key after the single "&" of a caption ("&&" is a plain ampersand), upper
// case as the system compares it; 0 when the caption has none.
char16_t accessKey(const Text& caption);

// One line per key that two captions of one window (or one menu level) share:
// "P: &protect entry | OK and Co&py". Empty when every key is unique.
std::vector<Text> accessKeyCollisions(const std::vector<Text>& captions);

}  // namespace vornix
