// Quantification of a real measurement from the menu: the survey, O 1s and
// C 1s blocks of a VAMAS file imported, one peak fitted in the O 1s and
// C 1s windows, the
// shipped sensitivity factors and a transmission function loaded, and the
// page's atomic percentages compared with an independent computation of the
// same formulas (tools/quant_reference.py, numbers in
// tests/shell/reference/quant_reference.inc).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/model.h"
#include "core/reference_files.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/text.h"
#include "core/menu_commands.h"
#include "shell/menu_state.h"
#include "shell_fixture.h"
#include "support/test_support.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

struct QuantReferenceWindow {
  const char* block;       // spectrum name in the file
  double excitation;       // eV
  double maxBinding;       // binding energy of the intensity maximum, eV
  double position;         // kinetic energy of the fixed peak centre, eV
  double fwhm;             // eV
  double mixing;           // Gauss-Lorentz mixing
  double area;             // fitted peak area, counts x eV
  double kinetic, sigma, lambda, ierf, factor, normalised, percent;
};

#include "reference/quant_reference.inc"

class QuantifySamples : public shelltest::ShellTest {};

TEST_F(QuantifySamples, FittedWindowsGiveTheIndependentPercentages) {
  const std::string file = testsupport::SamplesDir() + "/vamas/five-regions.vms";
  if (!plat::FileExists(plat::ProgramPath(file))) GTEST_SKIP() << "sample files not found";
  G.EnergyAxisMode = 1;
  G.CpsMode = 0;
  // The shipped line-position table, as start-up reads it.
  G.LinesFolder = G.ProgramFolder + "\\lines";
  ReadLinePositions();

  // File > Import > VAMAS: the survey, the O 1s and the C 1s blocks. The
  // survey's name is no line of the tables: it has no factor.
  script::AnswerFile(plat::ProgramPath(file));
  script::SelectItems("lib21", -1, {0, 2, 3});
  script::Click("cmdOk21");
  plat::driver::ChooseMenu(CmdImportVamas);
  plat::driver::Finish();

  // The tables of the computation, through the quantification menu.
  script::AnswerFile(G.ProgramFolder + "\\sensitifity factors\\Scofield Al Ka.sen");
  plat::driver::ChooseMenu(CmdLoadSensitivityFactors);
  script::AnswerFile(G.ProgramFolder + "\\XPS-transfct\\FAT E-0.5.trm");
  plat::driver::ChooseMenu(CmdLoadTransmissionParameters);
  plat::driver::Finish();

  // One peak in each window at a fixed place, shape and width; its height
  // fitted from the menu.
  for (int w = 2; w <= 3; ++w) {
    const QuantReferenceWindow& ref = kQuantReference[w - 2];
    WindowRecord& win = Win[w];
    ASSERT_TRUE(win.WindowOpen);
    ASSERT_EQ(win.SpectrumHeader.Name, ref.block);
    EXPECT_DOUBLE_EQ(win.SpectrumHeader.ExcitationEnergy, ref.excitation);
    EXPECT_NEAR(win.MaxBindingEnergy, ref.maxBinding, 1e-9);
    win.PeakType = G.MessageTexts[47];
    win.PeakCount = 1;
    const double values[11] = {0, 1000, 0, ref.mixing, 0, ref.position, 0, ref.fwhm, 0, 0, 0};
    for (int j = 1; j <= 10; ++j) {
      win.ParameterValue[1][j] = values[j];
      win.ParameterState[1][j] = j == 1 ? 0 : 1;
      win.ParameterLower[1][j] = j == 1 ? 0 : -1e9;
      win.ParameterUpper[1][j] = 1e9;
    }
    for (int i = 1; i <= 6; ++i) {
      win.BackgroundTermValue[i] = 0;
      win.BackgroundTermFixed[i] = true;
    }
    G.CurrentWindow = static_cast<Byte>(w);
    UpdateMenuState(w);
    script::SetText("ed161", -1, "100");
    script::SetText("ed162", -1, "3");
    script::Click("cmdOk161");
    script::Click("cmdCancel242");
    plat::driver::ChooseMenu(CmdRunFit);
    plat::driver::Finish();
    ASSERT_EQ(win.HasFit, 1);
    EXPECT_NEAR(win.PeakArea[1], ref.area, 1e-6 * ref.area) << ref.block;
  }

  // Quantification > Quantify: the three windows chosen, the page read.
  double shownPercent[2] = {0, 0};
  script::Click("cmd203");
  script::Click("cmdOk201");
  script::Run([&shownPercent] {
    for (int i = 2; i <= 3; ++i)
      shownPercent[i - 2] = plat::TextToNumber(plat::Text(21, "lb219", (i - 1) * 15 + 1));
    // The survey row is left out of the sum and says so.
    for (const char* name : {"lb225", "lb218", "lb219", "lb2110"})
      EXPECT_EQ(plat::Text(21, name, 1), "- - -") << name;
  }, "the percentages shown");
  script::Click("cmdCancel212");
  plat::driver::ChooseMenu(CmdQuantify);
  plat::driver::Finish();

  EXPECT_EQ(G.QuantWindowCount, 3);
  EXPECT_EQ(G.QuantFactor[1][1], 0.0);
  EXPECT_EQ(G.QuantPercent[1][1], 0.0);
  for (int i = 2; i <= 3; ++i) {
    const QuantReferenceWindow& ref = kQuantReference[i - 2];
    SCOPED_TRACE(ref.block);
    auto close = [](double value, double expected) {
      EXPECT_NEAR(value, expected, 1e-6 * std::fabs(expected));
    };
    close(G.QuantKineticEnergy[i][1], ref.kinetic);
    close(G.QuantSigma[i][1], ref.sigma);
    close(G.QuantLambda[i][1], ref.lambda);
    close(G.QuantTransmission[i][1], ref.ierf);
    close(G.QuantFactor[i][1], ref.factor);
    close(G.QuantNormalisedArea[i][1], ref.normalised);
    close(G.QuantPercent[i][1], ref.percent);
    close(shownPercent[i - 2], ref.percent);
  }
}

}  // namespace
