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

}  // namespace
}  // namespace sorvan
