// The two-column readers: which lines are data, the energies and value order
// of the four directions, the pages they ask, the limits, the re-read of a
// window's source, the import from the menu and a real exported file.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/menu_commands.h"
#include "core/store.h"
#include "import/formats.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "import/two_column.h"
#include "tests/import/text_import_fixture.h"

using namespace sorvan;
using importtest::JoinLines;

namespace {

TEST(TwoColumnLines, DataLineTest) {
  const struct {
    const char* line;
    bool data;                // codes 16, 18, 22
    bool dataKineticFalling;  // code 20
  } cases[] = {
      {"1000.0 5", true, true},   {"  1000.0 5", true, false}, {"-2.5 40", true, false},
      {"+3 1", true, false},      {".5 1", true, false},       {"-.5 1", false, false},
      {"Title line", false, false}, {"# 12 comment", false, false}, {"", false, false},
      {"\t7\t8", true, false},    {"e5 1", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsTwoColumnDataLine(c.line, false), c.data) << c.line;
    EXPECT_EQ(IsTwoColumnDataLine(c.line, true), c.dataKineticFalling) << c.line;
  }
}

TEST(TwoColumnLines, EnergyAndIntensity) {
  const struct {
    const char* line;
    double energy, intensity;
  } cases[] = {
      {"285.5,1200", 285.5, 1200},   {"285.5;1200", 285.5, 1200}, {"285.5\t1200", 285.5, 1200},
      {"285.5    1200  3", 285.5, 1200}, {"  100  8974.5144  1 ", 100, 8974.5144},
      {"1.5E2 7", 150, 7},           {"285.5,,1200", 285.5, 0},   {"285.5 abc", 285.5, 0},
      {"285.5", 285.5, 0},
  };
  for (const auto& c : cases) {
    double e = -1, i = -1;
    SplitTwoColumnLine(c.line, e, i);
    EXPECT_DOUBLE_EQ(e, c.energy) << c.line;
    EXPECT_DOUBLE_EQ(i, c.intensity) << c.line;
  }
}

TEST(TwoColumnParse, CommentsAndEmptyLinesAreNotPoints) {
  const TwoColumnFile f = ParseTwoColumn(
      JoinLines({"Title", "E  I", "1000.00049 5", "", "# note", "999.5 7", "999.0 9", ""}), false);
  EXPECT_EQ(f.dataLines, 3);
  ASSERT_EQ(f.regions.size(), 1u);
  EXPECT_EQ(f.regions[0].intensities, (std::vector<double>{5, 7, 9}));
  EXPECT_DOUBLE_EQ(f.regions[0].firstEnergy, 1000.0);
  EXPECT_DOUBLE_EQ(f.regions[0].lastEnergy, 999.0);
}

class TwoColumnReaderTest : public importtest::TextImportTest {
 protected:
  // A new import of `code` answering the two pages with hv and the header
  // page's OK.
  void Import(int code, const std::string& path, const std::string& hv = "1486.6",
              bool partial = false) {
    NewImport([code](int w) { RunImportReader(code, w); }, code, path, [&] {
      if (partial) ExpectMessage();
      plat::script::SetText("ed251", -1, hv);
      plat::script::Click("cmdOK251");
      plat::script::SetText("ed261", -1, "My spectrum");
      plat::script::Click("cmdOk261");
    });
  }
  static std::vector<double> Values() {
    std::vector<double> v;
    for (int i = 1; i <= ImportedValues[1].Upper(); ++i) v.push_back(ImportedValues[1][i]);
    return v;
  }
};

TEST_F(TwoColumnReaderTest, FourDirections) {
  const std::string binding = Write(JoinLines({"Title line", "1000.0 5", "999.5 7", "999.0 9"}), "b.txt");
  const std::string kinetic = Write(JoinLines({"100 5", "101 7", "102 9"}), "k.txt");
  const struct {
    int code;
    const std::string& path;
    double start, end, step;
    std::vector<double> values;
  } cases[] = {
      {TwoColumnBinding, binding, 486.6, 487.6, 0.5, {5, 7, 9}},
      {TwoColumnBindingReversed, binding, 487.6, 486.6, 0.5, {9, 7, 5}},
      {TwoColumnKineticReversed, kinetic, 102, 100, 1, {9, 7, 5}},
      {TwoColumnKinetic, kinetic, 100, 102, 1, {5, 7, 9}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    ImportedHeader[1].ShortName = "left by an earlier file";
    Import(c.code, c.path);
    plat::driver::Finish();
    const SpectrumHeaderRecord& h = ImportedHeader[1];
    EXPECT_EQ(G.SpectraReadCount, 1);
    EXPECT_EQ(G.ImportMode, "NORM");
    EXPECT_EQ(G.SourceFilePath, c.path);
    EXPECT_EQ(h.PointCount, 3);
    EXPECT_NEAR(h.StartEnergy, c.start, 1e-9);
    EXPECT_NEAR(h.EndEnergy, c.end, 1e-9);
    EXPECT_NEAR(h.EnergyStep, c.step, 1e-12);
    EXPECT_DOUBLE_EQ(h.ExcitationEnergy, 1486.6);
    EXPECT_EQ(h.Name, "My spectrum");
    EXPECT_EQ(h.Technique, "CAE");
    EXPECT_EQ(h.Date, plat::FileDateText(c.path));
    EXPECT_EQ(h.ShortName, "");
    EXPECT_EQ(Values(), c.values);
    EXPECT_EQ(ImportedValues[1][0], 0);
    EXPECT_EQ(G.LineBuffer, "E_I");
  }
}

TEST_F(TwoColumnReaderTest, TypedExcitationEnergyIsKeptForLaterImports) {
  Import(TwoColumnBinding, Write(JoinLines({"1000.0 5", "999.0 9"}), "b.txt"), "1253,6");
  plat::driver::Finish();
  EXPECT_DOUBLE_EQ(G.DefaultExcitationEnergy, 1253.6);
  EXPECT_NEAR(ImportedHeader[1].StartEnergy, 253.6, 1e-9);
  EXPECT_NEAR(ImportedHeader[1].EndEnergy, 254.6, 1e-9);
}

TEST_F(TwoColumnReaderTest, LeadingBlankAndNegativeEnergiesDependOnTheCommand) {
  const std::string path = Write(JoinLines({"-1 40", " 0 5", "1 7", "2 9"}), "k.txt");
  Import(TwoColumnKinetic, path);
  plat::driver::Finish();
  EXPECT_EQ(Values(), (std::vector<double>{40, 5, 7, 9}));
  Import(TwoColumnKineticReversed, path);
  plat::driver::Finish();
  EXPECT_EQ(Values(), (std::vector<double>{9, 7}));
  EXPECT_NEAR(ImportedHeader[1].StartEnergy, 2, 1e-9);
  EXPECT_NEAR(ImportedHeader[1].EndEnergy, 1, 1e-9);
}

TEST_F(TwoColumnReaderTest, FilesWithoutTwoPointsAreRefused) {
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"empty", ""},
      {"no data line", JoinLines({"Title", "E I", "# comment"})},
      {"one data line", JoinLines({"Title", "100 5"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ImportedValues[1].Resize(3);
    // message 3, no page
    NewImport(ImportTwoColumnKinetic, TwoColumnKinetic, Write(c.text, "x.txt"), ExpectMessage);
    EndMessageScript();
    EXPECT_EQ(G.SpectraReadCount, 0);
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_TRUE(ImportedValues[1].empty());
  }
}

TEST_F(TwoColumnReaderTest, FilesWithoutAnAxisAreRefusedBeforeAnythingIsAsked) {
  std::string tooLong = "Energy Counts\n";
  for (int i = 0; i < 32770; ++i) tooLong += std::to_string(i) + " " + std::to_string(i % 100) + "\n";
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"more points than a spectrum holds", tooLong},
      {"energies not evenly spaced", JoinLines({"100 1", "101 2", "105 3", "106 4"})},
      {"every energy the same", JoinLines({"100 1", "100 2", "100 3"})},
      {"a number heading the data", JoinLines({"2 columns: energy, counts", "100 1", "101 2", "102 3"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::size_t shown = plat::MessagesShown().size();
    G.SpectraReadSaved = 0;
    plat::script::AnswerFile(Write(c.text, "x.txt"));
    plat::script::AnswerMessage(1);
    // Message 3 and nothing more: no excitation energy, no header page, no
    // window (a page asked would find no step and fail the test).
    plat::driver::ChooseMenu(1183);
    plat::driver::Finish();
    EXPECT_EQ(plat::MessagesShown().size(), shown + 1);
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_FALSE(Win[1].WindowOpen);
    EXPECT_TRUE(ImportedValues[1].empty());
  }
}

TEST_F(TwoColumnReaderTest, HeaderPageShowsNothingOfTheFileBefore) {
  SpectrumHeaderRecord& before = ImportedHeader[1];
  before.Name = "O 1s of the last file";
  before.Comment = "last comment";
  before.DwellTime = 0.15;
  before.ScanCount = 20;
  before.PassEnergy = 50;
  const std::string path = Write(JoinLines({"1000.0 5", "999.5 7", "999.0 9"}), "Si 2p.txt");
  NewImport([](int w) { RunImportReader(TwoColumnBinding, w); }, TwoColumnBinding, path, [] {
    plat::script::Click("cmdOK251");
    plat::script::Expect([] { return plat::Text(26, "ed261") == "Si 2p"; }, "name from this file");
    plat::script::Expect([] { return plat::Text(26, "ed262").empty(); }, "no comment");
    plat::script::Expect([] { return plat::Trim(plat::Text(26, "ed267")) == "1"; }, "dwell time preset");
    plat::script::Expect([] { return plat::Trim(plat::Text(26, "ed268")) == "1"; }, "scan count preset");
    plat::script::Click("cmdOk261");
  });
  plat::driver::Finish();
  const SpectrumHeaderRecord& h = ImportedHeader[1];
  EXPECT_EQ(h.Name, "Si 2p");
  EXPECT_EQ(h.Comment, "");
  EXPECT_DOUBLE_EQ(h.DwellTime, 1);
  EXPECT_DOUBLE_EQ(h.ScanCount, 1);
  EXPECT_DOUBLE_EQ(h.PassEnergy, 10);
}

TEST(TwoColumnRegions, RunsOfDataLinesAndTheirAxes) {
  const struct {
    const char* what;
    std::vector<std::string> lines;
    std::vector<int> points;  // per region
    std::vector<bool> even;
  } cases[] = {
      {"one axis across an empty line", {"100 1", "101 2", "", "102 3", "103 4"}, {4}, {true}},
      {"one axis across a comment", {"100 1", "# scan 2", "101 2", "102 3"}, {3}, {true}},
      {"two regions", {"# C 1s", "280 1", "280.5 2", "281 3", "", "# O 1s", "530 4", "530.1 5"},
       {3, 2}, {true, true}},
      {"a region running back", {"100 1", "101 2", "", "100 3", "101 4"}, {2, 2}, {true, true}},
      {"energies written to fewer digits", {"100 1", "100.033 2", "100.067 3", "100.1 4"}, {4}, {true}},
      {"a missing point", {"100 1", "101 2", "103 3", "104 4"}, {4}, {false}},
      {"every other line empty", {"100 1", "", "101 2", "", "102 3", ""}, {3}, {true}},
      {"single lines parted by comments", {"100 1", "# a", "101 2", "# b", "102 3"}, {1, 1, 1},
       {false, false, false}},
      {"a heading beginning with a number", {"2 columns", "", "100 1", "101 2"}, {1, 2}, {false, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TwoColumnFile f = ParseTwoColumn(JoinLines(c.lines), false);
    ASSERT_EQ(f.regions.size(), c.points.size());
    for (std::size_t r = 0; r < c.points.size(); ++r) {
      EXPECT_EQ(f.regions[r].intensities.size(), static_cast<std::size_t>(c.points[r])) << r;
      EXPECT_EQ(f.regions[r].evenlySpaced, c.even[r]) << r;
    }
  }
}

// Exports that give scans or cycles apart mark each with a "Cycle:" line;
// a "Region:" line begins a region.
TEST(TwoColumnRegions, ScansAndCyclesMakeOneRegion) {
  const struct {
    const char* what;
    std::vector<std::string> lines;
    std::size_t regions;
    std::vector<double> first;  // the first region's values
    double scans;               // its scan count (NaN: not stated)
    bool readable;
  } cases[] = {
      {"scans given apart",
       {"# Region: A", "# Cycle: 0, Curve: 0, Scan: 0", "100 1", "101 2", "#", "# Cycle: 0, Curve: 0, Scan: 1",
        "100 3", "101 4"},
       1, {4, 6}, 2, true},
      {"cycles of two scans each",
       {"# Region: A", "# Number of Scans: 2", "# Cycle: 0", "#", "# Cycle: 0, Curve: 0", "100 1", "101 2",
        "# Cycle: 1", "# Cycle: 1, Curve: 0", "100 3", "101 5"},
       1, {4, 7}, 4, true},
      {"counts per second: the rate of all scans",
       {"# Count Rate: Counts per Second", "# Region: A", "# Number of Scans: 1", "# Cycle: 0, Curve: 0",
        "100 10", "101 20", "# Cycle: 1, Curve: 0", "100 30", "101 60"},
       1, {20, 40}, 2, true},
      {"a scan on another axis",
       {"# Cycle: 0, Curve: 0, Scan: 0", "100 1", "101 2", "# Cycle: 0, Curve: 0, Scan: 1", "100.5 3", "101.5 4"},
       1, {1, 2}, NAN, false},
      {"a scan with a point less",
       {"# Cycle: 0, Curve: 0, Scan: 0", "100 1", "101 2", "102 3", "# Cycle: 0, Curve: 0, Scan: 1", "100 3",
        "101 4"},
       1, {1, 2, 3}, NAN, false},
      {"a region line parts one axis", {"# Region: A", "100 1", "101 2", "# Region: B", "102 3", "103 4"},
       2, {1, 2}, NAN, true},
      {"the first scan of the next region", {"# Cycle: 0, Curve: 0", "100 1", "101 2", "",
                                             "# Cycle: 0, Curve: 0", "102 3", "103 4"},
       2, {1, 2}, 1, true},
      {"one scan marked", {"# Number of Scans: 3", "# Cycle: 0, Curve: 0, Scan: 0", "100 1", "101 2"},
       1, {1, 2}, 1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TwoColumnFile f = ParseTwoColumn(JoinLines(c.lines), false);
    ASSERT_EQ(f.regions.size(), c.regions);
    const TwoColumnRegion& r = f.regions[0];
    EXPECT_EQ(r.intensities, c.first);
    EXPECT_TRUE(std::isnan(c.scans) ? std::isnan(r.stated.scanCount) : r.stated.scanCount == c.scans)
        << r.stated.scanCount;
    EXPECT_EQ(TwoColumnRegionReadable(r), c.readable);
  }
  // The region names of a file, for the message that names a region left
  // out; a region begun by no "Region:" line has none.
  const TwoColumnFile f = ParseTwoColumn(
      JoinLines({"# Region:   Fe 2p  ", "700 1", "701 2", "", "# note", "900 1", "901 2"}), false);
  ASSERT_EQ(f.regions.size(), 2u);
  EXPECT_EQ(f.regions[0].name, "Fe 2p");
  EXPECT_EQ(f.regions[1].name, "");
}

TEST_F(TwoColumnReaderTest, CancelledDialogReadsNothing) {
  ImportedValues[1].Resize(4);
  Win[0].ImportFormat = TwoColumnBinding;
  G.SpectraReadCount = 0;
  plat::script::CancelFile();
  ImportTwoColumnBinding(0);
  plat::driver::Finish();
  EXPECT_EQ(G.SpectraReadCount, 0);
  EXPECT_EQ(ImportedValues[1].Upper(), 4);  // the store is not erased
}

TEST_F(TwoColumnReaderTest, RereadAsksNothingAndKeepsTheWindowsHeader) {
  const std::string path = Write(JoinLines({"100 5", "101 7", "102 9"}), "k.txt");
  SpectrumHeaderRecord& own = Win[3].SpectrumHeader;
  own.Name = "window name";
  own.Comment = "window comment";
  own.StartEnergy = 500;
  own.EndEnergy = 502;
  own.ExcitationEnergy = 1253.6;
  own.PointCount = 3;
  own.EnergyStep = 1;
  Win[3].ImportFormat = TwoColumnKinetic + 1;
  G.SourceFilePath = path;
  ImportTwoColumnKinetic(3);
  plat::driver::Finish();  // no page, no dialog
  const SpectrumHeaderRecord& h = ImportedHeader[1];
  EXPECT_EQ(G.SpectraReadCount, 1);
  EXPECT_EQ(h.Name, "window name");
  EXPECT_EQ(h.Comment, "window comment");
  EXPECT_DOUBLE_EQ(h.StartEnergy, 500);
  EXPECT_DOUBLE_EQ(h.EndEnergy, 502);
  EXPECT_DOUBLE_EQ(h.ExcitationEnergy, 1253.6);
  EXPECT_EQ(Values(), (std::vector<double>{5, 7, 9}));
}

TEST_F(TwoColumnReaderTest, ImportFromTheMenuOpensAWindow) {
  const std::string path = Write(JoinLines({"Title line", "1000.0 5", "999.5 7", "999.0 9"}), "b.txt");
  plat::script::AnswerFile(path);
  plat::script::SetText("ed251", -1, "1486.6");
  plat::script::Click("cmdOK251");
  plat::script::SetText("ed261", -1, "C 1s");
  plat::script::SetText("ed267", -1, "0.5");
  plat::script::SetText("ed268", -1, "4");
  plat::script::Click("cmdOk261");
  plat::script::Click("cmd23");  // all spectra of the file
  plat::driver::ChooseMenu(1180);
  plat::driver::Finish();
  ASSERT_TRUE(Win[1].WindowOpen);
  const SpectrumHeaderRecord& h = Win[1].SpectrumHeader;
  EXPECT_EQ(h.Name, "C 1s");
  EXPECT_EQ(h.PointCount, 3);
  EXPECT_NEAR(h.StartEnergy, 486.6, 1e-9);
  EXPECT_DOUBLE_EQ(h.DwellTime, 0.5);
  EXPECT_DOUBLE_EQ(h.ScanCount, 4);
  EXPECT_EQ(Win[1].ImportFormat, TwoColumnBinding);
  EXPECT_EQ(Win[1].SourcePath, path);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(SlotData[1](i, 1), 3 + 2 * i) << i;
  EXPECT_EQ(G.CurrentWindow, 1);
}

TEST_F(TwoColumnReaderTest, ExportedFileOfFourRegionsFromTheMenu) {
  const std::string native = testsupport::SamplesDir() + "/specs-two-column.xy";
  if (!plat::FileExists(plat::ProgramPath(native)))
    GTEST_SKIP() << "sample file not found: " << native;
  // Four regions, each after its own "#" comment block: four spectra, each
  // on its own axis, one excitation energy and a header page per region.
  const TwoColumnFile f = ParseTwoColumn(testsupport::ReadFile(native), false);
  ASSERT_EQ(f.regions.size(), 4u);
  plat::script::AnswerFile(plat::ProgramPath(native));
  plat::script::SetText("ed251", -1, "1400");
  plat::script::Click("cmdOK251");
  for (const char* name : {"survey", "O 1s", "Si 2p", "C 1s"}) {
    plat::script::SetText("ed261", -1, name);
    plat::script::Click("cmdOk261");
  }
  plat::script::Click("cmd23");  // all spectra of the file
  plat::driver::ChooseMenu(1183);
  plat::driver::Finish();
  EXPECT_TRUE(plat::MessagesShown().empty());
  // Each region carries the excitation energy, dwell time, scans and pass
  // energy its comment block states; the file gives counts per second, which
  // the windows hold as counts (times scans and dwell time).
  const struct {
    const char* name;
    int points;
    double start, end, step, hv, dwell, pass;
  } regions[] = {
      {"survey", 1303, 100, 1402, 1, 1400, 0.15, 30},
      {"O 1s", 281, 100, 114, 0.05, 640, 0.2, 10},
      {"Si 2p", 501, 533, 543, 0.02, 640, 0.2, 10},
      {"C 1s", 301, 525, 555, 0.1, 525, 0.1, 20},
  };
  for (int w = 1; w <= 4; ++w) {
    const auto& r = regions[w - 1];
    SCOPED_TRACE(r.name);
    ASSERT_TRUE(Win[w].WindowOpen);
    const SpectrumHeaderRecord& h = Win[w].SpectrumHeader;
    EXPECT_EQ(h.Name, r.name);
    EXPECT_EQ(h.PointCount, r.points);
    EXPECT_DOUBLE_EQ(h.StartEnergy, r.start);
    EXPECT_DOUBLE_EQ(h.EndEnergy, r.end);
    EXPECT_NEAR(h.EnergyStep, r.step, 1e-9);
    EXPECT_DOUBLE_EQ(h.ExcitationEnergy, r.hv);
    EXPECT_DOUBLE_EQ(h.DwellTime, r.dwell);
    EXPECT_DOUBLE_EQ(h.ScanCount, 1);
    EXPECT_DOUBLE_EQ(h.PassEnergy, r.pass);
    EXPECT_EQ(h.Comment, "counts/s");
    EXPECT_EQ(Win[w].SourceSpectrumIndex, w);
    // The menu reads the file as text (its "45\xB0" comment line decoded as
    // Windows-1252); every value equals what the raw bytes give.
    for (int i = 1; i <= r.points; ++i)
      ASSERT_DOUBLE_EQ(SlotData[w](i, 1), r.dwell * f.regions[static_cast<std::size_t>(w - 1)].intensities[static_cast<std::size_t>(i - 1)]) << i;
  }
  EXPECT_FALSE(Win[5].WindowOpen);
  EXPECT_DOUBLE_EQ(SlotData[1](1, 1), 8974.5144 * 0.15);
  EXPECT_DOUBLE_EQ(SlotData[1](2, 1), 8422.512 * 0.15);
  EXPECT_DOUBLE_EQ(SlotData[2](1, 1), f.regions[1].intensities.front() * 0.2);
  EXPECT_DOUBLE_EQ(SlotData[4](301, 1), f.regions[3].intensities.back() * 0.1);

  // Another file replaces the store; reverting the third window reads its
  // own region again and asks nothing.
  plat::script::AnswerFile(Write(JoinLines({"100 5", "101 7"}), "other.txt"));
  plat::script::Click("cmdOK251");
  plat::script::Click("cmdOk261");
  plat::script::Click("cmdCancel22");  // nothing placed
  plat::driver::ChooseMenu(1183);
  SlotData[3](1, 1) = -1;
  G.CurrentWindow = 3;
  plat::driver::ChooseMenu(1900);
  plat::driver::Finish();
  EXPECT_DOUBLE_EQ(SlotData[3](1, 1), f.regions[2].intensities.front() * 0.2);
  EXPECT_EQ(Win[3].SpectrumHeader.Name, "Si 2p");
}

// An instrument export of many regions, as such programs write it: a file
// header, then per region a comment block stating its parameters and a run
// of kinetic energies with counts per second. Region 2 is recorded at 640 eV.
std::string ManyRegionExport(int regions) {
  std::string t = "# Created by: acquisition program\n#   Counts Per Second:        yes\n#\n";
  for (int r = 1; r <= regions; ++r) {
    t += "# Region:            R" + std::to_string(r) + "\n";
    t += "# Number of Scans:   " + std::string(r == 2 ? "4" : "1") + "\n";
    t += "# Dwell Time:        " + std::string(r == 2 ? "0.25" : "0.1") + "\n";
    t += std::string("# Excitation Energy: ") + (r == 2 ? "640" : "1486.61") + "\n";
    t += "# Pass Energy:       " + std::string(r == 2 ? "20" : "50") + "\n#\n";
    const double start = r == 2 ? 524.6 : 100 + r;
    for (int i = 0; i < 3; ++i) t += plat::NumberToText(start + 16 * i) + "  " + std::to_string(10 * (i + 1)) + "\n";
    t += "\n";
  }
  return t;
}

TEST(TwoColumnStatements, CommentLinesStateTheHeader) {
  const struct {
    const char* line;
    double hv, dwell, pass, scans;
    int cps;
  } cases[] = {
      {"# Excitation Energy: 640", 640, NAN, NAN, NAN, -1},
      {"#   dwell time:  0.15", NAN, 0.15, NAN, NAN, -1},
      {"; Pass Energy = 20 eV", NAN, NAN, 20, NAN, -1},
      {"# Number of Scans:   12", NAN, NAN, NAN, 12, -1},
      {"#   Counts Per Second:        yes", NAN, NAN, NAN, NAN, 1},
      {"#   Counts Per Second:        no", NAN, NAN, NAN, NAN, 0},
      {"#   Count Rate:               Counts per Second", NAN, NAN, NAN, NAN, 1},
      {"# Count Rate: Counts", NAN, NAN, NAN, NAN, 0},
      {"# ColumnLabels: energy counts/s", NAN, NAN, NAN, NAN, -1},
      {"# Excitation Energy: none", NAN, NAN, NAN, NAN, -1},
      {"# Excitation Energy: -5", NAN, NAN, NAN, NAN, -1},
      {"# Kinetic Energy:    100", NAN, NAN, NAN, NAN, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    TwoColumnStated s;
    ReadTwoColumnStatement(c.line, s);
    const auto same = [](double a, double b) { return std::isnan(a) ? std::isnan(b) : a == b; };
    EXPECT_TRUE(same(c.hv, s.excitationEnergy));
    EXPECT_TRUE(same(c.dwell, s.dwellTime));
    EXPECT_TRUE(same(c.pass, s.passEnergy));
    EXPECT_TRUE(same(c.scans, s.scanCount));
    EXPECT_EQ(s.countsPerSecond, c.cps);
  }
}

TEST_F(TwoColumnReaderTest, ManyRegionsAreReadAsFarAsTheWindowsTakeThem) {
  const std::string path = Write(ManyRegionExport(294), "export.xy");
  plat::script::AnswerFile(path);
  plat::script::AnswerMessage(1, "294");
  plat::script::SetText("ed251", -1, "1486.6");
  plat::script::Click("cmdOK251");
  // The page of region 2 shows what the file states for it.
  plat::script::Click("cmdOk261");
  plat::script::Expect([] { return plat::Trim(plat::Text(26, "lb2617")) == "640"; }, "hv of the file");
  plat::script::Expect([] { return plat::Trim(plat::Text(26, "ed267")) == "0.25"; }, "dwell of the file");
  plat::script::Expect([] { return plat::Trim(plat::Text(26, "ed268")) == "4"; }, "scans of the file");
  plat::script::Expect([] { return plat::Trim(plat::Text(26, "ed2610")) == "20"; }, "pass energy");
  plat::script::Expect([] { return plat::Text(26, "ed262") == "counts/s"; }, "counts per second");
  for (int k = 2; k <= 100; ++k) plat::script::Click("cmdOk261");
  plat::script::SelectItems("lib21", -1, {1});
  plat::script::Click("cmdOk21");
  plat::driver::ChooseMenu(1183);
  plat::driver::Finish();

  ASSERT_EQ(plat::MessagesShown().size(), 1u);
  EXPECT_NE(plat::MessagesShown()[0].text.find("194 regions"), std::string::npos);
  EXPECT_EQ(G.SpectraReadCount, 100);
  EXPECT_EQ(ImportedHeader[HeaderIndexOfSpectrum(100)].PointCount, 3);
  ASSERT_TRUE(Win[1].WindowOpen);
  EXPECT_FALSE(Win[2].WindowOpen);
  const SpectrumHeaderRecord& h = Win[1].SpectrumHeader;
  EXPECT_DOUBLE_EQ(h.ExcitationEnergy, 640);
  EXPECT_DOUBLE_EQ(h.DwellTime, 0.25);
  EXPECT_DOUBLE_EQ(h.ScanCount, 4);
  EXPECT_DOUBLE_EQ(h.PassEnergy, 20);
  // Binding energies 115.4 down to 83.4 eV, not 930 to 962.
  EXPECT_NEAR(h.ExcitationEnergy - h.StartEnergy, 115.4, 1e-9);
  EXPECT_NEAR(h.ExcitationEnergy - h.EndEnergy, 83.4, 1e-9);
  // Counts per second times scans and dwell time: counts.
  for (int i = 1; i <= 3; ++i) EXPECT_DOUBLE_EQ(SlotData[1](i, 1), 10.0 * i) << i;
  EXPECT_DOUBLE_EQ(ImportedValues[2][1], 10.0);
  EXPECT_DOUBLE_EQ(ImportedValues[1][1], 10.0 * 0.1);
}


// The exports of a current acquisition program, in the small files of
// tests/import/two_column_files, read through the menu as a user reads them.
class CurrentExportTest : public TwoColumnReaderTest {
 protected:
  // A copy of fixture `name` in the test's folder (program form).
  std::string Fixture(const std::string& name) {
    const std::string native = testsupport::SourceDir() + "/tests/import/two_column_files/" + name;
    return Write(testsupport::ReadFile(native), name);
  }
  // File > Import > two columns, binding energies falling: the excitation
  // energy page, `pages` header pages and every spectrum placed;
  // `messages` boxes are answered with OK.
  static void ImportAll(const std::string& path, int pages, int messages = 0, int command = 1180) {
    plat::script::AnswerFile(path);
    for (int m = 0; m < messages; ++m) plat::script::AnswerMessage(1);
    plat::script::SetText("ed251", -1, "1486.61");
    plat::script::Click("cmdOK251");
    for (int k = 0; k < pages; ++k) plat::script::Click("cmdOk261");
    plat::script::Click("cmd23");
    plat::driver::ChooseMenu(command);
  }
  static std::vector<double> Column(int w) {
    std::vector<double> v;
    for (int i = 1; i <= Win[w].SpectrumHeader.PointCount; ++i) v.push_back(SlotData[w](i, 1));
    return v;
  }
  static void ExpectValues(const std::vector<double>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-9 * std::fabs(want[i])) << i;
  }
  // The lines of message box m (character-13 breaks).
  static std::vector<std::string> MessageLines(std::size_t m) {
    std::vector<std::string> lines(1);
    for (const char c : plat::MessagesShown().at(m).text) {
      if (c == '\r') lines.emplace_back();
      else lines.back() += c;
    }
    return lines;
  }
};

// The values a current export gives in counts per second are counts per
// second: shown as they stand in counts-per-second mode, stored as counts.
TEST_F(CurrentExportTest, CountRateKeyGivesCountsPerSecond) {
  G.CpsMode = 1;
  ImportAll(Fixture("count-rate.xy"), 2);
  plat::driver::Finish();
  EXPECT_TRUE(plat::MessagesShown().empty());
  ASSERT_TRUE(Win[1].WindowOpen);
  ASSERT_TRUE(Win[2].WindowOpen);
  // C1s: one scan of 0.1 s; O1s: two scans of 0.3 s.
  EXPECT_DOUBLE_EQ(Win[1].SpectrumHeader.DwellTime, 0.1);
  EXPECT_DOUBLE_EQ(Win[2].SpectrumHeader.ScanCount, 2);
  EXPECT_EQ(Win[1].SpectrumHeader.Comment, "counts/s");
  ExpectValues(Column(1), {8162, 9050, 12480, 9311, 8020});
  ExpectValues(Column(2), {3000, 3600, 7260, 3450, 2910});
  EXPECT_NEAR(ImportedValues[1][1], 816.2, 1e-9);
  EXPECT_NEAR(ImportedValues[2][1], 1800, 1e-9);
}

// Each scan and cycle of a region given apart: one spectrum per region,
// the counts of its scans summed and their number its scan count.
TEST_F(CurrentExportTest, ScansGivenApartMakeOneSpectrumPerRegion) {
  const std::string path = Fixture("separate-scans.xy");
  plat::script::AnswerFile(path);
  plat::script::SetText("ed251", -1, "1486.61");
  plat::script::Click("cmdOK251");
  plat::script::Expect([] { return plat::Trim(plat::Text(26, "ed268")) == "3"; }, "Fe2p: 3 scans");
  plat::script::Click("cmdOk261");
  plat::script::Expect([] { return plat::Trim(plat::Text(26, "ed268")) == "4"; }, "O1s: 2 cycles of 2 scans");
  plat::script::Click("cmdOk261");
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(1180);
  plat::driver::Finish();
  EXPECT_TRUE(plat::MessagesShown().empty());
  EXPECT_EQ(G.SpectraReadCount, 2);
  ASSERT_TRUE(Win[1].WindowOpen);
  ASSERT_TRUE(Win[2].WindowOpen);
  EXPECT_FALSE(Win[3].WindowOpen);
  const SpectrumHeaderRecord& fe = Win[1].SpectrumHeader;
  EXPECT_EQ(fe.PointCount, 4);
  EXPECT_NEAR(fe.ExcitationEnergy - fe.StartEnergy, 712, 1e-9);
  EXPECT_NEAR(fe.ExcitationEnergy - fe.EndEnergy, 709, 1e-9);
  EXPECT_DOUBLE_EQ(fe.ScanCount, 3);
  EXPECT_DOUBLE_EQ(Win[2].SpectrumHeader.ScanCount, 4);
  // Counts: the scans' counts per second times the dwell time, summed.
  ExpectValues(Column(1), {60, 120, 180, 240});
  ExpectValues(Column(2), {20.4, 23.6, 28.4});
  // Counts per second: the mean of the scans.
  G.CpsMode = 1;
  G.CurrentWindow = 1;
  plat::driver::ChooseMenu(CmdRevertSpectrum);
  plat::driver::Finish();
  ExpectValues(Column(1), {100, 200, 300, 400});
}

// A region that cannot be read is left out with a message naming it; the
// regions around it are read and placed.
TEST_F(CurrentExportTest, ARegionThatCannotBeReadIsLeftOut) {
  const struct {
    const char* file;
    std::string text;  // "" for the fixture of that name
    std::string named;
    std::vector<int> points;
    std::vector<double> first;  // each window's first value (counts)
  } cases[] = {
      {"uneven-region.xy", "", "2 (Fe2p)", {4, 3}, {1, 0.7}},
      {"one-line-region.xy", "", "3 (N1s)", {4, 3}, {1, 0.7}},
      {"heading.txt", JoinLines({"2 columns: energy, counts", "", "1000 1", "999 2"}), "1", {2}, {1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = c.text.empty() ? Fixture(c.file) : Write(c.text, c.file);
    const int spectra = static_cast<int>(c.points.size());
    const std::size_t shown = plat::MessagesShown().size();
    ImportAll(path, spectra, 1);
    plat::driver::Finish();
    ASSERT_EQ(plat::MessagesShown().size(), shown + 1);
    const std::vector<std::string> lines = MessageLines(shown);
    EXPECT_EQ(lines.front(), G.CaptionTexts[12]);
    EXPECT_EQ(lines.back(), c.named);
    EXPECT_EQ(G.SpectraReadCount, spectra);
    for (int w = 1; w <= spectra; ++w) {
      ASSERT_TRUE(Win[w].WindowOpen) << w;
      EXPECT_EQ(Win[w].SpectrumHeader.PointCount, c.points[static_cast<std::size_t>(w - 1)]) << w;
      EXPECT_EQ(Win[w].SourceSpectrumIndex, w);
      EXPECT_NEAR(SlotData[w](1, 1), c.first[static_cast<std::size_t>(w - 1)], 1e-9) << w;
    }
    EXPECT_FALSE(Win[spectra + 1].WindowOpen);
    for (int w = 1; w <= spectra; ++w) plat::driver::CloseWindow(w);
  }
}

// A window from a file of which a region was left out reads its own region
// again wherever the program reads a window's source: Revert, a series, the
// spectrum table's source column and a project load. The file was imported
// while 98 windows were open; they are closed and another file is read
// before each of these.
TEST_F(CurrentExportTest, AWindowOfAPartlyReadFileReadsItsRegionAgain) {
  ImportAll(Write(ManyRegionExport(98), "many.xy"), 98, 0, 1183);
  ASSERT_TRUE(Win[98].WindowOpen);
  // C1s and O1s into windows 99 and 100; N1s, a single line, is left out.
  ImportAll(Fixture("one-line-region.xy"), 2, 1);
  plat::driver::Finish();
  ASSERT_TRUE(Win[99].WindowOpen);
  ASSERT_TRUE(Win[100].WindowOpen);
  EXPECT_EQ(MessageLines(0).back(), "3 (N1s)");
  for (int w = 1; w <= 98; ++w) plat::driver::CloseWindow(w);
  const std::vector<double> o1s = {0.7, 0.8, 0.9};
  ExpectValues(Column(100), o1s);

  // Another file on the grid of O1s, placed into window 1 and closed again
  // after each of the four.
  const std::string other = Write(JoinLines({"531 1", "530 2", "529 3"}), "other.txt");
  auto importOther = [&] {
    ImportAll(other, 1);
    plat::driver::Finish();
    ASSERT_TRUE(Win[1].WindowOpen);
    if (Win[100].WindowOpen)
      for (int i = 1; i <= 3; ++i) SlotData[100](i, 1) = -1;  // processed since
  };
  const std::size_t before = plat::MessagesShown().size();

  importOther();
  G.CurrentWindow = 100;
  plat::driver::ChooseMenu(CmdRevertSpectrum);
  plat::driver::Finish();
  {
    SCOPED_TRACE("revert");
    ExpectValues(Column(100), o1s);
    EXPECT_EQ(G.SourceFilePath, Win[100].SourcePath);
  }
  plat::driver::CloseWindow(1);

  // The other file's window is the template; the choice lists 99 and 100.
  importOther();
  plat::script::SetValue("chk201", 2, 1);
  plat::script::Click("cmdOk201");
  plat::script::AnswerMessage(1);  // the processing summary
  plat::script::AnswerMessage(1);  // the series is finished
  plat::driver::ChooseMenu(CmdProcessSeries);
  plat::driver::Finish();
  {
    SCOPED_TRACE("series");
    ExpectValues(Column(100), o1s);
  }
  plat::driver::CloseWindow(1);

  importOther();
  G.CurrentWindow = 100;
  const std::string table = plat::ProgramPath(folder_ + "/o1s.dat");
  plat::script::Click("cmdOk191");
  plat::script::SetValue("chk181", -1, 1);
  plat::script::Click("cmdOk181");
  plat::script::AnswerFile(table);
  plat::driver::ChooseMenu(CmdExportSpectrumTable);
  plat::driver::Finish();
  {
    SCOPED_TRACE("table");
    const std::string written = testsupport::ReadFile(plat::NativePath(table));
    EXPECT_NE(written.find("\n 531; 0.7;"), std::string::npos) << written;
    EXPECT_NE(written.find("\n 529; 0.9;"), std::string::npos) << written;
  }
  plat::driver::CloseWindow(1);

  // A project of windows 99 and 100, opened after the other file was read:
  // the windows come back as 1 and 2.
  const std::string project = plat::ProgramPath(folder_ + "/session.svr");
  plat::script::AnswerFile(project);
  plat::driver::ChooseMenu(CmdSaveProjectAs);
  plat::driver::CloseWindow(99);
  plat::driver::CloseWindow(100);
  importOther();
  plat::driver::CloseWindow(1);
  plat::script::AnswerFile(project);
  plat::driver::ChooseMenu(CmdOpenProject);
  plat::driver::Finish();
  {
    SCOPED_TRACE("project");
    ASSERT_TRUE(Win[2].WindowOpen);
    EXPECT_EQ(Win[2].SpectrumHeader.PointCount, 3);
    EXPECT_EQ(G.SourceFilePath, Win[2].SourcePath);
    ASSERT_TRUE(LoadWindowSource(2));
    for (int i = 1; i <= 3; ++i) EXPECT_NEAR(WorkData[i], o1s[static_cast<std::size_t>(i - 1)], 1e-12) << i;
  }
  // No message since the import but the series' summary and its end: no
  // "Unexpected data format", no "The chosen file does not exist."
  ASSERT_EQ(plat::MessagesShown().size(), before + 2);
  EXPECT_EQ(plat::MessagesShown()[before + 1].text, G.LabelTexts[38]);
}

}  // namespace
