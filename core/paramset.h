// Parameter-set files ("*.par"): a complete peak table kept in a file.
//
// Layout, one field each (a field ends at a comma or the line end):
//   peak-type name; x = 100 * version + peak count;
//   per peak p and parameter j = 1..10: lower, upper, value, state;
//   when x > 400: per background term i = 1..6: value, fixed flag.
// The file keeps positions as binding energies, heights and background
// coefficients per second, and every entry absolute (peaks 2..n not relative
// to peak 1, partner entries not relative to their main entry).
#pragma once
#include <array>
#include <string>

namespace sorvan {

// One parameter-set file as read, before any conversion.
struct ParameterSetData {
  std::string typeName;
  double version = 0;  // x: 100 * version + peak count
  int peakCount = 0;
  // [p][j], p = 1..15, j = 1..10; element 0 unused.
  std::array<std::array<double, 11>, 16> lower{};
  std::array<std::array<double, 11>, 16> upper{};
  std::array<std::array<double, 11>, 16> value{};
  std::array<std::array<double, 11>, 16> state{};
  bool hasBackground = false;       // the six background pairs were read
  std::array<double, 7> background{};  // [i], i = 1..6
  std::array<bool, 7> backgroundFixed{};
};

enum class ParameterSetRead {
  Ok,
  Missing,       // the file cannot be opened
  TooManyPeaks,  // a peak count above the 15 peaks of the peak table
  Short,         // the file ends before the fields its header announces
};

// Reads the whole file into `data`. The background pairs are read (and then
// required) only when `wantBackground` is set and x > 400.
ParameterSetRead ParseParameterSet(const std::string& path, bool wantBackground,
                                   ParameterSetData& data);

// Which reader's rules convert a set into a window's table.
enum class ParameterSetRules {
  Default,     // the default set of the peak model (ReadParameterSet)
  UserChosen,  // a file the user picked (LoadParameterSetFile)
};

// Converts a read set into window w's conventions: heights (and background
// coefficients 1..4) times scans x dwell time in counts mode, positions to
// kinetic energies on the kinetic scale (limits kept in order), and the
// relative form when the window's `RelativeMode` is 1.
void ConvertParameterSet(ParameterSetData& data, int w, ParameterSetRules rules);

// Copies the peak type and peaks 1..peakCount of a converted set into window
// w's peak table. A type name beginning with "D" becomes the doublet type of
// the current language.
void StoreParameterSet(const ParameterSetData& data, int w);

// Loads the default parameter set `path` into window w's peak table and
// resets the window to one peak. Keeps x in `ParameterSetVersion`. Reads the
// background terms only for a window without a background, and leaves
// `BackgroundState` alone. A missing file gives message 8, a short file or
// one with more than 15 peaks message 3; the table then stays as it was.
// Does nothing but set the peak count while no parameter-set path is built.
void ReadParameterSet(int w, const std::string& path);

}  // namespace sorvan
