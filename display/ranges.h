// Energy and intensity ranges of a window: the axis ends, spans and the
// number of energy tick intervals, from the displayed part of the spectrum.
#pragma once

namespace sorvan {

// Energy axis of single-spectrum window w from its header, region and energy
// corrections; nothing when the user fixed the range (XRangeFixed).
void ComputeEnergyRange(int w);
// The same for a multi-spectrum window, from the member copies it keeps.
void ComputeMultiSpectrumEnergyRange(int w);
// Intensity axis of window w from WorkData (and WorkBackground when a
// background is defined or fitted) over the region, which the caller has
// loaded; nothing when YRangeFixed is set.
void ComputeIntensityRange(int w);

// The number of tick intervals to draw for a stored count: at least 1 (a
// damaged project can hold 0) and at most 100 (the tick tables).
int TickIntervals(double storedCount);

}  // namespace sorvan
