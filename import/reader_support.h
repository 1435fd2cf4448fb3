// What every import reader shares: the reader state kept between a reader and
// the placing, the two value readers of input channel 1, the file choice, the
// refusal of a file that is not of the expected form, and the clearing of an
// imported header before a reader fills it.
#pragma once
// The leading-number rule and the control-byte clean-up every reader uses.
#include "core/text_rules.h"

#include <string>
#include <vector>

namespace sorvan {

// Lines per point in a value section: the number of corresponding variables
// of the VAMAS block being read; 0 at all other times (one item per point).
extern double VamasVariableCount;
// The comment lines of the VAMAS file header, joined without separator.
extern std::string ExperimentComment;
// The technique line of the depth-profile block read last.
extern std::string BlockTechnique;

// Reads PointCount values of imported spectrum k (1..100) from input
// channel 1 into ImportedValues[k], points 1..n in file order. Spectra 1..4
// take one whole line per value, spectra 5..100 one comma-separated field.
// After each value VamasVariableCount - 1 further lines are dropped. A file
// that ends early leaves the remaining points 0; nothing is read for k
// outside 1..100 or a point count below 1. Returns how many of the points
// were read from an item that begins with a number, so that a reader can
// tell a complete value section (the result equals the point count) from one
// cut short or out of step. `items`, when given, receives how many items
// were read at all (fewer than the point count only when the file ended).
int ReadImportedValues(int k, int* items = nullptr);
// The same, every value a field, stored from point n down to point 1.
int ReadImportedValuesReversed(int k);

// The next field or line of input channel 1 into LineBuffer, which is
// returned; and the skipping of `count` fields or lines.
std::string ReadImportField();
std::string ReadImportLine();
void SkipImportFields(int count);
void SkipImportLines(int count);

// Empties the text fields of imported header h that a reader may leave
// unwritten (short name, comment, date, source text), so that no spectrum
// carries texts of an earlier file.
void ClearImportedHeaderTexts(int h);

// Applies WithoutControlBytes to every text field of the imported headers
// and to the region names of a depth profile; every reader's result passes
// through it before anything is listed or placed.
void TidyImportedTexts();

// The open-file dialog of an import: `filterPairs` are (description, mask)
// pairs to which the "all files" pair is appended; the dialog opens in
// `startFolder` with the first mask preset. Leaves the choice in
// FileDialogResult ("" on Cancel). When `updateImportFolder` is set and a
// file was chosen, ImportFolder becomes the folder of that file.
std::string ChooseImportFile(const std::vector<std::string>& filterPairs,
                             const std::string& defaultExtension, const std::string& startFolder,
                             bool updateImportFolder);

// The file a reader of format `code` reads for window w: with
// ImportFormat[w] = code the open-file dialog of an import (ChooseImportFile
// with `filterPairs`, ImportFolder as start and remembered afterwards); with
// code + 1 the window's source SourceFilePath, without a dialog. Leaves the
// path in FileDialogResult; returns "" when nothing is to be read (dialog
// cancelled, a mask returned instead of a file, or another format code).
std::string ChooseReaderFile(int w, int code, const std::vector<std::string>& filterPairs,
                             const std::string& defaultExtension);

// Empties the store's value vectors, opens `path` on input channel 1 and
// makes it the SourceFilePath. A file that cannot be opened is refused
// (RefuseImportFile) and false returned.
bool OpenImportFile(int w, const std::string& path);

// The reading ended before the file was taken whole, although what was read
// completely stays in the store: CommandId 3 and message 3 for window w.
void ReportPartialImport(int w);

// Refuses the file being read: CommandId := 3, message 3 for window w, input
// channel 1 closed, SpectraReadCount := 0.
void RefuseImportFile(int w);

}  // namespace sorvan
