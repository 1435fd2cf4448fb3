// The painter canvas on a hidden bitmap: pixels where the primitives were
// drawn, clamping of absurd coordinates, measurement and the saved BMP.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/surfaces.h"
#include "platform/files.h"
#include "platform/text.h"
#include "support/test_support.h"

namespace {

constexpr int kRed = 0x0000FF;
constexpr int kBlue = 0xFF0000;
constexpr int kWhite = 0xFFFFFF;

// Saves the bitmap surface and reads it back, so that the tests look at the
// very file the program writes.
QImage SavedPicture(const std::string& tag) {
  std::string folder = testsupport::MakeTempFolder(tag);
  std::string path = folder + "/picture.bmp";
  EXPECT_TRUE(plat::SaveBitmap(plat::ProgramPath(path)));
  QImage image(QString::fromStdString(path));
  EXPECT_FALSE(image.isNull());
  return image;
}

int ColourAt(const QImage& image, int x, int y) {
  QColor c = image.pixelColor(x, y);
  return c.red() + 256 * c.green() + 65536 * c.blue();
}

class BitmapCanvas : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::BeginBitmap(200, 100);
    plat::SetDrawingBitmap();
  }
  void TearDown() override { plat::EndBitmap(); }
  plat::Canvas& canvas() { return plat::Surface(); }
};

TEST_F(BitmapCanvas, LineBoxAndFilledBoxLandOnTheirPixels) {
  canvas().SetColour(kRed);
  canvas().SetPenWidth(0);
  canvas().Line(10, 10, 100, 10);
  canvas().SetColour(kBlue);
  canvas().Box(20, 30, 60, 70);
  canvas().SetColour(0x00FF00);
  canvas().FilledBox(150, 40, 140, 50);  // corners in any order, both included

  QImage image = SavedPicture("bitmap_primitives");
  ASSERT_EQ(image.width(), 200);
  ASSERT_EQ(image.height(), 100);
  struct Case {
    int x, y, colour;
  } cases[] = {
      {10, 10, kRed},     {55, 10, kRed},     {100, 10, kRed},    {55, 11, kWhite},
      {20, 30, kBlue},    {60, 30, kBlue},    {20, 70, kBlue},    {60, 70, kBlue},
      {40, 50, kWhite},   {61, 50, kWhite},   {19, 50, kWhite},   {140, 40, 0x00FF00},
      {150, 50, 0x00FF00}, {145, 45, 0x00FF00}, {151, 45, kWhite}, {145, 51, kWhite},
      {139, 45, kWhite},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ColourAt(image, c.x, c.y), c.colour) << "at " << c.x << "," << c.y;
}

TEST_F(BitmapCanvas, WidePenCoversItsWidth) {
  canvas().SetColour(kRed);
  canvas().SetPenWidth(5);
  canvas().Line(20, 50, 180, 50);
  QImage image = SavedPicture("bitmap_widepen");
  for (int y : {48, 50, 52}) EXPECT_EQ(ColourAt(image, 100, y), kRed) << y;
  EXPECT_EQ(ColourAt(image, 100, 55), kWhite);
}

TEST_F(BitmapCanvas, FilledPolygonAndCircle) {
  canvas().SetColour(kBlue);
  const int xs[] = {10, 60, 60, 10};
  const int ys[] = {10, 10, 40, 40};
  canvas().FilledPolygon(xs, ys, 4);
  canvas().SetColour(kRed);
  canvas().Circle(130, 50, 30);
  QImage image = SavedPicture("bitmap_polygon");
  EXPECT_EQ(ColourAt(image, 35, 25), kBlue);
  EXPECT_EQ(ColourAt(image, 100, 50), kRed);   // left edge of the circle
  EXPECT_EQ(ColourAt(image, 130, 20), kRed);   // top edge
  EXPECT_EQ(ColourAt(image, 130, 50), kWhite);  // an outline: the middle stays
}

TEST_F(BitmapCanvas, FarCoordinatesAreClampedNotWrapped) {
  // A line to x = 70000 would wrap to a small value in 16 bits and one to
  // 1e12 would overflow an int; clamped, both run off to the right.
  canvas().SetColour(kRed);
  canvas().Line(10, 20, 70000, 20);
  canvas().Line(10, 60, 1e12, 60);
  canvas().SetColour(kBlue);
  canvas().FilledBox(-1e15, 80, 1e15, 85);
  canvas().Text(1e300, -1e300, "never seen");
  QImage image = SavedPicture("bitmap_clamp");
  for (int x : {11, 100, 199}) {
    EXPECT_EQ(ColourAt(image, x, 20), kRed) << x;
    EXPECT_EQ(ColourAt(image, x, 60), kRed) << x;
  }
  EXPECT_EQ(ColourAt(image, 5, 20), kWhite);  // nothing left of the start
  for (int x : {0, 100, 199}) EXPECT_EQ(ColourAt(image, x, 82), kBlue) << x;
}

// A profile drawn in one call looks exactly like its area drawn as a filled
// polygon in the fill colour and the thinnest pen, then its curve drawn
// over it: with several points a pixel column, points going back along a
// row or a column, the curve below its baseline, wide and dashed pens.
TEST(BitmapProfile, LooksLikeItsPolygonAndCurve) {
  struct Case {
    const char* name;
    std::vector<int> xs, ys;
    int baseline, penWidth;
    plat::PenStyle style;
  };
  std::vector<int> noisyX, noisyY, backX, backY;
  for (int i = 0; i < 600; ++i) {
    noisyX.push_back(10 + i / 4);  // four points a column, as a long spectrum
    noisyY.push_back(120 - static_cast<int>(90 * std::exp(-std::pow((i - 300) / 60.0, 2))) + (i * 7) % 5);
  }
  for (int i = 0; i < 40; ++i) {  // steps that go back along rows and columns
    backX.push_back(20 + 4 * i + (i % 3 == 1 ? -6 : 0));
    backY.push_back(100 - (i / 4) * 6 + (i % 4 == 2 ? 9 : 0));
  }
  const std::vector<int> reversedX(noisyX.rbegin(), noisyX.rend()), reversedY(noisyY.rbegin(), noisyY.rend());
  const Case cases[] = {
      {"noisy, pen 1", noisyX, noisyY, 125, 1, plat::PenStyle::Solid},
      {"noisy, thinnest pen", noisyX, noisyY, 125, 0, plat::PenStyle::Solid},
      {"noisy, pen 3", noisyX, noisyY, 125, 3, plat::PenStyle::Solid},
      {"noisy, dashed", noisyX, noisyY, 125, 1, plat::PenStyle::Dash},
      {"right to left", reversedX, reversedY, 125, 1, plat::PenStyle::Solid},
      {"below its baseline", noisyX, noisyY, 70, 1, plat::PenStyle::Solid},
      {"going back", backX, backY, 130, 1, plat::PenStyle::Solid},
      {"flat", {30, 60, 90, 120, 150}, {80, 80, 80, 80, 80}, 100, 1, plat::PenStyle::Solid},
      {"two points", {40, 41}, {20, 90}, 95, 1, plat::PenStyle::Solid},
  };
  const std::string folder = testsupport::MakeTempFolder("bitmap_profile");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int count = static_cast<int>(c.xs.size());
    QImage pictures[2];
    for (int way = 0; way < 2; ++way) {
      plat::BeginBitmap(200, 150);
      plat::SetDrawingBitmap();
      plat::Canvas& canvas = plat::Surface();
      canvas.SetPenStyle(c.style);
      canvas.SetPenWidth(c.penWidth);
      canvas.SetColour(kRed);
      if (way == 0) {
        std::vector<int> xs = c.xs, ys = c.ys;
        xs.insert(xs.end(), {c.xs.back(), c.xs.front()});
        ys.insert(ys.end(), {c.baseline, c.baseline});
        const plat::DrawState curve = canvas.State();
        canvas.SetColour(kBlue);
        canvas.SetPenStyle(plat::PenStyle::Solid);
        canvas.SetPenWidth(0);
        canvas.FilledPolygon(xs.data(), ys.data(), count + 2);
        canvas.SetState(curve);
        canvas.Polyline(c.xs.data(), c.ys.data(), count);
      } else {
        canvas.FilledProfile(c.xs.data(), c.ys.data(), count, c.baseline, kBlue);
        EXPECT_EQ(canvas.State().colour, kRed);
        EXPECT_EQ(canvas.State().penWidth, c.penWidth);
      }
      const std::string path = folder + "/way" + std::to_string(way) + ".bmp";
      ASSERT_TRUE(plat::SaveBitmap(plat::ProgramPath(path)));
      plat::EndBitmap();
      pictures[way] = QImage(QString::fromStdString(path));
    }
    int differ = 0, filled = 0;
    for (int y = 0; y < 150; ++y)
      for (int x = 0; x < 200; ++x) {
        differ += pictures[0].pixel(x, y) != pictures[1].pixel(x, y);
        filled += ColourAt(pictures[0], x, y) == kBlue;
      }
    EXPECT_GT(filled, 0);
    EXPECT_EQ(differ, 0);
  }
}

// A long curve with many points a pixel column is drawn with fewer segments;
// its pixels are those of the whole polyline drawn point by point.
TEST(BitmapPolyline, LongCurveDrawsTheSamePixelsAsEveryPoint) {
  std::vector<int> denseX, denseY, backX, backY;
  for (int i = 0; i < 4000; ++i) {  // twenty points a column, noisy
    denseX.push_back(5 + i / 20);
    denseY.push_back(130 - static_cast<int>(110 * std::exp(-std::pow((i - 2000) / 300.0, 2))) + (i * 37) % 11);
  }
  for (int i = 0; i < 900; ++i) {  // runs that go back and forth, and repeat points
    backX.push_back(190 - i / 6 + (i % 13 == 0 ? 1 : 0));
    backY.push_back(20 + (i * 53) % 97 + (i % 6 == 5 ? 0 : 1));
  }
  const std::vector<int> reversedX(denseX.rbegin(), denseX.rend()), reversedY(denseY.rbegin(), denseY.rend());
  struct Case {
    const char* name;
    const std::vector<int>& xs;
    const std::vector<int>& ys;
  };
  const Case cases[] = {{"dense", denseX, denseY}, {"right to left", reversedX, reversedY}, {"back and forth", backX, backY}};
  const std::string folder = testsupport::MakeTempFolder("bitmap_polyline");
  for (const Case& c : cases) {
    for (int width : {0, 1}) {
      SCOPED_TRACE(::testing::Message() << c.name << ", pen " << width);
      const int count = static_cast<int>(c.xs.size());
      plat::BeginBitmap(200, 150);
      plat::SetDrawingBitmap();
      plat::Canvas& canvas = plat::Surface();
      canvas.SetPenStyle(plat::PenStyle::Solid);
      canvas.SetPenWidth(width);
      canvas.SetColour(kRed);
      canvas.Polyline(c.xs.data(), c.ys.data(), count);
      const std::string path = folder + "/curve.bmp";
      ASSERT_TRUE(plat::SaveBitmap(plat::ProgramPath(path)));
      plat::EndBitmap();
      const QImage drawn(QString::fromStdString(path));

      QImage every(200, 150, QImage::Format_RGB32);
      every.fill(Qt::white);
      {
        QPainter p(&every);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(QColor(255, 0, 0));
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        std::vector<QPoint> points;
        for (int i = 0; i < count; ++i) points.emplace_back(c.xs[i], c.ys[i]);
        p.drawPolyline(points.data(), count);
      }
      int differ = 0, red = 0;
      for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) {
          differ += ColourAt(drawn, x, y) != ColourAt(every, x, y);
          red += ColourAt(every, x, y) == kRed;
        }
      EXPECT_GT(red, 200);
      EXPECT_EQ(differ, 0);
    }
  }
}

TEST(PixelOf, RoundsHalvesToEvenAndClamps) {
  struct Case {
    double in;
    int out;
  } cases[] = {{0.5, 0},         {1.5, 2},          {2.5, 2},
               {-0.5, 0},        {-1.5, -2},        {3.49, 3},
               {70000, 70000},   {1e7, 1000000},    {-1e300, -1000000},
               {std::nan(""), 0}};
  for (const Case& c : cases) EXPECT_EQ(plat::PixelOf(c.in), c.out) << c.in;
}

TEST_F(BitmapCanvas, TextIsDrawnFromTheTopLeftOfItsCell) {
  plat::FontSpec font;
  font.size = 20;
  canvas().SetFont(font);
  canvas().SetColour(0);
  canvas().Text(10, 10, "MMMM");
  double height = canvas().TextHeight("MMMM");
  double width = canvas().TextWidth("MMMM");
  QImage image = SavedPicture("bitmap_text");
  int dark = 0, above = 0, left = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (ColourAt(image, x, y) != kWhite) {
        ++dark;
        if (y < 10) ++above;
        if (x < 10) ++left;
        EXPECT_LT(y, 10 + height);
        EXPECT_LT(x, 10 + width + 1);
      }
  EXPECT_GT(dark, 50);
  EXPECT_EQ(above, 0);
  EXPECT_EQ(left, 0);
}

TEST_F(BitmapCanvas, RotatedTextRunsUpwardFromItsAnchor) {
  plat::FontSpec font;
  font.size = 14;
  font.escapement = 900;
  canvas().SetFont(font);
  canvas().SetColour(0);
  canvas().Text(20, 90, "MMMMMM");
  double width = canvas().TextWidth("MMMMMM");
  QImage image = SavedPicture("bitmap_rotated");
  int minY = 1000, maxY = -1, minX = 1000;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (ColourAt(image, x, y) != kWhite) {
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
        minX = std::min(minX, x);
      }
  ASSERT_GE(maxY, 0) << "nothing drawn";
  EXPECT_LE(maxY, 90);                  // nothing below the anchor
  EXPECT_GE(minY, 90 - width - 1);      // runs up by its width
  EXPECT_LT(minY, 90 - width / 2);
  EXPECT_GE(minX, 20);                  // the cell lies right of the anchor
}

TEST_F(BitmapCanvas, OpaqueTextFillsItsCell) {
  plat::FontSpec font;
  font.size = 12;
  canvas().SetFont(font);
  canvas().SetColour(0);
  canvas().SetOpaqueText(true);
  canvas().SetTextBackColour(kBlue);
  canvas().Text(50, 20, "il");
  QImage image = SavedPicture("bitmap_opaque");
  EXPECT_EQ(ColourAt(image, 50, 20), kBlue);
  EXPECT_EQ(ColourAt(image, 49, 20), kWhite);
}

TEST(BitmapPicture, TriesTheMetafileThenSvgThenPng) {
  std::string folder = testsupport::MakeTempFolder("bitmap_picture");
  QImage png(4, 4, QImage::Format_RGB32);
  png.fill(QColor(0, 0, 255));
  ASSERT_TRUE(png.save(QString::fromStdString(folder + "/logo.png"), "PNG"));
  testsupport::WriteFile(folder + "/both/logo.svg",
                         "<svg xmlns='http://www.w3.org/2000/svg' width='4' height='4'>"
                         "<rect width='4' height='4' fill='#ff0000'/></svg>");
  testsupport::WriteFile(folder + "/both/logo.png", testsupport::ReadFile(folder + "/logo.png"));
  testsupport::WriteFile(folder + "/pngonly/logo.png", testsupport::ReadFile(folder + "/logo.png"));
  testsupport::WriteFile(folder + "/broken/logo.wmf", "not a picture");
  testsupport::WriteFile(folder + "/broken/logo.svg", "<svg broken");
  struct Case {
    std::string sub;
    bool drawn;
    int colour;
  } cases[] = {{"both", true, kRed}, {"pngonly", true, kBlue}, {"broken", false, kWhite},
               {"absent", false, kWhite}};
  for (const Case& c : cases) {
    plat::BeginBitmap(50, 50);
    plat::SetDrawingBitmap();
    EXPECT_EQ(plat::Surface().Picture(plat::ProgramPath(folder + "/" + c.sub + "/logo.wmf"), 10,
                                      10, 40, 40),
              c.drawn)
        << c.sub;
    QImage image = SavedPicture("bitmap_picture_" + c.sub);
    EXPECT_EQ(ColourAt(image, 25, 25), c.colour) << c.sub;
    EXPECT_EQ(ColourAt(image, 5, 5), kWhite) << c.sub;
    plat::EndBitmap();
  }
}

TEST(Measurement, WorksOutsideAnyDrawing) {
  // No surface chosen, no window open: the main window measures as a screen.
  plat::SetDrawingMainWindow();
  plat::FontSpec font;
  font.size = 10;
  plat::Surface().SetFont(font);
  EXPECT_GT(plat::Surface().TextWidth("ABC DFG HIJ WMHGfg"), 0);
  EXPECT_GT(plat::Surface().TextHeight("XPS"), 0);
  EXPECT_GT(plat::Surface().CharWidth(), 0);
  // A window that is not open measures the same way.
  plat::Canvas& closed = plat::WindowCanvas(42);
  closed.SetFont(font);
  EXPECT_DOUBLE_EQ(closed.TextWidth("XPS"), plat::Surface().TextWidth("XPS"));
  closed.Line(0, 0, 10, 10);  // draws nowhere, no crash
  EXPECT_EQ(closed.Width(), 0);
}

TEST(Measurement, ArialResolvesToAMetricTwin) {
  // Layouts are computed from Arial; the metric-compatible Liberation Sans
  // must stand in for it, not whatever default font the system picks.
  plat::Canvas& canvas = plat::WindowCanvas(43);
  plat::FontSpec font;
  font.size = 10;
  font.name = "Liberation Sans";
  canvas.SetFont(font);
  double liberation = canvas.TextWidth("ABC DFG HIJ WMHGfg");
  font.name = "Arial";
  canvas.SetFont(font);
  EXPECT_DOUBLE_EQ(canvas.TextWidth("ABC DFG HIJ WMHGfg"), liberation);
  font.bold = true;
  canvas.SetFont(font);
  EXPECT_GT(canvas.TextWidth("ABC DFG HIJ WMHGfg"), liberation);
}

TEST(BitmapSurface, RedirectsOneWindowAndSavesRunLengthEncodedBmp) {
  plat::BeginBitmap(40, 30, 5);
  plat::SetDrawingWindow(5);
  EXPECT_EQ(plat::Surface().Width(), 40);
  EXPECT_EQ(plat::Surface().Height(), 30);
  plat::Surface().SetColour(kRed);
  plat::Surface().FilledBox(0, 0, 39, 29);
  std::string folder = testsupport::MakeTempFolder("bitmap_bmp");
  ASSERT_TRUE(plat::SaveBitmap(plat::ProgramPath(folder + "/w5.bmp")));
  EXPECT_FALSE(plat::SaveBitmap(plat::ProgramPath(folder + "/no such folder/w5.bmp")));
  plat::EndBitmap();
  EXPECT_FALSE(plat::BitmapActive());
  EXPECT_FALSE(plat::SaveBitmap(plat::ProgramPath(folder + "/again.bmp")));

  std::string bytes = testsupport::ReadFile(folder + "/w5.bmp");
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[28]), 8);  // bits per pixel
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[30]), 1);  // BI_RLE8
  QImage image(QString::fromStdString(folder + "/w5.bmp"));
  EXPECT_EQ(ColourAt(image, 39, 29), kRed);
}

// Rows of runs, of single pixels that differ from both neighbours (absolute
// mode, of odd and even length) and of pairs: a reader gets every pixel back.
// A picture of at most 256 colours is written with a palette of exactly its
// colours, run-length encoded; one of more with 24 bits a pixel.
TEST(BitmapSurface, EveryPixelKeepsItsColour) {
  struct Case {
    int colours, bits, compression;
  } cases[] = {{3, 8, 1}, {250, 8, 1}, {256, 8, 1}, {257, 24, 0}, {600, 24, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.colours << " colours");
    const int width = 613, height = 7;
    plat::BeginBitmap(width, height);
    plat::SetDrawingBitmap();
    // Colours 0 .. c.colours - 1 (red byte the low bits, blue the high),
    // each of them somewhere in the picture.
    auto shade = [&](int k) { return (k % 256) + 65536 * (k / 256); };
    auto colourOf = [&](int x, int y) {
      if (y == 0) return shade(x < 300 ? 1 % c.colours : 2 % c.colours);  // two long runs
      if (y == 1) return shade((x / 2) % c.colours);                       // pairs
      if (y == 2 && x % 7 == 0) return shade(0);                           // short stretches
      return shade((x + 3 * y) % c.colours);
    };
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        plat::Surface().SetColour(colourOf(x, y));
        plat::Surface().FilledBox(x, y, x, y);
      }
    const std::string folder = testsupport::MakeTempFolder("bitmap_colours");
    ASSERT_TRUE(plat::SaveBitmap(plat::ProgramPath(folder + "/picture.bmp")));
    plat::EndBitmap();
    const std::string bytes = testsupport::ReadFile(folder + "/picture.bmp");
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[28]), c.bits);         // bits per pixel
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[30]), c.compression);  // BI_RLE8 or BI_RGB
    const QImage image(QString::fromStdString(folder + "/picture.bmp"));
    ASSERT_EQ(image.width(), width);
    ASSERT_EQ(image.height(), height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) ASSERT_EQ(ColourAt(image, x, y), colourOf(x, y)) << x << "," << y;
  }
}

}  // namespace
