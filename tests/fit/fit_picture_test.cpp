// The picture a fit leaves in its window: peaks, fit sum and the residual
// strip below the plot, drawn into a window-sized bitmap.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "platform/surfaces.h"
#include "support/test_support.h"

namespace sorvan {
namespace {

constexpr int kW = 9;
constexpr int kPeakColour = 0xC00000;      // blue
constexpr int kSumColour = 0x00A000;       // green
constexpr int kResidualColour = 0x0000C0;  // red

void SetStyles() {
  for (int c = 0; c < 4; ++c) {
    G.FontName[c] = "Arial";
    G.FontSize[c] = c == 2 ? 10 : 9;
  }
  for (int k = 0; k <= 20; ++k) {
    G.CurveWidths[k] = 1;
    G.LineWidths[k] = 1;
  }
  G.CurveColours[0] = 0x000000;
  G.CurveColours[3] = kPeakColour;
  G.CurveColours[4] = kSumColour;
  G.CurveColours[5] = kResidualColour;
  G.PlotBackColour = 0xFFFFFF;
  G.TickSize = 1;
  G.MessageTexts[37] = "Intensity ";
  G.MessageTexts[52] = "Doublet";
  G.BindingEnergyTitle = "Binding energy / eV";
}

// Two doublets on a sloping background with a little ripple as noise.
void PlaceFittedSpectrum() {
  WindowRecord& win = Win[kW];
  const int n = 500;
  win.SpectrumHeader.PointCount = n;
  win.SpectrumHeader.StartEnergy = 1486.6 - 300.0;
  win.SpectrumHeader.EnergyStep = 0.05;
  win.SpectrumHeader.EndEnergy = win.SpectrumHeader.StartEnergy + 0.05 * (n - 1);
  win.SpectrumHeader.ExcitationEnergy = 1486.6;
  win.SpectrumHeader.ScanCount = 1;
  win.SpectrumHeader.DwellTime = 1;
  win.RegionStart = 1;
  win.RegionEnd = n;
  win.RegionLength = n;
  win.ShowYScale = 1;
  win.YTickCount = 5;
  win.XAxisTitle = G.BindingEnergyTitle;
  win.ResidualTitle = "R(E)";
  win.WindowOpen = true;
  win.PeakType = "Doublet";
  win.PeakCount = 2;
  win.SourceSpectrumIndex = 1;
  ImportedHeader[1] = win.SpectrumHeader;
  ImportedValues[1].Resize(n);
  DimSlotData(kW);
  for (int i = 1; i <= n; ++i) {
    auto line = [&](double A, double x0, double w) { return A / (1 + (i - x0) * (i - x0) / (w * w)); };
    const double v = 300 + 0.4 * (n - i) + line(4000, 150, 8) + line(2000, 196, 8) +
                     line(2500, 330, 10) + line(1250, 372, 10) + 2 * ((i * 7919) % 13 - 6);
    SlotData[kW](i, 1) = v;
    ImportedValues[1][i] = v;
  }
  const double start[2][10] = {{3500, 1500, 0.7, 0.7, 292.0, 289.5, 0.8, 0.8, 0, 0},
                               {2000, 1000, 0.7, 0.7, 284.0, 282.0, 1.0, 1.0, 0, 0}};
  for (int p = 1; p <= 2; ++p) {
    for (int j = 1; j <= 10; ++j) {
      win.ParameterValue[p][j] = start[p - 1][j - 1];
      win.ParameterLower[p][j] = j <= 2 ? 0 : -1e9;
      win.ParameterUpper[p][j] = 1e9;
      win.ParameterState[p][j] = (j == 9 || j == 10) ? 1 : 0;
    }
  }
  win.BackgroundState = 4;
  win.BackgroundTermValue[1] = 250;
  for (int i = 3; i <= 6; ++i) win.BackgroundTermFixed[i] = true;
}

TEST(FitPicture, PeaksSumAndResidualStripReachTheWindow) {
  InitialiseModel();
  SetStyles();
  G.BatchMode = 1;
  G.IterationLimit = 200;
  G.FitRounds = 2;
  PlaceFittedSpectrum();
  AllocFitArraysGaussLorentz(kW);
  ASSERT_TRUE(LoadFitParameters(kW));
  plat::BeginBitmap(640, 480, kW);
  FitPeaksGaussLorentz(kW);
  const std::string folder = testsupport::MakeTempFolder("fit_picture");
  const std::string path = folder + "/fit.bmp";
  ASSERT_TRUE(plat::SaveBitmap(path));
  plat::EndBitmap();
  QImage image(QString::fromStdString(path));
  ASSERT_FALSE(image.isNull());
  // SORVAN_PICTURE names a PNG file to keep the picture for a look.
  if (const char* keep = std::getenv("SORVAN_PICTURE")) image.save(QString::fromUtf8(keep), "PNG");
  auto count = [&](int colour, int top, int bottom) {
    // Stored colours are red + 256 green + 65536 blue; the image is 0xRRGGBB.
    const unsigned rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    int found = 0;
    for (int x = G.PlotLeft + 1; x < G.PlotRight - 1; ++x)
      for (int y = top; y < bottom; ++y)
        if ((image.pixel(x, y) & 0xFFFFFF) == rgb) ++found;
    return found;
  };
  const int plotTop = G.SpacingUnit;
  EXPECT_GT(count(kPeakColour, plotTop, G.AxisY), G.PlotWidth / 2);
  EXPECT_GT(count(kSumColour, plotTop, G.AxisY), G.PlotWidth / 2);
  const int stripTop = std::min(G.ResidualTop, G.ResidualBottom);
  const int stripBottom = std::max(G.ResidualTop, G.ResidualBottom);
  EXPECT_GT(count(kResidualColour, stripTop, stripBottom + 1), G.PlotWidth / 2);
  EXPECT_LT(Win[kW].FitReducedChi2, 2.0);
  // The ripple is smaller than the counting error: a converged fit leaves
  // residuals inside +-1 on both sides.
  EXPECT_GT(Win[kW].ResidualMin, -1.0);
  EXPECT_LT(Win[kW].ResidualMax, 1.0);
  EXPECT_GT(Win[kW].ResidualMax, 0.0);
}

}  // namespace
}  // namespace sorvan
