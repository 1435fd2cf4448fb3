// Scaling, shifting and normalising a spectrum: the page 7x that the three
// commands share, the procedure that carries out the chosen operation on a
// window, and the plain numeric steps behind it.
#pragma once
#include <span>

#include "core/model_codes.h"

namespace sorvan {

// The operation of the page and of ApplyScaleShift: CommandId
// CmdNormaliseSpectrum (or CmdShiftSpectrum, CmdScaleSpectrum) decides first, otherwise the text kept in ScaleOperationName
// (MessageTexts 17 scale, 19 shift, LabelTexts 214 normalise). An unknown
// text counts as scaling.
enum class ScaleOperation { Scale, Shift, Normalise };
ScaleOperation CurrentScaleOperation();

// ---- Numeric steps on a spectrum y (points 1..n, element 0 unused) ----

// y_i := y_i * factor + offset for i = first..last.
void ScaleValues(std::span<double> y, int first, int last, double factor, double offset);
// Whole points of a shift by `energy` eV at `step` eV per point, halves away
// from the lower neighbour (Int(E / step + 0.5)); 0 for a zero step.
long long ShiftPointCount(double energy, double step);
// Moves the values of region first..last by s points (s > 0: towards the
// start, the last s points repeat the value at `last`; s < 0: towards the end,
// the first |s| points repeat the value at `first`). |s| is held below the
// region's length, so nothing is written outside the region.
void ShiftRegion(std::span<double> y, int first, int last, long long s);

// ---- Page and procedure ----

// Opens the page for window w in the layout of CurrentScaleOperation() and
// waits until it is closed. While it is open, clicks into the window fill
// its value (PickToScalePage).
void ShowScaleShiftPage(int w);
// Carries out the current operation on window w: scaling and normalising
// multiply the spectrum (and a kept or subtracted background) by the factor
// of the window's ScaleMode; shifting moves the region by PickedEnergy.
// A factor that would divide by a zero intensity is refused with message 9
// and the spectrum stays unchanged (false).
bool ApplyScaleShift(int w);

void cmdOk71_Click();
void cmdCancel72_Click();
void cmd72_Click();  // normalise to the maximum
void cmd73_Click();  // normalise to the minimum
void cmd74_Click();  // normalise to the typed value
void cmd75_Click();  // normalise to the value at the picked point

void RegisterScalePageEvents();

}  // namespace sorvan
