// Energy and intensity ranges of a window (see ranges.h).
#include "display/ranges.h"

#include <algorithm>
#include <cmath>

#include "core/model.h"
#include "core/store.h"
#include "display/axis_math.h"

namespace sorvan {

int TickIntervals(double storedCount) {
  if (!std::isfinite(storedCount)) return 1;
  const double n = std::round(storedCount);
  return static_cast<int>(std::clamp(n, 1.0, 100.0));
}

void ComputeEnergyRange(int w) {
  WindowRecord& win = Win[w];
  if (win.XRangeFixed == 1) return;
  const SpectrumHeaderRecord& h = win.SpectrumHeader;
  auto kinetic = [&](int i) {
    return h.StartEnergy + h.EnergyStep * (i - 1) + win.EnergyShift + G.GlobalEnergyOffset;
  };
  const bool binding = G.EnergyAxisMode == 0;
  if (binding) {
    win.FirstEnergy = h.ExcitationEnergy - kinetic(win.RegionStart);
    win.LastEnergy = h.ExcitationEnergy - kinetic(win.RegionEnd);
  } else {
    win.FirstEnergy = kinetic(win.RegionStart);
    win.LastEnergy = kinetic(win.RegionEnd);
  }
  const EnergyAxis axis = EnergyAxisFor(win.FirstEnergy, win.LastEnergy, binding, false);
  win.XAxisLeft = axis.left;
  win.XAxisRight = axis.right;
  win.XAxisSpan = axis.span;
  win.XTickCount = axis.tickCount;
}

void ComputeMultiSpectrumEnergyRange(int w) {
  WindowRecord& win = Win[w];
  if (win.XRangeFixed == 1) return;
  auto kinetic = [&](int i) {
    return win.MultiStartEnergy + win.MultiEnergyStep * (i - 1) + win.MultiEnergyShift +
           G.MultiViewEnergyOffset;
  };
  const bool binding = G.EnergyAxisMode == 0;
  if (binding) {
    win.MultiFirstEnergy = win.MultiExcitationEnergy - kinetic(win.MultiRegionStart);
    win.MultiLastEnergy = win.MultiExcitationEnergy - kinetic(win.MultiRegionEnd);
  } else {
    win.MultiFirstEnergy = kinetic(win.MultiRegionStart);
    win.MultiLastEnergy = kinetic(win.MultiRegionEnd);
  }
  const EnergyAxis axis = EnergyAxisFor(win.MultiFirstEnergy, win.MultiLastEnergy, binding, true);
  win.MultiXLeft = axis.left;
  win.MultiXRight = axis.right;
  win.MultiXSpan = axis.span;
  win.XTickCount = axis.tickCount;
}

void ComputeIntensityRange(int w) {
  WindowRecord& win = Win[w];
  if (win.YRangeFixed == 1) return;
  // Only the indices that the work vectors hold take part: a region that
  // reaches beyond them (a damaged project) must not read outside.
  const long long first = std::max<long long>(win.RegionStart, 0);
  long long last = std::min<long long>(win.RegionEnd, WorkData.Upper());
  const bool withBackground =
      win.BackgroundState == BackgroundDefined || win.BackgroundState == BackgroundFitted;
  if (withBackground) last = std::min<long long>(last, WorkBackground.Upper());
  const IntensityAxis axis =
      IntensityAxisFor(WorkData.data(), withBackground ? WorkBackground.data() : nullptr,
                       static_cast<int>(first), static_cast<int>(last));
  win.IntensityMax = axis.max;
  win.IntensityMin = axis.min;
  win.MaxIndex = static_cast<Int16>(axis.maxIndex);
  win.MinIndex = static_cast<Int16>(axis.minIndex);
  const SpectrumHeaderRecord& h = win.SpectrumHeader;
  auto binding = [&](int i) {
    const double be = h.ExcitationEnergy - G.GlobalEnergyOffset - win.EnergyShift -
                      (h.StartEnergy + h.EnergyStep * (i - 1));
    return IntPart(100 * be + 0.5) / 100;
  };
  win.MaxBindingEnergy = binding(axis.maxIndex);
  win.MinBindingEnergy = binding(axis.minIndex);
  win.YAxisTop = axis.top;
  win.YAxisBottom = axis.bottom;
  win.YAxisSpan = axis.span;
}

}  // namespace sorvan
