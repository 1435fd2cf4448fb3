// The region, background, commit and negation commands chosen from the menu
// of the started program, with the acceptance page answered by the driver.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "../display/display_fixture.h"
#include "../shell/shell_fixture.h"
#include "core/model.h"
#include "core/store.h"
#include "display/frame.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "platform/forms.h"
#include "platform/controls.h"
#include "platform/mouse.h"
#include "platform/driver.h"
#include "processing/pages/background_page.h"
#include "processing/kernels/backgrounds.h"
#include "shell/menu_state.h"

namespace sorvan {
namespace {

constexpr int kN = 50;

using plat::script::Click;

class BackgroundMenu : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.AveragePoints = 1;
    for (int i = 1; i <= kN; ++i) {
      const double x = i - 25.0;
      spectrum_.push_back(80 + 40.0 / (1 + std::exp(x / 2.0)) + 900 * std::exp(-x * x / 10.0));
    }
    w_ = 1;
    displaytest::PlaceSpectrum(w_, spectrum_, 900, 0.2);
    Win[w_].WindowOpen = false;
    OpenSpectrumWindow(w_, "O 1s");
    G.CurrentWindow = static_cast<Byte>(w_);
    UpdateMenuState(w_);
  }

  double Column(int c, int i) const { return SlotData[w_](i, c); }

  std::vector<double> Shirley(int passes) const {
    std::vector<double> y(kN + 1, 0.0);
    for (int i = 1; i <= kN; ++i) y[i] = spectrum_[i - 1];
    const EndLevels lr = AverageEnds(y, 1, kN, 1);
    std::vector<double> b(kN + 1, 0.0), sigma(kN + 2, 0.0);
    FillFlat(b, 1, kN, lr.right);
    for (int k = 0; k < passes; ++k) ShirleyPass(y, b, sigma, 1, kN, lr.left, lr.right);
    return b;
  }

  std::vector<double> spectrum_;
  int w_ = 1;
};

TEST_F(BackgroundMenu, ShirleyWithAnotherPassSubtracted) {
  Click("cmd14");
  Click("cmdOk11");
  plat::driver::ChooseMenu(2130);
  const std::vector<double> b = Shirley(2);
  EXPECT_EQ(Win[w_].BackgroundState, BackgroundSubtracted);
  for (int i = 1; i <= kN; ++i) {
    EXPECT_NEAR(Column(2, i), b[i], 1e-9) << i;
    EXPECT_NEAR(Column(1, i), spectrum_[i - 1] - b[i], 1e-9) << i;
  }
}

TEST_F(BackgroundMenu, KeptLinearBackgroundReplacesASubtractedOneAndIsCommitted) {
  Click("cmdOk11");
  plat::driver::ChooseMenu(2130);
  ASSERT_EQ(Win[w_].BackgroundState, BackgroundSubtracted);
  Click("cmd13");
  plat::driver::ChooseMenu(2120);
  EXPECT_EQ(Win[w_].BackgroundState, BackgroundDefined);
  // The Shirley background was put back before the line was drawn.
  for (int i = 1; i <= kN; ++i) EXPECT_NEAR(Column(1, i), spectrum_[i - 1], 1e-9) << i;
  const double slope = (spectrum_[kN - 1] - spectrum_[0]) / (kN - 1);
  plat::driver::ChooseMenu(2100);
  EXPECT_EQ(Win[w_].BackgroundState, BackgroundSubtracted);
  for (int i = 1; i <= kN; ++i) {
    const double line = spectrum_[0] + slope * (i - 1);
    EXPECT_NEAR(Column(2, i), line, 1e-9) << i;
    EXPECT_NEAR(Column(1, i), spectrum_[i - 1] - line, 1e-9) << i;
  }
}

TEST_F(BackgroundMenu, NegatingTwiceRestoresTheSpectrum) {
  plat::driver::ChooseMenu(2400);
  EXPECT_EQ(Win[w_].SpectrumNegated, 1);
  EXPECT_EQ(Column(1, 7), -spectrum_[6]);
  plat::driver::ChooseMenu(2400);
  EXPECT_EQ(Win[w_].SpectrumNegated, 0);
  for (int i = 1; i <= kN; ++i) EXPECT_EQ(Column(1, i), spectrum_[i - 1]);
}

TEST_F(BackgroundMenu, RegionOnlyFromACompleteCursorPair) {
  G.RegionPickState = 1;
  G.CursorStart = 10;
  G.CursorEnd = 30;
  // Half a pair makes no region; the user is told how to pick one.
  plat::script::AnswerMessage(1, G.MessageTexts[91]);
  plat::driver::ChooseMenu(2200);
  EXPECT_EQ(Win[w_].RegionStart, 1);
  EXPECT_EQ(Win[w_].RegionEnd, kN);
  G.RegionPickState = 2;
  G.CursorStart = 10;
  G.CursorEnd = 30;
  plat::driver::ChooseMenu(2200);
  EXPECT_EQ(Win[w_].RegionStart, 10);
  EXPECT_EQ(Win[w_].RegionEnd, 30);
  EXPECT_EQ(Win[w_].RegionPartial, 1);
  // A Shirley background on the new region meets its ends there.
  Click("cmd13");
  plat::driver::ChooseMenu(2130);
  const double d10 = spectrum_[9] - spectrum_[29];
  double total = 0;
  for (int i = 10; i <= 30; ++i) total += spectrum_[i - 1] - spectrum_[29];
  EXPECT_NEAR(Column(2, 10), spectrum_[29] + (spectrum_[9] - spectrum_[29]) * (total - d10 / 2) / total,
              1e-9);
  plat::driver::ChooseMenu(21100);
  EXPECT_EQ(Win[w_].RegionStart, 1);
  EXPECT_EQ(Win[w_].RegionEnd, kN);
  EXPECT_EQ(Win[w_].RegionPartial, 0);
}

TEST_F(BackgroundMenu, NewSegmentExtendsTheBackgroundLeftwardsAndEndsCommitted) {
  // The column where the pointer reads out point p, in the window's layout.
  RedrawWindow(w_);
  LayOutSingleSpectrum(w_);
  const double xStep = G.PixelsPerEnergy * 0.2;
  const double firstX = G.FirstPointX;
  auto column = [&](int p) { return static_cast<int>(std::lround(firstX + (p - 1.5) * xStep)); };
  const int row = G.AxisY / 2;
  auto line = [&](int first, int last, int i) {
    const double left = spectrum_[first - 1], right = spectrum_[last - 1];
    return right + (last - i) * (left - right) / (last - first);
  };

  // A linear background over a picked range, then "new segment".
  plat::driver::MouseDown(w_, column(30), row, plat::kLeftButton);
  plat::driver::MouseDown(w_, column(45), row, plat::kRightButton);
  ASSERT_EQ(G.RegionPickState, 2);
  Click("cmd16");
  plat::driver::ChooseMenu(2120);
  EXPECT_EQ(G.DialogResult, AnswerNewSegment);
  EXPECT_EQ(Win[w_].BackgroundState, BackgroundPreview);
  EXPECT_FALSE(plat::DialogWindowOpen(1));

  // A click left of the segment's start computes the further segment at
  // once and shows the page again, which subtracts both.
  Click("cmdOk11");
  plat::driver::MouseDown(w_, column(10), row, plat::kLeftButton);
  EXPECT_EQ(Win[w_].BackgroundState, BackgroundSubtracted);
  EXPECT_EQ(G.RegionPickState, 0);
  for (int i = 1; i <= kN; ++i) {
    double b = spectrum_[i - 1];  // outside both segments the spectrum goes to 0
    if (i >= 10 && i <= 29) b = line(10, 29, i);
    if (i >= 30 && i <= 45) b = line(30, 45, i);
    EXPECT_NEAR(Column(2, i), b, 1e-9) << i;
    EXPECT_NEAR(Column(1, i), spectrum_[i - 1] - b, 1e-9) << i;
  }
}

TEST_F(BackgroundMenu, NewSegmentNeedsRoomLeftOfTheRange) {
  plat::script::Run([] { EXPECT_FALSE(plat::Enabled(1, "cmd16")); }, "no room left of point 1");
  Click("cmdCancel12");
  plat::driver::ChooseMenu(2120);
}

TEST_F(BackgroundMenu, ANewTougaardConstantIsAppliedOverThePickedPair) {
  G.RegionPickState = 2;
  G.CursorStart = 10;
  G.CursorEnd = 40;
  plat::script::SetText("ed11", -1, "500");
  Click("cmd17");
  Click("cmd13");
  plat::driver::ChooseMenu(2140);
  ASSERT_EQ(Win[w_].BackgroundState, BackgroundDefined);
  EXPECT_EQ(G.TougaardC, 500);
  std::vector<double> y(kN + 1, 0.0), b(kN + 1, 0.0), kernel(kN + 1, 0.0);
  for (int i = 1; i <= kN; ++i) y[i] = b[i] = spectrum_[i - 1];
  FillFlat(b, 10, 40, y[40]);
  TougaardBackground(y, b, kernel, 10, 40, 0.2, 500, y[40]);
  // Outside the pair the working background is the spectrum itself.
  for (int i = 1; i <= kN; ++i) EXPECT_NEAR(Column(2, i), b[i], 1e-9) << i;
}

// Cancel on the acceptance page gives the window back the background and
// state it had when the command began; a background subtracted before is
// undone (the page showed the spectrum without it).
TEST_F(BackgroundMenu, CancelRestoresAKeptOrFittedBackground) {
  struct Case {
    const char* what;
    int command;    // the background chosen second
    const char* cancel;  // its page's cancel button
    int state;      // the state of the first background
  };
  const Case cases[] = {
      {"kept, Shirley page", 2130, "cmdCancel12", BackgroundDefined},
      {"fitted, Tougaard page", 2140, "cmdCancel12", BackgroundFitted},
      {"kept, polynomial page", 2150, "cmdCancel272", BackgroundDefined},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    displaytest::PlaceSpectrum(w_, spectrum_, 900, 0.2);
    Win[w_].BackgroundState = BackgroundNone;
    UpdateMenuState(w_);
    Click("cmd13");
    plat::driver::ChooseMenu(2120);
    ASSERT_EQ(Win[w_].BackgroundState, BackgroundDefined);
    Win[w_].BackgroundState = static_cast<Byte>(c.state);
    const std::vector<double> kept = [&] {
      std::vector<double> v;
      for (int i = 1; i <= kN; ++i) v.push_back(Column(2, i));
      return v;
    }();
    Click(c.cancel);
    plat::driver::ChooseMenu(c.command);
    EXPECT_EQ(Win[w_].BackgroundState, c.state);
    for (int i = 1; i <= kN; ++i) {
      EXPECT_EQ(Column(2, i), kept[i - 1]) << i;
      EXPECT_EQ(Column(1, i), spectrum_[i - 1]) << i;
    }
  }
}

}  // namespace
}  // namespace sorvan
