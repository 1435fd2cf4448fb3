// The error pages: the error table of a window's last error analysis for
// singlet fits (page 32x, dialog window 1), doublet fits (page 33x, dialog
// window 2) and the six terms of a background fitted with the peaks (page
// 34x, dialog window 3). They show the table (never the fitted values), switch
// between absolute and percent errors, and the peak pages hand the table to
// the export and to the printed error report.
#pragma once

namespace sorvan {

// Dialog windows of the three pages; each shares its window (and its busy
// flag) with another page.
inline constexpr int kPeakErrorPage = 1;
inline constexpr int kDoubletErrorPage = 2;
inline constexpr int kBackgroundErrorPage = 3;

// Each page opens and waits until it is closed; it opens not at all while the
// last analysis failed (ErrorRunState 2) or its dialog window is busy.
void ShowPeakErrorPage(int w);
void ShowDoubletErrorPage(int w);
void ShowBackgroundErrorPage(int w);

// Page 32x. Export and Print make the page's window the only chosen window:
// Export then asks for the table columns and writes the error table, Print
// prints the error report; the page stays open.
void cmdOk321_Click();
void cmd322_Click();
void cmd323_Click();
void cmdOk324_Click();
// Page 33x (its export button runs the handler of 32x).
void cmdOk331_Click();
void cmd333_Click();
void cmdOk334_Click();
// Page 34x.
void cmdOk344_Click();
void cmdOk345_Click();

void RegisterErrorPageEvents();

}  // namespace sorvan
