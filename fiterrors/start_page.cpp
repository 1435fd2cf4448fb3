// What the two start pages share (see start_page.h).
#include "fiterrors/start_page.h"

#include "core/model.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/redraw.h"
#include "fit/fit_format.h"
#include "fiterrors/peak_start_page.h"
#include "platform/controls.h"
#include "platform/text.h"
#include "core/number_text.h"

namespace sorvan {

namespace {

// The text without its first character (the menu's and label's mnemonic).
std::string WithoutFirst(const std::string& text) { return text.empty() ? text : text.substr(1); }

// The peak entries of the fit vector and its scale for n peaks, as far as
// the copies and the sized arrays reach.
int PeakEntries(int w) {
  long long entries = 10 * HeldPeakCount(w);
  if (G.FitVectorCopy.upper() < entries) entries = G.FitVectorCopy.upper();
  if (G.FitVector.Upper() < entries) entries = G.FitVector.Upper();
  if (G.ParameterScale.Upper() < entries) entries = G.ParameterScale.Upper();
  return static_cast<int>(entries);
}

// Draws the peaks at the values of the fit vector without iterating.
void EvaluateAndDraw(int w) {
  G.BatchMode = 2;
  RunFitOfWindow(w);
  // A window closed meanwhile is not drawn into.
  if (Win[w].WindowOpen) RedrawWindow(w);
  G.BatchMode = 0;
}

}  // namespace

int StartGridRows(const StartPageKind& kind) { return kind.doublet ? 10 : 5; }

int StartGridParameter(const StartPageKind& kind, int row) { return kind.doublet ? row + 1 : 2 * row + 1; }

std::string StartPageCaption(int w, const StartPageKind& kind) {
  const WindowRecord& win = Win[w];
  return G.MessageTexts[kind.titleText] + "/" +
         WithoutFirst(win.PeakModel == PeakModelDoniachSunjic ? G.MenuTexts[63] : G.MenuTexts[62]) + "/" +
         WithoutFirst(win.RelativeMode == 1 ? G.LabelTexts[3] : G.LabelTexts[2]);
}

void TakeStartPageCopies(int w) {
  const int entries = PeakEntries(w);
  for (int i = 1; i <= entries; ++i) {
    G.FitVectorCopy[i] = G.FitVector[i];
    G.FitScaleCopy[i] = G.ParameterScale[i];
  }
}

void BuildStartGrid(int w, const StartPageKind& kind) {
  const WindowRecord& win = Win[w];
  const int n = kind.page;
  const bool doniachSunjic = win.PeakModel == PeakModelDoniachSunjic;
  const std::string titles[5] = {
      G.MessageTexts[37], doniachSunjic ? G.MessageTexts[42] : G.MessageTexts[38] + "(0...1)",
      G.MessageTexts[39], doniachSunjic ? G.MessageTexts[43] : G.MessageTexts[40], G.MessageTexts[41]};
  for (int k = 0; k <= 4; ++k)
    PageLabel(n, kind.rowTitles[k], plat::kNoIndex, k == 0 ? 1 : 0.5, kind.rowTitleY[k], 12, 1, titles[k]);
  const int rows = StartGridRows(kind);
  for (int p = 1; p <= HeldPeakCount(w); ++p) {
    const double x0 = kind.columnX0 + 14 * (p - 1);
    for (int r = 0; r < rows; ++r) {
      const int j = StartGridParameter(kind, r);
      const int cell = (p - 1) * rows + r;
      const double y = 1.7 + 1.2 * r;
      FormatParameterValue(w, p, j);
      PageEdit(n, kind.entry, cell, x0, y, 11, 1.1, G.NumberText);
      if (!kind.doublet) {
        PageCheck(n, kind.check, cell, x0 + kind.checkX, y, 2, 1.2, "", win.ParameterState[p][j]);
        continue;
      }
      // A partner of peaks 2..n may also be linked to peak 1's partner.
      const bool threeState = p >= 2 && j % 2 == 0;
      PageControl(n, plat::ControlKind::CheckBox, kind.check, cell, x0 + kind.checkX, y, 2, 1.2, "");
      if (threeState) plat::SetThreeState(n, kind.check, cell, true);
      int state = win.ParameterState[p][j];
      if (state < 0 || state > (threeState ? 2 : 1)) state = state > 0 ? 1 : 0;
      plat::SetValue(n, kind.check, cell, state);
    }
  }
}

void ReadStartGrid(int w, const StartPageKind& kind) {
  WindowRecord& win = Win[w];
  const int rows = StartGridRows(kind);
  for (int p = 1; p <= HeldPeakCount(w); ++p) {
    for (int r = 0; r < rows; ++r) {
      const int j = StartGridParameter(kind, r);
      const int cell = (p - 1) * rows + r;
      win.ParameterValue[p][j] = ReadPageNumber(kind.page, kind.entry, cell);
      win.ParameterState[p][j] =
          static_cast<Int16>(plat::RoundHalfEven(plat::Value(kind.page, kind.check, cell)));
    }
  }
}

void ConfirmStartPage(int w, const StartPageKind& kind) {
  G.DialogResult = 1;
  if (IsSpectrumWindow(w)) {
    WindowRecord& win = Win[w];
    ReadStartGrid(w, kind);
    if (!kind.doublet) {
      // A singlet has no partner: the partner entries are fixed at 0.
      for (int p = 1; p <= HeldPeakCount(w); ++p) {
        for (int k = 0; k <= 4; ++k) {
          win.ParameterValue[p][2 * k + 2] = 0;
          win.ParameterState[p][2 * k + 2] = 1;
        }
      }
    }
    G.FitRounds = 1;
    G.FitDisplayPass = 1;
    G.BatchMode = 2;
    LoadFitOfWindow(w);
    RunFitOfWindow(w);
    if (win.WindowOpen) RedrawWindow(w);
    win.HasFit = 1;
    G.BatchMode = 0;
    G.FitDisplayPass = 0;
  }
  ClosePage(kind.page, 1);
}

void CancelStartPage(int w, const StartPageKind& kind) {
  ClosePage(kind.page, 2);
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
  if (!kind.doublet) LoadFitOfWindow(w);
  RunFitOfWindow(w);
  if (Win[w].WindowOpen) RedrawWindow(w);
  G.BatchMode = 0;
  G.FitDisplayPass = 0;
  G.DialogResult = 2;
}

void ApplyStartPage(int w, const StartPageKind& kind, int result) {
  G.DialogResult = static_cast<Int16>(result);
  if (IsSpectrumWindow(w)) ReadStartGrid(w, kind);
}

void PreviewStartPage(int w, const StartPageKind& kind) {
  if (!IsSpectrumWindow(w)) return;
  const Int16 result = G.DialogResult;
  ReadStartGrid(w, kind);
  SetUpAndLoadFit(w);
  EvaluateAndDraw(w);
  G.FitDisplayPass = 0;
  G.DialogResult = result;
}

void ChooseOnlyStartWindow(int w, int result) {
  G.DialogResult = static_cast<Int16>(result);
  G.ChosenWindows[1] = w;
  G.ChosenWindowCount = 1;
}

}  // namespace sorvan
