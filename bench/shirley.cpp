// Speed of the Shirley background on the largest spectrum a window can hold:
// ten passes over 32767 points. Each pass is one sweep of running sums, so
// the time grows with the number of points, not with its square.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "processing/kernels/backgrounds.h"

namespace {

constexpr int kPoints = 32767;
constexpr int kPasses = 10;

std::vector<double> LineOnStep(int n) {
  std::vector<double> y(n + 1, 0.0);
  for (int i = 1; i <= n; ++i) {
    const double x = (i - 0.45 * n) / 100.0;
    y[i] = 200 + 300.0 / (1 + std::exp(x)) + 5000 * std::exp(-x * x);
  }
  return y;
}

void BM_ShirleyTenPasses(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> y = LineOnStep(n);
  std::vector<double> b(n + 1), sigma(n + 2);
  const sorvan::EndLevels levels = sorvan::AverageEnds(y, 1, n, 3);
  for (auto _ : state) {
    sorvan::FillFlat(b, 1, n, levels.right);
    for (int pass = 0; pass < kPasses; ++pass) {
      sorvan::ShirleyPass(y, b, sigma, 1, n, levels.left, levels.right);
    }
    benchmark::DoNotOptimize(b.data());
  }
  state.SetComplexityN(n);
}
BENCHMARK(BM_ShirleyTenPasses)->RangeMultiplier(2)->Range(4096, kPoints)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
