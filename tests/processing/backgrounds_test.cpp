// The background routines on plain arrays, against backgrounds computed
// straight from their definitions (a textbook Shirley iteration with
// nested sums, the Tougaard integral with the kernel evaluated at each loss).
#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "core/number_text.h"
#include "platform/text.h"
#include "processing/kernels/backgrounds.h"

namespace sorvan {
namespace {

// Points 1..n with index 0 unused, as the work vectors hold them.
std::vector<double> Points(std::initializer_list<double> values) {
  std::vector<double> v{0.0};
  v.insert(v.end(), values);
  return v;
}

// A photoelectron line on a step: higher background on the left (low kinetic
// energy side), a Gaussian peak, a flat right end.
std::vector<double> PeakOnStep(int n) {
  std::vector<double> y(n + 1, 0.0);
  for (int i = 1; i <= n; ++i) {
    const double x = i - 0.45 * n;
    y[i] = 200 + 300.0 / (1 + std::exp(x / 3.0)) + 5000 * std::exp(-x * x / 40.0);
  }
  return y;
}

// Shirley background by its definition: pass k sets
//   b_i = R + (L - R) * (d_i/2 + sum_{j > i} d_j) / sum_j d_j,  d = y - b(k-1)
// starting from b = R, every sum taken afresh.
std::vector<double> TextbookShirley(const std::vector<double>& y, int first, int last, double left,
                                    double right, int passes) {
  std::vector<double> b(y.size(), 0.0);
  for (int i = first; i <= last; ++i) b[i] = right;
  for (int pass = 0; pass < passes; ++pass) {
    std::vector<double> next = b;
    double total = 0;
    for (int j = first; j <= last; ++j) total += y[j] - b[j];
    for (int i = first; i <= last; ++i) {
      double above = 0.5 * (y[i] - b[i]);
      for (int j = i + 1; j <= last; ++j) above += y[j] - b[j];
      next[i] = right + (left - right) * above / total;
    }
    b = next;
  }
  return b;
}

TEST(AverageEnds, MeansHeldToTheSpectrumAndThePair) {
  const std::vector<double> y = Points({10, 20, 30, 40, 50, 60, 70});
  struct Case {
    const char* what;
    int first, last, points;
    double left, right;
  };
  const Case cases[] = {
      {"one point: the end values themselves", 2, 6, 1, 20, 60},
      {"three points inside the spectrum", 2, 6, 3, 30, 50},
      {"pair shorter than the points: held to the pair", 3, 4, 5, 35, 35},
      {"pair at the first point", 1, 2, 19, 15, 15},
      {"pair at the last point", 6, 7, 19, 65, 65},
      {"pair reaching past the spectrum: points outside are not read", 6, 9, 3, 65, 70},
  };
  for (const Case& c : cases) {
    const EndLevels levels = AverageEnds(y, c.first, c.last, c.points);
    EXPECT_DOUBLE_EQ(levels.left, c.left) << c.what;
    EXPECT_DOUBLE_EQ(levels.right, c.right) << c.what;
  }
}

TEST(LinearBackground, RunsThroughBothEndLevels) {
  std::vector<double> b(11, -1.0);
  LinearBackground(b, 3, 8, 100, 50);
  EXPECT_DOUBLE_EQ(b[3], 100);
  EXPECT_DOUBLE_EQ(b[8], 50);
  for (int i = 3; i <= 8; ++i) EXPECT_NEAR(b[i], 100 - 10.0 * (i - 3), 1e-12) << i;
  EXPECT_EQ(b[2], -1.0);  // outside the pair untouched
  EXPECT_EQ(b[9], -1.0);
}

TEST(LinearBackground, SinglePointRangeIsFlatAtTheRightLevel) {
  std::vector<double> b(6, 0.0);
  LinearBackground(b, 4, 4, 100, 50);
  EXPECT_DOUBLE_EQ(b[4], 50);
  EXPECT_TRUE(std::isfinite(b[4]));
}

TEST(ShirleyPass, FirstPassAtTheRangeStart) {
  const std::vector<double> y = PeakOnStep(60);
  const int cs = 5, ce = 55;
  const EndLevels lr = AverageEnds(y, cs, ce, 1);
  std::vector<double> b(y.size(), 0.0), sigma(y.size() + 1, 0.0);
  FillFlat(b, cs, ce, lr.right);
  const double total = ShirleyPass(y, b, sigma, cs, ce, lr.left, lr.right);
  double expectedTotal = 0;
  for (int i = cs; i <= ce; ++i) expectedTotal += y[i] - lr.right;
  EXPECT_NEAR(total, expectedTotal, 1e-9 * expectedTotal);
  const double dStart = y[cs] - lr.right;
  EXPECT_NEAR(b[cs], lr.right + (lr.left - lr.right) * (total - dStart / 2) / total, 1e-9);
  EXPECT_NE(b[cs], lr.left);  // half a point short of L
  EXPECT_NEAR(b[ce], lr.right + (lr.left - lr.right) * (y[ce] - lr.right) / 2 / total, 1e-9);
}

TEST(ShirleyPass, AgreesWithTheTextbookIteration) {
  const std::vector<double> y = PeakOnStep(120);
  struct Case {
    int first, last, points, passes;
  };
  const Case cases[] = {{1, 120, 1, 1}, {1, 120, 3, 10}, {20, 90, 5, 4}, {30, 31, 1, 3}};
  for (const Case& c : cases) {
    const EndLevels lr = AverageEnds(y, c.first, c.last, c.points);
    std::vector<double> b(y.size(), 0.0), sigma(y.size() + 1, 0.0);
    FillFlat(b, c.first, c.last, lr.right);
    for (int k = 0; k < c.passes; ++k) ShirleyPass(y, b, sigma, c.first, c.last, lr.left, lr.right);
    const std::vector<double> ref = TextbookShirley(y, c.first, c.last, lr.left, lr.right, c.passes);
    for (int i = c.first; i <= c.last; ++i) {
      EXPECT_NEAR(b[i], ref[i], 1e-9 * std::fabs(ref[i]))
          << "range " << c.first << ".." << c.last << " passes " << c.passes << " point " << i;
    }
  }
}

TEST(ShirleyPass, NothingAboveTheBackgroundGivesAFlatLine) {
  struct Case {
    const char* what;
    std::vector<double> y;
  };
  const Case cases[] = {
      {"flat spectrum", Points({70, 70, 70, 70, 70, 70})},
      {"excess and deficit cancel", Points({70, 80, 60, 80, 60, 70})},
  };
  for (const Case& c : cases) {
    const EndLevels lr = AverageEnds(c.y, 1, 6, 1);
    std::vector<double> b(c.y.size(), 0.0), sigma(c.y.size() + 1, 0.0);
    FillFlat(b, 1, 6, lr.right);
    for (int pass = 0; pass < 3; ++pass) ShirleyPass(c.y, b, sigma, 1, 6, lr.left, lr.right);
    for (int i = 1; i <= 6; ++i) EXPECT_DOUBLE_EQ(b[i], 70) << c.what << " point " << i;
  }
}

TEST(LinearAndShirley, FlatSpectrumGivesTheFlatLine) {
  const std::vector<double> y(41, 123.5);
  const EndLevels lr = AverageEnds(y, 1, 40, 1);
  std::vector<double> linear(41, 0.0), shirley(41, 0.0), sigma(42, 0.0);
  LinearBackground(linear, 1, 40, lr.left, lr.right);
  FillFlat(shirley, 1, 40, lr.right);
  ShirleyPass(y, shirley, sigma, 1, 40, lr.left, lr.right);
  for (int i = 1; i <= 40; ++i) {
    EXPECT_DOUBLE_EQ(linear[i], 123.5);
    EXPECT_DOUBLE_EQ(shirley[i], 123.5);
  }
}

// The Tougaard integral with the kernel evaluated afresh at each loss.
std::vector<double> TextbookTougaard(const std::vector<double>& y, int first, int last,
                                     double step, double c, double right, double* scale) {
  auto kernel = [c](double t) { return t / ((t * t + c) * (t * t + c)); };
  std::vector<double> s(y.size(), 0.0);
  for (int i = first; i <= last; ++i) {
    for (int j = i; j <= last; ++j) s[i] += (y[j] - right) * step * kernel((j - i + 1) * step);
  }
  *scale = (y[first] - right) / s[first];
  std::vector<double> b(y.size(), 0.0);
  for (int i = first; i <= last; ++i) b[i] = right + *scale * s[i];
  return b;
}

TEST(TougaardBackground, AgreesWithTheKernelIntegral) {
  const std::vector<double> y = PeakOnStep(150);
  struct Case {
    int first, last;
    double step, c;
  };
  const Case cases[] = {{1, 150, 0.5, kDefaultTougaardC}, {30, 120, 0.1, 1643}, {10, 140, 1.0, 0}};
  for (const Case& c : cases) {
    const EndLevels lr = AverageEnds(y, c.first, c.last, 3);
    std::vector<double> b(y.size(), 0.0), kernel(y.size() + 1, 0.0);
    const double scale =
        TougaardBackground(y, b, kernel, c.first, c.last, c.step, c.c, lr.right);
    double refScale = 0;
    const std::vector<double> ref =
        TextbookTougaard(y, c.first, c.last, c.step, c.c, lr.right, &refScale);
    EXPECT_NEAR(scale, refScale, 1e-9 * std::fabs(refScale));
    EXPECT_NEAR(b[c.first], y[c.first], 1e-9 * y[c.first]);  // meets the spectrum at the start
    for (int i = c.first; i <= c.last; ++i) EXPECT_NEAR(b[i], ref[i], 1e-9 * std::fabs(ref[i])) << i;
    // Table entry m holds the kernel at n - m + 1 steps.
    const int n = 150;
    EXPECT_DOUBLE_EQ(kernel[n], TougaardKernel(c.step, c.c));
    EXPECT_DOUBLE_EQ(kernel[1], TougaardKernel(n * c.step, c.c));
  }
}

TEST(TougaardBackground, NoIntegralAtTheStartGivesAFlatLine) {
  const std::vector<double> y = Points({50, 50, 50, 50, 50});
  std::vector<double> b(6, 0.0), kernel(7, 0.0);
  const double scale = TougaardBackground(y, b, kernel, 1, 5, 0.5, 1643, 50);
  EXPECT_EQ(scale, 0);
  for (int i = 1; i <= 5; ++i) EXPECT_DOUBLE_EQ(b[i], 50);
}

TEST(TougaardBackground, NegativeTypedConstantBecomesZero) {
  EXPECT_EQ(TougaardConstantFromInput(-5), 0);
  EXPECT_EQ(TougaardConstantFromInput(0), 0);
  EXPECT_EQ(TougaardConstantFromInput(2000), 2000);
  EXPECT_EQ(TougaardKernel(0, 0), 0);  // no loss, no constant: no value, not NaN
}

TEST(BackgroundArea, InCountsPerSecondTimesEv) {
  // 1000 counts x eV over ten scans of 0.1 s.
  const std::vector<double> y = Points({0, 600, 400, 0});
  const std::vector<double> b(5, 0.0);
  EXPECT_DOUBLE_EQ(BackgroundArea(y, b, 1, 4, 1.0, true, 10, 0.1), 1000);
  EXPECT_DOUBLE_EQ(BackgroundArea(y, b, 1, 4, 0.5, false, 10, 0.1), 500);  // already per second
  // A header without scans or dwell time leaves the counts as they are.
  EXPECT_DOUBLE_EQ(BackgroundArea(y, b, 1, 4, 1.0, true, 0, 0.1), 1000);
  EXPECT_DOUBLE_EQ(BackgroundArea(y, b, 1, 4, 1.0, true, 10, 0), 1000);
  EXPECT_DOUBLE_EQ(CountRateDivisor(4, 0.5), 2);
}

TEST(NumberTextInWidth, KeepsTheLeadingDigitsAndTheExponent) {
  struct Case {
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {1000, " 1000"},
      {-12.5, "-12.5"},
      {1234.56789012, " 1234.5679"},
      {123456789012.0, " 1.235E+11"},
      {-98765432109876.0, "-9.877E+13"},
      {1.5e-7, " 1.5E-07"},
      {-0.000123456789, "-0.0001235"},
  };
  for (const Case& c : cases) {
    const std::string text = NumberTextInWidth(c.value, 10);
    EXPECT_EQ(text, c.expected) << c.value;
    EXPECT_LE(text.size(), 10u);
    EXPECT_NEAR(plat::TextToNumber(text), c.value, 1e-3 * std::fabs(c.value));
  }
}

}  // namespace
}  // namespace sorvan
