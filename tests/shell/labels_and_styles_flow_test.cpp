// A session from the menus, as a user works: a title and an annotation
// placed with a click, the energy axis retitled with a fixed range, the
// intensity axis retitled, a curve colour and a font chosen for the screen
// and for the printer. The window is drawn with them, the printout uses the
// printer set (on the recording printer and into a PDF file), and the
// presetting keeps them across a restart of the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "../display/display_fixture.h"
#include "core/model.h"
#include "core/store.h"
#include "display/frame.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/labels.h"
#include "platform/mouse.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "platform/surfaces.h"
#include "core/menu_commands.h"
#include "shell/menu_state.h"
#include "shell_fixture.h"
#include "support/test_support.h"

namespace shelltest {
namespace {

using namespace sorvan;
using plat::DrawCall;
namespace script = plat::script;

constexpr int kScreenCurve = 0x0000CC;
constexpr int kPrinterCurve = 0x00CC00;

class LabelsAndStylesFlow : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.EnergyAxisMode = 0;
    G.CurveStyles[0] = G.CurveStyles[10] = 0;  // polylines
    plat::SetRecordingCanvas(1, &screen_);
    std::vector<double> peak;
    for (int i = 1; i <= 41; ++i) peak.push_back(200 + 1000 * std::exp(-std::pow((i - 21) / 4.0, 2)));
    displaytest::PlaceSpectrum(1, peak, 1486.6 - 300, 1);
    Win[1].WindowOpen = false;
    Win[1].SpectrumHeader.Name = "C 1s";
    OpenSpectrumWindow(1, "C 1s");
    RedrawWindow(1);
    G.CurrentWindow = 1;
    UpdateMenuState(1);
  }
  void TearDown() override {
    plat::SetRecordingCanvas(1, nullptr);
    plat::SetRecordingPrinter(nullptr);
    plat::SetPrintToPdf("");
    ShellTest::TearDown();
  }

  // Adds a label of `command`'s set with `text` and places it at (x, y).
  static void AddLabel(int command, const std::string& text, int x, int y) {
    script::SetText("ed221", Win[1].AnnotationCount + 1, text);
    script::Click("cmdOk221");
    plat::driver::ChooseMenu(command);
    plat::driver::MouseDown(1, x, y, plat::kLeftButton);
  }

  static std::vector<DrawCall> TextsIn(const plat::RecordingCanvas& c, const std::string& font) {
    std::vector<DrawCall> out;
    for (const DrawCall& d : c.CallsOf(DrawCall::Kind::Text))
      if (d.state.font.name == font) out.push_back(d);
    return out;
  }
  static bool Drew(const plat::RecordingCanvas& c, const std::string& text) {
    const std::vector<std::string> texts = c.Texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
  static int LinesIn(const plat::RecordingCanvas& c, int colour) {
    int n = 0;
    for (const DrawCall& d : c.CallsOf(DrawCall::Kind::Line)) n += d.state.colour == colour ? 1 : 0;
    return n;
  }

  plat::RecordingCanvas screen_{640, 420};
};

TEST_F(LabelsAndStylesFlow, ScreenPrinterAndPresettingFollowTheUsersChoices) {
  // Labels placed with a click.
  script::SetText("ed221", 1, "Sample A");
  script::Click("cmdOk221");
  plat::driver::ChooseMenu(CmdEditTitleLabels);
  plat::driver::MouseDown(1, 80, 30, plat::kLeftButton);
  LayOutSingleSpectrum(1);
  const int peakX = static_cast<int>(std::lround(G.FirstPointX + 19.5 * G.PixelsPerEnergy));
  AddLabel(CmdEditAnnotations, "C-C", peakX, 40);
  ASSERT_EQ(Win[1].TitleLabelCount, 1);
  ASSERT_EQ(Win[1].AnnotationCount, 1);
  const double labelEnergy = Labels[LabelIndex(1, 1)].AnnotationX;
  EXPECT_NEAR(labelEnergy, 280, 1);

  // The energy axis retitled with a fixed range, the intensity axis retitled.
  script::SetText("ed221", 1, "Binding energy (eV)");
  script::SetText("ed221", 2, "295");
  script::SetText("ed221", 3, "275");
  script::Click("cmdOk221");
  plat::driver::ChooseMenu(CmdEditEnergyAxis);
  EXPECT_EQ(Win[1].RegionStart, 6);
  EXPECT_EQ(Win[1].RegionEnd, 26);
  script::SetText("ed221", 1, "Yield");
  script::Click("cmdOk221");
  plat::driver::ChooseMenu(CmdEditIntensityAxis);

  // Screen and printer styles: the spectrum's colour and the tick font.
  plat::FontSpec screenFont;
  screenFont.name = "DejaVu Sans Mono";
  screenFont.size = 11;
  plat::FontSpec printerFont;
  printerFont.name = "DejaVu Serif";
  printerFont.size = 7;
  script::Click("cmd175");
  script::AnswerColour(kScreenCurve);
  script::Click("cmdOk171");
  plat::driver::ChooseMenu(CmdScreenLineStyles);
  script::Click("cmd175");
  script::AnswerColour(kPrinterCurve);
  script::Click("cmdOk171");
  plat::driver::ChooseMenu(CmdPrinterLineStyles);
  script::Click("cmd1718");
  script::AnswerFont(printerFont);
  script::Click("cmdOk1711");
  plat::driver::ChooseMenu(CmdPrinterFonts);
  script::Click("cmd1718");
  script::AnswerFont(screenFont);
  script::Run([this] { screen_.Clear(); }, "watch the redraw of OK");
  script::Click("cmdOk1711");
  plat::driver::ChooseMenu(CmdScreenFonts);

  // The window was drawn again with all of it.
  EXPECT_GT(LinesIn(screen_, kScreenCurve), 10) << "the spectrum in its new colour";
  EXPECT_EQ(LinesIn(screen_, kPrinterCurve), 0);
  EXPECT_TRUE(Drew(screen_, "Binding energy (eV)"));
  EXPECT_TRUE(Drew(screen_, "Yield"));
  EXPECT_FALSE(TextsIn(screen_, "DejaVu Sans Mono").empty()) << "tick numbers in the new font";
  const plat::LabelSpec title = plat::Label(plat::LabelArray::Title, LabelIndex(1, 1));
  const plat::LabelSpec annotation = plat::Label(plat::LabelArray::Annotation, LabelIndex(1, 1));
  EXPECT_EQ(title.text, "Sample A");
  EXPECT_EQ(annotation.text, "C-C");
  EXPECT_GT(annotation.left, 0);

  // The printout takes the printer set.
  plat::RecordingCanvas page(4800, 6800, plat::RecordingCanvas::Metrics::Fixed);
  plat::SetRecordingPrinter(&page);
  script::Click("cmdOk91");
  script::AnswerDialog("print", "ok");
  plat::driver::ChooseMenu(CmdPrintWindow);
  EXPECT_GT(LinesIn(page, kPrinterCurve), 10);
  EXPECT_EQ(LinesIn(page, kScreenCurve), 0);
  const std::vector<DrawCall> printerTicks = TextsIn(page, "DejaVu Serif");
  ASSERT_FALSE(printerTicks.empty());
  EXPECT_DOUBLE_EQ(printerTicks.front().state.font.size, 7);
  EXPECT_TRUE(TextsIn(page, "DejaVu Sans Mono").empty());
  EXPECT_TRUE(Drew(page, "Binding energy (eV)"));
  EXPECT_TRUE(Drew(page, "Sample A"));
  EXPECT_TRUE(Drew(page, "C-C"));

  // And into a PDF file.
  plat::SetRecordingPrinter(nullptr);
  const std::string pdf = testsupport::MakeTempFolder("labels") + "/window.pdf";
  plat::SetPrintToPdf(pdf);
  script::Click("cmdOk91");
  plat::driver::ChooseMenu(CmdPrintWindow);
  std::ifstream in(pdf, std::ios::binary);
  std::string head(4, '\0');
  in.read(head.data(), 4);
  EXPECT_EQ(head, "%PDF");

  // Saved as the presetting, they come back when the program starts again.
  script::AnswerFile(G.PresettingFilePath);
  plat::driver::ChooseMenu(CmdSavePresetting);
  plat::driver::Finish();
  plat::SetRecordingCanvas(1, nullptr);
  plat::CloseAll();
  plat::DestroyAllWindows();
  StartProgramForTest();
  EXPECT_EQ(G.CurveColours[0], kScreenCurve);
  EXPECT_EQ(G.CurveColours[10], kPrinterCurve);
  EXPECT_EQ(G.FontName[3], "DejaVu Sans Mono");
  EXPECT_EQ(G.FontSize[3], 11);
  EXPECT_EQ(G.FontName[13], "DejaVu Serif");
  EXPECT_EQ(G.FontSize[13], 7);
}

}  // namespace
}  // namespace shelltest
