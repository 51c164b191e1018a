// Checksums of a 256 MiB document as the dialog computes them (pieces, progress box, Cancel
// polled) against one call of the library on the whole buffer.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <xxhash.h>
#include <zlib.h>

#include <array>
#include <string>

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

// Each pair side by side, repeated so that the median, not one noisy run, counts.
#define QUOXA_CHECKSUM_BENCH(name) BENCHMARK(name)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly()
QUOXA_CHECKSUM_BENCH(BM_Sha256Program);
QUOXA_CHECKSUM_BENCH(BM_Sha256OpenSsl);
QUOXA_CHECKSUM_BENCH(BM_Blake2bProgram);
QUOXA_CHECKSUM_BENCH(BM_Blake2bOpenSsl);
QUOXA_CHECKSUM_BENCH(BM_Xxh3Program);
QUOXA_CHECKSUM_BENCH(BM_Xxh3Library);
QUOXA_CHECKSUM_BENCH(BM_Crc32Program);
QUOXA_CHECKSUM_BENCH(BM_Crc32Zlib);

}  // namespace
