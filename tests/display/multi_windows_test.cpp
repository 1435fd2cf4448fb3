// Multi-spectrum windows: filling a window from its members, reversing the
// members, the shared unit and tick texts, and the rules of the views
// (colour ramp, label steps).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "display/multi_windows.h"
#include "display/redraw.h"
#include "display_fixture.h"

namespace sorvan {
namespace {

using displaytest::DisplayTest;
using displaytest::PlaceSpectrum;

constexpr int kView = 9;

// Three members in windows 1..3 of eight points each; member k holds
// 100 * k + i at point i, its axis runs from 10 * k to 1000 * k.
class MultiWindowTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    G.LabelTexts[150] = "Spectrum";
    for (int k = 1; k <= 3; ++k) {
      std::vector<double> v(8);
      for (int i = 1; i <= 8; ++i) v[i - 1] = 100.0 * k + i;
      PlaceSpectrum(k, v, 900, 0.5);
      WindowRecord& m = Win[k];
      m.SpectrumHeader.Name = "Spectrum " + std::to_string(k);
      m.SpectrumHeader.ShortName = std::string(1, char('A' + k - 1)) + "1s";
      m.YAxisBottom = 10.0 * k;
      m.YAxisTop = 1000.0 * k;
      m.SourcePath = "\\data\\series" + std::to_string(k) + ".vms";
      G.ChosenWindows[k] = k;
    }
    G.ChosenWindowCount = 3;
    Win[kView].WindowOpen = true;
    Win[kView].WindowKind = StackedCurves;
  }
};

TEST_F(MultiWindowTest, BuildCopiesTheFirstMemberAndSpansAllIntensityAxes) {
  WindowRecord& first = Win[1];
  first.SpectrumHeader.PassEnergy = 20;
  first.SpectrumHeader.Comment = "sputtered";
  first.EnergyShift = -0.7;
  first.RegionStart = 2;
  first.RegionEnd = 7;
  first.XAxisLeft = 590;
  first.XAxisSpan = 4;
  first.XTickCount = 4;
  G.GlobalEnergyOffset = 0.25;
  BuildMultiSpectrumWindow(kView);

  const WindowRecord& v = Win[kView];
  EXPECT_EQ(v.MemberCount, 3);
  EXPECT_EQ(v.MemberAxisTitle, "Spectrum");
  EXPECT_EQ(v.MultiPointCount, 8);
  EXPECT_EQ(v.MultiEnergyStep, 0.5);
  EXPECT_EQ(v.MultiStartEnergy, 900);
  EXPECT_EQ(v.MultiPassEnergy, 20);
  EXPECT_EQ(v.MultiComment, "sputtered");
  EXPECT_EQ(v.MultiEnergyShift, -0.7);
  EXPECT_EQ(G.MultiViewEnergyOffset, 0.25);
  EXPECT_EQ(v.MultiRegionStart, 2);
  EXPECT_EQ(v.MultiRegionEnd, 7);
  EXPECT_EQ(v.MultiXLeft, 590);
  EXPECT_EQ(v.XTickCount, 4);
  EXPECT_EQ(v.SourcePath, "\\data\\series1.vms");
  EXPECT_EQ(v.SpectrumHeader.PointCount, 8);
  // Smallest bottom and largest top of all members.
  EXPECT_EQ(v.MultiYBottom, 10);
  EXPECT_EQ(v.MultiYTop, 3000);
  EXPECT_EQ(v.YAxisBottom, 10);
  EXPECT_EQ(v.YAxisTop, 3000);
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(v.MemberWindow[k], k);
    EXPECT_EQ(v.MemberName[k], "Spectrum " + std::to_string(k));
  }
  EXPECT_EQ(SlotData[kView].RowUpper(), 8) << "the data matrix is sized and left empty";
}

TEST_F(MultiWindowTest, EqualAxesKeepTheFirstMembersEnds) {
  for (int k = 1; k <= 3; ++k) {
    Win[k].YAxisBottom = 50;
    Win[k].YAxisTop = 900;
  }
  BuildMultiSpectrumWindow(kView);
  EXPECT_EQ(Win[kView].MultiYBottom, 50);
  EXPECT_EQ(Win[kView].MultiYTop, 900);
}

TEST_F(MultiWindowTest, MemberLabelsComeFromTheShortNames) {
  struct Case {
    const char* shortName;
    std::string label;
    std::string labelDefault;
  };
  const Case cases[] = {
      {"", "2", ""},                       // the window number, the default stays empty
      {"Silicon oxide", "Silicon", "Silicon"},
      {"  Ag3d 5/2", "Ag3d", "Ag3d"},       // first seven characters, then trimmed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shortName);
    Win[2].SpectrumHeader.ShortName = c.shortName;
    BuildMultiSpectrumWindow(kView);
    EXPECT_EQ(Win[kView].MemberLabel[2], c.label);
    EXPECT_EQ(Win[kView].MemberLabelDefault[2], c.labelDefault);
  }
}

TEST_F(MultiWindowTest, MembersContributeSpectrumOrFittedSum) {
  struct Case {
    const char* what;
    Byte hasFit;
    Byte backgroundState;
    double expected;  // value of member 2 at point 4
  };
  const Case cases[] = {
      {"unfitted: the measured spectrum", 0, 0, 204},
      {"fitted: the sum curve", 1, 2, 40},
      {"fitted with the background: sum plus background", 1, 4, 40 + 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (int k = 1; k <= 3; ++k) {
      WindowRecord& m = Win[k];
      m.HasFit = c.hasFit;
      m.BackgroundState = c.backgroundState;
      m.PeakCount = 2;
      G.ComponentCount = 2;
      DimSlotComponents(k);
      for (int i = 1; i <= 8; ++i) {
        SlotComponents[k](i, 3) = 10.0 * i;  // the sum of two peaks
        SlotData[k](i, 2) = 7;
      }
    }
    BuildMultiSpectrumWindow(kView);
    EXPECT_EQ(SlotComponents[kView](4, 2), c.expected);
    EXPECT_EQ(MemberCurves(2, 4), c.expected);
  }
}

TEST_F(MultiWindowTest, ColumnsHoldZerosOutsideTheMembersOwnRegion) {
  Win[2].RegionStart = 3;
  Win[2].RegionEnd = 5;
  BuildMultiSpectrumWindow(kView);
  for (int i = 1; i <= 8; ++i) {
    const double expected = (i >= 3 && i <= 5) ? 200.0 + i : 0.0;
    EXPECT_EQ(SlotComponents[kView](i, 2), expected) << i;
    EXPECT_EQ(SlotComponents[kView](i, 3), 300.0 + i) << i;
  }
}

TEST_F(MultiWindowTest, ReversingTwiceRestoresTheOrder) {
  BuildMultiSpectrumWindow(kView);
  WindowRecord& v = Win[kView];
  v.MemberLabel[1] = "edited";
  ReverseMemberOrder(kView);
  const char* names[] = {"", "Spectrum 3", "Spectrum 2", "Spectrum 1"};
  const char* labels[] = {"", "C1s", "B1s", "edited"};
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(v.MemberName[k], names[k]);
    EXPECT_EQ(v.MemberLabel[k], labels[k]);
    EXPECT_EQ(v.MemberLabelDefault[k], labels[k]) << "an edited label becomes the default";
    EXPECT_EQ(v.MemberWindow[k], 4 - k);
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(SlotComponents[kView](i, k), 100.0 * (4 - k) + i);
  }
  EXPECT_EQ(v.MultiStartEnergy, 900) << "the first member's copies stay";

  ReverseMemberOrder(kView);
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(v.MemberName[k], "Spectrum " + std::to_string(k));
    EXPECT_EQ(v.MemberWindow[k], k);
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(MemberCurves(k, i), 100.0 * k + i);
  }
  EXPECT_EQ(v.MemberLabel[1], "edited");
}

TEST_F(MultiWindowTest, UnitFollowsTheMagnitudeOfTheTop) {
  struct Case {
    double top;
    Byte cps;
    const char* unit;
    const char* firstTick;
  };
  const Case cases[] = {
      {1000, 1, "cps", "1000"},
      {1000, 0, "Counts", "1000"},
      {1e6, 1, "kcps", "1000"},
      {1e6, 0, "kCounts", "1000"},
      {3e6, 0, "MCounts", " 3.0"},
      {0.5, 1, "mcps", " 500"},
      {0.0005, 0, "\u00B5" "Counts", " 500"},
  };
  Win[kView].YTickCount = 5;
  Win[kView].ShowYScale = 1;
  Win[kView].XTickCount = 4;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.top);
    G.CpsMode = c.cps;
    Win[kView].MultiYTop = c.top;
    Win[kView].MultiYBottom = 0;
    MakeMultiSpectrumUnitLabels(kView);
    EXPECT_EQ(Win[kView].IntensityUnit, c.unit);
    EXPECT_EQ(Win[kView].MultiYTitle, std::string("Intensity  / ") + c.unit) << "a blank before the slash";
    EXPECT_EQ(G.YTickText[0], c.firstTick);
    EXPECT_EQ(Win[kView].YAxisSpan, c.top);
  }
}

TEST_F(MultiWindowTest, IntensityTicksTakeTheDecimalsOfTheSecondTick) {
  WindowRecord& v = Win[kView];
  v.YTickCount = 5;
  v.ShowYScale = 1;
  v.MultiYBottom = 0;
  v.MultiYTop = 0.9;  // milli: second tick 0.72 -> 720, whole
  MakeMultiSpectrumUnitLabels(kView);
  EXPECT_EQ(G.YTickText[0], " 900");
  EXPECT_EQ(G.YTickText[5], "   0");
  v.MultiYTop = 1.5;  // plain: second tick 1.2 -> one decimal
  MakeMultiSpectrumUnitLabels(kView);
  EXPECT_EQ(G.YTickText[0], " 1.5");
  v.MultiYTop = 1.1;  // plain: second tick 0.88 -> two decimals
  MakeMultiSpectrumUnitLabels(kView);
  EXPECT_EQ(G.YTickText[1], "0.88");
  v.MultiYTop = 13;  // plain: second tick 10.4 -> one decimal
  MakeMultiSpectrumUnitLabels(kView);
  EXPECT_EQ(G.YTickText[1], "10.4");
}

TEST_F(MultiWindowTest, FixedTitleAndHiddenScale) {
  WindowRecord& v = Win[kView];
  v.YTickCount = 5;
  v.MultiYTop = 5000;
  v.YTitleFixed = 1;
  v.MultiYTitle = "my title";
  v.IntensityUnit = "my unit";
  MakeMultiSpectrumUnitLabels(kView);
  EXPECT_EQ(v.MultiYTitle, "my title");
  EXPECT_EQ(v.IntensityUnit, "my unit");

  v.YTitleFixed = 0;
  v.ShowYScale = 0;
  MakeMultiSpectrumUnitLabels(kView);
  for (int t = 0; t <= 5; ++t) EXPECT_EQ(G.YTickText[t], " ");
  EXPECT_EQ(v.IntensityUnit, "kCounts") << "unit and title are still set";
  EXPECT_EQ(v.MultiYTitle, "Intensity  / kCounts");
}

TEST_F(MultiWindowTest, EnergyTicksFallOnTheBindingScaleAndRiseOnTheKinetic) {
  struct Case {
    Byte mode;
    double left, span;
    int ticks;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {0, 300, 10, 5, {"300", "298", "296", "294", "292", "290"}},
      {1, 1180, 10, 4, {"1180.0", "1182.5", "1185.0", "1187.5", "1190.0"}},
      {0, 3, 1.5, 3, {"3.0", "2.5", "2.0", "1.5"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.left);
    G.EnergyAxisMode = c.mode;
    Win[kView].MultiXLeft = c.left;
    Win[kView].MultiXSpan = c.span;
    Win[kView].XTickCount = c.ticks;
    MakeMultiSpectrumUnitLabels(kView);
    for (int t = 0; t <= c.ticks; ++t) EXPECT_EQ(G.XTickText[t], c.texts[t]) << t;
  }
}

TEST(ColourRamp, LeadsFromTheBackgroundToTheCurveColourByThirds) {
  const int back = plat::RgbColour(10, 20, 30);
  const int curve = plat::RgbColour(250, 200, 150);
  struct Case {
    double v;
    int expected;
  };
  const Case cases[] = {
      {0, back},
      {300, curve},
      {100, plat::RgbColour(250, 20, 30)},    // one third: curve red, background green and blue
      {50, plat::RgbColour(130, 20, 30)},     // red halfway
      {150, plat::RgbColour(250, 110, 30)},   // green halfway
      {250, plat::RgbColour(250, 200, 90)},   // blue halfway
      {-100, plat::RgbColour((10 - 240) & 0xFF, 20, 30)},  // below the range: the red byte wraps
      {600, plat::RgbColour(250, 200, (30 + 120 * 4) & 0xFF)},
  };
  for (const Case& c : cases) EXPECT_EQ(ColourRampColour(c.v, 0, 300, back, curve), c.expected) << c.v;
  // A flat range counts as 1: no division by zero.
  EXPECT_EQ(ColourRampColour(5, 5, 0, back, curve), back);
  EXPECT_EQ(ColourRampColour(6, 5, 0, back, curve), curve);
}

TEST(LabelSteps, GrowWithTheMemberCount) {
  struct Case {
    int members, colourMap, stacked;
  };
  const Case cases[] = {{1, 1, 1},   {11, 1, 1},  {12, 1, 2},  {20, 1, 2},  {21, 2, 2},
                        {22, 2, 3},  {41, 4, 4},  {42, 4, 5},  {50, 4, 5},  {51, 4, 6},
                        {61, 6, 6},  {81, 8, 8},  {92, 8, 10}, {99, 8, 10}, {100, 10, 10}};
  for (const Case& c : cases) {
    EXPECT_EQ(ColourMapLabelStep(c.members), c.colourMap) << c.members;
    EXPECT_EQ(StackedLabelStep(c.members), c.stacked) << c.members;
  }
}

}  // namespace
}  // namespace sorvan
