// Imports of NPL, SPX and transmission-parameter files from the menu with the
// program started: the file dialog, the block and spectrum choices, the
// windows filled, and a window's depth-profile source read again later.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/menu_commands.h"
#include "core/store.h"
#include "import/formats.h"
#include "import/place.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "processing/revert.h"
#include "support/program_folder.h"
#include "tests/import/spx_fixture.h"
#include "tests/import/started_program_fixture.h"
#include "tests/shell/shell_fixture.h"

using namespace sorvan;

namespace {

class MenuImportTest : public importtest::StartedProgramTest {
 protected:
  void SetUp() override {
    StartedProgramTest::SetUp();
    G.CpsMode = 0;
  }

  // Three depth regions of three levels; level c of region r holds the
  // values 100 c + r and 100 c + r + 1.
  std::string DepthProfile() {
    std::vector<importtest::SpxRegionSpec> regions;
    const char* names[] = {"Si2p", "O1s", "C1s"};
    for (int r = 1; r <= 3; ++r)
      regions.push_back(importtest::DepthRegion(names[r - 1], 3, r, " 1: 5 2: 5 3: 10"));
    return WriteVamas(importtest::MakeSpx(regions), "profile.exp");
  }

  std::string TwoNplSpectra(const std::string& firstValueOfSecond = "21") {
    std::string t = "--- export\r\nx\r\n 2\r\nx\r\nx\r\n";
    const char* names[] = {"C1s  ", "O1s  "};
    for (int k = 0; k < 2; ++k) {
      t += "spectrum\r\nRegion name: " + std::string(names[k]) + "\r\n   3\r\n";
      t += "Start: 280.0000\r\nEnd  : 281.0000\r\nStep :   0.5000\r\nx\r\nx\r\n";
      t += "FAT  50.0\r\nx\r\n 4\r\nDwell time:  200\r\nMg\r\nx\r\n";
      for (int i = 1; i <= 3; ++i)
        t += (k == 1 && i == 1 ? firstValueOfSecond : std::to_string(10 * (k + 1) + i)) + "\r\n";
    }
    return WriteVamas(t, "two.npl");
  }

  static std::vector<double> Column(int w) {
    std::vector<double> v;
    for (int i = 1; i <= Win[w].SpectrumHeader.PointCount; ++i) v.push_back(SlotData[w](i, 1));
    return v;
  }

};

TEST_F(MenuImportTest, NplFileFromTheMenu) {
  plat::script::AnswerFile(TwoNplSpectra());
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(1170);
  plat::driver::Finish();
  ASSERT_TRUE(Win[1].WindowOpen);
  ASSERT_TRUE(Win[2].WindowOpen);
  EXPECT_EQ(Win[2].SpectrumHeader.Name, "O1s  ");
  EXPECT_EQ(Win[2].ImportFormat, 14);
  EXPECT_DOUBLE_EQ(Win[2].SpectrumHeader.ExcitationEnergy, 1253.6);
  EXPECT_DOUBLE_EQ(Win[2].SpectrumHeader.DwellTime, 0.2);
  EXPECT_EQ(Column(2), (std::vector<double>{21, 22, 23}));
}

TEST_F(MenuImportTest, NplValueThatIsNoNumberReadsAsZero) {
  plat::script::AnswerFile(TwoNplSpectra("n/a"));
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(1170);
  plat::driver::Finish();
  EXPECT_TRUE(plat::MessagesShown().empty());
  ASSERT_TRUE(Win[2].WindowOpen);
  EXPECT_EQ(Column(1), (std::vector<double>{11, 12, 13}));
  EXPECT_EQ(Column(2), (std::vector<double>{0, 22, 23}));
}

TEST_F(MenuImportTest, AllSpectraTableOfVamasWindowsNamesEveryColumn) {
  const std::string native = testsupport::SamplesDir() + "/vamas/survey-regular.vms";
  if (!plat::FileExists(plat::ProgramPath(native))) GTEST_SKIP() << "sample not found: " << native;
  // The same survey twice: two windows on one grid, named by the file but
  // without a short name, as the VAMAS reader leaves them.
  for (int i = 0; i < 2; ++i) {
    plat::script::AnswerFile(plat::ProgramPath(native));
    plat::script::Click("cmd23");
    plat::driver::ChooseMenu(CmdImportVamas);
  }
  plat::driver::Finish();
  ASSERT_TRUE(Win[2].WindowOpen);
  ASSERT_EQ(Win[1].SpectrumHeader.ShortName, "");
  const std::string out = WriteVamas("old", "all.dat");
  plat::script::AnswerFile(out);
  plat::driver::ChooseMenu(CmdExportAllSpectra);
  plat::driver::Finish();
  const std::string text = plat::ReadWholeFile(out);
  const std::string header = text.substr(0, text.find("\r\n"));
  // The columns are named as the rows of the fit table: by window number.
  EXPECT_EQ(header.substr(header.find(G.ColumnSeparator)),
            G.ColumnSeparator + "1" + G.ColumnSeparator + "2");
}

TEST_F(MenuImportTest, DepthProfileRegionChosenOnTheBlockPageAndReadAgain) {
  const std::string profile = DepthProfile();
  plat::script::AnswerFile(profile);
  plat::script::Run([] {
    std::vector<std::string> items;
    for (const plat::ControlInfo& c : plat::Controls(31))
      if (c.name == "lib311") items = c.items;
    EXPECT_EQ(items, (std::vector<std::string>{"Si2p", "O1s", "C1s"}));
  });
  plat::script::SelectItems("lib311", -1, {1});  // O1s
  plat::script::Click("cmdOk311");
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(1184);
  plat::driver::Finish();
  for (int w = 1; w <= 3; ++w) ASSERT_TRUE(Win[w].WindowOpen) << w;
  EXPECT_FALSE(Win[4].WindowOpen);
  EXPECT_EQ(Win[1].SpectrumHeader.Name, "O1s_ 5");
  EXPECT_EQ(Win[2].SpectrumHeader.Name, "O1s_ 10");
  EXPECT_EQ(Win[3].SpectrumHeader.Name, "O1s_ 20");
  EXPECT_EQ(Win[2].ImportFormat, 24);
  EXPECT_EQ(Win[2].SourceBlockList, " 0 2 0");
  EXPECT_EQ(Column(2), (std::vector<double>{202, 203}));

  // Another file is read; reverting window 2 reads its region of the
  // profile again.
  plat::script::AnswerFile(TwoNplSpectra());
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(1170);
  plat::driver::Finish();
  ASSERT_NE(G.SourceFilePath, Win[2].SourcePath);
  SlotData[2](1, 1) = -1;
  G.CurrentWindow = 2;
  plat::driver::ChooseMenu(1900);
  plat::driver::Finish();
  EXPECT_EQ(G.SourceFilePath, Win[2].SourcePath);
  EXPECT_EQ(G.ImportMode, "SDP_SPE");
  EXPECT_EQ(G.SdpBlockCount, 3);
  EXPECT_EQ(Column(2), (std::vector<double>{202, 203}));
}

TEST_F(MenuImportTest, DepthProfileBlocksCommandChoosesAnotherRegion) {
  plat::script::AnswerFile(DepthProfile());
  plat::script::SelectItems("lib311", -1, {0});
  plat::script::Click("cmdOk311");
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(1184);
  plat::driver::Finish();
  ASSERT_TRUE(Win[3].WindowOpen);
  EXPECT_EQ(Win[1].SpectrumHeader.Name, "Si2p_ 5");

  plat::script::SelectItems("lib311", -1, {2});  // C1s
  plat::script::Click("cmdOk311");
  plat::script::SelectItems("lib21", -1, {2});
  plat::script::Click("cmdOk21");
  plat::driver::ChooseMenu(11100);
  plat::driver::Finish();
  ASSERT_TRUE(Win[4].WindowOpen);
  EXPECT_EQ(Win[4].SpectrumHeader.Name, "C1s_ 20");
  EXPECT_EQ(Win[4].SourceBlockList, " 0 0 3");
  EXPECT_EQ(Column(4), (std::vector<double>{303, 304}));
}

TEST_F(MenuImportTest, TransmissionParameterFileFromTheMenu) {
  std::string t = "Test function\r\ntransfct\r\n1361\r\n200\r\n1560\r\n1\r\n20\r\n1486.6\r\n1\r\n1\r\n"
                  "FAT\r\ncomment\r\n2006-01-01\r\nsource\r\n";
  for (int c = 1; c <= 10; ++c) t += std::string(c == 1 ? "2" : "0") + "\r\n" + (c == 1 ? "0" : "-1") + "\r\n";
  plat::script::AnswerFile(WriteVamas(t, "function.trm"));
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(9700);
  plat::driver::Finish();
  ASSERT_TRUE(Win[1].WindowOpen);
  EXPECT_EQ(Win[1].SpectrumHeader.PointCount, 1361);
  EXPECT_EQ(Win[1].ImportFormat, 26);
  EXPECT_EQ(Win[1].SpectrumHeader.Name, "Test function");
  EXPECT_DOUBLE_EQ(Win[1].TransmissionCoef[1], 2);
  EXPECT_DOUBLE_EQ(Win[1].TransmissionCoefFixed[1], 0);
  EXPECT_DOUBLE_EQ(Win[1].TransmissionCoefFixed[2], -1);
  EXPECT_DOUBLE_EQ(SlotData[1](700, 1), 2);

  // After another import, reverting the window reads its parameter file again.
  plat::script::AnswerFile(TwoNplSpectra());
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(1170);
  plat::driver::Finish();
  SlotData[1](700, 1) = -1;
  G.CurrentWindow = 1;
  plat::driver::ChooseMenu(1900);
  plat::driver::Finish();
  EXPECT_EQ(G.SourceFilePath, Win[1].SourcePath);
  EXPECT_DOUBLE_EQ(SlotData[1](700, 1), 2);
  EXPECT_EQ(Win[1].ImportFormat, 26);
}

TEST_F(MenuImportTest, EachReaderOffersItsFilterAndReadsNothingOnCancel) {
  const struct {
    int code;
    std::string description;
    const char* mask;
  } cases[] = {
      {Npl, G.LabelTexts[64], "*.npl"},
      {Pcf, G.LabelTexts[64], "*.dat"},
      {SpxExperiment, G.LabelTexts[64], "*.exp"},
      {TransmissionParameterSpectrum, G.LabelTexts[143], "*.trm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mask);
    ImportedValues[1].Resize(2);
    G.SpectraReadCount = 0;
    G.ImportFolder = "\\somewhere";
    Win[0].ImportFormat = static_cast<Byte>(c.code);
    plat::script::CancelFile();
    RunImportReader(c.code, 0);
    plat::driver::Finish();
    EXPECT_EQ(G.FileDialogFilter[0], c.description);
    EXPECT_EQ(G.FileDialogFilter[1], c.mask);
    EXPECT_EQ(G.FileDialogFilter[2], G.CaptionTexts[14]);
    EXPECT_EQ(G.FileDialogFilter[3], "*.*");
    EXPECT_EQ(G.FileDialogFilter[4], "");
    EXPECT_EQ(G.SpectraReadCount, 0);
    EXPECT_EQ(ImportedValues[1].Upper(), 2);  // the store is left as it was
    EXPECT_EQ(G.ImportFolder, "\\somewhere");
  }
}

TEST_F(MenuImportTest, ImportFolderFollowsTheChosenFileExceptForTransmissionFiles) {
  G.ImportFolder = "\\somewhere";
  const std::string npl = TwoNplSpectra();
  plat::script::AnswerFile(npl);
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(1170);
  plat::driver::Finish();
  EXPECT_EQ(G.ImportFolder + "\\two.npl", npl);

  std::string t;
  for (int line = 1; line <= 34; ++line) t += (line == 15 ? "1" : "0") + std::string("\r\n");
  G.ImportFolder = "\\somewhere";
  plat::script::AnswerFile(WriteVamas(t, "flat.trm"));
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(9700);
  plat::driver::Finish();
  EXPECT_TRUE(Win[3].WindowOpen);
  EXPECT_EQ(G.ImportFolder, "\\somewhere");
}

TEST_F(MenuImportTest, ControlBytesOfNamesReadFromFilesAreDropped) {
  importtest::FileSpec f;
  f.comments = {"Probe\tA"};
  f.blocks[0].species = std::string("C\0\0", 3);
  f.blocks[0].transition = "1s\x01\x7F";
  std::string npl = "--- export\r\nx\r\n 1\r\nx\r\nx\r\nspectrum\r\n";
  npl += std::string("Region name: O1s\0\0\r\n", 20);
  npl += "   2\r\nStart: 280.0000\r\nEnd  : 280.5000\r\nStep :   0.5000\r\nx\r\nx\r\n";
  npl += "FAT  50.0\r\nx\r\n 4\r\nDwell time:  200\r\nMg\r\nx\r\n1\r\n2\r\n";
  const struct {
    std::string path;
    int command;
    int window;
    const char* name;
  } cases[] = {
      {WriteVamas(importtest::MakeVamas(f), "nul.vms"), 1160, 1, "C1s"},
      {WriteVamas(npl, "nul.npl"), 1170, 2, "O1s"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    plat::script::AnswerFile(c.path);
    const std::string name = c.name;
    plat::script::Expect([name] { return plat::ListItem(2, "lib21", -1, 0) == name; }, "listed name");
    plat::script::Click("cmd23");
    plat::driver::ChooseMenu(c.command);
    plat::driver::Finish();
    ASSERT_TRUE(Win[c.window].WindowOpen);
    EXPECT_EQ(Win[c.window].SpectrumHeader.Name, c.name);
    EXPECT_EQ(plat::Caption(c.window), c.name);
  }
  EXPECT_EQ(Win[1].SpectrumHeader.Comment, "Probe AS1");
}

}  // namespace
