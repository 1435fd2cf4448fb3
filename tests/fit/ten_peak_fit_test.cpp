// The ten-peak fit with Lorentz shares limited to 0..1 reaches the minimum
// that an independent bounded least-squares solver finds from the same start
// (tools/ten_peak_fit_reference.py). A share of 0 is a trap for the product
// line: there its derivative by the share is proportional to the derivative
// by the width, so once the width has settled the share's gradient vanishes
// and a fit that leaves the share on 0 stops there, above the minimum.
#include <gtest/gtest.h>

#include <vector>

#include "ten_peak_problem.h"

namespace sorvan {
namespace {

using tenpeaks::TenPeaks;

class TenPeakFit : public ::testing::TestWithParam<int> {
 protected:
  TenPeakFit()
      : problem(tenpeaks::kTenPeakPointCounts[GetParam()]),
        engine(problem.P, problem.n),
        reference(tenpeaks::kTenPeakChiSquare[GetParam()]) {}
  double Fit(std::vector<double>& p) {
    engine.Run(problem.model, problem.data, p.data(), FitSettings{200, 2}, {});
    return engine.Evaluate(problem.model, problem.data, p.data()).chiSquare;
  }
  void ExpectNoShareOnZero(const std::vector<double>& p) {
    for (int peak = 0; peak < 10; ++peak) {
      EXPECT_GT(p[10 * peak + 3], 0.0) << "peak " << peak + 1;
      EXPECT_LE(p[10 * peak + 3], 1.0) << "peak " << peak + 1;
    }
  }
  TenPeaks problem;
  LevenbergMarquardt engine;
  double reference;
};

TEST_P(TenPeakFit, ReachesTheIndependentSolversChiSquareAndStaysThere) {
  std::vector<double> p = problem.start;
  EXPECT_NEAR(Fit(p), reference, 1e-6 * reference);
  ExpectNoShareOnZero(p);
  // Started again from its own end, the fit stays at the minimum.
  EXPECT_NEAR(Fit(p), reference, 1e-6 * reference);
}

TEST_P(TenPeakFit, SharesThatAFitLeftOnZeroLeaveItWhenFreed) {
  // Two shares held on 0 while the rest settles: the start of a fit whose
  // shares were pressed onto their lower limit.
  std::vector<double> p = problem.start;
  for (int peak : {2, 6}) {
    p[10 * peak + 3] = 0.0;
    problem.scale[10 * peak + 3] = 0.0;
  }
  Fit(p);
  ASSERT_EQ(p[23], 0.0);
  for (int peak : {2, 6}) problem.scale[10 * peak + 3] = -1.0;
  EXPECT_NEAR(Fit(p), reference, 1e-6 * reference);
  ExpectNoShareOnZero(p);
}

INSTANTIATE_TEST_SUITE_P(PointCounts, TenPeakFit, ::testing::Values(0, 1, 2));

}  // namespace
}  // namespace sorvan
