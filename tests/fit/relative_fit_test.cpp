// Gauss-Lorentz peaks relative to the first: derivatives through the chain
// rule against finite differences, and a fit that finds a noise-free group
// of peaks again.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fit/lm_fit.h"

namespace sorvan {
namespace {

// Peak 1 absolute; peak 2 at 0.5 of its height, 40 channels on, 1.2 times as
// wide, with the same share; doublets with splitting 15 and ratio 0.5.
std::vector<double> RelativeVector(bool doublet) {
  const double rh = doublet ? 0.5 : 0.0, dx = doublet ? 15.0 : 0.0, rw = doublet ? 1.1 : 0.0;
  const double rm = doublet ? 1.0 : 0.0;
  return {0,    1000, rh, 0.4, rm, 80, dx, 5.0, rw, 0.01, 1.0,   // peak 1
          0.5,  rh,   0.9, rm, 40, dx, 1.2, rw, 1.5, 1.0,        // peak 2 relative
          200,  0.3,  0,   0,  0,  0};                            // background A, B
}

TEST(RelativeGaussLorentz, ChainRuleDerivativesMatchFiniteDifferences) {
  for (bool doublet : {false, true}) {
    const int n = 200, P = 26;
    GaussLorentzRelativeFitModel model(2, doublet, true, n, 1, n, 0.1);
    std::vector<double> lower(21, -1e30), upper(21, 1e30), scale(P + 1, -1.0);
    model.SetLimits(lower.data(), upper.data(), scale.data());
    model.SetTailUsed(false);
    std::vector<double> p = RelativeVector(doublet), d(P + 1);
    for (int channel : {70, 84, 121, 126, 137}) {
      model.Linearise(p.data());
      model.ValueAndDerivatives(p.data(), channel, d.data());
      for (int k = 1; k <= 22; ++k) {
        if (k >= 21) continue;  // background terms: the basis is held fixed
        if (!doublet && (k == 2 || k == 4 || k == 6 || k == 8 || k == 10 || k == 12 || k == 14 ||
                         k == 16 || k == 18 || k == 20)) {
          continue;
        }
        const double h = 1e-6 * std::max(std::fabs(p[k]), 1e-2);
        std::vector<double> up = p, down = p;
        up[k] += h;
        down[k] -= h;
        model.PrepareTrial(up.data());
        const double vu = model.Value(up.data(), channel);
        model.PrepareTrial(down.data());
        const double vd = model.Value(down.data(), channel);
        const double numeric = (vu - vd) / (2 * h);
        EXPECT_NEAR(d[k], numeric, 1e-5 * std::max(1.0, std::fabs(numeric)))
            << (doublet ? "doublet" : "singlet") << " channel " << channel << " entry " << k;
      }
    }
  }
}

TEST(RelativeGaussLorentz, FitFindsTheGroupAgain) {
  for (bool doublet : {false, true}) {
    const int n = 200, P = 26;
    GaussLorentzRelativeFitModel model(2, doublet, true, n, 1, n, 0.1);
    std::vector<double> lower(21, -1e30), upper(21, 1e30), scale(P + 1, 0.0);
    for (int k : {1, 3, 5, 7, 11, 13, 15, 17, 21, 22}) scale[k] = -1.0;
    if (doublet) {
      for (int k : {2, 6}) scale[k] = -1.0;
    }
    model.SetLimits(lower.data(), upper.data(), scale.data());
    model.SetTailUsed(false);
    const std::vector<double> truth = RelativeVector(doublet);
    std::vector<double> target(n + 1), sigma(n + 1);
    model.Linearise(truth.data());
    model.PrepareTrial(truth.data());
    for (int x = 1; x <= n; ++x) {
      target[x] = model.Value(truth.data(), x);
      sigma[x] = std::sqrt(target[x]);
    }
    std::vector<double> p = truth;
    p[1] *= 0.9;
    p[5] += 1.5;
    p[7] *= 1.15;
    p[11] = 0.6;
    p[15] = 38;
    p[17] = 1.0;
    if (doublet) p[6] = 14;
    FitData data{target.data(), sigma.data(), 1, n, scale.data(), 12, 1};
    LevenbergMarquardt engine(P, n);
    ASSERT_EQ(engine.Run(model, data, p.data(), FitSettings{200, 3}, FitHooks{}), FitOutcome::Finished);
    for (int k = 1; k <= P; ++k) {
      if (scale[k] != 0.0) {
        EXPECT_NEAR(p[k], truth[k], 1e-5 * std::fabs(truth[k])) << (doublet ? "doublet" : "singlet") << " entry " << k;
      }
    }
  }
}

}  // namespace
}  // namespace sorvan
