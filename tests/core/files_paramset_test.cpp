// Tests of the parameter-set files: the default sets of both peak models,
// the sets the user picks, unit, scale and relative conversions, background
// terms, and files that are missing, short or hold too many peaks.
#include <string>
#include <vector>

#include "core/parameter_set.h"
#include "core/paramset.h"
#include "files_fixture.h"

namespace sorvan::testing_files {
namespace {

// One parameter of a peak as the file holds it.
struct Param {
  double lower, upper, value, state;
};
using Peak = std::vector<Param>;  // j = 1..10

Peak MakePeak(double height, double position) {
  return {{0, 2 * height, height, 0},   {0, 1, 0.5, 1},  {0, 1, 0.3, 0},
          {0, 1, 1, 2},                 {position - 5, position + 5, position, 0},
          {3, 5, 4, 2},                 {0.5, 3, 1.2, 0}, {0.5, 2, 1, 1},
          {-0.1, 0.1, 0, -1},           {-0.1, 0.1, 0, 1}};
}

std::string SetText(const std::string& type, const std::string& x, const std::vector<Peak>& peaks,
                    const std::vector<double>& background = {}) {
  std::string text = type + "\r\n" + x + "\r\n";
  for (const Peak& peak : peaks)
    for (const Param& p : peak)
      text += plat::NumberToText(p.lower) + "," + plat::NumberToText(p.upper) + "," +
              plat::NumberToText(p.value) + "," + plat::NumberToText(p.state) + "\r\n";
  for (double v : background) text += plat::NumberToText(v) + "\r\n";
  return text;
}

const std::vector<double> kBackground = {10, 0, 2, 1, 3, 0, 4, 0, 5, 1, 6, 0};

class ParameterSetTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    G.ParameterSet1Path = Path("\\settings\\paraset1.par");
    G.ParameterSet2Path = Path("\\settings\\paraset2.par");
    G.MessageTexts[47] = "Singlet";
    G.MessageTexts[52] = "Doublet";
    G.CpsMode = 1;
    G.EnergyAxisMode = 0;
    PrepareWindow();
  }
  // Window 1 afresh, with 20 scans of 0.2 s (t = 4) at 1486.6 eV.
  static void PrepareWindow() {
    Win[1] = WindowRecord{};
    auto& h = Win[1].SpectrumHeader;
    h.ScanCount = 20;
    h.DwellTime = 0.2;
    h.ExcitationEnergy = 1486.6;
  }
  const WindowRecord& W() const { return Win[1]; }
};

TEST_F(ParameterSetTest, DefaultSetOfEachPeakModelFillsThePeakTable) {
  Write("\\settings\\paraset1.par", SetText("Singlet", "302", {MakePeak(100, 284.6), MakePeak(50, 286)}));
  Write("\\settings\\paraset2.par", SetText("Dxyz", "301", {MakePeak(70, 530)}));
  struct Case {
    int model;
    std::string type;
    double version;
    int peaks;
  };
  const Case cases[] = {{0, "Singlet", 302, 2}, {1, "Doublet", 301, 1}};
  for (const Case& c : cases) {
    PrepareWindow();
    Win[1].PeakModel = static_cast<Byte>(c.model);
    ReadParameterSet(1, c.model == 0 ? G.ParameterSet1Path : G.ParameterSet2Path);
    EXPECT_EQ(W().PeakType, c.type);
    EXPECT_EQ(G.ParameterSetVersion, c.version);
    EXPECT_EQ(W().PeakCount, 1);  // the default set always leaves one peak
    const Peak first = c.model == 0 ? MakePeak(100, 284.6) : MakePeak(70, 530);
    for (int j = 1; j <= 10; ++j) {
      EXPECT_EQ(W().ParameterLower[1][j], first[j - 1].lower) << c.model << " j " << j;
      EXPECT_EQ(W().ParameterUpper[1][j], first[j - 1].upper) << c.model << " j " << j;
      EXPECT_EQ(W().ParameterValue[1][j], first[j - 1].value) << c.model << " j " << j;
    }
    EXPECT_EQ(W().ParameterState[1][9], 1);  // -1 in the file: the sign is ignored
    EXPECT_EQ(W().ParameterState[1][4], 2);
    if (c.peaks == 2) {
      EXPECT_EQ(W().ParameterValue[2][5], 286);  // kept for a larger count later
    }
  }
}

TEST_F(ParameterSetTest, CountsAndKineticScaleConvertHeightsAndPositions) {
  Write("\\settings\\paraset1.par", SetText("Singlet", "301", {MakePeak(50, 284.6)}));
  G.CpsMode = 0;
  G.EnergyAxisMode = 1;
  ReadParameterSet(1, G.ParameterSet1Path);
  EXPECT_DOUBLE_EQ(W().ParameterValue[1][1], 200);
  EXPECT_DOUBLE_EQ(W().ParameterUpper[1][1], 400);
  EXPECT_DOUBLE_EQ(W().ParameterValue[1][2], 2);  // partner height 0.5 per second
  EXPECT_DOUBLE_EQ(W().ParameterValue[1][5], 1486.6 - 284.6);
  EXPECT_DOUBLE_EQ(W().ParameterLower[1][5], 1486.6 - 289.6);
  EXPECT_DOUBLE_EQ(W().ParameterUpper[1][5], 1486.6 - 279.6);
  EXPECT_DOUBLE_EQ(W().ParameterLower[1][6], 1486.6 - 5);
  EXPECT_DOUBLE_EQ(W().ParameterValue[1][7], 1.2);  // widths as read
}

TEST_F(ParameterSetTest, EmptyPositionLimitsStayEmptyOnEitherScaleAndInRelativeMode) {
  // Position limits of 0 are left to the completion (the region's ends):
  // neither the kinetic scale nor the relative form may turn them into
  // limits that pin the peak.
  Peak first = MakePeak(100, 284.6);
  first[4] = {0, 0, 284.6, 0};
  Peak second = MakePeak(50, 286);
  second[4] = {0, 0, 286, 0};
  const std::string path = Write("\\sets\\open.par", SetText("Singlet", "302", {first, second}));
  struct Case {
    int axis;
    int relative;
    double firstValue, secondValue;
  };
  const Case cases[] = {{0, 0, 284.6, 286},
                        {1, 0, 1486.6 - 284.6, 1486.6 - 286},
                        {0, 1, 284.6, 286 - 284.6},
                        {1, 1, 1486.6 - 284.6, 284.6 - 286}};
  for (const Case& c : cases) {
    PrepareWindow();
    G.EnergyAxisMode = static_cast<Byte>(c.axis);
    Win[1].RelativeMode = static_cast<Byte>(c.relative);
    ParameterSetData data;
    ASSERT_EQ(ParseParameterSet(path, false, data), ParameterSetRead::Ok);
    ConvertParameterSet(data, 1, ParameterSetRules::Default);
    for (int p = 1; p <= 2; ++p) {
      EXPECT_EQ(data.lower[p][5], 0.0) << c.axis << c.relative << " peak " << p;
      EXPECT_EQ(data.upper[p][5], 0.0) << c.axis << c.relative << " peak " << p;
    }
    EXPECT_NEAR(data.value[1][5], c.firstValue, 1e-9) << c.axis << c.relative;
    EXPECT_NEAR(data.value[2][5], c.secondValue, 1e-9) << c.axis << c.relative;
  }
}

TEST_F(ParameterSetTest, RelativeModeRelatesPeaksToTheFirst) {
  struct Case {
    double firstHeight;
    double lower, upper, value;  // peak 2 height after reading, for each reader
    ParameterSetRules rules;
  };
  const Case cases[] = {
      {100, 0.1, 0.4, 0.25, ParameterSetRules::Default},
      {100, 0.1, 0.4, 0.25, ParameterSetRules::UserChosen},
      {-100, -0.4, -0.1, -0.25, ParameterSetRules::Default},  // limits turned round
      {-100, -0.4, -0.1, -0.25, ParameterSetRules::UserChosen},
      {0, 0, 1, 0, ParameterSetRules::Default},
      {0, 0, 0, 0, ParameterSetRules::UserChosen},
  };
  for (const Case& c : cases) {
    Peak first = MakePeak(c.firstHeight, 284.6);
    first[5] = {280, 290, 288.6, 0};  // partner position: 4 eV above
    Peak second = MakePeak(25, 286);
    second[0] = {10, 40, 25, 0};
    second[5] = {285, 295, 290, 0};
    const std::string path =
        Write("\\sets\\rel.par", SetText("Singlet", "302", {first, second}));
    ParameterSetData data;
    ASSERT_EQ(ParseParameterSet(path, false, data), ParameterSetRead::Ok);
    Win[1].RelativeMode = 1;
    ConvertParameterSet(data, 1, c.rules);
    EXPECT_DOUBLE_EQ(data.lower[2][1], c.lower) << c.firstHeight;
    EXPECT_DOUBLE_EQ(data.upper[2][1], c.upper) << c.firstHeight;
    EXPECT_DOUBLE_EQ(data.value[2][1], c.value) << c.firstHeight;
    EXPECT_DOUBLE_EQ(data.upper[1][1], 2 * c.firstHeight);  // peak 1's limits stay as read
    EXPECT_DOUBLE_EQ(data.value[1][6], 4.0);
    EXPECT_DOUBLE_EQ(data.value[2][5], 286 - 284.6);
    EXPECT_DOUBLE_EQ(data.value[2][6], 4.0);
    EXPECT_DOUBLE_EQ(data.lower[2][6], 285 - 286.0);
  }
}

TEST_F(ParameterSetTest, RelativePartnerValueIsARatioToItsOwnPeak) {
  Peak first = MakePeak(100, 284.6);
  first[1] = {0, 1, 50, 0};  // partner height 50 of 100
  Peak second = MakePeak(40, 286);
  second[1] = {0, 40, 20, 0};  // partner height 20 of 40
  const std::string path = Write("\\sets\\rel.par", SetText("Doublet", "302", {first, second}));
  ParameterSetData data;
  ASSERT_EQ(ParseParameterSet(path, false, data), ParameterSetRead::Ok);
  Win[1].RelativeMode = 1;
  ConvertParameterSet(data, 1, ParameterSetRules::Default);
  EXPECT_DOUBLE_EQ(data.value[1][2], 0.5);
  EXPECT_DOUBLE_EQ(data.value[2][1], 0.4);
  EXPECT_DOUBLE_EQ(data.value[2][2], 0.5);
  EXPECT_DOUBLE_EQ(data.upper[2][2], 1.0);
}

TEST_F(ParameterSetTest, BackgroundTermsOnlyForAWindowWithoutBackground) {
  Write("\\settings\\paraset1.par", SetText("Singlet", "401", {MakePeak(10, 284.6)}, kBackground));
  G.CpsMode = 0;  // t = 4: terms 1 to 4 carry the intensity unit
  ReadParameterSet(1, G.ParameterSet1Path);
  EXPECT_EQ(W().BackgroundState, 0);
  const double expected[] = {0, 40, 8, 12, 16, 5, 6};
  for (int i = 1; i <= 6; ++i) EXPECT_DOUBLE_EQ(W().BackgroundTermValue[i], expected[i]) << i;
  EXPECT_TRUE(W().BackgroundTermFixed[2]);
  EXPECT_FALSE(W().BackgroundTermFixed[3]);

  for (int i = 1; i <= 6; ++i) Win[1].BackgroundTermValue[i] = -1;
  Win[1].BackgroundState = 2;
  ReadParameterSet(1, G.ParameterSet1Path);
  EXPECT_EQ(W().BackgroundState, 2);
  EXPECT_EQ(W().BackgroundTermValue[1], -1);
}

TEST_F(ParameterSetTest, UserChosenSetKeepsItsPeakCountAndMarksTheWindow) {
  struct Case {
    std::string x;
    int peaks;
    int backgroundStateBefore;
    int backgroundStateAfter;
  };
  const Case cases[] = {{"203", 3, 0, 0}, {"401", 1, 0, 5}, {"401", 1, 2, 2}, {"400", 0, 0, 0}};
  for (const Case& c : cases) {
    std::vector<Peak> peaks(static_cast<std::size_t>(c.peaks), MakePeak(10, 284.6));
    const bool background = c.x == "401" && c.backgroundStateBefore == 0;
    const std::string path =
        Write("\\sets\\user.par", SetText("Singlet", c.x, peaks, background ? kBackground : std::vector<double>{}));
    Win[1].BackgroundState = static_cast<Byte>(c.backgroundStateBefore);
    Win[1].ParamSetLoaded = 0;
    G.DialogResult = 0;
    ASSERT_TRUE(LoadParameterSetFileFrom(1, path)) << c.x;
    EXPECT_EQ(W().PeakCount, c.peaks) << c.x;
    EXPECT_EQ(W().BackgroundState, c.backgroundStateAfter) << c.x;
    EXPECT_EQ(W().ParamSetLoaded, 1);
    EXPECT_EQ(G.DialogResult, 1);
  }
}

TEST_F(ParameterSetTest, DamagedFilesAreRefusedAndChangeNothing) {
  struct Case {
    const char* name;
    std::string text;  // "" for a missing file
    int message;
  };
  const Case cases[] = {
      {"too many peaks", SetText("Singlet", "216", std::vector<Peak>(16, MakePeak(1, 280))), 3},
      {"short", SetText("Singlet", "302", {MakePeak(1, 280)}), 3},
      {"short background", SetText("Singlet", "401", {MakePeak(1, 280)}, {1, 0, 2}), 3},
      {"only a name", "Singlet\r\n", 3},
      {"missing", "", 8},
  };
  for (const Case& c : cases) {
    const std::string path = Path("\\sets\\damaged.par");
    plat::RemoveFile(path);
    if (!c.text.empty()) Write("\\sets\\damaged.par", c.text);
    Win[1].PeakType = "kept";
    Win[1].PeakCount = 4;
    Win[1].ParameterValue[1][1] = 123;
    Win[1].ParamSetLoaded = 0;
    G.DialogResult = 0;
    G.CommandId = 0;
    ExpectMessage();
    EXPECT_FALSE(LoadParameterSetFileFrom(1, path)) << c.name;
    EXPECT_EQ(G.CommandId, c.message) << c.name;
    EXPECT_EQ(W().PeakCount, 4) << c.name;
    EXPECT_EQ(W().ParamSetLoaded, 0) << c.name;
    EXPECT_EQ(G.DialogResult, 0) << c.name;

    G.ParameterSet1Path = path;
    G.CommandId = 0;
    ExpectMessage();
    ReadParameterSet(1, path);
    EXPECT_EQ(G.CommandId, c.message) << c.name;
    EXPECT_EQ(W().PeakType, "kept") << c.name;
    EXPECT_EQ(W().ParameterValue[1][1], 123) << c.name;
    EXPECT_EQ(W().PeakCount, 1) << c.name;
  }
}

TEST_F(ParameterSetTest, NothingIsReadBeforeThePathsAreBuilt) {
  Write("\\settings\\paraset1.par", SetText("Singlet", "301", {MakePeak(10, 284.6)}));
  const std::string path = G.ParameterSet1Path;
  G.ParameterSet1Path.clear();
  Win[1].PeakCount = 5;
  ReadParameterSet(1, path);
  EXPECT_EQ(W().PeakCount, 1);
  EXPECT_EQ(W().PeakType, "");
}

}  // namespace
}  // namespace sorvan::testing_files
