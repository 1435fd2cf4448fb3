// Parameter errors from the curvature of chi-square (see hessian_errors.h).
#include "fiterrors/hessian_errors.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/model.h"
#include "core/store.h"
#include "display/curves.h"
#include "display/draw_support.h"
#include "display/frame.h"
#include "display/plotters.h"
#include "display/ranges.h"
#include "fit/chi_square.h"
#include "fit/fit_background.h"
#include "fit/fit_curves.h"
#include "fit/fit_format.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fit/peak_models.h"
#include "fiterrors/error_table.h"
#include "fiterrors/peak_start_page.h"
#include "fiterrors/progress_page.h"
#include "platform/surfaces.h"
#include "shell/messages.h"

namespace sorvan {

// ---------------------------------------------------------------- numeric part

double CurvatureStep(double value) {
  const double h = value * 1e-4;
  return h == 0 ? 1e-6 : h;
}

namespace {

// Entry k moved up (+1) or down (-1) by its step; a zero entry by 1e-6.
void Move(double* x, int k, double x0, int direction) {
  x[k] = x0 + direction * CurvatureStep(x0);
}

}  // namespace

bool MeasureChiSquareCurvature(int P, double* x, const double* s, const CurvatureCallbacks& cb,
                               SquareMatrix& H) {
  H = SquareMatrix(P);
  std::vector<double> x0(x, x + P + 1);
  std::vector<double> up(P + 1, 0.0), down(P + 1, 0.0);
  // Mixed values (i, k) of the four passes: ++, +-, -+, --.
  SquareMatrix mixed[4] = {SquareMatrix(P), SquareMatrix(P), SquareMatrix(P), SquareMatrix(P)};
  const double c0 = cb.chiSquare(x);
  cb.advance();
  if (cb.stop()) return false;
  for (int k = 1; k <= P; ++k) {
    if (s[k] == 0) continue;
    Move(x, k, x0[k], +1);
    up[k] = cb.chiSquare(x);
    Move(x, k, x0[k], -1);
    down[k] = cb.chiSquare(x);
    x[k] = x0[k];
  }
  cb.advance();
  const int directions[4][2] = {{+1, +1}, {+1, -1}, {-1, +1}, {-1, -1}};
  for (int pass = 0; pass < 4; ++pass) {
    for (int i = 1; i <= P; ++i) {
      cb.advance();
      if (cb.stop()) {
        std::copy(x0.begin() + 1, x0.end(), x + 1);
        return false;
      }
      if (s[i] == 0) continue;
      Move(x, i, x0[i], directions[pass][0]);
      for (int k = 1; k <= P; ++k) {
        if (k == i || s[k] == 0) continue;
        Move(x, k, x0[k], directions[pass][1]);
        mixed[pass](i, k) = cb.chiSquare(x);
        x[k] = x0[k];
      }
      x[i] = x0[i];
    }
  }
  for (int i = 1; i <= P; ++i) {
    const double hi = CurvatureStep(x0[i]);
    double diagonal = s[i] * (up[i] - 2 * c0 + down[i]) / (hi * hi);
    if (s[i] == 0 || diagonal == 0) diagonal = 1;
    H(i, i) = diagonal;
    for (int k = 1; k <= P; ++k) {
      if (k == i) continue;
      if (s[i] == 0 || s[k] == 0) {
        H(i, k) = 0;
        continue;
      }
      const double hk = CurvatureStep(x0[k]);
      H(i, k) = s[i] * s[k] *
                (mixed[0](i, k) - mixed[1](i, k) - mixed[2](i, k) + mixed[3](i, k)) / (4 * hk * hi);
    }
  }
  return true;
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

constexpr int kMessageBadData = 3;
constexpr int kMessageInconsistent = 9;
constexpr int kMessageEstimationFailed = 10;
constexpr Byte kRunning = 1;
constexpr Byte kWindowClosed = 26;

bool DefinedOrFitted(int w) { return Win[w].BackgroundState == 2 || Win[w].BackgroundState == 4; }
bool Fitted(int w) { return Win[w].BackgroundState == 4; }

// Evaluates every Doniach-Sunjic peak of w into WorkFitSum and the area
// sums; in a display pass also into PeakCurves, and draws them.
void EvaluateDoniachSunjicPeaks(int w, bool draw) {
  const WindowRecord& win = Win[w];
  const int n = win.PeakCount;
  const int points = win.SpectrumHeader.PointCount;
  if (WorkFitSum.Upper() < points) WorkFitSum.Resize(points);
  if (G.PeakAreaSums.Upper() < n) G.PeakAreaSums.Resize(n);
  if (G.PartnerAreaSums.Upper() < n) G.PartnerAreaSums.Resize(n);
  WorkFitSum.fill(0.0);
  for (int p = 1; p <= n; ++p) G.PeakAreaSums[p] = G.PartnerAreaSums[p] = 0.0;
  if (draw && (G.PeakCurves.RowUpper() < n || G.PeakCurves.ColUpper() < points))
    G.PeakCurves.Resize(n, points);
  for (int p = 1; p <= n; ++p) {
    G.LoopIndexD = static_cast<Int16>(10 * (p - 1) + 1);
    if (win.RelativeMode == 1 && p > 1) {
      EvaluatePeakDoniachSunjicRelative(w);
    } else {
      EvaluatePeakDoniachSunjic(w);
    }
    if (draw) {
      for (int c = 1; c <= points; ++c) G.PeakCurves(p, c) = WorkPeak[c];
    }
  }
  if (draw) DrawPeakCurves(w);
}

// The window with its fit at G.FitVector, as the fit draws it between steps:
// spectrum, peaks (which fills the area sums), sum, residuals and the
// background.
void DisplayPass(int w) {
  const WindowRecord& win = Win[w];
  G.FitDisplayPass = 1;
  plat::SetDrawingWindow(w);
  LoadWorkData(w, 1, win.RegionStart, win.RegionEnd);
  ComputeIntensityRange(w);
  ComputeEnergyRange(w);
  DrawFrameAndAxes(w, G.FrameColour);
  PlotSpectrum(w, ColourOf(G.CurveColours[0]), G.CurveStyles[0], G.CurveWidths[0]);
  if (win.PeakModel == 1) {
    EvaluateDoniachSunjicPeaks(w, true);
  } else if (win.RelativeMode == 1) {
    EvaluatePeaksGaussLorentzRelative(w);
  } else {
    EvaluatePeaksGaussLorentz(w);
  }
  DrawFitCurveAndResiduals(w);
  if (Fitted(w)) RebuildFitBackground(w);
  if (DefinedOrFitted(w)) DrawBackgroundCurve(w);
  G.FitDisplayPass = 0;
}

// Chi-square of w at G.FitVector.
double ChiSquareOf(int w) {
  const WindowRecord& win = Win[w];
  if (win.PeakModel == 1) {
    EvaluateDoniachSunjicPeaks(w, false);
    if (Fitted(w)) RebuildFitBackground(w);
    ChiSquareFromCurve(w);
  } else {
    if (Fitted(w)) RebuildFitBackground(w);
    if (win.RelativeMode == 1) {
      ChiSquareGaussLorentzRelative(w);
    } else {
      ChiSquareGaussLorentz(w);
    }
  }
  return G.ChiSquare;
}

// The bounds that the fit of w's kind applies after every step.
void ApplyFitBounds(int w, double* x, const double* lower, const double* upper, const double* scale) {
  const WindowRecord& win = Win[w];
  const int n = win.PeakCount;
  const bool doublet = IsDoubletWindow(w);
  const bool fitted = Fitted(w);
  const int points = win.SpectrumHeader.PointCount;
  const double step = win.SpectrumHeader.EnergyStep;
  std::unique_ptr<FitModel> model;
  if (win.PeakModel == 1) {
    if (win.RelativeMode == 1) {
      model = std::make_unique<DoniachSunjicRelativeFitModel>(n, doublet, fitted, points,
                                                              win.RegionStart, win.RegionEnd, step);
    } else {
      model = std::make_unique<DoniachSunjicFitModel>(n, doublet, fitted, points, win.RegionStart,
                                                      win.RegionEnd, step);
    }
  } else if (win.RelativeMode == 1) {
    model = std::make_unique<GaussLorentzRelativeFitModel>(n, doublet, fitted, points,
                                                           win.RegionStart, win.RegionEnd, step);
  } else {
    model = std::make_unique<GaussLorentzFitModel>(n, doublet, fitted, points, win.RegionStart,
                                                   win.RegionEnd, step);
  }
  model->SetLimits(lower, upper, scale);
  model->ApplyLimits(x);
}

// The fit arrays as they were when the run started, put back at its end.
struct FitArrays {
  std::vector<double> vector, scale, lower, upper;
  void Save() {
    vector.assign(G.FitVector.begin(), G.FitVector.begin() + G.FitVector.size());
    scale.assign(G.ParameterScale.begin(), G.ParameterScale.begin() + G.ParameterScale.size());
    lower.assign(G.FitLowerLimits.begin(), G.FitLowerLimits.begin() + G.FitLowerLimits.size());
    upper.assign(G.FitUpperLimits.begin(), G.FitUpperLimits.begin() + G.FitUpperLimits.size());
  }
  static void Put(const std::vector<double>& from, CheckedVector<double>& to) {
    if (to.size() != from.size()) to.Resize(static_cast<long long>(from.size()) - 1);
    std::copy(from.begin(), from.end(), to.begin());
  }
  void Restore() const {
    Put(vector, G.FitVector);
    Put(scale, G.ParameterScale);
    Put(lower, G.FitLowerLimits);
    Put(upper, G.FitUpperLimits);
  }
};

// Data, background and weights as the fit sets them up. False (with the
// reason shown) when the window cannot be estimated.
bool PrepareData(int w, std::vector<double>& backgroundCopy) {
  WindowRecord& win = Win[w];
  const int points = win.SpectrumHeader.PointCount;
  const int N = 10 * win.PeakCount;
  if (win.SpectrumHeader.EnergyStep == 0.0 || points < 1) {
    ShowMessage(kMessageBadData, w);
    return false;
  }
  if (win.PeakCount < 1 || win.RegionStart < 1 || win.RegionEnd > points ||
      win.RegionEnd < win.RegionStart || G.FitVector.Upper() < N + 6 ||
      G.ParameterScale.Upper() < N + 6 || G.FitLowerLimits.Upper() < N ||
      G.FitUpperLimits.Upper() < N) {
    ShowMessage(kMessageInconsistent, w);
    return false;
  }
  DimWorkSigma(w);
  DimWorkPeak(w);
  DimWorkFitSum(w);
  DimWorkShirleyShape(w);
  DimWorkTougaardShape(w);
  DimWorkScratch(w);
  DimWorkFitTarget(w);
  LoadWorkFitTarget(w, 1, 1, points);
  LoadWorkBackground(w, 2, 1, points);
  if (DefinedOrFitted(w)) {
    for (int i = 1; i <= points; ++i) WorkFitTarget[i] -= WorkBackground[i];
    backgroundCopy.assign(WorkBackground.begin(), WorkBackground.begin() + points + 1);
  }
  if (FitPageHooks().reloadSourceData && !FitPageHooks().reloadSourceData(w)) return false;
  if (!LoadWindowSource(w)) {
    ShowMessage(kMessageBadData, w);
    return false;
  }
  const double perSecond = CountsFactor(w);
  for (int i = 1; i <= points; ++i) {
    double value = WorkData[i] / perSecond;
    if (value <= 0.0) value = 1e-8;
    WorkSigma[i] = std::sqrt(value);
  }
  return true;
}

void EstimateErrorsHessian(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  const int n = win.PeakCount;
  const int N = 10 * n;
  const int P = N + 6;
  const bool wasOpen = win.WindowOpen;

  ShowProgressPage();
  SetProgressMaximum(5 * G.ComponentCount + 10);
  G.ProgressKey = 0;
  G.FitRunState = kRunning;
  G.ErrorRunState = 1;
  auto windowClosed = [&] {
    return G.FitRunState == kWindowClosed || (wasOpen && !win.WindowOpen);
  };
  // The way out when the window was closed meanwhile: nothing is restored
  // or stored into it.
  auto leaveClosed = [&] {
    CloseProgressPage();
    G.BatchMode = 0;
    G.FitDisplayPass = 0;
  };

  std::vector<double> backgroundCopy;
  if (!PrepareData(w, backgroundCopy)) {
    G.ErrorRunState = 2;
    CloseProgressPage();
    G.BatchMode = 0;
    G.FitDisplayPass = 0;
    return;
  }
  DisplayPass(w);

  FitArrays saved;
  saved.Save();
  std::vector<double> x0(G.FitVector.begin(), G.FitVector.begin() + P + 1);
  for (int p = 1; p <= n; ++p) {
    win.AreaAtErrorRun[p] = win.PeakArea[p];
    win.PartnerAreaAtErrorRun[p] = win.PartnerArea[p];
  }
  // Fixed entries, and main entries lying exactly on a limit, take no part.
  std::vector<double> s(P + 1, 0.0);
  for (int k = 1; k <= P; ++k) s[k] = std::fabs(G.ParameterScale[k]);
  for (int k = 1; k <= N; k += 2) {
    if (x0[k] == G.FitUpperLimits[k] || x0[k] == G.FitLowerLimits[k]) s[k] = 0;
  }

  bool stopped = false;
  bool closed = false;
  CurvatureCallbacks cb;
  cb.chiSquare = [&](const double*) { return ChiSquareOf(w); };
  cb.advance = [] { AdvanceProgress(1); };
  cb.stop = [&] {
    const bool stop = PollProgressStop();
    if (windowClosed()) closed = true;
    return stop || closed;
  };
  SquareMatrix H;
  double* x = G.FitVector.begin();
  stopped = !MeasureChiSquareCurvature(P, x, s.data(), cb, H);
  if (closed) return leaveClosed();

  bool failed = false;
  if (!stopped && win.PeakModel == 1) {
    // Doniach-Sunjic: every peak entry on one of its limits is decoupled.
    for (int k = 1; k <= N; ++k) {
      if (x0[k] != G.FitUpperLimits[k] && x0[k] != G.FitLowerLimits[k]) continue;
      for (int i = 1; i <= P; ++i) {
        H(k, i) = 0;
        H(i, k) = 0;
      }
      H(k, k) = 1;
    }
  }
  if (!stopped) {
    if (win.HessianMatrix.RowUpper() < P || win.HessianMatrix.ColUpper() < P)
      win.HessianMatrix.Resize(P, P);
    for (int i = 1; i <= P; ++i)
      for (int k = 1; k <= P; ++k) win.HessianMatrix(i, k) = H(i, k);
    win.HessianValid = 1;

    std::vector<double> error(P + 1, 0.0);
    if (win.ParamErrors.RowUpper() < P || win.ParamErrors.ColUpper() < P) win.ParamErrors.Resize(P, P);
    for (int k = 1; k <= P; ++k) error[k] = win.ParamErrors(k, k);
    const ErrorsOutcome outcome = ErrorsFromCurvature(H, s.data(), error.data());
    if (outcome == ErrorsOutcome::NegativeVariance) {
      // The variances of the lower indices were written before the failure.
      for (int k = 1; k <= P; ++k) win.ParamErrors(k, k) = error[k];
    }
    if (outcome != ErrorsOutcome::Done) {
      failed = true;
      G.ErrorRunState = 2;
      G.CommandId = 10;
      ShowMessage(kMessageEstimationFailed, w);
    } else {
      for (int k = 1; k <= P; ++k) win.ParamErrors(k, k) = error[k];
      AdvanceProgress(1);
      stopped = PollProgressStop();
      if (windowClosed()) return leaveClosed();
    }
  }

  if (!stopped && !failed) {
    const double step = win.SpectrumHeader.EnergyStep;
    auto err = [&](int k) -> double& { return win.ParamErrors(k, k); };
    double v0 = 0;
    if (Fitted(w)) {
      for (int i = 1; i <= 6; ++i) x[N + i] = x0[N + i] - s[N + i] * err(N + i);
      RebuildFitBackground(w);
      const int points = win.SpectrumHeader.PointCount;
      for (int i = 1; i <= points && i < static_cast<int>(backgroundCopy.size()); ++i)
        v0 += std::fabs(backgroundCopy[i] - WorkBackground[i]);
      v0 *= step;
    }
    std::vector<double> e(P + 1, 0.0);
    for (int k = 1; k <= P; ++k) e[k] = err(k);
    HoldErrorsInsideLimits(N, x0.data(), G.FitLowerLimits.begin(), G.FitUpperLimits.begin(),
                           s.data(), e.data());
    if (win.PeakModel == 0) HoldPartnerShareErrors(n, win.RelativeMode == 1, x0.data(), e.data());
    for (int k = 1; k <= P; ++k) err(k) = e[k];

    // Every peak entry moved away from zero by its error.
    for (int k = 1; k <= N; ++k) x[k] = x0[k] >= 0 ? x0[k] + s[k] * e[k] : x0[k] - s[k] * e[k];
    ApplyFitBounds(w, x, G.FitLowerLimits.begin(), G.FitUpperLimits.begin(),
                   G.ParameterScale.begin());
    AdvanceProgress(1);
    stopped = PollProgressStop();
    if (windowClosed()) return leaveClosed();
    if (!stopped) {
      DisplayPass(w);
      const bool doublet = IsDoubletWindow(w);
      double shifted = 0;
      double total = 0;
      for (int p = 1; p <= n; ++p) {
        shifted += G.PeakAreaSums[p] * step;
        total += win.AreaAtErrorRun[p];
        if (doublet) {
          shifted += G.PartnerAreaSums[p] * step;
          total += win.PartnerAreaAtErrorRun[p];
        }
      }
      if (Fitted(w)) shifted += v0;
      win.TotalArea = total;
      const double dT = std::fabs(shifted - total);
      auto areaErrors = [&](double sum, double atRun, double& areaError, double& shareError) {
        areaError = std::fabs(sum * step - atRun);
        if (total == 0) {
          // Without a total area there is no share.
          shareError = kEmptyResultCell;
          return;
        }
        if (Fitted(w)) areaError += v0 * atRun / total;
        shareError = areaError / total + atRun * dT / (total * total);
      };
      for (int p = 1; p <= n; ++p) {
        areaErrors(G.PeakAreaSums[p], win.AreaAtErrorRun[p], win.AreaError[p],
                   win.AreaShareError[p]);
        if (doublet) {
          areaErrors(G.PartnerAreaSums[p], win.PartnerAreaAtErrorRun[p], win.PartnerAreaError[p],
                     win.PartnerShareError[p]);
        }
      }
      BuildErrorTable(w);
    }
  }

  // The end of every run that the window survived: the fitted values back
  // in the peak table and on the screen.
  CloseProgressPage();
  saved.Restore();
  StoreFitOfWindow(w);
  DisplayPass(w);
  DisplayPass(w);
  ChiSquareOf(w);
  StoreFitOfWindow(w);
  G.FitDisplayPass = 0;
  G.BatchMode = 0;
  plat::SetDrawingWindow(w);
}

}  // namespace

void EstimateErrorsHessianGaussLorentz(int w) { EstimateErrorsHessian(w); }

void EstimateErrorsHessianDoniachSunjic(int w) { EstimateErrorsHessian(w); }

}  // namespace sorvan
