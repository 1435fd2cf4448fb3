// The program folder and the paths of the settings and reference files below
// it. The start-up file "\System\sorvan 2006.ini" below the Windows directory
// names the folder (second field, from character 11 on); every other path is
// the folder followed by a literal that begins with a backslash.
#pragma once
#include <string>

namespace sorvan {

// Literals joined to `ProgramFolder`. Folder names are part of the installed
// layout and are used exactly as written ("sensitifity factors" included).
inline constexpr const char* kStartupFileName = "\\System\\sorvan 2006.ini";
inline constexpr const char* kDefaultPresettingFile = "\\presetting\\presetting.set";
inline constexpr const char* kPresettingFolder = "\\presetting";
inline constexpr const char* kLanguageFile = "\\settings\\language 2006.set";
inline constexpr const char* kPhiNamesFile = "\\phi-names\\phi_names.ele";
inline constexpr const char* kParameterSet1File = "\\settings\\paraset1.par";
inline constexpr const char* kParameterSet2File = "\\settings\\paraset2.par";
inline constexpr const char* kSatelliteFile = "\\settings\\satellite.set";
inline constexpr const char* kSensitivityFolder = "\\sensitifity factors\\";
inline constexpr const char* kTransmissionFolder = "\\XPS-transfct\\";
inline constexpr const char* kDoubletFile = "\\settings\\doublet.dda";
inline constexpr const char* kSnapshotFile = "\\temp\\temp.tmp";
inline constexpr const char* kLinesFolder = "\\lines";
inline constexpr const char* kAugerFolder = "\\auger parameters";

// `ProgramFolder` + literal.
std::string InProgramFolder(const std::string& literal);

// The program folder held in the second field of the start-up file:
// characters 11 to 110 of the field, blanks removed at both ends.
std::string ProgramFolderFromField(const std::string& field);

// Sets `IniFilePath` (Windows directory + start-up file name) and reads
// `ProgramFolder` from it. Throws plat::FileError naming the start-up file
// when it is missing, unreadable or holds fewer than two fields; the program
// cannot start without it.
void ReadStartupFile();

// The path groups, each set by start-up just before the reader that needs it.
void SetPresettingPath();          // `PresettingFilePath` (the default file)
void SetLanguagePaths();           // `LanguageFilePath`, `PhiNamesFilePath`
void SetParameterSetAndSatellitePaths();  // `ParameterSet1Path`, `ParameterSet2Path`, `SatelliteFilePath`
// `SensitivityFilePath` and `TransmissionFilePath`: the folder joined to the
// bare file name that the presetting stored. An empty name stays empty, so
// that start-up can skip the reader instead of opening a folder.
void SetReferenceTablePaths();
void SetElementTablePaths();       // `DoubletFilePath`, `SnapshotFilePath`, `LinesFolder`, `AugerFolder`

}  // namespace sorvan
