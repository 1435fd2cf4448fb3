// The chemical-state plot (window kind 1): every entry a = b + c of an
// Auger-parameter list as a marker at binding energy b (falling to the
// right) and kinetic energy c (rising upward), a grid at every whole eV,
// diagonals of constant Auger parameter next to the entries, and a third
// axis on the right that reads the Auger parameter.
#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "display/axis_math.h"
#include "display/draw_support.h"
#include "display/plotters.h"
#include "display/redraw.h"
#include "display/views.h"
#include "platform/printer.h"
#include "platform/surfaces.h"
#include "platform/text.h"

namespace sorvan {

namespace {

// Largest span drawn (eV): wider spans (energies of 1e10 or an infinite
// end) are drawn as this one, so that the tick step stays an int and the
// ticks at most 100.
constexpr double kLargestSpan = 1.0e9;

// The spans of the two axes in eV; a span of 0 (or less, or not a number)
// counts as 1.
double SpanOf(double span) { return span >= 1 ? std::floor(std::min(span, kLargestSpan)) : 1; }

// Ticks of a span at a step: at most 100.
int TicksOf(double span, int step) { return static_cast<int>(std::min(100.0, std::floor(span / step))); }

int EntryCount(const WindowRecord& win) {
  return static_cast<int>(std::clamp(win.ChemStatePointCount, 0.0, 100.0));
}

}  // namespace

ChemicalStateAxes ChemicalStateAxesOf(int w) {
  const WindowRecord& win = Win[w];
  ChemicalStateAxes a;
  a.spanX = SpanOf(win.ChemStateXSpan);
  a.spanY = SpanOf(win.ChemStateYSpan);
  a.stepX = ChemicalStateTickStep(a.spanX);
  a.stepY = ChemicalStateTickStep(a.spanY);
  a.ticksX = TicksOf(a.spanX, a.stepX);
  a.ticksY = TicksOf(a.spanY, a.stepY);
  return a;
}

std::vector<ChemicalStateLine> ChemicalStateAugerLines(int w) {
  const WindowRecord& win = Win[w];
  const ChemicalStateAxes a = ChemicalStateAxesOf(w);
  const double SX = a.spanX, SY = a.spanY;
  const double X1 = win.ChemStateXMax, Y0 = win.ChemStateYMin;
  // The whole-eV Auger parameters that enclose the entries' own.
  std::set<double> wanted;
  const int n = EntryCount(win);
  for (int k = 1; k <= n && k <= WorkData.Upper(); ++k) {
    const double A = IntPart(WorkData[k]);
    wanted.insert(A);
    wanted.insert(A + 1);
  }
  auto want = [&](double A) { return wanted.count(A) != 0; };
  std::vector<ChemicalStateLine> lines;
  for (int k = 0; k <= 20; ++k) {
    const double s = k;
    if (SY + s >= SX && SX - s > 1 && SY - s > 1 && want(X1 + Y0 - s)) lines.push_back({s, SY, SX, SY - SX + s});
  }
  for (int k = 0; k <= 20; ++k) {
    const double s = k;
    if (SY - s >= SX && want(X1 + Y0 + s)) lines.push_back({0, SY - s, SX, SY - SX - s});
    if (SY - s < SX && SY - s > 1 && want(X1 + Y0 + s)) lines.push_back({0, SY - s, SY - s, 0});
  }
  return lines;
}

int ChemicalStateTickStep(double span) {
  if (!(span > 100)) return 1;
  return static_cast<int>(std::ceil(std::min(span, kLargestSpan) / 100));
}

void MakeChemicalStateTickLabels(int w) {
  const WindowRecord& win = Win[w];
  const ChemicalStateAxes a = ChemicalStateAxesOf(w);
  for (int t = 0; t <= a.ticksX; ++t) G.XTickText[t] = plat::NumberToText(win.ChemStateXMax - t * a.stepX);
  for (int t = 0; t <= a.ticksY; ++t) {
    G.YTickText[t] = plat::NumberToText(win.ChemStateYMax - t * a.stepY);
    G.ThirdTickText[t] = plat::NumberToText(win.ChemStateYMax + win.ChemStateXMin - t * a.stepY);
  }
}

void DrawChemicalStatePlotAxes(int w, int colour) {
  WindowRecord& win = Win[w];
  const ViewTarget t = ScreenTarget(w);
  plat::Canvas& c = t.c();
  const double W = t.width, H = t.height;
  const double L = TickLengthOf(t);
  const bool outside = TicksReachOutside(t);
  const double e = outside ? L : 0;
  const double F2 = LineHeightOn(t, kAxisTitleClass);
  const double F3 = LineHeightOn(t, kTickNumberClass);
  const double C3 = CharWidthOn(t, kTickNumberClass);
  const ChemicalStateAxes axes = ChemicalStateAxesOf(w);
  const double SX = axes.spanX, SY = axes.spanY;
  const int stepX = axes.stepX, stepY = axes.stepY;
  const int ticksX = axes.ticksX, ticksY = axes.ticksY;

  // Background.
  c.SetDrawMode(plat::kDrawModeCopy);
  c.SetOpaqueText(true);
  G.SpacingUnit = LayoutPixel(F3 * 0.5);
  FillBackground(t);
  c.SetOpaqueText(false);
  c.SetColour(colour);
  c.SetPenStyle(plat::PenStyle::Solid);
  c.SetPenWidth(1);

  // Margins from the widest kinetic-energy and Auger-parameter labels (over
  // the window's intensity tick count, as the mouse readout measures them).
  c.SetFont(ClassFont(kTickNumberClass));
  MakeChemicalStateTickLabels(w);
  const int measured =
      std::clamp(static_cast<int>(std::isfinite(win.YTickCount) ? win.YTickCount : 0), 0, 100);
  double left = 0, right = 0;
  for (int k = 0; k <= measured; ++k) {
    left = std::max(left, c.TextWidth(G.YTickText[k]));
    right = std::max(right, c.TextWidth(G.ThirdTickText[k]));
  }
  const double grow = 1.5 * F2 + C3;
  G.PlotLeft = LayoutPixel(left + grow + e);
  G.PlotRight = LayoutPixel(right + grow + e);
  G.PlotWidth = LayoutPixel(W - G.PlotLeft - G.PlotRight);
  G.PlotRight = LayoutPixel(G.PlotLeft + G.PlotWidth);
  G.PlotHeight = LayoutPixel(H - 1.7 * F3 - F2 - G.SpacingUnit - e);
  win.WindowPlotHeight = G.PlotHeight;
  G.AxisY = LayoutPixel(G.PlotHeight + G.SpacingUnit);
  const double PL = G.PlotLeft, PR = G.PlotRight, PW = G.PlotWidth, PH = G.PlotHeight;
  const double SU = G.SpacingUnit, AY = G.AxisY;
  KeepPlotLayout(w);

  // Pixel of an energy offset: `east` eV right of the left edge, `down` eV
  // below the top edge.
  auto xAt = [&](double east) { return PL + east * PW / SX; };
  auto yAt = [&](double down) { return SU + down * PH / SY; };
  for (int k = 0; k <= ticksX; ++k) G.XTickPixel[k] = xAt(k * stepX);
  for (int k = 0; k <= ticksY; ++k) G.YTickPixel[k] = yAt(k * stepY);

  // Grid at every tick.
  for (int k = 1; k <= ticksX - 1; ++k) StyledLineOf(t, GridLine, G.XTickPixel[k], SU, G.XTickPixel[k], AY);
  for (int k = 1; k <= ticksY - 1; ++k) StyledLineOf(t, GridLine, PL, G.YTickPixel[k], PR, G.YTickPixel[k]);

  // Diagonals of constant Auger parameter at the whole-eV values that
  // enclose the entries' Auger parameters.
  const int n = EntryCount(win);
  LoadWorkData(w, 1, 1, n);
  LoadWorkBackground(w, 2, 1, n);
  LoadWorkSigma(w, 3, 1, n);
  for (const ChemicalStateLine& l : ChemicalStateAugerLines(w))
    StyledLineOf(t, AugerParameterLine, xAt(l.east1), yAt(l.down1), xAt(l.east2), yAt(l.down2));

  // Frame and ticks.
  UseFramePen(t);
  c.Box(PL, SU, PR, AY);
  auto bottomTick = [&](double x, double length) {
    DirectedTick(c, true, x, AY, length, -1, t.tickDirection);
    if (t.topTicks == 1) c.Line(x, SU, x, SU + length);
  };
  for (int k = 0; k <= ticksX; ++k) bottomTick(G.XTickPixel[k], L);
  if (t.minorTicksX == 1)
    for (int k = 0; k <= ticksX - 1; ++k) bottomTick(G.XTickPixel[k] + PW * stepX / (2 * SX), L / 2);
  if (win.ShowYScale == 1) {
    auto sideTicks = [&](double y, double length) {
      DirectedTick(c, false, y, PL, length, 1, t.tickDirection);
      DirectedTick(c, false, y, PR, length, -1, t.tickDirection);
    };
    for (int k = 0; k <= ticksY; ++k) sideTicks(G.YTickPixel[k], L);
    if (t.minorTicksY == 1)
      for (int k = 1; k <= ticksY; ++k) sideTicks(G.YTickPixel[k] - PH * stepY / (2 * SY), L / 2);
  }

  // Tick labels, always.
  UseTextClass(t, kTickNumberClass);
  for (int k = 0; k <= ticksY; ++k) {
    const double y = G.YTickPixel[k] - F3 / 2.5;
    c.Text(PR + C3 / 2 + e, y, G.ThirdTickText[k]);
    c.Text(PL - C3 - c.TextWidth(G.YTickText[k]) - e, y, G.YTickText[k]);
  }
  for (int k = 0; k <= ticksX; ++k) {
    const std::string& text = G.XTickText[k];
    c.Text(G.XTickPixel[k] - static_cast<double>(plat::CharacterCount(text)) * C3 / 2, AY + 0.3 * F3 + e, text);
  }

  // Titles: binding energy below, kinetic energy and Auger parameter upright.
  UseTextClass(t, kAxisTitleClass);
  c.Text(PL + PW / 2 - c.TextWidth(G.BindingEnergyTitle) / 2, AY + 1.5 * F3 + e, G.BindingEnergyTitle);
  c.SetEscapement(900);
  c.Text(F2 / 6, SU + PH / 2 + c.TextWidth(G.KineticEnergyTitle) / 2, G.KineticEnergyTitle);
  const std::string augerTitle = G.LabelTexts[82] + " / eV";
  c.Text(W - F2 / 6 - F2, SU + PH / 2 + c.TextWidth(augerTitle) / 2, augerTitle);
  EndView(t);
}

void DrawChemicalStateMarkers(plat::Canvas& canvas, const int* xs, const int* ys, int n, int style,
                              int width) {
  const double w = width;
  for (int k = 1; k <= n; ++k) {
    const double x = xs[k], y = ys[k];
    switch (style) {
      case 0: canvas.Line(x - 4, y, x + 4, y); break;
      case 1:
        canvas.Line(x - 5, y, x - 3, y);
        canvas.Line(x - 1, y, x + 1, y);
        canvas.Line(x + 3, y, x + 5, y);
        break;
      case 2: canvas.FilledBox(x - 1, y - 1, x + 1, y + 1); break;
      case 3: canvas.FilledBox(x - w, y - w, x + w, y + w); break;
      case 4:
        canvas.Line(x, y - 2 * w, x, y + 2 * w);
        canvas.Line(x + 2 * w, y, x - 2 * w, y);
        break;
      case 5: canvas.Circle(x, y, w); break;
      case 6: canvas.FilledBox(x - w, y - 2 * w, x + w, y + 2 * w); break;
      default: return;  // an unknown style draws nothing
    }
  }
}

void DrawChemicalStatePoints(int w, int colour, int style, double width) {
  const WindowRecord& win = Win[w];
  plat::SetDrawingWindow(w);
  plat::Canvas& c = plat::Surface();
  const int n = EntryCount(win);
  G.CurveX.Resize(n);
  G.CurveY.Resize(n);
  c.SetColour(colour);
  c.SetPenStyle(plat::PenStyle::Solid);
  const int pen = std::isfinite(width) ? static_cast<int>(plat::RoundHalfEven(std::clamp(width, 0.0, 1000.0))) : 0;
  c.SetPenWidth(pen);
  G.PixelsPerEnergy = G.PlotWidth / NonZero(win.ChemStateXMax - win.ChemStateXMin);
  G.PixelsPerIntensity = G.PlotHeight / NonZero(win.ChemStateYMax - win.ChemStateYMin);
  for (int k = 1; k <= n; ++k) {
    const double b = WorkBackground.Contains(k) ? WorkBackground[k] : 0;
    const double e = WorkSigma.Contains(k) ? WorkSigma[k] : 0;
    G.CurveX[k] = PixelFromDouble(G.PlotLeft + (win.ChemStateXMax - b) * G.PixelsPerEnergy);
    G.CurveY[k] = PixelFromDouble(G.SpacingUnit + (win.ChemStateYMax - e) * G.PixelsPerIntensity);
  }
  DrawChemicalStateMarkers(c, G.CurveX.data(), G.CurveY.data(), n, style, pen);
}

void PrintChemicalStatePoints(int w, int colour, int style, double width) {
  const int n = static_cast<int>(std::min<long long>(
      {static_cast<long long>(EntryCount(Win[w])), G.CurveX.Upper(), G.CurveY.Upper()}));
  plat::Canvas& c = plat::PrinterCanvas();
  c.SetPenStyle(plat::PenStyle::Solid);
  const double q = static_cast<double>(plat::RoundHalfEven(plat::PageWidth() / 1.02));
  const double pen = width * q / 300;
  c.SetPenWidth(std::isfinite(pen) ? static_cast<int>(plat::RoundHalfEven(std::clamp(pen, 0.0, 10000.0))) : 0);
  c.SetColour(colour);
  const int size = std::isfinite(width) ? static_cast<int>(plat::RoundHalfEven(std::clamp(width, 0.0, 1000.0))) : 0;
  DrawChemicalStateMarkers(c, G.CurveX.data(), G.CurveY.data(), std::max(n, 0), style, size);
}

}  // namespace sorvan
