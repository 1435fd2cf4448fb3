// The painters of the multi-spectrum views (colour map, stacked curves,
// waterfall and mirrored waterfall) and of the chemical-state plot. Each
// lays the plot out anew from the window's data and the current options,
// leaves the shared layout values for the labels and the mouse, and keeps
// its layout with the window. The member curves are read from MemberCurves,
// which the caller has rebuilt for the window (TransposeComponents).
#pragma once
#include <string>
#include <vector>

#include "display/view_target.h"

namespace sorvan {

// Screen painters: draw window w. `colour` is the frame colour, made current
// after the background fill of the views that use it.
void DrawColourMapView(int w, int colour);
void DrawStackedView(int w, int colour);
void DrawWaterfallView(int w, int colour);
void DrawMirroredWaterfallView(int w, int colour);

// The same painters on any target (the printer page uses them).
void PaintColourMapView(int w, int colour, const ViewTarget& target);
void PaintStackedView(int w, int colour, const ViewTarget& target);
void PaintWaterfallView(int w, int colour, const ViewTarget& target, bool mirrored);

// Draws the multi-spectrum view of window w (kinds 2 to 5) on the printer
// page into the rectangle (left, top) of size width x height, with the
// printer style entries and options. Rebuilds MemberCurves first.
void PrintMultiSpectrumView(int w, double left, double top, double width, double height);

// Chemical-state plot (window kind 1).
// Tick texts: XTickText from the left binding energy down, YTickText from
// the top kinetic energy down, ThirdTickText the Auger parameter along the
// right edge. A span of more than 100 eV is ticked every few eV so that the
// tick tables are never overrun.
void MakeChemicalStateTickLabels(int w);
// Clears the window and draws background, grid, Auger-parameter diagonals,
// frame, ticks, tick labels and titles; loads the three data columns.
void DrawChemicalStatePlotAxes(int w, int colour);
// One marker per entry at (binding energy, kinetic energy), from the layout
// the axes painter left.
void DrawChemicalStatePoints(int w, int colour, int style, double width);
// The printer twin: markers at CurveX/CurveY 1..n as the printout has filled
// them, pen width scaled to the printer page.
void PrintChemicalStatePoints(int w, int colour, int style, double width);
// The markers of the chemical-state plot at xs/ys[1..n] in a style 0..6.
void DrawChemicalStateMarkers(plat::Canvas& canvas, const int* xs, const int* ys, int n, int style,
                              int width);

// The axes of a chemical-state plot in eV: the spans (a span below 1 eV
// counts as 1) and the step and number of tick intervals along each.
struct ChemicalStateAxes {
  double spanX = 1, spanY = 1;
  int stepX = 1, stepY = 1, ticksX = 1, ticksY = 1;
};
ChemicalStateAxes ChemicalStateAxesOf(int w);

// A line across a chemical-state plot, its ends in eV from the plot's
// top-left corner: `east` right of the left edge, `down` below the top edge.
struct ChemicalStateLine {
  double east1, down1, east2, down2;
};
// The diagonals of constant Auger parameter at the whole-eV values that
// enclose the Auger parameters of window w's entries (WorkData[1..n], as the
// drawing loads them).
std::vector<ChemicalStateLine> ChemicalStateAugerLines(int w);

// The eV between neighbouring ticks of a chemical-state axis spanning `span`
// eV: 1 up to 100 eV, more for wider spans, so that at most 100 intervals
// are drawn.
int ChemicalStateTickStep(double span);

}  // namespace sorvan
