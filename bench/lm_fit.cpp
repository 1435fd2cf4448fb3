// Speed of the Levenberg-Marquardt fit of Gauss-Lorentz peaks: one step
// (system build and solve) and a whole fit to convergence, for 10 peaks on
// 2000 and on 32767 points; and the ten-peak fit with limited Lorentz shares
// on 500 to 32767 points with its trials and final chi-square as counters.
// In the first two the background is fitted with the peaks: its constant,
// slope and Shirley term are free, and as the spectrum has no Shirley step
// the fit presses that term against its limit of 0. The fit
// records the trials it made (both rounds, iteration limit 200); a term held
// at 0 by its limit once kept every round going to the cap of 200 trials.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "fit/lm_fit.h"
#include "fit/peak_models.h"
#include "../tests/fit/ten_peak_problem.h"

namespace {

using namespace sorvan;

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
      truth[D + 2] = 0.3;
      truth[D + 4] = spacing * (p + 1);
      truth[D + 6] = spacing / 12.0;
      for (int k : {0, 2, 4, 6}) scale[D + k] = -1.0;
    }
    truth[101] = 200.0;
    truth[102] = 0.01;
    scale[101] = scale[102] = scale[105] = 1.0;
    model.SetLimits(lower.data(), upper.data(), scale.data());
    model.SetTailUsed(false);
    for (int x = 1; x <= n; ++x) {
      double v = truth[101] + truth[102] * (n - x);
      for (int p = 0; p < 10; ++p) v += GaussLorentzPeakValue(&truth[10 * p + 1], false, x);
      // Deterministic stand-in for counting noise.
      target[x] = v + std::sqrt(v) * std::sin(12.9898 * x);
      sigma[x] = std::sqrt(target[x]);
    }
    start = truth;
    for (int p = 0; p < 10; ++p) {
      const int D = 10 * p + 1;
      start[D] *= 0.9;
      start[D + 4] += 0.3 * truth[D + 6];
      start[D + 6] *= 1.1;
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

void BM_LmStep(benchmark::State& state) {
  TenPeaks problem(static_cast<int>(state.range(0)));
  LevenbergMarquardt engine(problem.P, problem.n);
  for (auto _ : state) {
    engine.BuildSystem(problem.model, problem.data, problem.start.data());
    benchmark::DoNotOptimize(engine.Solve(1e-4));
    benchmark::DoNotOptimize(engine.Evaluate(problem.model, problem.data, problem.start.data()));
  }
  state.SetItemsProcessed(state.iterations() * problem.n);
}
BENCHMARK(BM_LmStep)->Arg(2000)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_FitToConvergence(benchmark::State& state) {
  TenPeaks problem(static_cast<int>(state.range(0)));
  LevenbergMarquardt engine(problem.P, problem.n);
  std::vector<double> p;
  int steps = 0, trials = 0;
  FitHooks hooks;
  hooks.afterTrial = [&trials](const double*, double) {
    ++trials;
    return 0;
  };
  for (auto _ : state) {
    p = problem.start;
    trials = 0;
    engine.Run(problem.model, problem.data, p.data(), FitSettings{200, 2}, hooks);
    steps = engine.acceptedSteps;
  }
  state.counters["accepted_steps"] = steps;
  state.counters["trials"] = trials;
}
BENCHMARK(BM_FitToConvergence)->Arg(2000)->Arg(32767)->Unit(benchmark::kMillisecond);

// The ten-peak fit with Lorentz shares limited to 0..1 and a linear
// background (tests/fit/ten_peak_problem.h), whose minimum an independent
// solver gives (tools/ten_peak_fit_reference.py): the trials the fit makes
// and the chi-square it ends at, beside that of the independent solver and
// their relative difference.
void BM_TenPeakSharesFit(benchmark::State& state) {
  const int index = static_cast<int>(state.range(0));
  tenpeaks::TenPeaks problem(tenpeaks::kTenPeakPointCounts[index]);
  LevenbergMarquardt engine(problem.P, problem.n);
  std::vector<double> p;
  int trials = 0;
  FitHooks hooks;
  hooks.afterTrial = [&trials](const double*, double) {
    ++trials;
    return 0;
  };
  double chi2 = 0;
  for (auto _ : state) {
    p = problem.start;
    trials = 0;
    engine.Run(problem.model, problem.data, p.data(), FitSettings{200, 2}, hooks);
    chi2 = engine.Evaluate(problem.model, problem.data, p.data()).chiSquare;
  }
  const double reference = tenpeaks::kTenPeakChiSquare[index];
  state.counters["points"] = problem.n;
  state.counters["trials"] = trials;
  state.counters["chi_square"] = chi2;
  state.counters["reference_chi_square"] = reference;
  state.counters["relative_excess"] = (chi2 - reference) / reference;
}
BENCHMARK(BM_TenPeakSharesFit)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
