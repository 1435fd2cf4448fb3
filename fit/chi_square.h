// Chi-square, reduced chi-square and the serial correlation of the residuals
// of a fit over a window's region, on plain arrays indexed by channel.
#pragma once

#include <vector>

namespace sorvan {

struct FitStatistics {
  double chiSquare = 0;
  // chi-square / (points of the region - degrees used); reported scaled to
  // counts in counts-per-second mode.
  double reducedChiSquare = 0;
  // The same before that scaling: the figure the fits compare trials by.
  double unscaledReducedChiSquare = 0;
  // 1 - sum(d_x d_{x-1}) / sum(d_x^2): near 0 for slowly varying residuals,
  // near 1 for uncorrelated ones, above 1 for residuals alternating in sign.
  double serialCorrelation = 0;
};

// Statistics of model[x] against target[x] with standard deviations sigma[x]
// for x = first..last. `degreesUsed` is subtracted from the point count; when
// no degree of freedom remains the reduced chi-square is the chi-square itself
// (divided by 1), never a negative or infinite figure. `countsFactor` is
// scans x dwell time in counts-per-second mode and 1 otherwise (0 counts as 1).
// `sumSquaresStart` starts the sum of squared residuals (a perfect match then
// gives a correlation of 1 when it is positive, and 0 when it is 0).
FitStatistics ComputeFitStatistics(const double* model, const double* target, const double* sigma,
                                   int first, int last, double degreesUsed, double countsFactor,
                                   double sumSquaresStart);

// The degrees the statistics take off: 5 per singlet peak and 10 per doublet
// peak, free or fixed, plus one per free term of a background fitted with the
// peaks.
double DegreesUsedByPeaks(int peakCount, bool doublet, int freeBackgroundTerms);

}  // namespace sorvan

namespace sorvan {

// The program's procedures on window w's region, with WorkFitTarget and
// WorkSigma: they set G.ChiSquare, G.ReducedChiSquare, G.ResidualCorrelation
// and G.Scratch3 (the reduced chi-square before the counts-per-second
// scaling, by which the fits compare trials).
// Gauss-Lorentz model of independent peaks from G.FitVector.
void ChiSquareGaussLorentz(int w);
// Peaks 2..n relative to peak 1.
void ChiSquareGaussLorentzRelative(int w);
// Against the model curve already in WorkFitSum.
void ChiSquareFromCurve(int w);
// The model each of the three procedures compares with the data.
enum class ChiSquareModel { GaussLorentz, GaussLorentzRelative, Curve };
// The weighted residuals behind chi-square: r[x] = (model - target) / sigma
// times the root of the counts factor for x in w's region (0 elsewhere), so
// that the sum of their squares is the chi-square the procedure would give.
// False (r empty) when no data are set up for the region.
bool WeightedResiduals(int w, ChiSquareModel kind, std::vector<double>& r);
// Writes the statistics line into the caption of window w (and StatusText),
// headed by the count of trials IterationLimit x FitRound + FitIteration;
// the window keeps the count (FitTrialCount).
void ShowFitStatistics(int w);
// The same line with a given trial count (a loaded fit shows the count of
// the fit that was saved).
void ShowFitStatistics(int w, double trials);
// The iteration count that line showed last (0 before any).
double ShownIterationCount();

// scans x dwell time of window w when counts per second are shown, else 1;
// a zero product counts as 1.
double CountsFactor(int w);
// The standard deviations WorkSigma(1..points) of a fit of window w from the
// raw counts of its source, already loaded into WorkData (a count of 0 or
// less weighs as 1e-8). WorkSigma must hold the points.
void WeightsFromRawCounts(int w, int points);

}  // namespace sorvan
