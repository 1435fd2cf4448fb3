// The doublet start page (page 15x).
#include "fiterrors/doublet_start_page.h"

#include <cmath>
#include <string>

#include "core/events.h"
#include "core/model.h"
#include "core/number_text.h"
#include "core/reference_files.h"
#include "core/store.h"
#include "dialogs/fit_finished_page.h"
#include "dialogs/page.h"
#include "display/redraw.h"
#include "fit/fit_format.h"
#include "fiterrors/peak_start_page.h"
#include "platform/controls.h"
#include "platform/mouse.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 15;

std::string WithoutFirst(const std::string& text) { return text.empty() ? text : text.substr(1); }

// x rounded to 0.01, halves up.
double Round2(double x) { return std::floor(x * 100 + 0.5) / 100; }

// The typed grid into the peak table: all ten values and fix states of
// every peak.
void ReadGrid(int w) {
  WindowRecord& win = Win[w];
  const int peaks = HeldPeakCount(w);
  for (int p = 1; p <= peaks; ++p) {
    for (int j = 1; j <= 10; ++j) {
      const int cell = (p - 1) * 10 + j - 1;
      win.ParameterValue[p][j] = ReadPageNumber(kPage, "ed151", cell);
      win.ParameterState[p][j] =
          static_cast<Int16>(plat::RoundHalfEven(plat::Value(kPage, "chk151", cell)));
    }
  }
}

// The peak entries of the fit vector and its scale for n peaks, as far as
// the copies and the sized arrays reach.
int PeakEntries(int w) {
  long long entries = 10 * HeldPeakCount(w);
  if (G.FitVectorCopy.upper() < entries) entries = G.FitVectorCopy.upper();
  if (G.FitVector.Upper() < entries) entries = G.FitVector.Upper();
  if (G.ParameterScale.Upper() < entries) entries = G.ParameterScale.Upper();
  return static_cast<int>(entries);
}


}  // namespace

void PickDoubletRow(int w, int width) {
  WindowRecord& win = Win[w];
  G.RowIndex = static_cast<Int16>(G.RowIndex + 1);
  const int q = G.RowIndex;
  if (win.BackgroundState == 4 || win.BackgroundState == 2) {
    const long long channel = plat::RoundHalfEven(G.CursorChannel);
    if (channel >= 0 && channel <= WorkBackground.Upper()) G.PickedHeight -= WorkBackground[channel];
  }
  const bool relative = win.RelativeMode == 1;
  // The partner lies above the main line on the binding scale and below it
  // on the kinetic scale.
  const double splitting =
      G.EnergyAxisMode == 1 ? -G.CurrentDoubletSplitting : G.CurrentDoubletSplitting;
  std::string height = NumberTextInWidth(G.PickedHeight, width);
  std::string partnerHeight = relative ? NumberTextInWidth(G.CurrentDoubletRatio, width)
                                       : NumberTextInWidth(G.PickedHeight * G.CurrentDoubletRatio, width);
  std::string position = plat::NumberToText(G.CursorEnergy);
  std::string partnerPosition =
      plat::NumberToText(relative ? Round2(splitting) : Round2(G.CursorEnergy + splitting));
  if (q >= 2 && relative) {
    const double firstHeight = ReadPageNumber(kPage, "ed151", 0);
    if (firstHeight != 0) {
      height = NumberTextInWidth(G.PickedHeight / firstHeight, width);
      partnerHeight = NumberTextInWidth(G.CurrentDoubletRatio, width);
      position = plat::NumberToText(Round2(G.CursorEnergy - ReadPageNumber(kPage, "ed151", 4)));
      partnerPosition = plat::NumberToText(Round2(splitting));
    }
  }
  const int cell = (q - 1) * 10;
  plat::SetText(kPage, "ed151", cell, height);
  plat::SetText(kPage, "ed151", cell + 1, partnerHeight);
  plat::SetText(kPage, "ed151", cell + 4, position);
  plat::SetText(kPage, "ed151", cell + 5, partnerPosition);
  if (G.RowIndex >= win.PeakCount) G.RowIndex = 0;
}

void TakeDoubletHeightAtPointer(int w) {
  const WindowRecord& win = Win[w];
  if (win.WindowPlotHeight == 0) return;
  const double y = plat::MouseY(w);
  G.PickedHeight = win.YAxisTop - (y - 10) * (win.YAxisTop - win.YAxisBottom) / win.WindowPlotHeight;
}

void ShowDoubletStartPage(int w) {
  if (!IsSpectrumWindow(w) || !PageCanOpen(kPage)) return;
  WindowRecord& win = Win[w];
  G.DoubletStartPickActive = 1;
  G.DialogResult = 0;
  SetUpAndLoadFit(w);
  LoadWorkBackground(w, 2, 1, WindowPointCount(w));
  const int entries = PeakEntries(w);
  for (int i = 1; i <= entries; ++i) {
    G.FitVectorCopy[i] = G.FitVector[i];
    G.FitScaleCopy[i] = G.ParameterScale[i];
  }
  double ratio = 1;
  double splitting = 0;
  FindDoubletValues(win.SpectrumHeader.Name, ratio, splitting);
  G.CurrentDoubletRatio = ratio;
  G.CurrentDoubletSplitting = splitting;

  const int peaks = HeldPeakCount(w);
  double areaSum = 0;
  for (int p = 1; p <= peaks; ++p) areaSum += win.PeakArea[p] + win.PartnerArea[p];
  const bool doniachSunjic = win.PeakModel == 1;

  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 33 + 14 * (peaks - 1);
  spec.height = 23.5;
  spec.caption = G.MessageTexts[51] + "/" +
                 WithoutFirst(doniachSunjic ? G.MenuTexts[63] : G.MenuTexts[62]) + "/" +
                 WithoutFirst(win.RelativeMode == 1 ? G.LabelTexts[3] : G.LabelTexts[2]);
  spec.clearResult = true;
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = 6.5;
  spec.pointerY = 20.6;
  spec.firstEntry = "ed151";
  spec.firstEntryIndex = 0;
  G.RowIndex = 0;
  const bool shown = RunPage(spec, [&] {
    const int n = kPage;
    PageLabel(n, "lb151", plat::kNoIndex, 1, 1.7, 12, 1, G.MessageTexts[37]);
    PageLabel(n, "lb152", plat::kNoIndex, 0.5, 4.1, 12, 1,
              doniachSunjic ? G.MessageTexts[42] : G.MessageTexts[38] + "(0...1)");
    PageLabel(n, "lb153", plat::kNoIndex, 0.5, 6.5, 12, 1, G.MessageTexts[39]);
    PageLabel(n, "lb154", plat::kNoIndex, 0.5, 8.9, 12, 1,
              doniachSunjic ? G.MessageTexts[43] : G.MessageTexts[40]);
    PageLabel(n, "lb155", plat::kNoIndex, 0.5, 11.3, 12, 1, G.MessageTexts[41]);
    PageLabel(n, "lb156", plat::kNoIndex, 0.5, 13.7, 12, 1, G.MessageTexts[45]);
    PageLabel(n, "lb157", plat::kNoIndex, 0.5, 16.1, 12, 1, G.MessageTexts[46]);
    for (int i = 0; i <= 6; ++i) {
      PageLabel(n, "lb158", i, 12, 1.7 + 2.4 * i, 6, 1, G.MessageTexts[47] + "1");
      PageLabel(n, "lb159", i, 12, 2.9 + 2.4 * i, 6, 1, G.MessageTexts[47] + "2");
    }
    for (int p = 1; p <= peaks; ++p) {
      const double x0 = 18 + 14 * (p - 1);
      PageLabel(n, "lb1510", p, x0 + 2, 0.5, 11, 1,
                G.MessageTexts[52] + plat::Trim(plat::NumberToText(p)));
      PageLabel(n, "lb1511", p, x0 + 11.5, 0.5, 11, 1, G.MessageTexts[48]);
      for (int j = 1; j <= 10; ++j) {
        const int cell = (p - 1) * 10 + j - 1;
        const double y = 1.7 + 1.2 * (j - 1);
        FormatParameterValue(w, p, j);
        PageEdit(n, "ed151", cell, x0, y, 11, 1.1, G.NumberText);
        // A partner of peaks 2..n may also be linked to peak 1's partner.
        const bool threeState = p >= 2 && j % 2 == 0;
        PageControl(n, plat::ControlKind::CheckBox, "chk151", cell, x0 + 11.4, y, 2, 1.2, "");
        if (threeState) plat::SetThreeState(n, "chk151", cell, true);
        int state = win.ParameterState[p][j];
        if (state < 0 || state > (threeState ? 2 : 1)) state = state > 0 ? 1 : 0;
        plat::SetValue(n, "chk151", cell, state);
      }
      std::string area = plat::NumberToText(0);
      std::string partnerArea = area;
      std::string share = area;
      std::string partnerShare = area;
      if (areaSum != 0) {
        FormatPeakAreas(w, p, areaSum);
        area = G.NumberText;
        share = G.NumberText2;
        partnerArea = G.NumberText3;
        partnerShare = G.NumberText4;
      }
      PageLabel(n, "lb1512", p, x0, 13.7, 11, 1, area);
      PageLabel(n, "lb1513", p, x0, 14.9, 11, 1, partnerArea);
      PageLabel(n, "lb1514", p, x0, 16.1, 11, 1, share);
      PageLabel(n, "lb1515", p, x0, 17.3, 11, 1, partnerShare);
    }
    PageButton(n, "cmdOk151", plat::kNoIndex, 1, 19, 9, 1.2, G.ButtonTexts[2], ButtonRole::Default);
    PageButton(n, "cmdCancel152", plat::kNoIndex, 11, 19, 10, 1.2, G.ButtonTexts[1],
               ButtonRole::Cancel);
    PageButton(n, "cmd153", plat::kNoIndex, 22, 19, 9, 1.2, G.ButtonTexts[9]);
    PageButton(n, "cmd154", plat::kNoIndex, 1, 20.5, 14, 1.2, G.ButtonTexts[10]);
    PageButton(n, "cmd157", plat::kNoIndex, 17, 20.5, 14, 1.2, G.LabelTexts[122]);
    // Hidden buttons: Alt+Y and Alt+Z pick from the keyboard.
    PageButton(n, "cmd155", plat::kNoIndex, 0, 0, 0, 0, "&y");
    PageButton(n, "cmd156", plat::kNoIndex, 0, 0, 0, 0, "&z");
  });
  if (!shown || !PageOpen(kPage)) G.DoubletStartPickActive = 0;
}

void cmdOk151_Click() {
  const int w = PageTargetWindow(kPage);
  G.DoubletStartPickActive = 0;
  G.DialogResult = 1;
  if (IsSpectrumWindow(w)) {
    WindowRecord& win = Win[w];
    ReadGrid(w);
    G.FitRounds = 1;
    G.FitDisplayPass = 1;
    G.BatchMode = 2;
    LoadFitOfWindow(w);
    RunFitOfWindow(w);
    // A window closed meanwhile is not drawn into.
    if (win.WindowOpen) RedrawWindow(w);
    win.HasFit = 1;
    G.BatchMode = 0;
    G.FitDisplayPass = 0;
  }
  ClosePage(kPage, 1);
}

void cmdCancel152_Click() {
  const int w = PageTargetWindow(kPage);
  G.DoubletStartPickActive = 0;
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
  RunFitOfWindow(w);
  if (Win[w].WindowOpen) RedrawWindow(w);
  G.BatchMode = 0;
  G.FitDisplayPass = 0;
  G.DialogResult = 2;
}

void cmd153_Click() {
  const int w = PageTargetWindow(kPage);
  G.DialogResult = 153;
  if (IsSpectrumWindow(w)) ReadGrid(w);
}

void cmd154_Click() {
  const int w = PageTargetWindow(kPage);
  G.DialogResult = 154;
  G.ChosenWindows[1] = w;
  G.ChosenWindowCount = 1;
}

void cmd155_Click() {
  const int w = PageTargetWindow(kPage);
  if (!IsSpectrumWindow(w) || !PageOpen(kPage)) return;
  PickDoubletRow(w, 10);
}

void cmd156_Click() {
  const int w = PageTargetWindow(kPage);
  if (!IsSpectrumWindow(w) || !PageOpen(kPage)) return;
  TakeDoubletHeightAtPointer(w);
  PickDoubletRow(w, 8);
}

void cmd157_Click() {
  const int w = PageTargetWindow(kPage);
  if (!IsSpectrumWindow(w)) return;
  const Int16 result = G.DialogResult;
  ReadGrid(w);
  G.BatchMode = 2;
  SetUpAndLoadFit(w);
  RunFitOfWindow(w);
  if (Win[w].WindowOpen) RedrawWindow(w);
  G.BatchMode = 0;
  G.FitDisplayPass = 0;
  G.DialogResult = result;
}

void RegisterDoubletStartPageEvents() {
  RegisterEvent("cmdOk151_Click", [](plat::EventArgs&) { cmdOk151_Click(); });
  RegisterEvent("cmdCancel152_Click", [](plat::EventArgs&) { cmdCancel152_Click(); });
  RegisterEvent("cmd153_Click", [](plat::EventArgs&) { cmd153_Click(); });
  RegisterEvent("cmd154_Click", [](plat::EventArgs&) { cmd154_Click(); });
  RegisterEvent("cmd155_Click", [](plat::EventArgs&) { cmd155_Click(); });
  RegisterEvent("cmd156_Click", [](plat::EventArgs&) { cmd156_Click(); });
  RegisterEvent("cmd157_Click", [](plat::EventArgs&) { cmd157_Click(); });
  FitFinishedHooks().doubletStartPage = ShowDoubletStartPage;
}

}  // namespace sorvan
