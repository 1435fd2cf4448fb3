// The processing region and the end averaging of the cursor pair.
#include "processing/region.h"

#include <algorithm>
#include <span>

#include "core/model.h"
#include "core/store.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "processing/kernels/backgrounds.h"

namespace sorvan {

void SetRegionFromCursors(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  win.XRangeFixed = 0;
  win.YRangeFixed = 0;
  win.RegionStart = G.CursorStart;
  win.RegionEnd = G.CursorEnd;
  win.RegionLength = static_cast<Int16>(G.CursorEnd - G.CursorStart + 1);
  LoadWorkData(w, 1, win.RegionStart, win.RegionEnd);
  ComputeIntensityRange(w);
  ComputeEnergyRange(w);
  RedrawWindow(w);
  if (win.RegionStart != 1 || win.RegionEnd != win.SpectrumHeader.PointCount) {
    win.RegionPartial = 1;
  }
  G.RegionPickState = 0;
}

void SetRegionFull(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  const Int16 n = win.SpectrumHeader.PointCount;
  win.XRangeFixed = 0;
  win.YRangeFixed = 0;
  win.RegionStart = 1;
  win.RegionEnd = n;
  win.RegionLength = n;
  LoadWorkData(w, 1, 1, n);
  ComputeIntensityRange(w);
  ComputeEnergyRange(w);
  RedrawWindow(w);
  win.RegionPartial = 0;
}

void AverageRegionEnds() {
  G.Scratch1 = G.Scratch2 = G.Scratch3 = G.Scratch4 = 0;
  const int points = std::max<int>(1, G.AveragePoints);
  const EndLevels levels = AverageEnds(std::span<const double>(WorkData.data(), WorkData.size()),
                                       G.CursorStart, G.CursorEnd, points);
  G.Scratch1 = levels.left;
  G.Scratch2 = levels.right;
  FillFlat(std::span<double>(WorkBackground.data(), WorkBackground.size()), G.CursorStart,
           G.CursorEnd, levels.right);
}

}  // namespace sorvan
