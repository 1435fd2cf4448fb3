// The Auger-parameter list from the File menu and from the toolbar, through
// the started program: the chosen list becomes a chemical-state plot in the
// lowest free window and is drawn; Cancel opens nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/store.h"
#include "display/redraw.h"
#include "platform/forms.h"
#include "platform/driver.h"
#include "platform/recording_canvas.h"
#include "platform/surfaces.h"
#include "core/menu_commands.h"
#include "shell_fixture.h"

namespace {

using namespace sorvan;
namespace script = plat::script;
namespace driver = plat::driver;

class AugerListCommand : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    for (int a = 1; a <= kToolbarActionCount; ++a) G.ToolbarButtonOfAction[a] = 1;
    BuildToolbar();
    folder_->Write("auger parameters/copper.aup",
                   "1849.2=932.4+916.8 Cu2O\r\n"
                   "1851.4=932.7+918.7 Cu\r\n"
                   "1850.0=933.6+916.4 CuO\r\n");
    list_ = plat::ProgramPath(folder_->Path("auger parameters/copper.aup"));
  }
  void TearDown() override {
    for (int w = 1; w <= 3; ++w) plat::SetRecordingCanvas(w, nullptr);
    ShellTest::TearDown();
  }

  // The plot in window w as the list above gives it, drawn on `canvas`.
  void ExpectCopperPlot(int w, const plat::RecordingCanvas& canvas) {
    const WindowRecord& win = Win[w];
    ASSERT_TRUE(win.WindowOpen);
    EXPECT_EQ(win.WindowKind, ChemicalStatePlot);
    EXPECT_EQ(win.ChemStatePointCount, 3);
    EXPECT_EQ(win.ChemStateEntries[1], "1851.4=932.7+918.7 Cu");
    EXPECT_EQ(win.ChemStateEntries[3], "1849.2=932.4+916.8 Cu2O");
    EXPECT_EQ(win.ChemStateListName, "copper");
    EXPECT_EQ(win.ChemStateXMin, 931);
    EXPECT_EQ(win.ChemStateYMax, 920);
    EXPECT_EQ(SlotData[w](2, 3), 916.4);
    EXPECT_EQ(G.CurrentWindow, w);
    EXPECT_EQ(plat::Caption(w), list_);
    // The axes carry their tick numbers: the plot was drawn, not only opened.
    const std::vector<std::string> texts = canvas.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), " 932"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), " 1851"), texts.end());
    EXPECT_FALSE(canvas.CallsOf(plat::DrawCall::Kind::Line).empty());
  }

  std::string list_;
};

TEST_F(AugerListCommand, MenuOpensTheChosenListAsAPlot) {
  plat::RecordingCanvas canvas;
  plat::SetRecordingCanvas(1, &canvas);
  script::AnswerFile(list_);
  driver::ChooseMenu(CmdOpenAugerList);
  ExpectCopperPlot(1, canvas);
}

TEST_F(AugerListCommand, ToolbarOpensItIntoTheNextFreeWindow) {
  plat::RecordingCanvas first, second;
  plat::SetRecordingCanvas(1, &first);
  plat::SetRecordingCanvas(2, &second);
  script::AnswerFile(list_);
  driver::ChooseMenu(CmdOpenAugerList);
  script::AnswerFile(list_);
  driver::ClickToolbar(G.ToolbarButtonOfAction[5]);
  ExpectCopperPlot(2, second);
  EXPECT_TRUE(Win[1].WindowOpen);
}

TEST_F(AugerListCommand, CancelOpensNothing) {
  script::CancelFile();
  driver::ChooseMenu(CmdOpenAugerList);
  EXPECT_FALSE(Win[1].WindowOpen);
  script::CancelFile();
  driver::ClickToolbar(G.ToolbarButtonOfAction[5]);
  EXPECT_FALSE(Win[1].WindowOpen);
}

}  // namespace
