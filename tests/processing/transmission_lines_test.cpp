// The transmission function from reference lines, without pages: the group
// checks of the typed percentages, the goal with its penalty, and the grid
// search against a literal nested search and on cases with a known optimum.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "processing/transmission_lines.h"

namespace {

using namespace sorvan;

// The function as the goal takes it, from c[1..7].
double Ierf(const double* c, double e) {
  const double x = (e - 1000) / 1000;
  return c[1] + c[2] * x + c[3] * x * x + c[4] * x * x * x + c[5] * x * x * x * x +
         c[6] * std::pow(e, c[7]);
}

// Percentages that a function `truth` gives: every group in use shares its
// 100 % in proportion to the function at its lines' energies.
std::vector<double> PercentagesOf(const double* truth, const std::vector<std::vector<int>>& groups) {
  std::vector<double> p(kReferenceLineCount + 1, 0.0);
  for (const std::vector<int>& group : groups) {
    double sum = 0;
    for (int r : group) sum += Ierf(truth, ReferenceLineRow(r).energy);
    for (int r : group) p[r] = 100 * Ierf(truth, ReferenceLineRow(r).energy) / sum;
  }
  return p;
}

const std::vector<std::vector<int>> kAllGroups = {{12, 13}, {11, 10}, {9, 8}, {7, 6},
                                                  {4, 5},   {1, 2, 3}, {14, 15}};

// The search written out as it reads: nested loops over b2 (outermost) to
// a0, each coefficient stepping down from its start, the goal of every
// combination, only a strictly smaller goal kept.
void LiteralSearch(const double* percent, GridSearchState& s) {
  const double steps[4] = {1, 0.1, 0.01, 0.001}, starts[4] = {6, 0.6, 0.06, 0.006};
  const double stepsB2[4] = {0.2, 0.02, 0.002, 0.0002}, startsB2[4] = {0.2, 0.12, 0.012, 0.0012};
  for (int pass = 0; pass < 4; ++pass) {
    double start[8], step[8];
    int count[8];
    for (int c = 1; c <= 7; ++c) {
      const double weight = std::fabs(s.marks[c] - 1);
      count[c] = weight == 0 ? 1 : 11;
      step[c] = weight * (c == 7 ? stepsB2[pass] : steps[pass]);
      const double offset = c == 7 ? startsB2[pass] : starts[pass];
      start[c] = weight == 0 ? s.best[c] : (pass == 0 ? offset : s.best[c] + offset);
    }
    std::function<void(int)> loop = [&](int c) {
      s.work[c] = start[c];
      for (int i = 0; i < count[c]; ++i) {
        s.work[c] -= step[c];
        if (c > 1) {
          loop(c - 1);
        } else {
          const double goal = ReferenceLineGoal(s.work, percent);
          if (goal < s.bestGoal) {
            s.bestGoal = goal;
            for (int k = 1; k <= 7; ++k) s.best[k] = s.work[k];
          }
        }
      }
    };
    loop(7);
  }
}

GridSearchState StartState(const std::vector<double>& start, const std::vector<double>& marks) {
  GridSearchState s;
  for (int c = 1; c <= 7; ++c) {
    s.best[c] = s.work[c] = start[c];
    s.marks[c] = marks[c];
  }
  return s;
}

const auto kNeverStop = [](long long) { return false; };

TEST(ReferenceLineGroups, SumsMustRoundTo100) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, double>> typed;
    bool passes;
  };
  const Case cases[] = {
      {"nothing typed", {}, true},
      {"group A alone", {{1, 50}, {2, 30}, {3, 20}}, true},
      {"99.6 rounds to 100", {{1, 50}, {2, 30}, {3, 19.6}}, true},
      {"99.5 rounds to 100", {{14, 49.5}, {15, 50}}, true},
      {"99.4 fails", {{1, 50}, {2, 30}, {3, 19.4}}, false},
      {"100.5 fails", {{12, 50}, {13, 50.5}}, false},
      {"a group of one line", {{4, 100}}, true},
      {"a later group fails", {{1, 50}, {2, 50}, {15, 100}, {14, 1}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    double p[kReferenceLineCount + 1] = {};
    for (const auto& [row, value] : c.typed) p[row] = value;
    EXPECT_EQ(CheckReferenceLineGroups(p), c.passes);
  }
}

TEST(ReferenceLineGroups, RowsOfAGroupWithoutItsKeyRowAreCleared) {
  double p[kReferenceLineCount + 1] = {};
  p[1] = 0;  // key row of group A
  p[2] = 40;
  p[3] = 60;
  p[13] = 100;  // group F without its key row 12
  p[14] = 30;
  p[15] = 70;
  EXPECT_TRUE(CheckReferenceLineGroups(p));
  EXPECT_EQ(p[2], 0);
  EXPECT_EQ(p[3], 0);
  EXPECT_EQ(p[13], 0);
  EXPECT_EQ(p[14], 30);
  EXPECT_EQ(p[15], 70);
}

TEST(ReferenceLineGoal, UsesOnlyPairsOfFilledGroupsAndPenalisesNonPositiveValues) {
  // a0 = 1: the function is 1 at every energy, so each pair adds
  // (P[a] / P[b] - 1)^2.
  const double flat[8] = {0, 1, 0, 0, 0, 0, 0, 0};
  double p[kReferenceLineCount + 1] = {};
  p[1] = 50;
  p[2] = 30;
  p[3] = 20;
  const double groupA = std::pow(50.0 / 30 - 1, 2) + std::pow(50.0 / 20 - 1, 2) +
                        std::pow(20.0 / 30 - 1, 2);
  EXPECT_NEAR(ReferenceLineGoal(flat, p), groupA, 1e-12);
  // A line at 270 eV joins with its pair; a function negative below 1000 eV
  // there costs the penalty instead.
  p[14] = 50;
  p[15] = 50;
  EXPECT_NEAR(ReferenceLineGoal(flat, p), groupA, 1e-12);
  const double falling[8] = {0, 0.5, 1, 0, 0, 0, 0, 0};  // 0.5 + x: negative at 270 eV
  EXPECT_GE(ReferenceLineGoal(falling, p), 100000.0);
  EXPECT_LT(ReferenceLineGoal(falling, p), 200000.0);
}

TEST(ReferenceLineSearch, AgreesWithTheLiteralNestedSearch) {
  struct Case {
    const char* what;
    std::vector<double> truth;  // the function the percentages come from
    std::vector<std::vector<int>> groups;
    std::vector<double> start, marks;
  };
  const Case cases[] = {
      {"a0 and b2 varying, b1 held",
       {0, 1.234, 0, 0, 0, 0, 2, -0.4321},
       kAllGroups,
       {0, 5, 0, 0, 0, 0, 2, 0},
       {0, 0, 1, 1, 1, 1, 1, 0}},
      {"b1 and b2 varying, a0 held",
       {0, 0.7, 0, 0, 0, 0, 3, -0.3},
       {{1, 2, 3}, {14, 15}},
       {0, 0.7, 0, 0, 0, 0, 5, 0},
       {0, 1, 1, 1, 1, 1, 0, 0}},
      {"a1 varying as well, only group A",
       {0, 1, 0.2, 0, 0, 0, 2, -0.5},
       {{1, 2, 3}},
       {0, 1, 0, 0, 0, 0, 2, 0},
       {0, 0, 0, 1, 1, 1, 1, 0}},
      {"a mark of -1 varies with twice the step",
       {0, 1, 0, 0, 0, 0, 2, -0.4},
       {{4, 5}, {14, 15}},
       {0, 5, 0, 0, 0, 0, 2, 0},
       {0, -1, 1, 1, 1, 1, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<double> p = PercentagesOf(c.truth.data(), c.groups);
    GridSearchState fast = StartState(c.start, c.marks);
    GridSearchState literal = fast;
    ASSERT_TRUE(RunReferenceLineSearch(p.data(), fast, kNeverStop));
    LiteralSearch(p.data(), literal);
    for (int k = 1; k <= 7; ++k) EXPECT_NEAR(fast.best[k], literal.best[k], 1e-9) << k;
    EXPECT_NEAR(fast.bestGoal, literal.bestGoal, 1e-9 * literal.bestGoal + 1e-20);
    // The goal reported is the goal of the coefficients kept.
    EXPECT_NEAR(fast.bestGoal, ReferenceLineGoal(fast.best, p.data()), 1e-9 * fast.bestGoal + 1e-20);
  }
}

TEST(ReferenceLineSearch, FindsAKnownOptimum) {
  // Percentages from a0 = 1, b1 = 2, b2 = -0.4 with b1 held: the first pass
  // reaches the optimum, which the finer passes keep.
  const double truth[8] = {0, 1, 0, 0, 0, 0, 2, -0.4};
  const std::vector<double> p = PercentagesOf(truth, kAllGroups);
  GridSearchState s = StartState({0, 5, 0, 0, 0, 0, 2, 0}, {0, 0, 1, 1, 1, 1, 1, 0});
  ASSERT_TRUE(RunReferenceLineSearch(p.data(), s, kNeverStop));
  EXPECT_NEAR(s.best[1], 1, 1e-9);
  EXPECT_NEAR(s.best[7], -0.4, 1e-9);
  EXPECT_EQ(s.best[6], 2);
  for (int c = 2; c <= 5; ++c) EXPECT_EQ(s.best[c], 0);
  EXPECT_LT(s.bestGoal, 1e-20);
}

TEST(ReferenceLineSearch, ResetMarksTryElevenValuesOfEachAndKeepB2InItsRange) {
  // a0, b1 and b2 varying: 11^3 combinations a pass; the first pass tries
  // b2 = 0, -0.2, ..., -2.
  const std::vector<double> p = PercentagesOf(std::vector<double>{0, 1, 0, 0, 0, 0, 2, -0.5}.data(),
                                              {{1, 2, 3}});
  GridSearchState s = StartState({0, 5, 0, 0, 0, 0, 5, 0}, {0, 0, 1, 1, 1, 1, 0, 0});
  // Polled only at the end of each pass.
  std::vector<long long> passEnds;
  ASSERT_TRUE(RunReferenceLineSearch(p.data(), s, [&](long long steps) {
    passEnds.push_back(steps);
    // The combination tried last in the first pass is the last of its grid.
    if (passEnds.size() == 1) {
      EXPECT_NEAR(s.work[7], -2, 1e-12);
      EXPECT_NEAR(s.work[1], -5, 1e-12);
      EXPECT_NEAR(s.work[6], -5, 1e-12);
    }
    return false;
  }, 1LL << 60));
  // Steps of the loops b2, b1, a4..a1 (held: one step each per outer step)
  // and a0.
  const long long perPass = 11 + 121 + 4 * 121 + 1331;
  ASSERT_EQ(passEnds.size(), 4u);
  for (int pass = 0; pass < 4; ++pass) EXPECT_EQ(passEnds[pass], (pass + 1) * perPass);
  EXPECT_EQ(ReferenceLineStepsPerPass(s.marks), perPass);
  EXPECT_LE(s.best[7], 0.0);
  EXPECT_GE(s.best[7], -2.0);
}

TEST(ReferenceLineSearch, StopsAtThePollThatAsksForIt) {
  const std::vector<double> p = PercentagesOf(std::vector<double>{0, 1, 0, 0, 0, 0, 2, -0.4}.data(),
                                              kAllGroups);
  GridSearchState s = StartState({0, 5, 0, 0, 0, 0, 2, 0}, {0, 0, 1, 1, 1, 1, 1, 0});
  int polls = 0;
  EXPECT_FALSE(RunReferenceLineSearch(p.data(), s, [&](long long) { return ++polls == 3; }, 50));
  EXPECT_EQ(polls, 3);
}

}  // namespace
