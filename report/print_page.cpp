// The one-page printout of a spectrum window (see print_page.h).
#include "report/print_page.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "core/fitted_text.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/store.h"
#include "display/axis_math.h"
#include "display/draw_support.h"
#include "display/labels_text.h"
#include "display/plotters.h"
#include "display/redraw.h"
#include "display/view_target.h"
#include "display/views.h"
#include "display/window_labels.h"
#include "fit/fit_format.h"
#include "fit/fit_vector.h"
#include "platform/canvas.h"
#include "platform/files.h"
#include "platform/printer.h"
#include "platform/surfaces.h"
#include "platform/text.h"
#include "report/print_blocks.h"

namespace sorvan {

namespace {

// Int(x * 100 + 0.5) / 100 as the program's number text.
std::string Hundredths(double x) { return plat::NumberToText(std::floor(x * 100 + 0.5) / 100); }

int TickCount(double count) {
  if (!std::isfinite(count)) return 0;
  return std::clamp(static_cast<int>(count), 0, 100);
}

// The peaks a printout counts: a transmission window counts 2 while its page
// is laid out; the window's own PeakCount is never changed by printing.
int PrintedPeakCount(const WindowRecord& win) {
  if (win.TransmissionActive == 1) return 2;
  return std::clamp<int>(win.PeakCount, 0, kMaxPeaks);
}

// The energies of row 1 of the header boxes: binding energies on the binding
// scale, the stored kinetic energies otherwise.
double ShownEnergy(const SpectrumHeaderRecord& h, double kinetic) {
  if (G.EnergyAxisMode == 0) return std::floor((h.ExcitationEnergy - kinetic) * 100 + 0.5) / 100;
  return kinetic;
}

std::string Num(double v) { return plat::NumberToText(v); }

double WidestTickText(plat::Canvas& c, int count, bool y) {
  double widest = 0;
  for (int t = 0; t <= count; ++t) widest = std::max(widest, c.TextWidth(y ? G.YTickText[t] : G.XTickText[t]));
  return widest;
}

}  // namespace

plat::FontSpec PrintTextFont() {
  plat::FontSpec f;
  f.name = "Arial";
  f.size = 8;
  return f;
}

std::string FittedText(plat::Canvas& page, const std::string& text, double width) {
  return TextCutToWidth(text, width, [&page](const std::string& t) { return page.TextWidth(t); });
}

std::string FittedPath(plat::Canvas& page, const std::string& label, const std::string& path, double width) {
  return PathCutToWidth(label, path, width, [&page](const std::string& t) { return page.TextWidth(t); });
}

PrintMetrics MeasurePrintPage(plat::Canvas& page) {
  PrintMetrics m;
  m.W = plat::PageWidth() / 1.03;
  m.H = plat::PageHeight() / 1.02;
  const double size = G.PrintTickSize;
  m.t = size == 0 ? m.W / 150 : (size == 1 ? m.W / 100 : m.W / 50);
  m.c = m.W / 130;
  m.r = m.H / 80;
  const plat::FontSpec keep = page.State().font;
  for (int k = 10; k <= 13; ++k) {
    page.SetFont(ClassFont(k));
    m.cw[k - 10] = page.TextWidth("abGFdwnbdGhtek") / 14;
    m.th[k - 10] = page.TextHeight("XPS");
  }
  page.SetFont(keep);
  return m;
}

std::vector<std::vector<std::string>> WideHeaderTexts(int w) {
  const WindowRecord& win = Win[w];
  const auto& M = G.MessageTexts;
  std::vector<std::vector<std::string>> rows(6, std::vector<std::string>(3));
  if (win.WindowKind >= ColourMap && win.WindowKind <= MirroredWaterfall) {
    const int n = std::clamp<int>(win.MemberCount, 0, 100);
    const std::string names = win.MemberLabel[n >= 1 ? 1 : 0] + " - " + win.MemberLabel[n];
    SpectrumHeaderRecord h;
    h.ExcitationEnergy = win.MultiExcitationEnergy;
    rows[0][0] = M[81] + " " + names;
    rows[0][2] = M[115] + " " + plat::ShownPath(win.MultiSourcePath);
    rows[1][0] = M[98] + " " + Num(ShownEnergy(h, win.MultiEndEnergy)) + " eV";
    rows[1][1] = M[99] + " " + Num(ShownEnergy(h, win.MultiStartEnergy)) + " eV";
    rows[1][2] = M[118] + " " + win.MultiTechnique;
    rows[2][0] = M[103] + " " + Num(win.MultiPassEnergy) + " eV";
    rows[2][1] = M[100] + " " + Num(win.MultiDwellTime) + " s";
    rows[2][2] = M[12] + ": " + Num(win.MultiExcitationEnergy) + " eV";
    rows[3][0] = M[116] + " " + Num(win.MultiPointCount);
    rows[3][1] = M[101] + " " + Num(win.MultiScanCount);
    rows[3][2] = M[119] + " " + win.MultiSourceInfo;
    rows[4][0] = M[102] + " " + Num(win.MultiEnergyStep) + " eV";
    rows[4][1] = M[117] + " " + Hundredths(win.MultiEnergyShift + G.GlobalEnergyOffset) + " eV";
    rows[5][0] = M[96] + " " + win.MultiComment;
    rows[5][2] = M[97] + " " + win.MultiDate;
    return rows;
  }
  const SpectrumHeaderRecord& h = win.SpectrumHeader;
  rows[0][0] = M[81] + " " + h.Name;
  rows[0][1] = M[115] + " " + plat::ShownPath(win.SourcePath);
  rows[1][0] = M[98] + " " + Num(ShownEnergy(h, h.EndEnergy)) + " eV";
  rows[1][1] = M[99] + " " + Num(ShownEnergy(h, h.StartEnergy)) + " eV";
  rows[1][2] = M[118] + " " + h.Technique;
  rows[2][0] = M[103] + " " + Num(h.PassEnergy) + " eV";
  rows[2][1] = M[100] + " " + Num(h.DwellTime) + " s";
  rows[2][2] = M[12] + ": " + Num(h.ExcitationEnergy) + " eV";
  rows[3][0] = M[116] + " " + Num(h.PointCount);
  rows[3][1] = M[101] + " " + Num(h.ScanCount);
  rows[3][2] = M[119] + " " + h.SourceInfo;
  rows[4][0] = M[102] + " " + Num(h.EnergyStep) + " eV";
  rows[4][1] = M[117] + " " + Hundredths(win.EnergyShift + G.GlobalEnergyOffset) + " eV";
  rows[5][0] = M[96] + " " + h.Comment;
  rows[5][2] = M[97] + " " + h.Date;
  return rows;
}

std::vector<std::string> NarrowHeaderTexts(int w) {
  const WindowRecord& win = Win[w];
  const SpectrumHeaderRecord& h = win.SpectrumHeader;
  const auto& M = G.MessageTexts;
  return {M[81],
          h.Name,
          M[115],
          plat::ShownPath(win.SourcePath),
          M[12] + ":",
          Num(h.ExcitationEnergy) + " eV",
          M[120],
          Num(ShownEnergy(h, h.EndEnergy)) + ", " + Num(ShownEnergy(h, h.StartEnergy)) + " eV",
          M[118],
          h.Technique + ", " + Num(h.PassEnergy) + " eV",
          M[100],
          Num(h.DwellTime) + " s",
          M[116],
          Num(h.PointCount),
          M[101],
          Num(h.ScanCount),
          M[102],
          Num(h.EnergyStep) + " eV",
          M[117],
          Hundredths(win.EnergyShift + G.GlobalEnergyOffset) + " eV",
          M[119],
          h.SourceInfo,
          M[96],
          h.Comment,
          M[97],
          h.Date};
}

PrintZone LayoutPrintZone(int w, int k, const PrintMetrics& m, plat::Canvas& page) {
  const WindowRecord& win = Win[w];
  PrintZone z;
  z.window = w;
  z.kind = win.WindowKind;
  const double W = m.W, H = m.H, t = m.t, c = m.c, r = m.r;
  const double th12 = m.th[2], th13 = m.th[3], cw13 = m.cw[3];
  z.halfPage = G.PrintSecondWindow == 1 || Win[0].PrintHeaderBlock == 1;
  const double B = z.halfPage ? H / 2 : H;
  const double off = k == 1 ? H / 2 : 0;
  z.zoneTop = off;
  z.zoneBottom = off + B;
  const bool header = win.PrintHeaderBlock == 1;
  const double dirRoom = G.PrintTickDirection != 0 ? t : 0;
  page.SetFont(ClassFont(13));

  if (z.kind == ChemicalStatePlot) {
    MakeChemicalStateTickLabels(w);
    const double Y = WidestTickText(page, TickCount(win.YTickCount), true);
    z.PL = W / 20 + Y + 1.5 * th12 + cw13;
    z.PT = H / 60 + H / 150;
    z.PB = B - H / 60 - 2 * th13 - th12;
    z.PR = W - z.PL;
    if (header) {
      z.sideBox = true;
      z.PR -= W / 4;
      z.sideLeft = z.PR + z.PL - W / 20;
    }
  } else if (z.kind >= ColourMap && z.kind <= MirroredWaterfall) {
    double left = 1.75 * th12;
    if ((z.kind == ColourMap || z.kind == StackedCurves) && win.ShowYScale == 1) {
      double widest = 0;
      for (int i = 0; i <= std::clamp<int>(win.MemberCount, 0, 100); ++i)
        widest = std::max(widest, page.TextWidth(win.MemberLabel[i]));
      left = widest + 1.5 * th12 + cw13;
    }
    z.PL = W / 20 + left;
    z.PR = W - W / 45;
    z.PT = H / 60 + H / 150;
    if (header) {
      z.wideHeader = true;
      z.hbLeft = W / 20;
      z.hbTop = H / 60;
      z.hbRight = z.PR;
      z.hbBottom = H / 60 + 6.5 * r;
      z.PT = H / 60 + 6.5 * r + 2 * H / 150;
    }
    const double height = std::floor((B - H / 60 - 4 * r - z.PT) / 5) * 5;
    z.PB = z.PT + std::max(height, 5.0);
  } else {
    MakeUnitAndTickLabels(w);
    const int xTicks = TickCount(win.XTickCount);
    const double Y = WidestTickText(page, TickCount(win.YTickCount), true);
    z.PL = W / 20 + (win.ShowYScale == 1 ? Y + 1.5 * th12 + cw13 + dirRoom : 1.75 * th12);
    z.hasFit = win.HasFit == 1;
    z.peakCount = PrintedPeakCount(win);
    z.tableRows = (IsDoubletWindow(w) ? 2 * z.peakCount : z.peakCount) + 2 +
                  (win.BackgroundState == BackgroundFitted ? 1 : 0);
    z.fitTable = z.hasFit && win.PrintFitTable == 1;
    const double P = z.fitTable ? z.tableRows : 0;
    const double lastX = page.TextWidth(G.XTickText[xTicks]);
    if (!z.hasFit) {
      z.layoutCase = header ? 'B' : 'A';
      z.PR = header ? W - W / 45 : W - lastX / 1.3;
      z.PT = header ? H / 60 + 6.5 * r + 2 * H / 150 : H / 80 + H / 150;
      z.PB = B - H / 60 - 2 * th13 - th12;
      if (header) {
        z.wideHeader = true;
        z.hbLeft = W / 20;
        z.hbTop = H / 60;
        z.hbRight = z.PR;
        z.hbBottom = H / 60 + 6.5 * r;
      }
    } else {
      z.strip = true;
      z.layoutCase = !header ? 'C' : (z.halfPage ? 'D' : 'E');
      double bw = 0, g = 0;
      if (z.layoutCase == 'D') {
        page.SetFont(PrintTextFont());
        // The box holds its longest label, and the statistics lines whole:
        // their numbers are never cut.
        double widestText = page.TextWidth(G.MessageTexts[12]);
        if (z.fitTable)
          for (int i = 0; i < 3; ++i) widestText = std::max(widestText, page.TextWidth(StatisticsLine(w, i)));
        bw = widestText + 4 * c;
        page.SetFont(ClassFont(13));
        double widest = lastX;
        const int other = G.OtherWindow;
        if (G.PrintSecondWindow == 1 && IsSpectrumWindow(other) && other != w && Win[other].WindowOpen &&
            Win[other].WindowKind == SingleSpectrum) {
          MakeUnitAndTickLabels(other);
          widest = std::max(widest, page.TextWidth(G.XTickText[TickCount(Win[other].XTickCount)]));
          MakeUnitAndTickLabels(w);
        }
        g = widest / 2 + W / 160;
      }
      z.PR = W - W / 45 - (z.layoutCase == 'D' ? W / 80 + bw : 0);
      z.PT = z.layoutCase == 'E' ? H / 80 + 6.5 * r + 2 * H / 150 : H / 80 + H / 150;
      z.Zb = z.layoutCase == 'D' ? H / 2 - H / 80 : (z.layoutCase == 'E' ? H - H / 80 : B - H / 60);
      const double stripHeight =
          (z.layoutCase == 'D' || G.PrintSecondWindow == 1) ? H / 17 : H / 8;
      // Rows of the table, shrunk when the plot would otherwise get less
      // than a minimum height (many doublet peaks on half a page).
      const double minPlot = H / 20;
      double row = r;
      for (int pass = 0; pass < 2; ++pass) {
        z.rowHeight = row;
        z.tableTop = z.Zb - P * row;
        z.Rb = z.fitTable ? z.tableTop - H / 150 : z.Zb;
        z.Rt = z.Rb - stripHeight;
        z.PB = z.Rt - 3 * th13 - th12 - dirRoom;
        const double deficit = minPlot - (z.PB - z.PT);
        if (deficit <= 0 || P <= 0) break;
        row = std::max(r / 4, row - deficit / P);
      }
      z.PB += dirRoom;  // taken off again below, as for every case
      z.tableLeft = W / 20;
      z.tableRight = z.PR;
      if (z.layoutCase == 'D') {
        z.narrowHeader = true;
        z.bw = bw;
        z.Xn = z.PR + g;
        z.nbTop = z.PT - H / 150;
        z.nbBottom = z.fitTable ? (z.Zb - 4 * r) - H / 120 : z.Rb;
        z.tableRight = z.Xn - W / 80;
        if (z.fitTable) {
          z.statsBox = true;
          z.sbTop = z.Zb - 4 * r;
          z.sbBottom = z.Zb;
        }
      } else if (z.layoutCase == 'E') {
        z.wideHeader = true;
        z.hbLeft = z.PL - W / 20;
        z.hbTop = H / 80;
        z.hbRight = z.PR;
        z.hbBottom = H / 80 + 6.5 * r;
      }
    }
    z.PB -= dirRoom;
    if (z.PB - z.PT < 1) z.PB = z.PT + 1;
  }
  // The zone's offset on the page.
  for (double* y : {&z.PT, &z.PB, &z.Zb, &z.tableTop, &z.Rt, &z.Rb, &z.hbTop, &z.hbBottom, &z.nbTop,
                    &z.nbBottom, &z.sbTop, &z.sbBottom})
    *y += off;
  return z;
}

namespace {

// ---- Drawing of a single spectrum in the printer frame ----

struct Painter {
  plat::Canvas& c;
  const PrintMetrics& m;
  const PrintZone& z;
  int w;

  int FramePen() const {
    const double width = G.LineWidths[10] * m.W / 1200;
    return std::isfinite(width) ? static_cast<int>(plat::RoundHalfEven(std::clamp(width, 0.0, 10000.0))) : 0;
  }
  void UseFrame() {
    c.SetColour(ColourOf(G.LineColours[10]));
    c.SetPenWidth(FramePen());
    c.SetPenStyle(plat::PenStyle::Solid);
  }
  void Curve(int kind) {
    PrintCurve(w, G.CurveColours[kind], G.CurveStyles[kind], G.CurveWidths[kind]);
  }
  void Styled(int kind, double x1, double y1, double x2, double y2) {
    SetLineEnds(x1, y1, x2, y2);
    const double style = G.LineStyles[kind];
    PrintStyledLine(w, ColourOf(G.LineColours[kind]),
                    std::isfinite(style) ? static_cast<int>(plat::RoundHalfEven(style)) : -1,
                    G.LineWidths[kind]);
  }
  // Maps `values` (+ `added`) over the region into CurveX/CurveY, y clamped
  // to H/70 beyond the frame.
  void Map(const CheckedVector<double>& values, const CheckedVector<double>* added, double top,
           double bottom, double middle, double scale) {
    const WindowRecord& win = Win[w];
    EnsureCurveTables(w);
    const long long n = std::min<long long>(win.RegionLength, G.CurveX.Upper());
    const double step = G.PixelsPerEnergy * win.SpectrumHeader.EnergyStep;
    for (long long i = 1; i <= n; ++i) {
      const long long p = win.RegionStart + i - 1;
      double v = values.Contains(p) ? values[p] : 0;
      if (added != nullptr && added->Contains(p)) v += (*added)[p];
      const double y = std::clamp(middle - v * scale, top, bottom);
      G.CurveX[i] = PixelFromDouble(G.FirstPointX + step * static_cast<double>(i - 1));
      G.CurveY[i] = PixelFromDouble(y);
    }
  }
  void MapPlot(const CheckedVector<double>& values, const CheckedVector<double>* added) {
    const WindowRecord& win = Win[w];
    // y = PB - (v - bottom) * scale  ==  (PB + bottom * scale) - v * scale
    Map(values, added, z.PT - m.H / 70, z.PB + m.H / 70,
        z.PB + win.YAxisBottom * G.PixelsPerIntensity, G.PixelsPerIntensity);
  }
  void Tick(bool horizontalEdge, double along, double edge, double length, double inward) {
    const double dir = G.PrintTickDirection;
    if (horizontalEdge) {
      if (dir == 1) c.Line(along, edge, along, edge - inward * length);
      else if (dir == 2) c.Line(along, edge - inward * length, along, edge + inward * length);
      else c.Line(along, edge, along, edge + inward * length);
    } else {
      if (dir == 1) c.Line(edge, along, edge - inward * length, along);
      else if (dir == 2) c.Line(edge - inward * length, along, edge + inward * length, along);
      else c.Line(edge, along, edge + inward * length, along);
    }
  }
};

void PrintSingleSpectrum(Painter& p) {
  const int w = p.w;
  WindowRecord& win = Win[w];
  plat::Canvas& c = p.c;
  const PrintZone& z = p.z;
  const PrintMetrics& m = p.m;
  const double PL = z.PL, PR = z.PR, PT = z.PT, PB = z.PB, H = m.H, W = m.W, t = m.t;
  const double PW = PR - PL, PH = PB - PT;
  const int xTicks = TickCount(win.XTickCount), yTicks = TickCount(win.YTickCount);
  G.PixelsPerEnergy = PW / NonZero(win.XAxisSpan);
  G.PixelsPerIntensity = PH / NonZero(win.YAxisTop - win.YAxisBottom);
  G.FirstPointX = std::fabs(win.XAxisLeft - win.FirstEnergy) * G.PixelsPerEnergy + PL;
  for (int k = 0; k <= xTicks; ++k) G.XTickPixel[k] = PL + k * PW / std::max(xTicks, 1);
  for (int k = 0; k <= yTicks; ++k) G.YTickPixel[k] = PT + k * PH / std::max(yTicks, 1);

  // 1-2. Curves.
  const int first = win.RegionStart, last = win.RegionEnd;
  const bool background =
      win.BackgroundState == BackgroundDefined || win.BackgroundState == BackgroundFitted;
  LoadWorkData(w, 1, first, last);
  p.MapPlot(WorkData, nullptr);
  p.Curve(SpectrumCurve + 10);
  if (background) {
    LoadWorkBackground(w, 2, first, last);
    p.MapPlot(WorkBackground, nullptr);
    p.Curve(BackgroundCurve + 10);
  }
  if (win.SatelliteState == SatellitesPreview) {
    LoadWorkData(w, 3, first, last);
    p.MapPlot(WorkData, nullptr);
    p.Curve(SatelliteCurve + 10);
  }
  const int peaks = win.TransmissionActive == 1 ? 1 : z.peakCount;
  if (z.hasFit) {
    LoadWorkBackground(w, 2, first, last);
    for (int k = 1; k <= peaks + 1; ++k) {
      LoadComponent(w, k, first, last);
      p.MapPlot(WorkData, background ? &WorkBackground : nullptr);
      p.Curve(k <= peaks ? PeakCurve + 10 : SumCurve + 10);
    }
  }

  // 3. Cover the clamped overshoot outside the frame.
  c.SetOpaqueText(true);
  c.SetColour(G.PrintBackColour);
  c.SetPenWidth(0);
  c.SetPenStyle(plat::PenStyle::Solid);
  c.FilledBox(-1, z.zoneTop, W, PT - H / 150);
  c.FilledBox(-1, PB + H / 150, W, z.zoneBottom);
  c.SetOpaqueText(false);

  // 4-5. Frame, strip and table boxes.
  p.UseFrame();
  c.Box(PL, PT - H / 150, PR, PB + H / 150);
  if (z.strip) {
    c.Box(PL, z.Rt, PR, z.Rb);
    if (z.fitTable) c.Box(z.tableLeft, z.tableTop, z.tableRight, z.Zb);
    p.UseFrame();
  }

  // 6. X ticks.
  p.UseFrame();
  const double y0 = PB + H / 150, yTop = PT - H / 150;
  const bool outside = G.PrintTickDirection != 0;
  for (int k = 0; k <= xTicks; ++k) {
    p.Tick(true, G.XTickPixel[k], y0, t, -1);
    if (G.PrintTopTicks == 1) c.Line(G.XTickPixel[k], yTop, G.XTickPixel[k], yTop + t);
  }
  if (G.PrintMinorTicksX == 1 && xTicks > 0)
    for (int k = 0; k < xTicks; ++k) {
      const double x = G.XTickPixel[k] + PW / (2.0 * xTicks);
      p.Tick(true, x, y0, t / 2, -1);
      if (G.PrintTopTicks == 1) c.Line(x, yTop, x, yTop + t / 2);
    }

  // 7. X tick labels and the x title.
  const double th13 = m.th[3], th12 = m.th[2], cw13 = m.cw[3];
  UseClassFont(c, 13);
  for (int k = 0; k <= xTicks; ++k) {
    const std::string& text = G.XTickText[k];
    c.Text(G.XTickPixel[k] - c.TextWidth(text) / 2, y0 + 0.4 * th13 + (outside ? t : 0), text);
  }
  UseClassFont(c, 12);
  c.Text(PL + PW / 2 - c.TextWidth(win.XAxisTitle) / 2, y0 + 1.7 * th13 + (outside ? t : 0), win.XAxisTitle);

  // 8-9. Y ticks, labels and title.
  if (win.ShowYScale == 1) {
    p.UseFrame();
    for (int k = 0; k <= yTicks; ++k) {
      p.Tick(false, G.YTickPixel[k], PL, t, 1);
      if (G.PrintRightTicks == 1) p.Tick(false, G.YTickPixel[k], PR, t, -1);
    }
    if (G.PrintMinorTicksY == 1 && yTicks > 0)
      for (int k = 1; k <= yTicks; ++k) {
        const double y = G.YTickPixel[k] - PH / (2.0 * yTicks);
        p.Tick(false, y, PL, t / 2, 1);
        if (G.PrintRightTicks == 1) p.Tick(false, y, PR, t / 2, -1);
      }
    UseClassFont(c, 13);
    double widest = 0;
    for (int k = 0; k <= yTicks; ++k) {
      const std::string& text = G.YTickText[k];
      widest = std::max(widest, c.TextWidth(text));
      c.Text(PL - cw13 - c.TextWidth(text) - (outside ? t : 0), G.YTickPixel[k] - th13 / 2, text);
    }
    UseClassFont(c, 12);
    c.SetEscapement(900);
    const double titleX = PL - (outside ? t : 0) - widest - 2 * cw13 - th12;
    c.Text(titleX, PT + PH / 2 + c.TextWidth(win.YAxisTitle) / 2, win.YAxisTitle);
    c.SetEscapement(0);
  }

  // 10. Grid lines.
  if (win.YGridLines == 1)
    for (int k = 1; k < yTicks; ++k) p.Styled(GridLine + 10, PL, G.YTickPixel[k], PR, G.YTickPixel[k]);
  if (win.XGridLines == 1)
    for (int k = 1; k < xTicks; ++k) p.Styled(GridLine + 10, G.XTickPixel[k], yTop, G.XTickPixel[k], y0);

  // 11. The window's labels at their data positions.
  const double axisLeft = win.XAxisLeft;
  auto labelX = [&](double energy) {
    const double along = G.EnergyAxisMode == 0 ? axisLeft - energy : energy - axisLeft;
    return PL + along * G.PixelsPerEnergy;
  };
  auto labelY = [&](double v) { return PB - (v - win.YAxisBottom) * G.PixelsPerIntensity; };
  for (int cls : {11, 10}) {
    UseClassFont(c, cls);
    const int count = cls == 11 ? win.AnnotationCount : win.TitleLabelCount;
    for (int k = 1; k <= std::min(count, 100); ++k) {
      if (LabelWaiting(w, cls == 10, k)) continue;  // not placed yet
      const LabelRecord& label = Labels[(w - 1) * 100 + k];
      if (cls == 11 && !label.AnnotationText.empty())
        c.Text(labelX(label.AnnotationX), labelY(label.AnnotationY), label.AnnotationText);
      if (cls == 10 && !label.TitleLabelText.empty())
        c.Text(labelX(label.TitleLabelX), labelY(label.TitleLabelY), label.TitleLabelText);
    }
  }

  // 12. The residual strip.
  if (z.strip) {
    const double h = z.Rb - z.Rt, middle = (z.Rt + z.Rb) / 2;
    p.Styled(ZeroLine + 10, PL, middle, PR, middle);
    const double mres = std::max(std::fabs(win.ResidualMin), std::fabs(win.ResidualMax));
    G.ResidualScale = mres > 0 && std::isfinite(mres) ? h / (2 * mres) : h / 2;
    LoadComponent(w, peaks + 2, first, last);
    p.Map(WorkData, nullptr, z.Rt, z.Rb, middle, G.ResidualScale);
    p.Curve(ResidualCurve + 10);
    if (G.ResidualScale < h / 2) {
      p.Styled(ResidualLimitLine + 10, PL, middle - G.ResidualScale, PR, middle - G.ResidualScale);
      p.Styled(ResidualLimitLine + 10, PL, middle + G.ResidualScale, PR, middle + G.ResidualScale);
      p.UseFrame();
      p.Tick(false, middle - G.ResidualScale, PL, t, 1);
      p.Tick(false, middle + G.ResidualScale, PL, t, 1);
      if (win.ShowYScale == 1 && G.ResidualScale > 0.3 * th13) {
        UseClassFont(c, 13);
        c.Text(PL - cw13 - c.TextWidth("1") - (outside ? t : 0), middle - G.ResidualScale - th13 / 2, "1");
        c.Text(PL - cw13 - c.TextWidth("-1") - (outside ? t : 0), middle + G.ResidualScale - th13 / 2, "-1");
      }
    }
    UseClassFont(c, 12);
    c.SetEscapement(900);
    c.Text(PL - (outside ? t : 0) - 2 * cw13 - 2 * th12, middle + c.TextWidth(win.ResidualTitle) / 2,
           win.ResidualTitle);
    c.SetEscapement(0);
  }
}

void PrintChemicalState(Painter& p) {
  const int w = p.w;
  const WindowRecord& win = Win[w];
  plat::Canvas& c = p.c;
  const PrintZone& z = p.z;
  const PrintMetrics& m = p.m;
  const double PL = z.PL, PR = z.PR, PT = z.PT, PB = z.PB, H = m.H, t = m.t;
  const double PW = PR - PL, PH = PB - PT;
  const ChemicalStateAxes axes = ChemicalStateAxesOf(w);
  const double SX = axes.spanX, SY = axes.spanY;
  MakeChemicalStateTickLabels(w);
  const int n = std::clamp(static_cast<int>(win.ChemStatePointCount), 0, 100);
  LoadWorkData(w, 1, 1, n);
  LoadWorkBackground(w, 2, 1, n);
  LoadWorkSigma(w, 3, 1, n);
  // Pixels of a point `east` eV right of the left edge, `down` eV below the
  // top edge: binding energy falls to the right, kinetic energy downwards.
  G.PixelsPerEnergy = PW / SX;
  G.PixelsPerIntensity = PH / SY;
  auto xAt = [&](double east) { return PL + east * G.PixelsPerEnergy; };
  auto yAt = [&](double down) { return PT + down * G.PixelsPerIntensity; };
  const double yTop = PT - H / 150, y0 = PB + H / 150;

  // Grid at the inner ticks and the diagonals of constant Auger parameter.
  for (int k = 1; k < axes.ticksX; ++k) {
    const double x = xAt(k * axes.stepX);
    p.Styled(GridLine + 10, x, yTop, x, y0);
  }
  for (int k = 1; k < axes.ticksY; ++k) {
    const double y = yAt(k * axes.stepY);
    p.Styled(GridLine + 10, PL, y, PR, y);
  }
  for (const ChemicalStateLine& l : ChemicalStateAugerLines(w))
    p.Styled(AugerParameterLine + 10, xAt(l.east1), yAt(l.down1), xAt(l.east2), yAt(l.down2));

  // Frame and ticks; this plot keeps the screen's tick options.
  p.UseFrame();
  c.Box(PL, yTop, PR, y0);
  const double dir = G.TickDirection;
  const double lower = dir == 1 || dir == 2 ? t : 0;  // labels below outside ticks
  for (int k = 0; k <= axes.ticksX; ++k) DirectedTick(c, true, xAt(k * axes.stepX), y0, t, -1, dir);
  if (G.MinorTicksX == 1)
    for (int k = 0; k < axes.ticksX; ++k) DirectedTick(c, true, xAt((k + 0.5) * axes.stepX), y0, t / 2, -1, dir);
  if (win.ShowYScale == 1) {
    auto sideTicks = [&](double y, double length) {
      DirectedTick(c, false, y, PL, length, 1, dir);
      DirectedTick(c, false, y, PR, length, -1, dir);
    };
    for (int k = 0; k <= axes.ticksY; ++k) sideTicks(yAt(k * axes.stepY), t);
    if (G.MinorTicksY == 1)
      for (int k = 0; k < axes.ticksY; ++k) sideTicks(yAt((k + 0.5) * axes.stepY), t / 2);
  }

  // Tick labels: binding energy below, kinetic energy on the left, the
  // Auger parameter on the right.
  UseClassFont(c, 13);
  for (int k = 0; k <= axes.ticksX; ++k) {
    const std::string& text = G.XTickText[k];
    c.Text(xAt(k * axes.stepX) - c.TextWidth(text) / 2, y0 + 0.4 * m.th[3] + lower, text);
  }
  double widestLeft = 0, widestRight = 0;
  for (int k = 0; k <= axes.ticksY; ++k) {
    const double y = yAt(k * axes.stepY) - m.th[3] / 2;
    const double left = c.TextWidth(G.YTickText[k]);
    widestLeft = std::max(widestLeft, left);
    widestRight = std::max(widestRight, c.TextWidth(G.ThirdTickText[k]));
    c.Text(PL - m.cw[3] - left - lower, y, G.YTickText[k]);
    c.Text(PR + m.cw[3] + lower, y, G.ThirdTickText[k]);
  }

  // Titles: binding energy below, the other two turned upright beside the
  // tick labels.
  UseClassFont(c, 12);
  c.Text(PL + PW / 2 - c.TextWidth(G.BindingEnergyTitle) / 2, y0 + 1.7 * m.th[3] + lower, G.BindingEnergyTitle);
  const std::string augerTitle = G.LabelTexts[82] + " / eV";
  c.SetEscapement(900);
  c.Text(PL - lower - widestLeft - 2 * m.cw[3] - m.th[2], PT + PH / 2 + c.TextWidth(G.KineticEnergyTitle) / 2,
         G.KineticEnergyTitle);
  c.Text(PR + lower + widestRight + 2 * m.cw[3], PT + PH / 2 + c.TextWidth(augerTitle) / 2, augerTitle);
  c.SetEscapement(0);

  // The entries as markers.
  G.CurveX.Resize(std::max(n, 1));
  G.CurveY.Resize(std::max(n, 1));
  for (int k = 1; k <= n; ++k) {
    const double b = WorkBackground.Contains(k) ? WorkBackground[k] : 0;
    const double e = WorkSigma.Contains(k) ? WorkSigma[k] : 0;
    G.CurveX[k] = PixelFromDouble(xAt(win.ChemStateXMax - b));
    G.CurveY[k] = PixelFromDouble(yAt(win.ChemStateYMax - e));
  }
  PrintChemicalStatePoints(w, G.CurveColours[16], G.CurveStyles[16], G.CurveWidths[16]);

  // The window's labels at their binding and kinetic energies.
  for (int cls : {11, 10}) {
    UseClassFont(c, cls);
    const bool title = cls == 10;
    const int count = std::clamp<int>(title ? win.TitleLabelCount : win.AnnotationCount, 0, 100);
    for (int k = 1; k <= count; ++k) {
      if (LabelWaiting(w, title, k)) continue;
      const LabelRecord& label = Labels[LabelIndex(w, k)];
      const std::string& text = title ? label.TitleLabelText : label.AnnotationText;
      if (text.empty()) continue;
      const double x = title ? label.TitleLabelX : label.AnnotationX;
      const double y = title ? label.TitleLabelY : label.AnnotationY;
      c.Text(xAt(win.ChemStateXMax - x), yAt(win.ChemStateYMax - y), text);
    }
  }

  if (z.sideBox) {
    c.SetFont(PrintTextFont());
    c.SetColour(0);
    const std::string& list = win.ChemStateListName;
    const std::size_t split = list.find("+ ");
    double y = PT;
    c.Text(z.sideLeft, y, G.LabelTexts[87]);
    y += m.r;
    c.Text(z.sideLeft, y, split == std::string::npos ? list : list.substr(0, split));
    y += m.r;
    if (split != std::string::npos) {
      c.Text(z.sideLeft, y, list.substr(split + 2));
      y += m.r;
    }
    for (int k = 1; k <= n; ++k) {
      const std::string& entry = win.ChemStateEntries[k];
      const double b = WorkBackground.Contains(k) ? WorkBackground[k] : 0;
      const double e = WorkSigma.Contains(k) ? WorkSigma[k] : 0;
      c.Text(z.sideLeft, y, entry.substr(entry.find(' ') == std::string::npos ? 0 : entry.find(' ') + 1) +
                                " " + Num(b) + " " + Num(e));
      y += m.r;
    }
  }
}

void PrintWideHeader(plat::Canvas& c, const PrintMetrics& m, const PrintZone& z, int w) {
  const WindowRecord& win = Win[w];
  const double bw = z.hbRight - z.hbLeft, bh = z.hbBottom - z.hbTop;
  c.SetColour(ColourOf(G.LineColours[10]));
  c.SetPenStyle(plat::PenStyle::Solid);
  c.Box(z.hbLeft, z.hbTop, z.hbRight, z.hbBottom);
  // A missing or unreadable logo leaves its place empty (and to the texts).
  const double logoLeft = z.hbLeft + 6 * bw / 7;
  const bool logo = c.Picture(G.ProgramFolder + "\\logo\\logo.wmf", logoLeft, z.hbTop + m.r / 4,
                              logoLeft + bw / 7 - m.c / 2, z.hbTop + m.r / 4 + bh - m.r / 2);
  c.SetFont(PrintTextFont());
  c.SetColour(0);
  const auto rows = WideHeaderTexts(w);
  const double xs[3] = {z.hbLeft + m.c, z.hbLeft + bw / 4, z.hbLeft + bw / 2};
  const double end = logo ? logoLeft - m.c / 2 : z.hbRight - m.c;
  const bool view = win.WindowKind >= ColourMap && win.WindowKind <= MirroredWaterfall;
  const int pathColumn = view ? 2 : 1;
  for (int i = 0; i < 6; ++i)
    for (int col = 0; col < 3; ++col) {
      if (rows[i][col].empty()) continue;
      // A text may run on over empty columns, up to a column unit before
      // the next text of its row, the logo or the frame.
      double right = end;
      for (int next = col + 1; next < 3; ++next)
        if (!rows[i][next].empty()) {
          right = xs[next] - m.c;
          break;
        }
      const double room = right - xs[col];
      const std::string text =
          i == 0 && col == pathColumn
              ? FittedPath(c, G.MessageTexts[115] + " ", view ? win.MultiSourcePath : win.SourcePath, room)
              : FittedText(c, rows[i][col], room);
      c.Text(xs[col], z.hbTop + m.r / 4 + i * m.r, text);
    }
}

void PrintNarrowHeader(plat::Canvas& c, const PrintMetrics& m, const PrintZone& z, int w) {
  c.SetColour(ColourOf(G.LineColours[10]));
  c.SetPenStyle(plat::PenStyle::Solid);
  c.Box(z.Xn, z.nbTop, z.Xn + z.bw, z.nbBottom);
  if (z.statsBox) c.Box(z.Xn, z.sbTop, z.Xn + z.bw, z.sbBottom);
  c.Picture(G.ProgramFolder + "\\logo\\logo.wmf", z.Xn + m.c / 2, z.nbTop + m.r / 4, z.Xn + z.bw - m.c / 2,
            z.nbTop + m.r / 4 + (z.Rb - z.Rt) + m.r);
  c.SetFont(PrintTextFont());
  c.SetColour(0);
  const auto lines = NarrowHeaderTexts(w);
  const double room = z.bw - 2 * m.c;
  constexpr std::size_t kPathLine = 3;
  for (std::size_t j = 0; j < lines.size(); ++j)
    c.Text(z.Xn + m.c, z.nbTop + (25 + 4.0 * j) * m.r / 4,
           j == kPathLine ? FittedPath(c, "", Win[w].SourcePath, room) : FittedText(c, lines[j], room));
}

void PrintZoneOf(plat::Canvas& page, const PrintMetrics& m, int w, int k) {
  if (!IsSpectrumWindow(w)) return;
  const PrintZone z = LayoutPrintZone(w, k, m, page);
  Painter painter{page, m, z, w};
  if (z.kind == SingleSpectrum) {
    PrintSingleSpectrum(painter);
  } else if (z.kind == ChemicalStatePlot) {
    PrintChemicalState(painter);
  } else {
    PrintMultiSpectrumView(w, z.PL, z.PT, z.PR - z.PL, z.PB - z.PT);
  }
  if (z.wideHeader) PrintWideHeader(page, m, z, w);
  if (z.narrowHeader) PrintNarrowHeader(page, m, z, w);
  if (z.kind == SingleSpectrum && z.hasFit) PrintFitBlocks(page, m, z);
}

}  // namespace

PrintOutcome PrintDocument(const std::string& name, const std::function<void(plat::Canvas&)>& draw) {
  if (!plat::ShowPrintDialog()) return PrintOutcome::Cancelled;
  if (!plat::StartDocument(name)) return PrintOutcome::Failed;
  plat::SetDrawingPrinter();
  try {
    draw(plat::PrinterCanvas());
    plat::EndDocument();
  } catch (const std::exception&) {
    // The printer refused an operation, or the PDF file could not be
    // written: end the document (a PDF file keeps its old contents).
    try {
      if (plat::DocumentOpen()) plat::EndDocument();
    } catch (const plat::FileError&) {
    }
    plat::SetDrawingMainWindow();
    return PrintOutcome::Failed;
  }
  plat::SetDrawingMainWindow();
  return PrintOutcome::Printed;
}

void PrintWindowPage(int& w) {
  if (!IsSpectrumWindow(w)) return;
  const PrintOutcome outcome = PrintDocument("SORVAN", [&](plat::Canvas& page) {
    const PrintMetrics m = MeasurePrintPage(page);
    page.SetFont(PrintTextFont());
    page.SetColour(G.PrintBackColour);
    page.SetPenWidth(0);
    page.FilledBox(-1, -1, m.W, m.H);
    page.SetDrawMode(plat::kDrawModeCopy);
    page.SetOpaqueText(false);
    const int second = G.PrintSecondWindow == 1 ? 1 : 0;
    for (int k = 0; k <= second; ++k) {
      const int window = k == 0 ? w : G.OtherWindow;
      if (k == 1 && (!IsSpectrumWindow(window) || !Win[window].WindowOpen)) break;
      PrintZoneOf(page, m, window, k);
    }
    if (second == 0 && Win[0].PrintHeaderBlock == 1) PrintQuantificationTable(page, m);
  });
  if (outcome == PrintOutcome::Failed) ShowMessage(2, w);
  if (outcome == PrintOutcome::Printed) G.PrintSecondWindow = 0;
}

void ShowPrinterSetup() { plat::ShowPrinterSetup(); }

}  // namespace sorvan
