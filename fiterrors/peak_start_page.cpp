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
#include "platform/controls.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 14;

// The text without its first character (the menu's and label's mnemonic).
std::string WithoutFirst(const std::string& text) { return text.empty() ? text : text.substr(1); }

// The typed grid into the peak table: values and fix states of the five
// main parameters.
void ReadGrid(int w) {
  WindowRecord& win = Win[w];
  const int peaks = HeldPeakCount(w);
  for (int p = 1; p <= peaks; ++p) {
    for (int k = 0; k <= 4; ++k) {
      const int j = 2 * k + 1;
      const int cell = (p - 1) * 5 + k;
      win.ParameterValue[p][j] = ReadPageNumber(kPage, "ed141", cell);
      win.ParameterState[p][j] =
          static_cast<Int16>(plat::RoundHalfEven(plat::Value(kPage, "chk141", cell)));
    }
  }
}

// The peak entries of the fit vector and its scale for n peaks.
int PeakEntries(int w) {
  int entries = 10 * HeldPeakCount(w);
  if (G.FitVectorCopy.upper() < entries) entries = static_cast<int>(G.FitVectorCopy.upper());
  if (G.FitVector.Upper() < entries) entries = static_cast<int>(G.FitVector.Upper());
  if (G.ParameterScale.Upper() < entries) entries = static_cast<int>(G.ParameterScale.Upper());
  return entries;
}

// Draws the peaks at the values of the fit vector without iterating.
void EvaluateAndDraw(int w) {
  G.BatchMode = 2;
  RunFitOfWindow(w);
  RedrawWindow(w);
  G.BatchMode = 0;
}

}  // namespace

void SetUpAndLoadFit(int w) {
  if (Win[w].PeakModel == 1) {
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
  if (Win[w].PeakModel == 1) {
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
  const int entries = PeakEntries(w);
  for (int i = 1; i <= entries; ++i) {
    G.FitVectorCopy[i] = G.FitVector[i];
    G.FitScaleCopy[i] = G.ParameterScale[i];
  }
  const int peaks = HeldPeakCount(w);
  double areaSum = 0;
  for (int p = 1; p <= peaks; ++p) areaSum += win.PeakArea[p];
  const bool doniachSunjic = win.PeakModel == 1;

  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 28 + 14 * (peaks - 1);
  spec.height = 17;
  spec.caption = G.MessageTexts[44] + "/" +
                 WithoutFirst(doniachSunjic ? G.MenuTexts[63] : G.MenuTexts[62]) + "/" +
                 WithoutFirst(win.RelativeMode == 1 ? G.LabelTexts[3] : G.LabelTexts[2]);
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
    PageLabel(n, "lb141", plat::kNoIndex, 1, 1.7, 12, 1, G.MessageTexts[37]);
    PageLabel(n, "lb142", plat::kNoIndex, 0.5, 2.9, 12, 1,
              doniachSunjic ? G.MessageTexts[42] : G.MessageTexts[38] + "(0...1)");
    PageLabel(n, "lb143", plat::kNoIndex, 0.5, 4.1, 12, 1, G.MessageTexts[39]);
    PageLabel(n, "lb144", plat::kNoIndex, 0.5, 5.3, 12, 1,
              doniachSunjic ? G.MessageTexts[43] : G.MessageTexts[40]);
    PageLabel(n, "lb145", plat::kNoIndex, 0.5, 6.5, 12, 1, G.MessageTexts[41]);
    PageLabel(n, "lb146", plat::kNoIndex, 0.5, 7.7, 12, 1, G.MessageTexts[45]);
    PageLabel(n, "lb147", plat::kNoIndex, 0.5, 8.9, 12, 1, G.MessageTexts[46]);
    for (int p = 1; p <= peaks; ++p) {
      const double x0 = 13 + 14 * (p - 1);
      PageLabel(n, "lb148", p, x0 + 2, 0.5, 11, 1,
                G.MessageTexts[47] + plat::Trim(plat::NumberToText(p)));
      PageLabel(n, "lb149", p, x0 + 11, 0.5, 3, 1, G.MessageTexts[48]);
      for (int k = 0; k <= 4; ++k) {
        const int j = 2 * k + 1;
        const int cell = (p - 1) * 5 + k;
        FormatParameterValue(w, p, j);
        PageEdit(n, "ed141", cell, x0, 1.7 + 1.2 * k, 11, 1.1, G.NumberText);
        PageCheck(n, "chk141", cell, x0 + 11.4, 1.7 + 1.2 * k, 2, 1.2, "",
                  win.ParameterState[p][j]);
      }
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
  const int w = PageTargetWindow(kPage);
  G.PeakStartPickActive = 0;
  G.DialogResult = 1;
  if (IsSpectrumWindow(w)) {
    WindowRecord& win = Win[w];
    ReadGrid(w);
    // A singlet has no partner: the partner entries are fixed at 0.
    const int peaks = HeldPeakCount(w);
    for (int p = 1; p <= peaks; ++p) {
      for (int k = 0; k <= 4; ++k) {
        win.ParameterValue[p][2 * k + 2] = 0;
        win.ParameterState[p][2 * k + 2] = 1;
      }
    }
    G.FitRounds = 1;
    G.FitDisplayPass = 1;
    G.BatchMode = 2;
    LoadFitOfWindow(w);
    RunFitOfWindow(w);
    RedrawWindow(w);
    win.HasFit = 1;
    G.BatchMode = 0;
    G.FitDisplayPass = 0;
  }
  ClosePage(kPage, 1);
}

void cmdCancel142_Click() {
  const int w = PageTargetWindow(kPage);
  G.PeakStartPickActive = 0;
  ClosePage(kPage, 2);
  if (!IsSpectrumWindow(w) || Win[w].HasFit != 1) return;
  // Every value that apply, preview or a pick put into the peak table goes
  // back to the fit as it was when the page opened.
  G.FitRounds = 1;
  G.BatchMode = 2;
  const int entries = PeakEntries(w);
  for (int i = 1; i <= entries; ++i) {
    G.FitVector[i] = G.FitVectorCopy[i];
    G.ParameterScale[i] = G.FitScaleCopy[i];
  }
  StoreFitOfWindow(w);
  LoadFitOfWindow(w);
  RunFitOfWindow(w);
  RedrawWindow(w);
  G.BatchMode = 0;
  G.FitDisplayPass = 0;
  G.DialogResult = 2;
}

void cmd143_Click() {
  const int w = PageTargetWindow(kPage);
  G.DialogResult = 143;
  if (IsSpectrumWindow(w)) ReadGrid(w);
}

void cmd144_Click() {
  const int w = PageTargetWindow(kPage);
  G.DialogResult = 144;
  G.ChosenWindows[1] = w;
  G.ChosenWindowCount = 1;
}

void cmd147_Click() {
  const int w = PageTargetWindow(kPage);
  if (!IsSpectrumWindow(w)) return;
  const Int16 result = G.DialogResult;
  ReadGrid(w);
  SetUpAndLoadFit(w);
  EvaluateAndDraw(w);
  G.FitDisplayPass = 0;
  G.DialogResult = result;
}

void cmd145_Click() {
  const int w = PageTargetWindow(kPage);
  if (!IsSpectrumWindow(w) || !PageOpen(kPage)) return;
  WindowRecord& win = Win[w];
  G.LoopIndexB = static_cast<Int16>(G.LoopIndexB + 1);
  const int q = G.LoopIndexB;
  if (win.BackgroundState == 4 || win.BackgroundState == 2) {
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
