// Frame, layout and axes of a single-spectrum window.
#pragma once

namespace sorvan {

// The plot rectangle of single-spectrum window w laid out from its client
// size, fonts and tick texts, without drawing: SpacingUnit, LayoutHeight,
// PlotLeft, PlotWidth, PlotRight, PlotHeight, AxisY, and the scales and
// first point column that the plotters and the mouse use.
void LayOutSingleSpectrum(int w);

// Lays window w out from its client size and fonts, fills the background,
// draws the curves when called from a redraw (Redrawing = 1), then ticks,
// grid, the residual strip of a fitted window, the frame, the tick labels
// and both axis titles. Leaves the layout values for the plotters, the
// mouse handling and the fit and processing code.
void DrawFrameAndAxes(int w, int frameColour);

}  // namespace sorvan
