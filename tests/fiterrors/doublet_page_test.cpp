// The doublet start page driven as a person would: the partner placed by
// the doublet table on either energy scale, picks in turn, the relative mode,
// the three-state partner boxes, OK evaluating the start values and Cancel
// putting a fit back.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../dialogs/page_fixture.h"
#include "core/store.h"
#include "dialogs/fit_finished_page.h"
#include "dialogs/page.h"
#include "fiterrors/doublet_start_page.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/text.h"

namespace {

using namespace sorvan;
namespace script = plat::script;
using pagetest::FindControl;

constexpr int kW = 4;
constexpr int kPage = 15;

double Field(int index) { return plat::TextToNumber(plat::Text(kPage, "ed151", index)); }

class DoubletPage : public pagetest::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    G.CurrentWindow = kW;
    G.EnergyAxisMode = 0;
    // Doublet table: the last complete entry must be found as well.
    const std::vector<std::string> names = {"Ag3d", "Ag3d5", "Au4f", "Cu2p"};
    const std::vector<double> ratios = {0.66, 0.5, 0.75, 0.52};
    const std::vector<double> splittings = {6.0, 6.2, 3.67, 19.8};
    G.DoubletCount = static_cast<Int16>(names.size());
    G.DoubletNames.Resize(G.DoubletCount);
    G.DoubletRatios.Resize(G.DoubletCount);
    G.DoubletSplittings.Resize(G.DoubletCount);
    for (std::size_t i = 0; i < names.size(); ++i) {
      G.DoubletNames[static_cast<long long>(i + 1)] = names[i];
      G.DoubletRatios[static_cast<long long>(i + 1)] = ratios[i];
      G.DoubletSplittings[static_cast<long long>(i + 1)] = splittings[i];
    }
    Prepare(2, "Cu 2p");
  }

  // Window kW: 41 points from 940 eV binding down in steps of 0.5 eV, a
  // doublet table of n peaks, its source in the imported store.
  static void Prepare(int peaks, const std::string& name) {
    WindowRecord& win = Win[kW];
    win.WindowOpen = true;
    win.PeakType = G.MessageTexts[52];
    win.PeakCount = static_cast<Int16>(peaks);
    SpectrumHeaderRecord& h = win.SpectrumHeader;
    h.Name = name;
    h.PointCount = 41;
    h.EnergyStep = 0.5;
    h.ExcitationEnergy = 1486.6;
    h.StartEnergy = 1486.6 - 940;
    h.EndEnergy = 1486.6 - 920;
    h.ScanCount = 1;
    h.DwellTime = 1;
    win.RegionStart = 1;
    win.RegionEnd = 41;
    win.RegionLength = 41;
    win.SourceSpectrumIndex = 1;
    ImportedHeader[1] = h;
    ImportedValues[1].Resize(41);
    DimSlotData(kW);
    for (int i = 1; i <= 41; ++i) {
      const double a = (i - 11) / 2.0;
      const double counts = 200 + 1000 * std::exp(-a * a);
      SlotData[kW](i, 1) = counts;
      SlotData[kW](i, 2) = 150;
      ImportedValues[1][i] = counts;
    }
    for (int p = 1; p <= peaks; ++p) {
      const double values[11] = {0, 500.0 * p, 250.0 * p, 0.3, 0.3, 935 - 5.0 * p, 935 - 5.0 * p - 1,
                                 1.5, 1.5, 0, 0};
      for (int j = 1; j <= 10; ++j) {
        win.ParameterValue[p][j] = values[j];
        win.ParameterState[p][j] = j >= 9 ? 1 : 0;
        win.ParameterLower[p][j] = j <= 2 ? 0 : -1e6;
        win.ParameterUpper[p][j] = 1e6;
      }
    }
  }

  // A pick with Alt+Y as the mouse handling leaves the cursor.
  static void PickWithKey(double energy, int channel, double height) {
    script::Run([=] {
      G.CursorEnergy = energy;
      G.CursorChannel = channel;
      G.PickedHeight = height;
    });
    script::AltKey('y');
  }
};

TEST_F(DoubletPage, RatioAndSplittingComeFromTheLastMatchingTableEntry) {
  const struct {
    const char* name;
    double ratio;
    double splitting;
  } cases[] = {
      {"Ag 3d5/2", 0.5, 6.2},   // Ag3d and the later Ag3d5 match: the later wins
      {"Ag 3d", 0.66, 6.0},     // only Ag3d
      {"Cu 2p3/2", 0.52, 19.8}, // the last entry of the table
      {"C 1s", 1.0, 0.0},       // no entry: ratio 1, splitting 0
      {"A g3d  xxxxxxxxx", 0.66, 6.0},  // blanks left out of the first ten characters
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(1, c.name);
    G.CurrentDoubletRatio = -7;
    G.CurrentDoubletSplitting = -7;
    script::Key(script::KeyCode::Esc);
    ShowDoubletStartPage(kW);
    EXPECT_DOUBLE_EQ(G.CurrentDoubletRatio, c.ratio);
    EXPECT_DOUBLE_EQ(G.CurrentDoubletSplitting, c.splitting);
  }
}

TEST_F(DoubletPage, PickPlacesThePartnerByTheTableOnEitherScale) {
  const struct {
    const char* name;
    int axis;
    double partnerHeight;
    double partnerPosition;
  } cases[] = {
      {"Cu 2p", 0, 400 * 0.52, 935.2 + 19.8},  // binding: the partner above
      {"Cu 2p", 1, 400 * 0.52, 935.2 - 19.8},  // kinetic: the partner below
      {"C 1s", 0, 400, 935.2},                 // no entry: same height and place
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.axis ? " kinetic" : " binding"));
    Prepare(2, c.name);
    G.EnergyAxisMode = static_cast<Byte>(c.axis);
    PickWithKey(935.2, 10, 400);
    script::Run([&c] {
      EXPECT_DOUBLE_EQ(Field(0), 400);
      EXPECT_NEAR(Field(1), c.partnerHeight, 1e-9);
      EXPECT_DOUBLE_EQ(Field(4), 935.2);
      EXPECT_NEAR(Field(5), c.partnerPosition, 1e-9);
      EXPECT_EQ(G.RowIndex, 1);
    });
    script::Key(script::KeyCode::Esc);
    ShowDoubletStartPage(kW);
  }
}

TEST_F(DoubletPage, PicksFillThePeaksInTurnAndWrapAfterTheLast) {
  Prepare(2, "Cu 2p");
  PickWithKey(935, 11, 300);
  PickWithKey(930, 21, 200);
  PickWithKey(925, 31, 100);
  script::Run([] {
    EXPECT_DOUBLE_EQ(Field(0), 100);  // peak 1 again
    EXPECT_DOUBLE_EQ(Field(4), 925);
    EXPECT_DOUBLE_EQ(Field(10), 200);
    EXPECT_DOUBLE_EQ(Field(14), 930);
    EXPECT_EQ(G.RowIndex, 1);
  });
  script::Key(script::KeyCode::Esc);
  ShowDoubletStartPage(kW);
  EXPECT_EQ(G.DialogResult, 2);
  EXPECT_EQ(G.DoubletStartPickActive, 0);
}

TEST_F(DoubletPage, PickedHeightIsAboveADefinedOrFittedBackgroundOnly) {
  for (int state : {0, 2, 4}) {
    SCOPED_TRACE(state);
    Prepare(1, "C 1s");
    Win[kW].BackgroundState = static_cast<Byte>(state);
    PickWithKey(935, 11, 400);
    const double expected = state == 0 ? 400 : 250;
    script::Run([expected] { EXPECT_DOUBLE_EQ(Field(0), expected); });
    script::Key(script::KeyCode::Esc);
    ShowDoubletStartPage(kW);
  }
}

TEST_F(DoubletPage, RelativePickGivesRatiosAndOffsetsToPeakOne) {
  Prepare(2, "Cu 2p");
  Win[kW].RelativeMode = 1;
  PickWithKey(935.2, 10, 400);  // peak 1: absolute, the partner as ratio and splitting
  PickWithKey(932.85, 15, 100);
  script::Run([] {
    EXPECT_DOUBLE_EQ(Field(0), 400);
    EXPECT_DOUBLE_EQ(Field(1), 0.52);
    EXPECT_DOUBLE_EQ(Field(5), 19.8);
    EXPECT_DOUBLE_EQ(Field(10), 0.25);
    EXPECT_DOUBLE_EQ(Field(11), 0.52);
    EXPECT_DOUBLE_EQ(Field(14), -2.35);
    EXPECT_DOUBLE_EQ(Field(15), 19.8);
  });
  script::Key(script::KeyCode::Esc);
  ShowDoubletStartPage(kW);
}

TEST_F(DoubletPage, PickAtThePointerTakesTheHeightFromThePlot) {
  Prepare(1, "C 1s");
  WindowRecord& win = Win[kW];
  win.WindowPlotHeight = 200;
  win.YAxisTop = 1000;
  win.YAxisBottom = 0;
  script::Run([] {
    plat::driver::SetMouse(50, 110, 0);  // 100 pixels below the plot top: the middle
    G.CursorEnergy = 930;
    G.CursorChannel = 21;
    G.PickedHeight = 7;
  });
  script::AltKey('z');
  script::Run([] {
    EXPECT_NEAR(Field(0), 500, 1e-9);
    EXPECT_NEAR(Field(1), 500, 1e-9);
  });
  script::Key(script::KeyCode::Esc);
  ShowDoubletStartPage(kW);
}

TEST_F(DoubletPage, OnlyThePartnerBoxesOfLaterPeaksCanShowLinked) {
  Prepare(2, "Cu 2p");
  Win[kW].ParameterState[2][2] = 2;
  script::Run([] {
    EXPECT_EQ(plat::DialogWindowRect(kPage).width, (33 + 14) * pagetest::kCellWidth);
    EXPECT_EQ(plat::DialogCaption(kPage).rfind("M51/", 0), 0u);
    EXPECT_DOUBLE_EQ(FindControl(kPage, "chk151", 11).value, 2);
    EXPECT_EQ(plat::Text(kPage, "lb1510", 2), "M522");
    EXPECT_EQ(plat::Text(kPage, "lb159", 3), "M472");
  });
  script::SetValue("chk151", 1, 1);   // peak 1's partner height: fixed
  script::SetValue("chk151", 13, 2);  // peak 2's partner shape: linked
  script::Click("cmd153");
  script::Key(script::KeyCode::Esc);
  ShowDoubletStartPage(kW);
  EXPECT_EQ(Win[kW].ParameterState[1][2], 1);
  EXPECT_EQ(Win[kW].ParameterState[2][2], 2);
  EXPECT_EQ(Win[kW].ParameterState[2][4], 2);
}

TEST_F(DoubletPage, OkStoresAllTenValuesAndDrawsTheStartValues) {
  Prepare(1, "Cu 2p");
  Win[kW].HasFit = 0;
  script::SetText("ed151", 1, "123,5");  // the partner height is kept, not forced to 0
  script::SetText("ed151", 5, "933");
  script::Click("cmdOk151");
  ShowDoubletStartPage(kW);
  const WindowRecord& win = Win[kW];
  EXPECT_EQ(G.DialogResult, 1);
  EXPECT_EQ(win.HasFit, 1);
  EXPECT_EQ(G.BatchMode, 0);
  EXPECT_EQ(G.FitDisplayPass, 0);
  EXPECT_EQ(G.DoubletStartPickActive, 0);
  EXPECT_NEAR(win.ParameterValue[1][2], 123.5, 1e-6);
  EXPECT_NEAR(win.ParameterValue[1][6], 933, 1e-6);
  EXPECT_GT(win.FitChi2, 0.0);  // evaluated at the start values
  EXPECT_GT(win.PeakArea[1], 0.0);
  EXPECT_GT(win.PartnerArea[1], 0.0);
}

TEST_F(DoubletPage, CancelPutsTheFitBackAfterApplyAndKeepsTheFixStates) {
  Prepare(1, "Cu 2p");
  Win[kW].HasFit = 1;
  const auto before = Win[kW].ParameterValue;
  script::SetText("ed151", 0, "9999");
  script::SetValue("chk151", 6, 1);
  script::Click("cmd153");
  script::Run([] { EXPECT_EQ(Win[kW].ParameterValue[1][1], 9999); });
  script::Click("cmdCancel152");
  ShowDoubletStartPage(kW);
  EXPECT_EQ(G.DialogResult, 2);
  for (int j = 1; j <= 10; ++j) EXPECT_NEAR(Win[kW].ParameterValue[1][j], before[1][j], 1e-9) << j;
  EXPECT_EQ(Win[kW].ParameterState[1][7], 1);
}

TEST_F(DoubletPage, CancelWithoutAFitKeepsAppliedValues) {
  Prepare(1, "Cu 2p");
  Win[kW].HasFit = 0;
  script::SetText("ed151", 2, "0.7");
  script::Click("cmd153");
  script::SetText("ed151", 3, "0.9");  // typed, not applied
  script::Click("cmdCancel152");
  ShowDoubletStartPage(kW);
  EXPECT_DOUBLE_EQ(Win[kW].ParameterValue[1][3], 0.7);
  EXPECT_DOUBLE_EQ(Win[kW].ParameterValue[1][4], 0.3);
}

TEST_F(DoubletPage, ChooseButtonMakesTheWindowTheOnlyChosenOne) {
  Prepare(1, "Cu 2p");
  G.ChosenWindowCount = 5;
  script::Click("cmd154");
  script::Run([] {
    EXPECT_EQ(G.DialogResult, 154);
    EXPECT_EQ(G.ChosenWindowCount, 1);
    EXPECT_EQ(G.ChosenWindows[1], kW);
  });
  script::Key(script::KeyCode::Esc);
  ShowDoubletStartPage(kW);
}

TEST_F(DoubletPage, TheFitFinishedPageReachesThisPage) {
  EXPECT_EQ(FitFinishedHooks().doubletStartPage, &ShowDoubletStartPage);
}

}  // namespace
