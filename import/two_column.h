// The two-column text readers: spectra from a plain text file of
// energy-intensity lines (titles, headings, comments and empty lines are
// passed over). The file says nothing of its energy scale or direction, so
// four import commands choose it: binding energies falling or rising down the
// file, kinetic energies falling or rising. The excitation energy and the
// rest of the header are asked on pages 25x and 26x.
//
// Instrument software exports several regions into one file, each a run of
// data lines after a block of comment or empty lines. Each region becomes a
// spectrum of its own; runs that continue one evenly spaced axis across a
// stray empty or comment line are one region. A comment line "Region: name"
// begins a region. Exports that give a region's scans or cycles apart begin
// each with a line "Cycle: c, Curve: k, Scan: s" (or "Cycle: c, Curve: k");
// a run after such a line with a number other than 0 is a further scan of the
// region before it, and the scans make one spectrum. Checked against a real
// export of four regions ("Cycle: 0, Curve: 0", counts per second) and the
// current form of the same exports (tests/import/two_column_files).
//
// A region whose energies are not evenly spaced (or all equal, or of one
// line), or whose scans lie on different axes, has no axis the reader could
// take: it is left out and named in a message, and the other regions are
// read. The axis is never made up.
#pragma once
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace sorvan {

// What the comment lines of a file state about the regions after them
// (instrument exports write "# Excitation Energy: 1486.6" and the like); a
// value not stated is NaN, and a statement holds for every later region
// until the file states it anew.
struct TwoColumnStated {
  double excitationEnergy = std::numeric_limits<double>::quiet_NaN();  // eV
  double dwellTime = std::numeric_limits<double>::quiet_NaN();         // s
  double passEnergy = std::numeric_limits<double>::quiet_NaN();        // eV
  double scanCount = std::numeric_limits<double>::quiet_NaN();
  int countsPerSecond = -1;  // 1 the values are counts per second, 0 counts, -1 not stated
};

// Takes what a comment line states into `stated`: a line holding one of the
// keys "Excitation Energy", "Dwell Time", "Pass Energy", "Number of Scans",
// "Counts Per Second" (yes or no) or "Count Rate" ("Counts per Second" or
// "Counts"), in any letter case, after any comment marker, then a colon or
// equals sign and a value. Values that are no finite positive number are
// passed over.
void ReadTwoColumnStatement(const std::string& line, TwoColumnStated& stated);

struct TwoColumnRegion {
  double firstEnergy = 0;  // of its first data line, rounded to 0.001 eV
  double lastEnergy = 0;   // of its last data line, rounded to 0.001 eV
  // File order. Of a region whose scans the file gives apart: counts summed
  // over the scans, or, for counts per second, the count rate of all its
  // scans together.
  std::vector<double> intensities;
  bool evenlySpaced = true;     // the energies lie on one axis of a step other than 0
  bool scansOnOneAxis = true;   // every further scan has the energies of the first
  std::string name;             // as its "Region:" line states it; "" without one
  // What the comment lines before it state; the scan count is that of all
  // its scans when the file marks them ("Cycle:" lines).
  TwoColumnStated stated;
};

struct TwoColumnFile {
  int dataLines = 0;                     // every data line of the file
  std::vector<TwoColumnRegion> regions;  // in file order
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

// Reads the data lines of a file into regions: runs of data lines, a run
// that continues the axis of the one before it (the same step across the
// lines between them) joined to it, further scans summed into their region.
TwoColumnFile ParseTwoColumn(std::string_view text, bool digitFirstUntrimmed);

// Largest number of regions read from one file (the store's spectra).
inline constexpr int kMaxImportedRegions = 100;

// Whether a region can be read as a spectrum: 2 to 32767 evenly spaced
// points, every scan on the axis of the first.
bool TwoColumnRegionReadable(const TwoColumnRegion& region);

// The regions of a file that the readers take, in file order (indices into
// `file.regions`): the readable ones. The import stores them as spectra 1,
// 2, ... and the re-reading of a window's source finds the window's spectrum
// among them by the same count.
std::vector<int> ReadableTwoColumnRegions(const TwoColumnFile& file);

// The readers of the format codes 16, 18, 20 and 22 (and + 1 for the
// re-reading of window w's source, which asks nothing and takes the window's
// header for the spectrum the window shows). A file without a readable
// region is refused with message 3 and nothing is asked. Regions that
// cannot be read are left out, and a new import names them after message 3
// (the region's place in the file and the name its "Region:" line gives).
// Of a file with more readable regions than the store (100) or the free
// windows take, the first that fit are read and a message says how many
// were left out. A region's header takes the excitation energy, dwell time,
// pass energy and scan count that the file's comment lines state for it;
// values stated as counts per second are stored as counts (times scans and
// dwell time), as every reader stores them.
void ImportTwoColumnBinding(int w);
void ImportTwoColumnBindingReversed(int w);
void ImportTwoColumnKineticReversed(int w);
void ImportTwoColumnKinetic(int w);

}  // namespace sorvan
