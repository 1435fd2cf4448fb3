// Spectrum windows as the user meets them: opening at the default place,
// the window events (focus, resize, mouse, close) and the picture kept
// while a window is covered.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>
#include <cmath>
#include <vector>

#include "core/events.h"
#include "core/model.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "display_fixture.h"
#include "platform/app.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/labels.h"
#include "platform/surfaces.h"

namespace sorvan {
namespace {

class SpectrumWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();
    InitialiseModel();
    displaytest::SetPlotStyles();
    G.ScreenWidth = 1024;
    G.WorkAreaHeight = 700;
    BuildEventRegistry();
  }
  void TearDown() override {
    plat::SetDrawingMainWindow();
    plat::driver::Finish();
  }

  // Opens window w with a small peak and draws it.
  void OpenWithSpectrum(int w) {
    std::vector<double> v(300);
    for (int i = 0; i < 300; ++i) v[i] = 500 + 4000 * std::exp(-std::pow((i - 150) / 20.0, 2));
    displaytest::PlaceSpectrum(w, v, 1486.6 - 300, 0.05);
    Win[w].WindowOpen = false;
    OpenSpectrumWindow(w, "C 1s");
    RedrawWindow(w);
  }
};

TEST_F(SpectrumWindows, OpenAtTheDefaultPlaceAndBecomeCurrent) {
  OpenSpectrumWindow(6, "Test spectrum");
  const plat::WindowRect r = plat::SpectrumWindowRect(6);
  EXPECT_EQ(r.left, 39);
  EXPECT_EQ(r.top, 27);
  EXPECT_EQ(r.width, 512);
  EXPECT_EQ(r.height, 350);
  EXPECT_TRUE(Win[6].WindowOpen);
  EXPECT_EQ(G.CurrentWindow, 6);
  EXPECT_EQ(plat::Caption(6), "Test spectrum");

  OpenSpectrumWindow(101, "none");  // beyond the spectrum windows: nothing
  EXPECT_EQ(G.CurrentWindow, 6);
  EXPECT_FALSE(plat::SpectrumWindowOpen(101));
}

TEST_F(SpectrumWindows, ClosingKeepsTheCurrentWindowAndStopsARunningFit) {
  OpenWithSpectrum(5);
  OpenWithSpectrum(12);
  Win[12].AnnotationCount = 2;
  Labels[LabelIndex(12, 1)].AnnotationText = "C-C";
  Win[12].HasFit = 1;
  G.CurrentWindow = 5;
  G.FitRunState = 1;
  EXPECT_TRUE(plat::driver::CloseWindow(12));
  EXPECT_FALSE(Win[12].WindowOpen);
  EXPECT_EQ(G.CurrentWindow, 5);
  EXPECT_EQ(G.FitRunState, 26);
  EXPECT_EQ(Win[12].AnnotationCount, 0);
  EXPECT_TRUE(Labels[LabelIndex(12, 1)].AnnotationText.empty());
  EXPECT_EQ(Win[12].HasFit, 0);  // reset as an empty window

  // Closing the current window leaves the number where it was.
  EXPECT_TRUE(plat::driver::CloseWindow(5));
  EXPECT_EQ(G.CurrentWindow, 5);
}

TEST_F(SpectrumWindows, FocusDropsPendingPicks) {
  OpenWithSpectrum(3);
  OpenWithSpectrum(7);
  struct Case {
    int pickState;
    int focusTo;
    int stateAfter;
  };
  // A half-finished pick goes on any focus change, a finished one only when
  // the focus moves to another window.
  const Case cases[] = {{2, 7, 0}, {2, 3, 2}, {1, 3, 0}, {1, 7, 0}, {0, 7, 0}};
  for (const Case& c : cases) {
    G.CurrentWindow = 3;
    G.RegionPickState = static_cast<Byte>(c.pickState);
    plat::driver::FocusWindow(c.focusTo);
    EXPECT_EQ(G.RegionPickState, c.stateAfter) << c.pickState << " -> " << c.focusTo;
    EXPECT_EQ(G.CurrentWindow, c.focusTo);
  }
}

TEST_F(SpectrumWindows, MouseDownMakesTheWindowCurrentWithoutCancellingPicks) {
  OpenWithSpectrum(4);
  OpenWithSpectrum(40);  // a window served by the shared Form_ handlers
  G.CurrentWindow = 4;
  G.RegionPickState = 2;
  // A right press: a left one would end the finished pick by giving the
  // whole spectrum back.
  plat::driver::MouseDown(40, 120, 80, 2);
  EXPECT_EQ(G.CurrentWindow, 40);
  EXPECT_EQ(G.RegionPickState, 2);
  EXPECT_EQ(G.MouseX, 120);
  EXPECT_EQ(G.MouseY, 80);
  plat::driver::MouseMove(4, 30, 60);
  EXPECT_EQ(G.CurrentWindow, 40);
  EXPECT_EQ(G.MouseX, 30);
}

TEST_F(SpectrumWindows, ResizingLaysThePlotOutForTheNewSize) {
  OpenWithSpectrum(2);
  const int before = G.PlotRight;
  plat::driver::ResizeWindow(2, 800, 600);
  const int after = G.PlotRight;
  EXPECT_GT(after, before + 200);
  EXPECT_LE(after, plat::ClientWidth(2));
  EXPECT_LE(G.AxisY, plat::ClientHeight(2));
  EXPECT_EQ(Win[2].WindowPlotHeight, G.PlotHeight);
}

TEST_F(SpectrumWindows, LabelsFollowTheCountsAndStaleOnesGo) {
  OpenWithSpectrum(8);
  Win[8].AnnotationCount = 2;
  Labels[LabelIndex(8, 1)] = LabelRecord{"C-C", 291, 3000, "", 0, 0};
  Labels[LabelIndex(8, 2)] = LabelRecord{"C=O", 288, 2000, "", 0, 0};
  RedrawWindow(8);
  EXPECT_TRUE(plat::LabelExists(plat::LabelArray::Annotation, LabelIndex(8, 2)));
  EXPECT_EQ(plat::Label(plat::LabelArray::Annotation, LabelIndex(8, 1)).text, "C-C");
  Win[8].AnnotationCount = 1;
  RedrawWindow(8);
  EXPECT_TRUE(plat::LabelExists(plat::LabelArray::Annotation, LabelIndex(8, 1)));
  EXPECT_FALSE(plat::LabelExists(plat::LabelArray::Annotation, LabelIndex(8, 2)));
}

// The canvas widget of spectrum window w, found as a user sees it.
QWidget* CanvasOf(const std::string& caption) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    for (QMdiArea* area : top->findChildren<QMdiArea*>()) {
      for (QMdiSubWindow* sub : area->subWindowList()) {
        if (sub->windowTitle().toStdString() == caption) return sub->widget();
      }
    }
  }
  return nullptr;
}

TEST_F(SpectrumWindows, CoveredWindowKeepsItsPicture) {
  OpenWithSpectrum(1);
  plat::SetCaption(1, "covered");
  QWidget* canvas = CanvasOf("covered");
  ASSERT_NE(canvas, nullptr);
  const QImage before = canvas->grab().toImage();
  // Window 2 opens over window 1 and closes again; window 1 is not drawn.
  OpenSpectrumWindow(2, "cover");
  plat::driver::CloseWindow(2);
  QApplication::processEvents();
  const QImage after = canvas->grab().toImage();
  ASSERT_EQ(before.size(), after.size());
  EXPECT_TRUE(before == after);
  // The picture is not blank: the frame's left edge is dark.
  const int mid = (G.SpacingUnit + G.AxisY) / 2;
  EXPECT_LT(qGray(after.pixel(G.PlotLeft, mid)), 64);
}

TEST_F(SpectrumWindows, MainWindowIgnoresAllButClose) {
  plat::EventArgs args;
  args.index = kMainWindowNumber;
  G.CurrentWindow = 9;
  for (const char* e : {"Form_GotFocus", "Form_ReSize", "Form_MouseDown", "Form_MouseMove"}) {
    EXPECT_TRUE(DispatchEvent(e, args));
  }
  EXPECT_EQ(G.CurrentWindow, 9);
  EXPECT_TRUE(HasEvent("Win_31_MouseMove"));
  EXPECT_TRUE(HasEvent("Form_Close"));
  EXPECT_FALSE(HasEvent("Win_32_Close"));
}

}  // namespace
}  // namespace sorvan
