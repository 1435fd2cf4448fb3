// Curve and line plotters: the screen transform of a single-spectrum plot,
// curves in the seven curve styles and single lines in the seven line
// styles, on the screen and on the printer page.
#pragma once
#include "core/table.h"

namespace plat {
class Canvas;
}

namespace sorvan {

// Curve kinds (index of the curve attribute tables; printer at kind + 10).
enum CurveKind {
  SpectrumCurve = 0,
  BackgroundCurve = 1,
  SatelliteCurve = 2,
  PeakCurve = 3,
  SumCurve = 4,
  ResidualCurve = 5,
  ChemicalStatePoints = 6,
  WaterfallFill = 7,
};

// Line kinds (index of the line attribute tables; printer at kind + 10).
enum LineKind {
  FrameLine = 0,
  ZeroLine = 1,
  ResidualLimitLine = 2,
  StackedViewLine = 3,
  GridLine = 4,
  AugerParameterLine = 5,
};

// Sets the screen transform of window w from its ranges and the layout of
// the frame painter, draws the zero line when the axis reaches zero, maps
// WorkData over the region into CurveX/CurveY and draws it.
void PlotSpectrum(int w, int colour, int style, double width);
// Maps the computed curve in WorkData (peak or sum) with the transform of
// the last PlotSpectrum, on the background when one is defined or fitted.
void PlotComputedCurve(int w, int colour, int style, double width);
// Draws points 1..RegionLength(w) of CurveX/CurveY on window w.
void DrawCurve(int w, int colour, int style, double width);
// The same on the printer page.
void PrintCurve(int w, int colour, int style, double width);
// Draws the line LineX1, LineY1 - LineX2, LineY2 on the current surface.
void DrawStyledLine(int w, int colour, int style, double width);
// The same on the printer page.
void PrintStyledLine(int w, int colour, int style, double width);

// Convenience for the callers that draw a curve or line of a kind with its
// attributes from the style tables.
void DrawCurveOfKind(int w, int kind);
void DrawStyledLineOfKind(int w, int kind);
// Sets LineX1..LineY2 (clamped to the 16-bit fields without wrapping).
void SetLineEnds(double x1, double y1, double x2, double y2);

// Makes sure the pixel tables CurveX/CurveY can hold window w's points
// (they keep their contents when they are large enough).
void EnsureCurveTables(int w);
// Maps values over window w's region (plus `added` at the same index when
// given) into CurveX/CurveY 1..RegionLength with the current transform.
void MapRegionCurve(int w, const CheckedVector<double>& values, const CheckedVector<double>* added);

// The drawing of one curve: n points xs[1..n], ys[1..n] in a curve style,
// with pen width `penWidth` (whole pixels) and marker size `width`.
void DrawCurvePoints(plat::Canvas& canvas, const int* xs, const int* ys, int n, int style,
                     int penWidth, double width);
// The drawing of one line in a line style.
void DrawLineInStyle(plat::Canvas& canvas, double x1, double y1, double x2, double y2, int style,
                     int penWidth, double width);

}  // namespace sorvan
