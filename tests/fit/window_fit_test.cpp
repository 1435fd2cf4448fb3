// The fit of a window end to end: the peak table is loaded, fitted against
// the window's data with weights from the raw counts, and stored back; a
// window closed during the fit keeps its table; unusable windows are refused.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fit/peak_models.h"
#include "fit_window_fixture.h"
#include "platform/driver.h"

namespace sorvan {
namespace {

struct ReferenceCase {
  const char* name;
  int peaks;
  bool doublet;
  int points;
  std::vector<double> counts;
  std::vector<double> start;
  std::vector<int> free;
  std::vector<double> fitted;
  double chiSquare;
};

#include "reference/gauss_lorentz_reference.inc"

constexpr int kW = 7;
constexpr double kStep = 0.1;
constexpr double kStartEnergy = 1000.0;

// Window kW holds the case's spectrum on the kinetic axis with the case's
// start values in its peak table and a fitted constant and linear background.
void PrepareWindow(const ReferenceCase& c) {
  fittest::PlaceCountsForFit(kW, c.counts, kStep, kStartEnergy);
  G.IterationLimit = 200;
  G.FitRounds = 3;
  WindowRecord& win = Win[kW];
  win.PeakCount = static_cast<Int16>(c.peaks);
  win.PeakType = c.doublet ? "Doublet" : "Singlet";
  win.BackgroundState = 4;
  for (int p = 1; p <= c.peaks; ++p) {
    const double* e = &c.start[10 * (p - 1)];
    const double values[11] = {0,
                               e[0],
                               e[1] * e[0],
                               e[2],
                               e[3] * e[2],
                               (e[4] - 1) * kStep + kStartEnergy,
                               (e[4] + e[5] - 1) * kStep + kStartEnergy,
                               2 * e[6] * kStep,
                               2 * e[7] * e[6] * kStep,
                               e[8],
                               e[8] * e[9]};
    for (int j = 1; j <= 10; ++j) {
      win.ParameterValue[p][j] = values[j];
      win.ParameterLower[p][j] = j <= 2 ? 0 : -1e9;
      win.ParameterUpper[p][j] = 1e9;
      win.ParameterState[p][j] = c.free[10 * (p - 1) + j - 1] ? 0 : 1;
    }
  }
  const int N = 10 * c.peaks;
  for (int i = 1; i <= 6; ++i) {
    win.BackgroundTermValue[i] = c.start[N + i - 1];
    win.BackgroundTermFixed[i] = c.free[N + i - 1] == 0;
  }
  AllocFitArraysGaussLorentz(kW);
  ASSERT_TRUE(LoadFitParameters(kW));
}

TEST(WindowFit, StoresTheLeastSquaresResultInTableUnits) {
  for (const ReferenceCase* c : {&kTwoSinglets, &kDoublet}) {
    PrepareWindow(*c);
    FitPeaksGaussLorentz(kW);
    const WindowRecord& win = Win[kW];
    EXPECT_EQ(win.HasFit, 1);
    for (int p = 1; p <= c->peaks; ++p) {
      const double* e = &c->fitted[10 * (p - 1)];
      const double expected[11] = {0, e[0], e[1] * e[0], e[2], e[3] * e[2],
                                   (e[4] - 1) * kStep + kStartEnergy,
                                   (e[4] + e[5] - 1) * kStep + kStartEnergy,
                                   2 * e[6] * kStep, 2 * e[7] * e[6] * kStep, e[8], e[8] * e[9]};
      for (int j = 1; j <= 10; ++j) {
        EXPECT_NEAR(win.ParameterValue[p][j], expected[j], 1e-4 * std::fabs(expected[j]) + 1e-12)
            << c->name << " peak " << p << " parameter " << j;
      }
      EXPECT_GT(win.PeakArea[p], 0.0);
    }
    EXPECT_NEAR(win.BackgroundTermValue[1], c->fitted[10 * c->peaks], 1e-4 * c->fitted[10 * c->peaks]);
    EXPECT_NEAR(win.FitChi2, c->chiSquare, 1e-6 * c->chiSquare) << c->name;
    // The component matrix holds the peaks, the sum and the residuals.
    EXPECT_NE(SlotComponents[kW](c->points / 2, c->peaks + 1), 0.0);
  }
}

TEST(WindowFit, WindowClosedDuringTheFitKeepsItsTable) {
  PrepareWindow(kTwoSinglets);
  G.BatchMode = 0;
  // The iteration-limit question is where a person could close a window.
  FitPageHooks().iterationLimitPage = [](int) {
    G.DialogResult = 1;
    G.FitRunState = 26;
  };
  const auto before = Win[kW].ParameterValue;
  FitPeaksGaussLorentz(kW);
  EXPECT_EQ(G.FitRunState, 26);
  EXPECT_EQ(Win[kW].ParameterValue, before);
  EXPECT_EQ(Win[kW].FitChi2, 0.0);
  FitPageHooks() = FitPages{};
}

TEST(WindowFit, EvaluateOnlyStoresStartValuesWithStatistics) {
  PrepareWindow(kDoublet);
  G.BatchMode = 2;
  const auto before = Win[kW].ParameterValue;
  FitPeaksGaussLorentz(kW);
  for (int j = 1; j <= 10; ++j) EXPECT_NEAR(Win[kW].ParameterValue[1][j], before[1][j], 1e-9) << j;
  EXPECT_GT(Win[kW].FitChi2, kDoublet.chiSquare);
}

TEST(WindowFit, EscapeEndsTheRoundAndStoresTheBestParameters) {
  PrepareWindow(kTwoSinglets);
  plat::driver::Reset();
  plat::driver::EscAtKeyPoll(3);
  FitPeaksGaussLorentz(kW);
  plat::driver::Finish();
  EXPECT_EQ(G.FitKey, 27);
  EXPECT_EQ(G.FitRound, 1);  // no further round after Esc
  EXPECT_EQ(G.FitIteration, 4);  // the start and three trials
  EXPECT_EQ(Win[kW].HasFit, 1);
  // What is stored is the best accepted set, never worse than the start.
  EXPECT_LE(Win[kW].FitReducedChi2, G.AcceptedReducedChi2 + 1e-9);
  EXPECT_GT(Win[kW].FitChi2, kTwoSinglets.chiSquare);
}

TEST(WindowFit, DoniachSunjicPeakFoundAgainInTableUnits) {
  // One asymmetric line on a flat background: 1000 counts high at channel
  // 80.5, Gaussian half width 2 channels (FWHM 0.4 eV), Lorentz half width
  // 1.5 channels (FWHM 0.3 eV), asymmetry 0.1.
  const int n = 160;
  const double truth[10] = {1000, 0, 2.0, 0, 80.5, 0, 1.5, 0, 0.1, 0};
  std::vector<double> peak(n + 1), partner(n + 1), a(n + 1), b(n + 1);
  DoniachSunjicPeakCurve(truth, false, n, 1, n, peak.data(), partner.data(), a.data(), b.data());
  ReferenceCase c = kTwoSinglets;
  c.peaks = 1;
  c.points = n;
  c.counts.assign(n, 0.0);
  for (int i = 1; i <= n; ++i) c.counts[i - 1] = 200 + peak[i];
  c.start = {900, 0, 0.5, 0, 81.5, 0, 0.35, 0, 0.05, 0, 150, 0, 0, 0, 0, 0};
  c.free = {1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0};
  PrepareWindow(c);
  Win[kW].PeakModel = 1;
  // The shape and width entries are full widths in eV for this line shape.
  Win[kW].ParameterValue[1][3] = 0.5;
  Win[kW].ParameterValue[1][7] = 0.35;
  AllocFitArraysDoniachSunjic(kW);
  ASSERT_TRUE(LoadFitParameters(kW));
  FitPeaksDoniachSunjic(kW);
  const auto& v = Win[kW].ParameterValue[1];
  EXPECT_NEAR(v[1], 1000, 0.1);
  EXPECT_NEAR(v[3], 2 * 2.0 * kStep, 1e-4);
  EXPECT_NEAR(v[5], (80.5 - 1) * kStep + kStartEnergy, 1e-5);
  EXPECT_NEAR(v[7], 2 * 1.5 * kStep, 1e-4);
  EXPECT_NEAR(v[9], 0.1, 1e-4);
  EXPECT_NEAR(Win[kW].BackgroundTermValue[1], 200, 0.05);
  EXPECT_GT(Win[kW].PeakArea[1], 0.0);
}

TEST(WindowFit, RelativeTableOfOneDoubletGivesTheSameResult) {
  const ReferenceCase& c = kDoublet;
  PrepareWindow(c);
  WindowRecord& win = Win[kW];
  win.RelativeMode = 1;
  // Partner entries as ratios and the splitting in eV.
  const double* e = c.start.data();
  win.ParameterValue[1][2] = e[1];
  win.ParameterValue[1][4] = e[3];
  win.ParameterValue[1][6] = e[5] * kStep;
  win.ParameterValue[1][8] = e[7];
  win.ParameterValue[1][10] = e[9];
  for (int j : {2, 4, 6, 8, 10}) {
    win.ParameterLower[1][j] = -1e9;
    win.ParameterUpper[1][j] = 1e9;
  }
  AllocFitArraysGaussLorentz(kW);
  ASSERT_TRUE(LoadFitParametersRelative(kW));
  FitPeaksGaussLorentzRelative(kW);
  const double* f = c.fitted.data();
  const double expected[11] = {0, f[0], f[1], f[2], f[3], (f[4] - 1) * kStep + kStartEnergy,
                               f[5] * kStep, 2 * f[6] * kStep, f[7], f[8], f[9]};
  for (int j : {1, 2, 3, 5, 6, 7, 8}) {
    EXPECT_NEAR(win.ParameterValue[1][j], expected[j], 1e-4 * std::fabs(expected[j])) << j;
  }
  EXPECT_NEAR(win.FitChi2, c.chiSquare, 1e-6 * c.chiSquare);
}

TEST(WindowFit, UnusableWindowsAreRefusedWithoutStoring) {
  struct Case {
    const char* name;
    void (*spoil)();
  } cases[] = {
      {"no raw counts", [] { ImportedHeader[1].PointCount = 10; }},
      {"region without degrees of freedom", [] { Win[kW].RegionEnd = 12; }},
      {"zero energy step", [] { Win[kW].SpectrumHeader.EnergyStep = 0; }},
  };
  for (const Case& c : cases) {
    PrepareWindow(kTwoSinglets);
    c.spoil();
    const auto before = Win[kW].ParameterValue;
    plat::driver::Reset();
    plat::script::AnswerMessage(1);  // the refusal is reported in a message box
    FitPeaksGaussLorentz(kW);
    EXPECT_EQ(plat::driver::StepsLeft(), 0u) << c.name;
    EXPECT_EQ(Win[kW].ParameterValue, before) << c.name;
    EXPECT_EQ(Win[kW].HasFit, 0) << c.name;
  }
  plat::driver::Reset();
}

}  // namespace
}  // namespace sorvan
