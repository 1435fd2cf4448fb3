// Loading a window's peak table into the fit vector and storing it back,
// for independent and relative peaks, and the completion of the limits.
#include <gtest/gtest.h>

#include <cmath>

#include "core/model.h"
#include "core/store.h"
#include "fit/fit_vector.h"

namespace sorvan {
namespace {

constexpr int kW = 3;

class FitVectorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitialiseModel();
    G.MessageTexts[47] = "Singlet";
    G.MessageTexts[52] = "Doublet";
    G.EnergyAxisMode = 0;  // binding energies
    WindowRecord& win = Win[kW];
    win.SpectrumHeader.ExcitationEnergy = 1486.6;
    win.SpectrumHeader.StartEnergy = 1186.6;  // binding 300 eV at point 1
    win.SpectrumHeader.EnergyStep = 0.1;
    win.SpectrumHeader.PointCount = 201;       // down to binding 280 eV
    win.SpectrumHeader.EndEnergy = 1206.6;
    win.RegionStart = 1;
    win.RegionEnd = 201;
    win.PeakCount = 2;
    win.PeakType = "Doublet";
    DimSlotData(kW);
    for (int i = 1; i <= 201; ++i) SlotData[kW](i, 1) = 100 + i;
    SetPeak(1, {1000, 500, 0.3, 1.0, 290.0, 288.8, 1.2, 1.44, 0.01, 1.0});
    SetPeak(2, {400, 200, 0.5, 0.6, 285.0, 283.5, 1.0, 1.0, 0.0, 0.0});
  }
  void SetPeak(int p, std::initializer_list<double> values) {
    int j = 1;
    for (double v : values) {
      Win[kW].ParameterValue[p][j] = v;
      Win[kW].ParameterLower[p][j] = -1e9;
      Win[kW].ParameterUpper[p][j] = 1e9;
      ++j;
    }
  }
};

TEST_F(FitVectorTest, DoubletTableSurvivesLoadAndStore) {
  const auto before = Win[kW].ParameterValue;
  AllocFitArraysGaussLorentz(kW);
  ASSERT_TRUE(LoadFitParameters(kW));
  // Position 290 eV binding is channel 101; the partner 1.2 eV lower in
  // binding energy lies 12 channels further on.
  EXPECT_NEAR(G.FitVector[5], 101.0, 1e-9);
  EXPECT_NEAR(G.FitVector[6], 12.0, 1e-9);
  EXPECT_NEAR(G.FitVector[7], 6.0, 1e-9);  // 1.2 eV FWHM = 6 channels HWHM
  EXPECT_NEAR(G.FitVector[8], 1.2, 1e-12);
  EXPECT_NEAR(G.FitVector[2], 0.5, 1e-12);
  StoreFitParameters(kW);
  for (int p = 1; p <= 2; ++p) {
    for (int j = 1; j <= 10; ++j) {
      // Limits can move a value: these all lie inside theirs.
      EXPECT_NEAR(Win[kW].ParameterValue[p][j], before[p][j], 1e-9) << p << "," << j;
    }
  }
}

TEST_F(FitVectorTest, PositionLimitsSwapOnBindingAxis) {
  Win[kW].ParameterLower[1][5] = 289.0;
  Win[kW].ParameterUpper[1][5] = 291.0;
  AllocFitArraysGaussLorentz(kW);
  ASSERT_TRUE(LoadFitParameters(kW));
  EXPECT_NEAR(G.FitLowerLimits[5], 91.0, 1e-9);
  EXPECT_NEAR(G.FitUpperLimits[5], 111.0, 1e-9);
}

TEST_F(FitVectorTest, SingletLeavesPartnerEntriesEmptyAndStoresOwnPosition) {
  Win[kW].PeakType = "Singlet";
  AllocFitArraysGaussLorentz(kW);
  ASSERT_TRUE(LoadFitParameters(kW));
  for (int k : {2, 4, 6, 8}) {
    EXPECT_EQ(G.FitVector[k], 0.0) << k;
    EXPECT_EQ(G.FitLowerLimits[k], 0.0) << k;
    EXPECT_EQ(G.FitUpperLimits[k], 0.0) << k;
  }
  EXPECT_NEAR(G.FitVector[10], 100.0, 1e-9);  // asymmetry ratio loads for every type
  StoreFitParameters(kW);
  EXPECT_EQ(Win[kW].ParameterValue[1][2], 0.0);
  EXPECT_NEAR(Win[kW].ParameterValue[1][6], 290.0, 1e-9);
  EXPECT_EQ(Win[kW].ParameterValue[1][8], 0.0);
}

TEST_F(FitVectorTest, ZeroMainValuesGiveZeroRatiosAndShareProductIsCapped) {
  Win[kW].ParameterValue[2][1] = 0;  // height 0: partner ratio 0
  Win[kW].ParameterLower[2][1] = 0;
  Win[kW].ParameterValue[2][9] = 0;
  Win[kW].ParameterValue[2][10] = 0.3;
  Win[kW].ParameterValue[1][4] = 0.9;  // partner share 0.9 > ... m = 0.3, ratio 3: product 0.9
  Win[kW].ParameterValue[2][3] = 0.5;
  Win[kW].ParameterValue[2][4] = 0.95;
  AllocFitArraysGaussLorentz(kW);
  ASSERT_TRUE(LoadFitParameters(kW));
  EXPECT_EQ(G.FitVector[12], 0.0);
  EXPECT_EQ(G.FitVector[20], 0.0);
  EXPECT_NEAR(G.FitVector[4], 3.0, 1e-12);
  EXPECT_NEAR(G.FitVector[14], 1.9, 1e-12);
  EXPECT_LE(G.FitVector[13] * G.FitVector[14], 1.0 + 1e-12);
}

TEST_F(FitVectorTest, LimitCompletion) {
  WindowRecord& win = Win[kW];
  win.ParameterLower[1][5] = 100.0;  // below the spectrum (280 eV)
  win.ParameterUpper[1][5] = 500.0;  // above it (300 eV)
  win.ParameterUpper[1][1] = 0.0;    // empty height limit
  win.ParameterLower[1][1] = 0.0;
  win.ParameterValue[1][7] = -1.0;   // negative width
  win.ParameterLower[1][9] = -3;
  win.ParameterUpper[1][9] = 3;
  win.ParameterLower[2][7] = 2.0;    // upper below lower
  win.ParameterUpper[2][7] = 1.5;
  win.ParameterValue[2][2] = 5e9;    // partner values are never pulled into limits
  win.ParameterUpper[2][2] = 10;
  CompleteLimitTables(kW);
  EXPECT_NEAR(win.ParameterLower[1][5], 280.0, 1e-9);
  EXPECT_NEAR(win.ParameterUpper[1][5], 300.0, 1e-9);
  EXPECT_EQ(win.ParameterUpper[1][1], 10.0 * 301);  // ten times the region's largest value
  EXPECT_EQ(win.ParameterValue[1][1], 1000.0);      // the start height is kept
  EXPECT_EQ(win.ParameterValue[1][7], 0.0001);
  EXPECT_EQ(win.ParameterLower[1][9], -1.0);
  EXPECT_EQ(win.ParameterUpper[1][9], 1.0);
  EXPECT_EQ(win.ParameterUpper[2][7], 2.0);
  EXPECT_EQ(win.ParameterValue[2][7], 2.0);
  EXPECT_EQ(win.ParameterValue[2][2], 5e9);
}

// A peak added to the fit has nothing in its table. Its empty cells get
// limits that the region (points 51..151 of 201) can hold.
TEST_F(FitVectorTest, EmptyCellsOfANewPeakGetLimitsTheRegionCanHold) {
  struct Case {
    const char* what;
    int axis;            // EnergyAxisMode
    int model;           // PeakModel
    double sign;         // of the spectrum's values
    double lowest, highest, height;
  };
  const Case cases[] = {
      {"binding axis", 0, 0, 1, 285.0, 295.0, 2510.0},
      {"kinetic axis", 1, 0, 1, 1191.6, 1201.6, 2510.0},
      {"Doniach-Sunjic", 0, 1, 1, 285.0, 295.0, 2510.0},
      {"no positive value", 0, 0, -1, 285.0, 295.0, 2510.0},
      {"all zero", 0, 0, 0, 285.0, 295.0, 10.0},
  };
  for (const Case& c : cases) {
    SetUp();
    G.EnergyAxisMode = static_cast<Byte>(c.axis);
    WindowRecord& win = Win[kW];
    win.PeakModel = static_cast<Byte>(c.model);
    win.PeakType = "Singlet";
    win.PeakCount = 3;
    win.RegionStart = 51;
    win.RegionEnd = 151;
    for (int i = 1; i <= 201; ++i) SlotData[kW](i, 1) = c.sign * (100 + i);
    CompleteLimitTables(kW);
    const int p = 3;  // the third peak's table is empty
    EXPECT_NEAR(win.ParameterLower[p][5], c.lowest, 1e-9) << c.what;
    EXPECT_NEAR(win.ParameterUpper[p][5], c.highest, 1e-9) << c.what;
    EXPECT_NEAR(win.ParameterValue[p][5], c.lowest, 1e-9) << c.what;
    EXPECT_NEAR(win.ParameterUpper[p][7], 10.0, 1e-9) << c.what;  // the region's span
    EXPECT_EQ(win.ParameterValue[p][7], 0.0001) << c.what;
    EXPECT_NEAR(win.ParameterUpper[p][1], c.height, 1e-9) << c.what;
    EXPECT_EQ(win.ParameterLower[p][1], 0.0) << c.what;
    if (c.model == 1) {
      EXPECT_NEAR(win.ParameterUpper[p][3], 10.0, 1e-9) << c.what;  // Gaussian width
    }
    // A peak with limits of its own keeps them.
    EXPECT_EQ(win.ParameterUpper[1][1], 1e9) << c.what;
    EXPECT_NEAR(win.ParameterUpper[1][7], 1e9, 1e-9) << c.what;
  }
}

TEST_F(FitVectorTest, ASinglePositionLimitOfZeroIsEmptyUnlessTheRegionHoldsZero) {
  struct Case {
    const char* what;
    double excitation;  // moves 0 eV binding into the spectrum or not
    double lower, upper;
    double expectedLower, expectedUpper;
  };
  const Case cases[] = {
      {"core level, upper empty", 1486.6, 290, 0, 290, 295},
      {"core level, lower empty", 1486.6, 0, 290, 285, 290},
      {"valence band, 0 is a limit", 1196.6, -3, 0, -3, 0},
      {"valence band, both empty", 1196.6, 0, 0, -5, 5},
  };
  for (const Case& c : cases) {
    SetUp();
    WindowRecord& win = Win[kW];
    win.SpectrumHeader.ExcitationEnergy = c.excitation;
    win.RegionStart = 51;
    win.RegionEnd = 151;
    win.PeakType = "Singlet";
    win.ParameterLower[1][5] = c.lower;
    win.ParameterUpper[1][5] = c.upper;
    CompleteLimitTables(kW);
    EXPECT_NEAR(win.ParameterLower[1][5], c.expectedLower, 1e-9) << c.what;
    EXPECT_NEAR(win.ParameterUpper[1][5], c.expectedUpper, 1e-9) << c.what;
  }
}

TEST_F(FitVectorTest, EmptyCellsOfRelativePeaksAreGivenAgainstTheFirst) {
  WindowRecord& win = Win[kW];
  win.RelativeMode = 1;
  win.PeakType = "Singlet";
  win.PeakCount = 3;
  win.RegionStart = 51;
  win.RegionEnd = 151;
  SetPeak(1, {1000, 0, 0.4, 0, 290.0, 0, 1.25, 0, 0, 0});
  CompleteLimitTablesRelative(kW);
  // Up to ten times the region's largest value, anywhere in the region, as
  // wide as the region, a Lorentz share up to 1.
  EXPECT_NEAR(win.ParameterUpper[3][1], 2510.0 / 1000, 1e-12);
  EXPECT_NEAR(win.ParameterLower[3][5], -5.0, 1e-9);
  EXPECT_NEAR(win.ParameterUpper[3][5], 5.0, 1e-9);
  EXPECT_NEAR(win.ParameterUpper[3][7], 10.0 / 1.25, 1e-12);
  EXPECT_NEAR(win.ParameterUpper[3][3], 1.0 / 0.4, 1e-12);
  // Their start ratios lie inside: a height ratio of 0 can now grow.
  EXPECT_EQ(win.ParameterValue[3][1], 0.0);
  EXPECT_GT(win.ParameterUpper[3][1], win.ParameterLower[3][1]);
}

TEST_F(FitVectorTest, ZeroEnergyStepIsRefused) {
  Win[kW].SpectrumHeader.EnergyStep = 0;
  AllocFitArraysGaussLorentz(kW);
  EXPECT_FALSE(LoadFitParameters(kW));
  EXPECT_FALSE(LoadFitParametersRelative(kW));
  for (long long k = 0; k <= G.FitVector.Upper(); ++k) EXPECT_EQ(G.FitVector[k], 0.0);
}

TEST_F(FitVectorTest, RelativeTableOnKineticAxis) {
  G.EnergyAxisMode = 1;
  WindowRecord& win = Win[kW];
  win.RelativeMode = 1;
  SetPeak(1, {1000, 0.5, 0.3, 1.0, 1196.6, -1.2, 1.2, 1.2, 0.01, 1.0});
  SetPeak(2, {0.4, 0.5, 1.5, 1.2, 2.0, -1.5, 0.8, 1.0, 0.5, 1.0});
  AllocFitArraysGaussLorentz(kW);
  ASSERT_TRUE(LoadFitParametersRelative(kW));
  EXPECT_NEAR(G.FitVector[5], 101.0, 1e-9);
  EXPECT_NEAR(G.FitVector[15], 20.0, 1e-9);   // +2 eV kinetic = +20 channels
  EXPECT_NEAR(G.FitVector[16], -15.0, 1e-9);
  EXPECT_NEAR(G.FitVector[17], 0.8, 1e-12);    // width ratio as it stands
  EXPECT_NEAR(G.FitVector[7], 6.0, 1e-9);
  const auto before = win.ParameterValue;
  StoreFitParametersRelative(kW);
  for (int p = 1; p <= 2; ++p) {
    for (int j = 1; j <= 10; ++j) EXPECT_NEAR(win.ParameterValue[p][j], before[p][j], 1e-9) << p << "," << j;
  }
}

}  // namespace
}  // namespace sorvan
