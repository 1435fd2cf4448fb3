// Page 27x, on which the user subtracts, keeps, recomputes or cancels the
// polynomial background with a Shirley term.
#include "dialogs/background_polynomial_page.h"

#include "core/events.h"
#include "core/model.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/redraw.h"
#include "platform/text.h"
#include "processing/background_procedures.h"
#include "processing/pages/background_page.h"
#include "processing/poly_background.h"

namespace sorvan {

namespace {

constexpr int kPage = 27;

int PageSpectrumWindow() {
  const int w = PageWindow(kPage);
  return IsSpectrumWindow(w) ? w : G.CurrentWindow;
}

void SaveCursorPair() {
  G.DialogCursorStart = G.CursorStart;
  G.DialogCursorEnd = G.CursorEnd;
}

// Both recompute buttons: the typed coefficients B..E are stored and the
// caller computes the curve again.
void Recompute(int answer) {
  const int w = PageSpectrumWindow();
  SaveCursorPair();
  G.DialogResult = static_cast<Int16>(answer);
  if (IsSpectrumWindow(w)) {
    const char* fields[] = {"ed271", "ed272", "ed273", "ed274"};
    for (int k = 2; k <= 5; ++k) Win[w].BackgroundTermValue[k] = ReadPageNumber(kPage, fields[k - 2]);
  }
  ClosePage(kPage, answer);
  RedrawWindow(w);
  G.RegionPickState = 0;
}

}  // namespace

bool ShowBackgroundPolynomialPage(int w, const std::string& caption) {
  if (!IsSpectrumWindow(w) || !PageCanOpen(kPage)) return false;
  G.DialogResult = 0;
  ComputeBackgroundArea(w);  // also the preview state
  const WindowRecord& win = Win[w];
  const double area = win.IntegratedArea[1];
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 31;
  spec.height = 17;
  spec.caption = caption;
  spec.clearResult = true;
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = 15.6;
  spec.firstEntry = "ed271";
  return RunPage(spec, [&] {
    const int n = kPage;
    const auto none = plat::kNoIndex;
    PageLabel(n, "lb271", none, 1, 0.5, 27, 1.2, G.MessageTexts[6]);
    PageLabel(n, "lb272", none, 1, 1.5, 27, 1.2, BackgroundAreaText(area));
    PageLabel(n, "lb273", none, 1, 3, 27, 1.2, "P(x) = A + Bx + Cx\u00B2 + Dx\u00B3 + ES");
    const char* labels[] = {"lb274", "lb275", "lb276", "lb277"};
    const char* edits[] = {"ed271", "ed272", "ed273", "ed274"};
    const int texts[] = {109, 110, 111, 106};
    for (int k = 0; k < 4; ++k) {
      const double row = 4.5 + 1.5 * k;
      PageLabel(n, labels[k], none, 1, row, 27, 1.2, G.MessageTexts[texts[k]]);
      PageEdit(n, edits[k], none, 18, row, 10, 1.1,
               plat::NumberToText(win.BackgroundTermValue[k + 2]));
    }
    PageButton(n, "cmd273", none, 16, 11, 13, 1.2, G.ButtonTexts[4]);
    PageButton(n, "cmd274", none, 1, 12.5, 13, 1.2, G.ButtonTexts[7]);
    PageButton(n, "cmd275", none, 16, 12.5, 13, 1.2, G.ButtonTexts[5]);
    PageButton(n, "cmdOk271", none, 1, 14, 13, 1.2, G.ButtonTexts[3], ButtonRole::Default);
    PageButton(n, "cmdCancel272", none, 16, 14, 13, 1.2, G.ButtonTexts[1], ButtonRole::Cancel);
  });
}

void ApplyBackgroundPolynomial(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  const int n = WindowPointCount(w);
  // The spectrum over all points (redraws leave only the region in WorkData)
  // and a working background of the same size.
  LoadWorkData(w, 1, 1, n);
  if (WorkBackground.Upper() != n) LoadWorkBackground(w, 2, 1, n);
  if (G.BatchMode != 0) ComputeBackgroundArea(w);
  if (G.DialogResult == 1) {
    win.BackgroundState = BackgroundSubtracted;
    RecordBackgroundRecipe(win);
    SubtractWorkBackground(w);
  } else if (G.DialogResult == AnswerPolynomialKeep) {
    win.BackgroundState = BackgroundDefined;
    RecordBackgroundRecipe(win);
    StoreWorkBackground(w, 2);
  }
  RedrawWindow(w);
}

void cmdOk271_Click() {
  const int w = PageSpectrumWindow();
  G.DialogResult = 1;
  ApplyBackgroundPolynomial(w);
  ClosePage(kPage, 1);
  G.RegionPickState = 0;
}

void cmd273_Click() {
  const int w = PageSpectrumWindow();
  SaveCursorPair();
  G.DialogResult = AnswerPolynomialKeep;
  ApplyBackgroundPolynomial(w);
  ClosePage(kPage, AnswerPolynomialKeep);
  G.RegionPickState = 0;
}

void cmd274_Click() { Recompute(AnswerPolynomialAnotherPass); }

void cmd275_Click() { Recompute(AnswerPolynomialRecompute); }

void cmdCancel272_Click() {
  const int w = PageSpectrumWindow();
  G.DialogResult = 2;
  if (IsSpectrumWindow(w) && !RestoreBackgroundOfCommandStart(w)) {
    // The background column keeps what it holds; with no background state it
    // is no longer used (and no longer added back by the next background).
    const int n = WindowPointCount(w);
    LoadWorkBackground(w, 2, 1, n);
    StoreWorkBackground(w, 2);
    Win[w].BackgroundState = BackgroundNone;
  }
  ClosePage(kPage, 2);
  RedrawWindow(w);
  G.RegionPickState = 0;
}

void RegisterBackgroundPolynomialPageEvents() {
  RegisterEvent("cmdOk271_Click", [](plat::EventArgs&) { cmdOk271_Click(); });
  RegisterEvent("cmdCancel272_Click", [](plat::EventArgs&) { cmdCancel272_Click(); });
  RegisterEvent("cmd273_Click", [](plat::EventArgs&) { cmd273_Click(); });
  RegisterEvent("cmd274_Click", [](plat::EventArgs&) { cmd274_Click(); });
  RegisterEvent("cmd275_Click", [](plat::EventArgs&) { cmd275_Click(); });
}

}  // namespace sorvan
