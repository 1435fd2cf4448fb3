// The peak fit from the menu, driven through the started program: a spectrum
// with a background, a new fit of two peaks whose start values are picked
// with the mouse, the iteration limit and the page after the fit; running
// the fit again; a window closed during a fit; a source file that is gone.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../shell/shell_fixture.h"
#include "../shell/test_spectra.h"
#include "core/store.h"
#include "dialogs/fit_finished_page.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/text.h"
#include "processing/revert.h"
#include "support/spectrum_picks.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

constexpr int kW = 1;
constexpr int kPoints = 201;
constexpr double kExcitation = 1486.6;
constexpr double kStep = 0.1;
constexpr double kStart = kExcitation - 300;  // binding 300 eV at point 1


// Two Gaussian peaks (binding 292 and 287 eV) on a Shirley-like step.
std::vector<double> Counts(std::vector<double>* background) {
  std::vector<double> peaks(kPoints + 1), counts(kPoints + 1);
  for (int i = 1; i <= kPoints; ++i) {
    const double a = (i - 81) / 8.0, b = (i - 131) / 8.0;
    peaks[i] = 1000 * std::exp(-0.5 * a * a) + 600 * std::exp(-0.5 * b * b);
  }
  double total = 0;
  for (int i = 1; i <= kPoints; ++i) total += peaks[i];
  // High binding energies (low channels) lie above the step.
  double below = total;
  background->assign(kPoints + 1, 0);
  for (int i = 1; i <= kPoints; ++i) {
    below -= peaks[i];
    (*background)[i] = 100 + 150 * below / total;
    counts[i] = peaks[i] + (*background)[i];
  }
  return counts;
}

class FitFromTheMenu : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.EnergyAxisMode = 0;
    G.CpsMode = 0;
    OpenSpectrumWindow(kW, "C 1s");
    WindowRecord& win = Win[kW];
    SpectrumHeaderRecord& h = win.SpectrumHeader;
    h.Name = "C 1s";
    h.PointCount = kPoints;
    h.StartEnergy = kStart;
    h.EnergyStep = kStep;
    h.EndEnergy = kStart + (kPoints - 1) * kStep;
    h.ExcitationEnergy = kExcitation;
    h.ScanCount = 1;
    h.DwellTime = 1;
    win.RegionStart = 1;
    win.RegionEnd = kPoints;
    win.RegionLength = kPoints;
    win.SourceSpectrumIndex = 1;
    ImportedHeader[1] = h;
    std::vector<double> background;
    const std::vector<double> counts = Counts(&background);
    ImportedValues[1].Resize(kPoints);
    DimSlotData(kW);
    for (int i = 1; i <= kPoints; ++i) {
      ImportedValues[1][i] = counts[i];
      SlotData[kW](i, 1) = counts[i];
      SlotData[kW](i, 2) = background[i];
    }
    // The background is defined and kept: the fit runs on what lies above.
    win.BackgroundState = 2;
    G.CurrentWindow = kW;
    UpdateMenuState(kW);
    RedrawWindow(kW);
  }

  static int PixelOf(int channel) { return testsupport::PixelOfPoint(kW, channel); }
  static int RowOf(double intensity) { return testsupport::RowOfIntensity(kW, intensity); }

  // A peak table of two peaks near the truth, ready for 3130.
  static void TwoPeakTable() { shelltest::TwoPeakTable(kW); }
};

TEST_F(FitFromTheMenu, NewFitOfTwoPeaksPickedWithTheMouse) {
  // Peak count.
  script::SetText("ed111", -1, "2");
  script::Click("cmdOk111");
  // Limits: the height's upper limit is left empty.
  const char* lower[5] = {"0", "0", "280", "0.5", "-0.5"};
  const char* upper[5] = {"", "1", "300", "5", "0.5"};
  for (int cell = 0; cell < 10; ++cell) {
    script::SetText("ed121", cell, lower[cell % 5]);
    script::SetText("ed122", cell, upper[cell % 5]);
  }
  script::Click("cmdOk121");
  // Start values: the two peak tops picked in the spectrum, the height
  // taken at the pointer and counted above the background.
  const double top1 = SlotData[kW](81, 1), top2 = SlotData[kW](131, 1);
  script::Run([=] { plat::driver::MouseDown(kW, PixelOf(81), RowOf(top1), 1); }, "pick peak 1");
  script::Run([=] { plat::driver::MouseDown(kW, PixelOf(131), RowOf(top2), 1); }, "pick peak 2");
  script::Run([] {
    // One pixel of the plot is a few counts.
    EXPECT_NEAR(plat::TextToNumber(plat::Text(14, "ed141", 0)), 1000, 15);
    EXPECT_NEAR(plat::TextToNumber(plat::Text(14, "ed141", 2)), 292, 1e-9);
    EXPECT_NEAR(plat::TextToNumber(plat::Text(14, "ed141", 5)), 600, 15);
    EXPECT_NEAR(plat::TextToNumber(plat::Text(14, "ed141", 7)), 287, 1e-9);
  });
  for (int p = 0; p < 2; ++p) {
    script::SetText("ed141", 5 * p + 1, "0.3");
    script::SetText("ed141", 5 * p + 3, "1.8");
    script::SetText("ed141", 5 * p + 4, "0");
    script::SetValue("chk141", 5 * p + 4, 1);
  }
  script::Click("cmdOk141");
  // Iteration limit, then the page after the fit.
  script::SetText("ed161", -1, "50");
  script::SetText("ed162", -1, "3");
  script::Click("cmdOk161");
  script::Run([] {
    EXPECT_NE(plat::Text(24, "lb241").find(G.MessageTexts[90]), std::string::npos);
  });
  script::Click("cmdCancel242");
  plat::driver::ChooseMenu(3111);

  const WindowRecord& win = Win[kW];
  EXPECT_EQ(win.HasFit, 1);
  EXPECT_EQ(win.PeakCount, 2);
  EXPECT_EQ(win.PeakType, G.MessageTexts[47]);
  EXPECT_EQ(G.FitRunState, 0);
  EXPECT_NEAR(win.ParameterValue[1][5], 292, 0.02);
  EXPECT_NEAR(win.ParameterValue[2][5], 287, 0.02);
  EXPECT_GT(win.ParameterValue[1][1], 900);  // not pinned at 0 by the empty limit
  EXPECT_GT(win.ParameterValue[2][1], 540);
  EXPECT_GT(win.FitChi2, 0.0);
  // Peaks, their sum and the residual are in the component matrix.
  EXPECT_GT(SlotComponents[kW](81, 1), 500.0);
  EXPECT_GT(SlotComponents[kW](131, 2), 300.0);
  EXPECT_GE(SlotComponents[kW](81, 3), SlotComponents[kW](81, 1));
  EXPECT_GT(SlotComponents[kW](131, 3), SlotComponents[kW](131, 2));
  bool residual = false;
  for (int i = 1; i <= kPoints; ++i) residual = residual || SlotComponents[kW](i, 4) != 0.0;
  EXPECT_TRUE(residual);
  // The statistics are in the window's caption.
  EXPECT_NE(plat::Caption(kW).find(G.MessageTexts[90]), std::string::npos) << plat::Caption(kW);
}

// The page after the fit shows its statistics whole on their line, and the
// iterations with the count the window's caption showed.
TEST_F(FitFromTheMenu, FitFinishedPageShowsItsValuesWhole) {
  TwoPeakTable();
  script::SetText("ed161", -1, "20");
  script::SetText("ed162", -1, "2");
  script::Click("cmdOk161");
  script::Run([] {
    const std::string statistics = plat::Text(24, "lb241");
    EXPECT_EQ(statistics, FitFinishedStatisticsText(Win[kW].FitReducedChi2, Win[kW].FitChi2,
                                                     Win[kW].FitSerialCorrelation));
    EXPECT_FALSE(plat::TextCut(24, "lb241")) << statistics;
    const std::string iterations = plat::Text(24, "lb243");
    EXPECT_FALSE(plat::TextCut(24, "lb243")) << iterations;
    // The caption begins "Iterations: n  ...".
    const std::string caption = plat::Caption(kW);
    const std::string prefix = G.MessageTexts[89] + ": ";
    ASSERT_EQ(caption.rfind(prefix, 0), 0u) << caption;
    ASSERT_EQ(iterations.rfind(prefix, 0), 0u) << iterations;
    const double counted = plat::TextToNumber(caption.substr(prefix.size()));
    EXPECT_GT(counted, 2) << caption;
    EXPECT_EQ(plat::TextToNumber(iterations.substr(prefix.size())), counted) << iterations << " / " << caption;
  });
  script::Click("cmdCancel242");
  plat::driver::ChooseMenu(3130);
  EXPECT_EQ(Win[kW].HasFit, 1);
}

TEST_F(FitFromTheMenu, CancelOnTheLimitsPageRunsNoFit) {
  G.FitRunState = 5;
  script::Key(script::KeyCode::Enter);  // count page
  script::Key(script::KeyCode::Esc);    // limits page
  plat::driver::ChooseMenu(3111);
  EXPECT_EQ(Win[kW].PeakType, G.MessageTexts[47]);
  EXPECT_EQ(G.FitTypeName, G.MessageTexts[47]);
  EXPECT_EQ(Win[kW].HasFit, 0);
  EXPECT_EQ(G.FitRunState, 5);
}

TEST_F(FitFromTheMenu, DefaultLimitsMakeTwoAcceptedSteps) {
  TwoPeakTable();
  int accepted = 0;
  for (int k = 1; k <= 100; ++k) {
    plat::driver::AtKeyPoll(k, [&accepted] {
      if (G.TrialReducedChi2 <= G.AcceptedReducedChi2) ++accepted;
      return 0;
    });
  }
  script::SetText("ed161", -1, "2");
  script::SetText("ed162", -1, "2");
  script::Click("cmdOk161");
  script::Click("cmdCancel242");
  plat::driver::ChooseMenu(3130);
  EXPECT_EQ(accepted, 2);
  EXPECT_EQ(Win[kW].HasFit, 1);
  EXPECT_EQ(G.FitRunState, 0);
}

TEST_F(FitFromTheMenu, WindowClosedDuringTheFitStoresNothing) {
  TwoPeakTable();
  plat::driver::AtKeyPoll(1, [] {
    plat::driver::CloseWindow(kW);
    return 0;
  });
  script::Click("cmdOk161");
  plat::driver::ChooseMenu(3130);  // no fit finished page follows
  EXPECT_FALSE(Win[kW].WindowOpen);
  EXPECT_EQ(Win[kW].FitChi2, 0.0);
  EXPECT_EQ(Win[kW].HasFit, 0);
  EXPECT_EQ(G.FitRunState, 0);
}

TEST_F(FitFromTheMenu, MissingSourceFileStopsTheFitWithAMessage) {
  TwoPeakTable();
  // The store holds another file of the same length; the window's own file
  // is gone.
  G.SourceFilePath = "\\samples\\other.vms";
  Win[kW].SourcePath = "\\samples\\gone.vms";
  Win[kW].ImportFormat = 12;
  G.CommandId = 0;
  plat::script::AnswerMessage(1);  // message 8: the window's file is gone
  plat::driver::ChooseMenu(3130);  // no page: the fit never starts
  EXPECT_EQ(G.CommandId, 8);
  EXPECT_EQ(Win[kW].HasFit, 0);
  EXPECT_EQ(Win[kW].FitChi2, 0.0);
  EXPECT_EQ(Win[kW].ParameterValue[1][5], 292.2);
  EXPECT_EQ(Win[kW].ParameterValue[2][5], 286.9);
  // The store no longer counts as holding any file.
  EXPECT_EQ(G.SourceFilePath, "");
  EXPECT_EQ(Win[kW].ImportFormat, 12);
}

TEST_F(FitFromTheMenu, ReloadReadsOnlyWhenAnotherSourceIsLoaded) {
  static int reads = 0;
  static bool succeed = true;
  reads = 0;
  SourceReaderHook() = [](int code, int w) {
    ++reads;
    EXPECT_EQ(code, 12);
    EXPECT_EQ(Win[w].ImportFormat, 13);  // read again, no dialog
    return succeed;
  };
  folder_->Write("a.vms", "x");
  const std::string path = G.ProgramFolder + "\\a.vms";
  ASSERT_TRUE(plat::FileExists(path));
  Win[kW].SourcePath = path;
  Win[kW].SourceBlockList = "";
  Win[kW].ImportFormat = 12;
  G.SourceFilePath = "\\data\\b.vms";
  EXPECT_TRUE(ReloadSourceData(kW));
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(G.SourceFilePath, path);
  EXPECT_TRUE(ReloadSourceData(kW));  // already loaded: nothing read
  EXPECT_EQ(reads, 1);
  Win[kW].SourceBlockList = " 3 5 7";  // another choice of blocks
  succeed = false;
  plat::script::AnswerMessage(1);  // the failed read is reported
  EXPECT_FALSE(ReloadSourceData(kW));
  EXPECT_EQ(reads, 2);
  EXPECT_EQ(G.SourceFilePath, "");  // a failed read marks nothing as loaded
  EXPECT_EQ(Win[kW].ImportFormat, 12);
  SourceReaderHook() = nullptr;
}

TEST(BlockList, TwoCharacterNumbersDecode) {
  InitialiseModel();
  DecodeBlockList(" 3 5 7", 3);
  EXPECT_EQ(G.ChosenDepthBlocks[1], 3);
  EXPECT_EQ(G.ChosenDepthBlocks[2], 5);
  EXPECT_EQ(G.ChosenDepthBlocks[3], 7);
  // A list shorter than the count gives no block for the rest.
  DecodeBlockList(" 4", 2);
  EXPECT_EQ(G.ChosenDepthBlocks[1], 4);
  EXPECT_EQ(G.ChosenDepthBlocks[2], 0);
}

}  // namespace
