// Importing from the File menu with the program started: the file dialog, the
// spectrum choice, the windows the spectra go to, and the files that place
// nothing.
#include <gtest/gtest.h>

#include <memory>

#include "tests/shell/shell_fixture.h"
#include "import/place.h"
#include "platform/menus.h"
#include "platform/surfaces.h"
#include "support/program_folder.h"
#include "tests/import/started_program_fixture.h"

using namespace sorvan;
using importtest::BlockSpec;
using importtest::FileSpec;

namespace {

class PlaceTest : public importtest::StartedProgramTest {
 protected:
  void SetUp() override {
    StartedProgramTest::SetUp();
    G.CpsMode = 0;  // values as counts unless a test says otherwise
  }

  // A file of four spectra C1s, O1s, N1s, S2p with 3, 4, 5, 6 points.
  std::string FourSpectra() {
    FileSpec f;
    f.blocks.clear();
    const char* species[] = {"C", "O", "N", "S"};
    for (int k = 0; k < 4; ++k) {
      BlockSpec b;
      b.species = species[k];
      b.transition = k == 3 ? "2p" : "1s";
      b.values = importtest::Ramp(3 + k, 10 * (k + 1));
      f.blocks.push_back(b);
    }
    return WriteVamas(importtest::MakeVamas(f), "four.vms");
  }

  // File > Import > VAMAS with `path`, choosing list items `items` on the
  // spectrum choice page (all of them when empty).
  void ImportFromMenu(const std::string& path, std::vector<int> items = {}) {
    plat::script::AnswerFile(path);
    if (items.empty()) {
      plat::script::Click("cmd23");
    } else {
      plat::script::SelectItems("lib21", -1, items);
      plat::script::Click("cmdOk21");
    }
    plat::driver::ChooseMenu(1160);
  }

  static void OpenInModel(int w) { Win[w].WindowOpen = true; }

};

TEST_F(PlaceTest, ChosenSpectraTakeTheLowestFreeWindows) {
  OpenInModel(1);
  OpenInModel(3);
  ImportFromMenu(FourSpectra(), {1, 3});
  plat::driver::Finish();
  EXPECT_TRUE(Win[2].WindowOpen);
  EXPECT_TRUE(Win[4].WindowOpen);
  EXPECT_FALSE(Win[5].WindowOpen);
  EXPECT_EQ(G.CurrentWindow, 4);
  EXPECT_EQ(Win[2].SpectrumHeader.Name, "O1s");
  EXPECT_EQ(Win[4].SpectrumHeader.Name, "S2p");
  EXPECT_EQ(Win[2].SourceSpectrumIndex, 2);
  EXPECT_EQ(Win[2].ImportFormat, 12);
  EXPECT_EQ(Win[2].SpectrumHeader.PointCount, 4);
  EXPECT_EQ(Win[2].RegionEnd, 4);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(SlotData[2](i, 1), 19 + i) << i;
  EXPECT_EQ(G.SpectraReadCount, 4);
}

TEST_F(PlaceTest, CountsPerSecondDivideByScansTimesDwellTime) {
  G.CpsMode = 1;  // the fixture blocks have 10 scans of 0.2 s
  ImportFromMenu(FourSpectra(), {0});
  plat::driver::Finish();
  ASSERT_TRUE(Win[1].WindowOpen);
  EXPECT_EQ(SlotData[1](1, 1), 5);
  EXPECT_EQ(SlotData[1](3, 1), 6);
}

TEST_F(PlaceTest, WhenWindowsRunOutTheRestIsNotPlaced) {
  for (int w = 1; w <= 98; ++w) OpenInModel(w);
  plat::script::AnswerFile(FourSpectra());
  plat::script::SelectItems("lib21", -1, {0, 1, 2});
  plat::script::Click("cmdOk21");
  ExpectMessage();  // message 1, once
  plat::driver::ChooseMenu(1160);
  EXPECT_TRUE(Win[99].WindowOpen);
  EXPECT_TRUE(Win[100].WindowOpen);
  EXPECT_EQ(Win[100].SpectrumHeader.Name, "O1s");
  EXPECT_EQ(G.CommandId, 1);
  EndMessageScript();
}

TEST_F(PlaceTest, RevertReadsTheWindowsOwnFileAgainAfterAnotherImport) {
  ImportFromMenu(FourSpectra(), {1});  // O1s into window 1
  plat::driver::Finish();
  ASSERT_TRUE(Win[1].WindowOpen);
  for (int i = 1; i <= 4; ++i) SlotData[1](i, 1) = -1;  // processed
  // Another file of four spectra with other values is read meanwhile.
  FileSpec f;
  f.blocks.clear();
  for (const char* species : {"Fe", "Ni", "Co", "Cu"}) {
    BlockSpec b;
    b.species = species;
    b.transition = "2p";
    b.values = importtest::Ramp(4, 500);
    f.blocks.push_back(b);
  }
  ImportFromMenu(WriteVamas(importtest::MakeVamas(f), "other.vms"), {0});
  plat::driver::Finish();
  ASSERT_NE(G.SourceFilePath, Win[1].SourcePath);
  G.CurrentWindow = 1;
  plat::driver::ChooseMenu(1900);
  plat::driver::Finish();
  EXPECT_EQ(G.SourceFilePath, Win[1].SourcePath);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(SlotData[1](i, 1), 19 + i) << i;
  EXPECT_EQ(Win[1].SpectrumHeader.Name, "O1s");
}

TEST_F(PlaceTest, FileOfAnotherFormatKeepsEveryWindow) {
  ImportFromMenu(FourSpectra(), {0});
  plat::driver::Finish();
  const SpectrumHeaderRecord before = Win[1].SpectrumHeader;
  FileSpec f;
  f.firstLine = "Not a transfer file";
  plat::script::AnswerFile(WriteVamas(importtest::MakeVamas(f), "other.vms"));
  ExpectMessage();
  plat::driver::ChooseMenu(1160);
  EXPECT_EQ(G.CommandId, 3);
  EXPECT_EQ(G.SpectraReadCount, 4);  // the count of the file read before
  EXPECT_TRUE(Win[1].WindowOpen);
  EXPECT_FALSE(Win[2].WindowOpen);
  EXPECT_EQ(Win[1].SpectrumHeader, before);
  EXPECT_EQ(G.CurrentWindow, 1);
  EndMessageScript();
}

TEST_F(PlaceTest, CancelledDialogKeepsThePreviousFileOnOffer) {
  ImportFromMenu(FourSpectra(), {0});
  plat::driver::Finish();
  plat::script::CancelFile();
  plat::driver::ChooseMenu(1160);
  plat::driver::Finish();
  EXPECT_EQ(G.SpectraReadCount, 4);
  EXPECT_FALSE(Win[2].WindowOpen);
  // 1800 offers the spectra of the file read before.
  plat::script::SelectItems("lib21", -1, {2});
  plat::script::Click("cmdOk21");
  plat::driver::ChooseMenu(1800);
  plat::driver::Finish();
  EXPECT_TRUE(Win[2].WindowOpen);
  EXPECT_EQ(Win[2].SpectrumHeader.Name, "N1s");
}

TEST_F(PlaceTest, OtherExperimentModeShowsNoPage) {
  FileSpec f;
  f.mode = "MAPDP";
  plat::script::AnswerFile(WriteVamas(importtest::MakeVamas(f), "mapdp.vms"));
  plat::driver::ChooseMenu(1160);
  plat::driver::Finish();  // no page waited for a step
  EXPECT_FALSE(Win[1].WindowOpen);
}

struct SampleCase {
  const char* file;
  int windows;
  const char* firstName;
  int points;
  double start;
  double step;
};

TEST_F(PlaceTest, EverySampleFileOpensItsBlocksInWindows) {
  const SampleCase cases[] = {
      {"binding-axis-lf.vms", 6, "Block 1", 0, 0, 0},
      {"descending-kinetic-4-blocks.vms", 4, "Block 1", 0, 0, 0},
      {"five-regions.vms", 5, "wide", 0, 0, 0},
      {"map-7-blocks.vms", 7, "WideNone", 0, 0, 0},
      {"survey-regular.vms", 1, "Survey", 1351, 136.61, 1},
      {"survey-irregular.vms", 1, "Survey", 1351, 136.61, 1},
  };
  for (const SampleCase& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string native = testsupport::SamplesDir() + "/vamas/" + c.file;
    if (!plat::FileExists(plat::ProgramPath(native)))
      GTEST_SKIP() << "sample files not found below " << testsupport::SamplesDir();
    for (int w = 1; w <= kMaxWindows; ++w) Win[w].WindowOpen = false;
    ImportFromMenu(plat::ProgramPath(native));
    plat::driver::Finish();
    for (int w = 1; w <= c.windows; ++w) {
      const int h = HeaderIndexOfSpectrum(w);
      EXPECT_TRUE(Win[w].WindowOpen) << w;
      EXPECT_EQ(Win[w].SpectrumHeader.Name, ImportedHeader[h].Name) << w;
      EXPECT_EQ(Win[w].SpectrumHeader.PointCount, ImportedHeader[h].PointCount) << w;
      EXPECT_EQ(Win[w].SpectrumHeader.StartEnergy, ImportedHeader[h].StartEnergy) << w;
      EXPECT_EQ(Win[w].SpectrumHeader.EnergyStep, ImportedHeader[h].EnergyStep) << w;
      EXPECT_EQ(SlotData[w](1, 1), ImportedValues[w][1]) << w;
    }
    EXPECT_FALSE(Win[c.windows + 1].WindowOpen);
    EXPECT_EQ(Win[1].SpectrumHeader.Name, c.firstName);
    if (c.points > 0) {
      EXPECT_EQ(Win[1].SpectrumHeader.PointCount, c.points);
      EXPECT_NEAR(Win[1].SpectrumHeader.StartEnergy, c.start, 1e-9);
      EXPECT_NEAR(Win[1].SpectrumHeader.EnergyStep, c.step, 1e-9);
    }
  }
}

}  // namespace
