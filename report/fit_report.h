// The printed fit report and error report: the fit results (or their
// errors) of the chosen windows, one block per fitted window, one below the
// other, page after page.
#pragma once
#include <string>
#include <vector>

namespace sorvan {

// Page quantities of the reports, in printer units (whole numbers).
struct ReportMetrics {
  int W = 0, H = 0;  // page width / 1.05, page height / 1.05
  int c = 0, r = 0;  // column unit W/130, row height H/80
  int L = 0, T = 0;  // left margin W/12, top margin H/20
};
ReportMetrics MeasureReportPage(double pageWidth, double pageHeight);

// Rows of w's peak table: one per peak, two per doublet peak.
int ReportTableRows(int w);
// Height of w's block from its top to the bottom of its statistics line.
double ReportBlockHeight(int w, const ReportMetrics& m);

// Where the blocks of the fitted windows among ChosenWindows go: page
// (from 1) and top. A block starts below the one before it; a block that
// would run past 70/80 of the page height starts a new page at the top
// margin.
struct ReportBlockPlace {
  int window = 0;
  int page = 1;
  double top = 0;
};
std::vector<ReportBlockPlace> PlaceReportBlocks(const ReportMetrics& m);

// The texts of a block.
std::string ReportBlockLabel(int w, bool errors);
// The heads of the five parameter columns and the two area columns.
std::vector<std::string> ReportColumnHeads(int w, bool errors);
// The background line of the error report (the fit report prints the
// background formula of the printed page).
std::string ErrorBackgroundLine(int w);
std::string ReportStatisticsLine(int w, bool errors);

// The reports over ChosenWindows: the print dialog (Cancel prints nothing),
// then a document "Sorvan".
void PrintFitReport();
void PrintFitErrorReport();

// CmdPrintFitReport (false) and CmdPrintFitErrorReport (true): the window
// choice, then the report.
void RunFitReportCommand(bool errors);

}  // namespace sorvan
