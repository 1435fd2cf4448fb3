// Quadratic Savitzky-Golay filters in closed form: the value (smoothing) or
// the slope (first derivative with respect to the point index) of the
// least-squares parabola through the 2m + 1 points around each point. The
// routines work on plain arrays indexed by point number (index 0 unused,
// points 1..n) and know nothing of windows.
#pragma once
#include <span>

namespace sorvan {

enum class FilterKind { Smoothing, Derivative };

// The normaliser Q = (2m + 3)(4m^2 - 1) m (m + 1) / 3 of the weights.
double FilterNormaliser(int m);

// Weight of point j (-m..m) of a window of half width m when the parabola
// is evaluated at offset k from the window's centre (k = 0: the centre
// weights; k = -m..-1 and 1..m: the points near the ends of a spectrum,
// which have no full window around them).
double SmoothingWeight(int m, int j, int k);
double DerivativeWeight(int m, int j, int k);
double FilterWeight(FilterKind kind, int m, int j, int k);

// The filter needs at least 2m + 1 points (m >= 1).
bool FilterFits(int pointCount, int m);

// Filters y[1..n] into out[1..n] (n = y.size() - 1; out must reach index n;
// y and out must not overlap). The centre points m + 1 .. n - m take the
// centre weights; the first m points are evaluated on the parabola through
// the first 2m + 1 points and the last m points on the parabola through the
// last 2m + 1 points. The derivative is per point (not divided by the
// energy step). Returns false, with out unchanged, when the spectrum is
// shorter than the window (FilterFits) or m < 1.
bool SavitzkyGolayFilter(FilterKind kind, std::span<const double> y, std::span<double> out, int m);

}  // namespace sorvan
