// The energy-scale and intensity-unit switches on open windows.
#include <gtest/gtest.h>

#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "display/switches.h"
#include "display_fixture.h"

namespace sorvan {
namespace {

class Switches : public displaytest::DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    G.KineticEnergyTitle = "Kinetic energy / eV";
    G.CountsTitle = "Counts";
    G.CpsTitle = "CPS";
    std::vector<double> v(100, 2000.0);
    displaytest::PlaceSpectrum(kWindow, v, 1486.6 - 300, 0.1);
    Win[kWindow].SpectrumHeader.ScanCount = 20;
    Win[kWindow].SpectrumHeader.DwellTime = 0.1;
  }

  // A fitted peak at `position` with the given limits.
  void FitOnePeak(double position, double lower, double upper, double height) {
    WindowRecord& win = Win[kWindow];
    win.HasFit = 1;
    win.PeakCount = 1;
    win.ParameterValue[1][5] = position;
    win.ParameterLower[1][5] = lower;
    win.ParameterUpper[1][5] = upper;
    win.ParameterValue[1][1] = height;
    win.ParameterLower[1][1] = 0;
    win.ParameterUpper[1][1] = 2 * height;
  }
};

TEST_F(Switches, BindingToKineticMovesLabelsAndPeaks) {
  const int L = LabelIndex(kWindow, 1);
  Win[kWindow].AnnotationCount = 1;
  Labels[L].AnnotationText = "C 1s";
  Labels[L].AnnotationX = 284.8;
  Labels[L].TitleLabelX = 300;
  FitOnePeak(284.8, 283.0, 287.0, 500);
  Win[kWindow].XRangeFixed = 1;
  G.EnergyAxisMode = 1;
  SwitchEnergyScale();
  const WindowRecord& win = Win[kWindow];
  EXPECT_NEAR(Labels[L].AnnotationX, 1201.8, 1e-9);
  EXPECT_NEAR(Labels[L].TitleLabelX, 1186.6, 1e-9);
  EXPECT_NEAR(win.ParameterValue[1][5], 1201.8, 1e-9);
  EXPECT_NEAR(win.ParameterLower[1][5], 1199.6, 1e-9);
  EXPECT_NEAR(win.ParameterUpper[1][5], 1203.6, 1e-9);
  EXPECT_EQ(win.XRangeFixed, 0);
  EXPECT_EQ(win.XAxisTitle, G.KineticEnergyTitle);
}

TEST_F(Switches, RelativePositionsChangeSign) {
  WindowRecord& win = Win[kWindow];
  win.HasFit = 1;
  win.RelativeMode = 1;
  win.PeakCount = 2;
  win.ParameterValue[1][5] = 284.8;
  win.ParameterLower[1][5] = 283;
  win.ParameterUpper[1][5] = 287;
  win.ParameterValue[1][6] = 1.2;
  win.ParameterValue[2][5] = 1.5;
  win.ParameterLower[2][5] = 1.0;
  win.ParameterUpper[2][5] = 2.0;
  G.EnergyAxisMode = 1;
  SwitchEnergyScale();
  EXPECT_NEAR(win.ParameterValue[1][5], 1201.8, 1e-9);
  EXPECT_DOUBLE_EQ(win.ParameterValue[1][6], -1.2);
  EXPECT_DOUBLE_EQ(win.ParameterValue[2][5], -1.5);
  EXPECT_DOUBLE_EQ(win.ParameterLower[2][5], -2.0);
  EXPECT_DOUBLE_EQ(win.ParameterUpper[2][5], -1.0);
}

TEST_F(Switches, ALoadedUnfittedPeakTableSurvivesBothSwitches) {
  FitOnePeak(284.8, 283.0, 287.0, 500);
  Win[kWindow].HasFit = 0;
  Win[kWindow].ParamSetLoaded = 1;
  G.EnergyAxisMode = 1;
  SwitchEnergyScale();
  EXPECT_NEAR(Win[kWindow].ParameterValue[1][5], 1201.8, 1e-9);
  G.CpsMode = 1;
  SwitchIntensityUnit(1);
  EXPECT_EQ(Win[kWindow].PeakCount, 1);
  EXPECT_DOUBLE_EQ(Win[kWindow].ParameterValue[1][1], 250);
}

TEST_F(Switches, CountsToPerSecondDividesByScansTimesDwell) {
  WindowRecord& win = Win[kWindow];
  FitOnePeak(284.8, 283.0, 287.0, 500);
  win.BackgroundTermValue[1] = 100;
  win.BackgroundTermValue[5] = 0.3;
  win.AnnotationCount = 1;
  Labels[LabelIndex(kWindow, 1)].AnnotationY = 1800;
  Labels[LabelIndex(kWindow, 1)].TitleLabelY = 600;
  for (int i = 1; i <= 100; ++i) SlotData[kWindow](i, 3) = 7;
  G.CpsMode = 1;
  SwitchIntensityUnit(1);
  EXPECT_DOUBLE_EQ(SlotData[kWindow](1, 1), 1000);
  EXPECT_DOUBLE_EQ(SlotData[kWindow](100, 1), 1000);
  EXPECT_DOUBLE_EQ(SlotData[kWindow](50, 3), 7) << "the removed satellite curve stays";
  EXPECT_DOUBLE_EQ(win.ParameterValue[1][1], 250);
  EXPECT_DOUBLE_EQ(win.ParameterUpper[1][1], 500);
  EXPECT_DOUBLE_EQ(win.BackgroundTermValue[1], 50);
  EXPECT_DOUBLE_EQ(win.BackgroundTermValue[5], 0.3);
  EXPECT_DOUBLE_EQ(Labels[LabelIndex(kWindow, 1)].AnnotationY, 900);
  EXPECT_DOUBLE_EQ(Labels[LabelIndex(kWindow, 1)].TitleLabelY, 300);
  G.CpsMode = 0;
  SwitchIntensityUnit(0);
  EXPECT_DOUBLE_EQ(SlotData[kWindow](1, 1), 2000);
  EXPECT_DOUBLE_EQ(win.ParameterValue[1][1], 500);
}

TEST_F(Switches, AFixedIntensityRangeFollowsTheUnit) {
  WindowRecord& win = Win[kWindow];
  win.YRangeFixed = 1;
  win.YAxisTop = 4000;
  win.YAxisBottom = 1000;
  win.YAxisSpan = 3000;
  G.CpsMode = 1;
  SwitchIntensityUnit(1);
  EXPECT_DOUBLE_EQ(win.YAxisTop, 2000);
  EXPECT_DOUBLE_EQ(win.YAxisBottom, 500);
}

TEST_F(Switches, PlotFractionLabelsOfSeveralSpectraStay) {
  WindowRecord& win = Win[kWindow];
  win.WindowKind = 3;  // stacked view
  win.MultiScanCount = 20;
  win.MultiDwellTime = 0.1;
  win.MultiYTop = 4000;
  win.MultiYBottom = 0;
  win.MemberCount = 1;
  win.MultiRegionStart = 1;
  win.MultiRegionEnd = 10;
  DimSlotComponents(kWindow);
  for (int i = 1; i <= 10; ++i) SlotComponents[kWindow](i, 1) = 600;
  Labels[LabelIndex(kWindow, 1)].AnnotationX = 0.25;
  Labels[LabelIndex(kWindow, 1)].AnnotationY = 0.5;
  G.EnergyAxisMode = 1;
  SwitchEnergyScale();
  SwitchMultiSpectrumIntensityUnit(1);
  EXPECT_DOUBLE_EQ(Labels[LabelIndex(kWindow, 1)].AnnotationX, 0.25);
  EXPECT_DOUBLE_EQ(Labels[LabelIndex(kWindow, 1)].AnnotationY, 0.5);
  EXPECT_DOUBLE_EQ(win.MultiYTop, 2000);
  EXPECT_DOUBLE_EQ(SlotComponents[kWindow](5, 1), 300);
  SwitchMultiSpectrumIntensityUnit(0);
  EXPECT_DOUBLE_EQ(win.MultiYTop, 4000);
  EXPECT_DOUBLE_EQ(SlotComponents[kWindow](5, 1), 600);
}

TEST_F(Switches, ChemicalStateLabelsKeepTheirFixedAxesOnAnEnergySwitch) {
  // The plot's axes are binding and kinetic energy whatever scale the
  // spectra are shown on, so its labels must not be mirrored by hv.
  WindowRecord& win = Win[kWindow];
  win.WindowKind = 1;
  win.AnnotationCount = 1;
  win.TitleLabelCount = 1;
  const int L = LabelIndex(kWindow, 1);
  Labels[L].AnnotationX = 933;
  Labels[L].AnnotationY = 916;
  Labels[L].TitleLabelX = 935;
  for (int mode : {1, 0}) {
    G.EnergyAxisMode = static_cast<Byte>(mode);
    SwitchEnergyScale();
    EXPECT_DOUBLE_EQ(Labels[L].AnnotationX, 933) << mode;
    EXPECT_DOUBLE_EQ(Labels[L].AnnotationY, 916) << mode;
    EXPECT_DOUBLE_EQ(Labels[L].TitleLabelX, 935) << mode;
  }
}

TEST_F(Switches, LanguageRefreshRenamesOnlyFittedDoublets) {
  G.MessageTexts[47] = "Singlet";
  G.MessageTexts[52] = "Doublet";
  Win[kWindow].PeakType = "Dublett";
  RefreshWindowsForLanguage();
  EXPECT_EQ(Win[kWindow].PeakType, "Dublett");
  Win[kWindow].HasFit = 1;
  RefreshWindowsForLanguage();
  EXPECT_EQ(Win[kWindow].PeakType, "Doublet");
  Win[kWindow].PeakType = "Singlet";
  RefreshWindowsForLanguage();
  EXPECT_EQ(Win[kWindow].PeakType, "Singlet");
}

}  // namespace
}  // namespace sorvan
