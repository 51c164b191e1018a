// Formatting 64 MiB into hex dump rows, against a plain snprintf row loop of the same layout.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "BenchDocument.h"
#include "core/DocState.h"
#include "print/DumpFormat.h"

namespace {

constexpr int64_t kDumpBytes = 64 * 1024 * 1024;
constexpr int32_t kPerRow = 16;

void BM_DumpRows(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  const quoxa::TDumpRows rows({kPerRow, false, false});
  std::string first;
  std::string second;
  for (auto _ : state) {
    size_t chars = 0;
    for (int64_t offset = 0; offset < kDumpBytes; offset += kPerRow) {
      rows.Format(offset, quoxa::Doc().DocBuffer + offset, kPerRow, first, second);
      chars += first.size();
    }
    benchmark::DoNotOptimize(chars);
  }
  state.SetBytesProcessed(state.iterations() * kDumpBytes);
}
BENCHMARK(BM_DumpRows)->Unit(benchmark::kMillisecond)->UseRealTime();

// The reference: each row printed with snprintf, byte by byte, into one line buffer.
void BM_DumpRowsSnprintf(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  char line[256];
  for (auto _ : state) {
    size_t chars = 0;
    for (int64_t offset = 0; offset < kDumpBytes; offset += kPerRow) {
      const uint8_t* row = quoxa::Doc().DocBuffer + offset;
      int n = std::snprintf(line, sizeof line, "%9.9llX:  ", static_cast<unsigned long long>(offset));
      for (int i = 0; i < kPerRow; ++i) n += std::snprintf(line + n, sizeof line - static_cast<size_t>(n), "%2.2X ", row[i]);
      for (int i = 0; i < kPerRow; ++i) line[n++] = static_cast<char>(row[i] >= 32 ? row[i] : '.');
      chars += static_cast<size_t>(n);
    }
    benchmark::DoNotOptimize(chars);
    benchmark::DoNotOptimize(line);
  }
  state.SetBytesProcessed(state.iterations() * kDumpBytes);
}
BENCHMARK(BM_DumpRowsSnprintf)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
