// Curve and line styles, on the screen and on the printer page.
#include <gtest/gtest.h>

#include <vector>

#include "core/model.h"
#include "display/plotters.h"
#include "display_fixture.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"

namespace sorvan {
namespace {

using plat::DrawCall;
using Kind = plat::DrawCall::Kind;

struct Counts {
  size_t lines = 0, boxes = 0, circles = 0;
};
Counts CountCalls(const plat::RecordingCanvas& c) {
  return {c.CallsOf(Kind::Line).size(), c.CallsOf(Kind::FilledBox).size(),
          c.CallsOf(Kind::Circle).size()};
}

TEST(CurveStyles, PrimitivesPerPoint) {
  struct Case {
    int style;
    int points;
    size_t lines, boxes, circles;
  };
  const Case cases[] = {
      {0, 5, 4, 0, 0},  {0, 1, 0, 0, 0},  {1, 6, 3, 0, 0},  {1, 5, 2, 0, 0}, {1, 1, 0, 0, 0},
      {2, 5, 0, 5, 0},  {3, 1, 0, 1, 0},  {4, 3, 6, 0, 0},  {5, 4, 0, 0, 4}, {6, 2, 0, 2, 0},
      {7, 5, 0, 0, 0},  {-1, 5, 0, 0, 0},
  };
  const std::vector<int> xs = {0, 10, 20, 30, 40, 50, 60};
  const std::vector<int> ys = {0, 5, 6, 7, 8, 9, 10};
  for (const Case& c : cases) {
    plat::RecordingCanvas canvas;
    DrawCurvePoints(canvas, xs.data(), ys.data(), c.points, c.style, 1, 1.5);
    const Counts n = CountCalls(canvas);
    EXPECT_EQ(n.lines, c.lines) << "style " << c.style << ", " << c.points << " points";
    EXPECT_EQ(n.boxes, c.boxes) << "style " << c.style;
    EXPECT_EQ(n.circles, c.circles) << "style " << c.style;
  }
}

TEST(CurveStyles, MarkerSizesFollowTheUnroundedWidth) {
  const std::vector<int> xs = {0, 100};
  const std::vector<int> ys = {0, 50};
  plat::RecordingCanvas canvas;
  DrawCurvePoints(canvas, xs.data(), ys.data(), 1, 3, 2, 1.5);
  const DrawCall box = canvas.CallsOf(Kind::FilledBox).at(0);
  EXPECT_DOUBLE_EQ(box.x1, 98.5);
  EXPECT_DOUBLE_EQ(box.y2, 51.5);
  EXPECT_EQ(box.state.penWidth, 2);
}

TEST(LineStyles, DashesSquaresAndCircles) {
  struct Case {
    int style;
    size_t lines, boxes, circles;
  };
  const Case cases[] = {
      {0, 1, 0, 0}, {1, 101, 0, 0}, {2, 51, 0, 0}, {3, 31, 0, 0},
      {4, 26, 26, 0}, {5, 0, 0, 101}, {6, 0, 0, 151}, {9, 0, 0, 0},
  };
  for (const Case& c : cases) {
    plat::RecordingCanvas canvas;
    DrawLineInStyle(canvas, 0, 0, 510, 0, c.style, 1, 1.5);
    const Counts n = CountCalls(canvas);
    EXPECT_EQ(n.lines, c.lines) << "style " << c.style;
    EXPECT_EQ(n.boxes, c.boxes) << "style " << c.style;
    EXPECT_EQ(n.circles, c.circles) << "style " << c.style;
  }
  // Style 1 ends its last dash at the end point; style 4 puts its last
  // square half a part beyond it; style 5 stops one part short.
  plat::RecordingCanvas dashes, squares, circles;
  DrawLineInStyle(dashes, 0, 0, 201, 0, 1, 1, 1);
  EXPECT_DOUBLE_EQ(dashes.CallsOf(Kind::Line).back().x2, 201);
  DrawLineInStyle(squares, 0, 0, 510, 0, 4, 1, 1.5);
  const DrawCall last = squares.CallsOf(Kind::FilledBox).back();
  EXPECT_DOUBLE_EQ((last.x1 + last.x2) / 2, 515);
  EXPECT_DOUBLE_EQ(last.x2 - last.x1, 1.0);  // half side 0.5
  DrawLineInStyle(circles, 0, 0, 505, 0, 5, 1, 1);
  EXPECT_DOUBLE_EQ(circles.CallsOf(Kind::Circle).back().x1, 500);
}

TEST(PrinterPlotters, PenScalesWithThePageWidth) {
  InitialiseModel();
  plat::RecordingCanvas page(4800, 6800, plat::RecordingCanvas::Metrics::Fixed);
  plat::SetRecordingPrinter(&page);
  Win[2].RegionLength = 3;
  G.CurveX.Resize(3);
  G.CurveY.Resize(3);
  for (int i = 1; i <= 3; ++i) {
    G.CurveX[i] = 100 * i;
    G.CurveY[i] = 50;
  }
  PrintCurve(2, 0xFF, 0, 2);
  SetLineEnds(0, 10, 1000, 10);
  PrintStyledLine(2, 0, 0, 1);
  plat::SetRecordingPrinter(nullptr);
  const auto lines = page.CallsOf(Kind::Line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].state.penWidth, 8);  // 2 * 4706 / 1200 = 7.84
  EXPECT_EQ(lines[0].state.colour, 0xFF);
  EXPECT_EQ(lines[2].state.penWidth, 4);  // 3.92
}

TEST(LineEnds, FarOffEndsClampWithoutWrapping) {
  SetLineEnds(-1e9, 40000, 70000, -40000);
  EXPECT_EQ(G.LineX1, -32768);
  EXPECT_EQ(G.LineY1, 32767);
  EXPECT_EQ(G.LineX2, 32767);
  EXPECT_EQ(G.LineY2, -32768);
}

}  // namespace
}  // namespace sorvan
