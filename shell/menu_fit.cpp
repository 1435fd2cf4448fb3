// The peak-fit commands of the Fit menu.
#include "shell/fit_commands.h"

#include <string>

#include "core/model.h"
#include "dialogs/fit_finished_page.h"
#include "core/parameter_set.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fiterrors/error_analysis.h"
#include "fiterrors/peak_count_page.h"
#include "fiterrors/peak_limits_page.h"
#include "fiterrors/peak_start_page.h"
#include "shell/menu_commands.h"
#include "shell/menu_state.h"

namespace sorvan {

namespace {

bool IsSingletType(int w) { return Win[w].PeakType == G.MessageTexts[47]; }
bool IsDoubletType(int w) { return Win[w].PeakType == G.MessageTexts[52]; }

// The start page of w's peak type; a type that is neither shows none.
void ShowStartPageOfType(int w) {
  if (IsSingletType(w)) {
    ShowPeakStartPage(w);
  } else if (IsDoubletType(w) && FitFinishedHooks().doubletStartPage) {
    FitFinishedHooks().doubletStartPage(w);
  }
}

// Steps 1 to 4 of a new fit with peak type `typeText`; `startPage` asks for
// the start values.
void NewFit(const std::string& typeText) {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  Win[w].PeakType = typeText;
  G.FitTypeName = Win[w].PeakType;
  G.MaxPeaksText = "15";
  ShowPeakCountPage(w);
  // The limits page follows whatever the count page answered.
  ShowPeakLimitsPage(w);
  if (G.DialogResult == 1) ShowStartPageOfType(w);
  if (G.DialogResult == 1) {
    RunFitSequence(w);
    G.FitRunState = 0;
  }
}

}  // namespace

void RunFitSequence(int w) {
  if (!IsSpectrumWindow(w)) return;
  const int model = Win[w].PeakModel;
  const int mode = Win[w].RelativeMode;
  if (model == 0) AllocFitArraysGaussLorentz(w);
  if (model == 1) AllocFitArraysDoniachSunjic(w);
  if (mode == 0) LoadFitParameters(w);
  if (mode == 1) LoadFitParametersRelative(w);
  if ((model == 0 || model == 1) && (mode == 0 || mode == 1)) RunFitOfWindow(w);
  // Every way out of a fit leaves the program out of batch use.
  G.BatchMode = 0;
  G.FitDisplayPass = 0;
  // The fit draws without a redraw: the commands that a fit makes available
  // (the error estimate) are offered at once.
  if (Win[w].WindowOpen) UpdateMenuState(w);
}

void RunNewFit(const std::string& typeText) { NewFit(typeText); }

static void RunNewFitSingletsCommand() { RunNewFit(G.MessageTexts[47]); }

static void RunNewFitDoubletsCommand() { RunNewFit(G.MessageTexts[52]); }

static void RunFitFromParameterFileCommand() {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  LoadParameterSetFile(w);
  if (G.ParameterFileName.empty()) return;
  if (Win[w].BackgroundState == 5 && FitFinishedHooks().setUpFitBackground)
    FitFinishedHooks().setUpFitBackground(w);
  if (G.DialogResult == 1 || G.DialogResult == 1200) ShowPeakLimitsPage(w);
  if (G.DialogResult == 1) ShowStartPageOfType(w);
  G.FitTypeName = Win[w].PeakType;
  if (G.DialogResult == 1) RunFitSequence(w);
  G.FitRunState = 0;
}

static void RunEditStartValuesCommand() {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  G.FitPeakCount = Win[w].PeakCount;
  G.FitTypeName = Win[w].PeakType;
  ShowStartPageOfType(w);
}

static void RunEditPeakLimitsCommand() {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  ShowPeakLimitsPage(w);
}

static void RunEditFitBackgroundCommand() {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  if (FitFinishedHooks().setUpFitBackground) FitFinishedHooks().setUpFitBackground(w);
}

static void RunRunFitCommand() {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  RunFitSequence(w);
  G.FitRunState = 0;
}

static void RunEstimateErrorsCommand() {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  EstimateErrorsOfWindow(w);
}

bool RunPeakFitCommand(int command) {
  switch (command) {
    case CmdFitFromParameterFile: RunFitFromParameterFileCommand(); return true;
    case CmdNewFitSinglets: RunNewFitSingletsCommand(); return true;
    case CmdNewFitDoublets: RunNewFitDoubletsCommand(); return true;
    case CmdEditStartValues: RunEditStartValuesCommand(); return true;
    case CmdEditPeakLimits: RunEditPeakLimitsCommand(); return true;
    case CmdEditFitBackground: RunEditFitBackgroundCommand(); return true;
    case CmdRunFit: RunRunFitCommand(); return true;
    case CmdEstimateErrors: RunEstimateErrorsCommand(); return true;
    default: return false;
  }
}

}  // namespace sorvan
