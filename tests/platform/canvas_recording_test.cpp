// What the recording canvas keeps of each primitive, and its measurements.
#include <gtest/gtest.h>

#include "platform/recording_canvas.h"
#include "platform/surfaces.h"

namespace {

using plat::DrawCall;
using plat::RecordingCanvas;

TEST(RecordingCanvas, RecordsPrimitivesWithTheirState) {
  RecordingCanvas canvas;
  canvas.SetColour(plat::RgbColour(255, 0, 0));
  canvas.SetPenWidth(3);
  canvas.Line(1.5, 2, 300, 40);
  canvas.SetColour(plat::RgbColour(0, 0, 255));
  canvas.SetPenStyle(plat::PenStyle::Dot);
  canvas.Box(10, 20, 110, 70);
  plat::FontSpec font;
  font.name = "Arial";
  font.size = 12;
  font.bold = true;
  canvas.SetFont(font);
  canvas.SetEscapement(900);
  canvas.Text(15, 200, "Intensit\u00E4t");
  const int xs[] = {0, 10, 10, 0};
  const int ys[] = {0, 0, 5, 5};
  canvas.FilledPolygon(xs, ys, 4);

  const auto& calls = canvas.Calls();
  ASSERT_EQ(calls.size(), 4u);

  EXPECT_EQ(calls[0].kind, DrawCall::Kind::Line);
  EXPECT_DOUBLE_EQ(calls[0].x1, 1.5);
  EXPECT_DOUBLE_EQ(calls[0].y2, 40);
  EXPECT_EQ(calls[0].state.colour, 255);
  EXPECT_EQ(calls[0].state.penWidth, 3);
  EXPECT_EQ(calls[0].state.penStyle, plat::PenStyle::Solid);

  EXPECT_EQ(calls[1].kind, DrawCall::Kind::Box);
  EXPECT_EQ(calls[1].state.colour, 0xFF0000);
  EXPECT_EQ(calls[1].state.penStyle, plat::PenStyle::Dot);
  EXPECT_DOUBLE_EQ(calls[1].x2, 110);

  EXPECT_EQ(calls[2].kind, DrawCall::Kind::Text);
  EXPECT_EQ(calls[2].text, "Intensit\u00E4t");
  EXPECT_EQ(calls[2].state.font.escapement, 900);
  EXPECT_TRUE(calls[2].state.font.bold);
  EXPECT_DOUBLE_EQ(calls[2].state.font.size, 12);

  EXPECT_EQ(calls[3].kind, DrawCall::Kind::FilledPolygon);
  EXPECT_EQ(calls[3].xs, std::vector<int>({0, 10, 10, 0}));
  EXPECT_EQ(calls[3].ys, std::vector<int>({0, 0, 5, 5}));
  EXPECT_EQ(canvas.Texts(), std::vector<std::string>({"Intensit\u00E4t"}));
}

TEST(RecordingCanvas, PenWidthIsKeptInItsRange) {
  struct Case {
    int in, out;
  } cases[] = {{-3, 0}, {0, 0}, {7, 7}, {plat::kMaxPenWidth + 1, plat::kMaxPenWidth},
               {1 << 30, plat::kMaxPenWidth}};
  RecordingCanvas canvas;
  for (const Case& c : cases) {
    canvas.SetPenWidth(c.in);
    EXPECT_EQ(canvas.State().penWidth, c.out) << c.in;
  }
}

TEST(RecordingCanvas, FixedMetricsAreArithmetic) {
  RecordingCanvas canvas(100, 100, RecordingCanvas::Metrics::Fixed);
  plat::FontSpec font;
  font.size = 9;  // 12 pixels at 96 dpi
  canvas.SetFont(font);
  EXPECT_DOUBLE_EQ(canvas.TextWidth("abcd"), 24);
  EXPECT_DOUBLE_EQ(canvas.CharWidth(), 6);
  EXPECT_NEAR(canvas.TextHeight("XPS"), 13.8, 1e-12);
}

TEST(RecordingCanvas, FontMetricsGrowWithTheTextAndTheSize) {
  RecordingCanvas canvas;
  plat::FontSpec font;
  font.size = 10;
  canvas.SetFont(font);
  double shortWidth = canvas.TextWidth("ab");
  double longWidth = canvas.TextWidth("abGFdwnbdGhtek");
  double height = canvas.TextHeight("XPS");
  EXPECT_GT(shortWidth, 0);
  EXPECT_GT(longWidth, shortWidth);
  EXPECT_GT(height, 0);
  font.size = 20;
  canvas.SetFont(font);
  EXPECT_NEAR(canvas.TextWidth("abGFdwnbdGhtek"), 2 * longWidth, 0.1 * longWidth);
}

TEST(RecordingCanvas, SubstitutesForAWindowSurface) {
  RecordingCanvas canvas;
  plat::SetRecordingCanvas(7, &canvas);
  plat::SetDrawingWindow(7);
  plat::Surface().SetColour(0x00FF00);
  plat::Surface().FilledBox(-1, -1, 50, 60);
  plat::FlushSurface();
  EXPECT_EQ(plat::SurfaceKind(), 7);
  plat::SetDrawingMainWindow();
  plat::Surface().Line(0, 0, 5, 5);  // the main window draws nothing
  plat::SetRecordingCanvas(7, nullptr);

  ASSERT_EQ(canvas.Calls().size(), 1u);
  EXPECT_EQ(canvas.Calls()[0].kind, DrawCall::Kind::FilledBox);
  EXPECT_EQ(canvas.Calls()[0].state.colour, 0x00FF00);
  EXPECT_EQ(canvas.Flushes(), 1);
}

TEST(RecordingCanvas, WindowNumbersOutsideTheRangeDrawNothing) {
  for (int window : {0, -3, 101, 5000}) {
    plat::SetDrawingWindow(window);
    EXPECT_EQ(plat::SurfaceKind(), plat::kMainWindowSurface) << window;
    plat::Surface().Line(0, 0, 1, 1);
  }
}

}  // namespace
