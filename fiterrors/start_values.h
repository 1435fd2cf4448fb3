// Start values of a new fit that can separate. A window's peak table comes
// from a parameter set in which every peak starts at the same place, height
// and width; a fit of several such peaks keeps them stacked, and a doublet
// whose partner holds no real partner value is no doublet.
#pragma once

namespace sorvan {

// The doublet-table ratio and splitting used where the window's spectrum
// name matches no table entry: the partner relation of the shipped
// parameter sets.
inline constexpr double kFallbackDoubletRatio = 0.5;
inline constexpr double kFallbackDoubletSplitting = 4.0;

// Gives w's peaks start values from which a fit can separate them:
// - a peak whose start position lies outside the fit region, or on the start
//   position of an earlier peak, is placed on the largest value of what the
//   spectrum leaves after the earlier peaks (less a kept or fitted
//   background), with that value as its height; with nothing left it is
//   spread over the region;
// - on a doublet window, a peak so placed, or whose partner has no height or
//   sits on the peak itself or outside the spectrum, gets its partner from
//   the doublet table (height times the ratio, position shifted by the
//   splitting, shape, width and asymmetry of the peak), in the table units of
//   w's peak mode.
// Peaks with start values of their own are left as they are.
void SpreadStartValues(int w);

}  // namespace sorvan
