// The styles the drawing benchmarks draw with, in place of a presetting: one
// font for the texts, curves and lines one pixel wide, a white plot.
#pragma once
#include "core/model.h"

namespace benchsupport {

inline void SetPlainDrawingStyles() {
  using sorvan::G;
  for (int c = 0; c < 4; ++c) {
    G.FontName[c] = "Arial";
    G.FontSize[c] = 9;
  }
  for (int k = 0; k <= 20; ++k) {
    G.CurveWidths[k] = 1;
    G.LineWidths[k] = 1;
  }
  G.PlotBackColour = 0xFFFFFF;
}

}  // namespace benchsupport
