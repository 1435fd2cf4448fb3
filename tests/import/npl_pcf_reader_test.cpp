// The NPL and PCF readers on small files written to their layouts: the
// header items at their character places, the shared PCF header, the energy
// rounding of PCF files, and damaged files that keep only complete spectra.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "import/npl_pcf.h"
#include "import/reader_support.h"
#include "platform/dialogs.h"
#include "tests/import/vamas_fixture.h"

using namespace sorvan;

namespace {

std::string Pad(const std::string& text, std::size_t width) {
  std::string s = text;
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

struct NplSpectrum {
  std::string name = "C1s";
  std::string points;  // "" = the number of values
  double start = 280, end = 282, step = 1;
  std::string mode = "FAT";
  double pass = 50;
  int scans = 5;
  int dwellMs = 100;
  std::string anode = "Al Ka";
  std::vector<std::string> values = {"10", "20", "30"};
};

// An NPL file: "---" signature, the spectrum count at the start of field 3,
// then fourteen header fields (one per line) and the values of each spectrum.
std::string MakeNpl(const std::vector<NplSpectrum>& spectra, const std::string& count = "") {
  std::vector<std::string> L = {"--- NPL export", "instrument",
                                count.empty() ? Pad(std::to_string(spectra.size()), 2) + " spectra"
                                              : count,
                                "field 4", "field 5"};
  char buf[64];
  for (const NplSpectrum& s : spectra) {
    L.push_back("spectrum");
    L.push_back("Region name: " + s.name);  // the name starts at character 14
    L.push_back((s.points.empty() ? Pad(std::to_string(s.values.size()), 4) : s.points) +
                " points");
    std::snprintf(buf, sizeof buf, "Start:%9.4f", s.start);
    L.push_back(buf);
    std::snprintf(buf, sizeof buf, "End  :%9.4f", s.end);
    L.push_back(buf);
    std::snprintf(buf, sizeof buf, "Step :%9.4f", s.step);
    L.push_back(buf);
    L.push_back("field 7");
    L.push_back("field 8");
    std::snprintf(buf, sizeof buf, "%s  %4.1f", s.mode.c_str(), s.pass);
    L.push_back(buf);
    L.push_back("field 10");
    L.push_back(Pad(std::to_string(s.scans), 2) + " scans");
    L.push_back("Dwell time: " + Pad(std::to_string(s.dwellMs), 4) + " ms");
    L.push_back(s.anode);
    L.push_back("field 14");
    for (const std::string& v : s.values) L.push_back(v);
  }
  std::string text;
  for (const std::string& l : L) text += l + "\r\n";
  return text;
}

struct PcfSpectrum {
  std::string name = "C 1s";
  std::string points;  // "" = the number of values
  std::string start = "200", end = "201";
  double pass = 20, dwell = 0.05;
  std::vector<std::string> values = {"1", "2"};
};

// A PCF file: the "PCF" line, the shared header, the parameters of every
// spectrum, then each spectrum's values followed by one line.
std::string MakePcf(const std::vector<PcfSpectrum>& spectra, const std::string& firstLine = "PCF",
                    int anodeCode = 2) {
  std::string t = firstLine + "\r\n";
  t += "unused\r\n12.03.2006\r\nunused\r\nunused\r\n" + std::to_string(spectra.size()) + "\r\n";
  for (const PcfSpectrum& s : spectra) t += s.name + "\r\n";
  t += "unused\r\nsample comment\r\n";
  for (int j = 0; j < 5; ++j) t += "header line\r\n";
  t += "FRR\r\n8\r\nunused\r\n" + std::to_string(anodeCode) + "\r\n";
  for (int j = 0; j < 3; ++j) t += "header line\r\n";
  for (const PcfSpectrum& s : spectra) {
    t += (s.points.empty() ? std::to_string(s.values.size()) : s.points) + "," + s.start + "," +
         s.end + "," + importtest::Num(s.pass) + ",x," + importtest::Num(s.dwell) + ",x\r\n";
  }
  for (const PcfSpectrum& s : spectra) {
    for (const std::string& v : s.values) t += v + "\r\n";
    t += "end of spectrum\r\n";
  }
  return t;
}

class NplPcfReaderTest : public importtest::ImportTest {
 protected:
  void ImportNplText(const std::string& text) {
    G.SourceFilePath = WriteVamas(text, "test.npl");
    Win[0].ImportFormat = 15;  // read the named file without a dialog
    G.SpectraReadCount = 0;
    ImportNpl(0);
  }
  void ImportPcfText(const std::string& text) {
    G.SourceFilePath = WriteVamas(text, "test.dat");
    Win[0].ImportFormat = 29;
    G.SpectraReadCount = 0;
    ImportPcf(0);
  }
  static std::vector<double> Values(int k) {
    std::vector<double> v;
    for (long long i = 1; i <= ImportedValues[k].Upper(); ++i) v.push_back(ImportedValues[k][i]);
    return v;
  }
};

TEST_F(NplPcfReaderTest, NplHeaderFieldsComeFromTheirCharacterPlaces) {
  NplSpectrum a;
  NplSpectrum b;
  b.name = "O1s";
  b.start = 950.5;
  b.end = 951.5;
  b.step = 0.5;
  b.mode = "FRR";
  b.pass = 100;
  b.scans = 12;
  b.dwellMs = 250;
  b.anode = "Mg Ka";
  ImportedHeader[2].ShortName = "from an earlier file";
  ImportNplText(MakeNpl({a, b}));
  ASSERT_EQ(G.SpectraReadCount, 2);
  EXPECT_EQ(G.ImportMode, "NORM");
  const SpectrumHeaderRecord& h = ImportedHeader[2];
  EXPECT_EQ(h.Name, "O1s");
  EXPECT_EQ(h.PointCount, 3);
  EXPECT_DOUBLE_EQ(h.StartEnergy, 950.5);
  EXPECT_DOUBLE_EQ(h.EndEnergy, 951.5);
  EXPECT_DOUBLE_EQ(h.EnergyStep, 0.5);
  EXPECT_EQ(h.Technique, "FRR");
  EXPECT_DOUBLE_EQ(h.PassEnergy, 100);
  EXPECT_DOUBLE_EQ(h.ScanCount, 12);
  EXPECT_DOUBLE_EQ(h.DwellTime, 0.25);  // milliseconds in the file
  EXPECT_DOUBLE_EQ(h.ExcitationEnergy, 1253.6);
  EXPECT_EQ(h.ShortName, "");  // nothing of an earlier file remains
  EXPECT_EQ(Values(2), (std::vector<double>{10, 20, 30}));
  EXPECT_FALSE(plat::IsOpen(1));
}

TEST_F(NplPcfReaderTest, NplAnodeFieldChoosesTheExcitationEnergy) {
  const std::pair<const char*, double> cases[] = {
      {"Al Ka", 1486.6}, {"al", 1486.6}, {"AL", 1486.6}, {"aL mono", 1486.6},
      {"Mg Ka", 1253.6}, {"A", 1253.6},  {"", 1253.6},
  };
  for (const auto& [anode, energy] : cases) {
    SCOPED_TRACE(anode);
    NplSpectrum s;
    s.anode = anode;
    ImportNplText(MakeNpl({s}));
    ASSERT_EQ(G.SpectraReadCount, 1);
    EXPECT_DOUBLE_EQ(ImportedHeader[1].ExcitationEnergy, energy);
  }
}

TEST_F(NplPcfReaderTest, SpectraFromTheFifthOnTakeOneFieldPerValue) {
  // Spectra 1 to 4 take a whole line per value, later spectra one field,
  // so a line "7,8" is one value or two.
  std::vector<NplSpectrum> spectra(12);
  for (int k = 0; k < 12; ++k) spectra[k].name = "S" + std::to_string(k + 1);
  spectra[0].values = {"7,99", "8"};
  spectra[4].values = {"7,8"};
  spectra[4].points = "   2";
  ImportNplText(MakeNpl(spectra));
  ASSERT_EQ(G.SpectraReadCount, 12);
  EXPECT_EQ(Values(1), (std::vector<double>{7, 8}));
  EXPECT_EQ(Values(5), (std::vector<double>{7, 8}));
  EXPECT_EQ(ImportedHeader[21].Name, "S11");
  EXPECT_EQ(Values(11), (std::vector<double>{10, 20, 30}));
}

struct BadCase {
  const char* what;
  std::string text;
  int kept;  // complete spectra before the fault
};

TEST_F(NplPcfReaderTest, DamagedNplFilesKeepOnlyCompleteSpectra) {
  NplSpectrum good;
  NplSpectrum noCount;
  noCount.points = "many";
  NplSpectrum zeroPoints;
  zeroPoints.points = "   0";
  NplSpectrum noEnergy;
  noEnergy.start = 0;
  std::string noEnergyText = MakeNpl({good, noEnergy});
  noEnergyText.replace(noEnergyText.rfind("Start:"), 15, "Start:    start");
  const std::string two = MakeNpl({good, good});
  const BadCase cases[] = {
      {"wrong signature", "--x" + two.substr(3), 0},
      {"empty file", "", 0},
      {"count not a number", MakeNpl({good}, "xx spectra"), 0},
      {"count 0", MakeNpl({good}, " 0"), 0},
      {"cut in the second header", two.substr(0, two.find("Step", two.find("spectrum", 60))), 1},
      {"cut in the second spectrum's values", two.substr(0, two.size() - 5), 1},
      {"more spectra announced than written", MakeNpl({good, good}, " 3"), 2},
      {"point count not a number", MakeNpl({good, noCount}), 1},
      {"point count 0", MakeNpl({good, zeroPoints}), 1},
      {"start energy not a number", noEnergyText, 1},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectMessage();
    G.CommandId = 0;
    ImportNplText(c.text);
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_EQ(G.SpectraReadCount, c.kept);
    for (int k = c.kept + 1; k <= 3; ++k) EXPECT_TRUE(ImportedValues[k].empty()) << k;
    EXPECT_FALSE(plat::IsOpen(1));
    EndMessageScript();
  }
}

TEST_F(NplPcfReaderTest, PcfSharedHeaderGoesToEverySpectrum) {
  PcfSpectrum a;
  PcfSpectrum b;
  b.name = "O 1s";
  b.values = {"5", "6", "7"};
  b.start = "530";
  b.end = "531";
  b.pass = 50;
  b.dwell = 0.2;
  ImportedHeader[1].SourceInfo = "earlier";
  ImportPcfText(MakePcf({a, b}));
  ASSERT_EQ(G.SpectraReadCount, 2);
  for (int k = 1; k <= 2; ++k) {
    SCOPED_TRACE(k);
    const SpectrumHeaderRecord& h = ImportedHeader[k];
    EXPECT_EQ(h.Date, "12.03.2006");
    EXPECT_EQ(h.Comment, "sample comment");
    EXPECT_EQ(h.Technique, "FRR");
    EXPECT_DOUBLE_EQ(h.ScanCount, 8);
    EXPECT_DOUBLE_EQ(h.ExcitationEnergy, 1486.6);
    EXPECT_EQ(h.SourceInfo, "");
  }
  EXPECT_EQ(ImportedHeader[2].Name, "O 1s");
  EXPECT_EQ(ImportedHeader[2].PointCount, 3);
  EXPECT_DOUBLE_EQ(ImportedHeader[2].PassEnergy, 50);
  EXPECT_DOUBLE_EQ(ImportedHeader[2].DwellTime, 0.2);
  EXPECT_DOUBLE_EQ(ImportedHeader[2].EnergyStep, 0.5);
  EXPECT_EQ(Values(1), (std::vector<double>{1, 2}));
  EXPECT_EQ(Values(2), (std::vector<double>{5, 6, 7}));

  const std::pair<int, double> anodes[] = {{1, 1253.6}, {0, 1486.6}, {3, 1486.6}};
  for (const auto& [code, energy] : anodes) {
    ImportPcfText(MakePcf({a}, "PCF", code));
    EXPECT_DOUBLE_EQ(ImportedHeader[1].ExcitationEnergy, energy) << code;
  }
}

struct PcfAxisCase {
  const char* start;
  const char* end;
  int points;
  double startEnergy, endEnergy, step;
};

TEST_F(NplPcfReaderTest, PcfEnergiesAreRoundedAndTheStepDerived) {
  const PcfAxisCase cases[] = {
      {"200", "210", 101, 200, 210, 0.1},
      {"210", "200", 101, 210, 200, 0.1},  // falling range: file order kept
      {"100.0625", "100.1625", 2, 100.063, 100.163, 0.1},  // a half rounds up
      {"100.00049", "101.00049", 3, 100, 101, 0.5},
      {"0", "1", 4, 0, 1, 0.33333},  // the step to 0.00001 eV
  };
  for (const PcfAxisCase& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " to " + c.end);
    PcfSpectrum s;
    s.start = c.start;
    s.end = c.end;
    s.values.clear();
    for (int i = 1; i <= c.points; ++i) s.values.push_back(std::to_string(i));
    ImportPcfText(MakePcf({s}));
    ASSERT_EQ(G.SpectraReadCount, 1);
    const SpectrumHeaderRecord& h = ImportedHeader[1];
    EXPECT_NEAR(h.StartEnergy, c.startEnergy, 1e-9);
    EXPECT_NEAR(h.EndEnergy, c.endEnergy, 1e-9);
    EXPECT_NEAR(h.EnergyStep, c.step, 1e-12);
    EXPECT_EQ(ImportedValues[1][1], 1);  // the first value of the file is point 1
  }
}

TEST_F(NplPcfReaderTest, PcfTwelveSpectraUseHeaderIndicesFrom21) {
  std::vector<PcfSpectrum> spectra(12);
  for (int k = 0; k < 12; ++k) {
    spectra[k].name = "R" + std::to_string(k + 1);
    spectra[k].values = {std::to_string(k), std::to_string(k + 100)};
  }
  ImportPcfText(MakePcf(spectra));
  ASSERT_EQ(G.SpectraReadCount, 12);
  EXPECT_EQ(ImportedHeader[21].Name, "R11");
  EXPECT_EQ(ImportedHeader[22].Name, "R12");
  EXPECT_EQ(Values(12), (std::vector<double>{11, 111}));
}

TEST_F(NplPcfReaderTest, DamagedPcfFilesKeepOnlyCompleteSpectra) {
  PcfSpectrum good;
  PcfSpectrum onePoint;
  onePoint.values = {"5"};
  PcfSpectrum tooMany;
  tooMany.points = "40000";
  const std::string two = MakePcf({good, good});
  const BadCase cases[] = {
      {"first line with a trailing blank", MakePcf({good}, "PCF "), 0},
      {"first line in lower case", MakePcf({good}, "pcf"), 0},
      {"count not a number", [&] {
         std::string t = MakePcf({good});
         return t.replace(t.find("\r\n1\r\n"), 5, "\r\none\r\n");
       }(), 0},
      {"cut in the parameters", two.substr(0, two.find("2,200")), 0},
      {"cut in the second spectrum's values", two.substr(0, two.size() - 20), 1},
      {"one point: no step", MakePcf({good, onePoint}), 1},
      {"point count above 32767", MakePcf({good, tooMany, good}), 1},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectMessage();
    G.CommandId = 0;
    ImportPcfText(c.text);
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_EQ(G.SpectraReadCount, c.kept);
    for (int k = c.kept + 1; k <= 3; ++k) EXPECT_TRUE(ImportedValues[k].empty()) << k;
    EXPECT_FALSE(plat::IsOpen(1));
    EndMessageScript();
  }
}

TEST_F(NplPcfReaderTest, PcfWithMoreThanAHundredSpectraKeepsTheFirstHundred) {
  std::vector<PcfSpectrum> spectra(102);
  for (int k = 0; k < 102; ++k) spectra[k].values = {std::to_string(k + 1), "0"};
  ExpectMessage();
  ImportPcfText(MakePcf(spectra));
  EXPECT_EQ(G.SpectraReadCount, 100);
  EXPECT_EQ(ImportedValues[100][1], 100);
  EXPECT_EQ(G.CommandId, 3);
  EndMessageScript();
}

TEST_F(NplPcfReaderTest, AValueThatIsNoNumberIsZeroAndTheFileReadOn) {
  NplSpectrum npl;
  npl.values = {"1", "n/a", "3"};
  PcfSpectrum pcf;
  pcf.values = {"1", "x"};
  const struct {
    const char* what;
    bool isNpl;
    std::string text;
    std::vector<double> second;
  } cases[] = {
      {"NPL", true, MakeNpl({NplSpectrum(), npl, NplSpectrum()}), {1, 0, 3}},
      {"PCF", false, MakePcf({PcfSpectrum(), pcf, PcfSpectrum()}), {1, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    G.CommandId = 0;
    const std::size_t shown = plat::MessagesShown().size();
    if (c.isNpl) ImportNplText(c.text); else ImportPcfText(c.text);
    EXPECT_EQ(plat::MessagesShown().size(), shown);
    EXPECT_EQ(G.CommandId, 0);
    EXPECT_EQ(G.SpectraReadCount, 3);
    EXPECT_EQ(Values(2), c.second);
    EXPECT_FALSE(ImportedValues[3].empty());
  }
}

}  // namespace
