// Speed of a full redraw of the multi-spectrum views, drawn into an offscreen
// picture of a typical window size: a colour map issues one filled cell per
// point and member, a waterfall one filled profile (area and outline) per
// member, and nothing is cached between redraws, so a resize of a large
// series redraws them all. BM_WaterfallOutlinesAlone draws only the
// waterfall's member outlines, the same polylines with the same pen, on the
// same picture, through the canvas (which draws a pixel column's points
// once); BM_WaterfallOutlinesEverySegment draws them with every segment
// (drawPolyline of all points): the whole waterfall should take at most
// 1.5 times as long as the outlines with every segment.
// BM_ColourMap reports `per_image`: its best redraw's time over the best time
// of the same cells made into a picture of one pixel a cell (each in its
// colour on the ramp) and drawn scaled over the plot, on the same picture in
// the same run: at most 2 for 99 members of 2000 points.
// The views draw with the shipped presetting's pens, fonts and colours.
// The times are real (wall-clock) times, what a user waits for a redraw;
// the drawing runs on the calling thread, so on an idle machine the CPU
// column shows the same.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/drawing_styles.h"
#include "bench/qt_bench_main.h"
#include "core/model.h"
#include "core/store.h"
#include "display/multi_windows.h"
#include "display/redraw.h"
#include "display/view_target.h"
#include "platform/recording_canvas.h"
#include "platform/surfaces.h"

namespace {

constexpr int kWindow = 1;

// A series of `members` spectra of `points` points whose peak moves along.
void PlaceSeries(int kind, int members, int points) {
  using namespace sorvan;
  InitialiseModel();
  benchsupport::SetShippedDrawingStyles();
  WindowRecord& win = Win[kWindow];
  win.WindowOpen = true;
  win.WindowKind = static_cast<Byte>(kind);
  win.MemberCount = static_cast<Int16>(members);
  for (int m = 1; m <= members; ++m) win.MemberLabel[m] = std::to_string(m);
  win.MultiPointCount = points;
  win.MultiRegionStart = 1;
  win.MultiRegionEnd = static_cast<Int16>(points);
  win.MultiEnergyStep = 10.0 / points;
  win.MultiStartEnergy = 1486.6 - 300;
  win.MultiExcitationEnergy = 1486.6;
  win.MultiYBottom = 0;
  win.MultiYTop = 25000;
  win.YTickCount = 5;
  win.ShowYScale = 1;
  win.ShowMemberLabels = 1;
  win.ShowMaximumTrace = 1;
  win.SpectrumHeader.PointCount = static_cast<Int16>(points);
  G.ComponentCount = members;
  DimSlotComponents(kWindow);
  for (int m = 1; m <= members; ++m) {
    const double centre = points * (0.3 + 0.4 * m / members);
    for (int i = 1; i <= points; ++i)
      SlotComponents[kWindow](i, m) = 1000 + 20000 * std::exp(-std::pow((i - centre) / (points / 40.0), 2));
  }
}

void RedrawView(benchmark::State& state, int kind) {
  PlaceSeries(kind, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  plat::BeginBitmap(800, 560, kWindow);
  for (auto _ : state) sorvan::RedrawWindow(kWindow);
  plat::EndBitmap();
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

// The colour map's cells made into a picture of one pixel a cell (member 1
// at the bottom), each in its colour on the ramp, and drawn scaled over the
// plot the redraw laid out.
void DrawCellsAsImage(QImage& image, int members, int points) {
  using namespace sorvan;
  const WindowRecord& win = Win[kWindow];
  const double bottom = win.MultiYBottom, range = win.MultiYTop - win.MultiYBottom;
  const int back = static_cast<int>(G.PlotBackColour), full = static_cast<int>(G.CurveColours[0]);
  QImage cells(points - 1, members, QImage::Format_RGB32);
  for (int m = 1; m <= members; ++m) {
    auto* row = reinterpret_cast<QRgb*>(cells.scanLine(members - m));
    for (int i = 1; i <= points - 1; ++i) {
      const int colour = ColourRampColour(MemberValue(m, win.MultiRegionStart + i - 1), bottom, range, back, full);
      row[i - 1] = qRgb(plat::RedOf(colour), plat::GreenOf(colour), plat::BlueOf(colour));
    }
  }
  QPainter painter(&image);
  painter.drawImage(QRect(G.PlotLeft, G.SpacingUnit, G.PlotWidth, G.AxisY - G.SpacingUnit), cells);
}

void BM_ColourMap(benchmark::State& state) {
  const int members = static_cast<int>(state.range(0)), points = static_cast<int>(state.range(1));
  PlaceSeries(sorvan::ColourMap, members, points);
  plat::BeginBitmap(800, 560, kWindow);
  sorvan::RedrawWindow(kWindow);  // the layout the cells are drawn into
  plat::EndBitmap();
  QImage image(800, 560, QImage::Format_RGB32);
  image.fill(Qt::white);
  double asImage = 1e30;
  for (int k = 0; k < 10; ++k) {
    const auto start = std::chrono::steady_clock::now();
    DrawCellsAsImage(image, members, points);
    asImage = std::min(asImage, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  plat::BeginBitmap(800, 560, kWindow);
  double redrawing = 1e30;  // the best iteration, as the reference is the best of its runs
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    sorvan::RedrawWindow(kWindow);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    redrawing = std::min(redrawing, seconds);
  }
  plat::EndBitmap();
  state.counters["image_ms"] = 1e3 * asImage;
  state.counters["per_image"] = redrawing / asImage;
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}
void BM_Stacked(benchmark::State& state) { RedrawView(state, sorvan::StackedCurves); }
void BM_Waterfall(benchmark::State& state) { RedrawView(state, sorvan::Waterfall); }
// A polyline as the waterfall drew it: its points and the state it was
// drawn in.
struct Outline {
  std::vector<int> xs, ys;
  plat::DrawState state;
};

// The member outlines of one waterfall redraw: a recording canvas takes the
// drawing (a polyline arrives as its segments), and runs of joined segments
// in one state that are as long as a member are put together again.
std::vector<Outline> WaterfallOutlines(int points) {
  plat::RecordingCanvas recording(800, 560);
  plat::SetRecordingCanvas(kWindow, &recording);
  sorvan::RedrawWindow(kWindow);
  plat::SetRecordingCanvas(kWindow, nullptr);
  std::vector<Outline> outlines;
  Outline run;
  auto close = [&] {
    if (static_cast<int>(run.xs.size()) >= points) outlines.push_back(run);
    run = Outline{};
  };
  for (const plat::DrawCall& call : recording.Calls()) {
    if (call.kind != plat::DrawCall::Kind::Line) {
      close();
      continue;
    }
    const int x1 = plat::PixelOf(call.x1), y1 = plat::PixelOf(call.y1);
    const bool joined = !run.xs.empty() && run.xs.back() == x1 && run.ys.back() == y1 && run.state == call.state;
    if (!joined) {
      close();
      run.xs = {x1};
      run.ys = {y1};
      run.state = call.state;
    }
    run.xs.push_back(plat::PixelOf(call.x2));
    run.ys.push_back(plat::PixelOf(call.y2));
  }
  close();
  return outlines;
}

void BM_WaterfallOutlinesAlone(benchmark::State& state) {
  const int members = static_cast<int>(state.range(0)), points = static_cast<int>(state.range(1));
  PlaceSeries(sorvan::Waterfall, members, points);
  const std::vector<Outline> outlines = WaterfallOutlines(points);
  if (static_cast<int>(outlines.size()) != members) state.SkipWithError("not one outline a member");
  plat::BeginBitmap(800, 560, kWindow);
  plat::SetDrawingWindow(kWindow);
  plat::Canvas& canvas = plat::Surface();
  for (auto _ : state)
    for (const Outline& o : outlines) {
      canvas.SetState(o.state);
      canvas.Polyline(o.xs.data(), o.ys.data(), static_cast<int>(o.xs.size()));
    }
  plat::EndBitmap();
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

void BM_WaterfallOutlinesEverySegment(benchmark::State& state) {
  const int members = static_cast<int>(state.range(0)), points = static_cast<int>(state.range(1));
  PlaceSeries(sorvan::Waterfall, members, points);
  const std::vector<Outline> outlines = WaterfallOutlines(points);
  if (static_cast<int>(outlines.size()) != members) state.SkipWithError("not one outline a member");
  std::vector<std::vector<QPoint>> curves;
  for (const Outline& o : outlines) {
    curves.emplace_back();
    for (std::size_t i = 0; i < o.xs.size(); ++i) curves.back().emplace_back(o.xs[i], o.ys[i]);
  }
  QImage image(800, 560, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (auto _ : state)
    for (std::size_t k = 0; k < outlines.size(); ++k) {
      const plat::DrawState& s = outlines[k].state;
      QPainter painter(&image);
      QPen pen(QColor(plat::RedOf(s.colour), plat::GreenOf(s.colour), plat::BlueOf(s.colour)));
      pen.setWidth(s.penWidth);
      pen.setCapStyle(Qt::RoundCap);
      pen.setJoinStyle(Qt::RoundJoin);
      painter.setPen(pen);
      painter.drawPolyline(curves[k].data(), static_cast<int>(curves[k].size()));
    }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

BENCHMARK(BM_ColourMap)->Args({20, 1000})->Args({99, 2000})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Stacked)->Args({20, 1000})->Args({99, 2000})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Waterfall)->Args({20, 1000})->Args({99, 2000})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WaterfallOutlinesEverySegment)
    ->Args({20, 1000})
    ->Args({99, 2000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_WaterfallOutlinesAlone)
    ->Args({20, 1000})
    ->Args({99, 2000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunBenchmarksInQtApplication(argc, argv); }
