// Checksums of a 256 MiB document as the dialog computes them (pieces, progress box, Cancel
// polled) against one call of the library on the whole buffer.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <xxhash.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "BenchDocument.h"
#include "core/DocState.h"
#include "core/Progress.h"
#include "tools/ChecksumRun.h"

#ifdef QUOXA_BENCH_GUI
#include "BenchApplication.h"
#include "widgets/ProgressBoxForm.h"
#endif

namespace {

using quoxa::ChecksumKind;
using quoxa::bench::kBigSize;

const uint8_t* DocBytes() { return quoxa::Doc().DocBuffer; }

void Throughput(benchmark::State& state) { state.SetBytesProcessed(state.iterations() * int64_t{kBigSize}); }

void Program(benchmark::State& state, ChecksumKind kind) {
  quoxa::bench::LoadBigDocument();
#ifdef QUOXA_BENCH_GUI
  // The real box: shown, its gauge moved and its events let through as in the program.
  quoxa::bench::EnsureApplication();
  quoxa::TQtProgressFactory boxes;
  quoxa::InstallProgressFactory(&boxes);
#endif
  const ChecksumKind kinds[] = {kind};
  for (auto _ : state) {
    const quoxa::ChecksumRun run = quoxa::ChecksumDocument(1, quoxa::Doc().DocSize, kinds);
    if (run.status != quoxa::ChecksumStatus::Done) state.SkipWithError("not computed");
    benchmark::DoNotOptimize(run.values);
  }
  quoxa::InstallProgressFactory(nullptr);
  Throughput(state);
}

void EvpDirect(benchmark::State& state, const EVP_MD* md) {
  quoxa::bench::LoadBigDocument();
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  for (auto _ : state) {
    unsigned size = 0;
    EVP_Digest(DocBytes(), kBigSize, digest.data(), &size, md, nullptr);
    benchmark::DoNotOptimize(digest);
  }
  Throughput(state);
}

void BM_Sha256Program(benchmark::State& state) { Program(state, ChecksumKind::Sha256); }
void BM_Sha256OpenSsl(benchmark::State& state) { EvpDirect(state, EVP_sha256()); }
void BM_Blake2bProgram(benchmark::State& state) { Program(state, ChecksumKind::Blake2b512); }
void BM_Blake2bOpenSsl(benchmark::State& state) { EvpDirect(state, EVP_blake2b512()); }
void BM_Xxh3Program(benchmark::State& state) { Program(state, ChecksumKind::Xxh3_64); }
void BM_Xxh3Library(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  for (auto _ : state) benchmark::DoNotOptimize(XXH3_64bits(DocBytes(), kBigSize));
  Throughput(state);
}
void BM_Crc32Program(benchmark::State& state) { Program(state, ChecksumKind::Crc32); }
void BM_Crc32Zlib(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  for (auto _ : state) benchmark::DoNotOptimize(crc32_z(0, DocBytes(), kBigSize));
  Throughput(state);
}

// The shortest of the repetitions: on a machine busy with other work it is the one least
// disturbed (its throughput counter is the lowest, not the best: divide the bytes by the time).
double Shortest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// Each pair side by side, repeated so that the median and the shortest run, not one noisy run,
// count; run with --benchmark_enable_random_interleaving=true to alternate the pairs' runs.
#define QUOXA_CHECKSUM_BENCH(name)                                                    \
  BENCHMARK(name)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly() \
      ->ComputeStatistics("min", Shortest)
QUOXA_CHECKSUM_BENCH(BM_Sha256Program);
QUOXA_CHECKSUM_BENCH(BM_Sha256OpenSsl);
QUOXA_CHECKSUM_BENCH(BM_Blake2bProgram);
QUOXA_CHECKSUM_BENCH(BM_Blake2bOpenSsl);
QUOXA_CHECKSUM_BENCH(BM_Xxh3Program);
QUOXA_CHECKSUM_BENCH(BM_Xxh3Library);
QUOXA_CHECKSUM_BENCH(BM_Crc32Program);
QUOXA_CHECKSUM_BENCH(BM_Crc32Zlib);

}  // namespace
