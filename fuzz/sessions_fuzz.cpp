// Random sessions of captures, copies, edits, deletions, saves, saves killed half-way
// and restarts: no text that was saved is ever missing after a restart, unless the
// user removed it since.
#include <algorithm>
#include <cstdlib>
#include <set>

#include "fixture.h"
#include "fuzz_input.h"

using namespace vornix;

namespace {

using Texts = std::set<Text>;

Texts textsOf(const test::Program& p) {
  const std::vector<Text> v = p.texts();
  return Texts(v.begin(), v.end());
}

Text sample(unsigned pick) {
  static const Text unicode = test::T("Grüße – naïve café € 中文 Ελληνικά 😀");
  switch (pick % 8) {
    case 0: return Text(16384 + pick, u'L');
    case 1: return unicode + ustr::fromInt(pick);
    case 2: return Text(u"nul\0", 4) + ustr::fromInt(pick);
    case 3: return u"<BIGFILE>C:\\Vornix\\bigfile" + ustr::fromInt(pick % 5) + u".txt</BIGFILE>";
    case 4: return ustr::fromInt(pick % 7);
    default: return (pick & 1 ? u"Text " : u"TEXT ") + ustr::fromInt(pick % 61);
  }
}

void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  auto p = std::make_unique<test::Program>();
  p->set("ProtocolMode", "1");
  p->start();
  Texts saved;  // what the store holds after the last complete save
  while (!in.done()) {
    const unsigned op = in.byte(), arg = in.byte();
    auto& frm = *p->frm;
    const int count = frm.rows().count();
    switch (op % 10) {
      case 0:
      case 1: p->copy(sample(arg)); break;
      case 2: if (count) frm.CopyItem(static_cast<int>(arg % count)); break;
      case 3: if (count) { frm.selectEntry(static_cast<int>(arg % count)); frm.changeEntry(sample(arg >> 1), arg & 1); } break;
      case 4: if (count) { frm.lvItems_Select(static_cast<int>(arg % count)); frm.tbMain_ButtonClick(arg & 1 ? 9 : 4); } break;
      case 5: if (count) frm.lvItems_ItemCheck(static_cast<int>(arg % count), arg & 1); break;
      case 6:
        frm.saveReg();
        if (!p->sys.files.failWrites && p->sys.files.readOnly.empty()) saved = textsOf(*p);
        break;
      case 7: {
        // Killed while saving: the next start has every saved text still listed.
        const Texts current = textsOf(*p);
        p->sys.store.killAfter = static_cast<int>(arg % 40);
        try {
          frm.saveReg();
        } catch (const fake::Killed&) {
        }
        p->sys.store.killAfter = -1;
        auto next = std::make_unique<test::Program>();
        next->sys.store = p->sys.store;
        next->sys.files = p->sys.files;
        p = std::move(next);
        p->start();
        const Texts loaded = textsOf(*p);
        for (const Text& t : saved)
          if (current.count(t)) check(loaded.count(t) != 0);
        saved = loaded;
        break;
      }
      case 8:
        p->sys.files.readOnly.clear();
        if (arg & 1) p->sys.files.readOnly.insert(u"C:\\Vornix");
        break;
      default: {
        // A normal quit and start: the list comes back as it was.
        const Texts current = textsOf(*p);
        const bool writable = !p->sys.files.failWrites;
        p->restart();
        if (writable) check(textsOf(*p) == current);
        saved = textsOf(*p);
        break;
      }
    }
  }
  return 0;
}
