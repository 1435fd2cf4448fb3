// Where to press the mouse in a spectrum window, as it was drawn last, so
// that a test picks a point and an intensity as a user would.
#pragma once
#include <cmath>

#include "core/model.h"
#include "display/mouse.h"

namespace testsupport {

// Pixel column at which the pointer reads out point `channel` of window w
// (halfway to the point before it).
inline int PixelOfPoint(int w, int channel) {
  using namespace sorvan;
  const WindowRecord& win = Win[w];
  const double perEnergy = G.PlotWidth / win.XAxisSpan;
  const double firstX = G.PlotLeft + std::fabs(win.XAxisLeft - win.FirstEnergy) * perEnergy;
  return static_cast<int>(std::lround(
      firstX + (channel - win.RegionStart - 0.5) * perEnergy * win.SpectrumHeader.EnergyStep));
}

// Row of window w at which the readout shows the intensity nearest to
// `intensity`.
inline int RowOfIntensity(int w, double intensity) {
  int best = 0;
  for (int y = 1; y < 2000; ++y)
    if (std::fabs(sorvan::IntensityAtRow(w, y) - intensity) <
        std::fabs(sorvan::IntensityAtRow(w, best) - intensity))
      best = y;
  return best;
}

}  // namespace testsupport
