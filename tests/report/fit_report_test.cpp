// The printed fit and error reports: the place of every block and the page
// breaks, the texts of a block, what reaches the recording printer from the
// menu, and real PDF files with one block per window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "fit/fit_format.h"
#include "platform/controls.h"
#include "platform/text.h"
#include "report/fit_report.h"
#include "report/print_blocks.h"
#include "report_fixture.h"

namespace {

using namespace sorvan;
using namespace reporttest;
using plat::DrawCall;
namespace script = plat::script;

void Choose(std::initializer_list<int> windows) {
  int i = 0;
  for (int w : windows) G.ChosenWindows[++i] = w;
  G.ChosenWindowCount = static_cast<Int16>(i);
}

void MakeDoublets(int w, int peaks) {
  GiveFit(w, peaks);
  Win[w].PeakType = G.MessageTexts[52];
}

class FitReport : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    plat::SetRecordingPrinter(&page_);
    MakeSpectrumWindow(2, 11, 1200.0, 50.0, "O1s");
    MakeSpectrumWindow(3, 11, 1200.0, 70.0, "N1s");
    m_ = MeasureReportPage(page_.Width(), page_.Height());
  }
  std::vector<double> Tops() {
    std::vector<double> tops;
    for (const ReportBlockPlace& p : PlaceReportBlocks(m_)) tops.push_back(p.top);
    return tops;
  }

  plat::RecordingCanvas page_{4800, 6800, plat::RecordingCanvas::Metrics::Fixed};
  ReportMetrics m_;
};

TEST_F(FitReport, PageQuantitiesAreWholeUnits) {
  EXPECT_EQ(m_.W, 4571);  // 4800 / 1.05
  EXPECT_EQ(m_.H, 6476);
  EXPECT_EQ(m_.c, 35);
  EXPECT_EQ(m_.r, 81);
  EXPECT_EQ(m_.L, 381);
  EXPECT_EQ(m_.T, 324);
}

TEST_F(FitReport, BlocksFollowEachOtherAndBreakBeforeTheyPassTheLine) {
  const double T = m_.T, r = m_.r;
  // Window 2 has no fit: it takes no room.
  GiveFit(1, 1);
  GiveFit(3, 2);
  Choose({1, 2, 3});
  auto places = PlaceReportBlocks(m_);
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[1].window, 3);
  EXPECT_EQ(places[1].top, T + 9 * r);
  EXPECT_EQ(places[1].page, 1);

  // Blocks of one peak take 9 rows each; the eighth would end below 70/80
  // of the page and starts the second page, although its top lies above.
  Choose({1, 1, 1, 1, 1, 1, 1, 1});
  places = PlaceReportBlocks(m_);
  ASSERT_EQ(places.size(), 8u);
  EXPECT_EQ(places[6].page, 1);
  EXPECT_LE(places[6].top + ReportBlockHeight(1, m_), m_.H * 70.0 / 80);
  EXPECT_LT(places[7 - 1].top + 9 * r, m_.H * 70.0 / 80) << "its top lies above the line";
  EXPECT_EQ(places[7].page, 2);
  EXPECT_EQ(places[7].top, T);

  // A doublet of 15 peaks takes 38 rows: the second such block goes to a
  // new page.
  MakeDoublets(2, 15);
  EXPECT_EQ(ReportTableRows(2), 30);
  Choose({2, 2});
  places = PlaceReportBlocks(m_);
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[1].page, 2);
  EXPECT_EQ(places[1].top, T);
  // The fitted background line adds a row to the block's height.
  const double without = ReportBlockHeight(2, m_);
  Win[2].BackgroundState = 4;
  EXPECT_EQ(ReportBlockHeight(2, m_), without + r);
}

TEST_F(FitReport, BlockTexts) {
  GiveFit(1, 1);
  WindowRecord& win = Win[1];
  const auto less = [](const std::string& t) { return t.substr(1); };
  const auto& M = G.MessageTexts;
  const auto& L = G.LabelTexts;
  EXPECT_EQ(ReportBlockLabel(1, false), M[47] + "/" + less(G.MenuTexts[62]) + "/" + less(L[2]));
  win.PeakModel = 1;
  win.RelativeMode = 1;
  win.ErrorMethod = 1;
  win.ErrorsInPercent = 1;
  EXPECT_EQ(ReportBlockLabel(1, false), M[47] + "/" + less(G.MenuTexts[63]) + "/" + less(L[3]));
  EXPECT_EQ(ReportBlockLabel(1, true), L[102] + "/" + less(L[117]) + "/" + less(L[3]));
  EXPECT_EQ(ReportColumnHeads(1, false),
            (std::vector<std::string>{M[37], M[121], M[126], M[122], M[123], M[45], M[46]}));
  EXPECT_EQ(ReportColumnHeads(1, true), (std::vector<std::string>{M[37] + "/%", L[104] + "/%", M[126] + "/%",
                                                                   L[103] + "/%", M[123] + "/%", M[45] + "/%",
                                                                   M[46] + "/%"}));
  win.PeakModel = 0;
  win.ErrorsInPercent = 0;
  EXPECT_EQ(ReportColumnHeads(1, true),
            (std::vector<std::string>{M[37], M[122], M[126] + "/eV", M[40], M[123], M[45], M[46]}));

  // The background errors: cut, not rounded; the empty term keeps its place.
  const auto n = [](double v) { return plat::NumberToText(v); };
  win.BackgroundTermError[1] = 0.123456789;
  win.BackgroundTermError[2] = kEmptyResultCell;
  win.BackgroundTermError[3] = 2.0e-6;
  for (int k = 4; k <= 6; ++k) win.BackgroundTermError[k] = 0;
  EXPECT_EQ(ErrorBackgroundLine(1), M[107] + ":   A=" + n(0.12345) + ", B= -----, C=" + n(0.000002) +
                                        ", D=" + n(0) + ", E=" + n(0) + ", F=" + n(0) + ",");
  win.ErrorsInPercent = 1;
  win.PeakType = M[52];
  EXPECT_EQ(ErrorBackgroundLine(1), M[107] + ":  A=" + n(0.12345) + "%, B= -----, C=" + n(0) + "%, D=" +
                                        n(0) + "%, E=" + n(0) + "%, F=" + n(0) + "%,");

  win.FitReducedChi2 = 1.23456;
  win.FitChi2 = 98.765;
  win.FitSerialCorrelation = 0.43216;
  const std::string doublet = M[90] + n(1.235) + "  " + L[128] + n(98.8) + "  " + M[114] + n(0.432);
  EXPECT_EQ(ReportStatisticsLine(1, false), doublet);
  EXPECT_EQ(ReportStatisticsLine(1, true), doublet);
  win.PeakType = M[47];
  EXPECT_EQ(ReportStatisticsLine(1, true),
            M[90] + n(1.235) + "   " + L[128] + n(98.8) + "  " + M[114] + n(0.4322));
}

TEST_F(FitReport, MenuPrintsTheChosenFittedWindowsAtTheirPlaces) {
  GiveFit(1, 1);
  GiveFit(3, 2);
  Win[3].BackgroundState = 4;
  UpdateMenuState(1);
  // The window choice lists the fitted windows 1 and 3.
  script::Expect([] { return plat::ControlExists(20, "chk201", 2) && !plat::ControlExists(20, "chk201", 3); },
                 "two fitted windows");
  script::Click("cmd203");
  script::Click("cmdOk201");
  script::AnswerDialog("print", "ok");
  plat::driver::ChooseMenu(1500);
  const auto calls = page_.Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().kind, DrawCall::Kind::StartDocument);
  EXPECT_EQ(calls.front().text, "Sorvan");
  EXPECT_EQ(calls.back().kind, DrawCall::Kind::EndDocument);
  EXPECT_TRUE(page_.CallsOf(DrawCall::Kind::NewPage).empty());

  auto at = [&](const std::string& text) {
    std::vector<std::pair<double, double>> places;
    for (const DrawCall& c : page_.CallsOf(DrawCall::Kind::Text))
      if (c.text == text) places.emplace_back(c.x1, c.y1);
    return places;
  };
  const double L = m_.L, T = m_.T, r = m_.r, W = m_.W;
  const std::string label = "     " + ReportBlockLabel(1, false);
  EXPECT_EQ(at("C1s" + label), (std::vector<std::pair<double, double>>{{L, T + 2 * r}}));
  const double top3 = T + 9 * r;
  EXPECT_EQ(at("N1s" + label), (std::vector<std::pair<double, double>>{{L, top3 + 2 * r}}));
  // The source path in this system's form, as the page printout shows it.
  EXPECT_EQ(at("C:/data/spectra/N1s.vms"), (std::vector<std::pair<double, double>>{{L, top3}}));
  EXPECT_TRUE(at(Win[3].SourcePath).empty());
  // Window 3: the position head, the position of peak 2 and its area.
  const double head = top3 + 3 * r + r / 2;
  EXPECT_EQ(at(G.MessageTexts[126]).size(), 2u);
  EXPECT_EQ(at(G.MessageTexts[126])[1], std::make_pair(L + 3 * W / 7.5, head));
  FormatParameterValue(3, 2, 5);
  const auto position = at(G.NumberText);
  EXPECT_NE(std::find(position.begin(), position.end(), std::make_pair(L + 3 * W / 7.5, head + 2 * r)),
            position.end());
  FormatPeakAreas(3, 2, 300);
  EXPECT_EQ(at(G.NumberText2), (std::vector<std::pair<double, double>>{{L + 6.3 * W / 7.5, head + 2 * r}}));
  // Background formula and statistics below the table.
  EXPECT_EQ(at(BackgroundFormulaText(3)), (std::vector<std::pair<double, double>>{{L, top3 + 3 * r + 4 * r}}));
  // (Window 1 has the same statistics, one block higher.)
  EXPECT_EQ(at(ReportStatisticsLine(3, false)),
            (std::vector<std::pair<double, double>>{{L, T + 3 * r + 3 * r}, {L, top3 + 3 * r + 5 * r}}));
}

TEST_F(FitReport, CancelInTheWindowChoiceOrThePrintDialogPrintsNothing) {
  GiveFit(1, 1);
  Win[1].ErrorTableValid = 1;
  UpdateMenuState(1);
  script::Click("cmdCancel202");
  plat::driver::ChooseMenu(31121);
  script::Click("cmd203");
  script::Click("cmdOk201");
  script::AnswerDialog("print", "");
  plat::driver::ChooseMenu(31121);
  EXPECT_TRUE(page_.Calls().empty());
}

TEST_F(FitReport, NoChosenWindowGivesAnEmptyDocument) {
  for (bool errors : {false, true}) {
    page_.Clear();
    Choose({});
    script::AnswerDialog("print", "ok");
    errors ? PrintFitErrorReport() : PrintFitReport();
    std::vector<DrawCall::Kind> kinds;
    for (const DrawCall& c : page_.Calls())
      if (c.kind != DrawCall::Kind::Text) kinds.push_back(c.kind);
    EXPECT_EQ(kinds, (std::vector<DrawCall::Kind>{DrawCall::Kind::StartDocument, DrawCall::Kind::EndDocument}));
    EXPECT_TRUE(page_.Texts().empty());
  }
}

// ---- Real PDF files ----

// Lines of the text that begin (after blanks) with `start`.
int LinesStartingWith(const std::string& text, const std::string& start) {
  std::istringstream in(text);
  std::string line;
  int count = 0;
  while (std::getline(in, line)) {
    const std::size_t a = line.find_first_not_of(" \f");
    if (a != std::string::npos && line.compare(a, start.size(), start) == 0) ++count;
  }
  return count;
}

class ReportPdf : public ReportTest {};

TEST_F(ReportPdf, BothReportsHoldOneBlockPerWindowOverSeveralPages) {
  // Seven fitted windows of 8 doublet peaks: 24 rows a block, two blocks a page.
  const char* names[7] = {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot", "Golf"};
  for (int w = 1; w <= 7; ++w) {
    if (w > 1) MakeSpectrumWindow(w, 11, 1200.0, 10.0 * w, names[w - 1]);
    Win[w].SpectrumHeader.Name = names[w - 1];
    MakeDoublets(w, 8);
    Win[w].ErrorTableValid = 1;
  }
  UpdateMenuState(1);
  for (int command : {1500, 31121}) {
    SCOPED_TRACE(command);
    const std::string pdf = TempNative("report" + std::to_string(command) + ".pdf");
    plat::SetPrintToPdf(pdf);
    script::Click("cmd203");
    script::Click("cmdOk201");
    plat::driver::ChooseMenu(command);
    const std::string text = testsupport::PdfText(pdf);
    ASSERT_FALSE(text.empty()) << "pdftotext could not read " << pdf;
    for (const char* name : names) EXPECT_EQ(LinesStartingWith(text, name), 1) << name;
    // pdftotext ends every page with a form feed.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 4);
  }
}

}  // namespace
