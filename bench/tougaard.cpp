// Speed of the Tougaard loss integrals: the one-shot background of a whole
// spectrum, and the fit of a window whose fitted background carries a free
// loss term (the term is rebuilt after every trial and every accepted step).
// Each is timed beside the same work with the integrals summed directly, as
// they were before the transform (TailSums told to sum every length
// directly): BM_TougaardBackground should take at most a tenth of
// BM_TougaardBackgroundDirectSum at 32767 points, BM_WindowFitWithLossTerm
// at most half of BM_WindowFitWithLossTermDirectSum at 2000 points.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "bench/qt_bench_main.h"
#include "core/model.h"
#include "core/store.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fit/peak_models.h"
#include "processing/kernels/backgrounds.h"
#include "processing/kernels/fft.h"
#include "tests/fit/fit_window_fixture.h"

namespace {

using namespace sorvan;

// TailSums sums every length directly while it lives.
struct DirectSums {
  DirectSums() : kept(TailSumsDirectUpTo()) {
    SetTailSumsDirectUpTo(std::numeric_limits<std::size_t>::max());
  }
  ~DirectSums() { SetTailSumsDirectUpTo(kept); }
  std::size_t kept;
};

// Peaks with a step below them and a deterministic stand-in for counting noise.
std::vector<double> Spectrum(int n) {
  std::vector<double> y(static_cast<std::size_t>(n) + 1, 0.0);
  for (int i = 1; i <= n; ++i) {
    double v = 800.0 + (i < n / 2 ? 400.0 : 0.0);
    for (int p = 1; p <= 5; ++p) v += 2e4 / p * std::exp(-std::pow((i - n * p / 6.0) / (n / 80.0), 2));
    y[i] = v + std::sqrt(v) * std::sin(12.9898 * i);
  }
  return y;
}

void TougaardOfSpectrum(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> y = Spectrum(n);
  std::vector<double> b(y.size()), kernel(y.size() + 1);
  const EndLevels ends = AverageEnds(y, 1, n, 3);
  for (auto _ : state) {
    benchmark::DoNotOptimize(TougaardBackground(y, b, kernel, 1, n, 0.05, kDefaultTougaardC, ends.right));
    benchmark::ClobberMemory();
  }
}

void BM_TougaardBackground(benchmark::State& state) { TougaardOfSpectrum(state); }
void BM_TougaardBackgroundDirectSum(benchmark::State& state) {
  DirectSums direct;
  TougaardOfSpectrum(state);
}
BENCHMARK(BM_TougaardBackground)->Arg(2000)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TougaardBackgroundDirectSum)->Arg(2000)->Arg(32767)->Unit(benchmark::kMillisecond);

constexpr int kWindow = 3;
constexpr int kPeaks = 5;
constexpr double kStep = 0.1;
constexpr double kStartEnergy = 900.0;

// Window kWindow holds five Gauss-Lorentz peaks on a constant and a loss
// term of the peaks, with counting noise; its peak table starts off the
// truth, its background is fitted with the constant and the loss term free.
// The fit runs in batch mode (no pages).
void PlaceWindowForFit(int n) {
  // Truth in the fit's channel units: height, share, position, half width.
  std::vector<double> truth(10 * kPeaks + 1, 0.0), peakSum(n + 1, 0.0);
  for (int p = 0; p < kPeaks; ++p) {
    double* e = &truth[10 * p + 1];
    e[0] = 2000.0 + 500.0 * p;
    e[2] = 0.3;
    e[4] = n * (p + 1) / (kPeaks + 1.0);
    e[6] = n / 60.0;
    for (int x = 1; x <= n; ++x) peakSum[x] += GaussLorentzPeakValue(e, false, x);
  }
  std::vector<double> shirley(n + 1), loss(n + 1), scratch(n + 2), counts(n);
  BuildFitBackgroundBasis(peakSum.data(), n, 1, n, kStep, true, shirley.data(), loss.data(), scratch.data());
  for (int x = 1; x <= n; ++x) {
    const double v = 300.0 + peakSum[x] + 40.0 * loss[x];
    counts[x - 1] = v + std::sqrt(v) * std::sin(12.9898 * x);
  }
  fittest::PlaceCountsForFit(kWindow, counts, kStep, kStartEnergy);
  G.IterationLimit = 200;
  G.FitRounds = 2;
  WindowRecord& win = Win[kWindow];
  win.PeakCount = kPeaks;
  win.PeakType = "Singlet";
  win.BackgroundState = BackgroundFitted;
  for (int p = 1; p <= kPeaks; ++p) {
    const double* e = &truth[10 * (p - 1) + 1];
    // Height, share, position and width (full, in eV) off the truth.
    const double values[10] = {0.9 * e[0], 0, e[2], 0, (e[4] + 0.3 * e[6] - 1) * kStep + kStartEnergy,
                               0, 1.1 * 2 * e[6] * kStep, 0, 0, 0};
    for (int j = 1; j <= 10; ++j) {
      win.ParameterValue[p][j] = values[j - 1];
      win.ParameterState[p][j] = (j == 1 || j == 3 || j == 5 || j == 7) ? 0 : 1;
      win.ParameterLower[p][j] = j <= 2 ? 0 : -1e9;
      win.ParameterUpper[p][j] = 1e9;
    }
  }
  const double terms[6] = {300.0, 0.0, 0.0, 0.0, 0.0, 20.0};
  for (int k = 1; k <= 6; ++k) {
    win.BackgroundTermValue[k] = terms[k - 1];
    win.BackgroundTermFixed[k] = !(k == 1 || k == 6);
  }
  AllocFitArraysGaussLorentz(kWindow);
  LoadFitParameters(kWindow);
}

void WindowFit(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    PlaceWindowForFit(n);
    state.ResumeTiming();
    FitPeaksGaussLorentz(kWindow);
  }
  if (Win[kWindow].HasFit != 1) state.SkipWithError("the fit stored nothing");
  state.counters["iterations"] = G.FitIteration;
}

void BM_WindowFitWithLossTerm(benchmark::State& state) { WindowFit(state); }
void BM_WindowFitWithLossTermDirectSum(benchmark::State& state) {
  DirectSums direct;
  WindowFit(state);
}
BENCHMARK(BM_WindowFitWithLossTerm)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowFitWithLossTermDirectSum)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunBenchmarksInQtApplication(argc, argv); }
