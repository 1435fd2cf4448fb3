// A new fit from the menu as a new user makes it, on a real spectrum with the
// shipped default peak table: the C 1s block of five-regions.vms imported,
// its Shirley background subtracted, three overlapping components picked
// with the mouse, every limit left at its default, the fit run again until
// it settles. It must end with three peaks of non-zero area inside the
// spectrum, where an independent solver puts them
// (reference/c1s_fit_reference.inc, made by tools/c1s_fit_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "../shell/shell_fixture.h"
#include "core/settings_paths.h"
#include "core/store.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/text.h"
#include "support/spectrum_picks.h"
#include "support/test_support.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

#include "reference/c1s_fit_reference.inc"

class NewFitWithTheDefaults : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    // The shipped default peak tables, as the installed program reads them.
    SetParameterSetAndSatellitePaths();
  }
};

TEST_F(NewFitWithTheDefaults, ThreeComponentsOfARealC1sSpectrum) {
  const std::string sample = testsupport::SamplesDir() + "/vamas/five-regions.vms";
  if (!plat::FileExists(plat::ProgramPath(sample)))
    GTEST_SKIP() << "sample files not found below " << testsupport::SamplesDir();
  // The reference assumes the shipped presetting: counts per second, the
  // binding-energy axis, end levels of three points.
  ASSERT_EQ(G.CpsMode, 1);
  ASSERT_EQ(G.EnergyAxisMode, 0);
  ASSERT_EQ(G.AveragePoints, 3);

  // Import the C 1s block (the fourth of five).
  script::AnswerFile(plat::ProgramPath(sample));
  script::SelectItems("lib21", -1, {3});
  script::Click("cmdOk21");
  plat::driver::ChooseMenu(1160);
  const int w = G.CurrentWindow;
  ASSERT_TRUE(IsSpectrumWindow(w));
  ASSERT_EQ(Win[w].SpectrumHeader.Name, "C1s");
  ASSERT_EQ(Win[w].SpectrumHeader.PointCount, 301);

  // A Shirley background, subtracted.
  script::Click("cmdOk11");
  plat::driver::ChooseMenu(2130);
  ASSERT_EQ(Win[w].BackgroundState, 1);

  // New fit of three singlets.
  script::SetText("ed111", -1, "3");
  script::Click("cmdOk111");
  script::Click("cmdOk121");  // the limits as the page shows them
  // The tops of the carbide, C-C and C-O lines, picked in the spectrum.
  const double step = Win[w].SpectrumHeader.EnergyStep;
  for (double energy : {282.3, 284.0, 286.4}) {
    const int channel = static_cast<int>(std::lround((300.0 - energy) / step)) + 1;
    script::Run(
        [=] {
          plat::driver::MouseDown(w, testsupport::PixelOfPoint(w, channel),
                                  testsupport::RowOfIntensity(w, SlotData[w](channel, 1)), 1);
        },
        "pick the top at " + std::to_string(energy) + " eV");
  }
  script::Run([] {
    // Every new peak starts inside the spectrum with the default width.
    for (int p = 0; p < 3; ++p) {
      EXPECT_GT(plat::TextToNumber(plat::Text(14, "ed141", 5 * p)), 0) << p;
      EXPECT_EQ(plat::TextToNumber(plat::Text(14, "ed141", 5 * p + 1)), 0.3) << p;
      EXPECT_EQ(plat::TextToNumber(plat::Text(14, "ed141", 5 * p + 3)), 1.2) << p;
    }
  });
  // The Lorentz share stays at the default 0.3: fixed.
  for (int p = 0; p < 3; ++p) script::SetValue("chk141", 5 * p + 1, 1);
  script::Click("cmdOk141");
  // The iteration page at its defaults each time; the fit is run again from
  // the page after it until it has settled.
  constexpr int kRuns = 8;
  for (int run = 1; run <= kRuns; ++run) {
    script::Click("cmdOk161");
    script::Click(run < kRuns ? "cmdOk241" : "cmdCancel242");
  }
  plat::driver::ChooseMenu(3111);

  const WindowRecord& win = Win[w];
  EXPECT_EQ(win.HasFit, 1);
  EXPECT_EQ(win.PeakCount, 3);
  EXPECT_EQ(G.FitRunState, 0);
  for (int p = 1; p <= 3; ++p) {
    const double* expected = kC1sPeaks[p - 1];
    // Positions to the same share of the line's width.
    EXPECT_NEAR(win.ParameterValue[p][1], expected[0], 1e-5 * expected[0]) << "height " << p;
    EXPECT_NEAR(win.ParameterValue[p][5], expected[1], 1e-5 * expected[2]) << "position " << p;
    EXPECT_NEAR(win.ParameterValue[p][7], expected[2], 1e-5 * expected[2]) << "width " << p;
    EXPECT_EQ(win.ParameterValue[p][3], 0.3) << p;
    EXPECT_GT(win.PeakArea[p], 0.0) << p;
    EXPECT_GT(win.ParameterValue[p][5], 270.0) << p;
    EXPECT_LT(win.ParameterValue[p][5], 300.0) << p;
  }
  // The chi-square shown is that of the raw-count weights times scans x dwell.
  EXPECT_NEAR(win.FitChi2, kC1sChiSquare * kC1sCountsFactor, 1e-6 * kC1sChiSquare * kC1sCountsFactor);
}

}  // namespace
