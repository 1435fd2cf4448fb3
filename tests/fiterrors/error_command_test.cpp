// The error command from the menu, through the started program: a fitted
// window gets its errors from the curvature of chi-square and its error
// table; a second command shows the table without a new run; the pages of
// the peak type follow in their order and show the table; a stopped run
// shows none.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../shell/shell_fixture.h"
#include "core/store.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "fit/fit_format.h"
#include "fit/peak_models.h"
#include "fiterrors/error_analysis.h"
#include "fiterrors/profile_errors.h"
#include "fiterrors/progress_page.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/controls.h"
#include "platform/text.h"
#include "platform/toolbar.h"
#include "report/fit_report.h"
#include "shell/menu_state.h"
#include "shell/toolbar.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

constexpr int kW = 1;
constexpr int kPoints = 161;
constexpr double kExcitation = 1486.6;
constexpr double kStep = 0.1;
constexpr double kStart = kExcitation - 300;  // binding 300 eV at point 1
// A shift of peak 1 off its fitted position that raises chi-square a few units.
constexpr double kPerturbedPosition = 0.01;

class ErrorCommand : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
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
};

// The page that waits now: its dialog window must be open, and its OK
// button closes it.
void CloseErrorPage(int dialogWindow, const char* ok) {
  script::Expect([dialogWindow] { return plat::DialogWindowOpen(dialogWindow); },
                 "error page on dialog window " + std::to_string(dialogWindow));
  script::Click(ok);
}

TEST_F(ErrorCommand, EstimatesOnceAndShowsTheTableAgainWithoutARun) {
  const WindowRecord& win = Win[kW];
  ASSERT_EQ(win.HasFit, 1);
  const auto fitted = win.ParameterValue;
  // The peak page shows the table that the run built, cell by cell.
  std::vector<std::string> shown;
  script::Expect([] { return plat::DialogWindowOpen(1); }, "peak error page");
  script::Run([&] {
    for (int cell = 0; cell < 10; ++cell) shown.push_back(plat::Text(1, "lb3210", cell));
    shown.push_back(plat::Text(1, "lb3212", 1));
  });
  script::Click("cmdOk321");
  plat::driver::ChooseMenu(3120);
  EXPECT_EQ(win.ErrorTableValid, 1);
  EXPECT_EQ(win.HessianValid, 1);
  EXPECT_EQ(G.ErrorRunState, 0);
  EXPECT_EQ(G.ProgressKey, 0);
  EXPECT_EQ(G.FitRunState, 0);
  EXPECT_EQ(G.DialogResult, 2);
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
  ASSERT_EQ(shown.size(), 11u);
  for (int p = 1; p <= 2; ++p) {
    for (int k = 0; k <= 4; ++k) {
      FormatParameterError(kW, p, 2 * k + 1);
      EXPECT_EQ(shown[(p - 1) * 5 + k], G.NumberText) << p << "," << k;
    }
  }
  EXPECT_GT(plat::TextToNumber(shown[0]), 0);
  EXPECT_GT(plat::TextToNumber(shown[10]), 0);
  for (int p = 1; p <= 2; ++p)
    for (int j = 1; j <= 10; j += 2)
      EXPECT_NEAR(win.ParameterValue[p][j], fitted[p][j], 1e-9 * std::fabs(fitted[p][j]) + 1e-12);

  const double firstHeightError = win.ParamErrorTable[1][1];
  G.ProgressValue = -5;  // a new run would open the progress page again
  CloseErrorPage(1, "cmdOk321");
  plat::driver::ChooseMenu(3120);
  EXPECT_EQ(G.ProgressValue, -5);
  EXPECT_EQ(win.ParamErrorTable[1][1], firstHeightError);
}

TEST_F(ErrorCommand, OnePeakFitShowsItsErrors) {
  WindowRecord& win = Win[kW];
  win.PeakCount = 1;
  script::SetText("ed161", -1, "50");
  script::SetText("ed162", -1, "3");
  script::Click("cmdOk161");
  script::Click("cmdCancel242");
  plat::driver::ChooseMenu(3130);
  ASSERT_EQ(win.PeakCount, 1);
  std::string height, area;
  script::Run([&] {
    height = plat::Text(1, "lb3210", 0);
    area = plat::Text(1, "lb3212", 1);
  });
  script::Click("cmdOk321");
  plat::driver::ChooseMenu(3120);
  EXPECT_TRUE(plat::MessagesShown().empty());
  EXPECT_EQ(win.ErrorTableValid, 1);
  for (int j : {1, 5, 7}) EXPECT_GT(win.ParamErrorTable[1][j], 0) << j;
  EXPECT_GT(plat::TextToNumber(height), 0);
  EXPECT_GT(plat::TextToNumber(area), 0);
}

// Far from the minimum (peak 1 moved 2 eV off the fitted position, three
// of its widths), chi-square bends down along the position: its Hessian is
// not positive definite. The errors come from the fit's normal matrix, the
// exported matrix is that one, and the page and the error report say so.
TEST_F(ErrorCommand, IndefiniteHessianFallsBackToTheNormalMatrixAndSaysSo) {
  WindowRecord& win = Win[kW];
  script::Click("cmdOk321");
  plat::driver::ChooseMenu(3120);
  ASSERT_EQ(win.ErrorTableValid, 1);
  EXPECT_EQ(win.ErrorsFromNormalMatrix, 0);
  EXPECT_EQ(ReportStatisticsLine(kW, true).find(G.LabelTexts[135]), std::string::npos);

  win.ParameterValue[1][5] += 2.0;
  win.ErrorTableValid = 0;
  std::string note;
  script::Run([&] { note = plat::Text(1, "lb3214"); });
  script::Click("cmdOk321");
  plat::driver::ChooseMenu(3120);
  EXPECT_TRUE(plat::MessagesShown().empty());
  EXPECT_EQ(win.ErrorTableValid, 1);
  EXPECT_EQ(win.ErrorsFromNormalMatrix, 1);
  for (int j : {1, 5, 7}) EXPECT_GT(win.ParamErrorTable[1][j], 0) << j;
  // The stored matrix is the normal matrix: positive on the diagonal.
  for (int k : {1, 5, 7, 11, 15, 17}) EXPECT_GT(win.HessianMatrix(k, k), 0) << k;
  EXPECT_FALSE(G.LabelTexts[135].empty());
  EXPECT_EQ(note, G.LabelTexts[135]);
  EXPECT_NE(ReportStatisticsLine(kW, true).find(G.LabelTexts[135]), std::string::npos);
  EXPECT_EQ(ReportStatisticsLine(kW, false).find(G.LabelTexts[135]), std::string::npos);
}

TEST_F(ErrorCommand, StoppedRunShowsNoPageAndClearsTheMarks) {
  // Stop on the progress page once the measurement has begun (the key
  // polls of the fit before it are counted too). No page may open: the
  // driver fails a page that waits with no step left.
  for (int k = 1; k <= 3000; ++k) {
    plat::driver::AtKeyPoll(k, [] {
      if (ProgressPageOpen() && G.ProgressValue >= 5) plat::driver::Click("cmdCancel411");
      return 0;
    });
  }
  plat::driver::ChooseMenu(3120);
  EXPECT_FALSE(plat::DialogWindowOpen(1));
  EXPECT_EQ(Win[kW].ErrorTableValid, 0);
  EXPECT_EQ(G.ProgressKey, 0);
  EXPECT_EQ(G.ErrorRunState, 0);
}

TEST_F(ErrorCommand, PagesFollowThePeakTypeAndTheFittedBackground) {
  WindowRecord& win = Win[kW];
  const struct {
    const char* type;
    Byte background;
    std::vector<std::pair<int, const char*>> pages;  // dialog window, OK button
  } cases[] = {
      {"singlet", 2, {{1, "cmdOk321"}}},
      {"singlet", 4, {{3, "cmdOk344"}, {1, "cmdOk321"}}},
      {"doublet", 4, {{3, "cmdOk344"}, {2, "cmdOk331"}}},
      {"other", 4, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " " + std::to_string(c.background));
    win.PeakType = c.type == std::string("singlet")   ? G.MessageTexts[47]
                   : c.type == std::string("doublet") ? G.MessageTexts[52]
                                                      : std::string("Triplet");
    win.BackgroundState = c.background;
    win.ErrorTableValid = 1;  // the table of an earlier run is shown
    for (const auto& [dialogWindow, ok] : c.pages) CloseErrorPage(dialogWindow, ok);
    plat::driver::ChooseMenu(3120);
    EXPECT_EQ(plat::driver::StepsLeft(), 0u);
    EXPECT_EQ(win.BackgroundState, c.background);
  }
}

TEST_F(ErrorCommand, ToolbarButtonEstimatesByTheMethodOfTheWindow) {
  constexpr int kEstimateErrorsAction = 34;
  for (int a = 1; a <= kToolbarActionCount; ++a) G.ToolbarButtonOfAction[a] = 1;
  BuildToolbar();
  UpdateMenuState(kW);
  WindowRecord& win = Win[kW];
  for (int p = 1; p <= 2; ++p) win.ParameterState[p][3] = 1;
  for (const Byte method : {Byte{1}, Byte{0}}) {
    SCOPED_TRACE(static_cast<int>(method));
    win.ErrorMethod = method;
    win.ErrorTableValid = 0;
    win.HessianMatrix.Resize(26, 26);
    win.HessianMatrix(1, 1) = 0;
    std::string caption;
    script::Run([&] { caption = plat::DialogCaption(1); });
    script::Click("cmdOk321");
    plat::driver::ClickToolbar(G.ToolbarButtonOfAction[kEstimateErrorsAction]);
    EXPECT_EQ(win.ErrorTableValid, 1);
    EXPECT_NE(caption.find(G.LabelTexts[method == 1 ? 117 : 116].substr(1)), std::string::npos);
    EXPECT_GT(win.HessianMatrix(1, 1), 0);
    // The profile never gives less than its first estimate.
    const double first = std::sqrt(2 / win.HessianMatrix(1, 1));
    if (method == 0) {
      EXPECT_GE(win.ParamErrors(1, 1), first);
    }
    EXPECT_GT(win.ParamErrors(1, 1), 0);
  }
}

TEST_F(ErrorCommand, ErrorMatrixExportIsOfferedAsSoonAsTheErrorsAreEstimated) {
  constexpr int kExportErrorMatrixAction = 35;
  for (int a = 1; a <= kToolbarActionCount; ++a) G.ToolbarButtonOfAction[a] = 1;
  BuildToolbar();
  Win[kW].HessianValid = 0;
  UpdateMenuState(kW);
  const int button = G.ToolbarButtonOfAction[kExportErrorMatrixAction];
  ASSERT_FALSE(Enabled(CmdExportErrorMatrix));
  ASSERT_FALSE(plat::ToolbarButtonAt(button).enabled);
  CloseErrorPage(1, "cmdOk321");
  plat::driver::ChooseMenu(CmdEstimateErrors);
  plat::driver::Finish();
  ASSERT_EQ(Win[kW].HessianValid, 1);
  EXPECT_TRUE(Enabled(CmdExportErrorMatrix));
  EXPECT_TRUE(plat::ToolbarButtonAt(button).enabled);
}

// ---- The chi-square profile, chosen for the window ----

class ProfileCommand : public ErrorCommand {
 protected:
  void SetUp() override {
    ErrorCommand::SetUp();
    Win[kW].ErrorMethod = 0;
    fitted_ = Win[kW].ParameterValue;
    G.IterationLimit = 37;
    G.FitRounds = 4;
  }
  void ExpectSettingsAsBefore() {
    EXPECT_EQ(G.IterationLimit, 37);
    EXPECT_EQ(G.FitRounds, 4);
    EXPECT_EQ(G.BatchMode, 0);
    EXPECT_EQ(G.FitDisplayPass, 0);
  }
  // The main entries (the stored partner entries follow them).
  void ExpectPeakTable(const decltype(WindowRecord::ParameterValue)& values) {
    for (int p = 1; p <= 2; ++p)
      for (int j = 1; j <= 10; j += 2)
        EXPECT_NEAR(Win[kW].ParameterValue[p][j], values[p][j],
                    1e-9 * std::fabs(values[p][j]) + 1e-12)
            << p << "," << j;
  }
  decltype(WindowRecord::ParameterValue) fitted_;
};

TEST_F(ProfileCommand, BetterFitFoundOnTheWayIsOfferedAtTheEnd) {
  // The table moved off the minimum: the refits find a clearly lower
  // chi-square, and the question follows the run. Heights and positions
  // are free.
  for (const int answer : {1, 2}) {
    SCOPED_TRACE(answer);
    WindowRecord& win = Win[kW];
    win.ParameterValue = fitted_;
    for (int p = 1; p <= 2; ++p) win.ParameterState[p][3] = win.ParameterState[p][7] = 1;
    win.ParameterValue[1][5] += kPerturbedPosition;
    win.ErrorTableValid = 0;
    const auto perturbed = win.ParameterValue;
    script::AnswerMessage(answer, G.LabelTexts[126]);
    if (answer == 2) CloseErrorPage(1, "cmdOk321");
    plat::driver::ChooseMenu(3120);
    EXPECT_EQ(plat::driver::StepsLeft(), 0u);
    if (answer == 1) {
      // The better set is the window's fit now (the data are exact: its
      // chi-square is near 0); no error page, and the next command
      // estimates again.
      EXPECT_EQ(win.ErrorTableValid, 0);
      EXPECT_NEAR(win.ParameterValue[1][5], fitted_[1][5], 0.5 * kPerturbedPosition);
      EXPECT_LT(win.FitChi2, 0.1);
    } else {
      EXPECT_EQ(win.ErrorTableValid, 1);
      ExpectPeakTable(perturbed);
    }
    ExpectSettingsAsBefore();
    EXPECT_EQ(G.ProgressKey, 0);
  }
}

// Two doublets whose partner widths differ, the second's partner width
// linked to the first's: stepping the linked entry on its own lowers
// chi-square most, but such a set breaks the link. The set the run offers
// keeps every link, and so does the fit taken over from it.
TEST_F(ProfileCommand, ABetterSetIsOfferedOnlyWhenItKeepsEveryLink) {
  WindowRecord& win = Win[kW];
  // Main lines at 294 and 288 eV, partners 2 eV lower; the second partner
  // twice as broad.
  auto gauss = [](int i, double centre, double sd) {
    const double a = (i - centre) / sd;
    return std::exp(-0.5 * a * a);
  };
  for (int i = 1; i <= kPoints; ++i) {
    const double counts = 100 + 1000 * gauss(i, 61, 5) + 500 * gauss(i, 81, 5) +
                          800 * gauss(i, 121, 5) + 400 * gauss(i, 141, 10);
    ImportedValues[1][i] = counts;
    SlotData[kW](i, 1) = counts;
  }
  win.PeakType = G.MessageTexts[52];
  const double main[3][6] = {{}, {0, 950, 0.2, 294.1, 1.2, 0}, {0, 760, 0.2, 287.9, 1.2, 0}};
  // The partner entries as the table holds them: height, share, position
  // and width of the partner line itself.
  const double partner[3][6] = {{}, {0, 475, 0.2, 292, 1.2, 0}, {0, 380, 0.2, 286, 1.2, 0}};
  for (int p = 1; p <= 2; ++p) {
    for (int k = 0; k <= 4; ++k) {
      win.ParameterValue[p][2 * k + 1] = main[p][k + 1];
      win.ParameterState[p][2 * k + 1] = k == 4 ? 1 : 0;
      win.ParameterValue[p][2 * k + 2] = partner[p][k + 1];
      win.ParameterState[p][2 * k + 2] = (k == 0 || k == 2 || k == 3) ? 0 : 1;
    }
    win.ParameterLower[p][6] = 280;
    win.ParameterUpper[p][6] = 300;
  }
  win.ParameterState[2][8] = 2;  // the second partner width follows the first
  win.HasFit = 0;
  script::SetText("ed161", -1, "50");
  script::SetText("ed162", -1, "3");
  script::Click("cmdOk161");
  script::Click("cmdCancel242");
  plat::driver::ChooseMenu(3130);
  ASSERT_EQ(win.HasFit, 1);
  // The link holds the ratio of partner width to main width.
  auto widthRatio = [&win](int p) { return win.ParameterValue[p][8] / win.ParameterValue[p][7]; };
  ASSERT_NEAR(widthRatio(2), widthRatio(1), 1e-9);
  win.ErrorMethod = 0;
  win.ErrorTableValid = 0;
  G.IterationLimit = 37;  // the settings the run must give back
  G.FitRounds = 4;

  // The refits do find a lower chi-square with the link kept; that set is
  // offered and taken over.
  script::AnswerMessage(1, G.LabelTexts[126]);
  plat::driver::ChooseMenu(3120);
  EXPECT_EQ(plat::driver::StepsLeft(), 0u);
  EXPECT_EQ(win.ErrorTableValid, 0);
  EXPECT_EQ(win.ParameterState[2][8], 2);
  EXPECT_NEAR(widthRatio(2), widthRatio(1), 1e-9);
  ExpectSettingsAsBefore();
}

TEST_F(ProfileCommand, StopOnTheProgressPageEndsTheRunWithoutPages) {
  for (int k = 1; k <= 5000; ++k) {
    plat::driver::AtKeyPoll(k, [] {
      if (ProgressPageOpen() && G.ProgressValue >= 4) plat::driver::Click("cmdCancel411");
      return 0;
    });
  }
  plat::driver::ChooseMenu(3120);
  EXPECT_FALSE(plat::DialogWindowOpen(1));
  EXPECT_FALSE(ProgressPageOpen());
  EXPECT_EQ(Win[kW].ErrorTableValid, 0);
  ExpectPeakTable(fitted_);
  ExpectSettingsAsBefore();
  EXPECT_EQ(G.ProgressKey, 0);
}

TEST_F(ProfileCommand, WindowClosedDuringTheRunLeavesItAlone) {
  for (int k = 1; k <= 5000; ++k) {
    plat::driver::AtKeyPoll(k, [] {
      if (ProgressPageOpen() && G.ProgressValue >= 4 && Win[kW].WindowOpen)
        plat::driver::CloseWindow(kW);
      return 0;
    });
  }
  plat::driver::ChooseMenu(3120);
  EXPECT_FALSE(Win[kW].WindowOpen);
  EXPECT_FALSE(ProgressPageOpen());
  ExpectSettingsAsBefore();
  EXPECT_EQ(G.FitRunState, 0);
}

TEST_F(ProfileCommand, AnEntryThatNeverChangesChiSquareStopsAtTheStepCap) {
  // A third peak far narrower than a channel, centred between two channels,
  // adds nothing to the model at any channel; only its height is free.
  // Upward it is stepped until the cap; downward the lower limit 0 ends it
  // at once.
  WindowRecord& win = Win[kW];
  win.PeakCount = 3;
  const double third[6] = {0, 10, 0.2, 290.05, 0.01, 0};
  for (int k = 0; k <= 4; ++k) {
    win.ParameterValue[3][2 * k + 1] = third[k + 1];
    win.ParameterValue[3][2 * k + 2] = 0;
    win.ParameterLower[3][2 * k + 1] = k == 3 ? 0.005 : win.ParameterLower[1][2 * k + 1];
    win.ParameterUpper[3][2 * k + 1] = win.ParameterUpper[1][2 * k + 1];
  }
  for (int p = 1; p <= 3; ++p)
    for (int j = 1; j <= 10; ++j) win.ParameterState[p][j] = p == 3 && j == 1 ? 0 : 1;
  win.ErrorTableValid = 0;
  script::Click("cmdOk321");
  plat::driver::ChooseMenu(3120);
  const double first = std::sqrt(2 / 1e-4);  // no curvature at all
  EXPECT_DOUBLE_EQ(win.HessianMatrix(21, 21), 1e-4);
  EXPECT_NEAR(win.ParamErrors(21, 21), kMaxProfileSteps * first, 1e-9 * kMaxProfileSteps * first);
  EXPECT_EQ(win.ParamErrors(1, 1), 0);  // fixed
  ExpectSettingsAsBefore();
}

#include "reference/profile_curvature.inc"

// The stored matrix keeps the curvature that the run measured along every
// entry, fixed ones included: with the table at the exact minimum of the
// data, the exported matrix holds the second differences of chi-square
// along the fixed shares and asymmetries (tools/profile_curvature_reference.py),
// while the errors of those entries stay 0.
TEST_F(ProfileCommand, ExportedMatrixHoldsTheMeasuredCurvatureOfFixedEntries) {
  WindowRecord& win = Win[kW];
  // Half width in channels of exp(-d^2 / 98) in the program's line shape.
  const double width = std::sqrt(98 * kGaussLorentzLn2);
  const double exact[3][3] = {{}, {0, 1000, 294.0}, {0, 500, 290.0}};
  for (int p = 1; p <= 2; ++p) {
    win.ParameterValue[p][1] = exact[p][1];
    win.ParameterValue[p][3] = 0;
    win.ParameterState[p][3] = 1;
    win.ParameterValue[p][5] = exact[p][2];
    win.ParameterValue[p][7] = 2 * width * kStep;
    win.ParameterValue[p][9] = 0;
    win.ParameterState[p][9] = 1;
  }
  win.ErrorTableValid = 0;
  script::Click("cmdOk321");
  plat::driver::ChooseMenu(CmdEstimateErrors);
  ASSERT_EQ(win.ErrorTableValid, 1);
  EXPECT_TRUE(plat::MessagesShown().empty());
  const std::string path = folder_->Path("matrix.dat");
  script::AnswerFile(plat::ProgramPath(path));
  plat::driver::ChooseMenu(CmdExportErrorMatrix);
  // Rows and columns 1, 3, ..., 19 of a singlet fit.
  const std::string text = folder_->Read("matrix.dat");
  std::vector<std::vector<double>> rows;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    std::vector<double> row;
    std::size_t field = 0;
    while (field <= line.size()) {
      std::size_t next = line.find(G.ColumnSeparator, field);
      if (next == std::string::npos) next = line.size();
      row.push_back(plat::TextToNumber(line.substr(field, next - field)));
      field = next + G.ColumnSeparator.size();
    }
    rows.push_back(row);
    start = end + 2;
  }
  ASSERT_EQ(rows.size(), 10u);
  for (const FixedCurvature& c : kFixedCurvatures) {
    SCOPED_TRACE(c.entry);
    const std::size_t at = static_cast<std::size_t>((c.entry - 1) / 2);
    ASSERT_EQ(rows[at].size(), 10u);
    EXPECT_NEAR(rows[at][at], c.curvature, 1e-4 * c.curvature);
    EXPECT_NEAR(win.HessianMatrix(c.entry, c.entry), c.curvature, 1e-4 * c.curvature);
    EXPECT_EQ(win.ParamErrors(c.entry, c.entry), 0);
  }
  // The free entries keep their errors, never below the first estimate.
  for (int k : {1, 5, 7, 11, 15, 17}) {
    EXPECT_GT(win.ParamErrors(k, k), 0) << k;
    EXPECT_GE(win.ParamErrors(k, k), std::sqrt(2 / win.HessianMatrix(k, k))) << k;
  }
  ExpectSettingsAsBefore();
}

TEST_F(ProfileCommand, DoniachSunjicFitGetsItsProfileErrors) {
  WindowRecord& win = Win[kW];
  win.PeakModel = 1;
  for (int p = 1; p <= 2; ++p) {
    win.ParameterValue[p][3] = 0.3;  // Gaussian broadening, eV
    win.ParameterLower[p][3] = 0.05;
    win.ParameterUpper[p][3] = 3;
    win.ParameterState[p][3] = 1;
  }
  script::SetText("ed161", -1, "20");
  script::SetText("ed162", -1, "2");
  script::Click("cmdOk161");
  script::Click("cmdCancel242");
  plat::driver::ChooseMenu(3130);
  G.IterationLimit = 37;
  G.FitRounds = 4;
  std::string caption;
  script::Run([&] { caption = plat::DialogCaption(1); });
  script::Click("cmdOk321");
  plat::driver::ChooseMenu(3120);
  EXPECT_EQ(win.ErrorTableValid, 1);
  EXPECT_TRUE(plat::MessagesShown().empty());
  for (int p = 1; p <= 2; ++p) {
    for (int j : {1, 5, 7}) {
      const int k = 10 * (p - 1) + j;
      EXPECT_GE(win.ParamErrors(k, k), std::sqrt(2 / win.HessianMatrix(k, k))) << k;
      EXPECT_GT(win.ParamErrorTable[p][j], 0) << p << "," << j;
    }
  }
  EXPECT_NE(caption.find(G.LabelTexts[116].substr(1)), std::string::npos);
  ExpectSettingsAsBefore();
}

}  // namespace
