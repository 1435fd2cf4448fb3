// Readers of two multi-spectrum text formats whose header items stand at
// fixed places: "*.npl" files (a first field beginning with "---", fourteen
// header fields per spectrum) and PCF data files "*.dat" (a first line "PCF",
// one shared header, then the parameters of every spectrum and after them the
// value sections). Checked against small files written to the layouts these
// instruments use; no real file of either format is at hand.
#pragma once

namespace sorvan {

// w = 0 with ImportFormat[0] = 14 asks for a "*.npl" file; w = 1..100 with
// ImportFormat[w] = 15 reads SourceFilePath again without a dialog. At most
// 100 spectra are kept; a spectrum cut short, with a point count that is no
// number or outside 1..32767, ends the reading: the spectra read completely
// before it stay in the store and message 3 says that the file was not taken
// whole.
void ImportNpl(int w);

// The same for PCF files: ImportFormat 28 (dialog for "*.dat") and 29. Every
// spectrum needs at least two points, since its energy step is derived from
// its start and end energies.
void ImportPcf(int w);

}  // namespace sorvan
