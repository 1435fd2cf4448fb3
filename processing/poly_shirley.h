// Numeric routines of the polynomial background with a Shirley term and of
// the start of the background that is fitted together with the peaks. Like
// processing/kernels/backgrounds.h they work on plain arrays indexed by point number
// (index 0 unused, points 1..n) and know nothing of windows.
#pragma once
#include <span>

namespace sorvan {

// The polynomial background with a Shirley term over first..last:
//   P_i = B x + C x^2 + D x^3 with x = last - i, divided by its largest
//       value (but by at least 1),
//   q_i = P_i + E (F_i - A) / M_S, M_S the largest F_i - A (at least 1),
//   b_i = A + (left - A) q_i / M_Q, M_Q the largest q_i (from 0),
// where F is the Shirley part (a Shirley pass towards A). The background
// rises from about A at `last` to `left` where q is largest. When M_Q is 0
// (nothing to scale by) or the range has a single point, b is flat at A.
// `terms` holds A..E at indices 1..5 (index 0 unused).
void PolyShirleyFromShirleyPart(std::span<const double> shirleyPart, std::span<double> b,
                                int first, int last, double left, const double* terms);

// The two shapes of the fitted background before a fit, from the spectrum
// y over first..last less the constant A:
//   S_i = sum over j = i..last of (y_j - A)      (plain running sum)
//   T_i = 2866 * step * sum over j = i..last of (y_j - A) K((j - i + 1) step)
// with K(E) = E / (E^2 + 1643)^2; both 0 outside the range. `shirley` and
// `tougaard` must hold n + 1 values (n = y.size() - 1).
void FitBackgroundStartShapes(std::span<const double> y, double constant, int first, int last,
                              double step, std::span<double> shirley, std::span<double> tougaard);

// The fitted background from its six terms (indices 1..6: A, B, C, D, E, F)
// over first..last, x = last - i the distance in points from the range's
// end:  b_i = A + B x + C x^2 + D x^3 + E S_i + F T_i. Points outside the
// range are not touched.
void FitBackgroundCurve(std::span<double> b, std::span<const double> shirley,
                        std::span<const double> tougaard, int first, int last,
                        const double* terms);

// The Shirley coefficient that makes A + E S meet the spectrum at `first`:
// (y_first - A) / S_first; `current` when S_first is 0.
double FitBackgroundStartShirley(std::span<const double> y, std::span<const double> shirley,
                                 int first, double constant, double current);

}  // namespace sorvan
