// The fit finished page (page 24x): shown after a fit run in interactive use
// with the run's statistics; the user fits again, stops, or goes back to the
// start values, the limits or the fitted background first.
#pragma once
#include <string>

namespace sorvan {

// DialogResult afterwards: 1 fit again, 2 done.
void ShowFitFinishedPage(int w);

// The statistics line of the page: reduced chi-square and serial correlation
// rounded to 3 decimals, chi-square to 1 (halves upwards).
std::string FitFinishedStatisticsText(double reducedChi2, double chi2, double correlation);
// "Iterations: " and the count the window's caption showed last.
std::string FitFinishedIterationsText();

// Pages of other parts that the back buttons open; a page not registered
// is skipped. The doublet start page asks for a doublet fit's start values,
// the fit background set-up shows the fit background page.
struct FitFinishedPageHooks {
  void (*doubletStartPage)(int w) = nullptr;
  void (*setUpFitBackground)(int w) = nullptr;
};
FitFinishedPageHooks& FitFinishedHooks();

void cmdOk241_Click();
void cmdCancel242_Click();
void cmd243_Click();
void cmd244_Click();
void cmd245_Click();

void RegisterFitFinishedPageEvents();

}  // namespace sorvan
