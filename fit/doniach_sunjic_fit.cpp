// The Doniach-Sunjic model for the Levenberg-Marquardt iteration, with
// forward-difference derivatives, and the fit of a window's Doniach-Sunjic
// peaks.
#include <algorithm>
#include <cmath>
#include <memory>

#include "core/model.h"
#include "core/store.h"
#include "fit/chi_square.h"
#include "fit/fit_curves.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fit/peak_models.h"

namespace sorvan {

DoniachSunjicFitModel::DoniachSunjicFitModel(int peakCount, bool doublet, bool backgroundFitted,
                                             int pointCount, int first, int last,
                                             double energyStep)
    : peakCount_(peakCount),
      doublet_(doublet),
      backgroundFitted_(backgroundFitted),
      pointCount_(pointCount),
      first_(first),
      last_(last),
      energyStep_(energyStep),
      stride_(static_cast<std::size_t>(pointCount) + 1),
      curves_(static_cast<std::size_t>(peakCount) * stride_, 0.0),
      sum_(stride_, 0.0),
      jacobian_(static_cast<std::size_t>(10 * peakCount + 1) * stride_, 0.0),
      stepped_(stride_, 0.0),
      partner_(stride_, 0.0),
      scratchA_(stride_, 0.0),
      scratchB_(stride_, 0.0),
      shirley_(stride_, 0.0),
      tougaard_(stride_, 0.0),
      lossKernel_(stride_ + 1, 0.0) {}

void DoniachSunjicFitModel::EvaluatePeak(const double* entries, double* curve) {
  DoniachSunjicPeakCurve(entries, doublet_, pointCount_, first_, last_, curve, partner_.data(),
                         scratchA_.data(), scratchB_.data());
}

void DoniachSunjicFitModel::EvaluateAll(const double* p) {
  std::fill(sum_.begin(), sum_.end(), 0.0);
  for (int peak = 1; peak <= peakCount_; ++peak) {
    double* curve = curves_.data() + (peak - 1) * stride_;
    EvaluatePeak(p + 10 * (peak - 1) + 1, curve);
    for (int x = first_; x <= last_; ++x) sum_[x] += curve[x];
  }
}

void DoniachSunjicFitModel::Linearise(const double* p) {
  EvaluateAll(p);
  if (backgroundFitted_) {
    BuildFitBackgroundBasis(sum_.data(), pointCount_, first_, last_, energyStep_, tailUsed_,
                            shirley_.data(), tougaard_.data(), lossKernel_.data());
  }
  double entries[10];
  for (int peak = 1; peak <= peakCount_; ++peak) {
    const int D = 10 * (peak - 1) + 1;
    const double* curve = curves_.data() + (peak - 1) * stride_;
    for (int j = 0; j < 10; ++j) {
      const int q = D + j;
      double* row = jacobian_.data() + q * stride_;
      // A fixed entry never moves: its derivative is not needed.
      if (scale_ != nullptr && scale_[q] == 0.0) {
        std::fill(row, row + stride_, 0.0);
        continue;
      }
      std::copy(p + D, p + D + 10, entries);
      const double v = entries[j];
      entries[j] = v != 0.0 ? v + 1e-4 * v : 1e-6;
      const double divisor = entries[j] - v;
      EvaluatePeak(entries, stepped_.data());
      for (int x = first_; x <= last_; ++x) row[x] = (stepped_[x] - curve[x]) / divisor;
    }
  }
}

double DoniachSunjicFitModel::Background(const double* p, int channel) const {
  if (!backgroundFitted_) return 0.0;
  const double* t = p + 10 * peakCount_;
  const double b = last_ - channel;
  return t[1] + b * (t[2] + b * (t[3] + b * t[4])) + t[5] * shirley_[channel] +
         t[6] * tougaard_[channel];
}

double DoniachSunjicFitModel::ValueAndDerivatives(const double* p, int channel, double* d) {
  const int N = 10 * peakCount_;
  for (int q = 1; q <= N; ++q) d[q] = jacobian_[q * stride_ + channel];
  double* t = d + N;
  const double b = last_ - channel;
  if (backgroundFitted_) {
    t[1] = 1.0;
    t[2] = b;
    t[3] = b * b;
    t[4] = b * b * b;
    t[5] = shirley_[channel];
    t[6] = tougaard_[channel];
  } else {
    for (int i = 1; i <= 6; ++i) t[i] = 0.0;
  }
  return sum_[channel] + Background(p, channel);
}

void DoniachSunjicFitModel::PrepareTrial(const double* p) { EvaluateAll(p); }

double DoniachSunjicFitModel::Value(const double* p, int channel) {
  return sum_[channel] + Background(p, channel);
}

void DoniachSunjicFitModel::ApplyLimits(double* p) {
  auto clamp = [&](int k) {
    if (p[k] < lower_[k]) p[k] = lower_[k];
    if (p[k] > upper_[k]) p[k] = upper_[k];
  };
  for (int peak = 0; peak < peakCount_; ++peak) {
    const int D = 10 * peak + 1;
    auto linked = [&](int offset) { return peak > 0 && scale_ && scale_[D + offset] == 1.0; };
    clamp(D);
    if (p[D] < 0.0) p[D] = 1e-4;
    if (p[D + 1] < 0.0) p[D + 1] = 1e-4;
    if (linked(1)) p[D + 1] = p[2];
    clamp(D + 2);
    // The Gaussian is at least half a channel wide, its partner's too.
    if (p[D + 2] < 0.5) p[D + 2] = 0.5;
    if (p[D + 2] * p[D + 3] <= 0.5) p[D + 3] = 0.5 / p[D + 2];
    if (linked(3)) p[D + 3] = p[4];
    if (p[D + 4] > upper_[D + 4]) p[D + 4] = upper_[D + 4];
    if (p[D + 4] < lower_[D + 4]) p[D + 4] = lower_[D + 4];
    if (linked(5)) p[D + 5] = p[6];
    clamp(D + 6);
    if (p[D + 6] < 0.0) p[D + 6] = 1e-6;
    if (p[D + 7] * p[D + 6] < 0.0) p[D + 7] = 1e-6 / p[D + 6];
    if (linked(7)) p[D + 7] = p[8];
    clamp(D + 8);
    if (p[D + 9] * p[D + 8] > 0.5) p[D + 9] = 0.5 / p[D + 8];
    if (p[D + 9] < 0.0) p[D + 9] = 0.0;
    if (p[D + 8] < 0.0) p[D + 8] = 0.0;
    if (linked(9)) p[D + 9] = p[10];
  }
}

namespace {

// Evaluates every peak of w into PeakCurves and WorkFitSum, then draws them.
void EvaluateAndDrawDoniachSunjic(int w) {
  const WindowRecord& win = Win[w];
  const int n = win.PeakCount;
  const int points = win.SpectrumHeader.PointCount;
  if (WorkFitSum.Upper() < points) WorkFitSum.Resize(points);
  if (G.PeakAreaSums.Upper() < n) G.PeakAreaSums.Resize(n);
  if (G.PartnerAreaSums.Upper() < n) G.PartnerAreaSums.Resize(n);
  if (G.PeakCurves.RowUpper() < n || G.PeakCurves.ColUpper() < points) G.PeakCurves.Resize(n, points);
  WorkFitSum.fill(0.0);
  for (int p = 1; p <= n; ++p) G.PeakAreaSums[p] = G.PartnerAreaSums[p] = 0.0;
  for (int p = 1; p <= n; ++p) {
    G.LoopIndexD = static_cast<Int16>(10 * (p - 1) + 1);
    EvaluatePeakDoniachSunjic(w);
    for (int c = 1; c <= points; ++c) G.PeakCurves(p, c) = WorkPeak[c];
  }
  DrawPeakCurves(w);
}

}  // namespace

void FitPeaksDoniachSunjic(int w) {
  WindowFitKind kind;
  kind.makeModel = [](int window) -> std::unique_ptr<FitModel> {
    const WindowRecord& win = Win[window];
    return std::make_unique<DoniachSunjicFitModel>(
        win.PeakCount, IsDoubletWindow(window), win.BackgroundState == 4,
        win.SpectrumHeader.PointCount, win.RegionStart, win.RegionEnd,
        win.SpectrumHeader.EnergyStep);
  };
  kind.evaluatePeaks = EvaluateAndDrawDoniachSunjic;
  kind.chiSquare = ChiSquareFromCurve;
  kind.store = StoreFitParameters;
  kind.acceptOnlySmaller = true;
  RunWindowFit(w, kind);
}

}  // namespace sorvan
