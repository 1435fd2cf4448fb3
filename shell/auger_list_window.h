// Opening an Auger-parameter list (core/auger_list.h) in a window of its own.
#pragma once
#include <string>

namespace sorvan {

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
