// The window choice page: which windows it offers for each command, its
// layout with one or more columns, and the list it leaves behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/window_choice_page.h"
#include "page_fixture.h"
#include "platform/mouse.h"

namespace {

using namespace sorvan;
using pagetest::FindControl;
using pagetest::kCellHeight;
using pagetest::kCellWidth;
namespace script = plat::script;

constexpr int kPage = 20;

void OpenWindow(int w, int kind = 0, bool fit = false, bool errors = false) {
  Win[w].WindowOpen = true;
  Win[w].WindowKind = static_cast<Byte>(kind);
  Win[w].HasFit = fit ? 1 : 0;
  Win[w].ErrorTableValid = errors ? 1 : 0;
  Win[w].SpectrumHeader.Name = "S" + std::to_string(w);
}

// The windows named by the page's boxes, in box order.
std::vector<int> OfferedWindows() {
  std::vector<int> offered;
  for (const plat::ControlInfo& c : plat::Controls(kPage))
    if (c.name == "chk201") offered.push_back(static_cast<int>(G.ChosenWindows[c.index]));
  return offered;
}

std::vector<int> Chosen() {
  std::vector<int> chosen;
  for (int i = 1; i <= G.ChosenWindowCount; ++i) chosen.push_back(static_cast<int>(G.ChosenWindows[i]));
  return chosen;
}

class WindowChoicePage : public pagetest::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    OpenWindow(1, 0, true, true);   // fit with a valid error table
    OpenWindow(2, 0, true, false);  // fit only
    OpenWindow(3);                  // a plain spectrum
    OpenWindow(4, 3);               // stacked curves
    OpenWindow(5, 1, true, true);   // chemical-state plot
    OpenWindow(7);
    Win[8].SpectrumHeader.Name = "closed";
  }
};

struct FilterCase {
  const char* command;
  std::string mode;
  int excluded;
  std::vector<int> offered;
};

TEST_F(WindowChoicePage, OffersTheOpenSingleWindowsThatSuitTheCommand) {
  const FilterCase cases[] = {
      {"fit report", G.MessageTexts[87], 0, {1, 2}},
      {"fit table export", G.LabelTexts[46], 0, {1, 2}},
      {"error table export", G.LabelTexts[120], 0, {1}},
      {"error report", G.LabelTexts[121], 0, {1}},
      {"multi-spectrum view", G.LabelTexts[33], 0, {1, 2, 3, 7}},
      {"series from window 3", G.LabelTexts[33], 3, {1, 2, 7}},
      {"quantification", G.MessageTexts[78], 0, {1, 2, 3, 7}},
  };
  for (const FilterCase& c : cases) {
    SCOPED_TRACE(c.command);
    std::vector<int> offered;
    script::Run([&] {
      offered = OfferedWindows();
      EXPECT_EQ(plat::DialogCaption(kPage), c.mode);
    });
    script::Key(script::KeyCode::Esc);
    ShowWindowChoicePage(c.excluded, c.mode);
    EXPECT_EQ(offered, c.offered);
  }
}

TEST_F(WindowChoicePage, BoxesNameTheWindowAndItsSpectrum) {
  G.MessageTexts[34] = "Window ";
  script::Run([] {
    EXPECT_EQ(plat::Text(kPage, "chk201", 3), "Window 3 S3");
    EXPECT_EQ(plat::Value(kPage, "chk201", 3), 0);
    EXPECT_TRUE(FindControl(kPage, "chk201", 1).hasFocus);
    EXPECT_TRUE(FindControl(kPage, "cmdOk201").isDefault);
    EXPECT_TRUE(FindControl(kPage, "cmdCancel202").isCancel);
  });
  script::Key(script::KeyCode::Esc);
  ShowWindowChoicePage(0, G.LabelTexts[33]);
}

TEST_F(WindowChoicePage, ALongNameIsCutWithinItsBox) {
  G.MessageTexts[34] = "Window ";
  Win[7].SpectrumHeader.Name = "Si 2p after sputtering 30 min at 3 keV and annealing at 450 C";
  script::Run([] {
    const std::string shown = plat::Text(kPage, "chk201", 4);
    EXPECT_EQ(shown.rfind("Window 7 Si 2p after", 0), 0u) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 3), "...") << shown;
    EXPECT_FALSE(plat::TextCut(kPage, "chk201", 4)) << shown;
    EXPECT_EQ(plat::Text(kPage, "chk201", 3), "Window 3 S3");
  });
  script::Key(script::KeyCode::Esc);
  ShowWindowChoicePage(0, G.LabelTexts[33]);
}

TEST_F(WindowChoicePage, TickedWindowsComeBackInWindowOrder) {
  G.QuantLineName[1][1] = "Fe2p";
  script::Click("chk201", 4);  // window 7
  script::Click("chk201", 3);  // window 3
  script::Click("cmdOk201");
  ShowWindowChoicePage(0, G.LabelTexts[33]);
  EXPECT_EQ(G.DialogResult, 1);
  EXPECT_EQ(Chosen(), (std::vector<int>{3, 7}));
  // The line names belong to the quantification, which takes them itself.
  EXPECT_EQ(G.QuantLineName[1][1], "Fe2p");
}

TEST_F(WindowChoicePage, AllBoxesButtonTicksEveryListedWindow) {
  script::Click("cmd203");
  script::Expect([] { return plat::DialogWindowOpen(kPage); }, "the page stays open");
  script::Key(script::KeyCode::Enter);
  ShowWindowChoicePage(0, G.MessageTexts[87]);
  EXPECT_EQ(Chosen(), (std::vector<int>{1, 2}));
}

TEST_F(WindowChoicePage, CancelForgetsTheOldChoice) {
  G.ChosenWindowCount = 2;
  script::Click("chk201", 1);
  script::Click("cmdCancel202");
  ShowWindowChoicePage(0, G.LabelTexts[33]);
  EXPECT_EQ(G.DialogResult, 2);
  EXPECT_EQ(G.ChosenWindowCount, 0);
}

TEST_F(WindowChoicePage, CloseBoxActsAsCancel) {
  G.ChosenWindowCount = 2;
  script::Run([] { plat::RequestDialogClose(kPage); });
  ShowWindowChoicePage(0, G.LabelTexts[33]);
  EXPECT_EQ(G.DialogResult, 2);
  EXPECT_EQ(G.ChosenWindowCount, 0);
}

TEST_F(WindowChoicePage, WithNothingToOfferThePageIsEmptyAndOkChoosesNothing) {
  Win[1].WindowOpen = false;  // the only window with a valid error table
  G.ChosenWindowCount = 3;
  script::Run([] {
    const plat::WindowRect r = plat::DialogWindowRect(kPage);
    EXPECT_EQ(r.width, 28 * kCellWidth);
    EXPECT_EQ(r.height, 8 * kCellHeight);
    EXPECT_TRUE(OfferedWindows().empty());
  });
  script::Key(script::KeyCode::Enter);
  ShowWindowChoicePage(0, G.LabelTexts[120]);
  EXPECT_EQ(G.DialogResult, 1);
  EXPECT_EQ(G.ChosenWindowCount, 0);
}

TEST_F(WindowChoicePage, TwentyOneWindowsMakeTwoColumns) {
  for (int w = 1; w <= 100; ++w) Win[w] = WindowRecord{};
  for (int w = 11; w <= 31; ++w) OpenWindow(w);
  const int row = 16;  // 1.1 cells of 15 pixels = 16.5 -> 16
  script::Run([&] {
    const plat::WindowRect r = plat::DialogWindowRect(kPage);
    EXPECT_EQ(r.width, 56 * kCellWidth);
    EXPECT_EQ(r.height, 8 * kCellHeight + 20 * row);
    const plat::ControlInfo box20 = FindControl(kPage, "chk201", 20);
    const plat::ControlInfo box21 = FindControl(kPage, "chk201", 21);
    EXPECT_EQ(box20.x, 2 * kCellWidth);
    EXPECT_EQ(box20.y, 345);  // 1 + 1.1 x 20 = 23 cells
    EXPECT_EQ(box21.x, 30 * kCellWidth);
    EXPECT_EQ(box21.y, FindControl(kPage, "chk201", 1).y);
    EXPECT_EQ(FindControl(kPage, "frm201").width, 53 * kCellWidth);
    EXPECT_EQ(FindControl(kPage, "cmdOk201").y, 70 + 20 * row);  // 4.7 cells = 70.5 -> 70
    int px = 0, py = 0;
    plat::LastPointerMove(px, py);
    EXPECT_EQ(px, G.DialogLeft + 7 * kCellWidth);
    EXPECT_EQ(py, G.DialogTop + 84 + 20 * row);  // 5.6 cells
  });
  script::Click("chk201", 21);
  script::Click("chk201", 1);
  script::Key(script::KeyCode::Enter);
  ShowWindowChoicePage(0, G.LabelTexts[33]);
  EXPECT_EQ(Chosen(), (std::vector<int>{11, 31}));
}

}  // namespace

namespace {

using namespace sorvan;
namespace script = plat::script;

class WindowChoiceAgain : public pagetest::PageTest {};

TEST_F(WindowChoiceAgain, ShowingThePageWhileItIsOpenChangesNothing) {
  for (int w : {2, 5, 9}) {
    Win[w].WindowOpen = true;
    Win[w].SpectrumHeader.Name = "S";
  }
  script::Run([] {
    ShowWindowChoicePage(2, G.LabelTexts[33]);  // returns at once
    EXPECT_EQ(G.ChosenWindows[1], 2);
    EXPECT_EQ(G.ChosenWindows[3], 9);
    EXPECT_EQ(G.DialogResult, 0);
  });
  script::Click("cmd203");
  script::Key(script::KeyCode::Enter);
  ShowWindowChoicePage(0, G.LabelTexts[33]);
  EXPECT_EQ(G.ChosenWindowCount, 3);
}

}  // namespace
