// Ten Gauss-Lorentz singlets on a linear background, fitted with heights,
// Lorentz shares, positions, half widths and the background's constant and
// slope free, shares limited to 0..1. Every share starts at 0.4 while several
// true shares are small, so the first steps push shares towards 0. The same
// problem is fitted by an independent solver in tools/ten_peak_fit_reference.py.
#pragma once

#include <cmath>
#include <vector>

#include "fit/lm_fit.h"
#include "fit/peak_models.h"

namespace sorvan::tenpeaks {

#include "reference/ten_peak_reference.inc"

struct TenPeaks {
  explicit TenPeaks(int points)
      : n(points),
        P(106),
        target(points + 1),
        sigma(points + 1),
        truth(P + 1, 0.0),
        start(P + 1, 0.0),
        scale(P + 1, 0.0),
        lower(101, -1e30),
        upper(101, 1e30),
        model(10, false, true, points, 1, points, 0.05) {
    const double spacing = points / 11.0;
    for (int p = 0; p < 10; ++p) {
      const int D = 10 * p + 1;
      truth[D] = 1000.0 + 300.0 * p;
      truth[D + 2] = kTenPeakTrueShares[p];
      truth[D + 4] = spacing * (p + 1);
      truth[D + 6] = spacing / 12.0;
      for (int k : {0, 2, 4, 6}) scale[D + k] = -1.0;
      start[D] = 0.9 * truth[D];
      start[D + 2] = kTenPeakStartShare;
      start[D + 4] = truth[D + 4] + 0.3 * truth[D + 6];
      start[D + 6] = 1.1 * truth[D + 6];
      lower[D] = 0.0;
      upper[D] = 1e7;
      lower[D + 2] = 0.0;
      upper[D + 2] = 1.0;
      lower[D + 4] = start[D + 4] - spacing / 2;
      upper[D + 4] = start[D + 4] + spacing / 2;
      lower[D + 6] = 0.05 * spacing;
      upper[D + 6] = spacing;
    }
    truth[101] = kTenPeakTrueBackground[0];
    truth[102] = kTenPeakTrueBackground[1];
    start[101] = kTenPeakStartBackground[0];
    start[102] = kTenPeakStartBackground[1];
    scale[101] = scale[102] = -1.0;
    model.SetLimits(lower.data(), upper.data(), scale.data());
    model.SetTailUsed(false);
    for (int x = 1; x <= n; ++x) {
      double v = truth[101] + truth[102] * (n - x);
      for (int p = 0; p < 10; ++p) v += GaussLorentzPeakValue(&truth[10 * p + 1], false, x);
      // Deterministic stand-in for counting noise.
      target[x] = v + std::sqrt(v) * std::sin(12.9898 * x);
      sigma[x] = std::sqrt(target[x]);
    }
    data.target = target.data();
    data.sigma = sigma.data();
    data.first = 1;
    data.last = n;
    data.scale = scale.data();
    data.degreesUsed = 52;
  }
  int n, P;
  std::vector<double> target, sigma, truth, start, scale, lower, upper;
  GaussLorentzFitModel model;
  FitData data;
};

}  // namespace sorvan::tenpeaks
