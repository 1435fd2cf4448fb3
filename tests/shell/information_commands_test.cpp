// The information commands from the menu and the toolbar: each shows its box
// with the current window's values and the spectrum's name as the title; the
// two loaders of the quantification menu read the file chosen.
#include <gtest/gtest.h>

#include <string>

#include "core/menu_commands.h"
#include "core/messages.h"
#include "core/model.h"
#include "display/windows.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/text.h"
#include "shell/menu_state.h"
#include "shell_fixture.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

class InformationCommands : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    OpenSpectrumWindow(1, "Ni2p_spot 4");
    WindowRecord& win = Win[1];
    SpectrumHeaderRecord& h = win.SpectrumHeader;
    h.Name = "Ni2p_spot 4";
    h.Comment = "after sputtering";
    h.Date = "27.08.2020";
    h.ExcitationEnergy = 1486.6;
    h.StartEnergy = 606.6;
    h.EndEnergy = 636.6;
    h.EnergyStep = 0.1;
    h.PointCount = 301;
    h.ScanCount = 3;
    h.DwellTime = 0.1;
    h.PassEnergy = 40;
    h.Technique = "XPS";
    h.SourceInfo = "Al (mono)";
    win.SourcePath = "\\data\\spot 4.vms";
    win.EnergyShift = -0.35;
    win.IntensityMax = 123456.789;
    win.IntensityMin = 12;
    win.MaxBindingEnergy = 852.6;
    win.MinBindingEnergy = 880.0;
    G.GlobalEnergyOffset = 0.1;
    G.CurrentWindow = 1;
    UpdateMenuState(1);
  }
};

TEST_F(InformationCommands, EachBoxShowsTheWindowsValues) {
  const struct {
    int command;
    int action;  // the toolbar action of the same command
    std::string piece;
  } cases[] = {
      {CmdShowDescription, 50, "after sputtering"},
      {CmdShowAcquisition, 51, "Al (mono)"},
      {CmdShowEnergyCorrection, 52, plat::NumberToText(-0.25)},
      {CmdShowExtremes, 53, plat::NumberToText(852.6)},
      {CmdShowSourceFile, 54, "/data/spot 4.vms"},  // this system's separators
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    const BoxContent expected = ComposeInfoBox(c.command, 1);
    script::AnswerMessage(1, c.piece);
    plat::driver::ChooseMenu(c.command);
    plat::driver::Finish();
    ASSERT_FALSE(plat::MessagesShown().empty());
    EXPECT_EQ(plat::MessagesShown().back().text, expected.text);
    EXPECT_EQ(plat::MessagesShown().back().title, "Ni2p_spot 4");
    EXPECT_EQ(G.CommandId, c.command);

    // The toolbar button of the same command, where the presetting gives it one.
    const int button = G.ToolbarButtonOfAction[c.action];
    if (button == 0) continue;
    G.CommandId = 0;
    script::AnswerMessage(1, c.piece);
    plat::driver::ClickToolbar(button);
    plat::driver::Finish();
    EXPECT_EQ(G.CommandId, c.command);
  }
}

TEST_F(InformationCommands, LoadersReadTheChosenFiles) {
  script::AnswerFile(G.ProgramFolder + "\\sensitifity factors\\Scofield Mg Ka.sen");
  plat::driver::ChooseMenu(CmdLoadSensitivityFactors);
  plat::driver::Finish();
  EXPECT_EQ(G.SensitivityFilePath, "Scofield Mg Ka.sen");
  EXPECT_GT(G.SensitivityCount, 100);

  script::AnswerFile(G.ProgramFolder + "\\XPS-transfct\\FAT E-0.5.trm");
  plat::driver::ChooseMenu(CmdLoadTransmissionParameters);
  plat::driver::Finish();
  EXPECT_EQ(G.TransmissionFilePath, "FAT E-0.5.trm");
  EXPECT_DOUBLE_EQ(G.QuantTransmissionCoef[7], -0.5);

  // A file of another kind changes nothing.
  script::AnswerFile(G.ProgramFolder + "\\XPS-transfct\\Unity.trm");
  script::AnswerMessage(1);
  plat::driver::ChooseMenu(CmdLoadSensitivityFactors);
  plat::driver::Finish();
  EXPECT_EQ(G.SensitivityFilePath, "Scofield Mg Ka.sen");
  EXPECT_EQ(G.CommandId, 3);
}

}  // namespace
