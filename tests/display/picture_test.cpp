// The picture a redraw leaves in a window-sized bitmap: white background,
// black frame, the spectrum in its colour inside the frame.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/model.h"
#include "display/redraw.h"
#include "display_fixture.h"
#include "platform/surfaces.h"
#include "support/test_support.h"

namespace sorvan {
namespace {

TEST(RedrawPicture, FrameAndCurveReachTheBitmap) {
  InitialiseModel();
  displaytest::SetPlotStyles();
  G.YGridLinesDefault = 0;
  const int w = 3;
  std::vector<double> v(1154);
  for (size_t i = 0; i < v.size(); ++i) {
    const double a = (double(i) - 600) / 45, b = (double(i) - 760) / 50;
    v[i] = 1200 + 900 * std::exp(-a * a) + 350 * std::exp(-b * b) + 250.0 * i / v.size();
  }
  displaytest::PlaceSpectrum(w, v, 1486.6 - 296.15, 0.01);
  plat::BeginBitmap(640, 440, w);
  RedrawWindow(w);
  const std::string folder = testsupport::MakeTempFolder("display_picture");
  const std::string path = folder + "/window.bmp";
  ASSERT_TRUE(plat::SaveBitmap(path));
  plat::EndBitmap();

  QImage image(QString::fromStdString(path));
  ASSERT_FALSE(image.isNull());
  // SORVAN_PICTURE names a PNG file to keep the picture for a look.
  if (const char* keep = std::getenv("SORVAN_PICTURE")) image.save(QString::fromUtf8(keep), "PNG");
  EXPECT_EQ(image.width(), 640);
  EXPECT_EQ(image.pixel(2, 2) & 0xFFFFFF, 0xFFFFFFu);  // background
  // The left edge of the frame, halfway down.
  const int midRow = (G.SpacingUnit + G.AxisY) / 2;
  EXPECT_EQ(image.pixel(G.PlotLeft, midRow) & 0xFFFFFF, 0x000000u);
  // Some pixels of the spectrum's colour (dark red) inside the plot.
  int curve = 0;
  for (int x = G.PlotLeft + 2; x < G.PlotRight - 2; ++x)
    for (int y = G.SpacingUnit + 2; y < G.AxisY - 2; ++y)
      if ((image.pixel(x, y) & 0xFFFFFF) == 0x800000u) ++curve;
  EXPECT_GT(curve, G.PlotWidth / 2);
}

// A curve drawn in one call looks like its segments drawn one by one: the
// rasteriser may set a few pixels differently where segments join.
TEST(RedrawPicture, PolylineMatchesItsSegments) {
  std::vector<int> xs, ys;
  for (int i = 0; i < 400; ++i) {
    xs.push_back(5 + i / 2);  // several points per pixel column, as in long spectra
    ys.push_back(100 + static_cast<int>(80 * std::sin(i / 17.0)) + (i % 3));
  }
  QImage pictures[2];
  for (int way = 0; way < 2; ++way) {
    plat::BeginBitmap(220, 200);
    plat::SetDrawingBitmap();
    plat::Canvas& c = plat::Surface();
    c.SetColour(0);
    c.SetPenWidth(1);
    if (way == 0) {
      for (size_t i = 0; i + 1 < xs.size(); ++i) c.Line(xs[i], ys[i], xs[i + 1], ys[i + 1]);
    } else {
      c.Polyline(xs.data(), ys.data(), static_cast<int>(xs.size()));
    }
    const std::string path = testsupport::MakeTempFolder("display_polyline") + "/p.bmp";
    ASSERT_TRUE(plat::SaveBitmap(path));
    plat::EndBitmap();
    pictures[way] = QImage(QString::fromStdString(path));
  }
  int differ = 0, dark0 = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 220; ++x) {
      differ += pictures[0].pixel(x, y) != pictures[1].pixel(x, y);
      dark0 += qGray(pictures[0].pixel(x, y)) < 128;
    }
  EXPECT_GT(dark0, 600);
  EXPECT_LE(differ, dark0 / 100);
}

}  // namespace
}  // namespace sorvan
