// The menu bar after start-up: the order and texts of its popups, the items
// grayed while no window is open, and the rebuild in another language.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/free_window.h"
#include "core/menu_commands.h"
#include "core/model.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/menus.h"
#include "shell/command_table.h"
#include "shell/commands.h"
#include "shell/menu_bar.h"
#include "shell/menu_state.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

using sorvan::G;

class MenuBarTest : public ShellTest {};

std::vector<std::string> TopTexts() {
  std::vector<std::string> texts;
  for (const plat::MenuItemInfo& item : plat::MenuBarTree()) texts.push_back(item.text);
  return texts;
}

// The eleven popups in order, each with the language text it is named by.
std::vector<std::string> ExpectedTopTexts() {
  return {G.MenuTexts[81], G.MenuTexts[82],  G.MenuTexts[83], G.LabelTexts[23],
          G.MenuTexts[84], G.MenuTexts[85],  G.MenuTexts[86], G.LabelTexts[133],
          G.MenuTexts[87], G.MenuTexts[88],  G.MenuTexts[89]};
}

// The entries of a popup as command numbers, 0 for a separator and -1 for a
// nested popup.
std::vector<int> Entries(const plat::MenuItemInfo& popup) {
  std::vector<int> ids;
  for (const plat::MenuItemInfo& item : popup.children)
    ids.push_back(item.separator ? 0 : item.popup ? -1 : item.id);
  return ids;
}

TEST_F(MenuBarTest, PopupsStandInOrderWithTheTextsOfTheLanguage) {
  const std::vector<std::string> expected = ExpectedTopTexts();
  for (const std::string& text : expected) EXPECT_FALSE(text.empty());
  EXPECT_EQ(TopTexts(), expected);
}

TEST_F(MenuBarTest, PopupsHoldTheirEntriesInOrder) {
  const auto bar = plat::MenuBarTree();
  ASSERT_EQ(bar.size(), 11u);
  struct Case {
    int position;
    std::vector<int> entries;
  };
  const Case cases[] = {
      {0, {-1, 0, 1200, 0, 1330, 1340, 1341, 0, 5570, 0, 1300, 1400, 0, 1320, 0, 1700, 1800, 11100,
           1900, 0, 11000}},
      {1, {2210, 2220, 0, 21200, 0, -1, 2100, 2800, 0, 2200, 21100, 2300, 2400, 2700, 0, 2600, 0,
           -1, -1, 0, 2930}},
      {2, {-1, 3110, 0, 3114, 3113, 0, 3115, 0, 3130, 0, 3120, 3121}},
      {3, {8100, 3117, 0, 3118, 0, 1500, 31119, 0, 31121, 31120, 0, 3116, 0, 31122, 31124, 31125,
           31123}},
      {4, {4000, 0, 4100, 4200}},
      {5, {5100, 5200, 0, 5500, 0, 5300, 0, 5400, 0, 5530, 5540, 0, 5560, 5550, 0, 5561, 0, 5562}},
      {6, {6050, 6000, 0, 6030, 0, 6040, 0, 6010, 6020}},
      {7, {-1, 9800, 0, 9900, 0, 9700}},
      {8, {8010, 8020, 0, 8730, 8731, 0, 8710, 0, -1, 0, -1, 0, 8200, 0, -1, -1, 0, 8510, 8700, 0,
           8511, 8701, 0, -1, 0, -1, -1, 0, -1, -1}},
      {9, {9100, 9200, 9300}},
      {10, {10000}},
  };
  for (const Case& c : cases) EXPECT_EQ(Entries(bar[c.position]), c.entries) << "popup " << c.position;
}

TEST_F(MenuBarTest, ItemsThatNeedAWindowAreGrayedWhileNoneIsOpen) {
  for (int id : {1200, 1320, 1340, 1341, 1400, 6000, 6050, 9100, 9200, 9300, 9400, 9500, 9600, 9800,
                 1500, 2100, 2200, 2210, 2300, 2400, 2700, 2930, 3110, 3113, 3114, 3116, 3117,
                 3118, 3130, 4000, 5100, 5200, 5300, 5400, 5500, 5530, 8100, 21100, 21200, 31119,
                 31120, 31121, 31122, 31123, 31124, 31125, 1800, 11100, 1900, 2220, 2600, 2800,
                 3115, 3120, 3121, 5560, 6030, 6040, 6010, 6020})
    EXPECT_FALSE(Enabled(id)) << id;
  for (int id : {1300, 1330, 1700, 4100, 4200, 5540, 5550, 5561, 5562, 5570, 8010, 8020, 8200,
                 8510, 8511, 8700, 8701, 8710, 8731, 9700, 9900, 10000, 11000})
    EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_TRUE(Enabled(PopupHandle(sorvan::PopupLanguage)));
  EXPECT_FALSE(Enabled(PopupHandle(sorvan::PopupBackground)));
}

TEST_F(MenuBarTest, AnOpenWindowEnablesTheSpectrumItemsAndGraysTheLanguage) {
  sorvan::Win[3].WindowOpen = true;
  sorvan::UpdateMenuState(3);
  for (int id : {1200, 1400, 2210, 3130, 9300, 5100, 2800, 3115, 1900}) EXPECT_TRUE(Enabled(id)) << id;
  for (int id : {8010, 8731, 6010, 6020, 5560, 3120, 3121}) EXPECT_FALSE(Enabled(id)) << id;
  EXPECT_FALSE(Enabled(PopupHandle(sorvan::PopupLanguage)));
  EXPECT_TRUE(Enabled(PopupHandle(sorvan::PopupBackground)));

  // And closing it again gives back the state of no window.
  sorvan::Win[3].WindowOpen = false;
  sorvan::UpdateMenuState(3);
  EXPECT_FALSE(Enabled(1200));
  EXPECT_TRUE(Enabled(8010));
}

TEST_F(MenuBarTest, EveryKindOfWindowGetsItsOwnItems) {
  struct Case {
    int kind;
    int transmission;
    std::vector<int> enabled;
    std::vector<int> grayed;
  };
  const Case cases[] = {
      {0, 1, {1200, 6030, 6040, 1900}, {2210, 3120, 5560, 6010}},
      {1, 0, {1200, 5560}, {6030, 6040, 6010, 6020, 2210}},
      {2, 0, {6030, 6010, 6020}, {6040, 5560, 2210}},
      {3, 0, {6030, 6010, 6020}, {6040, 5560}},
      {4, 0, {6030, 6040, 6010, 6020}, {5560, 2210}},
      {5, 0, {6030, 6040, 6010, 6020}, {5560}},
  };
  for (const Case& c : cases) {
    sorvan::Win[2].WindowOpen = true;
    sorvan::Win[2].WindowKind = static_cast<sorvan::Byte>(c.kind);
    sorvan::Win[2].TransmissionActive = static_cast<sorvan::Byte>(c.transmission);
    G.CurrentWindow = 2;
    sorvan::UpdateMenuState(2);
    for (int id : c.enabled) EXPECT_TRUE(Enabled(id)) << "kind " << c.kind << " item " << id;
    for (int id : c.grayed) EXPECT_FALSE(Enabled(id)) << "kind " << c.kind << " item " << id;
  }
}

TEST_F(MenuBarTest, ASubtractedBackgroundGraysTheFitBackgroundItemAndButton) {
  for (int a = 1; a <= 69; ++a) G.ToolbarButtonOfAction[a] = 1;
  sorvan::BuildToolbar();
  sorvan::Win[1].WindowOpen = true;
  const int button = G.ToolbarButtonOfAction[32];
  for (int state = 0; state <= 5; ++state) {
    sorvan::Win[1].BackgroundState = static_cast<sorvan::Byte>(state);
    sorvan::UpdateMenuState(1);
    const bool expected = state == 0 || state == 4;
    EXPECT_EQ(Enabled(3115), expected) << state;
    EXPECT_EQ(plat::ToolbarButtonAt(button).enabled, expected) << state;
  }
}

TEST_F(MenuBarTest, TheErrorMatrixItemFollowsTheCurrentWindow) {
  sorvan::Win[1].WindowOpen = true;
  sorvan::Win[2].WindowOpen = true;
  sorvan::Win[1].HessianValid = 1;
  G.CurrentWindow = 1;
  sorvan::UpdateMenuState(2);
  EXPECT_EQ(G.ErrorMatrixItemFlag, sorvan::kItemEnabled);
  EXPECT_TRUE(Enabled(3121));
  G.CurrentWindow = 2;
  sorvan::UpdateMenuState(1);
  EXPECT_EQ(G.ErrorMatrixItemFlag, sorvan::kItemGrayed);
  EXPECT_FALSE(Enabled(3121));
}

TEST_F(MenuBarTest, AClosedSingleSpectrumWindowKeepsTheFlagsItCannotTell) {
  sorvan::Win[1].WindowOpen = true;
  sorvan::Win[1].BackgroundState = 1;  // grays 3115
  sorvan::UpdateMenuState(1);
  ASSERT_FALSE(Enabled(3115));
  sorvan::Win[2].SatelliteState = 1;
  sorvan::UpdateMenuState(2);  // window 2 is not open
  EXPECT_TRUE(Enabled(2800));
  EXPECT_FALSE(Enabled(3115));
  EXPECT_TRUE(Enabled(9700));
}

TEST_F(MenuBarTest, ABarRebuiltWhileAWindowIsOpenShowsTheDialogFontGrayed) {
  sorvan::Win[1].WindowOpen = true;
  sorvan::UpdateMenuState(1);
  EXPECT_TRUE(Enabled(sorvan::CmdDialogFont));
  sorvan::DestroyMenuBar();
  sorvan::BuildMenuBar();
  EXPECT_FALSE(Enabled(sorvan::CmdDialogFont));
  EXPECT_FALSE(Enabled(sorvan::CmdLoadPresetting));
  EXPECT_TRUE(Enabled(sorvan::CmdPrintWindow));
}

TEST_F(MenuBarTest, TheEditPointsModeEnablesItsItemWithAMark) {
  sorvan::Win[1].WindowOpen = true;
  G.EditPointsMode = 1;
  sorvan::UpdateMenuState(1);
  EXPECT_EQ(G.EditPointsItemFlag, 8);
  EXPECT_TRUE(Enabled(sorvan::CmdEditPointsByMouse));
  sorvan::DestroyMenuBar();
  sorvan::BuildMenuBar();
  EXPECT_TRUE(Checked(sorvan::CmdEditPointsByMouse));
}

TEST_F(MenuBarTest, AfterStartUpEachOptionPopupHasExactlyOneMark) {
  const int popups[] = {sorvan::PopupEnergyScale, sorvan::PopupIntensityUnit,
                        sorvan::PopupDefaultPeakModel, sorvan::PopupDefaultPeakRelation,
                        sorvan::PopupLanguage, sorvan::PopupDecimalSign,
                        sorvan::PopupColumnSeparator, sorvan::PopupDefaultErrorDisplay,
                        sorvan::PopupDefaultErrorMethod};
  for (int popup : popups) {
    int marks = 0;
    for (const plat::MenuItemInfo& item : plat::MenuTree(PopupHandle(popup))) marks += item.checked;
    EXPECT_EQ(marks, 1) << "popup " << popup;
  }
}

TEST_F(MenuBarTest, ANumberOutsideTheMenuDoesNothing) {
  const std::vector<std::string> before = sorvan::PresettingLines();
  const auto menuBefore = plat::driver::DescribeMenu();
  for (int command : {0, 1, 1234, 8123 + 1, 99999, -1110}) {
    EXPECT_EQ(sorvan::GroupOfCommand(command), sorvan::CommandGroup::None) << command;
    int index = 0;
    int number = command;
    sorvan::Form_MenuEvent(index, number);
  }
  EXPECT_EQ(sorvan::PresettingLines(), before);
  EXPECT_EQ(plat::driver::DescribeMenu(), menuBefore);
}

TEST_F(MenuBarTest, EveryMenuCommandBelongsToAGroup) {
  std::vector<int> ids;
  std::function<void(const std::vector<plat::MenuItemInfo>&)> collect =
      [&](const std::vector<plat::MenuItemInfo>& tree) {
        for (const plat::MenuItemInfo& item : tree) {
          if (item.popup) collect(item.children);
          else if (!item.separator) ids.push_back(item.id);
        }
      };
  collect(plat::MenuBarTree());
  EXPECT_EQ(ids.size(), 133u);
  for (int id : ids) EXPECT_NE(sorvan::GroupOfCommand(id), sorvan::CommandGroup::None) << id;
  EXPECT_EQ(sorvan::GroupOfCommand(sorvan::CmdLanguageSpanish), sorvan::CommandGroup::Options);
}

TEST_F(MenuBarTest, OnlyAnOpenCurrentWindowCanBeActedOn) {
  const struct {
    int current;
    bool open;
    bool expected;
  } cases[] = {{1, true, true}, {1, false, false}, {0, true, false}, {101, true, false}};
  for (const auto& c : cases) {
    G.CurrentWindow = static_cast<sorvan::Byte>(c.current);
    if (c.current <= 100) sorvan::Win[c.current].WindowOpen = c.open;
    EXPECT_EQ(sorvan::CurrentWindowIsOpen(), c.expected) << c.current;
  }
}

TEST_F(MenuBarTest, AllWindowsOpenLeaveNoFreeWindow) {
  EXPECT_EQ(sorvan::LowestFreeWindow(), 1);
  for (int w = 1; w <= 99; ++w) sorvan::Win[w].WindowOpen = true;
  EXPECT_EQ(sorvan::LowestFreeWindow(), 100);
  EXPECT_FALSE(sorvan::RefuseWhenNoFreeWindow(100));
  sorvan::Win[100].WindowOpen = true;
  EXPECT_EQ(sorvan::LowestFreeWindow(), 101);
  AnswerBoxIfShown();
  EXPECT_TRUE(sorvan::RefuseWhenNoFreeWindow(101));
  EXPECT_EQ(G.CommandId, 1);
  DropUnusedAnswers();
}


}  // namespace
}  // namespace shelltest
