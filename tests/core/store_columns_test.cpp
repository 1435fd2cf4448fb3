// Tests of the spectrum store: sizing, the column copies and their limits.
#include <gtest/gtest.h>

#include <vector>

#include "core/model.h"
#include "core/store.h"

namespace sorvan {
namespace {

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override { InitialiseModel(); }

  // Window w with n points whose data column c holds 10 * i at point i.
  static void MakeWindow(int w, int n, int c = 1) {
    Win[w].SpectrumHeader.PointCount = static_cast<Int16>(n);
    DimSlotData(w);
    for (int i = 1; i <= n; ++i) SlotData[w](i, c) = 10.0 * i;
  }
};

TEST_F(StoreTest, DimSlotDataGivesPointsAndThreeColumnsAllZero) {
  Win[4].SpectrumHeader.PointCount = 6;
  ASSERT_TRUE(DimSlotData(4));
  EXPECT_EQ(SlotData[4].RowUpper(), 6);
  EXPECT_EQ(SlotData[4].ColUpper(), 3);
  SlotData[4](6, 3) = 1;
  DimSlotData(4);  // sizing again discards the contents
  EXPECT_EQ(SlotData[4](6, 3), 0.0);
}

TEST_F(StoreTest, DimSlotComponentsReadsComponentCountNotPeakCount) {
  Win[2].SpectrumHeader.PointCount = 4;
  Win[2].PeakCount = 7;
  G.ComponentCount = 3;
  DimSlotComponents(2);
  EXPECT_EQ(SlotComponents[2].ColUpper(), 5);
  EXPECT_EQ(SlotComponents[2].RowUpper(), 4);
}

TEST_F(StoreTest, WorkVectorSizingsReachOnePastThePoints) {
  Win[3].SpectrumHeader.PointCount = 9;
  using Dim = bool (*)(int);
  const std::pair<Dim, CheckedVector<double>*> cases[] = {
      {DimWorkSigma, &WorkSigma},           {DimWorkPeak, &WorkPeak},
      {DimWorkFitSum, &WorkFitSum},         {DimWorkShirleyShape, &WorkShirleyShape},
      {DimWorkTougaardShape, &WorkTougaardShape}, {DimWorkScratch, &WorkScratch},
      {DimWorkFitTarget, &WorkFitTarget}};
  for (auto [dim, vector] : cases) {
    EXPECT_TRUE(dim(3));
    EXPECT_EQ(vector->Upper(), 10);
  }
}

TEST_F(StoreTest, LoadingTheRegionAndStoringBackWritesZerosOutsideIt) {
  MakeWindow(1, 10);
  ASSERT_TRUE(LoadWorkData(1, 1, 3, 6));
  EXPECT_EQ(WorkData.Upper(), 10);
  for (int i = 0; i <= 10; ++i) EXPECT_EQ(WorkData[i], (i >= 3 && i <= 6) ? 10.0 * i : 0.0);
  ASSERT_TRUE(StoreWorkData(1, 1));
  for (int i = 1; i <= 10; ++i)
    EXPECT_EQ(SlotData[1](i, 1), (i >= 3 && i <= 6) ? 10.0 * i : 0.0) << i;
}

TEST_F(StoreTest, EveryLoadAndStorePairUsesItsOwnVectorAndColumn) {
  using Load = bool (*)(int, int, int, int);
  using Store = bool (*)(int, int);
  struct Case {
    Load load;
    Store store;  // nullptr: the vector has no store
    CheckedVector<double>* vector;
  };
  const Case cases[] = {{LoadWorkData, StoreWorkData, &WorkData},
                        {LoadWorkBackground, StoreWorkBackground, &WorkBackground},
                        {LoadWorkSigma, StoreWorkSigma, &WorkSigma},
                        {LoadWorkFitTarget, nullptr, &WorkFitTarget}};
  for (const Case& c : cases) {
    MakeWindow(5, 4, 2);
    ASSERT_TRUE(c.load(5, 2, 1, 4));
    EXPECT_EQ((*c.vector)[4], 40.0);
    if (c.store == nullptr) continue;
    (*c.vector)[4] = -1;
    ASSERT_TRUE(c.store(5, 3));
    EXPECT_EQ(SlotData[5](4, 3), -1.0);
    EXPECT_EQ(SlotData[5](4, 2), 40.0);
  }
}

TEST_F(StoreTest, LoadWithFirstAfterLastStillResizesToZeros) {
  MakeWindow(1, 5);
  WorkData.Resize(2);
  WorkData[1] = 3;
  ASSERT_TRUE(LoadWorkData(1, 1, 4, 2));
  EXPECT_EQ(WorkData.Upper(), 5);
  for (double v : WorkData) EXPECT_EQ(v, 0.0);
}

TEST_F(StoreTest, WindowWithoutPointsHasOnePointZero) {
  MakeWindow(8, 0);
  EXPECT_EQ(SlotData[8].RowUpper(), 0);
  ASSERT_TRUE(LoadWorkData(8, 1, 1, 0));
  EXPECT_EQ(WorkData.Upper(), 0);
  EXPECT_EQ(WorkData[0], 0.0);
  EXPECT_TRUE(StoreWorkData(8, 1));
  G.ComponentCount = 1;
  DimSlotComponents(8);
  DimWorkPeak(8);
  Win[8].ComponentMax[1] = 5;
  EXPECT_TRUE(StoreWorkPeak(8, 1));
  EXPECT_EQ(Win[8].ComponentMax[1], 0.0);
}

// Window numbers outside 1..100 have no store: nothing is sized, loaded or
// stored, and no work vector changes.
TEST_F(StoreTest, WindowsOutsideTheSpectrumWindowsAreRefused) {
  MakeWindow(1, 3);
  WorkData.Resize(3);
  WorkData[2] = 7;
  for (int w : {0, 101, 255, -1, 1000}) {
    SCOPED_TRACE(w);
    EXPECT_FALSE(DimSlotData(w));
    EXPECT_FALSE(DimSlotComponents(w));
    EXPECT_FALSE(DimWorkPeak(w));
    EXPECT_FALSE(LoadWorkData(w, 1, 1, 3));
    EXPECT_FALSE(LoadComponent(w, 1, 1, 3));
    EXPECT_FALSE(StoreWorkData(w, 1));
    EXPECT_FALSE(StoreWorkPeak(w, 1));
    EXPECT_FALSE(TransposeComponents(w));
    EXPECT_EQ(WorkData.Upper(), 3);
    EXPECT_EQ(WorkData[2], 7.0);
  }
  EXPECT_TRUE(SlotData[0].empty());
}

// A vector sized for a smaller window, a column outside the matrix or an
// unsized matrix: the copies stop at the sized range.
TEST_F(StoreTest, CopiesStayInsideTheSizedRanges) {
  MakeWindow(1, 10);
  WorkData.Resize(4);
  for (int i = 1; i <= 4; ++i) WorkData[i] = -i;
  EXPECT_TRUE(StoreWorkData(1, 1));
  EXPECT_EQ(SlotData[1](4, 1), -4.0);
  EXPECT_EQ(SlotData[1](5, 1), 50.0);

  EXPECT_FALSE(StoreWorkData(1, 4));
  EXPECT_FALSE(StoreWorkData(1, -1));
  EXPECT_FALSE(LoadWorkData(1, 9, 1, 10));
  EXPECT_TRUE(LoadWorkData(1, 1, -5, 400));
  EXPECT_EQ(WorkData.Upper(), 10);

  Win[2].SpectrumHeader.PointCount = 5;  // never sized
  EXPECT_FALSE(StoreWorkData(2, 1));
  Win[1].SpectrumHeader.PointCount = 20;  // count raised without resizing
  WorkData.Resize(20);
  EXPECT_TRUE(StoreWorkData(1, 1));
  EXPECT_TRUE(LoadWorkData(1, 1, 1, 20));
  EXPECT_EQ(WorkData[20], 0.0);
}

TEST_F(StoreTest, StoreWorkPeakRecordsTheLargestOfZeroAndTheColumn) {
  struct Case {
    std::vector<double> values;
    Byte kind;
    double expected;  // ComponentMax afterwards, starting from 99
  };
  const Case cases[] = {{{1, 5, 3}, 0, 5},
                        {{-1, -5, -3}, 0, 0},
                        {{1, 5, 3}, 3, 99},
                        {{1, 5, 3}, 1, 99}};
  for (const Case& c : cases) {
    Win[6].SpectrumHeader.PointCount = 3;
    Win[6].WindowKind = c.kind;
    Win[6].ComponentMax[2] = 99;
    G.ComponentCount = 1;
    DimSlotComponents(6);
    DimWorkPeak(6);
    for (int i = 1; i <= 3; ++i) WorkPeak[i] = c.values[i - 1];
    ASSERT_TRUE(StoreWorkPeak(6, 2));
    EXPECT_EQ(Win[6].ComponentMax[2], c.expected);
    EXPECT_EQ(SlotComponents[6](2, 2), c.values[1]);
  }
}

TEST_F(StoreTest, StoreWorkPeakBeyondTheRecordedColumnsStillStores) {
  Win[6].SpectrumHeader.PointCount = 2;
  G.ComponentCount = 30;
  DimSlotComponents(6);
  DimWorkPeak(6);
  WorkPeak[1] = 4;
  ASSERT_TRUE(StoreWorkPeak(6, 25));
  EXPECT_EQ(SlotComponents[6](1, 25), 4.0);
  ASSERT_TRUE(LoadComponent(6, 25, 1, 2));
  EXPECT_EQ(WorkData[1], 4.0);
}

TEST_F(StoreTest, ImportedSpectraUseTheHeaderIndexRule) {
  EXPECT_EQ(HeaderIndexOfSpectrum(1), 1);
  EXPECT_EQ(HeaderIndexOfSpectrum(10), 10);
  EXPECT_EQ(HeaderIndexOfSpectrum(11), 21);
  EXPECT_EQ(HeaderIndexOfSpectrum(100), 110);
  for (int k = 1; k <= 100; ++k) EXPECT_EQ(SpectrumOfHeaderIndex(HeaderIndexOfSpectrum(k)), k);
  for (int h : {0, 11, 15, 20, 111, -3}) EXPECT_EQ(SpectrumOfHeaderIndex(h), 0);

  for (int k : {10, 11}) {
    const int h = HeaderIndexOfSpectrum(k);
    ImportedHeader[h].PointCount = 3;
    ImportedValues[k].Resize(3);
    for (int i = 1; i <= 3; ++i) ImportedValues[k][i] = 100.0 * k + i;
  }
  ASSERT_TRUE(LoadImportedSpectrum(21));  // the eleventh spectrum
  EXPECT_EQ(WorkData.Upper(), 3);
  EXPECT_EQ(WorkData[3], 1103.0);
  ASSERT_TRUE(LoadImportedSpectrum(10));
  EXPECT_EQ(WorkData[1], 1001.0);
}

TEST_F(StoreTest, HeaderIndexThatNamesNoSpectrumCopiesNothing) {
  ImportedHeader[15].PointCount = 4;
  ImportedValues[5].Resize(4);
  ImportedValues[5][1] = 8;
  EXPECT_FALSE(LoadImportedSpectrum(15));
  EXPECT_EQ(WorkData.Upper(), 4);
  for (double v : WorkData) EXPECT_EQ(v, 0.0);

  WorkData.Resize(2);
  WorkData[1] = 6;
  for (int h : {-1, 111, 30000}) EXPECT_FALSE(LoadImportedSpectrum(h));
  EXPECT_EQ(WorkData.Upper(), 2);
  EXPECT_EQ(WorkData[1], 6.0);
}

TEST_F(StoreTest, ImportedValuesShorterThanTheHeaderGiveZeros) {
  ImportedHeader[2].PointCount = 5;
  ImportedValues[2].Resize(2);
  ImportedValues[2][2] = 3;
  EXPECT_TRUE(LoadImportedSpectrum(2));
  EXPECT_EQ(WorkData.Upper(), 5);
  EXPECT_EQ(WorkData[2], 3.0);
  EXPECT_EQ(WorkData[5], 0.0);
}

TEST_F(StoreTest, EraseImportedSpectraEmptiesEveryVector) {
  ImportedValues[1].Resize(3);
  ImportedValues[100].Resize(3);
  EraseImportedSpectra();
  for (const auto& v : ImportedValues) EXPECT_TRUE(v.empty());
  ImportedHeader[1].PointCount = 3;
  EXPECT_TRUE(LoadImportedSpectrum(1));
  for (double v : WorkData) EXPECT_EQ(v, 0.0);
}

TEST_F(StoreTest, TransposeKeepsPointNumbersAndZerosOutsideTheRegion) {
  const int w = 9;
  Win[w].SpectrumHeader.PointCount = 6;
  Win[w].WindowKind = 3;
  Win[w].MemberCount = 2;
  Win[w].MultiPointCount = 6;
  Win[w].MultiRegionStart = 2;
  Win[w].MultiRegionEnd = 4;
  G.ComponentCount = 2;
  DimSlotComponents(w);
  for (int k = 1; k <= 2; ++k)
    for (int i = 1; i <= 6; ++i) SlotComponents[w](i, k) = 10.0 * k + i;
  ASSERT_TRUE(TransposeComponents(w));
  EXPECT_EQ(MemberCurves.RowUpper(), 2);
  EXPECT_EQ(MemberCurves.ColUpper(), 6);
  for (int k = 1; k <= 2; ++k)
    for (int i = 0; i <= 6; ++i)
      EXPECT_EQ(MemberCurves(k, i), (i >= 2 && i <= 4) ? 10.0 * k + i : 0.0);
}

TEST_F(StoreTest, TransposeWithMoreMembersThanColumnsStopsAtTheMatrix) {
  const int w = 9;
  Win[w].SpectrumHeader.PointCount = 3;
  Win[w].MemberCount = 5;
  Win[w].MultiPointCount = 8;
  Win[w].MultiRegionStart = 1;
  Win[w].MultiRegionEnd = 8;
  G.ComponentCount = 0;  // columns 0..2
  DimSlotComponents(w);
  SlotComponents[w](3, 2) = 1;
  ASSERT_TRUE(TransposeComponents(w));
  EXPECT_EQ(MemberCurves(2, 3), 1.0);
  EXPECT_EQ(MemberCurves(5, 8), 0.0);
}

}  // namespace
}  // namespace sorvan
