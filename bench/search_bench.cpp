// Find as you type: one keystroke's filter over a full list, the way the main
// list and the hot menu run it (a new query, every row's key asked once). The
// keys are made when a row is first searched; that first time is measured apart.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "base/ustr.h"
#include "core/list/search.h"

namespace vornix {

namespace {

constexpr char16_t kFiller[] = u"Lorem ipsum dolor sit amet, consectetur adipiscing elit; Straße über Café\r\n";

// 50 entries; with `big`, ten of them 1,048,576 characters of running text.
EntryRows fullList(bool big) {
  EntryRows rows;
  for (int i = 0; i < EntryRows::kCapacity; ++i) {
    Row row;
    Text text = u"Entry " + ustr::fromInt(i) + u": Rechnung Nr. " + ustr::fromInt(1000 + i) + u" an Müller GmbH";
    if (big && i % 5 == 0) {
      text.reserve(1048576 + 100);
      while (text.size() < 1048576) text += kFiller;
    }
    row.cells[kColContent] = std::move(text);
    row.cells[kColDateSort] = ustr::fromInt(20240101000000LL + i);
    rows.append(std::move(row));
  }
  return rows;
}

// The search text after each keystroke of `typed`.
std::vector<Text> keystrokes(const Text& typed) {
  std::vector<Text> out;
  for (size_t n = 1; n <= typed.size(); ++n) out.push_back(typed.substr(0, n));
  return out;
}

int filter(const EntryRows& rows, SearchIndex& index, const Text& search) {
  const SearchQuery query(search);
  int found = 0;
  for (const Row& row : rows.rows()) found += query.matches(index.key(row)) ? 1 : 0;
  return found;
}

// One keystroke, the keys made already: the argument picks what is typed.
void keystroke(benchmark::State& state, bool big, const Text& typed) {
  const EntryRows rows = fullList(big);
  SearchIndex index;
  filter(rows, index, u"x");
  const std::vector<Text> steps = keystrokes(typed);
  size_t step = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(filter(rows, index, steps[step]));
    step = (step + 1) % steps.size();
  }
}

// "mueller 1042": found in one short entry; the big ones are ruled out by their pair tables.
void BM_KeystrokeTenBigEntries(benchmark::State& state) { keystroke(state, true, u"muller 1042"); }
BENCHMARK(BM_KeystrokeTenBigEntries)->Unit(benchmark::kMicrosecond);

// "dolit": every pair of its letters is in the running text, the word is not:
// the ten megabytes are read in full at every keystroke (the worst case).
void BM_KeystrokeTenBigEntriesReadInFull(benchmark::State& state) { keystroke(state, true, u"dolit"); }
BENCHMARK(BM_KeystrokeTenBigEntriesReadInFull)->Unit(benchmark::kMicrosecond);

// Found in the big entries near their start.
void BM_KeystrokeTenBigEntriesFoundEarly(benchmark::State& state) { keystroke(state, true, u"strasse cafe"); }
BENCHMARK(BM_KeystrokeTenBigEntriesFoundEarly)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeShortEntries(benchmark::State& state) { keystroke(state, false, u"muller 1042"); }
BENCHMARK(BM_KeystrokeShortEntries)->Unit(benchmark::kMicrosecond);

// The first keystroke of the first search: every key is made.
void BM_FirstKeystrokeMakesTheKeys(benchmark::State& state) {
  const EntryRows rows = fullList(true);
  for (auto _ : state) {
    SearchIndex index;
    benchmark::DoNotOptimize(filter(rows, index, u"m"));
  }
}
BENCHMARK(BM_FirstKeystrokeMakesTheKeys)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace vornix
