// Window labels: placing and dragging (see window_labels.h).
#include "display/window_labels.h"

#include <algorithm>
#include <cmath>

#include "core/model.h"
#include "display/axis_math.h"
#include "display/draw_support.h"
#include "display/mouse.h"
#include "display/redraw.h"
#include "platform/canvas.h"
#include "platform/forms.h"
#include "platform/labels.h"
#include "platform/loop.h"
#include "platform/mouse.h"
#include "platform/surfaces.h"

namespace sorvan {

namespace {

constexpr int kPlacedWaitSingle = 165;  // ms after placing on kinds 0 and 1
constexpr int kPlacedWaitMulti = 110;   // ms after placing on kinds 2 to 5

// The fields of one label set.
struct LabelSet {
  bool title;
  plat::LabelArray array() const { return title ? plat::LabelArray::Title : plat::LabelArray::Annotation; }
  int textClass() const { return title ? kTitleLabelClass : kAnnotationClass; }
  std::string& text(int L) const { return title ? Labels[L].TitleLabelText : Labels[L].AnnotationText; }
  double& x(int L) const { return title ? Labels[L].TitleLabelX : Labels[L].AnnotationX; }
  double& y(int L) const { return title ? Labels[L].TitleLabelY : Labels[L].AnnotationY; }
  Byte& pendingWindow() const { return title ? G.PendingTitleWindow : G.PendingLabelWindow; }
  Int16& pendingIndex() const { return title ? G.PendingTitleIndex : G.PendingLabelIndex; }
  Int16& count(int w) const { return title ? Win[w].TitleLabelCount : Win[w].AnnotationCount; }
};

// Creates (or replaces) label control L on window w at (x, y).
void ShowLabelControl(int w, const LabelSet& set, int L, int x, int y, bool transparent) {
  plat::SetDrawingWindow(w);
  plat::Canvas& c = plat::Surface();
  UseClassFont(c, set.textClass());
  plat::LabelSpec spec;
  spec.text = set.text(L);
  spec.left = x;
  spec.top = y;
  spec.width = PixelFromDouble(c.TextWidth(spec.text));
  spec.height = PixelFromDouble(LineHeightOf(c, set.textClass()));
  spec.foreColour = ColourOf(G.FontColour[set.textClass()]);
  spec.backColour = G.PlotBackColour;
  spec.transparent = transparent;
  spec.font = ClassFont(set.textClass());
  plat::SetLabel(set.array(), L, spec);
}

void PlacePending(int w, const LabelSet& set) {
  if (set.pendingWindow() != w) return;
  plat::SetPointerShape(w, plat::PointerShape::Cross);
  const int kind = Win[w].WindowKind;
  const bool single = kind == SingleSpectrum;
  const int buttons = single ? G.MouseButtons : plat::MouseButtons();
  if (buttons != plat::kLeftButton) return;
  const int j = set.pendingIndex();
  // A label number outside the window's own slots is never placed.
  if (j < 1 || j > 100) {
    set.pendingWindow() = 0;
    plat::SetPointerShape(w, plat::PointerShape::Standard);
    return;
  }
  int x = G.MouseX, y = G.MouseY;
  if (!single) {
    x = plat::MouseX(w);
    y = plat::MouseY(w);
  }
  const int L = LabelIndex(w, j);
  const bool multi = kind != SingleSpectrum && kind != ChemicalStatePlot;
  ShowLabelControl(w, set, L, x, y, multi);
  if (single) {
    set.x(L) = G.CursorEnergy;
    set.y(L) = G.MouseIntensity;
  } else if (kind == ChemicalStatePlot) {
    set.x(L) = G.CursorEnergy;
    set.y(L) = G.CursorIntensity;
  } else {
    RecallPlotLayout(w);
    set.x(L) = (x - G.PlotLeft) / NonZero(G.PlotWidth);
    set.y(L) = (y - G.SpacingUnit) / NonZero(G.PlotHeight);
  }
  set.pendingWindow() = 0;
  plat::Sleep(multi ? kPlacedWaitMulti : kPlacedWaitSingle);
  plat::SetPointerShape(w, plat::PointerShape::Standard);
}

}  // namespace

void PlacePendingLabels(int w) {
  if (!IsSpectrumWindow(w)) return;
  PlacePending(w, LabelSet{false});
  PlacePending(w, LabelSet{true});
}

void DragLabel(bool title, int L) {
  if (L < 1 || L > kMaxLabelIndex) return;
  if ((plat::MouseButtons() & plat::kLeftButton) == 0) return;
  const LabelSet set{title};
  // The label is converted with its own window's layout and scales, which
  // need not be those of the current window or of the plot drawn last.
  const int w = (L - 1) / 100 + 1;
  WindowRecord& win = Win[w];
  if (!win.WindowOpen) return;
  const int kind = win.WindowKind;
  if (kind == SingleSpectrum) {
    LayOutSingleSpectrum(w);
  } else {
    RedrawWindow(w);
  }
  plat::SetDrawingWindow(w);
  plat::Canvas& c = plat::Surface();
  UseClassFont(c, set.textClass());
  const int width = PixelFromDouble(c.TextWidth(set.text(L)));
  const int height = PixelFromDouble(LineHeightOf(c, set.textClass()));
  int startX = 0, startY = 0;
  if (plat::LabelExists(set.array(), L)) {
    const plat::LabelSpec now = plat::Label(set.array(), L);
    startX = now.left;
    startY = now.top;
  }
  int nx = startX, ny = startY;
  plat::DragOutline(w, startX, startY, width, height, nx, ny);
  set.x(L) = nx;
  set.y(L) = ny;
  ShowLabelControl(w, set, L, nx, ny, kind == Waterfall || kind == MirroredWaterfall);

  switch (kind) {
    case SingleSpectrum: {
      const double step = win.SpectrumHeader.EnergyStep;
      const double xStep = G.PixelsPerEnergy * step;
      double channel = xStep != 0 && std::isfinite(xStep)
                           ? IntPart((nx - G.FirstPointX) / xStep + win.RegionStart + 1)
                           : win.RegionStart;
      channel = std::clamp<double>(channel, win.RegionStart, win.RegionEnd);
      G.CursorChannel = channel;
      const double offset = (channel - win.RegionStart) * step;
      const double e = G.EnergyAxisMode == 0 ? win.FirstEnergy - offset : win.FirstEnergy + offset;
      G.CursorEnergy = std::floor(e * 100 + 0.5) / 100;
      const double F3 = LineHeightOf(c, kTickNumberClass);
      G.MouseIntensity = win.YAxisBottom - (ny - G.AxisY + F3 / 2) * (win.YAxisTop - win.YAxisBottom) /
                                               NonZero(win.WindowPlotHeight);
      set.x(L) = G.CursorEnergy;
      set.y(L) = G.MouseIntensity;
      break;
    }
    case ChemicalStatePlot:
      set.x(L) = win.ChemStateXMax - (nx - G.PlotLeft) / NonZero(G.PixelsPerEnergy);
      set.y(L) = win.ChemStateYMax - (ny - G.SpacingUnit) / NonZero(G.PixelsPerIntensity);
      break;
    default:
      set.x(L) = (nx - G.PlotLeft) / NonZero(G.PlotWidth);
      set.y(L) = (ny - G.SpacingUnit) / NonZero(G.PlotHeight);
      break;
  }
}

bool LabelWaiting(int w, bool title, int k) {
  const LabelSet set{title};
  return IsSpectrumWindow(w) && set.pendingWindow() == w && set.pendingIndex() == k;
}

int AddWindowLabel(int w, bool title) {
  if (!IsSpectrumWindow(w)) return 0;
  const LabelSet set{title};
  Int16& count = set.count(w);
  if (count < 0) count = 0;
  if (count >= 100) return 0;
  ++count;
  const int L = LabelIndex(w, count);
  set.text(L).clear();
  set.x(L) = 0;
  set.y(L) = 0;
  return count;
}

}  // namespace sorvan
