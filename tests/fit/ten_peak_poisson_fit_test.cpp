// Ten Gauss-Lorentz singlets on a linear background, shares limited to
// 0..1, fitted to seeded Poisson spectra from seven starts at each of four
// point counts: every fit reaches the chi-square that an independent bounded
// solver reaches from the same start
// (tools/ten_peak_poisson_reference.py), or a lower one: no step that the
// limits cut throws a share across its range into another minimum.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fit/lm_fit.h"

namespace sorvan {
namespace {

#include "reference/ten_peak_poisson_reference.inc"

class TenPeakPoissonFit : public ::testing::TestWithParam<int> {};

TEST_P(TenPeakPoissonFit, EveryStartReachesTheIndependentSolversChiSquare) {
  const int size = GetParam();
  const int n = kPoissonPointCounts[size];
  int offset = 0;
  for (int s = 0; s < size; ++s) offset += kPoissonPointCounts[s];
  const int P = 106;
  std::vector<double> target(n + 1), sigma(n + 1);
  for (int x = 1; x <= n; ++x) {
    target[x] = kPoissonCounts[offset + x - 1];
    sigma[x] = std::sqrt(target[x] <= 0 ? 1e-8 : target[x]);
  }
  const double spacing = n / 11.0;
  for (int start = 0; start < kPoissonStarts; ++start) {
    const double* v = kPoissonStartValues[size][start];
    std::vector<double> p(P + 1, 0.0), scale(P + 1, 0.0), lower(101, -1e30), upper(101, 1e30);
    for (int peak = 0; peak < 10; ++peak) {
      const int D = 10 * peak + 1;
      for (int i = 0; i < 4; ++i) {
        p[D + 2 * i] = v[4 * peak + i];
        scale[D + 2 * i] = -1.0;
      }
      lower[D] = 0.0, upper[D] = 1e7;
      lower[D + 2] = 0.0, upper[D + 2] = 1.0;
      lower[D + 4] = p[D + 4] - spacing / 2, upper[D + 4] = p[D + 4] + spacing / 2;
      lower[D + 6] = 0.05 * spacing, upper[D + 6] = spacing;
    }
    p[101] = v[40];
    p[102] = v[41];
    scale[101] = scale[102] = -1.0;
    GaussLorentzFitModel model(10, false, true, n, 1, n, 0.05);
    model.SetLimits(lower.data(), upper.data(), scale.data());
    model.SetTailUsed(false);
    FitData data{target.data(), sigma.data(), 1, n, scale.data(), 52, 1};
    LevenbergMarquardt engine(P, n);
    engine.Run(model, data, p.data(), FitSettings{200, 2}, {});
    const double chi2 = engine.Evaluate(model, data, p.data()).chiSquare;
    const double reference = kPoissonChiSquare[size][start];
    EXPECT_LE(chi2, reference * (1 + 1e-6)) << n << " points, start " << start + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(PointCounts, TenPeakPoissonFit, ::testing::Values(0, 1, 2, 3));

}  // namespace
}  // namespace sorvan
