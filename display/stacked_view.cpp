// The stacked view of a multi-spectrum window: the members as curves one
// above the other on one energy axis and one intensity scale, member 1 at
// the bottom, with an optional trace that joins the members' maxima.
#include <algorithm>
#include <cmath>

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

namespace {

// Index of the first largest value of WorkData over first..last (the rule
// of the intensity range), skipping values that are not numbers.
long long FirstMaximum(long long first, long long last) {
  long long best = first;
  bool seen = false;
  for (long long i = std::max<long long>(first, 0); i <= std::min(last, WorkData.Upper()); ++i) {
    const double v = WorkData[i];
    if (!std::isfinite(v)) continue;
    if (!seen || v > WorkData[best]) {
      best = i;
      seen = true;
    }
  }
  return best;
}

}  // namespace

void DrawStackedView(int w, int colour) { PaintStackedView(w, colour, ScreenTarget(w)); }

void PaintStackedView(int w, int /*colour*/, const ViewTarget& t) {
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
  win.WindowKind = StackedCurves;
  c.SetFont(ClassFont(kTickNumberClass + t.styleOffset));
  c.SetDrawMode(plat::kDrawModeCopy);
  c.SetOpaqueText(true);
  double left = 0;
  for (int k = 1; k <= n; ++k) left = std::max(left, c.TextWidth(win.MemberLabel[k]));
  left = win.ShowMemberLabels == 1 ? left + 2 * F2 : 1.75 * F2;
  G.PlotLeft = LayoutPixel(left);
  G.SpacingUnit = LayoutPixel(H / 180);
  FillBackground(t);
  c.SetOpaqueText(false);
  ComputeMultiSpectrumEnergyRange(w);
  MakeMultiSpectrumUnitLabels(w);
  const int xTicks = TickIntervals(win.XTickCount);
  c.SetFont(ClassFont(kTickNumberClass + t.styleOffset));
  G.PlotWidth = LayoutPixel(W - c.TextWidth(G.XTickText[xTicks]) / 1.5 - G.PlotLeft);
  G.PlotRight = LayoutPixel(G.PlotLeft + G.PlotWidth);
  for (int k = 0; k <= xTicks; ++k) G.XTickPixel[k] = LayoutPixel(G.PlotLeft + k * double(G.PlotWidth) / xTicks);
  G.PlotHeight = LayoutPixel(H - 2 * F3 - F2 - G.SpacingUnit - (outside ? Lt : 0));
  if (!t.printer) win.WindowPlotHeight = G.PlotHeight;
  G.AxisY = LayoutPixel(0.5 * F3 + G.PlotHeight);
  const double PL = G.PlotLeft, PR = G.PlotRight, PW = G.PlotWidth, PH = G.PlotHeight;
  const double SU = G.SpacingUnit, AY = G.AxisY;
  // The last member's baseline lies 0.65 of the plot height above the first's.
  const double offset = n > 1 ? 0.65 * PH / (n - 1) : 0;
  for (int k = 1; k <= n; ++k) G.YTickText[k] = win.MemberLabel[k];
  G.PixelsPerEnergy = PW / NonZero(win.MultiXSpan);
  G.FirstPointX = LayoutPixel(PL + std::fabs(win.MultiXLeft - win.MultiFirstEnergy) * G.PixelsPerEnergy);
  // The whole intensity range takes a third of the plot height.
  G.PixelsPerIntensity = PH / NonZero(win.MultiYTop - win.MultiYBottom) / 3;
  if (!t.printer) KeepPlotLayout(w);

  // Curves, and the maximum point of each member.
  const double bottom = win.MultiYBottom;
  const long long start = win.MultiRegionStart;
  const long long N = std::llabs(static_cast<long long>(win.MultiRegionEnd) - start + 1);
  const long long pointCount = static_cast<long long>(win.MultiPointCount);
  const long long size = std::max<long long>({pointCount, start + N - 1, N, 0});
  const double xStep = G.PixelsPerEnergy * win.MultiEnergyStep;
  bool havePrevious = false;
  double previousX = 0, previousY = 0;
  for (int m = 1; m <= n; ++m) {
    G.CurveX.Resize(size);
    G.CurveY.Resize(size);
    WorkData.Resize(size);
    for (long long i = start; i <= start + N - 1; ++i)
      if (WorkData.Contains(i)) WorkData[i] = MemberValue(m, i);
    win.RegionLength = static_cast<Int16>(std::min<long long>(N, kMaxPoints));
    const double base = AY - offset * (m - 1) - 0.2 * F3;
    for (long long i = 1; i <= N; ++i) {
      G.CurveX[i] = PixelFromDouble(G.FirstPointX + xStep * double(i - 1));
      const long long p = start + i - 1;
      G.CurveY[i] = PixelFromDouble(base - G.PixelsPerIntensity * ((WorkData.Contains(p) ? WorkData[p] : 0) - bottom));
    }
    if (N >= 1) G.YTickPixel[m] = G.CurveY[1];
    const int curveWidth = PenWidthFor(t, CurveWidthOf(t, SpectrumCurve));
    c.SetColour(CurveColourOf(t, SpectrumCurve));
    DrawCurvePoints(c, G.CurveX.data(), G.CurveY.data(), static_cast<int>(std::min<long long>(N, G.CurveX.Upper())),
                    CurveStyleOf(t, SpectrumCurve), curveWidth, CurveWidthOf(t, SpectrumCurve));

    win.RegionStart = win.MultiRegionStart;
    win.RegionEnd = win.MultiRegionEnd;
    long long M = FirstMaximum(start, start + N - 1);
    if (win.YRangeFixed != 1) {
      ComputeIntensityRange(w);
      M = win.MaxIndex;
    }
    if (M > 5 && M < pointCount - 5 && M + 5 <= WorkData.Upper()) {
      win.IntensityMax = 0;
      long long P = M;
      for (int shift = -3; shift <= 3; ++shift) {
        double sum = 0;
        for (long long j = M + shift - 2; j <= M + shift + 2; ++j) sum += WorkData[j];
        const double mean = sum / 5;
        if (mean > win.IntensityMax) {
          P = M + shift;
          win.IntensityMax = mean;
        }
      }
      const double x = PixelFromDouble(G.FirstPointX + xStep * double(P - start));
      const double y = base - G.PixelsPerIntensity * (WorkData[P] - bottom);
      if (win.ShowMaximumTrace == 1 && havePrevious)
        StyledLineOf(t, StackedViewLine, previousX, previousY, x, std::round(y));
      havePrevious = true;
      previousX = x;
      previousY = std::round(y);
    }
  }

  // Energy ticks (minor ticks always), frame and grid.
  UseFramePen(t);
  for (int k = 0; k <= xTicks; ++k) {
    const double x = G.XTickPixel[k];
    DirectedTick(c, true, x, AY, Lt, -1, t.tickDirection);
    if (t.topTicks == 1) c.Line(x, SU, x, SU + Lt);
  }
  for (int k = 0; k < xTicks; ++k) {
    const double x = G.XTickPixel[k] + PW / (2.0 * xTicks);
    DirectedTick(c, true, x, AY, Lt / 2, -1, t.tickDirection);
    if (t.topTicks == 1) c.Line(x, SU, x, SU + Lt / 2);
  }
  c.Box(PL, SU, PR, AY);
  if (win.MultiXGridLines == 1) {
    for (int k = 1; k <= xTicks - 1; ++k) StyledLineOf(t, GridLine, G.XTickPixel[k], SU, G.XTickPixel[k], AY);
  }

  // Texts.
  const double lowered = t.tickDirection != 0 ? Lt : 0;
  UseTextClass(t, kTickNumberClass);
  for (int k = 0; k <= xTicks; ++k) {
    const std::string& text = G.XTickText[k];
    c.Text(G.XTickPixel[k] - c.TextWidth(text) / 2, AY + 0.3 * F3 + lowered, text);
  }
  UseTextClass(t, kAxisTitleClass);
  c.Text(PL + PW / 2 - c.TextWidth(win.XAxisTitle) / 2, AY + 1.5 * F3 + lowered, win.XAxisTitle);
  UseTextClass(t, kTickNumberClass);
  if (win.MemberLabelStepFixed == 0) win.MemberLabelStep = StackedLabelStep(n);
  const int s = std::max(1, static_cast<int>(std::lround(std::clamp(win.MemberLabelStep, 1.0, 100.0))));
  if (win.ShowMemberLabels == 1) {
    for (int i = 1; i <= n; i += s) {
      const int j = n - i + 1;
      const std::string& label = G.YTickText[j];
      c.Text(PL - C3 - c.TextWidth(label), G.YTickPixel[j] - F3 / 2.3, label);
    }
  }
  UseTextClass(t, kAxisTitleClass);
  c.SetEscapement(900);
  c.Text(F2 / 6, SU + PH / 2 + c.TextWidth(win.MemberAxisTitle) / 2, win.MemberAxisTitle);
  EndView(t);
}

}  // namespace sorvan
