// The pictures of long runs from the menus: a fit, the chi-square profile
// errors and a series redraw their windows after every step, but show at
// most four pictures a second of the clock that the test steps, and always
// end on the picture of their final state, the same as drawing every step
// gives. The course of a run (its key polls, its results) does not depend
// on how many pictures it shows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/menu_commands.h"
#include "core/model.h"
#include "display/run_redraws.h"
#include "fiterrors/progress_page.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/loop.h"
#include "platform/recording_canvas.h"
#include "platform/surfaces.h"
#include "shell_fixture.h"
#include "test_spectra.h"

namespace {

using namespace sorvan;
namespace script = plat::script;
namespace driver = plat::driver;

constexpr int kW = 1;
// More key polls than any run here makes.
constexpr int kPolls = 50000;

// Records what reaches the window. With `everyPicture` each picture that
// reaches it moves the clock by a second, so that the next one is due too:
// the run then draws every picture, as it did before pictures were paced.
class WindowRecording : public plat::RecordingCanvas {
 public:
  // Window w draws into the recording while it lives.
  WindowRecording(int w, bool everyPicture) : w_(w), everyPicture_(everyPicture) {
    plat::SetRecordingCanvas(w_, this);
  }
  ~WindowRecording() override { plat::SetRecordingCanvas(w_, nullptr); }
  WindowRecording(const WindowRecording&) = delete;
  WindowRecording& operator=(const WindowRecording&) = delete;
  void FilledBox(double x1, double y1, double x2, double y2) override {
    if (everyPicture_ && IsPictureStart(x1, y1, x2, y2)) driver::StepClock(1000);
    RecordingCanvas::FilledBox(x1, y1, x2, y2);
  }
  // A whole redraw begins with the background over the whole window.
  bool IsPictureStart(double x1, double y1, double x2, double y2) {
    return x1 == -1 && y1 == -1 && x2 >= Width() && y2 >= Height();
  }
  bool IsPictureStart(const plat::DrawCall& c) {
    return c.kind == plat::DrawCall::Kind::FilledBox && IsPictureStart(c.x1, c.y1, c.x2, c.y2);
  }
  int Pictures() {
    int n = 0;
    for (const plat::DrawCall& c : Calls()) n += IsPictureStart(c) ? 1 : 0;
    return n;
  }
  // The calls of the picture the window shows now: from the last whole
  // redraw on.
  std::vector<plat::DrawCall> Shown() {
    const std::vector<plat::DrawCall>& calls = Calls();
    size_t start = calls.size();
    while (start > 0 && !IsPictureStart(calls[start - 1])) --start;
    if (start > 0) --start;
    return {calls.begin() + static_cast<long>(start), calls.end()};
  }

 private:
  int w_;
  bool everyPicture_;
};

bool SameCall(const plat::DrawCall& a, const plat::DrawCall& b) {
  return a.kind == b.kind && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.r == b.r &&
         a.xs == b.xs && a.ys == b.ys && a.text == b.text && a.state == b.state;
}

void ExpectSamePicture(const std::vector<plat::DrawCall>& shown, const std::vector<plat::DrawCall>& wanted) {
  ASSERT_FALSE(wanted.empty());
  ASSERT_EQ(shown.size(), wanted.size());
  for (size_t i = 0; i < shown.size(); ++i)
    ASSERT_TRUE(SameCall(shown[i], wanted[i])) << "call " << i << " " << plat::DrawCallKindName(shown[i].kind);
}

// How a case lets the clock run: every picture due, or the clock moved by
// `pollStep` ms at every key poll (0: it stands still).
struct Pace {
  const char* name;
  bool everyPicture;
  int pollStep;
};
constexpr Pace kPaces[] = {{"every picture drawn", true, 0},
                           {"clock standing", false, 0},
                           {"40 ms from poll to poll", false, 40},
                           {"300 ms from poll to poll", false, 300}};

// What a run left: the pictures that reached the window, the picture shown
// at the end (or at the moment asked), the time it took and its key polls.
struct RunPictures {
  int pictures = 0;
  std::vector<plat::DrawCall> shown;
  long long milliseconds = 0;
  int polls = 0;
};

class RunPicturesTest : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Settle();
  }
  static void Settle() {
    G.EnergyAxisMode = 0;
    G.CpsMode = 0;
  }
  static void Restart() {
    driver::Reset();
    shelltest::StartProgramForTest();
    Settle();
  }
  static void Open(int w, double scale) {
    shelltest::OpenTestSpectrum(w, "C 1s " + std::to_string(w), shelltest::kTwoPeakGrid,
                                [=](int i) { return shelltest::TwoPeakCounts(i, scale, 0); });
  }
  // The program started afresh with window kW fitted through the menu, its
  // errors to be estimated by the profile.
  static void FittedWindow() {
    Restart();
    Open(kW, 1);
    shelltest::FitTwoPeaksFromTheMenu(kW);
    // Fitted again until no refit of the profile finds a better fit.
    for (int again = 0; again < 2; ++again) {
      script::Click("cmdOk161");
      script::Click("cmdCancel242");
      driver::ChooseMenu(CmdRunFit);
    }
    ASSERT_EQ(Win[kW].HasFit, 1);
    Win[kW].ErrorMethod = 0;
  }
  // Counts the key polls from now on, and steps the clock at each.
  static std::shared_ptr<int> CountPolls(const Pace& pace) {
    auto polls = std::make_shared<int>(0);
    for (int k = 1; k <= kPolls; ++k)
      driver::AtKeyPoll(k, [polls] {
        ++*polls;
        return 0;
      });
    driver::StepClockAtKeyPolls(pace.pollStep);
    return polls;
  }
  static void ExpectPaced(const Pace& pace, const RunPictures& run, const RunPictures& all) {
    SCOPED_TRACE(pace.name);
    // The run went the same way.
    EXPECT_EQ(run.polls, all.polls);
    if (pace.everyPicture) return;
    // The first picture, at most four a second after it, and the last.
    EXPECT_GE(run.pictures, 2);
    EXPECT_LE(run.pictures, 2 + run.milliseconds * kRunPicturesPerSecond / 1000);
    EXPECT_LT(run.pictures, all.pictures);
    ExpectSamePicture(run.shown, all.shown);
  }
};

TEST_F(RunPicturesTest, ProfileErrorRunShowsFewPicturesAndEndsOnItsFinalState) {
  RunPictures all;
  for (const Pace& pace : kPaces) {
    SCOPED_TRACE(pace.name);
    FittedWindow();
    WindowRecording recording(kW, pace.everyPicture);
    const auto polls = CountPolls(pace);
    const long long start = plat::Milliseconds();
    script::Click("cmdOk321");  // the peak error page after the run
    driver::ChooseMenu(CmdEstimateErrors);
    RunPictures run{recording.Pictures(), recording.Shown(), plat::Milliseconds() - start, *polls};
    driver::StepClockAtKeyPolls(0);
    EXPECT_EQ(Win[kW].ErrorTableValid, 1);
    if (pace.everyPicture) all = run;
    ExpectPaced(pace, run, all);
  }
  EXPECT_GT(all.pictures, 20);
}

TEST_F(RunPicturesTest, StopOnTheProgressPageComesAtTheSamePollAndTheWindowShowsWhereTheRunEnded) {
  RunPictures all;
  for (const Pace& pace : kPaces) {
    SCOPED_TRACE(pace.name);
    FittedWindow();
    WindowRecording recording(kW, pace.everyPicture);
    auto polls = std::make_shared<int>(0);
    for (int k = 1; k <= kPolls; ++k)
      driver::AtKeyPoll(k, [polls] {
        ++*polls;
        if (ProgressPageOpen() && G.ProgressValue >= 4) driver::Click("cmdCancel411");
        return 0;
      });
    driver::StepClockAtKeyPolls(pace.pollStep);
    const long long start = plat::Milliseconds();
    driver::ChooseMenu(CmdEstimateErrors);
    RunPictures run{recording.Pictures(), recording.Shown(), plat::Milliseconds() - start, *polls};
    driver::StepClockAtKeyPolls(0);
    EXPECT_FALSE(ProgressPageOpen());
    EXPECT_EQ(Win[kW].ErrorTableValid, 0);
    EXPECT_EQ(G.ProgressKey, 0);
    if (pace.everyPicture) all = run;
    ExpectPaced(pace, run, all);
  }
}

TEST_F(RunPicturesTest, FitShowsItsFinalPictureBeforeThePageAfterIt) {
  RunPictures all;
  for (const Pace& pace : kPaces) {
    SCOPED_TRACE(pace.name);
    Restart();
    Open(kW, 1);
    WindowRecording recording(kW, pace.everyPicture);
    const auto polls = CountPolls(pace);
    const long long start = plat::Milliseconds();
    RunPictures run;
    driver::FocusWindow(kW);
    shelltest::TwoPeakTable(kW);
    script::Click("cmdOk161");
    // What the window shows while the page after the fit waits.
    script::Run([&] {
      run = {recording.Pictures(), recording.Shown(), plat::Milliseconds() - start, *polls};
    });
    script::Click("cmdCancel242");
    driver::ChooseMenu(CmdRunFit);
    ASSERT_EQ(Win[kW].HasFit, 1);
    if (pace.everyPicture) all = run;
    ExpectPaced(pace, run, all);
  }
}

TEST_F(RunPicturesTest, SeriesShowsEachWindowsFinalPicture) {
  constexpr int kTargets = 3;
  std::vector<RunPictures> all(kTargets + 1);
  for (const Pace& pace : kPaces) {
    SCOPED_TRACE(pace.name);
    Restart();
    for (int w = 1; w <= kTargets; ++w) Open(w, w);
    shelltest::FitTwoPeaksFromTheMenu(1);
    ASSERT_EQ(Win[1].HasFit, 1);
    std::vector<std::unique_ptr<WindowRecording>> recordings(kTargets + 1);
    for (int w = 2; w <= kTargets; ++w) {
      recordings[w] = std::make_unique<WindowRecording>(w, pace.everyPicture);
    }
    const auto polls = CountPolls(pace);
    const long long start = plat::Milliseconds();
    for (int w = 2; w <= kTargets; ++w) script::Click("chk201", w - 1);
    script::Click("cmdOk201");
    script::AnswerMessage(1);
    script::AnswerMessage(1);
    driver::ChooseMenu(3116);
    const long long milliseconds = plat::Milliseconds() - start;
    for (int w = 2; w <= kTargets; ++w) {
      SCOPED_TRACE(w);
      EXPECT_EQ(Win[w].HasFit, 1);
      RunPictures run{recordings[w]->Pictures(), recordings[w]->Shown(), milliseconds, *polls};
      if (pace.everyPicture) all[w] = run;
      ExpectPaced(pace, run, all[w]);
    }
    driver::StepClockAtKeyPolls(0);
  }
}

}  // namespace
