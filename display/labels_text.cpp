// Unit and tick labels of a single-spectrum window (see labels_text.h).
#include "display/labels_text.h"

#include "core/model.h"
#include "core/model_codes.h"
#include "display/axis_math.h"
#include "display/ranges.h"

namespace sorvan {

namespace {

// Suffix of the intensity title for a unit: "/ " and the unit.
std::string TitleSuffix(const std::string& unit) { return "/ " + unit; }

// Format code of a computed transmission-function spectrum, whose axis shows
// the intensity word without a unit.

}  // namespace

void MakeUnitAndTickLabels(int w) {
  WindowRecord& win = Win[w];
  const int yTicks = TickIntervals(win.YTickCount);
  if (win.ShowYScale == 1) {
    const UnitPrefix prefix = UnitPrefixFor(win.YAxisTop);
    // A title the user typed (YTitleFixed) stays; the unit still follows
    // the range, as the tick numbers do.
    if (win.ImportFormat == TransmissionParameterSpectrum) {
      if (win.YTitleFixed != 1) win.YAxisTitle = G.LabelTexts[130];
    } else {
      win.IntensityUnit = IntensityUnitText(prefix, G.CpsMode == 1);
      if (win.YTitleFixed != 1) win.YAxisTitle = G.MessageTexts[37] + TitleSuffix(win.IntensityUnit);
    }
    const int decimals = IntensityLabelDecimals(win.YAxisTop, win.YAxisSpan, yTicks, prefix);
    for (int t = 0; t <= yTicks; ++t) {
      const double v = win.YAxisTop - t * win.YAxisSpan / yTicks;
      G.YTickText[t] = FormatTickNumber(ScaleToPrefix(v, prefix), 4, decimals);
    }
  } else {
    for (int t = 0; t <= yTicks; ++t) G.YTickText[t] = " ";
  }

  const int xTicks = TickIntervals(win.XTickCount);
  const double step = win.XAxisSpan / xTicks;
  const bool binding = G.EnergyAxisMode == 0;
  auto energy = [&](int t) { return binding ? win.XAxisLeft - t * step : win.XAxisLeft + t * step; };
  const double e1 = energy(1);
  const int decimals = (e1 == IntPart(e1)) ? 0 : 1;
  for (int t = 0; t <= xTicks; ++t) {
    const double r = IntPart(10 * energy(t) + 0.5) / 10;
    G.XTickText[t] = FormatTickNumber(r, 0, decimals);
  }
}

}  // namespace sorvan
