// A small single-spectrum window for the display tests: the model reset,
// plot styles and fonts set, a spectrum placed in window w as an import
// would place it, and a recording canvas standing in for the window.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "platform/recording_canvas.h"
#include "platform/surfaces.h"

namespace displaytest {

// Sets the fonts, colours and line attributes a presetting would give.
inline void SetPlotStyles() {
  using sorvan::G;
  for (int c = 0; c < 4; ++c) {
    G.FontName[c] = "Arial";
    G.FontSize[c] = c == 2 ? 10 : 9;
    G.FontColour[c] = 0;
  }
  for (int k = 0; k <= 20; ++k) {
    G.CurveStyles[k] = 0;
    G.CurveWidths[k] = 1;
    G.CurveColours[k] = 0xFF0000;  // blue
    G.LineStyles[k] = 0;
    G.LineWidths[k] = 1;
    G.LineColours[k] = 0;
  }
  G.CurveColours[0] = 0x000080;  // dark red spectrum
  G.PlotBackColour = 0xFFFFFF;
  G.TickSize = 1;
  G.TickDirection = 0;
  G.EnergyAxisMode = 0;
  G.CpsMode = 0;
  G.MessageTexts[37] = "Intensity ";
  G.BindingEnergyTitle = "Binding energy / eV";
  G.FrameColour = 0;
}

// Places `values` (points 1..n) in window w with kinetic start energy e0 and
// step s at excitation energy hv, region the whole spectrum.
inline void PlaceSpectrum(int w, const std::vector<double>& values, double e0, double s,
                          double hv = 1486.6) {
  using namespace sorvan;
  WindowRecord& win = Win[w];
  const int n = static_cast<int>(values.size());
  win.SpectrumHeader.PointCount = static_cast<Int16>(n);
  win.SpectrumHeader.StartEnergy = e0;
  win.SpectrumHeader.EnergyStep = s;
  win.SpectrumHeader.EndEnergy = e0 + s * (n - 1);
  win.SpectrumHeader.ExcitationEnergy = hv;
  win.SpectrumHeader.ScanCount = 1;
  win.SpectrumHeader.DwellTime = 1;
  win.RegionStart = 1;
  win.RegionEnd = static_cast<Int16>(n);
  win.RegionLength = static_cast<Int16>(n);
  win.ShowYScale = 1;
  win.YTickCount = 5;
  win.XAxisTitle = G.BindingEnergyTitle;
  win.ResidualTitle = "R(E)";
  win.WindowOpen = true;
  DimSlotData(w);
  for (int i = 1; i <= n; ++i) SlotData[w](i, 1) = values[i - 1];
}

// Resets the model and styles, and routes window w's drawing into a
// recording canvas of the given client size.
class DisplayTest : public ::testing::Test {
 protected:
  static constexpr int kWindow = 6;

  void SetUp() override {
    sorvan::InitialiseModel();
    SetPlotStyles();
    canvas_ = std::make_unique<plat::RecordingCanvas>(640, 420, plat::RecordingCanvas::Metrics::Fixed);
    plat::SetRecordingCanvas(kWindow, canvas_.get());
  }
  void TearDown() override {
    plat::SetRecordingCanvas(kWindow, nullptr);
    plat::SetDrawingMainWindow();
  }

  plat::RecordingCanvas& Canvas() { return *canvas_; }
  std::unique_ptr<plat::RecordingCanvas> canvas_;
};

}  // namespace displaytest
