// Line shapes: derivatives against finite differences, cut-offs, floors and
// the broadened Doniach-Sunjic line.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fit/peak_models.h"

namespace sorvan {
namespace {

struct DerivativeCase {
  const char* name;
  bool doublet;
  double entries[10];  // height, rh, m, rm, x0, dx, w0, rw, a, ra
  double channel;
};

const DerivativeCase kDerivativeCases[] = {
    {"GaussSingletLeft", false, {1000, 0, 0.0, 0, 50.0, 0, 6.0, 0, 0.0, 0}, 45.3},
    {"MixedSingletRight", false, {1000, 0, 0.4, 0, 50.0, 0, 6.0, 0, 0.0, 0}, 57.7},
    {"LorentzSingletTail", false, {250, 0, 1.0, 0, 50.0, 0, 3.0, 0, 0.0, 0}, 80.2},
    {"AsymmetricSingletHighSide", false, {800, 0, 0.3, 0, 50.0, 0, 5.0, 0, 0.05, 0}, 58.1},
    {"AsymmetricSingletLowSide", false, {800, 0, 0.3, 0, 50.0, 0, 5.0, 0, 0.05, 0}, 44.6},
    {"DoubletBetweenLines", true, {900, 0.5, 0.3, 1.2, 40.0, 12.0, 4.0, 1.3, 0.0, 0.0}, 46.4},
    {"DoubletOnPartner", true, {900, 0.5, 0.3, 1.2, 40.0, 12.0, 4.0, 1.3, 0.0, 0.0}, 51.1},
    {"AsymmetricDoublet", true, {900, 0.6, 0.2, 1.5, 40.0, -9.0, 4.0, 0.8, 0.04, 1.5}, 33.3},
};

class GaussLorentzDerivatives : public ::testing::TestWithParam<DerivativeCase> {};

TEST_P(GaussLorentzDerivatives, MatchCentralDifferences) {
  const DerivativeCase& c = GetParam();
  double analytic[10];
  std::vector<double> e(c.entries, c.entries + 10);
  const double value = GaussLorentzPeakWithDerivatives(e.data(), c.doublet, c.channel, analytic);
  EXPECT_NEAR(value, GaussLorentzPeakValue(e.data(), c.doublet, c.channel), 1e-9 * std::fabs(value));
  for (int k = 0; k < 10; ++k) {
    if (!c.doublet && k % 2 == 1 && k != kPartnerAsymmetry) {
      EXPECT_EQ(analytic[k], 0.0) << "singlet partner entry " << k;
      continue;
    }
    const double h = 1e-6 * std::max(std::fabs(e[k]), 1e-2);
    std::vector<double> up = e, down = e;
    up[k] += h;
    down[k] -= h;
    const double numeric = (GaussLorentzPeakValue(up.data(), c.doublet, c.channel) -
                            GaussLorentzPeakValue(down.data(), c.doublet, c.channel)) /
                           (2 * h);
    EXPECT_NEAR(analytic[k], numeric, 1e-5 * std::max(1.0, std::fabs(numeric)))
        << c.name << " entry " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Lines, GaussLorentzDerivatives, ::testing::ValuesIn(kDerivativeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GaussLorentzLine, HalfWidthIsHalfMaximumForPureShapes) {
  for (double share : {0.0, 1.0}) {
    GaussLorentzLine line{100.0, share, 20.0, 4.0, 0.0};
    EXPECT_DOUBLE_EQ(GaussLorentzValue(line, 20.0, WidthFloor::Drawing), 100.0);
    // The rounded ln 2 makes the Gaussian half-height point a hair off 50.
    EXPECT_NEAR(GaussLorentzValue(line, 24.0, WidthFloor::Drawing), 50.0, 3e-3);
  }
}

TEST(GaussLorentzLine, ExactlyZeroBeyondCutAndWhereAsymmetricWidthRunsOut) {
  const GaussLorentzLine gauss{100.0, 0.0, 20.0, 1.0, 0.0};
  EXPECT_EQ(GaussLorentzValue(gauss, 26.0, WidthFloor::Drawing), 0.0);  // exponent 24.95
  EXPECT_GT(GaussLorentzValue(gauss, 25.0, WidthFloor::Drawing), 0.0);  // exponent 17.3
  const GaussLorentzLine skewed{100.0, 0.5, 20.0, 2.0, 0.5};
  EXPECT_EQ(GaussLorentzValue(skewed, 16.0, WidthFloor::Drawing), 0.0);  // w0 + a d = 0
  EXPECT_EQ(GaussLorentzValue(skewed, 10.0, WidthFloor::Drawing), 0.0);
  EXPECT_GT(GaussLorentzValue(skewed, 17.0, WidthFloor::Drawing), 0.0);
}

TEST(GaussLorentzLine, ZeroWidthIsFlooredNotDivided) {
  const GaussLorentzLine spike{100.0, 1.0, 20.0, 0.0, 0.0};
  EXPECT_DOUBLE_EQ(GaussLorentzValue(spike, 20.0, WidthFloor::Drawing), 100.0);
  // w^2 = 1e-4: one channel away the Lorentzian is 100 / (1 + 1e4).
  EXPECT_NEAR(GaussLorentzValue(spike, 21.0, WidthFloor::Drawing), 100.0 / 10001.0, 1e-12);
  double d[10];
  const double e[10] = {100, 0, 1.0, 0, 20, 0, 0.0, 0, 0, 0};
  EXPECT_TRUE(std::isfinite(GaussLorentzPeakWithDerivatives(e, false, 20.0, d)));
  for (double v : d) EXPECT_TRUE(std::isfinite(v));
}

TEST(DoniachSunjic, BroadenedLineHasTheHeightOfItsPeak) {
  struct Case {
    double height, sigma, gamma, alpha;
  } cases[] = {{1000, 3, 2, 0.1}, {0.05, 3, 2, 0.1}, {-20, 2, 1.5, 0.0}, {7, 0, 2, 0.2}};
  const int n = 200;
  for (const Case& c : cases) {
    std::vector<double> peak(n + 1), partner(n + 1), a(n + 1), b(n + 1);
    const double e[10] = {c.height, 0, c.sigma, 0, 100.0, 0, c.gamma, 0, c.alpha, 0};
    DoniachSunjicSums sums =
        DoniachSunjicPeakCurve(e, false, n, 1, n, peak.data(), partner.data(), a.data(), b.data());
    double extreme = 0, sum = 0;
    for (int i = 1; i <= n; ++i) {
      if (std::fabs(peak[i]) > std::fabs(extreme)) extreme = peak[i];
      sum += peak[i];
    }
    EXPECT_NEAR(extreme, c.height, 1e-12 * std::fabs(c.height));
    EXPECT_NEAR(sums.peakSum, sum, 1e-9 * std::fabs(sum));
    EXPECT_EQ(sums.partnerSum, 0.0);
    for (int i = 0; i <= n; ++i) {
      ASSERT_EQ(a[i], 0.0);
      ASSERT_EQ(b[i], 0.0);
    }
  }
}

TEST(DoniachSunjic, ZeroLorentzWidthAtCentreStaysFinite) {
  EXPECT_TRUE(std::isfinite(DoniachSunjicShape(0.0, 0.1, 0.0)));
}

TEST(DoniachSunjic, DoubletPartnerAddsInsideRegionOnly) {
  const int n = 120;
  std::vector<double> peak(n + 1), partner(n + 1), a(n + 1), b(n + 1);
  const double e[10] = {100, 0.5, 2.0, 1.0, 40.0, 40.0, 1.5, 1.0, 0.05, 1.0};
  DoniachSunjicSums sums =
      DoniachSunjicPeakCurve(e, true, n, 1, 60, peak.data(), partner.data(), a.data(), b.data());
  double partnerMax = 0;
  for (int i = 1; i <= n; ++i) partnerMax = std::max(partnerMax, partner[i]);
  EXPECT_NEAR(partnerMax, 50.0, 1e-9);
  EXPECT_GT(sums.partnerSum, 0.0);
  // Outside the region the peak column keeps the main line alone.
  const double e1[10] = {100, 0, 2.0, 0, 40.0, 0, 1.5, 0, 0.05, 0};
  std::vector<double> mainOnly(n + 1), none(n + 1);
  DoniachSunjicPeakCurve(e1, false, n, 1, n, mainOnly.data(), none.data(), a.data(), b.data());
  EXPECT_DOUBLE_EQ(peak[80], mainOnly[80]);
  EXPECT_DOUBLE_EQ(peak[50], mainOnly[50] + partner[50]);
}

TEST(GaussianBroadening, KernelLengthAndNoBroadeningForNonPositiveWidth) {
  std::vector<double> kernel(51);
  // exp(-ln2 e^2 / 4) stays inside the cut 22 up to e = 11.
  EXPECT_EQ(GaussianKernel(2.0, 22.0, kernel.data(), 50), 11);
  EXPECT_EQ(GaussianKernel(2.0, 10.0, kernel.data(), 50), 7);
  EXPECT_EQ(GaussianKernel(0.0, 22.0, kernel.data(), 50), 0);
  EXPECT_EQ(GaussianKernel(-1.0, 22.0, kernel.data(), 50), 0);
  std::vector<double> in = {0, 1, 5, 2, 7}, out(5);
  ConvolveWithKernel(in.data(), out.data(), 4, kernel.data(), 0);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(out[i], in[i]);
}

}  // namespace
}  // namespace sorvan
