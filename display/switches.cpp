// Energy-scale, intensity-unit and language switches (see switches.h).
#include "display/switches.h"

#include <algorithm>
#include <cmath>

#include "core/model.h"
#include "core/paramset.h"
#include "core/store.h"
#include "display/curves.h"
#include "display/redraw.h"
#include "platform/surfaces.h"

namespace sorvan {

namespace {

constexpr int kPositionParam = 5;
constexpr int kPartnerPositionParam = 6;
constexpr int kHeightParam = 1;
constexpr int kPartnerHeightParam = 2;

void LoadDefaultPeakTable(int w) {
  ReadParameterSet(
      w, Win[w].PeakModel == PeakModelGaussLorentz ? G.ParameterSet1Path : G.ParameterSet2Path);
}

// hv - x on value and limits; the limits trade places because the mirror
// reverses their order.
void MirrorParameter(WindowRecord& win, int p, int j, double hv) {
  const double lower = win.ParameterLower[p][j];
  win.ParameterValue[p][j] = hv - win.ParameterValue[p][j];
  win.ParameterLower[p][j] = hv - win.ParameterUpper[p][j];
  win.ParameterUpper[p][j] = hv - lower;
}

void NegateParameter(WindowRecord& win, int p, int j) {
  const double lower = win.ParameterLower[p][j];
  win.ParameterValue[p][j] = -win.ParameterValue[p][j];
  win.ParameterLower[p][j] = -win.ParameterUpper[p][j];
  win.ParameterUpper[p][j] = -lower;
}

void ConvertPeakPositions(WindowRecord& win, double hv) {
  const int peaks = std::clamp<int>(win.PeakCount, 0, 15);
  for (int p = 1; p <= peaks; ++p) {
    if (win.RelativeMode == 0) {
      MirrorParameter(win, p, kPositionParam, hv);
      MirrorParameter(win, p, kPartnerPositionParam, hv);
    } else if (p == 1) {
      MirrorParameter(win, p, kPositionParam, hv);
      const double lower = win.ParameterLower[p][kPartnerPositionParam];
      win.ParameterValue[p][kPartnerPositionParam] = -win.ParameterValue[p][kPartnerPositionParam];
      win.ParameterLower[p][kPartnerPositionParam] = hv - win.ParameterUpper[p][kPartnerPositionParam];
      win.ParameterUpper[p][kPartnerPositionParam] = hv - lower;
    } else {
      NegateParameter(win, p, kPositionParam);
      NegateParameter(win, p, kPartnerPositionParam);
    }
  }
}

// Divides by f for per second, multiplies for counts.
struct UnitFactor {
  double f;
  bool perSecond;
  void operator()(double& v) const { v = perSecond ? v / f : v * f; }
};

void ConvertHeights(WindowRecord& win, const UnitFactor& convert) {
  const int peaks = std::clamp<int>(win.PeakCount, 0, 15);
  for (int p = 1; p <= peaks; ++p) {
    if (win.RelativeMode == 0 || p == 1) {
      convert(win.ParameterValue[p][kHeightParam]);
      convert(win.ParameterLower[p][kHeightParam]);
      convert(win.ParameterUpper[p][kHeightParam]);
    }
    // Relative partner heights are ratios and stay.
    if (win.RelativeMode == 0) {
      convert(win.ParameterValue[p][kPartnerHeightParam]);
      convert(win.ParameterLower[p][kPartnerHeightParam]);
      convert(win.ParameterUpper[p][kPartnerHeightParam]);
    }
  }
}

void ConvertFitResults(int w, const UnitFactor& convert) {
  WindowRecord& win = Win[w];
  const int peaks = std::clamp<int>(win.PeakCount, 0, 15);
  for (int p = 1; p <= peaks; ++p) {
    convert(win.PeakArea[p]);
    convert(win.PartnerArea[p]);
  }
  // Chi-square and reduced chi-square are statistics of the fit in counts
  // (the weights come from the raw counts in either unit): they stay as
  // computed, whatever unit the window shows.
  for (int c = 1; c <= peaks + 2; ++c) {
    if (!SlotComponents[w].Contains(std::max<int>(win.RegionEnd, 0), c)) continue;
    for (int i = win.RegionStart; i <= win.RegionEnd; ++i) convert(SlotComponents[w](i, c));
  }
  convert(win.ResidualMin);
  convert(win.ResidualMax);
}

void ConvertSingleSpectrumUnit(int w, int u) {
  WindowRecord& win = Win[w];
  // Not CountsPerSecondDivisor (core/count_rate.h): without scans or dwell
  // time there is no per-second form of the data, so the unit switch leaves
  // the values alone instead of dividing them by 1.
  const double f = win.SpectrumHeader.ScanCount * win.SpectrumHeader.DwellTime;
  if (!(f > 0) || !std::isfinite(f)) {
    RedrawWindow(w);
    return;
  }
  const UnitFactor convert{f, u == 1};
  plat::SetDrawingWindow(w);
  win.ErrorTableValid = 0;
  win.HessianValid = 0;
  for (int k = 1; k <= 100; ++k) {
    convert(Labels[LabelIndex(w, k)].AnnotationY);
    convert(Labels[LabelIndex(w, k)].TitleLabelY);
  }
  const int n = win.SpectrumHeader.PointCount;
  for (int c = 1; c <= 2; ++c) {
    for (int i = 1; i <= n && SlotData[w].Contains(i, c); ++i) convert(SlotData[w](i, c));
  }
  if (win.HasFit == 0 && win.ParamSetLoaded == 0) {
    LoadDefaultPeakTable(w);
  } else {
    // A table loaded from a file but not yet fitted is kept, in the new unit.
    ConvertHeights(win, convert);
    if (win.HasFit == 1) ConvertFitResults(w, convert);
  }
  for (int t = 1; t <= 4; ++t) convert(win.BackgroundTermValue[t]);
  // An intensity range the user fixed keeps showing the same part of the data.
  if (win.YRangeFixed == 1) {
    convert(win.YAxisTop);
    convert(win.YAxisBottom);
    convert(win.YAxisSpan);
  }
  if (win.BackgroundState == BackgroundDefined || win.BackgroundState == BackgroundPreview ||
      win.BackgroundState == BackgroundFitted) {
    if (win.BackgroundState == BackgroundDefined || win.BackgroundState == BackgroundFitted) {
      LoadWorkBackground(w, 2, win.RegionStart, win.RegionEnd);
    }
    DrawBackgroundCurve(w);
  }
  RedrawWindow(w);
}

}  // namespace

void SwitchEnergyScale() {
  for (int w = 1; w <= kMaxWindows; ++w) {
    WindowRecord& win = Win[w];
    win.XRangeFixed = 0;
    win.XAxisTitle = G.EnergyAxisMode == 1 ? G.KineticEnergyTitle : G.BindingEnergyTitle;
    if (!win.WindowOpen) continue;
    const double hv = win.SpectrumHeader.ExcitationEnergy;
    // Only a single spectrum holds its labels on the energy scale shown. A
    // chemical-state plot holds them on its fixed binding and kinetic axes,
    // the views of several spectra as plot fractions: those stay where they
    // are.
    if (win.WindowKind == SingleSpectrum) {
      for (int k = 1; k <= 100; ++k) {
        LabelRecord& label = Labels[LabelIndex(w, k)];
        label.AnnotationX = hv - label.AnnotationX;
        label.TitleLabelX = hv - label.TitleLabelX;
      }
    }
    plat::SetDrawingWindow(w);
    RedrawWindow(w);
    if (win.HasFit == 0 && win.ParamSetLoaded == 0) {
      LoadDefaultPeakTable(w);
    } else {
      ConvertPeakPositions(win, hv);
    }
  }
}

void SwitchIntensityUnit(int u) {
  for (int w = 1; w <= kMaxWindows; ++w) {
    WindowRecord& win = Win[w];
    win.YAxisTitle = u == 1 ? G.CpsTitle : G.CountsTitle;
    if (win.WindowOpen && win.WindowKind == SingleSpectrum) ConvertSingleSpectrumUnit(w, u);
  }
}

void SwitchMultiSpectrumIntensityUnit(int u) {
  for (int w = 1; w <= kMaxWindows; ++w) {
    WindowRecord& win = Win[w];
    if (!win.WindowOpen) continue;
    plat::SetDrawingWindow(w);
    win.XRangeFixed = 0;
    if (win.WindowKind < ColourMap || win.WindowKind > MirroredWaterfall) continue;
    // As for a single spectrum: no per-second form without scans or dwell time.
    const double f = win.MultiScanCount * win.MultiDwellTime;
    if (!(f > 0) || !std::isfinite(f)) continue;
    const UnitFactor convert{f, u == 1};
    // The labels of these views are plot fractions, not intensities.
    convert(win.MultiYTop);
    convert(win.MultiYBottom);
    const int members = std::clamp<int>(win.MemberCount, 0, 100);
    for (int m = 1; m <= members; ++m) {
      for (int i = win.MultiRegionStart; i <= win.MultiRegionEnd; ++i) {
        if (SlotComponents[w].Contains(i, m)) convert(SlotComponents[w](i, m));
      }
    }
    RedrawWindow(w);
  }
}

void RefreshWindowsForLanguage() {
  for (int w = 1; w <= kMaxWindows; ++w) {
    WindowRecord& win = Win[w];
    if (!win.WindowOpen) continue;
    RedrawWindow(w);
    if (win.HasFit == 1 && win.PeakType != G.MessageTexts[47]) win.PeakType = G.MessageTexts[52];
  }
}

void CopyFitSetup(int a, int b) {
  const int t = G.SeriesTemplateWindow;
  if (!IsSpectrumWindow(a) || !IsSpectrumWindow(b) || !IsSpectrumWindow(t)) return;
  const WindowRecord& source = Win[a];
  const WindowRecord& templ = Win[t];
  WindowRecord& target = Win[b];
  if (templ.RegionStart != 1 || templ.RegionEnd != templ.SpectrumHeader.PointCount) {
    target.RegionStart = source.RegionStart;
    target.RegionEnd = source.RegionEnd;
    target.RegionLength = static_cast<Int16>(source.RegionEnd - source.RegionStart + 1);
  }
  if (templ.BackgroundState != BackgroundNone) {
    G.CursorStart = G.BackgroundStart;
    G.CursorEnd = G.BackgroundEnd;
    for (int k = 1; k <= 5; ++k) target.BackgroundTermValue[k] = source.BackgroundTermValue[k];
  }
  if (templ.HasFit != 0) {
    target.PeakModel = source.PeakModel;
    target.RelativeMode = source.RelativeMode;
    target.PeakCount = source.PeakCount;
    target.PeakType = source.PeakType;
    const int peaks = std::clamp<int>(source.PeakCount, 0, 15);
    for (int p = 1; p <= peaks; ++p) {
      for (int j = 1; j <= 10; ++j) {
        target.ParameterLower[p][j] = templ.ParameterLower[p][j];
        target.ParameterUpper[p][j] = templ.ParameterUpper[p][j];
        target.ParameterValue[p][j] = templ.ParameterValue[p][j];
        target.ParameterState[p][j] = templ.ParameterState[p][j];
      }
    }
    for (int k = 1; k <= 6; ++k) {
      target.BackgroundTermValue[k] = source.BackgroundTermValue[k];
      target.BackgroundTermFixed[k] = source.BackgroundTermFixed[k];
    }
  }
}

}  // namespace sorvan
