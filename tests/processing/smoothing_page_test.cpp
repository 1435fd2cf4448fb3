// Smoothing and derivative of a window as the user runs them: asked on the
// confirm page 3x, carried out on OK, nothing on Cancel; refused for a
// spectrum shorter than the filter; run without asking in a series.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "../display/display_fixture.h"
#include "core/events.h"
#include "core/model.h"
#include "core/store.h"
#include "display/windows.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/mouse.h"
#include "platform/surfaces.h"
#include "processing/kernels/savitzky_golay.h"
#include "processing/smoothing.h"

namespace sorvan {
namespace {

constexpr int kW = 5;

using plat::script::Click;
using plat::script::Expect;
using plat::script::Key;
using plat::script::KeyCode;

std::vector<double> NoisyPeak(int n) {
  std::vector<double> v(n);
  for (int i = 1; i <= n; ++i) {
    const double x = (i - n / 2.0) / 3.0;
    v[i - 1] = 200 + 800 * std::exp(-x * x) + ((i * 7) % 5 - 2) * 9.0;
  }
  return v;
}

class FilterWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();
    InitialiseModel();
    displaytest::SetPlotStyles();
    G.ScreenWidth = 1024;
    G.WorkAreaHeight = 700;
    G.CharWidth = 8;
    G.CharHeight = 16;
    G.AveragePoints = 3;
    G.MessageTexts[8] = "Derivative";
    G.MessageTexts[9] = "Smoothing";
    G.MessageTexts[10] = "Satellite removal";
    G.MessageTexts[11] = "Averaging points";
    G.MessageTexts[12] = "Excitation energy";
    G.ButtonTexts[1] = "Cancel";
    G.ButtonTexts[2] = "OK";
    BuildEventRegistry();
  }
  void TearDown() override {
    plat::SetDrawingMainWindow();
    plat::driver::Finish();
  }

  void Place(const std::vector<double>& values) {
    spectrum_ = values;
    displaytest::PlaceSpectrum(kW, spectrum_, 1000, 0.5);
    for (int i = 1; i <= static_cast<int>(values.size()); ++i) SlotData[kW](i, 2) = 10.0 + i;
    Win[kW].WindowOpen = false;
    OpenSpectrumWindow(kW, "C 1s");
    G.CurrentWindow = kW;
  }

  std::vector<double> Filtered(FilterKind kind, int m) const {
    std::vector<double> y(spectrum_.size() + 1, 0.0), out(spectrum_.size() + 1, 0.0);
    for (size_t i = 0; i < spectrum_.size(); ++i) y[i + 1] = spectrum_[i];
    EXPECT_TRUE(SavitzkyGolayFilter(kind, y, out, m));
    return out;
  }

  void ExpectColumn1(const std::vector<double>& expected, const std::string& what) const {
    for (size_t i = 1; i <= spectrum_.size(); ++i)
      EXPECT_NEAR(SlotData[kW](i, 1), expected[i], 1e-9) << what << " point " << i;
  }
  void ExpectBackgroundKept(const std::string& what) const {
    for (size_t i = 1; i <= spectrum_.size(); ++i)
      EXPECT_EQ(SlotData[kW](i, 2), 10.0 + i) << what << " point " << i;
  }

  std::vector<double> spectrum_;
};

TEST_F(FilterWindow, AnswersOfTheConfirmPage) {
  struct Case {
    const char* what;
    std::function<void(int)> command;
    FilterKind kind;
    bool ok;  // OK button, else Esc (the cancel button)
  };
  const Case cases[] = {
      {"smoothing OK", SmoothSpectrum, FilterKind::Smoothing, true},
      {"smoothing Cancel", SmoothSpectrum, FilterKind::Smoothing, false},
      {"derivative OK", DifferentiateSpectrum, FilterKind::Derivative, true},
      {"derivative Cancel", DifferentiateSpectrum, FilterKind::Derivative, false},
  };
  for (const Case& c : cases) {
    SetUp();
    Place(NoisyPeak(40));
    Win[kW].DerivativeCount = 2;
    Win[kW].SmoothCount = 1;
    if (c.ok) {
      Click("cmdOk31");
    } else {
      Key(KeyCode::Esc);
    }
    c.command(kW);
    plat::driver::Finish();
    EXPECT_EQ(G.DialogResult, c.ok ? 1 : 2) << c.what;
    EXPECT_EQ(G.DialogWindow3Busy, 0) << c.what;
    EXPECT_FALSE(plat::DialogWindowOpen(3)) << c.what;
    const bool derivative = c.kind == FilterKind::Derivative;
    EXPECT_EQ(Win[kW].DerivativeCount, c.ok && derivative ? 3 : 2) << c.what;
    EXPECT_EQ(Win[kW].SmoothCount, c.ok && !derivative ? 2 : 1) << c.what;
    if (c.ok) {
      ExpectColumn1(Filtered(c.kind, 3), c.what);
    } else {
      std::vector<double> unchanged(spectrum_.size() + 1, 0.0);
      for (size_t i = 0; i < spectrum_.size(); ++i) unchanged[i + 1] = spectrum_[i];
      ExpectColumn1(unchanged, c.what);
    }
    ExpectBackgroundKept(c.what);
  }
}

TEST_F(FilterWindow, ConfirmPageNamesTheOperationAndItsSetting) {
  struct Case {
    std::function<void(int)> command;
    int averagePoints;
    std::string caption, label;
  };
  const Case cases[] = {
      {SmoothSpectrum, 3, "Smoothing", "Averaging points = 3"},
      {DifferentiateSpectrum, 5, "Derivative", "Averaging points = 5"},
  };
  for (const Case& c : cases) {
    SetUp();
    Place(NoisyPeak(30));
    G.AveragePoints = static_cast<Byte>(c.averagePoints);
    Win[kW].YRangeFixed = 1;
    Expect([] { return Win[kW].YRangeFixed == 0; }, "the page frees a fixed intensity range");
    Expect([&] { return plat::DialogCaption(3) == c.caption; }, "caption " + c.caption);
    Expect([&] { return plat::Text(3, "lb31") == c.label; }, "label " + c.label);
    Expect([] { return G.DialogWindow3Busy == 1; }, "window 3 busy while the page is open");
    Key(KeyCode::Enter);
    c.command(kW);
    plat::driver::Finish();
    EXPECT_EQ(G.FilterHalfWidth, c.averagePoints);
  }
}

// The control called name/index on dialog window n (a default one when none).
plat::ControlInfo FindControl(int n, const std::string& name, int index = plat::kNoIndex) {
  for (const plat::ControlInfo& c : plat::Controls(n))
    if (c.name == name && c.index == index) return c;
  ADD_FAILURE() << "no control " << name << "(" << index << ")";
  return {};
}

TEST_F(FilterWindow, ConfirmPageLayoutInCharacterCells) {
  Place(NoisyPeak(30));
  G.DialogLeft = 100;
  G.DialogTop = 50;
  plat::script::Run([] {
    const plat::WindowRect r = plat::DialogWindowRect(3);
    EXPECT_EQ(r.width, 31 * 8);
    EXPECT_EQ(r.height, 6 * 16);
    const plat::ControlInfo ok = FindControl(3, "cmdOk31");
    const plat::ControlInfo cancel = FindControl(3, "cmdCancel32");
    const plat::ControlInfo label = FindControl(3, "lb31");
    EXPECT_TRUE(ok.isDefault);
    EXPECT_TRUE(cancel.isCancel);
    EXPECT_EQ(ok.x, 8);
    EXPECT_EQ(ok.y, 48);
    EXPECT_EQ(ok.width, 13 * 8);
    EXPECT_EQ(cancel.x, 16 * 8);
    EXPECT_EQ(label.x, 8);
    EXPECT_EQ(label.y, 8);
    EXPECT_EQ(label.width, 27 * 8);
    int px = 0, py = 0;
    plat::LastPointerMove(px, py);
    EXPECT_EQ(px, G.DialogLeft + 60);  // 7.5 cells
    EXPECT_EQ(py, G.DialogTop + 74);   // 4.6 rows = 73.6
  });
  Key(KeyCode::Esc);
  SmoothSpectrum(kW);
}

TEST_F(FilterWindow, ParabolaSmoothedUnchangedAndDifferentiatedToItsSlope) {
  std::vector<double> parabola;
  for (int i = 1; i <= 25; ++i) parabola.push_back(40 + 3.0 * i - 0.2 * i * i);
  Place(parabola);
  Click("cmdOk31");
  SmoothSpectrum(kW);
  for (int i = 1; i <= 25; ++i) EXPECT_NEAR(SlotData[kW](i, 1), parabola[i - 1], 1e-9) << i;
  Click("cmdOk31");
  DifferentiateSpectrum(kW);
  // Per point, not per eV.
  for (int i = 1; i <= 25; ++i) EXPECT_NEAR(SlotData[kW](i, 1), 3.0 - 0.4 * i, 1e-9) << i;
}

TEST_F(FilterWindow, SpectrumShorterThanTheFilterIsRefused) {
  struct Case {
    int points, averagePoints;
    bool refused;
  };
  const Case cases[] = {{6, 3, true}, {7, 3, false}, {2, 1, true}, {18, 9, true}};
  for (const Case& c : cases) {
    SetUp();
    Place(NoisyPeak(c.points));
    G.AveragePoints = static_cast<Byte>(c.averagePoints);
    if (c.refused) {
      plat::script::AnswerMessage(1);
    } else {
      Click("cmdOk31");
    }
    SmoothSpectrum(kW);
    plat::driver::Finish();
    EXPECT_EQ(Win[kW].SmoothCount, c.refused ? 0 : 1) << c.points;
    if (c.refused) {
      ASSERT_EQ(plat::MessagesShown().size(), 1u);
      for (int i = 1; i <= c.points; ++i)
        EXPECT_EQ(SlotData[kW](i, 1), spectrum_[i - 1]) << c.points << " point " << i;
    }
  }
}

TEST_F(FilterWindow, SeriesRunsWithoutAskingAndOtherModesDoNothing) {
  struct Case {
    int batchMode;
    bool applied;
  };
  const Case cases[] = {{1, true}, {2, false}};
  for (const Case& c : cases) {
    SetUp();
    Place(NoisyPeak(30));
    G.BatchMode = static_cast<Byte>(c.batchMode);
    DifferentiateSpectrum(kW);
    EXPECT_EQ(Win[kW].DerivativeCount, c.applied ? 1 : 0) << c.batchMode;
    EXPECT_EQ(SlotData[kW](15, 1) != spectrum_[14], c.applied) << c.batchMode;
    G.BatchMode = 0;
  }
}

TEST_F(FilterWindow, NothingWhileTheConfirmWindowIsBusy) {
  Place(NoisyPeak(30));
  G.DialogWindow3Busy = 1;
  SmoothSpectrum(kW);
  EXPECT_EQ(Win[kW].SmoothCount, 0);
  EXPECT_EQ(SlotData[kW](15, 1), spectrum_[14]);
  EXPECT_FALSE(plat::DialogWindowOpen(3));
}

TEST_F(FilterWindow, WindowClosedWhileThePageWaitsIsLeftAlone) {
  Place(NoisyPeak(30));
  plat::script::Run([] { plat::driver::CloseWindow(kW); }, "close the window");
  Click("cmdOk31");
  SmoothSpectrum(kW);
  EXPECT_FALSE(Win[kW].WindowOpen);
  EXPECT_EQ(Win[kW].SmoothCount, 0);
  for (int i = 1; i <= 30; ++i) EXPECT_EQ(SlotData[kW](i, 1), spectrum_[i - 1]) << i;
}

TEST_F(FilterWindow, AveragePointsZeroFiltersWithThreePoints) {
  Place(NoisyPeak(20));
  G.AveragePoints = 0;
  Click("cmdOk31");
  DifferentiateSpectrum(kW);
  ExpectColumn1(Filtered(FilterKind::Derivative, 1), "derivative with m 1");
}

}  // namespace
}  // namespace sorvan
