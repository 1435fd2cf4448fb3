// The polynomial-Shirley background and the set-up of the fitted background:
// the numbers come from processing/poly_shirley.h, this file moves them
// between the store, the work vectors and the two pages.
#include "processing/poly_background.h"

#include <span>
#include <vector>

#include "core/messages.h"
#include "core/model.h"
#include "core/store.h"
#include "dialogs/background_polynomial_page.h"
#include "dialogs/fit_background_page.h"
#include "dialogs/page.h"
#include "display/curves.h"
#include "display/redraw.h"
#include "processing/background_procedures.h"
#include "processing/kernels/backgrounds.h"
#include "processing/pages/background_page.h"
#include "processing/poly_shirley.h"
#include "processing/region.h"

namespace sorvan {

namespace {

constexpr int kPolynomialPage = 27;
constexpr int kFitBackgroundPage = 28;
constexpr double kNoBackgroundTermsVersion = 400;  // files up to this carry no background

std::span<double> Span(CheckedVector<double>& v) { return {v.data(), v.size()}; }
std::span<const double> ConstSpan(const CheckedVector<double>& v) { return {v.data(), v.size()}; }

// Column 1 over all points into WorkData and a working background of the
// same size; the redraws between two answers leave only the region.
void LoadWorkingSpectrum(int w) {
  const int n = WindowPointCount(w);
  LoadWorkData(w, 1, 1, n);
  if (WorkBackground.Upper() != n) LoadWorkBackground(w, 2, 1, n);
}

// The window's terms A..F at indices 1..6.
std::vector<double> Terms(int w) {
  std::vector<double> t(7, 0.0);
  for (int k = 1; k <= 6; ++k) t[k] = Win[w].BackgroundTermValue[k];
  return t;
}

void SetTerm(int w, int k, double value, bool fixed) {
  Win[w].BackgroundTermValue[k] = value;
  Win[w].BackgroundTermFixed[k] = fixed;
}

// The answer a series run gives in place of the user: as many further
// passes as the last interactive run made, then keep or subtract as the
// series' template window did.
void SetBatchPolynomialAnswer() {
  if (G.ShirleyPassCount < G.ShirleyPassTarget) {
    G.DialogResult = AnswerPolynomialAnotherPass;
  } else {
    const int t = G.SeriesTemplateWindow;
    G.DialogResult = (IsSpectrumWindow(t) && Win[t].BackgroundState == BackgroundDefined)
                         ? AnswerPolynomialKeep
                         : 1;
  }
}

}  // namespace

void ComputePolyShirleyBackground(int w) {
  if (!IsSpectrumWindow(w)) return;
  const bool batch = G.BatchMode == 1;
  // A second run while the page shows the first would overwrite the working
  // vectors that the open page is about to act on.
  if (!batch && !PageCanOpen(kPolynomialPage)) return;
  G.ShirleyPassCount = 0;
  if (G.BatchMode == 0) G.ShirleyPassTarget = 0;
  BackgroundPrelude(w);
  AverageRegionEnds();
  const double left = G.Scratch1;
  if (!batch) {
    Win[w].BackgroundTermValue[1] = G.Scratch2;
    for (int k = 2; k <= 5; ++k) Win[w].BackgroundTermValue[k] = 1;
  }
  DimWorkSigma(w);
  DimWorkFitSum(w);
  for (int i = G.CursorStart; i <= G.CursorEnd; ++i) {
    if (WorkFitSum.Contains(i) && WorkBackground.Contains(i)) WorkFitSum[i] = WorkBackground[i];
  }
  bool newShirleyPass = true;
  bool flat = false;
  for (;;) {
    const std::vector<double> terms = Terms(w);
    if (newShirleyPass) {
      // Shirley part F: a pass towards A instead of the right end level.
      const double total = ShirleyPass(ConstSpan(WorkData), Span(WorkFitSum), Span(WorkSigma),
                                       G.CursorStart, G.CursorEnd, left, terms[1]);
      // Nothing above A, or a single point: there is no shape to scale, the
      // background stays flat at A.
      flat = total == 0.0 || G.CursorEnd <= G.CursorStart;
    }
    if (flat) {
      FillFlat(Span(WorkBackground), G.CursorStart, G.CursorEnd, terms[1]);
    } else {
      PolyShirleyFromShirleyPart(ConstSpan(WorkFitSum), Span(WorkBackground), G.CursorStart,
                                 G.CursorEnd, left, terms.data());
    }
    DrawBackgroundCurve(w);
    if (batch) SetBatchPolynomialAnswer();
    G.BackgroundName = G.MessageTexts[BackgroundKindPolyShirley];
    if (batch) {
      ApplyBackgroundPolynomial(w);
    } else if (!ShowBackgroundPolynomialPage(w, G.BackgroundName)) {
      return;
    }
    if (G.DialogResult == AnswerPolynomialRecompute) {
      newShirleyPass = false;
    } else if (G.DialogResult == AnswerPolynomialAnotherPass) {
      if (G.BatchMode == 0) ++G.ShirleyPassTarget;
      ++G.ShirleyPassCount;
      newShirleyPass = true;
    } else {
      return;
    }
    G.CursorStart = G.DialogCursorStart;
    G.CursorEnd = G.DialogCursorEnd;
    LoadWorkingSpectrum(w);
  }
}

void SubtractStoredFitBackground(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  win.ErrorTableValid = 0;
  win.HessianValid = 0;
  win.BackgroundState = BackgroundSubtracted;
  win.BackgroundRecipe = {};
  win.BackgroundRecipe.Kind = BackgroundKindFitted;
  win.BackgroundRecipe.Start = win.RegionStart;
  win.BackgroundRecipe.End = win.RegionEnd;
  win.BackgroundRecipe.SmoothBefore = win.SmoothCount;
  // The spectrum itself and the stored curve: the working vectors may hold
  // the fit sum or only the region by now.
  const int n = WindowPointCount(w);
  LoadWorkData(w, 1, 1, n);
  LoadWorkBackground(w, 2, 1, n);
  SubtractWorkBackground(w);
  RedrawWindow(w);
}

void SubtractFittedBackground(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  const double step = win.SpectrumHeader.EnergyStep;
  const int n = WindowPointCount(w);
  if (!(step > 0) || n < 1) {
    ShowStepFailure(3, w, std::string());
    return;
  }
  G.CursorStart = win.RegionStart;
  G.CursorEnd = win.RegionEnd;
  const int first = win.RegionStart, last = win.RegionEnd;
  // The spectrum with no background in it; the working background starts
  // as its copy, so that the points outside the region go to 0.
  BackgroundPrelude(w);
  LoadWorkingSpectrum(w);
  const double constant = win.BackgroundTermValue[1];
  if (win.HasFit == 1) {
    LoadComponent(w, win.PeakCount + 1, 1, n);
    if (WorkData.Upper() != n) WorkData.Resize(n);
    for (int i = 1; i <= n; ++i) WorkData[i] += constant;
  }
  std::vector<double> shirley(static_cast<std::size_t>(n) + 1, 0.0);
  std::vector<double> tougaard(static_cast<std::size_t>(n) + 1, 0.0);
  FitBackgroundStartShapes(ConstSpan(WorkData), constant, first, last, step, shirley, tougaard);
  const std::vector<double> terms = Terms(w);
  FitBackgroundCurve(Span(WorkBackground), shirley, tougaard, first, last, terms.data());
  StoreWorkBackground(w, 2);
  SubtractStoredFitBackground(w);
}

void SetUpFitBackground(int w) {
  if (!IsSpectrumWindow(w)) return;
  G.DialogResult = 0;
  if (!PageCanOpen(kFitBackgroundPage, PageGuard::Window28)) return;
  WindowRecord& win = Win[w];
  const double step = win.SpectrumHeader.EnergyStep;
  const int n = WindowPointCount(w);
  // The loss shape needs an energy scale.
  if (!(step > 0) || n < 1) {
    ShowStepFailure(3, w, std::string());
    return;
  }
  // The shapes and the polynomial are built over the region, where the fit
  // rebuilds them, whatever pair the user picked last.
  G.CursorStart = win.RegionStart;
  G.CursorEnd = win.RegionEnd;
  const int first = win.RegionStart, last = win.RegionEnd;
  const bool startTerms = win.BackgroundState == BackgroundNone &&
                          G.ParameterSetVersion <= kNoBackgroundTermsVersion;
  if (win.BackgroundState == BackgroundNone) {
    BackgroundPrelude(w);
    AverageRegionEnds();
    if (startTerms) {
      SetTerm(w, 1, G.Scratch2, false);
      SetTerm(w, 2, 0, true);
      SetTerm(w, 3, 0, true);
      SetTerm(w, 4, 0, true);
      SetTerm(w, 5, 1, false);
      SetTerm(w, 6, 0, true);
    }
  } else {
    LoadWorkingSpectrum(w);
  }
  const double constant = win.BackgroundTermValue[1];
  if (win.HasFit == 1) {
    // The shapes follow the fitted peaks: the fit sum on the constant.
    LoadComponent(w, win.PeakCount + 1, 1, n);
    if (WorkData.Upper() != n) WorkData.Resize(n);
    for (int i = 1; i <= n; ++i) WorkData[i] += constant;
  }
  if (win.BackgroundState == BackgroundLoaded) {
    LoadWorkData(w, 1, 1, n);
    LoadWorkBackground(w, 2, 1, n);
  }
  DimWorkSigma(w);
  DimWorkFitSum(w);
  DimWorkFitTarget(w);
  // S and T are kept apart from the work vectors, which the redraws between
  // two answers of the page may use.
  std::vector<double> shirley(static_cast<std::size_t>(n) + 1, 0.0);
  std::vector<double> tougaard(static_cast<std::size_t>(n) + 1, 0.0);
  FitBackgroundStartShapes(ConstSpan(WorkData), constant, first, last, step, shirley, tougaard);
  for (int i = 1; i <= n; ++i) {
    WorkSigma[i] = shirley[i];
    WorkFitSum[i] = tougaard[i];
  }
  if (startTerms) {
    win.BackgroundTermValue[5] =
        FitBackgroundStartShirley(ConstSpan(WorkData), shirley, first, constant,
                                  win.BackgroundTermValue[5]);
  }
  for (;;) {
    const std::vector<double> terms = Terms(w);
    if (WorkBackground.Upper() != n) LoadWorkBackground(w, 2, 1, n);
    FitBackgroundCurve(Span(WorkBackground), shirley, tougaard, first, last, terms.data());
    if (win.BackgroundState == BackgroundFitted) LoadWorkData(w, 1, first, last);
    StoreWorkBackground(w, 2);
    RedrawWindow(w);
    DrawBackgroundCurve(w);
    if (G.DialogResult == 0 || G.DialogResult == AnswerFitBackgroundKeep) {
      if (!ShowFitBackgroundPage(w)) return;
    }
    if (G.DialogResult == AnswerFitBackgroundConfirm) {
      // Confirmed: the curve is built once more from the confirmed terms.
      G.DialogResult = 1;
    } else if (G.DialogResult != AnswerFitBackgroundKeep) {
      return;
    }
    // The next curve replaces the region of the column stored above; the
    // points outside keep what they hold.
    LoadWorkBackground(w, 2, 1, n);
  }
}

}  // namespace sorvan
