// The reader of numbered region files: the file set, the energy axis of both
// layouts, the header fields, and files it must refuse or cut short.
#include <gtest/gtest.h>

#include <algorithm>

#include "import/numbered_files.h"
#include "import/reader_support.h"
#include "processing/revert.h"
#include "tests/import/text_reader_fixture.h"

using namespace sorvan;
using importtest::Field;

namespace {

struct Region {
  std::string name = "C 1s";
  double e1 = 280, step = 0.5, scans = 10, dwell = 0.2, pass = 20;
  std::vector<double> values = {1, 2, 3};
  std::string points;  // "" = the number of values
};

std::string HeaderLine(const Region& r) {
  const std::string n = r.points.empty() ? std::to_string(r.values.size()) : r.points;
  return Field(r.e1, 12) + Field(0, 12) + Field(r.step, 12) + Field(r.scans, 12, 0) +
         Field(r.dwell, 12) + std::string(6 - std::min<std::size_t>(6, n.size()), ' ') + n +
         Field(r.pass, 8, 2);
}

std::vector<std::string> FileLines(const std::string& id, const std::vector<Region>& regions) {
  std::vector<std::string> lines = {id};
  for (const Region& r : regions) {
    lines.push_back(HeaderLine(r));
    lines.push_back("  " + r.name + "  ");
    for (double v : r.values) lines.push_back(Field(v, 10, 1));
  }
  return lines;
}

class NumberedFilesTest : public importtest::TextReaderTest {
 protected:
  // A new import of `path` as from the menu: the file dialog answered, the
  // excitation energy page confirmed with `hv`.
  // `message`: the reader is expected to show a message at the end.
  void Import(const std::string& path, double hv = 1486.6, bool message = false) {
    plat::script::AnswerFile(path);
    plat::script::SetText("ed251", -1, plat::NumberToText(hv));
    plat::script::Click("cmdOK251");
    if (message) AnswerMessage();
    Win[0].ImportFormat = 8;
    G.SpectraReadCount = 0;
    ImportNumberedFiles(0);
  }
  std::string WriteSet(const std::string& name, const std::string& id,
                       const std::vector<Region>& regions) {
    return Write(name, FileLines(id, regions));
  }
};

TEST(NumberedFilePaths, SuccessorPredecessorAndShortName) {
  struct Case {
    const char* path;
    const char* successor;
    const char* shortName;
    const char* predecessor;
  } cases[] = {
      {"\\d\\x.1", "\\d\\x.2", "1", "\\d\\x.0"},
      {"\\d\\x.9", "\\d\\x.10", "9", "\\d\\x.8"},
      {"\\d\\x.19", "\\d\\x.20", "19", "\\d\\x.18"},  // the whole number counts, not its last digit
      {"\\d\\x.099", "\\d\\x.100", "099", "\\d\\x.098"},
      {"\\d\\x.100", "\\d\\x.101", "100", "\\d\\x.099"},  // leading zeros kept
      {"\\d\\x.002", "\\d\\x.003", "002", "\\d\\x.001"},
      {"\\d\\x.000", "\\d\\x.001", "000", ""},
      {"\\a.b\\x.2", "\\a.b\\x.3", "2", "\\a.b\\x.1"},  // a dot in a folder name is not the extension
      {"\\d\\x.abc", "", "abc", ""},
      {"\\d\\x", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(NumberedFileSuccessor(c.path), c.successor);
    EXPECT_EQ(NumberedFileShortName(c.path), c.shortName);
    EXPECT_EQ(NumberedFilePredecessor(c.path), c.predecessor);
  }
}

TEST_F(NumberedFilesTest, EnergyAxisOfBothLayouts) {
  struct Case {
    const char* what;
    const char* id;
    double e1, step;
    int points;
    double start, end, storedStep;
    bool fileOrder;
  } cases[] = {
      {"falling, binding energies", "XPS survey", 280, 0.5, 3, 1205.6, 1206.6, 0.5, false},
      {"falling, kinetic energies", "xps", 1206.6, -0.5, 3, 1205.6, 1206.6, 0.5, false},
      {"rising, kinetic energies", "XPSREW", 100, 1, 5, 100, 104, 1, true},
      {"rising, binding energies", "aesrew", 300, -1, 5, 1186.6, 1190.6, 1, true},
      {"no step", "AES", 500, 0, 3, 500, 500, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Region r;
    r.e1 = c.e1;
    r.step = c.step;
    r.values.clear();
    for (int i = 1; i <= c.points; ++i) r.values.push_back(10 * i);
    Import(WriteSet("axis.1", c.id, {r}));
    ASSERT_EQ(G.SpectraReadCount, 1);
    const SpectrumHeaderRecord& h = ImportedHeader[1];
    EXPECT_NEAR(h.StartEnergy, c.start, 1e-9);
    EXPECT_NEAR(h.EndEnergy, c.end, 1e-9);
    EXPECT_NEAR(h.EnergyStep, c.storedStep, 1e-12);
    EXPECT_EQ(h.PointCount, c.points);
    ASSERT_EQ(ImportedValues[1].Upper(), c.points);
    // A falling file is stored last value first.
    EXPECT_EQ(ImportedValues[1][1], c.fileOrder ? 10 : 10 * c.points);
    EXPECT_EQ(ImportedValues[1][c.points], c.fileOrder ? 10 * c.points : 10);
    EXPECT_EQ(ImportedValues[1][0], 0);
  }
}

TEST_F(NumberedFilesTest, HeaderFieldsOfARegion) {
  struct Case {
    double pass;
    const char* technique;
    double storedPass;
  } cases[] = {{-4, "CRR", 4}, {0, "CAE", 0}, {23.5, "CAE", 23.5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pass);
    ImportedHeader[1].SourceInfo = "left by another file";
    ImportedHeader[1].ShortName = "old";
    Region r;
    r.pass = c.pass;
    r.scans = 12;
    r.dwell = 0.05;
    const std::string path = WriteSet("fields.3", "XPS sample 7", {r});
    Import(path, 1253.6);
    ASSERT_EQ(G.SpectraReadCount, 1);
    const SpectrumHeaderRecord& h = ImportedHeader[1];
    EXPECT_EQ(h.Technique, c.technique);
    EXPECT_EQ(h.PassEnergy, c.storedPass);
    EXPECT_EQ(h.Name, "C 1s");  // trimmed, no suffix for a single file
    EXPECT_EQ(h.ShortName, "3");
    EXPECT_EQ(h.Comment, "XPS sample 7");
    EXPECT_EQ(h.ExcitationEnergy, 1253.6);
    EXPECT_EQ(h.ScanCount, 12);
    EXPECT_EQ(h.DwellTime, 0.05);
    EXPECT_EQ(h.Date, plat::FileDateText(path));
    EXPECT_EQ(h.SourceInfo, "");  // no text of an earlier file
    EXPECT_EQ(G.ImportMode, "NORM");
    EXPECT_EQ(G.NumberedFilePath, path);
    EXPECT_EQ(G.SourceFilePath, path);
  }
}

TEST_F(NumberedFilesTest, SetRunsFromTheChosenFileOn) {
  Region c;
  c.values = {1, 2};
  Region o;
  o.name = "O 1s";
  o.values = {5, 6, 7};
  WriteSet("x.1", "XPS", {c});
  const std::string second = WriteSet("x.2", "XPS", {c, o});
  WriteSet("x.3", "XPS", {o});
  WriteSet("x.5", "XPS", {c});  // after the gap: not part of the set
  Import(second);
  ASSERT_EQ(G.SpectraReadCount, 3);
  EXPECT_EQ(ImportedHeader[1].Name, "C 1s_2");
  EXPECT_EQ(ImportedHeader[2].Name, "O 1s_2");
  EXPECT_EQ(ImportedHeader[3].Name, "O 1s_3");
  EXPECT_EQ(ImportedHeader[3].ShortName, "3");
  EXPECT_EQ(ImportedValues[3][1], 7);
  // The set is named by its first file, from which a re-read starts.
  EXPECT_EQ(G.NumberedFilePath, second);
  EXPECT_EQ(G.SourceFilePath, second);
  EXPECT_EQ(G.FileDialogResult, second);
}

TEST_F(NumberedFilesTest, SetOfAnAccentedNameOnTheDisk) {
  Region c;
  c.values = {1, 2};
  const std::string first = WriteSet("Probe_\xC3\xA4\xC3\xB6\xC3\xBC_\xC2\xB5.1", "XPS", {c});
  WriteSet("Probe_\xC3\xA4\xC3\xB6\xC3\xBC_\xC2\xB5.2", "XPS", {c});
  EXPECT_NE(first.find("Probe_\u00E4\u00F6\u00FC_\u00B5.1"), std::string::npos);  // the program's form
  Import(first);
  ASSERT_EQ(G.SpectraReadCount, 2);
  EXPECT_EQ(ImportedHeader[2].Name, "C 1s_2");
}

TEST_F(NumberedFilesTest, EleventhRegionHasHeaderIndex21) {
  std::vector<Region> regions(12);
  for (int k = 0; k < 12; ++k) {
    regions[k].name = "R" + std::to_string(k + 1);
    regions[k].values = {double(k), double(k)};
  }
  Import(WriteSet("many.1", "XPS", regions));
  ASSERT_EQ(G.SpectraReadCount, 12);
  EXPECT_EQ(ImportedHeader[21].Name, "R11");
  EXPECT_EQ(ImportedValues[11][1], 10);
  EXPECT_EQ(ImportedHeader[22].Name, "R12");
  EXPECT_EQ(ImportedHeader[11].Name, "");
}

TEST_F(NumberedFilesTest, ForeignIdentificationRefusesTheWholeSet) {
  // A foreign first file is refused before the excitation energy is asked.
  struct Case {
    const char* what;
    const char* firstId;
    const char* secondId;
    bool asksEnergy;
  } cases[] = {
      {"other letter case", "Xps", nullptr, false},
      {"empty first line", "", nullptr, false},
      {"second file foreign", "XPS", "UPS data", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string first = WriteSet("set.1", c.firstId, {Region{}});
    if (c.secondId != nullptr) WriteSet("set.2", c.secondId, {Region{}});
    else plat::RemoveFile(first.substr(0, first.size() - 1) + "2");
    G.CommandId = 0;
    if (c.asksEnergy) {
      Import(first, 1486.6, true);
    } else {
      plat::script::AnswerFile(first);
      AnswerMessage();
      Win[0].ImportFormat = 8;
      ImportNumberedFiles(0);
    }
    plat::driver::Finish();
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_EQ(G.SpectraReadCount, 0);
    EXPECT_TRUE(ImportedValues[1].empty());
  }
}

TEST_F(NumberedFilesTest, BadRegionKeepsTheCompleteOnesBeforeIt) {
  Region good;
  good.values = {4, 5, 6};
  struct Case {
    const char* what;
    std::vector<std::string> tail;  // the lines of the second region
  } cases[] = {
      {"values cut short", {HeaderLine(good), "O 1s", "1", "2"}},
      {"name line missing", {HeaderLine(good)}},
      {"no points", {HeaderLine([] { Region r; r.points = "0"; return r; }()), "O 1s"}},
      {"too many points",
       {HeaderLine([] { Region r; r.points = "40000"; return r; }()), "O 1s", "1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> lines = FileLines("XPS", {good});
    lines.insert(lines.end(), c.tail.begin(), c.tail.end());
    const std::string path = Write("short.1", lines);
    WriteSet("short.2", "XPS", {good});  // not read after the bad region
    G.CommandId = 0;
    Import(path, 1486.6, true);
    EXPECT_EQ(G.CommandId, 3);
    ASSERT_EQ(G.SpectraReadCount, 1);
    EXPECT_EQ(ImportedValues[1][1], 6);
    EXPECT_TRUE(ImportedValues[2].empty());
  }
}

TEST_F(NumberedFilesTest, AtMostEightyRegionsAreKept) {
  std::vector<Region> regions(81);
  Import(WriteSet("lots.1", "XPS", std::vector<Region>(79)));
  EXPECT_EQ(G.SpectraReadCount, 79);
  G.CommandId = 0;
  Import(WriteSet("lots.1", "XPS", regions), 1486.6, true);
  EXPECT_EQ(G.CommandId, 3);
  EXPECT_EQ(G.SpectraReadCount, 80);
  EXPECT_EQ(ImportedValues[80].Upper(), 3);
  EXPECT_TRUE(ImportedValues[81].empty());
}

TEST_F(NumberedFilesTest, BlankLinesAfterTheLastRegionEndTheFile) {
  std::vector<std::string> lines = FileLines("XPS", {Region{}});
  lines.push_back("");
  lines.push_back("   ");
  Import(Write("blank.1", lines));
  EXPECT_EQ(G.SpectraReadCount, 1);
}

TEST_F(NumberedFilesTest, CancelledDialogReadsNothing) {
  Import(WriteSet("keep.1", "XPS", {Region{}}));
  const std::string before = G.SourceFilePath;
  G.SourceFilePath = "\\elsewhere\\other.vms";  // the store holds another file now
  plat::script::CancelFile();
  Win[0].ImportFormat = 8;
  G.SpectraReadCount = 0;
  ImportNumberedFiles(0);
  EXPECT_EQ(G.SpectraReadCount, 0);
  EXPECT_EQ(G.SourceFilePath, "\\elsewhere\\other.vms");
  EXPECT_EQ(G.NumberedFilePath, before);
  EXPECT_EQ(ImportedValues[1].Upper(), 3);
}

TEST_F(NumberedFilesTest, RereadTakesTheWindowsSetAndExcitationEnergy) {
  Region c;
  c.values = {1, 2};
  Region o;
  o.name = "O 1s";
  o.values = {7, 8, 9};
  const std::string first = WriteSet("re.1", "XPSREW", {c});
  WriteSet("re.2", "XPSREW", {o});
  // Window 4 shows O 1s of the set, read with 1253.6 eV.
  WindowRecord& win = Win[4];
  win.WindowOpen = true;
  win.ImportFormat = 8;
  win.SourcePath = first;
  win.SourceDialogName = first;
  win.SourceSpectrumIndex = 2;
  win.SpectrumHeader.ExcitationEnergy = 1253.6;
  win.SpectrumHeader.PointCount = 3;
  G.DefaultExcitationEnergy = 1486.6;
  G.SourceFilePath = "\\elsewhere\\other.vms";
  G.NumberedFilePath = "\\elsewhere\\other.1";
  ASSERT_TRUE(ReloadSourceData(4));  // no dialog, no page
  EXPECT_EQ(G.DefaultExcitationEnergy, 1253.6);
  EXPECT_EQ(win.ImportFormat, 8);
  EXPECT_EQ(G.SourceFilePath, first);
  EXPECT_EQ(G.SpectraReadCount, 2);
  EXPECT_EQ(ImportedHeader[2].Name, "O 1s_2");
  EXPECT_EQ(ImportedHeader[2].ExcitationEnergy, 1253.6);
  EXPECT_EQ(ImportedValues[2][3], 9);
}

}  // namespace
