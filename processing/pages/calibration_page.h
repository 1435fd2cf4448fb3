// Energy calibration: page 13x edits the total energy correction of the
// current window (CmdCorrectEnergy) or the offset shared by all windows
// (CmdCorrectEnergyAll);
// fitted peak positions move along so that a fit stays on its peaks.
#pragma once

namespace sorvan {

// Moves the fitted peak positions of window w by a change `delta` of its
// total energy correction: on a binding-energy display every moved entry
// decreases by delta, on a kinetic display it increases. Independent peaks:
// the positions of main line and partner and the limits of the main
// position of every peak; peaks relative to the first: peak 1's main
// position and its limits only.
void MovePeakPositions(int w, double delta);

// Opens the page for window w in the mode of CommandId (CmdCorrectEnergy or
// CmdCorrectEnergyAll) and waits. Closing it by its frame changes nothing.
// OK refuses, with message 9, a value that is not finite or that would make
// the total correction of a window larger than its excitation energy; the
// page then stays open.
void ShowEnergyValuePage(int w);
void cmdOK131_Click();

void RegisterCalibrationPageEvents();

}  // namespace sorvan
