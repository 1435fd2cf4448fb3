// A recording canvas standing in for the printer: page size, document and
// page events, and the drawing in between.
#include <gtest/gtest.h>

#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "platform/surfaces.h"

namespace {

using plat::DrawCall;

TEST(RecordingPrinter, RecordsDocumentsPagesAndDrawing) {
  plat::RecordingCanvas page(4800, 6800);
  plat::SetRecordingPrinter(&page);
  EXPECT_EQ(plat::PageWidth(), 4800);
  EXPECT_EQ(plat::PageHeight(), 6800);
  plat::NewPage();  // outside a document: nothing
  ASSERT_TRUE(plat::StartDocument("Sorvan"));
  EXPECT_TRUE(plat::DocumentOpen());
  plat::SetDrawingPrinter();
  plat::Surface().Text(100, 200, "C 1s");
  plat::NewPage();
  plat::Surface().Line(0, 0, 4800, 0);
  plat::EndDocument();
  plat::SetDrawingMainWindow();
  EXPECT_FALSE(plat::DocumentOpen());
  plat::SetRecordingPrinter(nullptr);

  std::vector<DrawCall::Kind> kinds;
  for (const DrawCall& c : page.Calls()) kinds.push_back(c.kind);
  EXPECT_EQ(kinds, (std::vector<DrawCall::Kind>{DrawCall::Kind::StartDocument, DrawCall::Kind::Text,
                                                DrawCall::Kind::NewPage, DrawCall::Kind::Line,
                                                DrawCall::Kind::EndDocument}));
  EXPECT_EQ(page.Calls()[0].text, "Sorvan");
  EXPECT_EQ(page.Calls()[1].text, "C 1s");
}

}  // namespace
