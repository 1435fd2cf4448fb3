// Drawing of a fit in its spectrum window: the peak curves, the fit sum and
// the strip of residuals normalised by their standard deviations.
#pragma once

#include "core/table.h"

namespace sorvan {

// Curve kinds of the style tables that the fit draws in.
inline constexpr int kPeakCurveKind = 3;
inline constexpr int kSumCurveKind = 4;
inline constexpr int kResidualCurveKind = 5;
inline constexpr int kResidualLimitLineKind = 2;

// r(c) = (sum(c) - target(c)) / sigma(c) for c = first..last into residual,
// with the smallest and largest value.
void NormalisedResiduals(const double* sum, const double* target, const double* sigma, int first,
                         int last, double* residual, double& smallest, double& largest);
// Pixels per unit of normalised residual in a strip of `stripHeight` pixels:
// the largest residual reaches the strip's edge. All residuals 0: 1.
double ResidualStripScale(double smallest, double largest, double stripHeight);

// Maps values over w's region (on the background when one is defined or
// fitted) and draws them in the style of curve kind `kind`; with `clip` the
// curve is kept between the top margin and the energy axis.
void DrawRegionCurve(int w, const CheckedVector<double>& values, int kind, bool clip);

// The fit sum over the region and, for a window with a fit result, the
// residual strip with its +-1 guide lines. WorkData is left holding the
// normalised residuals over the region. During a display pass the sum and
// the residuals are stored as component columns n + 1 and n + 2.
void DrawFitCurveAndResiduals(int w);
// The single-peak curves kept in G.PeakCurves.
void DrawPeakCurves(int w);

}  // namespace sorvan
