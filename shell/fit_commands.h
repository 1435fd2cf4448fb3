// The peak-fit commands of the Fit menu: a new fit of single peaks or
// doublets, a fit from a parameter-set file, editing limits, start values and
// the fitted background, and running the fit again.
#pragma once

namespace sorvan {

// Runs peak-fit command `command`; false for a number that is none of them.
bool RunPeakFitCommand(int command);

// The fit sequence for window w: the fit arrays of its line shape, its peak
// table into the fit vector for its peak mode, and the fit of the two. A
// line shape or peak mode other than 0 or 1 skips the step it selects.
void RunFitSequence(int w);

// The doublet start page and the fit background set-up are reached through
// FitFinishedHooks() (dialogs/fit_finished_page.h); a hook not set skips its
// step.

}  // namespace sorvan
