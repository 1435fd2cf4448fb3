// The colour-map, stacked and waterfall views, drawn through RedrawWindow
// into a recording canvas with fixed text metrics, checked against layouts
// worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "display/draw_support.h"
#include "display/plotters.h"
#include "display/redraw.h"
#include "display/views.h"
#include "display_fixture.h"
#include "platform/printer.h"

namespace sorvan {
namespace {

using displaytest::DisplayTest;
using plat::DrawCall;

constexpr int kGreen = 0x00FF00;

class ViewTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    // Line heights 20 (titles) and 15 (tick numbers); class 3 is 6 pixels a
    // character, as the fixed metrics measure a 9-point font.
    G.FontLineHeight[2] = 20;
    G.FontLineHeight[3] = 15;
    G.FontCharWidth[2] = 7;
    G.FontCharWidth[3] = 6;
    G.LineColours[StackedViewLine] = kGreen;
  }

  // Window kWindow as a view of `kind` with n members over N points:
  // binding energies 300 (left) to 290 in five ticks, first point at 299,
  // 0.5 eV a point, intensities 0 to 300.
  void MakeView(int kind, int n, int N, const std::function<double(int, int)>& value) {
    WindowRecord& v = Win[kWindow];
    v.WindowOpen = true;
    v.WindowKind = static_cast<Byte>(kind);
    v.MemberCount = static_cast<Int16>(n);
    for (int m = 1; m <= n; ++m) {
      v.MemberLabel[m] = "M" + std::to_string(m);
      v.MemberName[m] = "member " + std::to_string(m);
    }
    v.MultiPointCount = N;
    v.MultiRegionStart = 1;
    v.MultiRegionEnd = static_cast<Int16>(N);
    v.MultiEnergyStep = 0.5;
    v.XRangeFixed = 1;
    v.MultiXLeft = 300;
    v.MultiXSpan = 10;
    v.XTickCount = 5;
    v.MultiFirstEnergy = 299;
    v.MultiYBottom = 0;
    v.MultiYTop = 300;
    v.YTickCount = 5;
    v.ShowYScale = 1;
    v.ShowMemberLabels = 1;
    v.XAxisTitle = "Binding energy / eV";
    v.MemberAxisTitle = "Spectrum";
    v.SpectrumHeader.PointCount = static_cast<Int16>(N);
    G.ComponentCount = n;
    DimSlotComponents(kWindow);
    for (int m = 1; m <= n; ++m)
      for (int i = 1; i <= N; ++i) SlotComponents[kWindow](i, m) = value(m, i);
  }

  std::vector<DrawCall> Calls(DrawCall::Kind kind) const { return canvas_->CallsOf(kind); }
  std::vector<DrawCall> LinesOfColour(int colour) const {
    std::vector<DrawCall> out;
    for (const DrawCall& c : Calls(DrawCall::Kind::Line))
      if (c.state.colour == colour) out.push_back(c);
    return out;
  }
  bool Drawn(const std::string& text) const {
    const std::vector<std::string> texts = canvas_->Texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
  const DrawCall* TextCall(const std::string& text) const {
    for (const DrawCall& c : canvas_->Calls())
      if (c.kind == DrawCall::Kind::Text && c.text == text) return &c;
    return nullptr;
  }
};

// Colour map of three members, labels M1..M3 (widths 12): PlotLeft 12 +
// 1.5 * 20 + 6 = 48, PlotWidth 640 - 18/1.5 - 48 = 580, SpacingUnit 2,
// PlotHeight 420 - 1.7 * 15 - 20 - 2 = 372.5 -> 372, AxisY 374, bands of
// 124, 58 pixels an eV, first point at 48 + 58 = 106, 29 pixels a point.
TEST_F(ViewTest, ColourMapBandsAreCellsColouredOnTheRamp) {
  // Point 1 of member 1 at the bottom of the range, of member 2 at the top,
  // of member 3 at one third.
  const double first[4] = {0, 0, 300, 100};
  MakeView(ColourMap, 3, 6, [&](int m, int i) { return i == 1 ? first[m] : 150.0; });
  RedrawWindow(kWindow);

  EXPECT_EQ(G.PlotLeft, 48);
  EXPECT_EQ(G.PlotWidth, 580);
  EXPECT_EQ(G.SpacingUnit, 2);
  EXPECT_EQ(G.PlotHeight, 372);
  EXPECT_EQ(G.AxisY, 374);
  EXPECT_EQ(Win[kWindow].WindowPlotHeight, 372);
  EXPECT_EQ(Win[kWindow].RegionLength, 6);
  EXPECT_EQ(Win[kWindow].LayoutPlotLeft, 48) << "the window keeps its own layout";

  struct Cell {
    double top, bottom;
    int colour;
  };
  const Cell cells[] = {
      {374, 248, 0xFFFFFF},                      // member 1: background colour
      {250, 124, 0x000080},                      // member 2: curve colour
      {126, 0, plat::RgbColour(0x80, 255, 255)}, // member 3: curve red, background green and blue
  };
  std::vector<DrawCall> firstCells;
  for (const DrawCall& c : Calls(DrawCall::Kind::FilledBox))
    if (c.x1 == 106) firstCells.push_back(c);
  ASSERT_EQ(firstCells.size(), 3u);
  for (int m = 0; m < 3; ++m) {
    SCOPED_TRACE(m + 1);
    EXPECT_EQ(firstCells[m].x2, 134) << "up to one pixel before the next point";
    EXPECT_EQ(firstCells[m].y1, cells[m].top);
    EXPECT_EQ(firstCells[m].y2, cells[m].bottom);
    EXPECT_EQ(firstCells[m].state.colour, cells[m].colour);
  }
  // Five cells a member: the last point starts none.
  int cellsDrawn = 0;
  for (const DrawCall& c : Calls(DrawCall::Kind::FilledBox))
    if (c.x1 >= 106 && c.y1 <= 374 && c.x2 < 640 && c.x1 < 300) ++cellsDrawn;
  EXPECT_EQ(cellsDrawn, 15);
}

TEST_F(ViewTest, ColourMapLegendRunsFromTheCurveColourDownToTheBackground) {
  MakeView(ColourMap, 3, 6, [](int, int) { return 0.0; });
  RedrawWindow(kWindow);
  // Legend boxes: x from 628 - 2 * 640 / 30 to 628 - 640 / 30, the first top
  // at 2 + 420 / 40 = 12.5, each (70 - 10.5) / 7 = 8.5 high.
  std::vector<DrawCall> boxes;
  for (const DrawCall& c : Calls(DrawCall::Kind::FilledBox))
    if (std::fabs(c.x1 - (628 - 128.0 / 3)) < 1e-9) boxes.push_back(c);
  ASSERT_EQ(boxes.size(), 7u);
  const int expected[7] = {0x000080,
                           plat::RgbColour(128, 0, 128),
                           plat::RgbColour(128, 0, 255),
                           plat::RgbColour(128, 128, 255),  // green halfway, 127.5 rounded to even
                           plat::RgbColour(128, 255, 255),
                           plat::RgbColour(192, 255, 255),  // red halfway, 191.5 rounded to even
                           0xFFFFFF};
  for (int j = 0; j < 7; ++j) {
    EXPECT_DOUBLE_EQ(boxes[j].y1, 12.5 + 8.5 * j) << j;
    EXPECT_DOUBLE_EQ(boxes[j].x2, 628 - 64.0 / 3) << j;
    EXPECT_EQ(boxes[j].state.colour, expected[j]) << j;
  }
  // The ends of the range and the unit beside the legend.
  const DrawCall* top = TextCall(" 300");
  ASSERT_NE(top, nullptr);
  EXPECT_DOUBLE_EQ(top->x1, 628 - 128.0 / 3 - 6 - 24);
  EXPECT_DOUBLE_EQ(top->y1, 12.5 - 5);
  EXPECT_TRUE(Drawn("   0"));
  EXPECT_TRUE(Drawn("Counts"));
}

TEST_F(ViewTest, ColourMapLabelsEveryStepFromTheTopBand) {
  struct Case {
    int members;
    double step;
    Byte fixed;
    std::vector<int> labelled;
  };
  const Case cases[] = {
      {12, 5, 1, {12, 7, 2}},
      {21, 0, 0, {21, 19, 17, 15, 13, 11, 9, 7, 5, 3, 1}},
      {20, 0, 0, {20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.members);
    Canvas().Clear();
    Win[kWindow].MemberLabelStep = c.step;
    Win[kWindow].MemberLabelStepFixed = c.fixed;
    MakeView(ColourMap, c.members, 6, [](int, int) { return 0.0; });
    RedrawWindow(kWindow);
    std::vector<int> labelled;
    for (const std::string& t : Canvas().Texts())
      if (t.size() >= 2 && t[0] == 'M') labelled.push_back(std::stoi(t.substr(1)));
    EXPECT_EQ(labelled, c.labelled);
  }
}

TEST_F(ViewTest, ColourMapWithoutMemberLabelsStillDrawsMemberGridLines) {
  MakeView(ColourMap, 4, 6, [](int, int) { return 0.0; });
  Win[kWindow].ShowMemberLabels = 0;
  Win[kWindow].MemberGridLines = 1;
  G.LineColours[GridLine] = kGreen;
  RedrawWindow(kWindow);
  EXPECT_EQ(G.PlotLeft, 35) << "1.75 title line heights";
  for (const std::string& t : Canvas().Texts()) EXPECT_NE(t[0], 'M') << t;
  // Grid lines at the band centres 93 * i - 46.5 + 2, whole pixels.
  const std::vector<DrawCall> grid = LinesOfColour(kGreen);
  ASSERT_EQ(grid.size(), 4u);
  const double plotHeight = G.PlotHeight;
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(grid[i - 1].x1, 35);
    EXPECT_EQ(grid[i - 1].y1, std::nearbyint(plotHeight / 4 * i - plotHeight / 8 + 2));
  }
}

TEST_F(ViewTest, FlatOrSingleMemberViewsDrawFiniteCoordinates) {
  for (int kind : {ColourMap, StackedCurves, Waterfall, MirroredWaterfall}) {
    for (int members : {1, 2}) {
      SCOPED_TRACE(std::to_string(kind) + " with " + std::to_string(members));
      Canvas().Clear();
      MakeView(kind, members, 6, [](int, int) { return 7.0; });
      Win[kWindow].MultiYTop = Win[kWindow].MultiYBottom = 7;  // flat: no intensity range
      RedrawWindow(kWindow);
      EXPECT_FALSE(Canvas().Calls().empty());
      for (const DrawCall& c : Canvas().Calls()) {
        ASSERT_TRUE(std::isfinite(c.x1) && std::isfinite(c.y1) && std::isfinite(c.x2) && std::isfinite(c.y2))
            << plat::DrawCallKindName(c.kind);
        for (int x : c.xs) ASSERT_LT(std::abs(x), 100000);
        for (int y : c.ys) ASSERT_LT(std::abs(y), 100000);
      }
    }
  }
}

// Stacked view of members M1, M2 (labels 12 wide): PlotLeft 12 + 40 = 52,
// PlotWidth 640 - 12 - 52 = 576, PlotHeight 420 - 30 - 20 - 2 = 368,
// AxisY 7.5 + 368 = 375.5 -> 376; offset 0.65 * 368 = 239.2 between the
// baselines; 0.4088... pixels a count; 57.6 pixels an eV.
TEST_F(ViewTest, StackedMembersStandAboveEachOther) {
  MakeView(StackedCurves, 2, 20, [](int, int) { return 0.0; });
  RedrawWindow(kWindow);
  EXPECT_EQ(G.PlotLeft, 52);
  EXPECT_EQ(G.PlotHeight, 368);
  EXPECT_EQ(G.AxisY, 376);
  // First points at the bottom of the range: the baselines, 0.2 tick-number
  // lines above the axis and 0.65 plot heights apart.
  EXPECT_EQ(G.YTickPixel[1], 373);
  EXPECT_EQ(G.YTickPixel[2], 134);
  const DrawCall* top = TextCall("M2");
  ASSERT_NE(top, nullptr);
  EXPECT_DOUBLE_EQ(top->x1, 52 - 6 - 12);
  EXPECT_DOUBLE_EQ(top->y1, 134 - 15 / 2.3);
}

// A peak of height 300 at `centre` (a triangle 40 counts a point wide).
double Peak(int i, int centre) { return std::max(0.0, 300.0 - 40.0 * std::abs(i - centre)); }

TEST_F(ViewTest, StackedTraceJoinsTheMaximaOfSuccessiveMembers) {
  struct Case {
    const char* what;
    Byte trace;
    std::vector<int> centres;  // peak point of each member
    int lines;
    int fromMember, toMember;
  };
  const Case cases[] = {
      {"two members", 1, {10, 12}, 1, 1, 2},
      {"a maximum near the end has no point; the line skips it", 1, {10, 3, 12}, 1, 1, 3},
      {"no trace wanted", 0, {10, 12}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Canvas().Clear();
    const int n = static_cast<int>(c.centres.size());
    MakeView(StackedCurves, n, 20, [&](int m, int i) { return Peak(i, c.centres[m - 1]); });
    Win[kWindow].ShowMaximumTrace = c.trace;
    RedrawWindow(kWindow);
    const std::vector<DrawCall> trace = LinesOfColour(kGreen);
    ASSERT_EQ(static_cast<int>(trace.size()), c.lines);
    if (c.lines == 0) continue;
    const double offset = 0.65 * G.PlotHeight / (n - 1);
    auto pointX = [&](int p) { return std::nearbyint(G.FirstPointX + G.PixelsPerEnergy * 0.5 * (p - 1)); };
    auto pointY = [&](int m) { return std::round(G.AxisY - offset * (m - 1) - 3 - G.PixelsPerIntensity * 300); };
    EXPECT_EQ(trace[0].x1, pointX(c.centres[c.fromMember - 1]));
    EXPECT_EQ(trace[0].y1, pointY(c.fromMember));
    EXPECT_EQ(trace[0].x2, pointX(c.centres[c.toMember - 1]));
    EXPECT_EQ(trace[0].y2, pointY(c.toMember));
  }
}

TEST_F(ViewTest, StackedMaximumInAFlatTopTakesTheFirstOfEqualMeans) {
  // Members flat at 300 over points 9..14: the means over 9..13 and 10..14
  // are equal, so the maximum point is 11; member 2 peaks at 15.
  MakeView(StackedCurves, 2, 24,
           [](int m, int i) { return m == 1 ? (i >= 9 && i <= 14 ? 300.0 : 0.0) : Peak(i, 15); });
  Win[kWindow].ShowMaximumTrace = 1;
  RedrawWindow(kWindow);
  const std::vector<DrawCall> trace = LinesOfColour(kGreen);
  ASSERT_EQ(trace.size(), 1u);
  EXPECT_EQ(trace[0].x1, std::nearbyint(G.FirstPointX + G.PixelsPerEnergy * 0.5 * 10));
}

// Sizes at which the depth axis climbs at 45 degrees (PW / 3 = PH / 2 = 166).
struct DepthCase {
  int kind;
  double width;
  int escapement;
};

TEST_F(ViewTest, WaterfallTitleFollowsTheDepthAxis) {
  for (const DepthCase& c : {DepthCase{Waterfall, 557, 450}, DepthCase{MirroredWaterfall, 563, -450}}) {
    SCOPED_TRACE(c.kind);
    Canvas().Clear();
    Canvas().SetSize(c.width, 401);
    MakeView(c.kind, 3, 6, [](int, int) { return 100.0; });
    Win[kWindow].ShowYScale = 0;
    RedrawWindow(kWindow);
    EXPECT_EQ(G.PlotWidth, 498);
    EXPECT_EQ(G.PlotHeight, 332);
    const DrawCall* title = TextCall("Spectrum");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->state.font.escapement, c.escapement);
  }
}

TEST_F(ViewTest, WaterfallWallsAreBrightenedBackgroundColours) {
  struct Case {
    int back;
    int colours[3];
  };
  const Case cases[] = {
      {0xFFFFFF, {plat::RgbColour(99, 99, 99), plat::RgbColour(139, 139, 139), plat::RgbColour(179, 179, 179)}},
      {0x000000, {plat::RgbColour(100, 100, 100), plat::RgbColour(140, 140, 140), plat::RgbColour(180, 180, 180)}},
  };
  for (int kind : {Waterfall, MirroredWaterfall}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(kind) + " on " + std::to_string(c.back));
      Canvas().Clear();
      G.PlotBackColour = c.back;
      MakeView(kind, 3, 6, [](int, int) { return 100.0; });
      RedrawWindow(kWindow);
      const std::vector<DrawCall> polygons = Calls(DrawCall::Kind::FilledPolygon);
      ASSERT_GE(polygons.size(), 3u);
      for (int j = 0; j < 3; ++j) EXPECT_EQ(polygons[j].state.colour, c.colours[j]) << j;
    }
  }
}

TEST_F(ViewTest, WaterfallDrawsTheFrontMemberLastOnItsOwnBaseline) {
  G.CurveColours[WaterfallFill] = kGreen;
  constexpr int outline = 0x123456;
  G.CurveColours[SpectrumCurve] = outline;
  // Heights 395..404 give plot heights of every last digit, among them
  // depth steps ending in a half pixel, where each point rounds on its own.
  for (int kind : {Waterfall, MirroredWaterfall}) {
    for (int height = 395; height <= 404; ++height) {
      SCOPED_TRACE(std::to_string(kind) + " at height " + std::to_string(height));
      Canvas().Clear();
      Canvas().SetSize(640, height);
      MakeView(kind, 4, 6, [](int m, int i) { return 50.0 * m + 9.3 * i; });
      RedrawWindow(kWindow);
      const std::vector<DrawCall>& calls = Canvas().Calls();
      std::vector<size_t> fills;
      for (size_t k = 0; k < calls.size(); ++k)
        if (calls[k].kind == DrawCall::Kind::FilledPolygon && calls[k].state.colour == kGreen) fills.push_back(k);
      ASSERT_EQ(fills.size(), 4u) << "one profile a member";
      const double dx = G.PlotWidth / 3.0 / 5, dy = G.PlotHeight / 2.0 / 5;
      // Member 4 first, member 1 last; member m stands m depth steps back:
      // its six points, then its baseline back from the last to the first,
      // and over it the outline through the six points.
      for (int m = 4; m >= 1; --m) {
        const size_t at = fills[static_cast<size_t>(4 - m)];
        const DrawCall& profile = calls[at];
        ASSERT_EQ(profile.xs.size(), 8u) << m;
        const double depth = kind == Waterfall ? (m - 1) * dx : (4 - m) * dx;
        for (int i = 0; i < 6; ++i) {
          const double y = G.AxisY - (m - 1) * dy - G.PixelsPerIntensity * (50 * m + 9.3 * (i + 1));
          const double x = depth + G.FirstPointX + G.PixelsPerEnergy * 0.5 * i;
          EXPECT_EQ(profile.ys[i], std::nearbyint(std::nearbyint(y) - dy)) << m << " point " << i;
          EXPECT_EQ(profile.xs[i], std::nearbyint(std::nearbyint(x) + dx)) << m << " point " << i;
        }
        const int baseline = static_cast<int>(std::nearbyint(G.AxisY - m * dy));
        EXPECT_EQ(profile.ys[6], baseline) << m;
        EXPECT_EQ(profile.ys[7], baseline) << m;
        EXPECT_EQ(profile.xs[6], profile.xs[5]) << m;
        EXPECT_EQ(profile.xs[7], profile.xs[0]) << m;
        ASSERT_GT(calls.size(), at + 5);
        for (int i = 0; i < 5; ++i) {
          const DrawCall& line = calls[at + 1 + static_cast<size_t>(i)];
          ASSERT_EQ(line.kind, DrawCall::Kind::Line) << m;
          EXPECT_EQ(line.state.colour, outline) << m;
          EXPECT_EQ(line.x1, profile.xs[i]) << m;
          EXPECT_EQ(line.y1, profile.ys[i]) << m;
          EXPECT_EQ(line.x2, profile.xs[i + 1]) << m;
          EXPECT_EQ(line.y2, profile.ys[i + 1]) << m;
        }
      }
    }
  }
}

// Waterfalls with the intensity scale (labels " 300" .. "   0", 24 wide;
// ticks 4.2 long): the waterfall keeps the scale on the right of the back
// wall, the mirrored one on the left, and their energy axes take the front
// two thirds on their own side.
TEST_F(ViewTest, WaterfallScaleAndEnergyAxisSides) {
  struct Case {
    int kind;
    int plotLeft, plotWidth;
    int axisStart, axisEnd;
    double topTextX, topTextY;
  };
  const Case cases[] = {
      // PL = 18 + 6; PW = 640 - 24 - 4.2 - 24 - 40 = 547.8 -> 548.
      {Waterfall, 24, 548, 24, 389, 572 + 4.2 + 4.8, 15 - 7.5},
      // PL = 24 + 4.2 + 30 + 6 = 64.2 -> 64; PW = 640 - 64 - 18 - 12 = 546.
      {MirroredWaterfall, 64, 546, 246, 610, 64 - 4.2 - 6 - 24, 15 - 15 / 2.3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    Canvas().Clear();
    MakeView(c.kind, 3, 6, [](int, int) { return 100.0; });
    RedrawWindow(kWindow);
    EXPECT_EQ(G.PlotLeft, c.plotLeft);
    EXPECT_EQ(G.PlotWidth, c.plotWidth);
    EXPECT_EQ(G.XTickPixel[0], c.axisStart);
    EXPECT_EQ(G.XTickPixel[5], c.axisEnd);
    const DrawCall* top = TextCall(" 300");
    ASSERT_NE(top, nullptr);
    EXPECT_NEAR(top->x1, c.topTextX, 1e-9);
    EXPECT_NEAR(top->y1, c.topTextY, 1e-9);
    // The first energy tick slants forward along the depth axis, 0.02 of a
    // third of the width sideways and 0.02 of half the height down.
    const double side = c.kind == Waterfall ? -1 : 1;
    bool slanted = false;
    for (const DrawCall& l : Calls(DrawCall::Kind::Line)) {
      if (l.x1 == c.axisStart && l.y1 == G.AxisY &&
          std::fabs(l.x2 - (c.axisStart + side * 0.02 * c.plotWidth / 3)) < 1e-9 &&
          std::fabs(l.y2 - (G.AxisY + 0.02 * G.PlotHeight / 2)) < 1e-9)
        slanted = true;
    }
    EXPECT_TRUE(slanted);
  }
}

TEST_F(ViewTest, WaterfallWithoutLabelsOrScale) {
  MakeView(Waterfall, 3, 6, [](int, int) { return 100.0; });
  Win[kWindow].ShowMemberLabels = 0;
  Win[kWindow].ShowYScale = 0;
  RedrawWindow(kWindow);
  for (const std::string& t : Canvas().Texts()) EXPECT_NE(t[0], 'M') << t;
  EXPECT_FALSE(Drawn(" 300")) << "no intensity tick texts";
  EXPECT_TRUE(Drawn("Intensity  / Counts")) << "the intensity title stays";
  // The right margin shrinks to 1.75 title lines: PL = 18 + 6 = 24.
  EXPECT_EQ(G.PlotLeft, 24);
  EXPECT_EQ(G.PlotWidth, 640 - 24 - 35);
}

// The printer's text classes measured at a fixed size, on white paper.
void UsePrinterTextSizes() {
  for (int k = 10; k <= 13; ++k) {
    G.FontLineHeight[k] = 80;
    G.FontCharWidth[k] = 30;
  }
  G.PrintBackColour = 0xFFFFFF;
}

TEST_F(ViewTest, PrinterDrawsTheViewIntoItsRectangleWithThePrinterStyles) {
  plat::RecordingCanvas page(4960, 7016, plat::RecordingCanvas::Metrics::Fixed);
  plat::SetRecordingPrinter(&page);
  UsePrinterTextSizes();
  G.CurveColours[10] = 0x0000FF;
  MakeView(ColourMap, 2, 6, [](int m, int) { return m == 1 ? 300.0 : 0.0; });
  PrintMultiSpectrumView(kWindow, 500, 1000, 4000, 3000);
  plat::SetRecordingPrinter(nullptr);

  bool curveColoured = false;
  for (const DrawCall& c : page.CallsOf(DrawCall::Kind::FilledBox)) {
    EXPECT_GE(c.x1, 499) << "inside the rectangle";
    EXPECT_GE(c.y1, 999);
    if (c.state.colour == 0x0000FF) curveColoured = true;
  }
  EXPECT_TRUE(curveColoured) << "the ramp ends at the printer's spectrum colour";
  EXPECT_TRUE(Canvas().Calls().empty()) << "nothing on the window";
}

// On the printer the view is drawn into its rectangle of the page: each
// member's profile is moved there whole, its baseline with it.
TEST_F(ViewTest, PrintedWaterfallProfilesStandInTheirRectangle) {
  plat::RecordingCanvas page(4960, 7016, plat::RecordingCanvas::Metrics::Fixed);
  plat::SetRecordingPrinter(&page);
  UsePrinterTextSizes();
  G.CurveColours[WaterfallFill + 10] = kGreen;
  MakeView(Waterfall, 3, 6, [](int m, int i) { return 50.0 * m + 20 * i; });
  PrintMultiSpectrumView(kWindow, 500, 1000, 4000, 3000);
  plat::SetRecordingPrinter(nullptr);

  std::vector<DrawCall> fills;
  for (const DrawCall& c : page.CallsOf(DrawCall::Kind::FilledPolygon))
    if (c.state.colour == kGreen) fills.push_back(c);
  ASSERT_EQ(fills.size(), 3u);
  for (const DrawCall& profile : fills) {
    ASSERT_EQ(profile.xs.size(), 8u);
    const int baseline = profile.ys[6];
    EXPECT_EQ(profile.ys[7], baseline);
    EXPECT_EQ(profile.xs[6], profile.xs[5]);
    EXPECT_EQ(profile.xs[7], profile.xs[0]);
    for (int i = 0; i < 6; ++i) {
      EXPECT_LT(profile.ys[i], baseline) << "the profile stands on its baseline";
      EXPECT_GT(profile.ys[i], 1000);
      EXPECT_GT(profile.xs[i], 500);
    }
    EXPECT_LT(baseline, 1000 + 3000);
  }
}

}  // namespace
}  // namespace sorvan
