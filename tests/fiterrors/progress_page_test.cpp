// The progress page driven as a long computation drives it: opened, advanced
// between steps, polled for Cancel and closed by the computation itself.
#include <gtest/gtest.h>

#include <string>

#include "core/events.h"
#include "core/model.h"
#include "dialogs/page.h"
#include "fiterrors/progress_page.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/forms.h"

namespace {

using namespace sorvan;
constexpr int kPage = kProgressDialogWindow;

class ProgressPage : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();
    InitialiseModel();
    BuildEventRegistry();
    G.CharWidth = 7;
    G.CharHeight = 15;
    G.DialogLeft = 100;
    G.DialogTop = 80;
    G.LabelTexts[114] = "L114";
    G.LabelTexts[129] = "L129";
  }
  void TearDown() override { plat::driver::Finish(); }
};

// A computation of `steps` steps as the error analyses run one: the page,
// the maximum, one advance and one poll per step, the page closed at the
// end or at a stop. Returns the number of steps done.
int RunComputation(int steps, double maximum) {
  ShowProgressPage();
  SetProgressMaximum(maximum);
  G.ProgressKey = 0;
  G.ErrorRunState = 1;
  int done = 0;
  for (int k = 1; k <= steps; ++k) {
    ++done;
    AdvanceProgress(1);
    if (PollProgressStop()) break;
  }
  CloseProgressPage();
  return done;
}

TEST_F(ProgressPage, OpensWithoutWaitingAndLeavesTheAnswerAlone) {
  G.DialogResult = 5;
  ShowProgressPage();  // no script step: it must not wait
  ASSERT_TRUE(ProgressPageOpen());
  EXPECT_EQ(plat::DialogCaption(kPage), "L114");
  EXPECT_EQ(plat::DialogWindowRect(kPage).width, 350);
  EXPECT_EQ(plat::DialogWindowRect(kPage).height, 78);
  EXPECT_DOUBLE_EQ(G.ProgressValue, 1);
  EXPECT_EQ(G.DialogResult, 5);
  bool cancelFlag = false;
  for (const plat::ControlInfo& c : plat::Controls(kPage)) {
    if (c.name == "pb411") {
      EXPECT_EQ(c.kind, plat::ControlKind::ProgressBar);
      EXPECT_EQ(c.x, 14);
      EXPECT_EQ(c.y, 8);  // 0.5 x 15 = 7.5 -> 8
      EXPECT_EQ(c.width, 315);
      EXPECT_DOUBLE_EQ(c.value, 1);
    }
    if (c.name == "cmdCancel411") {
      cancelFlag = c.isCancel;
      EXPECT_EQ(c.text, "L129");
      EXPECT_EQ(c.y, 30);
      EXPECT_EQ(c.height, 21);
    }
  }
  EXPECT_TRUE(cancelFlag);  // Esc on the page presses Cancel
  CloseProgressPage();
  EXPECT_FALSE(ProgressPageOpen());
}

TEST_F(ProgressPage, CancelStopsALongRunAtItsNextPoll) {
  plat::driver::AtKeyPoll(5, [] {
    plat::driver::Click("cmdCancel411");
    // A click only marks the request: the page is still there.
    EXPECT_TRUE(ProgressPageOpen());
    return 0;
  });
  EXPECT_EQ(RunComputation(1000, 1000), 5);
  EXPECT_EQ(G.ProgressKey, 27);
  EXPECT_EQ(G.ErrorRunState, 0);
  EXPECT_FALSE(ProgressPageOpen());
}

TEST_F(ProgressPage, CancelClearsTheRunStateOfAnyComputation) {
  G.ErrorRunState = 2;
  ShowProgressPage();
  plat::driver::Click("cmdCancel411");
  EXPECT_EQ(G.ProgressKey, 27);
  EXPECT_EQ(G.ErrorRunState, 0);
  EXPECT_TRUE(ProgressPageOpen());
  CloseProgressPage();
}

TEST_F(ProgressPage, BarIsHeldAtItsMaximumWhenTheCountRunsPast) {
  // One peak: the Hessian analysis counts to 69 against a maximum of 60.
  double shownAtEnd = 0;
  plat::driver::AtKeyPoll(68, [&] {
    shownAtEnd = plat::Value(kPage, "pb411");
    return 0;
  });
  EXPECT_EQ(RunComputation(68, 60), 68);
  EXPECT_DOUBLE_EQ(G.ProgressValue, 69);
  EXPECT_DOUBLE_EQ(shownAtEnd, 60);
}

TEST_F(ProgressPage, HasAWindowOfItsOwn) {
  // A page on dialog window 4 opened while the computation runs neither
  // refuses nor takes the progress page down with it.
  bool otherShown = false;
  plat::script::Key(plat::script::KeyCode::Enter);
  plat::driver::AtKeyPoll(2, [&] {
    PageSpec spec;
    spec.dialogWindow = 4;
    spec.width = 20;
    spec.height = 4;
    spec.guard = PageGuard::ElementTable;
    otherShown = RunPage(spec, [] {
      PageButton(4, "cmdOk41", plat::kNoIndex, 1, 1, 13, 1.2, "OK", ButtonRole::Default);
    });
    EXPECT_TRUE(ProgressPageOpen());
    return 0;
  });
  RegisterEvent("cmdOk41_Click", [](plat::EventArgs&) { ClosePage(4, 1); });
  EXPECT_EQ(RunComputation(3, 10), 3);
  EXPECT_TRUE(otherShown);
}

}  // namespace

namespace {

using namespace sorvan;

class ProgressPageAgain : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();
    InitialiseModel();
    BuildEventRegistry();
    G.CharWidth = 7;
    G.CharHeight = 15;
  }
  void TearDown() override { plat::driver::Finish(); }
};

TEST_F(ProgressPageAgain, OpensAgainAfterItsWindowWasTakenDownWithTheOthers) {
  ShowProgressPage();
  ASSERT_TRUE(ProgressPageOpen());
  plat::CloseDialogWindow(kProgressDialogWindow);  // as closing every window does
  ShowProgressPage();
  EXPECT_TRUE(ProgressPageOpen());
  CloseProgressPage();
}

}  // namespace
