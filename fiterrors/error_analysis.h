// What the error command reaches beyond the curvature analysis: the
// chi-square-profile analyses and the error pages. They register themselves
// at start-up; one not registered is skipped.
#pragma once

namespace sorvan {

struct ErrorAnalysisPages {
  void (*profileGaussLorentz)(int w) = nullptr;
  void (*profileDoniachSunjic)(int w) = nullptr;
  void (*backgroundErrorPage)(int w) = nullptr;
  void (*peakErrorPage)(int w) = nullptr;
  void (*doubletErrorPage)(int w) = nullptr;
};
ErrorAnalysisPages& ErrorAnalysisHooks();

// The error command on window w: while w's error table is not valid, the
// fit arrays are set up from its peak table and the analysis of its
// ErrorMethod and PeakModel runs; then, unless the run was stopped or the
// window closed (or the analysis failed), the error pages of its peak type
// are shown. The run marks (ErrorRunState, ProgressKey, FitRunState) are
// cleared at the end.
void EstimateErrorsOfWindow(int w);

}  // namespace sorvan
