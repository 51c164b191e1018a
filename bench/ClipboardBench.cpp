// The clipboard's conversions and commands against memcpy of the same bytes: a 256 MiB block
// written as hex text, 64 MiB of hex text parsed, Copy and Paste of a 64 MiB block through a
// clipboard in memory (which, like the desktop's, keeps its own copy and lends it out), and
// Copy and Paste of 256 MiB through the program's Qt clipboard, beside memcpy into new memory
// (what any copy into a buffer of its own costs) and into memory already touched.
#include <benchmark/benchmark.h>

#include <cstdlib>
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

#ifdef QUOXA_BENCH_GUI
#include "BenchApplication.h"
#include "edit/QtClipboard.h"
#endif

namespace {

using quoxa::bench::kBigSize;

constexpr int32_t kBlock = 64 * 1024 * 1024;

class MemoryClipboard final : public quoxa::IClipboard {
 public:
  bool Available() const override { return true; }
  bool Has(quoxa::ClipFormat format) const override { return format == format_ && !data_->empty(); }
  bool Read(quoxa::ClipFormat format, quoxa::TClipData& data) const override {
    if (!Has(format)) return false;
    data = {data_, *data_};
    return true;
  }
  bool Write(quoxa::ClipFormat format, std::initializer_list<std::string_view> parts) override {
    format_ = format;
    auto data = std::make_shared<std::string>();
    for (std::string_view part : parts) *data += part;
    data_ = std::move(data);
    return true;
  }
  bool Owned() const override { return true; }
  void Clear() override { data_ = std::make_shared<std::string>(); }

 private:
  quoxa::ClipFormat format_ = quoxa::ClipFormat::Private;
  std::shared_ptr<const std::string> data_ = std::make_shared<std::string>();
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

#ifdef QUOXA_BENCH_GUI
// The program's clipboard on Qt's (offscreen, so in-process) clipboard.
quoxa::TQtClipboard& QtClipboard() {
  quoxa::bench::EnsureApplication();
  static quoxa::TQtClipboard* clipboard = new quoxa::TQtClipboard;
  quoxa::InstallClipboard(clipboard);
  return *clipboard;
}

// Copy of the whole 256 MiB document, each run replacing the last run's clipboard data.
void BM_CopyQt256MiB(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  QtClipboard();
  quoxa::RestoreBlock(1, kBigSize);
  for (auto _ : state) quoxa::CutOrCopy(false);
  quoxa::UnmarkBlock();
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_CopyQt256MiB)->Unit(benchmark::kMillisecond)->UseRealTime();

// Paste of the whole 256 MiB document before its last byte, undo journal included; the bytes
// are taken out again outside the measurement.
void BM_PasteQt256MiB(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  QtClipboard();
  quoxa::RestoreBlock(1, kBigSize);
  quoxa::CutOrCopy(false);
  quoxa::UnmarkBlock();
  for (auto _ : state) {
    quoxa::GotoAddress(kBigSize, true, false);
    {
      quoxa::JournalStep step;
      quoxa::PasteFromClipboard();
    }
    state.PauseTiming();
    if (quoxa::Doc().DocSize != 2 * int64_t{kBigSize})
      return state.SkipWithError("nothing was pasted");
    quoxa::DeleteRange(kBigSize, kBigSize);
    quoxa::Doc().Journal.Reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_PasteQt256MiB)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

// A new buffer each run, written once and given back: the least any copy into memory of its
// own costs, page faults included.
void BM_MemcpyFreshReference256MiB(benchmark::State& state) {
  std::vector<char> from(kBigSize, 'a');
  for (auto _ : state) {
    char* to = static_cast<char*>(std::malloc(from.size()));
    std::memcpy(to, from.data(), from.size());
    benchmark::DoNotOptimize(to);
    benchmark::ClobberMemory();
    std::free(to);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBigSize});
}
BENCHMARK(BM_MemcpyFreshReference256MiB)->Unit(benchmark::kMillisecond)->UseRealTime();

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
