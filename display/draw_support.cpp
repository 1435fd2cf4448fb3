// Fonts and measures shared by the painters (see draw_support.h).
#include "display/draw_support.h"

#include <cmath>

#include "core/model.h"
#include "platform/text.h"

namespace sorvan {

plat::FontSpec ClassFont(int c) {
  plat::FontSpec font;
  if (!G.FontName[c].empty()) font.name = G.FontName[c];
  if (G.FontSize[c] > 0) font.size = G.FontSize[c];
  font.bold = G.FontBold[c];
  font.italic = G.FontItalic[c];
  font.underline = G.FontUnderline[c];
  font.strikeout = G.FontStrikeout[c];
  return font;
}

double TickLength(double tickSize, double h) {
  if (tickSize == 0) return h / 150;
  if (tickSize == 1) return h / 100;
  if (tickSize == 2) return h / 50;
  return 0;
}

int ColourOf(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<int>(plat::RoundHalfEven(value)) & 0xFFFFFF;
}

void UseClassFont(plat::Canvas& canvas, int c) {
  canvas.SetFont(ClassFont(c));
  canvas.SetColour(ColourOf(G.FontColour[c]));
}

namespace {

// Measures text class c on the canvas, leaving the canvas state as it was.
void MeasureClass(plat::Canvas& canvas, int c, double& lineHeight, double& charWidth) {
  const plat::DrawState saved = canvas.State();
  canvas.SetFont(ClassFont(c));
  lineHeight = 1.1 * canvas.TextHeight("ABC DFG HIJ WMHGfg");
  charWidth = canvas.TextWidth("ABC DFG HIJ WMHGfg") / 18;
  canvas.SetState(saved);
}

}  // namespace

double LineHeightOf(plat::Canvas& canvas, int c) {
  if (G.FontLineHeight[c] > 0) return G.FontLineHeight[c];
  double lineHeight = 0, charWidth = 0;
  MeasureClass(canvas, c, lineHeight, charWidth);
  return std::round(lineHeight);
}

double CharWidthOf(plat::Canvas& canvas, int c) {
  if (G.FontCharWidth[c] > 0) return G.FontCharWidth[c];
  double lineHeight = 0, charWidth = 0;
  MeasureClass(canvas, c, lineHeight, charWidth);
  return std::round(charWidth);
}

double BaseRow(plat::Canvas& canvas) { return G.AxisY - LineHeightOf(canvas, kTickNumberClass) / 2; }

void KeepPlotLayout(int w) {
  WindowRecord& win = Win[w];
  win.LayoutPlotLeft = G.PlotLeft;
  win.LayoutPlotWidth = G.PlotWidth;
  win.LayoutPlotHeight = G.PlotHeight;
  win.LayoutSpacingUnit = G.SpacingUnit;
}

void RecallPlotLayout(int w) {
  const WindowRecord& win = Win[w];
  G.PlotLeft = win.LayoutPlotLeft;
  G.PlotWidth = win.LayoutPlotWidth;
  G.PlotHeight = win.LayoutPlotHeight;
  G.SpacingUnit = win.LayoutSpacingUnit;
}

}  // namespace sorvan
