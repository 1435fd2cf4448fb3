// The fit finished page (page 24x).
#include "dialogs/fit_finished_page.h"

#include <algorithm>
#include <cmath>

#include "core/events.h"
#include "core/model.h"
#include "dialogs/page.h"
#include "fit/chi_square.h"
#include "fit/fit_vector.h"
#include "fiterrors/peak_limits_page.h"
#include "fiterrors/peak_start_page.h"
#include "platform/app.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 24;

// Int(x * 10^d + 0.5) / 10^d in the program's number text.
std::string Rounded(double x, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return plat::NumberToText(std::floor(x * scale + 0.5) / scale);
}

// The peak table, changed by a nested page, into the fit vector again.
void ReloadFitVector(int w) {
  if (Win[w].RelativeMode == 1) {
    LoadFitParametersRelative(w);
  } else {
    LoadFitParameters(w);
  }
}

}  // namespace

FitFinishedPageHooks& FitFinishedHooks() {
  static FitFinishedPageHooks hooks;
  return hooks;
}

std::string FitFinishedStatisticsText(double reducedChi2, double chi2, double correlation) {
  return G.MessageTexts[90] + Rounded(reducedChi2, 3) + "  " + G.LabelTexts[128] +
         Rounded(chi2, 1) + "  " + G.MessageTexts[114] + Rounded(correlation, 3);
}

std::string FitFinishedIterationsText() {
  return G.MessageTexts[89] + ": " + plat::Trim(plat::NumberToText(ShownIterationCount()));
}

void ShowFitFinishedPage(int w) {
  if (!IsSpectrumWindow(w)) return;
  const WindowRecord& win = Win[w];
  const bool backgroundFitted = win.BackgroundState == BackgroundFitted;
  const std::string statistics =
      FitFinishedStatisticsText(win.FitReducedChi2, win.FitChi2, win.FitSerialCorrelation);
  // The statistics stand on one line, whole: the page grows wider when its
  // 38 cells cannot hold them (long numbers, a language with longer words).
  // The page's cell is measured in the main form's font, which is the font
  // of the pages.
  const double cell = std::max<double>(1, G.CharWidth);
  const double labelCells = std::max(38.0, std::ceil(plat::MainFontTextWidth(statistics) / cell + 1));
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = labelCells + 2;
  spec.height = backgroundFitted ? 10.5 : 9;
  spec.caption = G.MessageTexts[88];
  spec.clearResult = true;
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = 10;
  spec.pointerY = 4.6;
  G.DialogResult = 0;
  RunPage(spec, [&] {
    const int n = kPage;
    PageLabel(n, "lb241", plat::kNoIndex, 1, 0.5, labelCells, 1, statistics);
    // The iterations of the run, as the window's caption counted them.
    PageLabel(n, "lb243", plat::kNoIndex, 1, 1.7, 30, 1, FitFinishedIterationsText());
    PageButton(n, "cmdOk241", plat::kNoIndex, 1, 3, 18, 1.2, G.ButtonTexts[11],
               ButtonRole::Default);
    PageButton(n, "cmdCancel242", plat::kNoIndex, 20, 3, 18, 1.2, G.ButtonTexts[12],
               ButtonRole::Cancel);
    PageButton(n, "cmd243", plat::kNoIndex, 1, 4.5, 37, 1.2, G.ButtonTexts[13]);
    PageButton(n, "cmd244", plat::kNoIndex, 1, 6, 37, 1.2, G.ButtonTexts[14]);
    if (backgroundFitted)
      PageButton(n, "cmd245", plat::kNoIndex, 1, 7.5, 37, 1.2, G.ButtonTexts[15]);
  });
}

void cmdOk241_Click() {
  G.FitIteration = 0;
  ClosePage(kPage, 1);
}

void cmdCancel242_Click() { ClosePage(kPage, 2); }

void cmd243_Click() {
  G.DialogResult = 243;
  const int w = PageTargetWindow(kPage);
  if (!IsSpectrumWindow(w)) return;
  if (G.FitTypeName == G.MessageTexts[47]) {
    ShowPeakStartPage(w);
  } else if (G.FitTypeName == G.MessageTexts[52]) {
    if (FitFinishedHooks().doubletStartPage) FitFinishedHooks().doubletStartPage(w);
  }
  ReloadFitVector(w);
}

void cmd244_Click() {
  G.DialogResult = 244;
  const int w = PageTargetWindow(kPage);
  if (!IsSpectrumWindow(w)) return;
  ShowPeakLimitsPage(w);
  ReloadFitVector(w);
}

void cmd245_Click() {
  G.DialogResult = 245;
  const int w = PageTargetWindow(kPage);
  if (IsSpectrumWindow(w) && FitFinishedHooks().setUpFitBackground)
    FitFinishedHooks().setUpFitBackground(w);
}

void RegisterFitFinishedPageEvents() {
  RegisterEvent("cmdOk241_Click", [](plat::EventArgs&) { cmdOk241_Click(); });
  RegisterEvent("cmdCancel242_Click", [](plat::EventArgs&) { cmdCancel242_Click(); });
  RegisterEvent("cmd243_Click", [](plat::EventArgs&) { cmd243_Click(); });
  RegisterEvent("cmd244_Click", [](plat::EventArgs&) { cmd244_Click(); });
  RegisterEvent("cmd245_Click", [](plat::EventArgs&) { cmd245_Click(); });
}

}  // namespace sorvan
