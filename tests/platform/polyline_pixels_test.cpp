// Long curves on the painter canvas draw the points of a pixel column that
// show and leave out the others: the pixels must be those of the whole
// polyline with every segment drawn, for steep, flat, noisy and dashed
// curves, thin and wide pens, at several picture sizes, and for the filled
// profiles of the waterfall.
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
  return style == plat::PenStyle::Dash ? Qt::DashLine : style == plat::PenStyle::Dot ? Qt::DotLine : Qt::SolidLine;
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
  struct Size {
    int width, height, points;
  };
  const Size sizes[] = {{160, 90, 4000}, {800, 560, 32767}, {1213, 377, 6000}};
  struct Pen {
    int width;
    plat::PenStyle style;
  };
  const Pen pens[] = {{0, plat::PenStyle::Solid}, {1, plat::PenStyle::Solid}, {2, plat::PenStyle::Solid},
                      {3, plat::PenStyle::Solid}, {1, plat::PenStyle::Dash}};
  for (const Size& size : sizes) {
    for (const Curve& curve : Curves(size.width, size.height, size.points, random)) {
      for (const Pen& pen : pens) {
        // A wide pen strokes a long noisy curve slowly; it is tried on the
        // small picture only.
        if (pen.width == 3 && size.points > 4000) continue;
        SCOPED_TRACE(curve.name + ", " + std::to_string(size.width) + " x " + std::to_string(size.height) +
                     ", pen " + std::to_string(pen.width) + (pen.style == plat::PenStyle::Dash ? " dashed" : ""));
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
    for (int penWidth : {1, 2}) {
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

}  // namespace
