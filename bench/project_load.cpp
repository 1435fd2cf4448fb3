// Loading a project of 100 windows of 32767 points, against reading the same
// 100 spectra from their files into the imported store. The load reads the
// project file, makes and draws every window once, and reads the last
// window's source into the store: it must take at most twice the reading.
//
// The windows draw with the shipped presetting's pens (curves two pixels
// wide). BM_LoadProject reports `per_reading`, its time over the time of the
// reading measured in the same run (target: at most 2). BM_ProjectMemory
// reports the peak memory of the program that starts and loads the project
// (a run of its own each) with those pens and with one-pixel curves and
// lines, and `per_one_pixel`, their ratio (target: at most 1.2).
// BM_SaveProject shows what saving the same windows again costs.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/events.h"
#include "bench/drawing_styles.h"
#include "core/model.h"
#include "core/store.h"
#include "display/windows.h"
#include "import/place.h"
#include "import/project.h"
#include "import/vamas.h"
#include "platform/app.h"
#include "platform/driver.h"
#include "platform/files.h"

namespace {

constexpr int kSpectra = 100;
constexpr int kPoints = 32767;
constexpr int kVamasCode = 12;

namespace fs = std::filesystem;

// A VAMAS file of one block: a peak on a sloping background, with noise.
std::string SpectrumFile(int k) {
  std::string t;
  auto line = [&t](const std::string& s) { t += s + "\r\n"; };
  line("VAMAS Surface Chemical Analysis Standard Data Transfer Format 1988 May 4");
  for (int i = 0; i < 4; ++i) line("x");
  for (const char* s : {"0", "NORM", "REGULAR", "1", "0", "0", "0", "0", "0", "1"}) line(s);
  for (const char* s : {"C 1s", "sample", "2020", "1", "2", "3", "4", "5", "0", "0", "XPS", "Al", "1486.6",
                        "300", "1E37", "1E37", "1E37", "1E37", "FAT", "20", "1", "4.5", "0", "1E37", "1E37",
                        "1E37", "1E37", "C", "1s", "-1", "Kinetic Energy", "eV", "100", "0.04", "1",
                        "Intensity", "d", "pulse counting", "0.1", "3", "0", "1E37", "1E37", "1E37", "0"})
    line(s);
  line(std::to_string(kPoints));
  line("0");
  line("100000");
  unsigned seed = 12345u + static_cast<unsigned>(k);
  char buf[32];
  for (int i = 0; i < kPoints; ++i) {
    seed = seed * 1103515245u + 12345u;
    const double x = (i - kPoints / 3.0) / (kPoints / 60.0);
    const double v = 1000 + 0.05 * i + 20000 * std::exp(-0.5 * x * x) + double(seed >> 16 & 0x3FF);
    std::snprintf(buf, sizeof buf, "%.0f", v);
    line(buf);
  }
  line("end of experiment");
  return t;
}

struct Setup {
  fs::path folder;
  std::vector<std::string> files;  // program form
  std::string project;             // program form
};

void CloseAllWindows() {
  for (int w = 1; w <= sorvan::kMaxWindows; ++w)
    if (sorvan::Win[w].WindowOpen) sorvan::CloseSpectrumWindow(w);
}

// Reads one VAMAS file into the imported store, as the import command's reader does.
void ReadIntoStore(const std::string& file) {
  sorvan::G.FileDialogResult = file;
  sorvan::Win[0].ImportFormat = kVamasCode;
  sorvan::ImportVamas(0, 0);
}

const Setup& Prepared() {
  static Setup setup = [] {
    Setup s;
    s.folder = fs::temp_directory_path() / ("sorvan_bench_project_" + std::to_string(::getpid()));
    fs::remove_all(s.folder);
    fs::create_directories(s.folder / "spectra");
    for (int k = 1; k <= kSpectra; ++k) {
      const fs::path path = s.folder / "spectra" / ("s" + std::to_string(k) + ".vms");
      std::ofstream(path, std::ios::binary) << SpectrumFile(k);
      s.files.push_back(plat::ProgramPath(path.string()));
    }
    // Every spectrum imported into a window of its own, then saved as a project.
    for (const std::string& file : s.files) {
      ReadIntoStore(file);
      sorvan::G.ChosenBlocks[0] = 1;
      sorvan::G.ChosenBlockCount = 1;
      sorvan::PlaceChosenSpectra();
    }
    s.project = plat::ProgramPath((s.folder / "run.svr").string());
    sorvan::SaveProjectTo(s.project);
    CloseAllWindows();
    return s;
  }();
  return setup;
}

double ReadingSeconds() {
  const Setup& s = Prepared();
  const auto start = std::chrono::steady_clock::now();
  for (const std::string& file : s.files) ReadIntoStore(file);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_ReadSpectraIntoStore(benchmark::State& state) {
  const Setup& s = Prepared();
  for (auto _ : state)
    for (const std::string& file : s.files) ReadIntoStore(file);
  state.SetItemsProcessed(state.iterations() * kSpectra * kPoints);
}
BENCHMARK(BM_ReadSpectraIntoStore)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadProject(benchmark::State& state) {
  const Setup& s = Prepared();
  // The reference of this run, the best of three.
  double reading = ReadingSeconds();
  for (int k = 0; k < 2; ++k) reading = std::min(reading, ReadingSeconds());
  double loading = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!sorvan::LoadProjectFrom(s.project)) state.SkipWithError("the project was not loaded");
    loading += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.PauseTiming();
    CloseAllWindows();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kSpectra * kPoints);
  state.counters["per_reading"] = loading / static_cast<double>(state.iterations()) / reading;
}
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peak resident size of this process, in megabytes (VmHWM).
double PeakMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return 0;
}

// The peak memory of a program that starts, loads the project and holds its
// 100 windows open: this program run again with --load_project_peak
// (see main), one-pixel pens or the shipped ones.
double LoadingPeakMegabytes(bool onePixel) {
  const Setup& s = Prepared();
  std::string command = "/proc/" + std::to_string(::getpid()) + "/exe --load_project_peak=" +
                        (onePixel ? "one_pixel " : "shipped ") + "'" + plat::NativePath(s.project) + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return 0;
  char buffer[64] = {};
  const bool read = std::fgets(buffer, sizeof buffer, pipe) != nullptr;
  ::pclose(pipe);
  return read ? std::atof(buffer) : 0;
}

void BM_ProjectMemory(benchmark::State& state) {
  double withPens = 0, withOnePixel = 0;
  for (auto _ : state) {
    withOnePixel = LoadingPeakMegabytes(true);
    withPens = LoadingPeakMegabytes(false);
  }
  if (withPens <= 0 || withOnePixel <= 0) state.SkipWithError("the loading program gave no figure");
  state.counters["shipped_MB"] = withPens;
  state.counters["one_pixel_MB"] = withOnePixel;
  state.counters["per_one_pixel"] = withPens / withOnePixel;
}
BENCHMARK(BM_ProjectMemory)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Saving the same 100 windows again over the project (the sources already
// lie in its copy folder: only the project file is written).
void BM_SaveProject(benchmark::State& state) {
  const Setup& s = Prepared();
  if (!sorvan::LoadProjectFrom(s.project)) state.SkipWithError("the project was not loaded");
  for (auto _ : state) sorvan::SaveProjectTo(s.project);
  CloseAllWindows();
  state.SetItemsProcessed(state.iterations() * kSpectra * kPoints);
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // As the program starts: the application object and its memory settings.
  plat::InitApplication(argc, argv);
  // Test mode: nothing waits for a person, and a message box that nobody
  // expects stops the run instead of waiting.
  plat::driver::Reset();
  sorvan::BuildEventRegistry();
  sorvan::InitialiseModel();
  plat::OpenMainWindow("Sorvan");
  using sorvan::G;
  G.ScreenWidth = static_cast<sorvan::Int16>(plat::ScreenWidth());
  G.ScreenHeight = plat::ScreenHeight();
  G.WorkAreaHeight = static_cast<sorvan::Int16>(0.999 * G.ScreenHeight);
  sorvan::ApplyGlobalStartupValues();
  sorvan::ApplyWindowStartupValues();
  benchsupport::SetShippedDrawingStyles();
  // The run that measures its own peak memory with the project loaded.
  const std::string peakOption = "--load_project_peak=";
  if (argc == 3 && std::string(argv[1]).rfind(peakOption, 0) == 0) {
    if (std::string(argv[1]).substr(peakOption.size()) == "one_pixel") {
      for (int k = 0; k <= 20; ++k) {
        G.CurveWidths[k] = 1;
        G.LineWidths[k] = 1;
      }
    }
    if (!sorvan::LoadProjectFrom(plat::ProgramPath(argv[2]))) return 1;
    std::printf("%.1f\n", PeakMegabytes());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(Prepared().folder, ec);
  return 0;
}
