// Speed of the column copies of the spectrum store on a spectrum of the
// largest size a window can hold (32767 points).
#include <benchmark/benchmark.h>

#include "core/model.h"
#include "core/store.h"

namespace {

constexpr int kWindow = 1;
constexpr int kPoints = 32767;

void PrepareWindow() {
  sorvan::InitialiseModel();
  sorvan::Win[kWindow].SpectrumHeader.PointCount = kPoints;
  sorvan::DimSlotData(kWindow);
  for (int i = 1; i <= kPoints; ++i) sorvan::SlotData[kWindow](i, 1) = i;
  sorvan::G.ComponentCount = 15;
  sorvan::DimSlotComponents(kWindow);
}

void BM_LoadWorkData(benchmark::State& state) {
  PrepareWindow();
  for (auto _ : state) {
    sorvan::LoadWorkData(kWindow, 1, 1, kPoints);
    benchmark::DoNotOptimize(sorvan::WorkData.data());
  }
}
BENCHMARK(BM_LoadWorkData);

void BM_StoreWorkData(benchmark::State& state) {
  PrepareWindow();
  sorvan::LoadWorkData(kWindow, 1, 1, kPoints);
  for (auto _ : state) {
    sorvan::StoreWorkData(kWindow, 2);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_StoreWorkData);

void BM_LoadWorkBackground(benchmark::State& state) {
  PrepareWindow();
  for (auto _ : state) {
    sorvan::LoadWorkBackground(kWindow, 1, 1, kPoints);
    benchmark::DoNotOptimize(sorvan::WorkBackground.data());
  }
}
BENCHMARK(BM_LoadWorkBackground);

void BM_StoreWorkPeak(benchmark::State& state) {
  PrepareWindow();
  sorvan::DimWorkPeak(kWindow);
  for (int i = 1; i <= kPoints; ++i) sorvan::WorkPeak[i] = i % 97;
  for (auto _ : state) {
    sorvan::StoreWorkPeak(kWindow, 3);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_StoreWorkPeak);

void BM_LoadComponent(benchmark::State& state) {
  PrepareWindow();
  for (auto _ : state) {
    sorvan::LoadComponent(kWindow, 3, 1, kPoints);
    benchmark::DoNotOptimize(sorvan::WorkData.data());
  }
}
BENCHMARK(BM_LoadComponent);

// One processing round trip: the region loaded, the column stored back.
void BM_RegionRoundTrip(benchmark::State& state) {
  PrepareWindow();
  for (auto _ : state) {
    sorvan::LoadWorkData(kWindow, 1, 1000, 30000);
    sorvan::StoreWorkData(kWindow, 1);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RegionRoundTrip);

}  // namespace

BENCHMARK_MAIN();
