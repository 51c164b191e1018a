// Replace all in a 256 MiB document with about 100,000 occurrences, against a straightforward
// out-of-place replace (memmem scan, memcpy into a second buffer) of the same occurrences.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "BenchDocument.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/Journal.h"
#include "core/Progress.h"
#include "search/Replace.h"
#include "search/SearchState.h"

namespace {

using quoxa::bench::kBigSize;

constexpr char kMarker[] = "QUOXA";
constexpr int kMarkers = 100000;

enum Kind { kEqual, kShorter, kLonger };

const char* ReplacementFor(int kind) {
  switch (kind) {
    case kEqual: return "quoxa";
    case kShorter: return "QX";
    default: return "QUOXA-HEX";
  }
}

// The big document with the markers planted evenly, and a copy of it to restore from.
const std::vector<uint8_t>& PlantedDocument() {
  static const std::vector<uint8_t> original = [] {
    quoxa::bench::LoadBigDocument();
    const size_t m = sizeof kMarker - 1;
    for (int i = 0; i < kMarkers; ++i) {
      const size_t at = static_cast<size_t>(kBigSize / kMarkers) * static_cast<size_t>(i) + 11;
      std::memcpy(quoxa::WritableDocBuffer() + at, kMarker, m);
    }
    return std::vector<uint8_t>(quoxa::Doc().DocBuffer, quoxa::Doc().DocBuffer + kBigSize);
  }();
  return original;
}

void RestoreDocument(int kind) {
  const std::vector<uint8_t>& original = PlantedDocument();
  std::memcpy(quoxa::WritableDocBuffer(), original.data(), original.size());
  quoxa::Doc().DocSize = kBigSize;
  quoxa::SearchState& s = quoxa::Search();
  s = quoxa::SearchState{};
  s.FindString = kMarker;
  s.ReplaceString = ReplacementFor(kind);
}

void ReplaceAllOf(benchmark::State& state, int kind, bool journal = true) {
  PlantedDocument();
  quoxa::Doc().Journal.SetActive(journal);
  for (auto _ : state) {
    state.PauseTiming();
    RestoreDocument(kind);
    quoxa::Doc().Journal.Reset();
    state.ResumeTiming();
    quoxa::TProgressBox box({true, true, "Searching...", "Replacing..."});
    const quoxa::ReplaceAllResult r = quoxa::ReplaceAll(1, false);
    if (r.count != kMarkers) state.SkipWithError("wrong number of replacements");
    benchmark::DoNotOptimize(r);
  }
  quoxa::Doc().Journal.SetActive(true);
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
  state.SetLabel(std::to_string(kMarkers) + " occurrences");
}

void BM_ReplaceAllEqual(benchmark::State& state) { ReplaceAllOf(state, kEqual); }
BENCHMARK(BM_ReplaceAllEqual)->Unit(benchmark::kMillisecond);

void BM_ReplaceAllShorter(benchmark::State& state) { ReplaceAllOf(state, kShorter); }
BENCHMARK(BM_ReplaceAllShorter)->Unit(benchmark::kMillisecond);

void BM_ReplaceAllLonger(benchmark::State& state) { ReplaceAllOf(state, kLonger); }
BENCHMARK(BM_ReplaceAllLonger)->Unit(benchmark::kMillisecond);

// The same replace all with the undo journal off: what recording the steps costs.
void BM_ReplaceAllNoJournal(benchmark::State& state) { ReplaceAllOf(state, static_cast<int>(state.range(0)), false); }
BENCHMARK(BM_ReplaceAllNoJournal)->ArgName("kind")->Arg(kEqual)->Arg(kShorter)->Arg(kLonger)->Unit(benchmark::kMillisecond);

// Undo of one whole replace all: one pass over the document, as the replace itself.
void BM_UndoReplaceAll(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  PlantedDocument();
  for (auto _ : state) {
    state.PauseTiming();
    RestoreDocument(kind);
    quoxa::Doc().Journal.Reset();
    if (quoxa::ReplaceAll(1, false).count != kMarkers) state.SkipWithError("wrong number of replacements");
    state.ResumeTiming();
    if (!quoxa::Doc().Journal.Undo()) state.SkipWithError("nothing to undo");
  }
  if (quoxa::Doc().DocSize != kBigSize ||
      std::memcmp(quoxa::Doc().DocBuffer, PlantedDocument().data(), PlantedDocument().size()) != 0) {
    state.SkipWithError("undo did not restore the document");
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_UndoReplaceAll)->ArgName("kind")->Arg(kEqual)->Arg(kShorter)->Arg(kLonger)->Unit(benchmark::kMillisecond);

// The reference: scan with memmem, copy each stretch and each replacement into a second buffer
// that was allocated and touched beforehand, so that only the scan and the copying are timed.
void BM_ReplaceReference(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  const std::vector<uint8_t>& original = PlantedDocument();
  const std::string find = kMarker;
  const std::string replacement = ReplacementFor(kind);
  std::vector<uint8_t> out(original.size() + static_cast<size_t>(kMarkers) * replacement.size(), 1);
  for (auto _ : state) {
    const uint8_t* in = original.data();
    const uint8_t* end = in + original.size();
    uint8_t* o = out.data();
    int64_t count = 0;
    while (const void* hit = memmem(in, static_cast<size_t>(end - in), find.data(), find.size())) {
      const auto* at = static_cast<const uint8_t*>(hit);
      std::memcpy(o, in, static_cast<size_t>(at - in));
      o += at - in;
      std::memcpy(o, replacement.data(), replacement.size());
      o += replacement.size();
      in = at + find.size();
      ++count;
    }
    std::memcpy(o, in, static_cast<size_t>(end - in));
    if (count != kMarkers) state.SkipWithError("wrong number of replacements");
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_ReplaceReference)->ArgName("kind")->Arg(kEqual)->Arg(kShorter)->Arg(kLonger)->Unit(benchmark::kMillisecond);

}  // namespace
