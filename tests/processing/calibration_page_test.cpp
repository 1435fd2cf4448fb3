// Energy calibration: moving fitted peak positions, and the energy page of
// commands 21200 (one window) and 8100 (all windows) driven from the menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model.h"
#include "dialogs/page.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/text.h"
#include "processing/pages/calibration_page.h"
#include "processing_menu_fixture.h"

namespace sorvan {
namespace {

using plat::script::Click;
using plat::script::SetText;

// Peak p of window w at position `at` (partner at + 1), limits at +- 2.
void SetPeak(int w, int p, double at) {
  Win[w].ParameterValue[p][5] = at;
  Win[w].ParameterValue[p][6] = at + 1;
  Win[w].ParameterLower[p][5] = at - 2;
  Win[w].ParameterUpper[p][5] = at + 2;
  Win[w].ParameterLower[p][6] = at - 3;
  Win[w].ParameterUpper[p][6] = at + 3;
}

TEST(MovePeakPositions, ByDisplayScaleAndPeakMode) {
  struct Case {
    const char* what;
    Byte axis, relative;
    double delta;
    double peak1, peak2;  // main positions after the move (from 285 and 290)
  };
  const std::vector<Case> cases = {
      {"binding, independent", 0, 0, 1.5, 283.5, 288.5},
      {"kinetic, independent", 1, 0, 1.5, 286.5, 291.5},
      {"binding, relative", 0, 1, 1.5, 283.5, 290},
      {"no change", 0, 0, 0, 285, 290},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    InitialiseModel();
    G.EnergyAxisMode = c.axis;
    Win[1].RelativeMode = c.relative;
    Win[1].PeakCount = 2;
    SetPeak(1, 1, 285);
    SetPeak(1, 2, 290);
    MovePeakPositions(1, c.delta);
    const double d1 = c.peak1 - 285, d2 = c.peak2 - 290;
    EXPECT_DOUBLE_EQ(Win[1].ParameterValue[1][5], c.peak1);
    EXPECT_DOUBLE_EQ(Win[1].ParameterLower[1][5], 283 + d1);
    EXPECT_DOUBLE_EQ(Win[1].ParameterUpper[1][5], 287 + d1);
    EXPECT_DOUBLE_EQ(Win[1].ParameterValue[2][5], c.peak2);
    EXPECT_DOUBLE_EQ(Win[1].ParameterLower[2][5], 288 + d2);
    // The partner's value moves with independent peaks; its limits never do.
    EXPECT_DOUBLE_EQ(Win[1].ParameterValue[1][6], 286 + (c.relative ? 0 : d1));
    EXPECT_DOUBLE_EQ(Win[1].ParameterLower[1][6], 282);
    EXPECT_DOUBLE_EQ(Win[1].ParameterUpper[2][6], 293);
  }
}

class EnergyPage : public processingtest::ProcessingMenu {
 protected:
  void SetUp() override {
    ProcessingMenu::SetUp();
    Place(2, {1, 2, 3});
    Place(1, {1, 2, 3});
    for (int w : {1, 2}) {
      Win[w].PeakCount = 1;
      SetPeak(w, 1, 285);
    }
    Win[1].HasFit = 1;
    G.EnergyAxisMode = 0;
  }
  void Enter(int command, const char* typed) {
    plat::script::Expect([] { return plat::Text(13, "ed131") == plat::NumberToText(G.ReferenceEnergy); },
                         "the total correction is shown");
    SetText("ed131", -1, typed);
    Click("cmdOK131");
    plat::driver::ChooseMenu(command);
  }
};

TEST_F(EnergyPage, WindowCorrectionKeepsTheGlobalShare) {
  G.GlobalEnergyOffset = 0.5;
  Enter(21200, "2");
  EXPECT_DOUBLE_EQ(Win[1].EnergyShift, 1.5);
  EXPECT_DOUBLE_EQ(Win[1].ParameterValue[1][5], 283.5);  // total correction 0.5 -> 2
  EXPECT_DOUBLE_EQ(Win[2].ParameterValue[1][5], 285);
  EXPECT_DOUBLE_EQ(G.GlobalEnergyOffset, 0.5);
  // The value shown is typed again: nothing moves.
  Enter(21200, "2");
  EXPECT_DOUBLE_EQ(Win[1].EnergyShift, 1.5);
  EXPECT_DOUBLE_EQ(Win[1].ParameterValue[1][5], 283.5);
}

TEST_F(EnergyPage, GlobalOffsetMovesEveryFittedWindow) {
  Win[2].EnergyShift = 0.25;
  Enter(8100, "1,5");  // decimal comma
  EXPECT_DOUBLE_EQ(G.GlobalEnergyOffset, 1.5);
  EXPECT_DOUBLE_EQ(Win[1].ParameterValue[1][5], 283.5);
  EXPECT_DOUBLE_EQ(Win[2].ParameterValue[1][5], 285);  // no fit: only redrawn
  EXPECT_DOUBLE_EQ(Win[2].EnergyShift, 0.25);
}

TEST_F(EnergyPage, ClosingThePageByItsFrameChangesNothing) {
  SetText("ed131", -1, "7");
  plat::script::Run([] { plat::RequestDialogClose(13); }, "close box");
  plat::driver::ChooseMenu(21200);
  EXPECT_FALSE(PageOpen(13));
  EXPECT_DOUBLE_EQ(Win[1].EnergyShift, 0);
  EXPECT_DOUBLE_EQ(Win[1].ParameterValue[1][5], 285);
}

// A correction that is not finite, or larger than the excitation energy
// (1486.6 eV here), is refused with message 9 and changes nothing; the page
// stays open for another value. A later sound value moves the peaks by its
// own change only.
TEST_F(EnergyPage, ACorrectionBeyondTheExcitationEnergyIsRefused) {
  struct Case {
    int command;
    const char* typed;
  };
  const Case cases[] = {{21200, "1e300"}, {21200, "-1500"}, {21200, "1e999"},
                        {8100, "1e300"},  {8100, "1487"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + " in mode " + std::to_string(c.command));
    SetText("ed131", -1, c.typed);
    Click("cmdOK131");
    plat::script::AnswerMessage(1, G.LabelTexts[94]);
    plat::script::Run([] { EXPECT_TRUE(PageOpen(13)); }, "the page waits for another value");
    plat::script::Run([] { plat::RequestDialogClose(13); }, "close box");
    plat::driver::ChooseMenu(c.command);
    EXPECT_DOUBLE_EQ(Win[1].EnergyShift, 0);
    EXPECT_DOUBLE_EQ(G.GlobalEnergyOffset, 0);
    EXPECT_DOUBLE_EQ(Win[1].ParameterValue[1][5], 285);
    EXPECT_DOUBLE_EQ(Win[1].ParameterLower[1][5], 283);
  }
  Enter(21200, "0.4");
  EXPECT_DOUBLE_EQ(Win[1].EnergyShift, 0.4);
  EXPECT_DOUBLE_EQ(Win[1].ParameterValue[1][5], 284.6);
  EXPECT_DOUBLE_EQ(Win[1].ParameterUpper[1][5], 286.6);
}

}  // namespace
}  // namespace sorvan
