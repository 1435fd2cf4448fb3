// Tests of assigning an imported spectrum to a window and of resetting a
// window.
#include <gtest/gtest.h>

#include "core/model.h"
#include "core/store.h"
#include "core/window_state.h"

namespace sorvan {
namespace {

class WindowStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitialiseModel();
    G.BindingEnergyTitle = "Binding Energy / eV";
    G.KineticEnergyTitle = "Kinetic Energy / eV";
    G.CountsTitle = "Counts";
    G.CpsTitle = "Counts / s";
    ApplyWindowStartupValues();
  }

  // Imported spectrum at header index h with m points.
  static void MakeImported(int h, int m) {
    SpectrumHeaderRecord& r = ImportedHeader[h];
    r.Name = "C 1s";
    r.ShortName = "C1s";
    r.StartEnergy = 1190;
    r.EndEnergy = 1200;
    r.ExcitationEnergy = 1486.6;
    r.PassEnergy = 20;
    r.EnergyStep = 0.1;
    r.PointCount = static_cast<Int16>(m);
    r.DwellTime = 0.2;
    r.ScanCount = 4;
    r.Comment = "sample 3";
    r.Technique = "XPS";
    r.Date = "12.03.2005";
    r.SourceInfo = "  Al K alpha  mono  ";
  }
};

TEST_F(WindowStateTest, AssignCopiesTheHeaderAndSetsTheWholeSpectrumAsRegion) {
  MakeImported(21, 101);
  G.SourceFilePath = "C:\\data\\run.vms";
  Win[3].RegionStart = 20;
  Win[3].RegionEnd = 30;
  Win[3].RegionLength = 11;
  Win[3].SpectrumHeader.PointCount = 7;
  ASSERT_TRUE(AssignImportedToWindow(3, 21));
  const WindowRecord& r = Win[3];
  EXPECT_EQ(r.SourcePath, "C:\\data\\run.vms");
  EXPECT_EQ(r.SpectrumHeader.Name, "C 1s");
  EXPECT_EQ(r.SpectrumHeader.ShortName, "C1s");
  EXPECT_EQ(r.SpectrumHeader.PointCount, 101);
  EXPECT_EQ(r.SpectrumHeader.StartEnergy, 1190);
  EXPECT_EQ(r.SpectrumHeader.EndEnergy, 1200);
  EXPECT_EQ(r.SpectrumHeader.ExcitationEnergy, 1486.6);
  EXPECT_EQ(r.SpectrumHeader.PassEnergy, 20);
  EXPECT_EQ(r.SpectrumHeader.EnergyStep, 0.1);
  EXPECT_EQ(r.SpectrumHeader.DwellTime, 0.2);
  EXPECT_EQ(r.SpectrumHeader.ScanCount, 4);
  EXPECT_EQ(r.SpectrumHeader.Comment, "sample 3");
  EXPECT_EQ(r.SpectrumHeader.Technique, "XPS");
  EXPECT_EQ(r.SpectrumHeader.Date, "12.03.2005");
  EXPECT_EQ(r.SpectrumHeader.SourceInfo, "Al K alpha  mono");  // ends trimmed only
  EXPECT_EQ(r.RegionStart, 1);
  EXPECT_EQ(r.RegionEnd, 101);
  EXPECT_EQ(r.RegionLength, 101);
  EXPECT_EQ(r.PeakCount, 1);  // no parameter-set path yet: one peak
  // The store is the caller's: nothing sized here.
  EXPECT_TRUE(SlotData[3].empty());
}

TEST_F(WindowStateTest, AssignOfAnEmptySpectrumGivesAnEmptyRegion) {
  MakeImported(2, 0);
  ASSERT_TRUE(AssignImportedToWindow(1, 2));
  EXPECT_EQ(Win[1].RegionStart, 1);
  EXPECT_EQ(Win[1].RegionEnd, 0);
  EXPECT_EQ(Win[1].RegionLength, 0);
}

TEST_F(WindowStateTest, AssignCopiesTheTransmissionCoefficientsAndLeavesTheCallersFields) {
  MakeImported(1, 5);
  for (int c = 1; c <= 10; ++c) {
    G.TransmissionCoefCopy[c] = c * 0.5;
    G.TransmissionFixedCopy[c] = (c % 2 == 0) ? -1 : 0;
  }
  Win[4].ImportFormat = 26;
  Win[4].SourceSpectrumIndex = 1;
  Win[4].SourceBlockList = "0102";
  Win[4].BackgroundState = 2;
  Win[4].PeakModel = 1;
  Win[4].RelativeMode = 1;
  ASSERT_TRUE(AssignImportedToWindow(4, 1));
  for (int c = 1; c <= 10; ++c) {
    EXPECT_EQ(Win[4].TransmissionCoef[c], c * 0.5);
    EXPECT_EQ(Win[4].TransmissionCoefFixed[c], (c % 2 == 0) ? -1 : 0);
  }
  EXPECT_EQ(Win[4].ImportFormat, 26);
  EXPECT_EQ(Win[4].SourceSpectrumIndex, 1);
  EXPECT_EQ(Win[4].SourceBlockList, "0102");
  EXPECT_EQ(Win[4].BackgroundState, 2);
  EXPECT_EQ(Win[4].PeakModel, 1);
  EXPECT_EQ(Win[4].RelativeMode, 1);
}

// A numbered region file names its regions by extension: the window's source
// becomes the region's own file. Only the file name's extension changes, also
// when a folder name carries a dot.
TEST_F(WindowStateTest, NumberedRegionFilesGetTheRegionsOwnPath) {
  struct Case {
    int format;
    const char* source;
    const char* shortName;
    const char* expected;
  };
  const Case cases[] = {
      {8, "C:\\meas\\probe.1", "3", "C:\\meas\\probe.3"},
      {9, "C:\\meas\\probe.1", "5", "C:\\meas\\probe.5"},
      {8, "C:\\meas.2005\\probe.1", "2", "C:\\meas.2005\\probe.2"},
      {8, "C:\\meas.2005\\probe", "4", "C:\\meas.2005\\probe.4"},
      {8, "C:\\meas\\au.film.1", "2", "C:\\meas\\au.film.2"},
      {10, "C:\\meas.2005\\probe.1", "2", "C:\\meas.2005\\probe.1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    MakeImported(1, 3);
    ImportedHeader[1].ShortName = c.shortName;
    G.SourceFilePath = c.source;
    G.NumberedFilePath = "probe.1";
    Win[2].ImportFormat = static_cast<Byte>(c.format);
    Win[2].SourceDialogName.clear();
    ASSERT_TRUE(AssignImportedToWindow(2, 1));
    EXPECT_EQ(Win[2].SourcePath, c.expected);
    EXPECT_EQ(Win[2].SourceDialogName, (c.format == 8 || c.format == 9) ? "probe.1" : "");
  }
}

TEST_F(WindowStateTest, AssignRefusesWindowsAndHeaderIndicesOutsideTheirRanges) {
  MakeImported(15, 9);
  MakeImported(1, 9);
  const std::pair<int, int> cases[] = {{0, 1}, {101, 1}, {-1, 1}, {1, 0},
                                       {1, 11}, {1, 15}, {1, 20}, {1, 111}};
  for (auto [w, h] : cases) {
    EXPECT_FALSE(AssignImportedToWindow(w, h)) << w << " " << h;
  }
  EXPECT_TRUE(Win[1].SpectrumHeader.Name.empty());
  EXPECT_TRUE(Win[0].SpectrumHeader.Name.empty());
}

TEST_F(WindowStateTest, ResetTitlesFollowTheCurrentScaleAndUnit) {
  struct Case {
    Byte energyAxisMode, cpsMode;
    const char* xTitle;
    const char* yTitle;
  };
  const Case cases[] = {{0, 0, "Binding Energy / eV", "Counts"},
                        {0, 1, "Binding Energy / eV", "Counts / s"},
                        {1, 0, "Kinetic Energy / eV", "Counts"},
                        {1, 1, "Kinetic Energy / eV", "Counts / s"}};
  for (const Case& c : cases) {
    G.EnergyAxisMode = c.energyAxisMode;
    G.CpsMode = c.cpsMode;
    Win[12].XAxisTitle = "user";
    Win[12].YAxisTitle = "user";
    ASSERT_TRUE(ResetWindowState(12));
    EXPECT_EQ(Win[12].XAxisTitle, c.xTitle);
    EXPECT_EQ(Win[12].YAxisTitle, c.yTitle);
  }
}

TEST_F(WindowStateTest, ResetRestoresTheResetValuesAndKeepsTheRest) {
  G.CpsMode = 1;
  const int w = 7;
  WindowRecord& r = Win[w];
  // Everything a processed, fitted, labelled window may carry.
  r.WindowOpen = true;
  r.WindowKind = 3;
  r.WindowLeft = 11;
  r.WindowHeight = 222;
  r.SourcePath = "C:\\x.vms";
  r.ImportFormat = 4;
  r.SourceSpectrumIndex = 21;
  r.SpectrumHeader.Name = "O 1s";
  r.SpectrumHeader.PointCount = 50;
  r.RegionStart = 5;
  r.RegionEnd = 40;
  r.RegionLength = 36;
  r.IntensityMax = 1e5;
  r.EnergyShift = 0.7;
  r.RegionPartial = 1;
  r.DerivativeCount = 2;
  r.SpectrumNegated = 1;
  r.SmoothCount = 3;
  r.ScaleMode = 3;
  r.ArithmeticDone = 1;
  r.TransmissionActive = 1;
  r.BackgroundState = 4;
  r.SatelliteState = 1;
  r.PrintHeaderBlock = 0;
  r.XRangeFixed = 1;
  r.YRangeFixed = 1;
  r.YTitleFixed = 1;
  r.YTickCount = 8;
  r.XTickCount = 6;
  r.ShowYScale = 0;
  r.ResidualTitle = "res";
  r.IntensityUnit = "kcps";
  r.XGridLines = 1;
  r.AnnotationCount = 4;
  r.TitleLabelCount = 2;
  r.PeakCount = 9;
  r.PeakType = "Doublet";
  r.PeakModel = 1;
  r.ParameterValue[9][5] = 284.6;
  r.HasFit = 1;
  r.ParamSetLoaded = 1;
  r.IntegratedArea[1] = 500;
  r.IntegratedArea[2] = 600;
  r.PeakArea[1] = 300;
  r.FitChi2 = 1.5;
  r.HessianValid = 1;
  r.ErrorTableValid = 1;
  r.ErrorMethod = 1;
  r.MemberLabelStepFixed = 1;
  r.MemberLabelStep = 4;
  r.ShowMemberLabels = 0;
  r.ShowMaximumTrace = 1;
  r.MemberCount = 3;
  r.TransmissionCoef[6] = 1;
  Labels[LabelIndex(w, 1)].AnnotationText = "Si 2p";
  Labels[LabelIndex(w, 1)].AnnotationX = 99.5;
  Win[w].HessianMatrix.Resize(3, 3);
  Win[w].HessianMatrix(1, 1) = 2;
  Win[w].SpectrumHeader.PointCount = 50;
  DimSlotData(w);
  SlotData[w](3, 1) = 42;

  ASSERT_TRUE(ResetWindowState(w));

  // Reset values
  EXPECT_EQ(r.XAxisTitle, "Binding Energy / eV");
  EXPECT_EQ(r.YAxisTitle, "Counts / s");
  EXPECT_EQ(r.ResidualTitle, "R(E)");
  EXPECT_EQ(r.YTickCount, 5);
  EXPECT_EQ(r.ShowYScale, 1);
  EXPECT_EQ(r.XRangeFixed, 0);
  EXPECT_EQ(r.YRangeFixed, 0);
  EXPECT_EQ(r.YTitleFixed, 0);
  EXPECT_EQ(r.AnnotationCount, 0);
  EXPECT_EQ(r.TitleLabelCount, 0);
  EXPECT_EQ(r.EnergyShift, 0);
  EXPECT_EQ(r.WindowKind, 0);
  EXPECT_EQ(r.BackgroundState, 0);
  EXPECT_EQ(r.SatelliteState, 0);
  EXPECT_EQ(r.RegionPartial, 0);
  EXPECT_EQ(r.DerivativeCount, 0);
  EXPECT_EQ(r.SpectrumNegated, 0);
  EXPECT_EQ(r.SmoothCount, 0);
  EXPECT_EQ(r.ScaleMode, 0);
  EXPECT_EQ(r.ArithmeticDone, 0);
  EXPECT_EQ(r.TransmissionActive, 0);
  EXPECT_EQ(r.PeakCount, 1);
  EXPECT_EQ(r.HasFit, 0);
  EXPECT_EQ(r.ParamSetLoaded, 0);
  EXPECT_EQ(r.IntegratedArea[1], 0);
  EXPECT_EQ(r.HessianValid, 0);
  EXPECT_EQ(r.ErrorTableValid, 0);
  EXPECT_EQ(r.MemberLabelStepFixed, 0);
  EXPECT_EQ(r.ShowMemberLabels, 1);

  // Kept
  EXPECT_TRUE(r.WindowOpen);
  EXPECT_EQ(r.WindowLeft, 11);
  EXPECT_EQ(r.WindowHeight, 222);
  EXPECT_EQ(r.SourcePath, "C:\\x.vms");
  EXPECT_EQ(r.ImportFormat, 4);
  EXPECT_EQ(r.SourceSpectrumIndex, 21);
  EXPECT_EQ(r.SpectrumHeader.Name, "O 1s");
  EXPECT_EQ(r.RegionStart, 5);
  EXPECT_EQ(r.RegionEnd, 40);
  EXPECT_EQ(r.RegionLength, 36);
  EXPECT_EQ(r.IntensityMax, 1e5);
  EXPECT_EQ(r.PrintHeaderBlock, 0);
  EXPECT_EQ(r.XTickCount, 6);
  EXPECT_EQ(r.IntensityUnit, "kcps");
  EXPECT_EQ(r.XGridLines, 1);
  EXPECT_EQ(r.PeakType, "Doublet");
  EXPECT_EQ(r.PeakModel, 1);
  EXPECT_EQ(r.ParameterValue[9][5], 284.6);
  EXPECT_EQ(r.IntegratedArea[2], 600);
  EXPECT_EQ(r.PeakArea[1], 300);
  EXPECT_EQ(r.FitChi2, 1.5);
  EXPECT_EQ(r.ErrorMethod, 1);
  EXPECT_EQ(r.MemberLabelStep, 4);
  EXPECT_EQ(r.ShowMaximumTrace, 1);
  EXPECT_EQ(r.MemberCount, 3);
  EXPECT_EQ(r.TransmissionCoef[6], 1);
  EXPECT_EQ(r.HessianMatrix(1, 1), 2);  // counts as absent, stays stored
  EXPECT_EQ(Labels[LabelIndex(w, 1)].AnnotationText, "Si 2p");
  EXPECT_EQ(Labels[LabelIndex(w, 1)].AnnotationX, 99.5);
  EXPECT_EQ(SlotData[w](3, 1), 42);
}

TEST_F(WindowStateTest, ResetRefusesWindowsOutsideTheSpectrumWindows) {
  Win[0].BackgroundState = 3;
  for (int w : {0, 101, -1, 256}) EXPECT_FALSE(ResetWindowState(w));
  EXPECT_EQ(Win[0].BackgroundState, 3);
}

}  // namespace
}  // namespace sorvan
