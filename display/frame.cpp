// Frame, layout and axes of a single-spectrum window (see frame.h).
#include "display/frame.h"
#include "display/view_target.h"

#include <algorithm>
#include <cmath>

#include "core/model.h"
#include "core/presetting.h"
#include "core/store.h"
#include "display/axis_math.h"
#include "display/curves.h"
#include "display/draw_support.h"
#include "display/labels_text.h"
#include "display/plotters.h"
#include "display/ranges.h"
#include "display/run_redraws.h"
#include "platform/canvas.h"
#include "platform/surfaces.h"
#include "platform/text.h"

namespace sorvan {

namespace {

void FramePen(plat::Canvas& c) {
  c.SetColour(ColourOf(G.LineColours[FrameLine]));
  c.SetPenStyle(plat::PenStyle::Solid);
  const double width = G.LineWidths[FrameLine];
  c.SetPenWidth(std::isfinite(width) && width > 0
                    ? static_cast<int>(plat::RoundHalfEven(std::min(width, 100.0)))
                    : 0);
}

}  // namespace

void LayOutSingleSpectrum(int w) {
  WindowRecord& win = Win[w];
  plat::SetDrawingWindow(w);
  plat::Canvas& c = plat::Surface();
  const double W = c.Width();
  const double H = c.Height();
  const int direction = static_cast<int>(G.TickDirection);
  const double outside = (direction == 1 || direction == 2) ? TickLength(G.TickSize, H) : 0;
  G.SpacingUnit = Pixel16(H / 180);
  const double F2 = LineHeightOf(c, kAxisTitleClass);
  const double F3 = LineHeightOf(c, kTickNumberClass);
  const double C3 = CharWidthOf(c, kTickNumberClass);
  G.LayoutHeight = Pixel16(win.HasFit == 1 ? 2 * F3 + H / 6 : 2.5 * F3);
  c.SetFont(ClassFont(kTickNumberClass));
  MakeUnitAndTickLabels(w);
  const int xTicks = TickIntervals(win.XTickCount);
  const int yTicks = TickIntervals(win.YTickCount);
  double left = 0;
  for (int t = 0; t <= yTicks; ++t) left = std::max(left, c.TextWidth(G.YTickText[t]));
  left = win.ShowYScale == 1 ? left + 1.5 * F2 + C3 + outside : 1.75 * F2;
  G.PlotLeft = Pixel16(left);
  G.PlotWidth = Pixel16(std::max(1.0, W - c.TextWidth(G.XTickText[xTicks]) / 1.5 - G.PlotLeft));
  G.PlotRight = Pixel16(G.PlotLeft + G.PlotWidth);
  G.PlotHeight = Pixel16(std::max(1.0, H - G.LayoutHeight - F2 - G.SpacingUnit - outside));
  G.AxisY = Pixel16(F3 + G.PlotHeight);
  G.PixelsPerEnergy = G.PlotWidth / NonZero(win.XAxisSpan);
  G.PixelsPerIntensity = G.PlotHeight / NonZero(win.YAxisTop - win.YAxisBottom);
  G.FirstPointX = G.PlotLeft + std::fabs(win.XAxisLeft - win.FirstEnergy) * G.PixelsPerEnergy;
}

void DrawFrameAndAxes(int w, int frameColour) {
  WindowRecord& win = Win[w];
  plat::SetDrawingWindow(w);
  // The background below covers the whole window: a long run may hold this
  // picture back.
  BeginWholeRedraw(w);
  plat::Canvas& c = plat::Surface();
  const double W = c.Width();
  const double H = c.Height();
  const double T = TickLength(G.TickSize, H);
  const int direction = static_cast<int>(G.TickDirection);
  const double outside = (direction == 1 || direction == 2) ? T : 0;

  // Background.
  c.SetDrawMode(plat::kDrawModeCopy);
  c.SetOpaqueText(true);
  c.SetColour(G.PlotBackColour);
  c.FilledBox(-1, -1, W, H);
  c.SetOpaqueText(false);
  c.SetColour(frameColour);

  LayOutSingleSpectrum(w);
  const double F2 = LineHeightOf(c, kAxisTitleClass);
  const double F3 = LineHeightOf(c, kTickNumberClass);
  const double C3 = CharWidthOf(c, kTickNumberClass);
  const double spacing = G.SpacingUnit;
  const int xTicks = TickIntervals(win.XTickCount);
  const int yTicks = TickIntervals(win.YTickCount);
  win.WindowPlotHeight = G.PlotHeight;
  KeepPlotLayout(w);
  const double axisY = G.AxisY;
  for (int t = 0; t <= xTicks; ++t) G.XTickPixel[t] = G.PlotLeft + t * double(G.PlotWidth) / xTicks;
  for (int t = 0; t <= yTicks; ++t) G.YTickPixel[t] = t * double(G.PlotHeight) / yTicks + F3 / 2;

  if (G.Redrawing == 1) {
    PlotSpectrum(w, ColourOf(G.CurveColours[SpectrumCurve]), G.CurveStyles[SpectrumCurve],
                 G.CurveWidths[SpectrumCurve]);
    if (win.BackgroundState == BackgroundDefined || win.BackgroundState == BackgroundPreview ||
        win.BackgroundState == BackgroundFitted) {
      DrawBackgroundCurve(w);
    }
    if (win.HasFit != 0) {
      for (int p = 1; p <= win.PeakCount; ++p) {
        LoadComponent(w, p, win.RegionStart, win.RegionEnd);
        PlotComputedCurve(w, ColourOf(G.CurveColours[PeakCurve]), G.CurveStyles[PeakCurve],
                          G.CurveWidths[PeakCurve]);
      }
      LoadComponent(w, win.PeakCount + 1, win.RegionStart, win.RegionEnd);
      PlotComputedCurve(w, ColourOf(G.CurveColours[SumCurve]), G.CurveStyles[SumCurve],
                        G.CurveWidths[SumCurve]);
    }
    plat::SetDrawingWindow(w);
    // Curve parts below the energy axis and above the frame are covered again.
    c.SetOpaqueText(true);
    c.SetColour(G.PlotBackColour);
    c.FilledBox(-1, axisY, W, H);
    c.FilledBox(-1, -1, W, spacing);
    c.SetOpaqueText(false);
  }

  const double plotLeft = G.PlotLeft, plotRight = G.PlotRight;
  FramePen(c);
  // Energy ticks, with their repeat on the top edge.
  for (int t = 0; t <= xTicks; ++t) {
    const double x = G.XTickPixel[t];
    DirectedTick(c, true, x, axisY, T, -1, direction);
    if (G.TopTicks == 1) c.Line(x, spacing, x, spacing + T);
  }
  if (G.MinorTicksX == 1) {
    for (int t = 0; t < xTicks; ++t) {
      const double x = G.XTickPixel[t] + G.PlotWidth / (2.0 * xTicks);
      DirectedTick(c, true, x, axisY, T / 2, -1, direction);
      if (G.TopTicks == 1) c.Line(x, spacing, x, spacing + T / 2);
    }
  }
  if (win.ShowYScale == 1) {
    for (int t = 0; t <= yTicks; ++t) {
      const double y = G.YTickPixel[t];
      DirectedTick(c, false, y, plotLeft, T, 1, direction);
      if (G.RightTicks == 1) DirectedTick(c, false, y, plotRight, T, -1, direction);
    }
    if (G.MinorTicksY == 1) {
      for (int t = 1; t <= yTicks; ++t) {
        const double y = G.YTickPixel[t] - G.PlotHeight / (2.0 * yTicks);
        DirectedTick(c, false, y, plotLeft, T / 2, 1, direction);
        if (G.RightTicks == 1) DirectedTick(c, false, y, plotRight, T / 2, -1, direction);
      }
    }
  }

  // Grid lines.
  if (win.YGridLines == 1) {
    for (int t = 0; t <= yTicks; ++t) {
      SetLineEnds(plotLeft, G.YTickPixel[t], plotRight, G.YTickPixel[t]);
      DrawStyledLineOfKind(w, GridLine);
    }
  }
  if (win.XGridLines == 1) {
    for (int t = 1; t <= xTicks - 1; ++t) {
      SetLineEnds(G.XTickPixel[t], spacing, G.XTickPixel[t], axisY);
      DrawStyledLineOfKind(w, GridLine);
    }
  }

  // Residual strip of a fitted window.
  if (win.HasFit == 1) {
    UseClassFont(c, kAxisTitleClass);
    G.ResidualTop = Pixel16(axisY + 2 * F3 + F2 + H / 180 + outside);
    G.ResidualBottom = Pixel16(H - H / 180);
    const double h = std::fabs(double(G.ResidualTop) - G.ResidualBottom);
    const double m = std::max(std::fabs(win.ResidualMin), std::fabs(win.ResidualMax));
    // Residuals all zero: one pixel per unit keeps the strip flat.
    G.ResidualScale = (m > 0 && std::isfinite(m)) ? h / m / 2 : 1;
    const double middle = G.ResidualBottom - h / 2;
    FramePen(c);
    c.Box(plotLeft, G.ResidualTop, plotRight, G.ResidualBottom);
    if (win.ShowYScale == 1 && 0.3 * F3 < G.ResidualScale) {
      for (double y : {middle - G.ResidualScale, middle + G.ResidualScale}) {
        DirectedTick(c, false, y, plotLeft, T, 1, direction);
        if (G.RightTicks == 1) DirectedTick(c, false, y, plotRight, T, -1, direction);
      }
    }
    const double centre = (double(G.ResidualTop) + G.ResidualBottom) / 2;
    SetLineEnds(plotLeft, centre, plotRight, centre);
    DrawStyledLineOfKind(w, ZeroLine);
    UseClassFont(c, kAxisTitleClass);
    c.SetEscapement(900);
    c.Text(F2 / 6, centre + c.TextWidth(win.ResidualTitle) / 2, win.ResidualTitle);
    c.SetEscapement(0);
  }

  // Plot frame.
  FramePen(c);
  c.Box(plotLeft, spacing, plotRight, axisY);

  // Tick labels.
  UseClassFont(c, kTickNumberClass);
  for (int t = 0; t <= yTicks; ++t) {
    const std::string& text = G.YTickText[t];
    c.Text(plotLeft - C3 - c.TextWidth(text) - outside, G.YTickPixel[t] - F3 / 2.3, text);
  }
  for (int t = 0; t <= xTicks; ++t) {
    const std::string& text = G.XTickText[t];
    c.Text(G.XTickPixel[t] - c.TextWidth(text) / 2, axisY + 0.3 * F3 + outside, text);
  }

  // Axis titles, the intensity title running upward.
  UseClassFont(c, kAxisTitleClass);
  c.Text(plotLeft + G.PlotWidth / 2.0 - c.TextWidth(win.XAxisTitle) / 2, axisY + 1.5 * F3 + outside,
         win.XAxisTitle);
  c.SetEscapement(900);
  c.Text(F2 / 6, F2 / 2 + win.WindowPlotHeight / 2.0 + c.TextWidth(win.YAxisTitle) / 2,
         win.YAxisTitle);
  c.SetEscapement(0);

  c.SetFont(DialogFont());
}

}  // namespace sorvan
