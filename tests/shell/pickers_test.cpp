// The font and colour pickers: what a choice changes, and that Cancel
// changes nothing.
#include <gtest/gtest.h>

#include "core/model.h"
#include "platform/app.h"
#include "platform/driver.h"
#include "core/menu_commands.h"
#include "dialogs/pickers.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

using sorvan::G;

class PickersTest : public ShellTest {};

plat::FontSpec Font(const std::string& name, double size, bool bold = false) {
  plat::FontSpec font;
  font.name = name;
  font.size = size;
  font.bold = bold;
  return font;
}

TEST_F(PickersTest, TheDialogFontSetsTheCellOfTheDialogPages) {
  const int width = G.CharWidth;
  const int height = G.CharHeight;
  plat::script::AnswerFont(Font("DejaVu Sans", 20, true));
  plat::driver::ChooseMenu(sorvan::CmdDialogFont);
  EXPECT_EQ(G.DialogFontName, "DejaVu Sans");
  EXPECT_EQ(G.DialogFontSize, 20);
  EXPECT_EQ(G.DialogFontStyle[0], 1);
  EXPECT_GT(G.CharWidth, width);
  EXPECT_GT(G.CharHeight, height);
  EXPECT_EQ(plat::MainFont().name, "DejaVu Sans");
}

TEST_F(PickersTest, AClassFontSetsItsOwnCellAndLeavesTheDialogCell) {
  const int width = G.CharWidth;
  const int height = G.CharHeight;
  const plat::FontSpec main = plat::MainFont();
  G.CommandId = 12;
  plat::script::AnswerFont(Font("DejaVu Sans", 24));
  sorvan::PickFont();
  EXPECT_EQ(G.FontName[12], "DejaVu Sans");
  EXPECT_EQ(G.FontSize[12], 24);
  EXPECT_GT(G.FontCharWidth[12], 0);
  EXPECT_GT(G.FontLineHeight[12], G.FontCharWidth[12]);
  EXPECT_EQ(G.CharWidth, width);
  EXPECT_EQ(G.CharHeight, height);
  EXPECT_EQ(plat::MainFont(), main);
}

TEST_F(PickersTest, CancelLeavesEverySettingAsItWas) {
  G.FontName[2] = "Liberation Serif";
  G.FontSize[2] = 11;
  G.FontColour[2] = 255;
  G.FontCharWidth[2] = 7;
  G.FontLineHeight[2] = 15;
  const sorvan::GlobalRecord before = G;
  G.CommandId = 2;
  plat::script::CancelFont();
  sorvan::PickFont();
  plat::script::CancelFont();
  plat::driver::ChooseMenu(sorvan::CmdDialogFont);
  EXPECT_EQ(G.FontName[2], before.FontName[2]);
  EXPECT_EQ(G.FontSize[2], before.FontSize[2]);
  EXPECT_EQ(G.FontCharWidth[2], 7);
  EXPECT_EQ(G.FontLineHeight[2], 15);
  EXPECT_EQ(G.DialogFontName, before.DialogFontName);
  EXPECT_EQ(G.DialogFontSize, before.DialogFontSize);
  EXPECT_EQ(G.CharWidth, before.CharWidth);
  EXPECT_EQ(G.CharHeight, before.CharHeight);

  G.PickedColour = 0x123456;
  plat::script::CancelColour();
  EXPECT_EQ(sorvan::PickColour(), 0x123456);
  EXPECT_EQ(G.PickedColour, 0x123456);
}

TEST_F(PickersTest, AChosenColourIsReturnedAndKept) {
  G.PickedColour = 0xFF;
  plat::script::AnswerColour(0x00FF00);
  EXPECT_EQ(sorvan::PickColour(), 0x00FF00);
  EXPECT_EQ(G.PickedColour, 0x00FF00);
}

}  // namespace
}  // namespace shelltest
