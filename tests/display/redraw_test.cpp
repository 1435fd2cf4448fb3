// The redraw of a single-spectrum window, checked through the recording
// canvas: axes, ticks, labels, titles and curve, and the degenerate spectra
// that must not break the layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "display/plotters.h"
#include "display/redraw.h"
#include "display_fixture.h"

namespace sorvan {
namespace {

using displaytest::DisplayTest;
using displaytest::PlaceSpectrum;
using plat::DrawCall;

bool Contains(const std::vector<std::string>& texts, const std::string& t) {
  return std::find(texts.begin(), texts.end(), t) != texts.end();
}

// Every coordinate of every call is a finite number.
void ExpectFiniteCalls(const plat::RecordingCanvas& canvas) {
  for (const DrawCall& c : canvas.Calls()) {
    EXPECT_TRUE(std::isfinite(c.x1) && std::isfinite(c.y1) && std::isfinite(c.x2) &&
                std::isfinite(c.y2) && std::isfinite(c.r))
        << plat::DrawCallKindName(c.kind) << " " << c.text;
  }
}

// A C 1s region: binding energies 296.15 down to 284.62 eV in 0.01 eV steps
// (kinetic start hv - 296.15), counts from 1200 to 1830.
std::vector<double> CarbonRegion() {
  std::vector<double> v(1154);
  for (size_t i = 0; i < v.size(); ++i) {
    const double x = (double(i) - 600) / 60;
    v[i] = 1200 + 630 * std::exp(-x * x);
  }
  return v;
}

TEST_F(DisplayTest, PlacedSpectrumShowsFrameTicksLabelsTitlesAndCurve) {
  const std::vector<double> v = CarbonRegion();
  PlaceSpectrum(kWindow, v, 1486.6 - 296.15, 0.01);
  RedrawWindow(kWindow);

  const WindowRecord& win = Win[kWindow];
  EXPECT_EQ(win.XAxisLeft, 297);
  EXPECT_EQ(win.XAxisRight, 283);
  EXPECT_EQ(win.XTickCount, 7);
  EXPECT_DOUBLE_EQ(win.YAxisTop, 1840);
  EXPECT_DOUBLE_EQ(win.YAxisBottom, 1200);
  EXPECT_EQ(win.IntensityUnit, "kCounts");
  EXPECT_EQ(win.YAxisTitle, "Intensity / kCounts");

  const auto texts = Canvas().Texts();
  for (const char* t : {"297", "295", "293", "291", "289", "287", "285", "283"})
    EXPECT_TRUE(Contains(texts, t)) << t;
  // 1840 - 128 = 1712 needs two decimals in kCounts.
  for (const char* t : {"1.84", "1.71", "1.20"}) EXPECT_TRUE(Contains(texts, t)) << t;
  EXPECT_TRUE(Contains(texts, "Binding energy / eV"));

  // The intensity title runs upward.
  bool upright = false;
  for (const DrawCall& c : Canvas().CallsOf(DrawCall::Kind::Text))
    if (c.text == "Intensity / kCounts") upright = c.state.font.escapement == 900;
  EXPECT_TRUE(upright);

  // The frame is the box from the plot's left edge to its right edge.
  bool frame = false;
  for (const DrawCall& c : Canvas().CallsOf(DrawCall::Kind::Box))
    frame |= c.x1 == G.PlotLeft && c.x2 == G.PlotRight && c.y1 == G.SpacingUnit && c.y2 == G.AxisY;
  EXPECT_TRUE(frame);

  // The spectrum: one segment per pair of neighbouring points, in its colour,
  // inside the plot, the maximum near the top tick.
  int segments = 0;
  double highest = 1e9;
  for (const DrawCall& c : Canvas().CallsOf(DrawCall::Kind::Line)) {
    if (c.state.colour != 0x000080) continue;
    ++segments;
    EXPECT_GE(c.x1, G.PlotLeft - 1);
    EXPECT_LE(c.x2, G.PlotRight + 1);
    highest = std::min(highest, c.y1);
  }
  EXPECT_EQ(segments, int(v.size()) - 1);
  EXPECT_GT(highest, G.YTickPixel[0]);
  EXPECT_LT(highest, G.YTickPixel[1]);
  // After the redraw the work vector holds the spectrum again.
  EXPECT_DOUBLE_EQ(WorkData[1], v[0]);
}

TEST_F(DisplayTest, AllZeroSpectrumGetsTheTopOnePointOne) {
  PlaceSpectrum(kWindow, std::vector<double>(50, 0.0), 1000, 0.1);
  RedrawWindow(kWindow);
  EXPECT_DOUBLE_EQ(Win[kWindow].YAxisTop, 1.1);
  EXPECT_DOUBLE_EQ(Win[kWindow].YAxisBottom, 0);
  EXPECT_EQ(Win[kWindow].IntensityUnit, "Counts");
  EXPECT_TRUE(Contains(Canvas().Texts(), "1.10"));
  ExpectFiniteCalls(Canvas());
}

// Spectra that once divided by zero somewhere in ranges or layout.
TEST_F(DisplayTest, DegenerateSpectraDrawWithFiniteCoordinates) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* what;
    std::vector<double> values;
    double step;
    double yTicks;
  };
  const std::vector<Case> cases = {
      {"one point at a whole electronvolt", {500}, 0.5, 5},
      {"flat", std::vector<double>(40, 7.0), 0.5, 5},
      {"flat and large", std::vector<double>(40, 3e9), 0.5, 5},
      {"zero energy step", {1, 2, 3, 4}, 0.0, 5},
      {"no intensity tick intervals", {1, 5, 2}, 1.0, 0},
      {"per second without dwell time", {inf, 3, nan, 5, -inf}, 1.0, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Canvas().Clear();
    PlaceSpectrum(kWindow, c.values, 1486.6 - 1001, c.step);
    Win[kWindow].YTickCount = c.yTicks;
    EXPECT_NO_THROW(RedrawWindow(kWindow));
    ExpectFiniteCalls(Canvas());
    EXPECT_GT(Win[kWindow].XAxisSpan, 0);
    EXPECT_GT(Win[kWindow].YAxisSpan, 0);
    EXPECT_TRUE(std::isfinite(G.PixelsPerEnergy));
    EXPECT_TRUE(std::isfinite(G.PixelsPerIntensity));
  }
}

// Windows whose region and data disagree, as a damaged project can leave them.
TEST_F(DisplayTest, RegionBeyondTheDataDrawsWithoutReadingOutside) {
  struct Case {
    const char* what;
    int points;
    int regionStart, regionEnd;
  };
  const Case cases[] = {
      {"no data", 0, 0, 0},
      {"region past the last point", 10, 1, 40},
      {"region before the first point", 10, -5, 10},
      {"region reversed", 10, 8, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Canvas().Clear();
    PlaceSpectrum(kWindow, std::vector<double>(c.points, 3.0), 1000, 0.5);
    WindowRecord& win = Win[kWindow];
    win.RegionStart = static_cast<Int16>(c.regionStart);
    win.RegionEnd = static_cast<Int16>(c.regionEnd);
    win.RegionLength = static_cast<Int16>(c.regionEnd - c.regionStart + 1);
    EXPECT_NO_THROW(RedrawWindow(kWindow));
    ExpectFiniteCalls(Canvas());
  }
}

TEST_F(DisplayTest, PointsFarOutsideAFixedRangeDoNotWrapAround) {
  std::vector<double> v(200);
  for (int i = 0; i < 200; ++i) v[i] = 100 + i;
  PlaceSpectrum(kWindow, v, 1000, 1.0);
  // A user-fixed range that shows only a sliver of the intensities.
  Win[kWindow].YRangeFixed = 1;
  Win[kWindow].YAxisTop = 101;
  Win[kWindow].YAxisBottom = 100;
  Win[kWindow].YAxisSpan = 1;
  RedrawWindow(kWindow);
  // Point 200 lies about 199 plot heights above the top: far above, never
  // wrapped around to below the plot.
  EXPECT_LT(G.CurveY[200], -30000);
  EXPECT_GT(G.CurveY[1], 0);
  for (const DrawCall& c : Canvas().CallsOf(DrawCall::Kind::Line)) {
    if (c.state.colour != 0x000080) continue;
    EXPECT_LE(c.y2, c.y1 + 1);  // the curve only rises
  }
}

TEST_F(DisplayTest, FittedWindowShowsResidualStripAndPeaks) {
  const int n = 60;
  std::vector<double> v(n);
  for (int i = 0; i < n; ++i) v[i] = 100 + 50 * std::exp(-std::pow((i - 30) / 6.0, 2));
  PlaceSpectrum(kWindow, v, 1000, 0.2);
  WindowRecord& win = Win[kWindow];
  win.HasFit = 1;
  win.PeakCount = 1;
  win.ResidualMin = -3;
  win.ResidualMax = 3;
  G.ComponentCount = 1;
  DimSlotComponents(kWindow);
  for (int i = 1; i <= n; ++i) {
    SlotComponents[kWindow](i, 1) = v[i - 1];
    SlotComponents[kWindow](i, 2) = v[i - 1];
    SlotComponents[kWindow](i, 3) = (i % 7) - 3;
  }
  G.CurveColours[ResidualCurve] = 0x00FF00;
  RedrawWindow(kWindow);
  const double h = std::fabs(double(G.ResidualTop) - G.ResidualBottom);
  EXPECT_DOUBLE_EQ(G.ResidualScale, h / 6);
  EXPECT_GT(G.ResidualTop, G.AxisY);
  int residual = 0;
  for (const DrawCall& c : Canvas().CallsOf(DrawCall::Kind::Line)) {
    if (c.state.colour != 0x00FF00) continue;
    ++residual;
    EXPECT_GE(c.y1, G.ResidualTop);
    EXPECT_LE(c.y1, G.ResidualBottom);
  }
  EXPECT_EQ(residual, n - 1);
  const auto texts = Canvas().Texts();
  EXPECT_TRUE(Contains(texts, "1"));
  EXPECT_TRUE(Contains(texts, "-1"));
  EXPECT_TRUE(Contains(texts, "R(E)"));

  // Residuals all zero: the strip keeps a finite scale.
  win.ResidualMin = win.ResidualMax = 0;
  Canvas().Clear();
  RedrawWindow(kWindow);
  EXPECT_EQ(G.ResidualScale, 1);
  ExpectFiniteCalls(Canvas());
}

TEST_F(DisplayTest, ClosedWindowIsNotDrawn) {
  PlaceSpectrum(kWindow, {1, 2, 3}, 1000, 1);
  Win[kWindow].WindowOpen = false;
  RedrawWindow(kWindow);
  EXPECT_TRUE(Canvas().Calls().empty());
  EXPECT_EQ(G.Redrawing, 0);
}

}  // namespace
}  // namespace sorvan
