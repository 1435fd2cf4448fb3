// The error command's chain: the error analysis of a window's fit by its
// error method and line shape, then the error pages of its peak type.
#pragma once

namespace sorvan {

// The error command on window w: while w's error table is not valid, the
// fit arrays are set up from its peak table and the analysis of its
// ErrorMethod and PeakModel runs; then, unless the run was stopped, a better
// fit was taken over, the window closed or the analysis failed, the error
// pages of its peak type are shown (the background page first when the
// background is fitted with the peaks). The run marks (ErrorRunState,
// ProgressKey, FitRunState) are cleared at the end.
void EstimateErrorsOfWindow(int w);

}  // namespace sorvan
