// Where the multi-spectrum views and the chemical-state plot draw: a spectrum
// window on the screen, or a rectangle of the printer page. The target
// carries the surface, the size of the drawing area and the style settings
// of that surface (the printer uses the style entries of kind + 10, its own
// background colour and tick options, and scales pen widths to its pixels).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace sorvan {

// A canvas that draws into the rectangle of another canvas whose top-left
// corner is (left, top) and whose size is width x height: a painter that
// lays itself out in a drawing area of its own can draw on part of a page.
class OffsetCanvas : public plat::Canvas {
 public:
  OffsetCanvas(plat::Canvas& target, double left, double top, double width, double height);

  void Line(double x1, double y1, double x2, double y2) override;
  void Polyline(const int* xs, const int* ys, int count) override;
  void Box(double x1, double y1, double x2, double y2) override;
  void FilledBox(double x1, double y1, double x2, double y2) override;
  void FilledPolygon(const int* xs, const int* ys, int count) override;
  void FilledProfile(const int* xs, const int* ys, int count, int baseline, int fillColour) override;
  void Circle(double centreX, double centreY, double radius) override;
  void Text(double x, double y, const std::string& text) override;
  bool Picture(const std::string& path, double x1, double y1, double x2, double y2) override;
  double TextWidth(const std::string& text) override;
  double TextHeight(const std::string& text) override;
  double CharWidth() override;
  double Width() override { return width_; }
  double Height() override { return height_; }
  void Flush() override { target_.Flush(); }

 private:
  // The target takes this canvas's state before each primitive.
  plat::Canvas& Sync();
  std::vector<int> Shifted(const int* values, int count, double by) const;

  plat::Canvas& target_;
  double left_, top_, width_, height_;
};

struct ViewTarget {
  plat::Canvas* canvas = nullptr;
  double width = 0;   // W of the drawing area, pixels
  double height = 0;  // H
  int window = 0;     // the window drawn
  bool printer = false;
  // Added to curve kinds, line kinds and text classes (10 on the printer).
  int styleOffset = 0;
  // Pen widths of styled lines and curves are multiplied by this.
  double penScale = 1;
  int backColour = 0;
  double tickSize = 0, tickDirection = 0, topTicks = 0, rightTicks = 0;
  int minorTicksX = 0, minorTicksY = 0, waterfallGuides = 0;

  plat::Canvas& c() const { return *canvas; }
};

// Window w as the drawing surface, with the screen settings.
ViewTarget ScreenTarget(int w);
// A printer area (normally an OffsetCanvas over the printer canvas) with the
// printer settings of window w's drawing.
ViewTarget PrinterTarget(int w, plat::Canvas& area);

// Tick length for the target's tick size on a drawing area of height H:
// H/150, H/100 or H/50.
double TickLengthOf(const ViewTarget& t);
// True when the ticks point outside the frame or across it (direction 1 or 2).
bool TicksReachOutside(const ViewTarget& t);

// Style of the target's entries (kind + styleOffset).
int CurveColourOf(const ViewTarget& t, int kind);
int CurveStyleOf(const ViewTarget& t, int kind);
double CurveWidthOf(const ViewTarget& t, int kind);
int PenWidthFor(const ViewTarget& t, double width);
// Frame pen: line kind 0's colour and width, solid.
void UseFramePen(const ViewTarget& t);
// Draws a line of line kind `kind` in its colour, style and width; the end
// points pass through LineX1..LineY2 (whole pixels) as every styled line does.
void StyledLineOf(const ViewTarget& t, int kind, double x1, double y1, double x2, double y2);
// Text class `textClass` (+ styleOffset) as the font and its colour.
void UseTextClass(const ViewTarget& t, int textClass);
double LineHeightOn(const ViewTarget& t, int textClass);
double CharWidthOn(const ViewTarget& t, int textClass);
// Fills the whole drawing area in the target's background colour.
void FillBackground(const ViewTarget& t);
// Back to the dialog font after a view.
void EndView(const ViewTarget& t);

// A layout value as a whole pixel of a 16-bit field.
std::int16_t LayoutPixel(double value);
// Value of member m at point i of the member matrix; 0 outside it.
double MemberValue(long long m, long long i);
// A tick at `along` on a frame edge at `edge`, in the shape of the tick
// direction: 0 inside, 1 outside, 2 across. `inward` (+1 or -1) is the sign
// that points into the plot; `horizontalEdge` says whether the edge is a
// horizontal line (ticks then run vertically).
void DirectedTick(plat::Canvas& c, bool horizontalEdge, double along, double edge, double length,
                  double inward, double direction);

}  // namespace sorvan
