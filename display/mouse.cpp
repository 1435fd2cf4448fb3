// Mouse on spectrum windows (see mouse.h).
#include "display/mouse.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/model.h"
#include "core/number_text.h"
#include "core/store.h"
#include "display/axis_math.h"
#include "display/draw_support.h"
#include "display/frame.h"
#include "display/labels_text.h"
#include "display/multi_windows.h"
#include "display/page_picking.h"
#include "display/plotters.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "display/window_labels.h"
#include "platform/canvas.h"
#include "platform/forms.h"
#include "platform/loop.h"
#include "platform/mouse.h"
#include "platform/surfaces.h"
#include "platform/text.h"
#include "processing/background_procedures.h"
#include "processing/pages/background_page.h"
#include "shell/menu_bar.h"

namespace sorvan {

namespace {

constexpr int kStartPickWait = 275;  // ms after the start line is drawn
constexpr int kResetPickWait = 165;  // ms after the whole spectrum is given back
constexpr int kStackedWait = 55;     // ms on every event on a stacked view
constexpr int kReadoutWidth = 9;     // characters of each intensity in the caption

std::string Num(double v) { return plat::NumberToText(v); }

// Whole hundredths (or tenths) the way the readout rounds: half up.
double RoundTo(double v, double scale) { return std::floor(v * scale + 0.5) / scale; }

bool EditPointsTicked() {
  return (G.EditPointsItemFlag & kItemChecked) != 0 && (G.EditPointsItemFlag & kItemGrayed) == 0;
}

bool PagePicking() {
  return G.LinePickActive == 1 || G.PeakStartPickActive == 1 || G.DoubletStartPickActive == 1 ||
         G.PickToScalePage == 1;
}

void PickLine(int w) {
  plat::SetDrawingWindow(w);
  plat::Canvas& c = plat::Surface();
  c.SetPenStyle(plat::PenStyle::Dot);
  c.SetPenWidth(0);
  c.Line(G.MouseX, G.SpacingUnit, G.MouseX, G.AxisY);
  plat::FlushSurface();
}

// After the new-segment answer of the background page, a click left of the
// segment's start extends the background at once over the clicked point up
// to the point before that start; the background page then opens again.
// Only the window whose background waits in its preview state is extended.
void ExtendBackground(int w) {
  if (G.DialogResult != AnswerNewSegment || G.SegmentMode != AnswerNewSegment) return;
  if (G.CursorStart >= G.SegmentOldStart || Win[w].BackgroundState != BackgroundPreview) return;
  G.CursorEnd = G.SegmentEnd;
  if (G.BackgroundName == G.MessageTexts[BackgroundKindShirley]) {
    ComputeShirleyBackground(G.CurrentWindow);
  } else {
    ComputeLinearBackground(G.CurrentWindow);
  }
}

// The three-state pick of a processing range: left click sets the start,
// a right click to the right of it the end, a further left click gives the
// whole spectrum back.
void PickRegion(int w, double channel) {
  WindowRecord& win = Win[w];
  switch (G.RegionPickState) {
    case 0:
      if (G.MouseButtons == plat::kLeftButton && G.CurrentWindow == w && G.PendingLabelWindow != w &&
          G.PendingTitleWindow != w) {
        PickLine(w);
        plat::Sleep(kStartPickWait);
        G.CursorStart = static_cast<Int16>(channel);
        G.RegionPickState = 1;
        ExtendBackground(w);
      }
      break;
    case 1:
      if (G.MouseButtons == plat::kRightButton && channel > G.CursorStart) {
        PickLine(w);
        G.CursorEnd = static_cast<Int16>(channel);
        G.RegionPickState = 2;
      }
      break;
    case 2:
      if (G.MouseButtons == plat::kLeftButton) {
        G.CursorStart = 1;
        G.CursorEnd = win.SpectrumHeader.PointCount;
        RedrawWindow(w);
        G.RegionPickState = 0;
        plat::Sleep(kResetPickWait);
      }
      break;
    default:
      break;
  }
}

// The point under the pointer takes the intensity at the pointer's height
// in this window, computed for this event.
void EditPoint(int w, int channel) {
  WindowRecord& win = Win[w];
  if (win.WindowPlotHeight == 0 || !SlotData[w].Contains(channel, 1)) return;
  G.MouseIntensity = IntensityAtRow(w, G.MouseY);
  SlotData[w](channel, 1) = G.MouseIntensity;
  LoadWorkData(w, 1, win.RegionStart, win.RegionEnd);
  DrawFrameAndAxes(w, G.FrameColour);
  PlotSpectrum(w, ColourOf(G.CurveColours[0]), G.CurveStyles[0], G.CurveWidths[0]);
  plat::FlushSurface();
}

void SingleSpectrumReadout(int w) {
  WindowRecord& win = Win[w];
  if (win.WindowPlotHeight == 0 || !(win.XAxisSpan > 0)) return;
  G.MouseIntensity = IntensityAtRow(w, plat::MouseY(w));
  // Both intensities are shown in the unit the caption names ("kcps": the
  // stored counts per second divided by 1000), as the axis labels are.
  const UnitPrefix prefix = UnitPrefixOf(win.IntensityUnit);
  G.StatusText = G.ReadoutPrefix + Num(w) + ": " + win.SpectrumHeader.Name + "  E=" + Num(G.CursorEnergy) +
                 " eV  I=" + NumberTextInWidth(ScaleToPrefix(G.CursorIntensity, prefix), kReadoutWidth) + " / " +
                 NumberTextInWidth(ScaleToPrefix(G.MouseIntensity, prefix), kReadoutWidth) + " " +
                 win.IntensityUnit;
  plat::SetCaption(w, G.StatusText);
  if (G.CurrentWindow == w) G.PickedHeight = G.MouseIntensity;
}

void ChemicalStateReadout(int w) {
  WindowRecord& win = Win[w];
  if (!win.WindowOpen) return;
  plat::SetDrawingWindow(w);
  plat::Canvas& c = plat::Surface();
  const double tick = TickLength(G.TickSize, c.Height());
  const double F3 = LineHeightOf(c, kTickNumberClass);
  G.SpacingUnit = Pixel16(F3 * 0.5);
  UseClassFont(c, kTickNumberClass);
  const int ticks = std::clamp<int>(win.YTickCount, 0, 100);
  double left = 0, right = 0;
  for (int t = 0; t <= ticks; ++t) {
    left = std::max(left, c.TextWidth(G.YTickText[t]));
    right = std::max(right, c.TextWidth(G.ThirdTickText[t]));
  }
  const double grow = 1.5 * LineHeightOf(c, kAxisTitleClass) + CharWidthOf(c, kTickNumberClass) +
                      ((G.TickDirection == 1 || G.TickDirection == 2) ? tick : 0);
  G.PlotLeft = Pixel16(left + grow);
  G.PlotRight = Pixel16(right + grow);
  G.PlotWidth = Pixel16(c.Width() - G.PlotLeft - G.PlotRight);
  G.PixelsPerEnergy = G.PlotWidth / NonZero(win.ChemStateXMax - win.ChemStateXMin);
  G.PixelsPerIntensity = win.WindowPlotHeight / NonZero(win.ChemStateYMax - win.ChemStateYMin);
  const double x = plat::MouseX(w);
  const double y = plat::MouseY(w);
  G.CursorEnergy = RoundTo(win.ChemStateXMax - (x - G.PlotLeft) / NonZero(G.PixelsPerEnergy), 10);
  G.CursorIntensity = RoundTo(win.ChemStateYMax - (y - G.SpacingUnit) / NonZero(G.PixelsPerIntensity), 10);
  G.StatusText = G.ReadoutPrefix + Num(w) + ": " + win.ChemStateListName + " AP=" +
                 Num(G.CursorEnergy + G.CursorIntensity) + " eV Ebin=" + Num(G.CursorEnergy) + " eV Ekin=" +
                 Num(G.CursorIntensity) + " eV";
  plat::SetCaption(w, G.StatusText);
}

std::string MemberSpan(const WindowRecord& win) {
  const int last = std::clamp<int>(win.MemberCount, 1, 100);
  return win.MemberName[1] + " - " + win.MemberName[last];
}

void MultiSpectrumMouse(int w) {
  WindowRecord& win = Win[w];
  if (win.WindowKind == StackedCurves) {
    if (plat::MouseButtons() == plat::kMiddleButton) {
      win.ShowMaximumTrace = win.ShowMaximumTrace == 0 ? 1 : 0;
      RedrawWindow(w);
    }
    plat::Sleep(kStackedWait);
  }
  if (plat::MouseButtons() == plat::kRightButton) {
    win.MembersReversed = win.MembersReversed == 0 ? 1 : 0;
    ReverseMemberOrder(w);
    RedrawWindow(w);
  }
  if (win.WindowKind == Waterfall || win.WindowKind == MirroredWaterfall) {
    G.StatusText = G.ReadoutPrefix + Num(w) + ": " + MemberSpan(win);
  } else {
    RecallPlotLayout(w);
    plat::SetDrawingWindow(w);
    plat::Canvas& c = plat::Surface();
    G.PlotWidth = Pixel16(IntPart((c.Width() - G.PlotLeft - 10) / 5.0) * 5);
    G.PixelsPerEnergy = G.PlotWidth / NonZero(win.MultiXSpan);
    G.FirstPointX = G.PlotLeft + std::fabs(win.MultiXLeft - win.MultiFirstEnergy) * G.PixelsPerEnergy;
    const plat::MouseState state = plat::MouseStateIn(w);
    G.MouseX = state.x;
    G.MouseY = state.y;
    G.MouseButtons = state.buttons;
    const double xStep = G.PixelsPerEnergy * win.MultiEnergyStep;
    if (xStep != 0 && std::isfinite(xStep)) {
      G.CursorChannel = IntPart((G.MouseX - G.FirstPointX) / xStep + win.MultiRegionStart + 1);
    }
    G.CursorChannel = std::clamp<double>(G.CursorChannel, win.MultiRegionStart, win.MultiRegionEnd);
    const double offset = (G.CursorChannel - win.MultiRegionStart) * win.MultiEnergyStep;
    G.CursorEnergy = RoundTo(G.EnergyAxisMode == 0 ? win.MultiFirstEnergy - offset : win.MultiFirstEnergy + offset, 100);
    G.StatusText = G.ReadoutPrefix + Num(w) + ": " + MemberSpan(win) + "  E=" + Num(G.CursorEnergy) + " eV";
  }
  plat::SetCaption(w, G.StatusText);
}

}  // namespace

double IntensityAtRow(int w, double y) {
  const WindowRecord& win = Win[w];
  if (win.WindowPlotHeight == 0) return 0;
  plat::SetDrawingWindow(w);
  const double F3 = LineHeightOf(plat::Surface(), kTickNumberClass);
  return win.YAxisTop - (y - F3 / 2) * (win.YAxisTop - win.YAxisBottom) / win.WindowPlotHeight;
}

void HandleSpectrumMouse(int w) {
  WindowRecord& win = Win[w];
  const double step = win.SpectrumHeader.EnergyStep;
  if (!(win.XAxisSpan > 0) || step == 0 || !std::isfinite(step)) return;
  LayOutSingleSpectrum(w);
  const plat::MouseState state = plat::MouseStateIn(w);
  G.MouseX = state.x;
  G.MouseY = state.y;
  G.MouseButtons = state.buttons;

  const double xStep = G.PixelsPerEnergy * step;
  if (xStep == 0 || !std::isfinite(xStep)) return;
  const double channel = IntPart((G.MouseX - G.FirstPointX) / xStep + win.RegionStart + 1);
  G.CursorChannel = channel;
  const bool inRegion = channel >= win.RegionStart && channel <= win.RegionEnd;

  if (EditPointsTicked() && G.MouseButtons == plat::kLeftButton && inRegion) {
    EditPoint(w, static_cast<int>(channel));
  }
  if (!EditPointsTicked() && win.HasFit == 0 && !PagePicking() && inRegion) {
    PickRegion(w, channel);
  }

  G.CursorChannel = std::clamp<double>(channel, win.RegionStart, win.RegionEnd);
  const int c = static_cast<int>(G.CursorChannel);
  const double offset = (G.CursorChannel - win.RegionStart) * step;
  G.CursorEnergy = RoundTo(G.EnergyAxisMode == 0 ? win.FirstEnergy - offset : win.FirstEnergy + offset, 100);
  if (!SlotData[w].Contains(c, 2)) return;
  G.CursorIntensity = SlotData[w](c, 1);
  if (win.BackgroundState == BackgroundDefined || win.BackgroundState == BackgroundFitted)
    G.CursorIntensity -= SlotData[w](c, 2);
}

void HandleWindowMouse(int w) {
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  switch (Win[w].WindowKind) {
    case SingleSpectrum:
      HandleSpectrumMouse(w);
      SingleSpectrumReadout(w);
      PlacePendingLabels(w);
      PickIntoDialogPages(w);
      break;
    case ChemicalStatePlot:
      PlacePendingLabels(w);
      ChemicalStateReadout(w);
      PickIntoDialogPages(w);
      break;
    default:
      MultiSpectrumMouse(w);
      PlacePendingLabels(w);
      break;
  }
}

}  // namespace sorvan
