// The painter canvas on a hidden bitmap: pixels where the primitives were
// drawn, clamping of absurd coordinates, measurement and the saved BMP.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdint>
#include <string>

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

TEST(BitmapSurface, RedirectsOneWindowAndSavesTwentyFourBitBmp) {
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
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[28]), 24);  // bits per pixel
  QImage image(QString::fromStdString(folder + "/w5.bmp"));
  EXPECT_EQ(ColourAt(image, 39, 29), kRed);
}

}  // namespace
