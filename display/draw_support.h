// Small services shared by the painters of the display: the fonts of the
// text classes and of the dialogs, their measures, and the base row of the
// single-spectrum plot.
#pragma once
#include "platform/canvas.h"

namespace sorvan {

// Text classes of the font table (printer at class + 10).
constexpr int kTitleLabelClass = 0;
constexpr int kAnnotationClass = 1;
constexpr int kAxisTitleClass = 2;
constexpr int kTickNumberClass = 3;

// The font of text class c from the font table.
plat::FontSpec ClassFont(int c);
// Tick length for the tick-size option (0 small, 1 middle, 2 large, else
// none) on a drawing area of height h.
double TickLength(double tickSize, double h);
// Makes text class c the canvas font, with its colour as the drawing colour.
void UseClassFont(plat::Canvas& canvas, int c);

// Line height (1.1 times the text height) and mean character width of text
// class c, as the font table holds them. A class whose measures were never
// taken (0) is measured on `canvas`, so that the layout never collapses.
double LineHeightOf(plat::Canvas& canvas, int c);
double CharWidthOf(plat::Canvas& canvas, int c);

// The pixel row of the bottom of the intensity axis in the last layout of a
// single-spectrum plot: half a tick-number line above the energy axis.
double BaseRow(plat::Canvas& canvas);

// The plot rectangle just laid out (PlotLeft, PlotWidth, PlotHeight,
// SpacingUnit) kept with window w; and brought back into the shared values
// before the mouse or a label of w is converted. Every painter keeps its
// layout when it has laid out the plot.
void KeepPlotLayout(int w);
void RecallPlotLayout(int w);

// Colour values of the model (some tables hold them as doubles) as ints.
int ColourOf(double value);

}  // namespace sorvan
