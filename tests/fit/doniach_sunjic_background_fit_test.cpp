// The Doniach-Sunjic fit with a background fitted alongside the peaks: every
// trial is judged with the Shirley step of its own peaks, and the fit of a
// window ends where an independent solver puts it (committed in
// reference/doniach_sunjic_background_reference.inc).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fit/peak_models.h"
#include "fit_window_fixture.h"

namespace sorvan {
namespace {

#include "reference/doniach_sunjic_background_reference.inc"

constexpr int kPeaks = 2;
constexpr int kN = 10 * kPeaks;
constexpr int kP = kN + 6;

// The reference case in the fit-vector layout (element 0 unused).
std::vector<double> FitVectorOf(const std::vector<double>& perPeak) {
  std::vector<double> v(kP + 1, 0.0);
  for (int p = 0; p < kPeaks; ++p) {
    const double* e = &perPeak[5 * p];
    for (int k = 0; k < 5; ++k) v[10 * p + 1 + 2 * k] = e[k];
  }
  for (int i = 1; i <= 6; ++i) v[kN + i] = perPeak[5 * kPeaks + i - 1];
  return v;
}

// Chi-square of p worked out on its own: the peak curves, their running sum
// from the end of the spectrum as the Shirley step, and the terms A, B, E.
double WholeModelChiSquare(const std::vector<double>& p, const std::vector<double>& target,
                           const std::vector<double>& sigma) {
  const int n = kDsBackgroundPoints;
  std::vector<double> sum(n + 1, 0.0), curve(n + 1), partner(n + 1), a(n + 1, 0.0), b(n + 1, 0.0);
  for (int peak = 0; peak < kPeaks; ++peak) {
    DoniachSunjicPeakCurve(&p[10 * peak + 1], false, n, 1, n, curve.data(), partner.data(),
                           a.data(), b.data());
    for (int x = 1; x <= n; ++x) sum[x] += curve[x];
  }
  double chi2 = 0.0, step = 0.0;
  for (int x = n; x >= 1; --x) {
    step += sum[x];
    const double model = sum[x] + p[kN + 1] + p[kN + 2] * (n - x) + p[kN + 5] * step;
    chi2 += (model - target[x]) * (model - target[x]) / (sigma[x] * sigma[x]);
  }
  return chi2;
}

TEST(DoniachSunjicFittedBackground, EveryTrialIsJudgedWithTheShirleyStepOfItsOwnPeaks) {
  const int n = kDsBackgroundPoints;
  std::vector<double> target(n + 1), sigma(n + 1), lower(kN + 1, -1e30), upper(kN + 1, 1e30);
  std::vector<double> scale(kP + 1, 0.0);
  for (int x = 1; x <= n; ++x) {
    target[x] = kDsBackgroundCounts[x - 1];
    sigma[x] = std::sqrt(target[x]);
  }
  const std::vector<double> freeEntries = FitVectorOf(
      std::vector<double>(kDsBackgroundFree.begin(), kDsBackgroundFree.end()));
  for (int k = 1; k <= kP; ++k) scale[k] = freeEntries[k] != 0.0 ? -1.0 : 0.0;
  DoniachSunjicFitModel model(kPeaks, false, true, n, 1, n, 0.1);
  model.SetLimits(lower.data(), upper.data(), scale.data());
  model.SetTailUsed(false);
  const double degrees = DegreesUsedByPeaks(kPeaks, false, 3);
  FitData data{target.data(), sigma.data(), 1, n, scale.data(), degrees, 1};
  LevenbergMarquardt engine(kP, n);
  std::vector<double> p = FitVectorOf(kDsBackgroundStart);

  int trials = 0;
  double startChi2 = -1;
  FitHooks hooks;
  hooks.startQuestion = [&](const double* q) {
    startChi2 = WholeModelChiSquare(std::vector<double>(q, q + kP + 1), target, sigma);
    EXPECT_NEAR(engine.trialReducedChi2 * (n - degrees), startChi2, 1e-9 * startChi2);
    return true;
  };
  hooks.afterTrial = [&](const double* q, double) {
    ++trials;
    const double expected = WholeModelChiSquare(std::vector<double>(q, q + kP + 1), target, sigma);
    EXPECT_NEAR(engine.trialReducedChi2 * (n - degrees), expected, 1e-9 * expected)
        << "trial " << trials;
    return 0;
  };
  ASSERT_EQ(engine.Run(model, data, p.data(), FitSettings{200, 3, true}, hooks),
            FitOutcome::Finished);
  EXPECT_GT(startChi2, 0.0);
  EXPECT_GT(trials, 3);
}

// Window 8 holds the reference spectrum on the kinetic axis, the start
// values in its peak table and the start terms with their fix marks.
constexpr int kW = 8;
constexpr double kStep = 0.1;
constexpr double kStartEnergy = 600.0;

// Table units of one peak: height, Gaussian FWHM, position, Lorentz FWHM,
// asymmetry (the odd entries 1..9).
std::vector<double> TableValues(const double* e) {
  return {e[0], 2 * e[1] * kStep, (e[2] - 1) * kStep + kStartEnergy, 2 * e[3] * kStep, e[4]};
}

void PrepareWindow() {
  fittest::PlaceCountsForFit(kW, kDsBackgroundCounts, kStep, kStartEnergy);
  G.IterationLimit = 200;
  G.FitRounds = 4;
  WindowRecord& win = Win[kW];
  win.PeakCount = kPeaks;
  win.PeakModel = 1;
  win.PeakType = "Singlet";
  win.BackgroundState = 4;
  for (int p = 1; p <= kPeaks; ++p) {
    const std::vector<double> values = TableValues(&kDsBackgroundStart[5 * (p - 1)]);
    const int* free = &kDsBackgroundFree[5 * (p - 1)];
    for (int k = 0; k < 5; ++k) {
      const int j = 2 * k + 1;
      win.ParameterValue[p][j] = values[k];
      win.ParameterState[p][j] = free[k] ? 0 : 1;
      win.ParameterState[p][j + 1] = 1;
      for (int jj : {j, j + 1}) {
        win.ParameterLower[p][jj] = jj == 9 || jj == 10 ? -0.5 : 0;
        win.ParameterUpper[p][jj] = jj == 9 || jj == 10 ? 0.5 : 1e9;
      }
    }
  }
  for (int k = 1; k <= 6; ++k) {
    win.BackgroundTermValue[k] = kDsBackgroundStart[5 * kPeaks + k - 1];
    win.BackgroundTermFixed[k] = kDsBackgroundFree[5 * kPeaks + k - 1] == 0;
  }
  AllocFitArraysDoniachSunjic(kW);
  ASSERT_TRUE(LoadFitParameters(kW));
}

TEST(DoniachSunjicFittedBackground, WindowFitRecoversTheIndependentSolversPeaksAndTerms) {
  PrepareWindow();
  FitPeaksDoniachSunjic(kW);
  const WindowRecord& win = Win[kW];
  ASSERT_EQ(win.HasFit, 1);
  for (int p = 1; p <= kPeaks; ++p) {
    const std::vector<double> expected = TableValues(&kDsBackgroundFitted[5 * (p - 1)]);
    for (int k = 0; k < 5; ++k) {
      const int j = 2 * k + 1;
      EXPECT_NEAR(win.ParameterValue[p][j], expected[k], 1e-5 * std::fabs(expected[k]))
          << "peak " << p << " parameter " << j;
    }
  }
  for (int k : {1, 2, 5}) {
    const double expected = kDsBackgroundFitted[5 * kPeaks + k - 1];
    EXPECT_NEAR(win.BackgroundTermValue[k], expected, 1e-5 * std::fabs(expected)) << "term " << k;
  }
  EXPECT_NEAR(win.FitChi2, kDsBackgroundChiSquare, 1e-6 * kDsBackgroundChiSquare);
}

}  // namespace
}  // namespace sorvan
