// The toolbar's own actions, clicked through the real toolbar: reading the
// last format again, repeating the last background, a new fit of the last
// peak type, the start values, the views, and the point editing by mouse
// that the check button shares with its menu item.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/store.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/toolbar.h"
#include "shell/toolbar.h"
#include "shell_fixture.h"
#include "test_spectra.h"

namespace {

using namespace sorvan;
namespace script = plat::script;
namespace driver = plat::driver;

constexpr int kPoints = 60;

class ToolbarActions : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    for (int a = 1; a <= kToolbarActionCount; ++a) G.ToolbarButtonOfAction[a] = 1;
    BuildToolbar();
    for (int w = 1; w <= 2; ++w) Open(w);
  }

  static void Open(int w) {
    shelltest::OpenTestSpectrum(w, "O 1s " + std::to_string(w), {kPoints, 950, 0.2}, [w](int i) {
      const double x = (i - 30) / 4.0;
      return 100 + 900 * w * std::exp(-0.5 * x * x);
    });
  }

  static void Click(int action) { driver::ClickToolbar(G.ToolbarButtonOfAction[action]); }
  static std::vector<double> Column(int w) {
    std::vector<double> y;
    for (int i = 1; i <= kPoints; ++i) y.push_back(SlotData[w](i, 1));
    return y;
  }
};

TEST_F(ToolbarActions, EditPointsIsSwitchedByItsItemAndItsButtonAlike) {
  const int button = G.ToolbarButtonOfAction[kEditPointsAction];
  struct Case {
    const char* what;
    std::function<void()> toggle;
  };
  const Case cases[] = {
      {"menu", [] { driver::ChooseMenu(2600); }},
      {"toolbar", [] { Click(kEditPointsAction); }},
  };
  int row = 40;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    row += 30;  // another height each time, so that the point really moves
    c.toggle();
    EXPECT_EQ(G.EditPointsMode, 1);
    EXPECT_TRUE(Checked(2600));
    EXPECT_EQ(plat::ToolbarButtonValue(button), -1);

    // A left click in the region moves the point under the pointer.
    const std::vector<double> before = Column(2);
    driver::MouseDown(2, G.PlotLeft + G.PlotWidth / 2, row, 1);
    const std::vector<double> after = Column(2);
    int changed = 0;
    for (int i = 0; i < kPoints; ++i) changed += before[i] != after[i] ? 1 : 0;
    EXPECT_EQ(changed, 1);

    c.toggle();
    EXPECT_EQ(G.EditPointsMode, 0);
    EXPECT_FALSE(Checked(2600));
    EXPECT_EQ(plat::ToolbarButtonValue(button), 0);
    driver::MouseDown(2, G.PlotLeft + G.PlotWidth / 2, 40, 1);
    driver::MouseDown(2, G.PlotLeft + G.PlotWidth / 3, 60, 1);
    EXPECT_EQ(Column(2), after) << "clicks pick a region again";
  }
}

TEST_F(ToolbarActions, ReadTheLastFormatAgainOpensItsImport) {
  struct Case {
    int code;
    bool asks;  // the import's file dialog opens
  };
  const Case cases[] = {{0, true}, {12, true}, {16, true}, {22, true}, {28, true},
                        {13, false}, {99, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    Win[0].ImportFormat = static_cast<Byte>(c.code);
    G.CommandId = 1700;  // after the test spectrum
    if (c.asks) script::CancelFile();
    Click(1);
    EXPECT_EQ(driver::StepsLeft(), 0u);
    EXPECT_FALSE(Win[3].WindowOpen);
    if (c.asks) {
      EXPECT_EQ(Win[0].ImportFormat, c.code);
    }
    if (c.code == 12) {
      EXPECT_EQ(G.CommandId, 1160) << "read as the VAMAS import, not the test spectrum";
    }
  }
}

TEST_F(ToolbarActions, TheLastBackgroundIsComputedAgain) {
  struct Case {
    const char* what;
    std::string name;
    bool page;
  };
  const Case cases[] = {
      {"Shirley", G.MessageTexts[3], true},
      {"linear", G.MessageTexts[2], true},
      {"nothing computed yet", "", false},
      {"a name of another language", "Untergrund?", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    G.BackgroundName = c.name;
    if (c.page) {
      const std::string name = c.name;
      script::Expect([name] { return plat::DialogWindowOpen(1) && plat::DialogCaption(1) == name; },
                     "page 1x of the background");
      script::Click("cmdOk11");
    }
    Click(16);
    EXPECT_EQ(Win[2].BackgroundState, c.page ? 1 : 0);
    EXPECT_EQ(G.BackgroundName, c.name);
    driver::ChooseMenu(1900);  // revert for the next case
  }
}

TEST_F(ToolbarActions, ANewFitOfTheLastTypeShowsThatTypesPages) {
  // The last fit was a doublet fit on another window.
  G.FitTypeName = G.MessageTexts[52];
  Win[1].PeakType = G.MessageTexts[52];
  Win[2].PeakType = G.MessageTexts[47];
  script::Key(script::KeyCode::Enter);  // peak count
  script::Key(script::KeyCode::Enter);  // limits
  script::Expect([] { return plat::DialogWindowOpen(15); }, "the doublet start page");
  script::Key(script::KeyCode::Esc);
  Click(28);
  EXPECT_EQ(Win[2].PeakType, G.MessageTexts[52]);
  EXPECT_EQ(G.FitTypeName, G.MessageTexts[52]);
  EXPECT_EQ(Win[2].HasFit, 0);

  // Before any fit the type is neither: no page, and no fit started by the
  // answer an earlier page left behind.
  G.FitTypeName.clear();
  G.DialogResult = 1;
  Click(28);
  EXPECT_EQ(Win[2].HasFit, 0);
  EXPECT_EQ(Win[2].PeakType, G.MessageTexts[52]);
}

TEST_F(ToolbarActions, StartValuesShowThePageOfTheWindowsType) {
  Win[2].PeakType = G.MessageTexts[47];
  Win[2].PeakCount = 1;
  G.FitTypeName = G.MessageTexts[52];
  script::Expect([] { return plat::DialogWindowOpen(14); }, "the start page of single peaks");
  script::Key(script::KeyCode::Esc);
  Click(31);
  EXPECT_EQ(G.FitTypeName, G.MessageTexts[47]);
}

TEST_F(ToolbarActions, TheFourViewsOpenAsTheirMenuCommandsDo) {
  struct Case {
    int action, kind;
  };
  const Case cases[] = {{44, StackedCurves}, {45, Waterfall}, {46, MirroredWaterfall}, {47, ColourMap}};
  int v = 3;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    script::Click("chk201", 1);
    script::Click("chk201", 2);
    script::Click("cmdOk201");
    Click(c.action);
    ASSERT_TRUE(Win[v].WindowOpen);
    EXPECT_EQ(Win[v].WindowKind, c.kind);
    EXPECT_EQ(Win[v].MemberCount, 2);
    ++v;
  }
}

}  // namespace
