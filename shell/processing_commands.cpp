// The menu commands of the processing region, the backgrounds, negation,
// derivative, smoothing and satellite removal.
#include "shell/processing_commands.h"

#include "core/model.h"
#include "processing/background_page.h"
#include "processing/region.h"
#include "processing/satellite_removal.h"
#include "processing/smoothing.h"

namespace sorvan {

bool RunRegionAndBackgroundCommand(int command) {
  const int w = G.CurrentWindow;
  switch (command) {
    case 2110:
      ComputeConstantBackground(w);
      return true;
    case 2120:
      ComputeLinearBackground(w);
      return true;
    case 2130:
      ComputeShirleyBackground(w);
      return true;
    case 2140:
      ComputeTougaardBackground(w);
      return true;
    case 2100:
      CommitBackground(w);
      return true;
    case 2200:
      // Only a complete cursor pair makes a region.
      if (G.RegionPickState == 2) SetRegionFromCursors(w);
      return true;
    case 21100:
      SetRegionFull(w);
      return true;
    case 2400:
      NegateSpectrum(w);
      return true;
    case 2300:
      DifferentiateSpectrum(w);
      return true;
    case 2700:
      SmoothSpectrum(w);
      return true;
    case 2800:
      RemoveXraySatellites(w);
      return true;
    default:
      return false;
  }
}

}  // namespace sorvan
