// Page 28x, on which the user edits the terms of the background fitted with
// the peaks and their fix marks, or subtracts the current curve at once.
#include "dialogs/fit_background_page.h"

#include <span>

#include "core/events.h"
#include "core/model.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "fit/fit_format.h"
#include "platform/controls.h"
#include "processing/pages/background_page.h"
#include "processing/kernels/backgrounds.h"
#include "processing/poly_background.h"

namespace sorvan {

namespace {

constexpr int kPage = 28;

int PageSpectrumWindow() {
  const int w = PageWindow(kPage);
  return IsSpectrumWindow(w) ? w : G.CurrentWindow;
}

// The typed terms and fix marks into the window's tables.
void ReadTerms(int w) {
  for (int k = 1; k <= 6; ++k) {
    Win[w].BackgroundTermValue[k] = ReadPageNumber(kPage, "ed281", k);
    Win[w].BackgroundTermFixed[k] = plat::Value(kPage, "chk281", k) != 0;
  }
}

void EndPage(int result) {
  G.RegionPickState = 0;
  ClosePage(kPage, result);
}

}  // namespace

std::string FitBackgroundTermText(int k, double value) {
  int decimals = 6;
  if (k == 1) {
    if (value > 1000) {
      decimals = 1;
    } else if (value > 10) {
      decimals = 3;
    } else if (value > 0.1) {
      decimals = 5;
    } else {
      decimals = 7;
    }
  }
  return FitNumberText(value, decimals);
}

bool ShowFitBackgroundPage(int w) {
  if (!IsSpectrumWindow(w) || !PageCanOpen(kPage, PageGuard::Window28)) return false;
  WindowRecord& win = Win[w];
  const auto& h = win.SpectrumHeader;
  win.IntegratedArea[1] = BackgroundArea(
      std::span<const double>(WorkData.data(), WorkData.size()),
      std::span<const double>(WorkBackground.data(), WorkBackground.size()), win.RegionStart,
      win.RegionEnd, h.EnergyStep, G.CpsMode == 0, h.ScanCount, h.DwellTime);
  if (win.HasFit == 0) win.BackgroundState = BackgroundPreview;
  const double area = win.IntegratedArea[1];
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 35;
  spec.height = 17.5;
  spec.caption = G.MessageTexts[107];
  spec.guard = PageGuard::Window28;
  spec.clearResult = true;
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = 16.1;
  spec.firstEntry = "ed281";
  spec.firstEntryIndex = 1;
  return RunPage(spec, [&] {
    const int n = kPage;
    const auto none = plat::kNoIndex;
    PageLabel(n, "lb281", none, 1, 0.5, 27, 1.2, G.MessageTexts[6]);
    PageLabel(n, "lb282", none, 1, 1.5, 27, 1.2, BackgroundAreaText(area));
    PageLabel(n, "lb283", none, 1, 3, 27, 1.2, "P(x) = A+Bx+Cx\u00B2+Dx\u00B3+ES+FT");
    PageLabel(n, "lb290", none, 30, 3, 4, 1.2, " Fix");
    const char* labels[] = {"lb284", "lb285", "lb286", "lb287", "lb288", "lb289"};
    const int texts[] = {108, 109, 110, 111, 104, 105};
    for (int k = 1; k <= 6; ++k) {
      const double row = 3.3 + 1.2 * k;
      PageLabel(n, labels[k - 1], none, 1, row, 20, 1.2, G.MessageTexts[texts[k - 1]]);
      PageEdit(n, "ed281", k, 19, row, 11, 1.1,
               FitBackgroundTermText(k, win.BackgroundTermValue[k]));
      PageCheck(n, "chk281", k, 31, row, 2, 1.1, "", win.BackgroundTermFixed[k] ? 1 : 0);
    }
    PageButton(n, "cmd281", none, 1, 13, 13, 1.2, G.ButtonTexts[3]);
    PageButton(n, "cmd282", none, 20, 13, 13, 1.2, G.ButtonTexts[5]);
    PageButton(n, "cmdOk283", none, 1, 14.5, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
    PageButton(n, "cmdCancel284", none, 20, 14.5, 13, 1.2, G.ButtonTexts[1], ButtonRole::Cancel);
  });
}

void cmd281_Click() {
  const int w = PageSpectrumWindow();
  G.DialogResult = AnswerFitBackgroundSubtract;
  // The curve as stored before the page opened.
  SubtractStoredFitBackground(w);
  EndPage(AnswerFitBackgroundSubtract);
}

void cmd282_Click() {
  const int w = PageSpectrumWindow();
  G.DialogResult = AnswerFitBackgroundKeep;
  if (IsSpectrumWindow(w)) {
    ReadTerms(w);
    Win[w].BackgroundState = BackgroundFitted;
  }
  EndPage(AnswerFitBackgroundKeep);
}

void cmdOk283_Click() {
  const int w = PageSpectrumWindow();
  G.DialogResult = AnswerFitBackgroundConfirm;
  if (IsSpectrumWindow(w)) {
    WindowRecord& win = Win[w];
    ReadTerms(w);
    if (win.HasFit != 0) {
      // A fit of the window takes the confirmed terms and their fix marks.
      const int N = 10 * win.PeakCount;
      for (int k = 1; k <= 6; ++k) {
        if (G.FitVector.Contains(N + k)) G.FitVector[N + k] = win.BackgroundTermValue[k];
        if (G.ParameterScale.Contains(N + k))
          G.ParameterScale[N + k] = win.BackgroundTermFixed[k] ? 0.0 : 1.0;
      }
    }
    win.BackgroundState = BackgroundFitted;
  }
  EndPage(AnswerFitBackgroundConfirm);
}

void cmdCancel284_Click() {
  const int w = PageSpectrumWindow();
  const bool clear = IsSpectrumWindow(w) && Win[w].BackgroundState != BackgroundFitted;
  if (clear) {
    WorkBackground.Resize(WindowPointCount(w));
    StoreWorkBackground(w, 2);
    Win[w].BackgroundState = BackgroundNone;
  }
  EndPage(-1);  // the answer stays 0
  if (clear) RedrawWindow(w);
}

void RegisterFitBackgroundPageEvents() {
  RegisterEvent("cmd281_Click", [](plat::EventArgs&) { cmd281_Click(); });
  RegisterEvent("cmd282_Click", [](plat::EventArgs&) { cmd282_Click(); });
  RegisterEvent("cmdOk283_Click", [](plat::EventArgs&) { cmdOk283_Click(); });
  RegisterEvent("cmdCancel284_Click", [](plat::EventArgs&) { cmdCancel284_Click(); });
}

}  // namespace sorvan
