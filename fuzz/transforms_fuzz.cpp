// Every text tool on any text: no crash, no undefined behaviour, and files keep
// every character.
#include <cstdlib>

#include "core/clip/transforms.h"
#include "core/store/file_text.h"
#include "fuzz_input.h"

using namespace vornix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  const unsigned tool = in.byte();
  const std::u16string cite = in.text(3);
  const std::u16string text = in.rest();
  const CodePage& cp = CodePage::windows1252();
  switch (tool % 13) {
    case 0: transforms::reformat(text); break;
    case 1: transforms::removeBeginningWS(text); break;
    case 2: if (!cite.empty()) transforms::unCite(text, cite); break;
    case 3: transforms::removeWhiteSpaces(text); break;
    case 4: transforms::removeCrLf(text); break;
    case 5: transforms::removeEmptyRows(text); break;
    case 6: transforms::transformTagEntity(text, tool & 0x80); break;
    case 7: transforms::transformEntity(text, tool & 0x80, cp); break;
    case 8: transforms::escape(text, cp); break;
    case 9: transforms::unescape(text, cp); break;
    case 10: transforms::unUmlaut(text); break;
    default:
      if (decodeFileText(encodeFileText(text, cp), cp) != text) std::abort();
      break;
  }
  return 0;
}
