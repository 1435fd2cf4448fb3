// The background fitted with the peaks, and the window's chi-square and
// statistics line.
#include <gtest/gtest.h>

#include "core/model.h"
#include "core/store.h"
#include "fit/chi_square.h"
#include "fit/fit_background.h"
#include "fit/fit_vector.h"
#include "platform/forms.h"

namespace sorvan {
namespace {

constexpr int kW = 5;

class WindowFitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitialiseModel();
    G.MessageTexts[52] = "Doublet";
    WindowRecord& win = Win[kW];
    win.SpectrumHeader.PointCount = 20;
    win.SpectrumHeader.EnergyStep = 0.5;
    win.RegionStart = 5;
    win.RegionEnd = 15;
    win.PeakCount = 1;
    win.PeakType = "Singlet";
    win.BackgroundState = 4;
    AllocFitArraysGaussLorentz(kW);
    for (auto* v : {&WorkFitTarget, &WorkBackground, &WorkFitSum, &WorkSigma}) v->Resize(20);
    for (int i = 1; i <= 20; ++i) {
      WorkFitTarget[i] = 100 + i;  // the data, no background subtracted yet
      WorkFitSum[i] = (i >= 9 && i <= 11) ? 10.0 : 0.0;
      WorkSigma[i] = 1.0;
    }
  }
};

TEST_F(WindowFitTest, ConstantTermAloneIsSubtractedOnceFromTheRegion) {
  G.FitVector[11] = 40.0;  // A
  RebuildFitBackground(kW);
  const auto once = WorkFitTarget;
  RebuildFitBackground(kW);
  for (int i = 1; i <= 20; ++i) {
    const bool inside = i >= 5 && i <= 15;
    EXPECT_EQ(WorkFitTarget[i], 100 + i - (inside ? 40.0 : 0.0)) << i;
    EXPECT_EQ(WorkFitTarget[i], once[i]) << i;
    EXPECT_EQ(WorkBackground[i], inside ? 40.0 : 0.0) << i;
  }
}

TEST_F(WindowFitTest, ShirleyTermGrowsTowardsTheRegionStart) {
  RebuildFitBackground(kW);
  EXPECT_EQ(WorkShirleyShape[15], WorkFitSum[15]);
  EXPECT_EQ(WorkShirleyShape[11], 10.0);
  EXPECT_EQ(WorkShirleyShape[5], 30.0);
  EXPECT_EQ(WorkShirleyShape[4], 0.0);
  EXPECT_EQ(WorkShirleyShape[16], 0.0);
  // With F free the loss tail is built: zero outside, positive below the peaks.
  G.ParameterScale[16] = 1.0;
  RebuildFitBackground(kW);
  EXPECT_GT(WorkTougaardShape[5], WorkTougaardShape[12]);
  EXPECT_EQ(WorkTougaardShape[16], 0.0);
}

TEST_F(WindowFitTest, ChiSquareScalesToCountsAndCaptionShowsStatistics) {
  // Model: one Gauss line of height 10 at channel 10; target: the model + 1.
  G.FitVector[1] = 10;
  G.FitVector[5] = 10;
  G.FitVector[7] = 2;
  Win[kW].BackgroundState = 0;
  ChiSquareGaussLorentz(kW);  // fills the reference numbers below
  const double unscaled = G.Scratch3;
  G.CpsMode = 1;
  Win[kW].SpectrumHeader.ScanCount = 4;
  Win[kW].SpectrumHeader.DwellTime = 0.5;
  ChiSquareGaussLorentz(kW);
  EXPECT_DOUBLE_EQ(G.Scratch3, unscaled);
  EXPECT_DOUBLE_EQ(G.ReducedChiSquare, 2 * unscaled);
  Win[kW].SpectrumHeader.DwellTime = 0;  // no division by a zero product
  ChiSquareGaussLorentz(kW);
  EXPECT_DOUBLE_EQ(G.ReducedChiSquare, unscaled);

  G.MessageTexts[89] = "Iterations";
  G.MessageTexts[90] = "red. chi2 =";
  G.LabelTexts[128] = "chi2 =";
  G.MessageTexts[114] = "corr. =";
  G.IterationLimit = 2;
  G.FitRound = 1;
  G.FitIteration = 3;
  G.ReducedChiSquare = 1.23456;
  G.ChiSquare = 100.0005;
  G.ResidualCorrelation = 0.98765;
  ShowFitStatistics(kW);
  EXPECT_EQ(G.StatusText, "Iterations:  5  red. chi2 = 1.235 chi2 = 100.001  corr. = 0.9877");
}

}  // namespace
}  // namespace sorvan
