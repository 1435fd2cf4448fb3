// Peak curves of a window's fit: evaluation into the work vectors, the area
// sums, the component columns and the drawing of each peak.
#include <algorithm>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "fit/fit_curves.h"
#include "fit/fit_vector.h"
#include "fit/peak_models.h"
#include "platform/surfaces.h"

namespace sorvan {

namespace {

void EnsureSized(CheckedVector<double>& v, int points) {
  if (v.Upper() < points) v.Resize(points);
}

void EnsureAreaSums(int n) {
  if (G.PeakAreaSums.Upper() < n) G.PeakAreaSums.Resize(n);
  if (G.PartnerAreaSums.Upper() < n) G.PartnerAreaSums.Resize(n);
}

// Entries of peak `peak` (0-based) as an independent peak: resolved from
// peak 1 in a relative table.
void PeakEntries(int peak, bool relative, double* out) {
  const double* p = G.FitVector.begin();
  if (relative && peak > 0) {
    ResolveRelativePeak(p + 1, p + 10 * peak + 1, out);
  } else {
    std::copy(p + 10 * peak + 1, p + 10 * peak + 11, out);
  }
}

void EvaluateGaussLorentz(int w, bool relative) {
  const WindowRecord& win = Win[w];
  const int n = win.PeakCount;
  const int points = win.SpectrumHeader.PointCount;
  if (points < 1 || G.FitVector.Upper() < 10 * n) return;
  plat::SetDrawingWindow(w);
  EnsureSized(WorkFitSum, points);
  EnsureSized(WorkPeak, points);
  EnsureAreaSums(n);
  WorkFitSum.fill(0.0);
  for (int p = 1; p <= n; ++p) G.PeakAreaSums[p] = G.PartnerAreaSums[p] = 0.0;
  const bool partners = IsDoubletWindow(w);
  const int first = std::max<int>(1, win.RegionStart);
  const int last = std::min<int>(points, win.RegionEnd);
  double e[10];
  for (int p = 1; p <= n; ++p) {
    PeakEntries(p - 1, relative, e);
    const GaussLorentzLine main = GaussLorentzMainLine(e);
    const GaussLorentzLine partner = GaussLorentzPartnerLine(e);
    WorkPeak.fill(0.0);
    for (int k = first; k <= last; ++k) {
      double v = GaussLorentzValue(main, k, WidthFloor::Drawing);
      G.PeakAreaSums[p] += v;
      if (partners) {
        const double vp = GaussLorentzValue(partner, k, WidthFloor::Drawing);
        v += vp;
        G.PartnerAreaSums[p] += vp;
      }
      WorkPeak[k] = v;
      WorkFitSum[k] += v;
    }
    if (G.FitDisplayPass == 1) StoreWorkPeak(w, p);
    DrawRegionCurve(w, WorkPeak, kPeakCurveKind, false);
  }
}

void EvaluateDoniachSunjic(int w, bool relative) {
  const WindowRecord& win = Win[w];
  const int points = win.SpectrumHeader.PointCount;
  const int D = G.LoopIndexD;
  const int p = (D + 9) / 10;
  if (points < 1 || D < 1 || G.FitVector.Upper() < D + 9) return;
  for (CheckedVector<double>* v :
       {&WorkPeak, &WorkFitSum, &WorkShirleyShape, &WorkTougaardShape, &WorkScratch}) {
    EnsureSized(*v, points);
  }
  EnsureAreaSums(p);
  double e[10];
  PeakEntries(p - 1, relative, e);
  const DoniachSunjicSums sums = DoniachSunjicPeakCurve(
      e, IsDoubletWindow(w), points, win.RegionStart, win.RegionEnd, WorkPeak.begin(),
      WorkTougaardShape.begin(), WorkShirleyShape.begin(), WorkScratch.begin());
  G.PeakAreaSums[p] += sums.peakSum;
  G.PartnerAreaSums[p] += sums.partnerSum;
  const int first = std::max<int>(1, win.RegionStart);
  const int last = std::min<int>(points, win.RegionEnd);
  for (int c = first; c <= last; ++c) WorkFitSum[c] += WorkPeak[c];
  WorkTougaardShape.fill(0.0);
  if (G.FitDisplayPass == 1) StoreWorkPeak(w, p);
}

}  // namespace

void EvaluatePeaksGaussLorentz(int w) { EvaluateGaussLorentz(w, false); }
void EvaluatePeaksGaussLorentzRelative(int w) { EvaluateGaussLorentz(w, true); }
void EvaluatePeakDoniachSunjic(int w) { EvaluateDoniachSunjic(w, false); }
void EvaluatePeakDoniachSunjicRelative(int w) { EvaluateDoniachSunjic(w, true); }

}  // namespace sorvan
