// The Doniach-Sunjic model for the Levenberg-Marquardt iteration, with
// forward-difference derivatives, and the fit of a window's Doniach-Sunjic
// peaks.
#include <algorithm>
#include <cmath>
#include <memory>
#include <type_traits>

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

void DoniachSunjicFitModel::PeakEntries(const double* p, int peak, double* entries) const {
  const double* own = p + 10 * (peak - 1) + 1;
  if (relative_ && peak > 1) {
    ResolveRelativePeak(p + 1, own, entries);
  } else {
    std::copy(own, own + 10, entries);
  }
}

void DoniachSunjicFitModel::EvaluateAll(const double* p) {
  std::fill(sum_.begin(), sum_.end(), 0.0);
  double entries[10];
  for (int peak = 1; peak <= peakCount_; ++peak) {
    double* curve = curves_.data() + (peak - 1) * stride_;
    PeakEntries(p, peak, entries);
    EvaluatePeak(entries, curve);
    for (int x = first_; x <= last_; ++x) sum_[x] += curve[x];
  }
}

void DoniachSunjicFitModel::RebuildBackground() {
  if (!backgroundFitted_) return;
  BuildFitBackgroundBasis(sum_.data(), pointCount_, first_, last_, energyStep_, tailUsed_,
                          shirley_.data(), tougaard_.data(), lossKernel_.data());
}

void DoniachSunjicFitModel::Linearise(const double* p) {
  EvaluateAll(p);
  RebuildBackground();
  const int N = 10 * peakCount_;
  steppedVector_.assign(p, p + N + 7);
  double entries[10];
  auto fixed = [&](int q) { return scale_ != nullptr && scale_[q] == 0.0; };
  // Forward difference of entry q seen through peak `peak`, added to row q.
  auto difference = [&](int peak, int q, double* row) {
    const double v = p[q];
    steppedVector_[q] = v != 0.0 ? v + 1e-4 * v : 1e-6;
    const double divisor = steppedVector_[q] - v;
    PeakEntries(steppedVector_.data(), peak, entries);
    steppedVector_[q] = v;
    EvaluatePeak(entries, stepped_.data());
    const double* curve = curves_.data() + (peak - 1) * stride_;
    for (int x = first_; x <= last_; ++x) row[x] += (stepped_[x] - curve[x]) / divisor;
  };
  std::fill(jacobian_.begin(), jacobian_.end(), 0.0);
  for (int peak = 1; peak <= peakCount_; ++peak) {
    const int D = 10 * (peak - 1) + 1;
    for (int j = 0; j < 10; ++j) {
      // A fixed entry never moves: its derivative is not needed.
      if (!fixed(D + j)) difference(peak, D + j, jacobian_.data() + (D + j) * stride_);
      // In a relative table the other peaks read peak 1's main entries.
      const bool readsFirst = j == 0 || j == 2 || j == 4 || j == 6 || j == 8;
      if (relative_ && peak > 1 && readsFirst && !fixed(1 + j)) {
        difference(peak, 1 + j, jacobian_.data() + (1 + j) * stride_);
      }
    }
  }
  // The Shirley and loss terms are made from the peak sum: a peak entry
  // moves them too, by E dS + F dT, which its column takes in.
  if (!backgroundFitted_) return;
  const double E = p[N + 5];
  const double F = tailUsed_ ? p[N + 6] : 0.0;
  if (E == 0.0 && F == 0.0) return;
  for (int q = 1; q <= N; ++q) {
    if (fixed(q)) continue;
    double* row = jacobian_.data() + q * stride_;
    std::copy(row + first_, row + last_ + 1, stepped_.begin() + first_);
    AddBackgroundTermsDerivative(stepped_.data(), first_, last_, energyStep_, E, F,
                                 lossKernel_.data(), scratchA_.data(), row);
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

// A trial (and the start) is judged with the background that its own peaks
// make: the Shirley and loss terms are rebuilt from the trial's peak sum.
void DoniachSunjicFitModel::PrepareTrial(const double* p) {
  EvaluateAll(p);
  RebuildBackground();
}

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

DoniachSunjicRelativeFitModel::DoniachSunjicRelativeFitModel(int peakCount, bool doublet,
                                                             bool backgroundFitted, int pointCount,
                                                             int first, int last, double energyStep)
    : DoniachSunjicFitModel(peakCount, doublet, backgroundFitted, pointCount, first, last,
                            energyStep) {
  relative_ = true;
}

void DoniachSunjicRelativeFitModel::ApplyLimits(double* p) {
  auto clamp = [&](int k) {
    if (p[k] < lower_[k]) p[k] = lower_[k];
    if (p[k] > upper_[k]) p[k] = upper_[k];
  };
  // Peak 1 holds absolute values.
  clamp(1);
  if (p[1] < 0.0) p[1] = 1e-5;
  if (p[2] < 0.0) p[2] = 1e-7;
  clamp(3);
  if (p[3] <= 0.0) p[3] = 1e-4;
  if (p[4] <= 0.0) p[4] = 1e-4;
  if (p[5] > upper_[5]) p[5] = upper_[5];
  if (p[5] < lower_[5]) p[5] = lower_[5];
  clamp(7);
  if (p[7] < 0.0) p[7] = 1e-4;
  if (p[8] < 0.0) p[8] = p[7] > 0.0 ? 1e-4 / p[7] : 1e-4;
  clamp(9);
  if (p[9] * p[10] > 0.5) p[10] = 0.5 / p[9];
  if (p[9] < 0.0) p[9] = 0.0;
  if (p[10] < 0.0) p[10] = 0.0;
  for (int peak = 1; peak < peakCount_; ++peak) {
    const int D = 10 * peak + 1;
    auto linked = [&](int offset) { return scale_ && scale_[D + offset] == 1.0; };
    clamp(D);  // a height ratio may turn negative when its limits allow
    if (p[D + 1] <= 0.0) p[D + 1] = 1e-4;
    if (linked(1)) p[D + 1] = p[2];
    clamp(D + 2);
    if (p[D + 2] <= 0.0) p[D + 2] = 1e-4;
    if (p[D + 3] < 0.0) p[D + 3] = 1e-4;
    if (linked(3)) p[D + 3] = p[4];
    if (p[D + 4] > upper_[D + 4]) p[D + 4] = upper_[D + 4];
    if (p[D + 4] < lower_[D + 4]) p[D + 4] = lower_[D + 4];
    if (linked(5)) p[D + 5] = p[6];
    clamp(D + 6);
    if (p[D + 6] < 0.0) p[D + 6] = 1e-4;
    if (p[D + 7] < 0.0) p[D + 7] = p[D + 6] > 0.0 ? 1e-4 / p[D + 6] : 1e-4;
    if (linked(7)) p[D + 7] = p[8];
    clamp(D + 8);
    if (p[D + 8] * p[9] > 0.5) p[D + 8] = 0.5 / p[9];
    if (p[D + 8] < 0.0) p[D + 8] = 0.0;
    if (p[D + 8] * p[D + 9] * p[9] > 0.5) p[D + 9] = 0.5 / (p[D + 8] * p[9]);
    if (linked(9)) p[D + 9] = p[10];
    if (p[D + 9] < 0.0) p[D + 9] = 0.0;
  }
  const int N = 10 * peakCount_;
  if (p[N + 5] < 0.0) p[N + 5] = 0.0;
}

namespace {

// Evaluates every peak of w into PeakCurves and WorkFitSum, then draws them;
// in a relative table peaks 2..n through their relative twin.
template <bool kRelative>
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
    if (kRelative && p > 1) {
      EvaluatePeakDoniachSunjicRelative(w);
    } else {
      EvaluatePeakDoniachSunjic(w);
    }
    for (int c = 1; c <= points; ++c) G.PeakCurves(p, c) = WorkPeak[c];
  }
  DrawPeakCurves(w);
}

}  // namespace

namespace {

// Runs the Doniach-Sunjic fit of window w with independent or relative peaks;
// the two differ only in their model and in how the table is stored back.
template <bool Relative>
void FitDoniachSunjicWindow(int w) {
  WindowFitKind kind;
  kind.makeModel = [](int window) { return MakeFitModel(window, true, Relative); };
  kind.evaluatePeaks = EvaluateAndDrawDoniachSunjic<Relative>;
  kind.chiSquare = ChiSquareFromCurve;
  kind.store = Relative ? StoreFitParametersRelative : StoreFitParameters;
  kind.acceptOnlySmaller = true;
  RunWindowFit(w, kind);
}

}  // namespace

void FitPeaksDoniachSunjic(int w) { FitDoniachSunjicWindow<false>(w); }

void FitPeaksDoniachSunjicRelative(int w) { FitDoniachSunjicWindow<true>(w); }

}  // namespace sorvan
