// The option list page from the Options menu: the averaging points (8200)
// and the toolbar's actions and button size (8731).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model.h"
#include "dialogs/option_list_page.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/toolbar.h"
#include "core/menu_commands.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

using namespace sorvan;
namespace script = plat::script;

class OptionListPage : public ShellTest {
 protected:
  // Shows the toolbar (if hidden) so that its height counts.
  static void ShowToolbar() {
    if (G.ToolbarVisible != 1) plat::driver::ChooseMenu(CmdToggleToolbar);
    ASSERT_EQ(G.ToolbarVisible, 1);
  }
  static int ActionButtons() {
    int n = 0;
    for (int a = 1; a <= kToolbarActionCount; ++a) n += G.ToolbarButtonOfAction[a] != 0 ? 1 : 0;
    return n;
  }
};

TEST_F(OptionListPage, AveragingPointsTakesTheChosenOddNumber) {
  struct Case {
    std::vector<int> selected;  // list items chosen before OK
    int expected;
  };
  const Case cases[] = {{{3}, 7}, {{0}, 1}, {{9}, 19}, {{}, 3}};
  for (const Case& c : cases) {
    G.AveragePoints = 5;
    script::Run([] {
      EXPECT_EQ(plat::DialogCaption(5), G.MessageTexts[11]);
      EXPECT_EQ(plat::Text(5, "lb51"), G.MessageTexts[14] + " = 5");
      ASSERT_EQ(plat::ListCount(5, "lib51"), 10);
      EXPECT_EQ(plat::ListItem(5, "lib51", plat::kNoIndex, 0), "1");
      EXPECT_EQ(plat::ListItem(5, "lib51", plat::kNoIndex, 9), "19");
      EXPECT_EQ(plat::ListIndex(5, "lib51"), -1) << "nothing preselected";
    });
    if (!c.selected.empty()) script::SelectItems("lib51", -1, c.selected);
    script::Click("cmdOK51");
    plat::driver::ChooseMenu(CmdAveragingPoints);
    EXPECT_EQ(G.AveragePoints, c.expected);
    EXPECT_EQ(G.CommandId, CmdAveragingPoints);
    EXPECT_FALSE(plat::DialogWindowOpen(5));
  }
  // Cancel changes nothing; Esc is not its key.
  script::SelectItems("lib51", -1, {4});
  script::Click("cmdCancel52");
  plat::driver::ChooseMenu(CmdAveragingPoints);
  EXPECT_EQ(G.AveragePoints, 3);
}

TEST_F(OptionListPage, ToolbarListShowsEveryActionTickedAsOnTheToolbar) {
  for (int a = 1; a <= kToolbarActionCount; ++a) G.ToolbarButtonOfAction[a] = a % 3 == 0 ? 1 : 0;
  BuildToolbar();
  script::Run([] {
    EXPECT_EQ(plat::DialogCaption(5), G.LabelTexts[90]);
    const plat::ControlInfo list = [] {
      for (const plat::ControlInfo& c : plat::Controls(5))
        if (c.name == "lib53") return c;
      return plat::ControlInfo{};
    }();
    ASSERT_EQ(list.items.size(), 69u);
    for (int a = 1; a <= kToolbarActionCount; ++a) {
      EXPECT_EQ(list.items[a - 1], G.ToolbarActionText[a]) << a;
      EXPECT_EQ(list.checked[a - 1], a % 3 == 0) << a;
    }
    EXPECT_EQ(plat::Text(5, "ed57"), std::to_string(G.ToolbarButtonSize));
  });
  script::Click("cmdCancel52");
  plat::driver::ChooseMenu(CmdCustomiseToolbar);
}

TEST_F(OptionListPage, UntickedActionLeavesTheToolbarAndTheWorkAreaFollowsItsHeight) {
  ShowToolbar();
  const int fullArea = G.WorkAreaHeight + plat::ToolbarHeight();
  const int before = ActionButtons();
  const int dropped = 62;  // the annotations
  ASSERT_NE(G.ToolbarButtonOfAction[dropped], 0);
  script::Run([dropped] { plat::SetItemChecked(5, "lib53", plat::kNoIndex, dropped - 1, false); });
  script::SetText("ed57", -1, "40");
  script::Click("cmdOK54");
  plat::driver::ChooseMenu(CmdCustomiseToolbar);
  EXPECT_EQ(G.ToolbarButtonOfAction[dropped], 0);
  EXPECT_EQ(ActionButtons(), before - 1);
  for (int i = 1; i <= plat::ToolbarButtonCount(); ++i)
    EXPECT_NE(plat::ToolbarButtonAt(i).key, ToolbarActionAt(dropped).key);
  EXPECT_EQ(G.ToolbarButtonSize, 40);
  EXPECT_EQ(G.ToolbarHeight, plat::ToolbarHeight());
  EXPECT_EQ(G.WorkAreaHeight, fullArea - plat::ToolbarHeight());

  // "All" puts every action back.
  script::Click("cmdOK55");
  plat::driver::ChooseMenu(CmdCustomiseToolbar);
  EXPECT_EQ(ActionButtons(), 69);
  EXPECT_EQ(plat::ToolbarButtonCount(), 77);
  EXPECT_EQ(G.WorkAreaHeight, fullArea - plat::ToolbarHeight());
}

TEST_F(OptionListPage, ButtonSizeTakesADecimalCommaAndStaysUsable) {
  struct Case {
    const char* typed;
    int expected;
  };
  const Case cases[] = {{"24,5", 24}, {"20,6", 21}, {"30", 30}, {"3", kToolbarButtonSizeMin},
                        {"500", kToolbarButtonSizeMax}, {"abc", kToolbarButtonSizeMin}};
  for (const Case& c : cases) {
    script::SetText("ed57", -1, c.typed);
    script::Click("cmdOK54");
    plat::driver::ChooseMenu(CmdCustomiseToolbar);
    EXPECT_EQ(G.ToolbarButtonSize, c.expected) << c.typed;
  }
}

TEST_F(OptionListPage, CancelRebuildsTheToolbarUnchanged) {
  const std::string toolbar = plat::driver::DescribeToolbar();
  const int size = G.ToolbarButtonSize;
  script::Run([] { plat::SetItemChecked(5, "lib53", plat::kNoIndex, 0, false); });
  script::SetText("ed57", -1, "50");
  script::Click("cmdCancel52");
  plat::driver::ChooseMenu(CmdCustomiseToolbar);
  EXPECT_EQ(G.ToolbarButtonSize, size);
  EXPECT_EQ(plat::driver::DescribeToolbar(), toolbar);
}

}  // namespace
}  // namespace shelltest
