// Fitting the transmission function's coefficients: a reference times a known
// function is matched again; held coefficients and the range of b2 hold.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fit/transmission_fit.h"

namespace sorvan {
namespace {

struct Spectrum {
  std::vector<double> reference, target, sigma;
};

Spectrum Make(const double* truth, int n) {
  Spectrum s{std::vector<double>(n + 1), std::vector<double>(n + 1), std::vector<double>(n + 1)};
  for (int x = 1; x <= n; ++x) {
    const double e = TransmissionEnergy(x);
    s.reference[x] = 5000.0 * std::exp(-(e - 600) * (e - 600) / 2e5) + 1000.0;
  }
  TransmissionModelCurve(truth, s.reference.data(), 1, n, s.target.data());
  for (int x = 1; x <= n; ++x) s.sigma[x] = std::sqrt(s.target[x]);
  return s;
}

TEST(TransmissionFit, FindsFreeCoefficientsAndKeepsHeldOnes) {
  const int n = 1361;
  const double truth[11] = {0, 0.8, 0.3, 0, 0, 0, 2.0, -0.5, 0, 0, 0};
  const Spectrum s = Make(truth, n);
  double coef[11] = {0, 0.5, 0.0, 0, 0, 0, 1.0, -0.2, 7, 0, 0};
  bool held[11] = {false, false, false, true, true, true, false, false, true, true, true};
  FitStatistics statistics;
  ASSERT_EQ(FitTransmissionCoefficients(s.reference.data(), s.target.data(), s.sigma.data(), 1, n,
                                        coef, held, FitSettings{200, 3}, FitHooks{}, &statistics),
            FitOutcome::Finished);
  // a1 started at exactly 0 and still moved to its value.
  for (int c : {1, 2, 6, 7}) EXPECT_NEAR(coef[c], truth[c], 1e-4 * std::fabs(truth[c])) << c;
  EXPECT_EQ(coef[8], 7.0);  // held: exactly its stored value
  EXPECT_LT(statistics.chiSquare, 1e-6);
}

TEST(TransmissionFit, ExponentStaysBetweenMinusThreeAndZero) {
  const int n = 300;
  // A rising spectrum pulls b2 upward; it must stop at 0.
  const double truth[11] = {0, 0.0, 0, 0, 0, 0, 1.0, 0.0, 0, 0, 0};
  Spectrum s = Make(truth, n);
  for (int x = 1; x <= n; ++x) s.target[x] *= 1.0 + 0.002 * x;
  double coef[11] = {0, 0.0, 0, 0, 0, 0, 1.0, -2.9, 0, 0, 0};
  bool held[11] = {false, true, true, true, true, true, false, false, true, true, true};
  FitSettings settings{200, 2};
  FitHooks hooks;
  double lowest = 0, highest = -3;
  hooks.afterTrial = [&](const double* p, double) {
    lowest = std::min(lowest, p[7]);
    highest = std::max(highest, p[7]);
    return 0;
  };
  FitTransmissionCoefficients(s.reference.data(), s.target.data(), s.sigma.data(), 1, n, coef, held,
                              settings, hooks);
  EXPECT_GE(lowest, -3.0);
  EXPECT_LE(highest, 0.0);
  EXPECT_LE(coef[7], 0.0);
}

}  // namespace
}  // namespace sorvan
