// The error table of a fit: errors in fit units turned into table units or
// percent, the partner-share limit, the cells without a value, and the
// table of a window rebuilt between the two modes.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/model.h"
#include "fit/fit_format.h"
#include "fit/fit_vector.h"
#include "fiterrors/error_table.h"

namespace sorvan {
namespace {

constexpr double kNone = kEmptyResultCell;

TEST(ErrorTable, PartnerShareErrorNeverPassesTheFarEndOfZeroToOne) {
  const struct {
    double share, raw, held;
  } cases[] = {{0.7, 0.9, 0.7}, {0.2, 0.9, 0.8}, {0.5, 0.6, 0.5}, {0.3, 0.1, 0.1}, {0.8, 0.1, 0.1}};
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(LimitPartnerShareError(c.share, c.raw), c.held) << c.share << " " << c.raw;
}

// One peak: heights 1000 (partner ratio 0.5), share 0.4 (ratio 1.5), channel
// 100 (splitting 20), half width 5 (ratio 1.2), asymmetry 0.1 (ratio 0.5),
// 0.1 eV per channel, the peak at 200 eV and its partner at 300 eV.
ErrorRowInput BaseRow() {
  ErrorRowInput in;
  const double x[11] = {0, 1000, 0.5, 0.4, 1.5, 100, 20, 5, 1.2, 0.1, 0.5};
  const double e[11] = {0, 10, 0.01, 0.02, 0.03, 0.2, 0.1, 0.05, 0.01, 0.005, 0.02};
  for (int j = 0; j <= 10; ++j) {
    in.x[j] = x[j];
    in.e[j] = e[j];
  }
  in.energyStep = 0.1;
  in.positionEnergy = 200;
  in.partnerEnergy = 300;
  return in;
}

TEST(ErrorTable, RowsInTableUnitsAndPercent) {
  const struct {
    const char* what;
    bool relative, firstPeak, ds, percent;
    double row[11];
  } cases[] = {
      {"independent", false, true, false, false,
       {0, 10, 15, 0.02, 0.042, 0.02, 0.03, 0.01, 0.022, 0.005, 0.0045}},
      {"independent Doniach-Sunjic", false, true, true, false,
       {0, 10, 15, 0.004, 0.0084, 0.02, 0.03, 0.01, 0.022, 0.005, 0.0045}},
      {"relative, peak 1", true, true, false, false,
       {0, 10, 0.01, 0.02, 0.03, 0.02, 0.01, 0.01, 0.01, 0.005, 0.02}},
      // Offsets of later peaks are channels in the fit: shown in eV too.
      {"relative, later peak", true, false, false, false,
       {0, 10, 0.01, 0.02, 0.03, 0.02, 0.01, 0.05, 0.01, 0.005, 0.02}},
      {"relative, peak 1, Doniach-Sunjic", true, true, true, false,
       {0, 10, 0.01, 0.004, 0.03, 0.02, 0.01, 0.01, 0.01, 0.005, 0.02}},
      {"relative, later peak, Doniach-Sunjic", true, false, true, false,
       {0, 10, 0.01, 0.02, 0.03, 0.02, 0.01, 0.05, 0.01, 0.005, 0.02}},
      {"independent, percent", false, true, false, true,
       {0, 1, 3, 5, 7, 0.01, 0.01, 1, 110.0 / 60, 5, 9}},
      {"relative, percent", true, false, false, true,
       {0, 1, 2, 5, 2, 0.01, 0.5, 1, 1 / 1.2, 5, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ErrorRowInput in = BaseRow();
    in.relative = c.relative;
    in.firstPeak = c.firstPeak;
    in.doniachSunjic = c.ds;
    in.percent = c.percent;
    double row[11] = {};
    ErrorTableRow(in, row);
    for (int j = 1; j <= 10; ++j) EXPECT_NEAR(row[j], c.row[j], 1e-12 + 1e-12 * c.row[j]) << "j " << j;
  }
}

TEST(ErrorTable, PercentCellsWithoutADivisorHaveNoValue) {
  const struct {
    const char* what;
    bool relative;
    void (*change)(ErrorRowInput&);
    int none[4];  // the columns without value (0 ends the list)
  } cases[] = {
      {"zero height", false, [](ErrorRowInput& in) { in.x[1] = 0; }, {1, 2, 0, 0}},
      {"zero partner ratio", false, [](ErrorRowInput& in) { in.x[2] = 0; }, {2, 0, 0, 0}},
      {"zero share", false, [](ErrorRowInput& in) { in.x[3] = 0; }, {3, 4, 0, 0}},
      {"zero width", false, [](ErrorRowInput& in) { in.x[7] = 0; }, {7, 8, 0, 0}},
      {"zero asymmetry", false, [](ErrorRowInput& in) { in.x[9] = 0; }, {9, 10, 0, 0}},
      {"peak at 0 eV", false, [](ErrorRowInput& in) { in.positionEnergy = 0; }, {5, 0, 0, 0}},
      {"partner at 0 eV", false, [](ErrorRowInput& in) { in.partnerEnergy = 0; }, {6, 0, 0, 0}},
      {"relative, zero splitting", true, [](ErrorRowInput& in) { in.x[6] = 0; }, {6, 0, 0, 0}},
      {"relative, zero height", true, [](ErrorRowInput& in) { in.x[1] = 0; }, {1, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ErrorRowInput in = BaseRow();
    in.percent = true;
    in.relative = c.relative;
    in.firstPeak = !c.relative;
    c.change(in);
    double row[11] = {};
    ErrorTableRow(in, row);
    for (int j = 1; j <= 10; ++j) {
      bool none = false;
      for (int k : c.none) none = none || k == j;
      if (none) {
        EXPECT_EQ(row[j], kNone) << "j " << j;
      } else {
        EXPECT_TRUE(std::isfinite(row[j]) && row[j] >= 0) << "j " << j << ": " << row[j];
      }
    }
  }
}

// ---- The table of a window ----

constexpr int kW = 9;

class WindowErrorTable : public ::testing::Test {
 protected:
  void SetUp() override {
    InitialiseModel();
    G.MessageTexts[47] = "Singlet";
    G.MessageTexts[52] = "Doublet";
    G.EnergyAxisMode = 1;
    WindowRecord& win = Win[kW];
    win.SpectrumHeader.PointCount = 200;
    win.SpectrumHeader.EnergyStep = 0.1;
    win.SpectrumHeader.StartEnergy = 1000;
    win.SpectrumHeader.EndEnergy = 1019.9;
    win.SpectrumHeader.ExcitationEnergy = 1486.6;
    win.RegionStart = 1;
    win.RegionEnd = 200;
    win.PeakCount = 2;
    win.PeakType = "Doublet";
    for (int p = 1; p <= 2; ++p) {
      const double v[11] = {0, 1000.0 * p, 500.0 * p, 0.4, 0.6, 1005.0 + p, 1008.0 + p, 1.0, 1.2, 0, 0};
      for (int j = 1; j <= 10; ++j) {
        win.ParameterValue[p][j] = v[j];
        win.ParameterLower[p][j] = j <= 2 ? 0 : -1e9;
        win.ParameterUpper[p][j] = 1e9;
        win.ParameterState[p][j] = j >= 9 ? 1 : 0;
      }
      win.PeakArea[p] = 100.0 * p;
      win.PartnerArea[p] = 50.0 * p;
      win.AreaError[p] = 5;
      win.PartnerAreaError[p] = 3;
      win.AreaShareError[p] = 0.01;
      win.PartnerShareError[p] = 0.02;
    }
    win.TotalArea = 450;
    win.BackgroundTermValue[1] = 40;
    win.BackgroundTermValue[2] = 0;  // free
    win.BackgroundTermValue[3] = 0;  // fixed
    win.BackgroundTermFixed[3] = true;
    win.ParamErrors.Resize(26, 26);
    for (int k = 1; k <= 26; ++k) win.ParamErrors(k, k) = 0.01 * k;
    win.ParamErrors(21, 21) = -2;  // background errors keep their sign
    win.ParamErrors(22, 22) = 0.5;
  }
};

TEST_F(WindowErrorTable, SwitchingModesRebuildsFromTheSameErrors) {
  WindowRecord& win = Win[kW];
  BuildErrorTable(kW);
  EXPECT_EQ(win.ErrorTableValid, 1);
  const auto absolute = win.ParamErrorTable;
  const auto absoluteBackground = win.BackgroundTermError;
  // Height error as it stands, position error in eV.
  EXPECT_NEAR(absolute[1][1], 0.01, 1e-12);
  EXPECT_NEAR(absolute[2][5], 0.15 * 0.1, 1e-12);
  EXPECT_NEAR(absolute[1][7], 2 * 0.07 * 0.1, 1e-12);
  EXPECT_EQ(absoluteBackground[1], -2);
  EXPECT_EQ(win.AreaErrorShown[2], 5);
  EXPECT_EQ(win.PartnerShareErrorShown[1], 0.02);
  BuildErrorTable(kW);
  EXPECT_EQ(win.ParamErrorTable, absolute);

  win.ErrorsInPercent = 1;
  win.BackgroundTermError[3] = 77;
  BuildErrorTable(kW);
  EXPECT_NEAR(win.ParamErrorTable[1][1], 100 * 0.01 / 1000, 1e-12);
  EXPECT_NEAR(win.AreaErrorShown[1], 5.0, 1e-12);                          // 5 of 100
  EXPECT_NEAR(win.AreaShareErrorShown[1], 100 * 0.01 / (100.0 / 450), 1e-12);
  EXPECT_NEAR(win.PartnerAreaErrorShown[2], 3.0, 1e-12);                   // 3 of 100
  EXPECT_NEAR(win.BackgroundTermError[1], -5, 1e-12);                      // -2 of 40
  EXPECT_EQ(win.BackgroundTermError[2], kNone);                            // free, value 0
  EXPECT_EQ(win.BackgroundTermError[3], 77);                               // fixed, value 0: kept
  const auto percent = win.ParamErrorTable;
  BuildErrorTable(kW);
  EXPECT_EQ(win.ParamErrorTable, percent);

  win.ErrorsInPercent = 0;
  BuildErrorTable(kW);
  EXPECT_EQ(win.ParamErrorTable, absolute);
  EXPECT_EQ(win.BackgroundTermError, absoluteBackground);
}

TEST_F(WindowErrorTable, PercentWithoutAnAreaKeepsTheShownAreaErrors) {
  WindowRecord& win = Win[kW];
  win.ErrorsInPercent = 1;
  win.PeakArea[1] = 0;
  win.AreaErrorShown[1] = 11;
  win.AreaShareErrorShown[1] = 12;
  BuildErrorTable(kW);
  EXPECT_EQ(win.AreaErrorShown[1], 11);
  EXPECT_EQ(win.AreaShareErrorShown[1], 12);
  EXPECT_NEAR(win.AreaErrorShown[2], 2.5, 1e-12);  // 5 of 200
}

TEST_F(WindowErrorTable, PercentWithoutATotalAreaShowsNoShare) {
  WindowRecord& win = Win[kW];
  win.ErrorsInPercent = 1;
  win.TotalArea = 0;
  BuildErrorTable(kW);
  EXPECT_EQ(win.AreaShareErrorShown[1], kNone);
  EXPECT_EQ(win.PartnerShareErrorShown[2], kNone);
}

TEST_F(WindowErrorTable, SinglePeaksNeverWriteThePartnerAreaErrors) {
  WindowRecord& win = Win[kW];
  win.PeakType = "Singlet";
  for (const Byte mode : {Byte{0}, Byte{1}}) {
    win.ErrorsInPercent = mode;
    win.PartnerAreaErrorShown[1] = 99;
    win.PartnerShareErrorShown[1] = 98;
    BuildErrorTable(kW);
    EXPECT_EQ(win.PartnerAreaErrorShown[1], 99);
    EXPECT_EQ(win.PartnerShareErrorShown[1], 98);
  }
}

TEST_F(WindowErrorTable, RelativePeaksShowTheirOffsetErrorsInElectronVolts) {
  WindowRecord& win = Win[kW];
  win.RelativeMode = 1;
  win.ParameterValue[2][5] = 1.5;  // offset from peak 1, eV
  win.ParameterValue[2][6] = 3;
  win.ParameterValue[2][1] = 0.5;
  win.ParameterValue[2][7] = 1.1;
  for (int j : {1, 5, 6, 7}) {
    win.ParameterLower[2][j] = -10;
    win.ParameterUpper[2][j] = 10;
  }
  BuildErrorTable(kW);
  EXPECT_NEAR(win.ParamErrorTable[2][5], 0.15 * 0.1, 1e-12);
  EXPECT_NEAR(win.ParamErrorTable[2][6], 0.16 * 0.1, 1e-12);
  EXPECT_NEAR(win.ParamErrorTable[2][7], 0.17, 1e-12);  // a width ratio: as it stands
}

}  // namespace
}  // namespace sorvan
