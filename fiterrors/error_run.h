// The steps that the two error analyses of a fitted window share: the data
// and weights as the fit sets them up, chi-square and its weighted residuals
// at the fit vector, the redraw between steps, the fit's bounds, and the
// errors of the peak areas from the parameter errors.
#pragma once

#include <vector>

#include "core/table.h"

namespace sorvan {

// Background states that take part: defined (kept, 2) or fitted with the peaks (4).
bool DefinedOrFittedBackground(int w);
bool FittedBackground(int w);

// Whether w went away while a run worked on it: the fit's close request, or
// a window that was open when the run started and is open no longer.
bool ErrorRunWindowClosed(int w, bool wasOpen);

// An estimate that gave no errors: message 10 shown for w, ErrorRunState 2.
void EstimationFailed(int w);

// The peak and partner areas of w as the run found them.
void RecordAreasAtErrorRun(int w);
// |ParameterScale| of the fit entries 1..P (entry 0 unused): 0 for an entry
// the fit holds.
std::vector<double> FreeEntryScales(int P);
// Grows one of w's error matrices to hold P x P (a larger one is kept).
void SizeErrorMatrix(CheckedMatrix<double>& m, int P);

// Evaluates every Doniach-Sunjic peak of w into WorkFitSum and the area
// sums; with `draw` also into PeakCurves, and draws them.
void EvaluateDoniachSunjicPeaks(int w, bool draw);

// The window with its fit at G.FitVector, as the fit draws it between steps:
// spectrum, peaks (which fills the area sums), sum, residuals and the
// background.
void ErrorDisplayPass(int w);

// Chi-square of w at G.FitVector (G.ChiSquare and the statistics are set).
double ErrorChiSquare(int w);
// The weighted residuals of w at G.FitVector, whose squares sum to
// ErrorChiSquare(w).
void ErrorResiduals(int w, std::vector<double>& r);

// The bounds that the fit of w's kind applies after every step.
void ApplyFitBounds(int w, double* x, const double* lower, const double* upper, const double* scale);

// The fit arrays as they were when a run started, put back at its end.
struct FitArrays {
  std::vector<double> vector, scale, lower, upper;
  void Save();
  void Restore() const;
};

// Data, background and weights as the fit sets them up; the background as
// it was (defined or fitted) into `backgroundCopy`. False (with the reason
// shown) when the window cannot be estimated.
bool PrepareErrorData(int w, std::vector<double>& backgroundCopy);

// The area between the fitted background and the background whose free
// terms are lowered by their errors (ParamErrors), times the energy step;
// 0 unless the background is fitted. The lowered terms stay in G.FitVector.
double LoweredBackgroundArea(int w, const double* x0, const double* s,
                             const std::vector<double>& backgroundCopy);

// Errors near a limit and, for Gauss-Lorentz peaks, the partner-share
// limits, applied to w's ParamErrors; then every peak entry of G.FitVector
// moved away from zero by its error from x0 and held inside the bounds of
// the fit.
void HoldErrorsAndShiftPeaks(int w, const double* x0, const double* s);

// The redraw with the shifted set, which fills the area sums, and from it
// the area and share errors and the total area of w; `v0` is the lowered
// background's area.
void AreaErrorsFromShiftedSet(int w, double v0);

}  // namespace sorvan
