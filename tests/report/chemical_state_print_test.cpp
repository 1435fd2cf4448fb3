// The printout of a chemical-state plot through the print command: its
// frame with the screen's tick options, the grid and Auger-parameter lines
// in the printer's line styles, the three tick scales with the two upright
// axis titles, and the window's labels at their energies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "display/plotters.h"
#include "display/views.h"
#include "platform/text.h"
#include "report/print_page.h"
#include "report_fixture.h"

namespace {

using namespace sorvan;
using namespace reporttest;
using plat::DrawCall;
namespace script = plat::script;

constexpr int kPlot = 2;
constexpr int kGridColour = 0x00AA00;
constexpr int kAugerColour = 0xAA0000;
constexpr int kFrameColour = 0x000011;

class ChemicalStatePrint : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    plat::SetRecordingPrinter(&page_);
    // Cu metal and Cu2O: a = b + c.
    const double entries[2][3] = {{1851.2, 932.6, 918.6}, {1849.3, 932.5, 916.8}};
    OpenSpectrumWindow(kPlot, "Copper");
    WindowRecord& win = Win[kPlot];
    win.WindowKind = ChemicalStatePlot;
    win.ShowYScale = 1;
    win.ChemStateListName = "Copper";
    win.ChemStatePointCount = 2;
    win.SpectrumHeader.PointCount = 2;
    DimSlotData(kPlot);
    for (int k = 1; k <= 2; ++k)
      for (int c = 1; c <= 3; ++c) SlotData[kPlot](k, c) = entries[k - 1][c - 1];
    win.ChemStateXMin = 931;
    win.ChemStateXMax = 936;
    win.ChemStateYMin = 914;
    win.ChemStateYMax = 920;
    win.ChemStateXSpan = 5;
    win.ChemStateYSpan = 6;
    win.AnnotationCount = 1;
    win.TitleLabelCount = 1;
    Labels[LabelIndex(kPlot, 1)] = LabelRecord{"Cu2O", 933, 917, "Copper oxides", 935.5, 919.5};
    G.LineColours[GridLine + 10] = kGridColour;
    G.LineColours[AugerParameterLine + 10] = kAugerColour;
    G.LineColours[FrameLine + 10] = kFrameColour;
    G.LineStyles[GridLine + 10] = 0;  // solid: one stroke per line
    G.LineStyles[AugerParameterLine + 10] = 0;
    G.LineColours[GridLine] = 1;  // the screen entries are not used
    G.LineColours[AugerParameterLine] = 1;
    G.FontName[11] = "DejaVu Serif";
    G.FontName[1] = "DejaVu Sans Mono";
    G.TickDirection = 1;  // outside, from the screen options
    G.PrintTickDirection = 0;
    G.MinorTicksX = 0;
    G.LabelTexts[82] = "Auger parameter";
    win.PrintHeaderBlock = 0;
    Win[0].PrintHeaderBlock = 0;
    RedrawWindow(kPlot);
    G.CurrentWindow = kPlot;
    UpdateMenuState(kPlot);
  }

  void Print() {
    page_.Clear();
    script::Click("cmdOk91");
    script::AnswerDialog("print", "ok");
    plat::driver::ChooseMenu(1400);
  }

  std::vector<DrawCall> LinesIn(int colour) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : page_.CallsOf(DrawCall::Kind::Line))
      if (c.state.colour == colour) out.push_back(c);
    return out;
  }
  const DrawCall* TextCall(const std::string& text) {
    for (const DrawCall& c : page_.Calls())
      if (c.kind == DrawCall::Kind::Text && c.text == text) return &c;
    return nullptr;
  }

  plat::RecordingCanvas page_{4800, 6800, plat::RecordingCanvas::Metrics::Fixed};
};

TEST_F(ChemicalStatePrint, AxesTitlesAndLinesFollowThePlot) {
  const PrintMetrics m = MeasurePrintPage(page_);
  const PrintZone z = LayoutPrintZone(kPlot, 0, m, page_);
  Print();
  const double PW = z.PR - z.PL, PH = z.PB - z.PT;

  // Grid lines at the four inner binding-energy ticks and the five inner
  // kinetic-energy ticks, in the printer's grid style.
  const std::vector<DrawCall> grid = LinesIn(kGridColour);
  EXPECT_EQ(grid.size(), 9u);
  // The Auger-parameter diagonals of the entries, in the printer's style.
  LoadWorkData(kPlot, 1, 1, 2);
  const std::vector<ChemicalStateLine> expected = ChemicalStateAugerLines(kPlot);
  ASSERT_FALSE(expected.empty());
  const std::vector<DrawCall> auger = LinesIn(kAugerColour);
  ASSERT_EQ(auger.size(), expected.size());
  EXPECT_NEAR(auger[0].x1, z.PL + expected[0].east1 * PW / 5, 1);
  EXPECT_NEAR(auger[0].y2, z.PT + expected[0].down2 * PH / 6, 1);
  EXPECT_TRUE(LinesIn(1).empty()) << "no screen style on paper";

  // Ticks reach outside the frame below it, as the screen options say.
  const double y0 = z.PB + m.H / 150;
  int outside = 0;
  for (const DrawCall& c : LinesIn(kFrameColour))
    if (std::fabs(c.y1 - y0) < 1e-6 && std::fabs(c.y2 - (y0 + m.t)) < 1e-6) ++outside;
  EXPECT_EQ(outside, 6);

  // Three titles: binding energy below, the two others upright.
  const DrawCall* binding = TextCall(G.BindingEnergyTitle);
  const DrawCall* kinetic = TextCall(G.KineticEnergyTitle);
  const DrawCall* parameter = TextCall("Auger parameter / eV");
  ASSERT_NE(binding, nullptr);
  ASSERT_NE(kinetic, nullptr);
  ASSERT_NE(parameter, nullptr);
  EXPECT_EQ(binding->state.font.escapement, 0);
  EXPECT_EQ(kinetic->state.font.escapement, 900);
  EXPECT_EQ(parameter->state.font.escapement, 900);
  EXPECT_LT(kinetic->x1, z.PL);
  EXPECT_GT(parameter->x1, z.PR);
  // The tick scales of all three axes.
  EXPECT_NE(TextCall(plat::NumberToText(936)), nullptr);
  EXPECT_NE(TextCall(plat::NumberToText(920)), nullptr);
  EXPECT_NE(TextCall(plat::NumberToText(936 + 914)), nullptr);

  // The labels at their energies, in the printer's text classes.
  const DrawCall* annotation = TextCall("Cu2O");
  ASSERT_NE(annotation, nullptr);
  EXPECT_NEAR(annotation->x1, z.PL + (936 - 933) * PW / 5, 1e-6);
  EXPECT_NEAR(annotation->y1, z.PT + (920 - 917) * PH / 6, 1e-6);
  EXPECT_EQ(annotation->state.font.name, "DejaVu Serif");
  const DrawCall* title = TextCall("Copper oxides");
  ASSERT_NE(title, nullptr);
  EXPECT_NEAR(title->x1, z.PL + 0.5 * PW / 5, 1e-6);
}

TEST_F(ChemicalStatePrint, ALabelWaitingForItsClickIsNotPrinted) {
  G.PendingLabelWindow = kPlot;
  G.PendingLabelIndex = 1;
  Print();
  EXPECT_EQ(TextCall("Cu2O"), nullptr);
  EXPECT_NE(TextCall("Copper oxides"), nullptr);
}

}  // namespace
