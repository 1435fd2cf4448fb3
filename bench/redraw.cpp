// Speed of a full redraw of a single-spectrum window, drawn into an
// offscreen picture of a typical window size with the shipped presetting's
// pens (the spectrum in a two-pixel pen): the redraw must keep up with a
// window being resized, also for the longest spectra (32767 points).
//
// BM_RedrawWindow reports, for its spectrum, two ratios of its best redraw to
// the best of references drawn in the same run on the same picture with the
// same pen (QPainter alone):
// - per_runs: the whole redraw over the redraw's spectrum curve drawn in
//   runs of 32 segments through the points that change its pixels (the
//   canvas's own choice of points), which gives the same pixels as the whole
//   curve of every point in one stroke (`runs_pixels_differ` counts the
//   pixels that differ: 0). Target for 32767 points: at most 1.5.
// - per_polyline: the whole redraw over the curve of every point drawn as
//   one polyline. Target for 32767 points: at most 0.5.
// BM_FullPolyline times the one-polyline reference alone.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "bench/drawing_styles.h"
#include "bench/qt_bench_main.h"
#include "core/model.h"
#include "core/store.h"
#include "display/redraw.h"
#include "platform/painter_canvas.h"
#include "platform/surfaces.h"
#include "platform/text.h"

namespace {

constexpr int kWindow = 1;
constexpr int kWidth = 800, kHeight = 560;

void PlaceNoisySpectrum(int points) {
  using namespace sorvan;
  InitialiseModel();
  benchsupport::SetShippedDrawingStyles();
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

// The spectrum curve of the last redraw and the pen the redraw drew it in.
std::vector<QPoint> RedrawnCurve(int points) {
  std::vector<QPoint> curve;
  for (int i = 1; i <= points; ++i) curve.emplace_back(sorvan::G.CurveX[i], sorvan::G.CurveY[i]);
  return curve;
}

QPen ShippedCurvePen() {
  const int colour = static_cast<int>(sorvan::G.CurveColours[0]);
  QPen pen(QColor(plat::RedOf(colour), plat::GreenOf(colour), plat::BlueOf(colour)));
  pen.setWidth(static_cast<int>(plat::RoundHalfEven(sorvan::G.CurveWidths[0])));
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

QImage WhitePicture() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

void DrawWhole(QImage& image, const QPen& pen, const std::vector<QPoint>& curve) {
  QPainter painter(&image);
  painter.setPen(pen);
  painter.drawPolyline(curve.data(), static_cast<int>(curve.size()));
}

void DrawInRuns(QImage& image, const QPen& pen, const std::vector<QPoint>& curve) {
  constexpr int kRun = 32;
  QPainter painter(&image);
  painter.setPen(pen);
  const int n = static_cast<int>(curve.size());
  for (int a = 0; a + 1 < n; a += kRun) painter.drawPolyline(curve.data() + a, std::min(kRun + 1, n - a));
}

// The best of `repeats` timings of `work`, in seconds.
double BestSeconds(int repeats, const std::function<void()>& work) {
  double best = 1e30;
  for (int k = 0; k < repeats; ++k) {
    const auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

int PixelsThatDiffer(const QImage& a, const QImage& b) {
  int differ = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) differ += ra[x] != rb[x];
  }
  return differ;
}

void BM_RedrawWindow(benchmark::State& state) {
  const int points = static_cast<int>(state.range(0));
  PlaceNoisySpectrum(points);
  plat::BeginBitmap(kWidth, kHeight, kWindow);
  sorvan::RedrawWindow(kWindow);
  const std::vector<QPoint> curve = RedrawnCurve(points);
  const QPen pen = ShippedCurvePen();
  std::vector<QPoint> shown = curve;
  shown.resize(static_cast<std::size_t>(
      plat::detail::KeepPixelsOfPolyline(shown.data(), static_cast<int>(shown.size()), kWidth, kHeight)));
  QImage whole = WhitePicture(), runs = WhitePicture();
  DrawWhole(whole, pen, curve);
  DrawInRuns(runs, pen, shown);
  const double inRuns = BestSeconds(10, [&] { DrawInRuns(runs, pen, shown); });
  const double asPolyline = BestSeconds(3, [&] { DrawWhole(whole, pen, curve); });
  double redrawing = 1e30;  // the best iteration, as the reference is the best of its runs
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    sorvan::RedrawWindow(kWindow);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    redrawing = std::min(redrawing, seconds);
  }
  plat::EndBitmap();
  const double perRedraw = redrawing;
  state.counters["pen_width"] = pen.width();
  state.counters["points_shown"] = static_cast<double>(shown.size());
  state.counters["runs_pixels_differ"] = PixelsThatDiffer(whole, runs);
  state.counters["runs_ms"] = 1e3 * inRuns;
  state.counters["polyline_ms"] = 1e3 * asPolyline;
  state.counters["per_runs"] = perRedraw / inRuns;
  state.counters["per_polyline"] = perRedraw / asPolyline;
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RedrawWindow)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_FullPolyline(benchmark::State& state) {
  const int points = static_cast<int>(state.range(0));
  PlaceNoisySpectrum(points);
  plat::BeginBitmap(kWidth, kHeight, kWindow);
  sorvan::RedrawWindow(kWindow);
  plat::EndBitmap();
  const std::vector<QPoint> curve = RedrawnCurve(points);
  const QPen pen = ShippedCurvePen();
  QImage image = WhitePicture();
  for (auto _ : state) DrawWhole(image, pen, curve);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FullPolyline)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunBenchmarksInQtApplication(argc, argv); }
