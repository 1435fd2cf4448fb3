// The page mechanism driven through the test driver: layout in cells, the
// default and cancel keys, the close box, guards, nesting, the remembered
// place and the reading of typed numbers.
#include <gtest/gtest.h>

#include <stdexcept>

#include "dialogs/page.h"
#include "page_fixture.h"
#include "platform/mouse.h"

namespace {

using namespace sorvan;
using pagetest::FindControl;
using pagetest::kCellHeight;
using pagetest::kCellWidth;
namespace script = plat::script;

// A small page on dialog window 11: a label, an entry field, OK, Cancel and a
// button with an answer of its own (115), as the real pages are built.
constexpr int kTestPage = 11;

PageSpec TestSpec(PageGuard guard = PageGuard::None, bool clearResult = true) {
  PageSpec spec;
  spec.dialogWindow = kTestPage;
  spec.width = 30;
  spec.height = 6.5;
  spec.caption = "test page";
  spec.guard = guard;
  spec.clearResult = clearResult;
  spec.firstEntry = "ed111";
  return spec;
}

void BuildTestPage() {
  const int n = kTestPage;
  PageLabel(n, "lb111", plat::kNoIndex, 1.5, 0.5, 12, 1, "L5");
  PageEdit(n, "ed111", plat::kNoIndex, 14, 0.5, 2.5, 1.1, "7");
  PageButton(n, "cmdOk111", plat::kNoIndex, 1, 3.5, 13, 1.2, "B2", ButtonRole::Default);
  PageButton(n, "cmdCancel112", plat::kNoIndex, 15, 3.5, 13, 1.2, "B1", ButtonRole::Cancel);
  PageButton(n, "cmd115", plat::kNoIndex, 1, 5, 13, 1.2, "L3");
}

bool ShowTestPage(PageGuard guard = PageGuard::None, bool clearResult = true) {
  return RunPage(TestSpec(guard, clearResult), BuildTestPage);
}

class PageMechanism : public pagetest::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    RegisterEvent("cmdOk111_Click", [](plat::EventArgs&) { ClosePage(kTestPage, 1); });
    RegisterEvent("cmdCancel112_Click", [](plat::EventArgs&) { ClosePage(kTestPage, 2); });
    RegisterEvent("cmd115_Click", [](plat::EventArgs&) { ClosePage(kTestPage, 115); });
  }
};

TEST_F(PageMechanism, LaysOutControlsInCellsRoundedHalfToEven) {
  bool checked = false;
  script::Run([&] {
    // 1.5 cells of 7 pixels are 10.5 pixels (to 10), 2.5 cells 17.5 (to 18),
    // 0.5 cells of 15 pixels 7.5 (to 8), 3.5 cells 52.5 (to 52).
    const plat::ControlInfo label = FindControl(kTestPage, "lb111");
    EXPECT_EQ(label.x, 10);
    EXPECT_EQ(label.y, 8);
    EXPECT_EQ(label.width, 12 * kCellWidth);
    EXPECT_EQ(label.height, kCellHeight);
    const plat::ControlInfo edit = FindControl(kTestPage, "ed111");
    EXPECT_EQ(edit.x, 14 * kCellWidth);
    EXPECT_EQ(edit.width, 18);
    EXPECT_EQ(edit.height, 16);  // 16.5 -> 16
    EXPECT_TRUE(edit.hasFocus);
    const plat::ControlInfo ok = FindControl(kTestPage, "cmdOk111");
    EXPECT_EQ(ok.y, 52);
    EXPECT_EQ(ok.height, 18);
    EXPECT_TRUE(ok.isDefault);
    EXPECT_TRUE(FindControl(kTestPage, "cmdCancel112").isCancel);
    const plat::WindowRect frame = plat::DialogWindowRect(kTestPage);
    EXPECT_EQ(frame.width, 30 * kCellWidth);
    EXPECT_EQ(frame.height, 98);  // 6.5 x 15 = 97.5 -> 98
    EXPECT_EQ(plat::DialogCaption(kTestPage), "test page");
    // The pointer sits on the centre of OK, one cell lower for the caption bar.
    int px = 0, py = 0;
    plat::LastPointerMove(px, py);
    EXPECT_EQ(px, G.DialogLeft + 52);  // 7.5 cells = 52.5 -> 52
    EXPECT_EQ(py, G.DialogTop + 76);   // 5.1 cells = 76.5 -> 76
    checked = true;
  });
  script::Key(script::KeyCode::Enter);
  EXPECT_TRUE(ShowTestPage());
  EXPECT_TRUE(checked);
}

TEST_F(PageMechanism, DecimalCellsGoToWholePixelsWithHalvesToEven) {
  struct Case {
    Cells length;
    int across, down;  // cells of 7 x 15 pixels
  } cases[] = {
      {0.5, 4, 8},        {1.5, 10, 22},    {2.5, 18, 38},  {11.3, 79, 170},  // 79.1; 169.5
      {1.1, 8, 16},       {4.7, 33, 70},    {5.3, 37, 80},  {Cells(4.7, 48), 81, 118},
      {-1.5, -10, -22},   {0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length.cells);
    EXPECT_EQ(CellsToPixelsX(c.length), c.across);
    EXPECT_EQ(CellsToPixelsY(c.length), c.down);
  }
}

// Each way of leaving the page and the answer the caller then finds.
struct LeaveCase {
  const char* how;
  std::function<void()> step;
  int result;
};

TEST_F(PageMechanism, EveryWayOfLeavingGivesItsAnswer) {
  const LeaveCase cases[] = {
      {"Enter", [] { script::Key(script::KeyCode::Enter); }, 1},
      {"Esc", [] { script::Key(script::KeyCode::Esc); }, 2},
      {"OK", [] { script::Click("cmdOk111"); }, 1},
      {"own button", [] { script::Click("cmd115"); }, 115},
      {"close box", [] { script::Run([] { plat::RequestDialogClose(kTestPage); }); }, 2},
  };
  for (const LeaveCase& c : cases) {
    SCOPED_TRACE(c.how);
    G.DialogResult = 9;
    c.step();
    EXPECT_TRUE(ShowTestPage(PageGuard::Window1));
    EXPECT_EQ(G.DialogResult, c.result);
    EXPECT_FALSE(plat::DialogWindowOpen(kTestPage));
    EXPECT_EQ(G.DialogWindow1Busy, 0);
    EXPECT_FALSE(PageOpen(kTestPage));
  }
}

TEST_F(PageMechanism, CloseBoxOfAPageWithoutCancelCountsAsCancel) {
  int closeActions = 0;
  PageSpec spec = TestSpec(PageGuard::Window28);
  spec.firstEntry.clear();
  spec.onCloseBox = [&] { ++closeActions; };
  G.DialogResult = 1;  // a stale answer that must not survive
  script::Run([] { plat::RequestDialogClose(kTestPage); });
  EXPECT_TRUE(RunPage(spec, [] {
    PageButton(kTestPage, "cmdOk111", plat::kNoIndex, 1, 1, 13, 1.2, "B2", ButtonRole::Default);
  }));
  EXPECT_EQ(G.DialogResult, 2);
  EXPECT_EQ(closeActions, 1);
  EXPECT_EQ(G.DialogWindow28Busy, 0);
  // The guard is free: the page opens again.
  script::Key(script::KeyCode::Enter);
  EXPECT_TRUE(RunPage(spec, [] {
    PageButton(kTestPage, "cmdOk111", plat::kNoIndex, 1, 1, 13, 1.2, "B2", ButtonRole::Default);
  }));
  EXPECT_EQ(G.DialogResult, 1);
}

TEST_F(PageMechanism, PageOnABusyWindowReturnsAtOnceAndKeepsTheAnswer) {
  G.DialogWindow1Busy = 1;
  G.DialogResult = 7;
  EXPECT_FALSE(ShowTestPage(PageGuard::Window1));  // no step taken: nothing waited
  EXPECT_EQ(G.DialogResult, 7);
  EXPECT_FALSE(plat::DialogWindowOpen(kTestPage));
  EXPECT_EQ(G.DialogWindow1Busy, 1);
}

TEST_F(PageMechanism, SecondShowWhilePageIsOpenReturnsAtOnce) {
  // Pages 1x and 32x share window 1: the second show, from inside the first
  // page's wait, is refused whether it has a guard or not.
  bool guardedShown = true, unguardedShown = true;
  G.DialogResult = 0;
  script::Run([&] {
    G.DialogResult = 5;
    guardedShown = ShowTestPage(PageGuard::Window1);
    unguardedShown = ShowTestPage(PageGuard::None);
    EXPECT_EQ(G.DialogResult, 5);
  });
  script::Key(script::KeyCode::Esc);
  EXPECT_TRUE(ShowTestPage(PageGuard::Window1));
  EXPECT_FALSE(guardedShown);
  EXPECT_FALSE(unguardedShown);
  EXPECT_EQ(G.DialogResult, 2);
}

TEST_F(PageMechanism, NestedPageFromAButtonReturnsToTheOuterWait) {
  // Page 24x opens another page from a button and goes on waiting.
  constexpr int kOuter = 24;
  int innerResult = -1;
  RegisterEvent("cmd243_Click", [&](plat::EventArgs&) {
    ShowTestPage();
    innerResult = G.DialogResult;
  });
  RegisterEvent("cmdOk241_Click", [](plat::EventArgs&) { ClosePage(kOuter, 1); });
  PageSpec outer;
  outer.dialogWindow = kOuter;
  outer.width = 28;
  outer.height = 5;
  outer.caption = "outer";
  outer.clearResult = true;

  script::Click("cmd243");                    // opens the inner page
  script::SetText("ed111", -1, "4");          // inner page
  script::Key(script::KeyCode::Esc);          // inner page: Cancel
  script::Expect([] { return plat::DialogWindowOpen(kOuter) && !plat::DialogWindowOpen(kTestPage); },
                 "the outer page still waits after the inner one closed");
  script::Key(script::KeyCode::Enter);        // outer page: OK
  EXPECT_TRUE(RunPage(outer, [] {
    PageButton(kOuter, "cmdOk241", plat::kNoIndex, 1, 1, 13, 1.2, "B2", ButtonRole::Default);
    PageButton(kOuter, "cmd243", plat::kNoIndex, 1, 3, 13, 1.2, "L9");
  }));
  EXPECT_EQ(innerResult, 2);
  EXPECT_EQ(G.DialogResult, 1);
}

TEST_F(PageMechanism, PageThatShowsItselfAgainEndsWithTheSecondShow) {
  // The error pages' toggle: close, change a setting, show the page again.
  int shows = 0;
  RegisterEvent("cmd115_Click", [&](plat::EventArgs&) {
    ClosePage(kTestPage, -1);
    ++shows;
    ShowTestPage(PageGuard::Window1);
  });
  script::Click("cmd115");
  script::Expect([] { return plat::DialogWindowOpen(kTestPage) && G.DialogWindow1Busy == 1; },
                 "the page is open again and holds its window");
  script::Key(script::KeyCode::Enter);
  EXPECT_TRUE(ShowTestPage(PageGuard::Window1));
  EXPECT_EQ(shows, 1);
  EXPECT_EQ(G.DialogResult, 1);
  EXPECT_EQ(G.DialogWindow1Busy, 0);
  EXPECT_FALSE(plat::DialogWindowOpen(kTestPage));
}

TEST_F(PageMechanism, NextPageOpensWhereTheUserLeftTheLastOne) {
  script::MoveDialog(300, 200);
  script::Key(script::KeyCode::Enter);
  ShowTestPage();
  EXPECT_EQ(G.DialogLeft, 300);
  EXPECT_EQ(G.DialogTop, 200);
  script::Expect([] {
    const plat::WindowRect r = plat::DialogWindowRect(kTestPage);
    return r.left == 300 && r.top == 200;
  }, "the page opens at the moved place");
  script::Key(script::KeyCode::Enter);
  ShowTestPage();
}

TEST_F(PageMechanism, SavedPlaceOffTheScreenIsBroughtBack) {
  G.DialogLeft = 30000;
  G.DialogTop = -5000;
  script::Expect([] {
    const plat::WindowRect r = plat::DialogWindowRect(kTestPage);
    return r.left >= 0 && r.top >= 0 && r.left + r.width <= 4000 && r.top < 3000;
  }, "the page is on the screen");
  script::Key(script::KeyCode::Enter);
  ShowTestPage();
  EXPECT_LT(G.DialogLeft, 30000);
  EXPECT_GE(G.DialogTop, 0);
}

TEST_F(PageMechanism, RefusedControlCallClosesThePageCleanly) {
  G.DialogResult = 0;
  EXPECT_THROW(RunPage(TestSpec(PageGuard::Window2), [] {
                 BuildTestPage();
                 plat::SetText(kTestPage, "ed999", plat::kNoIndex, "x");  // no such control
               }),
               plat::ControlError);
  EXPECT_FALSE(plat::DialogWindowOpen(kTestPage));
  EXPECT_FALSE(PageOpen(kTestPage));
  EXPECT_EQ(G.DialogWindow2Busy, 0);
  EXPECT_EQ(G.DialogResult, 2);
}

TEST_F(PageMechanism, HandlersKnowTheWindowThePageWasOpenedFor) {
  PageSpec spec = TestSpec();
  spec.spectrumWindow = 4;
  G.CurrentWindow = 4;
  int seen = -1;
  script::Run([&] {
    G.CurrentWindow = 9;  // the user clicked another window meanwhile
    seen = PageWindow(kTestPage);
  });
  script::Key(script::KeyCode::Enter);
  RunPage(spec, BuildTestPage);
  EXPECT_EQ(seen, 4);
  EXPECT_EQ(PageWindow(kTestPage), 0);
}

struct NumberCase {
  const char* typed;
  double value;
  long long whole;
};

TEST_F(PageMechanism, TypedNumbersReadInFourSteps) {
  // A decimal comma reads as a point on every page, the first one only.
  const NumberCase cases[] = {
      {"2,5", 2.5, 2},      {"1,5", 1.5, 2},   {"3.5", 3.5, 4},     {" -2.5", -2.5, -2},
      {"1,2,3", 1.2, 1},    {"12abc", 12, 12}, {"abc", 0, 0},       {"", 0, 0},
      {"1.5e2 eV", 150, 150}, {",5", 0.5, 0},  {"7", 7, 7},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.typed);
    script::SetText("ed111", -1, c.typed);
    script::Run([&] {
      EXPECT_DOUBLE_EQ(ReadPageNumber(kTestPage, "ed111"), c.value);
      EXPECT_EQ(ReadPageWholeNumber(kTestPage, "ed111"), c.whole);
    });
    script::Key(script::KeyCode::Enter);
    ShowTestPage();
  }
}

}  // namespace
