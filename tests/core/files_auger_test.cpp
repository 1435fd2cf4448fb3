// Tests of the Auger-parameter list: reading its entries, sorting, the axis
// ends and the plot's name, and the limits of the list.
#include <string>

#include "core/auger_list.h"
#include "core/store.h"
#include "files_fixture.h"
#include "shell/auger_list_window.h"

namespace sorvan::testing_files {
namespace {

TEST(AugerEntry, ThreeNumbersBeforeTheName) {
  struct Case {
    const char* entry;
    bool ok;
    double a, b, c;
  };
  const Case cases[] = {
      {" 2040.2=284.6+1755.6   Cu metal", true, 2040.2, 284.6, 1755.6},
      {"1851.4 = 932.7 + 918.7", true, 1851.4, 932.7, 918.7},
      {"-1=-0.5+-0.5", true, -1, -0.5, -0.5},
      {"1000=500", false, 0, 0, 0},
      {"1000+500=3", false, 0, 0, 0},
      {"", false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    double a = 0, b = 0, cc = 0;
    EXPECT_EQ(ParseAugerEntry(c.entry, a, b, cc), c.ok) << c.entry;
    if (!c.ok) continue;
    EXPECT_DOUBLE_EQ(a, c.a) << c.entry;
    EXPECT_DOUBLE_EQ(b, c.b) << c.entry;
    EXPECT_DOUBLE_EQ(cc, c.c) << c.entry;
  }
}

class AugerListTest : public FilesTest {};

TEST_F(AugerListTest, OneEntryGivesAxesAroundIt) {
  const std::string path = Write("\\auger parameters\\carbon.aup", "1040.5=284.6+755.9   C graphite\r\n");
  const int w = LoadAugerParameterListFrom(path);
  ASSERT_EQ(w, 1);
  const WindowRecord& win = Win[w];
  EXPECT_EQ(win.WindowKind, 1);
  EXPECT_EQ(win.ChemStatePointCount, 1);
  EXPECT_EQ(win.SpectrumHeader.PointCount, 1);
  EXPECT_EQ(win.ChemStateEntries[1], "1040.5=284.6+755.9   C graphite");
  EXPECT_EQ(win.ChemStateXMin, 283);
  EXPECT_EQ(win.ChemStateXMax, 286);
  EXPECT_EQ(win.ChemStateYMin, 753);
  EXPECT_EQ(win.ChemStateYMax, 757);
  EXPECT_EQ(win.ChemStateListName, "carbon");
  EXPECT_DOUBLE_EQ(Labels[LabelIndex(w, 1)].TitleLabelX, 285.85);
  EXPECT_DOUBLE_EQ(Labels[LabelIndex(w, 1)].TitleLabelY, 756.8);
  EXPECT_EQ(win.TitleLabelCount, 1);
  EXPECT_EQ(SlotData[w](1, 1), 1040.5);
  EXPECT_EQ(SlotData[w](1, 2), 284.6);
  EXPECT_EQ(SlotData[w](1, 3), 755.9);
  EXPECT_EQ(G.CurrentWindow, 1);
  EXPECT_EQ(win.SourcePath, path);
}

TEST_F(AugerListTest, LargestAugerParameterFirstAndBadLinesSkipped) {
  const std::string path = Write("\\auger parameters\\cu.aup",
                                 "1849.2=932.4+916.8 Cu2O\r\n"
                                 "\r\n"
                                 "no entry here\r\n"
                                 "1851.4=932.7+918.7 Cu\r\n"
                                 "1850.0=933.6+916.4 CuO\r\n");
  Win[1].WindowOpen = true;
  const int w = LoadAugerParameterListFrom(path);
  ASSERT_EQ(w, 2);
  EXPECT_EQ(Win[w].ChemStatePointCount, 3);
  EXPECT_EQ(Win[w].ChemStateEntries[1], "1851.4=932.7+918.7 Cu");
  EXPECT_EQ(Win[w].ChemStateEntries[2], "1850.0=933.6+916.4 CuO");
  EXPECT_EQ(Win[w].ChemStateEntries[3], "1849.2=932.4+916.8 Cu2O");
  EXPECT_EQ(Win[w].ChemStateXMin, 931);  // smallest b 932.4
  EXPECT_EQ(Win[w].ChemStateXMax, 935);  // largest b 933.6
  EXPECT_EQ(Win[w].ChemStateYMin, 914);
  EXPECT_EQ(Win[w].ChemStateYMax, 920);
}

TEST_F(AugerListTest, EmptyListAndNegativeEnergies) {
  const int w = LoadAugerParameterListFrom(Write("\\auger parameters\\e.aup", ""));
  EXPECT_EQ(Win[w].ChemStatePointCount, 0);
  EXPECT_EQ(Win[w].ChemStateXMin, -1);
  EXPECT_EQ(Win[w].ChemStateXMax, 2);
  EXPECT_EQ(Win[w].ChemStateYMin, -2);
  EXPECT_EQ(Win[w].ChemStateYMax, 2);

  const int v = LoadAugerParameterListFrom(Write("\\auger parameters\\n.aup", "1=-0.5+1.5\r\n"));
  EXPECT_EQ(Win[v].ChemStateXMin, -2);
}

TEST_F(AugerListTest, PlotNameLosesItsExtension) {
  struct Case {
    const char* file;
    const char* name;
  };
  const Case cases[] = {{"\\a\\oxides.aup", "oxides"}, {"\\a\\list.txt", "list"}, {"\\a\\abc", "abc"}};
  for (const Case& c : cases) {
    const int w = LoadAugerParameterListFrom(Write(c.file, "1=2+3\r\n"));
    EXPECT_EQ(Win[w].ChemStateListName, c.name);
  }
}

TEST_F(AugerListTest, ListKeepsAtMostOneHundredEntries) {
  std::string text;
  for (int i = 1; i <= 105; ++i) text += std::to_string(1000 + i) + "=300+" + std::to_string(700 + i) + "\r\n";
  const std::string path = Write("\\auger parameters\\long.aup", text);
  EXPECT_THROW(LoadAugerParameterListFrom(path), plat::FileError);
  EXPECT_EQ(Win[1].ChemStatePointCount, 100);
  EXPECT_EQ(Win[1].ChemStateEntries[1], "1100=300+800");
}

TEST_F(AugerListTest, EntriesBeyondAnyLineAreLeftOutAndThePlotDrawn) {
  using namespace std::string_literals;
  const std::string path = Write("\\auger parameters\\wild.aup",
                                 "1040.5=284.6+755.9 C graphite\0\r\n"
                                 "1e10=1e10+0 far\r\n"
                                 "0=1e308+-1e308 huge\r\n"
                                 "1=-1e308+1e308 huge\r\n"
                                 "1e400=1e400+0 infinite\r\n"s);
  try {
    LoadAugerParameterListFrom(path);
    ADD_FAILURE() << "the entries left out are not reported";
  } catch (const plat::FileError& e) {
    EXPECT_NE(std::string(e.what()).find("4 entries"), std::string::npos) << e.what();
  }
  const WindowRecord& win = Win[1];
  ASSERT_TRUE(win.WindowOpen);
  EXPECT_EQ(win.ChemStatePointCount, 1);
  EXPECT_EQ(win.ChemStateEntries[1], "1040.5=284.6+755.9 C graphite");
  EXPECT_EQ(win.ChemStateXMin, 283);
  EXPECT_EQ(win.ChemStateXMax, 286);
  EXPECT_EQ(win.ChemStateYMax, 757);
}

TEST_F(AugerListTest, NoFreeWindowOpensNothing) {
  for (int w = 1; w <= 100; ++w) Win[w].WindowOpen = true;
  G.CommandId = 0;
  ExpectMessage();
  EXPECT_EQ(LoadAugerParameterListFrom(Write("\\auger parameters\\x.aup", "1=2+3\r\n")), 0);
  EXPECT_EQ(G.CommandId, 1);
  EXPECT_EQ(Win[1].WindowKind, 0);
}

}  // namespace
}  // namespace sorvan::testing_files
