// The transmission function of the analyser (the intensity-energy response),
// IERF(E) = a0 + a1 x + a2 x^2 + a3 x^3 + a4 x^4 + b1 E^b2 with
// x = (E - 1000) / 1000, from the coefficients c1..c5 = a0..a4, c6 = b1,
// c7 = b2 (index 0 unused). Its fit, its display, its normalisation at
// 1000 eV and the quantification all evaluate it here.
#pragma once
#include <cmath>

namespace sorvan {

inline double TransmissionFunction(const double* c, double kineticEnergy) {
  const double x = (kineticEnergy - 1000.0) / 1000.0;
  return c[1] + x * (c[2] + x * (c[3] + x * (c[4] + x * c[5]))) + c[6] * std::pow(kineticEnergy, c[7]);
}

}  // namespace sorvan
