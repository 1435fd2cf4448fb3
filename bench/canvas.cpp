// Cost of drawing a spectrum curve, one line per segment, on a window-sized
// bitmap and on the recording canvas.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

#include "bench/qt_bench_main.h"
#include "platform/recording_canvas.h"
#include "platform/surfaces.h"

namespace {

void DrawCurve(plat::Canvas& canvas, int points) {
  canvas.SetColour(0x0000FF);
  canvas.SetPenWidth(1);
  double previousY = 400;
  for (int i = 1; i < points; ++i) {
    double y = 400 + 300 * std::sin(i * 0.01);
    canvas.Line(i - 1 + 10, previousY, i + 10, y);
    previousY = y;
  }
}

void BM_CurveOnBitmap(benchmark::State& state) {
  plat::BeginBitmap(1024, 768);
  plat::SetDrawingBitmap();
  for (auto _ : state) DrawCurve(plat::Surface(), static_cast<int>(state.range(0)));
  plat::EndBitmap();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CurveOnBitmap)->Arg(1000)->Arg(4000);

void BM_TextWidth(benchmark::State& state) {
  plat::SetDrawingMainWindow();
  plat::FontSpec font;
  font.size = 10;
  plat::Surface().SetFont(font);
  for (auto _ : state) benchmark::DoNotOptimize(plat::Surface().TextWidth("1234.5"));
}
BENCHMARK(BM_TextWidth);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunBenchmarksInQtApplication(argc, argv); }
