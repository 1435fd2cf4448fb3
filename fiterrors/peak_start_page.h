// The peak start page (page 14x): start values and fix states of a singlet
// fit, one column per peak and one row per main parameter. Peaks' heights
// and positions can be taken from the spectrum with the mouse (or Alt+Y /
// Alt+Z at the pointer); the preview draws the peaks at the typed values.
#pragma once
#include <string>

namespace sorvan {

// DialogResult is 1 after OK (the peaks are then drawn at their start
// values) and 2 after Cancel (the values of a fit present are restored).
void ShowPeakStartPage(int w);

// The fit arrays of w's line shape, and w's peak table loaded into the fit
// vector for its peak mode.
void SetUpAndLoadFit(int w);
// The peak table into the fit vector again (the arrays already sized).
void LoadFitOfWindow(int w);
// The fit vector back into the peak table.
void StoreFitOfWindow(int w);
// Runs the fit of w's line shape and peak mode (BatchMode decides whether
// it iterates).
void RunFitOfWindow(int w);

void cmdOk141_Click();
void cmdCancel142_Click();
void cmd143_Click();
void cmd144_Click();
void cmd145_Click();
void cmd147_Click();

void RegisterPeakStartPageEvents();

}  // namespace sorvan
