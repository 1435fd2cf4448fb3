// The background fitted together with the peaks.
#include "fit/fit_background.h"

#include <algorithm>

#include "core/model.h"
#include "core/store.h"
#include "fit/lm_fit.h"

namespace sorvan {

void RebuildFitBackground(int w) {
  const WindowRecord& win = Win[w];
  const int points = win.SpectrumHeader.PointCount;
  const int first = std::max<int>(1, win.RegionStart);
  const int last = std::min<int>(points, win.RegionEnd);
  const int N = 10 * win.PeakCount;
  if (points < 1 || last < first || N + 6 > G.FitVector.Upper()) return;
  for (CheckedVector<double>* v : {&WorkFitTarget, &WorkBackground, &WorkFitSum, &WorkShirleyShape,
                                   &WorkTougaardShape, &WorkScratch}) {
    if (v->Upper() < points) v->Resize(points);
  }
  for (int i = first; i <= last; ++i) WorkFitTarget[i] += WorkBackground[i];
  const double* t = G.FitVector.begin() + N;
  const bool tail = t[6] != 0.0 || (N + 6 <= G.ParameterScale.Upper() && G.ParameterScale[N + 6] != 0.0);
  BuildFitBackgroundBasis(WorkFitSum.begin(), points, first, last, win.SpectrumHeader.EnergyStep,
                          tail, WorkShirleyShape.begin(), WorkTougaardShape.begin(),
                          WorkScratch.begin());
  for (int i = last; i >= first; --i) {
    const double b = last - i;
    WorkBackground[i] = t[1] + b * (t[2] + b * (t[3] + b * t[4]));
  }
  for (int i = last; i >= first; --i) {
    WorkBackground[i] += t[5] * WorkShirleyShape[i] + t[6] * WorkTougaardShape[i];
  }
  if (G.FitDisplayPass == 1) StoreWorkBackground(w, 2);
  for (int i = first; i <= last; ++i) WorkFitTarget[i] -= WorkBackground[i];
}

}  // namespace sorvan
