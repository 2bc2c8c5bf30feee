// Any damaged store and side files: the start never crashes or meets undefined
// behaviour, and what it loaded comes back whole after a save and a restart.
#include <algorithm>
#include <cstdlib>

#include "fixture.h"
#include "fuzz_input.h"

using namespace vornix;

namespace {

std::vector<Text> storeNames() {
  std::vector<Text> names = {u"winLeft", u"winTop", u"winWidth", u"winHeight", u"SortKey", u"SortOrder",
                             u"winTopMost", u"HotkeyBol", u"HoteditBol", u"TextkeyBol", u"HotmenuBol",
                             u"HotkeyMOD", u"HoteditMOD", u"TextHotkeyMOD", u"HotmenuMOD", u"CiteChar",
                             u"EntryCount"};
  for (const OptionDef& def : optionDefs()) names.push_back(def.name);
  for (int n = 0; n < 52; ++n)
    for (const char16_t* family : {u"Entry", u"EntrySel", u"EntryDate", u"EntryQuant"})
      names.push_back(family + ustr::fromInt(n));
  return names;
}

std::vector<Text> sorted(std::vector<Text> v) {
  std::sort(v.begin(), v.end());
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  static const std::vector<Text> names = storeNames();
  fuzz::Input in(data, size);
  test::Program p;
  while (!in.done()) {
    const unsigned what = in.byte();
    if (what < 200) {
      p.sys.store.values[names[(what << 8 | in.byte()) % names.size()]] = in.text(24);
    } else if (what < 230) {
      // A side file, readable or not, beside the program.
      const Text path = u"C:\\Vornix\\bigfile" + ustr::fromInt(in.byte() % 52) + u".txt";
      const Text content = in.text(40);
      p.sys.files.files[path] = std::string(reinterpret_cast<const char*>(content.data()), content.size() * 2);
      if (what & 1) p.sys.files.unreadable.insert(path);
    } else {
      p.sys.store.values[u"Entry" + ustr::fromInt(in.byte() % 52)] =
          u"<BIGFILE>C:\\Vornix\\bigfile" + ustr::fromInt(in.byte() % 52) + u".txt</BIGFILE>";
    }
  }
  p.start();
  const std::vector<Text> loaded = sorted(p.texts());
  p.restart();
  if (sorted(p.texts()) != loaded) std::abort();
  return 0;
}
