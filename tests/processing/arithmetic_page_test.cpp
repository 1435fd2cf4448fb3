// Arithmetic between windows: the point-by-point combination, and the four
// commands driven from the menu with page 8x answered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "platform/driver.h"
#include "processing/pages/arithmetic_page.h"
#include "processing_menu_fixture.h"
#include "shell/commands.h"

namespace sorvan {
namespace {

using plat::script::Click;
using plat::script::SetText;

TEST(CombineSpectra, EachOperationAndTheGuardedDivision) {
  // Element 0 is unused; a is the current window, b the named one.
  const std::vector<double> a = {0, 2, 0, -4};
  const std::vector<double> b = {0, 6, 5, 8};
  const std::vector<double> kept = {0, 60, 50, 80};
  struct Case {
    ArithmeticOperation op;
    std::vector<double> expected;
  };
  const std::vector<Case> cases = {
      {ArithmeticOperation::Add, {0, 8, 5, 4}},
      {ArithmeticOperation::Subtract, {0, 4, 5, 12}},
      {ArithmeticOperation::Multiply, {0, 12, 0, -32}},
      {ArithmeticOperation::Divide, {0, 3, 50, -2}},  // a zero divisor keeps the stored value
      {ArithmeticOperation::None, {0, 60, 50, 80}},
  };
  for (const Case& c : cases) {
    std::vector<double> result(4, 0.0);
    CombineSpectra(c.op, a, b, kept, result);
    EXPECT_EQ(result, c.expected) << static_cast<int>(c.op);
  }
}

class ArithmeticPage : public processingtest::ProcessingMenu {
 protected:
  void SetUp() override {
    ProcessingMenu::SetUp();
    Place(2, named_);
    Place(1, current_);  // current
  }
  // Runs the command with the other window typed on the page.
  void Run(int command, const std::string& typed) {
    SetText("ed81", -1, typed);
    Click("cmdOk81");
    plat::driver::ChooseMenu(command);
  }
  const std::vector<double> current_ = {1, 2, 4, 8, 2};
  const std::vector<double> named_ = {10, 20, 40, 80, 20};
};

TEST_F(ArithmeticPage, TheNamedWindowReceivesTheResult) {
  struct Case {
    int command;
    std::vector<double> expected;
  };
  const std::vector<Case> cases = {
      {21010, {11, 22, 44, 88, 22}},
      {21020, {9, 18, 36, 72, 18}},
      {21030, {10, 40, 160, 640, 40}},
      {21040, {10, 10, 10, 10, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    // Other energies do not matter: the points are combined by number.
    Place(2, named_, 800, 0.5);
    Place(1, current_);
    Win[1].ArithmeticDone = Win[2].ArithmeticDone = 0;
    Run(c.command, "2");
    EXPECT_EQ(Column(2, 1), c.expected);
    EXPECT_EQ(Column(1, 1), current_);
    EXPECT_EQ(Win[1].ArithmeticDone, 1);
    EXPECT_EQ(Win[2].ArithmeticDone, 1);
    EXPECT_EQ(G.OtherWindow, 2);
  }
}

TEST_F(ArithmeticPage, EachWindowTakesItsOwnRegionAndZerosElsewhere) {
  Win[1].RegionStart = 2;
  Win[1].RegionEnd = 3;
  Run(21010, "2");
  EXPECT_EQ(Column(2, 1), (std::vector<double>{10, 22, 44, 80, 20}));
  Place(2, named_);
  G.CurrentWindow = 1;
  Run(21030, "2");
  EXPECT_EQ(Column(2, 1), (std::vector<double>{0, 40, 160, 0, 0}));
  // Division by the zeros outside the region keeps the named window's values.
  Place(2, named_);
  G.CurrentWindow = 1;
  Run(21040, "2");
  EXPECT_EQ(Column(2, 1), (std::vector<double>{10, 10, 10, 80, 20}));
}

TEST_F(ArithmeticPage, AWindowThatCannotBeCombinedChangesNothing) {
  Place(4, {1, 2, 3});  // another point count
  Place(31, named_);    // beyond the windows the page may name
  G.CurrentWindow = 1;
  UpdateMenuState(1);
  G.OtherWindow = 2;
  for (const char* typed : {"0", "31", "3", "1", "4", "300", "-254", "abc"}) {
    SCOPED_TRACE(typed);
    Run(21010, typed);
    EXPECT_EQ(Column(2, 1), named_);
    EXPECT_EQ(Column(1, 1), current_);
    EXPECT_EQ(Column(31, 1), named_);
    EXPECT_EQ(Win[1].ArithmeticDone, 0);
  }
  // A number out of range leaves the remembered window as it was.
  EXPECT_EQ(G.OtherWindow, 4);
}

TEST_F(ArithmeticPage, CancelChangesNothing) {
  SetText("ed81", -1, "2");
  Click("cmdCancel82");
  plat::driver::ChooseMenu(21020);
  EXPECT_EQ(Column(2, 1), named_);
  EXPECT_EQ(Win[2].ArithmeticDone, 0);
}

TEST_F(ArithmeticPage, TheToolbarRepeatsTheLastOperation) {
  Run(21020, "2");
  SetText("ed81", -1, "2");
  Click("cmdOk81");
  RunToolbarAction(26);
  EXPECT_EQ(Column(2, 1), (std::vector<double>{8, 16, 32, 64, 16}));
}

}  // namespace
}  // namespace sorvan
