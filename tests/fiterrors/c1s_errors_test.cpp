// Parameter errors of a real spectrum from the menu: the C 1s block of a
// VAMAS sample imported, a Shirley background kept, three peaks fitted
// through the fit pages, and the errors estimated by the method that the
// default error method option gives the window. The numbers are compared
// with an independent computation (tools/c1s_error_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../shell/shell_fixture.h"
#include "../shell/three_singlets_pages.h"
#include "core/store.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "core/menu_commands.h"
#include "support/test_support.h"
#include "fit/fit_format.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/text.h"
#include "report/fit_report.h"
#include "report/print_blocks.h"
#include "dialogs/fit_finished_page.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

#include "reference/c1s_errors.inc"

class C1sErrors : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    path_ = testsupport::SamplesDir() + "/vamas/five-regions.vms";
    if (!plat::FileExists(plat::ProgramPath(path_)))
      GTEST_SKIP() << "sample files not found below " << testsupport::SamplesDir();
    G.CpsMode = 1;
    G.EnergyAxisMode = 0;
  }

  // File > Import > VAMAS, the C 1s block (the fourth) into a new window,
  // with the error method chosen in the options first.
  int ImportC1s(int errorMethodCommand) {
    plat::driver::ChooseMenu(errorMethodCommand);
    script::AnswerFile(plat::ProgramPath(path_));
    script::SelectItems("lib21", -1, {3});
    script::Click("cmdOk21");
    plat::driver::ChooseMenu(1160);
    return G.CurrentWindow;
  }

  // One Shirley pass kept as the window's background, then a new fit of
  // three singlets: limits and start values typed, Lorentz shares and
  // asymmetries fixed; the fit run again until it has settled.
  static void FitThreePeaks(const char* widthUpperOfPeak3 = "4") {
    shelltest::EnterThreeSingletsOnTheFitPages(widthUpperOfPeak3);
    IterationPageAndDone();
    plat::driver::ChooseMenu(3111);
    for (int again = 0; again < 2; ++again) {
      IterationPageAndDone();
      plat::driver::ChooseMenu(3130);
    }
  }

  static void IterationPageAndDone() {
    script::SetText("ed161", -1, "100");
    script::SetText("ed162", -1, "3");
    script::Click("cmdOk161");
    script::Click("cmdCancel242");
  }

  std::string path_;
};

// The peak error page that follows the analysis: its fifteen error cells
// are read, then it is closed.
void ReadPeakPage(std::vector<std::string>& cells) {
  script::Expect([] { return plat::DialogWindowOpen(1); }, "peak error page");
  script::Run([&cells] {
    for (int cell = 0; cell < 15; ++cell) cells.push_back(plat::Text(1, "lb3210", cell));
  });
  script::Click("cmdOk321");
}

// The page shows the window's table: every free main entry with an error.
void ExpectPageShowsTheTable(int w, const std::vector<std::string>& cells) {
  ASSERT_EQ(cells.size(), 15u);
  for (int p = 1; p <= 3; ++p) {
    for (int k = 0; k <= 4; ++k) {
      FormatParameterError(w, p, 2 * k + 1);
      EXPECT_EQ(cells[(p - 1) * 5 + k], G.NumberText) << p << "," << k;
    }
    for (int k : {0, 2, 3}) EXPECT_GT(plat::TextToNumber(cells[(p - 1) * 5 + k]), 0) << p << k;
  }
}

TEST_F(C1sErrors, CurvatureErrorsOfAThreePeakFitAgreeWithAnIndependentHessianOfChiSquare) {
  const int w = ImportC1s(CmdDefaultErrorsHessian);
  ASSERT_EQ(Win[w].SpectrumHeader.PointCount, 301);
  FitThreePeaks();
  const WindowRecord& win = Win[w];
  ASSERT_EQ(win.ErrorMethod, 1);
  EXPECT_NEAR(win.FitChi2, kC1sChiSquare, 1e-6 * kC1sChiSquare);
  std::vector<std::string> cells;
  ReadPeakPage(cells);
  plat::driver::ChooseMenu(CmdEstimateErrors);
  EXPECT_EQ(win.ErrorTableValid, 1);
  EXPECT_TRUE(plat::MessagesShown().empty());
  ExpectPageShowsTheTable(w, cells);
  for (int i = 0; i < 9; ++i) {
    const int k = kC1sEntries[i];
    SCOPED_TRACE(k);
    EXPECT_NEAR(G.FitVector[k], kC1sFitted[i], 1e-3 * kC1sCurvatureErrors[i]);
    EXPECT_NEAR(win.ParamErrors(k, k), kC1sChiSquareHessianErrors[i],
                1e-3 * kC1sChiSquareHessianErrors[i]);
  }
  // The Hessian of chi-square is positive definite here: no fallback.
  EXPECT_EQ(win.ErrorsFromNormalMatrix, 0);
  // Fixed entries (shares, asymmetries, partners) have no error.
  for (int k : {3, 9, 13, 19, 23, 29}) EXPECT_EQ(win.ParamErrors(k, k), 0) << k;
}

// Chi-square and reduced chi-square are statistics of the fit in counts:
// the intensity unit switched to counts and back, and the project saved and
// opened again, leave every place that shows them with the same figures:
// the window's values, the printout's statistics lines, the fit report and
// the page after a fit made in the other unit.
TEST_F(C1sErrors, StatisticsStayTheSameThroughAUnitSwitchAndAProjectRoundTrip) {
  const int w = ImportC1s(CmdDefaultErrorsHessian);
  FitThreePeaks();
  const WindowRecord* win = &Win[w];
  ASSERT_NEAR(win->FitChi2, kC1sChiSquare, 1e-6 * kC1sChiSquare);
  struct Shown {
    double chi2, reduced;
    std::string print[3], report;
  };
  auto shown = [](int window) {
    Shown s{Win[window].FitChi2, Win[window].FitReducedChi2, {}, ReportStatisticsLine(window, false)};
    for (int line = 0; line < 3; ++line) s.print[line] = StatisticsLine(window, line);
    return s;
  };
  auto expectSame = [](const Shown& a, const Shown& b) {
    EXPECT_NEAR(b.chi2, a.chi2, 1e-7 * a.chi2);
    EXPECT_NEAR(b.reduced, a.reduced, 1e-7 * a.reduced);
    for (int line = 0; line < 3; ++line) EXPECT_EQ(b.print[line], a.print[line]) << line;
    EXPECT_EQ(b.report, a.report);
  };
  const Shown fitted = shown(w);
  const double f = win->SpectrumHeader.ScanCount * win->SpectrumHeader.DwellTime;
  ASSERT_NE(f, 1.0);

  {
    SCOPED_TRACE("counts");
    plat::driver::ChooseMenu(CmdCountsUnit);
    ASSERT_EQ(G.CpsMode, 0);
    expectSame(fitted, shown(w));
    // A fit made again in counts finds the same minimum and shows the
    // same figures on the page after it.
    std::string page;
    script::SetText("ed161", -1, "100");
    script::SetText("ed162", -1, "3");
    script::Click("cmdOk161");
    script::Run([&page] { page = plat::Text(24, "lb241"); });
    script::Click("cmdCancel242");
    plat::driver::ChooseMenu(3130);
    EXPECT_EQ(page, FitFinishedStatisticsText(fitted.reduced, fitted.chi2,
                                              Win[w].FitSerialCorrelation));
    expectSame(fitted, shown(w));
  }
  {
    SCOPED_TRACE("per second again");
    plat::driver::ChooseMenu(CmdCpsUnit);
    ASSERT_EQ(G.CpsMode, 1);
    expectSame(fitted, shown(w));
  }
  {
    SCOPED_TRACE("project saved and opened");
    script::AnswerFile(plat::ProgramPath(folder_->Path("c1s.svr")));
    plat::driver::ChooseMenu(CmdSaveProjectAs);
    for (int v = 1; v <= kMaxWindows; ++v)
      if (Win[v].WindowOpen) plat::driver::CloseWindow(v);
    script::AnswerFile(plat::ProgramPath(folder_->Path("c1s.svr")));
    plat::driver::ChooseMenu(CmdOpenProject);
    ASSERT_EQ(Win[w].HasFit, 1);
    expectSame(fitted, shown(w));
  }
}

TEST_F(C1sErrors, AWidthHeldOnItsLimitIsLeftOutAndTheOthersGetTheirErrors) {
  const int w = ImportC1s(CmdDefaultErrorsHessian);
  FitThreePeaks("1.8");
  const WindowRecord& win = Win[w];
  ASSERT_NEAR(win.ParameterValue[3][7], 1.8, 1e-9);  // the width of peak 3 on its limit
  script::Click("cmdOk321");
  plat::driver::ChooseMenu(CmdEstimateErrors);
  EXPECT_TRUE(plat::MessagesShown().empty());
  EXPECT_EQ(win.ErrorTableValid, 1);
  EXPECT_EQ(win.ParamErrors(27, 27), 0);
  for (int k : {1, 5, 7, 11, 15, 17, 21, 25}) {
    EXPECT_GT(win.ParamErrors(k, k), 0) << k;
    EXPECT_TRUE(std::isfinite(win.ParamErrors(k, k))) << k;
  }
}

TEST_F(C1sErrors, ProfileErrorsOfAThreePeakFitAgreeWithAnIndependentProfile) {
  const int w = ImportC1s(CmdDefaultErrorsProfile);
  FitThreePeaks();
  const WindowRecord& win = Win[w];
  ASSERT_EQ(win.ErrorMethod, 0);
  ASSERT_EQ(G.IterationLimit, 100);
  ASSERT_EQ(G.FitRounds, 3);
  const auto fitted = win.ParameterValue;
  std::vector<std::string> cells;
  ReadPeakPage(cells);
  plat::driver::ChooseMenu(CmdEstimateErrors);
  EXPECT_EQ(win.ErrorTableValid, 1);
  EXPECT_TRUE(plat::MessagesShown().empty());  // no better fit offered
  for (int i = 0; i < 9; ++i) {
    const int k = kC1sEntries[i];
    SCOPED_TRACE(k);
    // The first estimate is kept as the diagonal of the curvature matrix.
    EXPECT_NEAR(std::sqrt(2 / win.HessianMatrix(k, k)), kC1sFirstEstimates[i],
                1e-3 * kC1sFirstEstimates[i]);
    EXPECT_NEAR(win.ParamErrors(k, k), kC1sProfileErrors[i], 1e-2 * kC1sProfileErrors[i]);
  }
  for (int k : {3, 9, 13, 19, 23, 29}) EXPECT_EQ(win.ParamErrors(k, k), 0) << k;
  ExpectPageShowsTheTable(w, cells);
  // The fit and the user's fit settings are as before the run.
  EXPECT_EQ(G.IterationLimit, 100);
  EXPECT_EQ(G.FitRounds, 3);
  EXPECT_EQ(G.BatchMode, 0);
  for (int p = 1; p <= 3; ++p)
    for (int j = 1; j <= 10; ++j)
      EXPECT_NEAR(win.ParameterValue[p][j], fitted[p][j], 1e-9 * std::fabs(fitted[p][j]) + 1e-12);
}

}  // namespace
