// The program folder from the start-up file and the settings paths below it.
#include "core/settings_paths.h"

#include "core/model.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

std::string InProgramFolder(const std::string& literal) { return G.ProgramFolder + literal; }

std::string ProgramFolderFromField(const std::string& field) {
  // The first ten characters are a key ("Program = "); the folder may be
  // padded with blanks on both sides, blanks inside its name stay.
  return plat::Trim(plat::Mid(field, 11, 100));
}

void ReadStartupFile() {
  G.IniFilePath = plat::WindowsDirectory() + kStartupFileName;
  constexpr int kChannel = 1;
  plat::OpenInput(kChannel, G.IniFilePath);
  try {
    // Two field reads: the first field is dropped, the second names the
    // folder. A comma in the first line therefore splits it into two fields.
    plat::ReadField(kChannel);
    // The install step writes the folder as this system names it (UTF-8),
    // which is the program's text already; a folder written in
    // Windows-1252 is decoded by the channel.
    G.ProgramFolder = ProgramFolderFromField(plat::ReadField(kChannel));
  } catch (...) {
    plat::Close(kChannel);
    throw;
  }
  plat::Close(kChannel);
}

void SetPresettingPath() { G.PresettingFilePath = InProgramFolder(kDefaultPresettingFile); }

void SetLanguagePaths() {
  G.LanguageFilePath = InProgramFolder(kLanguageFile);
  G.PhiNamesFilePath = InProgramFolder(kPhiNamesFile);
}

void SetParameterSetAndSatellitePaths() {
  G.ParameterSet1Path = InProgramFolder(kParameterSet1File);
  G.ParameterSet2Path = InProgramFolder(kParameterSet2File);
  G.SatelliteFilePath = InProgramFolder(kSatelliteFile);
}

void SetReferenceTablePaths() {
  if (!G.SensitivityFilePath.empty())
    G.SensitivityFilePath = InProgramFolder(kSensitivityFolder) + G.SensitivityFilePath;
  if (!G.TransmissionFilePath.empty())
    G.TransmissionFilePath = InProgramFolder(kTransmissionFolder) + G.TransmissionFilePath;
}

void SetElementTablePaths() {
  G.DoubletFilePath = InProgramFolder(kDoubletFile);
  G.SnapshotFilePath = InProgramFolder(kSnapshotFile);
  G.LinesFolder = InProgramFolder(kLinesFolder);
  G.AugerFolder = InProgramFolder(kAugerFolder);
}

}  // namespace sorvan
