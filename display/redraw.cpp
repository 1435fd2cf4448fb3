// Redraw of a window (see redraw.h).
#include "display/redraw.h"

#include <algorithm>
#include <cmath>

#include "core/menu_commands.h"
#include "core/model.h"
#include "core/store.h"
#include "display/axis_math.h"
#include "display/curves.h"
#include "display/draw_support.h"
#include "display/frame.h"
#include "display/plotters.h"
#include "display/ranges.h"
#include "display/views.h"
#include "display/window_labels.h"
#include "platform/canvas.h"
#include "platform/forms.h"
#include "platform/labels.h"
#include "platform/surfaces.h"
#include "platform/text.h"
#include "shell/menu_state.h"

namespace sorvan {

namespace {

// Command number of the window bitmap export, during which the label texts
// are painted into the picture instead of being made into label controls.
constexpr int kBitmapExportCommand = CmdExportBitmap;

// Clears Redrawing however the redraw ends.
struct RedrawingFlag {
  RedrawingFlag() { G.Redrawing = 1; }
  ~RedrawingFlag() { G.Redrawing = 0; }
};

void DrawCursorLine(plat::Canvas& c) {
  c.SetPenStyle(plat::PenStyle::Dot);
  c.SetPenWidth(0);
  c.Line(G.MouseX, 5, G.MouseX, G.AxisY);
}

void DrawResidualCurve(int w, plat::Canvas& c) {
  WindowRecord& win = Win[w];
  LoadComponent(w, win.PeakCount + 2, win.RegionStart, win.RegionEnd);
  const double h = std::fabs(double(G.ResidualTop) - G.ResidualBottom);
  const double m = std::max(std::fabs(win.ResidualMin), std::fabs(win.ResidualMax));
  G.ResidualScale = (m > 0 && std::isfinite(m)) ? h / m / 2 : 1;
  const double middle = G.ResidualBottom - h / 2;

  EnsureCurveTables(w);
  const double xStep = G.PixelsPerEnergy * win.SpectrumHeader.EnergyStep;
  const long long start = win.RegionStart;
  const long long n = std::min<long long>(
      {static_cast<long long>(win.RegionLength), G.CurveX.Upper(), WorkData.Upper() - start + 1});
  for (long long i = 1; i <= n && start >= 0; ++i) {
    G.CurveX[i] = PixelFromDouble(G.FirstPointX + xStep * static_cast<double>(i - 1));
    G.CurveY[i] = PixelFromDouble(middle - WorkData[start + i - 1] * G.ResidualScale);
  }
  DrawCurveOfKind(w, ResidualCurve);

  if (h / 2 > G.ResidualScale) {
    const double plus = std::round(middle - G.ResidualScale);
    const double minus = std::round(middle + G.ResidualScale);
    SetLineEnds(G.PlotLeft, plus, G.PlotRight, plus);
    DrawStyledLineOfKind(w, ResidualLimitLine);
    SetLineEnds(G.PlotLeft, minus, G.PlotRight, minus);
    DrawStyledLineOfKind(w, ResidualLimitLine);
    const double F2 = LineHeightOf(c, kAxisTitleClass);
    const double F3 = LineHeightOf(c, kTickNumberClass);
    const double C3 = CharWidthOf(c, kTickNumberClass);
    if (win.ShowYScale == 1 && 0.3 * F3 < G.ResidualScale) {
      UseClassFont(c, kTickNumberClass);
      const double right = F2 + 4 * C3;
      c.Text(right - c.TextWidth("1"), middle - G.ResidualScale - F3 / 2, "1");
      c.Text(right - c.TextWidth("-1"), middle + G.ResidualScale - 0.4 * F3, "-1");
    }
  }
}

// Pixel position of a label stored in window w's own units.
void LabelPixels(int w, double x, double y, double& px, double& py, plat::Canvas& c) {
  const WindowRecord& win = Win[w];
  switch (win.WindowKind) {
    case SingleSpectrum: {
      const double step = NonZero(win.SpectrumHeader.EnergyStep);
      const double offset = (x - win.FirstEnergy) / step;
      const double point = static_cast<double>(plat::RoundHalfEven(
          G.EnergyAxisMode == 0 ? win.RegionStart - offset : offset + win.RegionStart));
      px = G.FirstPointX + (point - win.RegionStart - 1) * G.PixelsPerEnergy * win.SpectrumHeader.EnergyStep;
      py = G.AxisY - LineHeightOf(c, kTickNumberClass) / 2 - (y - win.YAxisBottom) * G.PixelsPerIntensity;
      break;
    }
    case ChemicalStatePlot:
      px = G.PlotLeft + (win.ChemStateXMax - x) * G.PixelsPerEnergy;
      py = G.SpacingUnit + (win.ChemStateYMax - y) * G.PixelsPerIntensity;
      break;
    default:
      px = G.PlotLeft + G.PlotWidth * x;
      py = G.SpacingUnit + G.PlotHeight * y;
      break;
  }
}

// Shows one label: painted into the picture during the bitmap export, else
// as a label control of window w.
void ShowLabel(int w, plat::LabelArray array, int L, const std::string& text, double px, double py,
               int textClass, plat::Canvas& c) {
  UseClassFont(c, textClass);
  if (G.CommandId == kBitmapExportCommand) {
    c.SetOpaqueText(true);
    c.SetTextBackColour(G.PlotBackColour);
    c.Text(px, py, text);
    c.SetOpaqueText(false);
    return;
  }
  if (!plat::SpectrumWindowOpen(w)) return;
  plat::LabelSpec spec;
  spec.text = text;
  spec.left = PixelFromDouble(px);
  spec.top = PixelFromDouble(py);
  spec.width = PixelFromDouble(c.TextWidth(text));
  spec.height = PixelFromDouble(LineHeightOf(c, textClass));
  spec.foreColour = ColourOf(G.FontColour[textClass]);
  const int kind = Win[w].WindowKind;
  spec.transparent = kind == Waterfall || kind == MirroredWaterfall;
  spec.backColour = G.PlotBackColour;
  spec.font = ClassFont(textClass);
  plat::SetLabel(array, L, spec);
}

void PlaceLabels(int w, plat::Canvas& c) {
  WindowRecord& win = Win[w];
  const int annotations = std::clamp<int>(win.AnnotationCount, 0, 100);
  const int titles = std::clamp<int>(win.TitleLabelCount, 0, 100);
  for (int k = 1; k <= annotations; ++k) {
    const LabelRecord& label = Labels[LabelIndex(w, k)];
    LabelPixels(w, label.AnnotationX, label.AnnotationY, G.AnnotationPixelX[k], G.AnnotationPixelY[k], c);
  }
  for (int k = 1; k <= titles; ++k) {
    const LabelRecord& label = Labels[LabelIndex(w, k)];
    LabelPixels(w, label.TitleLabelX, label.TitleLabelY, G.TitleLabelPixelX[k], G.TitleLabelPixelY[k], c);
  }
  for (int k = 1; k <= annotations; ++k) {
    if (LabelWaiting(w, false, k)) continue;
    ShowLabel(w, plat::LabelArray::Annotation, LabelIndex(w, k), Labels[LabelIndex(w, k)].AnnotationText,
              G.AnnotationPixelX[k], G.AnnotationPixelY[k], kAnnotationClass, c);
  }
  for (int k = 1; k <= titles; ++k) {
    if (LabelWaiting(w, true, k)) continue;
    ShowLabel(w, plat::LabelArray::Title, LabelIndex(w, k), Labels[LabelIndex(w, k)].TitleLabelText,
              G.TitleLabelPixelX[k], G.TitleLabelPixelY[k], kTitleLabelClass, c);
  }
  // Label controls of labels deleted since the last redraw would otherwise
  // stay on the window.
  if (plat::SpectrumWindowOpen(w)) {
    for (int k = annotations + 1; k <= 100; ++k) {
      if (plat::LabelExists(plat::LabelArray::Annotation, LabelIndex(w, k)))
        plat::DeleteLabel(plat::LabelArray::Annotation, LabelIndex(w, k));
    }
    for (int k = titles + 1; k <= 100; ++k) {
      if (plat::LabelExists(plat::LabelArray::Title, LabelIndex(w, k)))
        plat::DeleteLabel(plat::LabelArray::Title, LabelIndex(w, k));
    }
  }
}

void RedrawSingleSpectrum(int w) {
  WindowRecord& win = Win[w];
  if (win.BackgroundState == BackgroundDefined || win.BackgroundState == BackgroundFitted) {
    LoadWorkBackground(w, 2, win.RegionStart, win.RegionEnd);
  }
  LoadWorkData(w, 1, win.RegionStart, win.RegionEnd);
  ComputeEnergyRange(w);
  ComputeIntensityRange(w);
  DrawFrameAndAxes(w, G.FrameColour);
  plat::SetDrawingWindow(w);
  plat::Canvas& c = plat::Surface();
  if (G.RegionPickState == 1) DrawCursorLine(c);
  if (win.HasFit != 0) DrawResidualCurve(w, c);
  if (win.SatelliteState == SatellitesPreview) {
    LoadWorkBackground(w, 2, win.RegionStart, win.RegionEnd);
    LoadWorkData(w, 1, win.RegionStart, win.RegionEnd);
    DrawSatelliteCurve(w);
  }
  LoadWorkData(w, 1, win.RegionStart, win.RegionEnd);
}

void RedrawChemicalStatePlot(int w) {
  const int n = WindowPointCount(w);
  LoadWorkData(w, 1, 1, n);
  LoadWorkBackground(w, 2, 1, n);
  LoadWorkSigma(w, 3, 1, n);
  DrawChemicalStatePlotAxes(w, G.FrameColour);
  DrawChemicalStatePoints(w, ColourOf(G.CurveColours[ChemicalStatePoints]),
                          G.CurveStyles[ChemicalStatePoints], G.CurveWidths[ChemicalStatePoints]);
}

// The views of several spectra draw the member matrix rebuilt from the
// window's own component columns.
void RedrawMultiSpectrumView(int w) {
  TransposeComponents(w);
  switch (Win[w].WindowKind) {
    case ColourMap: DrawColourMapView(w, G.FrameColour); break;
    case StackedCurves: DrawStackedView(w, G.FrameColour); break;
    case Waterfall: DrawWaterfallView(w, G.FrameColour); break;
    default: DrawMirroredWaterfallView(w, G.FrameColour); break;
  }
}

// A window of an unknown kind (a damaged project) is only cleared.
void ClearWindow(int w) {
  plat::SetDrawingWindow(w);
  plat::Canvas& c = plat::Surface();
  c.SetColour(G.PlotBackColour);
  c.FilledBox(-1, -1, c.Width(), c.Height());
}

}  // namespace

void RedrawWindow(int w) {
  if (!IsSpectrumWindow(w)) return;
  {
    RedrawingFlag redrawing;
    if (Win[w].WindowOpen) {
      // The whole redraw on one painter.
      plat::DrawingPass pass(plat::WindowCanvas(w));
      switch (Win[w].WindowKind) {
        case SingleSpectrum:
          RedrawSingleSpectrum(w);
          break;
        case ChemicalStatePlot:
          RedrawChemicalStatePlot(w);
          break;
        case ColourMap:
        case StackedCurves:
        case Waterfall:
        case MirroredWaterfall:
          RedrawMultiSpectrumView(w);
          break;
        default:
          ClearWindow(w);
          break;
      }
      plat::SetDrawingWindow(w);
      PlaceLabels(w, plat::Surface());
      plat::FlushSurface();
    }
    UpdateMenuState(w);
  }
}

}  // namespace sorvan
