// The data inspector's update after a cursor move, beside the grids' own repaint of the cursor
// row and beside a plain copy and print of the same values, in the same run.
#include <benchmark/benchmark.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "tools/CursorValues.h"

namespace {

constexpr unsigned char kBytes[16] = {0x78, 0x56, 0x34, 0x12, 0xF0, 0xDE, 0xBC, 0x9A,
                                      0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};

// The core's part: every row decoded from 16 bytes.
void BM_InspectorDecodeRows(benchmark::State& state) {
  quoxa::InspectorValues values;
  std::string bytes(reinterpret_cast<const char*>(kBytes), sizeof kBytes);
  for (auto _ : state) {
    bytes[0] = static_cast<char>(bytes[0] + 1);
    quoxa::DecodeInspector(bytes, {}, values);
    benchmark::DoNotOptimize(values);
  }
}
BENCHMARK(BM_InspectorDecodeRows)->Unit(benchmark::kMicrosecond);

// Reference: the bytes copied and the plain numbers printed with snprintf, no checks.
void BM_ReferenceMemcpySnprintf(benchmark::State& state) {
  unsigned char bytes[16];
  char text[22][48];
  for (auto _ : state) {
    std::memcpy(bytes, kBytes, sizeof bytes);
    bytes[0] = static_cast<unsigned char>(bytes[0] + 1);
    int64_t i64 = 0;
    uint32_t u32 = 0;
    float f32 = 0;
    double f64 = 0;
    std::memcpy(&i64, bytes, 8);
    std::memcpy(&u32, bytes, 4);
    std::memcpy(&f32, bytes, 4);
    std::memcpy(&f64, bytes, 8);
    for (int row = 0; row < 22; row += 4) {
      std::snprintf(text[row], sizeof text[row], "%" PRId64, i64 + row);
      std::snprintf(text[row + 1], sizeof text[row + 1], "%" PRIu32, u32 + static_cast<uint32_t>(row));
      std::snprintf(text[row + 2], sizeof text[row + 2], "%.15G", f64);
      if (row + 3 < 22) std::snprintf(text[row + 3], sizeof text[row + 3], "%.15G", static_cast<double>(f32));
    }
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_ReferenceMemcpySnprintf)->Unit(benchmark::kMicrosecond);

}  // namespace

#ifdef QUOXA_BENCH_GUI

#include <QTableWidget>

#include "BenchApplication.h"
#include "BenchDocument.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Navigation.h"
#include "core/View.h"
#include "tools/CursorValuesDock.h"
#include "ui/main/FormMain.h"
#include "ui/main/QZStrGrid.h"

namespace {

quoxa::TFormMain& Window() {
  quoxa::bench::EnsureApplication();
  quoxa::bench::LoadBigDocument();
  static quoxa::TFormMain form;
  form.show();
  form.SetGridSize(16, 20);
  quoxa::Doc().ViewReady = true;
  form.Inspector()->show();
  return form;
}

// The cursor moves one byte to the right within the page, as the Right key moves it.
void MoveCursor(int64_t& pos) {
  pos = pos % quoxa::Doc().PageSize + 1;
  quoxa::GotoAddress(pos, true, true);
}

// What the dock does per cursor move: the rows decoded and the changed texts set, then painted.
void BM_InspectorUpdatePerCursorMove(benchmark::State& state) {
  quoxa::TFormMain& form = Window();
  QTableWidget* table = form.Inspector()->Table();
  int64_t pos = 1;
  for (auto _ : state) {
    MoveCursor(pos);
    form.Inspector()->Refresh();
    table->viewport()->repaint();
  }
}
BENCHMARK(BM_InspectorUpdatePerCursorMove)->Unit(benchmark::kMicrosecond);

// The dock's own work without painting: the rows decoded and the changed texts set.
void BM_InspectorRefreshPerCursorMove(benchmark::State& state) {
  quoxa::TFormMain& form = Window();
  int64_t pos = 1;
  for (auto _ : state) {
    MoveCursor(pos);
    form.Inspector()->Refresh();
  }
}
BENCHMARK(BM_InspectorRefreshPerCursorMove)->Unit(benchmark::kMicrosecond);

// Reference: the grids' own work for the same move, the cursor row refilled and painted.
void BM_GridCursorRowRepaint(benchmark::State& state) {
  quoxa::TFormMain& form = Window();
  int64_t pos = 1;
  for (auto _ : state) {
    MoveCursor(pos);
    quoxa::RepaintFrom(0, quoxa::Doc().CursorRow);
    form.QZStrGridHex()->repaint();
    form.QZStrGridText()->repaint();
  }
}
BENCHMARK(BM_GridCursorRowRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

#endif  // QUOXA_BENCH_GUI
