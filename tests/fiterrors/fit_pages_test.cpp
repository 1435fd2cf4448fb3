// The pages of a new fit driven as a person would: the peak count, the
// limits, the start values with picks from the spectrum, the iteration
// limit and the page after a fit.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../dialogs/page_fixture.h"
#include "core/number_text.h"
#include "core/store.h"
#include "dialogs/fit_finished_page.h"
#include "dialogs/page.h"
#include "fiterrors/iteration_page.h"
#include "fiterrors/peak_count_page.h"
#include "fiterrors/peak_limits_page.h"
#include "fiterrors/peak_start_page.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/text.h"

namespace {

using namespace sorvan;
namespace script = plat::script;
using pagetest::FindControl;

constexpr int kW = 3;

class FitPages : public pagetest::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    G.CurrentWindow = kW;
    Win[kW].WindowOpen = true;
    Win[kW].PeakType = "Singlet";
    G.MessageTexts[47] = "Singlet";
    G.MaxPeaksText = "15";
  }
};

// ---- Peak count ----

TEST_F(FitPages, PeakCountIsRoundedHalvesToEvenAndHeldToOneToFifteen) {
  const struct {
    const char* typed;
    int count;
  } cases[] = {{"0", 1}, {"20", 15}, {"3.6", 4}, {"2.5", 2}, {"3.5", 4},
               {"2,5", 2}, {"-4", 1}, {"abc", 1}, {"1e12", 15}, {" 7 peaks", 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Win[kW].PeakCount = 3;
    Win[kW].HasFit = 1;
    G.DialogResult = 9;
    script::SetText("ed111", -1, c.typed);
    script::Click("cmdOk111");
    ShowPeakCountPage(kW);
    EXPECT_EQ(Win[kW].PeakCount, c.count);
    EXPECT_EQ(Win[kW].HasFit, 0);
    EXPECT_EQ(G.DialogResult, 9);  // the count page gives no answer of its own
  }
}

TEST_F(FitPages, PeakCountPageShowsTheCountAndTheLargestOffered) {
  Win[kW].PeakCount = 4;
  G.MessageTexts[35] = " peaks";
  script::Run([] {
    EXPECT_EQ(plat::DialogCaption(11), "Singlet peaks");
    EXPECT_EQ(plat::Text(11, "ed111"), " 4");
    EXPECT_EQ(plat::Text(11, "lb111"), "Max = 15");
  });
  script::Key(script::KeyCode::Enter);
  ShowPeakCountPage(kW);
  EXPECT_EQ(Win[kW].PeakCount, 4);
}

// ---- Peak limits ----

TEST_F(FitPages, LimitsAreStoredForMainAndPartnerParameters) {
  Win[kW].PeakCount = 2;
  const char* lower[5] = {"10", "0.1", "280,5", "0.5", "-0.2"};
  const char* upper[5] = {"9000", "0.9", "290", "3", "0.3"};
  for (int k = 0; k <= 4; ++k) {
    script::SetText("ed121", 5 + k, lower[k]);
    script::SetText("ed122", 5 + k, upper[k]);
  }
  script::Click("cmdOk121");
  ShowPeakLimitsPage(kW);
  EXPECT_EQ(G.DialogResult, 1);
  const double lowerValues[5] = {10, 0.1, 280.5, 0.5, -0.2};
  const double upperValues[5] = {9000, 0.9, 290, 3, 0.3};
  for (int k = 0; k <= 4; ++k) {
    for (int j : {2 * k + 1, 2 * k + 2}) {
      EXPECT_DOUBLE_EQ(Win[kW].ParameterLower[2][j], lowerValues[k]) << j;
      EXPECT_DOUBLE_EQ(Win[kW].ParameterUpper[2][j], upperValues[k]) << j;
    }
  }
}

TEST_F(FitPages, CancelOnTheLimitsPageChangesNoLimit) {
  Win[kW].PeakCount = 1;
  Win[kW].ParameterUpper[1][1] = 500;
  script::SetText("ed122", 0, "7");
  script::Key(script::KeyCode::Esc);
  ShowPeakLimitsPage(kW);
  EXPECT_EQ(G.DialogResult, 2);
  EXPECT_EQ(Win[kW].ParameterUpper[1][1], 500);
}

TEST_F(FitPages, LimitsPageHasOneColumnPerPeak) {
  Win[kW].PeakCount = 15;
  script::Run([] {
    EXPECT_EQ(plat::DialogWindowRect(12).width, 199 * pagetest::kCellWidth);
    EXPECT_EQ(plat::Text(12, "lb128", 15), "Singlet15");
  });
  script::Key(script::KeyCode::Esc);
  ShowPeakLimitsPage(kW);
}

// ---- Iteration limit ----

TEST_F(FitPages, IterationPageHoldsTheLimitAtMost200AndTheRoundsAtLeast2) {
  const struct {
    const char* limit;
    const char* rounds;
    double storedLimit;
    int storedRounds;
  } cases[] = {{"500", "2.5", 200, 2},  {"200", "3.5", 200, 4}, {"12.5", "1", 12.5, 2},
               {"1,5", "0", 1.5, 2},     {"0", "7", 0, 7},      {"-3", "1e15", -3, 1000000000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.limit) + " / " + c.rounds);
    Win[kW].ErrorTableValid = 1;
    Win[kW].HessianValid = 1;
    script::SetText("ed161", -1, c.limit);
    script::SetText("ed162", -1, c.rounds);
    script::Click("cmdOk161");
    ShowIterationLimitPage();
    EXPECT_EQ(G.DialogResult, 1);
    EXPECT_DOUBLE_EQ(G.IterationLimit, c.storedLimit);
    EXPECT_EQ(G.FitRounds, c.storedRounds);
    EXPECT_EQ(Win[kW].ErrorTableValid, 0);
    EXPECT_EQ(Win[kW].HessianValid, 0);
  }
}

TEST_F(FitPages, IterationPageCancelKeepsValuesAndErrorsButRaisesTheRounds) {
  G.IterationLimit = 30;
  G.FitRounds = 1;
  Win[kW].ErrorTableValid = 1;
  script::Run([] { EXPECT_EQ(plat::Text(16, "ed162"), " 2"); });
  script::SetText("ed161", -1, "5");
  script::Key(script::KeyCode::Esc);
  ShowIterationLimitPage();
  EXPECT_EQ(G.DialogResult, 2);
  EXPECT_EQ(G.IterationLimit, 30);
  EXPECT_EQ(G.FitRounds, 2);
  EXPECT_EQ(Win[kW].ErrorTableValid, 1);
}

// ---- Fit finished ----

TEST_F(FitPages, FitFinishedStatisticsAreRoundedHalvesUp) {
  G.MessageTexts[90] = "R=";
  G.LabelTexts[128] = "C=";
  G.MessageTexts[114] = "S=";
  EXPECT_EQ(FitFinishedStatisticsText(1.23456, 1234.56, -0.0004), "R= 1.235  C= 1234.6  S= 0");
}

TEST_F(FitPages, FitFinishedPageOffersTheBackgroundOnlyWhenItIsFitted) {
  for (int state : {0, 4}) {
    SCOPED_TRACE(state);
    Win[kW].BackgroundState = static_cast<Byte>(state);
    G.FitIteration = 17;
    script::Run([state] {
      bool found = false;
      for (const plat::ControlInfo& c : plat::Controls(24)) found = found || c.name == "cmd245";
      EXPECT_EQ(found, state == 4);
      EXPECT_EQ(plat::DialogWindowRect(24).height,
                static_cast<int>(plat::RoundHalfEven((state == 4 ? 10.5 : 9) * pagetest::kCellHeight)));
    });
    script::Click("cmdOk241");
    ShowFitFinishedPage(kW);
    EXPECT_EQ(G.DialogResult, 1);
    EXPECT_EQ(G.FitIteration, 0);  // a repeated fit counts from 0
  }
}

TEST_F(FitPages, LimitsFromTheFitFinishedPageThenCancelEndsTheFit) {
  Win[kW].PeakCount = 1;
  script::Click("cmd244");
  script::SetText("ed122", 0, "777");
  script::Click("cmdOk121");
  script::Click("cmdCancel242");
  ShowFitFinishedPage(kW);
  EXPECT_EQ(G.DialogResult, 2);
  EXPECT_EQ(Win[kW].ParameterUpper[1][1], 777);
}

// ---- Texts of picked numbers ----

TEST(PickedNumberText, KeepsTheMagnitudeWithinTheFieldWidth) {
  const struct {
    double value;
    int width;
  } cases[] = {{1234.5678, 8},   {0.000012345678, 8}, {-98765.4321, 8}, {12345678.9, 8},
               {3.2e12, 8},      {-4.5e-9, 8},        {0.5, 10},        {123.456789, 10}};
  for (const auto& c : cases) {
    const std::string text = NumberTextInWidth(c.value, c.width);
    SCOPED_TRACE(text);
    EXPECT_LE(text.size(), static_cast<std::size_t>(c.width));
    EXPECT_NEAR(plat::TextToNumber(text), c.value, 0.05 * std::fabs(c.value));
  }
  EXPECT_EQ(NumberTextInWidth(1234.5, 8), " 1234.5");
}

// ---- Peak start page ----

// Window kW holds 21 points from 280 eV (binding scale) in steps of 0.5 eV,
// with a peak table of n peaks.
void PrepareStartWindow(int peaks) {
  WindowRecord& win = Win[kW];
  win.PeakCount = static_cast<Int16>(peaks);
  win.SpectrumHeader.PointCount = 21;
  win.SpectrumHeader.EnergyStep = 0.5;
  win.SpectrumHeader.ExcitationEnergy = 1486.6;
  win.SpectrumHeader.StartEnergy = 1486.6 - 290;
  win.SpectrumHeader.EndEnergy = 1486.6 - 280;
  win.RegionStart = 1;
  win.RegionEnd = 21;
  win.RegionLength = 21;
  DimSlotData(kW);
  for (int i = 1; i <= 21; ++i) {
    SlotData[kW](i, 1) = 100 + i;
    SlotData[kW](i, 2) = 40;
  }
  for (int p = 1; p <= peaks; ++p) {
    win.ParameterValue[p][1] = 10 * p;
    win.ParameterValue[p][3] = 0.5;
    win.ParameterValue[p][5] = 284 + p;
    win.ParameterValue[p][7] = 1.5;
    win.ParameterState[p][7] = 1;
    for (int j = 1; j <= 10; ++j) {
      win.ParameterLower[p][j] = -1e6;
      win.ParameterUpper[p][j] = 1e6;
    }
  }
}

// A pick as the mouse handling leaves it: the point and its energy.
void Pick(double energy, int channel, double height) {
  script::Run([=] {
    G.CursorEnergy = energy;
    G.CursorChannel = channel;
    G.PickedHeight = height;
    cmd145_Click();
  });
}

TEST_F(FitPages, PicksFillThePeaksInTurnAndWrapAfterTheLast) {
  PrepareStartWindow(3);
  Pick(281, 19, 500);
  Pick(282, 17, 600);
  Pick(283, 15, 700);
  Pick(284, 13, 800);
  script::Run([] {
    EXPECT_EQ(plat::Text(14, "ed141", 0), " 800");
    EXPECT_EQ(plat::Text(14, "ed141", 2), " 284");
    EXPECT_EQ(plat::Text(14, "ed141", 5), " 600");
    EXPECT_EQ(plat::Text(14, "ed141", 12), " 283");
  });
  script::Click("cmdCancel142");
  ShowPeakStartPage(kW);
  EXPECT_EQ(G.DialogResult, 2);
  EXPECT_EQ(G.PeakStartPickActive, 0);
}

TEST_F(FitPages, PickedHeightIsAboveADefinedOrFittedBackgroundOnly) {
  for (int state : {0, 1, 2, 4}) {
    SCOPED_TRACE(state);
    PrepareStartWindow(1);
    Win[kW].BackgroundState = static_cast<Byte>(state);
    Pick(285, 11, 140);
    const std::string expected = state == 2 || state == 4 ? " 100" : " 140";
    script::Run([expected] { EXPECT_EQ(plat::Text(14, "ed141", 0), expected); });
    script::Click("cmdCancel142");
    ShowPeakStartPage(kW);
  }
}

TEST_F(FitPages, RelativePickGivesRatioAndOffsetToThePeakOne) {
  PrepareStartWindow(2);
  Win[kW].RelativeMode = 1;
  script::SetText("ed141", 0, "200");
  script::SetText("ed141", 2, "284.8");
  Pick(284.8, 1, 200);  // peak 1 (absolute)
  Pick(287.15, 2, 50);  // peak 2 relative to peak 1
  script::Run([] {
    EXPECT_DOUBLE_EQ(plat::TextToNumber(plat::Text(14, "ed141", 5)), 0.25);
    EXPECT_DOUBLE_EQ(plat::TextToNumber(plat::Text(14, "ed141", 7)), 2.35);
  });
  script::Click("cmdCancel142");
  ShowPeakStartPage(kW);
}

TEST_F(FitPages, ApplyWithoutAFitKeepsTheValuesAfterCancel) {
  PrepareStartWindow(1);
  Win[kW].HasFit = 0;
  script::SetText("ed141", 0, "321");
  script::SetValue("chk141", 0, 1);
  script::Click("cmd143");
  script::Click("cmdCancel142");
  ShowPeakStartPage(kW);
  EXPECT_EQ(G.DialogResult, 2);
  EXPECT_EQ(Win[kW].ParameterValue[1][1], 321);
}

TEST_F(FitPages, TypedValueWithoutApplyIsNotStoredByCancel) {
  PrepareStartWindow(2);
  script::SetText("ed141", 5, "999");
  script::Click("cmdCancel142");
  ShowPeakStartPage(kW);
  EXPECT_EQ(Win[kW].ParameterValue[2][1], 20);
}

}  // namespace
