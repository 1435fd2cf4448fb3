// The reference lines, their goal and the grid search of the transmission
// function's coefficients, and the window procedure around them.
#include "processing/transmission_lines.h"

#include <cmath>

#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "dialogs/transmission_pages.h"
#include "fiterrors/progress_page.h"
#include "import/transmission_files.h"

namespace sorvan {

namespace {

constexpr ReferenceLine kLines[kReferenceLineCount + 1] = {
    {"", 0, ' '},
    {"Au 4f (1401 eV)  =                             %", 1401, 'A'},
    {"Au 4d (1143 eV) =                             %", 1143, 'A'},
    {"Au 4p3 (940 eV) =                             %", 940, 'A'},
    {"Au 4d (910 eV)   =                             %", 910, 'B'},
    {"Au 4p3 (707 eV) =                             %", 707, 'B'},
    // Some lines are evaluated a little away from the energy on their label.
    {"Ag 3d (1116 eV) =                             % ", 1118, 'C'},
    {"Ag 3p3 (914 eV) =                             %", 913, 'C'},
    {"Ag 3d (883 eV)   =                             %", 885, 'D'},
    {"Ag 3p3 (681 eV) =                             %", 680, 'D'},
    {"Cu 3p (1411 eV) =                             % ", 1411, 'E'},
    {"Cu 2p3 (554 eV) =                             % ", 554, 'E'},
    {"Cu 3p (1178 eV) =                             % ", 1178, 'F'},
    {"Cu 2p3 (321 eV) =                             % ", 321, 'F'},
    {"Ge 3d (1457 eV) =                             %", 1458, 'G'},
    {"Ge 2p3 (270 eV) =                             %", 270, 'G'},
};

// The nine pairs (numerator row, denominator row) of the goal.
constexpr int kReferenceLinePairCount = 9;
struct ReferenceLinePair {
  int numerator, denominator;
};
constexpr ReferenceLinePair kPairs[kReferenceLinePairCount] = {
    {12, 13}, {11, 10}, {9, 8}, {7, 6}, {4, 5}, {1, 2}, {1, 3}, {3, 2}, {14, 15}};

// The groups in the order they are checked; the first row is the key row.
struct LineGroup {
  int rows[3];
  int count;
};
constexpr LineGroup kGroups[] = {{{12, 13, 0}, 2}, {{11, 10, 0}, 2}, {{9, 8, 0}, 2},
                                 {{7, 6, 0}, 2},   {{4, 5, 0}, 2},   {{1, 2, 3}, 3},
                                 {{14, 15, 0}, 2}};

constexpr int kPasses = 4;
constexpr int kValues = 11;
constexpr double kPenalty = 100000;
// Steps and the offsets of the start values from the best value (pass 1:
// the start values themselves) for a0..b1 and for the exponent b2.
constexpr double kStep[kPasses] = {1, 0.1, 0.01, 0.001};
constexpr double kStart[kPasses] = {6, 0.6, 0.06, 0.006};
constexpr double kStepExponent[kPasses] = {0.2, 0.02, 0.002, 0.0002};
constexpr double kStartExponent[kPasses] = {0.2, 0.12, 0.012, 0.0012};

constexpr int kMessageInconsistent = 9;
constexpr int kToLinesPage = 352;
constexpr int kSearchAgain = 353;
constexpr int kSearchMode = 383;

double Weight(double mark) { return std::fabs(mark - 1.0); }

}  // namespace

const ReferenceLine& ReferenceLineRow(int row) { return kLines[row]; }

bool CheckReferenceLineGroups(double* percent) {
  for (const LineGroup& group : kGroups) {
    if (percent[group.rows[0]] != 0.0) {
      double sum = 0;
      for (int k = 0; k < group.count; ++k) sum += percent[group.rows[k]];
      if (std::floor(sum + 0.5) != 100.0) return false;
    } else {
      for (int k = 1; k < group.count; ++k) percent[group.rows[k]] = 0;
    }
  }
  return true;
}

double ReferenceLineGoal(const double* coef, const double* percent) {
  double goal = 0;
  for (const ReferenceLinePair& pair : kPairs) {
    const double pa = percent[pair.numerator], pb = percent[pair.denominator];
    if (!(pa > 0.0 && pb > 0.0)) continue;
    const double ta = TransmissionParameterValue(coef, kLines[pair.numerator].energy);
    const double tb = TransmissionParameterValue(coef, kLines[pair.denominator].energy);
    if (ta > 0.0 && tb > 0.0) {
      const double q = (pa / ta) / (pb / tb) - 1.0;
      goal += q * q;
    } else {
      goal += kPenalty;
    }
  }
  return goal;
}

long long ReferenceLineStepsPerPass(const double* marks) {
  long long steps = 0, product = 1;
  for (int c = 7; c >= 1; --c) {
    product *= Weight(marks[c]) == 0.0 ? 1 : kValues;
    steps += product;
  }
  return steps;
}

bool RunReferenceLineSearch(const double* percent, GridSearchState& s,
                            const std::function<bool(long long steps)>& poll,
                            long long pollEvery) {
  // The lines of the pairs in use, with their powers of x, so that a
  // combination costs a few multiplications per line and one division per
  // pair; E^b2 changes only with b2, the outermost loop.
  double energy[kReferenceLineCount], x1[kReferenceLineCount], x2[kReferenceLineCount],
      x3[kReferenceLineCount], x4[kReferenceLineCount];
  int slotOfRow[kReferenceLineCount + 1];
  for (int& slot : slotOfRow) slot = -1;
  int lines = 0;
  int numerator[kReferenceLinePairCount], denominator[kReferenceLinePairCount];
  double ratio[kReferenceLinePairCount];
  int pairs = 0;
  auto slotOf = [&](int row) {
    if (slotOfRow[row] < 0) {
      const double e = kLines[row].energy;
      const double x = (e - 1000.0) / 1000.0;
      energy[lines] = e;
      x1[lines] = x;
      x2[lines] = x * x;
      x3[lines] = x * x * x;
      x4[lines] = x * x * x * x;
      slotOfRow[row] = lines++;
    }
    return slotOfRow[row];
  };
  for (const ReferenceLinePair& pair : kPairs) {
    const double pa = percent[pair.numerator], pb = percent[pair.denominator];
    if (!(pa > 0.0 && pb > 0.0)) continue;
    numerator[pairs] = slotOf(pair.numerator);
    denominator[pairs] = slotOf(pair.denominator);
    ratio[pairs] = pa / pb;
    ++pairs;
  }

  double weight[8], step[8], start[8];
  int count[8];
  for (int c = 1; c <= 7; ++c) {
    weight[c] = Weight(s.marks[c]);
    count[c] = weight[c] == 0.0 ? 1 : kValues;
  }
  long long steps = 0, nextPoll = pollEvery;
  auto tick = [&] {
    if (++steps < nextPoll) return false;
    nextPoll = steps + pollEvery;
    return poll(steps);
  };
  double power[kReferenceLineCount], s6[kReferenceLineCount], s5[kReferenceLineCount],
      s4[kReferenceLineCount], s3[kReferenceLineCount], s2[kReferenceLineCount];
  double* w = s.work;
  for (int pass = 0; pass < kPasses; ++pass) {
    for (int c = 1; c <= 7; ++c) {
      const bool exponent = c == 7;
      step[c] = exponent ? kStepExponent[pass] : kStep[pass];
      if (weight[c] == 0.0) {
        start[c] = s.best[c];
      } else {
        const double offset = exponent ? kStartExponent[pass] : kStart[pass];
        start[c] = pass == 0 ? offset : s.best[c] + offset;
      }
      step[c] *= weight[c];
    }
    w[7] = start[7];
    for (int i7 = 0; i7 < count[7]; ++i7) {
      if (tick()) return false;
      w[7] -= step[7];
      for (int r = 0; r < lines; ++r) power[r] = std::pow(energy[r], w[7]);
      w[6] = start[6];
      for (int i6 = 0; i6 < count[6]; ++i6) {
        if (tick()) return false;
        w[6] -= step[6];
        for (int r = 0; r < lines; ++r) s6[r] = w[6] * power[r];
        w[5] = start[5];
        for (int i5 = 0; i5 < count[5]; ++i5) {
          if (tick()) return false;
          w[5] -= step[5];
          for (int r = 0; r < lines; ++r) s5[r] = s6[r] + w[5] * x4[r];
          w[4] = start[4];
          for (int i4 = 0; i4 < count[4]; ++i4) {
            if (tick()) return false;
            w[4] -= step[4];
            for (int r = 0; r < lines; ++r) s4[r] = s5[r] + w[4] * x3[r];
            w[3] = start[3];
            for (int i3 = 0; i3 < count[3]; ++i3) {
              if (tick()) return false;
              w[3] -= step[3];
              for (int r = 0; r < lines; ++r) s3[r] = s4[r] + w[3] * x2[r];
              w[2] = start[2];
              for (int i2 = 0; i2 < count[2]; ++i2) {
                if (tick()) return false;
                w[2] -= step[2];
                for (int r = 0; r < lines; ++r) s2[r] = s3[r] + w[2] * x1[r];
                w[1] = start[1];
                for (int i1 = 0; i1 < count[1]; ++i1) {
                  if (tick()) return false;
                  w[1] -= step[1];
                  const double a0 = w[1];
                  double goal = 0;
                  for (int j = 0; j < pairs; ++j) {
                    const double ta = s2[numerator[j]] + a0;
                    const double tb = s2[denominator[j]] + a0;
                    if (ta > 0.0 && tb > 0.0) {
                      const double q = ratio[j] * tb / ta - 1.0;
                      goal += q * q;
                    } else {
                      goal += kPenalty;
                    }
                  }
                  if (goal < s.bestGoal) {
                    s.bestGoal = goal;
                    for (int c = 1; c <= 7; ++c) s.best[c] = w[c];
                  }
                }
              }
            }
          }
        }
      }
    }
    nextPoll = steps + pollEvery;
    if (poll(steps)) return false;
  }
  return true;
}

namespace {

void Message(int code, int w) {
  G.CommandId = static_cast<Int16>(code);
  ShowMessage(G.CommandId, w);
}

// The coefficients the search starts from: a0 = b1 = 5 and b2 = 0 varying,
// the others 0 and held.
void ResetForSearch(int w) {
  WindowRecord& win = Win[w];
  for (int c = 1; c <= 7; ++c) {
    win.TransmissionCoef[c] = 0;
    G.TransmissionCoefCopy[c] = 0;
    win.TransmissionCoefFixed[c] = -1;
  }
  for (int c : {1, 6}) {
    win.TransmissionCoef[c] = 5;
    G.TransmissionCoefCopy[c] = 5;
  }
  for (int c : {1, 6, 7}) win.TransmissionCoefFixed[c] = 0;
}

// One search from the window's current coefficients and marks, with the
// progress page; the coefficient page shows the result. False when it was
// cancelled: the window's coefficients are then those it had before.
bool SearchOnce(int w) {
  WindowRecord& win = Win[w];
  G.DialogResult = kSearchMode;
  double before[8];
  for (int c = 1; c <= 7; ++c) before[c] = win.TransmissionCoef[c];
  GridSearchState state;
  for (int c = 1; c <= 7; ++c) {
    const double low = c == 7 ? -2.0 : -5.0, high = c == 7 ? 0.0 : 5.0;
    for (double* v : {&win.TransmissionCoef[c], &G.TransmissionCoefCopy[c]}) {
      if (*v > high) *v = high;
      if (*v < low) *v = low;
    }
    state.best[c] = win.TransmissionCoef[c];
    state.marks[c] = win.TransmissionCoefFixed[c];
    state.work[c] = G.TransmissionCoefCopy[c];
  }
  ShowProgressPage();
  SetProgressMaximum(1000);
  G.ProgressKey = ProgressStarted;
  G.ProgressValue = 0;
  ShowProgressValue();
  // A pass moves the bar by a little more than 250.
  double combinations = 1;
  for (int c = 1; c <= 7; ++c) combinations *= Weight(state.marks[c]) == 0.0 ? 1 : kValues;
  const double increment = 250.0 / combinations;
  const bool finished =
      RunReferenceLineSearch(G.ReferenceLinePercent.begin(), state, [&](long long steps) {
        G.ProgressValue = static_cast<double>(steps) * increment;
        ShowProgressValue();
        return PollProgressStop();
      });
  CloseProgressPage();
  for (int c = 1; c <= 7; ++c) G.TransmissionCoefCopy[c] = state.work[c];
  if (!finished) {
    for (int c = 1; c <= 7; ++c) win.TransmissionCoef[c] = before[c];
    return false;
  }
  for (int c = 1; c <= 7; ++c) win.TransmissionCoef[c] = state.best[c];
  G.ReducedChiSquare = state.bestGoal;
  G.DialogResult = kSearchMode;
  ShowTransmissionCoefficientPage(w);
  return true;
}

}  // namespace

void DetermineTransmissionFromLines(int w) {
  if (w < 0 || w > kMaxWindows) return;
  bool search = false;
  if (!CheckReferenceLineGroups(G.ReferenceLinePercent.begin())) {
    Message(kMessageInconsistent, w);
    G.DialogResult = kToLinesPage;
  } else {
    ResetForSearch(w);
    G.DialogResult = kSearchMode;
    ShowTransmissionCoefficientPage(w);
    if (G.DialogResult != kToLinesPage && G.DialogResult != kSearchAgain) return;
    search = true;
  }
  while (true) {
    if (search && !SearchOnce(w)) return;
    search = false;
    if (G.DialogResult == kToLinesPage) {
      G.DialogResult = kSearchMode;
      ShowReferenceIntensityPage(w);
    }
    if (G.DialogResult != kSearchAgain) return;
    search = true;
  }
}

}  // namespace sorvan
