// The Fit menu (see shell/menu_fit.h).
#include "shell/menu_fit.h"

#include <string>

#include "core/model.h"
#include "core/model_codes.h"
#include "core/parameter_set.h"
#include "dialogs/fit_finished_page.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fiterrors/error_analysis.h"
#include "fiterrors/peak_count_page.h"
#include "fiterrors/peak_limits_page.h"
#include "fiterrors/peak_start_page.h"
#include "fiterrors/start_values.h"
#include "report/fit_tables.h"
#include "shell/menu_state.h"
#include "shell/run_lock.h"

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
  // Peaks that would start on one another, or outside the region, and
  // doublets without partners get start values a fit can separate.
  SpreadStartValues(w);
  // The limits page follows whatever the count page answered.
  ShowPeakLimitsPage(w);
  if (G.DialogResult == 1) ShowStartPageOfType(w);
  if (G.DialogResult == 1) {
    RunFitSequence(w);
    G.FitRunState = FitIdle;
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

void OnNewFitSinglets(int) { RunNewFit(G.MessageTexts[47]); }

void OnNewFitDoublets(int) { RunNewFit(G.MessageTexts[52]); }

void OnFitFromParameterFile(int) {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  LoadParameterSetFile(w);
  if (G.ParameterFileName.empty()) return;
  if (Win[w].BackgroundState == BackgroundLoaded && FitFinishedHooks().setUpFitBackground)
    FitFinishedHooks().setUpFitBackground(w);
  if (G.DialogResult == 1 || G.DialogResult == 1200) ShowPeakLimitsPage(w);
  if (G.DialogResult == 1) ShowStartPageOfType(w);
  G.FitTypeName = Win[w].PeakType;
  if (G.DialogResult == 1) RunFitSequence(w);
  G.FitRunState = FitIdle;
}

void OnEditStartValues(int) {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  G.FitPeakCount = Win[w].PeakCount;
  G.FitTypeName = Win[w].PeakType;
  ShowStartPageOfType(w);
}

void OnEditPeakLimits(int) {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  ShowPeakLimitsPage(w);
}

void OnEditFitBackground(int) {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  if (FitFinishedHooks().setUpFitBackground) FitFinishedHooks().setUpFitBackground(w);
}

void OnRunFit(int) {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  RunFitSequence(w);
  G.FitRunState = FitIdle;
}

void OnEstimateErrors(int) {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  const LongRunLock lock;
  EstimateErrorsOfWindow(w);
  // The run may have made the error matrix available (or taken it away):
  // the menu and toolbar show it at once, not when the window next gets the
  // focus.
  if (Win[w].WindowOpen) UpdateMenuState(w);
}

void OnExportErrorMatrix(int) { RunErrorMatrixCommand(); }

// Before the first fit (or after a change of language) the type is neither
// text and nothing happens: no page, and no fit started by an earlier page's
// answer.
void OnNewFitOfLastType(int) {
  if (G.FitTypeName == G.MessageTexts[47] || G.FitTypeName == G.MessageTexts[52])
    RunNewFit(G.FitTypeName);
}

}  // namespace sorvan
