// The text blocks of the printed page: the fit table with its statistics
// and background formula, the transmission coefficients of a transmission
// reference window, and the quantification table.
#pragma once
#include <string>

#include "report/print_page.h"

namespace sorvan {

// R(v, s): Int(v * s + 0.5) / s as text; P(v, s): Int(v * s) / s (Int = floor).
std::string RoundedText(double v, double s);
std::string CutText(double v, double s);

// The background formula line of a window with the fitted background.
std::string BackgroundFormulaText(int w);
// The three statistics lines (reduced chi-square, chi-square, serial correlation).
std::string StatisticsLine(int w, int line);

// Draws the fit table (or the transmission block), the statistics and the
// background formula of the fitted single-spectrum window of zone z.
void PrintFitBlocks(plat::Canvas& page, const PrintMetrics& m, const PrintZone& z);

// The quantification table in the lower half of the page; continues on
// further pages when its rows pass the bottom of the page.
void PrintQuantificationTable(plat::Canvas& page, const PrintMetrics& m);

}  // namespace sorvan
