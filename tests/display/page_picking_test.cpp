// Clicks in a spectrum window fill the dialog pages that wait for them: the
// line list, the scale page in its normalise mode, and the start values of
// single peaks and doublets. Stand-in pages carry the controls that the real
// pages create; the mouse is driven through the test driver while they wait.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/events.h"
#include "core/model.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/mouse.h"
#include "display/page_picking.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "display_fixture.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/loop.h"
#include "platform/mouse.h"
#include "platform/text.h"

namespace sorvan {
namespace {

namespace script = plat::script;

constexpr int kW = 6;
constexpr int kPoints = 501;
constexpr double kStep = 0.02;
constexpr double kExcitation = 1486.6;
constexpr int kPointAt28496 = 253;  // binding 290 - 252 * 0.02

class PagePicking : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();
    InitialiseModel();
    displaytest::SetPlotStyles();
    G.ScreenWidth = 1024;
    G.WorkAreaHeight = 700;
    G.ReadoutPrefix = "Cursor ";
    BuildEventRegistry();
    Open(kW);
  }
  void TearDown() override {
    plat::SetDrawingMainWindow();
    plat::driver::Finish();
  }

  // A ramp from 0 to 2000 counts, binding 290 eV down to 280 eV.
  static void Open(int w) {
    std::vector<double> v(kPoints);
    for (int i = 0; i < kPoints; ++i) v[i] = 4.0 * i;
    displaytest::PlaceSpectrum(w, v, kExcitation - 290, kStep, kExcitation);
    Win[w].SpectrumHeader.Name = "C 1s";
    Win[w].WindowOpen = false;
    OpenSpectrumWindow(w, "C 1s");
    RedrawWindow(w);
    LayOutSingleSpectrum(w);
    G.CurrentWindow = static_cast<Byte>(w);
  }

  // Pixel column where the pointer reads out point p (halfway to p - 1).
  static int ColumnOf(int p) {
    LayOutSingleSpectrum(kW);
    return static_cast<int>(std::lround(G.FirstPointX + (p - 1.5) * G.PixelsPerEnergy * kStep));
  }
  static int RowOf(double intensity) {
    int best = 0;
    for (int y = 1; y < 1000; ++y)
      if (std::fabs(IntensityAtRow(kW, y) - intensity) < std::fabs(IntensityAtRow(kW, best) - intensity))
        best = y;
    return best;
  }

  static void Click(int p, int y = 100, int button = plat::kLeftButton, int w = kW) {
    plat::driver::MouseDown(w, ColumnOf(p), y, button);
  }

  // Runs a stand-in page on dialog window n for window kW: `build` creates its
  // controls, `steps` queue what happens while it waits, and a last step
  // closes it.
  static void RunStandIn(int n, const std::function<void()>& build, const std::function<void()>& steps) {
    steps();
    script::Run([n] { ClosePage(n, 1); }, "close the page");
    PageSpec spec;
    spec.dialogWindow = n;
    spec.width = 40;
    spec.height = 20;
    spec.spectrumWindow = kW;
    spec.movePointer = false;
    ASSERT_TRUE(RunPage(spec, build));
  }

  static double Field(int n, const std::string& name, int index) {
    return plat::TextToNumber(plat::Text(n, name, index));
  }
};

// ---- Line list ----

std::vector<bool> Selection(int entries) {
  std::vector<bool> s;
  for (int i = 0; i < entries; ++i) s.push_back(plat::ItemSelected(kLinePageWindow, "lib231", plat::kNoIndex, i));
  return s;
}

TEST_F(PagePicking, LineListMarksTheLinesAtTheClickedEnergy) {
  struct Case {
    const char* what;
    Byte ownFile;
    std::vector<std::string> entries;
    std::vector<bool> selected;
  };
  const std::vector<Case> cases = {
      {"standard list: whole eV, 283.5 up to but not 285.5",
       0,
       {"283.4 C 1s", "283.5 C 1s", "284.0 C 1s", "285.49 C 1s", "285.5 C 1s", "290.0 K 2p"},
       {false, true, true, true, false, true}},
      {"own line file: the same tenth of an eV",
       1,
       {"284.9 a", "284.96 b", "285.04 c", "285.1 d", "290.0 e"},
       {false, true, true, false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    G.LinePickActive = 1;
    G.LineFilterOwnFile = c.ownFile;
    G.ListEntryCount = static_cast<Int16>(c.entries.size());
    const int last = static_cast<int>(c.entries.size()) - 1;
    RunStandIn(
        kLinePageWindow,
        [&] {
          PageList(kLinePageWindow, "lib231", plat::kNoIndex, 1, 1, 30, 10, true);
          for (const std::string& e : c.entries) plat::AddListItem(kLinePageWindow, "lib231", plat::kNoIndex, e);
          // Marked before: a click never deselects.
          plat::SetItemSelected(kLinePageWindow, "lib231", plat::kNoIndex, last, true);
        },
        [&] {
          script::Run([] { Click(kPointAt28496); }, "click at 284.96 eV");
          script::Run([] { EXPECT_DOUBLE_EQ(G.CursorEnergy, 284.96); });
          script::Run([&] { EXPECT_EQ(Selection(static_cast<int>(c.entries.size())), c.selected); });
          // While a page picks, clicks do not pick a region.
          script::Expect([] { return G.RegionPickState == 0; }, "no region pick");
        });
  }
}

TEST_F(PagePicking, LineListTakesOnlyTheLeftButtonAloneAndOnlyCountedEntries) {
  G.LinePickActive = 1;
  G.ListEntryCount = 1;  // the second entry is not part of the list yet
  RunStandIn(
      kLinePageWindow,
      [] {
        PageList(kLinePageWindow, "lib231", plat::kNoIndex, 1, 1, 30, 10, true);
        plat::AddListItem(kLinePageWindow, "lib231", plat::kNoIndex, "284.5 C 1s");
        plat::AddListItem(kLinePageWindow, "lib231", plat::kNoIndex, "284.6 C 1s");
      },
      [] {
        script::Run([] { Click(kPointAt28496, 100, plat::kRightButton); }, "right click");
        script::Run([] { EXPECT_EQ(Selection(2), (std::vector<bool>{false, false})); });
        script::Run([] { Click(kPointAt28496, 100, plat::kLeftButton | plat::kRightButton); }, "both");
        script::Run([] { EXPECT_EQ(Selection(2), (std::vector<bool>{false, false})); });
        script::Run([] { plat::driver::MouseMove(kW, ColumnOf(kPointAt28496), 100, plat::kLeftButton); },
                    "drag with the left button");
        script::Run([] { EXPECT_EQ(Selection(2), (std::vector<bool>{true, false})); });
      });
}

TEST_F(PagePicking, ChemicalStatePlotMarksThePointAtBothEnergies) {
  constexpr int kChem = 8;
  WindowRecord& win = Win[kChem];
  OpenSpectrumWindow(kChem, "Cu");
  win.WindowKind = ChemicalStatePlot;
  win.WindowOpen = true;
  win.ChemStateXMin = 930;
  win.ChemStateXMax = 936;
  win.ChemStateYMin = 914;
  win.ChemStateYMax = 920;
  win.ChemStatePointCount = 3;
  win.WindowPlotHeight = 300;
  win.SpectrumHeader.PointCount = 3;
  DimSlotData(kChem);
  G.LinePickActive = 1;
  G.ListEntryCount = 3;
  RunStandIn(
      kLinePageWindow,
      [] {
        PageList(kLinePageWindow, "lib231", plat::kNoIndex, 1, 1, 30, 10, true);
        for (const char* e : {"Cu", "Cu2O", "CuO"}) plat::AddListItem(kLinePageWindow, "lib231", plat::kNoIndex, e);
      },
      [&] {
        script::Run([] { plat::driver::MouseMove(8, 200, 150); }, "point at the plot");
        script::Run([&] {
          // Entry 2 lies at the pointer; 1 and 3 differ in one energy by 0.2 eV.
          const double b = G.CursorEnergy, k = G.CursorIntensity;
          const double points[3][2] = {{b + 0.2, k}, {b, k}, {b, k - 0.2}};
          for (int i = 1; i <= 3; ++i) {
            SlotData[kChem](i, 2) = points[i - 1][0];
            SlotData[kChem](i, 3) = points[i - 1][1];
          }
        });
        script::Run([] { plat::driver::MouseDown(8, 200, 150, plat::kLeftButton); }, "click");
        script::Run([] { EXPECT_EQ(Selection(3), (std::vector<bool>{false, true, false})); });
      });
}

// ---- Scale page ----

TEST_F(PagePicking, ScalePageTakesTheIntensityAndItsReciprocal) {
  G.LabelTexts[217] = "&Factor";
  G.LabelTexts[218] = "&Divide";
  G.LabelTexts[219] = "by the value";
  struct Case {
    const char* what;
    Byte mode;
    double counts;
    std::string caption;
    std::string reciprocal;
  };
  const std::vector<Case> cases = {
      {"divide by a picked point", 2, 1000, "Divide by the value E =  284.96 eV", " = " + plat::NumberToText(0.001)},
      {"factor and offset", 1, 500, "Factor by the value", " = " + plat::NumberToText(0.002)},
      {"another mode keeps the caption", 0, 250, "earlier caption", " = " + plat::NumberToText(0.004)},
      {"a zero intensity has no reciprocal", 2, 0, "Divide by the value E =  284.96 eV", " =  ----"},
  };
  G.PickToScalePage = 1;
  G.CommandId = 2930;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Win[kW].ScaleMode = c.mode;
    G.CaptionBuffer = "earlier caption";
    G.PickedChannel = 0;
    for (int i = 1; i <= kPoints; ++i) SlotData[kW](i, 1) = c.counts;
    RunStandIn(
        kScalePageWindow,
        [] {
          PageEdit(kScalePageWindow, "ed71", plat::kNoIndex, 1, 1, 10, 1.1, "");
          PageLabel(kScalePageWindow, "lb74", plat::kNoIndex, 1, 3, 30, 1, "");
          PageLabel(kScalePageWindow, "lb75", plat::kNoIndex, 1, 5, 30, 1, "");
        },
        [&] {
          script::Run([] { Click(kPointAt28496); }, "click");
          script::Run([&] {
            EXPECT_EQ(Field(kScalePageWindow, "ed71", plat::kNoIndex), c.counts);
            EXPECT_EQ(plat::Text(kScalePageWindow, "lb74"), c.caption);
            EXPECT_EQ(plat::Text(kScalePageWindow, "lb75"), c.reciprocal);
            EXPECT_DOUBLE_EQ(G.PickedEnergy, 284.96);
            EXPECT_EQ(G.PickedChannel, c.mode == 2 ? kPointAt28496 : 0);
          });
        });
  }
}

TEST_F(PagePicking, ScalePageFillsOnlyForTheNormaliseCommand) {
  G.PickToScalePage = 1;
  G.CommandId = 2900;
  RunStandIn(
      kScalePageWindow,
      [] {
        PageEdit(kScalePageWindow, "ed71", plat::kNoIndex, 1, 1, 10, 1.1, "7");
        PageLabel(kScalePageWindow, "lb74", plat::kNoIndex, 1, 3, 30, 1, "");
        PageLabel(kScalePageWindow, "lb75", plat::kNoIndex, 1, 5, 30, 1, "");
      },
      [] {
        script::Run([] { Click(kPointAt28496); }, "click");
        script::Run([] { EXPECT_EQ(plat::Text(kScalePageWindow, "ed71"), "7"); });
      });
}

// ---- Start values of single peaks ----

void BuildPeakGrid(int peaks) {
  for (int i = 0; i < 5 * peaks; ++i) PageEdit(kPeakStartPageWindow, "ed141", i, 1 + i, 1, 1, 1.1, "");
}

TEST_F(PagePicking, PeakStartClicksFillTheRowsInTurnAndWrap) {
  Win[kW].PeakCount = 3;
  G.PeakStartPickActive = 1;
  G.LoopIndexB = 0;
  plat::ClearSleepLog();
  const int points[4] = {100, 200, 300, 400};
  RunStandIn(
      kPeakStartPageWindow, [] { BuildPeakGrid(3); },
      [&] {
        for (int k = 0; k < 4; ++k) {
          script::Run([&, k] { Click(points[k], RowOf(600 + 100 * k)); }, "click");
          script::Run([&, k] {
            const int row = k % 3;
            EXPECT_NEAR(Field(kPeakStartPageWindow, "ed141", 5 * row), 600 + 100 * k, 5);
            EXPECT_DOUBLE_EQ(Field(kPeakStartPageWindow, "ed141", 5 * row + 2), G.CursorEnergy);
          });
        }
        // A click in another window, or with another button, fills nothing.
        script::Run([] { Open(7); }, "open window 7");
        script::Run([] { Click(50, 100, plat::kLeftButton, 7); }, "click in window 7");
        script::Run([] { Click(50, 100, plat::kRightButton, kW); }, "right click");
        script::Run([] { EXPECT_EQ(G.LoopIndexB, 1); });
      });
  int picks = 0;
  for (int ms : plat::SleepLog()) picks += ms == 165;
  EXPECT_EQ(picks, 4);
}

TEST_F(PagePicking, PeakStartHeightIsCountedAboveADefinedBackground) {
  Win[kW].PeakCount = 2;
  Win[kW].BackgroundState = 2;
  for (int i = 1; i <= kPoints; ++i) SlotData[kW](i, 2) = 300;
  LoadWorkBackground(kW, 2, 1, kPoints);
  G.PeakStartPickActive = 1;
  G.LoopIndexB = 0;
  RunStandIn(
      kPeakStartPageWindow, [] { BuildPeakGrid(2); },
      [] {
        script::Run([] { Click(100, RowOf(900)); }, "click");
        script::Run([] { EXPECT_NEAR(Field(kPeakStartPageWindow, "ed141", 0), 600, 5); });
      });
}

// ---- Start values of doublets ----

void BuildDoubletGrid(int peaks) {
  for (int i = 0; i < 10 * peaks; ++i) PageEdit(kDoubletStartPageWindow, "ed151", i, 1 + i, 1, 1, 1.1, "");
}

TEST_F(PagePicking, DoubletStartFillsLineAndPartnerFromTheDoubletTable) {
  struct Case {
    const char* what;
    Byte axis;      // 0 binding, 1 kinetic
    Byte relative;  // peak mode
    double partnerHeightRow1;  // factor of the height (absolute) or the ratio itself
    double partnerPositionRow1;  // offset from the position (absolute) or the field itself
  };
  const std::vector<Case> cases = {
      {"absolute, binding scale", 0, 0, 0.5, 1.25},
      {"absolute, kinetic scale", 1, 0, 0.5, -1.25},
      {"relative, binding scale", 0, 1, 0.5, 1.25},
      {"relative, kinetic scale: the splitting reversed", 1, 1, 0.5, -1.25},
  };
  G.CurrentDoubletRatio = 0.5;
  G.CurrentDoubletSplitting = 1.25;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    G.EnergyAxisMode = c.axis;
    Open(kW);
    Win[kW].PeakCount = 2;
    Win[kW].RelativeMode = c.relative;
    G.DoubletStartPickActive = 1;
    G.RowIndex = 0;
    // The height is read with the plot top 10 pixels below the window top.
    const auto heightAt = [](int y) {
      const WindowRecord& win = Win[kW];
      return win.YAxisTop - (y - 10) * (win.YAxisTop - win.YAxisBottom) / win.WindowPlotHeight;
    };
    RunStandIn(
        kDoubletStartPageWindow, [] { BuildDoubletGrid(2); },
        [&] {
          script::Run([] { Click(100, 120); }, "first doublet");
          script::Run([&] {
            const double e = G.CursorEnergy, h = heightAt(120);
            EXPECT_NEAR(Field(kDoubletStartPageWindow, "ed151", 0), h, 1e-3 * h);
            if (c.relative == 1) {
              EXPECT_DOUBLE_EQ(Field(kDoubletStartPageWindow, "ed151", 1), c.partnerHeightRow1);
              EXPECT_DOUBLE_EQ(Field(kDoubletStartPageWindow, "ed151", 5), c.partnerPositionRow1);
            } else {
              EXPECT_NEAR(Field(kDoubletStartPageWindow, "ed151", 1), h * c.partnerHeightRow1, 1e-3 * h);
              EXPECT_NEAR(Field(kDoubletStartPageWindow, "ed151", 5), e + c.partnerPositionRow1, 1e-9);
            }
            EXPECT_DOUBLE_EQ(Field(kDoubletStartPageWindow, "ed151", 4), e);
          });
          script::Run([] { Click(200, 200); }, "second doublet");
          script::Run([&] {
            const double e = G.CursorEnergy;
            const double first = Field(kDoubletStartPageWindow, "ed151", 0);
            const double firstE = Field(kDoubletStartPageWindow, "ed151", 4);
            if (c.relative == 1) {
              // Relative to the first doublet: height ratio and distance.
              EXPECT_NEAR(Field(kDoubletStartPageWindow, "ed151", 10), heightAt(200) / first, 1e-4);
              EXPECT_NEAR(Field(kDoubletStartPageWindow, "ed151", 14), std::floor((e - firstE) * 100 + 0.5) / 100,
                          1e-9);
              EXPECT_DOUBLE_EQ(Field(kDoubletStartPageWindow, "ed151", 11), 0.5);
            } else {
              EXPECT_DOUBLE_EQ(Field(kDoubletStartPageWindow, "ed151", 14), e);
            }
            EXPECT_EQ(G.RowIndex, 0) << "the next click fills the first doublet again";
          });
        });
  }
}

}  // namespace
}  // namespace sorvan
