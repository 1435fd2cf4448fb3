// The Fit menu: a new fit of single peaks or doublets, a fit from a
// parameter-set file, editing limits, start values and the fitted
// background, running the fit again, the parameter errors and their matrix;
// and the toolbar's new fit of the peak type set up last. The rows of these
// commands are in shell/command_table.cpp; each runs on the current window.
#pragma once
#include <string>

namespace sorvan {

void OnNewFitSinglets(int command);
void OnNewFitDoublets(int command);
void OnFitFromParameterFile(int command);
void OnEditPeakLimits(int command);
// The start page of the window's own peak type, which becomes the type set
// up last.
void OnEditStartValues(int command);
void OnEditFitBackground(int command);
void OnRunFit(int command);
// EstimateErrorsOfWindow (fiterrors/error_analysis.h).
void OnEstimateErrors(int command);
// RunErrorMatrixCommand (report/fit_tables.h).
void OnExportErrorMatrix(int command);
// Toolbar action 28.
void OnNewFitOfLastType(int command);

// The fit sequence for window w: the fit arrays of its line shape, its peak
// table into the fit vector for its peak mode, and the fit of the two. A
// line shape or peak mode other than 0 or 1 skips the step it selects.
void RunFitSequence(int w);
// Step (c) alone is RunFitOfWindow (fiterrors/peak_start_page.h).

// A new fit of peak type `typeText` (MessageTexts 47 single peaks, 52
// doublets) on the current window: peak count, limits and start pages, then
// the fit sequence.
void RunNewFit(const std::string& typeText);

// The doublet start page and the fit background set-up are reached through
// FitFinishedHooks() (dialogs/fit_finished_page.h); a hook not set skips its
// step.

}  // namespace sorvan
