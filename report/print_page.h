// The one-page printout of a spectrum window: page quantities, the layout of
// each window's zone (plot frame, residual strip, header box, fit table), the
// header box texts, the plot drawn again in printer units, and the text
// blocks (fit table, statistics, background formula, transmission
// coefficients, quantification table).
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace sorvan {

// Quantities of the printed page, in printer units.
struct PrintMetrics {
  double W = 0, H = 0;  // page width / 1.03, page height / 1.02
  double t = 0;         // tick length
  double c = 0;         // column unit W/130
  double r = 0;         // row height H/80
  // Text classes 10..13 of the printer font table (index k - 10): the mean
  // character width and the height of a line.
  double cw[4] = {0, 0, 0, 0};
  double th[4] = {0, 0, 0, 0};
};

// Measures the page on `page` (the printer canvas) with the printer fonts.
PrintMetrics MeasurePrintPage(plat::Canvas& page);

// The layout of one window's zone. Every vertical position already holds the
// zone's offset (H/2 for the second window of a page).
struct PrintZone {
  int window = 0;
  int kind = 0;
  char layoutCase = 'A';  // single spectrum: A plot only, B header, C fit, D fit+header half, E fit+header full
  bool halfPage = false;
  double zoneTop = 0, zoneBottom = 0;
  double PL = 0, PR = 0, PT = 0, PB = 0;  // the plot; the frame lies H/150 above PT and below PB
  int peakCount = 0;   // peaks drawn (a transmission window counts 2 while laid out)
  int tableRows = 0;   // P
  double rowHeight = 0;  // row height of the fit table (r, less when the plot would vanish)
  bool hasFit = false;
  bool fitTable = false;  // the table is printed
  double Zb = 0, tableTop = 0, tableLeft = 0, tableRight = 0;
  bool strip = false;
  double Rt = 0, Rb = 0;  // residual strip
  bool wideHeader = false;
  double hbLeft = 0, hbTop = 0, hbRight = 0, hbBottom = 0;  // wide header box
  bool narrowHeader = false;
  double Xn = 0, bw = 0, nbTop = 0, nbBottom = 0;  // narrow header box
  bool statsBox = false;
  double sbTop = 0, sbBottom = 0;
  bool sideBox = false;  // chemical-state entry list right of the plot
  double sideLeft = 0;
};

// Lays out the zone of window w as window k (0 upper, 1 lower) of the page.
// Uses the page canvas for text widths and fills the tick texts of w.
PrintZone LayoutPrintZone(int w, int k, const PrintMetrics& m, plat::Canvas& page);

// The texts of the wide header box: six rows of three columns ("" empty),
// whole; the printout cuts each to the room before the next text of its row.
std::vector<std::vector<std::string>> WideHeaderTexts(int w);
// The 26 lines of the narrow header box, whole; the printout cuts each to
// the box's width.
std::vector<std::string> NarrowHeaderTexts(int w);

// The font of the printouts' texts: Arial, 8 points.
plat::FontSpec PrintTextFont();

// `text` cut to `width` in the canvas's current font, "..." marking the cut.
std::string FittedText(plat::Canvas& page, const std::string& text, double width);
// The path (with a label before it) cut to `width` so that the file name
// and the folders nearest it stay.
std::string FittedPath(plat::Canvas& page, const std::string& label, const std::string& path, double width);

// A printed document: the print dialog, then the document `name` drawn by
// `draw` on the printer canvas, and drawing back on the main window. An
// operation the printer refuses ends the document (Failed); so does a
// document that cannot start.
enum class PrintOutcome { Cancelled, Failed, Printed };
PrintOutcome PrintDocument(const std::string& name, const std::function<void(plat::Canvas&)>& draw);

// Prints the page of window w (and OtherWindow when PrintSecondWindow is 1).
// Cancel in the print dialog prints nothing and keeps PrintSecondWindow.
void PrintWindowPage(int& w);

// The printer set-up dialog; Cancel leaves the printer as it was.
void ShowPrinterSetup();

}  // namespace sorvan
