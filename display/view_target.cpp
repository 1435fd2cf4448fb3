// Drawing targets of the views (see view_target.h).
#include "display/view_target.h"

#include <algorithm>
#include <cmath>

#include "core/model.h"
#include "core/presetting.h"
#include "core/store.h"
#include "display/axis_math.h"
#include "display/draw_support.h"
#include "display/plotters.h"
#include "platform/printer.h"
#include "platform/surfaces.h"
#include "platform/text.h"

namespace sorvan {

OffsetCanvas::OffsetCanvas(plat::Canvas& target, double left, double top, double width, double height)
    : target_(target), left_(left), top_(top), width_(width), height_(height) {
  SetState(target.State());
}

plat::Canvas& OffsetCanvas::Sync() {
  target_.SetState(State());
  return target_;
}

std::vector<int> OffsetCanvas::Shifted(const int* values, int count, double by) const {
  std::vector<int> out(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) out[static_cast<std::size_t>(i)] = plat::PixelOf(values[i] + by);
  return out;
}

void OffsetCanvas::Line(double x1, double y1, double x2, double y2) {
  Sync().Line(x1 + left_, y1 + top_, x2 + left_, y2 + top_);
}

void OffsetCanvas::Polyline(const int* xs, const int* ys, int count) {
  const std::vector<int> x = Shifted(xs, count, left_), y = Shifted(ys, count, top_);
  Sync().Polyline(x.data(), y.data(), count);
}

void OffsetCanvas::Box(double x1, double y1, double x2, double y2) {
  Sync().Box(x1 + left_, y1 + top_, x2 + left_, y2 + top_);
}

void OffsetCanvas::FilledBox(double x1, double y1, double x2, double y2) {
  Sync().FilledBox(x1 + left_, y1 + top_, x2 + left_, y2 + top_);
}

void OffsetCanvas::FilledPolygon(const int* xs, const int* ys, int count) {
  const std::vector<int> x = Shifted(xs, count, left_), y = Shifted(ys, count, top_);
  Sync().FilledPolygon(x.data(), y.data(), count);
}

void OffsetCanvas::FilledProfile(const int* xs, const int* ys, int count, int baseline, int fillColour) {
  if (!xs || !ys || count < 2) return;
  const std::vector<int> x = Shifted(xs, count, left_), y = Shifted(ys, count, top_);
  Sync().FilledProfile(x.data(), y.data(), count, plat::PixelOf(baseline + top_), fillColour);
}

void OffsetCanvas::Circle(double centreX, double centreY, double radius) {
  Sync().Circle(centreX + left_, centreY + top_, radius);
}

void OffsetCanvas::Text(double x, double y, const std::string& text) {
  Sync().Text(x + left_, y + top_, text);
}

bool OffsetCanvas::Picture(const std::string& path, double x1, double y1, double x2, double y2) {
  return Sync().Picture(path, x1 + left_, y1 + top_, x2 + left_, y2 + top_);
}

double OffsetCanvas::TextWidth(const std::string& text) { return Sync().TextWidth(text); }
double OffsetCanvas::TextHeight(const std::string& text) { return Sync().TextHeight(text); }
double OffsetCanvas::CharWidth() { return Sync().CharWidth(); }

ViewTarget ScreenTarget(int w) {
  plat::SetDrawingWindow(w);
  ViewTarget t;
  t.canvas = &plat::Surface();
  t.width = t.canvas->Width();
  t.height = t.canvas->Height();
  t.window = w;
  t.backColour = G.PlotBackColour;
  t.tickSize = G.TickSize;
  t.tickDirection = G.TickDirection;
  t.topTicks = G.TopTicks;
  t.rightTicks = G.RightTicks;
  t.minorTicksX = G.MinorTicksX;
  t.minorTicksY = G.MinorTicksY;
  t.waterfallGuides = G.WaterfallGuides;
  return t;
}

ViewTarget PrinterTarget(int w, plat::Canvas& area) {
  ViewTarget t;
  t.canvas = &area;
  t.width = area.Width();
  t.height = area.Height();
  t.window = w;
  t.printer = true;
  t.styleOffset = 10;
  // Printed pens are as wide relative to the page as the printed curves.
  t.penScale = static_cast<double>(plat::RoundHalfEven(plat::PageWidth() / 1.02)) / 1200;
  t.backColour = G.PrintBackColour;
  t.tickSize = G.PrintTickSize;
  t.tickDirection = G.PrintTickDirection;
  t.topTicks = G.PrintTopTicks;
  t.rightTicks = G.PrintRightTicks;
  t.minorTicksX = G.PrintMinorTicksX;
  t.minorTicksY = G.PrintMinorTicksY;
  t.waterfallGuides = G.PrintWaterfallGuides;
  return t;
}

double TickLengthOf(const ViewTarget& t) {
  if (t.tickSize == 0) return t.height / 150;
  if (t.tickSize == 1) return t.height / 100;
  if (t.tickSize == 2) return t.height / 50;
  return 0;
}

bool TicksReachOutside(const ViewTarget& t) { return t.tickDirection == 1 || t.tickDirection == 2; }

int CurveColourOf(const ViewTarget& t, int kind) { return ColourOf(G.CurveColours[kind + t.styleOffset]); }
int CurveStyleOf(const ViewTarget& t, int kind) { return G.CurveStyles[kind + t.styleOffset]; }
double CurveWidthOf(const ViewTarget& t, int kind) { return G.CurveWidths[kind + t.styleOffset]; }

int PenWidthFor(const ViewTarget& t, double width) {
  const double w = width * t.penScale;
  if (!std::isfinite(w) || w <= 0) return 0;
  return static_cast<int>(plat::RoundHalfEven(std::min(w, 1000.0)));
}

void UseFramePen(const ViewTarget& t) {
  plat::Canvas& c = t.c();
  c.SetColour(ColourOf(G.LineColours[FrameLine + t.styleOffset]));
  c.SetPenStyle(plat::PenStyle::Solid);
  c.SetPenWidth(PenWidthFor(t, G.LineWidths[FrameLine + t.styleOffset]));
}

void StyledLineOf(const ViewTarget& t, int kind, double x1, double y1, double x2, double y2) {
  SetLineEnds(x1, y1, x2, y2);
  const int k = kind + t.styleOffset;
  const double style = G.LineStyles[k];
  const double width = G.LineWidths[k];
  t.c().SetColour(ColourOf(G.LineColours[k]));
  DrawLineInStyle(t.c(), G.LineX1, G.LineY1, G.LineX2, G.LineY2,
                  std::isfinite(style) ? static_cast<int>(plat::RoundHalfEven(style)) : -1,
                  PenWidthFor(t, width), width);
}

void UseTextClass(const ViewTarget& t, int textClass) { UseClassFont(t.c(), textClass + t.styleOffset); }

double LineHeightOn(const ViewTarget& t, int textClass) {
  return LineHeightOf(t.c(), textClass + t.styleOffset);
}

double CharWidthOn(const ViewTarget& t, int textClass) {
  return CharWidthOf(t.c(), textClass + t.styleOffset);
}

void FillBackground(const ViewTarget& t) {
  plat::Canvas& c = t.c();
  c.SetColour(t.backColour);
  c.FilledBox(-1, -1, t.width, t.height);
}

void EndView(const ViewTarget& t) {
  t.c().SetEscapement(0);
  t.c().SetFont(DialogFont());
}

std::int16_t LayoutPixel(double value) {
  return static_cast<std::int16_t>(std::clamp(PixelFromDouble(value), -32768, 32767));
}

double MemberValue(long long m, long long i) {
  if (m < 0 || i < 0 || m > MemberCurves.RowUpper() || i > MemberCurves.ColUpper()) return 0;
  return MemberCurves(m, i);
}

void DirectedTick(plat::Canvas& c, bool horizontalEdge, double along, double edge, double length,
                  double inward, double direction) {
  double a = edge, b = edge;
  if (direction == 0) {
    b = edge + inward * length;
  } else if (direction == 1) {
    b = edge - inward * length;
  } else if (direction == 2) {
    a = edge - inward * length;
    b = edge + inward * length;
  } else {
    return;
  }
  if (horizontalEdge) {
    c.Line(along, a, along, b);
  } else {
    c.Line(a, along, b, along);
  }
}

}  // namespace sorvan
