// The editor's text tools on large entries: prose with line breaks and umlauts, HTML-like
// markup and quoted e-mail text, mixed in blocks, at 64 K, 1 M and 16 M characters.
// Items per second are characters of the input per second.
// Freed memory is kept for reuse (as a long-running program's heap does): where the
// first touch of fresh memory is slow (virtual machines), the 16 M runs would otherwise
// measure the page faults of each new 32 MB result rather than the transforms, as
// BM_CopyOnly shows when run with VORNIX_BENCH_FRESH_MEMORY=1.
// Small sizes cycle through several different texts, so that the processor cannot learn
// one text's branches by heart over thousands of repetitions.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <climits>
#include <cstdlib>
#include <map>
#include <vector>
#include <random>
#include <utility>

#include "base/ustr.h"
#include "core/clip/transforms.h"

namespace vornix::transforms {

namespace {

const CodePage& cp() { return CodePage::windows1252(); }

const char* const kWords[] = {
    "der", "die", "und", "Übergröße", "Straße", "für", "Äpfel", "schön", "Lösung", "the", "clipboard",
    "entry", "text", "über", "Müller", "€", "100%", "naïve", "café", "déjà", "vu", "Grüße", "an", "alle",
    "one", "two", "three", "Überblick", "Öl", "Maß", "x", "and", "of", "in", "is", "it", "Prüfung"};

const bool kKeepFreedMemory = [] {
  if (std::getenv("VORNIX_BENCH_FRESH_MEMORY")) return false;
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, INT_MAX);
  return true;
}();

class BlockWriter {
 public:
  BlockWriter(size_t size, unsigned seed) : size_(size), rng_(seed) { out_.reserve(size + 4096); }
  bool full() const { return out_.size() >= size_; }
  Text finish() {
    out_.resize(size_);
    return std::move(out_);
  }

  void prose() {
    for (int line = 0, lines = pick(3, 9); line < lines; ++line) {
      out_ += sentence(pick(6, 14));
      if (pick(0, 9) == 0) out_ += u"  ";  // stray blanks at a line end
      out_ += u"\r\n";
    }
    out_ += u"\r\n";
  }

  void markup() {
    out_ += u"<div class=\"note\">\r\n";
    for (int i = 0, n = pick(2, 5); i < n; ++i)
      out_ += u"  <p>" + sentence(pick(5, 12)) + u" &amp; <a href=\"http://example.org/?a=1&b=2\">" +
              sentence(2) + u"</a></p>\r\n";
    out_ += u"</div>\r\n\r\n";
  }

  void quotedMail() {
    out_ += u"Am Montag schrieb Max Müller:\r\n";
    for (int i = 0, n = pick(3, 8); i < n; ++i)
      out_ += (pick(0, 3) == 0 ? u"> > " : u"> ") + sentence(pick(5, 12)) + u"\r\n";
    out_ += u">\r\n\r\n";
  }

 private:
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  Text sentence(int words) {
    Text s;
    for (int w = 0; w < words; ++w) {
      if (w > 0) s += pick(0, 30) == 0 ? u"\t" : u" ";
      s += ustr::fromUtf8(kWords[pick(0, static_cast<int>(std::size(kWords)) - 1)]);
    }
    return s + u".";
  }

  size_t size_;
  Text out_;
  std::mt19937 rng_;
};

Text mixedText(size_t size, unsigned seed) {
  BlockWriter w(size, seed);
  for (int block = 0; !w.full(); ++block) {
    switch (block % 3) {
      case 0: w.prose(); break;
      case 1: w.markup(); break;
      default: w.quotedMail(); break;
    }
  }
  return w.finish();
}

enum class Input { Mixed, TagEncoded, EntityEncoded, Escaped };

// Built once per size and kind, outside the timed loops: as many different texts as
// make up about 1 M characters.
const std::vector<Text>& inputs(Input kind, size_t size) {
  static std::map<std::pair<Input, size_t>, std::vector<Text>> cache;
  auto it = cache.find({kind, size});
  if (it != cache.end()) return it->second;
  std::vector<Text> texts;
  const size_t count = size >= (1u << 20) ? 1 : (1u << 20) / size;
  for (size_t i = 0; i < count; ++i) {
    const Text mixed = mixedText(size, static_cast<unsigned>(7 + i));
    switch (kind) {
      case Input::Mixed: texts.push_back(mixed); break;
      case Input::TagEncoded: texts.push_back(transformTagEntity(mixed, true)); break;
      case Input::EntityEncoded: texts.push_back(transformEntity(mixed, true, cp())); break;
      case Input::Escaped: texts.push_back(escape(mixed, cp())); break;
    }
  }
  return cache.emplace(std::make_pair(kind, size), std::move(texts)).first->second;
}

template <typename F>
void run(benchmark::State& state, Input kind, F transform) {
  const std::vector<Text>& texts = inputs(kind, static_cast<size_t>(state.range(0)));
  size_t next = 0;
  int64_t chars = 0;
  for (auto _ : state) {
    const Text& text = texts[next];
    next = next + 1 == texts.size() ? 0 : next + 1;
    Text out = transform(text);
    benchmark::DoNotOptimize(out.data());
    chars += static_cast<int64_t>(text.size());
  }
  state.SetItemsProcessed(chars);
  state.SetBytesProcessed(chars * static_cast<int64_t>(sizeof(char16_t)));
  state.counters["freed_memory_reused"] = kKeepFreedMemory ? 1 : 0;
}

}  // namespace

// The floor: what producing a new text of the same length costs, whatever the transform.
static void BM_CopyOnly(benchmark::State& s) {
  run(s, Input::Mixed, [](TextView t) { return Text(t); });
}
static void BM_Reformat(benchmark::State& s) { run(s, Input::Mixed, reformat); }
static void BM_RemoveBeginningWS(benchmark::State& s) { run(s, Input::Mixed, removeBeginningWS); }
static void BM_UnCite(benchmark::State& s) {
  run(s, Input::Mixed, [](TextView t) { return unCite(t, u">"); });
}
static void BM_RemoveWhiteSpaces(benchmark::State& s) { run(s, Input::Mixed, removeWhiteSpaces); }
static void BM_RemoveCrLf(benchmark::State& s) { run(s, Input::Mixed, removeCrLf); }
static void BM_RemoveEmptyRows(benchmark::State& s) { run(s, Input::Mixed, removeEmptyRows); }
static void BM_TagToEntity(benchmark::State& s) {
  run(s, Input::Mixed, [](TextView t) { return transformTagEntity(t, true); });
}
static void BM_EntityToTag(benchmark::State& s) {
  run(s, Input::TagEncoded, [](TextView t) { return transformTagEntity(t, false); });
}
static void BM_CharToEntity(benchmark::State& s) {
  run(s, Input::Mixed, [](TextView t) { return transformEntity(t, true, cp()); });
}
static void BM_EntityToChar(benchmark::State& s) {
  run(s, Input::EntityEncoded, [](TextView t) { return transformEntity(t, false, cp()); });
}
static void BM_Escape(benchmark::State& s) {
  run(s, Input::Mixed, [](TextView t) { return escape(t, cp()); });
}
static void BM_Unescape(benchmark::State& s) {
  run(s, Input::Escaped, [](TextView t) { return unescape(t, cp()); });
}
static void BM_UnUmlaut(benchmark::State& s) { run(s, Input::Mixed, unUmlaut); }

#define VORNIX_TRANSFORM_BENCH(fn) \
  BENCHMARK(fn)->Arg(64 << 10)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMicrosecond)

VORNIX_TRANSFORM_BENCH(BM_CopyOnly);
VORNIX_TRANSFORM_BENCH(BM_Reformat);
VORNIX_TRANSFORM_BENCH(BM_RemoveBeginningWS);
VORNIX_TRANSFORM_BENCH(BM_UnCite);
VORNIX_TRANSFORM_BENCH(BM_RemoveWhiteSpaces);
VORNIX_TRANSFORM_BENCH(BM_RemoveCrLf);
VORNIX_TRANSFORM_BENCH(BM_RemoveEmptyRows);
VORNIX_TRANSFORM_BENCH(BM_TagToEntity);
VORNIX_TRANSFORM_BENCH(BM_EntityToTag);
VORNIX_TRANSFORM_BENCH(BM_CharToEntity);
VORNIX_TRANSFORM_BENCH(BM_EntityToChar);
VORNIX_TRANSFORM_BENCH(BM_Escape);
VORNIX_TRANSFORM_BENCH(BM_Unescape);
VORNIX_TRANSFORM_BENCH(BM_UnUmlaut);

}  // namespace vornix::transforms
