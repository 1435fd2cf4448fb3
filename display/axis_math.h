// The arithmetic behind the spectrum windows: default window places, axis
// ends and tick counts, the intensity unit with its prefix and the tick
// texts. Plain numbers in, plain numbers out, so that every rule can be
// checked without a window or a data model.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace sorvan {

// Default place and size of spectrum window w on a work area of the given
// size: blocks of 30 windows, the first four of a block tiling the area in
// quarters, the rest cascading in steps of 1/52 of the area.
struct WindowPlace {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
WindowPlace DefaultWindowPlace(int window, int screenWidth, int workAreaHeight);

// Energy-axis ends for a displayed range whose first and last points lie at
// `firstEnergy` and `lastEnergy` on the shown scale. `binding` says which
// scale (the left end carries the higher energy on the binding scale).
// `multiView` selects the rules of the multi-spectrum views (tick counts 10
// down to 3, no re-measuring of the span after the widening table).
struct EnergyAxis {
  double left = 0;
  double right = 0;
  double span = 0;
  int tickCount = 3;
};
EnergyAxis EnergyAxisFor(double firstEnergy, double lastEnergy, bool binding, bool multiView);

// Intensity-axis ends enclosing values[start..end] (and background[start..end]
// when a background is given). Values that are not finite numbers are left
// out. The span is always positive.
struct IntensityAxis {
  double max = 0;
  double min = 0;
  int maxIndex = 0;
  int minIndex = 0;
  double top = 0;
  double bottom = 0;
  double span = 0;
};
IntensityAxis IntensityAxisFor(const double* values, const double* background, int start, int end);

// The decade step by which the intensity axis ends are rounded, for a range R.
double IntensityStepFor(double range);

// Intensity prefixes chosen by the magnitude of the axis top.
enum class UnitPrefix { Mega, Kilo, None, Milli, Micro };
UnitPrefix UnitPrefixFor(double axisTop);
// The unit text ("kcps", "MCounts", ...; micro is the byte 0xB5).
std::string IntensityUnitText(UnitPrefix prefix, bool perSecond);
// The prefix a unit text of IntensityUnitText carries ("kcps" Kilo, "cps"
// and "Counts" None).
UnitPrefix UnitPrefixOf(const std::string& unitText);
// value scaled into the prefix's unit; `tenfold` scales by ten times the
// factor. Done by whole powers of ten in the direction of the prefix, so
// that a value that is whole after scaling tests as whole.
double ScaleToPrefix(double value, UnitPrefix prefix, bool tenfold = false);

// `value` with exactly `decimals` digits after the point (none when 0),
// right-aligned in a field of `width` characters; longer texts are not cut.
// A value that rounds to zero is written without a minus sign.
std::string FormatTickNumber(double value, int width, int decimals);

// Decimals (0, 1 or 2) that the intensity labels need: those of the second
// tick from the top, scaled into the unit.
int IntensityLabelDecimals(double axisTop, double axisSpan, int tickCount, UnitPrefix prefix);

// Largest whole number not above x, as a double (safe for any magnitude).
double IntPart(double x);

// A divisor that is never zero: spans and counts of 0 (or non-finite values)
// become `fallback`. Used wherever a scale divides by an axis span or a
// tick count that a damaged file or a degenerate spectrum could make zero.
double NonZero(double value, double fallback = 1.0);

// A pixel coordinate as a whole number, rounded half to even and clamped to
// a range far outside any surface (far enough to stay invisible, small
// enough that sums of two coordinates still fit an int), so that far-off
// points never wrap; NaN gives 0. Inline: every point of every curve passes
// through it.
inline constexpr double kPixelLimit = 1.0e6;
inline int PixelFromDouble(double value) {
  if (std::isnan(value)) return 0;
  if (value > kPixelLimit) value = kPixelLimit;
  if (value < -kPixelLimit) value = -kPixelLimit;
  // rint rounds to nearest, ties to even, in the default rounding mode.
  return static_cast<int>(std::rint(value));
}

// A pixel position held to the 16-bit range of the layout fields.
inline std::int16_t Pixel16(double value) {
  return static_cast<std::int16_t>(std::clamp(PixelFromDouble(value), -32768, 32767));
}

}  // namespace sorvan
