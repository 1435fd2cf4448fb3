// The reader of keyword text files: how each of the five layouts is
// recognised, what it reads, and the files it refuses or reads with a
// warning.
#include <gtest/gtest.h>

#include "import/keyword_text.h"
#include "import/reader_support.h"
#include "processing/revert.h"
#include "tests/import/text_reader_fixture.h"

using namespace sorvan;
using importtest::Pad;

namespace {

struct Typed {
  std::string name = "Ag 3d";
  double start = 1200, end = 1210, step = 1, hv = 1486.6;
  double dwell = 0.1, scans = 5;
};

// n lines "energy intensity", energies rising by 1 from `first`, intensities
// from `firstValue`.
std::vector<std::string> ListLines(int n, double first = 1200, double firstValue = 55) {
  std::vector<std::string> lines;
  for (int i = 0; i < n; ++i)
    lines.push_back(plat::NumberToText(first + i).substr(first + i < 0 ? 0 : 1) + " " +
                    plat::NumberToText(firstValue + i).substr(1));
  return lines;
}

// An xywe item: the mantissa in columns 5 to 19, "e" at column 20.
std::string XyweItem(const std::string& mantissa, const std::string& exponent) {
  return "xywe" + Pad(mantissa, 15) + "e" + exponent;
}

class KeywordTextTest : public importtest::TextReaderTest {
 protected:
  // A new import of `path`: the header typed on the import header page.
  // `message`: the reader is expected to show a message after the page.
  void Import(const std::string& path, const Typed& t = Typed{}, bool message = false) {
    SpectrumHeaderRecord& h = ImportedHeader[1];
    h.StartEnergy = t.start;
    h.EndEnergy = t.end;
    h.EnergyStep = t.step;
    h.ExcitationEnergy = t.hv;
    h.DwellTime = t.dwell;
    h.ScanCount = t.scans;
    plat::script::AnswerFile(path);
    plat::script::SetText("ed261", -1, t.name);
    plat::script::Click("cmdOk261");
    if (message) AnswerMessage();
    Win[0].ImportFormat = 6;
    G.SpectraReadCount = 0;
    G.CommandId = 0;
    ImportKeywordText(0);
  }
  void ImportRefused(const std::string& path, const Typed& t = Typed{}) {
    Import(path, t, true);
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_EQ(G.SpectraReadCount, 0);
    EXPECT_TRUE(ImportedValues[1].empty());
  }
};

TEST(KeywordTextNumbers, StartEnergyMatch) {
  struct Case {
    double a, start, hv;
    bool match;
  } cases[] = {
      {1200, 1200, 1486.6, true},       // kinetic start energy
      {1200, 286.6, 1486.6, true},      // binding energy of the start
      {1200, 1199.9, 1486.6, false},
      {1200.0004, 1200, 1486.6, true},  // equal to 0.001
      {1200.0006, 1200, 1486.6, false},
      {0, 0, 1486.6, false},            // 0 never matches
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a);
    EXPECT_EQ(MatchesStartEnergy(c.a, c.start, c.hv), c.match);
  }
}

TEST(KeywordTextNumbers, XyweMantissaAndExponent) {
  struct Case {
    std::string item;
    int from;
    double value;
  } cases[] = {
      {"xywe1.5e+03", 5, 1500},
      {"xywe1.5e-03", 5, 0.0015},  // the sign of the exponent counts
      {XyweItem("2.5", "+02"), 20, 250},
      {XyweItem("1.2000000000000", "+03"), 5, 1200},
      {"xywe42", 5, 42},  // no exponent
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    EXPECT_DOUBLE_EQ(XyweNumber(c.item, c.from), c.value);
  }
}

TEST_F(KeywordTextTest, ListRecognisedByItsFirstEnergy) {
  struct Case {
    const char* what;
    double firstEnergy, start, end;
    bool read;
  } cases[] = {
      {"kinetic start", 1200, 1200, 1210, true},
      {"binding start", 1200, 286.6, 296.6, true},
      {"neither: tried as XPD, refused", 1200, 1199.9, 1209.9, false},
      {"negative first energy: no test", -5, 1199.9, 1209.9, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Typed t;
    t.start = c.start;
    t.end = c.end;
    const std::string path = Write("list.txt", ListLines(11, c.firstEnergy));
    if (!c.read) {
      ImportRefused(path, t);
      continue;
    }
    Import(path, t);
    EXPECT_EQ(LastKeywordLayout(), KeywordLayout::List);
    ASSERT_EQ(G.SpectraReadCount, 1);
    EXPECT_EQ(ImportedHeader[1].Name, "Ag 3d");
    EXPECT_EQ(ImportedHeader[1].PointCount, 11);
    ASSERT_EQ(ImportedValues[1].Upper(), 11);
    EXPECT_EQ(ImportedValues[1][1], 55);
    EXPECT_EQ(ImportedValues[1][11], 65);
    EXPECT_EQ(G.SourceFilePath, path);
  }
}

TEST_F(KeywordTextTest, ListOfTheWrongLengthWarnsAndIsReadAnyway) {
  struct Case {
    int lines;
    bool warned;
    double last;  // point 11
  } cases[] = {
      {11, false, 65},
      {12, true, 66},  // the last line of the file ends the spectrum
      {9, true, 63},   // points 9 and 10 stay 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    Import(Write("len.txt", ListLines(c.lines)), Typed{}, c.warned);
    EXPECT_EQ(G.CommandId, c.warned ? 9 : 0);
    ASSERT_EQ(G.SpectraReadCount, 1);
    ASSERT_EQ(ImportedValues[1].Upper(), 11);
    EXPECT_EQ(ImportedValues[1][11], c.last);
    if (c.lines == 9) {
      EXPECT_EQ(ImportedValues[1][10], 0);
    }
  }
}

TEST_F(KeywordTextTest, EmptyFirstLineAndBlankLinesArePassedOver) {
  std::vector<std::string> lines = ListLines(11);
  lines.insert(lines.begin(), "");
  lines.insert(lines.begin() + 4, "");
  lines.push_back("");
  Import(Write("blank.txt", lines));
  ASSERT_EQ(G.SpectraReadCount, 1);
  EXPECT_EQ(G.CommandId, 0);
  EXPECT_EQ(ImportedValues[1][4], 58);
}

// XPD blocks: a leading number, the block name, an item whose first eight
// characters are the start energy, then the points.
std::vector<std::string> XpdLines(int blocks, int points, int cutLast = 0) {
  std::vector<std::string> lines;
  for (int b = 1; b <= blocks; ++b) {
    lines.push_back("5");
    lines.push_back("scan" + std::to_string(b) + " of the series");
    lines.push_back("1200.000 start");
    int n = b == blocks ? points - cutLast : points;
    for (int i = 0; i < n; ++i)
      lines.push_back("  " + std::to_string(1200 + i) + " " + std::to_string(100 * b + i) + "  ");
  }
  return lines;
}

TEST_F(KeywordTextTest, XpdBlocksBecomeSpectraNamedAfterTheirBlocks) {
  Typed t;
  t.name = "Fe";
  t.end = 1202;  // 3 points
  Import(Write("xpd.txt", XpdLines(25, 3)), t);
  EXPECT_EQ(LastKeywordLayout(), KeywordLayout::Xpd);
  ASSERT_EQ(G.SpectraReadCount, 25);
  EXPECT_EQ(ImportedHeader[1].Name, "Fe_scan1");
  EXPECT_EQ(ImportedHeader[2].Name, "Fe_scan2");
  EXPECT_EQ(ImportedHeader[21].Name, "Fe_scan1");  // block 11: five characters
  EXPECT_EQ(ImportedValues[11][1], 1100);
  EXPECT_EQ(ImportedHeader[35].Name, "Fe_scan2");
  EXPECT_EQ(ImportedValues[25][3], 2502);
  // The same header apart from the name.
  SpectrumHeaderRecord first = ImportedHeader[1];
  SpectrumHeaderRecord other = ImportedHeader[22];
  first.Name = other.Name = "";
  EXPECT_EQ(first, other);
  EXPECT_EQ(other.PointCount, 3);
  EXPECT_EQ(other.Technique, "CAE");
}

TEST_F(KeywordTextTest, XpdKeepsCompleteBlocksAndSaysWhenItStops) {
  struct Case {
    const char* what;
    int blocks, cut;
    int kept;
  } cases[] = {
      {"last block cut short", 4, 1, 3},
      {"more than thirty blocks", 31, 0, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Typed t;
    t.end = 1202;
    Import(Write("xpdbad.txt", XpdLines(c.blocks, 3, c.cut)), t, true);
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_EQ(G.SpectraReadCount, c.kept);
    EXPECT_EQ(ImportedValues[c.kept].Upper(), 3);
    EXPECT_TRUE(ImportedValues[c.kept + 1].empty());
  }
}

TEST_F(KeywordTextTest, XstartHeaderFromTheFile) {
  std::vector<std::string> lines = {"xstart1100.000", "xstep 0.5000", "np 100", "skip", "skip"};
  for (int i = 1; i <= 100; ++i) lines.push_back(std::to_string(i * 2));
  lines.push_back("end");
  const std::string path = Write("xstart.txt", lines);
  // Only the short header is typed: name, comment, date, energies.
  ImportedHeader[1].DwellTime = 0;
  ImportedHeader[1].ScanCount = 0;
  plat::script::AnswerFile(path);
  plat::script::SetText("ed261", -1, "Au 4f");
  plat::script::SetText("ed264", -1, "1253.6");
  plat::script::Click("cmdOk261");
  Win[0].ImportFormat = 6;
  ImportKeywordText(0);
  EXPECT_EQ(LastKeywordLayout(), KeywordLayout::Xstart);
  ASSERT_EQ(G.SpectraReadCount, 1);
  const SpectrumHeaderRecord& h = ImportedHeader[1];
  EXPECT_EQ(h.Name, "Au 4f");
  EXPECT_EQ(h.ExcitationEnergy, 1253.6);
  EXPECT_EQ(h.StartEnergy, 1100);
  EXPECT_EQ(h.EnergyStep, 0.5);
  EXPECT_EQ(h.PointCount, 100);
  EXPECT_EQ(h.EndEnergy, 1050);
  EXPECT_EQ(h.DwellTime, 1);
  EXPECT_EQ(h.ScanCount, 1);
  EXPECT_EQ(ImportedValues[1][1], 2);
  EXPECT_EQ(ImportedValues[1][100], 200);
}

TEST_F(KeywordTextTest, TableAndXyweLayouts) {
  std::vector<std::string> table = {"TABLE of counts"};
  for (int i = 0; i < 229; ++i) table.push_back("header " + std::to_string(i));
  for (int i = 0; i < 11; ++i)
    table.push_back(std::to_string(1200 + i) + "," + std::to_string(40 + i) + ",0");
  Import(Write("table.txt", table));
  EXPECT_EQ(LastKeywordLayout(), KeywordLayout::Table);
  ASSERT_EQ(G.SpectraReadCount, 1);
  EXPECT_EQ(ImportedValues[1][1], 40);
  EXPECT_EQ(ImportedValues[1][11], 50);

  // xywe: the first item's energy is the binding energy of the start.
  std::vector<std::string> xywe = {XyweItem("1.2000000000000", "+03")};
  for (int i = 2; i <= 11; ++i) xywe.push_back(XyweItem(std::to_string(i) + ".75", "+01"));
  Typed t;
  t.start = 286.6;
  t.end = 296.6;
  Import(Write("xywe.txt", xywe), t);
  EXPECT_EQ(LastKeywordLayout(), KeywordLayout::Xywe);
  ASSERT_EQ(G.SpectraReadCount, 1);
  EXPECT_EQ(ImportedValues[1][1], 1200);
  EXPECT_EQ(ImportedValues[1][2], 27);  // integer part of 27.5
  EXPECT_EQ(ImportedValues[1][11], 117);
}

TEST_F(KeywordTextTest, RefusedFiles) {
  std::vector<std::string> tableEod = {"TABLE"};
  for (int i = 0; i < 229; ++i) tableEod.push_back("h");
  for (int i = 0; i < 5; ++i) tableEod.push_back("1200,40,0");
  tableEod.push_back("EOD");
  std::vector<std::string> tableShort(tableEod.begin(), tableEod.end() - 1);
  std::vector<std::string> xyweOff = {XyweItem("1.3000000000000", "+03")};
  for (int i = 0; i < 10; ++i) xyweOff.push_back(XyweItem("1", "+01"));
  std::vector<std::string> xyweKomm = {XyweItem("1.2000000000000", "+03"), "komm: a remark"};
  for (int i = 0; i < 9; ++i) xyweKomm.push_back(XyweItem("1", "+01"));
  std::vector<std::string> xstartNoPoints = {"xstart1100.000", "xstep 0.5000", "np   0", "a", "b"};
  std::vector<std::string> xstartShort = {"xstart1100.000", "xstep 0.5000", "np   5", "a", "b", "1", "2"};
  struct Case {
    const char* what;
    std::vector<std::string> lines;
    double start;
  } cases[] = {
      {"TABLE reaches EOD", tableEod, 1200},
      {"TABLE ends early", tableShort, 1200},
      {"xywe energy is not the start", xyweOff, 286.6},
      {"komm item among the xywe values", xyweKomm, 286.6},
      {"xywe ends early", {XyweItem("1.2000000000000", "+03")}, 286.6},
      {"list of a single line that is no start energy", {"1300 5"}, 1200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Typed t;
    t.start = c.start;
    t.end = c.start + 10;
    ImportRefused(Write("bad.txt", c.lines), t);
  }
  // xstart files (also one whose values end early) and empty files are
  // refused before any page.
  for (const auto& lines : {xstartNoPoints, xstartShort, std::vector<std::string>{},
                            std::vector<std::string>{"", ""}}) {
    plat::script::AnswerFile(Write("bad.txt", lines));
    AnswerMessage();
    Win[0].ImportFormat = 6;
    G.SpectraReadCount = 1;
    ImportKeywordText(0);
    EXPECT_EQ(G.SpectraReadCount, 0);
    EXPECT_EQ(G.CommandId, 3);
  }
}

TEST_F(KeywordTextTest, CancelledDialogReadsNothing) {
  ImportedHeader[1].DwellTime = 0;
  plat::script::CancelFile();
  Win[0].ImportFormat = 6;
  G.SpectraReadCount = 0;
  G.SourceFilePath = "\\before.vms";
  ImportKeywordText(0);
  EXPECT_EQ(G.SpectraReadCount, 0);
  EXPECT_EQ(G.SourceFilePath, "\\before.vms");
  EXPECT_EQ(ImportedHeader[1].DwellTime, 1);
}

TEST_F(KeywordTextTest, RereadChecksTheListAgainstTheWindow) {
  const std::string path = Write("again.txt", ListLines(11));
  WindowRecord& win = Win[5];
  win.WindowOpen = true;
  win.ImportFormat = 6;
  win.SourcePath = path;
  win.SourceSpectrumIndex = 1;
  win.SpectrumHeader.StartEnergy = 1200;
  win.SpectrumHeader.EndEnergy = 1210;
  win.SpectrumHeader.EnergyStep = 1;
  win.SpectrumHeader.ExcitationEnergy = 1486.6;
  win.SpectrumHeader.PointCount = 11;
  // Spectrum 1 of the store holds another file's range meanwhile.
  ImportedHeader[1].EndEnergy = 1300;
  ImportedHeader[1].EnergyStep = 0.5;
  G.SourceFilePath = "\\elsewhere\\other.vms";
  G.CommandId = 0;
  ASSERT_TRUE(ReloadSourceData(5));  // no dialog, no page, no warning
  EXPECT_EQ(G.CommandId, 0);
  EXPECT_EQ(win.ImportFormat, 6);
  EXPECT_EQ(ImportedValues[1][11], 65);
}

}  // namespace
