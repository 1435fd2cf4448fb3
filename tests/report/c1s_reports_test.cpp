// The reports and tables of a real fit: the C 1s block of a VAMAS sample
// imported, three peaks fitted through the menu, the curvature errors
// estimated; then the error table, the error matrix and both printed
// reports from the menu, read back from their files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "../shell/shell_fixture.h"
#include "../shell/three_singlets_pages.h"
#include "fit/fit_format.h"
#include "fiterrors/hessian_errors.h"
#include "fiterrors/peak_start_page.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/printer.h"
#include "platform/text.h"
#include "core/menu_commands.h"
#include "support/test_support.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

std::vector<std::string> Split(const std::string& text, const std::string& sep) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  for (;;) {
    const std::size_t end = text.find(sep, at);
    parts.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) return parts;
    at = end + sep.size();
  }
}

class C1sReports : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    const std::string path = testsupport::SamplesDir() + "/vamas/five-regions.vms";
    if (!plat::FileExists(plat::ProgramPath(path)))
      GTEST_SKIP() << "sample files not found below " << testsupport::SamplesDir();
    temp_ = testsupport::MakeTempFolder("c1s_reports");
    G.CpsMode = 1;
    G.EnergyAxisMode = 0;
    G.ColumnSeparator = ";";
    G.DecimalComma = 0;
    plat::driver::ChooseMenu(CmdDefaultErrorsHessian);
    script::AnswerFile(plat::ProgramPath(path));
    script::SelectItems("lib21", -1, {3});
    script::Click("cmdOk21");
    plat::driver::ChooseMenu(1160);
    w_ = G.CurrentWindow;
    FitThreePeaks();
  }
  void TearDown() override {
    plat::SetPrintToPdf("");
    ShellTest::TearDown();
  }

  // A Shirley background kept, then three singlets with their Lorentz
  // shares and asymmetries fixed.
  static void FitThreePeaks() {
    shelltest::EnterThreeSingletsOnTheFitPages();
    shelltest::IterationPageAndDone();
    plat::driver::ChooseMenu(3111);
  }

  // The curvature errors of the window's fit, as the error command runs them.
  void EstimateErrors() {
    SetUpAndLoadFit(w_);
    EstimateErrorsHessianGaussLorentz(w_);
    G.ErrorRunState = 0;
    G.ProgressKey = 0;
    G.FitRunState = 0;
    UpdateMenuState(w_);
  }

  std::string Program(const std::string& name) { return plat::ProgramPath(temp_ + "/" + name); }

  std::string temp_;
  int w_ = 0;
};

TEST_F(C1sReports, ErrorTableErrorMatrixAndBothReportsOfAThreePeakFit) {
  EstimateErrors();
  const WindowRecord& win = Win[w_];
  ASSERT_EQ(win.ErrorTableValid, 1);
  ASSERT_EQ(win.HessianValid, 1);
  ASSERT_TRUE(plat::MessagesShown().empty());

  // The error table with every group: the name, then five errors per peak.
  const std::string table = Program("c1s.DAT");
  script::Click("cmd203");
  script::Click("cmdOk201");
  for (int k = 1; k <= 6; ++k) script::SetValue("chk29" + std::to_string(k), -1, 1);
  script::Click("cmdOk291");
  script::AnswerFile(table);
  plat::driver::ChooseMenu(CmdExportFitErrorTable);
  const std::vector<std::string> lines = Split(plat::ReadWholeFile(table), "\r\n");
  ASSERT_EQ(lines.size(), 2u);  // one line and the end of the file
  EXPECT_EQ(lines[1], "");
  const std::vector<std::string> fields = Split(lines[0], ";");
  ASSERT_EQ(fields.size(), 16u) << "kept Shirley background: no background terms";
  // A block without a short name is named by its window number.
  EXPECT_EQ(fields[0], win.SpectrumHeader.ShortName.empty() ? std::to_string(w_) : win.SpectrumHeader.ShortName);
  for (int p = 1; p <= 3; ++p)
    for (int g = 1; g <= 5; ++g) {
      const std::string& field = fields[5 * (p - 1) + g];
      EXPECT_EQ(field, ParameterErrorText(win.ParamErrorTable[p][2 * g - 1])) << p << " " << g;
      // Heights, positions and widths were free: each has an error.
      if (g == 1 || g == 3 || g == 4) {
        EXPECT_GT(std::atof(field.c_str()), 0) << p << " " << g;
      }
    }

  // The matrix of the main entries of the three peaks.
  const std::string matrix = Program("c1s_matrix.dat");
  script::AnswerFile(matrix);
  plat::driver::ChooseMenu(CmdExportErrorMatrix);
  const std::vector<std::string> rows = Split(plat::ReadWholeFile(matrix), "\r\n");
  ASSERT_EQ(rows.size(), 16u);
  for (int i = 0; i < 15; ++i) {
    const std::vector<std::string> row = Split(rows[i], ";");
    ASSERT_EQ(row.size(), 15u);
    for (int k = 0; k < 15; ++k) {
      const double element = win.HessianMatrix(2 * i + 1, 2 * k + 1);
      EXPECT_NEAR(std::atof(row[k].c_str()), element, 1e-12 * std::max(1.0, std::fabs(element)));
    }
  }

  // Both reports: one block for the window, with its errors and values.
  for (int command : {CmdPrintFitErrorReport, CmdPrintFitReport}) {
    SCOPED_TRACE(command);
    const std::string pdf = temp_ + "/report" + std::to_string(command) + ".pdf";
    plat::SetPrintToPdf(pdf);
    script::SetValue("chk201", 1, 1);
    script::Click("cmdOk201");
    plat::driver::ChooseMenu(command);
    const std::string text = testsupport::PdfText(pdf);
    ASSERT_FALSE(text.empty());
    std::size_t names = 0;
    for (std::size_t at = text.find(win.SpectrumHeader.Name + " "); at != std::string::npos;
         at = text.find(win.SpectrumHeader.Name + " ", at + 1))
      ++names;
    EXPECT_EQ(names, 1u);
    if (command == CmdPrintFitErrorReport) {
      FormatParameterError(w_, 1, 5);
    } else {
      FormatParameterValue(w_, 1, 5);
    }
    EXPECT_NE(text.find(plat::Trim(G.NumberText)), std::string::npos) << G.NumberText;
  }
}

}  // namespace
