// Tests of the reference-file readers: satellite presets, region names,
// doublets, line positions, sensitivity factors and transmission parameters.
#include <string>
#include <vector>

#include "core/reference_files.h"
#include "files_fixture.h"

namespace sorvan::testing_files {
namespace {

std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

// ------------------------------------------------------------ satellites

class SatelliteTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    G.SatelliteFilePath = Path("\\settings\\satellite.set");
    plat::CreateFolder(Path("\\settings"));
  }
};

// Decimal values as the satellite page stores them from typed numbers.
void FillSatellitePresets() {
  for (int j = 1; j <= 5; ++j)
    for (int s = 1; s <= 5; ++s) {
      G.AlSatOffsetPresets[j][s] = (980 * j + 37 * s) / 100.0;
      G.AlSatIntensityPresets[j][s] = (64 + 3 * j * s) / 1000.0;
      G.MgSatOffsetPresets[j][s] = (-840 * j + s) / 100.0;
      G.MgSatIntensityPresets[j][s] = (j * s) / 10.0;
    }
}

struct SatelliteTables {
  Table2<double, 5, 5> alOffset, alIntensity, mgOffset, mgIntensity;
};
SatelliteTables CurrentSatelliteTables() {
  return {G.AlSatOffsetPresets, G.AlSatIntensityPresets, G.MgSatOffsetPresets,
          G.MgSatIntensityPresets};
}

TEST_F(SatelliteTest, WrittenTablesReadBackIdentical) {
  FillSatellitePresets();
  const SatelliteTables filled = CurrentSatelliteTables();
  WriteSatelliteFile();
  const std::string text = Read("\\settings\\satellite.set");
  EXPECT_EQ(text.rfind("Aluminiumsatelliteni&\r\n", 0), 0u);
  for (int j = 1; j <= 5; ++j)
    for (int s = 1; s <= 5; ++s) {
      G.AlSatOffsetPresets[j][s] = G.AlSatIntensityPresets[j][s] = 0;
      G.MgSatOffsetPresets[j][s] = G.MgSatIntensityPresets[j][s] = 0;
    }
  ReadSatelliteFile();
  EXPECT_EQ(G.AlSatOffsetPresets, filled.alOffset);
  EXPECT_EQ(G.AlSatIntensityPresets, filled.alIntensity);
  EXPECT_EQ(G.MgSatOffsetPresets, filled.mgOffset);
  EXPECT_EQ(G.MgSatIntensityPresets, filled.mgIntensity);
}

// Value k of each anode's part of block j belongs to preset (k + 1) / 2:
// an offset when k is odd, an intensity when it is even.
std::vector<std::string> NumberedSatelliteLines() {
  std::vector<std::string> lines;
  for (int j = 1; j <= 5; ++j) {
    lines.push_back("any label, with a comma");
    for (int k = 1; k <= 10; ++k) lines.push_back(std::to_string(100 * j + k));
    lines.push_back("");
    for (int k = 1; k <= 10; ++k) lines.push_back(std::to_string(1000 + 100 * j + k));
  }
  return lines;
}

TEST_F(SatelliteTest, ValuesRunByLineThenPreset) {
  Write("\\settings\\satellite.set", Lines(NumberedSatelliteLines()));
  ReadSatelliteFile();
  for (int j = 1; j <= 5; ++j)
    for (int s = 1; s <= 5; ++s) {
      EXPECT_EQ(G.AlSatOffsetPresets[j][s], 100 * j + 2 * s - 1);
      EXPECT_EQ(G.AlSatIntensityPresets[j][s], 100 * j + 2 * s);
      EXPECT_EQ(G.MgSatOffsetPresets[j][s], 1000 + 100 * j + 2 * s - 1);
      EXPECT_EQ(G.MgSatIntensityPresets[j][s], 1000 + 100 * j + 2 * s);
    }
}

TEST_F(SatelliteTest, ShortOrMissingFileLeavesTheTables) {
  FillSatellitePresets();
  const SatelliteTables filled = CurrentSatelliteTables();
  EXPECT_THROW(ReadSatelliteFile(), plat::FileError);
  std::vector<std::string> lines = NumberedSatelliteLines();
  lines.pop_back();
  Write("\\settings\\satellite.set", Lines(lines));
  EXPECT_THROW(ReadSatelliteFile(), plat::FileError);
  EXPECT_EQ(G.AlSatOffsetPresets, filled.alOffset);
  EXPECT_EQ(G.MgSatIntensityPresets, filled.mgIntensity);
}

// ------------------------------------------------------------ region names

TEST_F(FilesTest, RegionNamesStopAtTheEndOfTheFile) {
  G.PhiNamesFilePath = Write("\\phi-names\\phi_names.ele", "C1\r\nCarbon 1s\r\nO1\r\nOxygen 1s\r\nN1\r\n");
  G.PhiNameCode[3] = "old";
  G.PhiNameText[434] = "old";
  ReadRegionNameTable();
  EXPECT_EQ(G.PhiNameCode[1], "C1");
  EXPECT_EQ(G.PhiNameText[1], "Carbon 1s");
  EXPECT_EQ(G.PhiNameText[2], "Oxygen 1s");
  EXPECT_EQ(G.PhiNameCode[3], "");  // a code without its name is not taken
  EXPECT_EQ(G.PhiNameText[434], "");
}

TEST_F(FilesTest, RegionNamesReadAtMost434Pairs) {
  std::string text;
  for (int i = 1; i <= 440; ++i) text += "c" + std::to_string(i) + "\r\nn" + std::to_string(i) + "\r\n";
  G.PhiNamesFilePath = Write("\\phi-names\\phi_names.ele", text);
  ReadRegionNameTable();
  EXPECT_EQ(G.PhiNameCode[434], "c434");
  EXPECT_EQ(G.PhiNameText[434], "n434");
}

// ------------------------------------------------------------ doublets

class DoubletTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    G.DoubletFilePath = Path("\\settings\\doublet.dda");
  }
};

TEST_F(DoubletTest, CountFollowsTheFieldsAfterTheHeader) {
  struct Case {
    int fields;
    int count;     // DoubletCount
    int complete;  // entries stored
  };
  const Case cases[] = {{0, 0, 0}, {1, 0, 0}, {2, 1, 0}, {3, 1, 1},
                        {6, 2, 2}, {7, 2, 2}, {8, 3, 2}};
  for (const Case& c : cases) {
    std::string text = "Dublett Werte\r\n";
    for (int f = 0; f < c.fields; ++f) {
      const int entry = f / 3 + 1;
      text += f % 3 == 0 ? "D" + std::to_string(entry) : std::to_string(entry) + ".5";
      text += (f % 3 == 2 || f == c.fields - 1) ? "\r\n" : ",";
    }
    Write("\\settings\\doublet.dda", text);
    ReadDoubletTable();
    EXPECT_EQ(G.DoubletCount, c.count) << c.fields;
    for (int i = 1; i <= c.complete; ++i) {
      EXPECT_EQ(G.DoubletNames[i], "D" + std::to_string(i));
      EXPECT_EQ(G.DoubletSplittings[i], i + 0.5);
    }
    if (c.count > c.complete) {
      EXPECT_EQ(G.DoubletNames[c.count], "") << c.fields;
    }
  }
}

TEST_F(DoubletTest, LastDoubletOfTheFileIsFound) {
  Write("\\settings\\doublet.dda",
        "Dublett Werte\r\nAu,0.5,1\r\nAu4f,0.75,3.67\r\nAg3d,0.667,6.0\r\nSi2p,x,y\r\n");
  ReadDoubletTable();
  ASSERT_EQ(G.DoubletCount, 4);
  struct Case {
    const char* name;
    bool found;
    double ratio;
    double splitting;
  };
  const Case cases[] = {
      {"Si2p oxide", true, 0, 0},             // the last entry; its values are no numbers
      {"Ag3d survey", true, 0.667, 6.0},
      {"Au 4f 7/2 clean", true, 0.75, 3.67},  // blanks left out of the first ten characters
      {"Au4d", true, 0.5, 1},                 // only the shorter name matches
      {"Cu2p", false, 1, 0},
      {"", false, 1, 0},
  };
  for (const Case& c : cases) {
    double ratio = -1, splitting = -1;
    EXPECT_EQ(FindDoubletValues(c.name, ratio, splitting), c.found) << c.name;
    EXPECT_EQ(ratio, c.ratio) << c.name;
    EXPECT_EQ(splitting, c.splitting) << c.name;
  }
}

TEST_F(DoubletTest, IncompleteLastEntryIsNeverMatched) {
  Write("\\settings\\doublet.dda", "Dublett Werte\r\nAu4f,0.75,3.67\r\nAg3d,0.5\r\n");
  ReadDoubletTable();
  EXPECT_EQ(G.DoubletCount, 2);
  double ratio, splitting;
  EXPECT_FALSE(FindDoubletValues("Ag3d", ratio, splitting));
  EXPECT_FALSE(FindDoubletValues("anything", ratio, splitting));
}

TEST_F(DoubletTest, MissingFileLeavesTheTable) {
  Write("\\settings\\doublet.dda", "Dublett Werte\r\nAu4f,0.75,3.67\r\n");
  ReadDoubletTable();
  plat::RemoveFile(G.DoubletFilePath);
  EXPECT_THROW(ReadDoubletTable(), plat::FileError);
  EXPECT_EQ(G.DoubletCount, 1);
  EXPECT_EQ(G.DoubletNames[1], "Au4f");
}

// ------------------------------------------------------------ line positions

TEST(LineElementSymbol, TakesTwoCharactersFromTheFirstLetter) {
  struct Case {
    const char* line;
    const char* symbol;
  };
  const Case cases[] = {
      {" 284.6   C 1s", "C"},       {" 932.7   Cu 2p3/2", "Cu"}, {" 1616.0   (Si KLL)", "Si"},
      {"*285.0 C 1s", "C"},         {"-1.5  Xy", "Xy"},         {"12345.6", ""},
      {"", ""},                     {"84.0  Au4f7/2 *", "Au"},
  };
  for (const Case& c : cases) EXPECT_EQ(LineElementSymbol(c.line), c.symbol) << c.line;
}

class LineTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    G.LinesFolder = Path("\\lines");
    Write("\\lines\\linienlage.pos", Lines(kLines));
  }
  const std::vector<std::string> kLines = {" 284.6   C 1s", " 285.0   *C 1s hydrocarbon",
                                           " 932.7   Cu 2p3/2", " 1616.0   (Si KLL), remark *"};
};

TEST_F(LineTest, DefaultTableHoldsEveryLineWhole) {
  ReadLinePositions();
  ASSERT_EQ(G.LineTableCount, 4);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(G.LinePositions[k], kLines[k - 1]);
  Write("\\lines\\linienlage.pos", "");
  ReadLinePositions();
  EXPECT_EQ(G.LineTableCount, 0);
}

TEST_F(LineTest, SelectionFollowsTheOptions) {
  Write("\\lines\\mine (ke).pos", " 1000.0  Own line\r\n 1001.0  Second\r\n");
  struct Case {
    int all, marked, element, own;
    const char* symbol;
    std::vector<int> expected;  // lines of the default file; 10 + k: line k of the own file
  };
  const Case cases[] = {
      {0, 0, 0, 0, "", {}},
      {1, 0, 0, 0, "", {1, 2, 3, 4}},
      {0, 1, 0, 0, "", {2, 4}},
      {0, 0, 1, 0, "C", {1, 2}},
      {0, 0, 1, 0, "Cu", {3}},
      {0, 0, 1, 0, "c", {}},
      {1, 1, 0, 0, "", {1, 2, 2, 3, 4, 4}},
      {0, 0, 0, 1, "", {11, 12}},
  };
  for (const Case& c : cases) {
    G.LineFilterAll = static_cast<Byte>(c.all);
    G.LineFilterMarked = static_cast<Byte>(c.marked);
    G.LineFilterElement = static_cast<Byte>(c.element);
    G.LineFilterOwnFile = static_cast<Byte>(c.own);
    G.LineFilterSymbol = c.symbol;
    G.LineFilePath = Path("\\lines\\mine (ke).pos");
    LoadLineSelection();
    ASSERT_EQ(G.ListEntryCount, static_cast<int>(c.expected.size()));
    for (std::size_t k = 0; k < c.expected.size(); ++k) {
      const int e = c.expected[k];
      const std::string want = e > 10 ? (e == 11 ? " 1000.0  Own line" : " 1001.0  Second") : kLines[e - 1];
      EXPECT_EQ(G.LineList[static_cast<long long>(k + 1)], want);
    }
  }
}

TEST_F(LineTest, TablesStopAtTheirThousandEntries) {
  std::string text;
  for (int i = 1; i <= 1005; ++i) text += " " + std::to_string(i) + ".0  C 1s\r\n";
  Write("\\lines\\linienlage.pos", text);
  EXPECT_THROW(ReadLinePositions(), plat::FileError);
  EXPECT_EQ(G.LineTableCount, 1000);
  EXPECT_EQ(G.LinePositions[1000], " 1000.0  C 1s");
  G.LineFilterAll = 1;
  EXPECT_THROW(LoadLineSelection(), plat::FileError);
  EXPECT_EQ(G.ListEntryCount, 1000);
}

TEST_F(LineTest, MissingOwnFileLeavesTheList) {
  G.LineFilterAll = 1;
  LoadLineSelection();
  G.LineFilterAll = 0;
  G.LineFilterOwnFile = 1;
  G.LineFilePath = Path("\\lines\\gone.pos");
  EXPECT_THROW(LoadLineSelection(), plat::FileError);
  EXPECT_EQ(G.ListEntryCount, 4);
}

// ------------------------------------------------------------ sensitivity factors

class SensitivityTest : public FilesTest {
 protected:
  std::string Folder() const { return SensitivityFolder(); }
  // What start-up hands the reader: the default folder joined to the stored name.
  void StartupName(const std::string& stored) { G.SensitivityFilePath = Folder() + "\\" + stored; }
};

TEST_F(SensitivityTest, FieldsAreCountedNotLines) {
  struct Case {
    const char* body;
    int count;
  };
  const Case cases[] = {{"", 0},
                        {"C1s,1.0\r\n", 1},
                        {"C1s,1.0\r\nO1s,2.93\r\nAg3d,5.6,Cu2p,4.2\r\n", 4},
                        {"C1s,1.0\r\nO1s\r\n", 1}};  // a name without its factor is dropped
  for (const Case& c : cases) {
    Write("\\sensitifity factors\\t.sen", std::string("Sensitivity Factors\r\n") + c.body);
    StartupName("t.sen");
    ReadSensitivityFactors();
    EXPECT_EQ(G.SensitivityCount, c.count) << c.body;
    EXPECT_EQ(G.SensitivityFactors.Upper(), c.count);
  }
  EXPECT_EQ(G.SensitivityLines[1], "C1s");
  EXPECT_EQ(G.SensitivitySource, Folder() + "\\t.sen");
  EXPECT_EQ(G.SensitivityFilePath, "t.sen");
}

TEST_F(SensitivityTest, StartupReaderTakesAnyHeaderAndEveryPair) {
  Write("\\sensitifity factors\\t.sen", "whatever\r\nAg3d,5.6,Cu2p,4.2\r\n");
  StartupName("t.sen");
  ReadSensitivityFactors();
  ASSERT_EQ(G.SensitivityCount, 2);
  EXPECT_EQ(G.SensitivityLines[2], "Cu2p");
  EXPECT_EQ(G.SensitivityFactors[2], 4.2);
}

TEST_F(SensitivityTest, NoNameNoRead) {
  G.SensitivityFilePath = "";
  ReadSensitivityFactors();
  StartupName("");
  ReadSensitivityFactors();
  EXPECT_EQ(G.SensitivityCount, 0);
  EXPECT_EQ(G.SensitivityFilePath, "");
}

TEST_F(SensitivityTest, MissingFileKeepsTableAndStoredName) {
  Write("\\sensitifity factors\\t.sen", "Sensitivity Factors\r\nC1s,1.0\r\n");
  StartupName("t.sen");
  ReadSensitivityFactors();
  StartupName("gone.sen");
  EXPECT_THROW(ReadSensitivityFactors(), plat::FileError);
  EXPECT_EQ(G.SensitivityCount, 1);
  EXPECT_EQ(G.SensitivityFilePath, "gone.sen");
}

TEST_F(SensitivityTest, TableLoadedFromAnotherFolderIsFoundAtTheNextStart) {
  const std::string other = Write("\\elsewhere\\mine.sen", "Sensitivity Factors\r\nAu4f,6.25\r\n");
  ASSERT_TRUE(LoadSensitivityFactorsFrom(other));
  EXPECT_EQ(G.SensitivityFilePath, "mine.sen");
  const std::string stored = StoredReferenceName(Folder(), G.SensitivitySource, G.SensitivityFilePath);
  EXPECT_EQ(stored, other);

  // The next start: the model is cleared and start-up joins the folder to the stored name.
  const std::string folder = G.ProgramFolder;
  InitialiseModel();
  G.ProgramFolder = folder;
  StartupName(stored);
  ReadSensitivityFactors();
  ASSERT_EQ(G.SensitivityCount, 1);
  EXPECT_EQ(G.SensitivityLines[1], "Au4f");
  EXPECT_EQ(G.SensitivitySource, other);
  EXPECT_EQ(G.SensitivityFilePath, "mine.sen");
}

TEST_F(SensitivityTest, VanishedFolderFallsBackToTheDefaultFolder) {
  Write("\\sensitifity factors\\mine.sen", "Sensitivity Factors\r\nC1s,1\r\n");
  StartupName(G.ProgramFolder + "\\gone\\mine.sen");
  ReadSensitivityFactors();
  EXPECT_EQ(G.SensitivityCount, 1);
  EXPECT_EQ(G.SensitivitySource, Folder() + "\\mine.sen");
}

TEST_F(SensitivityTest, ChosenFileNeedsItsHeader) {
  Write("\\sensitifity factors\\t.sen", "Sensitivity Factors\r\nC1s,1.0\r\n");
  StartupName("t.sen");
  ReadSensitivityFactors();
  const std::string wrong = Write("\\sensitifity factors\\w.sen", "Sensitivity factors\r\nO1s,2.93\r\n");
  G.CommandId = 0;
  ExpectMessage();
  EXPECT_FALSE(LoadSensitivityFactorsFrom(wrong));
  EXPECT_EQ(G.CommandId, 3);
  EXPECT_EQ(G.SensitivityCount, 1);
  EXPECT_EQ(G.SensitivityLines[1], "C1s");
  EXPECT_EQ(G.SensitivityFilePath, "t.sen");

  ExpectMessage();
  EXPECT_FALSE(LoadSensitivityFactorsFrom(Path("\\sensitifity factors\\gone.sen")));
  EXPECT_EQ(G.CommandId, 8);
  EXPECT_EQ(G.SensitivityCount, 1);

  const std::string empty = Write("\\sensitifity factors\\e.sen", "Sensitivity Factors\r\n");
  EXPECT_TRUE(LoadSensitivityFactorsFrom(empty));
  EXPECT_EQ(G.SensitivityCount, 0);
  EXPECT_EQ(G.SensitivityFilePath, "e.sen");
}

// ------------------------------------------------------------ transmission parameters

std::vector<std::string> TransmissionLines() {
  std::vector<std::string> lines = {"Standard lens, 2006", "transfct", "1361", "200", "1560", "1",
                                    "20", "1486.6", "1", "1", "XPS", "comment, with comma",
                                    "01.01.2006", "source"};
  for (int c = 1; c <= 10; ++c) {
    lines.push_back(std::to_string(c) + ".25");
    lines.push_back(c % 2 ? "-1" : "0");
  }
  return lines;
}

TEST_F(FilesTest, TransmissionCoefficientsStandOnEveryOtherLine) {
  Write("\\XPS-transfct\\std.trm", Lines(TransmissionLines()));
  G.TransmissionFilePath = TransmissionFolder() + "\\std.trm";
  ReadTransmissionParameters();
  for (int c = 1; c <= 10; ++c) EXPECT_EQ(G.QuantTransmissionCoef[c], c + 0.25);
  EXPECT_EQ(G.TransmissionSource, TransmissionFolder() + "\\std.trm");
  EXPECT_EQ(G.TransmissionFilePath, "std.trm");
}

TEST_F(FilesTest, ShortTransmissionFileChangesNothing) {
  std::vector<std::string> lines = TransmissionLines();
  lines.pop_back();
  Write("\\XPS-transfct\\short.trm", Lines(lines));
  G.QuantTransmissionCoef[1] = 7;
  G.TransmissionFilePath = TransmissionFolder() + "\\short.trm";
  EXPECT_THROW(ReadTransmissionParameters(), plat::FileError);
  EXPECT_EQ(G.QuantTransmissionCoef[1], 7);
  EXPECT_EQ(G.QuantTransmissionCoef[10], 0);

  G.CommandId = 0;
  ExpectMessage();
  EXPECT_FALSE(LoadTransmissionParametersFrom(Path("\\XPS-transfct\\short.trm")));
  EXPECT_EQ(G.CommandId, 3);
  EXPECT_EQ(G.QuantTransmissionCoef[1], 7);
}

// Coefficients whose function is no finite number on the grid (200 to
// 1560 eV): 1560^100 overflows, the cubic term at 200 eV alone takes c1
// beyond the range of a double, 0 x 1560^1000, a sum beyond the range.
TEST_F(FilesTest, TransmissionFileWithoutAFiniteFunctionChangesNothing) {
  const std::vector<std::pair<int, std::string>> cases[] = {
      {{6, "1E10"}, {7, "100"}}, {{1, "1.7E308"}, {4, "-1.7E308"}, {6, "0"}, {7, "0"}}, {{6, "0"}, {7, "1000"}},
      {{1, "1.7E308"}, {6, "1.7E308"}, {7, "0"}}};
  for (const auto& changes : cases) {
    std::vector<std::string> lines = TransmissionLines();
    for (const auto& [c, text] : changes) lines[static_cast<std::size_t>(12 + 2 * c)] = text;
    SCOPED_TRACE(lines[14] + " " + lines[24] + " " + lines[26]);
    Write("\\XPS-transfct\\bad.trm", Lines(lines));
    G.QuantTransmissionCoef[1] = 7;
    G.QuantTransmissionCoef[7] = 0.5;
    G.TransmissionFilePath = TransmissionFolder() + "\\bad.trm";
    EXPECT_THROW(ReadTransmissionParameters(), plat::FileError);
    EXPECT_EQ(G.QuantTransmissionCoef[1], 7);
    EXPECT_EQ(G.QuantTransmissionCoef[7], 0.5);

    G.CommandId = 0;
    ExpectMessage();
    EXPECT_FALSE(LoadTransmissionParametersFrom(Path("\\XPS-transfct\\bad.trm")));
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_EQ(G.QuantTransmissionCoef[1], 7);
    EXPECT_EQ(G.QuantTransmissionCoef[7], 0.5);
  }
}

TEST_F(FilesTest, ChosenTransmissionFileNeedsItsSignature) {
  std::vector<std::string> lines = TransmissionLines();
  lines[1] = "transfct2";
  const std::string wrong = Write("\\other\\w.trm", Lines(lines));
  G.CommandId = 0;
  ExpectMessage();
  EXPECT_FALSE(LoadTransmissionParametersFrom(wrong));
  EXPECT_EQ(G.CommandId, 3);
  EXPECT_EQ(G.QuantTransmissionCoef[1], 0);
  EXPECT_EQ(G.TransmissionFilePath, "");

  const std::string good = Write("\\other\\g.trm", Lines(TransmissionLines()));
  EXPECT_TRUE(LoadTransmissionParametersFrom(good));
  EXPECT_EQ(G.QuantTransmissionCoef[10], 10.25);
  EXPECT_EQ(G.TransmissionSource, good);
  EXPECT_EQ(G.TransmissionFilePath, "g.trm");
}

}  // namespace
}  // namespace sorvan::testing_files
