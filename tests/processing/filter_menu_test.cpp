// Smoothing, derivative and satellite removal chosen from the menu of the
// started program and from their toolbar buttons, and the satellite presets
// edited through Options > Satellites, with the pages answered by the driver.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "../display/display_fixture.h"
#include "../shell/shell_fixture.h"
#include "core/model.h"
#include "core/reference_files.h"
#include "core/store.h"
#include "display/windows.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "processing/kernels/savitzky_golay.h"
#include "processing/kernels/satellites.h"
#include "shell/menu_state.h"
#include "shell/toolbar.h"

namespace sorvan {
namespace {

constexpr int kN = 80;

using plat::script::Click;
using plat::script::Expect;

class FilterMenu : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    // The shipped satellite presets, as start-up reads them.
    ReadSatelliteFile();
    ApplyAlSatellitePreset(G.AlSatellitePreset);
    ApplyMgSatellitePreset(G.MgSatellitePreset);
    G.AveragePoints = 3;
    for (int i = 1; i <= kN; ++i) {
      const double x = (i - 30) / 3.0;
      spectrum_.push_back(20 + 900 * std::exp(-x * x) + (i % 3) * 4.0);
    }
    displaytest::PlaceSpectrum(w_, spectrum_, 900, 0.5, 1486.6);
    Win[w_].WindowOpen = false;
    OpenSpectrumWindow(w_, "Si 2p");
    G.CurrentWindow = static_cast<Byte>(w_);
    UpdateMenuState(w_);
  }

  std::vector<double> Filtered(FilterKind kind) const {
    std::vector<double> y(kN + 1, 0.0), out(kN + 1, 0.0);
    for (int i = 1; i <= kN; ++i) y[i] = spectrum_[i - 1];
    EXPECT_TRUE(SavitzkyGolayFilter(kind, y, out, 3));
    return out;
  }

  static void ShowAllToolbarActions() {
    for (int a = 1; a <= kToolbarActionCount; ++a) G.ToolbarButtonOfAction[a] = 1;
    BuildToolbar();
    UpdateMenuState(G.CurrentWindow);
  }

  std::vector<double> spectrum_;
  int w_ = 1;
};

TEST_F(FilterMenu, SmoothingAndDerivativeFromMenuAndToolbar) {
  struct Case {
    const char* what;
    int command;  // menu command, or 0 for the toolbar
    int action;   // toolbar action
    FilterKind kind;
  };
  const Case cases[] = {
      {"menu smoothing", 2700, 23, FilterKind::Smoothing},
      {"menu derivative", 2300, 21, FilterKind::Derivative},
      {"toolbar smoothing", 0, 23, FilterKind::Smoothing},
      {"toolbar derivative", 0, 21, FilterKind::Derivative},
  };
  for (const Case& c : cases) {
    TearDown();
    spectrum_.clear();
    SetUp();
    const std::string caption =
        G.MessageTexts[c.kind == FilterKind::Smoothing ? 9 : 8];
    Expect([&] { return plat::DialogCaption(3) == caption; }, "confirm page");
    Click("cmdOk31");
    if (c.command != 0) {
      plat::driver::ChooseMenu(c.command);
    } else {
      ShowAllToolbarActions();
      plat::driver::ClickToolbar(G.ToolbarButtonOfAction[c.action]);
    }
    plat::driver::Finish();
    const std::vector<double> expected = Filtered(c.kind);
    for (int i = 1; i <= kN; ++i)
      EXPECT_NEAR(SlotData[w_](i, 1), expected[i], 1e-9) << c.what << " point " << i;
    EXPECT_EQ(Win[w_].SmoothCount, c.kind == FilterKind::Smoothing ? 1 : 0) << c.what;
    EXPECT_EQ(Win[w_].DerivativeCount, c.kind == FilterKind::Derivative ? 1 : 0) << c.what;
  }
}

TEST_F(FilterMenu, SatelliteRemovalFromMenuAndToolbarThenGrayed) {
  for (bool toolbar : {false, true}) {
    TearDown();
    spectrum_.clear();
    SetUp();
    ASSERT_TRUE(Enabled(2800));
    Click("cmdOk31");
    if (toolbar) {
      ShowAllToolbarActions();
      plat::driver::ClickToolbar(G.ToolbarButtonOfAction[18]);
    } else {
      plat::driver::ChooseMenu(2800);
    }
    plat::driver::Finish();
    EXPECT_EQ(Win[w_].SatelliteState, 1) << toolbar;
    // The shipped aluminium table: its first line lies 9.8 eV above the
    // parent, 20 points at 0.5 eV, with 6.4 % of its intensity.
    ASSERT_EQ(SatelliteShift(Win[w_].AlSatOffset[1], 0.5, kN), 20);
    double removed = 0;
    for (int i = 1; i <= kN; ++i) {
      EXPECT_NEAR(SlotData[w_](i, 1) + SlotData[w_](i, 3), spectrum_[i - 1], 1e-9) << i;
      removed += SlotData[w_](i, 3);
    }
    EXPECT_GT(removed, 0.0) << toolbar;
    EXPECT_GT(SlotData[w_](50, 3), Win[w_].AlSatIntensity[1] * 0.5 * 900) << toolbar;
    // Removed once, the command is grayed.
    EXPECT_FALSE(Enabled(2800)) << toolbar;
  }
}

TEST_F(FilterMenu, SatellitePresetsFromTheOptionsMenu) {
  struct Case {
    int command;
    int preset;
  };
  const Case cases[] = {{5510, 2}, {5520, 3}};
  for (const Case& c : cases) {
    const double aluminiumBefore = Win[7].AlSatOffset[1];
    const double magnesiumBefore = Win[7].MgSatOffset[1];
    plat::script::SetText("ed302", (c.preset - 1) * 5, "8,5");
    plat::script::SetValue("opt301", c.preset, 1);
    Click("cmdOk301");
    plat::driver::ChooseMenu(c.command);
    plat::driver::Finish();
    const bool al = c.command == 5510;
    EXPECT_EQ(G.CommandId, al ? 0 : 1);
    EXPECT_EQ(al ? G.AlSatellitePreset : G.MgSatellitePreset, c.preset);
    EXPECT_DOUBLE_EQ(al ? Win[7].AlSatOffset[1] : Win[7].MgSatOffset[1], 8.5) << c.command;
    EXPECT_DOUBLE_EQ(al ? Win[7].MgSatOffset[1] : Win[7].AlSatOffset[1],
                     al ? magnesiumBefore : aluminiumBefore)
        << c.command;
  }
}

}  // namespace
}  // namespace sorvan
