// The option, window and help commands driven through the menu: each option
// changes its setting, its check marks and what the presetting writes.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "core/language.h"
#include "core/model.h"
#include "core/presetting.h"
#include "display/windows.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/menus.h"
#include "platform/toolbar.h"
#include "shell/commands.h"
#include "shell/menu_bar.h"
#include "core/menu_commands.h"
#include "shell/menu_state.h"
#include "shell/menu_options.h"
#include "shell/toolbar.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

using sorvan::G;
using sorvan::Win;

class OptionsTest : public ShellTest {};

// The presetting lines that differ between two snapshots, by line number.
std::map<int, std::string> Changed(const std::vector<std::string>& before,
                                   const std::vector<std::string>& after) {
  std::map<int, std::string> changed;
  for (size_t i = 0; i < after.size(); ++i)
    if (i >= before.size() || before[i] != after[i]) changed[static_cast<int>(i) + 1] = after[i];
  return changed;
}

struct OptionCase {
  int command;
  int partner;  // the item of the other value, which loses its mark
  std::function<int()> setting;
  int expected;
};

TEST_F(OptionsTest, EachOptionChangesSettingMarksAndPresetting) {
  const OptionCase cases[] = {
      {8320, 8310, [] { return int(G.EnergyAxisMode); }, 1},
      {8310, 8320, [] { return int(G.EnergyAxisMode); }, 0},
      {8420, 8410, [] { return int(G.CpsMode); }, 1},
      {8410, 8420, [] { return int(G.CpsMode); }, 0},
      {8131, 8136, [] { return int(G.DecimalComma); }, 1},
      {8136, 8131, [] { return int(G.DecimalComma); }, 0},
      {8134, 8132, [] { return int(G.SeparatorChar); }, 9},
      {8135, 8132, [] { return int(G.SeparatorChar); }, 32},
      {8133, 8132, [] { return int(G.SeparatorChar); }, 44},
      {8132, 8134, [] { return int(G.SeparatorChar); }, 59},
      {8112, 8111, [] { return int(G.DefaultPeakModel); }, 1},
      {8111, 8112, [] { return int(G.DefaultPeakModel); }, 0},
      {8114, 8113, [] { return int(G.DefaultRelativeMode); }, 1},
      {8113, 8114, [] { return int(G.DefaultRelativeMode); }, 0},
      {8116, 8115, [] { return int(G.DefaultErrorsInPercent); }, 1},
      {8115, 8116, [] { return int(G.DefaultErrorsInPercent); }, 0},
      {8144, 8145, [] { return int(G.DefaultErrorMethod); }, 0},
      {8145, 8144, [] { return int(G.DefaultErrorMethod); }, 1},
  };
  for (const OptionCase& c : cases) {
    SCOPED_TRACE(c.command);
    // Start from the other value.
    if (c.setting() == c.expected) plat::driver::ChooseMenu(c.partner);
    ASSERT_NE(c.setting(), c.expected);
    const std::vector<std::string> before = sorvan::PresettingLines();
    plat::driver::ChooseMenu(c.command);
    EXPECT_EQ(c.setting(), c.expected);
    EXPECT_TRUE(Checked(c.command));
    EXPECT_FALSE(Checked(c.partner));
    EXPECT_FALSE(Changed(before, sorvan::PresettingLines()).empty());
    // A rebuilt bar shows the same marks.
    sorvan::DestroyMenuBar();
    sorvan::BuildMenuBar();
    sorvan::UpdateMenuState(G.CurrentWindow);
    EXPECT_TRUE(Checked(c.command));
    EXPECT_FALSE(Checked(c.partner));
  }
}

TEST_F(OptionsTest, AnOptionAlreadyChosenChangesNothing) {
  const int chosen[] = {8310 + 10 * G.EnergyAxisMode, 8410 + 10 * G.CpsMode,
                        G.DecimalComma ? 8131 : 8136,  8111 + G.DefaultPeakModel,
                        8113 + G.DefaultRelativeMode,  8115 + G.DefaultErrorsInPercent,
                        8144 + G.DefaultErrorMethod,   8121 + G.LanguageIndex};
  for (int command : chosen) {
    const std::vector<std::string> before = sorvan::PresettingLines();
    const std::string menu = plat::driver::DescribeMenu();
    plat::driver::ChooseMenu(command);
    EXPECT_EQ(sorvan::PresettingLines(), before) << command;
    EXPECT_EQ(plat::driver::DescribeMenu(), menu) << command;
  }
}

TEST_F(OptionsTest, DecimalCommaAndCommaSeparatorExcludeEachOther) {
  plat::driver::ChooseMenu(sorvan::CmdDecimalComma);
  ASSERT_EQ(G.DecimalComma, 1);
  plat::driver::ChooseMenu(sorvan::CmdSeparatorComma);
  EXPECT_EQ(G.ColumnSeparator, ";");
  EXPECT_FALSE(Checked(sorvan::CmdSeparatorComma));
  EXPECT_TRUE(Checked(sorvan::CmdSeparatorSemicolon));

  plat::driver::ChooseMenu(sorvan::CmdDecimalPoint);
  plat::driver::ChooseMenu(sorvan::CmdSeparatorComma);
  EXPECT_EQ(G.ColumnSeparator, ",");
  EXPECT_EQ(G.SeparatorChar, 44);
  plat::driver::ChooseMenu(sorvan::CmdDecimalComma);
  EXPECT_EQ(G.DecimalComma, 0);
  EXPECT_TRUE(Checked(sorvan::CmdDecimalPoint));
  EXPECT_FALSE(Checked(sorvan::CmdDecimalComma));
}

TEST_F(OptionsTest, DefaultsReachOnlyTheClosedWindows) {
  Win[1].WindowOpen = true;
  Win[2].WindowOpen = true;
  sorvan::UpdateMenuState(1);
  plat::driver::ChooseMenu(sorvan::CmdDefaultDoniachSunjic);
  plat::driver::ChooseMenu(sorvan::CmdDefaultRelativePeaks);
  plat::driver::ChooseMenu(sorvan::CmdDefaultErrorsPercent);
  plat::driver::ChooseMenu(sorvan::CmdDefaultErrorsProfile);
  for (int w : {1, 2}) {
    EXPECT_EQ(Win[w].PeakModel, 0) << w;
    EXPECT_EQ(Win[w].RelativeMode, 0) << w;
    EXPECT_EQ(Win[w].ErrorsInPercent, 0) << w;
    EXPECT_EQ(Win[w].ErrorMethod, 1) << w;
  }
  for (int w : {3, 50, 100}) {
    EXPECT_EQ(Win[w].PeakModel, 1) << w;
    EXPECT_EQ(Win[w].RelativeMode, 1) << w;
    EXPECT_EQ(Win[w].ErrorsInPercent, 1) << w;
    EXPECT_EQ(Win[w].ErrorMethod, 0) << w;
  }
}

TEST_F(OptionsTest, SwitchingTheLanguageRenamesEveryItemAndEveryAxisTitle) {
  const int from = G.LanguageIndex;
  const int to = from == 1 ? 0 : 1;
  const auto oldMenu = sorvan::G.MenuTexts;
  const auto oldLabel = sorvan::G.LabelTexts;
  std::vector<std::pair<int, std::string>> before;
  std::function<void(const std::vector<plat::MenuItemInfo>&, std::vector<std::pair<int, std::string>>&)>
      collect = [&](const std::vector<plat::MenuItemInfo>& tree, std::vector<std::pair<int, std::string>>& out) {
        for (const plat::MenuItemInfo& item : tree) {
          if (item.separator) continue;
          out.emplace_back(item.popup ? -1 : item.id, item.text);
          if (item.popup) collect(item.children, out);
        }
      };
  collect(plat::MenuBarTree(), before);

  plat::driver::ChooseMenu(sorvan::CmdLanguageGerman + to);
  EXPECT_EQ(G.LanguageIndex, to);
  EXPECT_TRUE(Checked(sorvan::CmdLanguageGerman + to));
  EXPECT_FALSE(Checked(sorvan::CmdLanguageGerman + from));

  std::vector<std::pair<int, std::string>> after;
  collect(plat::MenuBarTree(), after);
  ASSERT_EQ(after.size(), before.size());
  int renamed = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    ASSERT_EQ(after[i].first, before[i].first);
    // The new text is the new language's text of an index whose old text
    // the item showed.
    bool found = before[i].second == after[i].second &&
                 (after[i].second == "Al..." || after[i].second == "Mg..." ||
                  after[i].second == "A&u" || after[i].second == "&Ag" || after[i].second == "&Cu");
    for (int k = 1; k <= 89 && !found; ++k)
      for (const char* tail : {"", "..."})
        found = found || (before[i].second == oldMenu[k] + tail && after[i].second == G.MenuTexts[k] + tail);
    for (int k = 1; k <= 220 && !found; ++k)
      for (const char* tail : {"", "..."})
        found = found || (before[i].second == oldLabel[k] + tail && after[i].second == G.LabelTexts[k] + tail);
    EXPECT_TRUE(found) << before[i].first << " '" << before[i].second << "' -> '" << after[i].second << "'";
    renamed += before[i].second != after[i].second;
  }
  EXPECT_GT(renamed, 100);

  for (int w = 1; w <= 100; ++w) {
    EXPECT_EQ(Win[w].XAxisTitle, G.BindingEnergyTitle) << w;
    EXPECT_EQ(Win[w].YAxisTitle, G.CpsMode == 1 ? G.CpsTitle : G.CountsTitle) << w;
    EXPECT_EQ(Win[w].MemberAxisTitle, G.LabelTexts[150]) << w;
  }
  // Toolbar tooltips follow too.
  for (int a = 1; a <= 69; ++a) {
    if (G.ToolbarButtonOfAction[a] != 0) {
      EXPECT_EQ(plat::ToolbarButtonAt(G.ToolbarButtonOfAction[a]).tooltip,
                sorvan::ToolbarActionLanguageText(a));
    }
  }
}

TEST_F(OptionsTest, TheThirdLanguageSlotHasNoItemButItsCommandWorks) {
  int index = 0;
  int command = sorvan::CmdLanguageSpanish;
  sorvan::Form_MenuEvent(index, command);
  EXPECT_EQ(G.LanguageIndex, 2);
  EXPECT_FALSE(Checked(sorvan::CmdLanguageGerman));
  EXPECT_FALSE(Checked(sorvan::CmdLanguageEnglish));
  EXPECT_EQ(sorvan::MenuCheckFlag(sorvan::CmdLanguageSpanish), 8);
  EXPECT_EQ(Win[1].XAxisTitle, G.BindingEnergyTitle);
}

// A language file whose slots word the stored names differently.
class WordedLanguageTest : public ShellTest {
 protected:
  void PreparePresetting(testsupport::ProgramFolder& folder) override {
    const std::string file = "settings/language 2006.set";
    auto set = [&](int messageIndex, int slot, const std::string& text) {
      folder.SetLine(559 + (messageIndex - 1) * 5 + slot + 1, text, file);
    };
    set(3, 0, "Shirley-Untergrund");
    set(47, 0, "Einzelpeak");
    set(52, 0, "Dublett");
    set(21, 0, "Addition");
    folder.SetPresettingLine(1, "Voreinstellung");
  }
};

TEST_F(WordedLanguageTest, StoredNamesKeepTheirMeaningAcrossALanguageSwitch) {
  G.LanguageIndex = 1;
  sorvan::ReadLanguageFile();
  G.LanguageIndex = 0;
  sorvan::ReadLanguageFile();
  ASSERT_EQ(G.MessageTexts[3], "Shirley-Untergrund");
  G.BackgroundName = G.MessageTexts[3];
  G.FitTypeName = G.MessageTexts[52];
  G.ArithmeticOperationName = G.MessageTexts[21];
  Win[4].PeakType = G.MessageTexts[47];
  Win[5].PeakType = G.MessageTexts[52];

  sorvan::ChooseLanguage(1);
  EXPECT_EQ(G.BackgroundName, G.MessageTexts[3]);
  EXPECT_EQ(G.BackgroundName, "Shirley background");
  EXPECT_EQ(G.FitTypeName, G.MessageTexts[52]);
  EXPECT_EQ(G.ArithmeticOperationName, G.MessageTexts[21]);
  EXPECT_EQ(Win[4].PeakType, G.MessageTexts[47]);
  EXPECT_EQ(Win[5].PeakType, G.MessageTexts[52]);

  sorvan::ChooseLanguage(0);
  EXPECT_EQ(G.BackgroundName, "Shirley-Untergrund");
  EXPECT_EQ(Win[4].PeakType, "Einzelpeak");
}

TEST_F(OptionsTest, ToolbarToggleTwiceGivesBackTheWorkArea) {
  const int area = G.WorkAreaHeight;
  const bool shown = G.ToolbarVisible == 1;
  plat::driver::ChooseMenu(sorvan::CmdToggleToolbar);
  EXPECT_EQ(G.ToolbarVisible, shown ? 0 : 1);
  EXPECT_EQ(Checked(sorvan::CmdToggleToolbar), !shown);
  EXPECT_EQ(plat::ToolbarVisible(), !shown);
  EXPECT_NE(G.WorkAreaHeight, area);
  plat::driver::ChooseMenu(sorvan::CmdToggleToolbar);
  EXPECT_EQ(G.ToolbarVisible, shown ? 1 : 0);
  EXPECT_EQ(Checked(sorvan::CmdToggleToolbar), shown);
  EXPECT_NEAR(G.WorkAreaHeight, area, 1);
}

// Writes the current settings with one change as another presetting file
// and returns its program path.
std::string WriteOtherPresetting(testsupport::ProgramFolder& folder, const std::function<void()>& change,
                                 const std::string& name = "other.set") {
  const std::string saved = G.PresettingFilePath;
  const sorvan::GlobalRecord keep = G;
  change();
  G.PresettingFilePath = plat::ProgramPath(folder.Path("presetting/" + name));
  sorvan::WritePresetting();
  const std::string path = G.PresettingFilePath;
  G = keep;
  G.PresettingFilePath = saved;
  return path;
}

TEST_F(OptionsTest, LoadingAPresettingThatHidesTheToolbarKeepsMarkAndWorkAreaRight) {
  // The shipped presetting shows the toolbar; make sure it is shown.
  if (G.ToolbarVisible != 1) plat::driver::ChooseMenu(sorvan::CmdToggleToolbar);
  const int fullArea = G.WorkAreaHeight + G.ToolbarHeight;
  const std::string hidden = WriteOtherPresetting(*folder_, [] { G.ToolbarVisible = 0; }, "hidden.set");
  const std::string shownFile = WriteOtherPresetting(*folder_, [] { G.ToolbarVisible = 1; }, "shown.set");

  plat::script::AnswerFile(hidden);
  plat::driver::ChooseMenu(sorvan::CmdLoadPresetting);
  EXPECT_EQ(G.ToolbarVisible, 0);
  EXPECT_FALSE(plat::ToolbarVisible());
  EXPECT_FALSE(Checked(sorvan::CmdToggleToolbar));
  EXPECT_EQ(G.WorkAreaHeight, fullArea);

  // The next toggle shows it again and takes the height once.
  plat::driver::ChooseMenu(sorvan::CmdToggleToolbar);
  EXPECT_TRUE(plat::ToolbarVisible());
  EXPECT_TRUE(Checked(sorvan::CmdToggleToolbar));
  EXPECT_EQ(G.WorkAreaHeight, fullArea - plat::ToolbarHeight());

  // Hidden again by the toggle, then shown by a presetting.
  plat::driver::ChooseMenu(sorvan::CmdToggleToolbar);
  plat::script::AnswerFile(shownFile);
  plat::driver::ChooseMenu(sorvan::CmdLoadPresetting);
  EXPECT_TRUE(plat::ToolbarVisible());
  EXPECT_TRUE(Checked(sorvan::CmdToggleToolbar));
  EXPECT_EQ(G.WorkAreaHeight, fullArea - plat::ToolbarHeight());
  EXPECT_EQ(G.ToolbarHeight, plat::ToolbarHeight());
}

TEST_F(OptionsTest, LoadingAPresettingSetsItsOptionsAndMarks) {
  const std::string other = WriteOtherPresetting(*folder_, [] {
    G.CpsMode = 1;
    G.DefaultPeakModel = 1;
    G.ColumnSeparator = "\t";
  });
  plat::script::AnswerFile(other);
  plat::driver::ChooseMenu(sorvan::CmdLoadPresetting);
  EXPECT_EQ(G.PresettingFilePath, other);
  EXPECT_EQ(G.CpsMode, 1);
  EXPECT_TRUE(Checked(sorvan::CmdCpsUnit));
  EXPECT_FALSE(Checked(sorvan::CmdCountsUnit));
  EXPECT_TRUE(Checked(sorvan::CmdDefaultDoniachSunjic));
  EXPECT_TRUE(Checked(sorvan::CmdSeparatorTab));
  EXPECT_EQ(G.SeparatorChar, 9);
  EXPECT_EQ(Win[7].YAxisTitle, G.CpsTitle);
}

TEST_F(OptionsTest, AShortPresettingKeepsWhatItHasAndTheMenusAreRebuilt) {
  const std::string other = WriteOtherPresetting(*folder_, [] { G.CpsMode = 1 - G.CpsMode; });
  const int cps = 1 - G.CpsMode;
  // Cut the file after its first hundred lines.
  std::string bytes = folder_->Read("presetting/other.set");
  size_t at = 0;
  for (int line = 0; line < 100; ++line) at = bytes.find('\n', at) + 1;
  folder_->Write("presetting/other.set", bytes.substr(0, at));

  plat::script::AnswerFile(other);
  AnswerBoxIfShown();  // the file was not read completely
  plat::driver::ChooseMenu(sorvan::CmdLoadPresetting);
  EXPECT_EQ(G.CpsMode, cps);
  EXPECT_TRUE(Checked(cps == 1 ? sorvan::CmdCpsUnit : sorvan::CmdCountsUnit));
  EXPECT_EQ(plat::MenuBarTree().size(), 11u);
  DropUnusedAnswers();
}

TEST_F(OptionsTest, CancelledPresettingDialogsReadAndWriteNothing) {
  const std::vector<std::string> before = sorvan::PresettingLines();
  const std::string path = G.PresettingFilePath;
  plat::script::CancelFile();
  plat::driver::ChooseMenu(sorvan::CmdLoadPresetting);
  plat::script::CancelFile();
  plat::driver::ChooseMenu(sorvan::CmdSavePresetting);
  EXPECT_EQ(G.PresettingFilePath, path);
  EXPECT_EQ(sorvan::PresettingLines(), before);
  EXPECT_FALSE(folder_->Exists("presetting/other.set"));
}

TEST_F(OptionsTest, SavingAPresettingWritesTheChosenFile) {
  plat::driver::ChooseMenu(sorvan::CmdCpsUnit);
  const std::string target = plat::ProgramPath(folder_->Path("presetting/mine.set"));
  plat::script::AnswerFile(target);
  plat::driver::ChooseMenu(sorvan::CmdSavePresetting);
  EXPECT_EQ(G.PresettingFilePath, target);
  ASSERT_TRUE(folder_->Exists("presetting/mine.set"));
  const std::vector<std::string> lines = sorvan::PresettingLines();
  std::string expected;
  for (const std::string& line : lines) expected += line + "\r\n";
  const std::string written = folder_->Read("presetting/mine.set");
  EXPECT_NE(written.find(lines[0]), std::string::npos);
  EXPECT_EQ(written.substr(0, 14), "Voreinstellung");
}

TEST_F(OptionsTest, CloseAllWindowsLeavesEveryWindowClosedAndTheMenuWithoutWindows) {
  for (int w : {2, 5}) {
    Win[w].WindowOpen = true;
    Win[w].PeakModel = w == 2 ? 0 : 1;
    Win[w].HasFit = 1;
  }
  G.GlobalEnergyOffset = 1.5;
  G.CurrentWindow = 5;
  sorvan::UpdateMenuState(5);
  plat::driver::ChooseMenu(sorvan::CmdCloseAllWindows);
  EXPECT_FALSE(Win[2].WindowOpen);
  EXPECT_FALSE(Win[5].WindowOpen);
  EXPECT_EQ(Win[2].HasFit, 0);
  EXPECT_EQ(Win[5].PeakModel, 1);
  EXPECT_EQ(G.GlobalEnergyOffset, 0);
  EXPECT_EQ(G.CurrentWindow, 5);
  EXPECT_FALSE(Enabled(sorvan::CmdCloseAllWindows));
  EXPECT_TRUE(Enabled(sorvan::CmdLoadPresetting));
}

TEST_F(OptionsTest, CloseAllWindowsClosesThePlatformWindowsToo) {
  sorvan::OpenSpectrumWindow(3, "three");
  sorvan::OpenSpectrumWindow(40, "forty");
  sorvan::UpdateMenuState(40);
  ASSERT_EQ(plat::OpenSpectrumWindows().size(), 2u);
  plat::driver::ChooseMenu(sorvan::CmdCloseAllWindows);
  EXPECT_TRUE(plat::OpenSpectrumWindows().empty());
  EXPECT_FALSE(Win[3].WindowOpen);
  EXPECT_FALSE(Win[40].WindowOpen);
  EXPECT_EQ(G.CurrentWindow, 40);
}

TEST_F(OptionsTest, AboutShowsItsBox) {
  AnswerBoxIfShown();
  plat::driver::ChooseMenu(sorvan::CmdAbout);
  EXPECT_EQ(G.CommandId, sorvan::CmdAbout);
  DropUnusedAnswers();
}

}  // namespace
}  // namespace shelltest
