// The shipped files read through the program's own readers work together:
// the presetting's stored names match the language texts in every language,
// the doublet, line and sensitivity tables answer the look-ups a user makes
// on a first start.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/language.h"
#include "core/model.h"
#include "core/presetting.h"
#include "core/reference_files.h"
#include "platform/files.h"
#include "support/test_support.h"

namespace sorvan {
namespace {

class DataLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    InitialiseModel();
    G.ProgramFolder = plat::ProgramPath(testsupport::SourceDir() + "/data");
    G.CurrentWindow = 1;
    G.CommandId = 0;
  }
  void TearDown() override { plat::CloseAll(); }
  std::string Path(const std::string& relative) const { return G.ProgramFolder + relative; }
};

TEST_F(DataLoad, StoredNamesOfThePresettingMatchTheTextsInEveryLanguage) {
  G.PresettingFilePath = Path("\\presetting\\presetting.set");
  ReadPresetting();
  EXPECT_EQ(G.CommandId, 0) << "the presetting was refused";
  EXPECT_EQ(G.LanguageIndex, 1);
  EXPECT_DOUBLE_EQ(G.DefaultExcitationEnergy, 1486.6);
  EXPECT_EQ(G.CpsMode, 1);
  G.LanguageFilePath = Path("\\settings\\language 2006.set");
  for (int slot : {1, 0, 2, 3, 4}) {
    G.LanguageIndex = static_cast<Byte>(slot);
    ReadLanguageFile();
    // A language switch must not break the repeat actions and the peak type.
    EXPECT_EQ(G.BackgroundName, G.MessageTexts[3]) << slot;
    EXPECT_EQ(G.ScaleOperationName, G.MessageTexts[17]) << slot;
    EXPECT_EQ(G.ArithmeticOperationName, G.MessageTexts[22]) << slot;
    EXPECT_EQ(G.FitTypeName, G.MessageTexts[47]) << slot;
  }
}

TEST_F(DataLoad, DoubletsAreFoundForTheUsualSpectrumNames) {
  G.DoubletFilePath = Path("\\settings\\doublet.dda");
  ReadDoubletTable();
  struct Case {
    const char* spectrumName;
    bool found;
    double ratio, splitting;
  };
  const Case cases[] = {
      {"Au 4f", true, 0.75, 3.67},          {"Cu 2p3/2 metal", true, 0.5, 19.83},
      {"Ag3d", true, 2.0 / 3, 6.0},         {"Si 2p", true, 0.5, 0.6},
      {"U 5d", true, 2.0 / 3, 9.0},  // the last entry of the file
      {"C 1s", false, 1, 0},
  };
  for (const auto& c : cases) {
    double ratio = -1, splitting = -1;
    EXPECT_EQ(FindDoubletValues(c.spectrumName, ratio, splitting), c.found) << c.spectrumName;
    EXPECT_NEAR(ratio, c.ratio, 1e-3) << c.spectrumName;
    EXPECT_NEAR(splitting, c.splitting, 0.05) << c.spectrumName;
  }
}

TEST_F(DataLoad, LineSelectionOfAnElementListsItsLinesWithTheMainLineMarked) {
  G.LinesFolder = Path("\\lines");
  ReadLinePositions();
  EXPECT_GT(G.LineTableCount, 500);
  G.LineFilterElement = 1;
  G.LineFilterSymbol = "Cu";
  LoadLineSelection();
  ASSERT_GT(G.ListEntryCount, 3);
  bool mainLine = false;
  for (int k = 1; k <= G.ListEntryCount; ++k) {
    EXPECT_EQ(LineElementSymbol(G.LineList[k]), "Cu") << G.LineList[k];
    mainLine |= G.LineList[k].find("Cu 2p3/2 *") != std::string::npos;
  }
  EXPECT_TRUE(mainLine);
  // "C" does not pick up Ca, Cl, Co, Cr, Cs or Cu.
  G.LineFilterSymbol = "C";
  LoadLineSelection();
  ASSERT_GT(G.ListEntryCount, 0);
  for (int k = 1; k <= G.ListEntryCount; ++k) EXPECT_EQ(LineElementSymbol(G.LineList[k]), "C");
}

TEST_F(DataLoad, TheDefaultSensitivityTableNamesCarbonOne) {
  G.PresettingFilePath = Path("\\presetting\\presetting.set");
  ReadPresetting();
  G.SensitivityFilePath = SensitivityFolder() + "\\" + G.SensitivityFilePath;
  ReadSensitivityFactors();
  ASSERT_GT(G.SensitivityCount, 100);
  int carbon = 0;
  for (int i = 1; i <= G.SensitivityCount; ++i)
    if (G.SensitivityLines[i] == "C1s") carbon = i;
  ASSERT_GT(carbon, 0);
  EXPECT_DOUBLE_EQ(G.SensitivityFactors[carbon], 1.0);
  G.TransmissionFilePath = TransmissionFolder() + "\\" + G.TransmissionFilePath;
  ReadTransmissionParameters();
  EXPECT_NEAR(G.QuantTransmissionCoef[6] * std::pow(1000.0, G.QuantTransmissionCoef[7]), 1.0, 1e-9);
}

}  // namespace
}  // namespace sorvan
