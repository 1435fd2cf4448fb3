// Readers and writers of the reference files below the program folder: the
// satellite presets, the region-name and doublet tables, the line-position
// lists, the sensitivity factors and the transmission parameters.
//
// Every reader parses its whole file before it changes a table, so a missing,
// unreadable or short file leaves the table as it was (never half replaced).
// The start-up readers report such a file by throwing plat::FileError, which
// names the file; start-up catches it, goes on and tells the user. The
// interactive loaders (the user picks the file) answer a wrong or short file
// with message 3 and change nothing.
#pragma once
#include <string>
#include <vector>

namespace sorvan {

// ---- Satellite presets ("\settings\satellite.set", 110 lines) ----
// Reads the four preset tables. A missing or short file throws and leaves the
// tables unchanged.
void ReadSatelliteFile();
// Writes the four preset tables (line 1 of each satellite line first), whole
// or not at all: throws plat::FileError and keeps the old file on failure.
void WriteSatelliteFile();

// ---- Region names ("\phi-names\phi_names.ele", 434 code/name pairs) ----
// Reads up to 434 complete pairs; entries the file does not reach stay empty.
// A missing file throws and leaves the table unchanged.
void ReadRegionNameTable();

// ---- Doublets ("\settings\doublet.dda") ----
// Reads the header field, then name, ratio and splitting per entry.
// `DoubletCount` is the field count divided by 3 and rounded; every complete
// entry (1..count/3 rounded down) is stored; an incomplete last entry stays
// empty and is never matched. A missing file throws and changes nothing.
void ReadDoubletTable();
// Looks up the doublet of a spectrum: the key is the first ten characters of
// `spectrumName` with every blank left out; an entry matches when the key
// begins with its (non-empty) name, and the last match in table order wins.
// Without a match ratio is 1 and splitting 0, and the result is false.
bool FindDoubletValues(const std::string& spectrumName, double& ratio, double& splitting);

// ---- Line positions ("\linienlage.pos" in `LinesFolder`, one entry a line) ----
// Fills `LinePositions`/`LineTableCount` with the lines of the default table.
// Stops at the table's 1000 entries and then throws a FileError saying so
// (the first 1000 are kept). A missing file throws and changes nothing.
void ReadLinePositions();
// Fills `LineList`/`ListEntryCount` with the lines the line-list options
// select (`LineFilterAll`, `LineFilterMarked`, `LineFilterElement` with
// `LineFilterSymbol`, `LineFilterOwnFile` with `LineFilePath`). Same limits
// and failures as ReadLinePositions.
void LoadLineSelection();
// The element symbol of a line-position entry: the two characters from the
// first character with a code of 65 ("A") or more, blanks trimmed; "" when
// the line holds no such character.
std::string LineElementSymbol(const std::string& line);

// ---- Sensitivity factors ("*.sen" in "\sensitifity factors") ----
// Start-up reader of `SensitivityFilePath` (folder already joined by
// start-up; see ResolveReferenceFilePath). Does nothing when no file is named.
// A missing file throws; the table stays as it was and the stored name is
// kept for the presetting. A name without its factor at the end is dropped.
void ReadSensitivityFactors();
// Menu command: asks for a "*.sen" file and loads it (LoadSensitivityFactorsFrom).
void LoadSensitivityFactors();
// Loads a sensitivity-factor file that the user chose: a first field other
// than "Sensitivity Factors" gives message 3, a file that cannot be read
// message 8; both change nothing. Returns true when the table was replaced.
bool LoadSensitivityFactorsFrom(const std::string& path);

// ---- Transmission parameters ("*.trm" in "\XPS-transfct", 34 lines) ----
// T(E) = c1 + c2 x + c3 x^2 + c4 x^3 + c5 x^4 + c6 E^c7 with x = (E - 1000)/1000,
// `coef` indexed 1..7, as a parameter file describes it.
double TransmissionParameterValue(const double* coef, double energy);
// True when T(E) is a finite number at 200, 1000 and 1560 eV (the ends of the
// transmission grid and the energy the function is normalised at). Every
// reader of a parameter file refuses coefficients without a finite function,
// which would give every quantification and transmission curve no number.
bool TransmissionFunctionFinite(const double* coef);
// Start-up reader of `TransmissionFilePath` (see ReadSensitivityFactors).
// A missing or short file, or one without a finite function, throws and
// leaves the coefficients unchanged.
void ReadTransmissionParameters();
// Menu command: asks for a "*.trm" file and loads it.
void LoadTransmissionParameters();
// Loads a transmission-parameter file that the user chose: a second line
// other than "transfct", fewer than 34 lines or coefficients without a finite
// function give message 3, a file that
// cannot be read message 8; both change nothing. Returns true when the
// coefficients were replaced.
bool LoadTransmissionParametersFrom(const std::string& path);

// ---- Path helpers shared by the settings readers ----
// The part of a program path after its last "\" (the whole text without one).
std::string FileNameOfPath(const std::string& path);
// The part of a program path before its last "\" ("" without one).
std::string FolderOfPath(const std::string& path);
// The file a stored reference name stands for: a stored name that is a full
// path (it holds a "\") is used as it is, a bare name is looked up in
// `defaultFolder`. Also accepts the result of joining the default folder with
// a stored full path ("<folder>\" + "\home\x.sen") and undoes that join.
std::string ResolveReferenceFilePath(const std::string& defaultFolder, const std::string& stored);
// What the presetting keeps for a reference table read from `source` whose
// bare name is `bareName`: the bare name when the file lies in
// `defaultFolder` (or nothing better is known), else the full path, so that
// the next start finds a table loaded from another folder.
std::string StoredReferenceName(const std::string& defaultFolder, const std::string& source,
                                const std::string& bareName);
// The default folders of the two tables whose names the presetting keeps.
std::string SensitivityFolder();
std::string TransmissionFolder();

// Reads a whole file through file channel 1, by fields (ended by a comma or
// the line end) or by lines. Throws plat::FileError when it cannot be opened.
std::vector<std::string> ReadAllFields(const std::string& path);
std::vector<std::string> ReadAllLines(const std::string& path);
// The first field of a line: the text up to its first comma.
std::string FirstField(const std::string& line);

}  // namespace sorvan
