// Pages built through the layer and driven by the test driver: keys, clicks,
// nested pages, position memory, script faults and the close box.
#include <gtest/gtest.h>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/loop.h"
#include "support/driver_fixture.h"

using namespace plat;
using testsupport::DriverTest;

namespace {

// A page like the program's: an edit box, a check box, OK and Cancel on
// dialog window 11; its wait keeps the window position.
struct SmallPage {
  int result = 0;
  std::string text;
  double checked = -1;
  int left = 0, top = 0;

  void Show() {
    ASSERT_TRUE(OpenDialogWindow(11, 100, 80, 300, 120, "Page eleven"));
    CreateControl(11, ControlKind::EditBox, "ed111", kNoIndex, 10, 10, 100, 20, "1.5");
    CreateControl(11, ControlKind::CheckBox, "chk111", kNoIndex, 10, 40, 100, 20, "Linked");
    CreateControl(11, ControlKind::CommandButton, "cmdOk111", kNoIndex, 10, 80, 80, 24, "OK");
    CreateControl(11, ControlKind::CommandButton, "cmdCancel112", kNoIndex, 100, 80, 80, 24, "Cancel");
    SetDefaultButton(11, "cmdOk111");
    SetCancelButton(11, "cmdCancel112");
    SetFocusSelectAll(11, "ed111");
    ShowDialogWindow(11);
    WaitWhileOpen(11, left, top);
  }
};

class PageTest : public DriverTest {
 protected:
  SmallPage page;
  void SetUp() override {
    DriverTest::SetUp();
    On("cmdOk111_Click", [this](EventArgs&) {
      page.text = Text(11, "ed111");
      page.checked = Value(11, "chk111");
      page.result = 1;
      CloseDialogWindow(11);
    });
    On("cmdCancel112_Click", [this](EventArgs&) {
      page.result = 2;
      CloseDialogWindow(11);
    });
  }
};

}  // namespace

TEST_F(PageTest, EnterPressesOkAndEscPressesCancel) {
  struct Case {
    script::KeyCode key;
    int result;
  };
  for (Case c : {Case{script::KeyCode::Enter, 1}, Case{script::KeyCode::Esc, 2}}) {
    page = SmallPage{};
    script::SetText("ed111", kNoIndex, "2,5");
    script::SetValue("chk111", kNoIndex, 1);
    script::Key(c.key);
    page.Show();
    EXPECT_EQ(page.result, c.result);
    EXPECT_FALSE(DialogWindowOpen(11));
    if (c.result == 1) {
      EXPECT_EQ(page.text, "2,5");
      EXPECT_EQ(page.checked, 1);
    }
  }
}

TEST_F(PageTest, ReadBackShowsTheControlsAndTheirRoles) {
  script::Expect([] {
    std::vector<ControlInfo> controls = Controls(11);
    if (controls.size() != 4) return false;
    return controls[0].name == "ed111" && controls[0].text == "1.5" && controls[0].hasFocus &&
           controls[2].isDefault && controls[3].isCancel && controls[2].x == 10 && controls[2].width == 80;
  }, "controls of page 11");
  script::Click("cmdCancel112");
  page.Show();
  EXPECT_EQ(page.result, 2);
}

TEST_F(PageTest, TheWaitStoresWhereTheUserMovedThePage) {
  script::MoveDialog(333, 222);
  script::Click("cmdOk111");
  page.Show();
  EXPECT_EQ(page.left, 333);
  EXPECT_EQ(page.top, 222);
}

TEST_F(PageTest, APageOpenedFromAButtonNestsAndTheOuterPageWaitsOn) {
  int innerResult = 0;
  On("cmd113_Click", [&](EventArgs&) {
    ASSERT_TRUE(OpenDialogWindow(12, 0, 0, 200, 100, "Inner"));
    CreateControl(12, ControlKind::CommandButton, "cmdOk121", kNoIndex, 0, 0, 50, 20, "OK");
    SetDefaultButton(12, "cmdOk121");
    ShowDialogWindow(12);
    int l = 0, t = 0;
    WaitWhileOpen(12, l, t);
    innerResult = 1;
  });
  On("cmdOk121_Click", [](EventArgs&) { CloseDialogWindow(12); });
  script::Run([] {
    CreateControl(11, ControlKind::CommandButton, "cmd113", kNoIndex, 200, 10, 50, 20, "More");
  }, "add a button");
  script::Click("cmd113");
  script::Expect([] { return DialogWindowOpen(12) && OpenDialogWindows().back() == 12; }, "inner page open");
  script::Key(script::KeyCode::Enter);  // the inner page's OK
  script::Expect([&] { return innerResult == 1 && DialogWindowOpen(11); }, "outer page still waiting");
  script::Key(script::KeyCode::Enter);  // now the outer page's OK
  page.Show();
  EXPECT_EQ(page.result, 1);
}

TEST_F(PageTest, APageLeftWaitingWhenTheScriptRunsOutFailsAtOnce) {
  script::SetText("ed111", kNoIndex, "3");
  try {
    page.Show();
    FAIL() << "the wait returned";
  } catch (const DriverFailure& e) {
    std::string what = e.what();
    EXPECT_NE(what.find("dialog window 11"), std::string::npos) << what;
    EXPECT_NE(what.find("script is used up"), std::string::npos) << what;
  }
}

// A refill makes up the steps of every wait that finds the script used up,
// and is told what waits; a written step still comes first.
TEST_F(PageTest, ARefillAnswersWhatTheScriptLeavesOpen) {
  std::vector<std::string> asked;
  driver::SetScriptRefill([&asked](const std::string& kind, int window) {
    asked.push_back(kind + " " + std::to_string(window));
    if (kind == "message") script::AnswerMessage(2);
    if (kind == "page") script::Click("cmdOk111");
  });
  script::SetText("ed111", kNoIndex, "3");
  page.Show();
  EXPECT_EQ(page.result, 1);
  EXPECT_EQ(page.text, "3");
  EXPECT_EQ(MessageBox("Go on?", kMessageOkCancel, "Question"), 2);
  EXPECT_EQ(asked, (std::vector<std::string>{"page 11", "message 0"}));
  // Reset removes it: the next wait fails as before.
  driver::Reset();
  EXPECT_THROW(MessageBox("Go on?", kMessageOkCancel, "Question"), DriverFailure);
}

TEST_F(PageTest, StepsLeftAtTheEndFailTheTest) {
  script::Click("cmdOk111");
  EXPECT_THROW(driver::Finish(), DriverFailure);
  EXPECT_EQ(driver::StepsLeft(), 0u);
}

TEST_F(PageTest, TheCloseBoxPressesCancelOrReportsTheClosing) {
  script::Run([] { RequestDialogClose(11); }, "close box");
  page.Show();
  EXPECT_EQ(page.result, 2);

  int closed = 0;
  On("DialogWindow_Closed", [&](EventArgs& a) { closed = a.index; });
  ASSERT_TRUE(OpenDialogWindow(5, 0, 0, 100, 100, "No cancel"));
  int l, t;
  script::Run([] { RequestDialogClose(5); }, "close box");
  WaitWhileOpen(5, l, t);
  EXPECT_EQ(closed, 5);
}

TEST_F(PageTest, OpeningAnOpenWindowIsRefused) {
  ASSERT_TRUE(OpenDialogWindow(7, 10, 10, 100, 100, "First"));
  EXPECT_FALSE(OpenDialogWindow(7, 50, 50, 100, 100, "Second"));
  EXPECT_EQ(DialogCaption(7), "First");
  CloseDialogWindow(7);
}

TEST_F(PageTest, AWindowSavedOffTheScreenComesBack) {
  ASSERT_TRUE(OpenDialogWindow(7, 5000, -3000, 200, 100, "Far away"));
  WindowRect r = DialogWindowRect(7);
  EXPECT_GE(r.left, 0);
  EXPECT_LE(r.left + 200, 1024);
  EXPECT_GE(r.top, 0);
  ASSERT_TRUE(OpenDialogWindow(8, 300, 200, 200, 100, "Near"));
  EXPECT_EQ(DialogWindowLeft(8), 300);
  EXPECT_EQ(DialogWindowTop(8), 200);
}

TEST_F(DriverTest, HiddenButtonsArePressedByAltLetter) {
  int pressed = 0;
  On("cmd145_Click", [&](EventArgs&) { pressed = 145; });
  On("cmdOk141_Click", [](EventArgs&) { CloseDialogWindow(14); });
  ASSERT_TRUE(OpenDialogWindow(14, 0, 0, 300, 200, "Start"));
  CreateControl(14, ControlKind::CommandButton, "cmd145", kNoIndex, 0, 0, 0, 0, "&y");
  CreateControl(14, ControlKind::CommandButton, "cmdOk141", kNoIndex, 10, 10, 80, 20, "OK");
  script::AltKey('Y');
  script::Expect([&] { return pressed == 145; }, "Alt+Y pressed cmd145");
  script::Click("cmdOk141");
  int l, t;
  WaitWhileOpen(14, l, t);
}

TEST_F(DriverTest, ValuesSetFromCodeRaiseNoClicksAndOptionsExcludeEachOther) {
  ASSERT_TRUE(OpenDialogWindow(17, 0, 0, 300, 200, "Styles"));
  CreateControl(17, ControlKind::Frame, "frm171", kNoIndex, 10, 10, 200, 150, "Style");
  for (int i = 0; i < 3; ++i)
    CreateControl(17, ControlKind::OptionButton, "opt171", i, 20, 30 + 20 * i, 100, 18, "o", "frm171");
  std::vector<int> clicks;
  On("opt171_Click", [&](EventArgs& a) { clicks.push_back(a.index); });
  SetValue(17, "opt171", 0, 1);
  SetValue(17, "opt171", 2, 1);
  EXPECT_TRUE(clicks.empty());
  EXPECT_EQ(Value(17, "opt171", 0), 0);
  EXPECT_EQ(Value(17, "opt171", 2), 1);
  SetValue(17, "opt171", 2, 0);  // an option button can also be cleared from code
  EXPECT_EQ(Value(17, "opt171", 2), 0);
  driver::Click("opt171", 1);
  EXPECT_EQ(clicks, std::vector<int>{1});
  EXPECT_EQ(Value(17, "opt171", 1), 1);
  CloseDialogWindow(17);
}

TEST_F(DriverTest, CheckBoxesKeepTheLinkedStateUntilClicked) {
  ASSERT_TRUE(OpenDialogWindow(15, 0, 0, 300, 200, "Doublets"));
  CreateControl(15, ControlKind::CheckBox, "chk151", 3, 0, 0, 20, 20, "");
  SetValue(15, "chk151", 3, 2);
  EXPECT_EQ(Value(15, "chk151", 3), 2);
  driver::Click("chk151", 3);
  EXPECT_EQ(Value(15, "chk151", 3), 0);
  driver::Click("chk151", 3);
  EXPECT_EQ(Value(15, "chk151", 3), 1);
}

TEST_F(DriverTest, ProgressIsHeldAtItsMaximum) {
  ASSERT_TRUE(OpenDialogWindow(4, 0, 0, 300, 100, "Progress"));
  CreateControl(4, ControlKind::ProgressBar, "pb411", kNoIndex, 0, 0, 200, 20, "");
  SetProgressRange(4, "pb411", kNoIndex, 1, 60);
  struct Case {
    double set, read;
  };
  for (Case c : {Case{30, 30}, Case{69, 60}, Case{-5, 1}}) {
    SetValue(4, "pb411", kNoIndex, c.set);
    EXPECT_EQ(Value(4, "pb411"), c.read) << c.set;
  }
}

TEST_F(DriverTest, ListsSelectAndCheckItems) {
  ASSERT_TRUE(OpenDialogWindow(23, 0, 0, 300, 300, "Lines"));
  CreateControl(23, ControlKind::ListBox, "lib231", kNoIndex, 0, 0, 200, 200, "");
  SetListMultiSelect(23, "lib231", kNoIndex, true);
  for (const char* t : {"84.0 Au 4f", "285.0 C 1s", "531.0 O 1s"}) AddListItem(23, "lib231", kNoIndex, t);
  EXPECT_EQ(ListIndex(23, "lib231"), -1);
  SetItemSelected(23, "lib231", kNoIndex, 0, true);
  SetItemSelected(23, "lib231", kNoIndex, 2, true);
  EXPECT_TRUE(ItemSelected(23, "lib231", kNoIndex, 0));
  EXPECT_FALSE(ItemSelected(23, "lib231", kNoIndex, 1));
  EXPECT_TRUE(ItemSelected(23, "lib231", kNoIndex, 2));
  EXPECT_EQ(ListItem(23, "lib231", kNoIndex, 1), "285.0 C 1s");
  EXPECT_THROW(ListItem(23, "lib231", kNoIndex, 3), ControlError);
  SetItemChecked(23, "lib231", kNoIndex, 1, true);
  EXPECT_TRUE(ItemChecked(23, "lib231", kNoIndex, 1));
}

TEST_F(DriverTest, CallsOnMissingControlsFailWithTheirName) {
  ASSERT_TRUE(OpenDialogWindow(3, 0, 0, 100, 100, "Confirm"));
  try {
    SetText(3, "lb31", kNoIndex, "x");
    FAIL();
  } catch (const ControlError& e) {
    EXPECT_NE(std::string(e.what()).find("lb31"), std::string::npos);
  }
}
