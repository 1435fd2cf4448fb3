// The background fitted with the peaks set up on its page from the menu:
// start terms and their fix marks, keep and confirm, subtract at once,
// cancel, the region rather than a picked pair, a busy page, the terms
// handed to a fit; and a fit from a parameter-set file that carries
// background terms, run end to end from the menu.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../display/display_fixture.h"
#include "../shell/shell_fixture.h"
#include "core/model.h"
#include "core/store.h"
#include "dialogs/fit_background_page.h"
#include "display/windows.h"
#include "fit/fit_vector.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/text.h"
#include "processing/pages/background_page.h"
#include "processing/poly_background.h"
#include "processing/poly_shirley.h"
#include "shell/menu_state.h"
#include "shell/toolbar.h"

namespace sorvan {
namespace {

namespace script = plat::script;

TEST(FitBackgroundTermText, DecimalsFollowTheTermAndTheSizeOfA) {
  struct Case {
    int term;
    double value;
    const char* text;
  } cases[] = {
      {1, 1234.56, " 1234.6"},     {1, 1000.04, " 1000"},        {1, 12.3456, " 12.346"},
      {1, 10.0000004, " 10"},      {1, 0.05, " 0.05"},           {1, 0.123456789, " 0.12346"},
      {1, 0.1, " 0.1"},            {1, -2.123456789, "-2.1234568"}, {2, 0.0000004, " 0"},
      {5, 0.0123456789, " 0.012346"}, {6, -1.5, "-1.5"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FitBackgroundTermText(c.term, c.value), c.text) << c.term << " " << c.value;
}

constexpr int kN = 60;
constexpr double kStep = 0.25;

// A peak on a step, higher on the left.
std::vector<double> PeakOnStep() {
  std::vector<double> y(kN + 1, 0.0);
  for (int i = 1; i <= kN; ++i) {
    const double x = i - 30.0;
    y[i] = 100 + 50.0 / (1 + std::exp(x / 3.0)) + 700 * std::exp(-x * x / 20.0);
  }
  return y;
}

class FitBackgroundSetUp : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.AveragePoints = 1;
    G.CpsMode = 1;
    y_ = PeakOnStep();
    displaytest::PlaceSpectrum(w_, std::vector<double>(y_.begin() + 1, y_.end()), 900, kStep);
    Win[w_].WindowOpen = false;
    OpenSpectrumWindow(w_, "C 1s");
    G.CurrentWindow = static_cast<Byte>(w_);
    UpdateMenuState(w_);
  }

  double Column(int c, int i) const { return SlotData[w_](i, c); }

  // S of the spectrum over first..last less A (and T, unused here).
  std::vector<double> Shirley(double A, int first, int last) const {
    std::vector<double> S(kN + 1, 0.0), T(kN + 1, 0.0);
    FitBackgroundStartShapes(y_, A, first, last, kStep, S, T);
    return S;
  }

  std::vector<double> y_;
  int w_ = 1;
};

TEST_F(FitBackgroundSetUp, StartTermsKeptEditedThenConfirmed) {
  const double A = y_[kN];
  const std::vector<double> S = Shirley(A, 1, kN);
  const double E = (y_[1] - A) / S[1];
  script::Run([&] {
    // Start terms: A = R free, B, C, D fixed at 0, E free, F fixed at 0.
    EXPECT_EQ(plat::Text(28, "ed281", 1), FitBackgroundTermText(1, A));
    EXPECT_EQ(plat::Text(28, "ed281", 2), " 0");
    EXPECT_EQ(plat::Text(28, "ed281", 5), FitBackgroundTermText(5, E));
    const int fixed[7] = {0, 0, 1, 1, 1, 0, 1};
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(plat::Value(28, "chk281", k), fixed[k]) << k;
    EXPECT_EQ(plat::Text(28, "lb283"), "P(x) = A+Bx+Cx\u00B2+Dx\u00B3+ES+FT");
    EXPECT_EQ(Win[1].BackgroundState, BackgroundPreview);
    EXPECT_EQ(G.DialogWindow28Busy, 1);
    // The curve stored before the page meets the spectrum at the start.
    EXPECT_NEAR(Column(2, 1), y_[1], 1e-9);
    EXPECT_NEAR(Column(2, kN), A + E * (y_[kN] - A), 1e-9);
  });
  // Keep: a new constant, B freed.
  script::SetText("ed281", 1, "95,5");
  script::SetValue("chk281", 2, 0);
  script::Click("cmd282");
  script::Run([&] {
    // Shown again; the terms were read as the page showed them.
    EXPECT_EQ(Win[1].BackgroundTermValue[1], 95.5);
    EXPECT_EQ(Win[1].BackgroundTermValue[5], plat::TextToNumber(FitBackgroundTermText(5, E)));
    EXPECT_FALSE(Win[1].BackgroundTermFixed[2]);
    // The curve follows the edited terms on the same S.
    EXPECT_NEAR(Column(2, 10), 95.5 + Win[1].BackgroundTermValue[5] * S[10], 1e-9);
  });
  script::SetText("ed281", 3, "0.001");
  script::SetValue("chk281", 6, 0);
  script::Click("cmdOk283");
  plat::driver::ChooseMenu(3115);

  const WindowRecord& win = Win[w_];
  EXPECT_EQ(win.BackgroundState, BackgroundFitted);
  EXPECT_EQ(G.DialogResult, 1);
  EXPECT_EQ(G.DialogWindow28Busy, 0);
  EXPECT_EQ(win.BackgroundTermValue[3], 0.001);
  const bool fixed[7] = {false, false, false, true, true, false, false};
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(win.BackgroundTermFixed[k], fixed[k]) << k;
  for (int i = 1; i <= kN; ++i) {
    const double x = kN - i;
    EXPECT_NEAR(Column(2, i), 95.5 + 0.001 * x * x + win.BackgroundTermValue[5] * S[i], 1e-6) << i;
    EXPECT_EQ(Column(1, i), y_[i]) << i;  // the spectrum is untouched
  }
}

TEST_F(FitBackgroundSetUp, CancelLeavesNoBackground) {
  script::Key(script::KeyCode::Esc);
  plat::driver::ChooseMenu(3115);
  EXPECT_EQ(Win[w_].BackgroundState, BackgroundNone);
  EXPECT_EQ(G.DialogResult, 0);
  EXPECT_EQ(G.DialogWindow28Busy, 0);
  for (int i = 1; i <= kN; ++i) {
    EXPECT_EQ(Column(2, i), 0.0) << i;
    EXPECT_EQ(Column(1, i), y_[i]) << i;
  }
}

TEST_F(FitBackgroundSetUp, SubtractNowTakesTheCurveShownAndIgnoresTypedTerms) {
  script::SetText("ed281", 1, "5000");
  script::Click("cmd281");
  plat::driver::ChooseMenu(3115);
  const WindowRecord& win = Win[w_];
  EXPECT_EQ(win.BackgroundState, BackgroundSubtracted);
  EXPECT_EQ(G.DialogResult, AnswerFitBackgroundSubtract);
  EXPECT_EQ(win.BackgroundTermValue[1], y_[kN]);  // the typed 5000 is not read
  const std::vector<double> S = Shirley(y_[kN], 1, kN);
  const double E = (y_[1] - y_[kN]) / S[1];
  for (int i = 1; i <= kN; ++i) {
    const double b = y_[kN] + E * S[i];
    EXPECT_NEAR(Column(2, i), b, 1e-9) << i;
    EXPECT_NEAR(Column(1, i), y_[i] - b, 1e-9) << i;
  }
  EXPECT_EQ(win.ErrorTableValid, 0);
}

TEST_F(FitBackgroundSetUp, BuildsOverTheRegionWhateverPairWasPicked) {
  Win[w_].RegionStart = 10;
  Win[w_].RegionEnd = 45;
  G.RegionPickState = 2;
  G.CursorStart = 3;
  G.CursorEnd = 20;
  script::Click("cmdOk283");
  plat::driver::ChooseMenu(3115);
  // The start terms come from the region's ends; OK reads them back as
  // the page showed them.
  const double A = y_[45];
  const std::vector<double> S = Shirley(A, 10, 45);
  const double E = (y_[10] - A) / S[10];
  const double shownA = Win[w_].BackgroundTermValue[1], shownE = Win[w_].BackgroundTermValue[5];
  EXPECT_NEAR(shownA, A, 0.0005);
  EXPECT_NEAR(shownE, E, 5e-7);
  for (int i = 10; i <= 45; ++i) EXPECT_NEAR(Column(2, i), shownA + shownE * S[i], 1e-9) << i;
  EXPECT_NEAR(Column(2, 10), y_[10], 0.001);
  EXPECT_EQ(G.CursorStart, 10);
  EXPECT_EQ(G.CursorEnd, 45);
}

TEST_F(FitBackgroundSetUp, BusyPageChangesNothing) {
  G.DialogWindow28Busy = 1;
  G.DialogResult = 7;
  plat::driver::ChooseMenu(3115);
  EXPECT_EQ(Win[w_].BackgroundState, BackgroundNone);
  EXPECT_EQ(Win[w_].BackgroundTermValue[1], 0.0);
  for (int i = 1; i <= kN; ++i) EXPECT_EQ(Column(2, i), 0.0) << i;
  G.DialogWindow28Busy = 0;
}

TEST_F(FitBackgroundSetUp, ConfirmedTermsEnterTheFitVectorOfAFittedWindow) {
  WindowRecord& win = Win[w_];
  win.PeakCount = 1;
  win.PeakType = G.MessageTexts[47];
  win.HasFit = 1;
  AllocFitArraysGaussLorentz(w_);
  // The fit sum: a bump; the shapes follow it rather than the data.
  std::vector<double> sum(kN + 1, 0.0);
  for (int i = 1; i <= kN; ++i) {
    sum[i] = 600 * std::exp(-(i - 30.0) * (i - 30.0) / 20.0);
    SlotComponents[w_](i, 2) = sum[i];
  }
  script::Run([&] {
    EXPECT_EQ(Win[1].BackgroundState, BackgroundNone);  // a fitted window shows no preview
  });
  script::SetText("ed281", 4, "0.25");
  script::SetValue("chk281", 4, 0);
  script::Click("cmdOk283");
  plat::driver::ChooseMenu(3115);
  const int N = 10;
  for (int k = 1; k <= 6; ++k) {
    EXPECT_EQ(G.FitVector[N + k], win.BackgroundTermValue[k]) << k;
    EXPECT_EQ(G.ParameterScale[N + k], win.BackgroundTermFixed[k] ? 0.0 : 1.0) << k;
  }
  EXPECT_EQ(G.FitVector[N + 4], 0.25);
  EXPECT_EQ(G.ParameterScale[N + 4], 1.0);
  EXPECT_EQ(G.ParameterScale[N + 2], 0.0);
  // E was chosen from the fit sum on A: S_1 is the whole sum.
  double total = 0;
  for (int i = 1; i <= kN; ++i) total += sum[i];
  EXPECT_NEAR(win.BackgroundTermValue[5], sum[1] / total, 1e-12);
}

TEST_F(FitBackgroundSetUp, ToolbarButtonOpensTheSamePage) {
  int action = 0;
  for (int a = 1; a <= kToolbarActionCount; ++a)
    if (ToolbarActionAt(a).command == 3115) action = a;
  ASSERT_GT(action, 0);
  for (int a = 1; a <= kToolbarActionCount; ++a) G.ToolbarButtonOfAction[a] = a == action ? 1 : 0;
  BuildToolbar();
  UpdateMenuState(w_);
  script::Run([] { EXPECT_TRUE(plat::ControlExists(28, "cmdOk283")); });
  script::Click("cmd282");
  script::Click("cmdOk283");
  plat::driver::ClickToolbar(G.ToolbarButtonOfAction[action]);
  EXPECT_EQ(Win[w_].BackgroundState, BackgroundFitted);
  EXPECT_NEAR(Column(2, 1), y_[1], 0.005);  // terms read as shown
}

// ---- A fit from a parameter-set file with background terms ----

constexpr int kPoints = 201;
constexpr double kFitStep = 0.1;
constexpr double kExcitation = 1486.6;
constexpr double kTrueA = 100, kTrueE = 0.005;

// Two Gaussian lines (binding 292 and 287 eV, half widths of 9 channels) on
// A + E S, S the running sum of the lines from the end of the spectrum.
std::vector<double> ShirleyStepSpectrum() {
  std::vector<double> peaks(kPoints + 1, 0.0), y(kPoints + 1, 0.0);
  for (int i = 1; i <= kPoints; ++i) {
    const double a = (i - 81) / 9.0, b = (i - 131) / 9.0;
    peaks[i] = 1000 * std::exp(-0.6931 * a * a) + 600 * std::exp(-0.6931 * b * b);
  }
  double running = 0;
  for (int i = kPoints; i >= 1; --i) {
    running += peaks[i];
    y[i] = peaks[i] + kTrueA + kTrueE * running;
  }
  return y;
}

class FitFromParameterFile : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.EnergyAxisMode = 0;
    G.CpsMode = 0;
    y_ = ShirleyStepSpectrum();
    displaytest::PlaceSpectrum(w_, std::vector<double>(y_.begin() + 1, y_.end()),
                               kExcitation - 300, kFitStep, kExcitation);
    Win[w_].WindowOpen = false;
    OpenSpectrumWindow(w_, "C 1s");
    WindowRecord& win = Win[w_];
    win.SourceSpectrumIndex = 1;
    ImportedHeader[1] = win.SpectrumHeader;
    ImportedValues[1].Resize(kPoints);
    for (int i = 1; i <= kPoints; ++i) ImportedValues[1][i] = y_[i];
    G.CurrentWindow = static_cast<Byte>(w_);
    UpdateMenuState(w_);
  }

  // Two singlets near the truth and the background terms A = 90 and
  // E = 0.004 (free), the others fixed at 0.
  std::string WriteParameterFile() const {
    std::string text = "Peak\r\n 502\r\n";
    const char* peaks[2][10] = {
        {"0, 5000, 900, 0", "0, 1, 0, 1", "0, 1, 0, 1", "0, 1, 0, 1", "280, 300, 292.3, 0",
         "280, 300, 292.3, 1", "0.5, 5, 1.6, 0", "0, 2, 1, 1", "-0.1, 0.1, 0, 1",
         "-0.1, 0.1, 0, 1"},
        {"0, 5000, 650, 0", "0, 1, 0, 1", "0, 1, 0, 1", "0, 1, 0, 1", "280, 300, 286.8, 0",
         "280, 300, 286.8, 1", "0.5, 5, 2, 0", "0, 2, 1, 1", "-0.1, 0.1, 0, 1",
         "-0.1, 0.1, 0, 1"}};
    for (auto& peak : peaks)
      for (const char* line : peak) text += std::string(" ") + line + "\r\n";
    text += " 90, 0\r\n 0, 1\r\n 0, 1\r\n 0, 1\r\n 0.004, 0\r\n 0, 1\r\n";
    folder_->Write("two peaks.par", text);
    return folder_->Path("two peaks.par");
  }

  std::vector<double> y_;
  int w_ = 1;
};

TEST_F(FitFromParameterFile, LoadedBackgroundIsSetUpAndFittedWithThePeaks) {
  script::AnswerFile(WriteParameterFile());
  // The fit background page shows the file's terms.
  script::Run([] {
    EXPECT_EQ(Win[1].BackgroundState, BackgroundPreview);
    EXPECT_EQ(plat::Text(28, "ed281", 1), " 90");
    EXPECT_EQ(plat::Text(28, "ed281", 5), " 0.004");
    EXPECT_EQ(plat::Value(28, "chk281", 2), 1);
  });
  script::Click("cmdOk283");
  script::Click("cmdOk121");  // limits as loaded
  script::Click("cmdOk141");  // start values as loaded
  script::SetText("ed161", -1, "100");
  script::SetText("ed162", -1, "4");
  script::Click("cmdOk161");
  script::Click("cmdCancel242");
  plat::driver::ChooseMenu(3110);

  const WindowRecord& win = Win[w_];
  EXPECT_EQ(win.BackgroundState, BackgroundFitted);
  EXPECT_EQ(win.HasFit, 1);
  EXPECT_EQ(win.PeakCount, 2);
  EXPECT_EQ(G.FitRunState, 0);
  EXPECT_NEAR(win.ParameterValue[1][5], 292, 1e-3);
  EXPECT_NEAR(win.ParameterValue[2][5], 287, 1e-3);
  EXPECT_NEAR(win.ParameterValue[1][1], 1000, 0.5);
  EXPECT_NEAR(win.ParameterValue[2][1], 600, 0.5);
  EXPECT_NEAR(win.ParameterValue[1][7], 1.8, 1e-3);
  EXPECT_NEAR(win.BackgroundTermValue[1], kTrueA, 0.1);
  EXPECT_NEAR(win.BackgroundTermValue[5], kTrueE, 1e-5);
  EXPECT_EQ(win.BackgroundTermValue[2], 0.0);  // fixed terms stay
  // The fitted background is the window's background column.
  double running = 0;
  for (int i = kPoints; i >= 1; --i) {
    const double a = (i - 81) / 9.0, b = (i - 131) / 9.0;
    running += 1000 * std::exp(-0.6931 * a * a) + 600 * std::exp(-0.6931 * b * b);
    EXPECT_NEAR(SlotData[w_](i, 2), kTrueA + kTrueE * running, 0.5) << i;
  }
}

}  // namespace
}  // namespace sorvan
