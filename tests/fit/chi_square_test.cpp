// Chi-square, reduced chi-square and the serial correlation of residuals.
#include <gtest/gtest.h>

#include <vector>

#include "fit/chi_square.h"

namespace sorvan {
namespace {

TEST(FitStatistics, DegreesCountPeaksWhetherFreeOrNot) {
  EXPECT_EQ(DegreesUsedByPeaks(3, false, 0), 15.0);
  EXPECT_EQ(DegreesUsedByPeaks(3, true, 0), 30.0);
  EXPECT_EQ(DegreesUsedByPeaks(1, true, 2), 12.0);
}

TEST(FitStatistics, ChiSquareReducedAndCountsScaling) {
  // Residuals 1, -1, 2, 0 over channels 1..4, sigma 1 except sigma 2 at channel 3.
  const std::vector<double> model = {0, 11, 9, 12, 10}, target = {0, 10, 10, 10, 10},
                            sigma = {0, 1, 1, 2, 1};
  struct Case {
    double degrees, factor, chi2, reduced, unscaled;
  } cases[] = {
      {0, 1, 3.0, 0.75, 0.75},
      {2, 1, 3.0, 1.5, 1.5},
      {2, 10, 30.0, 15.0, 1.5},  // counts per second: scaled by scans x dwell
      {2, 0, 3.0, 1.5, 1.5},     // a zero factor leaves the values as they are
      {4, 1, 3.0, 3.0, 3.0},     // no degree of freedom left: divided by 1
      {9, 1, 3.0, 3.0, 3.0},
  };
  for (const Case& c : cases) {
    FitStatistics s = ComputeFitStatistics(model.data(), target.data(), sigma.data(), 1, 4,
                                           c.degrees, c.factor, 0.0);
    EXPECT_DOUBLE_EQ(s.chiSquare, c.chi2) << c.degrees << " " << c.factor;
    EXPECT_DOUBLE_EQ(s.reducedChiSquare, c.reduced) << c.degrees << " " << c.factor;
    EXPECT_DOUBLE_EQ(s.unscaledReducedChiSquare, c.unscaled) << c.degrees << " " << c.factor;
  }
}

TEST(FitStatistics, SerialCorrelationOfResiduals) {
  const std::vector<double> target(9, 0.0), sigma(9, 1.0);
  const std::vector<double> alternating = {0, 1, -1, 1, -1, 1, -1, 1, -1};
  const std::vector<double> slow = {0, 1, 1, 1, 1, 1, 1, 1, 1};
  auto correlation = [&](const std::vector<double>& m, double start) {
    return ComputeFitStatistics(m.data(), target.data(), sigma.data(), 1, 8, 0, 1, start)
        .serialCorrelation;
  };
  EXPECT_NEAR(correlation(alternating, 0), 1.0 + 7.0 / 8.0, 1e-12);
  EXPECT_NEAR(correlation(slow, 0), 1.0 / 8.0, 1e-12);
  // A perfect match: 1 when the sum of squares starts above 0, else 0.
  EXPECT_EQ(correlation(target, 1e-8), 1.0);
  EXPECT_EQ(correlation(target, 0.0), 0.0);
}

}  // namespace
}  // namespace sorvan
