// Refilling and painting one 32 x 40 page of the real grids, offscreen, against
// the bare conversion of the same bytes to hex text.
#include <benchmark/benchmark.h>

#ifdef QUOXA_BENCH_GUI

#include <QApplication>
#include <cstdio>

#include "BenchApplication.h"
#include "BenchDocument.h"
// Before DocState.h: the command names would shadow the state variables otherwise.
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Navigation.h"
#include "core/View.h"
#include "ui/main/FormMain.h"
#include "ui/main/GridKeys.h"
#include "ui/main/QZStrGrid.h"

namespace {

constexpr int kCols = 32;
constexpr int kRows = 40;

using quoxa::bench::EnsureApplication;

// The window over the big document, a 32 x 40 page.
quoxa::TFormMain& Window() {
  EnsureApplication();
  quoxa::bench::LoadBigDocument();
  static quoxa::TFormMain form;
  form.show();
  form.SetGridSize(kCols, kRows);
  quoxa::Doc().ViewReady = true;
  return form;
}

void PaintGrids(quoxa::TFormMain& form) {
  form.QZStrGridHex()->repaint();
  form.QZStrGridText()->repaint();
  form.QZStrGridAddr()->repaint();
}

// One full page: every cell of the three grids refilled and painted.
void BM_RepaintPage(benchmark::State& state) {
  quoxa::TFormMain& form = Window();
  int32_t top = 1;
  for (auto _ : state) {
    // A different page each time, so that no cell keeps its text.
    quoxa::Doc().TopAddress = top;
    quoxa::RecomputeLastShown();
    quoxa::RepaintFrom(0, 0);
    PaintGrids(form);
    top += quoxa::Doc().PageSize + 7 * kCols;
    if (top > quoxa::Doc().DocSize - quoxa::Doc().PageSize) top = 1;
  }
  state.SetItemsProcessed(state.iterations() * kCols * kRows);
}
BENCHMARK(BM_RepaintPage)->Unit(benchmark::kMicrosecond);

// Refill without painting: what the page change itself costs.
void BM_RefillPageCells(benchmark::State& state) {
  Window();
  int32_t top = 1;
  for (auto _ : state) {
    quoxa::Doc().TopAddress = top;
    quoxa::RecomputeLastShown();
    quoxa::RepaintFrom(0, 0);
    top += quoxa::Doc().PageSize + 7 * kCols;
    if (top > quoxa::Doc().DocSize - quoxa::Doc().PageSize) top = 1;
  }
  state.SetItemsProcessed(state.iterations() * kCols * kRows);
}
BENCHMARK(BM_RefillPageCells)->Unit(benchmark::kMicrosecond);

// Page Down held in the 256 MiB document: the key's rule, the refill and the paint.
void BM_PageDownKeyInBigDocument(benchmark::State& state) {
  quoxa::TFormMain& form = Window();
  quoxa::GotoTop();
  for (auto _ : state) {
    if (quoxa::Doc().LastShownAddress >= quoxa::Doc().DocSize) quoxa::GotoTop();
    form.Keys().KeyDown(quoxa::GridKey::PageDown, false, false);
    PaintGrids(form);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PageDownKeyInBigDocument)->Unit(benchmark::kMicrosecond);

// A character typed in insert mode at the front of the 256 MiB document and
// taken back with Backspace, repainted each time; compare with BM_MemmoveReference.
void BM_TypeInsertAtFrontOfBigDocument(benchmark::State& state) {
  quoxa::TFormMain& form = Window();
  quoxa::Doc().TextMode = true;
  quoxa::Doc().OverwriteMode = false;
  quoxa::GotoTop();
  for (auto _ : state) {
    form.Keys().KeyPress("a");
    form.Keys().RunPostedKeys();
    form.Keys().KeyDown(quoxa::GridKey::Backspace, false, false);
    PaintGrids(form);
  }
  quoxa::Doc().OverwriteMode = true;
  state.SetBytesProcessed(state.iterations() * int64_t{quoxa::bench::kBigSize} * 2);
}
BENCHMARK(BM_TypeInsertAtFrontOfBigDocument)->Unit(benchmark::kMillisecond);

// Reference: the same number of bytes turned into hex and character text with snprintf.
void BM_RepaintPageReference(benchmark::State& state) {
  Window();
  char text[kCols * kRows * 4];
  int32_t top = 1;
  for (auto _ : state) {
    char* out = text;
    for (int i = 0; i < kCols * kRows; ++i) {
      const unsigned b = quoxa::Doc().DocBuffer[top - 1 + i];
      out += std::snprintf(out, 4, "%02X", b);
      *out++ = static_cast<char>(b);
    }
    benchmark::DoNotOptimize(text);
    top += quoxa::Doc().PageSize + 7 * kCols;
    if (top > quoxa::Doc().DocSize - quoxa::Doc().PageSize) top = 1;
  }
  state.SetItemsProcessed(state.iterations() * kCols * kRows);
}
BENCHMARK(BM_RepaintPageReference)->Unit(benchmark::kMicrosecond);

}  // namespace

#endif  // QUOXA_BENCH_GUI
