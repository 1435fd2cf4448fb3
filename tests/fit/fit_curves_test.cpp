// The residual strip: residuals normalised by their standard deviations and
// the scale that makes the largest one reach the strip's edge.
#include <gtest/gtest.h>

#include <vector>

#include "fit/fit_curves.h"

namespace sorvan {
namespace {

TEST(ResidualStrip, NormalisedResidualsAndTheirExtremes) {
  const std::vector<double> sum = {0, 10, 12, 8, 10}, target = {0, 10, 10, 10, 10},
                            sigma = {0, 1, 2, 0.5, 0};
  std::vector<double> r(5, 99.0);
  double smallest = 0, largest = 0;
  NormalisedResiduals(sum.data(), target.data(), sigma.data(), 1, 4, r.data(), smallest, largest);
  EXPECT_EQ(r[1], 0.0);
  EXPECT_EQ(r[2], 1.0);
  EXPECT_EQ(r[3], -4.0);
  EXPECT_EQ(r[4], 0.0);  // a zero deviation gives 0, not a division by zero
  EXPECT_EQ(r[0], 99.0);
  EXPECT_EQ(smallest, -4.0);
  EXPECT_EQ(largest, 1.0);
}

TEST(ResidualStrip, ScaleFromTheLargerExtreme) {
  struct Case {
    double smallest, largest, height, scale;
  } cases[] = {
      {-4.0, 1.0, 80, 10.0},  // one outlier compresses the whole strip
      {-0.5, 2.0, 80, 20.0},
      {0.0, 0.0, 80, 1.0},    // all residuals 0: a finite scale
      {-0.5, 0.5, -60, 60.0}, // the strip height counts by its size
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ResidualStripScale(c.smallest, c.largest, c.height), c.scale)
        << c.smallest << " " << c.largest;
  }
}

}  // namespace
}  // namespace sorvan
