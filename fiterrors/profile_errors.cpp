// Parameter errors from a chi-square profile (see profile_errors.h).
#include "fiterrors/profile_errors.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "display/run_redraws.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fiterrors/error_run.h"
#include "fiterrors/error_table.h"
#include "fiterrors/hessian_errors.h"
#include "fiterrors/peak_start_page.h"
#include "fiterrors/progress_page.h"
#include "platform/surfaces.h"

namespace sorvan {

namespace {


// The step of the first estimate: a relative step of the value, 1e-4 for a
// zero entry.
double FirstEstimateStep(double value) {
  const double h = value * 1e-4;
  return h == 0 ? 1e-4 : std::fabs(h);
}

// First estimates of the errors from the diagonal of the Hessian of
// chi-square, H(k) = [C(+k) - 2 C0 + C(-k)] / h_k^2 by central second
// differences summed channel by channel from the changes of the weighted
// residuals, measured along every entry, fixed ones too (the stored matrix
// keeps their curvature); e(k) = sqrt(2 / H(k)) for every entry with
// s_k != 0 (0 for the others). A zero curvature counts as 1e-4. A free
// entry's negative curvature (chi-square bending down along it) makes the
// diagonal not positive definite: the diagonal of the fit's normal matrix,
// 2 sum_c J_k(c)^2 with J_k the central difference of the residuals from the
// same steps, takes its place, and `fellBack` says so. False when the
// estimate of a free entry is not a finite number (the window's model gives
// no residuals there).
bool FirstEstimates(int w, int P, const double* s, std::vector<double>& H, std::vector<double>& e,
                    bool& fellBack) {
  double* x = G.FitVector.begin();
  std::vector<double> r0, up, down, normal(P + 1, 0.0);
  ErrorResiduals(w, r0);
  H.assign(P + 1, 0.0);
  e.assign(P + 1, 0.0);
  fellBack = false;
  for (int k = 1; k <= P; ++k) {
    const double x0 = x[k];
    const double h = FirstEstimateStep(x0);
    x[k] = x0 + h;
    ErrorResiduals(w, up);
    x[k] = x0 - h;
    ErrorResiduals(w, down);
    x[k] = x0;
    const double span = (x0 + h) - (x0 - h);
    double second = 0, squares = 0;
    const std::size_t channels = std::min({r0.size(), up.size(), down.size()});
    for (std::size_t c = 0; c < channels; ++c) {
      const double du = up[c] - r0[c], dd = down[c] - r0[c];
      second += du * (2 * r0[c] + du) + dd * (2 * r0[c] + dd);
      const double j = (up[c] - down[c]) / span;
      squares += j * j;
    }
    H[k] = second / (h * h);
    normal[k] = 2 * squares;
    if (H[k] < 0 && s[k] != 0) fellBack = true;
  }
  if (fellBack) H = normal;
  for (int k = 1; k <= P; ++k) {
    if (H[k] == 0) H[k] = 1e-4;
    if (s[k] == 0) continue;
    const double variance = s[k] * 2 / H[k];
    if (!(variance >= 0) || !std::isfinite(variance)) return false;
    e[k] = std::sqrt(variance);
  }
  return true;
}

// Whether every linked partner entry of fit vector x (a partner entry of
// peaks 2..n marked linked in `scales`, the signed scales of the fit) still
// equals the same entry of peak 1. A refit that holds a linked entry steps
// it on its own and breaks its link.
bool KeepsEveryLink(const double* x, const std::vector<double>& scales, int peakCount) {
  const int N = 10 * peakCount;
  for (int k = 11; k <= N && k < static_cast<int>(scales.size()); ++k) {
    if (!LinkedPeakEntry(scales.data(), peakCount, k)) continue;
    const double first = x[(k - 1) % 10 + 1];
    if (std::fabs(x[k] - first) > 1e-9 * std::max(1.0, std::fabs(first))) return false;
  }
  return true;
}

// Failed: the refit could not be made (a singular system, a region too
// small); the run ends there and says so once.
enum class Refit { Done, Stopped, WindowClosed, Failed };

void EstimateErrorsProfile(int w) {
  if (!IsSpectrumWindow(w)) return;
  // Every refit redraws the window: shown a few times a second.
  const RunRedraws pictures;
  WindowRecord& win = Win[w];
  const int N = 10 * win.PeakCount;
  const int P = N + 6;
  const bool wasOpen = win.WindowOpen;
  const double iterationLimit = G.IterationLimit;
  const Int32 fitRounds = G.FitRounds;

  ShowProgressPage();
  SetProgressMaximum(G.ComponentCount + 10);
  G.ErrorRunState = ErrorsRunning;
  win.HessianValid = 1;
  G.FitRounds = 2;
  G.ProgressKey = ProgressIdle;
  G.FitRunState = FitRunning;
  const RunFailureCollector failures;

  // Every way out: the user's fit settings back, out of batch use.
  auto restoreSettings = [&] {
    G.IterationLimit = iterationLimit;
    G.FitRounds = fitRounds;
    G.BatchMode = 0;
    G.FitDisplayPass = 0;
  };
  auto windowClosed = [&] { return ErrorRunWindowClosed(w, wasOpen); };

  std::vector<double> backgroundCopy;
  if (!PrepareErrorData(w, backgroundCopy)) {
    G.ErrorRunState = ErrorsFailed;
    CloseProgressPage();
    restoreSettings();
    return;
  }
  ErrorDisplayPass(w);

  FitArrays saved;
  saved.Save();
  std::vector<double> x0(G.FitVector.begin(), G.FitVector.begin() + P + 1);
  const double c0 = ErrorChiSquare(w);

  double best = c0;
  std::vector<double> bestSet = x0;
  // The signed scales before any entry is held: they mark the links that a
  // better set must keep.
  std::vector<double> linkScales(P + 1, 0.0);
  for (int k = 1; k <= P && k <= G.ParameterScale.Upper(); ++k) linkScales[k] = G.ParameterScale[k];
  RecordAreasAtErrorRun(w);
  std::vector<double> s = FreeEntryScales(P);

  SizeErrorMatrix(win.ParamErrors, P);
  SizeErrorMatrix(win.HessianMatrix, P);

  // First estimates; this phase cannot be stopped.
  std::vector<double> H, e;
  bool fellBack = false;
  const bool estimated = FirstEstimates(w, P, s.data(), H, e, fellBack);
  win.ErrorsFromNormalMatrix = fellBack ? 1 : 0;
  for (int i = 1; i <= P; ++i)
    for (int k = 1; k <= P; ++k) win.HessianMatrix(i, k) = i == k ? H[i] : 0.0;
  win.HessianValid = 1;
  bool failed = !estimated;
  bool stopped = false;
  if (failed) {
    EstimationFailed(w);
  } else {
    for (int k = 1; k <= P; ++k) win.ParamErrors(k, k) = e[k];
  }

  // One refit with the held entry kept, from the current fit vector.
  auto refit = [&]() -> Refit {
    RunFitOfWindow(w);
    if (windowClosed()) return Refit::WindowClosed;
    if (RunFailed()) return Refit::Failed;
    // Only a set that keeps every link is a fit of the same model.
    if (G.ChiSquare < best - kBetterFitMargin &&
        KeepsEveryLink(G.FitVector.begin(), linkScales, win.PeakCount)) {
      best = G.ChiSquare;
      bestSet.assign(G.FitVector.begin(), G.FitVector.begin() + P + 1);
    }
    return G.ProgressKey == ProgressCancelled ? Refit::Stopped : Refit::Done;
  };
  // The excursion of entry k in one direction: whole steps of e(k) up to the
  // first refit whose chi-square is no longer below C0 + 1 or whose bounds
  // moved the held entry, or up to the step cap.
  auto walk = [&](int k, double direction, double& excursion) -> Refit {
    excursion = 0;
    double* x = G.FitVector.begin();
    double held = x[k];
    for (int steps = 0;; ++steps) {
      const Refit r = refit();
      if (r != Refit::Done) return r;
      if (!(G.ChiSquare < c0 + kProfileThreshold) || x[k] != held) return Refit::Done;
      if (steps == kMaxProfileSteps) return Refit::Done;
      excursion += e[k];
      x[k] += direction * e[k];
      held = x[k];
    }
  };
  auto putBack = [&] { std::copy(x0.begin(), x0.end(), G.FitVector.begin()); };
  // The profile of entry k; false when the run ends here.
  Refit outcome = Refit::Done;
  int failedEntry = 0;
  auto profile = [&](int k) {
    if (s[k] == 0) return true;
    failedEntry = k;
    const double scale = G.ParameterScale[k];
    G.ParameterScale[k] = 0;
    double up = 0, down = 0;
    outcome = walk(k, 1, up);
    if (outcome == Refit::Done) {
      putBack();
      outcome = walk(k, -1, down);
    }
    if (outcome == Refit::WindowClosed) return false;
    double& error = win.ParamErrors(k, k);
    if (up >= error) error = up;
    if (down >= error) error = down;
    putBack();
    G.ParameterScale[k] = scale;
    return outcome == Refit::Done;
  };

  if (!failed) {
    G.BatchMode = 1;
    G.IterationLimit = 10;
    const int step = IsDoubletWindow(w) ? 1 : 2;
    bool goOn = true;
    for (int k = 1; k <= N && goOn; k += step) {
      AdvanceProgress(step);
      goOn = profile(k);
    }
    for (int k = N + 1; k <= P && goOn && FittedBackground(w); ++k) {
      AdvanceProgress(1);
      goOn = profile(k);
    }
    if (outcome == Refit::WindowClosed) {
      CloseProgressPage();
      restoreSettings();
      return;
    }
    stopped = outcome == Refit::Stopped;
    failed = outcome == Refit::Failed;
    G.BatchMode = 0;
  }
  saved.Restore();

  if (!failed && !stopped) {
    const double v0 = LoweredBackgroundArea(w, x0.data(), s.data(), backgroundCopy);
    HoldErrorsAndShiftPeaks(w, x0.data(), s.data());
    AreaErrorsFromShiftedSet(w, v0);
    // The table is built from the peak table, which the refits changed: the
    // fit itself goes back into it first.
    saved.Restore();
    ErrorDisplayPass(w);
    ErrorChiSquare(w);
    StoreFitOfWindow(w);
    BuildErrorTable(w);
    saved.Restore();
  }

  // The end of every run that the window survived.
  CloseProgressPage();
  if (outcome == Refit::Failed) {
    // The refit that failed is reported once; the errors stay unknown and
    // the fit stays as it was (drawn, not fitted again: that would fail the
    // same way).
    G.ErrorRunState = ErrorsFailed;
    win.ErrorTableValid = 0;
    std::copy(x0.begin(), x0.end(), G.FitVector.begin());
    StoreFitOfWindow(w);
    ErrorDisplayPass(w);
    restoreSettings();
    plat::SetDrawingWindow(w);
    ReportRunFailure(w, ProfileStepText(failedEntry));
    return;
  }
  std::vector<double> keep = x0;
  if (best < c0) {
    std::copy(bestSet.begin(), bestSet.end(), G.FitVector.begin());
    ErrorDisplayPass(w);
    ErrorDisplayPass(w);
    ErrorChiSquare(w);
    G.CommandId = kBetterFitQuestion;
    ShowInfoBox(kBetterFitQuestion, w);
    if (G.InfoBoxAnswer == 1) {
      keep = bestSet;
      G.ProgressKey = ProgressCancelled;
      win.ErrorTableValid = 0;
    }
  }
  std::copy(keep.begin(), keep.end(), G.FitVector.begin());
  StoreFitOfWindow(w);
  // The fit of the window's kind in its evaluating use draws, judges and
  // stores the kept set.
  G.BatchMode = 2;
  RunFitOfWindow(w);
  restoreSettings();
  plat::SetDrawingWindow(w);
}

}  // namespace

void EstimateErrorsProfileGaussLorentz(int w) { EstimateErrorsProfile(w); }

void EstimateErrorsProfileDoniachSunjic(int w) { EstimateErrorsProfile(w); }

}  // namespace sorvan
