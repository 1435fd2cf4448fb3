// A VAMAS depth profile (experiment mode SDP) imported from the menu: its
// regions listed on the block page, the chosen region's depth levels placed,
// and a window's region read again from the file after another import.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/store.h"
#include "platform/driver.h"
#include "support/program_folder.h"
#include "tests/import/started_program_fixture.h"
#include "tests/shell/shell_fixture.h"

using namespace sorvan;

namespace {

// An SDP file of `regions` regions with `levels` depth levels each, written
// region by region; level c of region r is at depth 10 c and holds the values
// 100 r + c and 100 r + c + 1.
std::string MakeDepthProfile(const std::vector<std::string>& species, int levels) {
  const int regions = static_cast<int>(species.size());
  std::vector<std::string> L = {"VAMAS Surface Chemical Analysis Standard Data Transfer Format 1988 May 4",
                                "institution", "model", "operator", "experiment", "0", "SDP",
                                "REGULAR", std::to_string(regions), "1", "depth", "nm", "0", "0",
                                "0", "0", std::to_string(regions * levels)};
  for (int r = 1; r <= regions; ++r) {
    for (int c = 1; c <= levels; ++c) {
      for (const char* s : {"block", "S1", "2006", "3", "12", "10", "11", "12", "0", "0", "XPS"})
        L.push_back(s);
      L.push_back(std::to_string(10 * c));  // the depth
      L.push_back("Al");
      for (const char* s : {"Ar+", "3000", "1"}) L.push_back(s);  // sputtering ion
      for (const char* s : {"1486.6", "300", "1E37", "1E37", "1E37", "1E37", "FAT", "20", "1",
                            "4.5", "0", "1E37", "1E37", "1E37", "1E37"})
        L.push_back(s);
      L.push_back(species[static_cast<std::size_t>(r - 1)]);
      L.push_back(species[static_cast<std::size_t>(r - 1)]);
      L.push_back("-1");
      for (const char* s : {"Kinetic Energy", "eV", "500", "0.5", "1", "Intensity", "d",
                            "pulse counting", "0.2", "10", "0"})
        L.push_back(s);
      for (int j = 0; j < 7; ++j) L.push_back("1");  // sputtering source
      for (const char* s : {"1E37", "1E37", "1E37", "0", "2", "0", "1000"}) L.push_back(s);
      L.push_back(std::to_string(100 * r + c));
      L.push_back(std::to_string(100 * r + c + 1));
    }
  }
  L.push_back("end of experiment");
  std::string text;
  for (const std::string& l : L) text += l + "\r\n";
  return text;
}

class VamasDepthProfileTest : public importtest::StartedProgramTest {
 protected:
  void SetUp() override {
    StartedProgramTest::SetUp();
    G.CpsMode = 0;
  }
  static std::vector<double> Column(int w) {
    std::vector<double> v;
    for (int i = 1; i <= Win[w].SpectrumHeader.PointCount; ++i) v.push_back(SlotData[w](i, 1));
    return v;
  }
};

TEST_F(VamasDepthProfileTest, ChosenRegionIsPlacedAndReadAgainForItsWindow) {
  plat::script::AnswerFile(WriteVamas(MakeDepthProfile({"C1s", "O1s", "Si2p"}, 2), "profile.vms"));
  plat::script::SelectItems("lib311", -1, {2});  // Si2p
  plat::script::Click("cmdOk311");
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(1160);
  plat::driver::Finish();
  ASSERT_TRUE(Win[2].WindowOpen);
  EXPECT_FALSE(Win[3].WindowOpen);
  EXPECT_EQ(Win[1].SpectrumHeader.Name, "Si2p_10");
  EXPECT_EQ(Win[2].SpectrumHeader.Name, "Si2p_20");
  EXPECT_EQ(Win[2].SourceBlockList, " 0 0 3");
  EXPECT_EQ(Column(2), (std::vector<double>{302, 303}));

  // Another file is read; reverting window 2 reads region 3 of the profile
  // again, not whatever the store holds.
  importtest::FileSpec other;
  other.blocks[0].values = {7, 8};
  plat::script::AnswerFile(WriteVamas(importtest::MakeVamas(other), "other.vms"));
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(1160);
  plat::driver::Finish();
  ASSERT_NE(G.SourceFilePath, Win[2].SourcePath);
  SlotData[2](1, 1) = -1;
  G.CurrentWindow = 2;
  plat::driver::ChooseMenu(1900);
  plat::driver::Finish();
  EXPECT_EQ(G.ImportMode, "SDP_VAM");
  EXPECT_EQ(G.SdpBlockCount, 2);
  EXPECT_EQ(Column(2), (std::vector<double>{302, 303}));
}

}  // namespace
