// Two equal 1 GiB buffers compared beside a loop of memcmp over 64 KiB pieces in the same run:
// the compare should take at most 1.1 times the loop, in either mode. A byte typed into one of
// them, compared again around itself, beside the whole compare of the pair.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "tools/ByteCompare.h"

namespace {

constexpr size_t kCompareSize = size_t{1} << 30;

std::vector<uint8_t>& Side(int which) {
  static std::vector<uint8_t> sides[2];
  std::vector<uint8_t>& side = sides[which];
  if (side.empty()) {
    side.resize(kCompareSize);
    uint64_t x = 0x9E3779B97F4A7C15ULL;
    for (size_t k = 0; k < kCompareSize; ++k) {
      x ^= x << 13;
      x ^= x >> 7;
      x ^= x << 17;
      side[k] = static_cast<uint8_t>(x);
    }
  }
  return side;
}

void BM_MemcmpPieces(benchmark::State& state) {
  const uint8_t* a = Side(0).data();
  const uint8_t* b = Side(1).data();
  for (auto _ : state) {
    int differ = 0;
    for (size_t k = 0; k < kCompareSize; k += 65536) differ |= std::memcmp(a + k, b + k, 65536);
    benchmark::DoNotOptimize(differ);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kCompareSize});
}
BENCHMARK(BM_MemcmpPieces)->Unit(benchmark::kMillisecond);

// The argument: 1 byte for byte, 0 realigned.
void BM_CompareEqual(benchmark::State& state) {
  const std::span<const uint8_t> a(Side(0));
  const std::span<const uint8_t> b(Side(1));
  for (auto _ : state) {
    quoxa::TByteCompare compare(a, b, state.range(0) != 0);
    std::vector<quoxa::DiffRange> ranges;
    while (compare.Step(int64_t{64} << 20, ranges)) {
    }
    if (!ranges.empty()) state.SkipWithError("equal buffers differ");
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kCompareSize});
}
BENCHMARK(BM_CompareEqual)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The argument as above; the byte goes over the middle one of B.
void BM_CompareAfterTypedByte(benchmark::State& state) {
  std::vector<uint8_t>& b = Side(1);
  const int64_t at = int64_t{kCompareSize / 2};
  b[static_cast<size_t>(at)] ^= 1;
  const std::vector<quoxa::DiffRange> before;  // the pair was equal
  for (auto _ : state) {
    const auto ranges =
        quoxa::CompareAfterEdit(Side(0), b, state.range(0) != 0, before, 1, at, 1, 1);
    if (!ranges || ranges->size() != 1) state.SkipWithError("not the one changed byte");
  }
  b[static_cast<size_t>(at)] ^= 1;
}
BENCHMARK(BM_CompareAfterTypedByte)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
