// The Auger-parameter list: a chemical-state plot built from an
// Auger-parameter list ("*.aup", one entry a line: a=b+c and an optional name).
// Opening the list in a window is shell/auger_list_window.h.
#pragma once
#include <string>
#include <vector>

namespace sorvan {

// The three numbers of an entry "a=b+c name": a the Auger parameter, b the
// binding energy of the photoelectron line, c the kinetic energy of the Auger
// line. False for a line without "=" or without a "+" after it.
bool ParseAugerEntry(const std::string& entry, double& a, double& b, double& c);

// The axis ends of chemical-state window w from its n entries, the binding
// energies in WorkBackground(1..n) and the kinetic energies in
// WorkSigma(1..n): Int(min b) - 1 .. Int(max b) + 2 across and
// Int(min c) - kineticBelow .. Int(max c) + 2 up, with the two spans. The
// search starts at element 1, so an empty list gives the ends from zeros.
void SetChemStateAxes(int w, int n, double kineticBelow);

// Resizes the three work vectors to the list's 100 entries, all zero.
void ZeroAugerWorkVectors();

// What a reading left out: entries with an energy that is not finite or
// beyond 100000 eV, and entries past the 100th.
struct AugerListReading {
  int outOfRange = 0;
  bool tooMany = false;
};

// Reads the list's `lines` into window w as a chemical-state plot: source
// path from SourceFilePath, entries sorted by a (largest first), a, b and c
// as data columns 1 to 3, axes from the extremes; w becomes the current
// window. Lines without "=" and "+" are skipped and at most 100 entries are
// kept. Opens nothing.
AugerListReading FillAugerListWindow(int w, const std::vector<std::string>& lines);
// The plot's title label: the file name of `path` without its extension,
// near the top right corner of the axes.
void SetAugerListTitle(int w, const std::string& path);
// The FileError text saying what a reading left out; "" when nothing.
std::string AugerListProblemText(const AugerListReading& reading);

}  // namespace sorvan
