// Fitting the coefficients of the transmission function so that a reference
// curve times the function matches a measured spectrum; the coefficients are
// c1..c5 = a0..a4, c6 = b1, c7 = b2 (c8..c10 spare) of
// IERF(E) = a0 + a1 x + a2 x^2 + a3 x^3 + a4 x^4 + b1 E^b2, x = (E - 1000) / 1000.
#pragma once

#include "fit/lm_fit.h"

namespace sorvan {

// Kinetic energy of point i of a transmission curve (1361 points from 200 eV).
inline double TransmissionEnergy(int point) { return point + 199.0; }

// IERF at kinetic energy E; a positive b2 counts as 0.
double TransmissionValue(const double* coef, double energy);

// reference[x] * IERF(E(x)) for x = first..last into curve.
void TransmissionModelCurve(const double* coef, const double* reference, int first, int last,
                            double* curve);

// Fits coef[1..10] (held where held[c] is true) to target with standard
// deviations sigma over first..last: forward differences with the relative
// step 1e-3 (1e-5 for a value of 0), only a smaller chi-square accepted;
// after every step the held coefficients return to their start values and
// b2 is kept in [-3, 0].
FitOutcome FitTransmissionCoefficients(const double* reference, const double* target,
                                       const double* sigma, int first, int last, double* coef,
                                       const bool* held, const FitSettings& settings,
                                       const FitHooks& hooks, FitStatistics* statistics = nullptr);

}  // namespace sorvan
