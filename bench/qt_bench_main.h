// The main of the benchmarks that draw or fit through windows: a Qt
// application (offscreen unless a platform is named) around the benchmark run.
#pragma once
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

namespace benchsupport {

inline int RunBenchmarksInQtApplication(int& argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace benchsupport
