// The snapshot file: the complete state of one spectrum window written to a
// text file (program folder + "\temp\temp.tmp"), so that it can be pasted
// into another window. One value per line; intensities as counts, peak
// heights per second, peak positions as binding energies and every peak
// entry absolute (not relative to peak 1), so that a paste under other
// display units gives the same spectrum.
#pragma once
#include <string>

namespace sorvan {

// Writes window w's state to `path` (SnapshotFilePath when empty), through a
// temporary file. Throws plat::FileError when the file cannot be written; the
// snapshot written before is then as it was.
void WriteSpectrumSnapshot(int w, const std::string& path = "");

enum class SnapshotRead {
  Ok,
  Missing,    // the file cannot be opened
  Malformed,  // ends early, counts out of range or trailing values
};

// Reads the snapshot into window v's record and labels. The spectrum is left
// in WorkData (counts) and the background in WorkBackground (in the current
// intensity unit), points 1..N; the columns of the store are not touched.
// A snapshot without a fit gives v the default peak table of its line shape.
// A file that cannot be read completely changes nothing: message 8 (missing)
// or 3 (malformed) is shown and the result says which.
SnapshotRead ReadSpectrumSnapshot(int v, const std::string& path = "");

// Opens window v on the spectrum in WorkData and the background in
// WorkBackground (points 1..N, both in the current intensity unit) as the
// record of v describes them: intensity and energy ranges, data columns 1
// and 2 stored, the cursors on the window's region, the window opened under
// the spectrum's name. A paste and a project load end with it.
void OpenRestoredSpectrum(int v);

// The whole paste: the lowest free window (message 1 when none), the
// snapshot read into it, columns stored, the window opened and a stored fit
// evaluated again without iterating; the new window becomes current. Returns
// the window, or 0 when nothing was pasted.
int PasteSpectrumSnapshot();

}  // namespace sorvan
