// Moving a spectrum window between its states: giving it the identity of an
// imported spectrum, and taking it back to the state of an empty window.
#pragma once

#include <string>

namespace sorvan {

// Copies header, source path, point count and region (the whole spectrum) of
// the imported spectrum at header index h into window w, loads the default
// parameter set of the window's peak model and copies the transmission
// coefficients kept in TransmissionCoefCopy/TransmissionFixedCopy. Callers
// set ImportFormat, SourceSpectrumIndex and SourceBlockList of w before, and
// size and fill the window's store after. Changes nothing and returns false
// for a window outside 1..100 or a header index that names no spectrum.
bool AssignImportedToWindow(int w, int h);

// Restores the reset values of window w: titles by the current energy scale
// and intensity unit, every processing, fit and display mark cleared, one
// peak. Keeps the open flag, geometry, header, source, region, peak table,
// label texts and the store. Changes nothing and returns false for a window
// outside 1..100.
bool ResetWindowState(int w);

// The source path of a numbered region file: the extension of the file name
// in `path` replaced by `shortName` (a dot in a folder name is left alone).
std::string NumberedRegionSourcePath(const std::string& path, const std::string& shortName);

}  // namespace sorvan
