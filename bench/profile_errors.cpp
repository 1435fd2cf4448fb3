// The chi-square profile errors of a three-peak fit of a real C 1s spectrum
// (the C 1s block of a VAMAS sample, a Shirley background kept, three
// singlets), run from the menu as a user runs them, in a program started
// from the shipped data folder: the shipped presetting's pens and styles.
//
// Each iteration runs the analysis twice: once drawing into the window, and
// once with the window drawing into a canvas that draws nothing. Their
// difference is what drawing costs; `drawing_share` is that difference over
// the run with drawing (target: at most 0.2). The times are wall-clock
// minima over the iterations. The clock the program's redraws follow is the
// real one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/qt_bench_main.h"
#include "core/events.h"
#include "core/language.h"
#include "core/menu_commands.h"
#include "core/model.h"
#include "core/presetting.h"
#include "core/settings_paths.h"
#include "platform/app.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/loop.h"
#include "platform/recording_canvas.h"
#include "platform/surfaces.h"
#include "shell/menu_bar.h"
#include "shell/menu_state.h"
#include "shell/toolbar.h"
#include "support/program_folder.h"

namespace {

using namespace sorvan;
namespace script = plat::script;
using Clock = std::chrono::steady_clock;

// Draws nothing and records nothing; measures as the recording canvas does
// (the real font at 96 dots per inch, as the window).
class NullCanvas : public plat::RecordingCanvas {
 public:
  using RecordingCanvas::RecordingCanvas;
  void Line(double, double, double, double) override {}
  void Polyline(const int*, const int*, int) override {}
  void Box(double, double, double, double) override {}
  void FilledBox(double, double, double, double) override {}
  void FilledPolygon(const int*, const int*, int) override {}
  void FilledProfile(const int*, const int*, int, int, int) override {}
  void Circle(double, double, double) override {}
  void Text(double, double, const std::string&) override {}
  bool Picture(const std::string&, double, double, double, double) override { return true; }
};

std::string SamplesFile() {
  const char* env = std::getenv("SORVAN_SAMPLES_DIR");
  for (const std::string& dir : {std::string(env ? env : ""), std::string(SORVAN_SAMPLES_DIR),
                                std::string(SORVAN_SOURCE_DIR "/../../shared/samples")}) {
    if (dir.empty()) continue;
    const std::string path = dir + "/vamas/five-regions.vms";
    if (plat::FileExists(plat::ProgramPath(path))) return path;
  }
  return "";
}

// The program as start-up makes it, with the presetting of the program folder.
void StartProgram() {
  BuildEventRegistry();
  InitialiseModel();
  ReadStartupFile();
  plat::OpenMainWindow("Sorvan");
  SetPresettingPath();
  ReadPresetting();
  SetLanguagePaths();
  ReadLanguageFile();
  SetParameterSetAndSatellitePaths();
  G.ParameterSet1Path.clear();
  G.ParameterSet2Path.clear();
  InitMenuCommandIds();
  InitMenuItemFlags();
  BuildMenuBar();
  G.ScreenWidth = static_cast<Int16>(plat::ScreenWidth());
  G.ScreenHeight = plat::ScreenHeight();
  G.WorkAreaHeight = static_cast<Int16>(0.999 * G.ScreenHeight);
  ApplyGlobalStartupValues();
  ApplyWindowStartupValues();
  SyncOptionChecks();
  BuildToolbarActionTexts();
  BuildToolbar();
}

void IterationPageAndDone() {
  script::SetText("ed161", -1, "100");
  script::SetText("ed162", -1, "3");
  script::Click("cmdOk161");
  script::Click("cmdCancel242");
}

// The C 1s block imported, a Shirley background kept, three singlets fitted
// until the fit has settled; the window's number.
int FittedC1sWindow(const std::string& path) {
  plat::driver::ChooseMenu(CmdDefaultErrorsProfile);
  script::AnswerFile(plat::ProgramPath(path));
  script::SelectItems("lib21", -1, {3});
  script::Click("cmdOk21");
  plat::driver::ChooseMenu(1160);
  const int w = G.CurrentWindow;
  script::Click("cmd13");
  plat::driver::ChooseMenu(2130);
  script::SetText("ed111", -1, "3");
  script::Click("cmdOk111");
  const char* lower[5] = {"0", "0", "278", "0.3", "-0.5"};
  const char* upper[5] = {"10000", "1", "290", "4", "0.5"};
  for (int cell = 0; cell < 15; ++cell) {
    script::SetText("ed121", cell, lower[cell % 5]);
    script::SetText("ed122", cell, upper[cell % 5]);
  }
  script::Click("cmdOk121");
  const char* start[3][5] = {{"800", "0.3", "282.5", "1.2", "0"},
                             {"150", "0.3", "284.2", "1.5", "0"},
                             {"80", "0.3", "286.5", "1.5", "0"}};
  for (int p = 0; p < 3; ++p) {
    for (int k = 0; k < 5; ++k) script::SetText("ed141", 5 * p + k, start[p][k]);
    script::SetValue("chk141", 5 * p + 1, 1);
    script::SetValue("chk141", 5 * p + 4, 1);
  }
  script::Click("cmdOk141");
  IterationPageAndDone();
  plat::driver::ChooseMenu(CmdNewFitSinglets);
  for (int again = 0; again < 2; ++again) {
    IterationPageAndDone();
    plat::driver::ChooseMenu(CmdRunFit);
  }
  return w;
}

// One profile run from the menu, its peak error page closed; seconds.
double ProfileRun(int w) {
  Win[w].ErrorTableValid = 0;
  script::Click("cmdOk321");
  const auto start = Clock::now();
  plat::driver::ChooseMenu(CmdEstimateErrors);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (plat::driver::StepsLeft() != 0) plat::driver::Reset();
  return seconds;
}

void BM_ProfileErrorsOfC1sFit(benchmark::State& state) {
  const std::string path = SamplesFile();
  if (path.empty()) {
    state.SkipWithError("sample files not found (set SORVAN_SAMPLES_DIR)");
    return;
  }
  plat::driver::Reset();
  plat::driver::UseRealClock();
  auto folder = std::make_unique<testsupport::ProgramFolder>();
  StartProgram();
  const int w = FittedC1sWindow(path);
  const double width = plat::WindowCanvas(w).Width(), height = plat::WindowCanvas(w).Height();
  NullCanvas null(width, height);
  double drawn = 1e9, undrawn = 1e9;
  for (auto _ : state) {
    const double d = ProfileRun(w);
    state.SetIterationTime(d);
    drawn = std::min(drawn, d);
    plat::SetRecordingCanvas(w, &null);
    undrawn = std::min(undrawn, ProfileRun(w));
    plat::SetRecordingCanvas(w, nullptr);
  }
  state.counters["drawn_ms"] = 1e3 * drawn;
  state.counters["undrawn_ms"] = 1e3 * undrawn;
  state.counters["drawing_share"] = (drawn - undrawn) / drawn;
  state.counters["curve_width"] = G.CurveWidths[0];
  plat::driver::Reset();
  plat::CloseAll();
  plat::DestroyAllWindows();
  folder.reset();
}
BENCHMARK(BM_ProfileErrorsOfC1sFit)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunBenchmarksInQtApplication(argc, argv); }
