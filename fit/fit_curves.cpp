// Drawing of the fitted peaks, the fit sum and the residual strip.
#include "fit/fit_curves.h"

#include <algorithm>
#include <cmath>

#include "core/model.h"
#include "core/store.h"
#include "display/draw_support.h"
#include "display/plotters.h"
#include "platform/surfaces.h"

namespace sorvan {

void NormalisedResiduals(const double* sum, const double* target, const double* sigma, int first,
                         int last, double* residual, double& smallest, double& largest) {
  largest = -100000000.0;
  smallest = 1000000000.0;
  for (int c = first; c <= last; ++c) {
    const double r = sigma[c] != 0.0 ? (sum[c] - target[c]) / sigma[c] : 0.0;
    residual[c] = r;
    smallest = std::min(smallest, r);
    largest = std::max(largest, r);
  }
}

double ResidualStripScale(double smallest, double largest, double stripHeight) {
  const double m = std::max(std::fabs(smallest), std::fabs(largest));
  if (!(m > 0.0) || !std::isfinite(m)) return 1.0;
  return std::fabs(stripHeight) / m / 2.0;
}

void DrawRegionCurve(int w, const CheckedVector<double>& values, int kind, bool clip) {
  const WindowRecord& win = Win[w];
  plat::SetDrawingWindow(w);
  EnsureCurveTables(w);
  const bool onBackground = win.BackgroundState == BackgroundDefined || win.BackgroundState == BackgroundFitted;
  MapRegionCurve(w, values, onBackground && WorkBackground.size() > 0 ? &WorkBackground : nullptr);
  if (clip) {
    const long long n = std::min<long long>(win.RegionLength, G.CurveY.Upper());
    for (long long i = 1; i <= n; ++i) {
      G.CurveY[i] = std::clamp<Int16>(G.CurveY[i], G.SpacingUnit, G.AxisY);
    }
  }
  DrawCurveOfKind(w, kind);
}

void DrawFitCurveAndResiduals(int w) {
  WindowRecord& win = Win[w];
  const int points = win.SpectrumHeader.PointCount;
  const int first = std::max<int>(1, win.RegionStart);
  const int last = std::min<int>(points, win.RegionEnd);
  plat::SetDrawingWindow(w);
  if (WorkFitSum.Upper() < points) return;
  DrawRegionCurve(w, WorkFitSum, kSumCurveKind, false);
  if (win.HasFit == 1 && WorkFitTarget.Upper() >= last && WorkSigma.Upper() >= last && last >= first) {
    if (WorkData.Upper() < points) WorkData.Resize(points);
    double smallest = 0, largest = 0;
    NormalisedResiduals(WorkFitSum.begin(), WorkFitTarget.begin(), WorkSigma.begin(), first, last,
                        WorkData.begin(), smallest, largest);
    win.ResidualMin = smallest;
    win.ResidualMax = largest;
    const double height = std::fabs(double(G.ResidualTop) - G.ResidualBottom);
    G.ResidualScale = ResidualStripScale(smallest, largest, height);
    const double middle = G.ResidualBottom - height / 2.0;
    EnsureCurveTables(w);
    const double xStep = G.PixelsPerEnergy * win.SpectrumHeader.EnergyStep;
    const long long n = std::min<long long>({win.RegionLength, G.CurveX.Upper(), last - first + 1});
    for (long long i = 1; i <= n; ++i) {
      G.CurveX[i] = static_cast<Int16>(plat::PixelOf(G.FirstPointX + xStep * double(i - 1)));
      G.CurveY[i] = static_cast<Int16>(
          plat::PixelOf(std::round(middle - WorkData[first + i - 1] * G.ResidualScale)));
    }
    DrawCurveOfKind(w, kResidualCurveKind);
    // Guide lines at +-1 only when they fall inside the strip.
    if (height / 2.0 > G.ResidualScale) {
      const double plus = std::round(middle - G.ResidualScale);
      const double minus = std::round(middle + G.ResidualScale);
      SetLineEnds(G.PlotLeft, plus, G.PlotRight, plus);
      DrawStyledLineOfKind(w, kResidualLimitLineKind);
      SetLineEnds(G.PlotLeft, minus, G.PlotRight, minus);
      DrawStyledLineOfKind(w, kResidualLimitLineKind);
      plat::Canvas& c = plat::Surface();
      const double axisTitleLine = LineHeightOf(c, kAxisTitleClass);
      const double tickLine = LineHeightOf(c, kTickNumberClass);
      const double tickChar = CharWidthOf(c, kTickNumberClass);
      if (win.ShowYScale == 1 && G.CharHeight / 2.0 < G.ResidualScale) {
        UseClassFont(c, kTickNumberClass);
        const double right = axisTitleLine + 4.0 * tickChar;
        c.Text(right - c.TextWidth("1"), middle - G.ResidualScale - tickLine / 2.0, "1");
        c.Text(right - c.TextWidth("-1"), middle + G.ResidualScale - 0.4 * tickLine, "-1");
        c.SetColour(G.FrameColour);
      }
    }
  }
  if (G.FitDisplayPass == 1) {
    const int n = win.PeakCount;
    if (WorkPeak.Upper() < points) WorkPeak.Resize(points);
    std::copy(WorkFitSum.begin(), WorkFitSum.begin() + points + 1, WorkPeak.begin());
    StoreWorkPeak(w, n + 1);
    if (WorkData.Upper() >= points) {
      std::copy(WorkData.begin(), WorkData.begin() + points + 1, WorkPeak.begin());
      StoreWorkPeak(w, n + 2);
    }
  }
}

void DrawPeakCurves(int w) {
  const WindowRecord& win = Win[w];
  const int points = win.SpectrumHeader.PointCount;
  if (G.PeakCurves.RowUpper() < win.PeakCount || G.PeakCurves.ColUpper() < points) return;
  CheckedVector<double> curve(points);
  for (int p = 1; p <= win.PeakCount; ++p) {
    for (int c = 0; c <= points; ++c) curve[c] = G.PeakCurves(p, c);
    DrawRegionCurve(w, curve, kPeakCurveKind, true);
  }
}

}  // namespace sorvan
