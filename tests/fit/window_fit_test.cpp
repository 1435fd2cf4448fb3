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
  InitialiseModel();
  FitPageHooks() = FitPages{};
  G.MessageTexts[52] = "Doublet";
  G.EnergyAxisMode = 1;
  G.BatchMode = 1;
  G.IterationLimit = 200;
  G.FitRounds = 3;
  WindowRecord& win = Win[kW];
  win.SpectrumHeader.PointCount = static_cast<Int16>(c.points);
  win.SpectrumHeader.EnergyStep = kStep;
  win.SpectrumHeader.StartEnergy = kStartEnergy;
  win.SpectrumHeader.EndEnergy = kStartEnergy + (c.points - 1) * kStep;
  win.SpectrumHeader.ExcitationEnergy = 1486.6;
  win.SpectrumHeader.ScanCount = 1;
  win.SpectrumHeader.DwellTime = 1;
  win.RegionStart = 1;
  win.RegionEnd = static_cast<Int16>(c.points);
  win.RegionLength = static_cast<Int16>(c.points);
  win.PeakCount = static_cast<Int16>(c.peaks);
  win.PeakType = c.doublet ? "Doublet" : "Singlet";
  win.BackgroundState = 4;
  win.SourceSpectrumIndex = 1;
  ImportedHeader[1] = win.SpectrumHeader;
  ImportedValues[1].Resize(c.points);
  DimSlotData(kW);
  for (int i = 1; i <= c.points; ++i) {
    SlotData[kW](i, 1) = c.counts[i - 1];
    ImportedValues[1][i] = c.counts[i - 1];
  }
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
    FitPeaksGaussLorentz(kW);
    EXPECT_EQ(Win[kW].ParameterValue, before) << c.name;
    EXPECT_EQ(Win[kW].HasFit, 0) << c.name;
  }
}

}  // namespace
}  // namespace sorvan
