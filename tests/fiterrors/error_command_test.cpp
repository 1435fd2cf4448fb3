// The error command from the menu, through the started program: a fitted
// window gets its errors from the curvature of chi-square and its error
// table; a second command shows the table without a new run; the pages of
// the peak type follow in their order; a stopped run shows none.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../shell/shell_fixture.h"
#include "core/store.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "fiterrors/error_analysis.h"
#include "fiterrors/progress_page.h"
#include "platform/driver.h"
#include "shell/commands.h"
#include "shell/menu_commands.h"
#include "shell/menu_state.h"

namespace {

// The error command's own steps, as the menu hands them over: its item stays
// grayed while no method shows its result (CommandNotBuilt).
void RunErrorCommand() { sorvan::RunFitCommand(sorvan::CmdEstimateErrors); }

using namespace sorvan;
namespace script = plat::script;

constexpr int kW = 1;
constexpr int kPoints = 161;
constexpr double kExcitation = 1486.6;
constexpr double kStep = 0.1;
constexpr double kStart = kExcitation - 300;  // binding 300 eV at point 1

std::vector<std::string>& PagesShown() {
  static std::vector<std::string> pages;
  return pages;
}

class ErrorCommand : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    PagesShown().clear();
    ErrorAnalysisPages& hooks = ErrorAnalysisHooks();
    saved_ = hooks;
    hooks.backgroundErrorPage = [](int) { PagesShown().push_back("background"); };
    hooks.peakErrorPage = [](int) { PagesShown().push_back("peaks"); };
    hooks.doubletErrorPage = [](int) { PagesShown().push_back("doublets"); };
    hooks.profileGaussLorentz = [](int) { PagesShown().push_back("profile"); };
    G.EnergyAxisMode = 0;
    G.CpsMode = 0;
    OpenSpectrumWindow(kW, "C 1s");
    WindowRecord& win = Win[kW];
    SpectrumHeaderRecord& h = win.SpectrumHeader;
    h.Name = "C 1s";
    h.PointCount = kPoints;
    h.StartEnergy = kStart;
    h.EnergyStep = kStep;
    h.EndEnergy = kStart + (kPoints - 1) * kStep;
    h.ExcitationEnergy = kExcitation;
    h.ScanCount = 1;
    h.DwellTime = 1;
    win.RegionStart = 1;
    win.RegionEnd = kPoints;
    win.RegionLength = kPoints;
    win.SourceSpectrumIndex = 1;
    ImportedHeader[1] = h;
    ImportedValues[1].Resize(kPoints);
    DimSlotData(kW);
    // Two Gaussian peaks at 294 and 290 eV on a flat 100, defined as the
    // background.
    for (int i = 1; i <= kPoints; ++i) {
      const double a = (i - 61) / 7.0, b = (i - 101) / 7.0;
      const double counts = 100 + 1000 * std::exp(-0.5 * a * a) + 500 * std::exp(-0.5 * b * b);
      ImportedValues[1][i] = counts;
      SlotData[kW](i, 1) = counts;
      SlotData[kW](i, 2) = 100;
    }
    win.BackgroundState = 2;
    win.PeakType = G.MessageTexts[47];
    win.PeakCount = 2;
    const double values[3][6] = {{}, {0, 950, 0.2, 294.1, 1.6, 0}, {0, 520, 0.2, 289.9, 1.7, 0}};
    for (int p = 1; p <= 2; ++p) {
      for (int k = 0; k <= 4; ++k) {
        win.ParameterValue[p][2 * k + 1] = values[p][k + 1];
        win.ParameterState[p][2 * k + 1] = k == 4 ? 1 : 0;
        win.ParameterValue[p][2 * k + 2] = 0;
        win.ParameterState[p][2 * k + 2] = 1;
      }
      const double lower[5] = {0, 0, 280, 0.5, -0.5}, upper[5] = {1e5, 1, 300, 5, 0.5};
      for (int j = 1; j <= 10; ++j) {
        win.ParameterLower[p][j] = lower[(j - 1) / 2];
        win.ParameterUpper[p][j] = upper[(j - 1) / 2];
      }
    }
    for (int i = 1; i <= 6; ++i) win.BackgroundTermFixed[i] = true;
    G.CurrentWindow = kW;
    RedrawWindow(kW);
    // The fit from the menu: iteration limits, then done on the page after it.
    script::SetText("ed161", -1, "50");
    script::SetText("ed162", -1, "3");
    script::Click("cmdOk161");
    script::Click("cmdCancel242");
    plat::driver::ChooseMenu(3130);
    UpdateMenuState(kW);
    win.ErrorMethod = 1;
  }
  void TearDown() override {
    ErrorAnalysisHooks() = saved_;
    ShellTest::TearDown();
  }
  ErrorAnalysisPages saved_;
};

TEST_F(ErrorCommand, EstimatesOnceAndShowsTheTableAgainWithoutARun) {
  const WindowRecord& win = Win[kW];
  ASSERT_EQ(win.HasFit, 1);
  const auto fitted = win.ParameterValue;
  RunErrorCommand();
  EXPECT_EQ(win.ErrorTableValid, 1);
  EXPECT_EQ(win.HessianValid, 1);
  EXPECT_EQ(PagesShown(), std::vector<std::string>{"peaks"});
  EXPECT_EQ(G.ErrorRunState, 0);
  EXPECT_EQ(G.ProgressKey, 0);
  EXPECT_EQ(G.FitRunState, 0);
  // Free entries have errors; fixed ones (asymmetry, partners) none. The
  // Lorentz share of Gaussian peaks may lie on its limit 0 (error 0).
  for (int p = 1; p <= 2; ++p) {
    for (int j : {1, 5, 7}) {
      EXPECT_GT(win.ParamErrorTable[p][j], 0) << p << "," << j;
      EXPECT_LT(win.ParamErrorTable[p][j], 0.05 * std::fabs(win.ParameterValue[p][j]) + 0.05);
    }
    EXPECT_GE(win.ParamErrorTable[p][3], 0);
    EXPECT_EQ(win.ParamErrorTable[p][9], 0);
    EXPECT_GT(win.AreaErrorShown[p], 0);
  }
  for (int p = 1; p <= 2; ++p)
    for (int j = 1; j <= 10; j += 2)
      EXPECT_NEAR(win.ParameterValue[p][j], fitted[p][j], 1e-9 * std::fabs(fitted[p][j]) + 1e-12);

  const double firstHeightError = win.ParamErrorTable[1][1];
  G.ProgressValue = -5;  // a new run would open the progress page again
  PagesShown().clear();
  RunErrorCommand();
  EXPECT_EQ(G.ProgressValue, -5);
  EXPECT_EQ(win.ParamErrorTable[1][1], firstHeightError);
  EXPECT_EQ(PagesShown(), std::vector<std::string>{"peaks"});
}

TEST_F(ErrorCommand, StoppedRunShowsNoPageAndClearsTheMarks) {
  // Cancel on the progress page once the mixed passes have begun (the key
  // polls of the fit before it are counted too).
  for (int k = 1; k <= 3000; ++k) {
    plat::driver::AtKeyPoll(k, [] {
      if (ProgressPageOpen() && G.ProgressValue >= 5) G.ProgressKey = 27;
      return 0;
    });
  }
  RunErrorCommand();
  EXPECT_TRUE(PagesShown().empty());
  EXPECT_EQ(Win[kW].ErrorTableValid, 0);
  EXPECT_EQ(G.ProgressKey, 0);
  EXPECT_EQ(G.ErrorRunState, 0);
}

TEST_F(ErrorCommand, PagesFollowThePeakTypeAndTheFittedBackground) {
  WindowRecord& win = Win[kW];
  const struct {
    const char* type;
    Byte background;
    std::vector<std::string> pages;
  } cases[] = {
      {"singlet", 2, {"peaks"}},
      {"singlet", 4, {"background", "peaks"}},
      {"doublet", 4, {"background", "doublets"}},
      {"other", 4, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " " + std::to_string(c.background));
    win.PeakType = c.type == std::string("singlet")   ? G.MessageTexts[47]
                   : c.type == std::string("doublet") ? G.MessageTexts[52]
                                                      : std::string("Triplet");
    win.BackgroundState = c.background;
    win.ErrorTableValid = 1;  // the table of an earlier run is shown
    PagesShown().clear();
    RunErrorCommand();
    EXPECT_EQ(PagesShown(), c.pages);
  }
}

TEST_F(ErrorCommand, ProfileMethodRunsItsOwnAnalysis) {
  Win[kW].ErrorMethod = 0;
  RunErrorCommand();
  EXPECT_EQ(PagesShown(), (std::vector<std::string>{"profile", "peaks"}));
}

}  // namespace
