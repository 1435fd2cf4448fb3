// The canvas that draws with a QPainter on an image or the printer. Internal
// to platform/: only the surface and printer code create it.
#pragma once
#include <QFont>
#include <QPainter>
#include <QPoint>
#include <functional>
#include <memory>

#include "platform/canvas.h"

class QImage;
class QPaintDevice;

namespace plat::detail {

// Qt font of a font description (size in points, resolved on the device the
// painter or the font metrics use).
QFont MakeQtFont(const FontSpec& spec);

// Drops from a polyline of whole pixels the points that change none of the
// pixels a solid pen gives it on an image of the given size; returns the
// number kept at the start of `points` (see canvas.cpp).
int KeepPixelsOfPolyline(QPoint* points, int count, int width, int height);

// Strokes a polyline in the painter's pen as drawPolyline does. A solid pen
// two or more pixels wide on an image is stroked in runs of kStrokeRun
// segments, each joined to the next at a shared point: Qt strokes a wide pen
// by filling the outline of the whole path at once, which costs far more
// than the pixels for a long curve (and keeps its outline buffers as large as
// the longest curve), while the runs cover the same pixels. Other pens (the
// one-pixel ones, dash patterns, which run on along the whole path) and other
// devices get the whole path.
constexpr int kStrokeRun = 32;
void StrokePolyline(QPainter& painter, const QPoint* points, int count);

class QPainterCanvas : public Canvas {
 public:
  // `device` answers the paint device each time it is needed (a window's
  // backing image may be replaced on a resize); nullptr means: draw nothing,
  // measure as a 96 dpi screen. `painter`, when it answers an active painter,
  // is used instead of opening one per primitive (the printer document).
  // `afterDrawing` runs after every primitive that reached the device.
  // `measure`, when given, answers the device for measurement and size
  // instead of `device` (the printer: measured always, drawn on only inside
  // a document).
  QPainterCanvas(std::function<QPaintDevice*()> device,
                 std::function<QPainter*()> painter = {},
                 std::function<void()> afterDrawing = {},
                 std::function<void()> flush = {},
                 std::function<QPaintDevice*()> measure = {});

  void Line(double x1, double y1, double x2, double y2) override;
  void Polyline(const int* xs, const int* ys, int count) override;
  void Box(double x1, double y1, double x2, double y2) override;
  void FilledBox(double x1, double y1, double x2, double y2) override;
  void FilledBoxes(const ColouredBox* boxes, int count) override;
  void FilledPolygon(const int* xs, const int* ys, int count) override;
  void FilledProfile(const int* xs, const int* ys, int count, int baseline, int fillColour) override;
  void Circle(double centreX, double centreY, double radius) override;
  void Text(double x, double y, const std::string& text) override;
  bool Picture(const std::string& path, double x1, double y1, double x2, double y2) override;

  double TextWidth(const std::string& text) override;
  double TextHeight(const std::string& text) override;
  double CharWidth() override;
  double Width() override;
  double Height() override;
  void Flush() override;
  void BeginDrawing() override;
  void EndDrawing() override;
  // Closes the painter a drawing pass keeps open (before the device is
  // replaced or dropped); the next primitive opens another.
  void ReleasePainter();
  ~QPainterCanvas() override;

 private:
  // Runs `draw` with a painter set up for the current state; returns false
  // when there is no device to draw on.
  bool Paint(const std::function<void(QPainter&)>& draw, bool withPen = true);
  // Points 0..count-1 as clamped whole pixels, at the start of a buffer of
  // at least `room` points (room >= count). The buffer is shared by all
  // canvases (drawing runs on one thread) and kept between primitives, so
  // that long curves are not allocated anew on each call and a window holds
  // no buffer of its own.
  static QPoint* PixelPoints(const int* xs, const int* ys, int count, int room);
  // The image drawn on one to one (not the printer), or nullptr.
  QImage* PixelImage();
  // Keeps at the start of `points` those of a polyline that change its
  // pixels on this canvas (all of them where it cannot tell); returns their
  // number.
  int PointsThatShow(QPoint* points, int count);
  // The device measured and sized (nullptr: none).
  QPaintDevice* SizeDevice();
  QPaintDevice* MeasureDevice();

  std::function<QPaintDevice*()> device_;
  std::function<QPainter*()> painter_;
  std::function<void()> afterDrawing_;
  std::function<void()> flush_;
  std::function<QPaintDevice*()> measure_;
  // The drawing pass: its depth, and the painter it keeps open on a device.
  int passDepth_ = 0;
  std::unique_ptr<QPainter> held_;
  QPaintDevice* heldDevice_ = nullptr;
};

// A 96 dpi image used to measure when no device is at hand.
QPaintDevice* ScreenMeasureDevice();

}  // namespace plat::detail
