// Searching and counting in a 256 MiB text document under a progress box, against glibc memmem.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "BenchDocument.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/Progress.h"
#include "search/RegexEngine.h"
#include "search/SearchEngine.h"
#include "search/SearchState.h"

namespace {

using quoxa::bench::kBigSize;

// Not in the document, which repeats "The quick brown fox jumps over the lazy dog 0123456789.\n".
constexpr char kAbsent8[] = "lazy cat";
constexpr char kMarker3[] = "zap";
constexpr int kMarkers = 10000;

void SetFind(const std::string& find, bool caseSensitive) {
  quoxa::SearchState& s = quoxa::Search();
  s = quoxa::SearchState{};
  s.FindString = find;
  s.CaseSensitive = caseSensitive;
}

quoxa::ProgressSpec SearchBox() { return {true, true, "Current file position", "Searching..."}; }

// Puts kMarkers copies of the 3-byte marker into the document, evenly spread, and takes them out again.
class PlantedMarkers {
 public:
  PlantedMarkers() {
    quoxa::bench::LoadBigDocument();
    for (int i = 0; i < kMarkers; ++i) {
      const size_t at = static_cast<size_t>(kBigSize / kMarkers) * static_cast<size_t>(i) + 7;
      saved_.emplace_back(at, std::string(reinterpret_cast<const char*>(quoxa::Doc().DocBuffer) + at, 3));
      std::memcpy(quoxa::WritableDocBuffer() + at, kMarker3, 3);
    }
  }
  ~PlantedMarkers() {
    for (const auto& [at, bytes] : saved_) std::memcpy(quoxa::WritableDocBuffer() + at, bytes.data(), 3);
  }
  PlantedMarkers(const PlantedMarkers&) = delete;
  PlantedMarkers& operator=(const PlantedMarkers&) = delete;

 private:
  std::vector<std::pair<size_t, std::string>> saved_;
};

void FindAbsent(benchmark::State& state, bool caseSensitive) {
  quoxa::bench::LoadBigDocument();
  SetFind(kAbsent8, caseSensitive);
  for (auto _ : state) {
    quoxa::TProgressBox box(SearchBox());
    const quoxa::FindResult r = quoxa::FindNext(1, false);
    if (r.found) state.SkipWithError("found an absent pattern");
    benchmark::DoNotOptimize(r);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}

void BM_FindAbsent8(benchmark::State& state) { FindAbsent(state, true); }
BENCHMARK(BM_FindAbsent8)->Unit(benchmark::kMillisecond);

void BM_FindAbsent8NoCase(benchmark::State& state) { FindAbsent(state, false); }
BENCHMARK(BM_FindAbsent8NoCase)->Unit(benchmark::kMillisecond);

void BM_FindBackward8(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  SetFind(kAbsent8, true);
  for (auto _ : state) {
    quoxa::TProgressBox box(SearchBox());
    const quoxa::FindResult r = quoxa::FindPrevious(quoxa::Doc().DocSize);
    if (r.found) state.SkipWithError("found an absent pattern");
    benchmark::DoNotOptimize(r);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_FindBackward8)->Unit(benchmark::kMillisecond);

void BM_MemmemReference8(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  for (auto _ : state) {
    const void* hit = memmem(quoxa::Doc().DocBuffer, kBigSize, kAbsent8, 8);
    if (hit != nullptr) state.SkipWithError("found an absent pattern");
    benchmark::DoNotOptimize(hit);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_MemmemReference8)->Unit(benchmark::kMillisecond);

void BM_CountOccurrences3(benchmark::State& state) {
  PlantedMarkers planted;
  SetFind(kMarker3, true);
  for (auto _ : state) {
    quoxa::TProgressBox box({true, true, "Current file position", "Counting..."});
    const quoxa::CountResult counted = quoxa::CountOccurrences(true, 1);
    if (counted.count != kMarkers) state.SkipWithError("wrong count");
    benchmark::DoNotOptimize(counted);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_CountOccurrences3)->Unit(benchmark::kMillisecond);

void BM_MemmemCountReference3(benchmark::State& state) {
  PlantedMarkers planted;
  for (auto _ : state) {
    int count = 0;
    const auto* at = reinterpret_cast<const char*>(quoxa::Doc().DocBuffer);
    const char* end = at + kBigSize;
    while (const void* hit = memmem(at, static_cast<size_t>(end - at), kMarker3, 3)) {
      ++count;
      at = static_cast<const char*>(hit) + 3;
    }
    if (count != kMarkers) state.SkipWithError("wrong count");
    benchmark::DoNotOptimize(count);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_MemmemCountReference3)->Unit(benchmark::kMillisecond);

// A regular expression that starts with the literal marker, counted as Count does with the
// option ticked: at most 1.5 times BM_CountOccurrences3.
void BM_RegexCountPrefixed(benchmark::State& state) {
  PlantedMarkers planted;
  SetFind("zap[a-z ]?", true);
  quoxa::Search().RegexEnabled = true;
  for (auto _ : state) {
    quoxa::TProgressBox box({true, true, "Current file position", "Counting..."});
    const quoxa::CountResult counted = quoxa::RegexCount(true, 1);
    if (counted.count != kMarkers) state.SkipWithError("wrong count");
    benchmark::DoNotOptimize(counted);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_RegexCountPrefixed)->Unit(benchmark::kMillisecond);

}  // namespace
