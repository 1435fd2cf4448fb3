// Placing imported spectra: the common tail of every import command. The user
// chooses which spectra of the file read last go into windows (and, for a
// depth profile, which regions are read first); each chosen spectrum takes
// the lowest free spectrum window.
#pragma once
#include <string>

namespace sorvan {

// After a reader: offers the block choice (depth profiles) and the spectrum
// choice, then places the chosen spectra. Nothing is shown when the reader
// found nothing; SpectraReadCount then returns to SpectraReadSaved.
void PlaceImportedSpectra();

// Places the spectra of header indices ChosenBlocks[0..ChosenBlockCount-1]
// in list order, each in the lowest free window, which becomes current.
// When every window is open, message 1 is shown once and the rest are not
// placed. A header index that holds no spectrum is passed over.
void PlaceChosenSpectra();

// The lowest spectrum window that is not open; 101 when all are open.
int LowestFreeSpectrumWindow();

// ChosenDepthBlocks[1..BlockCount] as the two-character texts " 1", " 0", ...
std::string ChosenBlockListText();

}  // namespace sorvan
