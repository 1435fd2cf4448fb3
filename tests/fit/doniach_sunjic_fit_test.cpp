// The Doniach-Sunjic model in the Levenberg-Marquardt iteration: forward
// differences find the parameters of a noise-free spectrum again, and the
// limits keep the broadening and asymmetry in range.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fit/lm_fit.h"
#include "fit/peak_models.h"

namespace sorvan {
namespace {

struct DsCase {
  const char* name;
  bool doublet;
  std::vector<double> truth;  // 1..P, element 0 unused
  std::vector<double> start;
  std::vector<int> freeEntries;
};

std::vector<double> Vector(std::initializer_list<double> peaks, double a, double b) {
  std::vector<double> v = {0.0};
  v.insert(v.end(), peaks);
  v.insert(v.end(), {a, b, 0, 0, 0, 0});
  return v;
}

TEST(DoniachSunjicFit, RecoversNoiseFreeParameters) {
  const int n = 200;
  const DsCase cases[] = {
      {"TwoSinglets", false,
       Vector({1000, 0, 2.0, 0, 70, 0, 1.5, 0, 0.10, 0, 600, 0, 2.5, 0, 130, 0, 2.0, 0, 0.05, 0}, 100, 0.2),
       Vector({900, 0, 1.8, 0, 71, 0, 1.8, 0, 0.07, 0, 650, 0, 2.2, 0, 129, 0, 1.7, 0, 0.08, 0}, 80, 0.3),
       {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 22}},
      {"Doublet", true,
       Vector({1200, 0.5, 2.0, 1.2, 60, 50, 1.5, 1.3, 0.1, 1.0}, 150, 0.1),
       Vector({1000, 0.6, 2.3, 1.2, 61, 48, 1.3, 1.3, 0.1, 1.0}, 120, 0.2),
       {1, 2, 3, 5, 6, 7, 8, 11, 12}},
  };
  for (const DsCase& c : cases) {
    const int peaks = c.doublet ? 1 : 2;
    const int P = 10 * peaks + 6;
    std::vector<double> lower(10 * peaks + 1, -1e30), upper(10 * peaks + 1, 1e30), scale(P + 1, 0.0);
    for (int k : c.freeEntries) scale[k] = -1.0;
    DoniachSunjicFitModel model(peaks, c.doublet, true, n, 1, n, 0.1);
    model.SetLimits(lower.data(), upper.data(), scale.data());
    model.SetTailUsed(false);
    // The spectrum is the model itself at the true parameters.
    std::vector<double> target(n + 1), sigma(n + 1);
    model.Linearise(c.truth.data());
    for (int x = 1; x <= n; ++x) {
      target[x] = model.Value(c.truth.data(), x);
      sigma[x] = std::sqrt(target[x]);
    }
    FitData data{target.data(), sigma.data(), 1, n, scale.data(), double(5 * peaks + 2), 1};
    LevenbergMarquardt engine(P, n);
    std::vector<double> p = c.start;
    ASSERT_EQ(engine.Run(model, data, p.data(), FitSettings{200, 3, true}, FitHooks{}),
              FitOutcome::Finished);
    for (int k : c.freeEntries) {
      EXPECT_NEAR(p[k], c.truth[k], 1e-4 * std::fabs(c.truth[k])) << c.name << " entry " << k;
    }
  }
}

TEST(DoniachSunjicFit, RelativeGroupFoundAgain) {
  const int n = 200, P = 26;
  const std::vector<double> truth =
      Vector({1000, 0, 2.0, 0, 70, 0, 1.5, 0, 0.1, 0, 0.6, 0, 1.25, 0, 60, 0, 1.33, 0, 0.5, 0}, 100, 0.2);
  std::vector<double> p =
      Vector({900, 0, 2.2, 0, 71, 0, 1.3, 0, 0.08, 0, 0.7, 0, 1.1, 0, 58, 0, 1.5, 0, 0.5, 0}, 90, 0.25);
  std::vector<double> lower(21, -1e30), upper(21, 1e30), scale(P + 1, 0.0);
  for (int k : {1, 3, 5, 7, 9, 11, 13, 15, 17, 21, 22}) scale[k] = -1.0;
  DoniachSunjicRelativeFitModel model(2, false, true, n, 1, n, 0.1);
  model.SetLimits(lower.data(), upper.data(), scale.data());
  model.SetTailUsed(false);
  std::vector<double> target(n + 1), sigma(n + 1);
  model.Linearise(truth.data());
  for (int x = 1; x <= n; ++x) {
    target[x] = model.Value(truth.data(), x);
    sigma[x] = std::sqrt(target[x]);
  }
  // Moving peak 1 moves peak 2: the group's second line sits 60 channels on.
  EXPECT_GT(target[130], target[100] + 100);
  FitData data{target.data(), sigma.data(), 1, n, scale.data(), 12, 1};
  LevenbergMarquardt engine(P, n);
  ASSERT_EQ(engine.Run(model, data, p.data(), FitSettings{200, 3, true}, FitHooks{}),
            FitOutcome::Finished);
  for (int k = 1; k <= P; ++k) {
    if (scale[k] != 0.0) {
      EXPECT_NEAR(p[k], truth[k], 1e-4 * std::fabs(truth[k])) << "entry " << k;
    }
  }
}

TEST(DoniachSunjicFit, LimitsKeepBroadeningAndAsymmetryInRange) {
  std::vector<double> lower(21, -1e30), upper(21, 1e30), scale(27, -1.0), p(27, 0.0);
  DoniachSunjicFitModel model(2, true, false, 50, 1, 50, 0.1);
  model.SetLimits(lower.data(), upper.data(), scale.data());
  const double first[10] = {100, 0.5, 0.2, 1.0, 20, 5, -1, 2, 0.4, 2.0};
  const double second[10] = {50, 0.5, 3.0, 0.1, 30, 5, 2, 1, -0.2, 1};
  std::copy(first, first + 10, p.begin() + 1);
  std::copy(second, second + 10, p.begin() + 11);
  model.ApplyLimits(p.data());
  EXPECT_EQ(p[3], 0.5);                 // Gaussian below half a channel
  EXPECT_DOUBLE_EQ(p[13] * p[14], 0.5);  // partner Gaussian lifted to half a channel
  EXPECT_EQ(p[7], 1e-6);                // negative Lorentz width
  EXPECT_DOUBLE_EQ(p[9] * p[10], 0.5);   // partner asymmetry cut back
  EXPECT_EQ(p[19], 0.0);                // negative asymmetry
}

}  // namespace
}  // namespace sorvan
