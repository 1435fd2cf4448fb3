// The transmission function from reference lines: typed intensity
// percentages of fifteen lines of gold, silver, copper and germanium, in
// seven groups that each total 100 %, and a four-pass grid search of the
// coefficients of the function that makes every measured ratio of two lines
// of a group, divided by the ratio of the function at their energies, as
// close to 1 as it can. No spectrum is read.
#pragma once

#include <functional>

namespace sorvan {

inline constexpr int kReferenceLineCount = 15;

// Row r (1..15) of the reference intensity page: its label, the kinetic
// energy at which the goal takes the function (eV) and its group ('A'..'G').
struct ReferenceLine {
  const char* label;
  double energy;
  char group;
};
const ReferenceLine& ReferenceLineRow(int row);

// Checks the groups of percent[1..15] in the order F, E, D, C, B, A, G: a
// group whose first row is not 0 must total 100 after rounding (a sum from
// 99.5 up to but not including 100.5); a group whose first row is 0 has its
// other rows set to 0. False at the first group that fails.
bool CheckReferenceLineGroups(double* percent);

// The goal of coefficients coef[1..7]: over the pairs whose two percentages
// are both above 0, the sum of ((P[a] / T(Ea)) / (P[b] / T(Eb)) - 1)^2, or
// 100000 for a pair where the function is not above 0 at either energy.
double ReferenceLineGoal(const double* coef, const double* percent);

// The four passes of the grid search. `best` (1..7) holds the start values
// and receives the best combination; `marks` (1..7) the fix marks (a mark
// of 1 holds its coefficient at its start value, any other mark w lets it
// take eleven values spaced |w - 1| steps apart); `work` (1..7) the
// combination tried last. `bestGoal` starts at 1e6 and holds the smallest
// goal found; a later combination with an equal goal does not replace an
// earlier one.
//
// Every step of every loop counts as one progress step; `poll` is called
// with the steps made so far at least every `pollEvery` steps and at the end
// of every pass, and stops the search by returning true. Returns false when
// it was stopped.
struct GridSearchState {
  double best[8] = {};
  double marks[8] = {};
  double work[8] = {};
  double bestGoal = 1e6;
};
bool RunReferenceLineSearch(const double* percent, GridSearchState& state,
                            const std::function<bool(long long steps)>& poll,
                            long long pollEvery = 2048);

// The loop steps of one pass for these marks: every step of every loop
// level, outermost (b2) to innermost (a0).
long long ReferenceLineStepsPerPass(const double* marks);

// What OK on page 38x does after the percentages were read: the group
// checks (message 9 and the page again on failure), the reset of window w's
// coefficients, the coefficient page, the search with its progress page,
// and the page again until the user ends it.
void DetermineTransmissionFromLines(int w);

}  // namespace sorvan
