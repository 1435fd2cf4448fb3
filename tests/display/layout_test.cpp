// Layout of the single-spectrum frame, the tick and unit texts of a window,
// label positions, the cursor line and the picture of the bitmap export.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "display/frame.h"
#include "display/labels_text.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "display_fixture.h"

namespace sorvan {
namespace {

using displaytest::DisplayTest;
using displaytest::PlaceSpectrum;
using plat::DrawCall;

std::vector<double> Ramp(int n) {
  std::vector<double> v(n);
  for (int i = 0; i < n; ++i) v[i] = 1000 + 10 * i;
  return v;
}

TEST_F(DisplayTest, TickDirectionAndScaleMoveTheMargins) {
  struct Case {
    const char* what;
    int direction;
    int showScale;
  };
  const Case cases[] = {{"inside", 0, 1}, {"outside", 1, 1}, {"across", 2, 1}, {"no scale", 0, 0}};
  PlaceSpectrum(kWindow, Ramp(100), 1000, 0.1);
  G.TickSize = 2;  // T = H/50
  const double H = 420, T = H / 50;
  double insideLeft = 0, insideHeight = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    G.TickDirection = c.direction;
    Win[kWindow].ShowYScale = static_cast<Byte>(c.showScale);
    RedrawWindow(kWindow);
    if (c.direction == 0 && c.showScale == 1) {
      insideLeft = G.PlotLeft;
      insideHeight = G.PlotHeight;
      // No fit: the energy axis lies 1.5 F3 + F2 + SpacingUnit above the bottom edge.
      EXPECT_EQ(G.LayoutHeight, std::round(2.5 * (G.AxisY - G.PlotHeight)));
    } else if (c.showScale == 1) {
      EXPECT_NEAR(G.PlotLeft, insideLeft + T, 1);
      EXPECT_NEAR(G.PlotHeight, insideHeight - T, 1);
    } else {
      // Room for the upright title only, and blank intensity labels.
      EXPECT_LT(G.PlotLeft, insideLeft);
      EXPECT_EQ(G.YTickText[0], " ");
    }
  }
}

TEST_F(DisplayTest, IntensityLabelsFollowTheUnit) {
  struct Case {
    double top, span;
    int ticks;
    bool perSecond;
    std::vector<std::string> labels;
    const char* unit;
  };
  const std::vector<Case> cases = {
      {2e6, 2e6, 5, true, {" 2.0", " 1.6", " 1.2", " 0.8", " 0.4", " 0.0"}, "Mcps"},
      {25000, 25000, 5, true, {"  25", "  20", "  15", "  10", "   5", "   0"}, "kcps"},
      {0.9, 0.9, 3, false, {"900.00", "600.00", "300.00", "0.00"}, "mCounts"},
      {0.6, 0.6, 5, false, {" 600", " 480", " 360", " 240", " 120", "   0"}, "mCounts"},
      {-5000, 5000, 5, false, {"  -5", "  -6", "  -7", "  -8", "  -9", " -10"}, "kCounts"},
  };
  WindowRecord& win = Win[kWindow];
  win.ShowYScale = 1;
  for (const Case& c : cases) {
    win.YAxisTop = c.top;
    win.YAxisSpan = c.span;
    win.YTickCount = c.ticks;
    G.CpsMode = c.perSecond ? 1 : 0;
    MakeUnitAndTickLabels(kWindow);
    EXPECT_EQ(win.IntensityUnit, c.unit) << c.top;
    for (size_t t = 0; t < c.labels.size(); ++t) EXPECT_EQ(G.YTickText[t], c.labels[t]) << c.top;
  }
  // A transmission-function window: the intensity word alone, unit kept.
  G.LabelTexts[130] = "Transmission";
  win.ImportFormat = 26;
  win.YAxisTop = win.YAxisSpan = 0.9;
  win.YTickCount = 3;
  MakeUnitAndTickLabels(kWindow);
  EXPECT_EQ(win.YAxisTitle, "Transmission");
  EXPECT_EQ(win.IntensityUnit, "kCounts");
  EXPECT_EQ(G.YTickText[0], "900.00");
  // Scale hidden: blanks, title kept.
  win.ShowYScale = 0;
  MakeUnitAndTickLabels(kWindow);
  EXPECT_EQ(G.YTickText[2], " ");
  EXPECT_EQ(win.YAxisTitle, "Transmission");
  // A title the user typed stays, while the unit follows the range.
  win.ShowYScale = 1;
  for (int format : {0, 26}) {
    win.ImportFormat = static_cast<Byte>(format);
    win.YTitleFixed = 1;
    win.YAxisTitle = "Yield / a.u.";
    win.YAxisTop = win.YAxisSpan = 25000;
    G.CpsMode = 1;
    MakeUnitAndTickLabels(kWindow);
    EXPECT_EQ(win.YAxisTitle, "Yield / a.u.") << format;
    if (format == 0) {
      EXPECT_EQ(win.IntensityUnit, "kcps");
    }
  }
}

TEST_F(DisplayTest, EnergyLabelsTakeADecimalOnlyWhenTheStepNeedsIt) {
  WindowRecord& win = Win[kWindow];
  struct Case {
    int mode;
    double left, span, ticks;
    std::vector<std::string> labels;
  };
  const std::vector<Case> cases = {
      {0, 296, 14, 7, {"296", "294", "292", "290", "288", "286", "284", "282"}},
      {0, 286, 2, 3, {"286.0", "285.3", "284.7", "284.0"}},
      {1, 1190, 1, 3, {"1190.0", "1190.3", "1190.7", "1191.0"}},
  };
  for (const Case& c : cases) {
    G.EnergyAxisMode = static_cast<Byte>(c.mode);
    win.XAxisLeft = c.left;
    win.XAxisSpan = c.span;
    win.XTickCount = c.ticks;
    MakeUnitAndTickLabels(kWindow);
    for (size_t t = 0; t < c.labels.size(); ++t) EXPECT_EQ(G.XTickText[t], c.labels[t]) << c.left;
  }
}

TEST_F(DisplayTest, AnnotationSitsOnePointStepLeftOfItsPoint) {
  PlaceSpectrum(kWindow, Ramp(101), 1486.6 - 300, 0.1);
  G.CommandId = 1320;  // painted into the picture, as the bitmap export does
  Win[kWindow].AnnotationCount = 1;
  Labels[LabelIndex(kWindow, 1)] = LabelRecord{"peak", 1486.6 - (1486.6 - 300 + 0.1 * 40), 1400, "", 0, 0};
  RedrawWindow(kWindow);
  // Point 41 holds that energy; the label's left edge is at point 40.
  const double expectedX = G.FirstPointX + 39 * G.PixelsPerEnergy * 0.1;
  EXPECT_NEAR(G.AnnotationPixelX[1], expectedX, 1e-9);
  bool painted = false;
  for (const DrawCall& c : Canvas().CallsOf(DrawCall::Kind::Text)) {
    if (c.text != "peak") continue;
    painted = true;
    EXPECT_TRUE(c.state.opaqueText);
    EXPECT_NEAR(c.x1, expectedX, 1e-9);
  }
  EXPECT_TRUE(painted);
}

TEST_F(DisplayTest, CursorLineWhileARegionPickWaits) {
  PlaceSpectrum(kWindow, Ramp(50), 1000, 0.5);
  G.MouseX = 200;
  auto dotted = [&] {
    int n = 0;
    for (const DrawCall& c : Canvas().CallsOf(DrawCall::Kind::Line))
      n += c.state.penStyle == plat::PenStyle::Dot && c.x1 == 200 && c.y1 == 5 && c.y2 == G.AxisY;
    return n;
  };
  G.RegionPickState = 1;
  RedrawWindow(kWindow);
  EXPECT_EQ(dotted(), 1);
  Canvas().Clear();
  G.RegionPickState = 2;
  RedrawWindow(kWindow);
  EXPECT_EQ(dotted(), 0);
}

TEST_F(DisplayTest, SatellitePreviewLeavesTheSpectrumInTheWorkVector) {
  const std::vector<double> v = Ramp(30);
  PlaceSpectrum(kWindow, v, 1000, 0.5);
  for (int i = 1; i <= 30; ++i) SlotData[kWindow](i, 2) = 900;
  WindowRecord& win = Win[kWindow];
  win.SatelliteState = 2;
  win.BackgroundState = 2;
  WorkSigma.Resize(30);
  for (int i = 1; i <= 30; ++i) WorkSigma[i] = 5;
  G.CurveColours[2] = 0x00AA00;
  RedrawWindow(kWindow);
  int satellite = 0;
  for (const DrawCall& c : Canvas().CallsOf(DrawCall::Kind::Line)) satellite += c.state.colour == 0x00AA00;
  EXPECT_EQ(satellite, 29);
  EXPECT_DOUBLE_EQ(WorkData[1], v[0]);
  EXPECT_DOUBLE_EQ(WorkBackground[1], 900);
  // The satellite sits on the background: 905 lies below the spectrum's bottom
  // row of 1000 only when the background widened the axis down to 900.
  EXPECT_LE(Win[kWindow].YAxisBottom, 900);
}

TEST_F(DisplayTest, RangesFromTheWindowRecord) {
  // A multi-spectrum window on the binding scale spanning 7 eV: the right end
  // moves down by 1 to a span of 8 with 8 intervals.
  WindowRecord& win = Win[kWindow];
  win.MultiStartEnergy = 1486.6 - 107;
  win.MultiEnergyStep = 0.1;
  win.MultiExcitationEnergy = 1486.6;
  win.MultiRegionStart = 1;
  win.MultiRegionEnd = 71;
  ComputeMultiSpectrumEnergyRange(kWindow);
  EXPECT_EQ(win.MultiXLeft, 107);
  EXPECT_EQ(win.MultiXRight, 99);
  EXPECT_EQ(win.MultiXSpan, 8);
  EXPECT_EQ(win.XTickCount, 8);

  // Fixed ranges are left alone, also their first energy and maximum.
  PlaceSpectrum(kWindow, Ramp(20), 1000, 1);
  win.XRangeFixed = win.YRangeFixed = 1;
  win.FirstEnergy = 5;
  win.IntensityMax = 7;
  RedrawWindow(kWindow);
  EXPECT_EQ(win.FirstEnergy, 5);
  EXPECT_EQ(win.IntensityMax, 7);

  // Energy corrections shift the axis; the binding energies of the extremes
  // are given to 0.01 eV whatever the scale.
  win.XRangeFixed = win.YRangeFixed = 0;
  win.EnergyShift = 0.5;
  G.GlobalEnergyOffset = 0.25;
  G.EnergyAxisMode = 1;
  RedrawWindow(kWindow);
  EXPECT_DOUBLE_EQ(win.FirstEnergy, 1000.75);
  EXPECT_EQ(win.MaxIndex, 20);
  EXPECT_DOUBLE_EQ(win.MaxBindingEnergy, std::floor(100 * (1486.6 - 0.25 - 0.5 - 1019) + 0.5) / 100);
}

}  // namespace
}  // namespace sorvan
