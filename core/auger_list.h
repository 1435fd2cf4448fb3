// The Auger-parameter list window: a chemical-state plot built from an
// Auger-parameter list ("*.aup", one entry a line: a=b+c and an optional name).
#pragma once
#include <string>

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

// Menu command: zero-fills the three work vectors, asks for a list in
// `AugerFolder` and opens it (LoadAugerParameterListFrom).
void LoadAugerParameterList();

// Reads the list `path` into the lowest free window as a chemical-state plot:
// entries sorted by a (largest first), a, b and c as data columns 1 to 3, axes
// from the extremes, the file name without its extension as title, then opens
// and draws the window. Lines without "=" and "+" are skipped, entries with
// an energy that is not finite or beyond 100000 eV are left out and at most
// 100 entries are kept (a FileError saying what was left out follows, after
// the window is open). With every window open: message 1, nothing opened.
// Returns the window number, 0 when none was opened.
int LoadAugerParameterListFrom(const std::string& path);

}  // namespace sorvan
