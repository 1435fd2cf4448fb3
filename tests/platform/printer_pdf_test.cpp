// Printing headless into a PDF file: the document, its pages and texts, the
// page size, and measurement on the printer's own device.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/printer.h"
#include "platform/surfaces.h"
#include "support/test_support.h"

namespace {

class PdfPrinter : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = testsupport::MakeTempFolder("printer_pdf");
    pdf_ = folder_ + "/page.pdf";
    plat::SetPrintToPdf(pdf_);
  }
  void TearDown() override {
    plat::EndDocument();
    plat::SetDrawingMainWindow();
    plat::SetPrintToPdf("");
  }
  std::string folder_, pdf_;
};

TEST_F(PdfPrinter, PagesAndTheirTextsReachTheFile) {
  ASSERT_TRUE(plat::ShowPrinterSetup());
  ASSERT_TRUE(plat::ShowPrintDialog());
  ASSERT_TRUE(plat::StartDocument("SORVAN"));
  EXPECT_TRUE(plat::DocumentOpen());
  plat::SetDrawingPrinter();
  plat::Canvas& page = plat::Surface();
  double w = plat::PageWidth(), h = plat::PageHeight();
  page.SetColour(0xFFFFFF);
  page.FilledBox(-1, -1, w, h);
  plat::FontSpec font;
  font.name = "Arial";
  font.size = 12;
  page.SetFont(font);
  page.SetColour(0);
  page.Text(w / 20, h / 80, "Acquisition C1s Kalpha");
  page.Box(w / 20, h / 10, w - w / 45, h / 2);
  page.Line(w / 20, h / 4, w - w / 45, h / 4);
  const int xs[] = {600, 900, 900, 600};
  const int ys[] = {3000, 3000, 3300, 3300};
  page.FilledPolygon(xs, ys, 4);
  font.escapement = 900;
  page.SetFont(font);
  page.Text(w / 40, h / 2, "Intensity");
  plat::NewPage();
  font.escapement = 0;
  page.SetFont(font);
  page.Text(w / 20, h / 80, "Second page \u00B5m");  // the micro sign
  plat::EndDocument();
  EXPECT_FALSE(plat::DocumentOpen());

  std::string text = testsupport::PdfText(pdf_);
  ASSERT_FALSE(text.empty()) << "pdftotext could not read " << pdf_;
  size_t first = text.find("Acquisition C1s Kalpha");
  size_t formFeed = text.find('\f');
  size_t second = text.find("Second page \u00B5m");
  EXPECT_NE(first, std::string::npos);
  EXPECT_NE(text.find("Intensity"), std::string::npos);
  EXPECT_NE(second, std::string::npos);
  EXPECT_LT(first, formFeed);   // first page
  EXPECT_GT(second, formFeed);  // second page
}

TEST_F(PdfPrinter, PageIsTheA4PaintableAreaAtSixHundredDots) {
  // A4 is 4961 x 7016 dots at 600 dpi; the paintable area lies inside.
  double w = plat::PageWidth(), h = plat::PageHeight();
  EXPECT_GT(w, 4500);
  EXPECT_LE(w, 4961);
  EXPECT_GT(h, 6500);
  EXPECT_LE(h, 7016);
  EXPECT_EQ(plat::PrinterCanvas().Width(), w);
  EXPECT_EQ(plat::PrinterCanvas().Height(), h);
}

TEST_F(PdfPrinter, MeasuresOnThePrinterOutsideAnyDocument) {
  plat::FontSpec font;
  font.size = 10;
  plat::Canvas& printer = plat::PrinterCanvas();
  printer.SetFont(font);
  plat::SetDrawingMainWindow();
  plat::Surface().SetFont(font);
  double printed = printer.TextWidth("abGFdwnbdGhtek");
  double screen = plat::Surface().TextWidth("abGFdwnbdGhtek");
  ASSERT_GT(screen, 0);
  // 600 dots per inch against 96 on the screen.
  EXPECT_NEAR(printed / screen, 600.0 / 96.0, 0.4);
  EXPECT_NEAR(printer.TextHeight("XPS") / plat::Surface().TextHeight("XPS"), 600.0 / 96.0, 0.4);
  // Drawing with no document open goes nowhere and starts no print job.
  printer.Line(0, 0, 100, 100);
  EXPECT_FALSE(plat::DocumentOpen());
}

TEST_F(PdfPrinter, AnUnwritableFileStartsNoDocument) {
  plat::SetPrintToPdf(folder_ + "/missing folder/x.pdf");
  EXPECT_FALSE(plat::StartDocument("Sorvan"));
  EXPECT_FALSE(plat::DocumentOpen());
}

TEST_F(PdfPrinter, LogoFallsBackToSvgThenPngAndIsSkippedWhenMissing) {
  std::string logo = folder_ + "/logo";
  testsupport::WriteFile(logo + "/logo.svg",
                         "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>"
                         "<rect width='10' height='10' fill='red'/></svg>");
  ASSERT_TRUE(plat::StartDocument("SORVAN"));
  plat::SetDrawingPrinter();
  EXPECT_TRUE(plat::Surface().Picture(plat::ProgramPath(logo + "/logo.wmf"), 100, 100, 500, 300));
  EXPECT_FALSE(plat::Surface().Picture(plat::ProgramPath(folder_ + "/none/logo.wmf"), 0, 0, 9, 9));
  plat::EndDocument();
}

}  // namespace
