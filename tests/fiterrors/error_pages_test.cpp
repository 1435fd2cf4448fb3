// The error pages reached from the error command of a window whose error
// table is valid: what they show in absolute and percent mode, the unit
// toggle, the state cells, the background page, and when they do not open.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../shell/shell_fixture.h"
#include "../shell/test_spectra.h"
#include "core/model.h"
#include "fit/fit_format.h"
#include "fiterrors/error_pages.h"
#include "fiterrors/error_table.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "platform/text.h"
#include "shell/menu_state.h"
#include "support/test_support.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

constexpr int kW = 1;

class ErrorPages : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.EnergyAxisMode = 0;
    G.CpsMode = 0;
    shelltest::OpenTestSpectrum(kW, "C 1s", {161, 1486.6 - 300, 0.1}, [](int i) {
      const double a = (i - 61) / 7.0;
      return 100 + 1000 * std::exp(-0.5 * a * a);
    });
    shelltest::TwoPeakTable(kW);
    WindowRecord& win = Win[kW];
    win.HasFit = 1;
    win.BackgroundState = 2;
    win.ErrorMethod = 1;
    win.ErrorsInPercent = 0;
    win.PeakArea[1] = 5000;
    win.PeakArea[2] = 2500;
    win.ParamErrors.Resize(26, 26);
    // Errors in fit units: heights, shares, positions and half widths (in
    // channels) of both peaks.
    const double errors[4] = {12.5, 0.02, 0.4, 0.3};
    for (int p = 1; p <= 2; ++p)
      for (int k = 0; k < 4; ++k) {
        const int entry = 10 * (p - 1) + 2 * k + 1;
        win.ParamErrors(entry, entry) = errors[k];
      }
    win.AreaError[1] = 120;
    win.AreaError[2] = 80;
    win.AreaShareError[1] = 0.01;
    win.AreaShareError[2] = 0.02;
    win.TotalArea = 7500;
    BuildErrorTable(kW);
    G.CurrentWindow = kW;
    UpdateMenuState(kW);
  }

  // The five error cells and the state cells of peak p on page 32x.
  static std::vector<std::string> PeakCells(int p, const char* name) {
    std::vector<std::string> cells;
    for (int k = 0; k <= 4; ++k) cells.push_back(plat::Text(kPeakErrorPage, name, (p - 1) * 5 + k));
    return cells;
  }
};

TEST_F(ErrorPages, PeakPageShowsTheTableAndTogglesBetweenAbsoluteAndPercent) {
  const WindowRecord& win = Win[kW];
  const auto absoluteTable = win.ParamErrorTable;
  struct Seen {
    std::string caption, position, height, toggle;
    std::vector<std::string> cells;
    std::string area;
  };
  Seen absolute, percent, again;
  auto look = [](Seen& seen) {
    return [&seen] {
      seen.caption = plat::DialogCaption(kPeakErrorPage);
      seen.height = plat::Text(kPeakErrorPage, "lb321");
      seen.position = plat::Text(kPeakErrorPage, "lb323");
      seen.toggle = plat::Text(kPeakErrorPage, "cmdOk324");
      seen.cells = PeakCells(2, "lb3210");
      seen.area = plat::Text(kPeakErrorPage, "lb3212", 2);
    };
  };
  script::Run(look(absolute));
  script::Click("cmdOk324");
  script::Run(look(percent));
  script::Click("cmdOk324");
  script::Run(look(again));
  script::Click("cmdOk321");
  plat::driver::ChooseMenu(3120);

  EXPECT_EQ(absolute.caption, G.LabelTexts[102] + "/" + G.LabelTexts[117].substr(1) + "/" +
                                  G.LabelTexts[2].substr(1));
  EXPECT_EQ(absolute.height, G.MessageTexts[37]);
  EXPECT_EQ(absolute.position, G.MessageTexts[126] + "/eV");
  EXPECT_EQ(absolute.toggle, G.LabelTexts[3]);
  EXPECT_EQ(percent.caption, G.LabelTexts[102] + "/" + G.LabelTexts[117].substr(1) + "/" +
                                 G.LabelTexts[3].substr(1));
  EXPECT_EQ(percent.height, G.MessageTexts[37] + "/%");
  EXPECT_EQ(percent.position, G.MessageTexts[126] + "/%");
  EXPECT_EQ(percent.toggle, G.LabelTexts[2]);
  // Height error of peak 2: 12.5 of 550 in percent.
  EXPECT_NEAR(plat::TextToNumber(absolute.cells[0]), 12.5, 1e-9);
  EXPECT_NEAR(plat::TextToNumber(percent.cells[0]), 100 * 12.5 / 550, 1e-4);
  EXPECT_NEAR(plat::TextToNumber(absolute.area), 80, 1e-9);
  EXPECT_NEAR(plat::TextToNumber(percent.area), 100 * 80.0 / 2500, 1e-4);
  // Back to absolute: the same table and the same page.
  EXPECT_EQ(again.cells, absolute.cells);
  EXPECT_EQ(again.caption, absolute.caption);
  EXPECT_EQ(win.ErrorsInPercent, 0);
  for (int p = 1; p <= 2; ++p)
    for (int j = 1; j <= 10; ++j)
      EXPECT_EQ(win.ParamErrorTable[p][j], absoluteTable[p][j]) << p << "," << j;
  EXPECT_EQ(G.DialogResult, 2);
  EXPECT_EQ(G.DialogWindow1Busy, 0);
}

TEST_F(ErrorPages, StateCellsShowFreeFixedAndLinked) {
  WindowRecord& win = Win[kW];
  win.ParameterState[1][3] = 1;
  win.ParameterState[2][1] = 1;
  std::vector<std::string> first, second;
  script::Run([&] {
    first = PeakCells(1, "lb3211");
    second = PeakCells(2, "lb3211");
  });
  script::Click("cmdOk321");
  plat::driver::ChooseMenu(3120);
  EXPECT_EQ(first, (std::vector<std::string>{" 0", " 1", " 0", " 0", " 1"}));
  EXPECT_EQ(second, (std::vector<std::string>{" 1", " 0", " 0", " 0", " 1"}));

  // The doublet page shows every entry, a partner linked to peak 1 as 2.
  win.PeakType = G.MessageTexts[52];
  win.ParameterState[2][2] = 2;
  std::string linked, partnerTitle, positionError;
  script::Expect([] { return plat::DialogWindowOpen(kDoubletErrorPage); }, "doublet page");
  script::Run([&] {
    linked = plat::Text(kDoubletErrorPage, "lb3113", 10 + 1);
    partnerTitle = plat::Text(kDoubletErrorPage, "lb339", 0);
    positionError = plat::Text(kDoubletErrorPage, "lb3312", 4);
  });
  script::Click("cmdOk331");
  plat::driver::ChooseMenu(3120);
  EXPECT_EQ(linked, " 2");
  EXPECT_EQ(partnerTitle, G.MessageTexts[47] + "2");
  FormatParameterError(kW, 1, 5);
  EXPECT_EQ(positionError, G.NumberText);
  EXPECT_NEAR(plat::TextToNumber(positionError), 0.4 * 0.1, 1e-9);  // channels to eV
}

TEST_F(ErrorPages, BackgroundPageCutsToFiveDecimalsAndLeavesTheStateAlone) {
  WindowRecord& win = Win[kW];
  win.BackgroundState = 4;
  const double errors[7] = {0, -0.0000049, 2.123456789, 0, 0.5, 1e-7, 3};
  for (int k = 1; k <= 6; ++k) {
    win.BackgroundTermError[k] = errors[k];
    win.BackgroundTermFixed[k] = k >= 5;
  }
  std::vector<std::string> values, fixed;
  std::string area, title;
  script::Expect([] { return plat::DialogWindowOpen(kBackgroundErrorPage); }, "background page");
  script::Run([&] {
    for (int k = 1; k <= 6; ++k) {
      values.push_back(plat::Text(kBackgroundErrorPage, "lb3410", k));
      fixed.push_back(plat::Text(kBackgroundErrorPage, "lb3411", k));
    }
    area = plat::Text(kBackgroundErrorPage, "lb342");
    title = plat::Text(kBackgroundErrorPage, "lb344");
  });
  script::Click("cmdOk344");
  script::Click("cmdOk321");  // the peak page follows
  plat::driver::ChooseMenu(3120);
  const double shown[6] = {-0.00001, 2.12345, 0, 0.5, 0, 3};
  for (int k = 0; k < 6; ++k) EXPECT_DOUBLE_EQ(plat::TextToNumber(values[k]), shown[k]) << k;
  EXPECT_EQ(fixed, (std::vector<std::string>{" 0", " 0", " 0", " 0", " 1", " 1"}));
  EXPECT_EQ(title, G.LabelTexts[107]);
  EXPECT_NE(area.find(" cps*eV"), std::string::npos);
  EXPECT_GT(plat::TextToNumber(area), 0);
  EXPECT_EQ(win.BackgroundState, 4);

  // Without a fit the page still leaves the fitted background's state.
  win.HasFit = 0;
  win.ErrorsInPercent = 1;
  win.BackgroundTermError[1] = kEmptyResultCell;
  std::string empty, percentTitle;
  script::Run([&] {
    empty = plat::Text(kBackgroundErrorPage, "lb3410", 1);
    percentTitle = plat::Text(kBackgroundErrorPage, "lb344");
  });
  script::Click("cmdOk344");
  ShowBackgroundErrorPage(kW);
  EXPECT_EQ(empty, " ----");
  EXPECT_EQ(percentTitle, G.LabelTexts[107] + "/%");
  EXPECT_EQ(win.BackgroundState, 4);
}

TEST_F(ErrorPages, NoPageAfterAFailedEstimateOrOnABusyWindow) {
  // No steps are queued: a page that opened would wait and fail the test.
  G.ErrorRunState = 2;
  ShowPeakErrorPage(kW);
  ShowDoubletErrorPage(kW);
  ShowBackgroundErrorPage(kW);
  G.ErrorRunState = 0;
  G.DialogWindow1Busy = 1;
  ShowPeakErrorPage(kW);
  EXPECT_FALSE(plat::DialogWindowOpen(kPeakErrorPage));
  G.DialogWindow1Busy = 0;
}

TEST_F(ErrorPages, ExportAndPrintFromThePageActOnItsWindowAlone) {
  // A second fitted window that is chosen before must not be exported.
  G.ChosenWindows[1] = 7;
  G.ChosenWindows[2] = 8;
  G.ChosenWindowCount = 2;
  G.ColumnSeparator = ";";
  G.DecimalComma = 0;
  const std::string folder = testsupport::MakeTempFolder("error_pages");
  const std::string table = folder + "/errors.DAT";
  const std::string pdf = folder + "/errors.pdf";
  plat::SetPrintToPdf(pdf);
  script::Click("cmd322");
  for (int k = 1; k <= 5; ++k) script::SetValue("chk29" + std::to_string(k), -1, 1);
  script::Click("cmdOk291");
  script::AnswerFile(plat::ProgramPath(table));
  script::Expect([] { return plat::DialogWindowOpen(kPeakErrorPage); }, "page still open");
  script::Click("cmd323");
  script::Expect([] { return plat::DialogWindowOpen(kPeakErrorPage); }, "page still open");
  script::Click("cmdOk321");
  plat::driver::ChooseMenu(3120);
  plat::SetPrintToPdf("");

  EXPECT_EQ(G.ChosenWindowCount, 1);
  EXPECT_EQ(G.ChosenWindows[1], kW);
  EXPECT_EQ(G.DialogResult, 2);
  const std::string text = testsupport::ReadFile(table);
  const std::size_t end = text.find("\r\n");
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(text.substr(end + 2), "") << "one line: the page's window";
  const std::string line = text.substr(0, end);
  // The first error of the line is peak 1's height error as the table holds it.
  const std::size_t first = line.find(';');
  ASSERT_NE(first, std::string::npos);
  const std::string height = line.substr(first + 1, line.find(';', first + 1) - first - 1);
  EXPECT_EQ(height, ParameterErrorText(Win[kW].ParamErrorTable[1][1]));
  EXPECT_GT(testsupport::ReadFile(pdf).size(), 0u);
}

}  // namespace
