// The Series menu (see shell/menu_series.h): the processing series,
// reverting every window, the four views built from chosen windows, and the
// commands that hand their work to the energy page and the fit reports.
#include "shell/menu_series.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/free_window.h"
#include "core/menu_commands.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "core/store.h"
#include "dialogs/window_choice_page.h"
#include "display/curves.h"
#include "display/frame.h"
#include "display/multi_windows.h"
#include "display/plotters.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "display/run_redraws.h"
#include "display/switches.h"
#include "display/views.h"
#include "display/windows.h"
#include "fit/fit_background.h"
#include "fiterrors/peak_start_page.h"
#include "platform/app.h"
#include "platform/surfaces.h"
#include "processing/background_procedures.h"
#include "processing/pages/arithmetic_page.h"
#include "processing/pages/background_page.h"
#include "processing/poly_background.h"
#include "processing/pages/calibration_page.h"
#include "processing/pages/scale_page.h"
#include "processing/region.h"
#include "processing/revert.h"
#include "processing/satellite_removal.h"
#include "processing/smoothing.h"
#include "report/fit_report.h"
#include "report/fit_tables.h"
#include "shell/menu_fit.h"
#include "shell/menu_processing.h"
#include "shell/menu_state.h"
#include "shell/run_lock.h"

namespace sorvan {

namespace {

constexpr int kMessageSummary = 5;
constexpr int kMessageSeriesDone = 6;
constexpr int kMessageMismatch = 7;

// True when the chosen windows can form one view: at least two, all on the
// energy grid of the first (energy shift, point count, step and start
// energy) and all fitted or all unfitted.
bool ChosenWindowsMatch() {
  const int count = G.ChosenWindowCount;
  if (count < 1) return true;  // a cancelled page: nothing to compare
  const WindowRecord& first = Win[static_cast<int>(G.ChosenWindows[1])];
  for (int i = 1; i <= count; ++i) {
    const WindowRecord& c = Win[static_cast<int>(G.ChosenWindows[i])];
    if (c.EnergyShift != first.EnergyShift ||
        c.SpectrumHeader.PointCount != first.SpectrumHeader.PointCount ||
        c.SpectrumHeader.EnergyStep != first.SpectrumHeader.EnergyStep ||
        c.SpectrumHeader.StartEnergy != first.SpectrumHeader.StartEnergy || count < 2 ||
        c.HasFit != first.HasFit) {
      return false;
    }
  }
  return true;
}

bool OnOneGrid(int a, int b) {
  const SpectrumHeaderRecord& x = Win[a].SpectrumHeader;
  const SpectrumHeaderRecord& y = Win[b].SpectrumHeader;
  return x.PointCount == y.PointCount && x.EnergyStep == y.EnergyStep &&
         x.StartEnergy == y.StartEnergy;
}

// The answer the background pages would have given for the template's
// background: 1 subtract, 13 keep (273 for the polynomial background).
void SetTemplateBackgroundAnswer(const WindowRecord& templ) {
  if (templ.BackgroundState == BackgroundDefined) {
    G.DialogResult = G.BackgroundName == G.MessageTexts[BackgroundKindPolyShirley] ? 273 : 13;
  } else if (templ.BackgroundState == BackgroundSubtracted) {
    G.DialogResult = 1;
  }
}

// Computes the background that BackgroundName names on t, while t has none.
void ComputeNamedBackground(int t) {
  BackgroundProcedure compute = BackgroundProcedureNamed(G.BackgroundName);
  if (compute != nullptr && Win[t].BackgroundState == BackgroundNone) compute(t);
}

// Calls `step` on t until t's count (read by `count`) reaches `wanted`; a
// call that leaves the count where it was (a refused or impossible pass)
// ends the repeats, as does the window being closed.
template <typename Count>
void RepeatUntil(int t, int wanted, Count count, void (*step)(int)) {
  while (Win[t].WindowOpen && count() != wanted) {
    const int before = count();
    step(t);
    if (count() == before) break;
  }
}

// One fit of t inside the series. A fit also ends when any window is closed
// meanwhile; when t itself is still open it is fitted again from where the
// fit was stopped, so that closing another window costs t nothing.
void FitSeriesTarget(int t, void (*fit)(int)) {
  for (int tries = 0; tries <= kMaxWindows; ++tries) {
    G.FitRunState = FitIdle;
    fit(t);
    G.BatchMode = 1;  // a fit leaves batch use; the series goes on in it
    if (G.FitRunState != FitStopRequested || !Win[t].WindowOpen || G.FitKey == KeyEscape) return;
    fit = RunFitOfWindow;
  }
}

// The background of the template made again on t: by the template's own
// recipe (kind, cursor pair, Shirley passes, Tougaard constant) when it has
// one, else by the name and cursor pair of the last background computed.
void RepeatTemplateBackground(int t, const WindowRecord& templ) {
  const BackgroundRecipeRecord& recipe = templ.BackgroundRecipe;
  if (recipe.Fitted()) {
    if (Win[t].BackgroundState == BackgroundNone) SubtractFittedBackground(t);
    return;
  }
  if (!recipe.Recorded()) {
    G.CursorStart = G.BackgroundStart;
    G.CursorEnd = G.BackgroundEnd;
    ComputeNamedBackground(t);
    return;
  }
  // The user's own last background stays what it was.
  const std::string name = G.BackgroundName;
  const double tougaardC = G.TougaardC;
  const Int16 passTarget = G.ShirleyPassTarget;
  const Int16 start = G.BackgroundStart, end = G.BackgroundEnd;
  G.BackgroundName = G.MessageTexts[recipe.Kind];
  G.TougaardC = recipe.TougaardC;
  G.ShirleyPassTarget = recipe.ShirleyPasses;
  G.CursorStart = recipe.Start;
  G.CursorEnd = recipe.End;
  ComputeNamedBackground(t);
  G.BackgroundName = name;
  G.TougaardC = tougaardC;
  G.ShirleyPassTarget = passTarget;
  G.BackgroundStart = start;
  G.BackgroundEnd = end;
}

// Steps 9 to 21 of the series for target t with source window `source` and
// template T. Every step first makes sure that t is still open: a window
// closed during the series gets nothing more, and the series goes on with
// the next one. `step` names the step being made (for the report of a step
// that fails); false when a step failed and the series must end.
bool ProcessSeriesTarget(int t, int source, int T, std::string& step) {
  const WindowRecord& templ = Win[T];
  WindowRecord& win = Win[t];
  auto open = [&win] { return win.WindowOpen; };
  // The step being made; a failure keeps the step it happened in.
  auto now = [&step, &win](const std::string& name) {
    if (!RunFailed()) step = win.SpectrumHeader.Name + ": " + name;
  };

  // A source that cannot be read again leaves t as it is (message 8).
  if (!ReloadSourceData(t)) return true;
  RevertSpectrum(t);
  CopyFitSetup(source, t);
  if (!open()) return true;
  plat::SetDrawingWindow(t);
  // The template's energy correction: its peak positions are energies on
  // its corrected scale.
  if (win.EnergyShift != templ.EnergyShift) {
    now(G.MessageTexts[13]);
    win.EnergyShift = templ.EnergyShift;
  }

  if (templ.RegionPartial == 1 && win.RegionPartial != 1) {
    now(G.LabelTexts[34]);
    // The region CopyFitSetup gave t becomes its processing region.
    G.CursorStart = win.RegionStart;
    G.CursorEnd = win.RegionEnd;
    SetRegionFromCursors(t);
  }

  const bool background = templ.BackgroundState == BackgroundSubtracted ||
                          templ.BackgroundState == BackgroundDefined;
  auto smoothTo = [&](int count) {
    if (!open() || win.SmoothCount == count) return;
    now(G.MessageTexts[9]);
    RepeatUntil(t, count, [&win] { return int{win.SmoothCount}; }, SmoothSpectrum);
  };
  // The smoothing the template had before its background was made comes
  // before the background here too.
  if (background && templ.SmoothCount != win.SmoothCount)
    smoothTo(std::min<int>(templ.BackgroundRecipe.SmoothBefore, Win[source].SmoothCount));
  if (RunFailed()) return false;

  if (background || templ.SatelliteState == SatellitesRemoved) G.DialogResult = 1;
  SetTemplateBackgroundAnswer(templ);
  if (open() && (background || templ.SatelliteState == SatellitesRemoved)) {
    now(G.BackgroundName);
    if (templ.BackgroundRecipe.Recorded())
      now(G.MessageTexts[templ.BackgroundRecipe.Kind]);
    if (templ.BackgroundRecipe.Fitted()) now(G.MessageTexts[kFittedBackgroundText]);
    RepeatTemplateBackground(t, templ);
  }
  if (RunFailed()) return false;
  if (!open()) return true;
  win.BackgroundState = Win[source].BackgroundState;

  if (templ.SatelliteState == SatellitesRemoved && win.SatelliteState != SatellitesRemoved) {
    now(G.MessageTexts[10]);
    RemoveXraySatellites(t);
    if (!open()) return true;
    if (templ.BackgroundState == BackgroundNone || templ.BackgroundState == BackgroundFitted) {
      const int n = win.SpectrumHeader.PointCount;
      LoadWorkData(t, 1, 1, n);
      LoadWorkBackground(t, 2, 1, n);
      for (int k = 1; k <= n; ++k) WorkData[k] += WorkBackground[k];
      StoreWorkData(t, 1);
      plat::SetDrawingWindow(t);
      ComputeIntensityRange(t);
      ComputeEnergyRange(t);
      DrawFrameAndAxes(t, G.FrameColour);
      PlotSpectrum(t, G.CurveColours[0], G.CurveStyles[0], G.CurveWidths[0]);
      LoadWorkBackground(t, 1, 1, n);
    }
    if (templ.BackgroundState == BackgroundSubtracted) G.DialogResult = 1;
    SetTemplateBackgroundAnswer(templ);
    win.SatelliteState = templ.SatelliteState;
  }
  if (RunFailed()) return false;

  if (templ.DerivativeCount != win.DerivativeCount) {
    now(G.MessageTexts[8]);
    RepeatUntil(t, Win[source].DerivativeCount, [&win] { return int{win.DerivativeCount}; },
                DifferentiateSpectrum);
  }
  if (open() && templ.SpectrumNegated != win.SpectrumNegated) {
    now(G.LabelTexts[35]);
    NegateSpectrum(t);
  }
  if (templ.SmoothCount != win.SmoothCount) smoothTo(Win[source].SmoothCount);
  if (open() && templ.ScaleMode != win.ScaleMode) {
    now(G.MessageTexts[17]);
    win.ScaleMode = templ.ScaleMode;
    if (win.ScaleMode == ScaleByTypedValue || win.ScaleMode == ScaleByPickedPoint ||
        win.ScaleMode == ScaleByMaximum || win.ScaleMode == ScaleByMinimum) {
      G.CommandId = CmdNormaliseSpectrum;
      ApplyScaleShift(t);
    }
  }
  if (open() && templ.ArithmeticDone != win.ArithmeticDone) {
    now(G.ArithmeticOperationName);
    ApplyWindowArithmetic(t);
  }
  if (RunFailed()) return false;

  if (!open() || templ.HasFit == win.HasFit) return true;
  now(G.LabelTexts[37]);
  if (win.BackgroundState == BackgroundFitted) {
    RebuildFitBackground(t);
    DrawBackgroundCurve(t);
    StoreWorkBackground(t, 2);
  }
  G.CursorEnd = win.RegionEnd;
  FitSeriesTarget(t, RunFitSequence);
  if (RunFailed()) return false;
  if (!open() || G.FitKey == KeyEscape) return true;
  FitSeriesTarget(t, RunFitOfWindow);
  if (RunFailed()) return false;
  // A source closed meanwhile (the template) has lost its fit state; t keeps
  // the one its own fit gave it.
  if (open() && Win[source].WindowOpen) win.HasFit = Win[source].HasFit;
  return true;
}

// Builds a new multi-spectrum window of `kind` from windows the user
// chooses; the menu's command ends with the new window's menu state.
void RunViewCommand(int kind, bool updateMenu) {
  G.ExcludedWindow = 0;
  ShowWindowChoicePage(G.ExcludedWindow, G.LabelTexts[33]);
  if (!ChosenWindowsMatch()) {
    G.CommandId = kMessageMismatch;
    ShowMessage(G.CommandId, G.SeriesTemplateWindow);
    return;
  }
  if (G.DialogResult != 1 || G.ChosenWindowCount < 1) return;
  const int v = LowestFreeWindow();
  if (RefuseWhenNoFreeWindow(v)) return;
  Win[v].WindowKind = static_cast<Byte>(kind);
  OpenSpectrumWindow(v, G.FileDialogResult);
  BuildMultiSpectrumWindow(v);
  switch (kind) {
    case ColourMap: DrawColourMapView(v, G.FrameColour); break;
    case StackedCurves: DrawStackedView(v, G.FrameColour); break;
    case Waterfall: DrawWaterfallView(v, G.FrameColour); break;
    default: DrawMirroredWaterfallView(v, G.FrameColour); break;
  }
  if (updateMenu) UpdateMenuState(v);
}

}  // namespace

void ProcessSeries(bool arrangeWindows) {
  G.SeriesTemplateWindow = G.CurrentWindow;
  const int T = G.SeriesTemplateWindow;
  if (!IsSpectrumWindow(T)) return;
  ShowWindowChoicePage(T, G.LabelTexts[33]);
  if (G.DialogResult != 1) return;
  // The page's list may be used again by the steps; the series keeps its own.
  std::vector<int> targets;
  for (int i = 1; i <= G.ChosenWindowCount; ++i) targets.push_back(static_cast<int>(G.ChosenWindows[i]));

  G.CommandId = kMessageSummary;
  ShowMessage(G.CommandId, T);
  // No other command starts while the series works through its windows.
  const LongRunLock lock;
  // The windows' redraws during the series: shown a few times a second.
  const RunRedraws pictures;
  G.BatchMode = 1;
  G.FitKey = 0;
  const RunFailureCollector failures;
  if (arrangeWindows) plat::ArrangeTile();

  int source = T;
  for (size_t s = 1; s <= targets.size(); ++s) {
    G.SeriesStep = static_cast<Byte>(s);
    if (G.MessageAnswer == 2 || G.FitKey == KeyEscape) break;
    // Without its template the series has nothing left to repeat.
    if (!Win[T].WindowOpen) break;
    const int t = targets[s - 1];
    if (!IsSpectrumWindow(t) || !Win[t].WindowOpen) continue;
    G.SeriesSourceWindow = static_cast<Byte>(source);
    G.SeriesTargetWindow = static_cast<Byte>(t);
    if (!OnOneGrid(t, source)) {
      G.CommandId = kMessageMismatch;
      ShowMessage(G.CommandId, T);
      G.BatchMode = 0;
      return;
    }
    std::string step;
    if (!ProcessSeriesTarget(t, source, T, step)) {
      // A step that failed ends the series: it is reported once, and the
      // series is not reported finished.
      G.FitRunState = FitIdle;
      G.BatchMode = 0;
      if (Win[T].WindowOpen) {
        plat::SetDrawingWindow(T);
        RedrawWindow(T);
      }
      ReportRunFailure(t, step);
      return;
    }
    // A target closed meanwhile is no source for the next one.
    if (Win[t].WindowOpen) source = t;
    G.FitRunState = FitIdle;
    G.BatchMode = 1;
  }

  if (Win[T].WindowOpen) {
    plat::SetDrawingWindow(T);
    RedrawWindow(T);
  }
  G.BatchMode = 0;
  if (G.MessageAnswer == 1) {
    G.CommandId = kMessageSeriesDone;
    ShowMessage(G.CommandId, T);
  }
}

void RevertAllWindows() {
  for (int w = 1; w <= kMaxWindows; ++w) {
    if (!Win[w].WindowOpen) continue;
    RevertSpectrum(w);
    UpdateMenuState(w);
  }
}

void BuildViewWindow(int kind, bool updateMenu) { RunViewCommand(kind, updateMenu); }

void OnCorrectEnergyAll(int) {
  // The shared offset needs no open window.
  G.CommandId = CmdCorrectEnergyAll;
  ShowEnergyValuePage(IsSpectrumWindow(G.CurrentWindow) ? G.CurrentWindow : 1);
}

void OnRevertAllWindows(int) { RevertAllWindows(); }
void OnExportAllSpectra(int) { ExportAllSpectra(); }
void OnPrintFitReport(int) { RunFitReportCommand(false); }
void OnExportFitTable(int) { RunFitTableCommand(false); }
void OnPrintFitErrorReport(int) { RunFitReportCommand(true); }
void OnExportFitErrorTable(int) { RunFitTableCommand(true); }
void OnProcessSeries(int) { ProcessSeries(true); }
void OnStackedView(int) { RunViewCommand(StackedCurves, true); }
void OnWaterfallView(int) { RunViewCommand(Waterfall, true); }
void OnMirroredWaterfallView(int) { RunViewCommand(MirroredWaterfall, true); }
void OnColourMapView(int) { RunViewCommand(ColourMap, true); }

void OnToolbarSeries(int) { ProcessSeries(false); }
void OnToolbarStackedView(int) { BuildViewWindow(StackedCurves, false); }
void OnToolbarWaterfallView(int) { BuildViewWindow(Waterfall, false); }
void OnToolbarMirroredWaterfallView(int) { BuildViewWindow(MirroredWaterfall, false); }
void OnToolbarColourMapView(int) { BuildViewWindow(ColourMap, false); }

}  // namespace sorvan
