// Frame, layout and axes of a single-spectrum window.
#pragma once

namespace sorvan {

// Lays window w out from its client size and fonts, fills the background,
// draws the curves when called from a redraw (Redrawing = 1), then ticks,
// grid, the residual strip of a fitted window, the frame, the tick labels
// and both axis titles. Leaves the layout values for the plotters, the
// mouse handling and the fit and processing code.
void DrawFrameAndAxes(int w, int frameColour);

}  // namespace sorvan
