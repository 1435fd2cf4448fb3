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
#include "fiterrors/start_page.h"
#include "platform/controls.h"
#include "platform/mouse.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 15;

const StartPageKind kKind = {kPage, "ed151", "chk151", true, 51,
                             {"lb151", "lb152", "lb153", "lb154", "lb155"},
                             {1.7, 4.1, 6.5, 8.9, 11.3}, 18, 11.4};

// x rounded to 0.01, halves up.
double Round2(double x) { return std::floor(x * 100 + 0.5) / 100; }

}  // namespace

void PickDoubletRow(int w, int width) {
  WindowRecord& win = Win[w];
  G.RowIndex = static_cast<Int16>(G.RowIndex + 1);
  const int q = G.RowIndex;
  if (win.BackgroundState == BackgroundFitted || win.BackgroundState == BackgroundDefined) {
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
  TakeStartPageCopies(w);
  double ratio = 1;
  double splitting = 0;
  FindDoubletValues(win.SpectrumHeader.Name, ratio, splitting);
  G.CurrentDoubletRatio = ratio;
  G.CurrentDoubletSplitting = splitting;

  const int peaks = HeldPeakCount(w);
  double areaSum = 0;
  for (int p = 1; p <= peaks; ++p) areaSum += win.PeakArea[p] + win.PartnerArea[p];

  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 33 + 14 * (peaks - 1);
  spec.height = 23.5;
  spec.caption = StartPageCaption(w, kKind);
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
    BuildStartGrid(w, kKind);
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
  G.DoubletStartPickActive = 0;
  ConfirmStartPage(PageTargetWindow(kPage), kKind);
}

void cmdCancel152_Click() {
  G.DoubletStartPickActive = 0;
  CancelStartPage(PageTargetWindow(kPage), kKind);
}

void cmd153_Click() { ApplyStartPage(PageTargetWindow(kPage), kKind, 153); }

void cmd154_Click() { ChooseOnlyStartWindow(PageTargetWindow(kPage), 154); }

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

void cmd157_Click() { PreviewStartPage(PageTargetWindow(kPage), kKind); }

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
