// Parameter errors from the curvature of chi-square (see hessian_errors.h).
#include "fiterrors/hessian_errors.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/model.h"
#include "core/model_codes.h"
#include "core/store.h"
#include "display/curves.h"
#include "display/draw_support.h"
#include "display/frame.h"
#include "display/plotters.h"
#include "display/ranges.h"
#include "display/run_redraws.h"
#include "fit/chi_square.h"
#include "fit/fit_background.h"
#include "fit/fit_curves.h"
#include "fit/fit_format.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fit/peak_models.h"
#include "fiterrors/error_run.h"
#include "fiterrors/error_table.h"
#include "fiterrors/peak_start_page.h"
#include "fiterrors/progress_page.h"
#include "platform/surfaces.h"

namespace sorvan {

// ---------------------------------------------------------------- numeric part

double CurvatureStep(double value) { return std::max(std::fabs(value) * 1e-4, 1e-6); }

namespace {

// r^2 - r0^2 for a residual r = r0 + delta, without the rounding of the
// squares: delta (2 r0 + delta).
inline double SquareChange(double r0, double delta) { return delta * (2 * r0 + delta); }

}  // namespace

bool MeasureChiSquareCurvature(int P, double* x, const double* s, const CurvatureCallbacks& cb,
                               SquareMatrix& H, SquareMatrix* normal) {
  H = SquareMatrix(P);
  if (normal) *normal = SquareMatrix(P);
  const std::size_t size = static_cast<std::size_t>(P) + 1;
  // Changes of the residuals from those at x, per entry moved up and down.
  std::vector<std::vector<double>> up(size), down(size);
  std::vector<double> h(size, 0.0), span(size, 0.0);
  std::vector<double> r0, moved;
  cb.advance(1);
  cb.residuals(x, r0);
  const std::size_t channels = r0.size();
  auto changes = [&](std::vector<double>& into) {
    cb.residuals(x, moved);
    into.assign(channels, 0.0);
    for (std::size_t c = 0; c < std::min(channels, moved.size()); ++c) into[c] = moved[c] - r0[c];
  };
  // Single steps.
  for (int k = 1; k <= P; ++k) {
    if (cb.stop()) return false;
    cb.advance(2);
    if (s[k] == 0) continue;
    const double x0 = x[k];
    h[k] = CurvatureStep(x0);
    x[k] = x0 + h[k];
    changes(up[k]);
    x[k] = x0 - h[k];
    changes(down[k]);
    x[k] = x0;
    span[k] = (x0 + h[k]) - (x0 - h[k]);
  }
  // Diagonal: the second difference of chi-square, summed channel by channel.
  for (int k = 1; k <= P; ++k) {
    if (s[k] == 0) continue;
    double sum = 0;
    for (std::size_t c = 0; c < channels; ++c)
      sum += SquareChange(r0[c], up[k][c]) + SquareChange(r0[c], down[k][c]);
    H(k, k) = s[k] * sum / (h[k] * h[k]);
  }
  // Off-diagonal from the steps of both entries up and both down, with the
  // single steps reused:
  // H(i,k) = [C(++) - C(+i) - C(+k) + 2 C0 - C(-i) - C(-k) + C(--)] / (2 h_i h_k).
  std::vector<double> both;
  for (int i = 1; i <= P; ++i) {
    if (cb.stop()) return false;
    cb.advance(2);
    if (s[i] == 0) continue;
    const double xi = x[i];
    for (int k = i + 1; k <= P; ++k) {
      if (s[k] == 0) continue;
      const double xk = x[k];
      double sum = 0;
      for (std::size_t c = 0; c < channels; ++c)
        sum -= SquareChange(r0[c], up[i][c]) + SquareChange(r0[c], up[k][c]) +
               SquareChange(r0[c], down[i][c]) + SquareChange(r0[c], down[k][c]);
      x[i] = xi + h[i];
      x[k] = xk + h[k];
      changes(both);
      for (std::size_t c = 0; c < channels; ++c) sum += SquareChange(r0[c], both[c]);
      x[i] = xi - h[i];
      x[k] = xk - h[k];
      changes(both);
      for (std::size_t c = 0; c < channels; ++c) sum += SquareChange(r0[c], both[c]);
      x[i] = xi;
      x[k] = xk;
      const double value = s[i] * s[k] * sum / (2 * h[i] * h[k]);
      H(i, k) = value;
      H(k, i) = value;
    }
  }
  for (int i = 1; i <= P; ++i) {
    if (H(i, i) == 0) H(i, i) = 1;
  }
  if (normal) {
    // The normal matrix of the fit, 2 s_i s_k sum_c J_i(c) J_k(c), from the
    // central differences J_k = (r(x + h_k) - r(x - h_k)) / (2 h_k) of the
    // same single steps.
    SquareMatrix& M = *normal;
    for (int i = 1; i <= P; ++i) {
      for (int k = i; k <= P; ++k) {
        if (s[i] == 0 || s[k] == 0) continue;
        double sum = 0;
        for (std::size_t c = 0; c < channels; ++c)
          sum += (up[i][c] - down[i][c]) / span[i] * ((up[k][c] - down[k][c]) / span[k]);
        M(i, k) = 2 * s[i] * s[k] * sum;
        M(k, i) = M(i, k);
      }
      if (M(i, i) == 0) M(i, i) = 1;
    }
  }
  cb.advance(1);
  return true;
}

bool PositiveDefinite(const SquareMatrix& H) {
  const int n = H.size;
  SquareMatrix L(n);
  for (int j = 1; j <= n; ++j) {
    double diagonal = (H(j, j) + H(j, j)) / 2;
    for (int k = 1; k < j; ++k) diagonal -= L(j, k) * L(j, k);
    if (!(diagonal > 0) || !std::isfinite(diagonal)) return false;
    L(j, j) = std::sqrt(diagonal);
    for (int i = j + 1; i <= n; ++i) {
      double sum = (H(i, j) + H(j, i)) / 2;
      for (int k = 1; k < j; ++k) sum -= L(i, k) * L(j, k);
      L(i, j) = sum / L(j, j);
    }
  }
  return true;
}

bool OnLimit(double x, double lower, double upper) {
  const double tolerance = std::max(1e-6 * std::min(1.0, std::fabs(upper - lower)),
                                    1e-12 * std::max(std::fabs(lower), std::fabs(upper)));
  return std::fabs(x - lower) <= tolerance || std::fabs(x - upper) <= tolerance;
}

bool InvertMatrix(SquareMatrix& m) {
  const int n = m.size;
  // Scaled to a unit diagonal, the matrix holds correlations, whatever the
  // units of the entries; a pivot that is lost against them means two
  // entries that the data cannot tell apart.
  std::vector<double> d(n + 1, 0.0);
  for (int i = 1; i <= n; ++i) {
    double scale = std::fabs(m(i, i));
    if (scale == 0) {
      for (int k = 1; k <= n; ++k) scale = std::max(scale, std::fabs(m(i, k)));
    }
    if (scale == 0 || !std::isfinite(scale)) return false;
    d[i] = 1 / std::sqrt(scale);
  }
  for (int i = 1; i <= n; ++i)
    for (int k = 1; k <= n; ++k) m(i, k) *= d[i] * d[k];
  constexpr double kSmallestPivot = 1e-9;
  SquareMatrix inv(n);
  for (int i = 1; i <= n; ++i) inv(i, i) = 1;
  for (int col = 1; col <= n; ++col) {
    int pivot = col;
    double best = 0;
    for (int r = col; r <= n; ++r) {
      const double v = std::fabs(m(r, col));
      if (v > best) {
        best = v;
        pivot = r;
      }
    }
    if (!(best > kSmallestPivot)) return false;
    if (pivot != col) {
      for (int k = 1; k <= n; ++k) {
        std::swap(m(pivot, k), m(col, k));
        std::swap(inv(pivot, k), inv(col, k));
      }
    }
    const double p = m(col, col);
    for (int k = 1; k <= n; ++k) {
      m(col, k) /= p;
      inv(col, k) /= p;
    }
    for (int r = 1; r <= n; ++r) {
      if (r == col) continue;
      const double f = m(r, col);
      if (f == 0) continue;
      for (int k = 1; k <= n; ++k) {
        m(r, k) -= f * m(col, k);
        inv(r, k) -= f * inv(col, k);
      }
    }
  }
  for (int i = 1; i <= n; ++i) {
    for (int k = 1; k <= n; ++k) {
      inv(i, k) *= d[i] * d[k];
      if (!std::isfinite(inv(i, k))) return false;
    }
  }
  m = std::move(inv);
  return true;
}

ErrorsOutcome ErrorsFromCurvature(SquareMatrix H, const double* s, double* error) {
  const int P = H.size;
  for (int i = 1; i <= P; ++i) {
    for (int k = i + 1; k <= P; ++k) {
      const double mean = (H(i, k) + H(k, i)) / 2;
      H(i, k) = mean;
      H(k, i) = mean;
    }
  }
  if (!InvertMatrix(H)) return ErrorsOutcome::Singular;
  for (int u = 1; u <= P; ++u) {
    if (H(u, u) < 0) return ErrorsOutcome::NegativeVariance;
    error[u] = std::sqrt(2 * H(u, u)) * s[u];
  }
  return ErrorsOutcome::Done;
}

void HoldErrorsInsideLimits(int N, const double* x, const double* lower, const double* upper,
                            const double* s, double* error) {
  for (int k = 1; k <= N; k += 2) {
    const double dl = std::fabs(x[k] - lower[k]);
    const double du = std::fabs(upper[k] - x[k]);
    const double e = s[k] * error[k];
    if (dl <= du && du < e) {
      error[k] = du;
    } else if (du < dl && dl < e) {
      error[k] = dl;
    }
  }
}

void HoldPartnerShareErrors(int peakCount, bool relative, const double* x, double* error) {
  for (int p = 1; p <= peakCount; ++p) {
    const int D = 10 * (p - 1) + 1;
    const double r = x[D + 3];
    double m = x[D + 2];
    double bound = m;  // the error that keeps the partner's share above 0
    if (relative && p >= 2) {
      m *= x[3];
      bound = m;
    }
    double& e = error[D + 3];
    if ((r + e) * m > 1) {
      e = std::fabs(1 / m - r);
    } else if ((r - e) * m < 0) {
      e = bound;
    }
  }
}

// ---------------------------------------------------------------- window part

namespace {


// Whether peak entry k of x lies where the fit holds it: on one of its
// limits, or on the value that the fit's bounds give the entry when a step
// takes it below both its lower limit and 0 (its floor), or above its upper
// limit. A free Lorentz share or height that a step takes to 0 or below is
// held just above 0, not on its lower limit 0, and stays there: for the
// curvature it is on its limit as much as an entry held on the limit itself.
bool HeldByTheFit(int w, const std::vector<double>& x, int k) {
  const double lower = G.FitLowerLimits[k], upper = G.FitUpperLimits[k];
  if (OnLimit(x[k], lower, upper)) return true;
  std::vector<double> pushed;
  auto bound = [&](double beyond) {
    pushed = x;
    pushed[k] = beyond;
    ApplyFitBounds(w, pushed.data(), G.FitLowerLimits.begin(), G.FitUpperLimits.begin(),
                   G.ParameterScale.begin());
    return pushed[k];
  };
  const double floor = bound(std::min(lower, 0.0) - 1);
  const double ceiling = bound(std::max(upper, 1.0) + 1);
  return OnLimit(x[k], floor, ceiling);
}

void EstimateErrorsHessian(int w) {
  if (!IsSpectrumWindow(w)) return;
  // The window's redraws between steps: shown a few times a second.
  const RunRedraws pictures;
  WindowRecord& win = Win[w];
  const int N = 10 * win.PeakCount;
  const int P = N + 6;
  const bool wasOpen = win.WindowOpen;

  ShowProgressPage();
  SetProgressMaximum(5 * G.ComponentCount + 10);
  G.ProgressKey = ProgressIdle;
  G.FitRunState = FitRunning;
  G.ErrorRunState = ErrorsRunning;
  auto windowClosed = [&] { return ErrorRunWindowClosed(w, wasOpen); };
  // The way out when the window was closed meanwhile, or its data could not
  // be set up: nothing is restored or stored into it.
  auto leaveClosed = [&] {
    CloseProgressPage();
    G.BatchMode = 0;
    G.FitDisplayPass = 0;
  };

  std::vector<double> backgroundCopy;
  if (!PrepareErrorData(w, backgroundCopy)) {
    G.ErrorRunState = ErrorsFailed;
    return leaveClosed();
  }
  ErrorDisplayPass(w);

  FitArrays saved;
  saved.Save();
  std::vector<double> x0(G.FitVector.begin(), G.FitVector.begin() + P + 1);
  RecordAreasAtErrorRun(w);
  // Fixed entries, and main entries that the fit holds on a limit or at its
  // floor, take no part.
  std::vector<double> s = FreeEntryScales(P);
  for (int k = 1; k <= N; k += 2) {
    if (HeldByTheFit(w, x0, k)) s[k] = 0;
  }

  bool stopped = false;
  bool closed = false;
  CurvatureCallbacks cb;
  cb.residuals = [&](const double*, std::vector<double>& r) { ErrorResiduals(w, r); };
  cb.advance = [](int steps) { AdvanceProgress(steps); };
  cb.stop = [&] {
    const bool stop = PollProgressStop();
    if (windowClosed()) closed = true;
    return stop || closed;
  };
  SquareMatrix H, normal;
  double* x = G.FitVector.begin();
  stopped = !MeasureChiSquareCurvature(P, x, s.data(), cb, H, &normal);
  if (closed) return leaveClosed();

  bool failed = false;
  if (!stopped && win.PeakModel == PeakModelDoniachSunjic) {
    // Doniach-Sunjic: every peak entry on one of its limits (a main entry
    // also at the fit's floor) is decoupled.
    for (int k = 1; k <= N; ++k) {
      const bool held = k % 2 == 1 ? HeldByTheFit(w, x0, k)
                                   : OnLimit(x0[k], G.FitLowerLimits[k], G.FitUpperLimits[k]);
      if (!held) continue;
      for (SquareMatrix* m : {&H, &normal}) {
        for (int i = 1; i <= P; ++i) {
          (*m)(k, i) = 0;
          (*m)(i, k) = 0;
        }
        (*m)(k, k) = 1;
      }
    }
  }
  if (!stopped) {
    // A Hessian of chi-square that is not positive definite (a fit not at
    // its minimum, or the model's own curvature weighted by large residuals)
    // gives no variances: the normal matrix of the fit takes its place, and
    // the stored matrix and the error pages say which one the errors are from.
    const bool fallBack = !PositiveDefinite(H);
    if (fallBack) H = normal;
    win.ErrorsFromNormalMatrix = fallBack ? 1 : 0;
    SizeErrorMatrix(win.HessianMatrix, P);
    for (int i = 1; i <= P; ++i)
      for (int k = 1; k <= P; ++k) win.HessianMatrix(i, k) = H(i, k);
    win.HessianValid = 1;

    std::vector<double> error(P + 1, 0.0);
    SizeErrorMatrix(win.ParamErrors, P);
    for (int k = 1; k <= P; ++k) error[k] = win.ParamErrors(k, k);
    const ErrorsOutcome outcome = ErrorsFromCurvature(H, s.data(), error.data());
    if (outcome == ErrorsOutcome::NegativeVariance) {
      // The variances of the lower indices were written before the failure.
      for (int k = 1; k <= P; ++k) win.ParamErrors(k, k) = error[k];
    }
    if (outcome != ErrorsOutcome::Done) {
      failed = true;
      EstimationFailed(w);
    } else {
      for (int k = 1; k <= P; ++k) win.ParamErrors(k, k) = error[k];
      AdvanceProgress(1);
      stopped = PollProgressStop();
      if (windowClosed()) return leaveClosed();
    }
  }

  if (!stopped && !failed) {
    const double v0 = LoweredBackgroundArea(w, x0.data(), s.data(), backgroundCopy);
    HoldErrorsAndShiftPeaks(w, x0.data(), s.data());
    AdvanceProgress(1);
    stopped = PollProgressStop();
    if (windowClosed()) return leaveClosed();
    if (!stopped) {
      AreaErrorsFromShiftedSet(w, v0);
      BuildErrorTable(w);
    }
  }

  // The end of every run that the window survived: the fitted values back
  // in the peak table and on the screen.
  CloseProgressPage();
  saved.Restore();
  StoreFitOfWindow(w);
  ErrorDisplayPass(w);
  ErrorDisplayPass(w);
  ErrorChiSquare(w);
  StoreFitOfWindow(w);
  G.FitDisplayPass = 0;
  G.BatchMode = 0;
  plat::SetDrawingWindow(w);
}

}  // namespace

void EstimateErrorsHessianGaussLorentz(int w) { EstimateErrorsHessian(w); }

void EstimateErrorsHessianDoniachSunjic(int w) { EstimateErrorsHessian(w); }

}  // namespace sorvan
