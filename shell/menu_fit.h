// The peak-fit commands of the Fit menu: a new fit of single peaks or
// doublets, a fit from a parameter-set file, editing limits, start values and
// the fitted background, and running the fit again.
#pragma once
#include <string>

namespace sorvan {

// Runs peak-fit command `command`; false for a number that is none of them.
bool RunPeakFitCommand(int command);

// The fit sequence for window w: the fit arrays of its line shape, its peak
// table into the fit vector for its peak mode, and the fit of the two. A
// line shape or peak mode other than 0 or 1 skips the step it selects.
void RunFitSequence(int w);
// Step (c) alone is RunFitOfWindow (fiterrors/peak_start_page.h).

// A new fit of peak type `typeText` (MessageTexts 47 single peaks, 52
// doublets) on the current window: peak count, limits and start pages, then
// the fit sequence (3111 and 3112, and the toolbar's new fit of the last
// type).
void RunNewFit(const std::string& typeText);

// The doublet start page and the fit background set-up are reached through
// FitFinishedHooks() (dialogs/fit_finished_page.h); a hook not set skips its
// step.

}  // namespace sorvan
