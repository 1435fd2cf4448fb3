// The first steps that the readers of the keyword and fixed-place formats
// share: choosing the file (a dialog for a new import, the window's source
// for a re-read) and opening it on input channel 1 with the store emptied.
#pragma once
#include <string>

namespace sorvan {

// The file a reader of format `code` reads for window w: with
// ImportFormat[w] = code the open-file dialog of an import (the pair
// `description`/`mask` and the "all files" pair, `mask` preset, ImportFolder
// as start and remembered afterwards); with code + 1 SourceFilePath without a
// dialog. Leaves the path in FileDialogResult; "" when nothing is to be read
// (the dialog was cancelled, or w is not being read in this format).
std::string ChooseReaderFile(int w, int code, const std::string& description,
                             const std::string& mask, const std::string& defaultExtension);

// Empties the store's value vectors, opens `path` on input channel 1 and
// makes it the SourceFilePath. A file that cannot be opened is refused
// (message 3 for window w, SpectraReadCount 0) and false returned.
bool OpenImportFile(int w, const std::string& path);

// The reading ended before the file was taken whole, although what was read
// completely stays in the store: CommandId 3 and message 3 for window w.
void ReportFileNotTakenWhole(int w);

}  // namespace sorvan
