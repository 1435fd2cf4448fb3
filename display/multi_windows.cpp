// Multi-spectrum windows: members, reversal and unit labels (see multi_windows.h).
#include "display/multi_windows.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/model.h"
#include "core/model_codes.h"
#include "core/store.h"
#include "display/axis_math.h"
#include "display/ranges.h"
#include "platform/canvas.h"
#include "platform/text.h"

namespace sorvan {

namespace {

int MemberCountOf(const WindowRecord& win) { return std::clamp<int>(win.MemberCount, 0, kMaxWindows); }

// Copies WorkData into WorkPeak over first..last, within both vectors.
void CopyRegionIntoWorkPeak(long long first, long long last) {
  first = std::max<long long>(first, 0);
  last = std::min({last, WorkData.Upper(), WorkPeak.Upper()});
  for (long long i = first; i <= last; ++i) WorkPeak[i] = WorkData[i];
}

void ClearWorkPeak() {
  for (long long i = 0; i <= WorkPeak.Upper(); ++i) WorkPeak[i] = 0;
}

// Member m's curve over its region into WorkData: the measured spectrum, or
// for fitted members the fitted sum (with the background when it was fitted
// together with the peaks).
void LoadMemberCurve(int m, bool fitted) {
  const WindowRecord& member = Win[m];
  int first = member.RegionStart;
  int last = member.RegionEnd;
  if (!fitted) {
    LoadWorkData(m, 1, first, last);
    return;
  }
  LoadComponent(m, member.PeakCount + 1, first, last);
  if (member.BackgroundState == BackgroundFitted) {
    LoadWorkBackground(m, 2, first, last);
    const long long upper = std::min(WorkData.Upper(), WorkBackground.Upper());
    for (long long i = std::max(first, 0); i <= std::min<long long>(last, upper); ++i)
      WorkData[i] += WorkBackground[i];
  }
}

}  // namespace

std::string MemberLabelFromShortName(const std::string& shortName) {
  return plat::Trim(plat::Left(shortName, 7));
}

void BuildMultiSpectrumWindow(int w) {
  if (!IsSpectrumWindow(w)) return;
  const int n = std::clamp<int>(G.ChosenWindowCount, 0, kMaxWindows);
  if (n < 1) return;
  const int f = static_cast<int>(G.ChosenWindows[1]);
  if (!IsSpectrumWindow(f)) return;
  WindowRecord& win = Win[w];
  const WindowRecord& first = Win[f];
  const SpectrumHeaderRecord& fh = first.SpectrumHeader;

  win.MemberAxisTitle = G.LabelTexts[150];
  win.MultiEnergyShift = first.EnergyShift;
  G.MultiViewEnergyOffset = G.GlobalEnergyOffset;
  win.MultiPointCount = fh.PointCount;
  win.MultiEnergyStep = fh.EnergyStep;
  win.MultiSourcePath = first.SourcePath;
  win.SourcePath = first.SourcePath;
  win.MultiStartEnergy = fh.StartEnergy;
  win.MultiEndEnergy = fh.EndEnergy;
  win.MultiPassEnergy = fh.PassEnergy;
  win.MultiExcitationEnergy = fh.ExcitationEnergy;
  win.MultiScanCount = fh.ScanCount;
  win.MultiDwellTime = fh.DwellTime;
  win.MultiTechnique = fh.Technique;
  win.MultiComment = fh.Comment;
  win.MultiDate = fh.Date;
  win.MultiSourceInfo = fh.SourceInfo;
  win.MultiRegionStart = first.RegionStart;
  win.MultiRegionEnd = first.RegionEnd;
  win.MemberCount = static_cast<Int16>(n);
  win.MultiXSpan = first.XAxisSpan;
  win.XTickCount = first.XTickCount;
  win.XRangeFixed = first.XRangeFixed;
  win.YRangeFixed = first.YRangeFixed;
  win.MultiXLeft = first.XAxisLeft;
  win.MultiFirstEnergy = first.FirstEnergy;
  win.MultiXRight = first.XAxisRight;
  win.MultiLastEnergy = first.LastEnergy;
  win.MultiYTop = first.YAxisTop;
  win.MultiYBottom = first.YAxisBottom;

  G.ComponentCount = n;
  win.SpectrumHeader.PointCount = fh.PointCount;
  DimSlotComponents(w);
  DimWorkPeak(w);

  const bool fitted = first.HasFit != 0;
  for (int k = 1; k <= n; ++k) {
    const int m = static_cast<int>(G.ChosenWindows[k]);
    if (!IsSpectrumWindow(m)) continue;
    const WindowRecord& member = Win[m];
    win.MemberWindow[k] = m;
    win.MemberName[k] = member.SpectrumHeader.Name;
    win.MemberLabel[k] = MemberLabelFromShortName(member.SpectrumHeader.ShortName);
    win.MemberLabelDefault[k] = win.MemberLabel[k];

    LoadMemberCurve(m, fitted);
    win.MultiYBottom = std::min(win.MultiYBottom, member.YAxisBottom);
    win.MultiYTop = std::max(win.MultiYTop, member.YAxisTop);
    win.YAxisTop = win.MultiYTop;
    win.YAxisBottom = win.MultiYBottom;

    // Outside the member's own region its column holds zeros, never the
    // values of the member stored before it.
    ClearWorkPeak();
    CopyRegionIntoWorkPeak(member.RegionStart, member.RegionEnd);
    StoreWorkPeak(w, k);
  }

  for (int k = 1; k <= n; ++k) {
    if (win.MemberLabel[k].empty())
      win.MemberLabel[k] = plat::Trim(plat::NumberToText(win.MemberWindow[k]));
  }
  TransposeComponents(w);
  DimSlotData(w);
}

void ReverseMemberOrder(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  const int n = MemberCountOf(win);
  TransposeComponents(w);
  win.SpectrumHeader.PointCount =
      static_cast<Int16>(std::clamp(win.MultiPointCount, 0.0, double{kMaxPoints}));
  DimWorkPeak(w);

  std::vector<double> windows(n + 1);
  std::vector<std::string> names(n + 1), labels(n + 1);
  const long long first = std::max<long long>(win.MultiRegionStart, 0);
  const long long last = std::min<long long>(win.MultiRegionEnd, MemberCurves.ColUpper());
  std::vector<std::vector<double>> curves(n + 1);
  for (int k = 1; k <= n; ++k) {
    windows[k] = win.MemberWindow[k];
    names[k] = win.MemberName[k];
    labels[k] = win.MemberLabel[k];
    if (k <= MemberCurves.RowUpper())
      for (long long i = first; i <= last; ++i) curves[k].push_back(MemberCurves(k, i));
  }
  for (int k = 1; k <= n; ++k) {
    const int j = n - k + 1;
    win.MemberWindow[k] = windows[j];
    win.MemberName[k] = names[j];
    win.MemberLabel[k] = labels[j];
    win.MemberLabelDefault[k] = labels[j];
  }
  for (int k = 1; k <= n; ++k) {
    const std::vector<double>& curve = curves[n - k + 1];
    ClearWorkPeak();
    for (std::size_t p = 0; p < curve.size(); ++p) {
      const long long i = first + static_cast<long long>(p);
      if (i <= WorkPeak.Upper()) WorkPeak[i] = curve[p];
    }
    StoreWorkPeak(w, k);
  }
  TransposeComponents(w);
}

void MakeMultiSpectrumUnitLabels(int w) {
  WindowRecord& win = Win[w];
  const double top = win.MultiYTop;
  win.YAxisSpan = win.MultiYTop - win.MultiYBottom;
  const double span = win.YAxisSpan;
  const int yTicks = TickIntervals(win.YTickCount);
  const UnitPrefix prefix = UnitPrefixFor(top);
  if (win.ShowYScale == 1) {
    const int decimals = IntensityLabelDecimals(top, span, yTicks, prefix);
    for (int t = 0; t <= yTicks; ++t)
      G.YTickText[t] = FormatTickNumber(ScaleToPrefix(top - t * span / yTicks, prefix), 4, decimals);
  } else {
    for (int t = 0; t <= yTicks; ++t) G.YTickText[t] = " ";
  }
  if (win.YTitleFixed == 0) {
    win.IntensityUnit = IntensityUnitText(prefix, G.CpsMode == 1);
    // The multi-spectrum title has a blank before the slash.
    win.MultiYTitle = G.MessageTexts[37] + " / " + win.IntensityUnit;
  }

  const int xTicks = TickIntervals(win.XTickCount);
  const double step = win.MultiXSpan / xTicks;
  const bool binding = G.EnergyAxisMode == 0;
  auto energy = [&](int t) { return binding ? win.MultiXLeft - t * step : win.MultiXLeft + t * step; };
  const double e1 = energy(1);
  const int decimals = (e1 == IntPart(e1)) ? 0 : 1;
  for (int t = 0; t <= xTicks; ++t)
    G.XTickText[t] = FormatTickNumber(IntPart(10 * energy(t) + 0.5) / 10, 0, decimals);
}

int ColourRampColour(double v, double bottom, double range, int backColour, int curveColour) {
  const double R = NonZero(range);
  const int r0 = plat::RedOf(backColour), g0 = plat::GreenOf(backColour), b0 = plat::BlueOf(backColour);
  const int r1 = plat::RedOf(curveColour), g1 = plat::GreenOf(curveColour), b1 = plat::BlueOf(curveColour);
  const double sr = 3.0 * (r1 - r0) / R, sg = 3.0 * (g1 - g0) / R, sb = 3.0 * (b1 - b0) / R;
  const double d = v - bottom;
  double r = r0, g = g0, b = b0;
  if (d <= R / 3) {
    r = r0 + sr * d;
  } else if (d < 2 * R / 3) {
    r = r1;
    g = g0 + sg * (d - R / 3);
  } else {
    r = r1;
    g = g1;
    b = b0 + sb * (d - 2 * R / 3);
  }
  auto channel = [](double x) {
    if (!std::isfinite(x)) return 0;
    const double clamped = std::clamp(x, -1.0e15, 1.0e15);
    return static_cast<int>(plat::RoundHalfEven(clamped) & 0xFF);
  };
  return (channel(b) << 16) | (channel(g) << 8) | channel(r);
}

int ColourMapLabelStep(int members) {
  int step = 1;
  if (members > 20) step = 2;
  if (members > 40) step = 4;
  if (members > 60) step = 6;
  if (members > 80) step = 8;
  if (members >= 100) step = 10;
  return step;
}

int StackedLabelStep(int members) {
  int step = 1;
  if (members > 11) step = 2;
  if (members > 21) step = 3;
  if (members > 31) step = 4;
  if (members > 41) step = 5;
  if (members >= 51) step = 6;
  if (members > 61) step = 7;
  if (members > 71) step = 8;
  if (members > 81) step = 9;
  if (members > 91) step = 10;
  return step;
}

}  // namespace sorvan
