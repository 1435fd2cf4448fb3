// The steps both error analyses share (see error_run.h).
#include "fiterrors/error_run.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
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
#include "fiterrors/hessian_errors.h"
#include "platform/surfaces.h"

namespace sorvan {

namespace {

constexpr int kMessageBadData = 3;
constexpr int kMessageInconsistent = 9;

}  // namespace

bool DefinedOrFittedBackground(int w) {
  return Win[w].BackgroundState == BackgroundDefined || Win[w].BackgroundState == BackgroundFitted;
}

bool FittedBackground(int w) { return BackgroundFittedWithPeaks(w); }

bool ErrorRunWindowClosed(int w, bool wasOpen) {
  return G.FitRunState == FitStopRequested || (wasOpen && !Win[w].WindowOpen);
}

void EstimationFailed(int w) {
  constexpr int kMessageEstimationFailed = 10;
  G.ErrorRunState = ErrorsFailed;
  G.CommandId = kMessageEstimationFailed;
  ShowMessage(kMessageEstimationFailed, w);
}

void RecordAreasAtErrorRun(int w) {
  WindowRecord& win = Win[w];
  for (int p = 1; p <= win.PeakCount; ++p) {
    win.AreaAtErrorRun[p] = win.PeakArea[p];
    win.PartnerAreaAtErrorRun[p] = win.PartnerArea[p];
  }
}

std::vector<double> FreeEntryScales(int P) {
  std::vector<double> s(P + 1, 0.0);
  for (int k = 1; k <= P; ++k) s[k] = std::fabs(G.ParameterScale[k]);
  return s;
}

void SizeErrorMatrix(CheckedMatrix<double>& m, int P) {
  if (m.RowUpper() < P || m.ColUpper() < P) m.Resize(P, P);
}

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

void ErrorDisplayPass(int w) {
  const WindowRecord& win = Win[w];
  G.FitDisplayPass = 1;
  plat::SetDrawingWindow(w);
  LoadWorkData(w, 1, win.RegionStart, win.RegionEnd);
  ComputeIntensityRange(w);
  ComputeEnergyRange(w);
  DrawFrameAndAxes(w, G.FrameColour);
  PlotSpectrum(w, ColourOf(G.CurveColours[0]), G.CurveStyles[0], G.CurveWidths[0]);
  if (win.PeakModel == PeakModelDoniachSunjic) {
    EvaluateDoniachSunjicPeaks(w, true);
  } else if (win.RelativeMode == 1) {
    EvaluatePeaksGaussLorentzRelative(w);
  } else {
    EvaluatePeaksGaussLorentz(w);
  }
  DrawFitCurveAndResiduals(w);
  if (FittedBackground(w)) RebuildFitBackground(w);
  if (DefinedOrFittedBackground(w)) DrawBackgroundCurve(w);
  G.FitDisplayPass = 0;
}

double ErrorChiSquare(int w) {
  const WindowRecord& win = Win[w];
  if (win.PeakModel == PeakModelDoniachSunjic) {
    EvaluateDoniachSunjicPeaks(w, false);
    if (FittedBackground(w)) RebuildFitBackground(w);
    ChiSquareFromCurve(w);
  } else {
    if (FittedBackground(w)) RebuildFitBackground(w);
    if (win.RelativeMode == 1) {
      ChiSquareGaussLorentzRelative(w);
    } else {
      ChiSquareGaussLorentz(w);
    }
  }
  return G.ChiSquare;
}

void ErrorResiduals(int w, std::vector<double>& r) {
  const WindowRecord& win = Win[w];
  if (win.PeakModel == PeakModelDoniachSunjic) {
    EvaluateDoniachSunjicPeaks(w, false);
    if (FittedBackground(w)) RebuildFitBackground(w);
    WeightedResiduals(w, ChiSquareModel::Curve, r);
  } else {
    if (FittedBackground(w)) RebuildFitBackground(w);
    WeightedResiduals(w, win.RelativeMode == 1 ? ChiSquareModel::GaussLorentzRelative
                                               : ChiSquareModel::GaussLorentz,
                      r);
  }
}

void ApplyFitBounds(int w, double* x, const double* lower, const double* upper, const double* scale) {
  std::unique_ptr<FitModel> model = MakeWindowFitModel(w);
  model->SetLimits(lower, upper, scale);
  model->ApplyLimits(x);
}

void FitArrays::Save() {
  vector.assign(G.FitVector.begin(), G.FitVector.begin() + G.FitVector.size());
  scale.assign(G.ParameterScale.begin(), G.ParameterScale.begin() + G.ParameterScale.size());
  lower.assign(G.FitLowerLimits.begin(), G.FitLowerLimits.begin() + G.FitLowerLimits.size());
  upper.assign(G.FitUpperLimits.begin(), G.FitUpperLimits.begin() + G.FitUpperLimits.size());
}

namespace {

void Put(const std::vector<double>& from, CheckedVector<double>& to) {
  if (to.size() != from.size()) to.Resize(static_cast<long long>(from.size()) - 1);
  std::copy(from.begin(), from.end(), to.begin());
}

}  // namespace

void FitArrays::Restore() const {
  Put(vector, G.FitVector);
  Put(scale, G.ParameterScale);
  Put(lower, G.FitLowerLimits);
  Put(upper, G.FitUpperLimits);
}

bool PrepareErrorData(int w, std::vector<double>& backgroundCopy) {
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
    ShowStepFailure(kMessageInconsistent, w, FitFailureText(FitFailure::RegionOutside));
    return false;
  }
  DimFitWorkColumns(w, points);
  if (DefinedOrFittedBackground(w)) {
    for (int i = 1; i <= points; ++i) WorkFitTarget[i] -= WorkBackground[i];
    backgroundCopy.assign(WorkBackground.begin(), WorkBackground.begin() + points + 1);
  }
  if (FitPageHooks().reloadSourceData && !FitPageHooks().reloadSourceData(w)) return false;
  if (!LoadWindowSource(w)) {
    ShowMessage(kMessageBadData, w);
    return false;
  }
  WeightsFromRawCounts(w, points);
  return true;
}


double LoweredBackgroundArea(int w, const double* x0, const double* s,
                             const std::vector<double>& backgroundCopy) {
  if (!FittedBackground(w)) return 0;
  WindowRecord& win = Win[w];
  const int N = 10 * win.PeakCount;
  double* x = G.FitVector.begin();
  for (int i = 1; i <= 6; ++i) x[N + i] = x0[N + i] - s[N + i] * win.ParamErrors(N + i, N + i);
  RebuildFitBackground(w);
  const int points = win.SpectrumHeader.PointCount;
  double v0 = 0;
  for (int i = 1; i <= points && i < static_cast<int>(backgroundCopy.size()); ++i)
    v0 += std::fabs(backgroundCopy[i] - WorkBackground[i]);
  return v0 * win.SpectrumHeader.EnergyStep;
}

void HoldErrorsAndShiftPeaks(int w, const double* x0, const double* s) {
  WindowRecord& win = Win[w];
  const int n = win.PeakCount;
  const int N = 10 * n;
  const int P = N + 6;
  std::vector<double> e(P + 1, 0.0);
  for (int k = 1; k <= P; ++k) e[k] = win.ParamErrors(k, k);
  HoldErrorsInsideLimits(N, x0, G.FitLowerLimits.begin(), G.FitUpperLimits.begin(), s, e.data());
  if (win.PeakModel == PeakModelGaussLorentz) HoldPartnerShareErrors(n, win.RelativeMode == 1, x0, e.data());
  for (int k = 1; k <= P; ++k) win.ParamErrors(k, k) = e[k];
  // Every peak entry moved away from zero by its error.
  double* x = G.FitVector.begin();
  for (int k = 1; k <= N; ++k) x[k] = x0[k] >= 0 ? x0[k] + s[k] * e[k] : x0[k] - s[k] * e[k];
  ApplyFitBounds(w, x, G.FitLowerLimits.begin(), G.FitUpperLimits.begin(), G.ParameterScale.begin());
}

void AreaErrorsFromShiftedSet(int w, double v0) {
  WindowRecord& win = Win[w];
  const int n = win.PeakCount;
  const double step = win.SpectrumHeader.EnergyStep;
  ErrorDisplayPass(w);
  const bool doublet = IsDoubletWindow(w);
  const bool fitted = FittedBackground(w);
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
  if (fitted) shifted += v0;
  win.TotalArea = total;
  const double dT = std::fabs(shifted - total);
  auto areaErrors = [&](double sum, double atRun, double& areaError, double& shareError) {
    areaError = std::fabs(sum * step - atRun);
    if (total == 0) {
      // Without a total area there is no share.
      shareError = kEmptyResultCell;
      return;
    }
    if (fitted) areaError += v0 * atRun / total;
    shareError = areaError / total + atRun * dT / (total * total);
  };
  for (int p = 1; p <= n; ++p) {
    areaErrors(G.PeakAreaSums[p], win.AreaAtErrorRun[p], win.AreaError[p], win.AreaShareError[p]);
    if (doublet) {
      areaErrors(G.PartnerAreaSums[p], win.PartnerAreaAtErrorRun[p], win.PartnerAreaError[p],
                 win.PartnerShareError[p]);
    }
  }
}

}  // namespace sorvan
