// Block move, copy and delete of a 16 MiB block across a 256 MiB document, against two plain
// memmoves of the whole document by the block's length (BM_MemmoveReferenceByBlock; moving by
// one byte, as BM_MemmoveReference does, touches each cache line once and runs about twice as
// fast).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "BenchDocument.h"
#include "core/Block.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/Navigation.h"
#include "edit/BlockCommands.h"

namespace {

using quoxa::bench::kBigSize;

constexpr int32_t kBlock = 16 * 1024 * 1024;

void MarkAndGo(int32_t begin, int32_t cursor) {
  quoxa::RestoreBlock(begin, begin + kBlock - 1);
  quoxa::GotoAddress(cursor, true, false);
}

// The first 16 MiB to the end and back: the whole document changes place twice.
void BM_BlockMoveThere_AndBack(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  for (auto _ : state) {
    MarkAndGo(1, kBigSize);
    {
      quoxa::JournalStep step;
      quoxa::BlockCopyClick(quoxa::Cmd::BlockMove);
    }
    MarkAndGo(kBigSize - kBlock, 1);
    {
      quoxa::JournalStep step;
      quoxa::BlockCopyClick(quoxa::Cmd::BlockMove);
    }
    benchmark::DoNotOptimize(quoxa::Doc().DocBuffer[0]);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize} * 2);
}
BENCHMARK(BM_BlockMoveThere_AndBack)->Unit(benchmark::kMillisecond);

// A copy of the first 16 MiB inserted at the front, then deleted again.
void BM_BlockCopyAndDelete(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  for (auto _ : state) {
    MarkAndGo(1, 1);
    {
      quoxa::JournalStep step;
      quoxa::BlockCopyClick(quoxa::Cmd::BlockCopy);
    }
    {
      quoxa::JournalStep step;
      quoxa::DeleteBlock();
    }
    benchmark::DoNotOptimize(quoxa::Doc().DocBuffer[0]);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize} * 2);
}
BENCHMARK(BM_BlockCopyAndDelete)->Unit(benchmark::kMillisecond);

void BM_MemmoveReferenceByBlock(benchmark::State& state) {
  std::vector<uint8_t> buffer(static_cast<size_t>(kBigSize) + kBlock, 'a');
  for (auto _ : state) {
    std::memmove(buffer.data() + kBlock, buffer.data(), kBigSize);
    std::memmove(buffer.data(), buffer.data() + kBlock, kBigSize);
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize} * 2);
}
BENCHMARK(BM_MemmoveReferenceByBlock)->Unit(benchmark::kMillisecond);

}  // namespace
