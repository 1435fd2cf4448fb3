// The satellite curve of a spectrum built from a known parent line and known
// satellite lines: the pass must give the parent back and the satellites
// that were added; the anode by excitation energy; the point shifts.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "processing/kernels/satellites.h"

namespace sorvan {
namespace {

using Shifts = std::array<int, kSatelliteLines>;
using Intensities = std::array<double, kSatelliteLines>;

// Index 0 unused; a narrow line and a weaker one on zero.
std::vector<double> Parent(int n) {
  std::vector<double> p(n + 1, 0.0);
  for (int i = 1; i <= n; ++i) {
    const double a = (i - 20) / 2.0, b = (i - 34) / 1.5;
    p[i] = 1000 * std::exp(-a * a) + 300 * std::exp(-b * b);
  }
  return p;
}

// The measured spectrum: the parent plus, at every point t, each line k's
// replica of the parent point t - shift[k] (replicas beyond the last point
// are lost, none comes from before point 1).
std::vector<double> WithSatellites(const std::vector<double>& p, const Shifts& s,
                                   const Intensities& in, std::vector<double>* curve) {
  const int n = static_cast<int>(p.size()) - 1;
  std::vector<double> y = p;
  std::vector<double> c(n + 1, 0.0);
  for (int t = 1; t <= n; ++t)
    for (int k = 0; k < kSatelliteLines; ++k) {
      const int i = t - s[k];
      if (i >= 1 && i <= n) c[t] += in[k] * p[i];
    }
  for (int t = 1; t <= n; ++t) y[t] += c[t];
  if (curve) *curve = c;
  return y;
}

TEST(Satellites, AnodeByTheWholeNumberOfTheExcitationEnergy) {
  struct Case {
    double hv;
    Anode anode;
  };
  const Case cases[] = {
      {1486.6, Anode::Aluminium}, {1486.0, Anode::Aluminium}, {1486.999, Anode::Aluminium},
      {1253.6, Anode::Magnesium}, {1253.0, Anode::Magnesium}, {1485.999, Anode::None},
      {1500.0, Anode::None},      {0.0, Anode::None},         {-1486.6, Anode::None},
      {std::numeric_limits<double>::quiet_NaN(), Anode::None},
  };
  for (const Case& c : cases) EXPECT_EQ(AnodeOfExcitation(c.hv), c.anode) << c.hv;
}

TEST(Satellites, ShiftsRoundToTheNearestPointHalvesUp) {
  struct Case {
    double offset, step;
    int shift;
  };
  const Case cases[] = {
      {9.8, 0.5, 20},   {9.8, 1.0, 10},   {0.24, 0.5, 0},  {0.25, 0.5, 1},   {0.75, 0.5, 2},
      {-0.25, 0.5, 0},  {-0.26, 0.5, -1}, {1e12, 0.1, 101}, {-1e12, 0.1, -101}, {69.7, 0.05, 101},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SatelliteShift(c.offset, c.step, 100), c.shift) << c.offset << " / " << c.step;
}

TEST(Satellites, SyntheticSpectrumGivesTheParentLineBack) {
  struct Case {
    const char* what;
    Shifts shift;
    Intensities intensity;
  };
  // Line 1 is the nearest, as in the shipped tables of both anodes.
  const Case cases[] = {
      {"aluminium-like", {20, 24, 40, 47, 139}, {0.064, 0.032, 0.004, 0.003, 0.0055}},
      {"close lines", {3, 4, 5, 6, 7}, {0.1, 0.08, 0.05, 0.02, 0.01}},
      {"one line", {5, 60, 60, 60, 60}, {0.2, 0, 0, 0, 0}},
      {"lines beyond the spectrum", {8, 70, 80, 90, 100}, {0.1, 0.5, 0.5, 0.5, 0.5}},
      {"no satellites", {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
  };
  const int n = 60;
  const std::vector<double> p = Parent(n);
  for (const Case& c : cases) {
    std::vector<double> expectedCurve;
    std::vector<double> y = WithSatellites(p, c.shift, c.intensity, &expectedCurve);
    const std::vector<double> measured = y;
    std::vector<double> s(n + 1, 0.0);
    AccumulateSatellites(y, s, c.shift, c.intensity);
    for (int i = 1; i <= n; ++i) {
      EXPECT_NEAR(s[i], expectedCurve[i], 1e-9) << c.what << " point " << i;
      EXPECT_NEAR(measured[i] - s[i], p[i], 1e-9) << c.what << " point " << i;
    }
  }
}

TEST(Satellites, ShiftZeroAddsThePointsOwnValue) {
  // Line 1 one point away, line 2 at the same point.
  const std::vector<double> y0 = {0, 10, 20, 30};
  std::vector<double> y = y0, s(4, 0.0);
  AccumulateSatellites(y, s, {1, 0, 9, 9, 9}, {0.5, 0.25, 1, 1, 1});
  // i = 1: s1 += 0.25 * 10 (shift 0); s2 += 0.5 * 10, y2 = 20 - 5 = 15.
  // i = 2: s3 += 0.5 * 15, y3 = 30 - 7.5; s2 += 0.25 * 15.
  // i = 3: line 1 lands beyond the last point; line 2 adds 0.25 * 22.5.
  EXPECT_DOUBLE_EQ(s[1], 2.5);
  EXPECT_DOUBLE_EQ(s[2], 5 + 3.75);
  EXPECT_DOUBLE_EQ(s[3], 7.5 + 5.625);
  EXPECT_DOUBLE_EQ(y[3], 22.5);
}

TEST(Satellites, NoLineReachesOutsideTheSpectrum) {
  // Shifts that point before the first point or far past the last one, and
  // a spectrum of one point: nothing is read or written outside 1..n.
  struct Case {
    Shifts shift;
    int n;
  };
  const Case cases[] = {
      {{-3, -1, 2, 500, -500}, 10}, {{-20, 0, 0, 0, 0}, 10}, {{1, 1, 1, 1, 1}, 1},
      {{0, 0, 0, 0, 0}, 1},         {{200, 300, 1, 1, 1}, 5},
  };
  for (const Case& c : cases) {
    std::vector<double> y(c.n + 1, 1.0), s(c.n + 1, 0.0);
    y[0] = 0;
    AccumulateSatellites(y, s, c.shift, {0.1, 0.1, 0.1, 0.1, 0.1});
    EXPECT_EQ(s[0], 0.0);
    for (double v : s) EXPECT_TRUE(std::isfinite(v));
  }
  // A curve shorter than the spectrum is not written.
  std::vector<double> y(11, 1.0), s(3, 0.0);
  AccumulateSatellites(y, s, {1, 2, 3, 4, 5}, {1, 1, 1, 1, 1});
  EXPECT_EQ(s, std::vector<double>(3, 0.0));
}

}  // namespace
}  // namespace sorvan
