// Parameter errors from the curvature of chi-square: the numeric steps on
// known functions, and the analysis of a fitted window compared with the
// covariance of an independent least-squares fit (tools/hessian_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "core/events.h"
#include "core/model.h"
#include "core/store.h"
#include "fit/fit_format.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fiterrors/hessian_errors.h"
#include "fiterrors/progress_page.h"
#include "platform/driver.h"

namespace sorvan {
namespace {

// ---------------------------------------------------------------- numeric part

// Residuals r = B (x - a) over three entries: chi-square = (x - a)^T A (x - a)
// with A = B^T B = [[4, 1, 0], [1, 3, 0], [0, 0, 2]], 0 at its minimum as for
// a fit that matches its data.
struct Linear {
  double a[4] = {0, 2, -5, 0};
  double B[3][4] = {{0, 2, 0.5, 0}, {0, 0, std::sqrt(2.75), 0}, {0, 0, 0, std::sqrt(2.0)}};
  double A[4][4] = {{0, 0, 0, 0}, {0, 4, 1, 0}, {0, 1, 3, 0}, {0, 0, 0, 2}};
  std::vector<std::vector<double>> calls;
  void operator()(const double* x, std::vector<double>& r) {
    calls.emplace_back(x, x + 4);
    r.assign(3, 0.0);
    for (int c = 0; c < 3; ++c)
      for (int k = 1; k <= 3; ++k) r[c] += B[c][k] * (x[k] - a[k]);
  }
};

CurvatureCallbacks Callbacks(std::function<void(const double*, std::vector<double>&)> residuals,
                             int* advances = nullptr, int stopAtPoll = 0) {
  CurvatureCallbacks cb;
  cb.residuals = std::move(residuals);
  cb.advance = [advances](int steps) {
    if (advances) *advances += steps;
  };
  auto polls = std::make_shared<int>(0);
  cb.stop = [polls, stopAtPoll] { return ++*polls == stopAtPoll; };
  return cb;
}

CurvatureCallbacks Callbacks(Linear& q, int* advances = nullptr, int stopAtPoll = 0) {
  return Callbacks([&q](const double* x, std::vector<double>& r) { q(x, r); }, advances, stopAtPoll);
}

TEST(Curvature, StepIsRelativeButNeverBelowOneMillionth) {
  const struct {
    double value, step;
  } cases[] = {{0, 1e-6}, {2, 2e-4}, {-5, 5e-4}, {1e-3, 1e-6}, {3e-4, 1e-6}, {0.25, 2.5e-5}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(CurvatureStep(c.value), c.step) << c.value;
}

TEST(Curvature, LinearResidualsGiveTwiceTheirNormalMatrixAndTheCovarianceErrors) {
  Linear q;
  double x[4] = {0, 2, -5, 0};
  const double s[4] = {0, 1, 1, 1};
  SquareMatrix H;
  int advances = 0;
  ASSERT_TRUE(MeasureChiSquareCurvature(3, x, s, Callbacks(q, &advances), H));
  for (int i = 1; i <= 3; ++i) {
    EXPECT_DOUBLE_EQ(x[i], q.a[i]);  // moved and put back
    for (int k = 1; k <= 3; ++k) EXPECT_NEAR(H(i, k), 2 * q.A[i][k], 1e-8) << i << "," << k;
  }
  EXPECT_EQ(advances, 4 * 3 + 2);
  // The zero entry was moved by +-1e-6, one entry at a time.
  for (const auto& c : q.calls) EXPECT_TRUE(c[3] == 0 || std::fabs(c[3]) == 1e-6) << c[3];
  // The residuals at x, two single steps per entry, and the pairs of
  // entries moved together up and down.
  EXPECT_EQ(q.calls.size(), 1u + 6u + 6u);
  // Errors: sqrt(diag(A^-1)) with A^-1 = [[3, -1], [-1, 4]] / 11 and 1/2.
  double error[4] = {};
  ASSERT_EQ(ErrorsFromCurvature(H, s, error), ErrorsOutcome::Done);
  EXPECT_NEAR(error[1], std::sqrt(3.0 / 11), 1e-9);
  EXPECT_NEAR(error[2], std::sqrt(4.0 / 11), 1e-9);
  EXPECT_NEAR(error[3], std::sqrt(0.5), 1e-9);
}

// A fit whose residuals do not vanish: chi-square's own second differences
// then hold the model's curvature times the residuals as well, which can be
// negative where the normal matrix is not. One entry, residuals
// r_c = x^2 t_c - y_c at a point below the minimum of chi-square (x = 0.2):
// d2/dx2 sum r^2 = sum 12 x^2 t^2 - 4 y t < 0, while 2 sum (2 x t)^2 > 0.
// The curvature measured is chi-square's own; the normal matrix measured
// beside it from the same steps is the one to fall back on.
TEST(Curvature, ChiSquaresOwnCurvatureIsMeasuredWithTheNormalMatrixBesideIt) {
  const double t[3] = {1, 2, 3}, y[3] = {1.2, 3.9, 9.3};
  auto residuals = [&](const double* x, std::vector<double>& r) {
    r.assign(3, 0.0);
    for (int c = 0; c < 3; ++c) r[c] = x[1] * x[1] * t[c] - y[c];
  };
  double x[2] = {0, 0.2};
  const double s[2] = {0, 1};
  double ownSecondDerivative = 0, normal = 0;
  for (int c = 0; c < 3; ++c) {
    ownSecondDerivative += 12 * x[1] * x[1] * t[c] * t[c] - 4 * y[c] * t[c];
    normal += 2 * (2 * x[1] * t[c]) * (2 * x[1] * t[c]);
  }
  ASSERT_LT(ownSecondDerivative, 0);
  SquareMatrix H, M;
  ASSERT_TRUE(MeasureChiSquareCurvature(1, x, s, Callbacks(residuals), H, &M));
  EXPECT_NEAR(H(1, 1), ownSecondDerivative, 1e-6 * std::fabs(ownSecondDerivative));
  EXPECT_NEAR(M(1, 1), normal, 1e-6 * normal);
  EXPECT_FALSE(PositiveDefinite(H));
  EXPECT_TRUE(PositiveDefinite(M));
  double error[2] = {};
  ASSERT_EQ(ErrorsFromCurvature(M, s, error), ErrorsOutcome::Done);
  EXPECT_NEAR(error[1], std::sqrt(2 / normal), 1e-6);
}

// Chi-square of two entries with a cross term and the curvature of a
// cubic: the pair steps give the mixed derivative, the single steps the
// diagonal, each to the accuracy of a central difference.
TEST(Curvature, MixedSecondDifferencesOfANonQuadraticChiSquare) {
  // r1 = x1 x2 - 1, r2 = x1^2 - 2: C = (x1 x2 - 1)^2 + (x1^2 - 2)^2.
  auto residuals = [](const double* x, std::vector<double>& r) {
    r = {x[1] * x[2] - 1, x[1] * x[1] - 2};
  };
  double x[3] = {0, 1.5, 0.5};
  const double s[3] = {0, 1, 1};
  const double x1 = x[1], x2 = x[2];
  const double h11 = 2 * x2 * x2 + 12 * x1 * x1 - 8;
  const double h12 = 2 * (2 * x1 * x2 - 1);
  const double h22 = 2 * x1 * x1;
  SquareMatrix H;
  ASSERT_TRUE(MeasureChiSquareCurvature(2, x, s, Callbacks(residuals), H));
  EXPECT_NEAR(H(1, 1), h11, 1e-6 * h11);
  EXPECT_NEAR(H(1, 2), h12, 1e-6 * h12);
  EXPECT_EQ(H(1, 2), H(2, 1));
  EXPECT_NEAR(H(2, 2), h22, 1e-6 * h22);
  EXPECT_EQ(x[1], x1);
  EXPECT_EQ(x[2], x2);
}

// An entry near zero (a Lorentz share of 3e-4 whose error is 0.1) is
// stepped by 1e-6: chi-square changes by a few parts in 1e10 of itself. The
// second differences summed channel by channel from the changes of the
// residuals keep the curvature to the rounding of the residuals themselves
// (about a millionth here).
TEST(Curvature, AnEntryNearZeroKeepsItsPrecision) {
  // 300 channels of weighted residuals of size 1 around a slope of 10 per
  // unit of the entry: error 1 / sqrt(sum 10^2) = 1 / sqrt(30000).
  auto residuals = [](const double* x, std::vector<double>& r) {
    r.assign(300, 0.0);
    for (int c = 0; c < 300; ++c) r[c] = (c % 2 == 0 ? 1.0 : -1.0) + 10 * (x[1] - 3e-4);
  };
  double x[2] = {0, 3e-4};
  const double s[2] = {0, 1};
  SquareMatrix H;
  ASSERT_TRUE(MeasureChiSquareCurvature(1, x, s, Callbacks(residuals), H));
  EXPECT_NEAR(H(1, 1), 2 * 30000, 1e-5 * 60000);
}

TEST(Curvature, FixedEntriesAreDecoupledAndUnmeasuredOnesGetSqrtTwo) {
  Linear q;
  q.B[2][3] = 0;  // entry 3 does not change chi-square
  q.A[3][3] = 0;
  double x[4] = {0, 2, -5, 0};
  for (const bool fixFirst : {false, true}) {
    SCOPED_TRACE(fixFirst ? "entry 1 fixed" : "all free");
    q.calls.clear();
    const double s[4] = {0, fixFirst ? 0.0 : 1.0, 1, 1};
    SquareMatrix H;
    ASSERT_TRUE(MeasureChiSquareCurvature(3, x, s, Callbacks(q), H));
    EXPECT_DOUBLE_EQ(H(3, 3), 1);  // a flat direction gets diagonal 1
    double error[4] = {};
    ASSERT_EQ(ErrorsFromCurvature(H, s, error), ErrorsOutcome::Done);
    EXPECT_NEAR(error[3], std::sqrt(2.0), 1e-9);
    if (fixFirst) {
      EXPECT_EQ(H(1, 1), 1);
      EXPECT_EQ(H(1, 2), 0);
      EXPECT_EQ(H(2, 1), 0);
      EXPECT_EQ(error[1], 0);
      EXPECT_NEAR(error[2], std::sqrt(1.0 / 3), 1e-9);  // no longer coupled to entry 1
      for (const auto& c : q.calls) EXPECT_EQ(c[1], 2) << "a fixed entry is never moved";
    }
  }
}

TEST(Curvature, StopLeavesTheVectorAsItWas) {
  for (const int stopAt : {1, 2, 3}) {
    SCOPED_TRACE(stopAt);
    Linear q;
    double x[4] = {0, 2, -5, 0};
    const double s[4] = {0, 1, 1, 1};
    SquareMatrix H;
    EXPECT_FALSE(MeasureChiSquareCurvature(3, x, s, Callbacks(q, nullptr, stopAt), H));
    EXPECT_EQ(x[1], 2);
    EXPECT_EQ(x[2], -5);
    EXPECT_EQ(x[3], 0);
    EXPECT_EQ(q.calls.size(), 1u + 2u * (stopAt - 1));
  }
}

TEST(Curvature, AnEntryOnALimitUpToTheRoundingOfTheUnits) {
  const struct {
    double x, lower, upper;
    bool on;
  } cases[] = {
      {0, 0, 1, true},
      {1, 0, 1, true},
      {3e-4, 0, 1, false},                 // near zero, but inside
      {7.4e-9, 0, 1, true},                // pressed against the limit by the fit
      {1.4e-6, 0, 1, false},
      {4, 5e-8, 5e9, false},               // wide limits do not widen the test
      {5e-8 + 5e-7, 5e-8, 5e9, true},
      {1e-3 + 1e-10, 1e-3, 2e-3, true},    // limits close together: a millionth of their span
      {1e-3 + 1e-8, 1e-3, 2e-3, false},
      {20.000000000000004, 5, 20, true},   // a width stored in eV and loaded again
      {19.9999, 5, 20, false},
      {-0.5, -0.5, 0.5, true},
      {0, 0, 0, true},
  };
  for (const auto& c : cases) EXPECT_EQ(OnLimit(c.x, c.lower, c.upper), c.on) << c.x;
}

SquareMatrix Matrix(std::initializer_list<std::initializer_list<double>> rows) {
  SquareMatrix m(static_cast<int>(rows.size()));
  int i = 1;
  for (const auto& row : rows) {
    int k = 1;
    for (double v : row) m(i, k++) = v;
    ++i;
  }
  return m;
}

TEST(Curvature, InversionRefusesSingularAndNonFiniteMatrices) {
  const struct {
    const char* what;
    SquareMatrix m;
    bool invertible;
  } cases[] = {
      {"regular, very different scales", Matrix({{4e8, 2e3, 0}, {2e3, 3e-2, 1e-3}, {0, 1e-3, 5}}), true},
      {"strongly correlated but regular", Matrix({{1, 0.999}, {0.999, 1}}), true},
      {"indefinite", Matrix({{1, 2}, {2, 1}}), true},
      {"two equal rows", Matrix({{2, 2, 1}, {2, 2, 1}, {1, 1, 3}}), false},
      {"equal rows up to rounding", Matrix({{5e6, 5e6 * (1 + 1e-14)}, {5e6 * (1 + 1e-14), 5e6}}), false},
      {"zero row", Matrix({{0, 0}, {0, 1}}), false},
      {"not finite", Matrix({{1, NAN}, {NAN, 1}}), false},
      {"infinite", Matrix({{INFINITY, 0}, {0, 1}}), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SquareMatrix inverse = c.m;
    ASSERT_EQ(InvertMatrix(inverse), c.invertible);
    if (!c.invertible) continue;
    for (int i = 1; i <= c.m.size; ++i) {
      for (int k = 1; k <= c.m.size; ++k) {
        double product = 0;
        for (int j = 1; j <= c.m.size; ++j) product += c.m(i, j) * inverse(j, k);
        EXPECT_NEAR(product, i == k ? 1.0 : 0.0, 1e-9) << i << "," << k;
      }
    }
  }
}

TEST(Curvature, NegativeVarianceStopsAfterTheLowerIndices) {
  const double s[4] = {0, 1, 1, 1};
  double error[4] = {0, -1, -1, -1};
  EXPECT_EQ(ErrorsFromCurvature(Matrix({{2, 0, 0}, {0, -4, 0}, {0, 0, 8}}), s, error),
            ErrorsOutcome::NegativeVariance);
  EXPECT_DOUBLE_EQ(error[1], 1);  // sqrt(2 / 2)
  EXPECT_EQ(error[2], -1);
  EXPECT_EQ(error[3], -1);
  double none[3] = {0, -1, -1};
  EXPECT_EQ(ErrorsFromCurvature(Matrix({{3, 3}, {3, 3}}), s, none), ErrorsOutcome::Singular);
  EXPECT_EQ(none[1], -1);
  EXPECT_EQ(none[2], -1);
}

TEST(Curvature, ErrorsOfMainEntriesStayInsideTheLargerDistanceToTheLimits) {
  const struct {
    double x, lower, upper, s, error, held;
  } cases[] = {
      {5, 0, 10, 1, 3, 3},     // inside both distances
      {2, 0, 10, 1, 9, 8},     // nearer the lower limit: the upper distance
      {8, 0, 10, 1, 9, 8},     // nearer the upper limit: the lower distance
      {2, 0, 10, 1, 7, 7},     // past the near limit only: unchanged
      {5, 0, 10, 1, 12, 5},    // equal distances
      {5, 0, 10, 0, 12, 12},   // fixed: its scale 0 keeps any stored figure
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    // Entry 1 (a main entry) is held; entry 2 (a partner) never is.
    const double x[3] = {0, c.x, c.x};
    const double lower[3] = {0, c.lower, c.lower};
    const double upper[3] = {0, c.upper, c.upper};
    const double s[3] = {0, c.s, c.s};
    double error[3] = {0, c.error, c.error};
    HoldErrorsInsideLimits(2, x, lower, upper, s, error);
    EXPECT_DOUBLE_EQ(error[1], c.held);
    EXPECT_DOUBLE_EQ(error[2], c.error);
  }
}

TEST(Curvature, PartnerShareErrorsKeepThePartnerShareInsideZeroToOne) {
  const struct {
    bool relative;
    int peak;
    double share, ratio, firstShare, error, held;
  } cases[] = {
      {false, 1, 0.5, 1.5, 0, 0.6, 0.5},   // (1.5 + 0.6) 0.5 > 1: 1/0.5 - 1.5
      {false, 1, 0.5, 0.2, 0, 0.3, 0.5},   // (0.2 - 0.3) 0.5 < 0: the share itself
      {false, 1, 0.5, 1.0, 0, 0.4, 0.4},   // inside
      {true, 1, 0.5, 1.5, 0, 0.6, 0.5},    // peak 1 of a relative table: the same rules
      {true, 2, 0.8, 2.0, 0.5, 0.6, 0.5},  // (2.6) 0.4 > 1: 1/0.4 - 2
      {true, 2, 0.8, 0.1, 0.5, 0.3, 0.4},  // below 0: share x share of peak 1
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.held);
    std::vector<double> x(21, 0.0), error(21, 0.0);
    x[3] = c.firstShare;
    const int D = 10 * (c.peak - 1) + 1;
    x[D + 2] = c.share;
    x[D + 3] = c.ratio;
    error[D + 3] = c.error;
    HoldPartnerShareErrors(c.peak, c.relative, x.data(), error.data());
    EXPECT_NEAR(error[D + 3], c.held, 1e-12);
  }
}

// ---------------------------------------------------------------- window part

struct HessianCase {
  const char* name;
  int peaks;
  bool doublet;
  int points;
  std::vector<double> counts;  // raw counts, with a flat background of 200
  std::vector<double> fitted;  // fit vector 1..10n
  std::vector<int> free;
  std::vector<double> errors;  // standard errors of the free entries, 0 elsewhere
};

#include "reference/hessian_reference.inc"

constexpr int kW = 5;
constexpr double kStep = 0.1;
constexpr double kStartEnergy = 1000.0;
constexpr double kBackground = 200.0;

class HessianWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();
    InitialiseModel();
    BuildEventRegistry();
    FitPageHooks() = FitPages{};
    G.MessageTexts[47] = "Singlet";
    G.MessageTexts[52] = "Doublet";
    G.EnergyAxisMode = 1;
    G.CharWidth = 7;
    G.CharHeight = 15;
  }
  void TearDown() override { plat::driver::Finish(); }

  // Window kW with the case's spectrum on the kinetic axis, the flat
  // background defined under it and the fitted values in its peak table.
  static void Prepare(const HessianCase& c) {
    WindowRecord& win = Win[kW];
    win.SpectrumHeader.PointCount = static_cast<Int16>(c.points);
    win.SpectrumHeader.EnergyStep = kStep;
    win.SpectrumHeader.StartEnergy = kStartEnergy;
    win.SpectrumHeader.EndEnergy = kStartEnergy + (c.points - 1) * kStep;
    win.SpectrumHeader.ExcitationEnergy = 1486.6;
    win.SpectrumHeader.ScanCount = 1;
    win.SpectrumHeader.DwellTime = 1;
    win.RegionStart = 1;
    win.RegionEnd = static_cast<Int16>(c.points);
    win.RegionLength = static_cast<Int16>(c.points);
    win.PeakCount = static_cast<Int16>(c.peaks);
    win.PeakType = c.doublet ? "Doublet" : "Singlet";
    win.BackgroundState = 2;
    win.SourceSpectrumIndex = 1;
    win.ErrorMethod = 1;
    ImportedHeader[1] = win.SpectrumHeader;
    ImportedValues[1].Resize(c.points);
    DimSlotData(kW);
    for (int i = 1; i <= c.points; ++i) {
      SlotData[kW](i, 1) = c.counts[i - 1];
      SlotData[kW](i, 2) = kBackground;
      ImportedValues[1][i] = c.counts[i - 1];
    }
    for (int p = 1; p <= c.peaks; ++p) {
      const double* e = &c.fitted[10 * (p - 1)];
      const double values[11] = {0,
                                 e[0],
                                 e[1] * e[0],
                                 e[2],
                                 e[3] * e[2],
                                 (e[4] - 1) * kStep + kStartEnergy,
                                 (e[4] + e[5] - 1) * kStep + kStartEnergy,
                                 2 * e[6] * kStep,
                                 2 * e[7] * e[6] * kStep,
                                 e[8],
                                 e[8] * e[9]};
      for (int j = 1; j <= 10; ++j) {
        win.ParameterValue[p][j] = values[j];
        win.ParameterLower[p][j] = j <= 2 ? 0 : -1e9;
        win.ParameterUpper[p][j] = 1e9;
        win.ParameterState[p][j] = c.free[10 * (p - 1) + j - 1] ? 0 : 1;
      }
    }
    for (int i = 1; i <= 6; ++i) win.BackgroundTermFixed[i] = true;
    Evaluate();
  }

  // The fit evaluated at the table's values, as the start page leaves it
  // (areas and statistics stored), and the arrays set up again as the error
  // command does.
  static void Evaluate() {
    WindowRecord& win = Win[kW];
    const bool ds = win.PeakModel == 1;
    ds ? AllocFitArraysDoniachSunjic(kW) : AllocFitArraysGaussLorentz(kW);
    ASSERT_TRUE(LoadFitParameters(kW));
    G.BatchMode = 2;
    ds ? FitPeaksDoniachSunjic(kW) : FitPeaksGaussLorentz(kW);
    G.BatchMode = 0;
    G.FitRunState = 0;
    ds ? AllocFitArraysDoniachSunjic(kW) : AllocFitArraysGaussLorentz(kW);
    ASSERT_TRUE(LoadFitParameters(kW));
  }
};

TEST_F(HessianWindow, ErrorsAgreeWithTheCovarianceOfAnIndependentFit) {
  for (const HessianCase* c : {&kTwoSinglets, &kOneDoublet}) {
    SCOPED_TRACE(c->name);
    Prepare(*c);
    const auto table = Win[kW].ParameterValue;
    EstimateErrorsHessianGaussLorentz(kW);
    const WindowRecord& win = Win[kW];
    EXPECT_EQ(G.ErrorRunState, 1);
    EXPECT_EQ(win.HessianValid, 1);
    EXPECT_EQ(win.ErrorTableValid, 1);
    EXPECT_FALSE(ProgressPageOpen());
    EXPECT_EQ(G.BatchMode, 0);
    // One peak: 4 P + 4 = 68 steps after the opening value 1.
    EXPECT_DOUBLE_EQ(G.ProgressValue, 1 + 4 * (10 * c->peaks + 6) + 4);
    for (int k = 1; k <= 10 * c->peaks; ++k) {
      const double expected = c->errors[k - 1];
      EXPECT_NEAR(win.ParamErrors(k, k), expected, 1e-4 * expected + 1e-12) << "entry " << k;
    }
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(win.ParamErrors(10 * c->peaks + i, 10 * c->peaks + i), 0);
    // The peak table holds the fitted values again (a singlet's partner
    // entries are not values).
    for (int p = 1; p <= c->peaks; ++p)
      for (int j = 1; j <= 10; j += c->doublet ? 1 : 2)
        EXPECT_NEAR(win.ParameterValue[p][j], table[p][j], 1e-9 * std::fabs(table[p][j]) + 1e-12);
    // The table in eV: positions by the energy step, widths as full widths.
    for (int p = 1; p <= c->peaks; ++p) {
      const int D = 10 * (p - 1);
      EXPECT_NEAR(win.ParamErrorTable[p][1], c->errors[D], 1e-4 * c->errors[D]);
      EXPECT_NEAR(win.ParamErrorTable[p][5], c->errors[D + 4] * kStep, 1e-4 * c->errors[D + 4] * kStep);
      EXPECT_NEAR(win.ParamErrorTable[p][7], 2 * c->errors[D + 6] * kStep,
                  1e-4 * c->errors[D + 6] * kStep);
      EXPECT_GT(win.AreaError[p], 0);
      EXPECT_GT(win.AreaShareError[p], 0);
    }
    EXPECT_GT(win.TotalArea, 0);
  }
}

TEST_F(HessianWindow, TwoPeaksTheDataCannotTellApartGiveTheFailureMessage) {
  Prepare(kTwoSinglets);
  WindowRecord& win = Win[kW];
  // Peak 2 made the same as peak 1: every change of one is a change of the other.
  for (int j = 1; j <= 10; ++j) {
    win.ParameterValue[2][j] = win.ParameterValue[1][j];
    win.ParameterState[2][j] = win.ParameterState[1][j];
  }
  Evaluate();
  win.ParamErrorTable[1][1] = 42;
  const auto table = win.ParameterValue;
  G.CommandId = 0;
  plat::script::AnswerMessage(1);
  EstimateErrorsHessianGaussLorentz(kW);
  EXPECT_EQ(G.CommandId, 10);
  EXPECT_EQ(G.ErrorRunState, 2);
  EXPECT_EQ(win.ErrorTableValid, 0);
  EXPECT_EQ(win.ParamErrorTable[1][1], 42);  // the previous table stays
  EXPECT_FALSE(ProgressPageOpen());
  for (int j = 1; j <= 10; j += 2) EXPECT_NEAR(win.ParameterValue[2][j], table[2][j], 1e-9 * std::fabs(table[2][j]) + 1e-12);
  for (int k = 1; k <= 26; ++k) EXPECT_TRUE(std::isfinite(win.ParamErrors(k, k)));
}

TEST_F(HessianWindow, CancelDuringTheStepsChangesNeitherTableNorErrors) {
  Prepare(kOneDoublet);
  WindowRecord& win = Win[kW];
  win.ParamErrorTable[1][3] = 17;
  const auto table = win.ParameterValue;
  // Each entry's steps begin with a poll: this stops before entry 5.
  plat::driver::AtKeyPoll(5, [] {
    G.ProgressKey = 27;
    return 0;
  });
  EstimateErrorsHessianGaussLorentz(kW);
  EXPECT_EQ(G.ProgressKey, 27);
  EXPECT_EQ(win.ErrorTableValid, 0);
  EXPECT_EQ(win.HessianValid, 0);
  EXPECT_EQ(win.ParamErrorTable[1][3], 17);
  EXPECT_FALSE(ProgressPageOpen());
  for (int j = 1; j <= 10; ++j) EXPECT_NEAR(win.ParameterValue[1][j], table[1][j], 1e-9 * std::fabs(table[1][j]) + 1e-12);
}

TEST_F(HessianWindow, WindowClosedDuringTheRunStoresNothing) {
  Prepare(kOneDoublet);
  WindowRecord& win = Win[kW];
  win.FitChi2 = 123;
  plat::driver::AtKeyPoll(4, [] {
    G.FitRunState = 26;
    return 0;
  });
  EstimateErrorsHessianGaussLorentz(kW);
  EXPECT_EQ(G.FitRunState, 26);
  EXPECT_EQ(win.FitChi2, 123);
  EXPECT_EQ(win.ErrorTableValid, 0);
  EXPECT_EQ(G.BatchMode, 0);
  EXPECT_FALSE(ProgressPageOpen());
}

TEST_F(HessianWindow, DoniachSunjicFitOfItsOwnCurveGetsFiniteErrorsAndATable) {
  Prepare(kOneDoublet);
  WindowRecord& win = Win[kW];
  win.PeakModel = 1;
  // Doniach-Sunjic entries: Gaussian half width 3 channels, Lorentz half
  // width 0.8 eV, asymmetry 0.05 free.
  win.ParameterValue[1][3] = 0.6;
  win.ParameterValue[1][4] = 0.6;
  win.ParameterValue[1][7] = 0.8;
  win.ParameterValue[1][8] = 0.8;
  win.ParameterValue[1][9] = 0.05;
  win.ParameterValue[1][10] = 0.05;
  win.ParameterState[1][9] = 0;
  AllocFitArraysDoniachSunjic(kW);
  ASSERT_TRUE(LoadFitParameters(kW));
  G.BatchMode = 2;
  FitPeaksDoniachSunjic(kW);
  G.BatchMode = 0;
  // The data made the model's own curve: the values are the minimum.
  const int points = win.SpectrumHeader.PointCount;
  for (int i = 1; i <= points; ++i) {
    const double counts = SlotComponents[kW](i, 2) + kBackground;
    SlotData[kW](i, 1) = counts;
    ImportedValues[1][i] = counts;
  }
  Evaluate();
  EXPECT_LT(win.FitChi2, 1e-12);
  EstimateErrorsHessianDoniachSunjic(kW);
  EXPECT_EQ(G.ErrorRunState, 1);
  EXPECT_EQ(win.ErrorTableValid, 1);
  for (int k : {1, 2, 3, 4, 5, 6, 7, 8, 9}) {
    EXPECT_TRUE(std::isfinite(win.ParamErrors(k, k))) << k;
    EXPECT_GT(win.ParamErrors(k, k), 0) << k;
  }
  EXPECT_EQ(win.ParamErrors(10, 10), 0);  // fixed
  EXPECT_GT(win.PartnerAreaError[1], 0);
  // Doniach-Sunjic widths are half widths in channels: shown as full widths in eV.
  EXPECT_NEAR(win.ParamErrorTable[1][3], 2 * win.ParamErrors(3, 3) * kStep, 1e-12);
}

}  // namespace
}  // namespace sorvan
