// The chemical-state plot: tick texts of its three axes, the diagonals of
// constant Auger parameter, the markers on screen and printer, and the
// spans that would overrun the tick tables or divide by zero.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "display/plotters.h"
#include "display/redraw.h"
#include "display/views.h"
#include "display_fixture.h"
#include "platform/printer.h"
#include "platform/text.h"

namespace sorvan {
namespace {

using displaytest::DisplayTest;
using plat::DrawCall;

constexpr int kAugerColour = 0x00FF00;

struct Entry {
  double a, b, c;
};

class ChemicalStateTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    G.FontLineHeight[2] = 20;
    G.FontLineHeight[3] = 15;
    G.FontCharWidth[2] = 7;
    G.FontCharWidth[3] = 6;
    G.LineColours[AugerParameterLine] = kAugerColour;
    G.LineColours[GridLine] = 0x808080;
    G.KineticEnergyTitle = "Kinetic energy / eV";
    G.LabelTexts[82] = "Auger parameter";
  }

  // The plot of the worked example: binding energies 936 (left) to 931,
  // kinetic energies 914 to 920.
  void MakePlot(const std::vector<Entry>& entries, double x0 = 931, double x1 = 936, double y0 = 914,
                double y1 = 920) {
    WindowRecord& win = Win[kWindow];
    win.WindowOpen = true;
    win.WindowKind = ChemicalStatePlot;
    win.ShowYScale = 1;
    win.YTickCount = 5;
    const int n = static_cast<int>(entries.size());
    win.ChemStatePointCount = n;
    win.SpectrumHeader.PointCount = static_cast<Int16>(n);
    DimSlotData(kWindow);
    for (int k = 1; k <= n; ++k) {
      SlotData[kWindow](k, 1) = entries[k - 1].a;
      SlotData[kWindow](k, 2) = entries[k - 1].b;
      SlotData[kWindow](k, 3) = entries[k - 1].c;
    }
    win.ChemStateXMin = x0;
    win.ChemStateXMax = x1;
    win.ChemStateYMin = y0;
    win.ChemStateYMax = y1;
    win.ChemStateXSpan = x1 - x0;
    win.ChemStateYSpan = y1 - y0;
  }

  std::vector<DrawCall> AugerLines() {
    std::vector<DrawCall> out;
    for (const DrawCall& c : Canvas().CallsOf(DrawCall::Kind::Line))
      if (c.state.colour == kAugerColour) out.push_back(c);
    return out;
  }
};

TEST_F(ChemicalStateTest, TicksLabelAllThreeAxes) {
  MakePlot({{1849.6, 933, 916.6}});
  MakeChemicalStateTickLabels(kWindow);
  for (int t = 0; t <= 5; ++t) EXPECT_EQ(G.XTickText[t], " " + std::to_string(936 - t)) << t;
  for (int t = 0; t <= 6; ++t) {
    EXPECT_EQ(G.YTickText[t], " " + std::to_string(920 - t)) << t;
    EXPECT_EQ(G.ThirdTickText[t], " " + std::to_string(1851 - t)) << t;
  }
}

// Layout of the example: margins 24 + 36 = 60 (left) and 30 + 36 = 66
// (right), plot 514 wide (102.8 an eV); spacing 7.5 -> 8, plot height
// 420 - 25.5 - 20 - 8 = 366.5 -> 366 (61 an eV), bottom edge at 374.
TEST_F(ChemicalStateTest, RedrawPlacesTheMarkersAndTheDiagonalsOfTheEntries) {
  MakePlot({{1849.6, 933, 916.6}});
  RedrawWindow(kWindow);
  EXPECT_EQ(G.PlotLeft, 60);
  EXPECT_EQ(G.PlotRight, 574);
  EXPECT_EQ(G.PlotHeight, 366);
  EXPECT_EQ(G.AxisY, 374);
  EXPECT_EQ(Win[kWindow].LayoutPlotWidth, 514);
  // Marker of style 0: a dash around (60 + 3 * 102.8, 8 + 3.4 * 61).
  EXPECT_EQ(G.CurveX[1], 368);
  EXPECT_EQ(G.CurveY[1], 215);

  // The entry brings the diagonals 1849 and 1850. 1849 runs from the second
  // bottom tick to the right-axis tick labelled 1849; 1850 leaves the
  // bottom-left corner and is drawn by two families.
  const std::vector<DrawCall> lines = AugerLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].x1, 163);  // 60 + 102.8, whole pixels
  EXPECT_EQ(lines[1].y1, 374);
  EXPECT_EQ(lines[1].x2, 574);
  EXPECT_EQ(lines[1].y2, 8 + 2 * 61);
  EXPECT_EQ(G.ThirdTickText[2], " 1849");
  EXPECT_EQ(lines[0].x1, 60);
  EXPECT_EQ(lines[0].y1, 374);
  EXPECT_EQ(lines[2].x1, 60);
  EXPECT_EQ(lines[2].y1, 374);
}

TEST_F(ChemicalStateTest, EntriesSharingTheirWholeEvDrawEachDiagonalOnce) {
  MakePlot({{1849.6, 933, 916.6}, {1849.2, 934, 915.2}});
  RedrawWindow(kWindow);
  EXPECT_EQ(AugerLines().size(), 3u);
}

TEST_F(ChemicalStateTest, HiddenScaleDropsTheSideTicksButNotTheirLabels) {
  MakePlot({{1849.6, 933, 916.6}});
  RedrawWindow(kWindow);
  const size_t withScale = Canvas().CallsOf(DrawCall::Kind::Line).size();
  Canvas().Clear();
  Win[kWindow].ShowYScale = 0;
  RedrawWindow(kWindow);
  EXPECT_EQ(withScale - Canvas().CallsOf(DrawCall::Kind::Line).size(), 2u * 7u);
  const std::vector<std::string> texts = Canvas().Texts();
  for (const char* label : {" 920", " 914", " 1851", " 1845"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
}

TEST_F(ChemicalStateTest, MarkerStyles) {
  const int xs[] = {0, 100, 200};
  const int ys[] = {0, 50, 60};
  struct Case {
    int style;
    int width;
    DrawCall::Kind kind;
    int perEntry;
  };
  const Case cases[] = {
      {0, 1, DrawCall::Kind::Line, 1},      {1, 1, DrawCall::Kind::Line, 3},
      {2, 1, DrawCall::Kind::FilledBox, 1}, {3, 2, DrawCall::Kind::FilledBox, 1},
      {4, 2, DrawCall::Kind::Line, 2},      {5, 3, DrawCall::Kind::Circle, 1},
      {6, 2, DrawCall::Kind::FilledBox, 1}, {7, 2, DrawCall::Kind::Line, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    plat::RecordingCanvas canvas;
    DrawChemicalStateMarkers(canvas, xs, ys, 2, c.style, c.width);
    EXPECT_EQ(canvas.Calls().size(), static_cast<size_t>(2 * c.perEntry));
    if (c.perEntry > 0) {
      EXPECT_EQ(canvas.Calls()[0].kind, c.kind);
    }
  }
  plat::RecordingCanvas canvas;
  DrawChemicalStateMarkers(canvas, xs, ys, 2, 1, 1);
  const std::vector<DrawCall>& dashes = canvas.Calls();
  EXPECT_EQ(dashes[0].x1, 95);
  EXPECT_EQ(dashes[0].x2, 97);
  EXPECT_EQ(dashes[2].x1, 103);
  EXPECT_EQ(dashes[2].x2, 105);
  plat::RecordingCanvas circles;
  DrawChemicalStateMarkers(circles, xs, ys, 2, 5, 3);
  EXPECT_EQ(circles.Calls()[1].r, 3) << "radius of the width, in pixels";
  EXPECT_EQ(circles.Calls()[1].x1, 200);
}

TEST_F(ChemicalStateTest, PrinterMarkersScaleTheirPenToThePage) {
  MakePlot({{1849.6, 933, 916.6}});
  plat::RecordingCanvas page(4960, 7016);
  plat::SetRecordingPrinter(&page);
  G.CurveX.Resize(1);
  G.CurveY.Resize(1);
  G.CurveX[1] = 1000;
  G.CurveY[1] = 2000;
  PrintChemicalStatePoints(kWindow, 0xFF, 3, 2);
  plat::SetRecordingPrinter(nullptr);
  ASSERT_EQ(page.Calls().size(), 1u);
  const DrawCall& square = page.Calls()[0];
  EXPECT_EQ(square.state.penWidth, 32) << "2 * 4863 / 300";
  EXPECT_EQ(square.state.colour, 0xFF);
  EXPECT_EQ(square.x1, 998);
  EXPECT_EQ(square.y2, 2002);
}

TEST_F(ChemicalStateTest, WideAndEmptySpansStayInsideTheTickTables) {
  struct Case {
    const char* what;
    double x0, x1, y0, y1;
    int xTicks;
  };
  const Case cases[] = {
      {"250 eV of binding energy: a tick every 3 eV", 700, 950, 900, 910, 83},
      {"both spans 0", 931, 931, 914, 914, 1},
      {"400 eV of kinetic energy", 931, 936, 600, 1000, 5},
      {"an energy of 1e10", 283, 1e10, 753, 757, 100},
      {"ends at -1e308 and 1e308", -1e308, 1e308, -1e308, 1e308, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Canvas().Clear();
    MakePlot({{1849.6, 933, 916.6}}, c.x0, c.x1, c.y0, c.y1);
    ASSERT_NO_THROW(RedrawWindow(kWindow));
    for (const DrawCall& d : Canvas().Calls())
      ASSERT_TRUE(std::isfinite(d.x1) && std::isfinite(d.y1) && std::isfinite(d.x2) && std::isfinite(d.y2));
    EXPECT_EQ(G.XTickText[c.xTicks], plat::NumberToText(c.x1 - c.xTicks * ChemicalStateTickStep(c.x1 - c.x0)));
  }
  EXPECT_EQ(ChemicalStateTickStep(100), 1);
  EXPECT_EQ(ChemicalStateTickStep(101), 2);
  EXPECT_EQ(ChemicalStateTickStep(250), 3);
}

}  // namespace
}  // namespace sorvan
