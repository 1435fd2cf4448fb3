// Spectrum windows for the command tests: a window opened with a spectrum
// of its own source (imported spectrum w), and a peak table of two single
// peaks near 292 and 287 eV binding energy.
#pragma once
#include <cmath>
#include <functional>
#include <string>

#include "core/model.h"
#include "core/store.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "platform/driver.h"

namespace shelltest {

// The energy grid of a test spectrum: `points` kinetic energies from
// `start` in steps of `step`, measured with hv = 1486.6 eV, one scan of 1 s.
struct Grid {
  int points;
  double start;
  double step;
};

// Opens window w named `name` on grid g with counts(i) at point i, as the
// placing of an imported spectrum leaves it (imported spectrum w is its
// source), and draws it.
inline void OpenTestSpectrum(int w, const std::string& name, const Grid& g,
                             const std::function<double(int)>& counts) {
  using namespace sorvan;
  OpenSpectrumWindow(w, name);
  WindowRecord& win = Win[w];
  SpectrumHeaderRecord& h = win.SpectrumHeader;
  h.Name = name;
  h.PointCount = static_cast<Int16>(g.points);
  h.StartEnergy = g.start;
  h.EnergyStep = g.step;
  h.EndEnergy = g.start + (g.points - 1) * g.step;
  h.ExcitationEnergy = 1486.6;
  h.ScanCount = 1;
  h.DwellTime = 1;
  win.RegionStart = 1;
  win.RegionEnd = static_cast<Int16>(g.points);
  win.RegionLength = static_cast<Int16>(g.points);
  win.SourceSpectrumIndex = static_cast<Int16>(w);
  ImportedHeader[w] = h;
  ImportedValues[w].Resize(g.points);
  DimSlotData(w);
  for (int i = 1; i <= g.points; ++i) SlotData[w](i, 1) = ImportedValues[w][i] = counts(i);
  RedrawWindow(w);
}

// The C 1s test region the two-peak tests share: 201 points from binding
// 300 eV in steps of 0.1 eV.
inline constexpr Grid kTwoPeakGrid = {201, 1486.6 - 300, 0.1};

// Counts at point i of kTwoPeakGrid: two Gaussian peaks (binding 292 and
// 287 eV, heights 1000 and 600 times `scale`) on a flat line.
inline double TwoPeakCounts(int i, double scale, double line) {
  const double a = (i - 81) / 8.0, b = (i - 131) / 8.0;
  return line + scale * (1000 * std::exp(-0.5 * a * a) + 600 * std::exp(-0.5 * b * b));
}

// Two single peaks (heights 900 and 550, positions 292.2 and 286.9 eV,
// widths 1.8 eV, fixed asymmetry) with limits that hold them near there.
inline void TwoPeakTable(int w) {
  using namespace sorvan;
  WindowRecord& win = Win[w];
  win.PeakType = G.MessageTexts[47];
  win.PeakCount = 2;
  const double values[3][6] = {{}, {0, 900, 0.3, 292.2, 1.8, 0}, {0, 550, 0.3, 286.9, 1.8, 0}};
  const double lower[5] = {0, 0, 280, 0.5, -0.5}, upper[5] = {1e5, 1, 300, 5, 0.5};
  for (int p = 1; p <= 2; ++p) {
    for (int k = 0; k <= 4; ++k) {
      win.ParameterValue[p][2 * k + 1] = values[p][k + 1];
      win.ParameterState[p][2 * k + 1] = k == 4 ? 1 : 0;
      win.ParameterValue[p][2 * k + 2] = 0;
      win.ParameterState[p][2 * k + 2] = 1;
    }
    for (int j = 1; j <= 10; ++j) {
      win.ParameterLower[p][j] = lower[(j - 1) / 2];
      win.ParameterUpper[p][j] = upper[(j - 1) / 2];
    }
  }
}

// Window w given the two-peak table and fitted through the menu (Run fit,
// the iteration page's OK, the fit-finished page's Cancel).
inline void FitTwoPeaksFromTheMenu(int w) {
  plat::driver::FocusWindow(w);
  TwoPeakTable(w);
  plat::script::Click("cmdOk161");
  plat::script::Click("cmdCancel242");
  plat::driver::ChooseMenu(3130);
}

}  // namespace shelltest
