// The line identification command from the menu: the shipped line table is
// listed on the page, brought to the window's energy scale, and a chosen
// line becomes a label of the window.
#include <gtest/gtest.h>

#include <string>

#include "core/model.h"
#include "core/store.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/text.h"
#include "core/menu_commands.h"
#include "shell/menu_state.h"
#include "shell_fixture.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

class LineCommands : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.LinesFolder = G.ProgramFolder + "\\lines";
    OpenSpectrumWindow(1, "C 1s");
    WindowRecord& win = Win[1];
    SpectrumHeaderRecord& h = win.SpectrumHeader;
    h.Name = "C 1s";
    h.PointCount = 41;
    h.ExcitationEnergy = 1486.6;
    h.StartEnergy = 1486.6 - 300;
    h.EnergyStep = 1;
    h.EndEnergy = h.StartEnergy + 40;
    h.ScanCount = 1;
    h.DwellTime = 1;
    win.RegionStart = 1;
    win.RegionEnd = 41;
    win.RegionLength = 41;
    DimSlotData(1);
    for (int i = 1; i <= 41; ++i) SlotData[1](i, 1) = 10.0 * i;
    RedrawWindow(1);
    G.CurrentWindow = 1;
    UpdateMenuState(1);
  }
};

// The index of the first listed entry that holds `text` (-1 when none).
int ListedIndexOf(const std::string& text) {
  const int n = plat::ListCount(23, "lib231");
  for (int i = 0; i < n; ++i)
    if (plat::ListItem(23, "lib231", plat::kNoIndex, i).find(text) != std::string::npos) return i;
  return -1;
}

TEST_F(LineCommands, IdentifyLinesListsTheTableAndLabelsTheChosenLine) {
  G.LineFilterAll = 1;
  G.LineFilterMarked = G.LineFilterElement = G.LineFilterOwnFile = 0;
  G.EnergyAxisMode = 0;
  std::string chosen;
  script::Expect([] { return plat::DialogCaption(23) == G.LabelTexts[65] && plat::ListCount(23, "lib231") > 10; },
                 "the line table listed");
  script::Run(
      [&chosen] {
        const int i = ListedIndexOf("C 1s");
        ASSERT_GE(i, 0);
        chosen = plat::ListItem(23, "lib231", plat::kNoIndex, i);
        plat::SetItemSelected(23, "lib231", plat::kNoIndex, i, true);
      },
      "choose the first C 1s line");
  script::Click("cmdOk231");
  script::Key(plat::script::KeyCode::Esc);
  plat::driver::ChooseMenu(CmdIdentifyLines);
  ASSERT_EQ(Win[1].AnnotationCount, 1);
  EXPECT_EQ(Labels[LabelIndex(1, 1)].AnnotationText, "C 1s *");
  EXPECT_DOUBLE_EQ(Labels[LabelIndex(1, 1)].AnnotationX, plat::TextToNumber(chosen));
  EXPECT_EQ(G.LinePickActive, 0);
  EXPECT_FALSE(plat::DialogWindowOpen(23));
}

}  // namespace
