// The tap readers (*.tap text files of several spectra, kinetic energies):
// - Eclipse files: a count line "... contains N spectra" (after a first line
//   "Eclipse" in the newer version), then per spectrum a header of fixed
//   items (66 in the older version, 62 in the newer) and its values, one per
//   line for spectra 1 to 4 and one per item after that;
// - block files: blocks of a name item "**name", a parameter item of eight
//   8-character columns, and the values ten to a row at a pitch of 15
//   characters, from high to low kinetic energy.
// Both read the header again from the file on a re-read; neither asks a page.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/model.h"

namespace sorvan {

struct TapSpectrum {
  SpectrumHeaderRecord header;  // the fields the format gives
  std::vector<double> values;   // rising kinetic energy, PointCount of them
};

enum class TapStatus {
  Ok,         // every spectrum of the file was read
  NotTap,     // the count line or the first name item is not of the format
  Malformed,  // the file ends early, a count is out of range, or an item is
              // not of the format; the spectra read completely are kept
};

struct TapFile {
  TapStatus status = TapStatus::Ok;
  std::string problem;
  int version = 1;                  // Eclipse files: 1 or 2
  int announced = 0;                // Eclipse files: the count of the count line
  std::vector<TapSpectrum> spectra; // complete spectra, at most 100
};

// The spectrum count of an Eclipse count line ("... contains N spectra",
// N of one or two digits set off by single blanks); -1 when the line is not
// a count line.
int EclipseCountOf(const std::string& countLine);

TapFile ParseEclipseTap(std::string_view text);
// `fileDate` becomes the date of every block (the format holds none).
TapFile ParseTapBlocks(std::string_view text, const std::string& fileDate);

// The readers of format codes 0 and 2 (+ 1: re-read of window w's source).
void ImportEclipseTap(int w);
void ImportTapBlocks(int w);

}  // namespace sorvan
