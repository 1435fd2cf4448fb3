// The mouse on spectrum windows, driven through the test driver: the caption
// readout, region picking, label placing and dragging.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/events.h"
#include "core/model.h"
#include "core/number_text.h"
#include "core/store.h"
#include "display/mouse.h"
#include "display/redraw.h"
#include "display/window_labels.h"
#include "display/windows.h"
#include "display_fixture.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/labels.h"
#include "platform/mouse.h"
#include "platform/surfaces.h"
#include "platform/text.h"

namespace sorvan {
namespace {

constexpr int kPoints = 300;
constexpr double kStep = 0.05;

class WindowMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();
    InitialiseModel();
    displaytest::SetPlotStyles();
    G.ScreenWidth = 1024;
    G.WorkAreaHeight = 700;
    G.ReadoutPrefix = "Cursor ";
    BuildEventRegistry();
  }
  void TearDown() override {
    plat::SetDrawingMainWindow();
    plat::driver::Finish();
  }

  void Open(int w) {
    std::vector<double> v(kPoints);
    for (int i = 0; i < kPoints; ++i) v[i] = 500 + 4000 * std::exp(-std::pow((i - 150) / 20.0, 2));
    displaytest::PlaceSpectrum(w, v, 1486.6 - 300, kStep);
    Win[w].SpectrumHeader.Name = "C 1s";
    Win[w].WindowOpen = false;
    OpenSpectrumWindow(w, "C 1s");
    RedrawWindow(w);
    LayOutSingleSpectrum(w);
  }

  // Pixel column halfway between the drawn points p - 1 and p (in the last
  // layout), where the pointer reads out point p.
  static int ColumnOf(int p) {
    return static_cast<int>(std::lround(G.FirstPointX + (p - 1.5) * G.PixelsPerEnergy * kStep));
  }
  static int MidRow() { return G.AxisY / 2; }
};

TEST_F(WindowMouse, CaptionShowsThePointUnderThePointer) {
  Open(6);
  const int p = 120;
  plat::driver::MouseMove(6, ColumnOf(p), MidRow());
  EXPECT_EQ(G.CursorChannel, p);
  const double energy = std::floor((Win[6].FirstEnergy - (p - 1) * kStep) * 100 + 0.5) / 100;
  EXPECT_DOUBLE_EQ(G.CursorEnergy, energy);
  EXPECT_DOUBLE_EQ(G.CursorIntensity, SlotData[6](p, 1));
  const std::string caption = plat::Caption(6);
  // The peak reaches 4500: the axis and the caption are in thousands.
  ASSERT_EQ(Win[6].IntensityUnit.substr(0, 1), "k");
  const std::string expectedStart = "Cursor " + plat::NumberToText(6) + ": C 1s  E=" +
                                    plat::NumberToText(energy) + " eV  I=" +
                                    NumberTextInWidth(SlotData[6](p, 1) / 1000, 9) + " / ";
  EXPECT_EQ(caption.substr(0, expectedStart.size()), expectedStart) << caption;
  EXPECT_EQ(caption.substr(caption.size() - Win[6].IntensityUnit.size()), Win[6].IntensityUnit);
  // The height at the pointer's row lies between the axis ends and is offered
  // to the start-value pages.
  EXPECT_GT(G.MouseIntensity, Win[6].YAxisBottom);
  EXPECT_LT(G.MouseIntensity, Win[6].YAxisTop);
  EXPECT_DOUBLE_EQ(G.PickedHeight, G.MouseIntensity);
}

TEST_F(WindowMouse, CaptionIntensitiesAreInTheUnitItNamesAndKeepTheirMagnitude) {
  // Both numbers are in the unit the caption ends with, as the axis labels
  // are; rates beyond the largest prefix keep their exponent in the nine
  // characters.
  struct Case {
    double value;
    const char* unitPrefix;
    double factor;
  };
  const Case cases[] = {{21630.1, "k", 1e3},       {617.5, "", 1},           {1234.56789e-9, "\u00B5", 1e-6},
                        {1234.56789e9, "M", 1e6}, {1234.56789e13, "M", 1e6}, {0.25, "m", 1e-3}};
  Open(6);
  const int p = 150;
  for (const Case& c : cases) {
    for (int i = 1; i <= kPoints; ++i) SlotData[6](i, 1) = c.value;
    RedrawWindow(6);
    LayOutSingleSpectrum(6);
    plat::driver::MouseMove(6, ColumnOf(p), MidRow());
    const std::string caption = plat::Caption(6);
    const std::string unit = c.unitPrefix + std::string(G.CpsMode == 1 ? "cps" : "Counts");
    EXPECT_EQ(caption.substr(caption.size() - unit.size() - 1), " " + unit) << caption;
    const size_t at = caption.find("I=") + 2;
    const std::string shown = caption.substr(at, caption.find(" / ") - at);
    EXPECT_LE(shown.size(), 9u) << caption;
    EXPECT_NEAR(plat::TextToNumber(shown) * c.factor, c.value, 1e-2 * c.value) << caption;
    const size_t height = caption.find(" / ") + 3;
    const double atPointer = plat::TextToNumber(caption.substr(height)) * c.factor;
    EXPECT_NEAR(atPointer, G.MouseIntensity, 1e-2 * std::fabs(G.MouseIntensity) + 1e-12) << caption;
  }
}

TEST_F(WindowMouse, PointerOutsideTheRegionReadsTheNearestEnd) {
  Open(6);
  plat::driver::MouseMove(6, 0, MidRow());
  EXPECT_EQ(G.CursorChannel, 1);
  plat::driver::MouseMove(6, ColumnOf(kPoints) + 200, MidRow());
  EXPECT_EQ(G.CursorChannel, kPoints);
}

TEST_F(WindowMouse, ReadoutSubtractsADefinedBackground) {
  Open(6);
  for (int i = 1; i <= kPoints; ++i) SlotData[6](i, 2) = 100;
  Win[6].BackgroundState = 2;
  plat::driver::MouseMove(6, ColumnOf(50), MidRow());
  EXPECT_DOUBLE_EQ(G.CursorIntensity, SlotData[6](50, 1) - 100);
  Win[6].BackgroundState = 1;
  plat::driver::MouseMove(6, ColumnOf(50), MidRow());
  EXPECT_DOUBLE_EQ(G.CursorIntensity, SlotData[6](50, 1));
}

TEST_F(WindowMouse, LeftThenRightSetsTheRegionAndLeftGivesTheSpectrumBack) {
  Open(6);
  plat::driver::MouseDown(6, ColumnOf(40), MidRow(), 1);
  EXPECT_EQ(G.RegionPickState, 1);
  EXPECT_EQ(G.CursorStart, 40);
  plat::driver::MouseDown(6, ColumnOf(200), MidRow(), 2);
  EXPECT_EQ(G.RegionPickState, 2);
  EXPECT_EQ(G.CursorStart, 40);
  EXPECT_EQ(G.CursorEnd, 200);
  plat::driver::MouseDown(6, ColumnOf(100), MidRow(), 1);
  EXPECT_EQ(G.RegionPickState, 0);
  EXPECT_EQ(G.CursorStart, 1);
  EXPECT_EQ(G.CursorEnd, kPoints);
}

TEST_F(WindowMouse, ClicksThatDoNotPick) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> clicks;  // point, button
    int state;
  };
  const std::vector<Case> cases = {
      {"right click before any left click", {{100, 2}}, 0},
      {"right click left of the start", {{100, 1}, {60, 2}}, 1},
      {"right click on the start", {{100, 1}, {100, 2}}, 1},
      {"left click while the start is set", {{100, 1}, {150, 1}}, 1},
      {"middle click", {{100, 4}}, 0},
  };
  Open(6);
  for (const Case& c : cases) {
    G.RegionPickState = 0;
    for (auto [point, button] : c.clicks) plat::driver::MouseDown(6, ColumnOf(point), MidRow(), button);
    EXPECT_EQ(G.RegionPickState, c.state) << c.what;
    if (c.state == 1) {
      EXPECT_EQ(G.CursorStart, 100) << c.what;
    }
  }
}

TEST_F(WindowMouse, AFittedWindowNeverPicks) {
  Open(6);
  Win[6].HasFit = 1;
  plat::driver::MouseDown(6, ColumnOf(40), MidRow(), 1);
  EXPECT_EQ(G.RegionPickState, 0);
}

TEST_F(WindowMouse, FocusChangeCancelsAHalfFinishedPick) {
  Open(6);
  Open(7);
  plat::driver::MouseDown(6, ColumnOf(40), MidRow(), 1);
  ASSERT_EQ(G.RegionPickState, 1);
  plat::driver::FocusWindow(7);
  EXPECT_EQ(G.RegionPickState, 0);
  EXPECT_EQ(G.CurrentWindow, 7);
}

TEST_F(WindowMouse, EditPointsSetsThePointUnderThePointer) {
  Open(6);
  G.CurrentWindow = 6;
  G.EditPointsItemFlag = 8;  // ticked
  // The point takes the height of this event's pointer, not the intensity
  // read out by the event before.
  plat::driver::MouseMove(6, ColumnOf(80), 5);
  const double before79 = SlotData[6](79, 1);
  plat::driver::MouseMove(6, ColumnOf(80), MidRow() + 20, 1);
  EXPECT_DOUBLE_EQ(SlotData[6](80, 1), IntensityAtRow(6, MidRow() + 20));
  EXPECT_DOUBLE_EQ(SlotData[6](79, 1), before79);
  EXPECT_EQ(G.RegionPickState, 0);
}

TEST_F(WindowMouse, AWaitingLabelIsPlacedByALeftClickInsteadOfAPick) {
  Open(6);
  const int j = AddWindowLabel(6, false);
  ASSERT_EQ(j, 1);
  Labels[LabelIndex(6, j)].AnnotationText = "C-C";
  G.PendingLabelWindow = 6;
  G.PendingLabelIndex = static_cast<Int16>(j);
  G.PendingTitleWindow = 255;
  plat::driver::MouseMove(6, ColumnOf(150), MidRow());
  EXPECT_EQ(G.PendingLabelWindow, 6) << "moving the pointer does not place";
  EXPECT_EQ(plat::PointerShapeOf(6), plat::PointerShape::Cross);
  plat::driver::MouseDown(6, ColumnOf(150), MidRow(), 1);
  EXPECT_EQ(G.PendingLabelWindow, 0);
  EXPECT_EQ(G.RegionPickState, 0);
  ASSERT_TRUE(plat::LabelExists(plat::LabelArray::Annotation, LabelIndex(6, j)));
  EXPECT_EQ(plat::Label(plat::LabelArray::Annotation, LabelIndex(6, j)).text, "C-C");
  EXPECT_DOUBLE_EQ(Labels[LabelIndex(6, j)].AnnotationX, G.CursorEnergy);
  EXPECT_DOUBLE_EQ(Labels[LabelIndex(6, j)].AnnotationY, G.MouseIntensity);
  EXPECT_EQ(plat::PointerShapeOf(6), plat::PointerShape::Standard);
}

TEST_F(WindowMouse, AHundredAndFirstLabelIsRefused) {
  for (int k = 1; k <= 100; ++k) ASSERT_EQ(AddWindowLabel(6, false), k);
  Labels[LabelIndex(7, 1)].AnnotationText = "next window";
  EXPECT_EQ(AddWindowLabel(6, false), 0);
  EXPECT_EQ(Win[6].AnnotationCount, 100);
  EXPECT_EQ(Labels[LabelIndex(7, 1)].AnnotationText, "next window");
  EXPECT_EQ(AddWindowLabel(6, true), 1) << "the title set has its own room";
}

TEST_F(WindowMouse, ADeletedLabelLeavesNoControl) {
  Open(6);
  Win[6].AnnotationCount = 2;
  Labels[LabelIndex(6, 1)].AnnotationText = "one";
  Labels[LabelIndex(6, 2)].AnnotationText = "two";
  RedrawWindow(6);
  ASSERT_TRUE(plat::LabelExists(plat::LabelArray::Annotation, LabelIndex(6, 2)));
  Win[6].AnnotationCount = 1;
  RedrawWindow(6);
  EXPECT_FALSE(plat::LabelExists(plat::LabelArray::Annotation, LabelIndex(6, 2)));
  EXPECT_TRUE(plat::LabelExists(plat::LabelArray::Annotation, LabelIndex(6, 1)));
}

TEST_F(WindowMouse, ADraggedLabelIsConvertedWithItsOwnWindow) {
  Open(6);
  const int L = LabelIndex(6, 1);
  Win[6].AnnotationCount = 1;
  Labels[L].AnnotationText = "C=O";
  Labels[L].AnnotationX = 290;
  Labels[L].AnnotationY = 1000;
  RedrawWindow(6);
  LayOutSingleSpectrum(6);
  const int dropX = ColumnOf(90);
  const int dropY = MidRow();
  const double expectedEnergy = std::floor((Win[6].FirstEnergy - 89 * kStep) * 100 + 0.5) / 100;
  const double expectedHeight = IntensityAtRow(6, dropY);
  // Another window, of another size and range, is current and drawn last.
  std::vector<double> other(50, 10.0);
  displaytest::PlaceSpectrum(9, other, 100, 1.0);
  Win[9].WindowOpen = false;
  OpenSpectrumWindow(9, "other");
  plat::driver::ResizeWindow(9, 300, 200);
  RedrawWindow(9);
  G.CurrentWindow = 9;

  plat::script::AnswerDrag(dropX, dropY);
  plat::driver::MouseDownOnLabel(false, L, 3, 3, 1);
  EXPECT_DOUBLE_EQ(Labels[L].AnnotationX, expectedEnergy);
  EXPECT_NEAR(Labels[L].AnnotationY, expectedHeight, 1e-9);
  EXPECT_EQ(plat::Label(plat::LabelArray::Annotation, L).left, dropX);
}

TEST_F(WindowMouse, ADragStartsOnlyWithTheLeftButton) {
  Open(6);
  const int L = LabelIndex(6, 1);
  Win[6].AnnotationCount = 1;
  Labels[L].AnnotationText = "C=O";
  Labels[L].AnnotationX = 290;
  RedrawWindow(6);
  plat::driver::MouseDownOnLabel(false, L, 3, 3, 2);  // no drag step is consumed
  EXPECT_DOUBLE_EQ(Labels[L].AnnotationX, 290);
}

}  // namespace
}  // namespace sorvan
