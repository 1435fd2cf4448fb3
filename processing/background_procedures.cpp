// The one-shot backgrounds of a window: the common prelude and the constant,
// linear, Shirley and Tougaard kinds with their refining loops, the area, the
// commit and the negation. The numbers come from processing/kernels/
// backgrounds.h; this file moves them between the store, the work vectors and
// the acceptance page.
#include "processing/background_procedures.h"

#include <algorithm>
#include <span>
#include <vector>

#include "core/messages.h"
#include "core/model.h"
#include "core/store.h"
#include "display/curves.h"
#include "display/frame.h"
#include "display/plotters.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "platform/surfaces.h"
#include "processing/kernels/backgrounds.h"
#include "processing/pages/background_page.h"
#include "processing/region.h"

namespace sorvan {

namespace {

std::span<double> Span(CheckedVector<double>& v) { return {v.data(), v.size()}; }
std::span<const double> ConstSpan(const CheckedVector<double>& v) { return {v.data(), v.size()}; }

int PointCount(int w) { return WindowPointCount(w); }

// A background started while page 1x shows another one would overwrite the
// working vectors the open page is about to act on.
bool PageAlreadyOpen() { return G.BatchMode == 0 && G.DialogWindow1Busy != 0; }

// The working vectors over all points: the spectrum as column 1 holds it
// (redraws in between leave only the region in WorkData), and a working
// background of the same size (resized from column 2 when it is not).
void LoadWorkingSpectrum(int w) {
  const int n = PointCount(w);
  LoadWorkData(w, 1, 1, n);
  if (WorkBackground.Upper() != n) LoadWorkBackground(w, 2, 1, n);
}

// A further segment continues the background that waits in column 2 (left
// there by the new-segment answer), on the spectrum over all points.
void LoadSegmentedSpectrum(int w) {
  const int n = PointCount(w);
  LoadWorkData(w, 1, 1, n);
  LoadWorkBackground(w, 2, 1, n);
}

// The window a background command began on, its state then and its
// background column: what Cancel on the page gives back.
struct BackgroundAtStart {
  int window = 0;
  Byte state = BackgroundNone;
  std::vector<double> column;  // points 1..n at 0..n-1
};
BackgroundAtStart g_atStart;

void RememberBackgroundAtStart(int w) {
  const int n = PointCount(w);
  g_atStart.window = w;
  g_atStart.state = Win[w].BackgroundState;
  g_atStart.column.assign(static_cast<std::size_t>(std::max(n, 0)), 0.0);
  for (int i = 1; i <= n; ++i) g_atStart.column[i - 1] = SlotData[w](i, 2);
}

// Shows page 1x or, in a series, acts on the answer the series set. False
// when the page could not open; the caller then ends its loop.
bool OfferBackground(int w) {
  if (G.BatchMode != 0) {
    AcceptBackground(w);
    return true;
  }
  return ShowBackgroundAcceptPage(w, G.BackgroundName);
}

// The answer a batch Shirley run gives in place of the user: as many further
// passes as the last interactive run made, then subtract or keep as the
// series' template window did.
void SetBatchShirleyAnswer() {
  if (G.ShirleyPassCount < G.ShirleyPassTarget) {
    G.DialogResult = AnswerAnotherPass;
  } else {
    const int t = G.SeriesTemplateWindow;
    G.DialogResult = (IsSpectrumWindow(t) && Win[t].BackgroundState == BackgroundDefined)
                         ? AnswerKeep
                         : AnswerSubtract;
  }
}

}  // namespace

void BackgroundPrelude(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  RememberBackgroundAtStart(w);
  if (G.BatchMode == 0 && G.RegionPickState == 0) {
    G.CursorStart = win.RegionStart;
    G.CursorEnd = win.RegionEnd;
  }
  G.BackgroundStart = G.CursorStart;
  G.BackgroundEnd = G.CursorEnd;
  const int n = PointCount(w);
  if (win.BackgroundState == BackgroundNone || win.BackgroundState == BackgroundSubtracted) {
    G.SegmentMode = 0;
    // Put a background subtracted before back into the spectrum, so that the
    // new background replaces it instead of stacking on it. Without a
    // subtracted background the column holds nothing that belongs to the
    // spectrum (a cancelled polynomial background leaves its old content
    // there), and adding it would corrupt the data.
    LoadWorkData(w, 1, 1, n);
    LoadWorkBackground(w, 2, 1, n);
    if (win.BackgroundState == BackgroundSubtracted)
      for (int i = 1; i <= n; ++i) WorkData[i] += WorkBackground[i];
    StoreWorkData(w, 1);
    ComputeIntensityRange(w);
    ComputeEnergyRange(w);
    if (win.WindowOpen) {
      DrawFrameAndAxes(w, G.FrameColour);
      PlotSpectrum(w, G.CurveColours[0], G.CurveStyles[0], G.CurveWidths[0]);
      plat::FlushSurface();
    }
    LoadWorkBackground(w, 1, 1, n);
  } else {
    LoadWorkingSpectrum(w);
  }
}

bool RestoreBackgroundOfCommandStart(int w) {
  if (!IsSpectrumWindow(w) || g_atStart.window != w) return false;
  const Byte state = g_atStart.state;
  if (state != BackgroundDefined && state != BackgroundFitted && state != BackgroundLoaded) return false;
  const int n = PointCount(w);
  if (static_cast<int>(g_atStart.column.size()) != n) return false;
  for (int i = 1; i <= n; ++i) SlotData[w](i, 2) = g_atStart.column[i - 1];
  Win[w].BackgroundState = state;
  g_atStart.window = 0;
  return true;
}

void ComputeConstantBackground(int w) {
  if (!IsSpectrumWindow(w) || PageAlreadyOpen()) return;
  BackgroundPrelude(w);
  const WindowRecord& win = Win[w];
  G.CursorStart = 1;
  G.CursorEnd = static_cast<Int16>(PointCount(w));
  FillFlat(Span(WorkBackground), win.RegionStart, win.RegionEnd, win.IntensityMin);
  DrawBackgroundCurve(w);
  G.BackgroundName = G.MessageTexts[BackgroundKindConstant];
  OfferBackground(w);
}

void ComputeLinearBackground(int w) {
  if (!IsSpectrumWindow(w) || PageAlreadyOpen()) return;
  // A further segment (answer 16) keeps the segments computed before.
  if (G.DialogResult == AnswerNewSegment) {
    LoadSegmentedSpectrum(w);
  } else {
    BackgroundPrelude(w);
  }
  AverageRegionEnds();
  LinearBackground(Span(WorkBackground), G.CursorStart, G.CursorEnd, G.Scratch1, G.Scratch2);
  DrawBackgroundCurve(w);
  G.BackgroundName = G.MessageTexts[BackgroundKindLinear];
  OfferBackground(w);
  G.CursorStart = 1;
  G.CursorEnd = static_cast<Int16>(PointCount(w));
}

void ComputeShirleyBackground(int w) {
  if (!IsSpectrumWindow(w) || PageAlreadyOpen()) return;
  G.ShirleyPassCount = 0;
  if (G.BatchMode == 0) G.ShirleyPassTarget = 0;
  if (G.DialogResult == AnswerNewSegment) {
    LoadSegmentedSpectrum(w);
  } else {
    BackgroundPrelude(w);
  }
  DimWorkSigma(w);
  AverageRegionEnds();
  for (;;) {
    ShirleyPass(ConstSpan(WorkData), Span(WorkBackground), Span(WorkSigma), G.CursorStart,
                G.CursorEnd, G.Scratch1, G.Scratch2);
    DrawBackgroundCurve(w);
    if (G.BatchMode != 0) SetBatchShirleyAnswer();
    G.BackgroundName = G.MessageTexts[BackgroundKindShirley];
    if (!OfferBackground(w)) return;
    if (G.DialogResult == AnswerAnotherPass) {
      G.CursorStart = G.DialogCursorStart;
      G.CursorEnd = G.DialogCursorEnd;
      if (G.BatchMode == 0) ++G.ShirleyPassTarget;
      ++G.ShirleyPassCount;
      LoadWorkingSpectrum(w);
    } else if (G.DialogResult == AnswerNewEndPoints) {
      G.CursorStart = G.DialogCursorStart;
      G.CursorEnd = G.DialogCursorEnd;
      LoadWorkingSpectrum(w);
      AverageRegionEnds();
    } else {
      return;
    }
  }
}

void ComputeTougaardBackground(int w) {
  if (!IsSpectrumWindow(w) || PageAlreadyOpen()) return;
  // The kernel is a function of the energy loss; without an energy step
  // there is no loss scale to evaluate it on.
  const double step = Win[w].SpectrumHeader.EnergyStep;
  if (!(step > 0)) {
    ShowStepFailure(3, w, std::string());
    return;
  }
  BackgroundPrelude(w);
  DimWorkSigma(w);
  if (G.BatchMode == 0) G.TougaardC = kDefaultTougaardC;
  for (;;) {
    AverageRegionEnds();
    G.TougaardB = TougaardBackground(ConstSpan(WorkData), Span(WorkBackground), Span(WorkSigma),
                                     G.CursorStart, G.CursorEnd, step, G.TougaardC, G.Scratch2);
    DrawBackgroundCurve(w);
    G.BackgroundName = G.MessageTexts[BackgroundKindTougaard];
    if (!OfferBackground(w)) return;
    if (G.DialogResult != AnswerNewTougaardC) return;
    G.CursorStart = G.DialogCursorStart;
    G.CursorEnd = G.DialogCursorEnd;
    LoadWorkingSpectrum(w);
  }
}

void ComputeBackgroundArea(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  win.IntegratedArea[1] = 0;
  win.BackgroundState = BackgroundPreview;
  const auto& h = win.SpectrumHeader;
  win.IntegratedArea[1] = BackgroundArea(
      std::span<const double>(WorkData.data(), WorkData.size()),
      std::span<const double>(WorkBackground.data(), WorkBackground.size()), win.RegionStart,
      win.RegionEnd, h.EnergyStep, G.CpsMode == 0, h.ScanCount, h.DwellTime);
}

void SubtractWorkBackground(int w) {
  const int n = WindowPointCount(w);
  for (int i = 1; i <= n; ++i) WorkData[i] -= WorkBackground[i];
  StoreWorkBackground(w, 2);
  StoreWorkData(w, 1);
  LoadWorkData(w, 1, 1, n);
  ComputeIntensityRange(w);
  ComputeEnergyRange(w);
}

bool CommitBackground(int w) {
  if (!IsSpectrumWindow(w)) return false;
  WindowRecord& win = Win[w];
  if (win.BackgroundState != BackgroundDefined && win.BackgroundState != BackgroundFitted) return false;
  if (IsSpectrumWindow(G.CurrentWindow)) {
    Win[G.CurrentWindow].ErrorTableValid = 0;
    Win[G.CurrentWindow].HessianValid = 0;
  }
  const int n = WindowPointCount(w);
  LoadWorkBackground(w, 2, 1, n);
  LoadWorkData(w, 1, 1, n);
  for (int i = 1; i <= n; ++i) WorkData[i] -= WorkBackground[i];
  StoreWorkData(w, 1);
  win.BackgroundState = BackgroundSubtracted;
  RedrawWindow(w);
  return true;
}

void NegateSpectrum(int w) {
  if (!IsSpectrumWindow(w)) return;
  const int n = WindowPointCount(w);
  LoadWorkBackground(w, 1, 1, n);
  for (int i = 1; i <= n; ++i) WorkBackground[i] = -WorkBackground[i];
  StoreWorkBackground(w, 1);
  LoadWorkData(w, 1, 1, n);
  ComputeIntensityRange(w);
  RedrawWindow(w);
  Win[w].SpectrumNegated = static_cast<Byte>(1 - Win[w].SpectrumNegated);
}

}  // namespace sorvan
