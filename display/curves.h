// Curves that processing draws into a single-spectrum plot with the current
// transform: the background and the X-ray satellite curve.
#pragma once

namespace sorvan {

// Computes the transform of window w as PlotSpectrum does and draws
// WorkBackground over the region in the background curve's attributes.
void DrawBackgroundCurve(int w);
// Draws WorkSigma (the satellite curve) over the region with the current
// transform, on WorkBackground when a background is defined, in the
// satellite curve's attributes.
void DrawSatelliteCurve(int w);

}  // namespace sorvan
