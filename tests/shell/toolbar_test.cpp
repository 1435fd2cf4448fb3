// The toolbar: where the chosen actions stand (separators counted), their
// icons and tooltips, and which buttons are usable for a window.
#include <gtest/gtest.h>

#include <set>

#include "core/model.h"
#include "core/number_text.h"
#include "platform/driver.h"
#include "platform/toolbar.h"
#include "shell/command_table.h"
#include "shell/commands.h"
#include "shell/menu_state.h"
#include "shell/toolbar.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

using sorvan::G;

class ToolbarTest : public ShellTest {
 protected:
  static void Choose(std::initializer_list<int> actions) {
    for (int a = 1; a <= 69; ++a) G.ToolbarButtonOfAction[a] = 0;
    for (int a : actions) G.ToolbarButtonOfAction[a] = 1;
    sorvan::BuildToolbar();
  }
  static void ChooseAll() {
    for (int a = 1; a <= 69; ++a) G.ToolbarButtonOfAction[a] = 1;
    sorvan::BuildToolbar();
  }
};

TEST_F(ToolbarTest, AllActionsStandAtTheirIndicesWithEightSeparators) {
  ChooseAll();
  ASSERT_EQ(plat::ToolbarButtonCount(), 77);
  // First action of each group and the index of its button.
  struct Range {
    int firstAction, lastAction, firstIndex;
  };
  const Range ranges[] = {{1, 12, 2},  {13, 27, 15}, {28, 35, 31}, {36, 47, 40},
                          {48, 49, 53}, {50, 60, 56}, {61, 66, 68}, {67, 69, 75}};
  for (const Range& r : ranges) {
    EXPECT_EQ(plat::ToolbarButtonAt(r.firstIndex - 1).style, plat::ToolbarStyle::Separator);
    for (int a = r.firstAction; a <= r.lastAction; ++a) {
      const int index = r.firstIndex + a - r.firstAction;
      EXPECT_EQ(G.ToolbarButtonOfAction[a], index) << "action " << a;
      const plat::ToolbarButton button = plat::ToolbarButtonAt(index);
      EXPECT_EQ(button.key, sorvan::ToolbarActionAt(a).key);
      EXPECT_EQ(button.image, a);
      EXPECT_EQ(button.tooltip, sorvan::ToolbarActionLanguageText(a));
      EXPECT_EQ(button.style, a == 24 ? plat::ToolbarStyle::Check : plat::ToolbarStyle::Plain);
    }
  }
}

TEST_F(ToolbarTest, ChosenActionsAloneStandWhereTheSeparatorRuleSays) {
  struct Case {
    std::vector<int> actions;
    std::vector<std::string> keys;  // "|" a separator
  };
  const Case cases[] = {
      {{}, {"|"}},
      {{69}, {"|", "fen42"}},
      {{1, 69}, {"|", "dat1", "|", "|", "|", "|", "|", "|", "|", "fen42"}},
      // A group separator follows every button, even before empty groups.
      {{24}, {"|", "bea18", "|", "|", "|", "|", "|", "|"}},
      {{12, 13}, {"|", "dat7", "|", "bea7", "|", "|", "|", "|", "|", "|"}},
  };
  for (const Case& c : cases) {
    for (int a = 1; a <= 69; ++a) G.ToolbarButtonOfAction[a] = 0;
    for (int a : c.actions) G.ToolbarButtonOfAction[a] = 1;
    sorvan::BuildToolbar();
    std::vector<std::string> keys;
    for (int b = 1; b <= plat::ToolbarButtonCount(); ++b) {
      const plat::ToolbarButton button = plat::ToolbarButtonAt(b);
      keys.push_back(button.style == plat::ToolbarStyle::Separator ? "|" : button.key);
    }
    EXPECT_EQ(keys, c.keys);
  }
  // With actions 1 and 69 alone the two buttons are 2 and 10; the others stay 0.
  Choose({1, 69});
  EXPECT_EQ(G.ToolbarButtonOfAction[1], 2);
  EXPECT_EQ(G.ToolbarButtonOfAction[69], 10);
  for (int a = 2; a <= 68; ++a) EXPECT_EQ(G.ToolbarButtonOfAction[a], 0) << a;
}

TEST_F(ToolbarTest, EveryActionHasItsIconFile) {
  ChooseAll();
  ASSERT_EQ(plat::ImageCount(), 69);
  for (int a = 1; a <= 69; ++a) EXPECT_FALSE(plat::ImageIsBlank(a)) << sorvan::ToolbarActionAt(a).key;
}

TEST_F(ToolbarTest, AMissingIconGivesABlankImageAndTheToolbarStillBuilds) {
  folder_->Remove("icons/fit27.ico");
  ChooseAll();
  EXPECT_TRUE(plat::ImageIsBlank(33));
  EXPECT_FALSE(plat::ImageIsBlank(32));
  EXPECT_EQ(plat::ToolbarButtonAt(G.ToolbarButtonOfAction[33]).key, "fit27");
}

TEST_F(ToolbarTest, ButtonsFollowTheMenuFlagsOfTheWindow) {
  ChooseAll();
  // No window open: window and spectrum actions disabled, the others usable.
  for (int a : {2, 4, 13, 19, 50, 61, 69}) EXPECT_FALSE(plat::ToolbarButtonAt(G.ToolbarButtonOfAction[a]).enabled) << a;
  for (int a : {1, 3, 5, 8, 12, 56, 58, 59, 60}) EXPECT_TRUE(plat::ToolbarButtonAt(G.ToolbarButtonOfAction[a]).enabled) << a;

  sorvan::Win[1].WindowOpen = true;
  G.CurrentWindow = 1;
  sorvan::UpdateMenuState(1);
  for (int a : {2, 4, 13, 16, 19, 25, 28, 49, 50, 61, 69}) EXPECT_TRUE(plat::ToolbarButtonAt(G.ToolbarButtonOfAction[a]).enabled) << a;
  for (int a : {14, 34, 35, 57, 65, 66}) EXPECT_FALSE(plat::ToolbarButtonAt(G.ToolbarButtonOfAction[a]).enabled) << a;
}

TEST_F(ToolbarTest, ActionTextsLoseTheirFirstMnemonicMarkOnly) {
  G.MenuTexts[5] = "&Load";
  G.LabelTexts[12] = "A&&B";
  G.MenuTexts[79] = "";
  sorvan::BuildToolbarActionTexts();
  EXPECT_EQ(G.ToolbarActionText[1], "Load");
  EXPECT_EQ(G.ToolbarActionText[2], "A&B");
  EXPECT_EQ(G.ToolbarActionText[69], "");
  // The tooltip keeps the text as the language file holds it.
  ChooseAll();
  EXPECT_EQ(plat::ToolbarButtonAt(2).tooltip, "&Load");
}

TEST_F(ToolbarTest, ActionTextsOfTheShippedLanguageAreDistinct) {
  sorvan::BuildToolbarActionTexts();
  std::set<std::string> texts;
  for (int a = 1; a <= 69; ++a) {
    EXPECT_FALSE(G.ToolbarActionText[a].empty()) << a;
    texts.insert(G.ToolbarActionText[a]);
  }
  EXPECT_EQ(texts.size(), 69u);
}

TEST_F(ToolbarTest, AClickRunsTheActionOfItsButton) {
  Choose({13, 67, 69});
  sorvan::Win[4].WindowOpen = true;
  sorvan::Win[9].WindowOpen = true;
  G.CurrentWindow = 4;
  sorvan::UpdateMenuState(4);
  // Separator, bea7, six group separators, fen40, fen42.
  ASSERT_EQ(G.ToolbarButtonOfAction[67], 9);
  ASSERT_EQ(G.ToolbarButtonOfAction[69], 10);
  plat::driver::ClickToolbar(G.ToolbarButtonOfAction[69]);
  EXPECT_FALSE(sorvan::Win[4].WindowOpen);
  EXPECT_FALSE(sorvan::Win[9].WindowOpen);
  EXPECT_FALSE(plat::ToolbarButtonAt(G.ToolbarButtonOfAction[69]).enabled);
}

TEST_F(ToolbarTest, ActionsThatAreTheirMenuCommandNameIt) {
  for (int a = 1; a <= 69; ++a) {
    const int command = sorvan::ToolbarActionAt(a).command;
    if (sorvan::RunsItsMenuCommand(a)) {
      EXPECT_NE(sorvan::GroupOfCommand(command), sorvan::CommandGroup::None) << a;
    }
  }
  for (int a : {1, 12, 16, 25, 26, 28, 31, 43, 44, 45, 46, 47}) EXPECT_FALSE(sorvan::RunsItsMenuCommand(a)) << a;
}

TEST_F(ToolbarTest, ALargerIconSizeTakesEachToolbarHeightOnce) {
  if (G.ToolbarVisible == 1) plat::driver::ChooseMenu(8730);  // start hidden
  const int fullArea = G.WorkAreaHeight;
  plat::driver::ChooseMenu(8730);
  const int small = plat::ToolbarHeight();
  EXPECT_EQ(G.WorkAreaHeight, fullArea - small);
  G.ToolbarButtonSize = static_cast<sorvan::Int16>(2 * G.ToolbarButtonSize + 16);
  sorvan::BuildToolbar();
  sorvan::FollowToolbarVisibility();
  const int large = plat::ToolbarHeight();
  EXPECT_GT(large, small);
  EXPECT_EQ(G.WorkAreaHeight, fullArea - large);
  EXPECT_EQ(G.ToolbarHeight, large);
}

TEST_F(ToolbarTest, KeysNameTheirActions) {
  EXPECT_EQ(sorvan::ToolbarActionOfKey("dat1"), 1);
  EXPECT_EQ(sorvan::ToolbarActionOfKey("inf38"), 53);
  EXPECT_EQ(sorvan::ToolbarActionOfKey("fen42"), 69);
  EXPECT_EQ(sorvan::ToolbarActionOfKey("none"), 0);
  EXPECT_THROW(sorvan::ToolbarActionAt(70), std::out_of_range);
}

}  // namespace
}  // namespace shelltest
