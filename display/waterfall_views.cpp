// The two waterfall views of a multi-spectrum window: the members stand one
// behind the other in a pseudo-three-dimensional box, each a filled profile
// on its own baseline, the front member drawn last. The waterfall's depth
// axis runs back to the right with the intensity scale at the right; the
// mirrored waterfall is its mirror image.
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

namespace {

// Tick shapes of the energy axis by tick size: f for the ticks and texts,
// fm for the minor ticks.
double TickFraction(double tickSize) {
  if (tickSize == 0) return 0.015;
  if (tickSize == 1) return 0.02;
  if (tickSize == 2) return 0.025;
  return 0;
}
double MinorTickFraction(double tickSize) {
  if (tickSize == 0) return 0.007;
  if (tickSize == 1) return 0.01;
  if (tickSize == 2) return 0.012;
  return 0;
}

// The background colour with `add` added to each channel, low 8 bits kept.
int Brightened(int colour, int add) {
  return (((plat::BlueOf(colour) + add) & 0xFF) << 16) | (((plat::GreenOf(colour) + add) & 0xFF) << 8) |
         ((plat::RedOf(colour) + add) & 0xFF);
}

void Quad(plat::Canvas& c, double x1, double y1, double x2, double y2, double x3, double y3, double x4,
          double y4) {
  const int xs[4] = {PixelFromDouble(x1), PixelFromDouble(x2), PixelFromDouble(x3), PixelFromDouble(x4)};
  const int ys[4] = {PixelFromDouble(y1), PixelFromDouble(y2), PixelFromDouble(y3), PixelFromDouble(y4)};
  c.FilledPolygon(xs, ys, 4);
}

// The whole number a whole pixel moves by when it is moved by `d` and
// rounded (half to even): false when that depends on the pixel, i.e. when d
// is (close to) a whole number and a half, or out of range.
bool WholeShift(double d, int& shift) {
  if (!std::isfinite(d) || std::fabs(d) > 1.0e5) return false;
  if (std::fabs(d - std::floor(d) - 0.5) < 1.0e-6) return false;
  shift = static_cast<int>(std::rint(d));
  return true;
}

// A whole pixel kept within the range PixelFromDouble clamps to.
int ClampedPixel(long long pixel) {
  constexpr auto kLimit = static_cast<long long>(kPixelLimit);
  return static_cast<int>(std::clamp<long long>(pixel, -kLimit, kLimit));
}

}  // namespace

void DrawWaterfallView(int w, int colour) { PaintWaterfallView(w, colour, ScreenTarget(w), false); }

void DrawMirroredWaterfallView(int w, int colour) { PaintWaterfallView(w, colour, ScreenTarget(w), true); }

void PaintWaterfallView(int w, int colour, const ViewTarget& t, bool mirrored) {
  WindowRecord& win = Win[w];
  plat::Canvas& c = t.c();
  const double W = t.width, H = t.height;
  const int n = std::clamp<int>(win.MemberCount, 1, kMaxWindows);
  const double Lt = TickLengthOf(t);
  const double F2 = LineHeightOn(t, kAxisTitleClass);
  const double F3 = LineHeightOn(t, kTickNumberClass);
  const double C2 = CharWidthOn(t, kAxisTitleClass);
  const double C3 = CharWidthOn(t, kTickNumberClass);
  const double f = TickFraction(t.tickSize);
  const double fm = MinorTickFraction(t.tickSize);
  const bool scale = win.ShowYScale == 1;
  const bool labels = win.ShowMemberLabels == 1;

  // Layout.
  win.WindowKind = mirrored ? MirroredWaterfall : Waterfall;
  c.SetFont(ClassFont(kTickNumberClass + t.styleOffset));
  c.SetDrawMode(plat::kDrawModeCopy);
  c.SetOpaqueText(true);
  ComputeMultiSpectrumEnergyRange(w);
  MakeMultiSpectrumUnitLabels(w);
  const int xTicks = TickIntervals(win.XTickCount);
  const int yTicks = TickIntervals(win.YTickCount);
  double yMax = 0;
  for (int k = 0; k <= yTicks; ++k) yMax = std::max(yMax, c.TextWidth(G.YTickText[k]));
  if (!mirrored) {
    G.PlotLeft = LayoutPixel(c.TextWidth(G.XTickText[0]) + C3);
  } else {
    G.PlotLeft = LayoutPixel(scale ? yMax + Lt + 1.5 * F2 + C3 : 1.75 * F2);
  }
  G.SpacingUnit = LayoutPixel(F3);
  FillBackground(t);
  c.SetOpaqueText(false);
  c.SetColour(colour);
  const int back = t.backColour;
  if (!mirrored) {
    G.PlotWidth = LayoutPixel(scale ? W - G.PlotLeft - Lt - yMax - 2 * F2 : W - G.PlotLeft - 1.75 * F2);
  } else {
    G.PlotWidth = LayoutPixel(W - G.PlotLeft - c.TextWidth(G.XTickText[xTicks]) - 2 * C3);
    c.SetPenStyle(plat::PenStyle::Solid);
    c.SetPenWidth(1);
  }
  G.PlotRight = LayoutPixel(G.PlotLeft + G.PlotWidth);
  const double PL = G.PlotLeft, PR = G.PlotRight, PW = G.PlotWidth;
  const double axisStart = mirrored ? PL + PW / 3 : PL;
  for (int k = 0; k <= xTicks; ++k) G.XTickPixel[k] = LayoutPixel(axisStart + k * (2 * PW / 3) / xTicks);
  G.PlotHeight = LayoutPixel(H - 2 * F3 - F2 - G.SpacingUnit - Lt);
  if (!t.printer) win.WindowPlotHeight = G.PlotHeight;
  G.AxisY = LayoutPixel(G.SpacingUnit + G.PlotHeight);
  const double PH = G.PlotHeight, SU = G.SpacingUnit, AY = G.AxisY;
  for (int k = 1; k <= n; ++k) G.YTickText[k] = win.MemberLabel[k];
  G.PixelsPerEnergy = (2 * PW / 3) / NonZero(win.MultiXSpan);
  G.FirstPointX = LayoutPixel(PL + std::fabs(win.MultiXLeft - win.MultiFirstEnergy) * G.PixelsPerEnergy);
  // The whole intensity range takes half the plot height.
  G.PixelsPerIntensity = PH / NonZero(win.MultiYTop - win.MultiYBottom) / 2;
  if (!t.printer) KeepPlotLayout(w);
  const double dx = (PW / 3) / (n + 1), dy = (PH / 2) / (n + 1);
  // Direction of the depth axis across the page: +1 back to the right.
  const double side = mirrored ? -1 : 1;

  // The box: side wall, back wall and floor.
  int wallColours[3] = {Brightened(back, 100), Brightened(back, 140), Brightened(back, 180)};
  if (t.printer) wallColours[0] = 100 << 16, wallColours[1] = 150 << 16, wallColours[2] = 50 << 16;
  c.SetColour(wallColours[0]);
  if (!mirrored) {
    Quad(c, PL, AY, PL, AY - PH / 2, PL + PW / 3, SU, PL + PW / 3, SU + PH / 2);
  } else {
    Quad(c, PR, AY, PR, AY - PH / 2, PR - PW / 3, SU, PR - PW / 3, SU + PH / 2);
  }
  c.SetColour(wallColours[1]);
  if (!mirrored) {
    Quad(c, PL + PW / 3, SU, PR, SU, PR, SU + PH / 2, PL + PW / 3, SU + PH / 2);
  } else {
    Quad(c, PR - PW / 3, SU, PR - PW / 3, SU + PH / 2, PL, SU + PH / 2, PL, SU);
  }
  c.SetColour(wallColours[2]);
  if (!mirrored) {
    Quad(c, PR, SU + PH / 2, PL + 2 * PW / 3, AY, PL, AY, PL + PW / 3, SU + PH / 2);
  } else {
    Quad(c, PL, SU + PH / 2, PL + 2 * PW / 3, SU + PH / 2, PR, AY, PR - 2 * PW / 3, AY);
  }

  if (win.MemberLabelStepFixed == 0) win.MemberLabelStep = StackedLabelStep(n);
  const double s = std::max(1.0, std::round(std::clamp(win.MemberLabelStep, 1.0, 100.0)));

  // Grid lines.
  if (win.MultiXGridLines == 1) {
    for (int k = 1; k <= xTicks - 1; ++k) {
      const double x = G.XTickPixel[k];
      StyledLineOf(t, GridLine, x + side * PW / 3, SU, x + side * PW / 3, SU + PH / 2);
      if (!mirrored) {
        StyledLineOf(t, GridLine, x, AY, x + PW / 3, SU + PH / 2);
      } else {
        StyledLineOf(t, GridLine, x, AY, x - PW / 3, AY - PH / 2);
      }
    }
  }
  if (win.MultiYGridLines == 1) {
    for (int k = 1; k <= yTicks - 1; ++k) {
      const double y = SU + k * (PH / 2) / yTicks;
      if (!mirrored) {
        StyledLineOf(t, GridLine, PL + PW / 3, y, PR, y);
        StyledLineOf(t, GridLine, PL + PW / 3, y, PL, y + PH / 2);
      } else {
        StyledLineOf(t, GridLine, PL, y, PL + 2 * PW / 3, y);
        StyledLineOf(t, GridLine, PL + 2 * PW / 3, y, PR, y + PH / 2);
      }
    }
  }
  if (win.MemberGridLines == 1) {
    for (double k = 0; k <= n - 1; k += s) {
      const double x = mirrored ? PR - dx - k * dx : PL + dx + k * dx;
      const double y = AY - dy - k * dy;
      StyledLineOf(t, GridLine, x, y, x, y - PH / 2);
      StyledLineOf(t, GridLine, x, y, x + side * 2 * PW / 3, y);
    }
  }

  // Box edges.
  UseFramePen(t);
  if (!mirrored) {
    c.Line(PL, AY, PL, AY - PH / 2);
    c.Line(PL, AY, PL + 2 * PW / 3, AY);
    c.Line(PL, AY - PH / 2, PL + PW / 3, SU);
    c.Line(PL, AY, PL + PW / 3, SU + PH / 2);
    c.Line(PL + PW / 3, SU, PL + PW / 3, SU + PH / 2);
    c.Line(PL + 2 * PW / 3, AY, PR, SU + PH / 2);
    c.Line(PR, SU + PH / 2, PR, SU);
    c.Line(PR, SU, PL + PW / 3, SU);
    c.Line(PR, SU + PH / 2, PL + PW / 3, SU + PH / 2);
  } else {
    c.Line(PL, SU, PL, SU + PH / 2);
    c.Line(PL + PW / 3, AY, PR, AY);
    c.Line(PL + 2 * PW / 3, SU, PR, SU + PH / 2);
    c.Line(PL + PW / 3, AY, PL, SU + PH / 2);
    c.Line(PL, SU, PL + 2 * PW / 3, SU);
    c.Line(PL, SU + PH / 2, PL + 2 * PW / 3, SU + PH / 2);
    c.Line(PL + 2 * PW / 3, SU, PL + 2 * PW / 3, SU + PH / 2);
    c.Line(PR, SU + PH / 2, PR, AY);
    c.Line(PR, AY, PL + 2 * PW / 3, AY - PH / 2);
  }

  // Ticks: energy ticks slant forward along the depth axis.
  for (int k = 0; k <= xTicks; ++k) {
    const double x = G.XTickPixel[k];
    c.Line(x, AY, x - side * f * PW / 3, AY + f * PH / 2);
  }
  if (t.minorTicksX == 1) {
    if (!mirrored) {
      const double half = (G.XTickPixel[1] - PL) / 2;
      for (int k = 0; k <= xTicks - 1; ++k) {
        const double x = G.XTickPixel[k] + half;
        c.Line(x, AY, x - fm * PW / 3, AY + fm * PH / 2);
      }
    } else {
      const double half = xTicks >= 2 ? (G.XTickPixel[1] - G.XTickPixel[2]) / 2
                                      : (G.XTickPixel[0] - G.XTickPixel[1]) / 2;
      for (int k = 1; k <= xTicks; ++k) {
        const double x = G.XTickPixel[k] + half;
        c.Line(x, AY, x + fm * PW / 3, AY + fm * PH / 2);
      }
    }
  }
  if (scale) {
    for (int k = 0; k <= yTicks; ++k) {
      const double y = SU + k * (PH / 2) / yTicks;
      if (!mirrored) {
        c.Line(PR - 1, y, PR + Lt, y);
      } else {
        c.Line(PL + 1, y, PL - Lt, y);
      }
    }
    if (t.minorTicksY == 1) {
      for (int k = 0; k <= yTicks - 1; ++k) {
        const double y = SU + k * (PH / 2) / yTicks + (PH / 4) / yTicks;
        if (!mirrored) {
          c.Line(PR - 1, y, PR + Lt / 2, y);
        } else {
          c.Line(PL, y, PL - Lt / 2, y);
        }
      }
    }
  }
  // Member ticks at the right (left) end of the labelled members' baselines,
  // and guide ticks halfway to the next labelled member.
  auto memberTickX = [&](double k) {
    return mirrored ? PL - dx + PW / 3 - k * dx : PL + dx + 2 * PW / 3 + k * dx;
  };
  if (labels) {
    for (double k = 0; k <= n - 1; k += s) {
      const double x = memberTickX(k), y = AY - dy - k * dy + 1;
      c.Line(x, y, x + side * Lt, y);
      if (t.waterfallGuides == 1) {
        const double g = k + s / 2;
        const double gx = memberTickX(g), gy = AY - dy - g * dy + 1;
        c.Line(gx, gy, gx + side * Lt / 2, gy);
      }
    }
  }

  // Texts: member labels, tick numbers and the energy title.
  UseTextClass(t, kTickNumberClass);
  double labelWidth = c.TextWidth(G.YTickText[0]);
  if (labels) {
    for (double k = 0; k <= n - 1; k += s) {
      const std::string& label = G.YTickText[static_cast<int>(k) + 1];
      const double width = c.TextWidth(label);
      labelWidth = std::max(labelWidth, width);
      if (!mirrored) {
        c.Text(PL + dx + 2 * PW / 3 + C3 + Lt + k * dx, AY - dy - F3 / 2.3 - k * dy + 1, label);
      } else {
        c.Text(PL - Lt - dx + PW / 3 - 1.5 * C3 - k * dx - width, AY - dy - k * dy + 1 - F3 / 2, label);
      }
    }
  }
  MakeMultiSpectrumUnitLabels(w);
  for (int k = 0; k <= xTicks; ++k) {
    const std::string& text = G.XTickText[k];
    c.Text(G.XTickPixel[k] - side * f * PW - c.TextWidth(text) / 2, AY + f * PH, text);
  }
  if (scale) {
    for (int k = 0; k <= yTicks; ++k) {
      const std::string& text = G.YTickText[k];
      const double y = k * (PH / 2) / yTicks;
      if (!mirrored) {
        c.Text(PR + Lt + 0.8 * C3, SU - F3 / 2 + y, text);
      } else {
        c.Text(PL - Lt - C3 - c.TextWidth(text), SU - F3 / 2.3 + y, text);
      }
    }
  }
  UseTextClass(t, kAxisTitleClass);
  const double titleCentre = mirrored ? PL + 2 * C3 + 2 * PW / 3 : PL - 2 * C2 + PW / 3;
  c.Text(titleCentre - c.TextWidth(win.XAxisTitle) / 2, AY + f * PH + 1.5 * F3, win.XAxisTitle);

  // Members, back to front: each profile is filled down to the member's
  // baseline and outlined in one canvas call from one point array, so that
  // a long series costs little more than its outlines. The work curve and
  // the point arrays are sized once; every member writes the same points.
  const double bottom = win.MultiYBottom;
  const long long start = win.MultiRegionStart;
  const long long N = std::llabs(static_cast<long long>(win.MultiRegionEnd) - start + 1);
  const long long size = std::max<long long>({static_cast<long long>(win.MultiPointCount), start + N - 1, N, 0});
  const double xStep = G.PixelsPerEnergy * win.MultiEnergyStep;
  const int fill = CurveColourOf(t, WaterfallFill);
  const int outline = CurveColourOf(t, SpectrumCurve);
  const int outlineWidth = PenWidthFor(t, CurveWidthOf(t, SpectrumCurve));
  G.CurveX.Resize(size);
  G.CurveY.Resize(size);
  WorkData.Resize(size);
  win.RegionLength = static_cast<Int16>(std::min<long long>(N, kMaxPoints));
  const long long last = std::min<long long>(N, G.CurveX.Upper());
  const std::size_t points = static_cast<std::size_t>(std::max<long long>(last, 0));
  std::vector<int> xs(points), ys(points);
  c.SetColour(outline);
  c.SetPenStyle(plat::PenStyle::Solid);
  c.SetPenWidth(outlineWidth);
  int shiftX = 0, shiftY = 0;
  const bool wholeShift = WholeShift(dx, shiftX) && WholeShift(dy, shiftY);
  // The values are read a block of members at a time: the members' values
  // of one point lie side by side, so a block costs one pass over the
  // series, not one a member.
  constexpr int kBlock = 8;
  std::vector<double> values(static_cast<std::size_t>(kBlock) * points);
  for (int top = n; top >= 1; top -= kBlock) {
    const int low = std::max(1, top - kBlock + 1);
    for (long long i = 1; i <= last; ++i) {
      const long long p = start + i - 1;
      const double* column = WorkData.Contains(p) ? MemberCurves.ColumnData(p) : nullptr;
      for (int m = top; m >= low; --m)
        values[static_cast<std::size_t>(top - m) * points + static_cast<std::size_t>(i - 1)] =
            column && m <= MemberCurves.RowUpper() ? column[m] : 0;
    }
    for (int m = top; m >= low; --m) {
      const double depthX = mirrored ? (n - m) * dx : (m - 1) * dx;
      const double memberY = AY - (m - 1) * dy;
      const double* value = values.data() + static_cast<std::size_t>(top - m) * points;
      // Each point on the member's own axes (the work curve), then moved one
      // depth step back and up to where it is drawn.
      for (long long i = 1; i <= last; ++i) {
        const int x = PixelFromDouble(depthX + G.FirstPointX + xStep * double(i - 1));
        const int y = PixelFromDouble(memberY - G.PixelsPerIntensity * (value[i - 1] - bottom));
        G.CurveX[i] = x;
        G.CurveY[i] = y;
        const std::size_t k = static_cast<std::size_t>(i - 1);
        xs[k] = wholeShift ? ClampedPixel(x + shiftX) : PixelFromDouble(x + dx);
        ys[k] = wholeShift ? ClampedPixel(y - shiftY) : PixelFromDouble(y - dy);
      }
      if (last < 2) continue;
      c.FilledProfile(xs.data(), ys.data(), static_cast<int>(points), PixelFromDouble(AY - m * dy), fill);
    }
  }
  // The work data is left holding the front member, drawn last.
  for (long long i = start; i <= start + N - 1; ++i)
    if (WorkData.Contains(i)) WorkData[i] = MemberValue(1, i);
  // The profiles cover the front floor edge; it is drawn again.
  UseFramePen(t);
  if (!mirrored) {
    c.Line(PL + 2 * PW / 3, AY, PR, SU + PH / 2);
  } else {
    c.Line(PL + PW / 3, AY, PL, SU + PH / 2);
  }

  // Titles: the member axis slanted along the depth axis, the intensity
  // title upright beside the back wall.
  UseTextClass(t, kAxisTitleClass);
  const double depthAngle = std::asin((PH / 2) / NonZero(std::sqrt((PW / 3) * (PW / 3) + (PH / 2) * (PH / 2))));
  const int escapement = static_cast<int>(plat::RoundHalfEven(depthAngle * 572.958));
  c.SetEscapement(mirrored ? -escapement : escapement);
  const double titleWidth = c.TextWidth(win.MemberAxisTitle);
  double cx = 0;
  if (!mirrored) {
    cx = PL + 2 * PW / 3 + PW / 6 + (labels ? Lt + labelWidth + 3 * C3 : 3 * C3);
  } else {
    cx = PL + PW / 6 - (labels ? Lt + labelWidth + 4 * C3 : 3 * C3);
  }
  const double cy = SU + 3 * PH / 4;
  const double sx = cx - std::cos(depthAngle) * titleWidth / 2;
  const double sy = mirrored ? cy - std::sin(depthAngle) * titleWidth / 2 : cy + std::sin(depthAngle) * titleWidth / 2;
  c.Text(sx, sy, win.MemberAxisTitle);
  c.SetEscapement(900);
  const double titleX = mirrored ? F2 / 6 : W - F2 / 6 - F2;
  c.Text(titleX, SU + PH / 4 + c.TextWidth(win.MultiYTitle) / 2, win.MultiYTitle);
  EndView(t);
}

}  // namespace sorvan
