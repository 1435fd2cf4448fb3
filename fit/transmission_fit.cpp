// Fit of the transmission function's coefficients.
#include "fit/transmission_fit.h"

#include <cmath>
#include <vector>

#include "core/transmission_function.h"

namespace sorvan {

double TransmissionValue(const double* c, double energy) {
  if (c[7] <= 0.0) return TransmissionFunction(c, energy);
  const double held[8] = {c[0], c[1], c[2], c[3], c[4], c[5], c[6], 0.0};
  return TransmissionFunction(held, energy);
}

void TransmissionModelCurve(const double* coef, const double* reference, int first, int last,
                            double* curve) {
  for (int x = first; x <= last; ++x) {
    curve[x] = reference[x] * TransmissionValue(coef, TransmissionEnergy(x));
  }
}

FitOutcome FitTransmissionCoefficients(const double* reference, const double* target,
                                       const double* sigma, int first, int last, double* coef,
                                       const bool* held, const FitSettings& settings,
                                       const FitHooks& hooks, FitStatistics* statistics) {
  constexpr int kCoefficients = 10;
  std::vector<double> start(coef, coef + kCoefficients + 1);
  std::vector<double> scale(kCoefficients + 1, 0.0);
  for (int c = 1; c <= kCoefficients; ++c) scale[c] = held[c] ? 0.0 : -1.0;
  ForwardDifferenceModel model(
      kCoefficients, first, last,
      [&](const double* p, double* curve) { TransmissionModelCurve(p, reference, first, last, curve); },
      [&](double* p) {
        for (int c = 1; c <= kCoefficients; ++c) {
          if (scale[c] == 0.0) p[c] = start[c];
        }
        if (p[7] > 0.0) p[7] = 0.0;
        if (p[7] < -3.0) p[7] = -3.0;
      },
      1e-3, 1e-5, scale.data());
  FitData data;
  data.target = target;
  data.sigma = sigma;
  data.first = first;
  data.last = last;
  data.scale = scale.data();
  data.degreesUsed = 0;
  FitSettings strict = settings;
  strict.acceptOnlySmaller = true;
  LevenbergMarquardt engine(kCoefficients, last);
  const FitOutcome outcome = engine.Run(model, data, coef, strict, hooks);
  if (statistics != nullptr) *statistics = engine.statistics;
  return outcome;
}

}  // namespace sorvan
