// The transmission function of a spectrum window: the editor that shows a
// reference spectrum times the function over the window's measured spectrum,
// the fit of its coefficients, and the menu commands that load a reference
// of gold, silver or copper or edit the function of an imported parameter
// file.
//
// The function is IERF(E) = a0 + a1 x + a2 x^2 + a3 x^3 + a4 x^4 + b1 E^b2,
// x = (E - 1000) / 1000, with the coefficients c1..c7 = a0..a4, b1, b2 in
// Win[w].TransmissionCoef (c8..c10 are carried along unused). All curves lie
// on the 1361-point grid of 200..1560 eV in steps of 1 eV.
#pragma once

namespace sorvan {

// The grid point of 1000 eV, where the reference is scaled to the data.
inline constexpr int kTransmissionPointAt1000eV = 801;

// IERF at point i (1..1361) of the grid from coef[1..7], exponent as given.
double TransmissionGridValue(const double* coef, int point);
// G.TransmissionCurve(1..1361) from coef[1..7].
void ComputeTransmissionCurve(const double* coef);

// The coefficients an editor starts from: a0 = 1, b1 = 1, b2 = -0.5 free,
// every other coefficient 0 and fixed (mark -1).
void ResetTransmissionCoefficients(int w);

// True when window w shows an imported transmission-parameter file (its
// source path ends in "trm", in any case).
bool ShowsTransmissionFile(int w);

// The editor loop of window w: the reference times the function drawn over
// the spectrum, then the coefficient page again and again (recompute, fit)
// until its Cancel. On the first call for a window without a fit the
// coefficients are reset (unless the window shows a parameter file) and the
// reference is taken from WorkPeak and scaled to the data at 1000 eV.
void EditTransmissionFunction(int w);

// The fit model of the transmission fit: the reference times the function
// of G.FitVector(1..7) (a positive b2 taken as 0) over w's region into
// WorkPeak, WorkFitSum and row 1 of G.PeakCurves; G.TransmissionCurve from
// the same coefficients.
void EvaluateTransmissionModel(int w);

// Fits the coefficients of window w's function so that the reference times
// the function matches the spectrum over the region: the iteration-limit
// page first, then the iteration with its redraws and Esc; the coefficients
// and the statistics of the closing evaluation stored into the window.
void FitTransmissionFunction(int w);

// Commands CmdTransmissionGold, CmdTransmissionSilver, CmdTransmissionCopper:
// the reference of gold, silver or copper loaded
// for the current window, then the editor.
void RunTransmissionReferenceCommand(int command);
// Command CmdEditTransmission: the editor on a window that shows a parameter file, over a
// reference of ones, or again on a window whose function was fitted.
void RunEditTransmissionCommand();

}  // namespace sorvan
