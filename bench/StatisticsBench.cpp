// Byte statistics of a 256 MiB document beside a plain counting loop over the same bytes in the
// same run: the histogram should take at most 1.3 times the loop, the entropy map 1.5 times.
#include <benchmark/benchmark.h>

#include "BenchDocument.h"
#include "core/DocState.h"
#include "tools/ByteStatistics.h"

namespace {

using quoxa::bench::kBigSize;

// The reference: one table, one increment per byte.
void BM_PlainCountingLoop(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  for (auto _ : state) {
    quoxa::ByteCounts counts{};
    const uint8_t* p = quoxa::Doc().DocBuffer;
    for (int64_t i = 0; i < quoxa::Doc().DocSize; ++i) ++counts[p[i]];
    benchmark::DoNotOptimize(counts);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_PlainCountingLoop)->Unit(benchmark::kMillisecond);

void BM_Histogram(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  for (auto _ : state) {
    quoxa::ByteCounts counts;
    if (!quoxa::CountDocumentBytes(quoxa::Doc(), 1, quoxa::Doc().DocSize, counts)) state.SkipWithError("cancelled");
    benchmark::DoNotOptimize(counts);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_Histogram)->Unit(benchmark::kMillisecond);

// The argument is the window: 0 automatic (256 KiB here), then small windows.
void BM_EntropyMap(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  for (auto _ : state) {
    quoxa::EntropyMap map;
    if (!quoxa::MeasureEntropyMap(quoxa::Doc(), state.range(0), map)) state.SkipWithError("cancelled");
    benchmark::DoNotOptimize(map.values.data());
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_EntropyMap)->Arg(0)->Arg(4096)->Arg(256)->Unit(benchmark::kMillisecond);

}  // namespace
