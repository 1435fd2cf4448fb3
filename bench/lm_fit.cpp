// Speed of the Levenberg-Marquardt fit of Gauss-Lorentz peaks: one step
// (system build and solve) and a whole fit to convergence, for 10 peaks on
// 2000 and on 32767 points; and the ten-peak fit with limited Lorentz shares
// on 500 to 32767 points with its trials and final chi-square as counters.
// In the first two the background is fitted with the peaks: its constant,
// slope and Shirley term are free, and as the spectrum has no Shirley step
// the fit presses that term against its limit of 0. The fit
// records the trials it made (both rounds, iteration limit 200); a term held
// at 0 by its limit once kept every round going to the cap of 200 trials.
// Then the fit of one peak with a constant, Shirley and loss term fitted
// alongside (tests/fit/reference/background_offset_reference.inc): its
// trials and final chi-square beside the independent solver's; and one
// accepted trial (its judgement and the system built on it) with the
// Shirley and loss terms held at 0, beside a trial alone.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "fit/lm_fit.h"
#include "fit/peak_models.h"
#include "../tests/fit/ten_peak_problem.h"

namespace {

using namespace sorvan;

#include "../tests/fit/reference/background_offset_reference.inc"

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

// One peak on A + E S + F T, all fitted, from the start 2 eV off: trials,
// final chi-square and its relative excess over the independent solver's
// minimum of the whole model (S and T made from the peaks).
void BM_FittedBackgroundFit(benchmark::State& state) {
  const int n = kOffsetPoints;
  const int P = 16;
  std::vector<double> target(n + 1), sigma(n + 1), start(P + 1, 0.0), scale(P + 1, 0.0);
  std::vector<double> lower(11, -1e30), upper(11, 1e30);
  for (int i = 1; i <= n; ++i) {
    target[i] = kOffsetCounts[i - 1];
    sigma[i] = std::sqrt(target[i] <= 0 ? 1e-8 : target[i]);
  }
  const int entries[7] = {1, 3, 5, 7, 11, 15, 16};
  for (int i = 0; i < 7; ++i) {
    start[entries[i]] = kOffsetStart[i];
    scale[entries[i]] = -1.0;
  }
  lower[1] = 0.0, upper[1] = 1e7;
  lower[3] = 0.0, upper[3] = 1.0;
  lower[5] = 1.0, upper[5] = 200.0;
  lower[7] = 0.5, upper[7] = 100.0;
  GaussLorentzFitModel model(1, false, true, n, 1, n, kOffsetStep);
  model.SetLimits(lower.data(), upper.data(), scale.data());
  model.SetTailUsed(true);
  FitData data{target.data(), sigma.data(), 1, n, scale.data(), DegreesUsedByPeaks(1, false, 3), 1};
  LevenbergMarquardt engine(P, n);
  int trials = 0;
  FitHooks hooks;
  hooks.afterTrial = [&trials](const double*, double) {
    ++trials;
    return 0;
  };
  std::vector<double> p;
  double chi2 = 0;
  for (auto _ : state) {
    p = start;
    trials = 0;
    engine.Run(model, data, p.data(), FitSettings{200, 2}, hooks);
    chi2 = engine.Evaluate(model, data, p.data()).chiSquare;
  }
  state.counters["trials"] = trials;
  state.counters["chi_square"] = chi2;
  state.counters["reference_chi_square"] = kOffsetChiSquare;
  state.counters["relative_excess"] = (chi2 - kOffsetChiSquare) / kOffsetChiSquare;
}
BENCHMARK(BM_FittedBackgroundFit)->Unit(benchmark::kMillisecond);

// One accepted trial of the ten-peak fit with the background fitted and its
// Shirley and loss terms held at 0: the trial is judged, then the system is
// built at the same parameters. The counter `ratio_to_trial` is its time
// over that of the judgement alone, measured in the same run.
void BM_AcceptedTrialTermsHeldAtZero(benchmark::State& state) {
  TenPeaks problem(static_cast<int>(state.range(0)));
  problem.scale[105] = problem.scale[106] = 0.0;
  problem.start[105] = problem.start[106] = 0.0;
  LevenbergMarquardt engine(problem.P, problem.n);
  std::vector<double> p = problem.start;
  // The judgement of a trial alone, the reference.
  std::vector<double> q = problem.start;
  const int repeats = 20;
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) {
    q[1] = problem.start[1] * (1.0 + 1e-9 * (i + 1));
    benchmark::DoNotOptimize(engine.Evaluate(problem.model, problem.data, q.data()));
  }
  const double trial = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / repeats;
  int i = 0;
  double accepted = 0;
  for (auto _ : state) {
    // A new parameter set each time, as after a step.
    p[1] = problem.start[1] * (1.0 + 1e-9 * (++i));
    const auto a = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(engine.Evaluate(problem.model, problem.data, p.data()));
    engine.BuildSystem(problem.model, problem.data, p.data());
    accepted += std::chrono::duration<double>(std::chrono::steady_clock::now() - a).count();
  }
  state.counters["ratio_to_trial"] = accepted / static_cast<double>(state.iterations()) / trial;
}
BENCHMARK(BM_AcceptedTrialTermsHeldAtZero)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
