// Scaling, shifting and normalising: the numeric steps on small spectra, and
// the three commands driven from the menu with page 7x answered.
#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/mouse.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/mouse.h"
#include "platform/text.h"
#include "processing/pages/scale_page.h"
#include "processing_menu_fixture.h"
#include "shell/commands.h"

namespace sorvan {
namespace {

using plat::script::Click;
using plat::script::SetText;
using plat::script::SetValue;

// ---- Numeric steps ----

TEST(ShiftRegion, MovesOnlyTheRegionAndRepeatsItsEndValue) {
  struct Case {
    const char* what;
    long long s;
    std::vector<double> expected;  // points 1..8, region 3..6
  };
  const std::vector<Case> cases = {
      {"no shift", 0, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"two points towards the start", 2, {1, 2, 5, 6, 6, 6, 7, 8}},
      {"one point towards the end", -1, {1, 2, 3, 3, 4, 5, 7, 8}},
      {"as long as the region", 4, {1, 2, 6, 6, 6, 6, 7, 8}},
      {"far beyond the region", 1000, {1, 2, 6, 6, 6, 6, 7, 8}},
      {"far beyond the region, backwards", -1000, {1, 2, 3, 3, 3, 3, 7, 8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<double> y = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    ShiftRegion(y, 3, 6, c.s);
    EXPECT_EQ(std::vector<double>(y.begin() + 1, y.end()), c.expected);
    EXPECT_EQ(y[0], 0);
  }
}

TEST(ShiftRegion, ARegionReachingPastTheSpectrumIsHeldToIt) {
  std::vector<double> y = {0, 1, 2, 3};
  ShiftRegion(y, -5, 10, 1);
  EXPECT_EQ(y, (std::vector<double>{0, 2, 3, 3}));
}

TEST(ShiftPointCount, RoundsHalvesUpAndRefusesAZeroStep) {
  struct Case {
    double energy, step;
    long long points;
  };
  const std::vector<Case> cases = {
      {2.4, 1, 2}, {2.5, 1, 3}, {-2.4, 1, -2}, {-2.5, 1, -2}, {-2.6, 1, -3},
      {0.3, 0.1, 3}, {1, 0, 0},  {1e10, 1, 1000000000}, {1e300, 1e-300, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShiftPointCount(c.energy, c.step), c.points) << c.energy << " / " << c.step;
}

TEST(ScaleValues, MultipliesThenAddsWithinTheGivenPoints) {
  std::vector<double> y = {9, 1, 2, 3, 4};
  ScaleValues(y, 2, 3, 10, 1);
  EXPECT_EQ(y, (std::vector<double>{9, 1, 21, 31, 4}));
  ScaleValues(y, 0, 99, 2, 0);  // held to points 1..n
  EXPECT_EQ(y, (std::vector<double>{9, 2, 42, 62, 8}));
}

// ---- The commands ----

class ScalePage : public processingtest::ProcessingMenu {
 protected:
  void SetUp() override {
    ProcessingMenu::SetUp();
    G.AveragePoints = 1;
    Place(1, spectrum_);
  }
  const std::vector<double> spectrum_ = {2, 4, 8, 16, 10, 5, 4, 3};
};

TEST_F(ScalePage, ScaleByTypedDivisorAndOffset) {
  struct Case {
    const char* divisor;
    const char* offset;
    double factor, added;
  };
  const std::vector<Case> cases = {
      {"4", "10", 0.25, 10},
      {"0,5", "-1", 2, -1},     // a decimal comma is read as a point
      {"0", "3", 1, 3},         // a divisor of 0 scales by 1
      {"abc", "x", 1, 0},       // no number at all reads as 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.divisor);
    Place(1, spectrum_);
    G.RegionPickState = 0;
    SetText("ed71", -1, c.divisor);
    SetText("ed72", -1, c.offset);
    Click("cmdOk71");
    plat::driver::ChooseMenu(2920);
    const std::vector<double> y = Column(1, 1);
    for (std::size_t i = 0; i < y.size(); ++i)
      EXPECT_DOUBLE_EQ(y[i], spectrum_[i] * c.factor + c.added) << i;
    EXPECT_EQ(Win[1].ScaleMode, ScaleByTypedValue);
    EXPECT_EQ(G.PickToScalePage, 0);
    EXPECT_EQ(G.CommandId, 0);
  }
}

TEST_F(ScalePage, APickedPointScalesByItsOwnValue) {
  // A start point picked with the mouse: the page offers the mean of three
  // points from there, and OK divides by the picked point itself.
  G.AveragePoints = 3;
  G.RegionPickState = 1;
  G.CursorStart = 3;
  plat::script::Expect([] { return std::fabs(ReadPageNumber(7, "ed71") - 34.0 / 3) < 1e-9; },
                       "mean of points 3 to 5 offered");
  SetText("ed72", -1, "1");
  Click("cmdOk71");
  plat::driver::ChooseMenu(2920);
  EXPECT_EQ(Win[1].ScaleMode, ScaleByPickedPoint);
  EXPECT_EQ(G.PickedChannel, 3);
  const std::vector<double> y = Column(1, 1);
  for (std::size_t i = 0; i < y.size(); ++i) EXPECT_DOUBLE_EQ(y[i], spectrum_[i] / 8 + 1) << i;
  EXPECT_EQ(G.RegionPickState, 0);
}

TEST_F(ScalePage, CancelChangesNothing) {
  for (int command : {2910, 2920, 2930}) {
    SetText("ed71", -1, "7");
    Click("cmdCancel72");
    plat::driver::ChooseMenu(command);
    EXPECT_EQ(Column(1, 1), spectrum_) << command;
    EXPECT_EQ(G.PickToScalePage, 0);
    EXPECT_FALSE(PageOpen(7));
  }
}

TEST_F(ScalePage, ScalingCarriesTheBackgroundAndTheAreaAlong) {
  Win[1].BackgroundState = 1;
  Win[1].IntegratedArea[1] = 50;
  for (int i = 1; i <= 8; ++i) SlotData[1](i, 2) = i;
  SetText("ed71", -1, "2");
  SetText("ed72", -1, "0");
  Click("cmdOk71");
  plat::driver::ChooseMenu(2920);
  for (int i = 1; i <= 8; ++i) {
    EXPECT_DOUBLE_EQ(SlotData[1](i, 1), spectrum_[i - 1] / 2);
    EXPECT_DOUBLE_EQ(SlotData[1](i, 2), i / 2.0);
  }
  EXPECT_DOUBLE_EQ(Win[1].IntegratedArea[1], 25);
}

TEST_F(ScalePage, ShiftMovesTheRegionByWholePoints) {
  struct Case {
    const char* energy;
    std::vector<double> expected;
  };
  // Region 2..6 of {2, 4, 8, 16, 10, 5, 4, 3}, 1 eV per point.
  const std::vector<Case> cases = {
      {"2.4", {2, 16, 10, 5, 5, 5, 4, 3}},
      {"2.5", {2, 10, 5, 5, 5, 5, 4, 3}},
      {"-1", {2, 4, 4, 8, 16, 10, 4, 3}},
      {"99", {2, 5, 5, 5, 5, 5, 4, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.energy);
    Place(1, spectrum_);
    G.RegionPickState = 0;
    Win[1].RegionStart = 2;
    Win[1].RegionEnd = 6;
    Win[1].BackgroundState = 2;
    for (int i = 1; i <= 8; ++i) SlotData[1](i, 2) = 1;
    SetText("ed71", -1, c.energy);
    Click("cmdOk71");
    plat::driver::ChooseMenu(2910);
    EXPECT_EQ(Column(1, 1), c.expected);
    EXPECT_EQ(Column(1, 2), std::vector<double>(8, 1.0));  // a shift leaves the background
    EXPECT_EQ(Win[1].ScaleMode, ScaleShifted);
  }
}

TEST_F(ScalePage, NormaliseToMaximumMinimumOrTypedValue) {
  struct Case {
    const char* button;
    const char* typed;
    Byte mode;
    double divisor;
  };
  const std::vector<Case> cases = {
      {"cmd72", "", ScaleByMaximum, 16},
      {"cmd73", "", ScaleByMinimum, 2},
      {"cmd74", "8", ScaleByTypedValue, 8},
      {"cmd74", "0", ScaleByTypedValue, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button + std::string(" ") + c.typed);
    Place(1, spectrum_);
    G.RegionPickState = 0;
    if (*c.typed != 0) SetText("ed71", -1, c.typed);
    Click(c.button);
    plat::script::Expect([&] { return ReadPageNumber(7, "ed71") == c.divisor; }, "divisor shown");
    Click("cmdOk71");
    plat::driver::ChooseMenu(2930);
    EXPECT_EQ(Win[1].ScaleMode, c.mode);
    const std::vector<double> y = Column(1, 1);
    for (std::size_t i = 0; i < y.size(); ++i) EXPECT_DOUBLE_EQ(y[i], spectrum_[i] / c.divisor);
  }
}

TEST_F(ScalePage, NormalisingToAZeroMinimumIsRefusedAndChangesNothing) {
  std::vector<double> withZero = spectrum_;
  withZero[6] = 0;
  Place(1, withZero);
  Click("cmd73");
  Click("cmdOk71");
  plat::script::AnswerMessage(1);
  plat::driver::ChooseMenu(2930);
  EXPECT_EQ(Column(1, 1), withZero);
  for (double v : Column(1, 1)) EXPECT_TRUE(std::isfinite(v));
}

TEST_F(ScalePage, NormaliseAllOpenWindowsWithTheCurrentMode) {
  const std::vector<double> other = {1, 50, 25, 5, 5, 5, 5, 5};
  Place(2, other);
  G.CurrentWindow = 1;
  UpdateMenuState(1);
  Click("cmd72");
  SetValue("chk71", -1, 1);
  Click("cmdOk71");
  plat::driver::ChooseMenu(2930);
  EXPECT_EQ(Win[1].ScaleMode, ScaleByMaximum);
  EXPECT_EQ(Win[2].ScaleMode, ScaleByMaximum);
  for (int i = 1; i <= 8; ++i) {
    EXPECT_DOUBLE_EQ(SlotData[1](i, 1), spectrum_[i - 1] / 16);
    EXPECT_DOUBLE_EQ(SlotData[2](i, 1), other[i - 1] / 50);
  }
}

TEST_F(ScalePage, NormaliseByAClickedPoint) {
  // Point 5 (value 10) is clicked while the page waits.
  Click("cmd75");
  plat::script::Run([] {
    LayOutSingleSpectrum(1);
    // The pointer reads out point p halfway towards point p - 1.
    const double stepPixels = G.PixelsPerEnergy * Win[1].SpectrumHeader.EnergyStep;
    const int x = static_cast<int>(std::lround(G.FirstPointX + (5 - 1.5) * stepPixels));
    plat::driver::MouseDown(1, x, 100, plat::kLeftButton);
  }, "click on point 5");
  plat::script::Expect([] { return G.PickedChannel == 5; }, "point 5 picked");
  Click("cmdOk71");
  plat::driver::ChooseMenu(2930);
  EXPECT_EQ(Win[1].ScaleMode, ScaleByPickedPoint);
  const std::vector<double> y = Column(1, 1);
  for (std::size_t i = 0; i < y.size(); ++i) EXPECT_DOUBLE_EQ(y[i], spectrum_[i] / 10);
}

TEST_F(ScalePage, LayoutFollowsTheOperationAlsoFromTheToolbar) {
  auto layout = [] {
    if (plat::ControlExists(7, "chk71")) return std::string("normalise");
    if (plat::ControlExists(7, "ed72")) return std::string("scale");
    return std::string("shift");
  };
  struct Step {
    const char* what;
    int command;  // 0: toolbar action 25
    const char* expected;
  };
  const std::vector<Step> steps = {
      {"normalise", 2930, "normalise"}, {"repeat normalise", 0, "normalise"},
      {"scale after normalise", 2920, "scale"}, {"repeat scale", 0, "scale"},
      {"shift", 2910, "shift"}, {"repeat shift", 0, "shift"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    std::string seen;
    plat::script::Run([&] { seen = layout(); }, "layout");
    Click("cmdCancel72");
    if (s.command != 0) {
      plat::driver::ChooseMenu(s.command);
    } else {
      RunToolbarAction(25);
    }
    EXPECT_EQ(seen, s.expected);
  }
}

}  // namespace
}  // namespace sorvan
