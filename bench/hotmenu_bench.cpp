// Building the hot menu's lines from a full list of 50 entries, ten of them a
// million characters long: the menu must open at once whatever the list holds.
#include <benchmark/benchmark.h>

#include "base/ustr.h"
#include "core/quick/frm_hotmenu.h"

namespace vornix {

namespace {

EntryRows fullList() {
  EntryRows rows;
  for (int i = 0; i < EntryRows::kCapacity; ++i) {
    Row row;
    Text text = u"Entry " + ustr::fromInt(i) + u"\r\n\twith a second line and some more words to shorten ";
    if (i % 5 == 0) {
      text.reserve(1000000);
      while (text.size() < 1000000) text += u"lorem ipsum dolor sit amet\r\n";
    }
    row.cells[kColContent] = std::move(text);
    row.cells[kColDateSort] = ustr::fromInt(20240101000000LL + i);
    rows.append(std::move(row));
  }
  return rows;
}

void BM_HotmenuLines(benchmark::State& state) {
  const EntryRows rows = fullList();
  const Text clip(1000000, u'c');
  for (auto _ : state) {
    std::vector<HotmenuLine> lines = hotmenuLines(clip, rows);
    benchmark::DoNotOptimize(lines.data());
  }
}
BENCHMARK(BM_HotmenuLines)->Unit(benchmark::kMicrosecond);

}  // namespace

}  // namespace vornix
