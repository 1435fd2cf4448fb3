// The SPX experiment reader: plain regions with their keyword items and
// groups, depth profiles collected for the block choice and read again
// region by region, the depth labels, and damaged files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/reader_support.h"
#include "import/spx.h"
#include "tests/import/spx_fixture.h"
#include "tests/import/vamas_fixture.h"

using namespace sorvan;
using importtest::SpxRegionSpec;

namespace {

class SpxReaderTest : public importtest::ImportTest {
 protected:
  void SetUp() override {
    importtest::ImportTest::SetUp();
    G.DefaultExcitationEnergy = 1000;  // told apart from both anodes
  }
  void ImportText(const std::string& text) {
    G.SourceFilePath = WriteVamas(text, "test.exp");
    Win[0].ImportFormat = 25;  // read the named file without a dialog
    G.SpectraReadCount = 0;
    ImportSpxExperiment(0);
  }
  // Chooses depth regions (1-based) and reads them again.
  void Reread(const std::vector<int>& chosen) {
    for (int r = 1; r <= 9; ++r) G.ChosenDepthBlocks[r] = 0;
    for (int r : chosen) G.ChosenDepthBlocks[r] = static_cast<Int16>(r);
    G.BlockCount = G.SpxRegionCount;
    RereadSpxDepthProfile(0);
  }
  static std::vector<double> Values(int k) {
    std::vector<double> v;
    for (long long i = 1; i <= ImportedValues[k].Upper(); ++i) v.push_back(ImportedValues[k][i]);
    return v;
  }
};

TEST_F(SpxReaderTest, PlainRegionsTakeTheirItemsAndGroupLetters) {
  SpxRegionSpec c1s;
  SpxRegionSpec o1s;
  o1s.name = "O1s";
  o1s.energies = "950.5  960.5 0.25";
  o1s.scans = "3";
  o1s.dwell = "0.2";
  o1s.anode = "xrs_anode =  Mg;";
  o1s.mode = "ea_mode =  esca_c_rr;";
  o1s.pass = "20";
  o1s.date = "2006-03-13";
  o1s.values = {"7", "8"};
  SpxRegionSpec n1s;
  n1s.name = "N1s";
  n1s.newGroup = true;
  ImportedHeader[2].ShortName = "earlier";
  ImportText(importtest::MakeSpx({c1s, o1s, n1s}));
  ASSERT_EQ(G.SpectraReadCount, 3);
  EXPECT_EQ(G.ImportMode, "NORM");
  EXPECT_EQ(ImportedHeader[1].Name, "C1s_A");
  EXPECT_EQ(ImportedHeader[2].Name, "O1s_A");
  EXPECT_EQ(ImportedHeader[3].Name, "N1s_B");  // after "newgroup"

  const SpectrumHeaderRecord& h = ImportedHeader[2];
  EXPECT_EQ(h.Comment, " = sample 1 = ab");
  EXPECT_DOUBLE_EQ(h.StartEnergy, 950.5);
  EXPECT_DOUBLE_EQ(h.EndEnergy, 960.5);
  EXPECT_DOUBLE_EQ(h.EnergyStep, 0.25);
  EXPECT_DOUBLE_EQ(h.ScanCount, 3);
  EXPECT_DOUBLE_EQ(h.DwellTime, 0.2);
  EXPECT_DOUBLE_EQ(h.ExcitationEnergy, 1253.6);
  EXPECT_EQ(h.Technique, "CRR");
  EXPECT_DOUBLE_EQ(h.PassEnergy, 20);
  EXPECT_EQ(h.SourceInfo, "source = Al mono");
  EXPECT_EQ(h.Date, "2006-03-13");
  EXPECT_EQ(h.PointCount, 2);
  EXPECT_EQ(h.ShortName, "");
  EXPECT_EQ(ImportedHeader[1].Technique, "CAE");
  EXPECT_DOUBLE_EQ(ImportedHeader[1].ExcitationEnergy, 1486.6);
  EXPECT_EQ(Values(1), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(Values(2), (std::vector<double>{7, 8}));
  EXPECT_FALSE(plat::IsOpen(1));
}

struct AnodeCase {
  const char* anode;
  int at;  // field after the dwell time
  double energy;
};

TEST_F(SpxReaderTest, AnodeTextMustMatchExactly) {
  const AnodeCase cases[] = {
      {"xrs_anode =  Mg;", 6, 1253.6},
      {"xrs_anode =  Al;", 6, 1486.6},
      {"xrs_anode =  Al;", 2, 1486.6},   // found before the sixth field
      {"xrs_anode =   Mg;", 6, 1000},    // one blank more: the default energy
      {"xrs_anode = Mg;", 6, 1000},
      {"xrs_anode =  Ag;", 6, 1000},
  };
  for (const AnodeCase& c : cases) {
    SCOPED_TRACE(std::string(c.anode) + " at " + std::to_string(c.at));
    SpxRegionSpec r;
    r.anode = c.anode;
    r.anodeAt = c.at;
    ImportedHeader[1].ExcitationEnergy = 7;  // an earlier file's value
    ImportText(importtest::MakeSpx({r}));
    ASSERT_EQ(G.SpectraReadCount, 1);
    EXPECT_DOUBLE_EQ(ImportedHeader[1].ExcitationEnergy, c.energy);
    EXPECT_EQ(ImportedHeader[1].Technique, "CAE");  // the items after it stay in step
    EXPECT_DOUBLE_EQ(ImportedHeader[1].PassEnergy, 50);
  }
}

TEST_F(SpxReaderTest, DepthLabelsAreTheSummedDepths) {
  struct LabelCase {
    const char* what;
    std::string line;
    int levels;
    std::vector<std::string> labels;  // levels 1..n
  };
  const LabelCase cases[] = {
      {"all keys", " 1: 30 2: 30 3: 30 4: 60 5: 60", 5, {" 30", " 60", " 90", " 150", " 210"}},
      {"level 3 missing repeats level 2", " 1: 10 2: 20 4: 5", 4, {" 10", " 30", " 50", " 55"}},
      {"level 1 missing", " 2: 20", 2, {"", " 20"}},
      {"levels from 10 on", " 9: 1 10: 2 11: 4", 11,
       {"", " 0", " 0", " 0", " 0", " 0", " 0", " 0", " 1", " 3", " 7"}},
      {"decimals", " 1: 1.5 2: 2.25", 2, {" 1.5", " 3.75"}},
  };
  for (const LabelCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<std::string> labels = SpxDepthLabels(c.line, c.levels);
    ASSERT_EQ(labels.size(), c.labels.size() + 1);
    for (int l = 1; l <= c.levels; ++l) EXPECT_EQ(labels[l], c.labels[l - 1]) << l;
  }
}

TEST_F(SpxReaderTest, DepthProfileIsCollectedAndChosenRegionsReadAgain) {
  const std::string depths = " 1: 30 2: 30 3: 30 4: 60 5: 60";
  SpxRegionSpec si = importtest::DepthRegion("Si2p", 5, 1, depths);
  SpxRegionSpec o = importtest::DepthRegion("O1s", 5, 2, depths);
  o.anode = "xrs_anode =  Mg;";
  o.newGroup = true;
  SpxRegionSpec c = importtest::DepthRegion("C1s", 5, 3, depths);
  ImportText(importtest::MakeSpx({si, o, c}, "#SPX experiment", "quantification"));
  EXPECT_EQ(G.ImportMode, "SDP_SPE");
  EXPECT_EQ(G.SpxRegionCount, 3);
  EXPECT_EQ(G.BlockCount, 3);
  EXPECT_EQ(G.DepthLevelCount, 5);
  EXPECT_EQ(G.SpectraReadCount, 5);
  EXPECT_EQ(G.BlockNames[1], "Si2p");
  EXPECT_EQ(G.BlockNames[2], "O1s");
  EXPECT_EQ(G.BlockNames[3], "C1s");
  for (int k = 1; k <= 3; ++k) EXPECT_TRUE(ImportedValues[k].empty()) << k;

  Reread({1, 2});
  EXPECT_EQ(G.SdpBlockCount, 10);
  EXPECT_EQ(G.SpectraReadCount, 5);
  const char* labels[] = {" 30", " 60", " 90", " 150", " 210"};
  for (int level = 1; level <= 5; ++level) {
    SCOPED_TRACE(level);
    EXPECT_EQ(ImportedHeader[level].Name, std::string("Si2p_") + labels[level - 1]);
    EXPECT_EQ(Values(level), (std::vector<double>{100.0 * level + 1, 100.0 * level + 2}));
    const int k = level + 5;  // region 2 follows region 1
    EXPECT_EQ(ImportedHeader[HeaderIndexOfSpectrum(k)].Name, std::string("O1s_") + labels[level - 1]);
    EXPECT_EQ(Values(k), (std::vector<double>{100.0 * level + 2, 100.0 * level + 3}));
    EXPECT_DOUBLE_EQ(ImportedHeader[HeaderIndexOfSpectrum(k)].ExcitationEnergy, 1253.6);
  }
  EXPECT_EQ(ImportedHeader[1].Comment, " = sample 1 = ab");
  EXPECT_EQ(ImportedHeader[1].Date, "2006-03-12");
  EXPECT_EQ(ImportedHeader[1].Technique, "CAE");
  EXPECT_DOUBLE_EQ(ImportedHeader[1].ExcitationEnergy, 1486.6);
  EXPECT_DOUBLE_EQ(ImportedHeader[1].StartEnergy, 280);
  EXPECT_EQ(ImportedHeader[1].PointCount, 2);
  EXPECT_EQ(ImportedHeader[21].Name, "");  // nothing beyond the ten spectra

  Reread({3});
  EXPECT_EQ(G.SdpBlockCount, 5);
  EXPECT_EQ(ImportedHeader[1].Name, "C1s_ 30");
  EXPECT_EQ(Values(5), (std::vector<double>{503, 504}));
  EXPECT_TRUE(ImportedValues[6].empty());
}

TEST_F(SpxReaderTest, PlainRegionBetweenDepthRegionsIsPassedOver) {
  SpxRegionSpec plain;
  plain.name = "Survey";
  ImportText(importtest::MakeSpx({importtest::DepthRegion("Si2p", 2, 1, " 1: 5 2: 5"), plain,
                                  importtest::DepthRegion("O1s", 2, 2, " 1: 5 2: 5")}));
  EXPECT_EQ(G.ImportMode, "SDP_SPE");
  EXPECT_EQ(G.SpxRegionCount, 2);
  EXPECT_EQ(G.BlockNames[2], "O1s");
  Reread({2});
  EXPECT_EQ(G.SdpBlockCount, 2);
  EXPECT_EQ(ImportedHeader[1].Name, "O1s_ 5");
  EXPECT_EQ(Values(2), (std::vector<double>{202, 203}));
}

TEST_F(SpxReaderTest, MoreThanNineDepthRegionsOfferTheFirstNine) {
  std::vector<SpxRegionSpec> regions;
  for (int r = 1; r <= 11; ++r)
    regions.push_back(importtest::DepthRegion("R" + std::to_string(r), 2, r, " 1: 1 2: 1"));
  ExpectMessage();
  ImportText(importtest::MakeSpx(regions));
  EXPECT_EQ(G.CommandId, 3);
  EXPECT_EQ(G.SpxRegionCount, 9);
  EXPECT_EQ(G.BlockNames[9], "R9");
  EndMessageScript();
  Reread({9});
  EXPECT_EQ(G.SdpBlockCount, 2);
  EXPECT_EQ(ImportedHeader[1].Name, "R9_ 1");
}

TEST_F(SpxReaderTest, StoreLimitEndsTheRereadAtAHundredSpectra) {
  std::vector<SpxRegionSpec> regions;
  for (int r = 1; r <= 3; ++r)
    regions.push_back(importtest::DepthRegion("R" + std::to_string(r), 40, r, " 1: 1"));
  ImportText(importtest::MakeSpx(regions));
  ASSERT_EQ(G.SpxRegionCount, 3);
  ExpectMessage();
  G.CommandId = 0;
  Reread({1, 2, 3});
  EXPECT_EQ(G.SdpBlockCount, 100);
  EXPECT_EQ(G.CommandId, 3);
  EXPECT_EQ(Values(100), (std::vector<double>{2003, 2004}));  // level 20 of region 3
  EndMessageScript();
}

struct BadCase {
  const char* what;
  std::string text;
  int kept;
};

TEST_F(SpxReaderTest, DamagedPlainFilesKeepOnlyCompleteRegions) {
  SpxRegionSpec good;
  SpxRegionSpec noCount = good;
  noCount.points = "many";
  SpxRegionSpec tooMany = good;
  tooMany.points = "40000";
  SpxRegionSpec textValue = good;
  textValue.values = {"1", "two", "3"};
  const std::string two = importtest::MakeSpx({good, good});
  std::string noOriginal = two;
  noOriginal.replace(noOriginal.rfind("original=3"), 10, "quantification");
  const BadCase cases[] = {
      {"wrong signature", importtest::MakeSpx({good}, "#SPY experiment"), 0},
      {"empty file", "", 0},
      {"no region at all", "#SPX\r\n# name = x;\r\n", 0},
      {"cut in the second region's items", two.substr(0, two.rfind("flood")), 1},
      {"cut in the second region's values", two.substr(0, two.rfind("3\r\nendoriginal")), 1},
      {"point count not a number", importtest::MakeSpx({good, noCount}), 1},
      {"point count above 32767", importtest::MakeSpx({good, tooMany}), 1},
      {"a value that is no number", importtest::MakeSpx({good, textValue}), 1},
      {"quantification instead of the values", noOriginal, 1},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectMessage();
    G.CommandId = 0;
    ImportText(c.text);
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_EQ(G.SpectraReadCount, c.kept);
    for (int k = c.kept + 1; k <= 3; ++k) EXPECT_TRUE(ImportedValues[k].empty()) << k;
    EXPECT_FALSE(plat::IsOpen(1));
    EndMessageScript();
  }
}

TEST_F(SpxReaderTest, FileEndingAfterNewgroupOrAtQuantificationCountsNoExtraRegion) {
  SpxRegionSpec good;
  const BadCase cases[] = {
      {"newgroup at the end", importtest::MakeSpx({good}, "#SPX", "newgroup"), 1},
      {"quantification after the values", importtest::MakeSpx({good, good}, "#SPX", "quantification"), 2},
      {"no blank line at the end", [&] {
         std::string t = importtest::MakeSpx({good});
         return t.substr(0, t.size() - 2);
       }(), 1},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.what);
    G.CommandId = 0;
    ImportText(c.text);
    EXPECT_EQ(G.CommandId, 0);
    EXPECT_EQ(G.SpectraReadCount, c.kept);
  }
}

TEST_F(SpxReaderTest, RereadOfACutDepthProfileKeepsTheCompleteLevels) {
  const std::string full = importtest::MakeSpx(
      {importtest::DepthRegion("Si2p", 3, 1, " 1: 5"), importtest::DepthRegion("O1s", 3, 2, " 1: 5")});
  ImportText(full);
  ASSERT_EQ(G.SpxRegionCount, 2);
  // The file is cut inside level 3 of region 2 before it is read again.
  const std::string cut = full.substr(0, full.rfind("302"));
  testsupport::WriteFile(plat::NativePath(G.SourceFilePath), cut);
  G.FileDialogResult = G.SourceFilePath;
  ExpectMessage();
  G.CommandId = 0;
  Reread({2});
  EXPECT_EQ(G.CommandId, 3);
  EXPECT_EQ(G.SdpBlockCount, 2);
  EXPECT_EQ(Values(2), (std::vector<double>{202, 203}));
  EXPECT_TRUE(ImportedValues[3].empty());
  EndMessageScript();
}

}  // namespace
