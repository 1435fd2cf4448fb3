// Chi-square of a window's fit and its statistics line.
#include <cmath>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "fit/chi_square.h"
#include "fit/fit_format.h"
#include "fit/fit_vector.h"
#include "fit/peak_models.h"
#include "platform/forms.h"
#include "platform/text.h"

namespace sorvan {

namespace {

int FreeBackgroundTerms(int w) {
  if (Win[w].BackgroundState != BackgroundFitted) return 0;
  int free = 0;
  const int N = 10 * Win[w].PeakCount;
  for (int i = 1; i <= 6; ++i) {
    if (N + i <= G.ParameterScale.Upper() && G.ParameterScale[N + i] != 0.0) ++free;
  }
  return free;
}

// The model of window w's fit over its region into model[first..last], as
// the chosen chi-square procedure compares it with the data. False when no
// data are set up for the region.
bool ModelCurve(int w, ChiSquareModel kind, std::vector<double>& model) {
  const WindowRecord& win = Win[w];
  const int first = win.RegionStart;
  const int last = win.RegionEnd;
  if (first < 1 || last > WorkFitTarget.Upper() || last > WorkSigma.Upper()) return false;
  model.assign(static_cast<std::size_t>(last + 1), 0.0);
  const int n = Win[w].PeakCount;
  const double* p = G.FitVector.begin();
  switch (kind) {
    case ChiSquareModel::GaussLorentz: {
      const bool doublet = IsDoubletWindow(w);
      for (int x = first; x <= last; ++x) {
        double v = 0.0;
        for (int peak = 0; peak < n; ++peak) v += GaussLorentzPeakValue(p + 10 * peak + 1, doublet, x);
        model[x] = v;
      }
      break;
    }
    case ChiSquareModel::GaussLorentzRelative: {
      std::vector<double> resolved(10 * static_cast<std::size_t>(n) + 1, 0.0);
      for (int peak = 0; peak < n; ++peak) {
        if (peak == 0) {
          std::copy(p + 1, p + 11, resolved.begin() + 1);
        } else {
          ResolveRelativePeak(p + 1, p + 10 * peak + 1, resolved.data() + 10 * peak + 1);
        }
      }
      for (int x = first; x <= last; ++x) {
        double v = 0.0;
        for (int peak = 0; peak < n; ++peak)
          v += GaussLorentzRelativePeakValue(resolved.data() + 10 * peak + 1, peak == 0, x);
        model[x] = v;
      }
      break;
    }
    case ChiSquareModel::Curve:
      for (int x = first; x <= last; ++x) model[x] = WorkFitSum[x];
      break;
  }
  return true;
}

void Statistics(int w, ChiSquareModel kind, double sumSquaresStart) {
  const WindowRecord& win = Win[w];
  std::vector<double> model;
  if (!ModelCurve(w, kind, model)) {
    // No data set up for this region: nothing to compare.
    G.ChiSquare = G.ReducedChiSquare = G.ResidualCorrelation = G.Scratch3 = 0.0;
    return;
  }
  const FitStatistics s = ComputeFitStatistics(
      model.data(), WorkFitTarget.begin(), WorkSigma.begin(), win.RegionStart, win.RegionEnd,
      DegreesUsedByPeaks(win.PeakCount, IsDoubletWindow(w), FreeBackgroundTerms(w)),
      CountsFactor(w), sumSquaresStart);
  G.ChiSquare = s.chiSquare;
  G.ReducedChiSquare = s.reducedChiSquare;
  G.ResidualCorrelation = s.serialCorrelation;
  G.Scratch3 = s.unscaledReducedChiSquare;
}

}  // namespace

double CountsFactor(int w) {
  if (G.CpsMode != 1) return 1.0;
  const double f = Win[w].SpectrumHeader.ScanCount * Win[w].SpectrumHeader.DwellTime;
  return f != 0.0 ? f : 1.0;
}

void WeightsFromRawCounts(int w, int points) {
  const double perSecond = CountsFactor(w);
  for (int i = 1; i <= points; ++i) {
    double value = WorkData[i] / perSecond;
    if (value <= 0.0) value = 1e-8;
    WorkSigma[i] = std::sqrt(value);
  }
}

void ChiSquareGaussLorentz(int w) { Statistics(w, ChiSquareModel::GaussLorentz, 0.0); }

void ChiSquareGaussLorentzRelative(int w) { Statistics(w, ChiSquareModel::GaussLorentzRelative, 0.0); }

void ChiSquareFromCurve(int w) { Statistics(w, ChiSquareModel::Curve, 1e-8); }

bool WeightedResiduals(int w, ChiSquareModel kind, std::vector<double>& r) {
  std::vector<double> model;
  if (!ModelCurve(w, kind, model)) {
    r.clear();
    return false;
  }
  const WindowRecord& win = Win[w];
  const double root = std::sqrt(CountsFactor(w));
  r.assign(model.size(), 0.0);
  for (int x = win.RegionStart; x <= win.RegionEnd; ++x)
    r[x] = root * (model[x] - WorkFitTarget[x]) / WorkSigma[x];
  return true;
}

namespace {
double g_shownIterations = 0;
}  // namespace

double ShownIterationCount() { return g_shownIterations; }

void ShowFitStatistics(int w) { ShowFitStatistics(w, G.IterationLimit * G.FitRound + G.FitIteration); }

void ShowFitStatistics(int w, double trials) {
  g_shownIterations = trials;
  if (IsSpectrumWindow(w)) Win[w].FitTrialCount = trials;
  const std::string text = G.MessageTexts[89] + ": " + plat::NumberToText(trials) + "  " +
                           G.MessageTexts[90] + FitNumberText(G.ReducedChiSquare, 3) + " " +
                           G.LabelTexts[128] + FitNumberText(G.ChiSquare, 3) + "  " +
                           G.MessageTexts[114] + FitNumberText(G.ResidualCorrelation, 4);
  G.StatusText = text;
  plat::SetCaption(w, text);
}

}  // namespace sorvan
