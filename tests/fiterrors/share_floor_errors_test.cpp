// Curvature errors of a Gaussian line fitted with its Lorentz share free
// from the menu: seeded noisy spectra whose best share is 0 leave the share
// held where the fit keeps it, on its limit for the error run, and the
// other entries get the errors of the fit without it. Compared with an
// independent fit and Hessian (tools/share_floor_error_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../shell/shell_fixture.h"
#include "core/menu_commands.h"
#include "core/store.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/forms.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

#include "reference/share_floor_errors.inc"

constexpr int kW = 1;
constexpr int kPoints = 121;
constexpr double kExcitation = 1486.6;
constexpr double kStep = 0.1;
constexpr double kStart = kExcitation - 300;  // binding 300 eV at point 1
constexpr double kBackground = 200;

class ShareFloorErrors : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.EnergyAxisMode = 0;
    G.CpsMode = 0;
  }

  // Window kW with the case's counts over the defined flat background and
  // the start the reference fit starts from: height 1800, share 0.3 of
  // 0..1, 0.1 eV off the line, half width 6 channels; asymmetry fixed at 0.
  static void Prepare(const ShareFloorCase& c) {
    OpenSpectrumWindow(kW, "line");
    WindowRecord& win = Win[kW];
    SpectrumHeaderRecord& h = win.SpectrumHeader;
    h.Name = "line";
    h.PointCount = kPoints;
    h.StartEnergy = kStart;
    h.EnergyStep = kStep;
    h.EndEnergy = kStart + (kPoints - 1) * kStep;
    h.ExcitationEnergy = kExcitation;
    h.ScanCount = 1;
    h.DwellTime = 1;
    win.RegionStart = 1;
    win.RegionEnd = kPoints;
    win.RegionLength = kPoints;
    win.SourceSpectrumIndex = 1;
    ImportedHeader[1] = h;
    ImportedValues[1].Resize(kPoints);
    DimSlotData(kW);
    for (int i = 1; i <= kPoints; ++i) {
      ImportedValues[1][i] = c.counts[i - 1];
      SlotData[kW](i, 1) = c.counts[i - 1];
      SlotData[kW](i, 2) = kBackground;
    }
    win.BackgroundState = 2;
    win.PeakType = G.MessageTexts[47];
    win.PeakCount = 1;
    const double start[5] = {1800, 0.3, 300 - 61 * kStep, 2 * 6 * kStep, 0};
    const double lower[5] = {0, 0, 288, 0.1, -0.5}, upper[5] = {1e5, 1, 300, 12, 0.5};
    for (int k = 0; k <= 4; ++k) {
      win.ParameterValue[1][2 * k + 1] = start[k];
      win.ParameterState[1][2 * k + 1] = k == 4 ? 1 : 0;
      win.ParameterValue[1][2 * k + 2] = 0;
      win.ParameterState[1][2 * k + 2] = 1;
      for (int j : {2 * k + 1, 2 * k + 2}) {
        win.ParameterLower[1][j] = lower[k];
        win.ParameterUpper[1][j] = upper[k];
      }
    }
    for (int i = 1; i <= 6; ++i) win.BackgroundTermFixed[i] = true;
    win.ErrorMethod = 1;
    G.CurrentWindow = kW;
    RedrawWindow(kW);
  }

  // The fit from the menu, twice: 100 trials a round, three rounds.
  static void Fit() {
    for (int again = 0; again < 2; ++again) {
      script::SetText("ed161", -1, "100");
      script::SetText("ed162", -1, "3");
      script::Click("cmdOk161");
      script::Click("cmdCancel242");
      plat::driver::ChooseMenu(CmdRunFit);
    }
  }
};

TEST_F(ShareFloorErrors, AShareHeldAtItsFloorIsOnItsLimitForTheCurvatureErrors) {
  for (const ShareFloorCase& c : kShareFloorCases) {
    SCOPED_TRACE(::testing::Message() << "seed " << c.seed);
    Prepare(c);
    Fit();
    const WindowRecord& win = Win[kW];
    ASSERT_EQ(win.HasFit, 1);
    const double share = win.ParameterValue[1][3];
    if (c.shareOnLimit) {
      // The fit keeps the share where it holds any step below 0.
      ASSERT_LE(share, 1e-4 * (1 + 1e-12));
    } else {
      ASSERT_NEAR(share, c.fitted[1], 0.02);
    }
    script::Click("cmdOk321");
    plat::driver::ChooseMenu(CmdEstimateErrors);
    ASSERT_EQ(win.ErrorTableValid, 1);
    EXPECT_TRUE(plat::MessagesShown().empty());
    EXPECT_EQ(win.ErrorsFromNormalMatrix, 0);
    const int entries[4] = {1, 3, 5, 7};
    for (int i = 0; i < 4; ++i) {
      const int k = entries[i];
      SCOPED_TRACE(k);
      if (c.shareOnLimit && k == 3) {
        EXPECT_EQ(win.ParamErrors(k, k), 0);
        EXPECT_EQ(win.ParamErrorTable[1][3], 0);
      } else {
        EXPECT_NEAR(win.ParamErrors(k, k), c.errors[i], 1e-3 * c.errors[i]);
      }
    }
    plat::driver::CloseWindow(kW);
  }
}

}  // namespace
