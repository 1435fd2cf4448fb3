// The satellite curve of a spectrum (see satellites.h).
#include "processing/kernels/satellites.h"

#include <algorithm>
#include <cmath>

namespace sorvan {

Anode AnodeOfExcitation(double excitationEnergy) {
  if (!std::isfinite(excitationEnergy)) return Anode::None;
  const double whole = std::floor(excitationEnergy);
  if (whole == 1486) return Anode::Aluminium;
  if (whole == 1253) return Anode::Magnesium;
  return Anode::None;
}

int SatelliteShift(double offset, double step, int maxPoints) {
  const double limit = static_cast<double>(maxPoints) + 1;
  const double points = std::floor(offset / step + 0.5);
  if (!std::isfinite(points)) return static_cast<int>(limit);  // no point is reached
  return static_cast<int>(std::clamp(points, -limit, limit));
}

void AccumulateSatellites(std::span<double> y, std::span<double> s,
                          const std::array<int, kSatelliteLines>& shift,
                          const std::array<double, kSatelliteLines>& intensity) {
  const long long n = static_cast<long long>(y.size()) - 1;
  if (n < 1 || static_cast<long long>(s.size()) - 1 < n) return;
  // Sources run as far as line 0 still lands inside the spectrum.
  const long long lastSource = std::clamp<long long>(n - shift[0] + 1, 1, n);
  for (long long i = 1; i <= lastSource; ++i) {
    for (int k = 0; k < kSatelliteLines; ++k) {
      const long long t = i + shift[k];
      if (t < 1 || t > n) continue;
      s[t] += intensity[k] * y[i];
      if (k == 0) y[t] -= s[t];
    }
  }
}

}  // namespace sorvan
