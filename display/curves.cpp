// Background and satellite curves drawn into a single-spectrum plot (see curves.h).
#include "display/curves.h"

#include <algorithm>
#include <cmath>

#include "core/model.h"
#include "core/store.h"
#include "display/axis_math.h"
#include "display/draw_support.h"
#include "display/plotters.h"
#include "platform/surfaces.h"

namespace sorvan {

namespace {

// Maps values (plus `added` when given) over window w's region with the
// current transform and draws them as curve `kind`.
void DrawRegionCurve(int w, const CheckedVector<double>& values,
                     const CheckedVector<double>* added, int kind) {
  plat::SetDrawingWindow(w);
  EnsureCurveTables(w);
  MapRegionCurve(w, values, added);
  DrawCurveOfKind(w, kind);
}

}  // namespace

void DrawBackgroundCurve(int w) {
  const WindowRecord& win = Win[w];
  if (!win.WindowOpen) return;
  // The transform of PlotSpectrum, so that the background can be drawn also
  // without a spectrum drawn just before.
  G.PixelsPerEnergy = G.PlotWidth / NonZero(win.XAxisSpan);
  G.PixelsPerIntensity = G.PlotHeight / NonZero(win.YAxisTop - win.YAxisBottom);
  G.FirstPointX = G.PlotLeft + std::fabs(win.XAxisLeft - win.FirstEnergy) * G.PixelsPerEnergy;
  DrawRegionCurve(w, WorkBackground, nullptr, BackgroundCurve);
}

void DrawSatelliteCurve(int w) {
  const WindowRecord& win = Win[w];
  if (!win.WindowOpen) return;
  DrawRegionCurve(w, WorkSigma,
                  win.BackgroundState == BackgroundDefined ? &WorkBackground : nullptr,
                  SatelliteCurve);
}

}  // namespace sorvan
