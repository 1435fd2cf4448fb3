// The arithmetic behind the spectrum windows (see axis_math.h).
#include "display/axis_math.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/text.h"

namespace sorvan {

double IntPart(double x) { return std::floor(x); }

double NonZero(double value, double fallback) {
  if (value == 0 || !std::isfinite(value)) return fallback;
  return value;
}

WindowPlace DefaultWindowPlace(int window, int screenWidth, int workAreaHeight) {
  const double w = screenWidth;
  const double h = workAreaHeight;
  const int c = ((window - 1) % 30 + 30) % 30 + 1;
  auto nearest = [](double x) { return static_cast<int>(plat::RoundHalfEven(x)); };
  WindowPlace place;
  place.width = nearest(w / 2);
  place.height = nearest(h / 2);
  switch (c) {
    case 1: place.left = 0; place.top = 0; break;
    case 2: place.left = nearest(w / 2); place.top = 0; break;
    case 3: place.left = 0; place.top = nearest(h / 2); break;
    case 4: place.left = nearest(w / 2); place.top = nearest(h / 2); break;
    default: {
      const int k = c - 4;
      place.left = nearest(k * w / 52);
      place.top = nearest(k * h / 52);
    }
  }
  return place;
}

namespace {

bool IsWhole(double x) { return std::isfinite(x) && x == IntPart(x); }

// Spans with few divisors and the span each is widened to.
struct SpanWidening {
  int span;
  int widened;
};
constexpr SpanWidening kSpanTable[] = {
    {7, 8},   {11, 12}, {13, 14}, {17, 18}, {19, 20}, {22, 24}, {23, 24}, {26, 27}, {29, 30},
    {31, 32}, {34, 35}, {37, 38}, {39, 40}, {41, 42}, {43, 44}, {46, 48}, {47, 48}};

// Moves the ends of the axis outward to multiples of `m`.
void CoarsenEnds(double& high, double& low, double m) {
  if (std::fmod(high, m) != 0) high = IntPart(high / m) * m + m;
  if (std::fmod(low, m) != 0) low = IntPart(low / m) * m;
}

}  // namespace

EnergyAxis EnergyAxisFor(double firstEnergy, double lastEnergy, bool binding, bool multiView) {
  EnergyAxis axis;
  double left = IntPart(firstEnergy + 0.0001);
  double right = IntPart(lastEnergy + 0.0001);
  // The end carrying the higher energy is raised when it lies more than a
  // few meV above a whole number, so that the axis encloses the data.
  if (binding) {
    const double e = firstEnergy + 0.0001;
    if (e - IntPart(e) > 0.005) left += 1;
  } else {
    const double e = lastEnergy + 0.0001;
    if (e - IntPart(e) > 0.005) right += 1;
  }
  const double firstSpan = std::fabs(right - left);
  double& high = binding ? left : right;
  double& low = binding ? right : left;
  if (firstSpan > 50) CoarsenEnds(high, low, 5);
  if (firstSpan > 200) CoarsenEnds(high, low, 10);
  double span = std::fabs(right - left);

  const double outward = binding ? -1.0 : 1.0;
  if (span < 100) {
    for (const SpanWidening& entry : kSpanTable) {
      if (static_cast<int>(span) == entry.span) {
        right += outward * (entry.widened - entry.span);
        span = entry.widened;
        break;
      }
    }
  }
  if (!multiView) span = std::fabs(right - left);

  // A one-point region at a whole electronvolt would leave the axis without
  // length and every scale dividing by it; give it one electronvolt.
  if (span == 0) {
    right += outward;
    span = 1;
  }

  const int firstCount = multiView ? 10 : 12;
  axis.tickCount = 3;
  for (int n = firstCount; n >= 3; --n) {
    if (std::isfinite(span) && std::fmod(span, n) == 0) {
      axis.tickCount = n;
      break;
    }
  }
  axis.left = left;
  axis.right = right;
  axis.span = span;
  return axis;
}

double IntensityStepFor(double range) {
  // Each smaller decade of the range takes the next smaller step.
  double step = 1e5;
  const double limits[] = {1e6, 1e5, 1e4, 1e3, 1e2, 1e1, 1e0, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5};
  const double steps[] = {1e4, 1e3, 1e2, 1e1, 1e0, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7};
  for (int i = 0; i < 12; ++i) {
    if (range < limits[i]) step = steps[i];
  }
  return step;
}

namespace {

// Rounds max up (strictly above) and min down to multiples of the step d.
void RoundToStep(double max, double min, double d, double& top, double& bottom) {
  if (d >= 1) {
    top = (IntPart(max / d) + 1) * d;
    bottom = IntPart(min / d) * d;
  } else {
    // 1/d as an exact power of ten.
    const double m = std::pow(10.0, std::round(-std::log10(d)));
    top = (IntPart(max * m) + 1) / m;
    bottom = IntPart(min * m) / m;
  }
}

}  // namespace

IntensityAxis IntensityAxisFor(const double* values, const double* background, int start, int end) {
  IntensityAxis axis;
  axis.maxIndex = axis.minIndex = start;
  bool seen = false;
  auto scan = [&](const double* v) {
    for (int i = start; i <= end; ++i) {
      const double x = v[i];
      if (!std::isfinite(x)) continue;  // a failed conversion must not widen the axis to infinity
      if (!seen) {
        axis.max = axis.min = x;
        axis.maxIndex = axis.minIndex = i;
        seen = true;
        continue;
      }
      if (x > axis.max) {
        axis.max = x;
        axis.maxIndex = i;
      }
      if (x < axis.min) {
        axis.min = x;
        axis.minIndex = i;
      }
    }
  };
  if (values != nullptr && end >= start) scan(values);
  if (background != nullptr && end >= start) scan(background);
  if (axis.max == 0) axis.max = 1;

  const double range = axis.max - axis.min;
  RoundToStep(axis.max, axis.min, IntensityStepFor(range), axis.top, axis.bottom);
  if (!(axis.top > axis.bottom) || !std::isfinite(axis.top - axis.bottom)) {
    // A flat spectrum of large values: the step of a zero range is too fine
    // for the precision of the values. Step by the decade of the values.
    const double magnitude = std::fmax(std::fabs(axis.max), std::fabs(axis.min));
    const double d = std::pow(10.0, std::floor(std::log10(magnitude)));
    RoundToStep(axis.max, axis.min, d, axis.top, axis.bottom);
    if (!(axis.top > axis.bottom) || !std::isfinite(axis.top - axis.bottom)) {
      axis.top = 1;
      axis.bottom = 0;
    }
  }
  axis.span = axis.top - axis.bottom;
  return axis;
}

UnitPrefix UnitPrefixFor(double axisTop) {
  const double a = std::fabs(axisTop);
  if (a > 1e6) return UnitPrefix::Mega;
  if (a > 1e3) return UnitPrefix::Kilo;
  if (a > 1) return UnitPrefix::None;
  if (a > 0.001) return UnitPrefix::Milli;
  return UnitPrefix::Micro;
}

std::string IntensityUnitText(UnitPrefix prefix, bool perSecond) {
  std::string p;
  switch (prefix) {
    case UnitPrefix::Mega: p = "M"; break;
    case UnitPrefix::Kilo: p = "k"; break;
    case UnitPrefix::None: p = ""; break;
    case UnitPrefix::Milli: p = "m"; break;
    case UnitPrefix::Micro: p = "\u00B5"; break;
  }
  return p + (perSecond ? "cps" : "Counts");
}

UnitPrefix UnitPrefixOf(const std::string& unitText) {
  if (unitText.empty()) return UnitPrefix::None;
  // The micro sign, or the Greek mu that a keyboard may give for it.
  if (unitText.rfind("\u00B5", 0) == 0 || unitText.rfind("\u03BC", 0) == 0) return UnitPrefix::Micro;
  switch (unitText[0]) {
    case 'M': return UnitPrefix::Mega;
    case 'k': return UnitPrefix::Kilo;
    case 'm': return UnitPrefix::Milli;
    default: return UnitPrefix::None;
  }
}

double ScaleToPrefix(double value, UnitPrefix prefix, bool tenfold) {
  switch (prefix) {
    case UnitPrefix::Mega: return tenfold ? value / 1e5 : value / 1e6;
    case UnitPrefix::Kilo: return tenfold ? value / 1e2 : value / 1e3;
    case UnitPrefix::None: return tenfold ? value * 10 : value;
    case UnitPrefix::Milli: return tenfold ? value * 1e4 : value * 1e3;
    case UnitPrefix::Micro: return tenfold ? value * 1e7 : value * 1e6;
  }
  return value;
}

std::string FormatTickNumber(double value, int width, int decimals) {
  if (decimals < 0) decimals = 0;
  char buffer[64];
  int n = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text;
  if (n >= 0 && n < static_cast<int>(sizeof buffer)) {
    text = buffer;
  } else {
    text = plat::Trim(plat::NumberToText(value));
  }
  // "-0" and "-0.00" are zero.
  if (!text.empty() && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) {
    text.erase(0, 1);
  }
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

int IntensityLabelDecimals(double axisTop, double axisSpan, int tickCount, UnitPrefix prefix) {
  const double second = axisTop - axisSpan / NonZero(tickCount);
  int decimals = 0;
  if (!IsWhole(ScaleToPrefix(second, prefix))) decimals = 1;
  if (!IsWhole(ScaleToPrefix(second, prefix, true))) decimals = 2;
  return decimals;
}

}  // namespace sorvan
