// The polynomial background with a Shirley term: the numbers against a
// direct computation, and the command with its page driven from the menu
// (subtract, keep, recompute with typed coefficients, another pass, cancel,
// a series run).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "../display/display_fixture.h"
#include "../shell/shell_fixture.h"
#include "core/model.h"
#include "core/store.h"
#include "dialogs/background_polynomial_page.h"
#include "display/windows.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/text.h"
#include "processing/pages/background_page.h"
#include "processing/kernels/backgrounds.h"
#include "processing/poly_background.h"
#include "processing/poly_shirley.h"
#include "shell/menu_state.h"

namespace sorvan {
namespace {

namespace script = plat::script;

struct Coefficients {
  double A, B, C, D, E;
};

// The background written out from its definition, with every sum taken
// afresh for each point: `passes` Shirley passes towards A over
// first..last, the first from the flat level `right`, then the normalised
// cubic and Shirley parts scaled from A up to `left`.
std::vector<double> DirectPolyShirley(const std::vector<double>& y, int first, int last,
                                      double left, double right, const Coefficients& c,
                                      int passes) {
  std::vector<double> F(y.size(), 0.0), b(y.size(), 0.0);
  for (int i = first; i <= last; ++i) F[i] = right;
  for (int pass = 0; pass < passes; ++pass) {
    std::vector<double> next = F;
    double total = 0;
    for (int j = first; j <= last; ++j) total += y[j] - F[j];
    for (int i = first; i <= last; ++i) {
      double integral = 0.5 * (y[i] - F[i]);
      for (int j = i + 1; j <= last; ++j) integral += y[j] - F[j];
      next[i] = c.A + (left - c.A) * integral / total;
    }
    F = next;
  }
  double shirleyMax = 1, polyMax = 1, sumMax = 0;
  for (int i = first; i <= last; ++i) {
    const double x = last - i;
    shirleyMax = std::max(shirleyMax, F[i] - c.A);
    polyMax = std::max(polyMax, c.B * x + c.C * x * x + c.D * x * x * x);
  }
  std::vector<double> q(y.size(), 0.0);
  for (int i = first; i <= last; ++i) {
    const double x = last - i;
    q[i] = (c.B * x + c.C * x * x + c.D * x * x * x) / polyMax + c.E * (F[i] - c.A) / shirleyMax;
    sumMax = std::max(sumMax, q[i]);
  }
  for (int i = first; i <= last; ++i) b[i] = sumMax == 0 ? c.A : c.A + (left - c.A) * q[i] / sumMax;
  return b;
}

// A peak on a step: higher on the left (lower kinetic energy).
std::vector<double> PeakOnStep(int n) {
  std::vector<double> y(n + 1, 0.0);
  for (int i = 1; i <= n; ++i) {
    const double x = i - n / 2.0;
    y[i] = 80 + 40.0 / (1 + std::exp(x / 2.0)) + 900 * std::exp(-x * x / 10.0);
  }
  return y;
}

TEST(PolyShirleyNumbers, AgreesWithTheDirectComputation) {
  const int n = 40;
  const std::vector<double> y = PeakOnStep(n);
  struct Case {
    const char* name;
    int first, last;
    Coefficients c;
  } cases[] = {
      {"start values", 1, n, {y[n], 1, 1, 1, 1}},
      {"cubic only", 1, n, {y[n], 1, 1, 1, 0}},
      {"Shirley only", 1, n, {y[n], 0, 0, 0, 1}},
      {"part of the spectrum", 8, 30, {y[30], 0.5, 0, 2, 3}},
      {"A below the end level", 1, n, {60, 0, 2, 0, 1}},
      {"falling polynomial", 1, n, {y[n], -1, 0, 0, 0.5}},
  };
  for (const Case& k : cases) {
    const double left = y[k.first];
    const std::vector<double> expected = DirectPolyShirley(y, k.first, k.last, left, k.c.A, k.c, 1);
    std::vector<double> F(n + 1, 0.0), b(n + 1, -7.0), sigma(n + 2, 0.0);
    FillFlat(F, k.first, k.last, k.c.A);
    ShirleyPass(y, F, sigma, k.first, k.last, left, k.c.A);
    const double terms[6] = {0, k.c.A, k.c.B, k.c.C, k.c.D, k.c.E};
    PolyShirleyFromShirleyPart(F, b, k.first, k.last, left, terms);
    for (int i = 1; i <= n; ++i) {
      if (i < k.first || i > k.last) {
        EXPECT_EQ(b[i], -7.0) << k.name << " point " << i << " lies outside the range";
      } else {
        EXPECT_NEAR(b[i], expected[i], 1e-9 * std::fabs(expected[i])) << k.name << " point " << i;
      }
    }
  }
}

TEST(PolyShirleyNumbers, ReachesTheLeftLevelWhereTheSumIsLargest) {
  const int n = 40;
  const std::vector<double> y = PeakOnStep(n);
  std::vector<double> F(n + 1, 0.0), b(n + 1, 0.0), sigma(n + 2, 0.0);
  FillFlat(F, 1, n, y[n]);
  ShirleyPass(y, F, sigma, 1, n, y[1], y[n]);
  const double terms[6] = {0, y[n], 1, 1, 1, 1};
  PolyShirleyFromShirleyPart(F, b, 1, n, y[1], terms);
  EXPECT_NEAR(b[1], y[1], 1e-9);  // the cubic dominates: largest at the left end
  EXPECT_EQ(b[n], y[n]);          // x = 0 and F = A at the right end
}

TEST(PolyShirleyNumbers, NothingToScaleGivesAFlatBackgroundAtA) {
  std::vector<double> F(6, 5.0), b(6, 0.0);
  const double zero[6] = {0, 5, 0, 0, 0, 0};        // no polynomial, no Shirley share
  PolyShirleyFromShirleyPart(F, b, 1, 5, 9, zero);
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(b[i], 5.0) << i;
  const double single[6] = {0, 5, 1, 1, 1, 1};      // a range of one point
  b.assign(6, 0.0);
  PolyShirleyFromShirleyPart(F, b, 3, 3, 9, single);
  EXPECT_EQ(b[3], 5.0);
  EXPECT_TRUE(std::isfinite(b[3]));
}

TEST(FitBackgroundNumbers, StartShapesAgreeWithTheirSums) {
  const int n = 30;
  const double step = 0.5, A = 70;
  std::vector<double> y = PeakOnStep(n);
  std::vector<double> S(n + 1, -1.0), T(n + 1, -1.0);
  const int first = 6, last = 25;
  FitBackgroundStartShapes(y, A, first, last, step, S, T);
  for (int i = 1; i <= n; ++i) {
    double s = 0, t = 0;
    if (i >= first && i <= last) {
      for (int j = i; j <= last; ++j) {
        const double loss = (j - i + 1) * step;
        s += y[j] - A;
        t += (y[j] - A) * step * loss / std::pow(loss * loss + 1643, 2);
      }
      t *= 2866;
    }
    EXPECT_NEAR(S[i], s, 1e-9 * (1 + std::fabs(s))) << i;
    EXPECT_NEAR(T[i], t, 1e-12 * (1 + std::fabs(t))) << i;
  }
  // S at the end of the range is the last point above A.
  EXPECT_NEAR(S[last], y[last] - A, 1e-12);

  // The curve of all six terms, and the Shirley start that meets the
  // spectrum at the range's start.
  const double E = FitBackgroundStartShirley(y, S, first, A, 1.0);
  const double terms[7] = {0, A, 0.5, -0.01, 0.001, E, 3};
  std::vector<double> b(n + 1, -3.0);
  FitBackgroundCurve(b, S, T, first, last, terms);
  for (int i = 1; i <= n; ++i) {
    if (i < first || i > last) {
      EXPECT_EQ(b[i], -3.0) << i;
      continue;
    }
    const double x = last - i;
    EXPECT_NEAR(b[i], A + 0.5 * x - 0.01 * x * x + 0.001 * x * x * x + E * S[i] + 3 * T[i], 1e-9)
        << i;
  }
  const double flat[7] = {0, A, 0, 0, 0, E, 0};
  FitBackgroundCurve(b, S, T, first, last, flat);
  EXPECT_NEAR(b[first], y[first], 1e-9);
  EXPECT_NEAR(b[last], A + E * (y[last] - A), 1e-9);
  // A sum of 0 leaves the coefficient as it was.
  std::vector<double> none(n + 1, 0.0);
  EXPECT_EQ(FitBackgroundStartShirley(y, none, first, A, 2.5), 2.5);
}

// ---- The command from the menu ----

constexpr int kN = 50;

class PolyShirleyMenu : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.AveragePoints = 1;
    G.CpsMode = 1;
    y_ = PeakOnStep(kN);
    displaytest::PlaceSpectrum(w_, std::vector<double>(y_.begin() + 1, y_.end()), 900, 0.2);
    Win[w_].WindowOpen = false;
    OpenSpectrumWindow(w_, "O 1s");
    G.CurrentWindow = static_cast<Byte>(w_);
    UpdateMenuState(w_);
  }

  double Column(int c, int i) const { return SlotData[w_](i, c); }

  std::vector<double> Expected(const Coefficients& c, int passes) const {
    return DirectPolyShirley(y_, 1, kN, y_[1], y_[kN], c, passes);
  }

  std::vector<double> y_;
  int w_ = 1;
};

TEST_F(PolyShirleyMenu, PageShowsTheStartTermsAndOkSubtracts) {
  script::Run([] {
    EXPECT_EQ(plat::Text(27, "ed271"), " 1");
    EXPECT_EQ(plat::Text(27, "ed274"), " 1");
    EXPECT_EQ(plat::Text(27, "lb273"), "P(x) = A + Bx + Cx\u00B2 + Dx\u00B3 + ES");
    EXPECT_NE(plat::Text(27, "lb272").find(" cps*eV"), std::string::npos);
    EXPECT_LE(plat::Text(27, "lb272").size(), 10u + 7u);
    EXPECT_EQ(Win[1].BackgroundState, BackgroundPreview);
  });
  script::Click("cmdOk271");
  plat::driver::ChooseMenu(2150);

  const std::vector<double> b = Expected({y_[kN], 1, 1, 1, 1}, 1);
  EXPECT_EQ(Win[w_].BackgroundState, BackgroundSubtracted);
  EXPECT_EQ(G.BackgroundName, G.MessageTexts[5]);
  EXPECT_EQ(Win[w_].BackgroundTermValue[1], y_[kN]);
  double area = 0;
  for (int i = 1; i <= kN; ++i) {
    EXPECT_NEAR(Column(2, i), b[i], 1e-9) << i;
    EXPECT_NEAR(Column(1, i), y_[i] - b[i], 1e-9) << i;
    area += y_[i] - b[i];
  }
  EXPECT_NEAR(Win[w_].IntegratedArea[1], area * 0.2, 1e-9);
}

TEST_F(PolyShirleyMenu, RecomputeWithTypedCoefficientsThenKeep) {
  // 275: B..E typed (with a decimal comma), the Shirley part kept.
  script::SetText("ed271", -1, "0");
  script::SetText("ed272", -1, "0,5");
  script::SetText("ed273", -1, "0");
  script::SetText("ed274", -1, "2");
  script::Click("cmd275");
  script::Run([] { EXPECT_EQ(plat::Text(27, "ed272"), " 0.5"); });
  script::Click("cmd273");
  plat::driver::ChooseMenu(2150);

  EXPECT_EQ(Win[w_].BackgroundState, BackgroundDefined);
  EXPECT_EQ(Win[w_].BackgroundTermValue[3], 0.5);
  const std::vector<double> b = Expected({y_[kN], 0, 0.5, 0, 2}, 1);
  for (int i = 1; i <= kN; ++i) {
    EXPECT_NEAR(Column(2, i), b[i], 1e-9) << i;
    EXPECT_EQ(Column(1, i), y_[i]) << i;  // kept beside the data
  }
}

TEST_F(PolyShirleyMenu, AnotherPassRefinesTheShirleyPart) {
  script::Click("cmd274");
  script::Click("cmd274");
  script::Click("cmdOk271");
  plat::driver::ChooseMenu(2150);
  const std::vector<double> b = Expected({y_[kN], 1, 1, 1, 1}, 3);
  for (int i = 1; i <= kN; ++i) EXPECT_NEAR(Column(2, i), b[i], 1e-9) << i;
  EXPECT_EQ(G.ShirleyPassTarget, 2);
  EXPECT_EQ(G.ShirleyPassCount, 2);
}

TEST_F(PolyShirleyMenu, CancelAfterASubtractedBackgroundLeavesNoBackgroundBehind) {
  script::Click("cmdOk271");
  plat::driver::ChooseMenu(2150);
  ASSERT_EQ(Win[w_].BackgroundState, BackgroundSubtracted);
  std::vector<double> subtracted(kN + 1, 0.0);
  for (int i = 1; i <= kN; ++i) subtracted[i] = Column(2, i);
  // The run puts the subtracted background back first; Cancel ends with the
  // spectrum as measured. The background column keeps its content, which
  // with no background state is not used and not added a second time.
  script::SetText("ed271", -1, "3");
  script::Click("cmd275");
  script::Click("cmdCancel272");
  plat::driver::ChooseMenu(2150);
  EXPECT_EQ(Win[w_].BackgroundState, BackgroundNone);
  EXPECT_EQ(Win[w_].BackgroundTermValue[2], 3.0);  // typed before the cancel
  for (int i = 1; i <= kN; ++i) {
    EXPECT_NEAR(Column(1, i), y_[i], 1e-9) << i;
    EXPECT_EQ(Column(2, i), subtracted[i]) << i;
  }
  // A later background starts from the measured spectrum.
  script::Click("cmdCancel12");
  plat::driver::ChooseMenu(2110);
  for (int i = 1; i <= kN; ++i) EXPECT_NEAR(Column(1, i), y_[i], 1e-9) << i;
}

TEST_F(PolyShirleyMenu, CancelKeepsTheBackgroundColumnOfAKeptBackground) {
  script::Click("cmd273");
  plat::driver::ChooseMenu(2150);
  ASSERT_EQ(Win[w_].BackgroundState, BackgroundDefined);
  std::vector<double> kept(kN + 1, 0.0);
  for (int i = 1; i <= kN; ++i) kept[i] = Column(2, i);
  script::Click("cmdCancel272");
  plat::driver::ChooseMenu(2150);
  // Cancel gives the window back the background it kept.
  EXPECT_EQ(Win[w_].BackgroundState, BackgroundDefined);
  for (int i = 1; i <= kN; ++i) {
    EXPECT_EQ(Column(2, i), kept[i]) << i;
    EXPECT_EQ(Column(1, i), y_[i]) << i;
  }
  // The next background works on the spectrum as measured: the kept
  // background is not added into it.
  script::Click("cmdOk11");
  plat::driver::ChooseMenu(2120);
  EXPECT_EQ(Win[w_].BackgroundState, BackgroundSubtracted);
  for (int i = 1; i <= kN; ++i) EXPECT_NEAR(Column(1, i) + Column(2, i), y_[i], 1e-9) << i;
}

TEST_F(PolyShirleyMenu, SeriesRunKeepsTheWindowsTermsAndTheTemplatesAnswer) {
  const Coefficients c{90, 0, 0, 2, 0.5};
  const double terms[6] = {0, c.A, c.B, c.C, c.D, c.E};
  for (int k = 1; k <= 5; ++k) Win[w_].BackgroundTermValue[k] = terms[k];
  Win[3].BackgroundState = BackgroundDefined;
  G.SeriesTemplateWindow = 3;
  G.BatchMode = 1;
  G.ShirleyPassTarget = 1;
  G.CursorStart = 1;
  G.CursorEnd = kN;
  G.DialogCursorStart = 1;
  G.DialogCursorEnd = kN;
  ComputePolyShirleyBackground(w_);
  G.BatchMode = 0;
  EXPECT_EQ(G.DialogResult, AnswerPolynomialKeep);
  EXPECT_EQ(Win[w_].BackgroundState, BackgroundDefined);
  EXPECT_EQ(Win[w_].BackgroundTermValue[1], 90.0);
  const std::vector<double> b = Expected(c, 2);
  for (int i = 1; i <= kN; ++i) EXPECT_NEAR(Column(2, i), b[i], 1e-9) << i;
}

}  // namespace
}  // namespace sorvan
