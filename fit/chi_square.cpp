// Chi-square and fit statistics on plain arrays.
#include "fit/chi_square.h"

namespace sorvan {

FitStatistics ComputeFitStatistics(const double* model, const double* target, const double* sigma,
                                   int first, int last, double degreesUsed, double countsFactor,
                                   double sumSquaresStart) {
  double sumSquares = sumSquaresStart;
  double sumProducts = 0.0;
  double chi2 = 0.0;
  double previous = 0.0;
  for (int x = first; x <= last; ++x) {
    const double d = model[x] - target[x];
    sumSquares += d * d;
    sumProducts += d * previous;
    chi2 += d * d / (sigma[x] * sigma[x]);
    previous = d;
  }
  FitStatistics s;
  double freedom = (last - first + 1) - degreesUsed;
  if (freedom <= 0.0) freedom = 1.0;
  s.chiSquare = chi2;
  s.unscaledReducedChiSquare = chi2 / freedom;
  s.reducedChiSquare = s.unscaledReducedChiSquare;
  const double factor = countsFactor == 0.0 ? 1.0 : countsFactor;
  s.chiSquare *= factor;
  s.reducedChiSquare *= factor;
  s.serialCorrelation = sumSquares > 0.0 ? 1.0 - sumProducts / sumSquares : 0.0;
  return s;
}

double DegreesUsedByPeaks(int peakCount, bool doublet, int freeBackgroundTerms) {
  const double perPeak = doublet ? 10.0 : 5.0;
  return perPeak * peakCount + freeBackgroundTerms;
}

}  // namespace sorvan
