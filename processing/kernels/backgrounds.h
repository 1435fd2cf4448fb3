// Numeric routines of the one-shot backgrounds (end levels, constant, linear,
// Shirley, Tougaard) and of the area between spectrum and background. They
// work on plain arrays indexed by point number (index 0 unused, points
// 1..n) and know nothing of windows, so they can be tested on their own.
#pragma once
#include <span>
#include <string>

namespace sorvan {

// The constant of the Tougaard loss kernel K(T) = T / (T^2 + C)^2 that every
// interactive Tougaard run starts from, in eV^2.
inline constexpr double kDefaultTougaardC = 1643.0;

// End levels of a background: the mean intensity at the left (first point of
// the range) and at the right end.
struct EndLevels {
  double left = 0;   // L
  double right = 0;  // R
};

// Means of `averagePoints` points at each end of first..last: the left one
// over first, first + 1, ..., the right one over last, last - 1, .... The
// points taken are held to the spectrum 1..n (n = y.size() - 1) and to the
// range, and each sum is divided by the number of points it actually took,
// so a short range near an end of the spectrum never reads past it. An end
// that takes no point at all has level 0.
EndLevels AverageEnds(std::span<const double> y, int first, int last, int averagePoints);

// b[i] := level for i = first..last (held to the array).
void FillFlat(std::span<double> b, int first, int last, double level);

// The straight line from `left` at `first` to `right` at `last`. A range of
// one point (first == last) has no slope: the background is flat at `right`.
void LinearBackground(std::span<double> b, int first, int last, double left, double right);

// One Shirley pass over first..last. With d_i = y_i - b_i (b as the previous
// pass left it, the flat level R before the first), the integral from i to
// the end of the range sigma_i = d_i/2 + d_(i+1) + ... + d_last goes to
// `sigma` (which must reach index last + 1) and
//   b_i := right + (left - right) * sigma_i / D,   D = d_first + ... + d_last.
// The sums run once from the right end, so a pass costs O(n). When D is 0
// (nothing above the background) the pass has nothing to scale by: the
// background becomes flat at `right`. Returns D.
double ShirleyPass(std::span<const double> y, std::span<double> b, std::span<double> sigma,
                   int first, int last, double left, double right);

// The Tougaard kernel K(T) = T / (T^2 + C)^2 at energy loss T (eV); 0 where
// the value is not finite (T = 0 with C = 0).
double TougaardKernel(double lossEv, double c);

// Tougaard background over first..last of a spectrum of n = y.size() - 1
// points with energy step `step` (eV):
//   S_i = sum over j = i..last of (y_j - right) * step * K((j - i + 1) * step)
//   B   = (y_first - right) / S_first
//   b_i = right + B * S_i
// `kernel` (index 1..n) receives the kernel table K((n - m + 1) * step) at
// m = 1..n. When S_first is 0 the background is flat at `right` (B = 0).
// Returns B.
double TougaardBackground(std::span<const double> y, std::span<double> b,
                          std::span<double> kernel, int first, int last, double step, double c,
                          double right);

// A typed Tougaard constant: negative values mean nothing physical and
// become 0.
double TougaardConstantFromInput(double typed);

// The divisor that turns counts into counts per second: scans x dwell time.
// A header that holds no scan count or dwell time (0) leaves the values as
// they are (divisor 1) instead of dividing by zero. The kernels include
// nothing of core/, so this is the kernels' copy of CountsPerSecondDivisor
// (core/count_rate.h); it also takes a product that is not finite as 1, so
// that an area is never made infinite or NaN by a damaged header.
double CountRateDivisor(double scanCount, double dwellTime);

// Area between spectrum and background over first..last, in intensity x eV:
// the sum of y_i - b_i times the energy step; in counts mode (countsMode
// true) divided by CountRateDivisor, so that the result is always in
// counts per second x eV.
double BackgroundArea(std::span<const double> y, std::span<const double> b, int first, int last,
                      double step, bool countsMode, double scanCount, double dwellTime);


}  // namespace sorvan
