// Transmission-parameter files imported as the spectrum of their function,
// and the reference spectra loaded for the transmission determination.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/store.h"
#include "import/transmission_files.h"
#include "tests/import/vamas_fixture.h"

using namespace sorvan;

namespace {

// A parameter file: header lines 1..14, then coefficient and fix flag of
// c = 1..10 on lines 15..34.
std::string MakeTrm(const std::vector<double>& coef, const std::vector<int>& fixed = {},
                    const std::string& marker = "transfct", const std::string& points = "1361") {
  std::vector<std::string> L = {"FAT test", marker, points, "200", "1560", "1", "20", "1486.6",
                                "0.5",      "3",    "FAT",  "comment", "2006-01-01", "source"};
  for (int c = 1; c <= 10; ++c) {
    L.push_back(importtest::Num(c <= static_cast<int>(coef.size()) ? coef[c - 1] : 0));
    L.push_back(std::to_string(c <= static_cast<int>(fixed.size()) ? fixed[c - 1] : -1));
  }
  std::string t;
  for (const std::string& l : L) t += l + "\r\n";
  return t;
}

class TransmissionFilesTest : public importtest::ImportTest {
 protected:
  void ImportText(const std::string& text) { ImportPath(WriteVamas(text, "test.trm")); }
  void ImportPath(const std::string& path) {
    G.SourceFilePath = path;
    Win[0].ImportFormat = 27;  // read the named file without a dialog
    G.SpectraReadCount = 0;
    ImportTransmissionFunction(0);
  }
};

struct CurveCase {
  const char* what;
  std::vector<double> coef;
  int point;
  double value;
};

TEST_F(TransmissionFilesTest, ParameterFileBecomesTheCurveOnTheGrid) {
  const CurveCase cases[] = {
      {"constant", {1}, 1, 1},
      {"constant, last point", {1}, 1361, 1},
      {"power term at 1000 eV", {0, 0, 0, 0, 0, 1, -0.5}, 801, 1 / std::sqrt(1000.0)},
      {"power term at 200 eV", {0, 0, 0, 0, 0, 1, -0.5}, 1, 1 / std::sqrt(200.0)},
      // x = (E - 1000)/1000 = 0.56 at 1560 eV
      {"polynomial", {1, 2, 3, 4, 5}, 1361, 1 + 2 * 0.56 + 3 * 0.56 * 0.56 +
                                                4 * 0.56 * 0.56 * 0.56 + 5 * std::pow(0.56, 4)},
      {"spare coefficients take no part", {1, 0, 0, 0, 0, 0, 0, 9, 9, 9}, 400, 1},
  };
  for (const CurveCase& c : cases) {
    SCOPED_TRACE(c.what);
    ImportText(MakeTrm(c.coef));
    ASSERT_EQ(G.SpectraReadCount, 1);
    ASSERT_EQ(ImportedValues[1].Upper(), 1361);
    EXPECT_NEAR(ImportedValues[1][c.point], c.value, 1e-12);
    EXPECT_NEAR(G.TransmissionCurve[c.point], c.value, 1e-12);
  }
}

TEST_F(TransmissionFilesTest, HeaderAndCoefficientsGoWithTheSpectrum) {
  ImportedHeader[1].ShortName = "earlier";
  ImportText(MakeTrm({1, 0, 0, 0, 0, 2, -0.7, 0, 0, 8}, {0, -1, -1, -1, -1, 0, 0, -1, -1, -1},
                     "something else"));
  ASSERT_EQ(G.SpectraReadCount, 1);  // the marker line is not tested here
  EXPECT_EQ(G.ImportMode, "NORM");
  const SpectrumHeaderRecord& h = ImportedHeader[1];
  EXPECT_EQ(h.Name, "FAT test");
  EXPECT_EQ(h.PointCount, 1361);
  EXPECT_DOUBLE_EQ(h.StartEnergy, 200);
  EXPECT_DOUBLE_EQ(h.EndEnergy, 1560);
  EXPECT_DOUBLE_EQ(h.EnergyStep, 1);
  EXPECT_DOUBLE_EQ(h.PassEnergy, 20);
  EXPECT_DOUBLE_EQ(h.ExcitationEnergy, 1486.6);
  EXPECT_DOUBLE_EQ(h.DwellTime, 0.5);
  EXPECT_DOUBLE_EQ(h.ScanCount, 3);
  EXPECT_EQ(h.Technique, "FAT");
  EXPECT_EQ(h.Comment, "comment");
  EXPECT_EQ(h.Date, "2006-01-01");
  EXPECT_EQ(h.SourceInfo, "source");
  EXPECT_EQ(h.ShortName, "");
  EXPECT_DOUBLE_EQ(G.TransmissionCoefCopy[6], 2);
  EXPECT_DOUBLE_EQ(G.TransmissionCoefCopy[7], -0.7);
  EXPECT_DOUBLE_EQ(G.TransmissionCoefCopy[10], 8);
  EXPECT_DOUBLE_EQ(G.TransmissionFixedCopy[1], 0);
  EXPECT_DOUBLE_EQ(G.TransmissionFixedCopy[2], -1);
  EXPECT_DOUBLE_EQ(G.TransmissionFixedCopy[7], 0);
}

TEST_F(TransmissionFilesTest, HeaderWithAnotherPointCountStillGivesTheGrid) {
  ImportText(MakeTrm({1}, {}, "transfct", "500"));
  ASSERT_EQ(G.SpectraReadCount, 1);
  EXPECT_EQ(ImportedHeader[1].PointCount, 1361);
  EXPECT_EQ(ImportedValues[1].Upper(), 1361);
}

TEST_F(TransmissionFilesTest, ShippedParameterFilesDescribeTheirFunction) {
  const std::pair<const char*, double> cases[] = {
      {"Unity.trm", 1}, {"FAT E-0.5.trm", 1}, {"FAT E-0.7.trm", 1}, {"FAT E-1.trm", 1}};
  for (const auto& [name, atThousand] : cases) {
    SCOPED_TRACE(name);
    ImportPath(plat::ProgramPath(testsupport::SourceDir() + "/data/XPS-transfct/" + name));
    ASSERT_EQ(G.SpectraReadCount, 1);
    // Each is normalised to 1 at 1000 eV (point 801).
    EXPECT_NEAR(ImportedValues[1][801], atThousand, 1e-9);
  }
}

TEST_F(TransmissionFilesTest, UnusableFilesChangeNothing) {
  const std::string good = MakeTrm({1});
  std::string badCoefficient = good;
  badCoefficient.replace(badCoefficient.find("\r\n1\r\n-1\r\n"), 9, "\r\none\r\n-1\r\n");
  const std::pair<const char*, std::string> cases[] = {
      {"ends inside the coefficients", good.substr(0, good.find("0\r\n-1\r\n0\r\n-1\r\n0\r\n-1\r\n"))},
      {"empty", ""},
      {"coefficient not a number", badCoefficient},
      // T(E) that is no finite number at 1560 eV (1560^100 overflows), at
      // 200 eV alone (the cubic term adds half again to c1), everywhere
      // (0 x an infinite power), or a sum beyond the range of a double.
      {"T(1560 eV) infinite", MakeTrm({1, 0, 0, 0, 0, 1e10, 100})},
      {"T(200 eV) infinite", MakeTrm({1.7e308, 0, 0, -1.7e308, 0, 0, 0})},
      {"0 x an infinite power", MakeTrm({1, 0, 0, 0, 0, 0, 1000})},
      {"sum beyond the range", MakeTrm({1.7e308, 0, 0, 0, 0, 1.7e308, 0})},
  };
  for (const auto& [what, text] : cases) {
    SCOPED_TRACE(what);
    ImportedValues[1].Resize(3);
    ImportedValues[1][1] = 42;
    G.TransmissionCoefCopy[1] = 5;
    ExpectMessage();
    G.CommandId = 0;
    ImportText(text);
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_EQ(G.SpectraReadCount, 0);
    EXPECT_EQ(ImportedValues[1][1], 42);
    EXPECT_EQ(G.TransmissionCoefCopy[1], 5);
    EndMessageScript();
  }
  ExpectMessage();
  G.CommandId = 0;
  ImportPath(plat::ProgramPath(folder_ + "/missing.trm"));
  EXPECT_EQ(G.CommandId, 3);
  EndMessageScript();
}

class TransmissionReferenceTest : public importtest::ImportTest {
 protected:
  void SetUp() override {
    importtest::ImportTest::SetUp();
    plat::CreateFolder(plat::ProgramPath(folder_ + "/XPS-transfct"));
    G.ProgramFolder = plat::ProgramPath(folder_);
    G.CurrentWindow = 1;
    Win[1].SpectrumHeader.PointCount = 1361;
  }
  // A reference file: the first line, 65 further header lines, then values.
  void WriteReference(const char* name, int values, const std::string& first = "VAMAS reference") {
    std::string t = first + "\r\n";
    for (int j = 2; j <= 66; ++j) t += "header " + std::to_string(j) + "\r\n";
    for (int i = 1; i <= values; ++i) t += std::to_string(1000 + i) + "\r\n";
    testsupport::WriteFile(folder_ + "/XPS-transfct/" + name, t);
  }
};

TEST_F(TransmissionReferenceTest, ReferenceSpectraFillWorkPeak) {
  const std::pair<int, const char*> cases[] = {{9400, "AU.VMS"}, {9500, "AG.VMS"}, {9600, "CU.VMS"}};
  for (const auto& [command, name] : cases) {
    SCOPED_TRACE(name);
    WriteReference(name, 1400);  // lines after the 1361 values are not read
    for (int twice = 0; twice < 2; ++twice) {
      Win[1].TransmissionActive = 0;
      LoadTransmissionReference(command);
      EXPECT_EQ(G.SpectraReadCount, 1);
      EXPECT_EQ(Win[1].TransmissionActive, 1);
      ASSERT_GE(WorkPeak.Upper(), 1361);
      EXPECT_EQ(WorkPeak[1], 1001);
      EXPECT_EQ(WorkPeak[1361], 2361);
    }
  }
}

TEST_F(TransmissionReferenceTest, UnusableReferenceChangesNothing) {
  struct Case {
    const char* what;
    int values;
    const char* first;
    int windowPoints;
    bool write;
    int message;  // 8 names the missing file, 3 a file of the wrong form
  };
  const Case cases[] = {
      {"missing file", 1361, "VAMAS", 1361, false, 8},
      {"first line not VAMAS", 1361, "VAMOS", 1361, true, 3},
      {"fewer than 1361 values", 1000, "VAMAS", 1361, true, 3},
      {"window of another point count", 1361, "VAMAS", 1360, true, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plat::RemoveFile(plat::ProgramPath(folder_ + "/XPS-transfct/AU.VMS"));
    if (c.write) WriteReference("AU.VMS", c.values, c.first);
    Win[1].SpectrumHeader.PointCount = static_cast<Int16>(c.windowPoints);
    Win[1].TransmissionActive = 0;
    WorkPeak.Resize(2);
    WorkPeak[1] = 7;
    G.SpectraReadCount = 5;
    ExpectMessage();
    G.CommandId = 0;
    LoadTransmissionReference(9400);
    EXPECT_EQ(G.CommandId, c.message);
    EXPECT_EQ(G.SpectraReadCount, 0);
    EXPECT_EQ(Win[1].TransmissionActive, 0);
    EXPECT_EQ(WorkPeak.Upper(), 2);
    EXPECT_EQ(WorkPeak[1], 7);
    EndMessageScript();
  }
}

}  // namespace
