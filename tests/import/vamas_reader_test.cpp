// The VAMAS reader on small files: energy axis and value order, the header
// fields it fills, the optional lists of the format, and files it must refuse.
#include <gtest/gtest.h>

#include "import/reader_support.h"
#include "import/vamas.h"
#include "tests/import/vamas_fixture.h"

using namespace sorvan;
using importtest::BlockSpec;
using importtest::FileSpec;

namespace {

class VamasReaderTest : public importtest::ImportTest {
 protected:
  // Reads the file without a dialog, as a new import of a known path.
  void Import(const std::string& text) {
    G.FileDialogResult = WriteVamas(text);
    Win[0].ImportFormat = 12;
    G.SpectraReadCount = 0;
    ImportVamas(0, 0);
  }
  static double Value(int k, int i) { return ImportedValues[k][i]; }
};

struct AxisCase {
  const char* what;
  const char* label;
  double start, increment;
  int points;
  double startEnergy, endEnergy, step;
  bool reversed;
};

TEST_F(VamasReaderTest, AbscissaGivesRisingKineticEnergies) {
  const AxisCase cases[] = {
      {"kinetic rising", "Kinetic Energy", 1000, 0.1, 201, 1000, 1020, 0.1, false},
      {"kinetic falling", "Kinetic Energy", 1000, -0.1, 201, 980, 1000, 0.1, true},
      {"binding rising", "Binding Energy", 0, 1, 101, 1386.6, 1486.6, 1, true},
      {"binding falling", "Binding Energy", 100, -1, 101, 1386.6, 1486.6, 1, false},
      {"binding lower case", "binding energy", 100, -1, 101, 1386.6, 1486.6, 1, false},
      {"zero increment", "Kinetic Energy", 500, 0, 5, 500, 500, 0, false},
  };
  for (const AxisCase& c : cases) {
    SCOPED_TRACE(c.what);
    FileSpec f;
    f.blocks[0].abscissaLabel = c.label;
    f.blocks[0].start = c.start;
    f.blocks[0].increment = c.increment;
    f.blocks[0].values = importtest::Ramp(c.points);
    Import(importtest::MakeVamas(f));
    ASSERT_EQ(G.SpectraReadCount, 1);
    const SpectrumHeaderRecord& h = ImportedHeader[1];
    EXPECT_EQ(h.PointCount, c.points);
    EXPECT_NEAR(h.StartEnergy, c.startEnergy, 1e-9);
    EXPECT_NEAR(h.EndEnergy, c.endEnergy, 1e-9);
    EXPECT_NEAR(h.EnergyStep, c.step, 1e-12);
    ASSERT_EQ(ImportedValues[1].Upper(), c.points);
    // The file's first value is point 1, or point n when the kinetic
    // energy falls along the file.
    EXPECT_EQ(Value(1, 1), c.reversed ? c.points : 1);
    EXPECT_EQ(Value(1, c.points), c.reversed ? 1 : c.points);
    EXPECT_EQ(Value(1, 0), 0);
  }
}

TEST_F(VamasReaderTest, SecondCorrespondingVariableIsSkipped) {
  FileSpec f;
  f.blocks[0].variables = 2;
  f.blocks[0].values = importtest::Ramp(50, 100);  // 100 ordinate values in the file
  Import(importtest::MakeVamas(f));
  ASSERT_EQ(G.SpectraReadCount, 1);
  EXPECT_EQ(ImportedHeader[1].PointCount, 50);
  for (int i = 1; i <= 50; ++i) ASSERT_EQ(Value(1, i), 99 + i) << i;
  EXPECT_EQ(VamasVariableCount, 0);
}

struct NameCase {
  const char* species;
  const char* transition;
  const char* id;
  const char* name;
};

TEST_F(VamasReaderTest, NameDateAndComment) {
  const NameCase cases[] = {
      {"C", "1s", "id", "C1s"},
      {"C1s", "C1s", "id", "C1s"},
      {"Ni", "2p", "id", "Ni2p"},
      {"", "", "Wide/2", "Wide/2"},  // an instrument that leaves both labels empty
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.name);
    FileSpec f;
    f.comments = {"ab", "c"};
    f.blocks[0].species = c.species;
    f.blocks[0].transition = c.transition;
    f.blocks[0].id = c.id;
    ImportedHeader[1].ShortName = "earlier file";
    Import(importtest::MakeVamas(f));
    ASSERT_EQ(G.SpectraReadCount, 1);
    const SpectrumHeaderRecord& h = ImportedHeader[1];
    EXPECT_EQ(h.Name, c.name);
    EXPECT_EQ(h.Date, "4-5-1988");
    EXPECT_EQ(h.Comment, "abcS1");
    EXPECT_EQ(h.ShortName, "");  // nothing of an earlier file stays
    EXPECT_EQ(h.Technique, "FAT");
    EXPECT_EQ(h.PassEnergy, 20);
    EXPECT_EQ(h.ExcitationEnergy, 1486.6);
    EXPECT_EQ(h.DwellTime, 0.2);
    EXPECT_EQ(h.ScanCount, 10);
    EXPECT_EQ(h.SourceInfo, " ");
    EXPECT_EQ(G.ImportMode, "NORM");
  }
}

TEST_F(VamasReaderTest, OptionalListsAreHonoured) {
  struct Variant {
    const char* what;
    void (*apply)(FileSpec&);
  };
  const Variant variants[] = {
      {"plain", [](FileSpec&) {}},
      {"header comments", [](FileSpec& f) { f.comments = {"one", "two", "three"}; }},
      {"experimental variables", [](FileSpec& f) { f.experimentalVariables = 2; }},
      {"manual items", [](FileSpec& f) { f.manualItems = 2; }},
      {"future upgrade entries",
       [](FileSpec& f) {
         f.futureExperimentEntries = 2;
         f.futureBlockEntries = 3;
       }},
      {"inclusion list of every item",
       [](FileSpec& f) {
         for (int i = 1; i <= 43; ++i) f.inclusionList.push_back(i);
       }},
      {"block comments", [](FileSpec& f) { f.blocks[0].comments = {"x", "y"}; }},
      {"additional parameters", [](FileSpec& f) { f.blocks[0].additionalParameters = 2; }},
      {"everything at once",
       [](FileSpec& f) {
         f.comments = {"one"};
         f.experimentalVariables = 1;
         f.manualItems = 1;
         f.futureExperimentEntries = 1;
         f.futureBlockEntries = 1;
         f.blocks[0].comments = {"x"};
         f.blocks[0].additionalParameters = 3;
         f.blocks[0].variables = 3;
       }},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.what);
    FileSpec f;
    BlockSpec second;
    second.species = "O";
    second.values = importtest::Ramp(7, 50);
    f.blocks.push_back(second);
    v.apply(f);
    f.blocks[1].comments = f.blocks[0].comments;
    f.blocks[1].additionalParameters = f.blocks[0].additionalParameters;
    f.blocks[1].variables = f.blocks[0].variables;
    Import(importtest::MakeVamas(f));
    ASSERT_EQ(G.SpectraReadCount, 2);
    EXPECT_EQ(ImportedHeader[1].Name, "C1s");
    EXPECT_EQ(ImportedHeader[2].Name, "O1s");
    EXPECT_EQ(ImportedHeader[2].PointCount, 7);
    EXPECT_EQ(Value(2, 1), 50);
    EXPECT_EQ(Value(2, 7), 56);
    EXPECT_EQ(ImportedHeader[2].ExcitationEnergy, 1486.6);
  }
}

TEST_F(VamasReaderTest, SpectraAboveTenUseHeaderIndicesFrom21) {
  FileSpec f;
  f.blocks.clear();
  for (int k = 1; k <= 12; ++k) {
    BlockSpec b;
    b.species = "S" + std::to_string(k);
    b.transition = "";
    b.values = {double(k)};
    f.blocks.push_back(b);
  }
  ImportedHeader[15].Name = "untouched";
  Import(importtest::MakeVamas(f));
  ASSERT_EQ(G.SpectraReadCount, 12);
  EXPECT_EQ(ImportedHeader[10].Name, "S10");
  EXPECT_EQ(ImportedHeader[21].Name, "S11");
  EXPECT_EQ(ImportedHeader[22].Name, "S12");
  EXPECT_EQ(ImportedHeader[15].Name, "untouched");
  EXPECT_EQ(ImportedValues[12][1], 12);
}

struct BadFile {
  const char* what;
  std::string text;
  int spectraKept;  // complete blocks before the fault
};

TEST_F(VamasReaderTest, DamagedFilesAreReportedAndNothingBrokenIsKept) {
  FileSpec two;
  two.blocks.push_back(BlockSpec{});
  two.blocks[1].values = importtest::Ramp(5);
  const std::string good = importtest::MakeVamas(two);
  auto cut = [&](const std::string& marker, int occurrence) {
    std::size_t at = 0;
    for (int i = 0; i < occurrence; ++i) at = good.find(marker, at + 1);
    return good.substr(0, at);
  };
  FileSpec notANumber;
  notANumber.blocks[0].ordinateCount = "many";
  FileSpec tooManyPoints;
  tooManyPoints.blocks[0].ordinateCount = "40000";
  FileSpec wrongMultiple;
  wrongMultiple.blocks[0].variables = 2;
  wrongMultiple.blocks[0].ordinateCount = "7";
  FileSpec moreBlocksAnnounced;
  moreBlocksAnnounced.blockCount = "3";
  FileSpec countNotANumber;
  countNotANumber.blockCount = "two";
  const BadFile cases[] = {
      {"cut in the header", good.substr(0, 200), 0},
      {"cut inside the first block", cut("FAT", 1), 0},
      {"cut inside the second block's values", good.substr(0, good.size() - 40), 1},
      {"ordinate count not a number", importtest::MakeVamas(notANumber), 0},
      {"point count above 32767", importtest::MakeVamas(tooManyPoints), 0},
      {"ordinate count not a multiple of the variables", importtest::MakeVamas(wrongMultiple), 0},
      {"more blocks announced than written", importtest::MakeVamas(moreBlocksAnnounced), 1},
      {"block count not a number", importtest::MakeVamas(countNotANumber), 0},
  };
  for (const BadFile& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectMessage();
    G.CommandId = 0;
    Import(c.text);
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_EQ(G.SpectraReadCount, c.spectraKept);
    for (int k = c.spectraKept + 1; k <= 3; ++k) EXPECT_TRUE(ImportedValues[k].empty()) << k;
    EndMessageScript();
  }
}

TEST_F(VamasReaderTest, FileWithoutSignatureIsRefused) {
  FileSpec f;
  f.firstLine = "VAMA5 something else";
  ImportedValues[1].Resize(3);
  ExpectMessage();
  Import(importtest::MakeVamas(f));
  EXPECT_EQ(G.CommandId, 3);
  EXPECT_EQ(G.SpectraReadCount, 0);
  EXPECT_TRUE(ImportedValues[1].empty());
  EXPECT_FALSE(plat::IsOpen(1));
  EndMessageScript();
}

TEST_F(VamasReaderTest, BlankLinesBeforeTheFormatLineAreAccepted) {
  Import("\r\n\r\n" + importtest::MakeVamas(FileSpec{}));
  EXPECT_EQ(G.SpectraReadCount, 1);
}

TEST_F(VamasReaderTest, StoreHoldsTheFirstHundredBlocks) {
  FileSpec f;
  f.blocks.assign(101, BlockSpec{});
  f.blocks[99].species = "last kept";
  ExpectMessage();
  Import(importtest::MakeVamas(f));
  EXPECT_EQ(G.SpectraReadCount, 100);
  EXPECT_EQ(ImportedHeader[110].Name, "last kept1s");
  EXPECT_EQ(G.CommandId, 3);  // the user learns that not all blocks were taken
  EndMessageScript();
}

TEST_F(VamasReaderTest, OtherExperimentModesReadNothing) {
  FileSpec f;
  f.mode = "MAPDP";
  Import(importtest::MakeVamas(f));
  EXPECT_EQ(G.SpectraReadCount, 0);
  EXPECT_EQ(G.ImportMode, "MAPDP");
}

TEST_F(VamasReaderTest, ParserKeepsCompleteBlocksBeforeAFault) {
  FileSpec f;
  f.blocks.push_back(BlockSpec{});
  f.blocks[1].ordinateCount = "x";
  const VamasFile file = ParseVamas(importtest::MakeVamas(f));
  EXPECT_EQ(file.Status, VamasStatus::Malformed);
  EXPECT_NE(file.Problem.find("ordinate"), std::string::npos) << file.Problem;
  ASSERT_EQ(file.Blocks.size(), 1u);
  EXPECT_EQ(file.Blocks[0].Values, (std::vector<double>{1, 2, 3}));
}

// A file whose later blocks carry only the items of the inclusion list (the
// block identifier and the species) and take the rest from the first block.
std::string FileOfAbbreviatedBlocks(int blocks) {
  FileSpec f;
  f.inclusionList = {1, 31};
  f.experimentalVariables = 3;
  f.blockCount = std::to_string(blocks);
  f.blocks[0].values = {1, 2, 3};
  std::string text = importtest::MakeVamas(f);
  text.resize(text.size() - std::string("end of experiment\r\n").size());
  for (int k = 1; k < blocks; ++k)
    for (const std::string& line : {"b" + std::to_string(k), "S" + std::to_string(k), std::string("3"),
                                    std::string("0"), std::string("100000"), std::to_string(k),
                                    std::to_string(k + 1), std::to_string(k + 2)})
      text += line + "\r\n";
  return text + "end of experiment\r\n";
}

TEST_F(VamasReaderTest, EveryBlockIsReadButOnlyTheStoredOnesAreKept) {
  const VamasFile file = ParseVamas(FileOfAbbreviatedBlocks(1000));
  EXPECT_EQ(file.Status, VamasStatus::Ok) << file.Problem;
  EXPECT_EQ(file.BlocksRead, 1000);
  ASSERT_EQ(file.Blocks.size(), 100u);
  const VamasBlock& last = file.Blocks.back();
  EXPECT_EQ(last.Index, 99);
  EXPECT_EQ(file.Block(99), &last);
  EXPECT_EQ(file.Block(100), nullptr);
  EXPECT_EQ(last.BlockId, "b99");
  EXPECT_EQ(last.Species, "S99");
  // What the block leaves out is the first block's.
  EXPECT_EQ(last.Transition, "1s");
  EXPECT_EQ(last.Sample, "S1");
  EXPECT_EQ(last.FirstExperimentalValue, "10");
  EXPECT_DOUBLE_EQ(last.AbscissaStart, 1000);
  EXPECT_DOUBLE_EQ(last.ExcitationEnergy, 1486.6);
  EXPECT_EQ(last.Values, (std::vector<double>{99, 100, 101}));

  // The import stores the first 100 and says that the file was not taken
  // whole.
  ExpectMessage();
  Import(FileOfAbbreviatedBlocks(1000));
  EndMessageScript();
  EXPECT_EQ(G.SpectraReadCount, 100);
  EXPECT_EQ(ImportedHeader[HeaderIndexOfSpectrum(100)].Name, "S991s");
  EXPECT_EQ(ImportedValues[100][3], 101);
}

}  // namespace
