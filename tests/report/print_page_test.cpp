// The printed page of a window: the zone layout of each case, the header box
// texts, what reaches the recording printer, the print and print options
// pages driven through the menu, and a real PDF from the menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "core/menu_commands.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/text.h"
#include "report/print_blocks.h"
#include "report/print_page.h"
#include "report_fixture.h"

namespace {

using namespace sorvan;
using namespace reporttest;
using plat::DrawCall;
namespace script = plat::script;

class PrintPage : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    plat::SetRecordingPrinter(&page_);
  }
  PrintMetrics Metrics() { return MeasurePrintPage(page_); }

  plat::RecordingCanvas page_{4800, 6800, plat::RecordingCanvas::Metrics::Fixed};
};

TEST_F(PrintPage, ZoneLayoutFollowsHeaderFitAndHalfPage) {
  struct Case {
    const char* what;
    int header, fit, quantHalf, tickDirection;
    char layoutCase;
  };
  const Case cases[] = {
      {"plot only", 0, 0, 0, 0, 'A'},
      {"header box", 1, 0, 0, 0, 'B'},
      {"fit without header", 0, 1, 0, 0, 'C'},
      {"fit and header, half page", 1, 1, 1, 0, 'D'},
      {"fit and header, full page", 1, 1, 0, 0, 'E'},
      {"plot only, ticks outside", 0, 0, 0, 1, 'A'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Win[1].PrintHeaderBlock = static_cast<Byte>(c.header);
    Win[1].PrintFitTable = 1;
    Win[1].HasFit = 0;
    if (c.fit) GiveFit(1, 2);
    Win[0].PrintHeaderBlock = static_cast<Byte>(c.quantHalf);
    G.PrintSecondWindow = 0;
    G.PrintTickDirection = c.tickDirection;
    const PrintMetrics m = Metrics();
    const double W = m.W, H = m.H, r = m.r;
    EXPECT_DOUBLE_EQ(W, 4800 / 1.03);
    EXPECT_DOUBLE_EQ(H, 6800 / 1.02);
    const PrintZone z = LayoutPrintZone(1, 0, m, page_);
    EXPECT_EQ(z.layoutCase, c.layoutCase);
    const double B = c.quantHalf ? H / 2 : H;
    const double t = c.tickDirection != 0 ? m.t : 0;
    const double th12 = m.th[2], th13 = m.th[3];
    switch (c.layoutCase) {
      case 'A':
        EXPECT_DOUBLE_EQ(z.PT, H / 80 + H / 150);
        EXPECT_DOUBLE_EQ(z.PB, B - H / 60 - 2 * th13 - th12 - t);
        EXPECT_FALSE(z.wideHeader);
        break;
      case 'B':
        EXPECT_DOUBLE_EQ(z.PR, W - W / 45);
        EXPECT_DOUBLE_EQ(z.PT, H / 60 + 6.5 * r + 2 * H / 150);
        ASSERT_TRUE(z.wideHeader);
        EXPECT_DOUBLE_EQ(z.hbLeft, W / 20);
        EXPECT_DOUBLE_EQ(z.hbBottom, H / 60 + 6.5 * r);
        break;
      case 'C': {
        const double Zb = H - H / 60;
        EXPECT_DOUBLE_EQ(z.Zb, Zb);
        EXPECT_EQ(z.tableRows, 4);
        EXPECT_DOUBLE_EQ(z.tableTop, Zb - 4 * r);
        EXPECT_DOUBLE_EQ(z.Rb, Zb - 4 * r - H / 150);
        EXPECT_DOUBLE_EQ(z.Rt, z.Rb - H / 8);
        EXPECT_DOUBLE_EQ(z.PB, z.Rt - 3 * th13 - th12);
        break;
      }
      case 'D':
        EXPECT_DOUBLE_EQ(z.Zb, H / 2 - H / 80);
        EXPECT_DOUBLE_EQ(z.Rb - z.Rt, H / 17);
        ASSERT_TRUE(z.narrowHeader);
        EXPECT_GT(z.Xn, z.PR);
        EXPECT_DOUBLE_EQ(z.tableRight, z.Xn - W / 80);
        EXPECT_DOUBLE_EQ(z.sbTop, z.Zb - 4 * r);
        break;
      case 'E':
        EXPECT_DOUBLE_EQ(z.Zb, H - H / 80);
        EXPECT_DOUBLE_EQ(z.PT, H / 80 + 6.5 * r + 2 * H / 150);
        EXPECT_DOUBLE_EQ(z.Rb - z.Rt, H / 8);
        EXPECT_DOUBLE_EQ(z.hbLeft, z.PL - W / 20);
        break;
    }
    EXPECT_GT(z.PB, z.PT);
    EXPECT_GT(z.PR, z.PL);
  }
}

TEST_F(PrintPage, SecondWindowIsTheSameLayoutHalfAPageLower) {
  MakeSpectrumWindow(2, 11, 1200.0, 50.0, "O1s");
  G.OtherWindow = 2;
  G.PrintSecondWindow = 1;
  Win[2].PrintHeaderBlock = 1;
  Win[1].PrintHeaderBlock = 1;
  const PrintMetrics m = Metrics();
  const PrintZone upper = LayoutPrintZone(1, 0, m, page_);
  const PrintZone lower = LayoutPrintZone(2, 1, m, page_);
  EXPECT_DOUBLE_EQ(lower.PT, upper.PT + m.H / 2);
  EXPECT_DOUBLE_EQ(lower.PB, upper.PB + m.H / 2);
  EXPECT_DOUBLE_EQ(lower.hbTop, upper.hbTop + m.H / 2);
  EXPECT_DOUBLE_EQ(lower.zoneBottom, m.H);
}

TEST_F(PrintPage, ManyDoubletPeaksOnHalfAPageLeaveThePlotRoom) {
  MakeSpectrumWindow(2, 11, 1200.0, 50.0, "Au4f");
  GiveFit(1, 15);
  Win[1].PeakType = G.MessageTexts[52];
  Win[1].BackgroundState = 4;
  G.OtherWindow = 2;
  G.PrintSecondWindow = 1;
  const PrintMetrics m = Metrics();
  const PrintZone z = LayoutPrintZone(1, 0, m, page_);
  EXPECT_EQ(z.tableRows, 33);
  EXPECT_GE(z.PB - z.PT, m.H / 20 - 1e-6);
  EXPECT_LT(z.rowHeight, m.r);
  EXPECT_GE(z.tableTop, z.Rb);
}

TEST_F(PrintPage, TransmissionWindowKeepsItsPeakCount) {
  GiveFit(1, 1);
  Win[1].TransmissionActive = 1;
  script::AnswerDialog("print", "ok");
  int w = 1;
  PrintWindowPage(w);
  EXPECT_EQ(Win[1].PeakCount, 1);
}

TEST_F(PrintPage, HeaderBoxTexts) {
  WindowRecord& win = Win[1];
  win.SpectrumHeader.EndEnergy = 1201.594;  // binding 285.006
  win.SpectrumHeader.StartEnergy = 1200.0;
  win.EnergyShift = 0.124;
  G.GlobalEnergyOffset = 0.001;
  G.EnergyAxisMode = 0;
  const auto rows = WideHeaderTexts(1);
  EXPECT_EQ(rows[0][0], G.MessageTexts[81] + " C1s");
  EXPECT_EQ(rows[1][0], G.MessageTexts[98] + " " + plat::NumberToText(285.01) + " eV");
  EXPECT_EQ(rows[1][1], G.MessageTexts[99] + " " + plat::NumberToText(286.6) + " eV");
  EXPECT_EQ(rows[2][2], G.MessageTexts[12] + ": " + plat::NumberToText(1486.6) + " eV");
  EXPECT_EQ(rows[4][1], G.MessageTexts[117] + " " + plat::NumberToText(0.13) + " eV");
  EXPECT_EQ(rows[5][2], G.MessageTexts[97] + " 01.02.2026");
  G.EnergyAxisMode = 1;
  EXPECT_EQ(WideHeaderTexts(1)[1][0], G.MessageTexts[98] + " " + plat::NumberToText(1201.594) + " eV");
  const auto narrow = NarrowHeaderTexts(1);
  ASSERT_EQ(narrow.size(), 26u);
  // Whole, the path with this system's separators: the printout cuts them
  // to the box.
  EXPECT_EQ(narrow[3], "C:/data/spectra/C1s.vms");
  EXPECT_EQ(narrow[23], "survey of the test sample");
  EXPECT_EQ(WideHeaderTexts(1)[0][1], G.MessageTexts[115] + " C:/data/spectra/C1s.vms");
}

TEST_F(PrintPage, StatisticsAndBackgroundFormulaTexts) {
  GiveFit(1, 2);
  EXPECT_EQ(StatisticsLine(1, 0), G.MessageTexts[90] + plat::NumberToText(1.235));
  EXPECT_EQ(StatisticsLine(1, 1), G.LabelTexts[128] + plat::NumberToText(98.8));
  EXPECT_EQ(StatisticsLine(1, 2), G.MessageTexts[114] + plat::NumberToText(0.432));
  // Numbers are cut towards minus infinity: -2.000001 at 1e5 becomes -2.00001.
  auto& b = Win[1].BackgroundTermValue;
  b[1] = 1.234567;
  b[2] = -2.000001;
  b[3] = b[4] = b[5] = 0;
  b[6] = 0.5;
  const auto n = [](double v) { return plat::NumberToText(v); };
  EXPECT_EQ(BackgroundFormulaText(1), G.MessageTexts[107] + ": B(E)=" + n(1.23456) + "+" + n(-2.00001) + "*E+" +
                                          n(0) + "*E\u00B2+" + n(0) + "*E\u00B3+" + n(0) + "*S(E)+" + n(0.5) +
                                          "*T(E)");
}

TEST_F(PrintPage, PrintedPageHoldsFrameHeaderAndFitTable) {
  GiveFit(1, 2);
  Win[1].PrintHeaderBlock = 1;
  Win[1].PrintFitTable = 1;
  Win[0].PrintHeaderBlock = 0;
  const PrintMetrics m = Metrics();
  const PrintZone z = LayoutPrintZone(1, 0, m, page_);
  page_.Clear();
  script::Click("cmdOk91");
  script::AnswerDialog("print", "ok");
  plat::driver::ChooseMenu(1400);
  EXPECT_EQ(G.DialogResult, 1);
  const auto calls = page_.Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().kind, DrawCall::Kind::StartDocument);
  EXPECT_EQ(calls.front().text, "SORVAN");
  EXPECT_EQ(calls.back().kind, DrawCall::Kind::EndDocument);
  // The page background first, then the frame of the plot.
  const auto fills = page_.CallsOf(DrawCall::Kind::FilledBox);
  ASSERT_FALSE(fills.empty());
  EXPECT_DOUBLE_EQ(fills.front().x1, -1);
  EXPECT_DOUBLE_EQ(fills.front().x2, m.W);
  const auto boxes = page_.CallsOf(DrawCall::Kind::Box);
  auto hasBox = [&](double x1, double y1, double x2, double y2) {
    return std::any_of(boxes.begin(), boxes.end(), [&](const DrawCall& b) {
      return std::fabs(b.x1 - x1) < 1e-6 && std::fabs(b.y1 - y1) < 1e-6 && std::fabs(b.x2 - x2) < 1e-6 &&
             std::fabs(b.y2 - y2) < 1e-6;
    });
  };
  EXPECT_TRUE(hasBox(z.PL, z.PT - m.H / 150, z.PR, z.PB + m.H / 150)) << "plot frame";
  EXPECT_TRUE(hasBox(z.PL, z.Rt, z.PR, z.Rb)) << "residual strip";
  EXPECT_TRUE(hasBox(z.hbLeft, z.hbTop, z.hbRight, z.hbBottom)) << "header box";
  EXPECT_TRUE(hasBox(m.W / 20, z.tableTop, z.tableRight, z.Zb)) << "fit table";
  const auto texts = page_.Texts();
  auto shown = [&](const std::string& t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
  EXPECT_TRUE(shown(G.MessageTexts[81] + " C1s"));
  EXPECT_TRUE(shown(StatisticsLine(1, 0)));
  EXPECT_TRUE(shown(G.MessageTexts[37]));
  EXPECT_TRUE(shown(Win[1].XAxisTitle));
  EXPECT_EQ(G.PrintSecondWindow, 0);
  // Header texts in the first row at top + r/4.
  for (const DrawCall& c : page_.CallsOf(DrawCall::Kind::Text))
    if (c.text == G.MessageTexts[81] + " C1s") {
      EXPECT_DOUBLE_EQ(c.x1, z.hbLeft + m.c);
      EXPECT_DOUBLE_EQ(c.y1, z.hbTop + m.r / 4);
    }
}

TEST_F(PrintPage, FitTableOptionLeavesOutTableButKeepsStrip) {
  GiveFit(1, 1);
  Win[1].PrintHeaderBlock = 0;
  Win[1].PrintFitTable = 0;
  script::AnswerDialog("print", "ok");
  int w = 1;
  PrintWindowPage(w);
  const auto texts = page_.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), StatisticsLine(1, 0)), 0);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), G.MessageTexts[37]), 0);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), Win[1].ResidualTitle), 1);
}

TEST_F(PrintPage, CancelInThePrintDialogPrintsNothing) {
  G.OtherWindow = 0;
  script::Click("cmdOk91");
  script::AnswerDialog("print", "");
  plat::driver::ChooseMenu(1400);
  EXPECT_TRUE(page_.Calls().empty());
}

TEST_F(PrintPage, OptionsPageStoresTheBoxesOfBothWindows) {
  MakeSpectrumWindow(2, 11, 1200.0, 50.0, "O1s");
  GiveFit(2, 1);
  G.CurrentWindow = 1;
  Win[1].PrintHeaderBlock = 1;
  Win[1].PrintFitTable = 1;
  Win[2].PrintFitTable = 1;
  script::SetText("ed91", -1, "2");
  script::Click("cmd93");
  script::Expect([] { return !plat::Enabled(10, "chk103") && plat::Enabled(10, "chk104"); },
                 "fit-table box only for the fitted window");
  script::SetValue("chk101", -1, 0);
  script::SetValue("chk104", -1, 0);
  script::Click("cmdOk101");
  script::Expect([] { return plat::Text(9, "ed91") == plat::NumberToText(2); }, "second window kept");
  script::Click("cmdCancel92");
  plat::driver::ChooseMenu(1400);
  EXPECT_EQ(Win[1].PrintHeaderBlock, 0);
  EXPECT_EQ(Win[1].PrintFitTable, 1) << "no fit: the box does not store";
  EXPECT_EQ(Win[2].PrintFitTable, 0);
  EXPECT_EQ(G.OtherWindow, 2);
  EXPECT_EQ(G.PrintSecondWindow, 1);
  EXPECT_TRUE(page_.Calls().empty());
}

TEST_F(PrintPage, SecondWindowMustBeNoneOrAnOpenWindow) {
  const char* refused[] = {"2,7", "5", "101", "-1"};
  for (const char* typed : refused) {
    SCOPED_TRACE(typed);
    G.OtherWindow = 0;
    script::SetText("ed91", -1, typed);
    script::Click("cmdOk91");
    script::AnswerMessage(1);
    script::Click("cmdCancel92");
    plat::driver::ChooseMenu(1400);
    EXPECT_EQ(G.OtherWindow, 0);
    EXPECT_EQ(G.DialogResult, 2);
  }
  EXPECT_TRUE(page_.Calls().empty());
}

TEST_F(PrintPage, QuantificationTableTakesTheLowerHalfAndBreaksPages) {
  GiveFit(1, 15);
  Win[0].PrintHeaderBlock = 1;
  G.QuantWindowCount = 5;
  for (int i = 1; i <= 5; ++i) {
    G.QuantWindows[i] = 1;
    for (int p = 1; p <= 15; ++p) {
      G.QuantLineName[i][p] = "C1s";
      G.QuantFactor[i][p] = p == 2 ? 0 : 1.5;
      G.QuantKineticEnergy[i][p] = 1201.5;
    }
  }
  G.SensitivityName = "wag factors";
  script::AnswerDialog("print", "ok");
  int w = 1;
  PrintWindowPage(w);
  const PrintMetrics m = Metrics();
  const auto texts = page_.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Ekin/eV"), 2) << "head row again on the new page";
  EXPECT_EQ(page_.CallsOf(DrawCall::Kind::NewPage).size(), 1u);
  for (const DrawCall& c : page_.CallsOf(DrawCall::Kind::Text)) {
    EXPECT_LE(c.y1, m.H) << c.text;
    if (c.text == "C1s") {
      EXPECT_GT(c.y1, 0);
    }
  }
  // A WAG table: dashes for sigma, lambda and transmission, factors shown.
  EXPECT_GE(std::count(texts.begin(), texts.end(), "- - -"), 75 * 3);
  EXPECT_NE(std::find(texts.begin(), texts.end(), plat::NumberToText(1201.5)), texts.end());
}

// A later window choice (here a stacked view over two other windows) leaves
// the quantification its own windows and line names: the printout still
// shows what was quantified.
TEST_F(PrintPage, TheQuantificationKeepsItsWindowsAfterALaterChoice) {
  GiveFit(1, 2);
  MakeSpectrumWindow(2, 11, 1200.0, 50.0, "Fe2p");
  MakeSpectrumWindow(3, 11, 1200.0, 60.0, "O1s");
  GiveFit(2, 1);
  GiveFit(3, 1);
  plat::driver::FocusWindow(1);
  script::Click("chk201", 1);
  script::Click("cmdOk201");
  script::Click("cmdCancel212");
  plat::driver::ChooseMenu(CmdQuantify);
  script::Click("chk201", 2);
  script::Click("chk201", 3);
  script::Click("cmdOk201");
  plat::driver::ChooseMenu(CmdStackedView);
  ASSERT_EQ(G.ChosenWindowCount, 2);

  plat::driver::FocusWindow(1);
  Win[0].PrintHeaderBlock = 1;
  page_.Clear();
  script::Click("cmdOk91");
  script::AnswerDialog("print", "ok");
  plat::driver::ChooseMenu(CmdPrintWindow);
  const auto texts = page_.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Ekin/eV"), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Fe2p"), 0);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "O1s"), 0);
  // One row for each of window 1's two peaks, named by its spectrum, in the
  // table of the lower half.
  const PrintMetrics m = Metrics();
  int rows = 0;
  for (const DrawCall& c : page_.CallsOf(DrawCall::Kind::Text))
    if (c.text == "C1s" && c.y1 > m.H / 2) ++rows;
  EXPECT_EQ(rows, 2);
}

// Long texts on paper of the proportions of a real page (A4 at 96 dots per
// inch, measured in the real font): every text of a box ends inside it,
// before the logo, and before the next text of its row; what was cut shows
// "...", and numbers stay whole.
TEST_F(PrintPage, LongTextsStayInsideTheirBoxes) {
  plat::RecordingCanvas paper(794, 1123, plat::RecordingCanvas::Metrics::Font96Dpi);
  plat::SetRecordingPrinter(&paper);
  WindowRecord& win = Win[1];
  win.SpectrumHeader.Comment =
      "Sputtered 30 min with Ar+ at 3 keV, then annealed at 450 C under UHV; second run after recalibration";
  win.SpectrumHeader.Date = "14-9-2005";
  win.SpectrumHeader.SourceInfo = "Monochromated Al K alpha, spot 400 micrometres, flood gun on";
  win.SourcePath = "C:\\Measurements\\2005\\September\\Catalyst series B\\after annealing\\Probe_\u00E4\u00F6\u00FC_\u00B5.vms";
  GiveFit(1, 2);
  win.FitReducedChi2 = 12.3456;
  win.FitChi2 = 123456.78;
  win.FitSerialCorrelation = -0.4321;
  struct Case {
    const char* what;
    int header, quantHalf;
    bool fit;
    bool transmission = false;
  };
  const Case cases[] = {{"fit and header, full page", 1, 0, true},
                        {"fit and header, half page", 1, 1, true},
                        {"fit without header", 0, 0, true},
                        {"header without fit", 1, 0, false},
                        {"transmission function without header", 0, 0, true, true},
                        {"transmission function, header on half a page", 1, 1, true, true}};
  // A fitted transmission function: every coefficient with its digits.
  const double coefficients[11] = {0, 1.2345, -0.0123, 0.0456, -0.0789, 0.0101, 31.6228, -0.5123, 0, 0, 0};
  for (int i = 1; i <= 10; ++i) {
    win.TransmissionCoef[i] = coefficients[i];
    win.TransmissionCoefFixed[i] = i > 7 ? 1 : 0;
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    win.TransmissionActive = c.transmission ? 1 : 0;
    win.HasFit = c.fit ? 1 : 0;
    win.PrintHeaderBlock = static_cast<Byte>(c.header);
    win.PrintFitTable = 1;
    Win[0].PrintHeaderBlock = static_cast<Byte>(c.quantHalf);
    paper.Clear();
    script::Click("cmdOk91");
    script::AnswerDialog("print", "ok");
    plat::driver::ChooseMenu(1400);
    const PrintMetrics m = MeasurePrintPage(paper);
    const PrintZone z = LayoutPrintZone(1, 0, m, paper);
    struct Room {
      const char* name;
      double left, top, right, bottom;
    };
    std::vector<Room> rooms;
    if (z.wideHeader) {
      // The logo takes the right seventh of the header box.
      double right = z.hbRight;
      for (const DrawCall& p : paper.CallsOf(DrawCall::Kind::Picture))
        if (p.x1 > z.hbLeft && p.y1 < z.hbBottom && p.y1 > z.hbTop) right = std::min(right, p.x1);
      rooms.push_back({"header box", z.hbLeft, z.hbTop, right, z.hbBottom});
    }
    if (z.narrowHeader) rooms.push_back({"narrow header box", z.Xn, z.nbTop, z.Xn + z.bw, z.nbBottom});
    if (z.statsBox) rooms.push_back({"statistics box", z.Xn, z.sbTop, z.Xn + z.bw, z.sbBottom});
    if (z.fitTable) rooms.push_back({"fit table", z.tableLeft, z.tableTop, z.tableRight, z.Zb});
    ASSERT_FALSE(rooms.empty());
    struct Placed {
      double left, right, y;
      std::string text;
    };
    std::vector<std::vector<Placed>> inRoom(rooms.size());
    std::vector<std::string> texts;
    for (DrawCall t : paper.CallsOf(DrawCall::Kind::Text)) {
      if (t.state.font.escapement != 0) continue;
      texts.push_back(t.text);
      paper.SetFont(t.state.font);
      const double right = t.x1 + paper.TextWidth(t.text);
      for (std::size_t k = 0; k < rooms.size(); ++k) {
        const Room& room = rooms[k];
        if (t.x1 < room.left || t.x1 >= room.right || t.y1 < room.top || t.y1 >= room.bottom) continue;
        EXPECT_LE(right, room.right) << "'" << t.text << "' runs out of the " << room.name;
        inRoom[k].push_back({t.x1, right, t.y1, t.text});
      }
    }
    for (std::size_t k = 0; k < rooms.size(); ++k) {
      auto& placed = inRoom[k];
      std::sort(placed.begin(), placed.end(),
                [](const Placed& a, const Placed& b) { return a.y != b.y ? a.y < b.y : a.left < b.left; });
      for (std::size_t i = 0; i + 1 < placed.size(); ++i)
        if (placed[i].y == placed[i + 1].y) {
          EXPECT_LE(placed[i].right, placed[i + 1].left)
              << "'" << placed[i].text << "' runs into '" << placed[i + 1].text << "' in the " << rooms[k].name;
        }
    }
    auto shown = [&](const std::string& t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
    // A text that starts and ends so.
    auto shownAs = [&](const std::string& start, const std::string& end) {
      return std::any_of(texts.begin(), texts.end(), [&](const std::string& x) {
        return x.size() >= start.size() + end.size() && x.rfind(start, 0) == 0 &&
               x.compare(x.size() - end.size(), end.size(), end) == 0;
      });
    };
    // The file name and its nearest folders, with this system's separators.
    const std::string file = "/after annealing/Probe_\u00E4\u00F6\u00FC_\u00B5.vms";
    if (z.wideHeader) {
      EXPECT_TRUE(shown(G.MessageTexts[97] + " 14-9-2005")) << "the date whole";
      EXPECT_TRUE(shownAs(G.MessageTexts[96] + " Sputtered 30 min", "...")) << "the comment cut";
      EXPECT_TRUE(shownAs(G.MessageTexts[115] + " .../", file)) << "the path cut on the left";
    }
    if (z.narrowHeader) {
      EXPECT_TRUE(shownAs(".../", "Probe_\u00E4\u00F6\u00FC_\u00B5.vms"));
    }
    if (c.fit) {
      for (int line : {0, 1, 2}) EXPECT_TRUE(shown(StatisticsLine(1, line))) << "statistics line " << line;
    }
  }
}

class PrintToPdf : public ReportTest {};

TEST_F(PrintToPdf, MenuPrintWritesAPdfFile) {
  GiveFit(1, 2);
  const std::string pdf = TempNative("page.pdf");
  plat::SetPrintToPdf(pdf);
  script::Click("cmdOk91");
  plat::driver::ChooseMenu(1400);
  std::ifstream in(pdf, std::ios::binary);
  ASSERT_TRUE(in.good());
  std::string head(4, '\0');
  in.read(head.data(), 4);
  EXPECT_EQ(head, "%PDF");
}

TEST_F(PrintToPdf, APrinterThatCannotStartSaysSoForThePageAndTheReport) {
  GiveFit(1, 2);
  UpdateMenuState(1);
  // A PDF file in a folder that does not exist cannot be written.
  plat::SetPrintToPdf(TempNative("no such folder/out.pdf"));
  script::Click("cmdOk91");
  script::AnswerMessage(1);
  plat::driver::ChooseMenu(1400);
  ASSERT_EQ(plat::MessagesShown().size(), 1u);
  script::Click("cmd203");
  script::Click("cmdOk201");
  script::AnswerMessage(1);
  plat::driver::ChooseMenu(1500);
  ASSERT_EQ(plat::MessagesShown().size(), 2u);
  EXPECT_EQ(plat::MessagesShown()[1].text, plat::MessagesShown()[0].text) << "the same message";
  EXPECT_EQ(G.CommandId, 2);
  EXPECT_FALSE(plat::DocumentOpen());
}

TEST_F(PrintToPdf, PrinterSetupCommandRuns) {
  script::AnswerDialog("printsetup", "");
  plat::driver::ChooseMenu(1300);
  plat::driver::Finish();
}

}  // namespace
