// The tap readers: the Eclipse count line and the two header versions with
// their numbering quirks, the block files with their reversed value rows,
// files cut short or of another kind, and the import from the menu.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "import/formats.h"
#include "import/tap.h"
#include "tests/import/text_import_fixture.h"

using namespace sorvan;
using importtest::AtColumn;
using importtest::JoinLines;

namespace {

TEST(EclipseCountLine, SignatureAndCount) {
  const struct {
    const char* line;
    int count;
  } cases[] = {
      {"This file contains 2 spectra", 2},
      {"contains 12 spectra", 12},
      {"File contains 9 spectra.", 9},
      {"contains 123 spectra", -1},
      {"holds 2 spectra", -1},
      {"contains 2 spectrum", -1},
      {"contains  2  spectra", -1},
      {"spectra", -1},
      {"", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(EclipseCountOf(c.line), c.count) << c.line;
}

struct EclipseSpectrum {
  std::string name = "C 1s";
  std::string source = std::string(18, ' ');  // version 1: blank source, dwell in ms
  bool sourceTag = false;                      // version 2: item 19 "SOURCE:"
  bool abscissaTag = false;                    // version 2: item 49 "Abscissa"
  double dwell = 50;
  std::vector<double> values = {10, 20, 30};
  double start = 1000, step = 0.5;
  std::string pointCount;  // "" = the number of values
  std::vector<std::string> valueLines;  // written instead of the values when given
};

// The header items of one spectrum, numbered as the reader counts them.
std::vector<std::string> EclipseHeader(int version, const EclipseSpectrum& s) {
  const int last = version == 1 ? 66 : 62;
  const int n = static_cast<int>(s.values.size());
  const std::string count = s.pointCount.empty() ? std::to_string(n) : s.pointCount;
  auto num = [](double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%-10g", v);
    return std::string(b);
  };
  std::vector<std::string> items;
  for (int j = 1; j <= last; ++j) {
    std::string item = "item " + std::to_string(j);
    const int v = version;
    if (j == (v == 1 ? 5 : 4)) item = AtColumn(18, s.name);
    if (j == (v == 1 ? 6 : 5)) item = AtColumn(7, "sample comment");
    if (j == 8) item = "Acquired Tuesday 05-Mar-2002 10:11";
    if (j == 10) item = AtColumn(7, "XPS");
    if (j == 11) item = AtColumn(8, "  40 ");
    if (j == 20) item = "Source info: " + s.source;
    if (j == (v == 1 ? 23 : 24)) item = AtColumn(9, "1253.6");
    if (j == (v == 1 ? 35 : 36)) item = AtColumn(7, num(s.dwell).substr(0, v == 1 ? 5 : 8));
    if (j == (v == 1 ? 36 : 37)) item = AtColumn(8, "12");
    if (j == (v == 1 ? 59 : 55)) item = AtColumn(17, num(s.start));
    if (j == (v == 1 ? 60 : 56)) item = AtColumn(17, num(s.start + s.step * (n - 1)));
    if (j == (v == 1 ? 61 : 57)) item = AtColumn(21, num(s.step));
    if (j == (v == 1 ? 64 : 60)) item = AtColumn(16, count);
    if (v == 2 && j == 19 && s.sourceTag) {
      item = "SOURCE:";
      j += 2;
    }
    if (v == 2 && j == 49 && s.abscissaTag) {
      item = "Abscissa: kinetic energy";
      j += 4;
    }
    items.push_back(item);
    if (v == 1 && j == 36 && s.source != std::string(18, ' '))
      for (int e = 0; e < 8; ++e) items.push_back("extra " + std::to_string(e));
  }
  return items;
}

std::string EclipseFile(int version, const std::vector<EclipseSpectrum>& spectra,
                        const std::string& countLine = "") {
  std::vector<std::string> lines;
  if (version == 2) lines.push_back("Eclipse Data File");
  lines.push_back(countLine.empty()
                      ? "This file contains " + std::to_string(spectra.size()) + " spectra"
                      : countLine);
  int k = 0;
  for (const EclipseSpectrum& s : spectra) {
    ++k;
    for (const std::string& item : EclipseHeader(version, s)) lines.push_back(item);
    // Spectra 1 to 4 take a line per value, later ones an item: the files
    // put one value on each line, which both read alike.
    for (double v : s.values)
      if (s.valueLines.empty()) lines.push_back(std::to_string(static_cast<int>(v)) + (k <= 4 ? " cps" : ""));
    for (const std::string& l : s.valueLines) lines.push_back(l);
  }
  return JoinLines(lines);
}

TEST(EclipseParse, BothVersions) {
  for (int version : {1, 2}) {
    SCOPED_TRACE(version);
    EclipseSpectrum a;
    EclipseSpectrum b;
    b.name = "O 1s";
    b.values = {1, 2, 3, 4};
    b.start = 700;
    const TapFile f = ParseEclipseTap(EclipseFile(version, {a, b}));
    ASSERT_EQ(f.status, TapStatus::Ok) << f.problem;
    EXPECT_EQ(f.version, version);
    ASSERT_EQ(f.spectra.size(), 2u);
    const SpectrumHeaderRecord& h = f.spectra[1].header;
    EXPECT_EQ(h.Name, "O 1s");
    EXPECT_EQ(h.Comment, "sample comment");
    EXPECT_EQ(h.Date, "05-Mar-2002");
    EXPECT_EQ(h.Technique, "XPS");
    EXPECT_DOUBLE_EQ(h.PassEnergy, 40);
    EXPECT_DOUBLE_EQ(h.ExcitationEnergy, 1253.6);
    EXPECT_DOUBLE_EQ(h.ScanCount, 12);
    EXPECT_DOUBLE_EQ(h.StartEnergy, 700);
    EXPECT_DOUBLE_EQ(h.EndEnergy, 701.5);
    EXPECT_DOUBLE_EQ(h.EnergyStep, 0.5);
    EXPECT_EQ(h.PointCount, 4);
    EXPECT_EQ(f.spectra[1].values, (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(f.spectra[0].values, (std::vector<double>{10, 20, 30}));
  }
}

TEST(EclipseParse, DwellTimeAndSkippedItems) {
  const struct {
    const char* what;
    int version;
    std::string source;
    bool sourceTag, abscissaTag;
    double dwell;
    std::string sourceInfo;
  } cases[] = {
      {"v1 blank source: ms", 1, std::string(18, ' '), false, false, 0.05, std::string(18, ' ')},
      {"v1 source text: as written, 8 items more", 1, "Al mono 300 W     ", false, false, 50,
       "Al mono 300 W     "},
      {"v1 short source counts as text", 1, "Al", false, false, 50, "Al"},
      {"v2 SOURCE: tag: ms, items 20 and 21 absent", 2, "", true, false, 0.05, ""},
      {"v2 without the tag: as written", 2, "Mg anode          ", false, false, 50,
       "Mg anode          "},
      {"v2 Abscissa tag: items 50 to 53 absent", 2, "Mg anode          ", false, true, 50,
       "Mg anode          "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EclipseSpectrum s;
    s.source = c.source;
    s.sourceTag = c.sourceTag;
    s.abscissaTag = c.abscissaTag;
    const TapFile f = ParseEclipseTap(EclipseFile(c.version, {s, s}));
    ASSERT_EQ(f.status, TapStatus::Ok) << f.problem;
    ASSERT_EQ(f.spectra.size(), 2u);
    for (const TapSpectrum& t : f.spectra) {
      EXPECT_DOUBLE_EQ(t.header.DwellTime, c.dwell);
      EXPECT_EQ(t.header.SourceInfo, c.sourceInfo);
      EXPECT_DOUBLE_EQ(t.header.StartEnergy, 1000);  // the items after the quirk are in step
      EXPECT_EQ(t.values, (std::vector<double>{10, 20, 30}));
    }
  }
}

TEST(EclipseParse, SpectraOneToFourTakeALinePerValueLaterOnesAnItem) {
  std::vector<EclipseSpectrum> spectra(5);
  for (int k = 0; k < 4; ++k) spectra[k].valueLines = {"10,99", "20,99", "30,99"};
  spectra[4].valueLines = {"1,2,3"};
  const TapFile f = ParseEclipseTap(EclipseFile(2, spectra));
  ASSERT_EQ(f.status, TapStatus::Ok) << f.problem;
  ASSERT_EQ(f.spectra.size(), 5u);
  EXPECT_EQ(f.spectra[3].values, (std::vector<double>{10, 20, 30}));
  EXPECT_EQ(f.spectra[4].values, (std::vector<double>{1, 2, 3}));
}

TEST(EclipseParse, CountLineOnTheFirstLineIsVersion1) {
  EclipseSpectrum s;
  const TapFile f = ParseEclipseTap(EclipseFile(1, {s}, "This file contains 1 spectra"));
  EXPECT_EQ(f.version, 1);
  EXPECT_EQ(f.announced, 1);
}

TEST(EclipseParse, FilesCutShortOrNotOfTheFormat) {
  EclipseSpectrum s;
  const std::string whole = EclipseFile(1, {s, s});
  const struct {
    const char* what;
    std::string text;
    TapStatus status;
    std::size_t kept;
  } cases[] = {
      {"no count line", JoinLines({"Eclipse", "This file holds 2 spectra"}), TapStatus::NotTap, 0},
      {"no spectrum announced", JoinLines({"This file contains 0 spectra"}), TapStatus::NotTap, 0},
      {"empty file", "", TapStatus::Malformed, 0},
      {"ends in the second spectrum's values", whole.substr(0, whole.size() - 10), TapStatus::Malformed, 1},
      {"ends in the first header", whole.substr(0, 300), TapStatus::Malformed, 0},
      {"announces more than it holds", EclipseFile(1, {s}, "This file contains 3 spectra"),
       TapStatus::Malformed, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TapFile f = ParseEclipseTap(c.text);
    EXPECT_EQ(f.status, c.status);
    EXPECT_EQ(f.spectra.size(), c.kept);
  }
}

TEST(EclipseParse, PointCountOutOfRangeStops) {
  for (const char* count : {"0", "40000", "-3"}) {
    EclipseSpectrum s;
    s.pointCount = count;
    const TapFile f = ParseEclipseTap(EclipseFile(2, {s}));
    EXPECT_EQ(f.status, TapStatus::Malformed) << count;
    EXPECT_TRUE(f.spectra.empty()) << count;
  }
}

struct Block {
  std::string name = "C1s";
  int points = 20;
  double highest = 600, step = 0.5;
  std::vector<double> values;  // file order, high to low kinetic energy; empty: 1..points
  std::string pointCount;      // "" = points
};

std::string Col8(const std::string& s) {
  std::string t = s.substr(0, 8);
  return t + std::string(8 - t.size(), ' ');
}

std::string BlockFile(const std::vector<Block>& blocks, const std::string& tail = "") {
  std::vector<std::string> lines;
  for (const Block& b : blocks) {
    lines.push_back("**" + b.name);
    auto num = [](double v) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%g", v);
      return std::string(buf);
    };
    lines.push_back(Col8(b.pointCount.empty() ? std::to_string(b.points) : b.pointCount) +
                    Col8(num(b.highest)) + Col8("cmt") + Col8(num(b.step)) + Col8("20") +
                    Col8("1486.6") + Col8("3") + Col8("0.1"));
    std::vector<double> v = b.values;
    if (v.empty())
      for (int i = 1; i <= b.points; ++i) v.push_back(i);
    std::string row;
    for (std::size_t i = 0; i < v.size(); ++i) {
      char cell[32];
      std::snprintf(cell, sizeof cell, "%7g%8s", v[i], "");
      row += cell;
      if (i % 10 == 9 || i + 1 == v.size()) {
        lines.push_back(row);
        row.clear();
      }
    }
  }
  return JoinLines(lines) + tail;
}

TEST(TapBlocksParse, BlockHeaderAndReversedValues) {
  Block b;
  b.values.clear();
  for (int i = 0; i < 20; ++i) b.values.push_back(100 + i);
  const TapFile f = ParseTapBlocks(BlockFile({b}), "01.02.2003 04:05:06");
  ASSERT_EQ(f.status, TapStatus::Ok) << f.problem;
  ASSERT_EQ(f.spectra.size(), 1u);
  const SpectrumHeaderRecord& h = f.spectra[0].header;
  EXPECT_EQ(h.Name, "C1s");
  EXPECT_EQ(h.PointCount, 20);
  EXPECT_DOUBLE_EQ(h.EndEnergy, 600);
  EXPECT_DOUBLE_EQ(h.StartEnergy, 590.5);
  EXPECT_DOUBLE_EQ(h.EnergyStep, 0.5);
  EXPECT_EQ(h.Comment, "cmt     ");
  EXPECT_DOUBLE_EQ(h.PassEnergy, 20);
  EXPECT_DOUBLE_EQ(h.ExcitationEnergy, 1486.6);
  EXPECT_DOUBLE_EQ(h.ScanCount, 3);
  EXPECT_DOUBLE_EQ(h.DwellTime, 0.1);
  EXPECT_EQ(h.Date, "01.02.2003 04:05:06");
  // The first value of the file is the highest kinetic energy: point 20.
  EXPECT_EQ(f.spectra[0].values.back(), 100);
  EXPECT_EQ(f.spectra[0].values.front(), 119);
}

TEST(TapBlocksParse, EndsAndFaults) {
  Block a;
  Block shortRow;
  shortRow.name = "O1s";
  shortRow.points = 13;  // a last row of three values
  Block huge;
  huge.pointCount = "40000";
  huge.points = 10;
  const struct {
    const char* what;
    std::string text;
    TapStatus status;
    std::size_t kept;
  } cases[] = {
      {"empty lines after the last block", BlockFile({a, shortRow}, "\r\n\r\n"), TapStatus::Ok, 2},
      {"empty line between blocks", BlockFile({a}, "\r\n") + BlockFile({shortRow}), TapStatus::Ok, 2},
      {"another kind of file", JoinLines({"Energy Counts", "1 2"}), TapStatus::NotTap, 0},
      {"empty file", "", TapStatus::Ok, 0},
      {"a bad item after a good block", BlockFile({a}, "junk\r\n") + BlockFile({a}), TapStatus::Malformed, 1},
      {"cut short in the values", BlockFile({a, a}).substr(0, BlockFile({a, a}).size() - 200),
       TapStatus::Malformed, 1},
      {"a block of more points than a spectrum holds", BlockFile({a, huge}), TapStatus::Malformed, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TapFile f = ParseTapBlocks(c.text, "");
    EXPECT_EQ(f.status, c.status) << f.problem;
    ASSERT_EQ(f.spectra.size(), c.kept);
    if (c.kept == 2) {
      const TapSpectrum& s = f.spectra[1];
      ASSERT_EQ(s.values.size(), 13u);
      EXPECT_EQ(s.values.front(), 13);  // the short row's last value
      EXPECT_EQ(s.values.back(), 1);
    }
  }
}

class TapReaderTest : public importtest::TextImportTest {};

TEST_F(TapReaderTest, EleventhEclipseSpectrumHasHeaderIndex21) {
  std::vector<EclipseSpectrum> spectra(11);
  for (int k = 0; k < 11; ++k) {
    spectra[k].name = "S" + std::to_string(k + 1);
    spectra[k].values = {double(k), double(k + 1)};
  }
  ImportedHeader[21].ShortName = "earlier";
  NewImport(ImportEclipseTap, EclipseTap, Write(EclipseFile(2, spectra), "e.tap"));
  plat::driver::Finish();
  EXPECT_EQ(G.SpectraReadCount, 11);
  EXPECT_EQ(ImportedHeader[21].Name, "S11");
  EXPECT_EQ(ImportedHeader[21].ShortName, "");
  EXPECT_EQ(ImportedHeader[10].Name, "S10");
  EXPECT_EQ(ImportedValues[11][2], 11);
  EXPECT_EQ(ImportedValues[5][1], 4);
}

TEST_F(TapReaderTest, FilesCutShortKeepTheCompleteSpectraAndSaySo) {
  EclipseSpectrum s;
  const std::string whole = EclipseFile(1, {s, s});
  NewImport(ImportEclipseTap, EclipseTap, Write(whole.substr(0, whole.size() - 10), "e.tap"),
            ExpectMessage);
  EndMessageScript();
  EXPECT_EQ(G.SpectraReadCount, 1);
  EXPECT_EQ(G.CommandId, 3);
  EXPECT_EQ(ImportedValues[1].Upper(), 3);
  EXPECT_TRUE(ImportedValues[2].empty());
}

TEST_F(TapReaderTest, FilesOfAnotherKindAreRefused) {
  const struct {
    const char* what;
    int code;
    std::string text;
  } cases[] = {
      {"Eclipse reader, no count line", EclipseTap, JoinLines({"Eclipse", "nothing here"})},
      {"block reader, no name item", TapBlocks, JoinLines({"Energy Counts", "1 2"})},
      {"block reader, empty file", TapBlocks, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ImportedValues[1].Resize(2);
    const std::string path = Write(c.text, "x.tap");
    NewImport([&](int w) { RunImportReader(c.code, w); }, c.code, path, ExpectMessage);
    EndMessageScript();
    EXPECT_EQ(G.SpectraReadCount, 0);
    EXPECT_EQ(G.SourceFilePath, path);
    EXPECT_TRUE(ImportedValues[1].empty());
  }
}

TEST_F(TapReaderTest, BlockFileKeepsTheEarlierTechniqueAndClearsItsTexts) {
  ImportedHeader[2].Technique = "FAT";
  ImportedHeader[2].SourceInfo = "earlier source";
  Block a, b;
  b.name = "O1s";
  const std::string path = Write(BlockFile({a, b}, "\r\n"), "b.tap");
  NewImport(ImportTapBlocks, TapBlocks, path);
  plat::driver::Finish();
  EXPECT_EQ(G.SpectraReadCount, 2);
  EXPECT_EQ(ImportedHeader[2].Name, "O1s");
  EXPECT_EQ(ImportedHeader[2].Technique, "FAT");
  EXPECT_EQ(ImportedHeader[2].SourceInfo, "");
  EXPECT_EQ(ImportedHeader[2].Date, plat::FileDateText(path));
  EXPECT_EQ(ImportedValues[2][20], 1);
}

TEST_F(TapReaderTest, BlockImportFromTheMenuAndRereadOfItsSource) {
  Block a, b;
  b.name = "O1s";
  b.highest = 900;
  const std::string path = Write(BlockFile({a, b}), "b.tap");
  plat::script::AnswerFile(path);
  plat::script::SelectItems("lib21", -1, {1});
  plat::script::Click("cmdOk21");
  plat::driver::ChooseMenu(1110);
  plat::driver::Finish();
  ASSERT_TRUE(Win[1].WindowOpen);
  EXPECT_EQ(Win[1].SpectrumHeader.Name, "O1s");
  EXPECT_DOUBLE_EQ(Win[1].SpectrumHeader.EndEnergy, 900);
  EXPECT_EQ(Win[1].ImportFormat, TapBlocks);
  EXPECT_EQ(SlotData[1](1, 1), 20);
  EXPECT_EQ(SlotData[1](20, 1), 1);
  // Re-reading the window's source reads the header again from the file,
  // without a dialog.
  EraseImportedSpectra();
  Win[1].ImportFormat = TapBlocks + 1;
  G.SourceFilePath = path;
  ImportTapBlocks(1);
  plat::driver::Finish();
  EXPECT_EQ(G.SpectraReadCount, 2);
  EXPECT_EQ(ImportedValues[2][1], 20);
}

}  // namespace
