// One peak with a constant, Shirley and loss-tail background fitted
// alongside, started 2 eV off in position. On the way the peak may come
// near height 0, where its curve, and with it the Shirley and loss terms
// built from it, vanish; every trial is judged with the terms of its own
// peak, and the fit reaches the fixed point that an independent solver
// finds (tools/background_offset_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fit/lm_fit.h"

namespace sorvan {
namespace {

#include "reference/background_offset_reference.inc"

TEST(FittedBackgroundFromAnOffStart, ReachesTheFixedPointAndEndsAsFinished) {
  const int n = kOffsetPoints;
  const int P = 16;
  std::vector<double> target(n + 1), sigma(n + 1), p(P + 1, 0.0), scale(P + 1, 0.0);
  std::vector<double> lower(11, -1e30), upper(11, 1e30);
  for (int i = 1; i <= n; ++i) {
    target[i] = kOffsetCounts[i - 1];
    sigma[i] = std::sqrt(target[i] <= 0 ? 1e-8 : target[i]);
  }
  const int peakEntries[4] = {1, 3, 5, 7};
  const int backgroundEntries[3] = {11, 15, 16};
  for (int i = 0; i < 4; ++i) {
    p[peakEntries[i]] = kOffsetStart[i];
    scale[peakEntries[i]] = -1.0;
  }
  for (int i = 0; i < 3; ++i) {
    p[backgroundEntries[i]] = kOffsetStart[4 + i];
    scale[backgroundEntries[i]] = -1.0;
  }
  lower[1] = 0.0, upper[1] = 1e7;
  lower[3] = 0.0, upper[3] = 1.0;
  lower[5] = 1.0, upper[5] = 200.0;
  lower[7] = 0.5, upper[7] = 100.0;
  GaussLorentzFitModel model(1, false, true, n, 1, n, kOffsetStep);
  model.SetLimits(lower.data(), upper.data(), scale.data());
  model.SetTailUsed(true);
  FitData data;
  data.target = target.data();
  data.sigma = sigma.data();
  data.first = 1;
  data.last = n;
  data.scale = scale.data();
  data.degreesUsed = DegreesUsedByPeaks(1, false, 3);
  LevenbergMarquardt engine(P, n);
  int singular = 0;
  FitHooks hooks;
  hooks.singular = [&] { ++singular; };
  EXPECT_EQ(engine.Run(model, data, p.data(), FitSettings{200, 2}, hooks), FitOutcome::Finished);
  EXPECT_EQ(singular, 0);
  EXPECT_NEAR(engine.Evaluate(model, data, p.data()).chiSquare, kOffsetChiSquare,
              1e-6 * kOffsetChiSquare);
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(p[peakEntries[i]], kOffsetFitted[i], 1e-4 * std::fabs(kOffsetFitted[i])) << i;
  }
}

}  // namespace
}  // namespace sorvan
