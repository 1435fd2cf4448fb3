// The fit of a window: data and weights from the window, the iteration of
// lm_fit with redraws, caption progress and Esc between steps, the rounds,
// the fit-finished page and storing into the peak table.
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/messages.h"
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
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fit/peak_models.h"
#include "platform/forms.h"
#include "platform/loop.h"
#include "platform/surfaces.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kMessageBadData = 3;
constexpr int kMessageInconsistent = 9;

bool DefinedOrFitted(int w) { return Win[w].BackgroundState == BackgroundDefined || Win[w].BackgroundState == BackgroundFitted; }
bool Fitted(int w) { return BackgroundFittedWithPeaks(w); }

// Frame, spectrum, peaks, sum and residuals of w with the parameters in
// G.FitVector.
void DrawFitPicture(int w, const WindowFitKind& kind) {
  const WindowRecord& win = Win[w];
  LoadWorkData(w, 1, win.RegionStart, win.RegionEnd);
  ComputeIntensityRange(w);
  ComputeEnergyRange(w);
  DrawFrameAndAxes(w, G.FrameColour);
  PlotSpectrum(w, ColourOf(G.CurveColours[0]), G.CurveStyles[0], G.CurveWidths[0]);
  if (kind.evaluatePeaks) kind.evaluatePeaks(w);
  DrawFitCurveAndResiduals(w);
}

void DrawBackgroundIfAny(int w) {
  if (DefinedOrFitted(w)) DrawBackgroundCurve(w);
}

void CopyStatistics(const FitStatistics& s) {
  G.ChiSquare = s.chiSquare;
  G.ReducedChiSquare = s.reducedChiSquare;
  G.ResidualCorrelation = s.serialCorrelation;
  G.Scratch3 = s.unscaledReducedChiSquare;
}

void MirrorEngine(const LevenbergMarquardt& engine) {
  G.FitDamping = engine.damping;
  G.TrialReducedChi2 = engine.trialReducedChi2;
  G.AcceptedReducedChi2 = engine.acceptedReducedChi2;
  G.ConvergedCount = engine.convergedCount;
  G.FitIteration = engine.iteration;
  G.FitRound = engine.round;
  G.FitKey = static_cast<Byte>(engine.lastKey);
}

int FreeBackgroundTerms(const std::vector<double>& scale, int N, int w) {
  if (!Fitted(w)) return 0;
  int free = 0;
  for (int i = 1; i <= 6; ++i) free += scale[N + i] != 0.0 ? 1 : 0;
  return free;
}

}  // namespace

bool BackgroundFittedWithPeaks(int w) { return Win[w].BackgroundState == BackgroundFitted; }

std::unique_ptr<FitModel> MakeFitModel(int w, bool doniachSunjic, bool relative) {
  const WindowRecord& win = Win[w];
  const int n = win.PeakCount;
  const bool doublet = IsDoubletWindow(w);
  const bool fitted = BackgroundFittedWithPeaks(w);
  const int points = win.SpectrumHeader.PointCount;
  const double step = win.SpectrumHeader.EnergyStep;
  const int first = win.RegionStart, last = win.RegionEnd;
  if (doniachSunjic) {
    if (relative)
      return std::make_unique<DoniachSunjicRelativeFitModel>(n, doublet, fitted, points, first, last, step);
    return std::make_unique<DoniachSunjicFitModel>(n, doublet, fitted, points, first, last, step);
  }
  if (relative)
    return std::make_unique<GaussLorentzRelativeFitModel>(n, doublet, fitted, points, first, last, step);
  return std::make_unique<GaussLorentzFitModel>(n, doublet, fitted, points, first, last, step);
}

std::unique_ptr<FitModel> MakeWindowFitModel(int w) {
  return MakeFitModel(w, Win[w].PeakModel == PeakModelDoniachSunjic, Win[w].RelativeMode == 1);
}

FitPages& FitPageHooks() {
  static FitPages pages;
  return pages;
}

void DimFitWorkColumns(int w, int points) {
  DimWorkSigma(w);
  DimWorkPeak(w);
  DimWorkFitSum(w);
  DimWorkShirleyShape(w);
  DimWorkTougaardShape(w);
  DimWorkScratch(w);
  DimWorkFitTarget(w);
  LoadWorkFitTarget(w, 1, 1, points);
  LoadWorkBackground(w, 2, 1, points);
}

int ShowTrialAndPollKey(int w, double iteration) {
  if (Win[w].WindowOpen)
    plat::SetCaption(w, IterationCaption(iteration));
  const int key = plat::PollKey();
  G.FitKey = static_cast<Byte>(key);
  return key;
}

FitOutcome RunWindowFit(int w, const WindowFitKind& kind) {
  if (!IsSpectrumWindow(w)) return FitOutcome::Finished;
  // The window is redrawn after every step: shown a few times a second.
  const RunRedraws pictures;
  WindowRecord& win = Win[w];
  G.FitRunState = FitRunning;
  win.YRangeFixed = 0;
  const bool wasOpen = win.WindowOpen;
  while (true) {
    const int points = win.SpectrumHeader.PointCount;
    const int first = win.RegionStart;
    const int last = win.RegionEnd;
    const int N = 10 * win.PeakCount;
    const int P = N + 6;
    if (win.SpectrumHeader.EnergyStep == 0.0 || points < 1) {
      ShowStepFailure(kMessageBadData, w, std::string());
      return FitOutcome::Finished;
    }
    if (first < 1 || last > points || last < first || G.FitVector.Upper() < P ||
        G.ParameterScale.Upper() < P || G.FitLowerLimits.Upper() < N) {
      ShowStepFailure(kMessageInconsistent, w, FitFailureText(FitFailure::RegionOutside));
      return FitOutcome::Finished;
    }
    std::vector<double> p(G.FitVector.begin(), G.FitVector.begin() + P + 1);
    std::vector<double> scale(G.ParameterScale.begin(), G.ParameterScale.begin() + P + 1);
    std::vector<double> lower(G.FitLowerLimits.begin(), G.FitLowerLimits.begin() + N + 1);
    std::vector<double> upper(G.FitUpperLimits.begin(), G.FitUpperLimits.begin() + N + 1);
    const double degrees =
        DegreesUsedByPeaks(win.PeakCount, IsDoubletWindow(w), FreeBackgroundTerms(scale, N, w));
    // A region with no degree of freedom left gives no reduced chi-square.
    if (last - first + 1 <= degrees) {
      ShowStepFailure(kMessageInconsistent, w, FitFailureText(FitFailure::TooFewPoints));
      return FitOutcome::Finished;
    }

    // Data: the spectrum, less the background when one is defined or fitted.
    G.FitRound = 0;
    DimFitWorkColumns(w, points);
    // The iteration fits the fitted background's terms itself, so it runs
    // against the data with only a defined background taken off.
    std::vector<double> target(WorkFitTarget.begin(), WorkFitTarget.begin() + points + 1);
    if (DefinedOrFitted(w)) {
      for (int i = 1; i <= points; ++i) WorkFitTarget[i] -= WorkBackground[i];
    }
    if (win.BackgroundState == BackgroundDefined) {
      for (int i = 1; i <= points; ++i) target[i] -= WorkBackground[i];
    }

    // Weights from the raw counts of the source spectrum, whatever
    // processing followed.
    // A source that cannot be read again leaves the store with another
    // file's counts (or none): the fit must not weigh by them.
    if (FitPageHooks().reloadSourceData && !FitPageHooks().reloadSourceData(w))
      return FitOutcome::Finished;
    if (!LoadWindowSource(w)) {
      ShowStepFailure(kMessageBadData, w, std::string());
      return FitOutcome::Finished;
    }
    WeightsFromRawCounts(w, points);
    win.HasFit = 1;
    G.FitDisplayPass = 1;
    G.FitIteration = 0;
    G.FitDamping = 1e-4;

    std::unique_ptr<FitModel> model = kind.makeModel(w);
    model->SetLimits(lower.data(), upper.data(), scale.data());
    model->SetTailUsed(p[N + 6] != 0.0 || scale[N + 6] != 0.0);
    LevenbergMarquardt engine(P, points);
    FitData data;
    data.target = target.data();
    data.sigma = WorkSigma.begin();
    data.first = first;
    data.last = last;
    data.scale = scale.data();
    data.degreesUsed = degrees;
    data.countsFactor = CountsFactor(w);
    FitSettings settings{G.IterationLimit, G.FitRounds, kind.acceptOnlySmaller};

    auto sync = [&](const double* q) {
      if (G.FitVector.Upper() >= P) std::copy(q, q + P + 1, G.FitVector.begin());
      MirrorEngine(engine);
      CopyStatistics(engine.statistics);
    };
    FitHooks hooks;
    hooks.startQuestion = [&](const double* q) {
      sync(q);
      DrawFitPicture(w, kind);
      if (Fitted(w)) RebuildFitBackground(w);
      DrawBackgroundIfAny(w);
      ShowFitStatistics(w);
      if (G.BatchMode == 0 && FitPageHooks().iterationLimitPage) {
        FitPageHooks().iterationLimitPage(w);
        settings.iterationLimit = G.IterationLimit;
        settings.fitRounds = G.FitRounds;
      }
      return !(G.BatchMode == 2 || (G.DialogResult == 2 && G.BatchMode != 1));
    };
    hooks.acceptedStep = [&](const double* q) {
      sync(q);
      G.FitDisplayPass = 0;
      DrawFitPicture(w, kind);
      if (Fitted(w)) RebuildFitBackground(w);
      DrawBackgroundIfAny(w);
      ShowFitStatistics(w);
    };
    hooks.afterTrial = [&](const double* q, double iteration) {
      sync(q);
      if (Fitted(w)) RebuildFitBackground(w);
      ShowFitStatistics(w);
      return ShowTrialAndPollKey(w, iteration);
    };
    hooks.windowClosed = [&] {
      return G.FitRunState == FitStopRequested || (wasOpen && !win.WindowOpen);
    };
    hooks.roundEnd = [&](const double* q, const FitStatistics&) {
      sync(q);
      G.FitDisplayPass = 1;
      DrawFitPicture(w, kind);
      if (Fitted(w)) {
        RebuildFitBackground(w);
        DrawFitPicture(w, kind);
      }
      DrawBackgroundIfAny(w);
      if (kind.chiSquare) kind.chiSquare(w);
      ShowFitStatistics(w);
      if (kind.store) kind.store(w);
      G.FitDisplayPass = 0;
    };
    hooks.finished = [&](double* q) {
      MirrorEngine(engine);
      if (G.BatchMode != 1 && FitPageHooks().fitFinishedPage) {
        FitPageHooks().fitFinishedPage(w);
      } else {
        G.DialogResult = 2;
      }
      if (G.DialogResult == 1 && Fitted(w)) RebuildFitBackground(w);
      // A page opened from the finished page may have set new start values.
      if (G.DialogResult != 1 && G.DialogResult != 2 && G.FitVector.Upper() >= P) {
        std::copy(G.FitVector.begin(), G.FitVector.begin() + P + 1, q);
      }
      return static_cast<int>(G.DialogResult);
    };
    hooks.singular = [&] {
      ShowStepFailure(kMessageInconsistent, w, FitFailureText(FitFailure::Singular));
    };

    const FitOutcome outcome = engine.Run(*model, data, p.data(), settings, hooks);
    MirrorEngine(engine);
    if (outcome != FitOutcome::FitAgain) return outcome;
  }
}

void FitPeaksGaussLorentz(int w) {
  WindowFitKind kind;
  kind.makeModel = [](int window) { return MakeFitModel(window, false, false); };
  kind.evaluatePeaks = EvaluatePeaksGaussLorentz;
  kind.chiSquare = ChiSquareGaussLorentz;
  kind.store = StoreFitParameters;
  RunWindowFit(w, kind);
}

void FitPeaksGaussLorentzRelative(int w) {
  WindowFitKind kind;
  kind.makeModel = [](int window) { return MakeFitModel(window, false, true); };
  kind.evaluatePeaks = EvaluatePeaksGaussLorentzRelative;
  kind.chiSquare = ChiSquareGaussLorentzRelative;
  kind.store = StoreFitParametersRelative;
  RunWindowFit(w, kind);
}

}  // namespace sorvan
