// Speed of a full redraw of a single-spectrum window, drawn into an
// offscreen picture of a typical window size: the redraw must keep up with
// a window being resized, also for the longest spectra (32767 points).
// BM_FullPolyline draws the redraw's spectrum curve alone with every segment
// (the points the redraw maps, one drawPolyline on the same picture with the
// same pen): the whole redraw of 32767 points should take at most half of it,
// as the canvas draws a pixel column's points once.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "bench/drawing_styles.h"
#include "bench/qt_bench_main.h"
#include "core/model.h"
#include "core/store.h"
#include "display/redraw.h"
#include "platform/surfaces.h"

namespace {

constexpr int kWindow = 1;

void PlaceNoisySpectrum(int points) {
  using namespace sorvan;
  InitialiseModel();
  benchsupport::SetPlainDrawingStyles();
  WindowRecord& win = Win[kWindow];
  win.SpectrumHeader.PointCount = static_cast<Int16>(points);
  win.SpectrumHeader.StartEnergy = 1486.6 - 1100;
  win.SpectrumHeader.EnergyStep = 1100.0 / points;
  win.SpectrumHeader.ExcitationEnergy = 1486.6;
  win.RegionStart = 1;
  win.RegionEnd = static_cast<Int16>(points);
  win.RegionLength = static_cast<Int16>(points);
  win.ShowYScale = 1;
  win.YTickCount = 5;
  win.WindowOpen = true;
  DimSlotData(kWindow);
  unsigned seed = 12345;
  for (int i = 1; i <= points; ++i) {
    seed = seed * 1103515245u + 12345u;
    const double noise = double(seed >> 16 & 0x7FFF) / 32768.0;
    SlotData[kWindow](i, 1) = 1000 + 20000 * std::exp(-std::pow((i - points / 3.0) / (points / 50.0), 2)) +
                              100 * noise;
  }
}

void BM_RedrawWindow(benchmark::State& state) {
  PlaceNoisySpectrum(static_cast<int>(state.range(0)));
  plat::BeginBitmap(800, 560, kWindow);
  for (auto _ : state) {
    sorvan::RedrawWindow(kWindow);
  }
  plat::EndBitmap();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RedrawWindow)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_FullPolyline(benchmark::State& state) {
  const int points = static_cast<int>(state.range(0));
  PlaceNoisySpectrum(points);
  plat::BeginBitmap(800, 560, kWindow);
  sorvan::RedrawWindow(kWindow);
  plat::EndBitmap();
  std::vector<QPoint> curve;
  for (int i = 1; i <= points; ++i) curve.emplace_back(sorvan::G.CurveX[i], sorvan::G.CurveY[i]);
  QImage image(800, 560, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPen pen(QColor(0, 0, 0));
  pen.setWidth(static_cast<int>(sorvan::G.CurveWidths[0]));
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  for (auto _ : state) {
    QPainter painter(&image);
    painter.setPen(pen);
    painter.drawPolyline(curve.data(), points);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FullPolyline)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunBenchmarksInQtApplication(argc, argv); }
