// QPainter implementation of the canvas: rounds and clamps coordinates,
// maps the program's colours, pens and fonts to Qt, and measures text on the
// canvas's own device.
#include "platform/canvas.h"

#include <QColor>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QImageReader>
#include <QPaintDevice>
#include <QPen>
#include <QPolygon>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <vector>

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <immintrin.h>
#define SORVAN_CLEAR_UPPER_VECTORS 1
#endif

#include "platform/files.h"
#include "platform/painter_canvas.h"
#include "platform/text.h"

namespace plat {

int PixelOf(double coordinate) {
  if (std::isnan(coordinate)) return 0;
  double clamped = std::clamp(coordinate, -kCoordinateLimit, kCoordinateLimit);
  return static_cast<int>(RoundHalfEven(clamped));
}

void Canvas::FilledProfile(const int* xs, const int* ys, int count, int baseline, int fillColour) {
  if (!xs || !ys || count < 2) return;
  std::vector<int> px(xs, xs + count), py(ys, ys + count);
  px.push_back(xs[count - 1]);
  py.push_back(baseline);
  px.push_back(xs[0]);
  py.push_back(baseline);
  const DrawState kept = state_;
  SetColour(fillColour);
  SetPenStyle(PenStyle::Solid);
  SetPenWidth(0);
  FilledPolygon(px.data(), py.data(), count + 2);
  state_ = kept;
  Polyline(xs, ys, count);
}

namespace detail {

namespace {

// A whole-pixel coordinate clamped as PixelOf clamps (the same value
// PixelOf gives for it, without the trip through a double).
int ClampedPixel(int coordinate) {
  constexpr int kLimit = static_cast<int>(kCoordinateLimit);
  return std::clamp(coordinate, -kLimit, kLimit);
}

QColor ToQColor(int colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

QString ToQString(const std::string& text) {
  return QString::fromStdString(ValidUtf8(text));
}

Qt::PenStyle ToQtPenStyle(PenStyle style) {
  switch (style) {
    case PenStyle::Dash: return Qt::DashLine;
    case PenStyle::Dot: return Qt::DotLine;
    case PenStyle::DashDot: return Qt::DashDotLine;
    case PenStyle::DashDotDot: return Qt::DashDotDotLine;
    case PenStyle::Solid: break;
  }
  return Qt::SolidLine;
}

// The rectangle covering both corner pixels, whatever their order. (Not
// QRect::normalized(): for reversed corners it moves the edges by a pixel.)
QRect RectFromCorners(double x1, double y1, double x2, double y2) {
  int ax = PixelOf(x1), ay = PixelOf(y1), bx = PixelOf(x2), by = PixelOf(y2);
  return QRect(QPoint(std::min(ax, bx), std::min(ay, by)), QPoint(std::max(ax, bx), std::max(ay, by)));
}

// Qt's raster engine fills its spans with wide vector instructions and
// returns with the upper halves of the vector registers still in use. Until
// they are cleared, the scalar floating-point instructions of the program
// (built for the base instruction set) wait on them: after a single fill the
// point arithmetic of a long curve ran four times slower. Clearing them
// after each primitive costs one instruction.
#ifdef SORVAN_CLEAR_UPPER_VECTORS
__attribute__((target("avx"))) void ClearUpperVectorsAvx() { _mm256_zeroupper(); }
void ClearUpperVectors() {
  static const bool avx = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx") != 0;
  }();
  if (avx) ClearUpperVectorsAvx();
}
#else
void ClearUpperVectors() {}
#endif

// Replaces the extension of a native path ("a/logo.wmf" -> "a/logo.svg").
QString WithSuffix(const QString& path, const QString& suffix) {
  QFileInfo info(path);
  QString base = info.path() + "/" + info.completeBaseName();
  return base + "." + suffix;
}

}  // namespace

QFont MakeQtFont(const FontSpec& spec) {
  QFont font(ToQString(spec.name));
  // A size of 0 or less would make Qt fall back silently; the smallest
  // readable size stands in for it.
  font.setPointSizeF(spec.size > 0 ? std::min(spec.size, kMaxFontSize) : 1.0);
  font.setBold(spec.bold);
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  font.setStrikeOut(spec.strikeout);
  return font;
}

QPaintDevice* ScreenMeasureDevice() {
  static QImage* image = [] {
    auto* made = new QImage(1, 1, QImage::Format_RGB32);
    made->setDotsPerMeterX(3780);  // 96 dots per inch
    made->setDotsPerMeterY(3780);
    return made;
  }();
  return image;
}

QPainterCanvas::QPainterCanvas(std::function<QPaintDevice*()> device,
                               std::function<QPainter*()> painter,
                               std::function<void()> afterDrawing,
                               std::function<void()> flush,
                               std::function<QPaintDevice*()> measure)
    : device_(std::move(device)),
      painter_(std::move(painter)),
      afterDrawing_(std::move(afterDrawing)),
      flush_(std::move(flush)),
      measure_(std::move(measure)) {}

bool QPainterCanvas::Paint(const std::function<void(QPainter&)>& draw, bool withPen) {
  QPainter* active = painter_ ? painter_() : nullptr;
  QPaintDevice* device = nullptr;
  QPainter local;
  if (active) {
    active->save();
  } else {
    device = device_ ? device_() : nullptr;
    if (!device) return false;
    if (!local.begin(device)) return false;
    active = &local;
  }
  QPainter& p = *active;
  p.setRenderHint(QPainter::Antialiasing, false);
  if (withPen) {
    QPen pen(ToQColor(state_.colour));
    pen.setWidth(state_.penWidth);  // 0 = cosmetic one-pixel pen
    pen.setStyle(ToQtPenStyle(state_.penStyle));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
  } else {
    p.setPen(Qt::NoPen);
  }
  p.setBrush(Qt::NoBrush);
  draw(p);
  if (local.isActive()) {
    local.end();
  } else {
    p.restore();
  }
  ClearUpperVectors();
  if (afterDrawing_) afterDrawing_();
  return true;
}

void QPainterCanvas::Line(double x1, double y1, double x2, double y2) {
  QPoint a(PixelOf(x1), PixelOf(y1)), b(PixelOf(x2), PixelOf(y2));
  Paint([&](QPainter& p) {
    if (a == b) {
      p.drawPoint(a);
    } else {
      p.drawLine(a, b);
    }
  });
}

namespace {

// A long curve has many points on one pixel column (a spectrum of 32767
// points in a window some hundred pixels wide). Between the first and the
// last point of such a run a one-pixel solid line only goes up and down the
// column, covering its pixels from the run's lowest to its highest point:
// the first point, the two extremes in the order they come and the last
// point draw the same pixels with a few segments instead of many. Returns
// the new count.
int ThinColumnRuns(QPoint* points, int count) {
  int out = 0;
  for (int i = 0; i < count;) {
    int j = i + 1, low = i, high = i;
    while (j < count && points[j].x() == points[i].x()) {
      if (points[j].y() < points[low].y()) low = j;
      if (points[j].y() > points[high].y()) high = j;
      ++j;
    }
    if (j - i < 5) {
      for (int k = i; k < j; ++k) points[out++] = points[k];
    } else {
      const QPoint first = points[i], last = points[j - 1];
      const QPoint a = points[std::min(low, high)], b = points[std::max(low, high)];
      points[out++] = first;
      points[out++] = a;
      points[out++] = b;
      points[out++] = last;
    }
    i = j;
  }
  return out;
}

}  // namespace

void QPainterCanvas::Polyline(const int* xs, const int* ys, int count) {
  if (!xs || !ys || count < 2) return;
  QPoint* points = PixelPoints(xs, ys, count, count);
  // Thinned only where the pixels stay the same: a solid pen one pixel wide.
  if (state_.penStyle == PenStyle::Solid && state_.penWidth <= 1) count = ThinColumnRuns(points, count);
  Paint([&](QPainter& p) { p.drawPolyline(points, count); });
}

void QPainterCanvas::Box(double x1, double y1, double x2, double y2) {
  QRect r = RectFromCorners(x1, y1, x2, y2);
  // Stroked from corner pixel to corner pixel: the outline covers both.
  Paint([&](QPainter& p) {
    p.drawRect(QRect(r.left(), r.top(), r.width() - 1, r.height() - 1));
  });
}

void QPainterCanvas::FilledBox(double x1, double y1, double x2, double y2) {
  QRect r = RectFromCorners(x1, y1, x2, y2);
  QColor colour = ToQColor(state_.colour);
  Paint([&](QPainter& p) { p.fillRect(r, colour); }, false);
}

void QPainterCanvas::FilledPolygon(const int* xs, const int* ys, int count) {
  if (!xs || !ys || count <= 0) return;
  const QPoint* corners = PixelPoints(xs, ys, count, count);
  QColor colour = ToQColor(state_.colour);
  Paint([&](QPainter& p) {
    p.setBrush(colour);
    p.drawPolygon(corners, count);
  });
}

void QPainterCanvas::FilledProfile(const int* xs, const int* ys, int count, int baseline,
                                   int fillColour) {
  if (!xs || !ys || count < 2) return;
  // The curve's points, then the corners of the area under it.
  QPoint* curve = PixelPoints(xs, ys, count, 2 * count + 2);
  const int base = ClampedPixel(baseline);
  QPoint* corners = curve + count;
  int corner = 0;
  // A solid pen covers the area's edge along the curve: only the sides and
  // the baseline are outlined in the fill colour, and the area is filled
  // without an outline. The fill then drops the points between the first
  // and the last of a run on one pixel column or row: between them the edge
  // only goes back and forth along a line between pixel centres, so the same
  // pixels are filled without them (a long curve has several points a
  // column). Other pens leave gaps, so the whole edge is outlined under them.
  const bool curveCoversEdge = state_.penStyle == PenStyle::Solid;
  for (int i = 0; i < count; ++i) {
    const QPoint next = curve[i];
    if (curveCoversEdge && corner >= 2) {
      const QPoint a = corners[corner - 2], b = corners[corner - 1];
      if ((a.x() == b.x() && b.x() == next.x()) || (a.y() == b.y() && b.y() == next.y())) {
        corners[corner - 1] = next;
        continue;
      }
    }
    corners[corner++] = next;
  }
  corners[corner++] = QPoint(curve[count - 1].x(), base);
  corners[corner++] = QPoint(curve[0].x(), base);
  const QColor fill = ToQColor(fillColour);
  Paint([&](QPainter& p) {
    const QPen curvePen = p.pen();
    QPen edgePen(fill);
    edgePen.setWidth(0);
    edgePen.setCapStyle(Qt::RoundCap);
    edgePen.setJoinStyle(Qt::RoundJoin);
    p.setBrush(fill);
    if (curveCoversEdge) {
      p.setPen(Qt::NoPen);
      p.drawPolygon(corners, corner);
      ClearUpperVectors();
      const QPoint edge[4] = {curve[count - 1], corners[corner - 2], corners[corner - 1], curve[0]};
      p.setPen(edgePen);
      p.drawPolyline(edge, 4);
    } else {
      p.setPen(edgePen);
      p.drawPolygon(corners, corner);
      ClearUpperVectors();
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(curvePen);
    p.drawPolyline(curve, count);
  });
}

void QPainterCanvas::Circle(double centreX, double centreY, double radius) {
  QPoint centre(PixelOf(centreX), PixelOf(centreY));
  double r = std::isnan(radius) ? 0.0 : std::clamp(std::fabs(radius), 0.0, kCoordinateLimit);
  Paint([&](QPainter& p) {
    if (r < 0.5) {
      p.drawPoint(centre);
    } else {
      p.drawEllipse(QPointF(centre), r, r);
    }
  });
}

void QPainterCanvas::Text(double x, double y, const std::string& text) {
  if (text.empty()) return;
  QPoint anchor(PixelOf(x), PixelOf(y));
  QString qtext = ToQString(text);
  QFont font = MakeQtFont(state_.font);
  Paint([&](QPainter& p) {
    p.setFont(font);
    QFontMetricsF metrics(p.font(), p.device());
    p.translate(anchor);
    if (state_.font.escapement != 0) p.rotate(-state_.font.escapement / 10.0);
    if (state_.opaqueText) {
      p.fillRect(QRectF(0, 0, metrics.horizontalAdvance(qtext), metrics.height()),
                 ToQColor(state_.textBackColour));
    }
    p.setPen(ToQColor(state_.colour));
    p.drawText(QPointF(0, metrics.ascent()), qtext);
  });
}

bool QPainterCanvas::Picture(const std::string& path, double x1, double y1, double x2,
                             double y2) {
  QString wanted = QString::fromUtf8(NativePath(path));
  QRect target = RectFromCorners(x1, y1, x2, y2);
  // The program names a Windows metafile; Qt reads none, so a vector (SVG)
  // or raster (PNG) picture of the same name stands in for it.
  for (const QString& candidate :
       {wanted, WithSuffix(wanted, "svg"), WithSuffix(wanted, "png")}) {
    if (!QFileInfo(candidate).isFile()) continue;
    if (candidate.endsWith(".svg", Qt::CaseInsensitive)) {
      QSvgRenderer renderer(candidate);
      if (!renderer.isValid()) continue;
      return Paint([&](QPainter& p) {
        renderer.render(&p, QRectF(target));
      });
    }
    QImageReader reader(candidate);
    QImage image = reader.read();
    if (image.isNull()) continue;
    return Paint([&](QPainter& p) {
      p.drawImage(target, image);
    });
  }
  return false;
}

QPoint* QPainterCanvas::PixelPoints(const int* xs, const int* ys, int count, int room) {
  if (points_.size() < static_cast<std::size_t>(room)) points_.resize(static_cast<std::size_t>(room));
  QPoint* points = points_.data();
  for (int i = 0; i < count; ++i) points[i] = QPoint(ClampedPixel(xs[i]), ClampedPixel(ys[i]));
  return points;
}

QPaintDevice* QPainterCanvas::SizeDevice() {
  if (measure_) return measure_();
  return device_ ? device_() : nullptr;
}

QPaintDevice* QPainterCanvas::MeasureDevice() {
  QPaintDevice* device = SizeDevice();
  return device ? device : ScreenMeasureDevice();
}

double QPainterCanvas::TextWidth(const std::string& text) {
  QFontMetricsF metrics(MakeQtFont(state_.font), MeasureDevice());
  return metrics.horizontalAdvance(ToQString(text));
}

double QPainterCanvas::TextHeight(const std::string&) {
  QFontMetricsF metrics(MakeQtFont(state_.font), MeasureDevice());
  return metrics.height();
}

double QPainterCanvas::CharWidth() {
  QFontMetricsF metrics(MakeQtFont(state_.font), MeasureDevice());
  return metrics.averageCharWidth();
}

double QPainterCanvas::Width() {
  QPaintDevice* device = SizeDevice();
  return device ? device->width() : 0.0;
}

double QPainterCanvas::Height() {
  QPaintDevice* device = SizeDevice();
  return device ? device->height() : 0.0;
}

void QPainterCanvas::Flush() {
  if (flush_) flush_();
}

}  // namespace detail
}  // namespace plat
