// Heap in use over many loads of one project: a project of 100 windows is
// loaded as File > Open project loads it and closed through Window > Close all,
// again and again, in the started program (program folder copied from data/,
// its presetting's pens, styles and fonts). After a warm-up that also fills
// the event trace to its bound, the heap in use (glibc's mallinfo2: allocated
// bytes, mapped blocks included) must not grow from load to load.
//
// BM_ProjectReloadHeap reports `bytes_per_load`, the growth of the heap in
// use per load and close over 100 loads after warm-up, and `per_project`,
// that growth over the heap one loaded project takes (measured in the same
// run; target: at most 0.00001, about 1 KB a load against 100 MB a
// project: room for the allocator's own bookkeeping, none for anything kept
// per load or per window).
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <QCoreApplication>
#include <QEvent>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/menu_commands.h"
#include "core/model.h"
#include "import/place.h"
#include "import/project.h"
#include "import/vamas.h"
#include "platform/app.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/loop.h"
#include "shell/startup.h"

namespace {

constexpr int kSpectra = 100;
constexpr int kPoints = 400;
constexpr int kVamasCode = 12;
// The event trace keeps the last 10000 events (about 100 a load): the
// warm-up fills it, so that what is measured is what keeps growing.
constexpr int kWarmUpLoads = 110;
constexpr int kMeasuredLoads = 100;

namespace fs = std::filesystem;
namespace driver = plat::driver;

// A VAMAS file of one block: a peak on a sloping background.
std::string SpectrumFile(int k) {
  std::string t;
  auto line = [&t](const std::string& s) { t += s + "\r\n"; };
  line("VAMAS Surface Chemical Analysis Standard Data Transfer Format 1988 May 4");
  for (int i = 0; i < 4; ++i) line("x");
  for (const char* s : {"0", "NORM", "REGULAR", "1", "0", "0", "0", "0", "0", "1"}) line(s);
  line("C 1s " + std::to_string(k));
  for (const char* s : {"sample", "2020", "1", "2", "3", "4", "5", "0", "0", "XPS", "Al", "1486.6",
                        "300", "1E37", "1E37", "1E37", "1E37", "FAT", "20", "1", "4.5", "0", "1E37", "1E37",
                        "1E37", "1E37", "C", "1s", "-1", "Kinetic Energy", "eV", "1180", "0.05", "1",
                        "Intensity", "d", "pulse counting", "0.1", "3", "0", "1E37", "1E37", "1E37", "0"})
    line(s);
  line(std::to_string(kPoints));
  line("0");
  line("100000");
  char buf[32];
  for (int i = 0; i < kPoints; ++i) {
    const double x = (i - kPoints / 2.0) / 20.0;
    std::snprintf(buf, sizeof buf, "%.0f", 1000 + 0.5 * i + 20000 * std::exp(-0.5 * x * x) + (i * 37 + k) % 97);
    line(buf);
  }
  line("end of experiment");
  return t;
}

// A program folder as the install step leaves it (a copy of data/ and the
// start-up file below a Windows directory naming it), the spectra and the
// project of all of them.
struct Folder {
  fs::path base;
  std::string project;  // program form
  Folder() {
    base = fs::temp_directory_path() / ("sorvan-reload-bench-" + std::to_string(::getpid()));
    const fs::path program = base / "program folder";
    const fs::path windows = base / "windows";
    fs::create_directories(program);
    fs::create_directories(windows / "System");
    fs::create_directories(base / "spectra");
    fs::copy(fs::path(SORVAN_SOURCE_DIR) / "data", program, fs::copy_options::recursive);
    std::ofstream((windows / "System" / "sorvan 2006.ini").string(), std::ios::binary)
        << "Sorvan\r\nProgram = " << program.string() << "\r\n";
    setenv("SORVAN_WINDOWS_DIR", windows.string().c_str(), 1);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
      const fs::path runtime = base / "runtime";
      fs::create_directories(runtime);
      fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
      setenv("XDG_RUNTIME_DIR", runtime.string().c_str(), 1);
    }
    project = plat::ProgramPath((base / "run.svr").string());
  }
  ~Folder() {
    std::error_code ec;
    fs::remove_all(base, ec);
  }
};

Folder* g_folder = nullptr;

// Lets the windows closed by the last command go, as the event loop does
// between two commands.
void Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  plat::DoEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Every spectrum imported into a window of its own and saved as a project.
bool MakeProject() {
  for (int k = 1; k <= kSpectra; ++k) {
    const fs::path path = g_folder->base / "spectra" / ("s" + std::to_string(k) + ".vms");
    std::ofstream(path, std::ios::binary) << SpectrumFile(k);
    sorvan::G.FileDialogResult = plat::ProgramPath(path.string());
    sorvan::Win[0].ImportFormat = kVamasCode;
    sorvan::ImportVamas(0, 0);
    sorvan::G.ChosenBlocks[0] = 1;
    sorvan::G.ChosenBlockCount = 1;
    sorvan::PlaceChosenSpectra();
  }
  if (!sorvan::SaveProjectTo(g_folder->project)) return false;
  driver::ChooseMenu(sorvan::CmdCloseAllWindows);
  Settle();
  return true;
}

std::size_t HeapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

int OpenWindowCount() {
  int n = 0;
  for (int w = 1; w <= sorvan::kMaxWindows; ++w) n += sorvan::Win[w].WindowOpen ? 1 : 0;
  return n;
}

// What File > Open project does once its dialog has named the project.
bool LoadAsTheOpenCommandDoes() {
  if (!sorvan::LoadProjectFrom(g_folder->project)) return false;
  Settle();
  return OpenWindowCount() == kSpectra;
}

void CloseThroughTheMenu() {
  driver::ChooseMenu(sorvan::CmdCloseAllWindows);
  Settle();
}

void BM_ProjectReloadHeap(benchmark::State& state) {
  for (auto _ : state) {
    for (int k = 0; k < kWarmUpLoads; ++k) {
      if (!LoadAsTheOpenCommandDoes()) {
        state.SkipWithError("the project was not loaded");
        return;
      }
      CloseThroughTheMenu();
    }
    malloc_trim(0);
    const std::size_t closed = HeapInUse();
    if (!LoadAsTheOpenCommandDoes()) {
      state.SkipWithError("the project was not loaded");
      return;
    }
    const std::size_t loaded = HeapInUse();
    CloseThroughTheMenu();
    malloc_trim(0);
    const std::size_t start = HeapInUse();
    for (int k = 0; k < kMeasuredLoads; ++k) {
      LoadAsTheOpenCommandDoes();
      CloseThroughTheMenu();
    }
    malloc_trim(0);
    const std::size_t end = HeapInUse();
    const double perLoad = (static_cast<double>(end) - static_cast<double>(start)) / kMeasuredLoads;
    state.counters["bytes_per_load"] = perLoad;
    state.counters["project_bytes"] = static_cast<double>(loaded) - static_cast<double>(closed);
    state.counters["per_project"] = perLoad / (static_cast<double>(loaded) - static_cast<double>(closed));
  }
}
BENCHMARK(BM_ProjectReloadHeap)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  Folder folder;
  g_folder = &folder;
  plat::InitApplication(argc, argv);
  // The program as a user starts it (not the test driver's test mode, whose
  // watchdog stops a run after two minutes).
  if (!sorvan::PrepareFirstStart()) return 1;
  if (!MakeProject()) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  plat::DestroyAllWindows();
  return 0;
}
