// File > Revert spectrum, driven through the started program: a processed
// window gets its measured values back and loses its processing; a window
// whose source cannot be read is kept as it is; other window kinds are not
// touched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../shell/shell_fixture.h"
#include "core/store.h"
#include "display/redraw.h"
#include "display/window_labels.h"
#include "display/windows.h"
#include "platform/labels.h"
#include "processing/revert.h"

namespace {

using namespace sorvan;

constexpr int kW = 3;
constexpr int kPoints = 50;
constexpr int kSource = 21;  // header index of the eleventh stored spectrum
constexpr int kSlot = 11;    // its value vector

class Revert : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    // The shipped default peak tables, which the revert loads.
    SetParameterSetAndSatellitePaths();
    G.CpsMode = 0;
    OpenSpectrumWindow(kW, "O 1s");
    WindowRecord& win = Win[kW];
    SpectrumHeaderRecord& h = win.SpectrumHeader;
    h.Name = "O 1s";
    h.PointCount = kPoints;
    h.StartEnergy = 950;
    h.EnergyStep = 0.5;
    h.EndEnergy = 950 + (kPoints - 1) * 0.5;
    h.ExcitationEnergy = 1486.6;
    h.ScanCount = 4;
    h.DwellTime = 0.5;
    ImportedHeader[kSource] = h;
    ImportedValues[kSlot].Resize(kPoints);
    for (int i = 1; i <= kPoints; ++i) ImportedValues[kSlot][i] = 100.0 + i;
    win.SourceSpectrumIndex = kSource;
    win.SourcePath = "\\data\\o1s.vms";
    win.ImportFormat = 12;
    G.SourceFilePath = win.SourcePath;  // the store holds the window's file
    G.ChosenBlockList = win.SourceBlockList;
    DimSlotData(kW);
    // Processed: scaled, a background, a satellite curve, a narrow region,
    // a fitted peak table and two labels.
    for (int i = 1; i <= kPoints; ++i) {
      SlotData[kW](i, 1) = 3 * (100.0 + i);
      SlotData[kW](i, 2) = 50;
      SlotData[kW](i, 3) = 7;
    }
    win.BackgroundState = 2;
    win.ScaleMode = 1;
    win.SmoothCount = 2;
    win.RegionStart = 10;
    win.RegionEnd = 30;
    win.RegionLength = 21;
    win.HasFit = 1;
    win.PeakCount = 4;
    win.ParameterValue[1][5] = 531.2;
    for (const char* text : {"O-H", "C=O"}) {
      const int j = AddWindowLabel(kW, false);
      Labels[LabelIndex(kW, j)].AnnotationText = text;
    }
    G.CurrentWindow = kW;
    UpdateMenuState(kW);
    RedrawWindow(kW);
  }
};

TEST_F(Revert, GivesTheMeasuredValuesBackAndDropsTheProcessing) {
  struct Case {
    const char* what;
    Byte cps;
    double factor;  // measured value / shown value
  };
  for (const Case& c : {Case{"counts", 0, 1}, Case{"counts per second", 1, 4 * 0.5}}) {
    SCOPED_TRACE(c.what);
    G.CpsMode = c.cps;
    plat::driver::ChooseMenu(1900);
    const WindowRecord& win = Win[kW];
    for (int i = 1; i <= kPoints; ++i) {
      ASSERT_DOUBLE_EQ(SlotData[kW](i, 1), (100.0 + i) / c.factor) << i;
      ASSERT_EQ(SlotData[kW](i, 2), 0) << i;
      ASSERT_EQ(SlotData[kW](i, 3), 7) << "the satellite curve stays, point " << i;
    }
    EXPECT_EQ(win.RegionStart, 1);
    EXPECT_EQ(win.RegionEnd, kPoints);
    EXPECT_EQ(win.RegionLength, kPoints);
    EXPECT_EQ(G.CursorStart, 1);
    EXPECT_EQ(G.CursorEnd, kPoints);
    EXPECT_EQ(win.BackgroundState, 0);
    EXPECT_EQ(win.ScaleMode, 0);
    EXPECT_EQ(win.SmoothCount, 0);
    EXPECT_EQ(win.HasFit, 0);
    // The default Gauss-Lorentz table: one peak at 284.6 eV.
    EXPECT_EQ(win.PeakCount, 1);
    EXPECT_DOUBLE_EQ(win.ParameterValue[1][5], 284.6);
    EXPECT_EQ(win.AnnotationCount, 0);
    EXPECT_EQ(Labels[LabelIndex(kW, 1)].AnnotationText, "");
    EXPECT_FALSE(plat::LabelExists(plat::LabelArray::Annotation, LabelIndex(kW, 1)));
  }
}

TEST_F(Revert, AnUnreadableSourceKeepsTheWindowAsItIs) {
  // Another file is in the store and the window's own file is gone.
  G.SourceFilePath = "\\data\\other.vms";
  plat::script::AnswerMessage(1);
  plat::driver::ChooseMenu(1900);
  const WindowRecord& win = Win[kW];
  EXPECT_EQ(G.CommandId, 8);
  EXPECT_DOUBLE_EQ(SlotData[kW](5, 1), 3 * 105.0);
  EXPECT_EQ(SlotData[kW](5, 2), 50);
  EXPECT_EQ(win.RegionStart, 10);
  EXPECT_EQ(win.HasFit, 1);
  EXPECT_EQ(win.PeakCount, 4);
  EXPECT_EQ(win.AnnotationCount, 2);
}

TEST_F(Revert, ASourceThatNoLongerHasTheWindowsPointsKeepsTheWindow) {
  struct Case {
    const char* what;
    int headerPoints, storedPoints;
  };
  for (const Case& c : {Case{"fewer points in the header", kPoints - 10, kPoints - 10},
                        Case{"more points in the header", kPoints + 10, kPoints + 10},
                        Case{"values cut short", kPoints, kPoints - 1}}) {
    SCOPED_TRACE(c.what);
    ImportedHeader[kSource].PointCount = static_cast<Int16>(c.headerPoints);
    ImportedValues[kSlot].Resize(c.storedPoints);
    G.CommandId = 0;
    plat::script::AnswerMessage(1);
    RevertSpectrum(kW);
    EXPECT_EQ(G.CommandId, 3);
    EXPECT_DOUBLE_EQ(SlotData[kW](5, 1), 3 * 105.0);
    EXPECT_EQ(SlotData[kW](5, 2), 50);
    EXPECT_EQ(Win[kW].AnnotationCount, 2);
  }
}

TEST_F(Revert, OtherWindowKindsAreNotChanged) {
  Win[kW].WindowKind = ChemicalStatePlot;
  RevertSpectrum(kW);
  EXPECT_DOUBLE_EQ(SlotData[kW](5, 1), 3 * 105.0);
  EXPECT_EQ(Win[kW].RegionStart, 10);
  EXPECT_EQ(Win[kW].AnnotationCount, 2);
}

}  // namespace
