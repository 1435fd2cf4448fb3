// The snapshot file: a window written and read back into another window
// under every display unit and peak mode, damaged files refused, and copy
// and paste driven from the menu.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/text.h"
#include "processing/snapshot.h"
#include "processing_menu_fixture.h"
#include "support/test_support.h"

namespace sorvan {
namespace {

constexpr int kSource = 3;
constexpr int kTarget = 5;

void ExpectNear(double a, double b, const std::string& what) {
  EXPECT_NEAR(a, b, 1e-12 * std::max(1.0, std::fabs(b))) << what;
}

class Snapshot : public processingtest::ProcessingMenu {
 protected:
  void SetUp() override {
    ProcessingMenu::SetUp();
    G.SnapshotFilePath = G.ProgramFolder + "\\temp\\temp.tmp";
  }

  // A window with every field of the snapshot set to something of its own.
  void FillSource(int w, Byte backgroundState, Byte hasFit, Byte relative) {
    Place(w, spectrum_, 1200.5, 0.25);
    WindowRecord& win = Win[w];
    SpectrumHeaderRecord& h = win.SpectrumHeader;
    h.Name = "C 1s, after sputtering";  // a comma must not shift what follows
    h.ShortName = "C1s";
    h.PassEnergy = 20;
    h.ScanCount = 3;
    h.DwellTime = 0.1;
    h.Technique = "XPS";
    h.Comment = "sample A, tilted";
    h.Date = "10.12.2026";
    h.SourceInfo = "Al K alpha";
    win.AnnotationCount = 2;
    win.TitleLabelCount = 1;
    for (int k = 1; k <= 2; ++k) {
      Labels[LabelIndex(w, k)].AnnotationText = "label " + std::to_string(k) + ", C-C";
      Labels[LabelIndex(w, k)].AnnotationX = 284.8 + k;
      Labels[LabelIndex(w, k)].AnnotationY = 100.0 * k;
    }
    Labels[LabelIndex(w, 1)].TitleLabelText = "Title";
    Labels[LabelIndex(w, 1)].TitleLabelX = 290;
    Labels[LabelIndex(w, 1)].TitleLabelY = 5;
    win.SourceSpectrumIndex = 4;
    win.EnergyShift = -0.35;
    win.BackgroundState = backgroundState;
    win.SatelliteState = 1;
    win.RegionPartial = 1;
    win.DerivativeCount = 2;
    win.SpectrumNegated = 1;
    win.SmoothCount = 3;
    win.ScaleMode = 4;
    win.ArithmeticDone = 1;
    win.PeakModel = 1;
    win.RelativeMode = relative;
    win.HasFit = hasFit;
    win.ParamSetLoaded = 1;
    win.PeakCount = 2;
    win.PeakType = "Singlets";
    win.IntegratedArea[1] = 1234.5;
    win.RegionStart = 2;
    win.RegionEnd = 5;
    win.SourcePath = "C:\\data\\run 7, part 2.vms";
    win.SourceBlockList = "0102";
    win.ImportFormat = 12;
    for (int p = 1; p <= 2; ++p) {
      for (int j = 1; j <= 10; ++j) {
        win.ParameterValue[p][j] = (j == 5 || j == 6) ? 280 + p + j * 0.5 : p * 1.5 + j;
        win.ParameterLower[p][j] = win.ParameterValue[p][j] - 1;
        win.ParameterUpper[p][j] = win.ParameterValue[p][j] + 2;
        win.ParameterState[p][j] = static_cast<Int16>((p + j) % 3);
      }
    }
    win.ParameterValue[2][3] = -2;  // a negative reference turns limits round
    for (int k = 1; k <= 6; ++k) {
      win.BackgroundTermValue[k] = 10.0 * k - 25;
      win.BackgroundTermFixed[k] = k % 2 == 0;
    }
    for (int i = 1; i <= 6; ++i) SlotData[w](i, 2) = 0.5 * i;
  }

  void ExpectSameState(int a, int b) {
    const WindowRecord& x = Win[a];
    const WindowRecord& y = Win[b];
    EXPECT_EQ(y.AnnotationCount, x.AnnotationCount);
    EXPECT_EQ(y.TitleLabelCount, x.TitleLabelCount);
    for (int k = 1; k <= x.AnnotationCount; ++k) {
      const LabelRecord& l = Labels[LabelIndex(a, k)];
      const LabelRecord& m = Labels[LabelIndex(b, k)];
      EXPECT_EQ(m.AnnotationText, l.AnnotationText);
      EXPECT_EQ(m.AnnotationX, l.AnnotationX);
      EXPECT_EQ(m.AnnotationY, l.AnnotationY);
    }
    for (int k = 1; k <= x.TitleLabelCount; ++k) {
      EXPECT_EQ(Labels[LabelIndex(b, k)].TitleLabelText, Labels[LabelIndex(a, k)].TitleLabelText);
      EXPECT_EQ(Labels[LabelIndex(b, k)].TitleLabelX, Labels[LabelIndex(a, k)].TitleLabelX);
    }
    EXPECT_EQ(y.SourceSpectrumIndex, x.SourceSpectrumIndex);
    EXPECT_EQ(y.EnergyShift, x.EnergyShift);
    EXPECT_EQ(y.BackgroundState, x.BackgroundState);
    EXPECT_EQ(y.SatelliteState, x.SatelliteState);
    EXPECT_EQ(y.RegionPartial, x.RegionPartial);
    EXPECT_EQ(y.DerivativeCount, x.DerivativeCount);
    EXPECT_EQ(y.SpectrumNegated, x.SpectrumNegated);
    EXPECT_EQ(y.SmoothCount, x.SmoothCount);
    EXPECT_EQ(y.ScaleMode, x.ScaleMode);
    EXPECT_EQ(y.ArithmeticDone, x.ArithmeticDone);
    EXPECT_EQ(y.PeakModel, x.PeakModel);
    EXPECT_EQ(y.RelativeMode, x.RelativeMode);
    EXPECT_EQ(y.HasFit, x.HasFit);
    EXPECT_EQ(y.ParamSetLoaded, x.ParamSetLoaded);
    EXPECT_EQ(y.IntegratedArea[1], x.IntegratedArea[1]);
    EXPECT_EQ(y.RegionStart, x.RegionStart);
    EXPECT_EQ(y.RegionEnd, x.RegionEnd);
    EXPECT_EQ(y.SourcePath, x.SourcePath);
    EXPECT_EQ(y.SourceBlockList, x.SourceBlockList);
    EXPECT_EQ(y.ImportFormat, x.ImportFormat);
    EXPECT_EQ(y.SpectrumHeader, x.SpectrumHeader);
    if (x.HasFit != 0) {
      EXPECT_EQ(y.PeakCount, x.PeakCount);
      EXPECT_EQ(y.PeakType, x.PeakType);
      for (int p = 1; p <= x.PeakCount; ++p) {
        for (int j = 1; j <= 10; ++j) {
          const std::string at = "peak " + std::to_string(p) + " entry " + std::to_string(j);
          ExpectNear(y.ParameterValue[p][j], x.ParameterValue[p][j], "value of " + at);
          ExpectNear(y.ParameterLower[p][j], x.ParameterLower[p][j], "lower limit of " + at);
          ExpectNear(y.ParameterUpper[p][j], x.ParameterUpper[p][j], "upper limit of " + at);
          EXPECT_EQ(y.ParameterState[p][j], x.ParameterState[p][j]) << at;
        }
      }
    }
    if (x.BackgroundState == 4) {
      for (int k = 1; k <= 6; ++k) {
        ExpectNear(y.BackgroundTermValue[k], x.BackgroundTermValue[k], "term " + std::to_string(k));
        EXPECT_EQ(y.BackgroundTermFixed[k], x.BackgroundTermFixed[k]) << k;
      }
    }
  }

  const std::vector<double> spectrum_ = {120, 340.25, 1000, 870.5, 300, 0.001};
};

TEST_F(Snapshot, ReadBackEqualsTheWrittenWindow) {
  struct Case {
    const char* what;
    Byte cps, axis, relative, background, fit;
  };
  const std::vector<Case> cases = {
      {"counts, binding, independent peaks", 0, 0, 0, 1, 1},
      {"per second, binding, independent peaks", 1, 0, 0, 1, 1},
      {"counts, kinetic, relative peaks", 0, 1, 1, 2, 1},
      {"per second, kinetic, relative peaks, fitted background", 1, 1, 1, 4, 1},
      {"counts, fitted background", 0, 0, 0, 4, 1},
      {"without a fit", 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    G.CpsMode = c.cps;
    G.EnergyAxisMode = c.axis;
    FillSource(kSource, c.background, c.fit, c.relative);
    Win[kTarget] = WindowRecord{};
    WriteSpectrumSnapshot(kSource);
    ASSERT_EQ(ReadSpectrumSnapshot(kTarget), SnapshotRead::Ok);
    ExpectSameState(kSource, kTarget);
    // Spectrum left as counts, background in the unit shown.
    const double f = c.cps == 1 ? 0.3 : 1.0;
    for (int i = 1; i <= 6; ++i) {
      ExpectNear(WorkData[i], spectrum_[i - 1] * f, "spectrum " + std::to_string(i));
      ExpectNear(WorkBackground[i], 0.5 * i, "background " + std::to_string(i));
    }
  }
}

TEST_F(Snapshot, TheFileKeepsCountsHeightsPerSecondAndBindingEnergies) {
  G.CpsMode = 1;
  G.EnergyAxisMode = 1;
  FillSource(kSource, 1, 1, 0);
  WriteSpectrumSnapshot(kSource);
  const std::string text = testsupport::ReadFile(plat::NativePath(G.SnapshotFilePath));
  // Label entry 0 comes first, then two labels; one title entry 0 and one title.
  EXPECT_EQ(text.rfind(" 2\r\n", 0), 0u);
  // 1 + 3 x 3 label lines, 1 + 3 x 2 title lines, 36 single values, 2 x 6
  // points, the peak type, x and 2 peaks x 10 entries x 4 lines.
  std::size_t lines = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 1u + 9 + 1 + 6 + 36 + 12 + 2 + 80);
  EXPECT_NE(text.find("\r\n 300\r\n"), std::string::npos) << "1000 per second written as counts";
  // Peak 1's position written as binding energy: hv - kinetic value.
  const double binding = 1486.6 - Win[kSource].ParameterValue[1][5];
  EXPECT_NE(text.find("\r\n" + plat::NumberToText(binding) + "\r\n"), std::string::npos);
}

TEST_F(Snapshot, ADamagedFileIsRefusedAndChangesNothing) {
  FillSource(kSource, 4, 1, 1);
  WriteSpectrumSnapshot(kSource);
  const std::string whole = testsupport::ReadFile(plat::NativePath(G.SnapshotFilePath));
  auto linesKept = [&](int dropped) {
    std::string cut = whole;
    for (int k = 0; k < dropped; ++k) cut.erase(cut.rfind("\r\n", cut.size() - 3) + 2);
    return cut;
  };
  struct Case {
    const char* what;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"empty", ""},
      {"only the label count", "2\r\n"},
      {"last value missing", linesKept(1)},
      {"background terms missing", linesKept(12)},
      {"cut inside the spectrum", whole.substr(0, whole.find("\r\n 1000\r\n") + 2)},
      {"a value too many", whole + "7\r\n"},
      {"label count out of range", "101\r\n" + whole.substr(whole.find("\r\n") + 2)},
  };
  const std::string damaged = G.ProgramFolder + "\\temp\\damaged.tmp";
  Labels[LabelIndex(kTarget, 1)].AnnotationText = "kept";
  Win[kTarget].SpectrumHeader.Name = "kept";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::WriteFile(plat::NativePath(damaged), c.text);
    plat::script::AnswerMessage(1);
    EXPECT_EQ(ReadSpectrumSnapshot(kTarget, damaged), SnapshotRead::Malformed);
    EXPECT_EQ(plat::driver::StepsLeft(), 0u) << "message 3 shown";
    EXPECT_EQ(Win[kTarget].SpectrumHeader.Name, "kept");
    EXPECT_EQ(Win[kTarget].AnnotationCount, 0);
    EXPECT_EQ(Labels[LabelIndex(kTarget, 1)].AnnotationText, "kept");
    EXPECT_FALSE(plat::IsOpen(10));
  }
  plat::script::AnswerMessage(1);
  EXPECT_EQ(ReadSpectrumSnapshot(kTarget, G.ProgramFolder + "\\temp\\none.tmp"), SnapshotRead::Missing);
}

TEST_F(Snapshot, CopyThenPasteTwiceFromTheMenu) {
  EXPECT_FALSE(Enabled(2220));
  FillSource(1, 1, 0, 0);
  plat::driver::ChooseMenu(2210);
  EXPECT_TRUE(Enabled(2220));
  plat::driver::ChooseMenu(2220);
  plat::driver::ChooseMenu(2220);
  for (int w : {2, 3}) {
    SCOPED_TRACE(w);
    EXPECT_TRUE(Win[w].WindowOpen);
    // Per second the values pass through counts and back: equal to rounding.
    for (int i = 1; i <= 6; ++i) {
      ExpectNear(SlotData[w](i, 1), SlotData[1](i, 1), "spectrum " + std::to_string(i));
      ExpectNear(SlotData[w](i, 2), SlotData[1](i, 2), "background " + std::to_string(i));
    }
    EXPECT_EQ(Win[w].SpectrumHeader, Win[1].SpectrumHeader);
    EXPECT_EQ(Win[w].RegionStart, 2);
    EXPECT_EQ(Win[w].RegionEnd, 5);
    EXPECT_EQ(Win[w].RegionLength, 4);
    EXPECT_EQ(Win[w].PeakCount, 1);  // without a fit: the default table, one peak
    EXPECT_EQ(Labels[LabelIndex(w, 2)].AnnotationText, "label 2, C-C");
  }
  EXPECT_EQ(G.CurrentWindow, 3);
}

TEST_F(Snapshot, PasteShowsTheSameValuesPerSecond) {
  G.CpsMode = 1;
  FillSource(1, 0, 0, 0);
  plat::driver::ChooseMenu(2210);
  plat::driver::ChooseMenu(2220);
  ASSERT_TRUE(Win[2].WindowOpen);
  for (int i = 1; i <= 6; ++i) ExpectNear(SlotData[2](i, 1), spectrum_[i - 1], std::to_string(i));
}

TEST_F(Snapshot, PasteWithoutAFreeWindowShowsMessageOne) {
  FillSource(1, 0, 0, 0);
  plat::driver::ChooseMenu(2210);
  for (int w = 2; w <= kMaxWindows; ++w) Win[w].WindowOpen = true;
  plat::script::AnswerMessage(1);
  plat::driver::ChooseMenu(2220);
  EXPECT_EQ(plat::driver::StepsLeft(), 0u);
  EXPECT_EQ(G.CurrentWindow, 1);
  for (int w = 2; w <= kMaxWindows; ++w) Win[w].WindowOpen = false;
}

TEST_F(Snapshot, AFittedWindowIsEvaluatedAgainOnPasteAndTheDefaultsStay) {
  // A Gaussian peak whose counts the store holds as the window's source.
  constexpr int kPoints = 41;
  constexpr int kHeader = 21;
  std::vector<double> counts(kPoints);
  for (int i = 0; i < kPoints; ++i) counts[i] = 20 + 500 * std::exp(-0.5 * std::pow((i - 20) / 3.0, 2));
  Place(1, counts, 1200, 0.1);
  WindowRecord& win = Win[1];
  win.SourceSpectrumIndex = kHeader;
  win.SourcePath = "\\data\\c1s.vms";
  G.SourceFilePath = win.SourcePath;
  G.ChosenBlockList = win.SourceBlockList;
  ImportedHeader[kHeader] = win.SpectrumHeader;
  ImportedValues[11].Resize(kPoints);
  for (int i = 1; i <= kPoints; ++i) ImportedValues[11][i] = counts[i - 1];
  const double position = 1486.6 - (1200 + 20 * 0.1);  // binding energy of the maximum
  win.PeakModel = 0;
  win.RelativeMode = 0;
  win.PeakCount = 1;
  win.PeakType = G.MessageTexts[47];
  win.HasFit = 1;
  const double values[11] = {0, 480, 0, 0.2, 0, position, 0, 0.7, 0, 0, 0};
  for (int j = 1; j <= 10; ++j) {
    win.ParameterValue[1][j] = values[j];
    win.ParameterLower[1][j] = j == 5 ? position - 1 : 0;
    win.ParameterUpper[1][j] = j == 5 ? position + 1 : (j == 1 ? 1000 : 1);
    win.ParameterState[1][j] = 1;
  }
  G.DefaultPeakModel = 1;
  G.DefaultRelativeMode = 1;
  plat::driver::ChooseMenu(2210);
  plat::driver::ChooseMenu(2220);
  ASSERT_TRUE(Win[2].WindowOpen);
  EXPECT_EQ(Win[2].HasFit, 1);
  // Evaluated, not iterated: the peak stays where it was written.
  ExpectNear(Win[2].ParameterValue[1][1], 480, "height");
  EXPECT_NEAR(Win[2].ParameterValue[1][5], position, 1e-9);
  // The peak curve was drawn into the component columns.
  ASSERT_GE(SlotComponents[2].RowUpper(), kPoints);
  EXPECT_NEAR(SlotComponents[2](21, 1), 480, 1);
  EXPECT_EQ(G.BatchMode, 0);
  EXPECT_EQ(G.DefaultPeakModel, 1);
  EXPECT_EQ(G.DefaultRelativeMode, 1);
  EXPECT_EQ(G.CurrentWindow, 2);
}

}  // namespace
}  // namespace sorvan
