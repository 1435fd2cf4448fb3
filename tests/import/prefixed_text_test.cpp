// The prefixed-text reader: the three layouts, the "komm_" scaling, the
// anode line, files of another prefix or cut short, page 6x on a new import
// and the window's values on a re-read.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "import/formats.h"
#include "import/prefixed_text.h"
#include "platform/controls.h"
#include "tests/import/text_import_fixture.h"

using namespace sorvan;
using importtest::AtColumn;
using importtest::JoinLines;

namespace {

std::string Pad(double v, int width) {
  char b[40];
  std::snprintf(b, sizeof b, "%-*g", width, v);
  return b;
}

struct KommPoint {
  double x, y;
};

std::string KommFile(const std::vector<KommPoint>& points, bool longForm = false,
                     const std::string& count = "") {
  std::vector<std::string> l = {"komm_ measurement",     "operator: x",
                                AtColumn(15, "10.03.2006"), "beamline",
                                AtColumn(15, "BESSY"),      AtColumn(15, "FAT"),
                                AtColumn(15, "420.5"),      AtColumn(15, "400.5")};
  if (longForm) l.push_back("phot_energy  = 600");
  l.push_back(AtColumn(16, "20"));
  l.push_back(AtColumn(17, "0.1"));
  l.push_back(AtColumn(18, "5"));
  l.push_back(AtColumn(16, "200"));
  l.push_back(AtColumn(14, count.empty() ? std::to_string(points.size()) : count));
  l.push_back("data:");
  for (const KommPoint& p : points)
    l.push_back((longForm ? "a;b;c;d;e;f;g;" : "1;") + Pad(p.x, 9) + ";" + Pad(p.y, 6) + ";end");
  return JoinLines(l);
}

TEST(PrefixedParse, KommScalesSmallQuotientsByAThousand) {
  const struct {
    const char* what;
    std::vector<KommPoint> points;
    std::vector<double> values;
  } cases[] = {
      {"all quotients small", {{1, 2}, {3, 3}, {1, 4}}, {500, 1000, 250}},
      {"largest exactly 100 still scales", {{100, 1}, {1, 2}}, {100000, 500}},
      {"one above 100: none scaled", {{100.4, 1}, {1, 2}, {400, 2}}, {100, 1, 200}},
      {"divisor 0 takes x itself", {{7, 0}, {1, 4}}, {7000, 250}},
  };
  for (bool longForm : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (longForm ? " (long form)" : ""));
      const PrefixedTextFile f = ParsePrefixedText(KommFile(c.points, longForm));
      ASSERT_TRUE(f.complete) << f.problem;
      EXPECT_EQ(f.layout, PrefixedLayout::Komm);
      EXPECT_EQ(f.values, c.values);
      const SpectrumHeaderRecord& h = f.header;
      EXPECT_EQ(h.PointCount, static_cast<int>(c.points.size()));
      EXPECT_EQ(h.Date, "10.03.2006");
      EXPECT_EQ(h.SourceInfo, "BESSY");
      EXPECT_EQ(h.Technique, "FAT");
      EXPECT_DOUBLE_EQ(h.EndEnergy, 420.5);
      EXPECT_DOUBLE_EQ(h.StartEnergy, 400.5);
      EXPECT_DOUBLE_EQ(h.PassEnergy, 20);
      EXPECT_DOUBLE_EQ(h.EnergyStep, 0.1);
      EXPECT_DOUBLE_EQ(h.ScanCount, 5);
      EXPECT_DOUBLE_EQ(h.DwellTime, 0.2);
    }
  }
}

std::string PercentFile(const std::vector<double>& values, const std::string& count = "") {
  std::vector<std::string> l = {"%%%%%%%%%% header"};
  for (int j = 1; j <= 90; ++j) {
    if (j == 61) l.push_back("  50.0  pass energy");
    else if (j == 84) l.push_back("10.03.2006 12:00");
    else l.push_back("% header line " + std::to_string(j));
  }
  std::string p(90, ' ');
  auto put = [&](int column, const std::string& s) { p.replace(column - 1, s.size(), s); };
  put(1, count.empty() ? std::to_string(values.size()) : count);
  put(24, "400.5");
  put(41, "420.5");
  put(60, "0.1004");
  put(77, "0.0495");
  l.push_back(p);
  for (int j = 0; j < 4; ++j) l.push_back("% before the values");
  for (double v : values) {
    l.push_back(AtColumn(7, Pad(v, 10)) + "  ignored");
    l.push_back("  0.0 next");
  }
  return JoinLines(l);
}

TEST(PrefixedParse, PercentLayout) {
  const PrefixedTextFile f = ParsePrefixedText(PercentFile({10.4, 10.5, 3}));
  ASSERT_TRUE(f.complete) << f.problem;
  EXPECT_EQ(f.layout, PrefixedLayout::Percent);
  EXPECT_EQ(f.values, (std::vector<double>{10, 11, 3}));
  const SpectrumHeaderRecord& h = f.header;
  EXPECT_EQ(h.PointCount, 3);
  EXPECT_DOUBLE_EQ(h.PassEnergy, 50);
  EXPECT_EQ(h.Date, "10.03.2006");
  EXPECT_DOUBLE_EQ(h.StartEnergy, 400.5);
  EXPECT_DOUBLE_EQ(h.EndEnergy, 420.5);
  EXPECT_DOUBLE_EQ(h.EnergyStep, 0.1);
  EXPECT_DOUBLE_EQ(h.DwellTime, 0.05);
  EXPECT_DOUBLE_EQ(h.ScanCount, 1);
  EXPECT_EQ(h.Technique, "FAT");
  EXPECT_EQ(h.SourceInfo, " ");
}

TEST(PrefixedParse, PercentFileMayEndWithoutItsLastPassedOverLine) {
  std::string text = PercentFile({1, 2});
  text = text.substr(0, text.size() - std::string("  0.0 next\r\n").size());
  const PrefixedTextFile f = ParsePrefixedText(text);
  EXPECT_TRUE(f.complete) << f.problem;
  EXPECT_EQ(f.values, (std::vector<double>{1, 2}));
}

std::string Xps2File(const std::string& anode, const std::vector<double>& fileValues,
                     const std::string& count = "") {
  std::vector<std::string> l = {"XPS 2 spectrum", "10.03.2006", "first comment", "second comment",
                                anode, "lens", "Cu 2p"};
  for (int j = 1; j <= 26; ++j) {
    std::string item = "0";
    if (j == 2) item = "FAT 50 eV";
    if (j == 3) item = "4";
    if (j == 4) item = "100";
    if (j == 20) item = "280";
    if (j == 22) item = "290";
    if (j == 24) item = count.empty() ? std::to_string(fileValues.size()) : count;
    l.push_back(item);
  }
  for (double v : fileValues) l.push_back("285.0," + Pad(v, 1));
  return JoinLines(l);
}

TEST(PrefixedParse, Xps2Layout) {
  std::vector<double> fileValues;
  for (int i = 1; i <= 100; ++i) fileValues.push_back(i);
  const PrefixedTextFile f = ParsePrefixedText(Xps2File("ALUMINIUM", fileValues));
  ASSERT_TRUE(f.complete) << f.problem;
  const SpectrumHeaderRecord& h = f.header;
  EXPECT_EQ(h.Date, "10.03.2006");
  EXPECT_EQ(h.Comment, "first comment / second comment");
  EXPECT_EQ(h.Name, "Cu 2p");
  EXPECT_EQ(h.Technique, "FAT");
  EXPECT_DOUBLE_EQ(h.PassEnergy, 50);
  EXPECT_DOUBLE_EQ(h.ScanCount, 4);
  EXPECT_DOUBLE_EQ(h.DwellTime, 0.1);
  EXPECT_DOUBLE_EQ(h.ExcitationEnergy, 1486.6);
  EXPECT_NEAR(h.EndEnergy, 1206.6, 1e-9);
  EXPECT_NEAR(h.StartEnergy, 1196.7, 1e-9);
  EXPECT_NEAR(h.EnergyStep, 0.1, 1e-12);
  EXPECT_EQ(h.PointCount, 100);
  EXPECT_EQ(h.SourceInfo, " ");
  ASSERT_EQ(f.values.size(), 100u);
  EXPECT_EQ(f.values.front(), 100);  // the last pair of the file is point 1
  EXPECT_EQ(f.values.back(), 1);
}

TEST(PrefixedParse, AnodeLineGivesTheExcitationEnergy) {
  const struct {
    const char* line;
    double hv;
  } cases[] = {{"MAGNESIUM", 1253.6}, {"magnesium", 1253.6}, {"Magnesium", 1253.6},
               {"Mg Ka", 1486.6},     {"ALUMINIUM", 1486.6}, {"magnesium anode", 1486.6}};
  for (const auto& c : cases) {
    const PrefixedTextFile f = ParsePrefixedText(Xps2File(c.line, {1, 2}));
    ASSERT_TRUE(f.complete) << c.line;
    EXPECT_DOUBLE_EQ(f.header.ExcitationEnergy, c.hv) << c.line;
  }
}

TEST(PrefixedParse, FilesRefused) {
  const std::string komm = KommFile({{1, 2}, {3, 4}, {5, 6}});
  const std::string xps = Xps2File("MAGNESIUM", {1, 2, 3});
  const struct {
    const char* what;
    std::string text;
    PrefixedLayout layout;
  } cases[] = {
      {"komm without the underscore", "komm measurement\r\n1\r\n", PrefixedLayout::Unknown},
      {"XPS 1", "XPS 1 spectrum\r\n", PrefixedLayout::Unknown},
      {"empty file", "", PrefixedLayout::Unknown},
      {"komm_ cut in the data", komm.substr(0, komm.size() - 25), PrefixedLayout::Komm},
      {"komm_ data without semicolons", KommFile({}, false, "2") + "1 2\r\n3 4\r\n", PrefixedLayout::Komm},
      {"komm_ of no points", KommFile({}, false, "0"), PrefixedLayout::Komm},
      {"komm_ of too many points", KommFile({{1, 1}}, false, "40000"), PrefixedLayout::Komm},
      {"XPS 2 cut in the header", xps.substr(0, 60), PrefixedLayout::Xps2},
      {"XPS 2 cut in the values", xps.substr(0, xps.size() - 8), PrefixedLayout::Xps2},
      {"XPS 2 of no points", Xps2File("MAGNESIUM", {}, "0"), PrefixedLayout::Xps2},
      {"%%%%% cut in the values", PercentFile({1, 2, 3}, "5"), PrefixedLayout::Percent},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const PrefixedTextFile f = ParsePrefixedText(c.text);
    EXPECT_EQ(f.layout, c.layout);
    EXPECT_FALSE(f.complete);
    EXPECT_TRUE(f.values.empty());
  }
}

class PrefixedReaderTest : public importtest::TextImportTest {};

TEST_F(PrefixedReaderTest, NewKommImportAsksNameAndExcitationEnergy) {
  ImportedHeader[1].Name = "earlier name";
  ImportedHeader[1].Comment = "earlier comment";
  ImportedHeader[1].ExcitationEnergy = 600;
  const std::string path = Write(KommFile({{1, 2}, {3, 4}}), "k.dat");
  NewImport(ImportPrefixedText, PrefixedText, path, [] {
    plat::script::Expect([] { return plat::Text(6, "ed62") == "earlier name"; },
                         "page 6x shows the name");
    plat::script::SetText("ed61", -1, "640,5");
    plat::script::SetText("ed62", -1, "O 1s");
    plat::script::Click("cmdOK61");
  });
  plat::driver::Finish();
  const SpectrumHeaderRecord& h = ImportedHeader[1];
  EXPECT_EQ(G.SpectraReadCount, 1);
  EXPECT_EQ(G.SourceFilePath, path);
  EXPECT_EQ(h.Name, "O 1s");
  EXPECT_DOUBLE_EQ(h.ExcitationEnergy, 640.5);
  EXPECT_EQ(h.Comment, "");  // nothing of the earlier file
  EXPECT_EQ(ImportedValues[1].Upper(), 2);
  EXPECT_EQ(ImportedValues[1][1], 500);
  EXPECT_EQ(ImportedValues[1][2], 750);
}

TEST_F(PrefixedReaderTest, RereadAsksNothingAndKeepsTheWindowsNameAndEnergy) {
  const std::string path = Write(KommFile({{1, 2}, {3, 4}}), "k.dat");
  Win[2].SpectrumHeader.Name = "window name";
  Win[2].SpectrumHeader.ExcitationEnergy = 640.5;
  Win[2].ImportFormat = PrefixedText + 1;
  G.SourceFilePath = path;
  ImportPrefixedText(2);
  plat::driver::Finish();  // no page
  EXPECT_EQ(G.SpectraReadCount, 1);
  EXPECT_EQ(ImportedHeader[1].Name, "window name");
  EXPECT_DOUBLE_EQ(ImportedHeader[1].ExcitationEnergy, 640.5);
  EXPECT_EQ(ImportedValues[1][2], 750);
}

TEST_F(PrefixedReaderTest, RefusedFilesLeaveNothingToPlace) {
  for (const std::string& text : {std::string("komm measurement\r\n"), Xps2File("MAGNESIUM", {1, 2, 3}, "5")}) {
    ImportedValues[1].Resize(3);
    NewImport(ImportPrefixedText, PrefixedText, Write(text, "x.dat"), ExpectMessage);
    EndMessageScript();
    EXPECT_EQ(G.SpectraReadCount, 0);
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_TRUE(ImportedValues[1].empty());
  }
}

TEST_F(PrefixedReaderTest, Xps2ImportFromTheMenuAsksNoPage) {
  const std::string path = Write(Xps2File("magnesium", {5, 6, 7}), "x.dat");
  plat::script::AnswerFile(path);
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(1120);
  plat::driver::Finish();
  ASSERT_TRUE(Win[1].WindowOpen);
  const SpectrumHeaderRecord& h = Win[1].SpectrumHeader;
  EXPECT_EQ(h.Name, "Cu 2p");
  EXPECT_DOUBLE_EQ(h.ExcitationEnergy, 1253.6);
  EXPECT_EQ(h.PointCount, 3);
  EXPECT_EQ(Win[1].ImportFormat, PrefixedText);
  EXPECT_EQ(SlotData[1](1, 1), 7);
  EXPECT_EQ(SlotData[1](3, 1), 5);
}

}  // namespace
