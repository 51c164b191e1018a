// Scripts over a 256 MiB document, each beside the plain memory work it comes down to, in the
// same run: a REPLACEALL line against a memmem scan with in-place or out-of-place copying, and
// a few thousand OVERWRITE and INSERT lines against the memcpy and memmove calls they need.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "BenchDocument.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/Journal.h"
#include "core/MemoryPolicy.h"
#include "script/ScriptInterpreter.h"
#include "script/ScriptRun.h"

namespace {

using quoxa::bench::kBigSize;

constexpr char kMarker[] = "QSCRPT";
constexpr char kMarkerHex[] = "51 53 43 52 50 54";
constexpr int kMarkers = 100000;
constexpr int kLines = 4000;
constexpr int32_t kStep = 32768;

// The big document with markers planted evenly, kept to restore from before every run.
const std::vector<uint8_t>& Original() {
  static const std::vector<uint8_t> original = [] {
    static const char kText[] = "The quick brown fox jumps over the lazy dog 0123456789.\n";
    std::vector<uint8_t> bytes(static_cast<size_t>(kBigSize));
    const size_t n = sizeof kText - 1;
    for (size_t i = 0; i < bytes.size(); i += n) std::memcpy(&bytes[i], kText, std::min(n, bytes.size() - i));
    for (int i = 0; i < kMarkers; ++i) {
      std::memcpy(&bytes[static_cast<size_t>(kBigSize / kMarkers) * static_cast<size_t>(i) + 7], kMarker,
                  sizeof kMarker - 1);
    }
    return bytes;
  }();
  return original;
}

void Restore() {
  quoxa::bench::LoadBigDocument();
  quoxa::ReserveForSize(kBigSize);
  std::memcpy(quoxa::WritableDocBuffer(), Original().data(), Original().size());
  quoxa::Doc().DocSize = kBigSize;
  quoxa::Doc().Journal.Reset();
}

std::vector<std::string> Lines(const std::string& first, const std::string& second, int pairs) {
  std::vector<std::string> lines;
  for (int i = 0; i < pairs; ++i) {
    lines.push_back(first);
    lines.push_back(second);
  }
  return lines;
}

void RunScript(benchmark::State& state, const std::vector<std::string>& lines) {
  Original();
  for (auto _ : state) {
    state.PauseTiming();
    Restore();
    quoxa::TScriptInterpreter interpreter;
    state.ResumeTiming();
    const quoxa::ScriptOutcome outcome = quoxa::ExecuteScript(interpreter, lines);
    if (!outcome.ok) state.SkipWithError(outcome.error.c_str());
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}

// ---- REPLACEALL

void BM_ScriptReplaceAll(benchmark::State& state) {
  const bool longer = state.range(0) != 0;
  RunScript(state, {std::string("REPLACEALL ") + kMarkerHex + " BY " + (longer ? "71 73 63 72 70 74 2D 78" : "71 73 63 72 70 74")});
  state.SetLabel(longer ? "longer replacement" : "equal length");
}
BENCHMARK(BM_ScriptReplaceAll)->ArgName("longer")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ReplaceAllReferenceMemmem(benchmark::State& state) {
  const bool longer = state.range(0) != 0;
  const std::string find = kMarker;
  const std::string replacement = longer ? "qscrpt-x" : "qscrpt";
  std::vector<uint8_t> in = Original();
  std::vector<uint8_t> out(in.size() + static_cast<size_t>(kMarkers) * replacement.size(), 1);
  for (auto _ : state) {
    uint8_t* p = in.data();
    uint8_t* end = p + in.size();
    uint8_t* o = out.data();
    int count = 0;
    while (void* hit = memmem(p, static_cast<size_t>(end - p), find.data(), find.size())) {
      auto* at = static_cast<uint8_t*>(hit);
      if (longer) {
        std::memcpy(o, p, static_cast<size_t>(at - p));
        o += at - p;
        std::memcpy(o, replacement.data(), replacement.size());
        o += replacement.size();
      } else {
        std::memcpy(at, replacement.data(), replacement.size());
      }
      p = at + find.size();
      ++count;
    }
    if (longer) std::memcpy(o, p, static_cast<size_t>(end - p));
    if (count != kMarkers) state.SkipWithError("wrong number of replacements");
    if (!longer) {
      state.PauseTiming();
      in = Original();
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_ReplaceAllReferenceMemmem)->ArgName("longer")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// ---- OVERWRITE and INSERT lines

void BM_ScriptOverwriteLines(benchmark::State& state) {
  RunScript(state, Lines("ADR+ " + std::to_string(kStep), "OVERWRITE 41 42 43 44", kLines / 2));
  state.SetLabel(std::to_string(kLines) + " lines");
}
BENCHMARK(BM_ScriptOverwriteLines)->Unit(benchmark::kMillisecond);

void BM_OverwriteReferenceMemcpy(benchmark::State& state) {
  std::vector<uint8_t> bytes = Original();
  for (auto _ : state) {
    size_t at = 0;
    for (int i = 0; i < kLines / 2; ++i) {
      at += kStep;
      std::memcpy(&bytes[at], "ABCD", 4);
      at += 3;
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OverwriteReferenceMemcpy)->Unit(benchmark::kMillisecond);

// Every INSERT moves the rest of the document: a thousand of them are a thousand large memmoves.
void BM_ScriptInsertLines(benchmark::State& state) {
  RunScript(state, Lines("ADR+ " + std::to_string(4 * kStep), "INSERT 41 42", 1000));
  state.SetLabel("1000 INSERT lines");
}
BENCHMARK(BM_ScriptInsertLines)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_InsertReferenceMemmove(benchmark::State& state) {
  std::vector<uint8_t> bytes = Original();
  bytes.resize(bytes.size() + 2000);
  for (auto _ : state) {
    size_t size = static_cast<size_t>(kBigSize);
    size_t at = 0;
    for (int i = 0; i < 1000; ++i) {
      at += 4 * kStep;
      std::memmove(&bytes[at + 2], &bytes[at], size - at);
      std::memcpy(&bytes[at], "AB", 2);
      size += 2;
      at += 1;
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_InsertReferenceMemmove)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
