// The program folder from the start-up file and the settings paths built on it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/model.h"
#include "core/settings_paths.h"
#include "platform/files.h"
#include "support/program_folder.h"
#include "support/test_support.h"

namespace {

using namespace sorvan;

struct FieldCase {
  const char* field;
  const char* folder;
};

TEST(StartupPaths, FolderIsTakenFromCharacterElevenAndTrimmed) {
  const FieldCase cases[] = {
      {"Program = /opt/sorvan", "/opt/sorvan"},
      {"Program =    /opt/my sorvan   ", "/opt/my sorvan"},  // blanks inside the name stay
      {"Program =", ""},                                      // ten characters or fewer: no folder
      {"short", ""},
      {"0123456789X", "X"},
  };
  for (const auto& c : cases) EXPECT_EQ(ProgramFolderFromField(c.field), c.folder) << c.field;
}

TEST(StartupPaths, FolderIsCutAfterCharacter110) {
  const std::string folder(120, 'a');
  EXPECT_EQ(ProgramFolderFromField("Program = " + folder), std::string(100, 'a'));
}

class StartupFileTest : public ::testing::Test {
 protected:
  void SetUp() override { InitialiseModel(); }
  testsupport::ProgramFolder folder_;
};

struct StartupFileCase {
  const char* content;
  const char* folder;
};

TEST_F(StartupFileTest, ReadsTheSecondField) {
  const StartupFileCase cases[] = {
      {"Sorvan\r\nProgram = /opt/sorvan\r\n", "/opt/sorvan"},
      {"\nProgram =   /opt/sorvan  \n", "/opt/sorvan"},                 // an empty first line is a field too
      {"Sorvan,Program = /from/first/line\nProgram = /opt/x\n", "/from/first/line"},  // a comma splits line 1
      {"Sorvan\nProgram = /opt/a,b\n", "/opt/a"},                       // a comma ends the field
      {"Sorvan\nProgram = /opt/sorvan", "/opt/sorvan"},                 // no final line end
      {"Sorvan\nProgram = /opt/Gr\u00FC\u00DF" "e\n", "/opt/Gr\u00FC\u00DF" "e"},  // UTF-8, as the install step writes it
      {"Sorvan\nProgram = /opt/Gr\xFC\xDF" "e\n", "/opt/Gr\u00FC\u00DF" "e"},      // an older Windows-1252 file
      {"Sorvan\nProgram = /opt/\u03B1-Fe2O3 \u77F3\u82F1\n", "/opt/\u03B1-Fe2O3 \u77F3\u82F1"},  // any script
  };
  for (const auto& c : cases) {
    folder_.WriteStartupFile(c.content);
    ReadStartupFile();
    EXPECT_EQ(G.ProgramFolder, c.folder) << c.content;
  }
  EXPECT_EQ(plat::NativePath(G.IniFilePath), folder_.StartupFilePath());
}

TEST_F(StartupFileTest, MissingOrShortStartupFileThrowsNamingIt) {
  const char* contents[] = {nullptr, "", "Sorvan only one field"};
  for (const char* content : contents) {
    if (content)
      folder_.WriteStartupFile(content);
    else
      folder_.RemoveStartupFile();
    try {
      ReadStartupFile();
      FAIL() << "no error for " << (content ? content : "a missing file");
    } catch (const plat::FileError& e) {
      EXPECT_EQ(plat::NativePath(e.path()), folder_.StartupFilePath());
    }
    EXPECT_FALSE(plat::IsOpen(1));
  }
}

TEST_F(StartupFileTest, PathsJoinTheFolderAndTheirLiterals) {
  folder_.WriteStartupFile("Sorvan\nProgram =  /opt/my sorvan \n");
  ReadStartupFile();
  SetPresettingPath();
  SetLanguagePaths();
  SetParameterSetAndSatellitePaths();
  G.SensitivityFilePath = "standard.sen";
  G.TransmissionFilePath = "";
  SetReferenceTablePaths();
  SetElementTablePaths();
  EXPECT_EQ(G.PresettingFilePath, "/opt/my sorvan\\presetting\\presetting.set");
  EXPECT_EQ(G.LanguageFilePath, "/opt/my sorvan\\settings\\language 2006.set");
  EXPECT_EQ(G.PhiNamesFilePath, "/opt/my sorvan\\phi-names\\phi_names.ele");
  EXPECT_EQ(G.ParameterSet1Path, "/opt/my sorvan\\settings\\paraset1.par");
  EXPECT_EQ(G.ParameterSet2Path, "/opt/my sorvan\\settings\\paraset2.par");
  EXPECT_EQ(G.SatelliteFilePath, "/opt/my sorvan\\settings\\satellite.set");
  EXPECT_EQ(G.SensitivityFilePath, "/opt/my sorvan\\sensitifity factors\\standard.sen");
  EXPECT_EQ(G.TransmissionFilePath, "");  // an empty name does not become the folder
  EXPECT_EQ(G.DoubletFilePath, "/opt/my sorvan\\settings\\doublet.dda");
  EXPECT_EQ(G.SnapshotFilePath, "/opt/my sorvan\\temp\\temp.tmp");
  EXPECT_EQ(G.LinesFolder, "/opt/my sorvan\\lines");
  EXPECT_EQ(G.AugerFolder, "/opt/my sorvan\\auger parameters");
}

}  // namespace
