// The closed-form Savitzky-Golay weights against a least-squares parabola
// solved directly, and the filter pass over whole spectra: polynomials the
// filter must keep exactly, the edge points and spectra too short for it.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "processing/kernels/savitzky_golay.h"

namespace sorvan {
namespace {

// Row k of the least-squares operator of a parabola a + b x + c x^2 through
// the points x = -m..m: the value (or slope) at x = k is sum_j w_j y_j.
// Solved from the 3 x 3 normal equations with Cramer's rule.
std::vector<double> LeastSquaresWeights(int m, int k, bool slope) {
  double s[5] = {0, 0, 0, 0, 0};  // sums of x^0 .. x^4
  for (int j = -m; j <= m; ++j)
    for (int p = 0; p < 5; ++p) s[p] += std::pow(j, p);
  const double a[3][3] = {{s[0], s[1], s[2]}, {s[1], s[2], s[3]}, {s[2], s[3], s[4]}};
  auto det = [](const double x[3][3]) {
    return x[0][0] * (x[1][1] * x[2][2] - x[1][2] * x[2][1]) -
           x[0][1] * (x[1][0] * x[2][2] - x[1][2] * x[2][0]) +
           x[0][2] * (x[1][0] * x[2][1] - x[1][1] * x[2][0]);
  };
  const double d = det(a);
  std::vector<double> w;
  for (int j = -m; j <= m; ++j) {
    // Coefficients for y = unit vector at j: right-hand side (1, j, j^2).
    const double rhs[3] = {1.0, double(j), double(j) * j};
    double coef[3];
    for (int c = 0; c < 3; ++c) {
      double t[3][3];
      for (int r = 0; r < 3; ++r)
        for (int q = 0; q < 3; ++q) t[r][q] = q == c ? rhs[r] : a[r][q];
      coef[c] = det(t) / d;
    }
    w.push_back(slope ? coef[1] + 2 * coef[2] * k : coef[0] + coef[1] * k + coef[2] * k * k);
  }
  return w;
}

TEST(SavitzkyGolayWeights, EqualTheLeastSquaresParabolaAtEveryOffset) {
  for (int m = 1; m <= 9; ++m) {
    for (int k = -m; k <= m; ++k) {
      const std::vector<double> value = LeastSquaresWeights(m, k, false);
      const std::vector<double> slope = LeastSquaresWeights(m, k, true);
      for (int j = -m; j <= m; ++j) {
        EXPECT_NEAR(SmoothingWeight(m, j, k), value[m + j], 1e-12) << m << " " << j << " " << k;
        EXPECT_NEAR(DerivativeWeight(m, j, k), slope[m + j], 1e-12) << m << " " << j << " " << k;
      }
    }
  }
}

TEST(SavitzkyGolayWeights, KnownCentreWeights) {
  struct Case {
    FilterKind kind;
    int m;
    std::vector<double> weights;
  };
  const Case cases[] = {
      {FilterKind::Smoothing, 1, {0, 1, 0}},
      {FilterKind::Derivative, 1, {-0.5, 0, 0.5}},
      {FilterKind::Smoothing, 2, {-3 / 35.0, 12 / 35.0, 17 / 35.0, 12 / 35.0, -3 / 35.0}},
      {FilterKind::Derivative, 2, {-0.2, -0.1, 0, 0.1, 0.2}},
  };
  for (const Case& c : cases) {
    for (int j = -c.m; j <= c.m; ++j)
      EXPECT_NEAR(FilterWeight(c.kind, c.m, j, 0), c.weights[c.m + j], 1e-15)
          << "m " << c.m << " j " << j;
  }
  EXPECT_DOUBLE_EQ(FilterNormaliser(1), 10);
  EXPECT_DOUBLE_EQ(FilterNormaliser(2), 210);
}

// Points 1..n of f(i) with index 0 unused.
template <class F>
std::vector<double> Sampled(int n, F f) {
  std::vector<double> y(n + 1, 0.0);
  for (int i = 1; i <= n; ++i) y[i] = f(double(i));
  return y;
}

TEST(SavitzkyGolayFilter, KeepsParabolasAndGivesTheirSlopeAtEveryPoint) {
  struct Case {
    int n, m;
  };
  // Long spectra, and spectra exactly as long as the window (edges only).
  const Case cases[] = {{40, 1}, {40, 3}, {40, 9}, {7, 3}, {3, 1}, {19, 9}, {8, 3}};
  auto f = [](double x) { return 5 - 0.75 * x + 0.125 * x * x; };
  auto df = [](double x) { return -0.75 + 0.25 * x; };
  for (const Case& c : cases) {
    const std::vector<double> y = Sampled(c.n, f);
    std::vector<double> smooth(c.n + 1, -99.0), slope(c.n + 1, -99.0);
    ASSERT_TRUE(SavitzkyGolayFilter(FilterKind::Smoothing, y, smooth, c.m));
    ASSERT_TRUE(SavitzkyGolayFilter(FilterKind::Derivative, y, slope, c.m));
    for (int i = 1; i <= c.n; ++i) {
      EXPECT_NEAR(smooth[i], f(i), 1e-9) << c.n << "/" << c.m << " point " << i;
      EXPECT_NEAR(slope[i], df(i), 1e-9) << c.n << "/" << c.m << " point " << i;
    }
    EXPECT_EQ(smooth[0], -99.0) << "index 0 is not a point";
  }
}

TEST(SavitzkyGolayFilter, CentrePointsKeepCubicsAndReduceNoise) {
  // A quadratic filter is exact for cubics at the centre of a full window.
  const int n = 30, m = 4;
  auto f = [](double x) { return 2 + x - 0.3 * x * x + 0.01 * x * x * x; };
  const std::vector<double> y = Sampled(n, f);
  std::vector<double> out(n + 1);
  ASSERT_TRUE(SavitzkyGolayFilter(FilterKind::Smoothing, y, out, m));
  for (int i = m + 1; i <= n - m; ++i) EXPECT_NEAR(out[i], f(i), 1e-9) << i;

  // Alternating noise on a constant is damped, not amplified.
  const std::vector<double> noisy = Sampled(n, [](double x) {
    return 100 + ((static_cast<int>(x) % 2) != 0 ? 1.0 : -1.0);
  });
  ASSERT_TRUE(SavitzkyGolayFilter(FilterKind::Smoothing, noisy, out, m));
  for (int i = m + 1; i <= n - m; ++i) EXPECT_LT(std::fabs(out[i] - 100), 0.5) << i;
}

TEST(SavitzkyGolayFilter, EdgePointsUseTheParabolaOfTheEndWindow) {
  // Values that no parabola fits, so that every edge point depends on the
  // weights of its own offset and the mirrored right end on its sign.
  const int n = 12, m = 2;
  const std::vector<double> y = {0, 3, -1, 4, 1, -5, 9, 2, -6, 5, 3, 5, -8};
  for (FilterKind kind : {FilterKind::Smoothing, FilterKind::Derivative}) {
    const bool slope = kind == FilterKind::Derivative;
    std::vector<double> out(n + 1);
    ASSERT_TRUE(SavitzkyGolayFilter(kind, y, out, m));
    // Points 1..m + 1 lie on the parabola of the first window, points
    // n - m..n on that of the last one.
    for (int k = -m; k <= m; ++k) {
      const std::vector<double> w = LeastSquaresWeights(m, k, slope);
      double left = 0, right = 0;
      for (int j = -m; j <= m; ++j) {
        left += w[m + j] * y[m + 1 + j];
        right += w[m + j] * y[n - m + j];
      }
      if (k <= 0) EXPECT_NEAR(out[m + 1 + k], left, 1e-12) << "left, offset " << k;
      if (k >= 0) EXPECT_NEAR(out[n - m + k], right, 1e-12) << "right, offset " << k;
    }
  }
}

TEST(SavitzkyGolayFilter, RefusesAWindowWiderThanTheSpectrum) {
  struct Case {
    int n, m;
    bool fits;
  };
  const Case cases[] = {{6, 3, false}, {7, 3, true}, {1, 1, false}, {0, 1, false},
                        {2, 1, false}, {3, 1, true}, {10, 0, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(FilterFits(c.n, c.m), c.fits) << c.n << "/" << c.m;
    const std::vector<double> y(c.n + 1, 1.0);
    std::vector<double> out(c.n + 1, 7.0);
    EXPECT_EQ(SavitzkyGolayFilter(FilterKind::Smoothing, y, out, c.m), c.fits);
    if (!c.fits)
      for (double v : out) EXPECT_EQ(v, 7.0) << "refused filter leaves the output";
  }
  // An output shorter than the input is refused too.
  const std::vector<double> y(11, 1.0);
  std::vector<double> shortOut(5, 0.0);
  EXPECT_FALSE(SavitzkyGolayFilter(FilterKind::Smoothing, y, shortOut, 2));
}

}  // namespace
}  // namespace sorvan
