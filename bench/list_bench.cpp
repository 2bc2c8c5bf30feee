// Filing into a full list, saving a full list, and loading it at start, on the fake
// settings store with real side files in a temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "../tests/core/fixture.h"

namespace vornix::test {

namespace {

struct BenchProgram {
  std::string folder;
  fake::DiskFiles disk;
  fake::FakePlatform sys;
  App app;
  FakeView view;
  FrmVornix frm;

  explicit BenchProgram(const std::string& dir, const fake::FakeStore* store = nullptr)
      : folder(dir), disk(dir), app(services()), frm(app, view) {
    if (store) sys.store = *store;
    sys.store.values[u"ProtocolMode"] = u"1";
    app.startupFlag = true;
    selectLanguage(app);
    frm.load();
  }
  Services services() {
    Services s = sys.services();
    return Services{s.clipboard, s.chain, s.store, disk, s.clock, s.locale, s.boxes, s.shell, s.codePage};
  }
};

std::string tempFolder(const char* name) {
  auto dir = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

// Ten entries of 1,048,576 characters (used often, so they stay) and forty of 200.
void fillFull(BenchProgram& p) {
  for (int i = 0; i < 10; ++i)
    p.frm.addListItem(Text(1048576, static_cast<char16_t>(u'a' + i)), false, false, 40000 + i + 0.5, 100);
  for (int i = 0; i < 40; ++i)
    p.frm.addListItem(u"short entry " + ustr::fromInt(i) + Text(185, u'.'), false, false, 40100 + i + 0.5, 1);
}

}  // namespace

static void BM_FileIntoFullList(benchmark::State& state) {
  BenchProgram p(tempFolder("vornix-bench-file"));
  fillFull(p);
  long n = 0;
  for (auto _ : state) p.frm.addListItem(u"new capture " + ustr::fromInt(n++), false, true);
  benchmark::DoNotOptimize(p.frm.rows().count());
}
BENCHMARK(BM_FileIntoFullList)->Unit(benchmark::kMicrosecond);

static void BM_SaveRegUnchangedLargeEntries(benchmark::State& state) {
  BenchProgram p(tempFolder("vornix-bench-save"));
  fillFull(p);
  p.app.options.setOption(14, true);
  p.frm.saveReg();
  for (auto _ : state) p.frm.saveReg();
}
BENCHMARK(BM_SaveRegUnchangedLargeEntries)->Unit(benchmark::kMillisecond);

static void BM_CaptureWithRegSaveIntoFullList(benchmark::State& state) {
  BenchProgram p(tempFolder("vornix-bench-capture"));
  fillFull(p);
  p.app.options.setOption(14, true);
  p.frm.saveReg();
  long n = 0;
  for (auto _ : state) p.frm.addListItem(u"new capture " + ustr::fromInt(n++), false, true);
}
BENCHMARK(BM_CaptureWithRegSaveIntoFullList)->Unit(benchmark::kMillisecond);

static void BM_LoadFullListAtStart(benchmark::State& state) {
  const std::string dir = tempFolder("vornix-bench-load");
  fake::FakeStore stored;
  {
    BenchProgram p(dir);
    fillFull(p);
    p.frm.saveReg();
    stored = p.sys.store;
  }
  for (auto _ : state) {
    BenchProgram p(dir, &stored);
    benchmark::DoNotOptimize(p.frm.rows().count());
    if (p.frm.rows().count() != 50) state.SkipWithError("list did not load");
  }
}
BENCHMARK(BM_LoadFullListAtStart)->Unit(benchmark::kMillisecond);

}  // namespace vornix::test
