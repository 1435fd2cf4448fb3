// Mouse on spectrum windows: the cursor readout in the caption, the picking
// of a processing range, point editing and the toggles of the views of
// several spectra.
#pragma once
#include "display/frame.h"  // LayOutSingleSpectrum

namespace sorvan {

// Handles a mouse move or press on spectrum window w. Reads the pointer from
// the platform (the event's own arguments are not used), leaves the cursor
// values (CursorChannel, CursorEnergy, CursorIntensity, MouseIntensity,
// PickedHeight) and the region pick (RegionPickState, CursorStart,
// CursorEnd), writes the readout into the window's caption, places a
// waiting label and fills open dialog pages from the cursor.
void HandleWindowMouse(int w);

// The single-spectrum part: layout, the point under the pointer, point
// editing and region picking, then the cursor energy and intensity.
void HandleSpectrumMouse(int w);

// The pointer row y turned into an intensity on window w's intensity axis;
// 0 for a window that was never drawn.
double IntensityAtRow(int w, double y);

}  // namespace sorvan
