// Removal of the X-ray satellites of a window: a spectrum built from a known
// line and known satellites gives the line back; the anode follows the
// excitation energy; Cancel changes nothing; a retained background stays;
// without a background the whole spectrum is given back; page 30x edits
// and chooses the presets.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
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
#include "platform/recording_canvas.h"
#include "platform/surfaces.h"
#include "processing/kernels/backgrounds.h"
#include "processing/satellite_removal.h"
#include "processing/kernels/satellites.h"

namespace sorvan {
namespace {

constexpr int kW = 6;
constexpr int kN = 120;
constexpr double kStep = 0.5;

using plat::script::Click;
using plat::script::Expect;
using plat::script::Key;
using plat::script::KeyCode;

struct Lines {
  std::array<double, 5> offset, intensity;
};
// Offsets in eV (shifts of 8, 10, 20, 24 and 60 points at 0.5 eV).
const Lines kAl = {{4.0, 5.0, 10.0, 12.0, 30.0}, {0.064, 0.032, 0.004, 0.003, 0.0055}};
const Lines kMg = {{3.0, 4.5, 8.0, 10.0, 25.0}, {0.08, 0.041, 0.0055, 0.0045, 0.005}};

// A line at point 30 on zero.
std::vector<double> Parent() {
  std::vector<double> p(kN + 1, 0.0);
  for (int i = 1; i <= kN; ++i) {
    const double x = (i - 30) / 2.5;
    p[i] = 5000 * std::exp(-x * x);
  }
  return p;
}

// The satellites of p for the given lines: at t, each line's replica of the
// parent point t - shift.
std::vector<double> SatellitesOf(const std::vector<double>& p, const Lines& lines) {
  std::vector<double> c(kN + 1, 0.0);
  for (int t = 1; t <= kN; ++t)
    for (int k = 0; k < 5; ++k) {
      const int i = t - static_cast<int>(std::lround(lines.offset[k] / kStep));
      if (i >= 1) c[t] += lines.intensity[k] * p[i];
    }
  return c;
}

class SatelliteWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();
    InitialiseModel();
    displaytest::SetPlotStyles();
    G.ScreenWidth = 1024;
    G.WorkAreaHeight = 700;
    G.CharWidth = 8;
    G.CharHeight = 16;
    G.AveragePoints = 1;
    G.MessageTexts[8] = "Derivative";
    G.MessageTexts[9] = "Smoothing";
    G.MessageTexts[10] = "Satellite removal";
    G.MessageTexts[11] = "Averaging points";
    G.MessageTexts[12] = "Excitation energy";
    G.MessageTexts[37] = "Intensity ";
    G.MessageTexts[39] = "Position";
    G.LabelTexts[52] = "&Satellites";
    for (int j = 1; j <= 5; ++j) G.LabelTexts[52 + j] = "Line " + std::to_string(j);
    G.LabelTexts[58] = "Preset";
    G.ButtonTexts[1] = "Cancel";
    G.ButtonTexts[2] = "OK";
    BuildEventRegistry();
    for (int w = 1; w <= kMaxWindows; ++w)
      for (int k = 1; k <= 5; ++k) {
        Win[w].AlSatOffset[k] = kAl.offset[k - 1];
        Win[w].AlSatIntensity[k] = kAl.intensity[k - 1];
        Win[w].MgSatOffset[k] = kMg.offset[k - 1];
        Win[w].MgSatIntensity[k] = kMg.intensity[k - 1];
      }
    parent_ = Parent();
  }
  void TearDown() override {
    plat::SetDrawingMainWindow();
    plat::driver::Finish();
  }

  // Places parent + satellites of `lines` (+ `base` everywhere) in the window.
  void Place(double hv, const Lines& lines, double base = 0) {
    satellites_ = SatellitesOf(parent_, lines);
    measured_.assign(kN + 1, 0.0);
    std::vector<double> values;
    for (int i = 1; i <= kN; ++i) {
      measured_[i] = parent_[i] + satellites_[i] + base;
      values.push_back(measured_[i]);
    }
    displaytest::PlaceSpectrum(kW, values, 900, kStep, hv);
    Win[kW].WindowOpen = false;
    OpenSpectrumWindow(kW, "Cu 2p");
    G.CurrentWindow = kW;
  }

  static double Column(int c, int i) { return SlotData[kW](i, c); }

  std::vector<double> parent_, satellites_, measured_;
};

TEST_F(SatelliteWindow, OkRemovesTheSatellitesOfTheWindowsAnode) {
  struct Case {
    const char* what;
    double hv;
    const char* hvText;
    const Lines* lines;  // those the spectrum was built with
    bool removed;        // the anode's table applies
  };
  const Case cases[] = {
      {"aluminium", 1486.6, "1486.6", &kAl, true},
      {"magnesium", 1253.6, "1253.6", &kMg, true},
      {"neither anode", 1500.0, "1500", &kAl, false},
  };
  for (const Case& c : cases) {
    SetUp();
    Place(c.hv, *c.lines);
    Expect([] { return Win[kW].SatelliteState == 2; }, "preview while the page is open");
    Expect([] { return plat::DialogCaption(3) == "Satellite removal"; }, "caption");
    const std::string label = std::string("Excitation energy = ") + c.hvText + " eV";
    Expect([label] { return plat::Text(3, "lb31") == label; }, "label " + label);
    Click("cmdOk31");
    RemoveXraySatellites(kW);
    plat::driver::Finish();
    EXPECT_EQ(Win[kW].SatelliteState, 1) << c.what;
    EXPECT_EQ(Win[kW].BackgroundState, 0) << c.what;
    for (int i = 1; i <= kN; ++i) {
      const double s = c.removed ? satellites_[i] : 0.0;
      EXPECT_NEAR(Column(3, i), s, 1e-6) << c.what << " point " << i;
      EXPECT_NEAR(Column(1, i), measured_[i] - s, 1e-6) << c.what << " point " << i;
      EXPECT_EQ(Column(2, i), 0.0) << c.what << " point " << i;
    }
  }
}

TEST_F(SatelliteWindow, CancelLeavesEverythingAsBefore) {
  struct Case {
    int backgroundState;
    double background;  // column 2
  };
  const Case cases[] = {{0, 0.0}, {2, 40.0}, {1, 25.0}};
  for (const Case& c : cases) {
    SetUp();
    Place(1486.6, kAl, c.background);
    for (int i = 1; i <= kN; ++i) SlotData[kW](i, 2) = c.background;
    Win[kW].BackgroundState = static_cast<Byte>(c.backgroundState);
    Key(KeyCode::Esc);
    RemoveXraySatellites(kW);
    plat::driver::Finish();
    EXPECT_EQ(Win[kW].SatelliteState, 0) << c.backgroundState;
    EXPECT_EQ(Win[kW].BackgroundState, c.backgroundState);
    for (int i = 1; i <= kN; ++i) {
      EXPECT_NEAR(Column(1, i), measured_[i], 1e-9) << c.backgroundState << " point " << i;
      EXPECT_EQ(Column(2, i), c.background) << c.backgroundState << " point " << i;
      EXPECT_EQ(Column(3, i), 0.0) << c.backgroundState << " point " << i;
    }
  }
}

TEST_F(SatelliteWindow, RetainedBackgroundIsLeftOutOfTheSatellitesAndKept) {
  Place(1486.6, kAl, 70.0);
  for (int i = 1; i <= kN; ++i) SlotData[kW](i, 2) = 70.0;
  Win[kW].BackgroundState = 2;
  Click("cmdOk31");
  RemoveXraySatellites(kW);
  EXPECT_EQ(Win[kW].BackgroundState, 2);
  for (int i = 1; i <= kN; ++i) {
    EXPECT_NEAR(Column(3, i), satellites_[i], 1e-6) << i;
    EXPECT_NEAR(Column(1, i), parent_[i] + 70.0, 1e-6) << i;
    EXPECT_EQ(Column(2, i), 70.0) << i;
  }
}

TEST_F(SatelliteWindow, PartialRegionWithoutBackgroundKeepsThePointsOutsideIt) {
  Place(1486.6, kAl, 100.0);
  Win[kW].RegionStart = 11;
  Win[kW].RegionEnd = 110;
  Win[kW].RegionLength = 100;
  Click("cmdOk31");
  RemoveXraySatellites(kW);
  EXPECT_EQ(Win[kW].SatelliteState, 1);
  EXPECT_EQ(Win[kW].BackgroundState, 0);
  for (int i = 1; i <= kN; ++i) {
    const bool inside = i >= 11 && i <= 110;
    EXPECT_EQ(Column(2, i), 0.0) << i;
    if (!inside) {
      EXPECT_EQ(Column(1, i), measured_[i]) << i;
      EXPECT_EQ(Column(3, i), 0.0) << i;
    } else {
      EXPECT_NEAR(Column(1, i) + Column(3, i), measured_[i], 1e-9) << i;
    }
  }
  // The flat 100 is the temporary background: the satellites are those of
  // the line alone.
  for (int i = 40; i <= 100; ++i) EXPECT_NEAR(Column(3, i), satellites_[i], 1e-6) << i;
}

TEST_F(SatelliteWindow, SeriesRemovesWithoutAskingWhateverTheLastBackgroundRunLeft) {
  struct Case {
    const char* what;
    int passTarget;     // further Shirley passes of the last interactive run
    int templateState;  // background state of the series' template window
    double workSigma;   // what the scratch vector holds beforehand
  };
  const Case cases[] = {
      {"fresh", 0, 0, 0.0},
      {"after a refined Shirley", 4, 0, 0.0},
      {"template kept its background", 0, 2, 0.0},
      {"scratch left non-zero", 0, 0, 123.0},
  };
  for (const Case& c : cases) {
    SetUp();
    Place(1253.6, kMg, 15.0);
    G.ShirleyPassTarget = static_cast<Int16>(c.passTarget);
    G.SeriesTemplateWindow = 2;
    Win[2].BackgroundState = static_cast<Byte>(c.templateState);
    WorkSigma.Resize(kN + 1);
    WorkSigma.fill(c.workSigma);
    G.BatchMode = 1;
    RemoveXraySatellites(kW);
    G.BatchMode = 0;
    EXPECT_EQ(Win[kW].SatelliteState, 1) << c.what;
    EXPECT_EQ(Win[kW].BackgroundState, 0) << c.what;
    for (int i = 1; i <= kN; ++i) {
      EXPECT_NEAR(Column(1, i), parent_[i] + 15.0, 1e-6) << c.what << " point " << i;
      EXPECT_NEAR(Column(3, i), satellites_[i], 1e-6) << c.what << " point " << i;
      EXPECT_EQ(Column(2, i), 0.0) << c.what << " point " << i;
    }
  }
}

TEST_F(SatelliteWindow, TemporaryShirleyMakesThePassesOfTheBackgroundCommand) {
  // The satellites are those of the spectrum less a Shirley background made
  // with the first pass and the further passes of the last background run.
  std::vector<double> byTarget[2];
  const int targets[2] = {0, 2};
  for (int t = 0; t < 2; ++t) {
    SetUp();
    G.AveragePoints = 3;
    // The line and its satellites on a step that follows the line.
    satellites_ = SatellitesOf(parent_, kAl);
    std::vector<double> values;
    double above = 0, total = 0;
    for (int i = 1; i <= kN; ++i) total += parent_[i];
    for (int i = kN; i >= 1; --i) {
      above += parent_[i];
      values.insert(values.begin(), parent_[i] + satellites_[i] + 200 + 800 * above / total);
    }
    displaytest::PlaceSpectrum(kW, values, 900, kStep, 1486.6);
    Win[kW].WindowOpen = false;
    OpenSpectrumWindow(kW, "Cu 2p");
    G.CurrentWindow = kW;
    G.ShirleyPassTarget = static_cast<Int16>(targets[t]);

    // What the background command would subtract in a series, and the
    // satellites of what is left.
    std::vector<double> y(kN + 1, 0.0), b(kN + 1, 0.0), sigma(kN + 2, 0.0), s(kN + 1, 0.0);
    for (int i = 1; i <= kN; ++i) y[i] = values[i - 1];
    const EndLevels ends = AverageEnds(y, 1, kN, 3);
    FillFlat(b, 1, kN, ends.right);
    for (int pass = 0; pass <= targets[t]; ++pass) ShirleyPass(y, b, sigma, 1, kN, ends.left, ends.right);
    for (int i = 1; i <= kN; ++i) y[i] -= b[i];
    std::array<int, kSatelliteLines> shift{};
    std::array<double, kSatelliteLines> intensity{};
    for (int k = 0; k < kSatelliteLines; ++k) {
      shift[k] = SatelliteShift(kAl.offset[k], kStep, kN);
      intensity[k] = kAl.intensity[k];
    }
    AccumulateSatellites(y, s, shift, intensity);

    Click("cmdOk31");
    RemoveXraySatellites(kW);
    EXPECT_EQ(G.ShirleyPassTarget, targets[t]);
    EXPECT_EQ(Win[kW].BackgroundState, 0);
    for (int i = 1; i <= kN; ++i) {
      EXPECT_NEAR(Column(3, i), s[i], 1e-9 * std::fabs(s[i]) + 1e-9) << targets[t] << " point " << i;
      EXPECT_NEAR(Column(1, i) + Column(3, i), values[i - 1], 1e-9) << targets[t] << " point " << i;
    }
    byTarget[t].assign(s.begin(), s.end());
  }
  // The passes matter for this spectrum: the satellite curves differ.
  double largest = 0, difference = 0;
  for (int i = 1; i <= kN; ++i) {
    largest = std::max(largest, std::fabs(byTarget[0][i]));
    difference = std::max(difference, std::fabs(byTarget[0][i] - byTarget[1][i]));
  }
  EXPECT_GT(difference, 0.01 * largest);
}

TEST_F(SatelliteWindow, RefusedWithoutAnEnergyStepOrWhileWindow3IsBusy) {
  struct Case {
    double step;
    int busy;
    bool message;
  };
  const Case cases[] = {{0.0, 0, true}, {-0.5, 0, true}, {kStep, 1, false}};
  for (const Case& c : cases) {
    SetUp();
    Place(1486.6, kAl);
    Win[kW].SpectrumHeader.EnergyStep = c.step;
    G.DialogWindow3Busy = static_cast<Byte>(c.busy);
    if (c.message) plat::script::AnswerMessage(1);
    RemoveXraySatellites(kW);
    plat::driver::Finish();
    EXPECT_EQ(plat::MessagesShown().size(), c.message ? 1u : 0u) << c.step;
    EXPECT_EQ(Win[kW].SatelliteState, 0) << c.step;
    for (int i = 1; i <= kN; ++i) {
      EXPECT_EQ(Column(1, i), measured_[i]) << c.step << " point " << i;
      EXPECT_EQ(Column(3, i), 0.0) << c.step << " point " << i;
    }
  }
}

TEST_F(SatelliteWindow, PreviewDrawsTheSatelliteCurveUntilAnswered) {
  for (bool ok : {false, true}) {
    SetUp();
    Place(1486.6, kAl);
    plat::RecordingCanvas canvas(640, 420, plat::RecordingCanvas::Metrics::Fixed);
    plat::SetRecordingCanvas(kW, &canvas);
    constexpr int kSatelliteColour = 0x00AA00;
    G.CurveColours[2] = kSatelliteColour;
    auto satelliteLines = [&canvas] {
      int n = 0;
      for (const plat::DrawCall& c : canvas.CallsOf(plat::DrawCall::Kind::Line))
        n += c.state.colour == kSatelliteColour;
      return n;
    };
    int preview = 0;
    plat::script::Run([&] {
      preview = satelliteLines();
      canvas.Clear();
    }, "count the preview");
    Click(ok ? "cmdOk31" : "cmdCancel32");
    RemoveXraySatellites(kW);
    plat::SetRecordingCanvas(kW, nullptr);
    EXPECT_GT(preview, 0) << ok;
    EXPECT_EQ(satelliteLines(), 0) << "redrawn without the preview " << ok;
  }
}

TEST_F(SatelliteWindow, WindowClosedWhileThePageWaitsGetsItsValuesBack) {
  Place(1486.6, kAl, 30.0);
  plat::script::Run([] { plat::driver::CloseWindow(kW); }, "close the window");
  Click("cmdOk31");
  RemoveXraySatellites(kW);
  EXPECT_FALSE(Win[kW].WindowOpen);
  EXPECT_EQ(Win[kW].SatelliteState, 0);
  for (int i = 1; i <= kN; ++i) {
    EXPECT_NEAR(Column(1, i), measured_[i], 1e-9) << i;
    EXPECT_EQ(Column(2, i), 0.0) << i;
    EXPECT_EQ(Column(3, i), 0.0) << i;
  }
}

// ---- Page 30x ----

class SatellitePage : public SatelliteWindow {
 protected:
  void SetUp() override {
    SatelliteWindow::SetUp();
    for (int s = 1; s <= 5; ++s)
      for (int j = 1; j <= 5; ++j) {
        G.AlSatOffsetPresets[j][s] = 10 * s + j;
        G.AlSatIntensityPresets[j][s] = 0.01 * s + 0.001 * j;
        G.MgSatOffsetPresets[j][s] = 100 * s + j;
        G.MgSatIntensityPresets[j][s] = 0.1 * s + 0.01 * j;
      }
    G.AlSatellitePreset = 4;
    G.MgSatellitePreset = 2;
    ApplyAlSatellitePreset(4);
    ApplyMgSatellitePreset(2);
    G.DialogResult = 77;
  }
  static int Entry(int s, int j) { return (s - 1) * 5 + j - 1; }
};

TEST_F(SatellitePage, ShowsTheMaterialsPresetsAndThePresetInUse) {
  Expect([] { return plat::DialogCaption(30) == "Satellites"; }, "caption without '&'");
  Expect([] { return G.DialogResult == 77; }, "result untouched on entry");
  Expect([] { return plat::Text(30, "ed302", Entry(3, 2)) == "302"; }, "Mg offset [2, 3]");
  Expect([] { return plat::Text(30, "ed301", Entry(5, 1)) == "0.51"; }, "Mg intensity [1, 5]");
  Expect([] { return plat::Value(30, "opt301", 2) != 0 && plat::Value(30, "opt301", 4) == 0; },
         "preset 2 ticked");
  Expect([] { return plat::Text(30, "lb302", 4) == "Line 5"; }, "name of line 5");
  Key(KeyCode::Esc);
  G.CommandId = 1;
  ShowSatellitePresetPage(G.CommandId);
  EXPECT_EQ(G.DialogResult, 2);
}

TEST_F(SatellitePage, LayoutInCharacterCells) {
  G.DialogLeft = 40;
  G.DialogTop = 30;
  Expect([] {
    const plat::WindowRect r = plat::DialogWindowRect(30);
    if (r.width != 79 * 8 || r.height != 18 * 16) return false;
    int px = 0, py = 0;
    plat::LastPointerMove(px, py);
    if (px != G.DialogLeft + 60 || py != G.DialogTop + 266) return false;  // 7.5, 16.6 cells
    int found = 0;
    for (const plat::ControlInfo& c : plat::Controls(30)) {
      // Preset 3's option, preset 2's offset of line 4, the OK button.
      if (c.name == "opt301" && c.index == 3 && c.x == 42 * 8 && c.y == 8) ++found;
      if (c.name == "ed302" && c.index == Entry(2, 4) && c.x == 30 * 8 && c.y == 162 &&
          c.width == 11 * 8)
        ++found;
      if (c.name == "ed301" && c.index == Entry(1, 1) && c.hasFocus) ++found;
      if (c.name == "cmdOk301" && c.isDefault && c.x == 8 && c.y == 240) ++found;
    }
    return found == 4;
  }, "window, controls and pointer in cells");
  Click("cmdCancel302");
  ShowSatellitePresetPage(0);
}

TEST_F(SatellitePage, OkStoresTheTablesAndAppliesTheTickedPreset) {
  struct Case {
    const char* what;
    int material;
    int tick;            // preset ticked on the page (0: leave as shown)
    int storedPreset;    // preset in use when the page opens
    int expectedPreset;  // preset in use afterwards
  };
  const Case cases[] = {
      {"choose preset 3", 0, 3, 4, 3},
      {"edit while preset 4 stays", 0, 0, 4, 4},
      {"magnesium preset 5", 1, 5, 2, 5},
      {"no valid preset ticks none", 0, 0, 7, 7},
  };
  for (const Case& c : cases) {
    SetUp();
    if (c.material == 0) G.AlSatellitePreset = static_cast<Int16>(c.storedPreset);
    const Table<double, 5> alBefore = Win[9].AlSatOffset;
    const Table<double, 5> mgBefore = Win[9].MgSatOffset;
    // Preset 2, line 3 edited with a decimal comma; preset 3, line 1 too.
    plat::script::SetText("ed301", Entry(2, 3), "0,25");
    plat::script::SetText("ed302", Entry(2, 3), "7,5");
    plat::script::SetText("ed302", Entry(3, 1), "9,75");
    if (c.tick != 0) plat::script::SetValue("opt301", c.tick, 1);
    Click("cmdOk301");
    G.CommandId = static_cast<Int16>(c.material);
    ShowSatellitePresetPage(G.CommandId);
    plat::driver::Finish();
    EXPECT_EQ(G.DialogResult, 1) << c.what;
    auto& offset = c.material == 0 ? G.AlSatOffsetPresets : G.MgSatOffsetPresets;
    auto& intensity = c.material == 0 ? G.AlSatIntensityPresets : G.MgSatIntensityPresets;
    auto& other = c.material == 0 ? G.MgSatOffsetPresets : G.AlSatOffsetPresets;
    EXPECT_DOUBLE_EQ(intensity[3][2], 0.25) << c.what;
    EXPECT_DOUBLE_EQ(offset[3][2], 7.5) << c.what;
    EXPECT_DOUBLE_EQ(offset[1][3], 9.75) << c.what;
    EXPECT_DOUBLE_EQ(offset[2][5], c.material == 0 ? 52 : 502) << c.what << " unedited";
    EXPECT_DOUBLE_EQ(other[3][2], c.material == 0 ? 203 : 23) << c.what << " other material";
    const Int16 preset = c.material == 0 ? G.AlSatellitePreset : G.MgSatellitePreset;
    EXPECT_EQ(preset, c.expectedPreset) << c.what;
    for (int w : {1, 9, 100}) {
      for (int j = 1; j <= 5; ++j) {
        const auto& own = c.material == 0 ? Win[w].AlSatOffset : Win[w].MgSatOffset;
        const auto& ownI = c.material == 0 ? Win[w].AlSatIntensity : Win[w].MgSatIntensity;
        if (c.tick != 0) {
          EXPECT_DOUBLE_EQ(own[j], offset[j][c.tick]) << c.what << " window " << w;
          EXPECT_DOUBLE_EQ(ownI[j], intensity[j][c.tick]) << c.what << " window " << w;
        } else {
          EXPECT_DOUBLE_EQ(own[j], (c.material == 0 ? alBefore : mgBefore)[j]) << c.what;
        }
        const auto& otherOwn = c.material == 0 ? Win[w].MgSatOffset : Win[w].AlSatOffset;
        EXPECT_DOUBLE_EQ(otherOwn[j], (c.material == 0 ? mgBefore : alBefore)[j]) << c.what;
      }
    }
  }
}

TEST_F(SatellitePage, CancelStoresNothing) {
  const auto before = G.AlSatOffsetPresets;
  plat::script::SetText("ed302", Entry(1, 1), "123");
  plat::script::SetValue("opt301", 1, 1);
  Click("cmdCancel302");
  G.CommandId = 0;
  ShowSatellitePresetPage(G.CommandId);
  EXPECT_EQ(G.DialogResult, 2);
  EXPECT_EQ(G.AlSatOffsetPresets, before);
  EXPECT_EQ(G.AlSatellitePreset, 4);
}

}  // namespace
}  // namespace sorvan
