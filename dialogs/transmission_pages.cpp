// Pages 35x (coefficients of the transmission function) and 38x (reference
// line percentages).
#include "dialogs/transmission_pages.h"

#include <cmath>
#include <string>

#include "core/events.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/number_text.h"
#include "core/store.h"
#include "core/transmission_function.h"
#include "dialogs/page.h"
#include "fit/fit_format.h"
#include "platform/controls.h"
#include "platform/text.h"
#include "processing/transmission.h"
#include "processing/transmission_lines.h"

namespace sorvan {

namespace {

constexpr int kPage = 28;
constexpr int kRecompute = 352;
constexpr int kFit = 353;
constexpr int kCancel = 354;
constexpr int kSearchMode = 383;
constexpr int kMessageInconsistent = 9;

constexpr const char* kCoefficientLabels[8] = {"",      "a0 = ", "a1 = ", "a2 = ",
                                               "a3 = ", "a4 = ", "b1 = ", "b2 = "};

bool WindowOfModel(int w) { return w >= 0 && w <= kMaxWindows; }

// Both pages share dialog window 28, its guard and the pointer's place.
PageSpec PageOnWindow28(Cells width, Cells height, const std::string& caption, int spectrumWindow) {
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = width;
  spec.height = height;
  spec.caption = caption;
  spec.guard = PageGuard::Window28;
  spec.spectrumWindow = spectrumWindow;
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = 18;
  return spec;
}

// Scales a0..b1 of w so that the function is 1 at 1000 eV and, unless the
// search shows the page, the reference by the same factor. A function of 0
// at 1000 eV cannot be scaled: message 9, nothing changes.
void NormaliseAt1000eV(int w) {
  WindowRecord& win = Win[w];
  const double n = TransmissionFunction(win.TransmissionCoef.data(), 1000.0);
  if (n == 0.0 || !std::isfinite(n)) {
    G.CommandId = kMessageInconsistent;
    ShowMessage(G.CommandId, w);
    return;
  }
  for (int c = 1; c <= 6; ++c) win.TransmissionCoef[c] /= n;
  if (G.DialogResult == kSearchMode || !IsSpectrumWindow(w)) return;
  CheckedVector<double>& reference = TransmissionReference[w];
  for (long long i = 1; i <= reference.Upper(); ++i) reference[i] *= n;
  // The set the page's Cancel returns to must give the same curve with the
  // scaled reference.
  for (int c = 1; c <= 6; ++c) G.TransmissionCoefCopy[c] /= n;
}

// cmd352 and cmdOk353: the typed coefficients (a decimal comma read as a
// point) and the marks into the window.
void TakeCoefficients(int result) {
  const int w = PageTargetWindow(kPage);
  if (WindowOfModel(w)) {
    WindowRecord& win = Win[w];
    for (int k = 1; k <= 7; ++k) {
      win.TransmissionCoef[k] = ReadPageNumber(kPage, "ed351", k);
      win.TransmissionCoefFixed[k] = plat::Value(kPage, "chk351", k) != 0.0 ? 1 : 0;
    }
  }
  G.NormaliseTransmission = plat::Value(kPage, "chk352") != 0.0 ? 1 : 0;
  ClosePage(kPage, result);
}

}  // namespace

void ShowTransmissionCoefficientPage(int w) {
  if (!WindowOfModel(w) || !PageCanOpen(kPage, PageGuard::Window28)) return;
  if (G.NormaliseTransmission == 1) NormaliseAt1000eV(w);
  const WindowRecord& win = Win[w];
  RunPage(PageOnWindow28(30, 20.5, G.LabelTexts[138], w), [&] {
    const int n = kPage;
    const auto none = plat::kNoIndex;
    // The euro sign stands for the variable x of the formula.
    PageLabel(n, "lb351", none, 0.5, 0.5, 29, 1, "IERF(E) = a0+a1\u20AC^1+a2\u20AC^2");
    PageLabel(n, "lb352", none, 0.5, 1.5, 29, 1, "       +a3\u20AC^3+a4\u20AC^4+b1E^b2");
    PageLabel(n, "lb353", none, 0.5, 2.5, 29, 1, "\u20AC = ((E - 1000)/1000) eV");
    PageLabel(n, "lb350", none, 22.5, 3, 6, 1, " Fix");
    for (int k = 1; k <= 7; ++k) {
      const double top = k + 3.5;
      PageLabel(n, "lb" + std::to_string(353 + k), none, 1, top, 8, 1, kCoefficientLabels[k]);
      PageEdit(n, "ed351", k, 10, top, 11, 1.1,
               plat::NumberToText(RoundHalfUp(win.TransmissionCoef[k], 4)));
      // A mark of -1 (held by the reset) shows as ticked as well.
      PageCheck(n, "chk351", k, 23, top, 2, 1, "", win.TransmissionCoefFixed[k] != 0.0 ? 1 : 0);
    }
    PageCheck(n, "chk352", none, 1, 12, 28, 1, G.MessageTexts[73] + ":", G.NormaliseTransmission);
    PageLabel(n, "lb361", none, 3.5, 13, 25, 1, "IERF(1000eV) = 1 ");
    PageLabel(n, "lb362", none, 1, 14.5, 28, 1,
              G.LabelTexts[144] + plat::NumberToText(RoundHalfUp(G.ReducedChiSquare, 6)));
    PageButton(n, "cmd352", none, 1, 16, 13, 1.2, G.ButtonTexts[5]);
    PageButton(n, "cmd355", none, 15, 16, 13, 1.2, G.ButtonTexts[9]);
    PageButton(n, "cmdOk353", none, 1, 17.5, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
    PageButton(n, "cmdCancel354", none, 15, 17.5, 13, 1.2, G.ButtonTexts[1], ButtonRole::Cancel);
  });
}

void cmd352_Click() {
  if (PageOpen(kPage)) TakeCoefficients(kRecompute);
}

void cmdOk353_Click() {
  if (PageOpen(kPage)) TakeCoefficients(kFit);
}

void cmdCancel354_Click() {
  if (!PageOpen(kPage)) return;
  const int w = PageTargetWindow(kPage);
  // Values taken by a recompute since the restore point are dropped.
  if (G.DialogResult == kRecompute && WindowOfModel(w)) {
    for (int c = 1; c <= 7; ++c) {
      Win[w].TransmissionCoef[c] = G.TransmissionCoefCopy[c];
      Win[w].TransmissionCoefFixed[c] = G.TransmissionFixedCopy[c];
    }
  }
  ClosePage(kPage, kCancel);
}

void ShowReferenceIntensityPage(int w) {
  if (!PageCanOpen(kPage, PageGuard::Window28)) return;
  static constexpr double kTops[kReferenceLineCount + 1] = {0,   0.5, 1.5,  2.5,  4,  5,
                                                           6.5, 7.5, 9,    10,   11.5, 12.5,
                                                           14,  15,  16.5, 17.5};
  RunPage(PageOnWindow28(33, 23, G.LabelTexts[142], IsSpectrumWindow(w) ? w : 0), [&] {
    const int n = kPage;
    for (int r = 1; r <= kReferenceLineCount; ++r) {
      PageLabel(n, "lb" + std::to_string(379 + r), plat::kNoIndex, 1, kTops[r], 33, 1,
                ReferenceLineRow(r).label);
      PageEdit(n, "ed381", r, 17, kTops[r], 10, 1.1, plat::NumberToText(G.ReferenceLinePercent[r]));
    }
    PageButton(n, "cmdOK383", plat::kNoIndex, 1, 20, 13, 1.2, G.ButtonTexts[17], ButtonRole::Default);
    PageButton(n, "cmdCancel384", plat::kNoIndex, 18, 20, 13, 1.2, G.ButtonTexts[1],
               ButtonRole::Cancel);
  });
}

void cmdOK383_Click() {
  if (!PageOpen(kPage)) return;
  const int w = PageTargetWindow(kPage);
  for (int r = 1; r <= kReferenceLineCount; ++r) {
    G.NumberText = plat::Text(kPage, "ed381", r);
    NormaliseNumberInput();
    plat::SetText(kPage, "ed381", r, G.NumberText);
    G.ReferenceLinePercent[r] = plat::TextToNumber(G.NumberText);
  }
  ClosePage(kPage, -1);
  DetermineTransmissionFromLines(w);
}

void cmdCancel384_Click() {
  if (PageOpen(kPage)) ClosePage(kPage, -1);
}

void RegisterTransmissionPageEvents() {
  RegisterEvent("cmd352_Click", [](plat::EventArgs&) { cmd352_Click(); });
  RegisterEvent("cmdOk353_Click", [](plat::EventArgs&) { cmdOk353_Click(); });
  RegisterEvent("cmdCancel354_Click", [](plat::EventArgs&) { cmdCancel354_Click(); });
  RegisterEvent("cmdOK383_Click", [](plat::EventArgs&) { cmdOK383_Click(); });
  RegisterEvent("cmdCancel384_Click", [](plat::EventArgs&) { cmdCancel384_Click(); });
}

}  // namespace sorvan
