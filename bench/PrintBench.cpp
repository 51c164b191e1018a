// Printing as the user gets it, through the Print dialog's "Preview/Print":
// - the text output of a 64 MiB selection (the job, the progress box, the rows, the safe
//   writer), against xxd writing a dump of the same bytes to a file;
// - the preview of a 2,050-page dump from OK until its first page is painted, against the
//   preview of a one-page dump through the same dialog; and turning its pages.
#include <benchmark/benchmark.h>

#ifdef QUOXA_BENCH_GUI

#include <QApplication>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "BenchApplication.h"
#include "BenchDocument.h"
#include "core/AtomicFileWriter.h"
#include "core/DocState.h"
#include "core/PlatformFile.h"
#include "core/Progress.h"
#include "print/FormPreview.h"
#include "print/FormPrint.h"
#include "print/QZReport.h"
#include "widgets/ProgressBoxForm.h"

namespace {

using quoxa::bench::BenchFolder;

constexpr int64_t kTextBytes = 64 * 1024 * 1024;
// 2,050 pages of 61 rows of 16 bytes: A4 portrait, 15 mm margins, 10 points.
constexpr int64_t kPreviewPages = 2050;
constexpr int64_t kRowsPerPage = 61;

// The big document with a block of count bytes from its start, and a settings file whose
// section "Printing" dumps the block to a file or to the preview.
void Prepare(int64_t count, bool toFile) {
  quoxa::bench::EnsureApplication();
  quoxa::bench::LoadBigDocument();
  quoxa::Doc().FileName = BenchFolder() + "/document.bin";
  quoxa::Doc().BlockBegin = 1;
  quoxa::Doc().BlockEnd = count;
  const std::string ini = BenchFolder() + "/print-quoxa.ini";
  const std::string text = std::string("[Printing]\nBytesPerRow=16\nOutputToFile=") + (toFile ? "1" : "0") + "\n";
  quoxa::WriteFileSafely(ini, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int64_t>(text.size()));
  qputenv("QUOXA_INI", ini.c_str());
}

// The real progress box, as the program shows it.
class QtProgressScope {
 public:
  QtProgressScope() { quoxa::InstallProgressFactory(&factory_); }
  ~QtProgressScope() { quoxa::InstallProgressFactory(nullptr); }

 private:
  quoxa::TQtProgressFactory factory_;
};

void BM_DumpTextFromPrintDialog(benchmark::State& state) {
  Prepare(kTextBytes, true);
  const QtProgressScope progress;
  const std::string out = BenchFolder() + "/dump-quoxa.txt";
  for (auto _ : state) {
    state.PauseTiming();
    unlink(out.c_str());
    quoxa::TQZReport report;
    quoxa::TFormPrint form(report);
    form.SetOutputFileQuestion([&out] { return out; });
    form.show();
    QApplication::processEvents();
    state.ResumeTiming();
    form.ButtonOKClick();
    state.PauseTiming();
    if (quoxa::FileSizeOf(out) <= 0) return state.SkipWithError("no text output");
    state.counters["MB"] = static_cast<double>(quoxa::FileSizeOf(out)) / 1e6;
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * kTextBytes);
}
BENCHMARK(BM_DumpTextFromPrintDialog)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The reference: xxd reads the same 64 MiB from a file and writes its dump to a file.
void BM_DumpTextXxdReference(benchmark::State& state) {
  quoxa::bench::LoadBigDocument();
  const std::string in = BenchFolder() + "/dump-64MiB.bin";
  const std::string out = BenchFolder() + "/dump-xxd.txt";
  if (quoxa::FileSizeOf(in) != kTextBytes) {
    quoxa::WriteFileSafely(in, quoxa::Doc().DocBuffer, kTextBytes);
  }
  const std::string command = "xxd '" + in + "' > '" + out + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) return state.SkipWithError("xxd failed");
  }
  state.counters["MB"] = static_cast<double>(quoxa::FileSizeOf(out)) / 1e6;
  state.SetBytesProcessed(state.iterations() * kTextBytes);
}
BENCHMARK(BM_DumpTextXxdReference)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// From OK until the preview shows its first page, painted.
void PreviewThroughDialog(benchmark::State& state, int64_t pages) {
  Prepare(pages * kRowsPerPage * 16, false);
  int shownPages = 0;
  for (auto _ : state) {
    state.PauseTiming();
    quoxa::TQZReport report;
    quoxa::TFormPrint form(report);
    form.SetPreviewHandler([&shownPages](quoxa::TQZReport& r) {
      quoxa::TFormPreview preview(r, QStringLiteral("Preview"), 65);
      preview.show();
      preview.PaintBox()->grab();
      shownPages = r.PageCount();
    });
    form.show();
    QApplication::processEvents();
    state.ResumeTiming();
    form.ButtonOKClick();
  }
  if (shownPages != pages) state.SkipWithError(("the preview has " + std::to_string(shownPages) + " pages").c_str());
  state.counters["pages"] = shownPages;
}

void BM_PreviewOf2050Pages(benchmark::State& state) { PreviewThroughDialog(state, kPreviewPages); }
BENCHMARK(BM_PreviewOf2050Pages)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_PreviewOfOnePageReference(benchmark::State& state) { PreviewThroughDialog(state, 1); }
BENCHMARK(BM_PreviewOfOnePageReference)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Paging through the preview of 2,050 pages: Next, the page drawn and painted.
void BM_PreviewPageTurn(benchmark::State& state) {
  Prepare(kPreviewPages * kRowsPerPage * 16, false);
  quoxa::TQZReport report;
  quoxa::TFormPrint form(report);
  form.SetPreviewHandler([&state](quoxa::TQZReport& r) {
    quoxa::TFormPreview preview(r, QStringLiteral("Preview"), 65);
    preview.show();
    preview.PaintBox()->grab();
    for (auto _ : state) {
      if (preview.CurrentPage() == r.PageCount()) preview.FirstClick();
      preview.NextClick();
      preview.PaintBox()->grab();
    }
  });
  form.show();
  QApplication::processEvents();
  form.ButtonOKClick();
}
BENCHMARK(BM_PreviewPageTurn)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

#endif  // QUOXA_BENCH_GUI
