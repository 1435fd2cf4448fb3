// The drawing interface of the program: one canvas with a current colour,
// pen, text background and font, the primitives the plots and printouts use,
// and text measurement on the canvas's own device. No toolkit type appears
// here; the implementations live in platform/ (painter over an image or the
// printer, and a recording canvas for tests).
#pragma once
#include <string>

namespace plat {

// Colours are red + 256 * green + 65536 * blue (the program's colour values).
inline int RgbColour(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }
inline int RedOf(int colour) { return colour & 0xFF; }
inline int GreenOf(int colour) { return (colour >> 8) & 0xFF; }
inline int BlueOf(int colour) { return (colour >> 16) & 0xFF; }

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot };

// The raster operation that replaces the pixels by the pen (the only one the
// program uses; other codes are accepted and drawn as copy).
constexpr int kDrawModeCopy = 13;

struct FontSpec {
  std::string name = "Arial";
  double size = 8;             // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  // Direction of text in tenths of a degree, counter-clockwise from the
  // x axis; any integer (900 = running upward).
  int escapement = 0;

  bool operator==(const FontSpec&) const = default;
};

// Everything that decides how the next primitive looks.
struct DrawState {
  int colour = 0;           // pen, fill and text
  int penWidth = 0;         // whole pixels; 0 = the thinnest (one pixel, cosmetic)
  PenStyle penStyle = PenStyle::Solid;
  int drawMode = kDrawModeCopy;
  bool opaqueText = false;  // text drawn on a filled cell of textBackColour
  int textBackColour = 0xFFFFFF;
  FontSpec font;

  bool operator==(const DrawState&) const = default;
};

// Coordinates are in pixels of the canvas (printer units on the printer),
// y growing downward. They are doubles: the canvas rounds them to whole
// pixels (halves to even) and clamps them to +-kCoordinateLimit first, so
// that absurd values never wrap around. Nothing is clipped.
constexpr double kCoordinateLimit = 1.0e6;
// The whole pixel a coordinate is drawn at (NaN counts as 0).
int PixelOf(double coordinate);

// Widest pen and largest font the canvas passes on (larger values would only
// stall the renderer; no layout of the program comes near them).
constexpr int kMaxPenWidth = 10000;
constexpr double kMaxFontSize = 2000;  // points

// A filled rectangle in a colour of its own (see Canvas::FilledBoxes).
struct ColouredBox {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int colour = 0;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Drawing state; kept until changed. Every surface (each spectrum window,
  // the printer, a bitmap) has its own canvas and so its own state.
  void SetColour(int colour) { state_.colour = colour; }
  // Negative widths count as 0; widths beyond kMaxPenWidth are cut to it.
  void SetPenWidth(int pixels) {
    state_.penWidth = pixels < 0 ? 0 : (pixels > kMaxPenWidth ? kMaxPenWidth : pixels);
  }
  void SetPenStyle(PenStyle style) { state_.penStyle = style; }
  void SetDrawMode(int mode) { state_.drawMode = mode; }
  void SetOpaqueText(bool opaque) { state_.opaqueText = opaque; }
  void SetTextBackColour(int colour) { state_.textBackColour = colour; }
  void SetFont(const FontSpec& font) { state_.font = font; }
  void SetEscapement(int tenthsOfDegree) { state_.font.escapement = tenthsOfDegree; }
  const DrawState& State() const { return state_; }
  void SetState(const DrawState& state) { state_ = state; }

  // Primitives, in the current colour, pen and font.
  virtual void Line(double x1, double y1, double x2, double y2) = 0;
  // Connected lines through points 0..count-1 of xs/ys, drawn as one Line
  // per neighbouring pair would be (the rasteriser may set a few pixels
  // differently where segments join); one call for a whole curve, so that
  // long spectra draw fast. Fewer than two points draw nothing.
  virtual void Polyline(const int* xs, const int* ys, int count) {
    for (int i = 0; i + 1 < count; ++i) Line(xs[i], ys[i], xs[i + 1], ys[i + 1]);
  }
  // Outline through both corners (the pixels of both corners are covered).
  virtual void Box(double x1, double y1, double x2, double y2) = 0;
  // Filled rectangle, both corners included, no outline beyond them.
  virtual void FilledBox(double x1, double y1, double x2, double y2) = 0;
  // Filled rectangles 0..count-1 in order, each as FilledBox in its own
  // colour; the colour is left at the last one's. One call for the many
  // cells of a colour map.
  virtual void FilledBoxes(const ColouredBox* boxes, int count) {
    for (int i = 0; i < count; ++i) {
      SetColour(boxes[i].colour);
      FilledBox(boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2);
    }
  }
  // Filled polygon of `count` corners, filled and outlined in the colour.
  virtual void FilledPolygon(const int* xs, const int* ys, int count) = 0;
  // A curve standing on a horizontal baseline: the area between the curve
  // through points 0..count-1 and the line y = baseline is filled in
  // `fillColour`, its edges in the thinnest solid pen (FilledPolygon of the
  // curve's points followed by (last x, baseline) and (first x, baseline)),
  // then the curve is drawn over it in the current colour and pen
  // (Polyline). The state is left as it was. Fewer than two points draw
  // nothing. One call for a whole profile, so that many profiles draw fast.
  virtual void FilledProfile(const int* xs, const int* ys, int count, int baseline, int fillColour);
  // Outline of a circle (not filled).
  virtual void Circle(double centreX, double centreY, double radius) = 0;
  // Text whose cell has its top-left corner at (x, y); with an escapement the
  // text turns about that corner.
  virtual void Text(double x, double y, const std::string& text) = 0;
  // A picture file stretched into the rectangle. `path` is in program form
  // and names the preferred file (e.g. "...\logo\logo.wmf"); when it cannot be
  // read, the same name with ".svg" and then ".png" is tried. Returns false,
  // having drawn nothing, when none can be read.
  virtual bool Picture(const std::string& path, double x1, double y1, double x2, double y2) = 0;

  // Measurement in the current font on this canvas's device; valid at any
  // time, also when nothing is being drawn.
  virtual double TextWidth(const std::string& text) = 0;
  // Height of a text line (ascent + descent) of the current font.
  virtual double TextHeight(const std::string& text) = 0;
  // Mean character width of the current font.
  virtual double CharWidth() = 0;
  // Size of the surface in pixels (printer units on the printer).
  virtual double Width() = 0;
  virtual double Height() = 0;

  // Makes what was drawn visible now (screen windows); no-op elsewhere.
  virtual void Flush() {}

  // The primitives drawn between BeginDrawing and EndDrawing (a redraw) may
  // share one open painter instead of one each; what they draw is the same.
  // Pairs may nest; the last EndDrawing closes the painter. DrawingPass
  // makes the pair for a scope.
  virtual void BeginDrawing() {}
  virtual void EndDrawing() {}

 protected:
  DrawState state_;
};

class DrawingPass {
 public:
  explicit DrawingPass(Canvas& canvas) : canvas_(canvas) { canvas_.BeginDrawing(); }
  ~DrawingPass() { canvas_.EndDrawing(); }
  DrawingPass(const DrawingPass&) = delete;
  DrawingPass& operator=(const DrawingPass&) = delete;

 private:
  Canvas& canvas_;
};

}  // namespace plat
