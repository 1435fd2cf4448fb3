// The loss term of the background fitted with the peaks against the sum it
// was computed by point by point.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "fit/lm_fit.h"

namespace sorvan {
namespace {

// T_i = 2866 step sum over j = i..last of peakSum_j K((j - i + 1) step),
// K(E) = E / (E^2 + 1643)^2, summed directly (the reference).
std::vector<double> DirectLossTail(const std::vector<double>& peakSum, int first, int last, double step) {
  std::vector<double> tail(peakSum.size(), 0.0);
  for (int i = first; i <= last; ++i) {
    double sum = 0.0;
    for (int j = i; j <= last; ++j) {
      const double e = (j - i + 1) * step;
      sum += peakSum[j] * (e / ((e * e + 1643.0) * (e * e + 1643.0)));
    }
    tail[i] = 2866.0 * step * sum;
  }
  return tail;
}

TEST(FitBackgroundBasis, LossTermEqualsTheDirectSum) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> uniform(0, 1);
  struct Case {
    int points, first, last;
    double step;
  };
  const Case cases[] = {{1, 1, 1, 0.5},      {10, 3, 8, 0.1},       {200, 1, 200, 1.0},
                        {2000, 1, 2000, 0.05}, {2000, 400, 1700, 0.2}, {9000, 10, 8990, 0.02}};
  for (const Case& c : cases) {
    std::vector<double> peakSum(c.points + 1, 0.0);
    for (int p = 0; p < 5; ++p) {
      const double centre = c.points * uniform(random), width = 1 + c.points * 0.02 * uniform(random);
      const double height = 1e4 * uniform(random);
      for (int i = 1; i <= c.points; ++i) peakSum[i] += height / (1 + std::pow((i - centre) / width, 2));
    }
    std::vector<double> shirley(c.points + 1), tail(c.points + 1), scratch(c.points + 2);
    BuildFitBackgroundBasis(peakSum.data(), c.points, c.first, c.last, c.step, true, shirley.data(),
                            tail.data(), scratch.data());
    const std::vector<double> expected = DirectLossTail(peakSum, c.first, c.last, c.step);
    double largest = 0;
    for (double v : expected) largest = std::max(largest, std::fabs(v));
    for (int i = 0; i <= c.points; ++i) ASSERT_NEAR(tail[i], expected[i], 1e-12 * largest) << c.points << " " << i;
  }
}

}  // namespace
}  // namespace sorvan
