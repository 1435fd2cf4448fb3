// Curve and line plotters (see plotters.h).
#include "display/plotters.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/model.h"
#include "core/store.h"
#include "display/axis_math.h"
#include "display/draw_support.h"
#include "platform/canvas.h"
#include "platform/printer.h"
#include "platform/surfaces.h"
#include "platform/text.h"

namespace sorvan {

namespace {

int PenWidthOf(double width) {
  if (!std::isfinite(width) || width <= 0) return 0;
  return static_cast<int>(plat::RoundHalfEven(std::min(width, 1000.0)));
}

// A value clamped into a 16-bit pixel field; far-off values stay far off
// and keep their side instead of wrapping around.
Int16 Clamp16(double value) {
  const int pixel = PixelFromDouble(value);
  return static_cast<Int16>(std::clamp(pixel, -32768, 32767));
}

// Number of curve points that window w draws: its region length, but never
// more than the pixel tables hold.
int CurvePointCount(int w) {
  const long long n = std::min<long long>(Win[w].RegionLength,
                                          std::min(G.CurveX.Upper(), G.CurveY.Upper()));
  return static_cast<int>(std::max<long long>(n, 0));
}

}  // namespace

void EnsureCurveTables(int w) {
  const long long upper = std::max<long long>(Win[w].SpectrumHeader.PointCount, 0);
  if (G.CurveX.Upper() < upper) G.CurveX.Resize(upper);
  if (G.CurveY.Upper() < upper) G.CurveY.Resize(upper);
}

void MapRegionCurve(int w, const CheckedVector<double>& values,
                    const CheckedVector<double>* background) {
  const WindowRecord& win = Win[w];
  plat::Canvas& canvas = plat::Surface();
  const double base = BaseRow(canvas);
  const double bottom = win.YAxisBottom;
  const double xStep = G.PixelsPerEnergy * win.SpectrumHeader.EnergyStep;
  const double yScale = G.PixelsPerIntensity;
  long long n = CurvePointCount(w);
  // Only points that the vectors hold are mapped.
  const long long start = win.RegionStart;
  n = std::min(n, values.Upper() - start + 1);
  if (background != nullptr) n = std::min(n, background->Upper() - start + 1);
  if (start < 0) n = 0;
  auto* xs = G.CurveX.data();
  auto* ys = G.CurveY.data();
  const double* v = values.data();
  const double* b = background != nullptr ? background->data() : nullptr;
  for (long long i = 1; i <= n; ++i) {
    const long long p = start + i - 1;
    const double value = b != nullptr ? v[p] + b[p] : v[p];
    xs[i] = PixelFromDouble(G.FirstPointX + xStep * static_cast<double>(i - 1));
    ys[i] = PixelFromDouble(base - (value - bottom) * yScale);
  }
  // Points the vectors do not hold are left out of the drawing.
  for (long long i = std::max<long long>(n + 1, 1); i <= CurvePointCount(w); ++i) {
    xs[i] = xs[std::max<long long>(n, 1)];
    ys[i] = ys[std::max<long long>(n, 1)];
  }
}

void SetLineEnds(double x1, double y1, double x2, double y2) {
  G.LineX1 = Clamp16(x1);
  G.LineY1 = Clamp16(y1);
  G.LineX2 = Clamp16(x2);
  G.LineY2 = Clamp16(y2);
}

void DrawCurvePoints(plat::Canvas& canvas, const int* xs, const int* ys, int n, int style,
                     int penWidth, double width) {
  canvas.SetPenStyle(plat::PenStyle::Solid);
  canvas.SetPenWidth(penWidth);
  const double w = width;
  switch (style) {
    case 0:
      if (n >= 2) canvas.Polyline(xs + 1, ys + 1, n);
      break;
    case 1:
      for (int i = 1; i + 1 <= n; i += 2) canvas.Line(xs[i], ys[i], xs[i + 1], ys[i + 1]);
      break;
    case 2:
      for (int i = 1; i <= n; ++i) canvas.FilledBox(xs[i], ys[i], xs[i] + 1, ys[i] + 1);
      break;
    case 3:
      for (int i = 1; i <= n; ++i) canvas.FilledBox(xs[i] - w, ys[i] - w, xs[i] + w, ys[i] + w);
      break;
    case 4:
      for (int i = 1; i <= n; ++i) {
        canvas.Line(xs[i], ys[i] - 2 * w, xs[i], ys[i] + 2 * w);
        canvas.Line(xs[i] + 2 * w, ys[i], xs[i] - 2 * w, ys[i]);
      }
      break;
    case 5:
      for (int i = 1; i <= n; ++i) canvas.Circle(xs[i], ys[i], w / 2);
      break;
    case 6:
      for (int i = 1; i <= n; ++i)
        canvas.FilledBox(xs[i] - w, ys[i] - 2 * w, xs[i] + w, ys[i] + 2 * w);
      break;
    default:
      break;  // an unknown style draws nothing
  }
}

void DrawLineInStyle(plat::Canvas& canvas, double x1, double y1, double x2, double y2, int style,
                     int penWidth, double width) {
  canvas.SetPenStyle(plat::PenStyle::Solid);
  canvas.SetPenWidth(penWidth);
  auto dashes = [&](int parts) {
    const double dx = (x2 - x1) / parts, dy = (y2 - y1) / parts;
    for (int j = 0; j < parts; j += 2)
      canvas.Line(x1 + j * dx, y1 + j * dy, x1 + (j + 1) * dx, y1 + (j + 1) * dy);
  };
  auto circles = [&](int parts) {
    const double dx = (x2 - x1) / parts, dy = (y2 - y1) / parts;
    for (int j = 0; j < parts; ++j) canvas.Circle(x1 + j * dx, y1 + j * dy, width / 2);
  };
  switch (style) {
    case 0: canvas.Line(x1, y1, x2, y2); break;
    case 1: dashes(201); break;
    case 2: dashes(101); break;
    case 3: dashes(61); break;
    case 4: {
      const int parts = 51;
      const double dx = (x2 - x1) / parts, dy = (y2 - y1) / parts;
      const double half = width / 3;
      for (int j = 0; j < parts; j += 2) {
        canvas.Line(x1 + j * dx, y1 + j * dy, x1 + (j + 1) * dx, y1 + (j + 1) * dy);
        const double cx = x1 + (j + 1.5) * dx, cy = y1 + (j + 1.5) * dy;
        canvas.FilledBox(cx - half, cy - half, cx + half, cy + half);
      }
      break;
    }
    case 5: circles(101); break;
    case 6: circles(151); break;
    default: break;
  }
}

void PlotSpectrum(int w, int colour, int style, double width) {
  WindowRecord& win = Win[w];
  if (!win.WindowOpen) return;
  plat::SetDrawingWindow(w);
  plat::Canvas& canvas = plat::Surface();
  G.PixelsPerEnergy = G.PlotWidth / NonZero(win.XAxisSpan);
  G.PixelsPerIntensity = G.PlotHeight / NonZero(win.YAxisTop - win.YAxisBottom);
  G.FirstPointX = G.PlotLeft + std::fabs(win.XAxisLeft - win.FirstEnergy) * G.PixelsPerEnergy;
  const double base = BaseRow(canvas);
  if (win.YAxisBottom <= 0) {
    const double zeroRow = base + G.PixelsPerIntensity * win.YAxisBottom;
    SetLineEnds(G.PlotLeft, zeroRow, G.PlotRight, zeroRow);
    DrawStyledLineOfKind(w, ZeroLine);
  }
  canvas.SetColour(colour);
  const long long upper = std::max<long long>(win.SpectrumHeader.PointCount, 0);
  // The tables are sized anew only when the point count changes.
  if (G.CurveX.Upper() != upper) G.CurveX.Resize(upper);
  if (G.CurveY.Upper() != upper) G.CurveY.Resize(upper);
  MapRegionCurve(w, WorkData, nullptr);
  DrawCurve(w, colour, style, width);
}

void PlotComputedCurve(int w, int colour, int style, double width) {
  const WindowRecord& win = Win[w];
  plat::Surface().SetColour(colour);
  // The last PlotSpectrum may have been for a window of fewer points.
  EnsureCurveTables(w);
  const bool onBackground =
      win.BackgroundState == BackgroundDefined || win.BackgroundState == BackgroundFitted;
  MapRegionCurve(w, WorkData, onBackground ? &WorkBackground : nullptr);
  DrawCurve(w, colour, style, width);
}

void DrawCurve(int w, int colour, int style, double width) {
  plat::SetDrawingWindow(w);
  plat::Canvas& canvas = plat::Surface();
  canvas.SetColour(colour);
  DrawCurvePoints(canvas, G.CurveX.data(), G.CurveY.data(), CurvePointCount(w), style,
                  PenWidthOf(width), width);
}

namespace {

// Printer scale: the page width in printer pixels over 1.02, rounded.
double PrinterScale() { return static_cast<double>(plat::RoundHalfEven(plat::PageWidth() / 1.02)); }

}  // namespace

void PrintCurve(int w, int colour, int style, double width) {
  const double p = PrinterScale();
  plat::Canvas& canvas = plat::PrinterCanvas();
  canvas.SetColour(colour);
  DrawCurvePoints(canvas, G.CurveX.data(), G.CurveY.data(), CurvePointCount(w), style,
                  PenWidthOf(width * p / 1200), width);
}

void DrawStyledLine(int, int colour, int style, double width) {
  plat::Canvas& canvas = plat::Surface();
  canvas.SetColour(colour);
  DrawLineInStyle(canvas, G.LineX1, G.LineY1, G.LineX2, G.LineY2, style, PenWidthOf(width), width);
}

void PrintStyledLine(int, int colour, int style, double width) {
  const double p = PrinterScale();
  plat::Canvas& canvas = plat::PrinterCanvas();
  canvas.SetColour(colour);
  DrawLineInStyle(canvas, G.LineX1, G.LineY1, G.LineX2, G.LineY2, style,
                  PenWidthOf(width * p / 1200), width);
}

void DrawCurveOfKind(int w, int kind) {
  DrawCurve(w, ColourOf(G.CurveColours[kind]), G.CurveStyles[kind], G.CurveWidths[kind]);
}

void DrawStyledLineOfKind(int w, int kind) {
  const double style = G.LineStyles[kind];
  DrawStyledLine(w, ColourOf(G.LineColours[kind]),
                 std::isfinite(style) ? static_cast<int>(plat::RoundHalfEven(style)) : -1,
                 G.LineWidths[kind]);
}

}  // namespace sorvan
