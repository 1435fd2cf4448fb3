// The two-column text readers: one spectrum from a plain text file of
// energy-intensity lines (titles, headings, comments and empty lines are
// passed over wherever they stand). The file says nothing of its energy
// scale or direction, so four import commands choose it: binding energies
// falling or rising down the file, kinetic energies falling or rising. The
// excitation energy and the rest of the header are asked on pages 25x and
// 26x. Checked on an exported file of four regions with "#" comment blocks
// and on hand-made files.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace sorvan {

struct TwoColumnFile {
  int dataLines = 0;                // every data line of the file
  double firstEnergy = 0;           // of the first data line, rounded to 0.001 eV
  double lastEnergy = 0;            // of the last data line kept, rounded to 0.001 eV
  std::vector<double> intensities;  // file order, at most kMaxSpectrumPoints
};

// Whether a line is a data line: for most codes the trimmed line begins with
// a digit, or with a sign or point followed by a digit; with
// `digitFirstUntrimmed` (kinetic energies falling) the line as it stands
// must begin with a digit.
bool IsTwoColumnDataLine(const std::string& line, bool digitFirstUntrimmed);
// Energy and intensity of a data line: the leading number, and the number
// in the text two characters after it (one separator passed over, blanks
// trimmed, at most 100 characters).
void SplitTwoColumnLine(const std::string& line, double& energy, double& intensity);

// Reads the data lines of a file; lines beyond the largest point count are
// counted but not kept.
TwoColumnFile ParseTwoColumn(std::string_view text, bool digitFirstUntrimmed);

// The readers of the format codes 16, 18, 20 and 22 (and + 1 for the
// re-reading of window w's source, which asks nothing and takes the window's
// header). A file of fewer than two data lines is refused with message 3;
// one of more than 32767 keeps the first 32767 and says so.
void ImportTwoColumnBinding(int w);
void ImportTwoColumnBindingReversed(int w);
void ImportTwoColumnKineticReversed(int w);
void ImportTwoColumnKinetic(int w);

}  // namespace sorvan
