// Tests of the bounds-checked tables and of the data model's start-up values.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/model.h"
#include "core/store.h"

namespace sorvan {
namespace {

TEST(ModelTable, ElementsStartEmptyAndBoundsAreInclusive) {
  Table<double, 10> numbers;
  Table<std::string, 3> texts;
  EXPECT_EQ(numbers.size(), 11u);
  for (double v : numbers) EXPECT_EQ(v, 0.0);
  for (const auto& t : texts) EXPECT_TRUE(t.empty());
  numbers[10] = 4.5;
  EXPECT_EQ(numbers[10], 4.5);
}

TEST(ModelTable, IndexOutsideBoundsThrowsAndNamesTheIndex) {
  Table<int, 5> table;
  const long long bad[] = {-1, 6, 1000, -32768};
  for (long long index : bad) {
    try {
      table[index] = 1;
      FAIL() << "no error for index " << index;
    } catch (const TableIndexError& e) {
      EXPECT_NE(std::string(e.what()).find(std::to_string(index)), std::string::npos);
    }
  }
  for (int v : table) EXPECT_EQ(v, 0);
}

TEST(ModelTable, NestedTablesCheckEveryIndex) {
  Table2<double, 15, 10> peaks;
  peaks[15][10] = 1;
  EXPECT_THROW(peaks[16][0], TableIndexError);
  EXPECT_THROW(peaks[0][11], TableIndexError);
}

TEST(ModelTable, CheckedVectorResizeDiscardsAndZeroes) {
  CheckedVector<double> v;
  EXPECT_TRUE(v.empty());
  EXPECT_EQ(v.Upper(), -1);
  EXPECT_THROW(v[0], TableIndexError);
  v.Resize(4);
  v[4] = 7;
  v.Resize(4);
  EXPECT_EQ(v[4], 0.0);
  EXPECT_THROW(v[5], TableIndexError);
}

TEST(ModelTable, CheckedMatrixIsColumnContiguous) {
  CheckedMatrix<double> m(5, 3);
  m(2, 1) = 9;
  EXPECT_EQ(m.ColumnData(1)[2], 9.0);
  EXPECT_EQ(m.ColumnData(4), nullptr);
  EXPECT_THROW(m(6, 0), TableIndexError);
  EXPECT_THROW(m(0, 4), TableIndexError);
  EXPECT_THROW(m(-1, 0), TableIndexError);
}

TEST(ModelBounds, LastElementsOfTheDeclaredRangesExist) {
  InitialiseModel();
  Labels[LabelIndex(100, 100)].AnnotationText = "last";
  EXPECT_EQ(LabelIndex(100, 100), 10000);
  EXPECT_THROW(Labels[10001], TableIndexError);
  Win[100].MemberName[100] = "member";
  EXPECT_THROW(Win[101], TableIndexError);
  ImportedHeader[110].Name = "x";
  EXPECT_THROW(ImportedHeader[111], TableIndexError);
  Win[1].ParameterValue[15][10] = 1;
  G.MessageTexts[129] = "m";
  G.LabelTexts[220] = "l";
  EXPECT_THROW(G.MenuTexts[91], TableIndexError);
}

// Both initialisations, the second one once the model has been used in the
// process: each clears what was written.
TEST(ModelStartup, InitialiseClearsEverythingAndSetsFixedValues) {
  for (void (*initialise)() : {&InitialiseModel, &InitialiseFreshModel}) {
    InitialiseModel();
    Win[5].BackgroundState = 2;
    Win[5].HessianMatrix.Resize(306, 306);
    G.CurrentWindow = 9;
    G.FitVector.Resize(20);
    Labels[7].TitleLabelText = "t";
    ImportedHeader[3].Name = "n";
    DimSlotData(1);
    initialise();
    EXPECT_EQ(Win[5].BackgroundState, 0);
    EXPECT_TRUE(Win[5].HessianMatrix.empty());
    EXPECT_EQ(G.CurrentWindow, 0);
    EXPECT_TRUE(G.FitVector.empty());
    EXPECT_TRUE(Labels[7].TitleLabelText.empty());
    EXPECT_TRUE(ImportedHeader[3].Name.empty());
    EXPECT_TRUE(SlotData[1].empty());
    EXPECT_EQ(G.MainWindowNumber, 101);
    EXPECT_EQ(G.MaxWindows, 100);
    EXPECT_EQ(G.ToolbarActionCount, 69);
    EXPECT_EQ(G.ProgramVersion, 2006.0);
  }
}

// The fixed values are set and every table holds what InitialiseModel makes.
bool FreshModelIsCleared() {
  bool cleared = G.MainWindowNumber == 101 && G.MaxWindows == 100 && G.ToolbarActionCount == 69 &&
                 G.ProgramVersion == 2006.0 && G.CurrentWindow == 0 && G.FitVector.empty() &&
                 SlotData[1].empty();
  for (int w = 1; w <= kMaxWindows; ++w)
    cleared = cleared && Win[w].BackgroundState == 0 && Win[w].PeakCount == 0 &&
              Win[w].HessianMatrix.empty() && Win[w].AlSatOffset == Table<double, 5>{} &&
              Win[w].MemberName == Table<std::string, 100>{};
  for (const LabelRecord& label : Labels)
    cleared = cleared && label.TitleLabelText.empty() && label.AnnotationX == 0;
  for (const SpectrumHeaderRecord& header : ImportedHeader)
    cleared = cleared && header == SpectrumHeaderRecord{};
  return cleared;
}

// At the first start of a process the tables are not cleared again: as the
// process constructed them they must hold what InitialiseModel makes. Run in
// a process of its own, in which nothing has used the model before.
TEST(ModelStartup, FirstStartOfAProcessFindsTheTablesCleared) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        InitialiseFreshModel();
        std::_Exit(FreshModelIsCleared() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// The model must stay small until spectra are loaded: the big matrices are
// sized by the procedures that fill them.
TEST(ModelStartup, ModelIsSmallBeforeAnySpectrum) {
  EXPECT_LT(sizeof(Win) + sizeof(G) + sizeof(Labels) + sizeof(ImportedHeader),
            std::size_t{16} * 1024 * 1024);
}

TEST(ModelStartup, EveryWindowGetsTheStartupValues) {
  InitialiseModel();
  G.BindingEnergyTitle = "Binding energy";
  G.KineticEnergyTitle = "Kinetic energy";
  G.CountsTitle = "Counts";
  G.CpsTitle = "Counts per second";
  G.EnergyAxisMode = 1;
  G.CpsMode = 1;
  G.DefaultPeakModel = 1;
  G.DefaultRelativeMode = 1;
  G.DefaultErrorsInPercent = 1;
  G.DefaultErrorMethod = 1;
  G.XGridLinesDefault = 1;
  G.MemberGridLinesDefault = 1;
  G.AlSatellitePreset = 2;
  G.MgSatellitePreset = 3;
  for (int j = 1; j <= 5; ++j) {
    G.AlSatOffsetPresets[j][2] = 10 * j;
    G.AlSatIntensityPresets[j][2] = j;
    G.MgSatOffsetPresets[j][3] = -10 * j;
    G.MgSatIntensityPresets[j][3] = -j;
  }
  Win[7].WindowOpen = true;
  Win[7].IntegratedArea[15] = 3;
  ApplyWindowStartupValues();
  for (int w = 1; w <= 100; ++w) {
    const WindowRecord& r = Win[w];
    SCOPED_TRACE(w);
    EXPECT_EQ(r.XAxisTitle, "Kinetic energy");
    EXPECT_EQ(r.YAxisTitle, "Counts per second");
    EXPECT_FALSE(r.WindowOpen);
    EXPECT_EQ(r.PrintHeaderBlock, 1);
    EXPECT_EQ(r.PrintFitTable, 1);
    EXPECT_EQ(r.PeakModel, 1);
    EXPECT_EQ(r.RelativeMode, 1);
    EXPECT_EQ(r.ErrorsInPercent, 1);
    EXPECT_EQ(r.ErrorMethod, 1);
    EXPECT_EQ(r.XGridLines, 1);
    EXPECT_EQ(r.YGridLines, 0);
    EXPECT_EQ(r.MemberGridLines, 1);
    EXPECT_EQ(r.YTickCount, 5);
    EXPECT_EQ(r.ShowYScale, 1);
    EXPECT_EQ(r.ShowMemberLabels, 1);
    EXPECT_EQ(r.ResidualTitle, "R(E)");
    EXPECT_EQ(r.PeakCount, 0);
    EXPECT_EQ(r.IntegratedArea[15], 0);
    for (int j = 1; j <= 5; ++j) {
      EXPECT_EQ(r.AlSatOffset[j], 10 * j);
      EXPECT_EQ(r.AlSatIntensity[j], j);
      EXPECT_EQ(r.MgSatOffset[j], -10 * j);
      EXPECT_EQ(r.MgSatIntensity[j], -j);
    }
  }
  EXPECT_EQ(Win[0].PrintHeaderBlock, 0);  // window 0 is no spectrum window
  EXPECT_EQ(ImportedHeader[1].Name, "Test");
  EXPECT_EQ(ImportedHeader[1].PassEnergy, 10);
  EXPECT_EQ(ImportedHeader[1].DwellTime, 1);
  EXPECT_EQ(ImportedHeader[1].ScanCount, 1);
  EXPECT_TRUE(ImportedHeader[2].Name.empty());
}

TEST(ModelStartup, GlobalStartupValues) {
  struct Case {
    double presetExcitation;
    double expected;
  };
  for (Case c : {Case{0, 1486.6}, Case{1253.6, 1253.6}}) {
    InitialiseModel();
    G.DefaultExcitationEnergy = c.presetExcitation;
    ApplyGlobalStartupValues();
    EXPECT_EQ(G.DefaultExcitationEnergy, c.expected);
    EXPECT_EQ(G.CurrentWindow, 1);
    EXPECT_EQ(G.FitPeakCount, 1);
    EXPECT_EQ(G.IterationLimit, 2.0);
    EXPECT_EQ(G.FitRounds, 2);
  }
}

TEST(ModelStartup, SatellitePresetReachesEveryWindowAndRefusesUnknownPresets) {
  InitialiseModel();
  G.AlSatOffsetPresets[1][4] = 9.8;
  ApplyAlSatellitePreset(4);
  for (int w = 1; w <= 100; ++w) EXPECT_EQ(Win[w].AlSatOffset[1], 9.8);
  EXPECT_NO_THROW(ApplyAlSatellitePreset(6));
  EXPECT_NO_THROW(ApplyMgSatellitePreset(-1));
  EXPECT_EQ(Win[1].AlSatOffset[1], 9.8);
}

}  // namespace
}  // namespace sorvan
