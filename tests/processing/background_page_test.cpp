// Backgrounds of a window driven as the user drives them: computed, shown on
// the acceptance page and answered there; the commit of a kept background
// and the negation of a spectrum.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../display/display_fixture.h"
#include "core/events.h"
#include "core/model.h"
#include "core/store.h"
#include "display/windows.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/surfaces.h"
#include "processing/background_procedures.h"
#include "processing/pages/background_page.h"
#include "processing/kernels/backgrounds.h"
#include "processing/region.h"

namespace sorvan {
namespace {

constexpr int kW = 4;
constexpr int kN = 40;

using plat::script::Click;
using plat::script::Expect;

// A line on a step background: left end higher than the right.
std::vector<double> LineOnStep() {
  std::vector<double> v(kN);
  for (int i = 1; i <= kN; ++i) {
    const double x = i - 20.0;
    v[i - 1] = 100 + 50.0 / (1 + std::exp(x / 2.0)) + 1000 * std::exp(-x * x / 8.0);
  }
  return v;
}

class BackgroundPage : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();
    InitialiseModel();
    displaytest::SetPlotStyles();
    G.ScreenWidth = 1024;
    G.WorkAreaHeight = 700;
    G.CharWidth = 8;
    G.CharHeight = 16;
    G.AveragePoints = 1;
    G.MessageTexts[1] = "Constant background";
    G.MessageTexts[2] = "Linear background";
    G.MessageTexts[3] = "Shirley background";
    G.MessageTexts[4] = "Tougaard background";
    G.MessageTexts[6] = "Area above background:";
    G.MessageTexts[109] = "B = ";
    G.MessageTexts[110] = "C =";
    for (int k = 1; k <= 7; ++k) G.ButtonTexts[k] = "Button " + std::to_string(k);
    BuildEventRegistry();
    spectrum_ = LineOnStep();
    displaytest::PlaceSpectrum(kW, spectrum_, 1000, 0.5);
    Win[kW].SpectrumHeader.ScanCount = 1;
    Win[kW].SpectrumHeader.DwellTime = 1;
    Win[kW].WindowOpen = false;
    OpenSpectrumWindow(kW, "C 1s");
    G.CurrentWindow = kW;
    G.RegionPickState = 0;
  }
  void TearDown() override {
    plat::SetDrawingMainWindow();
    plat::driver::Finish();
  }

  static double Column(int c, int i) { return SlotData[kW](i, c); }

  // The Shirley background of the region from the numeric routine, `passes`
  // passes, as the page should have left it in column 2.
  std::vector<double> ExpectedShirley(int passes) const {
    std::vector<double> y(kN + 1, 0.0);
    for (int i = 1; i <= kN; ++i) y[i] = spectrum_[i - 1];
    const EndLevels lr = AverageEnds(y, 1, kN, 1);
    std::vector<double> b(kN + 1, 0.0), sigma(kN + 2, 0.0);
    FillFlat(b, 1, kN, lr.right);
    for (int k = 0; k < passes; ++k) ShirleyPass(y, b, sigma, 1, kN, lr.left, lr.right);
    return b;
  }

  std::vector<double> spectrum_;
};

TEST_F(BackgroundPage, EachAnswerLeavesItsStateAndColumns) {
  struct Case {
    const char* button;
    int state;
    bool subtracted;  // column 1 holds spectrum minus background
    bool kept;        // column 2 holds the background
  };
  const Case cases[] = {
      {"cmdOk11", BackgroundSubtracted, true, true},
      {"cmd13", BackgroundDefined, false, true},
      {"cmdCancel12", BackgroundNone, false, false},
  };
  for (const Case& c : cases) {
    SetUp();
    const std::vector<double> b = ExpectedShirley(1);
    Click(c.button);
    ComputeShirleyBackground(kW);
    plat::driver::Finish();
    EXPECT_EQ(Win[kW].BackgroundState, c.state) << c.button;
    EXPECT_EQ(G.DialogWindow1Busy, 0) << c.button;
    for (int i = 1; i <= kN; ++i) {
      const double y = spectrum_[i - 1];
      EXPECT_NEAR(Column(1, i), c.subtracted ? y - b[i] : y, 1e-9) << c.button << " " << i;
      EXPECT_NEAR(Column(2, i), c.kept ? b[i] : 0.0, 1e-9) << c.button << " " << i;
    }
  }
}

TEST_F(BackgroundPage, AnotherPassRefinesBeforeSubtracting) {
  Expect([] { return plat::FindControlWindow("cmd14") == 1; }, "Shirley page has another pass");
  Click("cmd14");
  Click("cmd14");
  Click("cmdOk11");
  ComputeShirleyBackground(kW);
  const std::vector<double> b = ExpectedShirley(3);
  EXPECT_EQ(G.ShirleyPassCount, 2);
  EXPECT_EQ(G.ShirleyPassTarget, 2);
  for (int i = 1; i <= kN; ++i) EXPECT_NEAR(Column(2, i), b[i], 1e-9) << i;
}

TEST_F(BackgroundPage, UndoAfterARepeatedBackgroundLeavesTheSpectrumUnsubtracted) {
  Click("cmdOk11");
  ComputeLinearBackground(kW);
  ASSERT_EQ(Win[kW].BackgroundState, BackgroundSubtracted);
  Click("cmdCancel12");
  ComputeShirleyBackground(kW);
  EXPECT_EQ(Win[kW].BackgroundState, BackgroundNone);
  for (int i = 1; i <= kN; ++i) {
    EXPECT_NEAR(Column(1, i), spectrum_[i - 1], 1e-9) << i;
    EXPECT_EQ(Column(2, i), 0.0) << i;
  }
}

TEST_F(BackgroundPage, LinearBackgroundPassesThroughTheEndLevels) {
  Click("cmd13");
  ComputeLinearBackground(kW);
  EXPECT_NEAR(Column(2, 1), spectrum_[0], 1e-9);
  EXPECT_NEAR(Column(2, kN), spectrum_[kN - 1], 1e-9);
  EXPECT_NEAR(Column(2, 11) - Column(2, 10), (spectrum_[kN - 1] - spectrum_[0]) / (kN - 1), 1e-9);
}

TEST_F(BackgroundPage, AreaLabelInCountsPerSecondTimesEv) {
  // 1000 counts x eV above a constant background, ten scans of 0.1 s.
  std::vector<double> v(kN, 0.0);
  v[10] = 1000;
  displaytest::PlaceSpectrum(kW, v, 1000, 1.0);
  Win[kW].SpectrumHeader.ScanCount = 10;
  Win[kW].SpectrumHeader.DwellTime = 0.1;
  G.CpsMode = 0;
  Expect([] { return plat::Text(1, "lb12") == " 1000 cps*eV"; }, "area label");
  Click("cmdCancel12");
  ComputeConstantBackground(kW);
  EXPECT_DOUBLE_EQ(Win[kW].IntegratedArea[1], 1000);
}

TEST_F(BackgroundPage, AreaOfAHeaderWithoutScansStaysFinite) {
  Win[kW].SpectrumHeader.ScanCount = 0;
  G.CpsMode = 0;
  Click("cmdCancel12");
  ComputeShirleyBackground(kW);
  EXPECT_TRUE(std::isfinite(Win[kW].IntegratedArea[1]));
}

TEST_F(BackgroundPage, TougaardTakesATypedConstantAndTurnsANegativeOneToZero) {
  Expect([] { return plat::Text(1, "ed11") == " 1643"; }, "default C shown");
  plat::script::SetText("ed11", -1, "2000,5");
  Click("cmd17");
  Expect([] { return G.TougaardC == 2000.5; }, "comma read as a point");
  plat::script::SetText("ed11", -1, "-12");
  Click("cmd17");
  Expect([] { return G.TougaardC == 0; }, "negative C is 0");
  Click("cmdOk11");
  ComputeTougaardBackground(kW);
  EXPECT_EQ(Win[kW].BackgroundState, BackgroundSubtracted);
  // The background meets the spectrum at the start of the range.
  EXPECT_NEAR(Column(1, 1), 0.0, 1e-9);
}

TEST_F(BackgroundPage, TougaardWithoutEnergyStepIsRefused) {
  Win[kW].SpectrumHeader.EnergyStep = 0;
  plat::script::AnswerMessage(1);
  ComputeTougaardBackground(kW);
  EXPECT_EQ(Win[kW].BackgroundState, BackgroundNone);
  for (int i = 1; i <= kN; ++i) EXPECT_EQ(Column(1, i), spectrum_[i - 1]);
  EXPECT_EQ(G.DialogWindow1Busy, 0);  // no page opened
  // The refusal is message 3; the answer above is dropped where the message
  // boxes do not show yet.
  if (plat::driver::StepsLeft() > 0) plat::driver::Reset();
}

TEST_F(BackgroundPage, CommitSubtractsOnlyAKeptOrFittedBackground) {
  for (int state = 0; state <= 5; ++state) {
    SetUp();
    for (int i = 1; i <= kN; ++i) SlotData[kW](i, 2) = 10.0 * i;
    Win[kW].BackgroundState = static_cast<Byte>(state);
    Win[kW].ErrorTableValid = 1;
    CommitBackground(kW);
    const bool commits = state == BackgroundDefined || state == BackgroundFitted;
    EXPECT_EQ(Win[kW].BackgroundState, commits ? BackgroundSubtracted : state) << state;
    EXPECT_EQ(Win[kW].ErrorTableValid, commits ? 0 : 1) << state;
    for (int i = 1; i <= kN; ++i) {
      EXPECT_NEAR(Column(1, i), spectrum_[i - 1] - (commits ? 10.0 * i : 0.0), 1e-9) << state;
      EXPECT_EQ(Column(2, i), 10.0 * i) << state;
    }
    plat::driver::Finish();
  }
}

TEST_F(BackgroundPage, NegatingTwiceRestoresTheSpectrum) {
  for (int i = 1; i <= kN; ++i) SlotData[kW](i, 2) = 5;
  NegateSpectrum(kW);
  EXPECT_EQ(Win[kW].SpectrumNegated, 1);
  EXPECT_EQ(Column(1, 3), -spectrum_[2]);
  EXPECT_EQ(Column(2, 3), 5);
  NegateSpectrum(kW);
  EXPECT_EQ(Win[kW].SpectrumNegated, 0);
  for (int i = 1; i <= kN; ++i) EXPECT_EQ(Column(1, i), spectrum_[i - 1]);
}

TEST_F(BackgroundPage, HandlersActOnTheWindowThePageWasOpenedFor) {
  std::vector<double> other(kN, 7.0);
  displaytest::PlaceSpectrum(9, other, 1000, 0.5);
  Win[9].WindowOpen = false;
  OpenSpectrumWindow(9, "other");
  plat::script::Run([] { G.CurrentWindow = 9; }, "another window becomes current");
  Click("cmd13");
  G.CurrentWindow = kW;
  ComputeShirleyBackground(kW);
  EXPECT_EQ(Win[kW].BackgroundState, BackgroundDefined);
  EXPECT_EQ(Win[9].BackgroundState, BackgroundNone);
  EXPECT_EQ(SlotData[9](5, 2), 0.0);
}

TEST(Region, FromCursorsAndFull) {
  plat::driver::Reset();
  InitialiseModel();
  displaytest::SetPlotStyles();
  std::vector<double> v(30, 1.0);
  displaytest::PlaceSpectrum(kW, v, 1000, 0.5);
  Win[kW].WindowOpen = false;
  Win[kW].XRangeFixed = 1;
  Win[kW].YRangeFixed = 1;
  G.CursorStart = 5;
  G.CursorEnd = 20;
  G.RegionPickState = 2;
  SetRegionFromCursors(kW);
  EXPECT_EQ(Win[kW].RegionStart, 5);
  EXPECT_EQ(Win[kW].RegionEnd, 20);
  EXPECT_EQ(Win[kW].RegionLength, 16);
  EXPECT_EQ(Win[kW].RegionPartial, 1);
  EXPECT_EQ(Win[kW].XRangeFixed, 0);
  EXPECT_EQ(Win[kW].YRangeFixed, 0);
  EXPECT_EQ(G.RegionPickState, 0);
  // A pair over the whole spectrum keeps the mark; the full region clears it.
  G.CursorStart = 1;
  G.CursorEnd = 30;
  SetRegionFromCursors(kW);
  EXPECT_EQ(Win[kW].RegionPartial, 1);
  SetRegionFull(kW);
  EXPECT_EQ(Win[kW].RegionPartial, 0);
  EXPECT_EQ(Win[kW].RegionLength, 30);
  plat::driver::Finish();
}

TEST(Region, EndAveragingNearTheSpectrumEndsStaysInside) {
  InitialiseModel();
  std::vector<double> v(10);
  for (int i = 0; i < 10; ++i) v[i] = i + 1;
  displaytest::PlaceSpectrum(kW, v, 1000, 0.5);
  Win[kW].WindowOpen = false;
  LoadWorkData(kW, 1, 1, 10);
  WorkBackground.Resize(10);
  G.AveragePoints = 5;
  G.CursorStart = 9;
  G.CursorEnd = 10;
  AverageRegionEnds();
  EXPECT_DOUBLE_EQ(G.Scratch1, 9.5);
  EXPECT_DOUBLE_EQ(G.Scratch2, 9.5);
  EXPECT_DOUBLE_EQ(WorkBackground[9], 9.5);
  EXPECT_DOUBLE_EQ(WorkBackground[10], 9.5);
}

}  // namespace
}  // namespace sorvan
