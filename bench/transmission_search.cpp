// Speed of the grid search of the transmission function's coefficients from
// reference-line percentages: four passes of 11^k combinations for k varying
// coefficients (3 after the reset, up to all 7: 4 x 19.5 million goals).
// The counter "allocations" counts the heap allocations made during the
// searches; the loops must make none.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "import/transmission_files.h"
#include "processing/transmission_lines.h"

namespace {

std::atomic<long long> g_allocations{0};

}  // namespace

void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Percentages of all seven groups from a plausible function.
std::vector<double> Percentages() {
  const double truth[8] = {0, 1.1, 0.2, 0.05, 0, 0, 2, -0.45};
  const std::vector<std::vector<int>> groups = {{12, 13}, {11, 10}, {9, 8}, {7, 6},
                                                {4, 5},   {1, 2, 3}, {14, 15}};
  std::vector<double> p(sorvan::kReferenceLineCount + 1, 0.0);
  const auto atLine = [&truth](int r) {
    return sorvan::TransmissionParameterValue(truth, sorvan::ReferenceLineRow(r).energy);
  };
  for (const auto& group : groups) {
    double sum = 0;
    for (int r : group) sum += atLine(r);
    for (int r : group) p[r] = 100 * atLine(r) / sum;
  }
  return p;
}

// k varying coefficients: b2, b1 and a0 first (the reset's), then a1..a4.
void BM_ReferenceLineSearch(benchmark::State& state) {
  const int varying = static_cast<int>(state.range(0));
  const std::vector<double> percent = Percentages();
  const int order[7] = {7, 6, 1, 2, 3, 4, 5};
  long long allocations = 0;
  const auto poll = [](long long) { return false; };
  for (auto _ : state) {
    sorvan::GridSearchState s;
    for (int c = 1; c <= 7; ++c) {
      s.best[c] = s.work[c] = c == 1 || c == 6 ? 5 : 0;
      s.marks[c] = 1;
    }
    for (int k = 0; k < varying; ++k) s.marks[order[k]] = 0;
    const long long before = g_allocations.load(std::memory_order_relaxed);
    sorvan::RunReferenceLineSearch(percent.data(), s, poll);
    allocations += g_allocations.load(std::memory_order_relaxed) - before;
    benchmark::DoNotOptimize(s.bestGoal);
  }
  const double goals = 4.0 * std::pow(11.0, varying);
  state.SetItemsProcessed(static_cast<long long>(goals) * state.iterations());
  state.counters["allocations"] = static_cast<double>(allocations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ReferenceLineSearch)->DenseRange(3, 7, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
