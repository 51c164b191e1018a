// One byte typed at the front of a 256 MiB document, against plain memmoves.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "BenchDocument.h"
#include "core/DocState.h"
#include "core/Primitives.h"

namespace {

using quoxa::bench::kBigSize;

void BM_InsertByteAtFront(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  for (auto _ : state) {
    quoxa::InsertByteAtCursor(0x55);
    quoxa::DeleteByteAtCursor();
    benchmark::DoNotOptimize(quoxa::Doc().DocBuffer[0]);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize} * 2);
}
BENCHMARK(BM_InsertByteAtFront)->Unit(benchmark::kMillisecond);

void BM_MemmoveReference(benchmark::State& state) {
  std::vector<uint8_t> buffer(static_cast<size_t>(kBigSize) + 1, 'a');
  for (auto _ : state) {
    std::memmove(buffer.data() + 1, buffer.data(), kBigSize);
    std::memmove(buffer.data(), buffer.data() + 1, kBigSize);
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize} * 2);
}
BENCHMARK(BM_MemmoveReference)->Unit(benchmark::kMillisecond);

}  // namespace
