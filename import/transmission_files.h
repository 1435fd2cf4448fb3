// The two kinds of transmission files: transmission-parameter files
// ("*.trm", 34 items: a spectrum header and ten coefficients with their fix
// flags) imported as the spectrum of the transmission function they
// describe, and the reference spectra of gold, silver and copper
// ("\XPS-transfct\AU.VMS", "AG.VMS", "CU.VMS": 66 header lines, then 1361
// values on the transmission grid) loaded for the transmission
// determination. Checked against the parameter files shipped in data/ and
// small reference files written to that layout.
#pragma once
#include <string>

#include "core/reference_files.h"  // TransmissionParameterValue

namespace sorvan {

// Points of the transmission grid: point i (1..1361) lies at 199 + i eV.
inline constexpr int kTransmissionPoints = 1361;


// w = 0 with ImportFormat[0] = 26 asks for a "*.trm" file (starting where the
// parameter file in use lies); w = 1..100 with ImportFormat[w] = 27 reads
// SourceFilePath again. Leaves one spectrum in the store: the header of the
// file, on the transmission grid (1361 points, 200 to 1560 eV in steps of
// 1 eV, whatever the file's header says, since the values are always the grid
// points), its values T(E) (also in TransmissionCurve), and the coefficients
// and fix flags in TransmissionCoefCopy/TransmissionFixedCopy for the window
// it is placed in. A file that cannot be read, holds fewer than 34 items or
// a coefficient that is no number, or coefficients whose function is no
// finite number (TransmissionFunctionFinite), give message 3 and change nothing.
void ImportTransmissionFunction(int w);

// The reference file of `command` (CmdTransmissionGold, CmdTransmissionSilver,
// CmdTransmissionCopper) below
// the program folder into WorkPeak(1..1361) for the CurrentWindow, which must
// hold 1361 points: SpectraReadCount 1 and TransmissionActive of the window 1
// on success. A missing file, a first line that does not begin with "VAMAS",
// fewer than 1361 values after the header or a window of another point count
// give message 3, SpectraReadCount 0 and leave WorkPeak and the window as
// they were.
void LoadTransmissionReference(int command);

// The program path of the reference file of a command; "" for another command.
std::string TransmissionReferencePath(int command);

}  // namespace sorvan
