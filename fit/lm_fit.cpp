// The Levenberg-Marquardt iteration and the Gauss-Lorentz model it fits.
#include "fit/lm_fit.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "core/model_codes.h"
#include "fit/peak_models.h"
#include "processing/kernels/backgrounds.h"
#include "processing/kernels/fft.h"

namespace sorvan {

namespace {

// Damping beyond this means the matrix cannot be factorised at all.
constexpr double kSingularDamping = 1e16;
// A round ends whatever the limit after this many trials.
constexpr double kMaxTrials = 199;
// An entry has converged when a step changed it by at most this share of
// its value.
constexpr double kConvergedShare = 1e-5;
// Solves of one trial with the entries that sit on a limit held.
constexpr int kProjectionPasses = 3;

// Whether an entry has converged after a step that solved for a change
// `step` and, the limits applied, took it from `before` to `after`. A small
// solved step counts, and so does a small change that the limits let
// through: an entry held at a limit, whose step the limit takes back every
// time, has converged. An entry at exactly 0 has no size to measure a change
// against: it is judged by its absolute change, and has converged when the
// step leaves it at 0 (a Shirley term or an asymmetry pressed against a
// limit of 0).
bool EntryConverged(double before, double after, double step) {
  const double tolerance = std::fabs(kConvergedShare * before);
  if (std::fabs(step) <= tolerance) return true;
  const double change = std::fabs(after - before);
  return before == 0.0 ? change == 0.0 : change <= tolerance;
}

}  // namespace

LevenbergMarquardt::LevenbergMarquardt(int variableCount, int lastChannel)
    : variables_(variableCount),
      gradient_(variableCount + 1, 0.0),
      step_(variableCount + 1, 0.0),
      derivatives_(variableCount + 1, 0.0),
      normal_(PackedSizeFor(variableCount) + 1, 0.0),
      normalSaved_(PackedSizeFor(variableCount) + 1, 0.0),
      old_(variableCount + 1, 0.0),
      best_(variableCount + 1, 0.0),
      curve_(std::max(lastChannel, 0) + 1, 0.0),
      active_(variableCount + 1, 0),
      held_(variableCount + 1, 0) {}

FitStatistics LevenbergMarquardt::Evaluate(FitModel& model, const FitData& data, const double* p) {
  model.PrepareTrial(p);
  for (int x = data.first; x <= data.last; ++x) curve_[x] = model.Value(p, x);
  statistics = ComputeFitStatistics(curve_.data(), data.target, data.sigma, data.first, data.last,
                                    data.degreesUsed, data.countsFactor, 0.0);
  return statistics;
}

void LevenbergMarquardt::BuildSystem(FitModel& model, const FitData& data, const double* p) {
  const int P = variables_;
  std::fill(gradient_.begin(), gradient_.end(), 0.0);
  std::fill(normal_.begin(), normal_.end(), 0.0);
  model.Linearise(p);
  double* d = derivatives_.data();
  double* normal = normal_.data();
  int* active = active_.data();
  for (int x = data.first; x <= data.last; ++x) {
    const double value = model.ValueAndDerivatives(p, x, d);
    const double inverseSigma = 1.0 / data.sigma[x];
    // Only the variables with a nonzero scaled derivative at this channel
    // take part: far from a peak its rows are zero and are skipped.
    int count = 0;
    for (int k = 1; k <= P; ++k) {
      const double scaled = d[k] * std::fabs(data.scale[k]) * inverseSigma;
      if (scaled != 0.0) {
        d[k] = scaled;
        active[count++] = k;
      }
    }
    const double r = (value - data.target[x]) * inverseSigma;
    for (int a = 0; a < count; ++a) {
      const int k = active[a];
      const double dk = d[k];
      gradient_[k] += dk * r;
      double* row = normal + k * (k - 1) / 2;
      for (int b = 0; b <= a; ++b) row[active[b]] += dk * d[active[b]];
    }
  }
  std::copy(normal_.begin(), normal_.end(), normalSaved_.begin());
}

bool LevenbergMarquardt::Solve(double lambda) {
  std::fill(held_.begin(), held_.end(), 0);
  return SolveHolding(lambda);
}

bool LevenbergMarquardt::SolveHolding(double lambda) {
  const int P = variables_;
  double* n = normal_.data();
  // Damped copy of the saved matrix, right-hand side -gradient.
  for (int k = 1; k <= P; ++k) {
    for (int j = 1; j < k; ++j) n[PackedIndex(k, j)] = normalSaved_[PackedIndex(k, j)];
    n[PackedIndex(k, k)] = normalSaved_[PackedIndex(k, k)] * (1.0 + lambda) + lambda;
    step_[k] = -gradient_[k];
  }
  // A held entry leaves the system (zero row and column, unit diagonal, no
  // right-hand side): its step is 0 and the others are solved without it.
  for (int k = 1; k <= P; ++k) {
    if (!held_[k]) continue;
    for (int i = 1; i <= P; ++i) (i > k ? n[PackedIndex(i, k)] : n[PackedIndex(k, i)]) = 0.0;
    n[PackedIndex(k, k)] = 1.0;
    step_[k] = 0.0;
  }
  // Cholesky factorisation in place, column by column.
  for (int j = 1; j <= P; ++j) {
    if (j > 1) {
      for (int i = j; i <= P; ++i) {
        double sum = 0.0;
        for (int k = 1; k < j; ++k) sum += n[PackedIndex(i, k)] * n[PackedIndex(j, k)];
        n[PackedIndex(i, j)] -= sum;
      }
    }
    const double pivot = n[PackedIndex(j, j)];
    if (!(pivot > 0.0) || !std::isfinite(pivot)) return false;
    const double s = std::sqrt(pivot);
    for (int i = j; i <= P; ++i) n[PackedIndex(i, j)] /= s;
  }
  // Forward substitution L y = step, then back substitution L^T delta = y.
  auto divide = [](double value, double diagonal) { return diagonal != 0.0 ? value / diagonal : 0.0; };
  for (int i = 1; i <= P; ++i) {
    double sum = step_[i];
    for (int j = 1; j < i; ++j) sum -= n[PackedIndex(i, j)] * step_[j];
    step_[i] = divide(sum, n[PackedIndex(i, i)]);
  }
  for (int i = P; i >= 1; --i) {
    step_[i] = divide(step_[i], n[PackedIndex(i, i)]);
    for (int j = 1; j < i; ++j) step_[j] -= step_[i] * n[PackedIndex(i, j)];
  }
  for (int i = 1; i <= P; ++i) {
    if (!std::isfinite(step_[i])) return false;
  }
  return true;
}

void LevenbergMarquardt::ProjectStep(FitModel& model, double* p) {
  const int P = variables_;
  // The step was solved for as if every entry moved by its full share. An
  // entry that sits on a limit and whose step the limit takes back entirely
  // does not move, and the others must not count on its move: it is held
  // and the others are solved for again from the same damped matrix. A
  // few passes settle it; the limits hold after each of them. Linked
  // entries, which take peak 1's values, are left to the limit rules.
  std::fill(held_.begin(), held_.end(), 0);
  for (int pass = 0; pass < kProjectionPasses; ++pass) {
    bool held = false;
    for (int k = 1; k <= P; ++k) {
      if (held_[k] || p[k] != old_[k] || step_[k] == 0.0 || model.Linked(k)) continue;
      held_[k] = 1;
      held = true;
    }
    if (!held) return;
    // A system that no longer solves keeps the limited full step.
    if (!SolveHolding(damping)) return;
    LimitedStep(model, p);
  }
}

void LevenbergMarquardt::LimitedStep(FitModel& model, double* p) {
  for (int k = 1; k <= variables_; ++k) p[k] = old_[k] + step_[k];
  model.ApplyLimits(p);
}

bool LevenbergMarquardt::Accepted(const FitSettings& settings) const {
  return settings.acceptOnlySmaller ? trialReducedChi2 < acceptedReducedChi2
                                    : trialReducedChi2 <= acceptedReducedChi2;
}

FitOutcome LevenbergMarquardt::Run(FitModel& model, const FitData& data, double* p,
                                   const FitSettings& settings, const FitHooks& hooks) {
  const int P = variables_;
  round = 0;
  acceptedSteps = 0;
  rejectedTrials = 0;
  lastKey = 0;
  iteration = 0;
  damping = 1e-4;
  model.PrepareStart(p);
  trialReducedChi2 = Evaluate(model, data, p).unscaledReducedChiSquare;
  iteration += 1;
  // Set when rejected trials have driven the damping past all reason: no
  // step can improve the fit any more, and no further round is started.
  bool stalled = false;

  enum class Next { LoopHead, Solve, StopTest, RoundEnd };
  Next next = Next::LoopHead;
  while (true) {
    switch (next) {
      case Next::LoopHead: {
        damping *= 0.4;
        acceptedReducedChi2 = trialReducedChi2;
        std::copy(p, p + P + 1, best_.begin());
        if (iteration <= 1 && round == 0) {
          if (hooks.startQuestion && !hooks.startQuestion(p)) {
            if (hooks.roundEnd) hooks.roundEnd(p, Evaluate(model, data, p));
            return FitOutcome::EvaluatedOnly;
          }
          // The iteration starts inside the limits: a start value outside
          // them (or a free share or height on the point 0) is brought in
          // as a step would be, and the start judged again.
          std::copy(p, p + P + 1, old_.begin());
          model.ApplyLimits(p);
          if (!std::equal(p, p + P + 1, old_.begin())) {
            model.PrepareStart(p);
            trialReducedChi2 = Evaluate(model, data, p).unscaledReducedChiSquare;
            acceptedReducedChi2 = trialReducedChi2;
            std::copy(p, p + P + 1, best_.begin());
          }
        }
        if (hooks.acceptedStep) hooks.acceptedStep(p);
        BuildSystem(model, data, p);
        std::copy(p, p + P + 1, old_.begin());
        next = Next::Solve;
        break;
      }
      case Next::Solve: {
        if (!Solve(damping)) {
          // A pivot that is not positive: damp harder and solve again from
          // the same matrix; past all reason the system is singular.
          damping *= 10.0;
          if (damping == 0.0) damping = 1e-7;
          if (damping > kSingularDamping || !std::isfinite(damping)) {
            if (hooks.singular) hooks.singular();
            std::copy(best_.begin(), best_.end(), p);
            trialReducedChi2 = acceptedReducedChi2;
            if (hooks.roundEnd) hooks.roundEnd(p, Evaluate(model, data, p));
            return FitOutcome::Singular;
          }
          break;
        }
        LimitedStep(model, p);
        ProjectStep(model, p);
        convergedCount = 0;
        for (int k = 1; k <= P; ++k) {
          if (EntryConverged(old_[k], p[k], step_[k])) ++convergedCount;
        }
        trialReducedChi2 = Evaluate(model, data, p).unscaledReducedChiSquare;
        iteration += 1;
        lastKey = hooks.afterTrial ? hooks.afterTrial(p, iteration) : 0;
        if (hooks.windowClosed && hooks.windowClosed()) return FitOutcome::WindowClosed;
        if (Accepted(settings)) {
          ++acceptedSteps;
        } else {
          ++rejectedTrials;
        }
        next = Next::StopTest;
        break;
      }
      case Next::StopTest: {
        const bool notWorse = trialReducedChi2 <= acceptedReducedChi2;
        if ((iteration >= settings.iterationLimit && notWorse) || iteration > kMaxTrials ||
            lastKey == KeyEscape || convergedCount == P) {
          next = Next::RoundEnd;
        } else if (Accepted(settings)) {
          next = Next::LoopHead;
        } else {
          damping *= 10.0;
          if (damping == 0.0) damping = 1e-7;
          next = Next::Solve;
          // Steps damped this far change nothing: the accepted set is the
          // best the fit can reach, and the fit ends with it.
          if (damping > kSingularDamping || !std::isfinite(damping)) {
            stalled = true;
            next = Next::RoundEnd;
          }
        }
        break;
      }
      case Next::RoundEnd: {
        // A round that ends on a rejected trial keeps the best accepted set,
        // never the worse trial.
        if (!(trialReducedChi2 <= acceptedReducedChi2)) {
          std::copy(best_.begin(), best_.end(), p);
          trialReducedChi2 = acceptedReducedChi2;
        }
        if (hooks.roundEnd) hooks.roundEnd(p, Evaluate(model, data, p));
        ++round;
        if (round < settings.fitRounds && lastKey != KeyEscape && !stalled) {
          iteration = 2;
          next = Next::LoopHead;
          break;
        }
        const int answer = hooks.finished ? hooks.finished(p) : 2;
        if (answer == 2) return FitOutcome::Finished;
        if (answer == 1) return FitOutcome::FitAgain;
        next = Next::StopTest;
        break;
      }
    }
  }
}

void BuildFitBackgroundBasis(const double* peakSum, int pointCount, int first, int last,
                             double energyStep, bool withTail, double* shirley, double* tougaard,
                             double* lossKernel) {
  for (int i = 0; i <= pointCount; ++i) {
    shirley[i] = 0.0;
    tougaard[i] = 0.0;
  }
  double running = 0.0;
  for (int i = last; i >= first; --i) {
    running += peakSum[i];
    shirley[i] = running;
  }
  if (!withTail || last < first) return;
  // Loss energy ((j - i) + 1) * step weights point j for point i.
  const int span = last - first;
  for (int offset = 0; offset <= span; ++offset)
    lossKernel[offset] = TougaardKernel((offset + 1) * energyStep, kDefaultTougaardC);
  const std::size_t length = static_cast<std::size_t>(span) + 1;
  TailSums(std::span<const double>(peakSum + first, length),
           std::span<const double>(lossKernel, length), std::span<double>(tougaard + first, length));
  for (int i = first; i <= last; ++i) tougaard[i] = 2866.0 * energyStep * tougaard[i];
}

void AddBackgroundTermsDerivative(const double* column, int first, int last, double energyStep,
                                 double E, double F, const double* lossKernel, double* scratch,
                                 double* out) {
  if (last < first) return;
  const std::size_t length = static_cast<std::size_t>(last - first) + 1;
  const bool tail = F != 0.0;
  if (tail) {
    TailSums(std::span<const double>(column + first, length), std::span<const double>(lossKernel, length),
             std::span<double>(scratch, length));
  }
  const double tailFactor = 2866.0 * energyStep * F;
  double running = 0.0;
  for (int i = last; i >= first; --i) {
    running += column[i];
    out[i] += E * running + (tail ? tailFactor * scratch[i - first] : 0.0);
  }
}

GaussLorentzFitModel::GaussLorentzFitModel(int peakCount, bool doublet, bool backgroundFitted,
                                           int pointCount, int first, int last, double energyStep)
    : peakCount_(peakCount),
      doublet_(doublet),
      backgroundFitted_(backgroundFitted),
      pointCount_(pointCount),
      first_(first),
      last_(last),
      energyStep_(energyStep),
      shirley_(pointCount + 1, 0.0),
      tougaard_(pointCount + 1, 0.0),
      peakSum_(pointCount + 1, 0.0),
      lossKernel_(pointCount + 2, 0.0),
      termsFor_(10 * peakCount + 1, 0.0) {}

void GaussLorentzFitModel::RebuildBasis() {
  BuildFitBackgroundBasis(peakSum_.data(), pointCount_, first_, last_, energyStep_, tailUsed_,
                          shirley_.data(), tougaard_.data(), lossKernel_.data());
}

void GaussLorentzFitModel::BackgroundDerivatives(int channel, double* d) const {
  double* t = d + 10 * peakCount_;
  if (!backgroundFitted_) {
    for (int i = 1; i <= 6; ++i) t[i] = 0.0;
    return;
  }
  const double b = last_ - channel;
  t[1] = 1.0;
  t[2] = b;
  t[3] = b * b;
  t[4] = b * b * b;
  t[5] = shirley_[channel];
  t[6] = tougaard_[channel];
}

void GaussLorentzFitModel::BuildTerms(const double* p) {
  if (!backgroundFitted_) return;
  const int N = 10 * peakCount_;
  // A trial that is accepted has built them already; the set before it is
  // kept too, for a round that goes back to it after a rejected trial.
  auto same = [&](const std::vector<double>& built) {
    return std::equal(p + 1, p + N + 1, built.begin() + 1);
  };
  if (termsValid_ && same(termsFor_)) return;
  auto swapSets = [&] {
    std::swap(termsFor_, spare_.termsFor);
    std::swap(peakSum_, spare_.peakSum);
    std::swap(shirley_, spare_.shirley);
    std::swap(tougaard_, spare_.tougaard);
    std::swap(termsValid_, spare_.valid);
  };
  if (spare_.valid && same(spare_.termsFor)) {
    swapSets();
    return;
  }
  if (termsValid_) swapSets();
  if (peakSum_.size() != static_cast<std::size_t>(pointCount_) + 1) {
    peakSum_.assign(pointCount_ + 1, 0.0);
    shirley_.assign(pointCount_ + 1, 0.0);
    tougaard_.assign(pointCount_ + 1, 0.0);
    termsFor_.assign(N + 1, 0.0);
  }
  // The Shirley and loss terms follow the peak sum of the parameters, as
  // drawn.
  for (int x = first_; x <= last_; ++x) {
    double sum = 0.0;
    for (int peak = 0; peak < peakCount_; ++peak) {
      const double* e = PeakEntries(p, peak);
      sum += GaussLorentzValue(GaussLorentzMainLine(e), x, WidthFloor::Drawing);
      if (doublet_) sum += GaussLorentzValue(GaussLorentzPartnerLine(e), x, WidthFloor::Drawing);
    }
    peakSum_[x] = sum;
  }
  RebuildBasis();
  std::copy(p, p + N + 1, termsFor_.begin());
  termsValid_ = true;
  ++termBuilds_;
}

void GaussLorentzFitModel::Linearise(const double* p) {
  coupled_ = false;
  if (!backgroundFitted_) return;
  BuildTerms(p);
  // S and T are made from the peaks, so the model's derivative by a peak
  // entry θ holds, beside the peak's own, E dS/dθ + F dT/dθ. Without them
  // the steps would treat S and T as fixed and the fit would stop where the
  // peaks suit the terms of their own sum, not at the minimum.
  const int N = 10 * peakCount_;
  const double E = p[N + 5];
  const double F = tailUsed_ ? p[N + 6] : 0.0;
  if (E == 0.0 && F == 0.0) return;
  coupled_ = true;
  const std::size_t stride = static_cast<std::size_t>(pointCount_) + 1;
  if (coupling_.size() != (N + 1) * stride) coupling_.assign((N + 1) * stride, 0.0);
  if (tailScratch_.size() != stride) tailScratch_.assign(stride, 0.0);
  if (columnScratch_.size() != stride) columnScratch_.assign(stride, 0.0);
  derivativeScratch_.assign(N + 7, 0.0);
  double* d = derivativeScratch_.data();
  for (int x = first_; x <= last_; ++x) {
    PeakValueAndDerivatives(p, x, d);
    for (int k = 1; k <= N; ++k) coupling_[k * stride + x] = d[k];
  }
  for (int k = 1; k <= N; ++k) {
    double* row = coupling_.data() + k * stride;
    if (scale_ != nullptr && scale_[k] == 0.0) {
      std::fill(row, row + stride, 0.0);
      continue;
    }
    // The row holds d(peak sum)/dθ; it becomes E dS/dθ + F dT/dθ.
    std::copy(row + first_, row + last_ + 1, columnScratch_.begin() + first_);
    std::fill(row + first_, row + last_ + 1, 0.0);
    AddBackgroundTermsDerivative(columnScratch_.data(), first_, last_, energyStep_, E, F,
                                 lossKernel_.data(), tailScratch_.data(), row);
  }
}

double GaussLorentzFitModel::Background(const double* p, int channel) const {
  if (!backgroundFitted_) return 0.0;
  const double* t = p + 10 * peakCount_;
  const double b = last_ - channel;
  return t[1] + b * (t[2] + b * (t[3] + b * t[4])) + t[5] * shirley_[channel] +
         t[6] * tougaard_[channel];
}

double GaussLorentzFitModel::PeakValueAndDerivatives(const double* p, int channel, double* d) {
  double value = 0.0;
  for (int peak = 0; peak < peakCount_; ++peak) {
    const int base = 10 * peak + 1;
    value += GaussLorentzPeakWithDerivatives(p + base, doublet_, channel, d + base);
  }
  return value;
}

double GaussLorentzFitModel::ValueAndDerivatives(const double* p, int channel, double* d) {
  const double value = PeakValueAndDerivatives(p, channel, d);
  if (coupled_) {
    const std::size_t stride = static_cast<std::size_t>(pointCount_) + 1;
    for (int k = 1; k <= 10 * peakCount_; ++k) d[k] += coupling_[k * stride + channel];
  }
  BackgroundDerivatives(channel, d);
  return value + Background(p, channel);
}

double GaussLorentzFitModel::Value(const double* p, int channel) {
  double value = 0.0;
  for (int peak = 0; peak < peakCount_; ++peak) {
    value += GaussLorentzPeakValue(p + 10 * peak + 1, doublet_, channel);
  }
  return value + Background(p, channel);
}

void GaussLorentzFitModel::FloorFree(double* p, int k) const {
  if (scale_ != nullptr && scale_[k] != 0.0 && p[k] <= 0.0) p[k] = kFreeFloor;
}

void GaussLorentzFitModel::ApplyLimits(double* p) {
  auto clamp = [&](int k) {
    if (p[k] < lower_[k]) p[k] = lower_[k];
    if (p[k] > upper_[k]) p[k] = upper_[k];
  };
  for (int peak = 0; peak < peakCount_; ++peak) {
    const int D = 10 * peak + 1;
    // Partner entries of peaks 2..n marked linked follow peak 1.
    auto linked = [&](int offset) { return peak > 0 && scale_ && scale_[D + offset] == 1.0; };
    FloorFree(p, D);
    clamp(D);
    if (p[D] < 0.0) p[D] = 1e-4;
    if (p[D + 1] < 0.0) p[D + 1] = 1e-4;
    if (linked(1)) p[D + 1] = p[2];
    FloorFree(p, D + 2);
    clamp(D + 2);
    if (p[D + 2] < 0.0) p[D + 2] = 1e-4;
    if (p[D + 2] > 1.0) p[D + 2] = 1.0;
    if (p[D + 3] < 0.0) p[D + 3] = 1e-4;
    if (p[D + 2] * p[D + 3] > 1.0) p[D + 3] = 1.0 / p[D + 2];
    if (linked(3)) p[D + 3] = p[4];
    if (p[D + 4] > upper_[D + 4]) p[D + 4] = upper_[D + 4];
    if (p[D + 4] < lower_[D + 4]) p[D + 4] = lower_[D + 4];
    if (linked(5)) p[D + 5] = p[6];
    clamp(D + 6);
    if (p[D + 6] < 0.0) p[D + 6] = 1e-4;
    if (p[D + 7] < 0.0) p[D + 7] = p[D + 6] > 0.0 ? 1e-4 / p[D + 6] : 1e-4;
    if (linked(7)) p[D + 7] = p[8];
    clamp(D + 8);
    if (linked(9)) p[D + 9] = p[10];
  }
  const int N = 10 * peakCount_;
  if (p[N + 5] < 0.0) p[N + 5] = 0.0;
}

void GaussLorentzRelativeFitModel::Resolve(const double* p) {
  const std::size_t size = 10 * static_cast<std::size_t>(peakCount_) + 1;
  if (resolved_.size() != size) resolved_.assign(size, 0.0);
  std::copy(p + 1, p + 11, resolved_.begin() + 1);
  for (int peak = 1; peak < peakCount_; ++peak) {
    ResolveRelativePeak(p + 1, p + 10 * peak + 1, resolved_.data() + 10 * peak + 1);
  }
}

void GaussLorentzRelativeFitModel::Linearise(const double* p) {
  Resolve(p);
  GaussLorentzFitModel::Linearise(p);
}

// Linearise has resolved the entries of p.
double GaussLorentzRelativeFitModel::PeakValueAndDerivatives(const double* p, int channel, double* d) {
  for (int k = 1; k <= 10 * peakCount_; ++k) d[k] = 0.0;
  double value = 0.0;
  double own[10];
  for (int peak = 0; peak < peakCount_; ++peak) {
    const int D = 10 * peak + 1;
    if (peak == 0) {
      value += GaussLorentzPeakWithDerivatives(p + 1, doublet_, channel, d + 1);
      continue;
    }
    // Derivatives with respect to the peak's absolute quantities, then
    // handed on: a product to each factor times the others, a sum unchanged.
    value += GaussLorentzPeakWithDerivatives(resolved_.data() + D, doublet_, channel, own);
    const double* e = p + D;
    for (int j : {kPartnerHeight, kPartnerShape, kPartnerPosition, kPartnerWidth, kPartnerAsymmetry}) {
      d[D + j] = own[j];
    }
    for (int j : {kHeight, kShape, kWidth, kAsymmetry}) {
      d[D + j] = own[j] * p[1 + j];
      d[1 + j] += own[j] * e[j];
    }
    d[D + kPosition] = own[kPosition];
    d[1 + kPosition] += own[kPosition];
  }
  return value;
}

// A trial is judged with the background terms of its own peaks.
void GaussLorentzRelativeFitModel::PrepareTrial(const double* p) {
  Resolve(p);
  BuildTerms(p);
}

double GaussLorentzRelativeFitModel::Value(const double* p, int channel) {
  double value = 0.0;
  for (int peak = 0; peak < peakCount_; ++peak) {
    const double* e = resolved_.data() + 10 * peak + 1;
    value += doublet_ ? GaussLorentzRelativePeakValue(e, peak == 0, channel)
                      : GaussLorentzValue(GaussLorentzMainLine(e), channel,
                                          peak == 0 ? WidthFloor::ChiSquareMain
                                                    : WidthFloor::ChiSquarePartner);
  }
  return value + Background(p, channel);
}

void GaussLorentzRelativeFitModel::ApplyLimits(double* p) {
  auto clamp = [&](int k) {
    if (p[k] < lower_[k]) p[k] = lower_[k];
    if (p[k] > upper_[k]) p[k] = upper_[k];
  };
  // Peak 1 holds absolute values.
  FloorFree(p, 1);
  clamp(1);
  if (p[1] < 0.0) p[1] = 1e-5;
  if (p[2] < 0.0) p[2] = 1e-7;
  FloorFree(p, 3);
  clamp(3);
  if (p[3] < 0.0) p[3] = 1e-4;
  if (p[3] > 1.0) p[3] = 1.0;
  if (p[4] < 0.0) p[4] = 1e-4;
  if (p[3] * p[4] > 1.0) p[4] = 1.0 / p[3];
  if (p[5] > upper_[5]) p[5] = upper_[5];
  if (p[5] < lower_[5]) p[5] = lower_[5];
  clamp(7);
  if (p[7] < 0.0) p[7] = 1e-4;
  if (p[8] < 0.0) p[8] = p[7] > 0.0 ? 1e-4 / p[7] : 1e-4;
  clamp(9);
  for (int peak = 1; peak < peakCount_; ++peak) {
    const int D = 10 * peak + 1;
    auto linked = [&](int offset) { return scale_ && scale_[D + offset] == 1.0; };
    FloorFree(p, D);
    clamp(D);
    if (p[D] < 0.0) p[D] = 1e-4;
    if (p[D + 1] < 0.0) p[D + 1] = 1e-4;
    if (linked(1)) p[D + 1] = p[2];
    FloorFree(p, D + 2);
    clamp(D + 2);
    if (p[D + 2] < 0.0) p[D + 2] = 1e-4;
    if (p[D + 2] * p[3] > 1.0) p[D + 2] = 1.0 / p[3];
    if (linked(3)) p[D + 3] = p[4];
    if (p[D + 3] < 0.0) p[D + 3] = 1e-4;
    if (p[3] * p[D + 2] * p[D + 3] > 1.0) p[D + 3] = 1.0 / (p[D + 2] * p[3]);
    if (p[D + 4] > upper_[D + 4]) p[D + 4] = upper_[D + 4];
    if (p[D + 4] < lower_[D + 4]) p[D + 4] = lower_[D + 4];
    if (linked(5)) p[D + 5] = p[6];
    clamp(D + 6);
    if (p[D + 6] < 0.0) p[D + 6] = 1e-4;
    if (linked(7)) p[D + 7] = p[8];
    if (p[D + 7] < 0.0) p[D + 7] = p[D + 6] > 0.0 ? 1e-4 / p[D + 6] : 1e-4;
    clamp(D + 8);
    if (linked(9)) p[D + 9] = p[10];
  }
  const int N = 10 * peakCount_;
  if (p[N + 5] < 0.0) p[N + 5] = 0.0;
}

ForwardDifferenceModel::ForwardDifferenceModel(int variables, int first, int last,
                                               CurveFunction curve, LimitFunction limits,
                                               double relativeStep, double zeroStep,
                                               const double* scale)
    : variables_(variables),
      first_(first),
      last_(last),
      stride_(static_cast<std::size_t>(std::max(last, 0)) + 1),
      curve_(std::move(curve)),
      limits_(std::move(limits)),
      relativeStep_(relativeStep),
      zeroStep_(zeroStep),
      scale_(scale),
      base_(stride_, 0.0),
      trial_(stride_, 0.0),
      stepped_(stride_, 0.0),
      jacobian_(static_cast<std::size_t>(variables + 1) * stride_, 0.0),
      steppedVector_(static_cast<std::size_t>(variables) + 1, 0.0) {}

void ForwardDifferenceModel::Linearise(const double* p) {
  curve_(p, base_.data());
  std::copy(p, p + variables_ + 1, steppedVector_.begin());
  std::fill(jacobian_.begin(), jacobian_.end(), 0.0);
  for (int k = 1; k <= variables_; ++k) {
    if (scale_ != nullptr && scale_[k] == 0.0) continue;
    const double v = p[k];
    steppedVector_[k] = v != 0.0 ? v + relativeStep_ * v : zeroStep_;
    const double divisor = steppedVector_[k] - v;
    curve_(steppedVector_.data(), stepped_.data());
    steppedVector_[k] = v;
    // A step too small to change the stored value gives no column.
    if (divisor == 0.0) continue;
    double* row = jacobian_.data() + k * stride_;
    for (int x = first_; x <= last_; ++x) row[x] = (stepped_[x] - base_[x]) / divisor;
  }
}

double ForwardDifferenceModel::ValueAndDerivatives(const double*, int channel, double* d) {
  for (int k = 1; k <= variables_; ++k) d[k] = jacobian_[k * stride_ + channel];
  return base_[channel];
}

void ForwardDifferenceModel::PrepareTrial(const double* p) { curve_(p, trial_.data()); }

}  // namespace sorvan
