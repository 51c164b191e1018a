// Character conversion of a 256 MiB document, with its progress box and undo record, against
// a plain table-lookup loop over the same bytes.
#include <benchmark/benchmark.h>

#include <vector>

#include "BenchDocument.h"
#include "core/ByteTable.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/Progress.h"
#include "tools/ConversionTable.h"

namespace {

using quoxa::bench::kBigSize;

// Upper case for the letters: most bytes of the text-like document change.
quoxa::TConversionTable UpperCase() {
  quoxa::TConversionTable table = quoxa::IdentityTable();
  for (int c = 'a'; c <= 'z'; ++c) table[static_cast<size_t>(c)] = static_cast<uint8_t>(c - 'a' + 'A');
  return table;
}

// The argument caps the instruction set (0 plain, 1 SSSE3, 2 AVX2, 3 AVX-512): each path is
// measured, since processors without the best one take the next.
void BM_ApplyConversion(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  const auto kernels = quoxa::UseByteKernels(static_cast<quoxa::TByteKernels>(state.range(0)));
  static const char* const kNames[] = {"plain", "ssse3", "avx2", "avx512"};
  state.SetLabel(kNames[static_cast<int>(kernels)]);
  // The default undo budget: the record must fit in it, or the step would not be undoable.
  for (auto _ : state) {
    state.PauseTiming();
    quoxa::Doc().Journal.Reset();
    quoxa::ConversionTable = UpperCase();
    state.ResumeTiming();
    const quoxa::ConversionResult result = quoxa::ApplyConversion(1);
    state.PauseTiming();
    if (result.count == 0 || !quoxa::Doc().Journal.CanUndo()) state.SkipWithError("nothing converted or recorded");
    quoxa::Doc().Journal.Undo();
    state.ResumeTiming();
  }
  quoxa::Doc().Journal.Reset();
  quoxa::ResetConversionTable();
  quoxa::UseByteKernels(quoxa::TByteKernels::Avx512);
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_ApplyConversion)->Arg(3)->Arg(2)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Undo of that conversion: the changed bytes looked up backwards from the record.
void BM_UndoConversion(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  quoxa::Doc().Journal.Reset();
  quoxa::ConversionTable = UpperCase();
  if (quoxa::ApplyConversion(1).count == 0) state.SkipWithError("nothing converted");
  for (auto _ : state) {
    if (!quoxa::Doc().Journal.Undo()) state.SkipWithError("nothing to undo");
    state.PauseTiming();
    quoxa::Doc().Journal.Redo();
    state.ResumeTiming();
  }
  quoxa::Doc().Journal.Undo();
  quoxa::Doc().Journal.Reset();
  quoxa::ResetConversionTable();
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_UndoConversion)->Unit(benchmark::kMillisecond);

void BM_TranslateReference(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  std::vector<uint8_t> bytes(quoxa::Doc().DocBuffer, quoxa::Doc().DocBuffer + kBigSize);
  // Static, like the program's own table: a table on the stack would sit at a random offset
  // within its page, and loads of it falsely wait for stores to the bytes at the same offset
  // (4K aliasing), so the reference's time swung by half from one run to the next.
  alignas(64) static const quoxa::TConversionTable table = UpperCase();
  alignas(64) static const quoxa::TConversionTable back = [] {
    quoxa::TConversionTable t = quoxa::IdentityTable();
    for (int c = 'A'; c <= 'Z'; ++c) t[static_cast<size_t>(c)] = static_cast<uint8_t>(c - 'A' + 'a');
    return t;
  }();
  bool up = true;
  for (auto _ : state) {
    const quoxa::TConversionTable& t = up ? table : back;
    for (uint8_t& b : bytes) b = t[b];
    up = !up;
    benchmark::DoNotOptimize(bytes.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_TranslateReference)->Unit(benchmark::kMillisecond);

}  // namespace
