// The styles the drawing benchmarks draw with. The shipped presetting gives
// what a user draws with (curves 1.5 wide: two-pixel pens, its fonts and
// colours); the plain styles (one font, curves and lines one pixel wide, a
// white plot) serve as the reference of what the pen itself costs.
#pragma once
#include "core/model.h"
#include "core/presetting.h"
#include "platform/files.h"

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

#ifdef SORVAN_SOURCE_DIR
// Reads the presetting the program ships (data/presetting/presetting.set).
inline void SetShippedDrawingStyles() {
  sorvan::G.PresettingFilePath = plat::ProgramPath(SORVAN_SOURCE_DIR "/data/presetting/presetting.set");
  sorvan::ReadPresetting();
}
#endif

}  // namespace benchsupport
