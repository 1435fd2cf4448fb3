// The File menu: the imports, the spectrum table, projects, the
// Auger-parameter list, printing, the window picture, the test spectrum, the
// further spectra of the file read last, reverting and ending the program;
// and the toolbar's reading of the format read last again. The rows of these
// commands are in shell/command_table.cpp.
#pragma once

namespace sorvan {

// Every import of File > Import, the test spectrum (CmdImportTestSpectrum)
// and the transmission function (CmdImportTransmissionFunction): the reader
// of the format whose menu command is `command` (import/formats.cpp), through
// ImportWithFormat. A format whose reader is not built in does nothing.
void OnImport(int command);

// The import prelude: ImportFormat[0] := code, SpectraReadSaved :=
// SpectraReadCount (not for the test spectrum), SpectraReadCount := 0, the
// reader for a new file, then the placing.
void ImportWithFormat(int code, int command);

// The spectrum choice again for the file in the store.
void OnOpenFileBlocks(int command);
// The block choice again for the depth profile in the store.
void OnOpenDepthProfileBlocks(int command);

void OnExportSpectrumTable(int command);
void OnOpenProject(int command);
// Save project and Save project as: SaveProject reads which one from
// CommandId.
void OnSaveProject(int command);
void OnOpenAugerList(int command);
void OnPrinterSetup(int command);
void OnPrintWindow(int command);
void OnExportBitmap(int command);
void OnRevertSpectrum(int command);
// The menu's exit writes the default presetting and the satellites, then
// asks; the toolbar's writes only the current presetting before it asks.
void OnExit(int command);
void OnToolbarExit(int command);

// Toolbar action 1: the import of the format read last, through its file
// dialog.
void OnReadLastFormatAgain(int command);

}  // namespace sorvan
