// The clipboard's conversions and commands against memcpy of the same bytes: a 256 MiB block
// written as hex text, 64 MiB of hex text parsed, and Copy and Paste of a 64 MiB block
// through a clipboard in memory (which, like the desktop's, keeps its own copy).
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BenchDocument.h"
#include "core/Block.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "edit/Clipboard.h"
#include "edit/ClipboardCommands.h"
#include "widgets/HexString.h"

namespace {

using quoxa::bench::kBigSize;

constexpr int32_t kBlock = 64 * 1024 * 1024;

class MemoryClipboard final : public quoxa::IClipboard {
 public:
  bool Available() const override { return true; }
  bool Has(quoxa::ClipFormat format) const override { return format == format_ && !data_.empty(); }
  bool Read(quoxa::ClipFormat format, std::string& data) const override {
    if (!Has(format)) return false;
    data = data_;
    return true;
  }
  bool Write(quoxa::ClipFormat format, std::string_view data) override {
    format_ = format;
    data_.assign(data);
    return true;
  }
  bool Owned() const override { return true; }
  void Clear() override { data_.clear(); }

 private:
  quoxa::ClipFormat format_ = quoxa::ClipFormat::Private;
  std::string data_;
};

MemoryClipboard& Clipboard() {
  static MemoryClipboard clipboard;
  quoxa::InstallClipboard(&clipboard);
  return clipboard;
}

void BM_HexTriples256MiB(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  std::unique_ptr<char[]> text(new char[3 * static_cast<size_t>(kBigSize)]);
  std::memset(text.get(), 0, 3 * static_cast<size_t>(kBigSize));  // pages in, as the reference's are
  for (auto _ : state) {
    quoxa::WriteHexTriples(quoxa::Doc().DocBuffer, kBigSize, text.get());
    benchmark::DoNotOptimize(text.get());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_HexTriples256MiB)->Unit(benchmark::kMillisecond);

void BM_MemcpyReference256MiB(benchmark::State& state) {
  std::vector<char> from(kBigSize, 'a');
  std::vector<char> to(kBigSize);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_MemcpyReference256MiB)->Unit(benchmark::kMillisecond);

void BM_ParseHexText64MiB(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  const std::string text = quoxa::BytesToHexString(
      std::string_view(reinterpret_cast<const char*>(quoxa::Doc().DocBuffer), static_cast<size_t>(kBlock)), true);
  std::string bytes;
  for (auto _ : state) {
    benchmark::DoNotOptimize(quoxa::ParseSeparatedHex(text, bytes));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBlock});
}
BENCHMARK(BM_ParseHexText64MiB)->Unit(benchmark::kMillisecond);

void BM_Copy64MiB(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  Clipboard();
  quoxa::RestoreBlock(1, kBlock);
  for (auto _ : state) quoxa::CutOrCopy(false);
  quoxa::UnmarkBlock();
  state.SetBytesProcessed(state.iterations() * int64_t{kBlock});
}
BENCHMARK(BM_Copy64MiB)->Unit(benchmark::kMillisecond);

// Pasted in front of the last byte, so that the gap moves one byte; the bytes are taken out
// again outside the measurement.
void BM_Paste64MiB(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  Clipboard();
  quoxa::RestoreBlock(1, kBlock);
  quoxa::CutOrCopy(false);
  quoxa::UnmarkBlock();
  for (auto _ : state) {
    quoxa::GotoAddress(kBigSize, true, false);
    {
      quoxa::JournalStep step;
      quoxa::PasteFromClipboard();
    }
    state.PauseTiming();
    quoxa::DeleteRange(kBigSize, kBlock);
    quoxa::Doc().Journal.Reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBlock});
}
BENCHMARK(BM_Paste64MiB)->Unit(benchmark::kMillisecond);

void BM_MemcpyReference64MiB(benchmark::State& state) {
  std::vector<char> from(kBlock, 'a');
  std::vector<char> to(kBlock);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBlock});
}
BENCHMARK(BM_MemcpyReference64MiB)->Unit(benchmark::kMillisecond);

}  // namespace
