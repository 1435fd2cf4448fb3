// Drawing into real spectrum windows and answering the printer dialogs from a
// test script.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>

#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "platform/qt_internal.h"
#include "platform/surfaces.h"
#include "support/test_support.h"

namespace {

int ColourAt(const QImage& image, int x, int y) {
  QColor c = image.pixelColor(x, y);
  return c.red() + 256 * c.green() + 65536 * c.blue();
}

class WindowDrawing : public ::testing::Test {
 protected:
  void SetUp() override { plat::driver::Reset(); }
  void TearDown() override {
    plat::SetDrawingMainWindow();
    plat::SetPrintToPdf("");
    plat::driver::Reset();
  }
};

TEST_F(WindowDrawing, DrawsIntoTheBackingImageOfTheWindow) {
  plat::OpenSpectrumWindow(3, 0, 0, 400, 300, "window 3");
  ASSERT_TRUE(plat::SpectrumWindowOpen(3));
  plat::SetDrawingWindow(3);
  plat::Canvas& canvas = plat::Surface();
  EXPECT_EQ(canvas.Width(), plat::ClientWidth(3));
  EXPECT_EQ(canvas.Height(), plat::ClientHeight(3));
  canvas.SetColour(0x0000FF);
  canvas.FilledBox(-1, -1, canvas.Width(), canvas.Height());
  canvas.SetColour(0xFF0000);
  canvas.Line(5, 20, 100, 20);
  plat::FlushSurface();
  QImage* image = plat::detail::BackingImage(3);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(ColourAt(*image, 0, 0), 0x0000FF);
  EXPECT_EQ(ColourAt(*image, 50, 20), 0xFF0000);
  EXPECT_EQ(ColourAt(*image, 50, 21), 0x0000FF);
}

TEST_F(WindowDrawing, FollowsTheImageAcrossAResize) {
  plat::OpenSpectrumWindow(4, 0, 0, 300, 200, "window 4");
  plat::SetDrawingWindow(4);
  double before = plat::Surface().Width();
  plat::driver::ResizeWindow(4, 500, 400);
  EXPECT_GT(plat::Surface().Width(), before);
  EXPECT_EQ(plat::Surface().Width(), plat::ClientWidth(4));
  plat::Surface().SetColour(0x00FF00);
  plat::Surface().FilledBox(0, 0, plat::Surface().Width() - 1, plat::Surface().Height() - 1);
  QImage* image = plat::detail::BackingImage(4);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(ColourAt(*image, image->width() - 1, image->height() - 1), 0x00FF00);
}

TEST_F(WindowDrawing, AClosedWindowDrawsNothingAndStillMeasures) {
  plat::OpenSpectrumWindow(5, 0, 0, 300, 200, "window 5");
  plat::DestroySpectrumWindow(5);
  plat::SetDrawingWindow(5);
  plat::Surface().Line(0, 0, 10, 10);
  EXPECT_EQ(plat::Surface().Width(), 0);
  EXPECT_GT(plat::Surface().TextWidth("XPS"), 0);
}

TEST_F(WindowDrawing, BitmapRedirectLeavesTheWindowAlone) {
  plat::OpenSpectrumWindow(6, 0, 0, 300, 200, "window 6");
  plat::SetDrawingWindow(6);
  plat::Surface().SetColour(0xFFFFFF);
  plat::Surface().FilledBox(-1, -1, plat::Surface().Width(), plat::Surface().Height());
  int width = plat::ClientWidth(6), height = plat::ClientHeight(6);
  plat::BeginBitmap(4 * width, 4 * height, 6);
  plat::SetDrawingWindow(6);
  EXPECT_EQ(plat::Surface().Width(), 4 * width);
  plat::Surface().SetColour(0x0000FF);
  plat::Surface().FilledBox(-1, -1, plat::Surface().Width(), plat::Surface().Height());
  plat::EndBitmap();
  QImage* image = plat::detail::BackingImage(6);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(ColourAt(*image, 10, 10), 0xFFFFFF);
  EXPECT_EQ(plat::Surface().Width(), width);  // window 6 is itself again
}

TEST_F(WindowDrawing, ScriptedPrinterDialogs) {
  std::string folder = testsupport::MakeTempFolder("printer_script");
  // The CI may print everything to a PDF file; the script is asked only
  // when no such target is in force.
  if (std::getenv("SORVAN_PRINT_TO_PDF")) GTEST_SKIP() << "printing forced to PDF";
  struct Case {
    const char* kind;
    std::string answer;
    bool accepted;
  } cases[] = {{"printsetup", "", false},
               {"printsetup", "ok", true},
               {"print", "", false},
               {"print", folder + "/scripted.pdf", true}};
  for (const Case& c : cases) {
    plat::script::AnswerDialog(c.kind, c.answer);
    bool accepted = std::string(c.kind) == "print" ? plat::ShowPrintDialog() : plat::ShowPrinterSetup();
    EXPECT_EQ(accepted, c.accepted) << c.kind << " '" << c.answer << "'";
  }
  plat::driver::Finish();
  // The last answer chose a PDF file: the document goes there.
  ASSERT_TRUE(plat::StartDocument("SORVAN"));
  plat::PrinterCanvas().Text(100, 100, "scripted");
  plat::EndDocument();
  EXPECT_FALSE(testsupport::ReadFile(folder + "/scripted.pdf").empty());
}

}  // namespace
