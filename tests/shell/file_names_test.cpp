// File names outside ASCII, through the started program and the real file
// system: the system names files in UTF-8 and the program keeps the same
// names. A file in a folder "Messreihe_ä" named "Probe_äöüß_µ.vms" is
// imported from the menu, read again, exported to and used as a presetting;
// a program folder with accents reads its settings; a name holding "*" is
// refused with a message.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/model.h"
#include "import/vamas.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "core/menu_commands.h"
#include "shell_fixture.h"
#include "support/test_support.h"
#include "tests/import/vamas_fixture.h"

namespace {

using namespace sorvan;
namespace fs = std::filesystem;
namespace script = plat::script;

// The names as the system holds them and as the program does.
constexpr const char* kFolder = "Messreihe_\u00E4";
constexpr const char* kFile = "Probe_\u00E4\u00F6\u00FC\u00DF_\u00B5.vms";

class FileNames : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.CpsMode = 0;
    base_ = fs::path(folder_->Root()).parent_path();
    fs::create_directories(base_ / kFolder);
  }

  // The program-form path of a name below the accented folder.
  std::string InFolder(const std::string& name) const {
    return plat::ProgramPath(base_.string()) + "\\" + kFolder + "\\" + name;
  }
  fs::path NativeInFolder(const std::string& name) const { return base_ / kFolder / name; }

  // Writes a VAMAS file of C 1s and O 1s under the accented names and imports
  // both regions from the menu.
  std::string ImportAccentedFile() {
    importtest::FileSpec file;
    file.blocks[0].values = {5, 6, 7};
    importtest::BlockSpec oxygen;
    oxygen.species = "O";
    oxygen.values = {8, 9, 10};
    file.blocks.push_back(oxygen);
    testsupport::WriteFile(NativeInFolder(kFile).string(), importtest::MakeVamas(file));
    const std::string path = InFolder(kFile);
    script::AnswerFile(path);
    script::Click("cmd23");
    plat::driver::ChooseMenu(CmdImportVamas);
    plat::driver::Finish();
    return path;
  }

  fs::path base_;
};

TEST_F(FileNames, ImportFromTheMenuOpensTheWindowsOfAnAccentedName) {
  const std::string path = ImportAccentedFile();
  ASSERT_TRUE(Win[1].WindowOpen);
  ASSERT_TRUE(Win[2].WindowOpen);
  EXPECT_TRUE(plat::MessagesShown().empty());
  EXPECT_EQ(Win[1].SpectrumHeader.Name, "C1s");
  EXPECT_EQ(Win[2].SpectrumHeader.Name, "O1s");
  EXPECT_EQ(Win[2].SourcePath, path);
  EXPECT_EQ(G.ImportFolder, InFolder("").substr(0, InFolder("").size() - 1));

  // Another file replaces the store; reverting window 2 reads its accented
  // source again.
  importtest::FileSpec other;
  other.blocks[0].values = {1, 1};
  testsupport::WriteFile((base_ / "other.vms").string(), importtest::MakeVamas(other));
  script::AnswerFile(plat::ProgramPath((base_ / "other.vms").string()));
  script::Click("cmd23");
  plat::driver::ChooseMenu(CmdImportVamas);
  plat::driver::Finish();
  SlotData[2](1, 1) = -1;
  G.CurrentWindow = 2;
  plat::driver::ChooseMenu(CmdRevertSpectrum);
  plat::driver::Finish();
  EXPECT_EQ(G.SourceFilePath, path);
  EXPECT_EQ(SlotData[2](1, 1), 8);
}

TEST_F(FileNames, WritersAndSettingsFilesTakeAccentedNames) {
  // A presetting, saved and loaded again (loading needs no window open).
  const int cps = G.CpsMode;
  script::AnswerFile(InFolder("Voreinstellung_\u00FC.set"));
  plat::driver::ChooseMenu(CmdSavePresetting);
  plat::driver::Finish();
  EXPECT_TRUE(fs::is_regular_file(NativeInFolder("Voreinstellung_\u00FC.set")));
  G.CpsMode = cps == 1 ? 0 : 1;
  script::AnswerFile(InFolder("Voreinstellung_\u00FC.set"));
  plat::driver::ChooseMenu(CmdLoadPresetting);
  plat::driver::Finish();
  EXPECT_EQ(G.PresettingFilePath, InFolder("Voreinstellung_\u00FC.set"));
  EXPECT_EQ(G.CpsMode, cps);

  // A spectrum table of an imported window.
  ImportAccentedFile();
  ASSERT_TRUE(Win[2].WindowOpen);
  script::Click("cmdOk191");
  script::Click("cmdOk181");
  script::AnswerFile(InFolder("Tabelle_\u00B5.dat"));
  plat::driver::ChooseMenu(CmdExportSpectrumTable);
  plat::driver::Finish();
  EXPECT_TRUE(fs::is_regular_file(NativeInFolder("Tabelle_\u00B5.dat")));
  EXPECT_FALSE(testsupport::ReadFile(NativeInFolder("Tabelle_\u00B5.dat").string()).empty());
  EXPECT_TRUE(plat::MessagesShown().empty());
}

TEST_F(FileNames, ANameHoldingAStarIsRefusedWithAMessage) {
  testsupport::WriteFile((base_ / "a*b.vms").string(), importtest::MakeVamas(importtest::FileSpec{}));
  G.SpectraReadCount = 4;
  script::AnswerFile(plat::ProgramPath((base_ / "a*b.vms").string()));
  script::AnswerMessage(1, "*");
  plat::driver::ChooseMenu(CmdImportVamas);
  plat::driver::Finish();
  EXPECT_FALSE(Win[1].WindowOpen);
  EXPECT_EQ(G.SpectraReadCount, 4);
  ASSERT_EQ(plat::MessagesShown().size(), 1u);
  // The message names the file with this system's separators.
  EXPECT_NE(plat::MessagesShown()[0].text.find(base_.string() + "/a*b.vms"), std::string::npos)
      << plat::MessagesShown()[0].text;
}

// The program installed in a folder with accents reads its settings there.
class AccentedProgramFolder : public shelltest::ShellTest {
 protected:
  void PreparePresetting(testsupport::ProgramFolder& folder) override {
    const fs::path accented = fs::path(folder.Root()).parent_path() / "Programme_\u00E4\u00F6\u00FC";
    fs::copy(folder.Root(), accented, fs::copy_options::recursive);
    folder.WriteStartupFile("Sorvan\r\nProgram = " + accented.string() + "\r\n");
    expected_ = plat::ProgramPath(fs::path(folder.Root()).parent_path().string()) + "\\Programme_\u00E4\u00F6\u00FC";
  }
  std::string expected_;
};

TEST_F(AccentedProgramFolder, ReadsItsSettingsFromThere) {
  EXPECT_EQ(plat::NativePath(G.ProgramFolder), plat::NativePath(expected_));
  EXPECT_EQ(plat::ShownPath(G.LanguageFilePath).find(plat::ShownPath(expected_)), 0u);
  EXPECT_TRUE(plat::FileExists(G.LanguageFilePath));
  EXPECT_FALSE(G.MessageTexts[93].empty());
  EXPECT_TRUE(plat::FileExists(G.PresettingFilePath));
}

}  // namespace
