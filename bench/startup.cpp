// Start-up to the main window's first complete paint, against a minimal main
// window with the same widgets (a menu bar, a toolbar and an area for child
// windows) built with Qt alone, measured in the same run.
//
// Two ends of a start-up are timed: the first paint of the main window at
// all (`first_paint_ms`), and the first paint of its toolbar (`best_ms`, and
// the benchmark's time): the toolbar is built last and painted after the menu
// bar, so from then on the user sees the whole window. The program's
// `per_minimal` is its best first paint over the minimal window's (target: at
// most 1.25), `complete_per_minimal` the same for the toolbar paints.
//
// Two pairs of benchmarks:
// - BM_MinimalMainWindowProcess and BM_ProgramStartupProcess start a fresh
//   process of this program for every run (`--startup-child=minimal` or
//   `=program`) and time it from before the process is started: what a user
//   waits for, the loading of the libraries and what Qt sets up once per
//   process included. The program's process runs the real start-up
//   (InitApplication and PrepareFirstStart, as StartProgram does) in a
//   program folder copied from data/.
// - BM_MinimalMainWindow and BM_ProgramStartup do the same inside this
//   process, again and again, after the application object and what Qt
//   makes once (fonts, style, the first window's surface) exist: the part of
//   the start-up that the program's own work decides, with far less noise.
//
// Times are real (wall-clock) times; the minima over the runs are the
// figures to compare. On a busy machine the process times vary by tens of
// milliseconds from run to run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/app.h"
#include "shell/startup.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Notes the time of the first paint of a main window, and of the first paint
// of its toolbar, after Arm.
class PaintWatch : public QObject {
 public:
  void Arm() {
    firstPaint_ = toolbarPaint_ = Clock::time_point{};
    sawPaint_ = sawToolbar_ = false;
  }
  bool SawToolbarPaint() const { return sawToolbar_; }
  Clock::time_point FirstPaint() const { return firstPaint_; }
  Clock::time_point ToolbarPaint() const { return toolbarPaint_; }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Paint && object->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(object);
      if (qobject_cast<QMainWindow*>(widget->window())) {
        const auto now = Clock::now();
        if (!sawPaint_) {
          sawPaint_ = true;
          firstPaint_ = now;
        }
        if (!sawToolbar_ && qobject_cast<QToolBar*>(widget)) {
          sawToolbar_ = true;
          toolbarPaint_ = now;
        }
      }
    }
    return QObject::eventFilter(object, event);
  }

 private:
  Clock::time_point firstPaint_, toolbarPaint_;
  bool sawPaint_ = false, sawToolbar_ = false;
};

PaintWatch* g_watch = nullptr;

// Takes events until the toolbar of a main window has been painted.
bool WaitForToolbarPaint() {
  QElapsedTimer limit;
  limit.start();
  while (!g_watch->SawToolbarPaint()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (limit.elapsed() > 10000) return false;
  }
  return true;
}

// Lets deleted windows go, so that one run leaves nothing to the next.
void Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// The minimal window's time of the last run, for the program's ratio.
// The minimal window's best times of the last run (first paint, toolbar
// paint), for the program's ratios.
double g_minimalFirst = 0, g_minimalComplete = 0;

// The minimal main window, shown over the screen as the program's is.
QMainWindow* MinimalWindow() {
  auto* window = new QMainWindow;
  window->setWindowTitle("Minimal");
  QMenu* menu = window->menuBar()->addMenu("&File");
  menu->addAction("&Open");
  menu->addAction("E&xit");
  window->menuBar()->addMenu("&Help")->addAction("&About");
  QToolBar* bar = window->addToolBar("tb");
  bar->setMovable(false);
  bar->addAction("Open");
  window->setCentralWidget(new QMdiArea(window));
  if (QScreen* screen = QGuiApplication::primaryScreen()) window->setGeometry(screen->availableGeometry());
  window->showMaximized();
  return window;
}

void BM_MinimalMainWindow(benchmark::State& state) {
  double best = 1e30, bestFirst = 1e30;
  for (auto _ : state) {
    g_watch->Arm();
    const auto start = Clock::now();
    QMainWindow* window = MinimalWindow();
    if (!WaitForToolbarPaint()) state.SkipWithError("the minimal window was not painted");
    const double seconds = Seconds(start, g_watch->ToolbarPaint());
    state.SetIterationTime(seconds);
    best = std::min(best, seconds);
    bestFirst = std::min(bestFirst, Seconds(start, g_watch->FirstPaint()));
    delete window;
    Settle();
  }
  g_minimalFirst = bestFirst;
  g_minimalComplete = best;
  state.counters["first_paint_ms"] = bestFirst * 1e3;
  state.counters["best_ms"] = best * 1e3;
}

// The program's ratios to the minimal window: `per_minimal` of the first
// paints, `complete_per_minimal` of the toolbar paints.
void SetRatios(benchmark::State& state, double first, double complete, double minimalFirst,
               double minimalComplete) {
  if (minimalFirst > 0) state.counters["per_minimal"] = first / minimalFirst;
  if (minimalComplete > 0) state.counters["complete_per_minimal"] = complete / minimalComplete;
  state.counters["first_paint_ms"] = first * 1e3;
  state.counters["best_ms"] = complete * 1e3;
}

// A program folder as the install step leaves it: a copy of data/ and the
// start-up file below a Windows directory naming it.
struct Folder {
  fs::path base;
  Folder() {
    base = fs::temp_directory_path() / ("sorvan-startup-bench-" + std::to_string(::getpid()));
    const fs::path program = base / "program folder";
    const fs::path windows = base / "windows";
    fs::create_directories(program);
    fs::create_directories(windows / "System");
    fs::copy(fs::path(SORVAN_SOURCE_DIR) / "data", program, fs::copy_options::recursive);
    std::ofstream("" + (windows / "System" / "sorvan 2006.ini").string(), std::ios::binary)
        << "Sorvan\r\nProgram = " << program.string() << "\r\n";
    setenv("SORVAN_WINDOWS_DIR", windows.string().c_str(), 1);
    // Qt wants a runtime folder of the user's own; without one each started
    // process warns.
    if (!std::getenv("XDG_RUNTIME_DIR")) {
      const fs::path runtime = base / "runtime";
      fs::create_directories(runtime);
      fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
      setenv("XDG_RUNTIME_DIR", runtime.string().c_str(), 1);
    }
  }
  ~Folder() {
    std::error_code ec;
    fs::remove_all(base, ec);
  }
};

void BM_ProgramStartup(benchmark::State& state) {
  double best = 1e30, bestFirst = 1e30;
  for (auto _ : state) {
    g_watch->Arm();
    const auto start = Clock::now();
    if (!sorvan::PrepareProgram()) {
      state.SkipWithError("the program did not start");
      break;
    }
    if (!WaitForToolbarPaint()) state.SkipWithError("the main window's toolbar was not painted");
    const double seconds = Seconds(start, g_watch->ToolbarPaint());
    state.SetIterationTime(seconds);
    best = std::min(best, seconds);
    bestFirst = std::min(bestFirst, Seconds(start, g_watch->FirstPaint()));
    plat::DestroyAllWindows();
    Settle();
  }
  SetRatios(state, bestFirst, best, g_minimalFirst, g_minimalComplete);
}

// A fresh process of this program, started with `--startup-child=<kind>`,
// that makes the minimal window or starts the program and then writes the
// times of the first paint and of the first toolbar paint (steady clock,
// nanoseconds) to the pipe on descriptor 3 and ends at once.
struct ChildTimes {
  bool ok = false;
  double firstPaint = 0, toolbarPaint = 0;  // seconds from before the start of the process
};

ChildTimes RunChild(const char* kind) {
  ChildTimes times;
  int fds[2];
  if (pipe(fds) != 0) return times;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  const std::string argument = std::string("--startup-child=") + kind;
  char* args[] = {const_cast<char*>("bench_startup"), const_cast<char*>(argument.c_str()), nullptr};
  const auto start = Clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::string reply;
  char buffer[128];
  for (ssize_t n; spawned == 0 && (n = read(fds[0], buffer, sizeof buffer)) > 0;) reply.append(buffer, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  if (spawned == 0) waitpid(pid, &status, 0);
  long long first = 0, toolbar = 0;
  if (spawned == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
      std::sscanf(reply.c_str(), "%lld %lld", &first, &toolbar) == 2) {
    const long long origin = std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
    times.ok = true;
    times.firstPaint = (first - origin) * 1e-9;
    times.toolbarPaint = (toolbar - origin) * 1e-9;
  }
  return times;
}

double g_minimalProcessFirst = 0, g_minimalProcessComplete = 0;

void BM_MinimalMainWindowProcess(benchmark::State& state) {
  double best = 1e30, bestFirst = 1e30;
  for (auto _ : state) {
    const ChildTimes t = RunChild("minimal");
    if (!t.ok) {
      state.SkipWithError("the minimal window's process failed");
      break;
    }
    state.SetIterationTime(t.toolbarPaint);
    best = std::min(best, t.toolbarPaint);
    bestFirst = std::min(bestFirst, t.firstPaint);
  }
  g_minimalProcessFirst = bestFirst;
  g_minimalProcessComplete = best;
  state.counters["first_paint_ms"] = bestFirst * 1e3;
  state.counters["best_ms"] = best * 1e3;
}

void BM_ProgramStartupProcess(benchmark::State& state) {
  double best = 1e30, bestFirst = 1e30;
  for (auto _ : state) {
    const ChildTimes t = RunChild("program");
    if (!t.ok) {
      state.SkipWithError("the program's process failed");
      break;
    }
    state.SetIterationTime(t.toolbarPaint);
    best = std::min(best, t.toolbarPaint);
    bestFirst = std::min(bestFirst, t.firstPaint);
  }
  SetRatios(state, bestFirst, best, g_minimalProcessFirst, g_minimalProcessComplete);
}

// The minimal window runs first; the program's ratio compares the best run
// of each.
BENCHMARK(BM_MinimalMainWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(1.0);
BENCHMARK(BM_ProgramStartup)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(1.0);
BENCHMARK(BM_MinimalMainWindowProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);
BENCHMARK(BM_ProgramStartupProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);

}  // namespace

// The child process: starts as the program or as the minimal window would,
// takes events until the toolbar is painted and reports the two times.
int RunAsChild(const std::string& kind, int& argc, char** argv) {
  if (kind == "program") {
    plat::InitApplication(argc, argv);
  } else {
    new QApplication(argc, argv);
  }
  PaintWatch watch;
  g_watch = &watch;
  qApp->installEventFilter(&watch);
  watch.Arm();
  if (kind == "program") {
    if (!sorvan::PrepareFirstStart()) _exit(1);
  } else {
    MinimalWindow();
  }
  if (!WaitForToolbarPaint()) _exit(1);
  auto ns = [](Clock::time_point t) {
    return static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count());
  };
  char line[64];
  const int n = std::snprintf(line, sizeof line, "%lld %lld\n", ns(watch.FirstPaint()), ns(watch.ToolbarPaint()));
  if (write(3, line, static_cast<size_t>(n)) != n) _exit(1);
  _exit(0);
}

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  constexpr const char* kChild = "--startup-child=";
  if (argc == 2 && std::string(argv[1]).rfind(kChild, 0) == 0)
    return RunAsChild(std::string(argv[1]).substr(std::string(kChild).size()), argc, argv);
  Folder folder;
  // As the program starts: the application object and its memory settings.
  plat::InitApplication(argc, argv);
  PaintWatch watch;
  g_watch = &watch;
  qApp->installEventFilter(&watch);
  // What Qt makes once per process (fonts, style, the first window's
  // surface) is made here, outside both measurements.
  {
    QMainWindow warm;
    warm.addToolBar("tb")->addAction("x");
    warm.show();
    WaitForToolbarPaint();
  }
  Settle();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
