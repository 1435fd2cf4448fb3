// The peak start page (page 14x).
#include "fiterrors/peak_start_page.h"

#include <cmath>
#include <cstdio>

#include "core/events.h"
#include "core/model.h"
#include "core/number_text.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/redraw.h"
#include "fit/fit_format.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fiterrors/start_page.h"
#include "platform/controls.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 14;

const StartPageKind kKind = {kPage, "ed141", "chk141", false, 44,
                             {"lb141", "lb142", "lb143", "lb144", "lb145"},
                             {1.7, 2.9, 4.1, 5.3, 6.5}, 13, 11.4};

}  // namespace

void SetUpAndLoadFit(int w) {
  if (Win[w].PeakModel == PeakModelDoniachSunjic) {
    AllocFitArraysDoniachSunjic(w);
  } else {
    AllocFitArraysGaussLorentz(w);
  }
  LoadFitOfWindow(w);
}

void LoadFitOfWindow(int w) {
  if (Win[w].RelativeMode == 1) {
    LoadFitParametersRelative(w);
  } else {
    LoadFitParameters(w);
  }
}

void StoreFitOfWindow(int w) {
  if (Win[w].RelativeMode == 1) {
    StoreFitParametersRelative(w);
  } else {
    StoreFitParameters(w);
  }
}

void RunFitOfWindow(int w) {
  const bool relative = Win[w].RelativeMode == 1;
  if (Win[w].PeakModel == PeakModelDoniachSunjic) {
    relative ? FitPeaksDoniachSunjicRelative(w) : FitPeaksDoniachSunjic(w);
  } else {
    relative ? FitPeaksGaussLorentzRelative(w) : FitPeaksGaussLorentz(w);
  }
}

void ShowPeakStartPage(int w) {
  if (!IsSpectrumWindow(w) || !PageCanOpen(kPage)) return;
  WindowRecord& win = Win[w];
  G.PeakStartPickActive = 1;
  G.DialogResult = 0;
  LoadWorkBackground(w, 2, 1, WindowPointCount(w));
  SetUpAndLoadFit(w);
  TakeStartPageCopies(w);
  const int peaks = HeldPeakCount(w);
  double areaSum = 0;
  for (int p = 1; p <= peaks; ++p) areaSum += win.PeakArea[p];

  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 28 + 14 * (peaks - 1);
  spec.height = 17;
  spec.caption = StartPageCaption(w, kKind);
  spec.clearResult = true;
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = 6.5;
  spec.pointerY = 12.6;
  spec.firstEntry = "ed141";
  spec.firstEntryIndex = 0;
  G.LoopIndexB = 0;
  const bool shown = RunPage(spec, [&] {
    const int n = kPage;
    BuildStartGrid(w, kKind);
    PageLabel(n, "lb146", plat::kNoIndex, 0.5, 7.7, 12, 1, G.MessageTexts[45]);
    PageLabel(n, "lb147", plat::kNoIndex, 0.5, 8.9, 12, 1, G.MessageTexts[46]);
    for (int p = 1; p <= peaks; ++p) {
      const double x0 = 13 + 14 * (p - 1);
      PageLabel(n, "lb148", p, x0 + 2, 0.5, 11, 1,
                G.MessageTexts[47] + plat::Trim(plat::NumberToText(p)));
      PageLabel(n, "lb149", p, x0 + 11, 0.5, 3, 1, G.MessageTexts[48]);
      std::string area = plat::NumberToText(0);
      std::string share = area;
      if (areaSum != 0) {
        FormatPeakAreas(w, p, areaSum);
        area = G.NumberText;
        share = G.NumberText2;
      }
      PageLabel(n, "lb1410", p, x0, 7.7, 11, 1, area);
      PageLabel(n, "lb1411", p, x0, 8.9, 11, 1, share);
    }
    PageButton(n, "cmdOk141", plat::kNoIndex, 1, 11, 11.5, 1.2, G.ButtonTexts[2],
               ButtonRole::Default);
    PageButton(n, "cmdCancel142", plat::kNoIndex, 14.5, 11, 11.5, 1.2, G.ButtonTexts[1],
               ButtonRole::Cancel);
    PageButton(n, "cmd143", plat::kNoIndex, 1, 12.5, 11.5, 1.2, G.ButtonTexts[9]);
    PageButton(n, "cmd144", plat::kNoIndex, 14.5, 12.5, 11.5, 1.2, G.ButtonTexts[10]);
    PageButton(n, "cmd147", plat::kNoIndex, 1, 14, 25, 1.2, G.LabelTexts[122]);
    // Hidden buttons: Alt+Y and Alt+Z pick at the pointer from the keyboard.
    PageButton(n, "cmd145", plat::kNoIndex, 0, 0, 0, 0, "&y");
    PageButton(n, "cmd146", plat::kNoIndex, 0, 0, 0, 0, "&z");
  });
  // A page that could not open (or was closed by other means) leaves no
  // pick armed.
  if (!shown || !PageOpen(kPage)) G.PeakStartPickActive = 0;
}

void cmdOk141_Click() {
  G.PeakStartPickActive = 0;
  ConfirmStartPage(PageTargetWindow(kPage), kKind);
}

void cmdCancel142_Click() {
  G.PeakStartPickActive = 0;
  CancelStartPage(PageTargetWindow(kPage), kKind);
}

void cmd143_Click() { ApplyStartPage(PageTargetWindow(kPage), kKind, 143); }

void cmd144_Click() { ChooseOnlyStartWindow(PageTargetWindow(kPage), 144); }

void cmd147_Click() { PreviewStartPage(PageTargetWindow(kPage), kKind); }

void cmd145_Click() {
  const int w = PageTargetWindow(kPage);
  if (!IsSpectrumWindow(w) || !PageOpen(kPage)) return;
  WindowRecord& win = Win[w];
  G.LoopIndexB = static_cast<Int16>(G.LoopIndexB + 1);
  const int q = G.LoopIndexB;
  if (win.BackgroundState == BackgroundFitted || win.BackgroundState == BackgroundDefined) {
    const long long channel = plat::RoundHalfEven(G.CursorChannel);
    if (channel >= 0 && channel <= WorkBackground.Upper())
      G.PickedHeight -= WorkBackground[channel];
  }
  const int heightCell = (q - 1) * 5;
  const int positionCell = heightCell + 2;
  std::string height = NumberTextInWidth(G.PickedHeight, 8);
  std::string position = plat::NumberToText(G.CursorEnergy);
  if (q >= 2 && win.RelativeMode == 1) {
    const double firstHeight = ReadPageNumber(kPage, "ed141", 0);
    if (firstHeight != 0) {
      height = NumberTextInWidth(G.PickedHeight / firstHeight, 10);
      const double offset = G.CursorEnergy - ReadPageNumber(kPage, "ed141", 2);
      position = plat::NumberToText(std::floor(offset * 100 + 0.5) / 100);
    }
  }
  plat::SetText(kPage, "ed141", heightCell, height);
  plat::SetText(kPage, "ed141", positionCell, position);
  if (G.LoopIndexB >= win.PeakCount) G.LoopIndexB = 0;
}

void RegisterPeakStartPageEvents() {
  RegisterEvent("cmdOk141_Click", [](plat::EventArgs&) { cmdOk141_Click(); });
  RegisterEvent("cmdCancel142_Click", [](plat::EventArgs&) { cmdCancel142_Click(); });
  RegisterEvent("cmd143_Click", [](plat::EventArgs&) { cmd143_Click(); });
  RegisterEvent("cmd144_Click", [](plat::EventArgs&) { cmd144_Click(); });
  RegisterEvent("cmd145_Click", [](plat::EventArgs&) { cmd145_Click(); });
  RegisterEvent("cmd146_Click", [](plat::EventArgs&) { cmd145_Click(); });
  RegisterEvent("cmd147_Click", [](plat::EventArgs&) { cmd147_Click(); });
}

}  // namespace sorvan
