// Pages 17x and 171x: the curve styles, and the lines, ticks, background
// and fonts of the plots, for the screen or the printer.
#include "dialogs/style_pages.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "core/events.h"
#include "core/menu_commands.h"
#include "core/model.h"
#include "core/number_text.h"
#include "dialogs/page.h"
#include "display/draw_support.h"
#include "display/redraw.h"
#include "platform/controls.h"
#include "platform/text.h"
#include "dialogs/pickers.h"

namespace sorvan {

namespace {

constexpr int kPage = kStylePageWindow;
constexpr int kPrinterOffset = 10;   // the printer entries of every table
constexpr int kSetRows = 10;         // rows 0..9 of a set
constexpr int kCurveKinds = 7;       // spectrum .. chemical-state points
constexpr int kWaterfallFill = 7;    // the curve entry of the waterfall fill
constexpr int kLineKinds = 6;        // frame .. Auger-parameter lines
constexpr int kOptionsPerGroup = 7;  // widths and styles
constexpr int kTickOptions = 3;
constexpr int kScreenLineStyles = CmdScreenLineStyles;
constexpr int kScreenTextStyles = CmdScreenFonts;
constexpr int kPrinterTextStyles = CmdPrinterFonts;
constexpr int kPrinterLineStyles = CmdPrinterLineStyles;

// ---- Shared ----

void RedrawOpenWindows() {
  for (int w = 1; w <= kMaxWindows; ++w)
    if (Win[w].WindowOpen) RedrawWindow(w);
}

std::string WithoutMnemonic(const std::string& text) {
  G.CaptionBuffer = text;
  StripMnemonic();
  return G.CaptionBuffer;
}

// Marks element `chosen` of an option array base..base + count - 1 and
// clears the others (none when chosen is outside).
void SelectOption(const std::string& name, int base, int count, int chosen) {
  for (int i = 0; i < count; ++i) plat::SetValue(kPage, name, base + i, i == chosen ? 1 : 0);
}

// Asks for a colour starting at `colour` and returns the answer (the start
// colour when cancelled).
int AskColour(double colour) {
  G.PickedColour = ColourOf(colour);
  return PickColour();
}

int WholeOption(double value) {
  return std::isfinite(value) ? static_cast<int>(plat::RoundHalfEven(std::clamp(value, -1.0, 100.0))) : -1;
}

// An option group: a frame holding `count` option buttons numbered from
// `base`, one under the other.
void OptionGroup(const std::string& frame, const std::string& options, double x, double y,
                 double width, double height, const std::string& caption, int base,
                 const std::string* texts, int count, double optionWidth, double optionTop) {
  PageFrame(kPage, frame, plat::kNoIndex, x, y, width, height, caption);
  for (int i = 0; i < count; ++i)
    PageOption(kPage, options, base + i, x + 1, optionTop + 1.2 * i, optionWidth, 1, texts[i], 0, frame);
}

// Where a style page puts its four buttons: undo and OK one under the other
// on the left, the set's own button (apply to the windows, or take over the
// screen set) and Cancel on the right; the printer set's left buttons are
// narrower, its right ones wider.
struct ButtonPlaces {
  double top, second;              // rows of the two lines of buttons
  double screenLeftWidth;          // undo and OK on the screen set
  double screenRightX, printerRightX, printerRightWidth;
};

void StyleButtons(bool printer, const ButtonPlaces& at, const std::string& digits, const std::string& okName,
                  const std::string& cancelName) {
  const int n = kPage;
  const auto none = plat::kNoIndex;
  const double leftWidth = printer ? 10 : at.screenLeftWidth;
  const double rightX = printer ? at.printerRightX : at.screenRightX;
  const double rightWidth = printer ? at.printerRightWidth : 19;
  PageButton(n, "cmd" + digits + "3", none, 29, at.top, leftWidth, 1.2, G.LabelTexts[164]);
  PageButton(n, okName, none, 29, at.second, leftWidth, 1.2, G.ButtonTexts[2], ButtonRole::Default);
  PageButton(n, "cmd" + digits + "4", none, rightX, at.top, rightWidth, 1.2,
             printer ? G.LabelTexts[213] : G.LabelTexts[122]);
  PageButton(n, cancelName, none, rightX, at.second, rightWidth, 1.2, G.ButtonTexts[1], ButtonRole::Cancel);
}

// Opens dialog window 17 under its guard with a style page `height` cells
// high; the page does not move the pointer.
void RunStylePage(const std::string& caption, double height, const std::function<void()>& build) {
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 71;
  spec.height = height;
  spec.caption = caption;
  spec.guard = PageGuard::Window17;
  spec.movePointer = false;
  RunPage(spec, build);
}

// Closes a style page; the windows show a screen set at once.
void EndStylePage(bool printer) {
  if (!printer) RedrawOpenWindows();
  ClosePage(kPage, -1);
}

// ---- Line style page (17x) ----

struct LineStylePage {
  bool printer = false;
  int base = 0;  // 0 screen set, 10 printer set
} g_line;

void TakeCurveCopies() {
  for (int c = 0; c < 2 * kSetRows; ++c) {
    G.CurveStylesCopy[c] = G.CurveStyles[c];
    G.CurveWidthsCopy[c] = G.CurveWidths[c];
    G.CurveColoursCopy[c] = G.CurveColours[c];
  }
}

void PutBackCurveCopies() {
  for (int c = 0; c < 2 * kSetRows; ++c) {
    G.CurveStyles[c] = G.CurveStylesCopy[c];
    G.CurveWidths[c] = G.CurveWidthsCopy[c];
    G.CurveColours[c] = G.CurveColoursCopy[c];
  }
}

// The chosen curve kind's colour, width and style on the page.
void ShowCurveKind() {
  const int k = G.StyleClassIndex;
  const int b = g_line.base;
  SelectOption("opt173", b, kCurveKinds, k - b);
  SelectOption("opt172", b, kOptionsPerGroup, OptionOfWidth(G.CurveWidths[k]));
  SelectOption("opt171", b, kOptionsPerGroup, WholeOption(G.CurveStyles[k]));
  plat::SetBackColour(kPage, "txt176", plat::kNoIndex, ColourOf(G.CurveColours[k]));
  plat::SetBackColour(kPage, "txt177", plat::kNoIndex, ColourOf(G.CurveColours[kWaterfallFill + b]));
}

void BuildLineStylePage() {
  const int n = kPage;
  const auto none = plat::kNoIndex;
  const int b = g_line.base;
  const std::string kinds[kCurveKinds] = {G.MenuTexts[57], G.MenuTexts[58], G.MenuTexts[59],
                                          G.MenuTexts[60], G.MenuTexts[61], G.LabelTexts[175],
                                          G.LabelTexts[83]};
  const std::string widths[kOptionsPerGroup] = {G.LabelTexts[177], G.LabelTexts[167], G.LabelTexts[168],
                                                G.LabelTexts[169], G.LabelTexts[170], G.LabelTexts[171],
                                                G.LabelTexts[172]};
  const std::string styles[kOptionsPerGroup] = {G.MessageTexts[62], G.MessageTexts[63], G.MessageTexts[64],
                                                G.MessageTexts[65], G.MessageTexts[66], G.MessageTexts[67],
                                                G.LabelTexts[86]};
  OptionGroup("frm173", "opt173", 1, 1, 22, 10.3, G.MessageTexts[61], b, kinds, kCurveKinds, 20, 2.5);
  OptionGroup("frm172", "opt172", 24, 1, 22, 10.3, G.LabelTexts[174], b, widths, kOptionsPerGroup, 20, 2.5);
  OptionGroup("frm171", "opt171", 47, 1, 22, 10.3, G.LabelTexts[173], b, styles, kOptionsPerGroup, 20, 2.5);
  PageControl(n, plat::ControlKind::TextBox, "txt176", none, 1, 12, 3, 1.2, "");
  PageButton(n, "cmd175", none, 5, 12, 22, 1.2, G.LabelTexts[176]);
  PageControl(n, plat::ControlKind::TextBox, "txt177", none, 1, 13.6, 3, 1.2, "");
  PageButton(n, "cmd176", none, 5, 13.6, 22, 1.2, G.LabelTexts[151]);
  StyleButtons(g_line.printer, {12, 13.6, 18, 49, 41, 28}, "17", "cmdOk171", "cmdCancel172");
  ShowCurveKind();
}

// Opens the page on the set CommandId names; `takeCopies` false keeps the
// Cancel copies of an earlier opening (the page shown again by a button).
void OpenLineStylePage(const std::string& caption, bool takeCopies) {
  if (!PageCanOpen(kPage, PageGuard::Window17)) return;
  g_line.printer = G.CommandId != kScreenLineStyles;
  g_line.base = g_line.printer ? kPrinterOffset : 0;
  G.StyleClassIndex = static_cast<Byte>(g_line.base);
  if (takeCopies) TakeCurveCopies();
  RunStylePage(WithoutMnemonic(caption), 17, BuildLineStylePage);
}

void opt173_Click(int k) {
  if (k < g_line.base || k >= g_line.base + kCurveKinds) return;
  G.StyleClassIndex = static_cast<Byte>(k);
  ShowCurveKind();
}

void opt171_Click(int i) { G.CurveStyles[G.StyleClassIndex] = i - g_line.base; }

void opt172_Click(int i) { G.CurveWidths[G.StyleClassIndex] = WidthOfOption(i - g_line.base); }

void cmd175_Click() {
  G.CurveColours[G.StyleClassIndex] = AskColour(G.CurveColours[G.StyleClassIndex]);
  ShowCurveKind();
}

void cmd176_Click() {
  const int k = kWaterfallFill + g_line.base;
  G.CurveColours[k] = AskColour(G.CurveColours[k]);
  ShowCurveKind();
}

void cmd173_Click() {
  PutBackCurveCopies();
  ShowCurveKind();
  RedrawOpenWindows();
}

void cmd174_Click() {
  if (!g_line.printer) {
    RedrawOpenWindows();
    return;
  }
  // The printer set takes over the screen set and is shown again.
  for (int c = 0; c < kSetRows; ++c) {
    G.CurveStyles[c + kPrinterOffset] = G.CurveStyles[c];
    G.CurveWidths[c + kPrinterOffset] = G.CurveWidths[c];
    G.CurveColours[c + kPrinterOffset] = G.CurveColours[c];
  }
  ClosePage(kPage, -1);
  G.CommandId = kPrinterLineStyles;
  OpenLineStylePage(G.LabelTexts[210], false);
}

void cmdOk171_Click() { EndStylePage(g_line.printer); }

void cmdCancel172_Click() {
  PutBackCurveCopies();
  EndStylePage(g_line.printer);
}

// ---- Text style page (171x) ----

// The eight scalar options of one set.
struct PlotOptions {
  double backColour = 0, tickDirection = 0, tickSize = 0, rightTicks = 0, topTicks = 0;
  double minorX = 0, minorY = 0, waterfallGuides = 0;
};

PlotOptions ReadOptions(bool printer) {
  if (printer)
    return {static_cast<double>(G.PrintBackColour), G.PrintTickDirection, G.PrintTickSize, G.PrintRightTicks,
            G.PrintTopTicks, static_cast<double>(G.PrintMinorTicksX), static_cast<double>(G.PrintMinorTicksY),
            static_cast<double>(G.PrintWaterfallGuides)};
  return {static_cast<double>(G.PlotBackColour), G.TickDirection, G.TickSize, G.RightTicks, G.TopTicks,
          static_cast<double>(G.MinorTicksX), static_cast<double>(G.MinorTicksY),
          static_cast<double>(G.WaterfallGuides)};
}

void WriteOptions(bool printer, const PlotOptions& o) {
  const auto flag = [](double v) { return static_cast<Byte>(v != 0 ? 1 : 0); };
  if (printer) {
    G.PrintBackColour = ColourOf(o.backColour);
    G.PrintTickDirection = o.tickDirection;
    G.PrintTickSize = o.tickSize;
    G.PrintRightTicks = o.rightTicks;
    G.PrintTopTicks = o.topTicks;
    G.PrintMinorTicksX = flag(o.minorX);
    G.PrintMinorTicksY = flag(o.minorY);
    G.PrintWaterfallGuides = flag(o.waterfallGuides);
  } else {
    G.PlotBackColour = ColourOf(o.backColour);
    G.TickDirection = o.tickDirection;
    G.TickSize = o.tickSize;
    G.RightTicks = o.rightTicks;
    G.TopTicks = o.topTicks;
    G.MinorTicksX = flag(o.minorX);
    G.MinorTicksY = flag(o.minorY);
    G.WaterfallGuides = flag(o.waterfallGuides);
  }
}

struct TextStylePage {
  bool printer = false;
  int base = 0;
  PlotOptions optionsCopy;
} g_text;

void CopyFontRow(FontTableSet& to, int toRow, int fromRow) {
  to.FontName[toRow] = G.FontName[fromRow];
  to.FontSize[toRow] = G.FontSize[fromRow];
  to.FontBold[toRow] = G.FontBold[fromRow];
  to.FontItalic[toRow] = G.FontItalic[fromRow];
  to.FontUnderline[toRow] = G.FontUnderline[fromRow];
  to.FontStrikeout[toRow] = G.FontStrikeout[fromRow];
  to.FontColour[toRow] = G.FontColour[fromRow];
  to.FontDialogText[toRow] = G.FontDialogText[fromRow];
  to.FontCharWidth[toRow] = G.FontCharWidth[fromRow];
  to.FontLineHeight[toRow] = G.FontLineHeight[fromRow];
}

void PutBackFontRow(int row) {
  const FontTableSet& from = G.FontTableCopy;
  G.FontName[row] = from.FontName[row];
  G.FontSize[row] = from.FontSize[row];
  G.FontBold[row] = from.FontBold[row];
  G.FontItalic[row] = from.FontItalic[row];
  G.FontUnderline[row] = from.FontUnderline[row];
  G.FontStrikeout[row] = from.FontStrikeout[row];
  G.FontColour[row] = from.FontColour[row];
  G.FontDialogText[row] = from.FontDialogText[row];
  G.FontCharWidth[row] = from.FontCharWidth[row];
  G.FontLineHeight[row] = from.FontLineHeight[row];
}

void TakeTextCopies() {
  for (int r = g_text.base; r < g_text.base + kSetRows; ++r) {
    G.LineStylesCopy[r] = G.LineStyles[r];
    G.LineWidthsCopy[r] = G.LineWidths[r];
    G.LineColoursCopy[r] = G.LineColours[r];
    CopyFontRow(G.FontTableCopy, r, r);
  }
  g_text.optionsCopy = ReadOptions(g_text.printer);
}

// Puts back every value of the set shown that the page edits.
void PutBackTextCopies() {
  for (int r = g_text.base; r < g_text.base + kSetRows; ++r) {
    G.LineStyles[r] = G.LineStylesCopy[r];
    G.LineWidths[r] = G.LineWidthsCopy[r];
    G.LineColours[r] = G.LineColoursCopy[r];
    PutBackFontRow(r);
  }
  WriteOptions(g_text.printer, g_text.optionsCopy);
}

std::string SampleName(int c) { return "txt" + std::to_string(1715 + c); }

// The four font samples in their class's font and colour on the plot
// background of the set.
void ShowSamples() {
  const int back = ColourOf(ReadOptions(g_text.printer).backColour);
  plat::SetBackColour(kPage, "txt1720", plat::kNoIndex, back);
  for (int c = 0; c < 4; ++c) {
    const int row = c + g_text.base;
    const std::string name = SampleName(c);
    plat::SetControlFont(kPage, name, plat::kNoIndex, ClassFont(row));
    plat::SetForeColour(kPage, name, plat::kNoIndex, ColourOf(G.FontColour[row]));
    plat::SetBackColour(kPage, name, plat::kNoIndex, back);
  }
}

// The chosen line kind's width, style and colour; the frame is always
// drawn solid, so its other styles are not offered.
void ShowLineKind() {
  const int k = G.StyleClassIndex;
  const int b = g_text.base;
  SelectOption("opt1713", b, kLineKinds, k - b);
  SelectOption("opt1712", b, kOptionsPerGroup, OptionOfWidth(G.LineWidths[k]));
  const bool frame = k == b;
  SelectOption("opt1711", b, kOptionsPerGroup, frame ? 0 : WholeOption(G.LineStyles[k]));
  for (int i = 1; i < kOptionsPerGroup; ++i) plat::SetEnabled(kPage, "opt1711", b + i, !frame);
  plat::SetBackColour(kPage, "txt1719", plat::kNoIndex, ColourOf(G.LineColours[k]));
}

void BuildTextStylePage() {
  const int n = kPage;
  const auto none = plat::kNoIndex;
  const int b = g_text.base;
  const PlotOptions o = ReadOptions(g_text.printer);
  const std::string kinds[kLineKinds] = {G.LabelTexts[183], G.LabelTexts[184], G.LabelTexts[203],
                                         G.LabelTexts[186], G.LabelTexts[185], G.LabelTexts[208]};
  const std::string widths[kOptionsPerGroup] = {G.LabelTexts[177], G.LabelTexts[167], G.LabelTexts[168],
                                                G.LabelTexts[169], G.LabelTexts[170], G.LabelTexts[171],
                                                G.LabelTexts[172]};
  const std::string styles[kOptionsPerGroup] = {G.LabelTexts[197], G.LabelTexts[198], G.LabelTexts[199],
                                                G.LabelTexts[200], G.LabelTexts[201], G.MessageTexts[64],
                                                G.LabelTexts[202]};
  const std::string directions[kTickOptions] = {G.LabelTexts[189], G.LabelTexts[190], G.LabelTexts[191]};
  const std::string sizes[kTickOptions] = {G.LabelTexts[192], G.LabelTexts[169], G.LabelTexts[193]};
  OptionGroup("frm1713", "opt1713", 1, 1, 22, 10.3, G.MessageTexts[61], b, kinds, kLineKinds, 20, 2.5);
  OptionGroup("frm1712", "opt1712", 24, 1, 22, 10.3, G.LabelTexts[174], b, widths, kOptionsPerGroup, 20, 2.5);
  OptionGroup("frm1711", "opt1711", 47, 1, 22, 10.3, G.LabelTexts[196], b, styles, kOptionsPerGroup, 20, 2.5);
  PageControl(n, plat::ControlKind::TextBox, "txt1719", none, 1, 12, 5, 2, "");
  PageButton(n, "cmd1719", none, 7, 12, 20, 2, G.MenuTexts[72]);
  PageControl(n, plat::ControlKind::TextBox, "txt1720", none, 1, 14.3, 5, 2, "");
  PageButton(n, "cmd1720", none, 7, 14.3, 20, 2, G.MenuTexts[73]);
  const double sampleRows[4] = {16.6, 18.9, 21.2, 23.5};
  for (int c = 0; c < 4; ++c) {
    PageControl(n, plat::ControlKind::TextBox, SampleName(c), none, 1, sampleRows[c], 5, 2,
                c == 0 ? "XPS" : "XPS ");
    PageButton(n, "cmd" + std::to_string(1715 + c), none, 7, sampleRows[c], 20, 2, G.LabelTexts[179 + c]);
  }
  OptionGroup("frm1714", "opt1714", 30, 12, 19, 5, G.LabelTexts[187], b, directions, kTickOptions, 17, 13.2);
  OptionGroup("frm1715", "opt1715", 50, 12, 19, 5, G.LabelTexts[188], b, sizes, kTickOptions, 17, 13.2);
  SelectOption("opt1714", b, kTickOptions, WholeOption(o.tickDirection));
  SelectOption("opt1715", b, kTickOptions, WholeOption(o.tickSize));
  PageFrame(n, "frm1716", none, 30, 17.5, 39, 2.7, G.LabelTexts[207]);
  PageCheck(n, "chk1713", none, 31, 18.7, 9, 1, G.MenuTexts[68], o.minorX != 0 ? 1 : 0);
  PageCheck(n, "chk1714", none, 45, 18.7, 9, 1, G.MenuTexts[69], o.minorY != 0 ? 1 : 0);
  PageCheck(n, "chk1715", none, 59, 18.7, 9, 1, G.LabelTexts[206], o.waterfallGuides != 0 ? 1 : 0);
  PageCheck(n, "chk1711", none, 31, 21, 20, 1, G.LabelTexts[194], o.rightTicks == 1 ? 1 : 0);
  PageCheck(n, "chk1712", none, 51, 21, 20, 1, G.LabelTexts[195], o.topTicks == 1 ? 1 : 0);
  StyleButtons(g_text.printer, {22.9, 24.3, 19, 50, 40, 29}, "171", "cmdOk1711", "cmdCancel1712");
  ShowLineKind();
  ShowSamples();
}

void OpenTextStylePage(const std::string& caption, bool takeCopies) {
  const std::string title = WithoutMnemonic(caption);
  if (!PageCanOpen(kPage, PageGuard::Window17)) return;
  g_text.printer = G.CommandId != kScreenTextStyles;
  g_text.base = g_text.printer ? kPrinterOffset : 0;
  G.StyleClassIndex = static_cast<Byte>(g_text.base);
  if (takeCopies) TakeTextCopies();
  RunStylePage(title, 27.5, BuildTextStylePage);
}

// Shows the page again on the set shown: the screen set as a fresh opening,
// the printer set with the Cancel copies of its first opening.
void ReopenTextStylePage() {
  ClosePage(kPage, -1);
  if (g_text.printer) {
    G.CommandId = kPrinterTextStyles;
    OpenTextStylePage(G.LabelTexts[211], false);
  } else {
    G.CommandId = kScreenTextStyles;
    OpenTextStylePage(G.LabelTexts[178], true);
  }
}

void opt1713_Click(int k) {
  if (k < g_text.base || k >= g_text.base + kLineKinds) return;
  G.StyleClassIndex = static_cast<Byte>(k);
  ShowLineKind();
}

void opt1712_Click(int i) { G.LineWidths[G.StyleClassIndex] = WidthOfOption(i - g_text.base); }

void opt1711_Click(int i) { G.LineStyles[G.StyleClassIndex] = i - g_text.base; }

void opt1714_Click(int i) {
  PlotOptions o = ReadOptions(g_text.printer);
  o.tickDirection = i - g_text.base;
  WriteOptions(g_text.printer, o);
}

void opt1715_Click(int i) {
  PlotOptions o = ReadOptions(g_text.printer);
  o.tickSize = i - g_text.base;
  WriteOptions(g_text.printer, o);
}

void CheckClick(double PlotOptions::*field, const std::string& name) {
  PlotOptions o = ReadOptions(g_text.printer);
  o.*field = plat::Value(kPage, name) != 0 ? 1 : 0;
  WriteOptions(g_text.printer, o);
}

// The font of text class c (0..3) of the set shown.
void PickClassFont(int c) {
  const Int16 command = G.CommandId;
  G.CommandId = static_cast<Int16>(c + g_text.base);
  PickFont();
  G.CommandId = command;
  ShowSamples();
}

void cmd1719_Click() {
  G.LineColours[G.StyleClassIndex] = AskColour(G.LineColours[G.StyleClassIndex]);
  ShowLineKind();
}

void cmd1720_Click() {
  PlotOptions o = ReadOptions(g_text.printer);
  o.backColour = AskColour(o.backColour);
  WriteOptions(g_text.printer, o);
  ShowSamples();
}

void cmd1713_Click() {
  PutBackTextCopies();
  if (!g_text.printer) RedrawOpenWindows();
  ReopenTextStylePage();
}

// The printer set takes over the screen set: the options but the waterfall
// guides, the lines, and the fonts with a printer size that gives the same
// share of the page height as the screen line gives of the screen.
void TakeOverScreenSet() {
  PlotOptions screen = ReadOptions(false);
  screen.waterfallGuides = ReadOptions(true).waterfallGuides;
  WriteOptions(true, screen);
  for (int k = 0; k < kSetRows; ++k) {
    const int p = k + kPrinterOffset;
    G.LineStyles[p] = G.LineStyles[k];
    G.LineWidths[p] = G.LineWidths[k];
    G.LineColours[p] = G.LineColours[k];
    G.FontName[p] = G.FontName[k];
    G.FontBold[p] = G.FontBold[k];
    G.FontItalic[p] = G.FontItalic[k];
    G.FontUnderline[p] = G.FontUnderline[k];
    G.FontStrikeout[p] = G.FontStrikeout[k];
    G.FontDialogText[p] = G.FontDialogText[k];
    G.FontColour[p] = G.FontColour[k];
    if (G.FontLineHeight[k] != 0) {
      const int size = PrinterFontSizeFromScreen(G.FontLineHeight[k], G.ScreenHeight);
      G.FontSize[p] = static_cast<Float32>(size);
      G.FontCharWidth[p] = static_cast<Int16>(size);
      G.FontLineHeight[p] = static_cast<Int16>(size);
    }
  }
}

void cmd1714_Click() {
  if (!g_text.printer) {
    RedrawOpenWindows();
    return;
  }
  TakeOverScreenSet();
  ReopenTextStylePage();
}

void cmdOk1711_Click() { EndStylePage(g_text.printer); }

void cmdCancel1712_Click() {
  PutBackTextCopies();
  EndStylePage(g_text.printer);
}

}  // namespace

double WidthOfOption(int i) { return (i + 1) / 2.0; }

int OptionOfWidth(double width) {
  if (!std::isfinite(width)) return -1;
  const double option = 2 * width - 1;
  for (int i = 0; i < kOptionsPerGroup; ++i)
    if (std::fabs(option - i) < 1e-6) return i;
  return -1;
}

int PrinterFontSizeFromScreen(double lineHeight, double screenHeight) {
  if (!(screenHeight > 0) || !std::isfinite(lineHeight)) return 1;
  const double size = std::floor(340 * lineHeight / screenHeight);
  return static_cast<int>(std::clamp(size, 1.0, 1000.0));
}

void ShowLineStylePage(double /*unused*/, const std::string& caption) {
  OpenLineStylePage(caption, true);
}

void ShowTextStylePage(const std::string& caption) { OpenTextStylePage(caption, true); }

void RegisterStylePageEvents() {
  RegisterEvent("opt173_Click", [](plat::EventArgs& a) { opt173_Click(a.index); });
  RegisterEvent("opt171_Click", [](plat::EventArgs& a) { opt171_Click(a.index); });
  RegisterEvent("opt172_Click", [](plat::EventArgs& a) { opt172_Click(a.index); });
  RegisterEvent("cmd175_Click", [](plat::EventArgs&) { cmd175_Click(); });
  RegisterEvent("cmd176_Click", [](plat::EventArgs&) { cmd176_Click(); });
  RegisterEvent("cmd173_Click", [](plat::EventArgs&) { cmd173_Click(); });
  RegisterEvent("cmd174_Click", [](plat::EventArgs&) { cmd174_Click(); });
  RegisterEvent("cmdOk171_Click", [](plat::EventArgs&) { cmdOk171_Click(); });
  RegisterEvent("cmdCancel172_Click", [](plat::EventArgs&) { cmdCancel172_Click(); });

  RegisterEvent("opt1713_Click", [](plat::EventArgs& a) { opt1713_Click(a.index); });
  RegisterEvent("opt1712_Click", [](plat::EventArgs& a) { opt1712_Click(a.index); });
  RegisterEvent("opt1711_Click", [](plat::EventArgs& a) { opt1711_Click(a.index); });
  RegisterEvent("opt1714_Click", [](plat::EventArgs& a) { opt1714_Click(a.index); });
  RegisterEvent("opt1715_Click", [](plat::EventArgs& a) { opt1715_Click(a.index); });
  RegisterEvent("chk1711_Click", [](plat::EventArgs&) { CheckClick(&PlotOptions::rightTicks, "chk1711"); });
  RegisterEvent("chk1712_Click", [](plat::EventArgs&) { CheckClick(&PlotOptions::topTicks, "chk1712"); });
  RegisterEvent("chk1713_Click", [](plat::EventArgs&) { CheckClick(&PlotOptions::minorX, "chk1713"); });
  RegisterEvent("chk1714_Click", [](plat::EventArgs&) { CheckClick(&PlotOptions::minorY, "chk1714"); });
  RegisterEvent("chk1715_Click",
                [](plat::EventArgs&) { CheckClick(&PlotOptions::waterfallGuides, "chk1715"); });
  for (int c = 0; c < 4; ++c)
    RegisterEvent("cmd" + std::to_string(1715 + c) + "_Click", [c](plat::EventArgs&) { PickClassFont(c); });
  RegisterEvent("cmd1719_Click", [](plat::EventArgs&) { cmd1719_Click(); });
  RegisterEvent("cmd1720_Click", [](plat::EventArgs&) { cmd1720_Click(); });
  RegisterEvent("cmd1713_Click", [](plat::EventArgs&) { cmd1713_Click(); });
  RegisterEvent("cmd1714_Click", [](plat::EventArgs&) { cmd1714_Click(); });
  RegisterEvent("cmdOk1711_Click", [](plat::EventArgs&) { cmdOk1711_Click(); });
  RegisterEvent("cmdCancel1712_Click", [](plat::EventArgs&) { cmdCancel1712_Click(); });
}

}  // namespace sorvan
