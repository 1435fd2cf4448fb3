// The reader of INF header files with their companion value files: the
// header items it searches for, the region fields, the scan count, and the
// files it must refuse or cut short.
#include <gtest/gtest.h>

#include "import/inf.h"
#include "import/reader_support.h"
#include "processing/revert.h"
#include "tests/import/text_reader_fixture.h"

using namespace sorvan;
using importtest::Pad;

namespace {

struct InfRegion {
  std::string code = "C1";
  std::string binding = "300";
  std::string step = "0.1";
  int points = 201;
  std::string dwellMs = "50";
  std::string minutes = "10";
  int items = 38;  // the "Time" item is the last
  double firstValue = 100;
};

struct InfSpec {
  int leadItems = 0;  // items before "IDENTIFICATION:"
  std::string technique = "FAT";
  std::string hv = "1486.6";
  std::vector<InfRegion> regions = {InfRegion{}};
  std::string regionCount;  // "" = the number of regions
  bool endBeforeTime = false;  // the last region lacks its "Time" item
  std::size_t keepLines = 0;   // > 0: the header file ends after these lines
};

std::vector<std::string> HeaderLines(const InfSpec& f) {
  std::vector<std::string> L;
  for (int i = 0; i < f.leadItems; ++i) L.push_back("preamble " + std::to_string(i));
  L.push_back("IDENTIFICATION: acquisition file");
  for (int i = 0; i < 4; ++i) L.push_back("header line " + std::to_string(i));
  L.push_back(Pad("Acquired", 31) + "10.05.2026 12:34:56");
  L.push_back(Pad("Sample Ag foil", 40) + "x");
  L.push_back("unrelated item");
  L.push_back(Pad(f.technique + " 23.5", 32) + "Analyser mode");
  L.push_back(Pad("Mag 4", 32) + "Input lens mode");
  L.push_back("Area 2     extra");
  L.push_back(Pad(f.hv, 32) + "ESCA source");
  const std::string count =
      f.regionCount.empty() ? std::to_string(f.regions.size()) : f.regionCount;
  L.push_back(Pad(count, 32) + "Number of acquisition regions");
  for (const InfRegion& r : f.regions) L.push_back(r.minutes);
  L.push_back("REGION INFORMATION:");
  L.push_back("columns");
  L.push_back("units");
  for (std::size_t k = 0; k < f.regions.size(); ++k) {
    const InfRegion& r = f.regions[k];
    for (int j = 1; j <= r.items; ++j) {
      std::string item = "item " + std::to_string(j);
      if (j == 3) item = Pad(r.code, 4) + " region";
      if (j == 6) item = Pad(r.binding, 8) + "binding";
      if (j == 10) item = Pad(r.step, 7) + "step";
      if (j == 11) item = Pad(std::to_string(r.points), 6) + "points";
      if (j == 30 || j == 31 || j == 37 || j == 38) item = std::to_string(j) + ".5";
      if (j == r.items) {
        if (f.endBeforeTime && k + 1 == f.regions.size()) break;
        item = Pad(r.dwellMs, 32) + "Time per step";
      }
      L.push_back(item);
    }
  }
  if (f.keepLines > 0 && f.keepLines < L.size()) L.resize(f.keepLines);
  return L;
}

std::vector<std::string> ValueLines(const InfSpec& f, int dropLast = 0) {
  std::vector<std::string> L;
  for (const InfRegion& r : f.regions)
    for (int i = 0; i < r.points; ++i)
      L.push_back("1186.60 " + plat::NumberToText(r.firstValue + i).substr(1));
  L.resize(L.size() - static_cast<std::size_t>(dropLast));
  return L;
}

class InfReaderTest : public importtest::TextReaderTest {
 protected:
  std::string WritePair(const InfSpec& f, const std::string& stem = "x",
                        const std::string& ext = "INF", const std::string& valueExt = "ASC",
                        int dropLast = 0) {
    Write(stem + "." + valueExt, ValueLines(f, dropLast));
    return Write(stem + "." + ext, HeaderLines(f));
  }
  // `message`: the reader is expected to show a message.
  void Import(const std::string& path, bool message = false) {
    plat::script::AnswerFile(path);
    if (message) AnswerMessage();
    Win[0].ImportFormat = 10;
    G.SpectraReadCount = 0;
    ImportInfAsc(0);
  }
  void ImportRefused(const std::string& path) {
    G.CommandId = 0;
    Import(path, true);
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_EQ(G.SpectraReadCount, 0);
  }
};

TEST_F(InfReaderTest, RegionHeaderFromTheItems) {
  ImportedHeader[1].ShortName = "left by another file";
  const std::string path = WritePair(InfSpec{});
  Import(path);
  ASSERT_EQ(G.SpectraReadCount, 1);
  const SpectrumHeaderRecord& h = ImportedHeader[1];
  EXPECT_EQ(h.Name, "C1");
  EXPECT_NEAR(h.StartEnergy, 1186.6, 1e-9);
  EXPECT_NEAR(h.EndEnergy, 1206.6, 1e-9);
  EXPECT_EQ(h.EnergyStep, 0.1);
  EXPECT_EQ(h.PointCount, 201);
  EXPECT_EQ(h.DwellTime, 0.05);
  EXPECT_EQ(h.ScanCount, 60);  // 600 s over sweeps of 10.05 s
  EXPECT_EQ(h.ExcitationEnergy, 1486.6);
  EXPECT_EQ(h.Technique, "FAT 23.5");
  EXPECT_EQ(h.SourceInfo, "Mag 4 Area 2");
  EXPECT_EQ(h.Comment, "Sample Ag foil");
  EXPECT_EQ(h.Date, "10.05.2026 12:34:56");
  EXPECT_EQ(h.ShortName, "");
  EXPECT_EQ(G.SourceFilePath, path);
  EXPECT_EQ(G.ImportMode, "NORM");
  ASSERT_EQ(ImportedValues[1].Upper(), 201);
  EXPECT_EQ(ImportedValues[1][1], 100);
  EXPECT_EQ(ImportedValues[1][201], 300);
}

TEST_F(InfReaderTest, ExcitationEnergyRoundedToATenthBecomesTheDefault) {
  struct Case {
    const char* text;
    double hv;
  } cases[] = {{"1253.64", 1253.6}, {"1253.65", 1253.7}, {"1486.6", 1486.6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    InfSpec f;
    f.hv = c.text;
    G.DefaultExcitationEnergy = 0;
    Import(WritePair(f));
    EXPECT_NEAR(ImportedHeader[1].ExcitationEnergy, c.hv, 1e-9);
    EXPECT_NEAR(G.DefaultExcitationEnergy, c.hv, 1e-9);
  }
}

TEST_F(InfReaderTest, PassEnergyItemDependsOnTechniqueAndBlockLength) {
  struct Case {
    const char* technique;
    int items;
    double pass;
  } cases[] = {
      {"FIX", 36, 30.5}, {"FIX", 40, 38.5}, {"FAT", 36, 31.5},
      {"FAT", 40, 37.5}, {"SCA", 36, 31.5}, {"SCA", 40, 38.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.technique) + " " + std::to_string(c.items));
    InfSpec f;
    f.technique = c.technique;
    f.regions[0].items = c.items;
    Import(WritePair(f));
    ASSERT_EQ(G.SpectraReadCount, 1);
    EXPECT_EQ(ImportedHeader[1].PassEnergy, c.pass);
  }
}

TEST_F(InfReaderTest, ScanCountFromAcquisitionTime) {
  struct Case {
    const char* minutes;
    const char* dwellMs;
    int points;
    double scans;
  } cases[] = {
      {"10", "50", 201, 60},
      {"1", "100", 100, 6},
      {"10", "0", 201, 1},  // a sweep without time: one scan, no division by zero
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.minutes);
    InfSpec f;
    f.regions[0].minutes = c.minutes;
    f.regions[0].dwellMs = c.dwellMs;
    f.regions[0].points = c.points;
    Import(WritePair(f));
    ASSERT_EQ(G.SpectraReadCount, 1);
    EXPECT_EQ(ImportedHeader[1].ScanCount, c.scans);
  }
}

TEST_F(InfReaderTest, RegionNamesThroughTheNameTable) {
  G.PhiNameCode[7] = "O1";
  G.PhiNameText[7] = "O 1s";
  InfSpec f;
  f.regions = {InfRegion{}, InfRegion{}};
  f.regions[0].code = "O1";
  f.regions[1].code = "Zz9";
  f.regions[1].firstValue = 1000;
  Import(WritePair(f));
  ASSERT_EQ(G.SpectraReadCount, 2);
  EXPECT_EQ(ImportedHeader[1].Name, "O 1s");
  EXPECT_EQ(ImportedHeader[2].Name, "Zz9");
  // The value file holds the regions one after the other.
  EXPECT_EQ(ImportedValues[2][1], 1000);
  EXPECT_EQ(ImportedValues[1][201], 300);
}

TEST_F(InfReaderTest, CompanionFoundWhateverItsLetterCase) {
  struct Case {
    const char* ext;
    const char* valueExt;
    const char* stem;
  } cases[] = {{"INF", "ASC", "pair"},
               {"inf", "asc", "pair"},
               {"Inf", "Asc", "pair"},
               {"INF", "asc", "pair"},
               // an accented name (UTF-8 on the disk) finds its companion
               {"inf", "asc", "Messung_\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F_\xC2\xB5"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.valueExt);
    const std::string stem = std::string(c.stem) + "_" + c.ext + c.valueExt;
    Import(WritePair(InfSpec{}, stem, c.ext, c.valueExt));
    ASSERT_EQ(G.SpectraReadCount, 1);
    EXPECT_EQ(ImportedValues[1][2], 101);
  }
}

TEST_F(InfReaderTest, FaultyHeaderIsRefused) {
  struct Case {
    const char* what;
    InfSpec spec;
  } cases[] = {
      {"signature is the sixth item", [] { InfSpec f; f.leadItems = 5; return f; }()},
      {"no region count", [] { InfSpec f; f.regionCount = "0"; return f; }()},
      {"eleven regions", [] { InfSpec f; f.regions.resize(11); return f; }()},
      {"header ends before the Time item", [] { InfSpec f; f.endBeforeTime = true; return f; }()},
      {"region without points", [] { InfSpec f; f.regions[0].points = 0; return f; }()},
      {"header ends before the excitation energy", [] { InfSpec f; f.keepLines = 11; return f; }()},
      {"header ends after its signature", [] { InfSpec f; f.keepLines = 3; return f; }()},
  };
  // The signature as fifth item is still found.
  {
    InfSpec f;
    f.leadItems = 4;
    Import(WritePair(f));
    EXPECT_EQ(G.SpectraReadCount, 1);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ImportRefused(WritePair(c.spec, "bad"));
    EXPECT_TRUE(ImportedValues[1].empty());
  }
}

TEST_F(InfReaderTest, MissingValueFileIsRefused) {
  const std::string path = Write("alone.INF", HeaderLines(InfSpec{}));
  ImportRefused(path);
}

TEST_F(InfReaderTest, ShortValueFileKeepsTheCompleteRegions) {
  InfSpec f;
  f.regions = {InfRegion{}, InfRegion{}};
  G.CommandId = 0;
  Import(WritePair(f, "short", "INF", "ASC", 1), true);
  EXPECT_EQ(G.CommandId, 3);
  EXPECT_EQ(G.SpectraReadCount, 1);
  EXPECT_EQ(ImportedValues[1].Upper(), 201);
  EXPECT_TRUE(ImportedValues[2].empty());
}

TEST_F(InfReaderTest, RereadOfAWindowsSourceAsksNothing) {
  const std::string path = WritePair(InfSpec{});
  WindowRecord& win = Win[2];
  win.WindowOpen = true;
  win.ImportFormat = 10;
  win.SourcePath = path;
  win.SourceSpectrumIndex = 1;
  G.SourceFilePath = "\\elsewhere\\other.vms";
  ASSERT_TRUE(ReloadSourceData(2));
  EXPECT_EQ(win.ImportFormat, 10);
  EXPECT_EQ(G.SourceFilePath, path);
  EXPECT_EQ(ImportedValues[1][1], 100);
}

}  // namespace
