// Long curves on the painter canvas draw the points of a pixel column that
// show and leave out the others, and stroke wide solid pens in short runs:
// the pixels must be those of the whole polyline with every segment drawn in
// one stroke, for steep, flat, noisy and dashed curves, thin and wide pens,
// at several picture sizes (a window and a window exported at four times its
// size), and for the filled profiles of the waterfall. The cells of a colour
// map drawn in one call, and the primitives of a redraw drawn on one
// painter, must give the pixels of one call and one painter each.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/surfaces.h"
#include "support/test_support.h"

namespace {

constexpr int kCurveColour = 0x800000;
constexpr int kFillColour = 0xC0C0C0;

QColor Qt(int colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

Qt::PenStyle QtStyle(plat::PenStyle style) {
  switch (style) {
    case plat::PenStyle::Dash: return Qt::DashLine;
    case plat::PenStyle::Dot: return Qt::DotLine;
    case plat::PenStyle::DashDot: return Qt::DashDotLine;
    case plat::PenStyle::DashDotDot: return Qt::DashDotDotLine;
    case plat::PenStyle::Solid: break;
  }
  return Qt::SolidLine;
}

const char* StyleName(plat::PenStyle style) {
  switch (style) {
    case plat::PenStyle::Dash: return " dashed";
    case plat::PenStyle::Dot: return " dotted";
    case plat::PenStyle::DashDot: return " dash-dot";
    case plat::PenStyle::DashDotDot: return " dash-dot-dot";
    case plat::PenStyle::Solid: break;
  }
  return "";
}

QPen CurvePen(int width, plat::PenStyle style) {
  QPen pen(Qt(kCurveColour));
  pen.setWidth(width);
  pen.setStyle(QtStyle(style));
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

struct Curve {
  std::string name;
  std::vector<int> xs, ys;
};

// `points` points spread over the middle of a picture `width` wide, as a
// spectrum is mapped onto its plot (x rounded, several points a column).
std::vector<Curve> Curves(int width, int height, int points, std::mt19937& random) {
  std::uniform_real_distribution<double> uniform(0, 1);
  std::vector<Curve> curves = {{"steep", {}, {}}, {"flat", {}, {}}, {"noisy", {}, {}},
                               {"peak with counting noise", {}, {}}, {"right to left", {}, {}},
                               {"off the picture", {}, {}}, {"steps along rows", {}, {}}};
  const double left = 0.05 * width, span = 0.9 * width, middle = height / 2.0;
  const int stair = std::max(1, points / 40);
  for (int i = 0; i < points; ++i) {
    const int x = static_cast<int>(std::lround(left + span * i / (points - 1)));
    const double peak = std::exp(-std::pow((i - points / 2.0) / (points / 20.0), 2));
    const int ys[7] = {
        static_cast<int>(std::lround(middle + 0.45 * height * std::sin(i * 40.0 / points))),
        static_cast<int>(middle) + (uniform(random) < 0.01 ? 3 : 0),
        static_cast<int>(std::lround(middle + (uniform(random) - 0.5) * 0.25 * height)),
        static_cast<int>(std::lround(0.9 * height - 0.8 * height * peak + 6 * (uniform(random) - 0.5))),
        static_cast<int>(std::lround(middle + 0.3 * height * std::cos(i * 7.0 / points) + 4 * (uniform(random) - 0.5))),
        static_cast<int>(std::lround(middle + 0.7 * height * std::sin(i * 13.0 / points) + 5 * (uniform(random) - 0.5))),
        static_cast<int>(middle) + (i / stair) % 3 * 4};
    for (int k = 0; k < 7; ++k) {
      curves[k].xs.push_back(k == 4 ? width - 1 - x : x);
      curves[k].ys.push_back(ys[k]);
    }
  }
  return curves;
}

// What the canvas drew on the bitmap, read back from the saved picture.
QImage BitmapPicture(const std::string& folder) {
  const std::string path = folder + "/canvas.bmp";
  EXPECT_TRUE(plat::SaveBitmap(plat::ProgramPath(path)));
  return QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
}

QImage WhitePicture(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

std::vector<QPoint> QtPoints(const Curve& c) {
  std::vector<QPoint> points;
  for (std::size_t i = 0; i < c.xs.size(); ++i) points.emplace_back(c.xs[i], c.ys[i]);
  return points;
}

// Rows of the two pictures that differ.
int RowsThatDiffer(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return a.height() + b.height();
  int differ = 0;
  for (int y = 0; y < a.height(); ++y)
    differ += std::memcmp(a.constScanLine(y), b.constScanLine(y), static_cast<std::size_t>(a.width()) * 4) != 0;
  return differ;
}

TEST(LongPolyline, GivesThePixelsOfEverySegment) {
  const std::string folder = testsupport::MakeTempFolder("polyline_pixels");
  std::mt19937 random(17);
  struct Pen {
    int width;
    plat::PenStyle style;
  };
  using S = plat::PenStyle;
  // Each picture size with the pens tried on it. One stroke of a long noisy
  // curve in a wide pen (the reference) takes Qt minutes on a large picture,
  // so the widest pens and the dash patterns are tried on the smaller ones,
  // and the exported window (four times 504 x 356, the shipped curve width
  // 1.5 giving a six-pixel pen) on the curves Qt strokes in seconds.
  struct Size {
    int width, height, points;
    std::vector<Pen> pens;
    bool onlyQuickCurves;
  };
  const std::vector<Size> sizes = {
      {160, 90, 4000,
       {{0, S::Solid}, {1, S::Solid}, {2, S::Solid}, {3, S::Solid}, {6, S::Solid}, {1, S::Dash}, {2, S::Dash},
        {6, S::Dash}, {2, S::Dot}, {3, S::DashDot}, {4, S::DashDotDot}},
       false},
      {800, 560, 32767, {{0, S::Solid}, {1, S::Solid}, {2, S::Solid}, {1, S::Dash}}, false},
      {1213, 377, 6000, {{0, S::Solid}, {1, S::Solid}, {2, S::Solid}, {4, S::Solid}, {1, S::Dash}}, false},
      {2016, 1424, 32767, {{6, S::Solid}}, true},
  };
  for (const Size& size : sizes) {
    for (const Curve& curve : Curves(size.width, size.height, size.points, random)) {
      if (size.onlyQuickCurves && (curve.name == "noisy" || curve.name == "off the picture" ||
                                   curve.name == "right to left"))
        continue;
      for (const Pen& pen : size.pens) {
        SCOPED_TRACE(curve.name + ", " + std::to_string(size.width) + " x " + std::to_string(size.height) +
                     ", pen " + std::to_string(pen.width) + StyleName(pen.style));
        plat::BeginBitmap(size.width, size.height);
        plat::SetDrawingBitmap();
        plat::Canvas& canvas = plat::Surface();
        canvas.SetColour(kCurveColour);
        canvas.SetPenWidth(pen.width);
        canvas.SetPenStyle(pen.style);
        canvas.Polyline(curve.xs.data(), curve.ys.data(), static_cast<int>(curve.xs.size()));
        const QImage drawn = BitmapPicture(folder);
        plat::EndBitmap();

        QImage expected = WhitePicture(size.width, size.height);
        QPainter painter(&expected);
        painter.setPen(CurvePen(pen.width, pen.style));
        const std::vector<QPoint> points = QtPoints(curve);
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
        painter.end();
        ASSERT_EQ(RowsThatDiffer(drawn, expected), 0);
      }
    }
  }
}

TEST(LongFilledProfile, GivesThePixelsOfItsWholePolygonAndCurve) {
  const std::string folder = testsupport::MakeTempFolder("profile_pixels");
  std::mt19937 random(23);
  const int width = 640, height = 300;
  for (const Curve& curve : Curves(width, height, 3000, random)) {
    for (int penWidth : {1, 2, 3, 6}) {
      SCOPED_TRACE(curve.name + ", pen " + std::to_string(penWidth));
      const int baseline = height - 20;
      plat::BeginBitmap(width, height);
      plat::SetDrawingBitmap();
      plat::Canvas& canvas = plat::Surface();
      canvas.SetColour(kCurveColour);
      canvas.SetPenWidth(penWidth);
      canvas.FilledProfile(curve.xs.data(), curve.ys.data(), static_cast<int>(curve.xs.size()), baseline,
                           kFillColour);
      const QImage drawn = BitmapPicture(folder);
      plat::EndBitmap();

      // Every point: the area with its edge in the fill colour, then the curve.
      QImage expected = WhitePicture(width, height);
      QPainter painter(&expected);
      std::vector<QPoint> area = QtPoints(curve);
      area.emplace_back(curve.xs.back(), baseline);
      area.emplace_back(curve.xs.front(), baseline);
      QPen edge(Qt(kFillColour));
      edge.setWidth(0);
      edge.setCapStyle(Qt::RoundCap);
      edge.setJoinStyle(Qt::RoundJoin);
      painter.setPen(edge);
      painter.setBrush(Qt(kFillColour));
      painter.drawPolygon(area.data(), static_cast<int>(area.size()));
      painter.setBrush(Qt::NoBrush);
      painter.setPen(CurvePen(penWidth, plat::PenStyle::Solid));
      const std::vector<QPoint> points = QtPoints(curve);
      painter.drawPolyline(points.data(), static_cast<int>(points.size()));
      painter.end();
      ASSERT_EQ(RowsThatDiffer(drawn, expected), 0);
    }
  }
}

// Rectangles of several colours: overlapping ones (the later covers the
// earlier), reversed corners, halves rounded to even, one pixel, partly and
// wholly off the picture, and absurd coordinates.
std::vector<plat::ColouredBox> ColouredBoxes() {
  return {{10, 10, 40, 30, 0x0000FF},       {35, 25, 60, 50, 0x00FF00},  {70, 40, 50, 20, 0xFF0000},
          {-20, 80, 15, 120, 0x123456},     {500, 500, 600, 600, 0x654321}, {2.5, 60.5, 3.5, 61.5, 0x808080},
          {90, 5, 90, 5, 0x00FFFF},         {-1e9, 70, 1e9, 72, 0xABCDEF}, {119, 89, 119, 89, 0x010203}};
}

TEST(ColouredBoxes, GiveThePixelsOfOneFilledBoxEach) {
  const std::string folder = testsupport::MakeTempFolder("coloured_boxes");
  const std::vector<plat::ColouredBox> boxes = ColouredBoxes();
  plat::BeginBitmap(120, 90);
  plat::SetDrawingBitmap();
  plat::Surface().FilledBoxes(boxes.data(), static_cast<int>(boxes.size()));
  EXPECT_EQ(plat::Surface().State().colour, boxes.back().colour);
  const QImage drawn = BitmapPicture(folder);
  plat::EndBitmap();

  plat::BeginBitmap(120, 90);
  plat::SetDrawingBitmap();
  for (const plat::ColouredBox& b : boxes) {
    plat::Surface().SetColour(b.colour);
    plat::Surface().FilledBox(b.x1, b.y1, b.x2, b.y2);
  }
  const QImage expected = BitmapPicture(folder);
  plat::EndBitmap();
  EXPECT_EQ(RowsThatDiffer(drawn, expected), 0);
}

// A bit of every primitive, as a redraw draws them.
void DrawEveryPrimitive(plat::Canvas& canvas) {
  canvas.SetColour(0x000080);
  canvas.SetPenWidth(0);
  canvas.Line(3, 4, 150, 90);
  canvas.SetPenWidth(2);
  canvas.Box(10, 10, 190, 140);
  const std::vector<plat::ColouredBox> boxes = ColouredBoxes();
  canvas.FilledBoxes(boxes.data(), static_cast<int>(boxes.size()));
  canvas.SetColour(0x008000);
  canvas.FilledBox(150, 100, 170, 120);
  std::vector<int> xs, ys;
  for (int i = 0; i < 600; ++i) {
    xs.push_back(20 + i / 4);
    ys.push_back(80 + static_cast<int>(std::lround(40 * std::sin(i * 0.05))) + i % 3);
  }
  canvas.Polyline(xs.data(), ys.data(), static_cast<int>(xs.size()));
  canvas.FilledProfile(xs.data(), ys.data(), 200, 145, 0xC0C0C0);
  const int cx[3] = {120, 180, 150}, cy[3] = {20, 40, 70};
  canvas.FilledPolygon(cx, cy, 3);
  canvas.SetPenStyle(plat::PenStyle::Dash);
  canvas.Circle(100, 75, 30);
  canvas.SetPenStyle(plat::PenStyle::Solid);
  plat::FontSpec font;
  font.size = 10;
  canvas.SetFont(font);
  canvas.SetOpaqueText(true);
  canvas.Text(30, 20, "C 1s 284.8 eV");
  canvas.SetEscapement(900);
  canvas.Text(12, 130, "counts");
}

TEST(DrawingPass, GivesThePixelsOfAPainterForEachPrimitive) {
  const std::string folder = testsupport::MakeTempFolder("drawing_pass");
  plat::BeginBitmap(200, 150);
  plat::SetDrawingBitmap();
  {
    plat::DrawingPass pass(plat::Surface());
    plat::DrawingPass nested(plat::Surface());
    DrawEveryPrimitive(plat::Surface());
  }
  const QImage drawn = BitmapPicture(folder);
  plat::EndBitmap();

  plat::BeginBitmap(200, 150);
  plat::SetDrawingBitmap();
  DrawEveryPrimitive(plat::Surface());
  const QImage expected = BitmapPicture(folder);
  plat::EndBitmap();
  EXPECT_EQ(RowsThatDiffer(drawn, expected), 0);
}

}  // namespace
