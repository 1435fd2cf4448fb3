// Series processing from the Series menu and the toolbar, driven through the
// started program: the processing and fit of a template window repeated on
// chosen windows, the ways a series ends, windows closed while it runs, and
// reverting every window.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/menu_commands.h"
#include "core/store.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "shell/menu_bar.h"
#include "shell/menu_state.h"
#include "shell/toolbar.h"
#include "core/settings_paths.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "shell_fixture.h"
#include "support/test_support.h"
#include "test_spectra.h"

namespace {

using namespace sorvan;
namespace script = plat::script;
namespace driver = plat::driver;

constexpr int kPoints = shelltest::kTwoPeakGrid.points;
constexpr double kStep = shelltest::kTwoPeakGrid.step;
constexpr double kStart = shelltest::kTwoPeakGrid.start;

double Counts(int i, double scale, double line) { return shelltest::TwoPeakCounts(i, scale, line); }

class Series : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Settle();
  }
  // The program as it starts, for the next case of a table.
  static void Restart() {
    driver::Reset();
    shelltest::StartProgramForTest();
    Settle();
  }
  static void Settle() {
    G.EnergyAxisMode = 0;
    G.CpsMode = 0;
    for (int a = 1; a <= kToolbarActionCount; ++a) G.ToolbarButtonOfAction[a] = 1;
    BuildToolbar();
  }

  // Opens window w with its own source spectrum (imported spectrum w).
  static void Open(int w, double scale, double line = 0, int points = kPoints) {
    shelltest::OpenTestSpectrum(w, "C 1s " + std::to_string(w), {points, kStart, kStep},
                                [=](int i) { return Counts(i, scale, line); });
  }

  // Window 1 fitted through the menu: the template of the series.
  static void FitTemplate() {
    shelltest::FitTwoPeaksFromTheMenu(1);
    ASSERT_EQ(Win[1].HasFit, 1);
  }

  // Runs `action` at the first key poll of the series (the fit of its first
  // target); its result is the key that poll returns.
  static void AtFirstSeriesPoll(std::function<int()> action) {
    auto fired = std::make_shared<bool>(false);
    for (int k = 1; k <= 5000; ++k) {
      driver::AtKeyPoll(k, [fired, action] {
        if (*fired || G.BatchMode != 1) return 0;
        *fired = true;
        return action();
      });
    }
  }

  // A series from the menu over `windows`, with OK on the processing summary
  // and on the message that the series is done.
  static void RunSeries(std::initializer_list<int> windows) {
    Choose(windows);
    script::AnswerMessage(1);
    script::AnswerMessage(1);
    driver::ChooseMenu(3116);
  }

  // The window choice of a series: the template is not listed, so the
  // windows after it stand one place earlier.
  static void Choose(std::initializer_list<int> windows) {
    for (int w : windows) script::Click("chk201", w - 1);
    script::Click("cmdOk201");
  }

  static void ExpectFitted(int w, double scale) {
    SCOPED_TRACE("window " + std::to_string(w));
    const WindowRecord& win = Win[w];
    EXPECT_EQ(win.HasFit, 1);
    EXPECT_EQ(win.PeakCount, 2);
    EXPECT_NEAR(win.ParameterValue[1][5], 292, 0.02);
    EXPECT_NEAR(win.ParameterValue[2][5], 287, 0.02);
    EXPECT_NEAR(win.ParameterValue[1][1], 1000 * scale, 10 * scale);
    EXPECT_NEAR(win.ParameterValue[2][1], 600 * scale, 10 * scale);
    EXPECT_GT(SlotComponents[w](81, 1), 500.0 * scale) << "the peak curve is stored";
  }

  // Window w's spectrum, background and component curves, as far as they
  // exist.
  static std::vector<double> Tables(int w) {
    std::vector<double> v;
    for (const auto* table : {&SlotData[w], &SlotComponents[w]})
      for (int c = 1; c <= 4; ++c)
        for (int i = 1; i <= kPoints; ++i)
          if (table->Contains(i, c)) v.push_back((*table)(i, c));
    return v;
  }

  // A window the series left alone: its measured spectrum, no fit.
  static void ExpectUntouched(int w, double scale) {
    SCOPED_TRACE("window " + std::to_string(w));
    EXPECT_EQ(Win[w].HasFit, 0);
    EXPECT_EQ(Win[w].FitChi2, 0.0);
    EXPECT_EQ(SlotData[w](81, 1), Counts(81, scale, 0));
  }
};

TEST_F(Series, ThreeWindowsFromTheMenuAreEachFitted) {
  for (int w = 1; w <= 4; ++w) Open(w, w);
  FitTemplate();
  RunSeries({2, 3, 4});
  for (int w = 2; w <= 4; ++w) ExpectFitted(w, w);
  EXPECT_EQ(G.BatchMode, 0);
  EXPECT_EQ(G.SeriesTemplateWindow, 1);
  EXPECT_EQ(G.SeriesTargetWindow, 4);
  EXPECT_EQ(G.SeriesSourceWindow, 3);
  EXPECT_EQ(G.CommandId, 6);
}

TEST_F(Series, AWindowClosedDuringTheSeriesGetsNothingAndTheOthersGoOn) {
  struct Case {
    const char* what;
    int closed;
    std::vector<int> fitted, untouched;
  };
  // The first key poll of the series comes during the fit of window 2.
  const Case cases[] = {
      {"the window being fitted", 2, {3, 4}, {}},
      {"a window still waiting", 3, {2, 4}, {}},
      {"the template: nothing is left to repeat", 1, {2}, {3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Restart();
    for (int w = 1; w <= 4; ++w) Open(w, w);
    FitTemplate();
    const int closed = c.closed;
    // What the window's tables hold when it is closed: nothing may change
    // them afterwards.
    auto atClose = std::make_shared<std::vector<double>>();
    AtFirstSeriesPoll([closed, atClose] {
      driver::CloseWindow(closed);
      *atClose = Tables(closed);
      return 0;
    });
    RunSeries({2, 3, 4});
    EXPECT_FALSE(Win[closed].WindowOpen);
    EXPECT_EQ(Win[closed].HasFit, 0);
    EXPECT_EQ(Tables(closed), *atClose);
    for (int w : c.fitted) ExpectFitted(w, w);
    for (int w : c.untouched) ExpectUntouched(w, w);
    EXPECT_EQ(G.BatchMode, 0);
    EXPECT_EQ(G.FitRunState, 0);
  }
}

TEST_F(Series, ClosingAnotherWindowDuringTheLastFitOfATargetCostsItNothing) {
  // Any window closed during a fit stops that fit; the series fits its
  // target again. The close comes at the last key poll of window 2, in the
  // second of its two fits, where no later fit would make up for it.
  auto polls = std::make_shared<int>(0);
  auto run = [&](int closeAt) {
    Restart();
    for (int w = 1; w <= 4; ++w) Open(w, w);
    FitTemplate();
    *polls = 0;
    for (int k = 1; k <= 5000; ++k) {
      driver::AtKeyPoll(k, [polls, closeAt] {
        if (G.BatchMode != 1 || G.SeriesTargetWindow != 2) return 0;
        if (++*polls == closeAt) driver::CloseWindow(3);
        return 0;
      });
    }
    RunSeries({2, 3, 4});
  };
  run(0);
  const int last = *polls;
  ASSERT_GT(last, 2);
  const double height = Win[2].ParameterValue[1][1], chi2 = Win[2].FitChi2;
  run(last);
  EXPECT_FALSE(Win[3].WindowOpen);
  ExpectFitted(2, 2);
  ExpectFitted(4, 4);
  // Fitted on from where it was stopped: as close to the data as without
  // the close.
  EXPECT_NEAR(Win[2].ParameterValue[1][1], height, 1e-3 * height);
  EXPECT_LE(Win[2].FitChi2, chi2 * (1 + 1e-6));
}

TEST_F(Series, TheTemplatesProcessingIsRepeatedWithoutAnyPage) {
  // Window 2 measured the same as the template; window 3 twice as much.
  Open(1, 1, 200);
  Open(2, 1, 200);
  Open(3, 2, 400);
  driver::FocusWindow(1);
  for (int pass = 0; pass < 2; ++pass) {
    script::Click("cmdOk31");
    driver::ChooseMenu(2700);
  }
  script::Click("cmdOk11");  // Shirley background, subtracted
  driver::ChooseMenu(2130);
  ASSERT_EQ(Win[1].SmoothCount, 2);
  ASSERT_EQ(Win[1].BackgroundState, 1);
  // Window 2 gets a smoothing of its own first: the series reverts it.
  driver::FocusWindow(2);
  script::Click("cmdOk31");
  driver::ChooseMenu(2700);
  driver::FocusWindow(1);

  RunSeries({2, 3});
  for (int w : {2, 3}) {
    SCOPED_TRACE(w);
    EXPECT_EQ(Win[w].SmoothCount, 2);
    EXPECT_EQ(Win[w].BackgroundState, 1);
    EXPECT_EQ(Win[w].HasFit, 0);
  }
  for (int i = 1; i <= kPoints; ++i) {
    ASSERT_NEAR(SlotData[2](i, 1), SlotData[1](i, 1), 1e-9) << i;
    ASSERT_NEAR(SlotData[2](i, 2), SlotData[1](i, 2), 1e-9) << i;
    // Everything is linear in the counts: twice the counts, twice the result.
    ASSERT_NEAR(SlotData[3](i, 1), 2 * SlotData[1](i, 1), 1e-6) << i;
  }
}

// The template's background is replaced after a Shirley: the summary names
// the background the window has now, and the series repeats that one.
TEST_F(Series, TheTemplatesLastBackgroundIsTheOneNamedAndRepeated) {
  struct Case {
    const char* what;
    std::function<void()> replace;  // the second background of window 1
    int kindText;                   // MessageTexts entry the summary shows
  };
  const Case cases[] = {
      {"polynomial Shirley subtracted",
       [] {
         script::Click("cmdOk271");
         driver::ChooseMenu(CmdBackgroundPolyShirley);
       },
       BackgroundKindPolyShirley},
      {"fitted background subtracted on its page",
       [] {
         script::Click("cmdCancel12");  // the Shirley undone
         driver::ChooseMenu(CmdBackgroundShirley);
         script::Click("cmd281");
         driver::ChooseMenu(CmdEditFitBackground);
       },
       107},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Restart();
    Open(1, 1, 200);
    Open(2, 1, 200);
    driver::FocusWindow(1);
    script::Click("cmdOk11");
    driver::ChooseMenu(CmdBackgroundShirley);
    ASSERT_EQ(Win[1].BackgroundRecipe.Kind, BackgroundKindShirley);
    c.replace();
    ASSERT_EQ(Win[1].BackgroundState, BackgroundSubtracted);
    const std::string name = G.MessageTexts[c.kindText];
    Choose({2});
    script::AnswerMessage(1, name);
    script::AnswerMessage(1);
    driver::ChooseMenu(3116);
    EXPECT_EQ(Win[1].BackgroundRecipe, Win[2].BackgroundRecipe);
    EXPECT_EQ(Win[2].BackgroundState, BackgroundSubtracted);
    for (int i = 1; i <= kPoints; ++i) {
      ASSERT_NEAR(SlotData[2](i, 2), SlotData[1](i, 2), 1e-6) << i;
      ASSERT_NEAR(SlotData[2](i, 1), SlotData[1](i, 1), 1e-6) << i;
    }
  }
}

TEST_F(Series, TargetsTakeThePartialRegionOfTheTemplate) {
  for (int w = 1; w <= 3; ++w) Open(w, w);
  WindowRecord& templ = Win[1];
  templ.RegionStart = 41;
  templ.RegionEnd = 171;
  templ.RegionLength = 131;
  templ.RegionPartial = 1;
  FitTemplate();
  RunSeries({2, 3});
  for (int w : {2, 3}) {
    SCOPED_TRACE(w);
    EXPECT_EQ(Win[w].RegionStart, 41);
    EXPECT_EQ(Win[w].RegionEnd, 171);
    EXPECT_EQ(Win[w].RegionPartial, 1);
    ExpectFitted(w, w);
  }
}

TEST_F(Series, WaysASeriesEnds) {
  struct Case {
    const char* what;
    std::function<void()> prepare;
    int summaryAnswer;
    bool mismatchMessage;
    bool doneMessage;
    std::vector<int> fitted, untouched;
  };
  const Case cases[] = {
      {"Esc during the first fit", [] { AtFirstSeriesPoll([] { return 27; }); }, 1, false, true, {}, {3, 4}},
      {"Cancel on the summary", [] {}, 2, false, false, {}, {2, 3, 4}},
      {"a window on another energy grid", [] { Win[3].SpectrumHeader.StartEnergy += kStep; }, 1,
       true, false, {2}, {3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Restart();
    for (int w = 1; w <= 4; ++w) Open(w, w);
    FitTemplate();
    c.prepare();
    Choose({2, 3, 4});
    script::AnswerMessage(c.summaryAnswer);
    if (c.mismatchMessage) script::AnswerMessage(1);
    if (c.doneMessage) script::AnswerMessage(1);
    driver::ChooseMenu(3116);
    EXPECT_EQ(G.BatchMode, 0);
    for (int w : c.fitted) ExpectFitted(w, w);
    for (int w : c.untouched) ExpectUntouched(w, w);
  }
}

TEST_F(Series, AStepThatFailsEndsTheSeriesWithOneReportAndNoFinish) {
  // Spectra shorter than the smoothing filter: the derivative of window 2 is
  // refused (message 3), which ends the series there.
  G.AveragePoints = 5;
  for (int w = 1; w <= 3; ++w) Open(w, w, 0, 8);
  Win[1].SmoothCount = 2;
  Win[1].DerivativeCount = 1;
  driver::FocusWindow(1);
  Choose({2, 3});
  script::AnswerMessage(1);
  script::AnswerMessage(1);  // the one report; no "Series finished" follows
  driver::ChooseMenu(3116);
  const std::vector<plat::MessageRecord>& shown = plat::MessagesShown();
  ASSERT_EQ(shown.size(), 2u);
  const std::string& report = shown[1].text;
  EXPECT_NE(report.find(G.CaptionTexts[12]), std::string::npos) << report;
  EXPECT_NE(report.find(G.MessageTexts[128]), std::string::npos) << report;
  EXPECT_NE(report.find("C 1s 2: " + G.MessageTexts[8]), std::string::npos) << report;
  EXPECT_EQ(report.find(G.LabelTexts[38]), std::string::npos) << report;
  EXPECT_EQ(Win[2].SmoothCount, 0);
  EXPECT_EQ(Win[3].SmoothCount, 0);
  EXPECT_EQ(G.BatchMode, 0);
  EXPECT_EQ(G.LongRunActive, 0);
  EXPECT_EQ(G.RunFailureCode, 0);
}

// The C 1s region of the real sample three times: the template is corrected
// in energy, smoothed, given a Tougaard background (subtracted) and fitted
// with three peaks; the series on the two copies reproduces all of it.
TEST_F(Series, ASeriesOnCopiesOfTheTemplatesOwnDataRepeatsItsResult) {
  const std::string sample = testsupport::SamplesDir() + "/vamas/five-regions.vms";
  if (!plat::FileExists(plat::ProgramPath(sample))) GTEST_SKIP() << "sample files not found";
  SetParameterSetAndSatellitePaths();
  for (int w = 1; w <= 3; ++w) {
    script::AnswerFile(plat::ProgramPath(sample));
    script::SelectItems("lib21", -1, {3});
    script::Click("cmdOk21");
    driver::ChooseMenu(CmdImportVamas);
    ASSERT_EQ(G.CurrentWindow, w);
  }
  driver::FocusWindow(1);
  WindowRecord& templ = Win[1];
  templ.RegionStart = 61;
  templ.RegionEnd = 241;
  templ.RegionLength = 181;
  templ.RegionPartial = 1;
  script::SetText("ed131", -1, "0.4");
  script::Click("cmdOK131");
  driver::ChooseMenu(CmdCorrectEnergy);
  script::Click("cmdOk31");
  driver::ChooseMenu(CmdSmooth);
  script::Click("cmdOk11");
  driver::ChooseMenu(CmdBackgroundTougaard);
  ASSERT_EQ(templ.BackgroundState, 1);
  // A Shirley background computed elsewhere afterwards: the series repeats
  // the template's own background, not the one computed last.
  driver::FocusWindow(3);
  script::Click("cmdCancel12");
  driver::ChooseMenu(CmdBackgroundShirley);
  driver::FocusWindow(1);
  script::SetText("ed111", -1, "3");
  script::Click("cmdOk111");
  script::Click("cmdOk121");
  script::Click("cmdOk141");
  script::SetText("ed161", -1, "100");
  script::SetText("ed162", -1, "3");
  script::Click("cmdOk161");
  script::Click("cmdCancel242");
  driver::ChooseMenu(CmdNewFitSinglets);
  ASSERT_EQ(templ.HasFit, 1);
  ASSERT_LT(templ.FitReducedChi2, 3);

  RunSeries({2, 3});
  EXPECT_EQ(plat::MessagesShown().back().text.find(G.LabelTexts[38]) != std::string::npos, true);
  for (int w : {2, 3}) {
    SCOPED_TRACE("window " + std::to_string(w));
    const WindowRecord& win = Win[w];
    EXPECT_EQ(win.EnergyShift, templ.EnergyShift);
    EXPECT_EQ(win.SmoothCount, 1);
    EXPECT_EQ(win.BackgroundState, 1);
    EXPECT_EQ(win.RegionStart, 61);
    EXPECT_EQ(win.RegionEnd, 241);
    for (int i = 1; i <= win.SpectrumHeader.PointCount; ++i) {
      ASSERT_NEAR(SlotData[w](i, 1), SlotData[1](i, 1), 1e-9 * (1 + std::fabs(SlotData[1](i, 1)))) << i;
      ASSERT_NEAR(SlotData[w](i, 2), SlotData[1](i, 2), 1e-9 * (1 + std::fabs(SlotData[1](i, 2)))) << i;
    }
    EXPECT_EQ(win.HasFit, 1);
    EXPECT_NEAR(win.FitReducedChi2, templ.FitReducedChi2, 1e-3 * templ.FitReducedChi2);
    for (int p = 1; p <= 3; ++p) {
      EXPECT_NEAR(win.ParameterValue[p][5], templ.ParameterValue[p][5], 0.01) << "peak " << p;
      EXPECT_NEAR(win.PeakArea[p], templ.PeakArea[p], 1e-3 * std::fabs(templ.PeakArea[p]) + 1e-6)
          << "peak " << p;
    }
  }
}

TEST_F(Series, TheToolbarsSeriesCombinesNoWindowTheTemplateDidNotCombine) {
  for (int w = 1; w <= 3; ++w) Open(w, w);
  // The arithmetic page was last used with window 3, but not on the template.
  G.ArithmeticOperationName = G.MessageTexts[21];
  G.OtherWindow = 3;
  Win[1].SmoothCount = 0;
  driver::FocusWindow(1);
  Choose({2, 3});
  script::AnswerMessage(1);
  script::AnswerMessage(1);
  driver::ClickToolbar(G.ToolbarButtonOfAction[43]);
  for (int w : {2, 3}) {
    EXPECT_EQ(Win[w].ArithmeticDone, 0);
    for (int i = 1; i <= kPoints; i += 20) ASSERT_EQ(SlotData[w](i, 1), Counts(i, w, 0)) << w << " " << i;
  }
}

TEST_F(Series, AFitFromTheMenuOffersTheErrorEstimateAtOnce) {
  Open(1, 1);
  ASSERT_EQ(G.ErrorEstimateItemFlag, kItemGrayed);
  FitTemplate();
  EXPECT_EQ(G.ErrorEstimateItemFlag, kItemEnabled);
  EXPECT_TRUE(Enabled(3120));
}

TEST_F(Series, RevertAllRevertsEveryOpenWindow) {
  for (int w = 1; w <= 3; ++w) Open(w, w);
  for (int w : {1, 3}) {
    driver::FocusWindow(w);
    driver::ChooseMenu(2400);
    ASSERT_EQ(Win[w].SpectrumNegated, 1);
  }
  driver::ChooseMenu(3117);
  for (int w = 1; w <= 3; ++w) {
    SCOPED_TRACE(w);
    EXPECT_EQ(Win[w].SpectrumNegated, 0);
    EXPECT_EQ(SlotData[w](81, 1), Counts(81, w, 0));
  }
}

}  // namespace
