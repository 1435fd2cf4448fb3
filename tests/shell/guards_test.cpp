// The two guards that keep a command from acting where it must not: a
// command for the current window does nothing once that window is closed,
// and while a page waits the menu bar and the toolbar take no command.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/store.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/toolbar.h"
#include "shell_fixture.h"

namespace {

using namespace sorvan;
namespace script = plat::script;
namespace driver = plat::driver;

constexpr int kPoints = 40;

// Opens window w with a peak on a flat line, ready for processing.
void OpenSpectrum(int w) {
  const std::string name = "Si 2p " + std::to_string(w);
  OpenSpectrumWindow(w, name);
  WindowRecord& win = Win[w];
  SpectrumHeaderRecord& h = win.SpectrumHeader;
  h.Name = name;
  h.PointCount = kPoints;
  h.StartEnergy = 1380;
  h.EnergyStep = 0.25;
  h.EndEnergy = 1380 + (kPoints - 1) * 0.25;
  h.ExcitationEnergy = 1486.6;
  h.ScanCount = 1;
  h.DwellTime = 1;
  win.RegionStart = 1;
  win.RegionEnd = kPoints;
  win.RegionLength = kPoints;
  win.SourceSpectrumIndex = static_cast<Int16>(w);
  ImportedHeader[w] = h;
  ImportedValues[w].Resize(kPoints);
  DimSlotData(w);
  for (int i = 1; i <= kPoints; ++i) {
    const double x = (i - 20) / 3.0;
    const double y = 50 + 400 * w * std::exp(-0.5 * x * x);
    SlotData[w](i, 1) = y;
    ImportedValues[w][i] = y;
  }
  RedrawWindow(w);
}

std::vector<double> Column(int w) {
  std::vector<double> y;
  for (int i = 1; i <= kPoints; ++i) y.push_back(SlotData[w](i, 1));
  return y;
}

class Guards : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    for (int a = 1; a <= kToolbarActionCount; ++a) G.ToolbarButtonOfAction[a] = 1;
    BuildToolbar();
    OpenSpectrum(1);
    OpenSpectrum(2);
  }
  static int Button(int action) { return G.ToolbarButtonOfAction[action]; }
};

TEST_F(Guards, CommandsForAClosedCurrentWindowDoNothing) {
  // Window 2 is current and is closed; its number stays current and the
  // menu keeps offering the spectrum commands.
  ASSERT_EQ(G.CurrentWindow, 2);
  ASSERT_TRUE(driver::CloseWindow(2));
  ASSERT_EQ(G.CurrentWindow, 2);
  const std::vector<double> closed = Column(2), other = Column(1);
  G.BackgroundName = G.MessageTexts[1];
  G.FitTypeName = G.MessageTexts[47];

  struct Case {
    const char* what;
    int command;  // through the menu, or 0
    int action;   // through the toolbar, or 0
  };
  // Each of these would change the data, or show a page, a box or a file
  // dialog that the script does not answer (which fails the test).
  const Case cases[] = {
      {"negate", 2400, 0},           {"derivative", 2300, 0},       {"smooth", 2700, 0},
      {"Shirley background", 2130, 0}, {"whole region", 21100, 0},  {"revert", 1900, 0},
      {"copy", 2210, 0},             {"normalise", 2930, 0},        {"add a window", 21010, 0},
      {"energy correction", 21200, 0}, {"new fit", 3111, 0},        {"run the fit", 3130, 0},
      {"start values", 3113, 0},     {"series", 3116, 0},           {"description", 5100, 0},
      {"spectrum table", 1200, 0},   {"print", 1400, 0},            {"window texts", 6000, 0},
      {"negate button", 0, 22},      {"last background", 0, 16},    {"last scaling", 0, 25},
      {"last arithmetic", 0, 26},    {"last fit type", 0, 28},      {"start values button", 0, 31},
      {"series button", 0, 43},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.command != 0) {
      ASSERT_TRUE(Enabled(c.command)) << "the menu still offers it";
      driver::ChooseMenu(c.command);
    } else {
      driver::ClickToolbar(Button(c.action));
    }
    EXPECT_EQ(Column(2), closed);
    EXPECT_EQ(Column(1), other);
    EXPECT_EQ(Win[2].SpectrumNegated, 0);
    EXPECT_EQ(Win[2].HasFit, 0);
    EXPECT_EQ(G.PasteItemFlag, 1) << "nothing was copied";
    EXPECT_FALSE(Win[3].WindowOpen);
    EXPECT_TRUE(plat::OpenDialogWindows().empty());
  }

  // Once another window is current the same command acts again.
  driver::FocusWindow(1);
  driver::ChooseMenu(2400);
  EXPECT_EQ(Win[1].SpectrumNegated, 1);
  EXPECT_EQ(SlotData[1](20, 1), -other[19]);
}

TEST_F(Guards, CommandsWhileAPageWaitsDoNothing) {
  // Smoothing asks on its confirm page; while it waits the user tries the
  // menu and the toolbar.
  const std::vector<double> before = Column(2);
  script::Run([] {
    EXPECT_TRUE(plat::PageWaiting());
    driver::ChooseMenu(2400);              // negate
    driver::ChooseMenu(1180);              // an import: its file dialog would need an answer
    driver::ClickToolbar(Button(22));      // negate
    driver::ClickToolbar(Button(8));       // the test spectrum
    EXPECT_EQ(Win[2].SpectrumNegated, 0);
    EXPECT_FALSE(Win[3].WindowOpen);
  }, "use the menu and the toolbar");
  // The spectrum windows still take the user's clicks meanwhile.
  script::ClickSpectrum(1, 100, 100);
  script::Click("cmdOk31");
  driver::ChooseMenu(2700);
  EXPECT_FALSE(plat::PageWaiting());
  EXPECT_EQ(Win[2].SmoothCount, 1);
  EXPECT_EQ(Win[2].SpectrumNegated, 0);
  EXPECT_NE(Column(2), before);
  const std::vector<std::string>& trace = plat::EventTrace();
  int refused = 0;
  for (const std::string& e : trace) refused += e.find("refused") != std::string::npos ? 1 : 0;
  EXPECT_EQ(refused, 4);
  bool clickTaken = false;
  for (const std::string& e : trace) clickTaken = clickTaken || e.rfind("Win_1_MouseDown", 0) == 0;
  EXPECT_TRUE(clickTaken);

  // With no page waiting the same menu choice runs.
  driver::FocusWindow(2);
  driver::ChooseMenu(2400);
  EXPECT_EQ(Win[2].SpectrumNegated, 1);
}

TEST_F(Guards, ASecondImportCannotStartWhileTheFirstAsks) {
  folder_->Write("first.txt", "first\r\n1000.0 5\r\n999.5 7\r\n999.0 9\r\n");
  folder_->Write("second.txt", "second\r\n800.0 1\r\n799.5 2\r\n");
  const std::string first = G.ProgramFolder + "\\first.txt";
  script::AnswerFile(first);
  // The excitation energy page of the first import waits: a second import
  // chosen now would ask for its own file and overwrite the first's.
  script::Run([] { driver::ChooseMenu(1180); }, "choose the import again");
  script::SetText("ed251", -1, "1486.6");
  script::Click("cmdOK251");
  script::SetText("ed261", -1, "C 1s");
  script::Click("cmdOk261");
  script::Click("cmd23");
  driver::ChooseMenu(1180);
  ASSERT_TRUE(Win[3].WindowOpen);
  EXPECT_FALSE(Win[4].WindowOpen);
  EXPECT_EQ(Win[3].SourcePath, first);
  EXPECT_EQ(Win[3].SpectrumHeader.Name, "C 1s");
  EXPECT_EQ(Win[3].SpectrumHeader.PointCount, 3);
}

}  // namespace
