// Speed of the Savitzky-Golay smoothing and derivative on the largest
// spectrum a window can hold (32767 points), for the narrowest, the default
// and the widest filter the averaging option allows (m = 1, 3, 19).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "processing/kernels/savitzky_golay.h"

namespace {

constexpr int kPoints = 32767;

std::vector<double> NoisyLine(int n) {
  std::vector<double> y(n + 1, 0.0);
  for (int i = 1; i <= n; ++i) {
    const double x = (i - 0.5 * n) / 80.0;
    y[i] = 200 + 5000 * std::exp(-x * x) + ((i * 7919) % 13 - 6);
  }
  return y;
}

void Run(benchmark::State& state, sorvan::FilterKind kind) {
  const int m = static_cast<int>(state.range(0));
  const std::vector<double> y = NoisyLine(kPoints);
  std::vector<double> out(kPoints + 1);
  for (auto _ : state) {
    sorvan::SavitzkyGolayFilter(kind, y, out, m);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_Smoothing32767(benchmark::State& state) { Run(state, sorvan::FilterKind::Smoothing); }
void BM_Derivative32767(benchmark::State& state) { Run(state, sorvan::FilterKind::Derivative); }

BENCHMARK(BM_Smoothing32767)->Arg(1)->Arg(3)->Arg(19);
BENCHMARK(BM_Derivative32767)->Arg(1)->Arg(3)->Arg(19);

}  // namespace

BENCHMARK_MAIN();
