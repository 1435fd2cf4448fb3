// The multi-spectrum view commands of the Series menu, driven through the
// started program: windows chosen on the window choice page become the
// members of a new window of the command's view; windows that do not share
// an energy grid or a fit state, or a single window, are refused.
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
#include "platform/labels.h"
#include "shell_fixture.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

class ViewCommands : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    for (int w = 1; w <= 3; ++w) {
      const std::string name = "Fe 2p sweep " + std::to_string(w);
      OpenSpectrumWindow(w, name);
      WindowRecord& win = Win[w];
      SpectrumHeaderRecord& h = win.SpectrumHeader;
      h.Name = name;
      h.ShortName = "Fe" + std::to_string(w);
      h.PointCount = 30;
      h.StartEnergy = 760;
      h.EnergyStep = 0.5;
      h.EndEnergy = 760 + 29 * 0.5;
      h.ExcitationEnergy = 1486.6;
      h.ScanCount = 1;
      h.DwellTime = 1;
      win.RegionStart = 1;
      win.RegionEnd = 30;
      win.RegionLength = 30;
      DimSlotData(w);
      for (int i = 1; i <= 30; ++i) SlotData[w](i, 1) = 100.0 * w + i;
      RedrawWindow(w);
    }
    G.CurrentWindow = 1;
    UpdateMenuState(1);
  }
};

TEST_F(ViewCommands, ChosenWindowsBecomeTheMembersOfANewView) {
  struct Case {
    int command;
    int kind;
  };
  const Case cases[] = {{31122, StackedCurves}, {31123, ColourMap}, {31124, Waterfall}, {31125, MirroredWaterfall}};
  int expectedWindow = 4;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    G.CurrentWindow = 1;
    UpdateMenuState(1);
    script::Click("chk201", 3);
    script::Click("chk201", 1);
    script::Click("cmdOk201");
    plat::driver::ChooseMenu(c.command);
    const WindowRecord& v = Win[expectedWindow];
    ASSERT_TRUE(v.WindowOpen);
    EXPECT_EQ(v.WindowKind, c.kind);
    EXPECT_EQ(v.MemberCount, 2);
    EXPECT_EQ(v.MemberWindow[1], 1);
    EXPECT_EQ(v.MemberWindow[2], 3);
    EXPECT_EQ(v.MemberLabel[2], "Fe3");
    EXPECT_EQ(SlotComponents[expectedWindow](5, 2), 305);
    EXPECT_EQ(v.MultiYBottom, Win[1].YAxisBottom);
    EXPECT_EQ(v.MultiYTop, Win[3].YAxisTop);
    EXPECT_GT(v.LayoutPlotWidth, 0) << "the view was drawn and kept its layout";
    // A redraw (a resize, say) draws it again from its own columns.
    RedrawWindow(expectedWindow);
    EXPECT_EQ(Win[expectedWindow].WindowKind, c.kind);
    ++expectedWindow;
  }
}

TEST_F(ViewCommands, WindowsThatCannotShareAViewAreRefused) {
  struct Case {
    const char* what;
    std::vector<int> ticked;  // list positions (windows 1..3)
    std::function<void()> change;
  };
  const Case cases[] = {
      {"one window", {2}, [] {}},
      {"another start energy", {1, 2}, [] { Win[2].SpectrumHeader.StartEnergy = 761; }},
      {"another energy shift", {1, 2}, [] { Win[2].EnergyShift = 0.3; }},
      {"one fitted, one not", {1, 2}, [] { Win[2].HasFit = 1; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Win[2].SpectrumHeader.StartEnergy = 760;
    Win[2].EnergyShift = 0;
    Win[2].HasFit = 0;
    c.change();
    for (int k : c.ticked) script::Click("chk201", k);
    script::Click("cmdOk201");
    script::AnswerMessage(1);
    plat::driver::ChooseMenu(31123);
    EXPECT_EQ(G.CommandId, 7);
    EXPECT_FALSE(Win[4].WindowOpen) << "no view";
  }
}

TEST_F(ViewCommands, LabelsOfAViewSitAtFractionsOfItsOwnPlot) {
  script::Click("chk201", 1);
  script::Click("chk201", 2);
  script::Click("cmdOk201");
  plat::driver::ChooseMenu(31124);
  const int v = 4;
  ASSERT_TRUE(Win[v].WindowOpen);
  Win[v].AnnotationCount = 1;
  Labels[LabelIndex(v, 1)].AnnotationText = "after sputtering";
  Labels[LabelIndex(v, 1)].AnnotationX = 0.5;
  Labels[LabelIndex(v, 1)].AnnotationY = 0.25;
  RedrawWindow(v);
  const WindowRecord& win = Win[v];
  const plat::LabelSpec label = plat::Label(plat::LabelArray::Annotation, LabelIndex(v, 1));
  EXPECT_EQ(label.left, std::nearbyint(win.LayoutPlotLeft + win.LayoutPlotWidth * 0.5));
  EXPECT_EQ(label.top, std::nearbyint(win.LayoutSpacingUnit + win.LayoutPlotHeight * 0.25));
  EXPECT_EQ(label.text, "after sputtering");
}

TEST_F(ViewCommands, CancelledChoiceOpensNothing) {
  script::Click("chk201", 1);
  script::Click("cmdCancel202");
  plat::driver::ChooseMenu(31124);
  EXPECT_FALSE(Win[4].WindowOpen);
}

TEST_F(ViewCommands, RightClickReversesTheMembers) {
  script::Click("chk201", 1);
  script::Click("chk201", 2);
  script::Click("chk201", 3);
  script::Click("cmdOk201");
  plat::driver::ChooseMenu(31122);
  ASSERT_TRUE(Win[4].WindowOpen);
  plat::driver::MouseDown(4, 200, 100, 2);
  const WindowRecord& v = Win[4];
  EXPECT_EQ(v.MembersReversed, 1);
  EXPECT_EQ(v.MemberWindow[1], 3);
  EXPECT_EQ(v.MemberWindow[3], 1);
  EXPECT_EQ(SlotComponents[4](5, 1), 305);
}

}  // namespace
