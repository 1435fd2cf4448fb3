// The import commands of the File menu and the two commands that place
// further spectra of the file read last.
#pragma once

namespace sorvan {

// Runs an import command (1110..1185, 1700, 9700) or 1800 / 11100. Returns
// false for any other command, and for a format whose reader is not built
// in, so that the caller can handle it.
bool RunImportCommand(int command);

// The import prelude: ImportFormat[0] := code, SpectraReadSaved :=
// SpectraReadCount (not for 1700), SpectraReadCount := 0, the reader for a
// new file, then the placing.
void ImportWithFormat(int code, int command);

// 1800: the spectrum choice again for the file in the store.
void CmdOpenFileBlocks();
// 11100: the block choice again for the depth profile in the store.
void CmdOpenDepthProfileBlocks();

}  // namespace sorvan
