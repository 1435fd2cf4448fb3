// The colour-map view of a multi-spectrum window: one horizontal band per
// member (member 1 at the bottom), each point a cell coloured by its
// intensity on a ramp from the plot background to the spectrum colour, with
// a legend box of the ramp at the top right.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/model.h"
#include "core/model_codes.h"
#include "core/store.h"
#include "display/axis_math.h"
#include "display/draw_support.h"
#include "display/multi_windows.h"
#include "display/plotters.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "display/views.h"
#include "platform/text.h"

namespace sorvan {

void DrawColourMapView(int w, int colour) { PaintColourMapView(w, colour, ScreenTarget(w)); }

void PaintColourMapView(int w, int colour, const ViewTarget& t) {
  WindowRecord& win = Win[w];
  plat::Canvas& c = t.c();
  const double W = t.width, H = t.height;
  const int n = std::clamp<int>(win.MemberCount, 1, kMaxWindows);
  const double Lt = TickLengthOf(t);
  const bool outside = TicksReachOutside(t);
  const double F2 = LineHeightOn(t, kAxisTitleClass);
  const double F3 = LineHeightOn(t, kTickNumberClass);
  const double C3 = CharWidthOn(t, kTickNumberClass);

  // Layout.
  win.WindowKind = ColourMap;
  c.SetDrawMode(plat::kDrawModeCopy);
  c.SetOpaqueText(true);
  c.SetFont(ClassFont(kTickNumberClass + t.styleOffset));
  double left = 0;
  for (int k = 1; k <= n; ++k) left = std::max(left, c.TextWidth(win.MemberLabel[k]));
  if (win.ShowMemberLabels == 1) {
    left += 1.5 * F2 + C3 + (outside ? Lt : 0);
  } else {
    left = 1.75 * F2;
  }
  G.PlotLeft = LayoutPixel(left);
  ComputeMultiSpectrumEnergyRange(w);
  MakeMultiSpectrumUnitLabels(w);
  const int xTicks = TickIntervals(win.XTickCount);
  G.PlotWidth = LayoutPixel(W - c.TextWidth(G.XTickText[xTicks]) / 1.5 - G.PlotLeft);
  G.PlotRight = LayoutPixel(G.PlotLeft + G.PlotWidth);
  G.SpacingUnit = LayoutPixel(H / 180);
  G.PlotHeight = LayoutPixel(H - 1.7 * F3 - F2 - G.SpacingUnit - (outside ? Lt : 0));
  if (!t.printer) win.WindowPlotHeight = G.PlotHeight;
  G.AxisY = LayoutPixel(G.PlotHeight + G.SpacingUnit);
  const double PL = G.PlotLeft, PR = G.PlotRight, PW = G.PlotWidth, PH = G.PlotHeight;
  const double SU = G.SpacingUnit, AY = G.AxisY;

  FillBackground(t);
  c.SetOpaqueText(false);
  c.SetColour(colour);

  for (int k = 0; k <= xTicks; ++k) G.XTickPixel[k] = LayoutPixel(PL + k * PW / xTicks);
  const double bandHeight = PH / n;
  G.PixelsPerEnergy = PW / NonZero(win.MultiXSpan);
  G.FirstPointX = LayoutPixel(PL + std::fabs(win.MultiXLeft - win.MultiFirstEnergy) * G.PixelsPerEnergy);
  if (!t.printer) KeepPlotLayout(w);

  // Bands: one cell per point but the last, reaching 2 pixels into the band
  // above, which covers them.
  const int back = t.backColour;
  const int full = CurveColourOf(t, SpectrumCurve);
  const double bottom = win.MultiYBottom;
  const double range = win.MultiYTop - win.MultiYBottom;
  const long long start = win.MultiRegionStart;
  const long long N = std::llabs(static_cast<long long>(win.MultiRegionEnd) - start + 1);
  win.RegionLength = static_cast<Int16>(std::min<long long>(N, kMaxPoints));
  const long long size = std::max<long long>({static_cast<long long>(win.MultiPointCount), N, 0});
  G.CurveX.Resize(size);
  G.CurveY.Resize(size);
  WorkData.Resize(size);
  const double xStep = G.PixelsPerEnergy * win.MultiEnergyStep;
  for (long long i = 1; i <= N; ++i) G.CurveX[i] = PixelFromDouble(G.FirstPointX + xStep * double(i - 1));
  // A band's cells go to the canvas in one call.
  std::vector<plat::ColouredBox> cells(static_cast<std::size_t>(std::max<long long>(N - 1, 0)));
  for (int m = 1; m <= n; ++m) {
    for (long long i = start; i <= start + N - 1; ++i)
      if (WorkData.Contains(i)) WorkData[i] = MemberValue(m, i);
    for (long long i = 1; i <= N - 1; ++i)
      cells[static_cast<std::size_t>(i - 1)] = {
          static_cast<double>(G.CurveX[i]), AY - (m - 1) * bandHeight, G.CurveX[i + 1] - 1.0,
          AY - 2 - m * bandHeight, ColourRampColour(MemberValue(m, start + i - 1), bottom, range, back, full)};
    c.FilledBoxes(cells.data(), static_cast<int>(cells.size()));
  }

  // Frame and energy ticks.
  UseFramePen(t);
  c.Box(PL, SU - 1, PR, AY);
  for (int k = 0; k <= xTicks; ++k) {
    const double x = G.XTickPixel[k];
    DirectedTick(c, true, x, AY, Lt, -1, t.tickDirection);
    if (t.topTicks == 1) c.Line(x, SU, x, SU + Lt);
  }
  if (t.minorTicksX == 1) {
    for (int k = 0; k < xTicks; ++k) {
      const double x = G.XTickPixel[k] + PW / (2.0 * xTicks);
      DirectedTick(c, true, x, AY, Lt / 2, -1, t.tickDirection);
      if (t.topTicks == 1) c.Line(x, SU, x, SU + Lt / 2);
    }
  }

  // Member ticks at the band centres, counted from the top band.
  if (win.MemberLabelStepFixed == 0) win.MemberLabelStep = ColourMapLabelStep(n);
  const int s = std::max(1, static_cast<int>(std::lround(std::clamp(win.MemberLabelStep, 1.0, 100.0))));
  for (int i = 1; i <= n; ++i) G.YTickPixel[i] = LayoutPixel(bandHeight * i - bandHeight / 2 + SU);
  if (win.ShowMemberLabels == 1) {
    for (int i = 1; i <= n; i += s) {
      const double y = G.YTickPixel[i];
      DirectedTick(c, false, y, PL, Lt, 1, t.tickDirection);
      if (t.rightTicks == 1) DirectedTick(c, false, y, PR, Lt, -1, t.tickDirection);
    }
  }
  if (win.MultiXGridLines == 1) {
    for (int k = 1; k <= xTicks - 1; ++k) StyledLineOf(t, GridLine, G.XTickPixel[k], SU, G.XTickPixel[k], AY);
  }
  if (win.MemberGridLines == 1) {
    for (int i = 1; i <= n; i += s) StyledLineOf(t, GridLine, PL, G.YTickPixel[i], PR, G.YTickPixel[i]);
  }

  // Legend: seven boxes of the ramp from the curve colour (top) down to the
  // background colour, with the intensities of its ends and the unit.
  UseTextClass(t, kTickNumberClass);
  const double boxHeight = (H / 6 - H / 40) / 7;
  const double x0 = PR - 2 * W / 30, x1 = PR - W / 30, y0 = SU + H / 40;
  const int r0 = plat::RedOf(back), g0 = plat::GreenOf(back), b0 = plat::BlueOf(back);
  const int r1 = plat::RedOf(full), g1 = plat::GreenOf(full), b1 = plat::BlueOf(full);
  auto rgb = [](double r, double g, double b) {
    auto ch = [](double v) { return static_cast<int>(plat::RoundHalfEven(v)) & 0xFF; };
    return (ch(b) << 16) | (ch(g) << 8) | ch(r);
  };
  const int legend[7] = {rgb(r1, g1, b1), rgb(r1, g1, b0 + (b1 - b0) / 2.0), rgb(r1, g1, b0),
                         rgb(r1, g0 + (g1 - g0) / 2.0, b0), rgb(r1, g0, b0),
                         rgb(r0 + (r1 - r0) / 2.0, g0, b0), rgb(r0, g0, b0)};
  for (int j = 0; j < 7; ++j) {
    c.SetColour(legend[j]);
    c.FilledBox(x0, y0 + j * boxHeight, x1, y0 + (j + 1) * boxHeight);
  }
  MakeMultiSpectrumUnitLabels(w);
  UseTextClass(t, kTickNumberClass);
  const int yTicks = TickIntervals(win.YTickCount);
  c.Text(x0 - C3 - c.TextWidth(G.YTickText[0]), y0 - F3 / 3, G.YTickText[0]);
  c.Text(x0 - C3 - c.TextWidth(G.YTickText[yTicks]), SU + H / 6 - F3 / 2, G.YTickText[yTicks]);
  c.Text(PR - 1.5 * W / 30 - c.TextWidth(win.IntensityUnit) / 2, SU + H / 6 + F3 / 3, win.IntensityUnit);
  UseFramePen(t);
  c.Box(x0, y0, x1, SU + H / 6);

  // Member labels (the top band shows the last member), energy tick texts
  // and the titles.
  for (int k = 1; k <= n; ++k) G.YTickText[k] = win.MemberLabel[k];
  UseTextClass(t, kTickNumberClass);
  if (win.ShowMemberLabels == 1) {
    const double right = PL - C3 - (outside ? Lt : 0);
    for (int i = 1; i <= n; i += s) {
      const std::string& label = G.YTickText[n - i + 1];
      c.Text(right - c.TextWidth(label), G.YTickPixel[i] - F3 / 2.3, label);
    }
  }
  for (int k = 0; k <= xTicks; ++k) {
    const std::string& text = G.XTickText[k];
    c.Text(G.XTickPixel[k] - c.TextWidth(text) / 2, AY + 0.3 * F3 + (outside ? Lt : 0), text);
  }
  UseTextClass(t, kAxisTitleClass);
  c.Text(PL + PW / 2 - c.TextWidth(win.XAxisTitle) / 2, AY + 1.5 * F3, win.XAxisTitle);
  c.SetEscapement(900);
  c.Text(F2 / 6, SU + PH / 2 + c.TextWidth(win.MemberAxisTitle) / 2,
         win.MemberAxisTitle);
  EndView(t);
}

}  // namespace sorvan
