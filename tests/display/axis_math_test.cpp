// Window places, axis ends, tick counts, units and tick texts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "display/axis_math.h"

namespace sorvan {
namespace {

TEST(DefaultWindowPlace, BlocksOfThirty) {
  struct Case {
    int window;
    int left, top;
  };
  const int W = 1024, H = 700;
  const Case cases[] = {
      {1, 0, 0},     {31, 0, 0},     {61, 0, 0},     {91, 0, 0},     {2, 512, 0},
      {3, 0, 350},   {4, 512, 350},  {34, 512, 350}, {64, 512, 350}, {94, 512, 350},
      {6, 39, 27},   {5, 20, 13},    {30, 512, 350}, {100, 118, 81},
  };
  for (const Case& c : cases) {
    const WindowPlace p = DefaultWindowPlace(c.window, W, H);
    EXPECT_EQ(p.left, c.left) << "window " << c.window;
    EXPECT_EQ(p.top, c.top) << "window " << c.window;
    EXPECT_EQ(p.width, 512);
    EXPECT_EQ(p.height, 350);
  }
}

TEST(DefaultWindowPlace, HalvesRoundToEven) {
  const WindowPlace p = DefaultWindowPlace(2, 1365, 1001);
  EXPECT_EQ(p.width, 682);   // 682.5
  EXPECT_EQ(p.height, 500);  // 500.5
  EXPECT_EQ(p.left, 682);
}

TEST(EnergyAxis, WorkedCases) {
  struct Case {
    double first, last;
    bool binding, multi;
    double left, right, span;
    int ticks;
  };
  const Case cases[] = {
      // binding 296.15 .. 284.62: ends 297 and 284, span 13 widened to 14
      {296.15, 284.62, true, false, 297, 283, 14, 7},
      // kinetic: an excess of 0.004 eV over a whole number is ignored
      {1190.0003, 1191.004, false, false, 1190, 1191, 1, 3},
      // span 50 is not coarsened, 51 is
      {1050, 1000, true, false, 1050, 1000, 50, 10},
      {1051, 1000, true, false, 1055, 1000, 55, 11},
      // span of exactly 200 gets 5-eV ends only; above 200 ends at tens
      {1201, 1001, true, false, 1205, 1000, 205, 5},
      {1203, 1002, true, false, 1210, 1000, 210, 10},
      // spans without a widening: 38 -> 3, 36 -> 12, 15 -> 5
      {338, 300, true, false, 338, 300, 38, 3},
      {336, 300, true, false, 336, 300, 36, 12},
      {100, 115, false, false, 100, 115, 15, 5},
      // a multi-spectrum view widens 7 to 8 and tries 10 down to 3
      {107, 100, true, true, 107, 99, 8, 8},
      {100, 136, false, true, 100, 136, 36, 9},
  };
  for (const Case& c : cases) {
    const EnergyAxis a = EnergyAxisFor(c.first, c.last, c.binding, c.multi);
    EXPECT_EQ(a.left, c.left) << c.first << " .. " << c.last;
    EXPECT_EQ(a.right, c.right) << c.first << " .. " << c.last;
    EXPECT_EQ(a.span, c.span) << c.first << " .. " << c.last;
    EXPECT_EQ(a.tickCount, c.ticks) << c.first << " .. " << c.last;
  }
}

TEST(EnergyAxis, ZeroSpanGetsOneElectronvolt) {
  // A one-point region at a whole electronvolt.
  const EnergyAxis b = EnergyAxisFor(285, 285, true, false);
  EXPECT_EQ(b.left, 285);
  EXPECT_EQ(b.right, 284);
  EXPECT_EQ(b.span, 1);
  const EnergyAxis k = EnergyAxisFor(285, 285, false, true);
  EXPECT_EQ(k.right, 286);
  EXPECT_GT(k.span, 0);
}

TEST(EnergyAxis, NotANumberDoesNotCrash) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const EnergyAxis a = EnergyAxisFor(nan, nan, true, false);
  EXPECT_GE(a.tickCount, 3);
}

TEST(IntensityAxis, WorkedCases) {
  struct Case {
    std::vector<double> values;
    double top, bottom;
  };
  const Case cases[] = {
      {{1200, 1500, 1830}, 1840, 1200},
      {{1200, 1840}, 1850, 1200},              // a maximum on the step still gets a step above
      {{0, 0, 0}, 1.1, 0},                     // all zero: maximum 1, step 0.1
      {{-354, 120, 400}, 410, -360},              // negative values round downward
      {{100, 1100}, 1200, 100},                // R = 1000 exactly: step 100
      {{5, 105}, 110, 0},                      // R = 100 exactly: step 10
  };
  for (const Case& c : cases) {
    std::vector<double> v = c.values;
    v.insert(v.begin(), 0.0);  // index 0 unused, points from 1
    const IntensityAxis a = IntensityAxisFor(v.data(), nullptr, 1, static_cast<int>(v.size()) - 1);
    EXPECT_DOUBLE_EQ(a.top, c.top) << c.values.back();
    EXPECT_DOUBLE_EQ(a.bottom, c.bottom) << c.values.back();
    EXPECT_GT(a.span, 0);
  }
}

TEST(IntensityAxis, BackgroundWidensTheRange) {
  const double data[] = {0, 10, 20, 30};
  const double bg[] = {0, 5, 5, 45};
  const IntensityAxis a = IntensityAxisFor(data, bg, 1, 3);
  EXPECT_EQ(a.max, 45);
  EXPECT_EQ(a.maxIndex, 3);
  EXPECT_EQ(a.min, 5);
  EXPECT_EQ(a.top, 46);  // range 40: step 1
}

TEST(IntensityAxis, FlatAndBrokenSpectraKeepAPositiveSpan) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<std::vector<double>> cases = {
      {0, 1e9, 1e9, 1e9},  // flat at a magnitude where the finest step is lost
      {0, 5, 5, 5},        // flat and small
      {0, inf, 3, nan},    // counts per second of a spectrum without dwell time
      {0, nan, nan, nan},
      {0, -2e12, -2e12},
  };
  for (const auto& v : cases) {
    const IntensityAxis a = IntensityAxisFor(v.data(), nullptr, 1, static_cast<int>(v.size()) - 1);
    EXPECT_TRUE(std::isfinite(a.span)) << v[1];
    EXPECT_GT(a.span, 0) << v[1];
    EXPECT_LE(a.bottom, a.min);
    EXPECT_GE(a.top, a.max);
  }
}

TEST(IntensityUnits, PrefixAndText) {
  struct Case {
    double top;
    const char* cps;
    const char* counts;
  };
  const Case cases[] = {
      {2e6, "Mcps", "MCounts"}, {1e6, "kcps", "kCounts"}, {25000, "kcps", "kCounts"},
      {1000, "cps", "Counts"},  {1, "mcps", "mCounts"},  {0.001, "\u00B5" "cps", "\u00B5" "Counts"},
      {-5000, "kcps", "kCounts"},
  };
  for (const Case& c : cases) {
    const UnitPrefix p = UnitPrefixFor(c.top);
    EXPECT_EQ(IntensityUnitText(p, true), c.cps) << c.top;
    EXPECT_EQ(IntensityUnitText(p, false), c.counts) << c.top;
  }
}

TEST(IntensityUnits, LabelDecimals) {
  struct Case {
    double top, span;
    int ticks;
    int decimals;
  };
  const Case cases[] = {
      {2e6, 2e6, 5, 1},    // 1.6 M
      {25000, 25000, 5, 0},
      {0.9, 0.9, 3, 2},    // 0.9 - 0.3 is one unit in the last place above 0.6
      {0.6, 0.6, 5, 0},    // 480 m exactly
      {1e6, 1e6, 5, 0},
      {1, 1, 0, 0},        // a damaged interval count of 0 does not divide by zero
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IntensityLabelDecimals(c.top, c.span, c.ticks, UnitPrefixFor(c.top)), c.decimals)
        << c.top << " / " << c.ticks;
  }
}

TEST(TickNumbers, Formatting) {
  struct Case {
    double value;
    int width, decimals;
    const char* text;
  };
  const Case cases[] = {
      {2.0, 4, 1, " 2.0"}, {0.0, 4, 1, " 0.0"}, {25, 4, 0, "  25"},   {5, 4, 0, "   5"},
      {900, 4, 2, "900.00"}, {-12.5, 4, 1, "-12.5"}, {285.3333, 0, 1, "285.3"},
      {-0.0000001, 4, 2, "0.00"}, {1000, 4, 0, "1000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatTickNumber(c.value, c.width, c.decimals), c.text) << c.value;
  }
}

TEST(Pixels, FarOffPointsDoNotWrap) {
  EXPECT_EQ(PixelFromDouble(40000.4), 40000);     // beyond 16 bits, still the right sign
  EXPECT_EQ(PixelFromDouble(-70000), -70000);
  EXPECT_GT(PixelFromDouble(1e300), 0);
  EXPECT_LT(PixelFromDouble(-1e300), 0);
  EXPECT_EQ(PixelFromDouble(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(PixelFromDouble(2.5), 2);
  EXPECT_EQ(NonZero(0), 1);
  EXPECT_EQ(NonZero(std::numeric_limits<double>::infinity()), 1);
  EXPECT_EQ(NonZero(3), 3);
}

}  // namespace
}  // namespace sorvan
