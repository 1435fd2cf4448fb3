// The background fitted together with the peaks, recovered by a fit of a
// window: two singlets on a sloped background with a Shirley step that
// follows the peaks, with Poisson noise; the result of an independent
// solver is committed in reference/fitted_background_reference.inc.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fit_window_fixture.h"

namespace sorvan {
namespace {

#include "reference/fitted_background_reference.inc"

constexpr int kW = 9;
constexpr double kStep = 0.1;
constexpr double kStartEnergy = 500.0;
constexpr int kPeaks = 2;

// Window kW holds the reference spectrum on the kinetic axis, the start
// values in its peak table and the start terms with their fix marks.
void PrepareWindow() {
  fittest::PlaceCountsForFit(kW, kBackgroundCaseCounts, kStep, kStartEnergy);
  G.IterationLimit = 200;
  G.FitRounds = 4;
  WindowRecord& win = Win[kW];
  win.PeakCount = kPeaks;
  win.PeakType = "Singlet";
  win.BackgroundState = 4;
  for (int p = 1; p <= kPeaks; ++p) {
    const double* e = &kBackgroundCaseStart[5 * (p - 1)];
    const int* free = &kBackgroundCaseFree[5 * (p - 1)];
    // Height, share, position, width and asymmetry are the odd entries.
    const double values[6] = {0, e[0], e[1], (e[2] - 1) * kStep + kStartEnergy, 2 * e[3] * kStep,
                              e[4]};
    for (int k = 1; k <= 5; ++k) {
      const int j = 2 * k - 1;
      win.ParameterValue[p][j] = values[k];
      win.ParameterState[p][j] = free[k - 1] ? 0 : 1;
      win.ParameterState[p][j + 1] = 1;
      for (int jj : {j, j + 1}) {
        win.ParameterLower[p][jj] = jj <= 2 ? 0 : -1e9;
        win.ParameterUpper[p][jj] = 1e9;
      }
    }
  }
  for (int k = 1; k <= 6; ++k) {
    win.BackgroundTermValue[k] = kBackgroundCaseStart[5 * kPeaks + k - 1];
    win.BackgroundTermFixed[k] = kBackgroundCaseFree[5 * kPeaks + k - 1] == 0;
  }
  AllocFitArraysGaussLorentz(kW);
  ASSERT_TRUE(LoadFitParameters(kW));
}

TEST(FittedBackground, RecoversTheIndependentSolversTermsAndPeaks) {
  PrepareWindow();
  FitPeaksGaussLorentz(kW);
  const WindowRecord& win = Win[kW];
  ASSERT_EQ(win.HasFit, 1);
  for (int p = 1; p <= kPeaks; ++p) {
    const double* e = &kBackgroundCaseFitted[5 * (p - 1)];
    const double expected[6] = {0, e[0], e[1], (e[2] - 1) * kStep + kStartEnergy,
                                2 * e[3] * kStep, e[4]};
    for (int k = 1; k <= 5; ++k) {
      EXPECT_NEAR(win.ParameterValue[p][2 * k - 1], expected[k], 1e-5 * std::fabs(expected[k]) + 1e-9)
          << "peak " << p << " parameter " << 2 * k - 1;
    }
  }
  for (int k = 1; k <= 6; ++k) {
    const double expected = kBackgroundCaseFitted[5 * kPeaks + k - 1];
    EXPECT_NEAR(win.BackgroundTermValue[k], expected, 1e-5 * std::fabs(expected) + 1e-12)
        << "term " << k;
  }
  EXPECT_NEAR(win.FitChi2, kBackgroundCaseChiSquare, 1e-6 * kBackgroundCaseChiSquare);

  // The background column is the fitted curve: A + B b + E S with S the
  // running sum of the fitted peak sum (component column 3).
  const int n = kBackgroundCasePoints;
  double running = 0;
  for (int i = n; i >= 1; --i) {
    running += SlotComponents[kW](i, kPeaks + 1);
    const double b = n - i;
    const double expected = win.BackgroundTermValue[1] + win.BackgroundTermValue[2] * b +
                            win.BackgroundTermValue[5] * running;
    EXPECT_NEAR(SlotData[kW](i, 2), expected, 1e-6 * std::fabs(expected)) << i;
  }
}

}  // namespace
}  // namespace sorvan

namespace sorvan {
namespace {

// On a spectrum that is exactly the model (peaks on A + B b + E S + F T)
// the start values that made it have chi-square 0: the start is judged with
// the Shirley and loss terms of the start peaks, whatever the model.
TEST(FittedBackground, StartOfAnExactModelHasChiSquareZero) {
  const int n = 160;
  struct Case {
    const char* what;
    std::unique_ptr<FitModel> (*make)(int n);
    std::vector<double> truth;  // element 0 unused
  };
  auto vector = [](std::initializer_list<double> peaks) {
    std::vector<double> v = {0.0};
    v.insert(v.end(), peaks);
    v.insert(v.end(), {120.0, 0.3, 0.0, 0.0, 0.02, 40.0});
    return v;
  };
  const Case cases[] = {
      {"Gauss-Lorentz",
       [](int points) -> std::unique_ptr<FitModel> {
         return std::make_unique<GaussLorentzFitModel>(2, false, true, points, 1, points, 0.2);
       },
       vector({1500, 0, 0.3, 0, 60, 0, 6, 0, 0, 0, 700, 0, 0.5, 0, 110, 0, 5, 0, 0.02, 0})},
      {"Gauss-Lorentz relative",
       [](int points) -> std::unique_ptr<FitModel> {
         return std::make_unique<GaussLorentzRelativeFitModel>(2, false, true, points, 1, points,
                                                               0.2);
       },
       vector({1500, 0, 0.3, 0, 60, 0, 6, 0, 0.01, 0, 0.5, 0, 1.5, 0, 45, 0, 0.8, 0, 1, 0})},
      {"Doniach-Sunjic",
       [](int points) -> std::unique_ptr<FitModel> {
         return std::make_unique<DoniachSunjicFitModel>(2, false, true, points, 1, points, 0.2);
       },
       vector({1500, 0, 2.5, 0, 60, 0, 3, 0, 0.1, 0, 700, 0, 3, 0, 110, 0, 4, 0, 0.05, 0})},
  };
  for (const Case& c : cases) {
    const int P = 26;
    std::vector<double> lower(21, -1e30), upper(21, 1e30), scale(P + 1, -1.0);
    // The spectrum from a model that has been linearised at the truth.
    std::unique_ptr<FitModel> maker = c.make(n);
    maker->SetLimits(lower.data(), upper.data(), scale.data());
    maker->Linearise(c.truth.data());
    maker->PrepareTrial(c.truth.data());
    std::vector<double> target(n + 1), sigma(n + 1);
    for (int x = 1; x <= n; ++x) {
      target[x] = maker->Value(c.truth.data(), x);
      sigma[x] = std::sqrt(target[x]);
    }
    // A fresh model starts the fit.
    std::unique_ptr<FitModel> model = c.make(n);
    model->SetLimits(lower.data(), upper.data(), scale.data());
    FitData data{target.data(), sigma.data(), 1, n, scale.data(), 16, 1};
    LevenbergMarquardt engine(P, n);
    std::vector<double> p = c.truth;
    double start = -1;
    FitHooks hooks;
    hooks.startQuestion = [&](const double*) {
      start = engine.trialReducedChi2;
      return false;  // evaluate only
    };
    EXPECT_EQ(engine.Run(*model, data, p.data(), FitSettings{}, hooks), FitOutcome::EvaluatedOnly)
        << c.what;
    EXPECT_NEAR(start, 0.0, 1e-18) << c.what;
    EXPECT_NEAR(engine.statistics.chiSquare, 0.0, 1e-16) << c.what;
  }
}

}  // namespace
}  // namespace sorvan

namespace sorvan {
namespace {

// The model's derivative by a peak entry includes how the Shirley and loss
// terms, made from the peak sum, move with it (E dS + F dT): it matches the
// central difference of the whole model, the terms rebuilt at each side.
TEST(FittedBackground, PeakDerivativesIncludeTheMoveOfTheShirleyAndLossTerms) {
  const int n = 160;
  struct Case {
    const char* what;
    std::unique_ptr<FitModel> (*make)(int n);
    std::vector<double> p;  // element 0 unused
    double tolerance;       // relative to the column's largest value
  };
  auto vector = [](std::initializer_list<double> peaks) {
    std::vector<double> v = {0.0};
    v.insert(v.end(), peaks);
    v.insert(v.end(), {120.0, 0.3, 0.0, 0.0, 0.02, 40.0});
    return v;
  };
  const Case cases[] = {
      {"Gauss-Lorentz",
       [](int points) -> std::unique_ptr<FitModel> {
         return std::make_unique<GaussLorentzFitModel>(2, false, true, points, 1, points, 0.2);
       },
       vector({1500, 0, 0.3, 0, 60, 0, 6, 0, 0.01, 0, 700, 0, 0.5, 0, 110, 0, 5, 0, 0.02, 0}), 1e-6},
      {"Gauss-Lorentz relative",
       [](int points) -> std::unique_ptr<FitModel> {
         return std::make_unique<GaussLorentzRelativeFitModel>(2, false, true, points, 1, points,
                                                               0.2);
       },
       vector({1500, 0, 0.3, 0, 60, 0, 6, 0, 0.01, 0, 0.5, 0, 1.5, 0, 45, 0, 0.8, 0, 1, 0}), 1e-6},
      // Its own derivatives are forward differences with a step of 1e-4
      // of the value.
      {"Doniach-Sunjic",
       [](int points) -> std::unique_ptr<FitModel> {
         return std::make_unique<DoniachSunjicFitModel>(2, false, true, points, 1, points, 0.2);
       },
       vector({1500, 0, 2.5, 0, 60, 0, 3, 0, 0.1, 0, 700, 0, 3, 0, 110, 0, 4, 0, 0.05, 0}), 1e-2},
  };
  for (const Case& c : cases) {
    const int P = 26;
    std::vector<double> lower(21, -1e30), upper(21, 1e30), scale(P + 1, -1.0);
    std::unique_ptr<FitModel> model = c.make(n);
    model->SetLimits(lower.data(), upper.data(), scale.data());
    model->SetTailUsed(true);
    std::vector<double> p = c.p;
    model->Linearise(p.data());
    std::vector<std::vector<double>> analytic(n + 1, std::vector<double>(P + 1, 0.0));
    for (int x = 1; x <= n; ++x) model->ValueAndDerivatives(p.data(), x, analytic[x].data());
    for (int k = 1; k <= 20; k += 2) {
      const double h = 1e-6 * std::max(std::fabs(p[k]), 1e-2);
      std::vector<double> up = p, down = p, plus(n + 1), minus(n + 1);
      up[k] += h;
      down[k] -= h;
      model->PrepareTrial(up.data());
      for (int x = 1; x <= n; ++x) plus[x] = model->Value(up.data(), x);
      model->PrepareTrial(down.data());
      for (int x = 1; x <= n; ++x) minus[x] = model->Value(down.data(), x);
      double largest = 0, worst = 0;
      for (int x = 1; x <= n; ++x) {
        const double numeric = (plus[x] - minus[x]) / (2 * h);
        largest = std::max(largest, std::fabs(numeric));
        worst = std::max(worst, std::fabs(numeric - analytic[x][k]));
      }
      EXPECT_LE(worst, c.tolerance * largest) << c.what << " entry " << k;
    }
  }
}

}  // namespace
}  // namespace sorvan
