// The line style page (8510, 8511) and the text style page (8700, 8701)
// from the Options menu, on the screen set and on the printer set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model.h"
#include "dialogs/style_pages.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "core/menu_commands.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

using namespace sorvan;
namespace script = plat::script;

constexpr int kPage = 17;

// The element of an option array that is set (-1 when none).
int ChosenOption(const std::string& name, int base, int count) {
  for (int i = 0; i < count; ++i)
    if (plat::Value(kPage, name, base + i) != 0) return i;
  return -1;
}

std::string Stripped(const std::string& text) {
  const size_t amp = text.find('&');
  return amp == std::string::npos ? text : text.substr(0, amp) + text.substr(amp + 1);
}

struct CurveTables {
  std::vector<Int32> styles, colours;
  std::vector<double> widths;
  static CurveTables Now() {
    CurveTables t;
    for (int c = 0; c < 20; ++c) {
      t.styles.push_back(G.CurveStyles[c]);
      t.colours.push_back(G.CurveColours[c]);
      t.widths.push_back(G.CurveWidths[c]);
    }
    return t;
  }
  bool operator==(const CurveTables&) const = default;
};

class StylePages : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    // Distinct values in every entry, so that a copy or a restore shows.
    for (int c = 0; c < 20; ++c) {
      G.CurveStyles[c] = c % 7;
      G.CurveWidths[c] = 0.5 * (1 + c % 7);
      G.CurveColours[c] = 0x010101 * (c + 1);
      G.LineStyles[c] = c % 7;
      G.LineWidths[c] = 0.5 * (1 + (c + 1) % 7);
      G.LineColours[c] = 0x020202 * (c + 1);
    }
  }
};

TEST_F(StylePages, OptionsEditTheChosenCurveKindOfEachSet) {
  struct Case {
    int command;
    int base;
    std::string caption;
  };
  const Case cases[] = {{CmdScreenLineStyles, 0, G.LabelTexts[85]},
                        {CmdPrinterLineStyles, 10, G.LabelTexts[210]}};
  for (const Case& c : cases) {
    const int b = c.base;
    script::Run([&] {
      EXPECT_EQ(plat::DialogCaption(kPage), Stripped(c.caption));
      EXPECT_EQ(G.DialogWindow17Busy, 1);
      EXPECT_EQ(ChosenOption("opt173", b, 7), 0);
      // The spectrum curve's width 0.5 * (1 + b % 7) and style b % 7.
      EXPECT_EQ(ChosenOption("opt172", b, 7), b % 7);
      EXPECT_EQ(ChosenOption("opt171", b, 7), b % 7);
      EXPECT_EQ(plat::BackColour(kPage, "txt176"), G.CurveColours[b]);
      EXPECT_EQ(plat::BackColour(kPage, "txt177"), G.CurveColours[b + 7]);
    });
    script::Click("opt172", b + 2);  // the third width
    script::Click("opt171", b + 4);  // crosses
    script::Click("opt173", b + 3);  // the peak curves
    script::Run([&] {
      EXPECT_EQ(ChosenOption("opt172", b, 7), (b + 3) % 7);
      EXPECT_EQ(ChosenOption("opt171", b, 7), (b + 3) % 7);
      EXPECT_EQ(plat::BackColour(kPage, "txt176"), G.CurveColours[b + 3]);
    });
    script::Click("cmd175");
    script::AnswerColour(0x3366CC);
    script::Click("cmd176");
    script::AnswerColour(0x00AA00);
    script::Run([&] { EXPECT_EQ(plat::BackColour(kPage, "txt176"), 0x3366CC); });
    script::Click("cmdOk171");
    plat::driver::ChooseMenu(c.command);
    EXPECT_EQ(G.CurveWidths[b], 1.5) << c.command;
    EXPECT_EQ(G.CurveStyles[b], 4) << c.command;
    EXPECT_EQ(G.CurveColours[b + 3], 0x3366CC) << c.command;
    EXPECT_EQ(G.CurveColours[b + 7], 0x00AA00) << c.command;
    EXPECT_EQ(G.DialogWindow17Busy, 0);
    EXPECT_FALSE(plat::DialogWindowOpen(kPage));
  }
}

TEST_F(StylePages, CancelRestoresAllTwentyCurveEntries) {
  const CurveTables before = CurveTables::Now();
  script::Click("opt172", 6);
  script::Click("cmd175");
  script::AnswerColour(0x123456);
  script::Click("opt173", 5);
  script::Click("opt171", 1);
  script::Click("cmdCancel172");
  plat::driver::ChooseMenu(CmdScreenLineStyles);
  EXPECT_TRUE(CurveTables::Now() == before);
  EXPECT_EQ(G.DialogWindow17Busy, 0);
}

TEST_F(StylePages, PrinterSetTakesOverTheScreenSetAndCancelStillRestoresIt) {
  const CurveTables before = CurveTables::Now();
  script::Click("cmd174");  // take over: the page is shown again
  script::Run([] {
    EXPECT_EQ(plat::DialogCaption(kPage), Stripped(G.LabelTexts[210]));
    for (int c = 0; c < 10; ++c) {
      EXPECT_EQ(G.CurveColours[c + 10], G.CurveColours[c]) << c;
      EXPECT_EQ(G.CurveWidths[c + 10], G.CurveWidths[c]) << c;
      EXPECT_EQ(G.CurveStyles[c + 10], G.CurveStyles[c]) << c;
    }
    EXPECT_EQ(ChosenOption("opt171", 10, 7), 0);  // the spectrum's copied style
  });
  script::Click("cmdCancel172");
  plat::driver::ChooseMenu(CmdPrinterLineStyles);
  EXPECT_TRUE(CurveTables::Now() == before);
}

TEST_F(StylePages, UndoShowsTheRestoredValuesOfTheChosenKind) {
  script::Click("opt173", 12);  // the satellite curve of the printer set
  script::Click("opt172", 16);
  script::Click("cmd173");
  script::Run([] {
    EXPECT_EQ(G.CurveWidths[12], 0.5 * (1 + 12 % 7));
    EXPECT_EQ(ChosenOption("opt172", 10, 7), 12 % 7);
    EXPECT_EQ(ChosenOption("opt173", 10, 7), 2);
  });
  script::Click("cmdOk171");
  plat::driver::ChooseMenu(CmdPrinterLineStyles);
}

TEST_F(StylePages, TheTwoPagesShareTheirWindow) {
  script::Run([] {
    G.CommandId = CmdScreenFonts;
    ShowTextStylePage(G.LabelTexts[178]);  // returns at once
    EXPECT_EQ(plat::DialogCaption(kPage), Stripped(G.LabelTexts[85]));
  });
  script::Click("cmdOk171");
  plat::driver::ChooseMenu(CmdScreenLineStyles);
  // Freed again, the text style page opens.
  script::Run([] { EXPECT_EQ(plat::DialogCaption(kPage), Stripped(G.LabelTexts[178])); });
  script::Click("cmdOk1711");
  plat::driver::ChooseMenu(CmdScreenFonts);
}

TEST_F(StylePages, FrameLinesAreAlwaysSolid) {
  script::Run([] {
    EXPECT_EQ(ChosenOption("opt1713", 0, 6), 0);
    EXPECT_EQ(ChosenOption("opt1711", 0, 7), 0) << "solid shown for the frame";
    for (int i = 1; i < 7; ++i) EXPECT_FALSE(plat::Enabled(kPage, "opt1711", i)) << i;
    EXPECT_TRUE(plat::Enabled(kPage, "opt1711", 0));
  });
  script::Click("opt1713", 4);  // grid lines
  script::Run([] {
    for (int i = 0; i < 7; ++i) EXPECT_TRUE(plat::Enabled(kPage, "opt1711", i)) << i;
    EXPECT_EQ(ChosenOption("opt1711", 0, 7), 4 % 7);
    EXPECT_EQ(plat::BackColour(kPage, "txt1719"), static_cast<int>(G.LineColours[4]));
  });
  script::Click("opt1711", 2);
  script::Click("opt1712", 5);
  script::Click("cmd1719");
  script::AnswerColour(0xCC00CC);
  script::Click("cmdOk1711");
  plat::driver::ChooseMenu(CmdScreenFonts);
  EXPECT_EQ(G.LineStyles[4], 2);
  EXPECT_EQ(G.LineWidths[4], 3.0);
  EXPECT_EQ(G.LineColours[4], 0xCC00CC);
}

TEST_F(StylePages, TickOptionsAndFlagsGoToTheSetShown) {
  G.TickDirection = 0;
  G.PrintTickDirection = 0;
  G.RightTicks = 0;
  G.PrintRightTicks = 0;
  G.PrintMinorTicksX = 0;
  script::Click("opt1714", 12);  // across
  script::Click("opt1715", 11);
  script::Click("chk1711");
  script::Click("chk1713");
  script::Click("cmd1720");
  script::AnswerColour(0xEEEEEE);
  script::Run([] {
    EXPECT_EQ(plat::BackColour(kPage, "txt1720"), 0xEEEEEE);
    EXPECT_EQ(plat::BackColour(kPage, "txt1718"), 0xEEEEEE);
  });
  script::Click("cmdOk1711");
  plat::driver::ChooseMenu(CmdPrinterFonts);
  EXPECT_EQ(G.PrintTickDirection, 2);
  EXPECT_EQ(G.PrintTickSize, 1);
  EXPECT_EQ(G.PrintRightTicks, 1);
  EXPECT_EQ(G.PrintMinorTicksX, 1);
  EXPECT_EQ(G.PrintBackColour, 0xEEEEEE);
  EXPECT_EQ(G.TickDirection, 0) << "the screen set is untouched";
  EXPECT_EQ(G.RightTicks, 0);
}

TEST_F(StylePages, AFontShowsInItsSampleAndCancelRestoresTheRow) {
  const std::string oldName = G.FontName[3];
  const Float32 oldSize = G.FontSize[3];
  const Byte guides = G.WaterfallGuides;
  plat::FontSpec font;
  font.name = "DejaVu Serif";
  font.size = 13;
  font.italic = true;
  script::Click("cmd1718");
  script::AnswerFont(font);
  script::Click("chk1715");  // the waterfall guides, put back by Cancel
  script::Run([] {
    EXPECT_EQ(G.FontName[3], "DejaVu Serif");
    const plat::FontSpec shown = plat::ControlFont(kPage, "txt1718");
    EXPECT_EQ(shown.name, "DejaVu Serif");
    EXPECT_DOUBLE_EQ(shown.size, 13);
    EXPECT_TRUE(shown.italic);
    EXPECT_EQ(G.CommandId, CmdScreenFonts) << "the mode is back after the font dialog";
  });
  script::Click("cmdCancel1712");
  plat::driver::ChooseMenu(CmdScreenFonts);
  EXPECT_EQ(G.FontName[3], oldName);
  EXPECT_EQ(G.FontSize[3], oldSize);
  EXPECT_EQ(G.WaterfallGuides, guides);
  // Shown again, the sample has the old font.
  script::Run([&] { EXPECT_EQ(plat::ControlFont(kPage, "txt1718").name, oldName.empty() ? "Arial" : oldName); });
  script::Click("cmdOk1711");
  plat::driver::ChooseMenu(CmdScreenFonts);
}

TEST_F(StylePages, PrinterTakeOverScalesTheFontsToThePage) {
  G.ScreenHeight = 1024;
  G.FontLineHeight[0] = 20;
  G.FontLineHeight[1] = 2;  // would give 0 points
  G.FontLineHeight[2] = 0;  // never measured: the printer size stays
  G.FontSize[12] = 9;
  G.FontName[0] = "DejaVu Sans";
  G.FontBold[0] = true;
  G.FontColour[0] = 0x0000FF;
  G.TickDirection = 1;
  G.WaterfallGuides = 1;
  G.PrintWaterfallGuides = 0;
  script::Click("cmd1714");
  script::Run([] {
    EXPECT_EQ(plat::DialogCaption(kPage), Stripped(G.LabelTexts[211]));
    EXPECT_EQ(G.StyleClassIndex, 10);
  });
  script::Click("cmdOk1711");
  plat::driver::ChooseMenu(CmdPrinterFonts);
  EXPECT_EQ(G.FontSize[10], 6);  // Int(340 * 20 / 1024)
  EXPECT_EQ(G.FontLineHeight[10], 6);
  EXPECT_EQ(G.FontCharWidth[10], 6);
  EXPECT_EQ(G.FontSize[11], 1);
  EXPECT_EQ(G.FontSize[12], 9);
  EXPECT_EQ(G.FontName[10], "DejaVu Sans");
  EXPECT_TRUE(G.FontBold[10]);
  EXPECT_EQ(G.FontColour[10], 0x0000FF);
  EXPECT_EQ(G.PrintTickDirection, 1);
  EXPECT_EQ(G.PrintWaterfallGuides, 0) << "the guides are not taken over";
  for (int k = 0; k < 10; ++k) EXPECT_EQ(G.LineColours[k + 10], G.LineColours[k]) << k;
}

TEST_F(StylePages, PrinterUndoReopensWithTheFirstValuesAndCancelKeepsThem) {
  const double colour = G.LineColours[10];
  G.PrintTickSize = 0;
  script::Click("cmd1714");       // take over
  script::Click("opt1715", 12);   // then edit
  script::Click("cmd1713");       // undo: back to the first opening
  script::Run([colour] {
    EXPECT_EQ(G.LineColours[10], colour);
    EXPECT_EQ(G.PrintTickSize, 0);
    EXPECT_EQ(ChosenOption("opt1715", 10, 3), 0);
  });
  script::Click("opt1715", 11);
  script::Click("cmdCancel1712");
  plat::driver::ChooseMenu(CmdPrinterFonts);
  EXPECT_EQ(G.PrintTickSize, 0);
  EXPECT_EQ(G.LineColours[10], colour);
}

TEST(StyleWidths, OptionsStandForHalfPointSteps) {
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(WidthOfOption(i), (i + 1) / 2.0);
    EXPECT_EQ(OptionOfWidth(WidthOfOption(i)), i);
  }
  EXPECT_EQ(OptionOfWidth(0.3), -1);
  EXPECT_EQ(OptionOfWidth(4), -1);
  EXPECT_EQ(PrinterFontSizeFromScreen(20, 1024), 6);
  EXPECT_EQ(PrinterFontSizeFromScreen(2, 1024), 1);
  EXPECT_EQ(PrinterFontSizeFromScreen(20, 0), 1);
}

}  // namespace
}  // namespace shelltest
