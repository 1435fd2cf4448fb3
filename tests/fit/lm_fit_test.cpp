// The Levenberg-Marquardt iteration on seeded synthetic spectra: it finds the
// same minimum as an independent least-squares solver, counts its steps and
// rounds as the user sets them, keeps the best accepted parameters, survives
// a singular system and stores nothing for a closed window.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fit/lm_fit.h"

namespace sorvan {
namespace {

struct ReferenceCase {
  const char* name;
  int peaks;
  bool doublet;
  int points;
  std::vector<double> counts;
  std::vector<double> start;
  std::vector<int> free;
  std::vector<double> fitted;
  double chiSquare;
};

#include "reference/gauss_lorentz_reference.inc"

// A fit of one reference case on plain arrays, indexed from 1 as the fit vector.
struct Problem {
  explicit Problem(const ReferenceCase& c)
      : reference(c),
        P(10 * c.peaks + 6),
        target(c.points + 1, 0.0),
        sigma(c.points + 1, 0.0),
        p(P + 1, 0.0),
        scale(P + 1, 0.0),
        lower(10 * c.peaks + 1, -1e30),
        upper(10 * c.peaks + 1, 1e30),
        model(c.peaks, c.doublet, true, c.points, 1, c.points, 0.5),
        engine(P, c.points) {
    for (int i = 1; i <= c.points; ++i) {
      target[i] = c.counts[i - 1];
      sigma[i] = std::sqrt(target[i] <= 0 ? 1e-8 : target[i]);
    }
    for (int k = 1; k <= P; ++k) {
      p[k] = c.start[k - 1];
      scale[k] = c.free[k - 1] ? -1.0 : 0.0;
    }
    model.SetLimits(lower.data(), upper.data(), scale.data());
    model.SetTailUsed(false);
    data.target = target.data();
    data.sigma = sigma.data();
    data.first = 1;
    data.last = c.points;
    data.scale = scale.data();
    data.degreesUsed = DegreesUsedByPeaks(c.peaks, c.doublet, 2);
  }
  FitOutcome Run(double iterationLimit, int rounds, const FitHooks& hooks = {}) {
    FitSettings settings;
    settings.iterationLimit = iterationLimit;
    settings.fitRounds = rounds;
    return engine.Run(model, data, p.data(), settings, hooks);
  }
  const ReferenceCase& reference;
  int P;
  std::vector<double> target, sigma, p, scale, lower, upper;
  GaussLorentzFitModel model;
  LevenbergMarquardt engine;
  FitData data;
};

class ReferenceFit : public ::testing::TestWithParam<const ReferenceCase*> {};

TEST_P(ReferenceFit, ConvergesToTheIndependentLeastSquaresResult) {
  Problem problem(*GetParam());
  ASSERT_EQ(problem.Run(200, 3), FitOutcome::Finished);
  const ReferenceCase& c = *GetParam();
  for (int k = 1; k <= problem.P; ++k) {
    const double expected = c.fitted[k - 1];
    EXPECT_NEAR(problem.p[k], expected, 1e-4 * std::fabs(expected)) << c.name << " entry " << k;
  }
  EXPECT_NEAR(problem.engine.statistics.chiSquare, c.chiSquare, 1e-6 * c.chiSquare);
}

INSTANTIATE_TEST_SUITE_P(SyntheticSpectra, ReferenceFit,
                         ::testing::Values(&kTwoSinglets, &kDoublet, &kTwoDoublets),
                         [](const auto& info) { return std::string(info.param->name); });

// An entry that a limit holds (here at 0, where a step can never be small
// against the entry's size) must not keep a round going to the trial cap,
// and the step of the other entries must not count on it moving: the fit
// ends, in a few trials, where the fit with that entry fixed ends.
TEST(LevenbergMarquardtConvergence, EntryHeldAtZeroByItsLimitsEndsTheRoundsEarly) {
  struct Case {
    const char* what;
    const ReferenceCase* reference;
    std::vector<int> entries;  // the entries freed, each held at 0 by its limits
  };
  const Case cases[] = {
      {"asymmetries limited to 0..0", &kTwoSinglets, {9, 19}},
      {"doublet asymmetry limited to 0..0", &kDoublet, {9}},
      {"Shirley term pressed against 0", &kTwoSinglets, {25}},
  };
  for (const Case& c : cases) {
    // The fit with the entries held fixed at 0.
    Problem fixed(*c.reference);
    for (int k : c.entries) fixed.scale[k] = 0.0;
    ASSERT_EQ(fixed.Run(200, 3), FitOutcome::Finished) << c.what;

    Problem problem(*c.reference);
    for (int k : c.entries) {
      ASSERT_EQ(problem.p[k], 0.0) << c.what;
      problem.scale[k] = -1.0;
      if (k <= 10 * c.reference->peaks) problem.lower[k] = problem.upper[k] = 0.0;
    }
    int trials = 0, convergedAtEnd = 0;
    FitHooks hooks;
    hooks.afterTrial = [&](const double*, double) {
      ++trials;
      return 0;
    };
    hooks.roundEnd = [&](const double*, const FitStatistics&) {
      convergedAtEnd = problem.engine.convergedCount;
    };
    ASSERT_EQ(problem.Run(200, 3, hooks), FitOutcome::Finished) << c.what;
    // Before, each round ran to its cap of 200 trials.
    EXPECT_LE(trials, 30) << c.what;
    EXPECT_EQ(convergedAtEnd, problem.P) << c.what;
    for (int k = 1; k <= problem.P; ++k) {
      EXPECT_NEAR(problem.p[k], fixed.p[k], 1e-6 * std::fabs(fixed.p[k]) + 1e-12)
          << c.what << " entry " << k;
    }
    EXPECT_NEAR(problem.engine.statistics.chiSquare, fixed.engine.statistics.chiSquare,
                1e-9 * fixed.engine.statistics.chiSquare)
        << c.what;
  }
}

TEST(LevenbergMarquardtRounds, TwoRoundsOfLimitTwoMakeTwoAcceptedSteps) {
  Problem problem(kDoublet);
  int roundsStored = 0;
  FitHooks hooks;
  hooks.roundEnd = [&](const double*, const FitStatistics&) { ++roundsStored; };
  ASSERT_EQ(problem.Run(2, 2, hooks), FitOutcome::Finished);
  EXPECT_EQ(problem.engine.acceptedSteps, 2);
  EXPECT_EQ(problem.engine.round, 2);
  EXPECT_EQ(roundsStored, 2);
}

TEST(LevenbergMarquardtRounds, EscapeAfterRejectedTrialKeepsBestAcceptedParameters) {
  Problem problem(kTwoSinglets);
  // Esc on the first trial that raises chi-square.
  std::vector<double> stored;
  FitHooks hooks;
  double acceptedBefore = 0;
  hooks.acceptedStep = [&](const double*) { acceptedBefore = problem.engine.acceptedReducedChi2; };
  hooks.afterTrial = [&](const double*, double) {
    return problem.engine.trialReducedChi2 > problem.engine.acceptedReducedChi2 ? 27 : 0;
  };
  hooks.roundEnd = [&](const double* p, const FitStatistics&) {
    stored.assign(p, p + problem.P + 1);
  };
  // Start far off so that a full Gauss-Newton step overshoots once.
  problem.p[5] = 100.0;
  problem.p[7] = 30.0;
  problem.Run(200, 2, hooks);
  ASSERT_FALSE(stored.empty());
  if (problem.engine.rejectedTrials > 0) {
    EXPECT_LE(problem.engine.statistics.unscaledReducedChiSquare, acceptedBefore + 1e-12);
  }
  EXPECT_LE(problem.engine.trialReducedChi2, problem.engine.acceptedReducedChi2);
}

// A model whose chi-square rises on every step: each round must still end on
// the start values, never on a worse trial.
class WorseningModel : public FitModel {
 public:
  int VariableCount() const override { return 1; }
  double ValueAndDerivatives(const double* p, int, double* d) override {
    d[1] = 1.0;
    return p[1];
  }
  double Value(const double* p, int) override { return p[1] + (p[1] != start ? 50.0 : 0.0); }
  void ApplyLimits(double*) override {}
  double start = 3.0;
};

TEST(LevenbergMarquardtRounds, RoundEndingOnRejectedTrialStoresBestParameters) {
  WorseningModel model;
  std::vector<double> target(11, 5.0), sigma(11, 1.0), scale(2, -1.0), p = {0.0, 3.0};
  FitData data{target.data(), sigma.data(), 1, 10, scale.data(), 0, 1};
  LevenbergMarquardt engine(1, 10);
  std::vector<double> stored;
  FitHooks hooks;
  hooks.roundEnd = [&](const double* q, const FitStatistics&) { stored.push_back(q[1]); };
  engine.Run(model, data, p.data(), FitSettings{200, 2}, hooks);
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0], 3.0);
  EXPECT_EQ(stored[1], 3.0);
  EXPECT_EQ(engine.acceptedSteps, 0);
}

// Derivatives that are not finite make every factorisation fail.
class BrokenModel : public FitModel {
 public:
  int VariableCount() const override { return 2; }
  double ValueAndDerivatives(const double* p, int, double* d) override {
    d[1] = NAN;
    d[2] = 1.0;
    return p[1] + p[2];
  }
  double Value(const double* p, int) override { return p[1] + p[2]; }
  void ApplyLimits(double*) override {}
};

TEST(LevenbergMarquardtFailures, SingularSystemStopsWithMessageAndKeepsStart) {
  BrokenModel model;
  std::vector<double> target(6, 2.0), sigma(6, 1.0), scale(3, -1.0), p = {0.0, 1.0, 4.0};
  FitData data{target.data(), sigma.data(), 1, 5, scale.data(), 0, 1};
  LevenbergMarquardt engine(2, 5);
  int messages = 0, stores = 0;
  FitHooks hooks;
  hooks.singular = [&] { ++messages; };
  hooks.roundEnd = [&](const double*, const FitStatistics&) { ++stores; };
  EXPECT_EQ(engine.Run(model, data, p.data(), FitSettings{}, hooks), FitOutcome::Singular);
  EXPECT_EQ(messages, 1);
  EXPECT_EQ(stores, 1);
  EXPECT_EQ(p[1], 1.0);
  EXPECT_EQ(p[2], 4.0);
}

TEST(LevenbergMarquardtFailures, ClosedWindowEndsFitWithoutStoring) {
  Problem problem(kDoublet);
  int stores = 0;
  FitHooks hooks;
  hooks.windowClosed = [] { return true; };
  hooks.roundEnd = [&](const double*, const FitStatistics&) { ++stores; };
  EXPECT_EQ(problem.Run(200, 2, hooks), FitOutcome::WindowClosed);
  EXPECT_EQ(stores, 0);
}

TEST(LevenbergMarquardtRounds, EvaluateOnlyMakesNoStep) {
  Problem problem(kTwoSinglets);
  const std::vector<double> start = problem.p;
  FitHooks hooks;
  hooks.startQuestion = [](const double*) { return false; };
  int stores = 0;
  hooks.roundEnd = [&](const double*, const FitStatistics&) { ++stores; };
  EXPECT_EQ(problem.Run(2, 2, hooks), FitOutcome::EvaluatedOnly);
  EXPECT_EQ(problem.p, start);
  EXPECT_EQ(stores, 1);
}

TEST(LevenbergMarquardtSystem, FixedVariablesDoNotMove) {
  Problem problem(kDoublet);
  const std::vector<double> start = problem.p;
  problem.Run(200, 2);
  for (int k = 1; k <= problem.P; ++k) {
    if (problem.scale[k] == 0.0) {
      EXPECT_EQ(problem.p[k], start[k]) << "entry " << k;
    }
  }
}

TEST(GaussLorentzLimits, LinkedPartnerEntriesFollowFirstPeakAndRatiosStayInRange) {
  const int P = 26;
  std::vector<double> lower(21, -1e30), upper(21, 1e30), scale(P + 1, -1.0), p(P + 1, 0.0);
  GaussLorentzFitModel model(2, true, false, 100, 1, 100, 0.5);
  for (int k : {12, 14, 16, 18, 20}) scale[k] = 1.0;  // peak 2's partner entries linked
  model.SetLimits(lower.data(), upper.data(), scale.data());
  const double first[10] = {100, 0.5, 0.8, 1.5, 30, 10, 3, 1.2, 0.01, 2};
  const double second[10] = {-5, -0.3, 0.5, 0.7, 60, 4, -2, -1, 0.02, 3};
  std::copy(first, first + 10, p.begin() + 1);
  std::copy(second, second + 10, p.begin() + 11);
  model.ApplyLimits(p.data());
  EXPECT_EQ(p[11], 1e-4);            // negative height
  EXPECT_DOUBLE_EQ(p[4], 1.0 / 0.8);  // share x ratio above 1
  EXPECT_EQ(p[17], 1e-4);            // negative width
  for (int offset : {1, 3, 5, 7, 9}) EXPECT_EQ(p[11 + offset], p[1 + offset]) << offset;
}

}  // namespace
}  // namespace sorvan

namespace sorvan {
namespace {

// A model whose value does not depend on its variable: every trial leaves
// chi-square exactly as it was.
class FlatModel : public FitModel {
 public:
  int VariableCount() const override { return 1; }
  double ValueAndDerivatives(const double*, int, double* d) override {
    d[1] = 1.0;
    return 1.0;
  }
  double Value(const double*, int) override { return 1.0; }
  void ApplyLimits(double*) override {}
};

TEST(LevenbergMarquardtRounds, EqualChiSquareAcceptedOnlyByAnalyticFits) {
  struct Case {
    bool onlySmaller;
    int acceptedSteps;
  } cases[] = {{false, 2}, {true, 0}};
  for (const Case& c : cases) {
    FlatModel model;
    std::vector<double> target(11, 3.0), sigma(11, 1.0), scale(2, -1.0), p = {0.0, 5.0};
    FitData data{target.data(), sigma.data(), 1, 10, scale.data(), 0, 1};
    LevenbergMarquardt engine(1, 10);
    FitSettings settings{2, 2, c.onlySmaller};
    EXPECT_EQ(engine.Run(model, data, p.data(), settings, FitHooks{}), FitOutcome::Finished);
    EXPECT_EQ(engine.acceptedSteps, c.acceptedSteps) << c.onlySmaller;
    if (c.onlySmaller) {
      EXPECT_GT(engine.rejectedTrials, 0);
    }
  }
}

}  // namespace
}  // namespace sorvan
