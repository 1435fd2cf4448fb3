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

// Drops from a polyline of whole pixels the points that change none of the
// pixels a solid pen gives it on an image of the given size, so that a long
// curve costs what the plot's width costs. Returns the number of points kept
// at the start of `points` (a subsequence of them). Two rules, each of which
// leaves the rasteriser the same segments where they meet the rest:
// - A run of points on one pixel column only goes up and down that column
//   between its neighbours. It keeps its first and last point, its first and
//   last turning point (so that it leaves and enters the column in the same
//   directions, which decide how the segments there are joined) and its
//   highest and lowest turning point (so that it covers the same rows), in
//   their order; between them the dropped points only went back and forth
//   over rows the kept ones cover. A point where the path does not move is
//   dropped too.
// - A point between two others on its pixel row, the three in order along
//   it, only joins two pieces of one straight line.
// The first and the last segment (where the pen's caps are drawn) and points
// off the image (where the rasteriser clips) are always kept.
int KeepPixelsOfPolyline(QPoint* points, int count, int width, int height) {
  auto inside = [&](const QPoint& p) { return p.x() >= 0 && p.x() < width && p.y() >= 0 && p.y() < height; };
  int kept = 0;
  auto keep = [&](int i) { points[kept++] = points[i]; };
  for (int a = 0; a < count;) {
    const int x = points[a].x();
    int b = a;
    while (b + 1 < count && points[b + 1].x() == x) ++b;
    bool thin = a > 0 && b < count - 1 && b > a;
    for (int i = a; thin && i <= b; ++i) thin = inside(points[i]);
    if (!thin) {
      for (int i = a; i <= b; ++i) keep(i);
      a = b + 1;
      continue;
    }
    // Turning points: where the column's path changes direction (repeated
    // rows skipped); each taken at its first point.
    int firstTurn = -1, lastTurn = -1, lowest = -1, highest = -1;
    int previous = a, direction = 0;
    for (int i = a + 1; i <= b; ++i) {
      const int step = points[i].y() - points[previous].y();
      if (step == 0) continue;
      const int now = step > 0 ? 1 : -1;
      if (direction != 0 && now != direction) {
        if (firstTurn < 0) firstTurn = previous;
        lastTurn = previous;
        if (lowest < 0 || points[previous].y() < points[lowest].y()) lowest = previous;
        if (highest < 0 || points[previous].y() > points[highest].y()) highest = previous;
      }
      direction = now;
      previous = i;
    }
    const int order[6] = {a, firstTurn, std::min(lowest, highest), std::max(lowest, highest), lastTurn, b};
    const int start = kept;
    int last = -1;
    for (int i : order) {
      if (i < 0 || i == last) continue;
      if (kept > start && points[kept - 1].y() == points[i].y()) continue;
      last = i;
      keep(i);
    }
    a = b + 1;
  }
  // Points inside straight pieces along a row.
  int joined = 0;
  for (int i = 0; i < kept; ++i) {
    if (joined >= 2 && i + 2 < kept) {
      const QPoint& before = points[joined - 1];
      const QPoint& here = points[i];
      const QPoint& after = points[i + 1];
      const bool alongRow = before.y() == here.y() && here.y() == after.y() &&
                            ((before.x() < here.x() && here.x() < after.x()) ||
                             (before.x() > here.x() && here.x() > after.x()));
      if (alongRow && inside(before) && inside(here) && inside(after)) continue;
    }
    points[joined++] = points[i];
  }
  return joined;
}

void StrokePolyline(QPainter& painter, const QPoint* points, int count) {
  const QPen& pen = painter.pen();
  const QPaintDevice* device = painter.device();
  const bool inRuns = pen.style() == Qt::SolidLine && !pen.isCosmetic() && pen.widthF() >= 2 &&
                      device != nullptr && device->devType() == QInternal::Image &&
                      painter.transform().isIdentity() && !painter.testRenderHint(QPainter::Antialiasing);
  if (!inRuns || count <= kStrokeRun + 1) {
    painter.drawPolyline(points, count);
    return;
  }
  for (int a = 0; a + 1 < count; a += kStrokeRun) {
    painter.drawPolyline(points + a, std::min(kStrokeRun + 1, count - a));
    ClearUpperVectors();
  }
}

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

QPainterCanvas::~QPainterCanvas() { ReleasePainter(); }

void QPainterCanvas::BeginDrawing() { ++passDepth_; }

void QPainterCanvas::EndDrawing() {
  if (passDepth_ > 0 && --passDepth_ == 0) ReleasePainter();
}

void QPainterCanvas::ReleasePainter() {
  if (held_) {
    if (held_->isActive()) held_->end();
    held_.reset();
    ClearUpperVectors();
  }
  heldDevice_ = nullptr;
}

bool QPainterCanvas::Paint(const std::function<void(QPainter&)>& draw, bool withPen) {
  QPainter* active = painter_ ? painter_() : nullptr;
  QPaintDevice* device = nullptr;
  QPainter local;
  if (active) {
    active->save();
  } else {
    device = device_ ? device_() : nullptr;
    if (!device) {
      ReleasePainter();
      return false;
    }
    if (passDepth_ > 0) {
      // One painter for the pass, opened on the device of its first
      // primitive (again if the device has changed since).
      if (!held_ || heldDevice_ != device || !held_->isActive()) {
        ReleasePainter();
        auto painter = std::make_unique<QPainter>();
        if (!painter->begin(device)) return false;
        held_ = std::move(painter);
        heldDevice_ = device;
      }
      active = held_.get();
      active->save();
    } else {
      if (!local.begin(device)) return false;
      active = &local;
    }
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

void QPainterCanvas::Polyline(const int* xs, const int* ys, int count) {
  if (!xs || !ys || count < 2) return;
  QPoint* points = PixelPoints(xs, ys, count, count);
  const int drawn = PointsThatShow(points, count);
  Paint([&](QPainter& p) { StrokePolyline(p, points, drawn); });
}

int QPainterCanvas::PointsThatShow(QPoint* points, int count) {
  // Only where the points are pixels: an image drawn one to one (not the
  // printer, whose vector output keeps every point), with a solid pen (a
  // dash pattern runs along every segment).
  if (painter_ || state_.penStyle != PenStyle::Solid) return count;
  QPaintDevice* device = device_ ? device_() : nullptr;
  if (!device || device->devType() != QInternal::Image || device->devicePixelRatio() != 1.0)
    return count;
  return KeepPixelsOfPolyline(points, count, device->width(), device->height());
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

QImage* QPainterCanvas::PixelImage() {
  if (painter_) return nullptr;
  QPaintDevice* device = device_ ? device_() : nullptr;
  if (!device || device->devType() != QInternal::Image || device->devicePixelRatio() != 1.0) return nullptr;
  return static_cast<QImage*>(device);
}

void QPainterCanvas::FilledBoxes(const ColouredBox* boxes, int count) {
  if (!boxes || count <= 0) return;
  QImage* image = PixelImage();
  const bool direct = image != nullptr && (image->format() == QImage::Format_RGB32 ||
                                           image->format() == QImage::Format_ARGB32 ||
                                           image->format() == QImage::Format_ARGB32_Premultiplied);
  if (!direct) {
    // The printer (and any other device) draws each box as FilledBox does.
    Canvas::FilledBoxes(boxes, count);
    return;
  }
  // On an image of 32-bit pixels the boxes are written into its rows: an
  // opaque solid fill sets every pixel of the rectangle within the image to
  // the colour, as the painter's fill does, at the cost of the pixels alone.
  // A painter this canvas keeps open on the image is closed first when the
  // image shares its pixels with a copy (writing detaches it).
  if (held_ && !image->isDetached()) ReleasePainter();
  uchar* bits = image->bits();
  const qsizetype stride = image->bytesPerLine();
  const int width = image->width(), height = image->height();
  for (int i = 0; i < count; ++i) {
    const ColouredBox& b = boxes[i];
    const QRect r = RectFromCorners(b.x1, b.y1, b.x2, b.y2).intersected(QRect(0, 0, width, height));
    if (r.isEmpty()) continue;
    const QRgb pixel = qRgb(RedOf(b.colour), GreenOf(b.colour), BlueOf(b.colour));
    for (int y = r.top(); y <= r.bottom(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
      std::fill(row + r.left(), row + r.right() + 1, pixel);
    }
  }
  state_.colour = boxes[count - 1].colour;
  if (afterDrawing_) afterDrawing_();
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
  const QPoint edge[4] = {curve[count - 1], corners[corner - 2], corners[corner - 1], curve[0]};
  const int curveShown = PointsThatShow(curve, count);
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
      p.setPen(edgePen);
      p.drawPolyline(edge, 4);
    } else {
      p.setPen(edgePen);
      p.drawPolygon(corners, corner);
      ClearUpperVectors();
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(curvePen);
    StrokePolyline(p, curve, curveShown);
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
  static std::vector<QPoint> buffer;
  if (buffer.size() < static_cast<std::size_t>(room)) buffer.resize(static_cast<std::size_t>(room));
  QPoint* points = buffer.data();
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
