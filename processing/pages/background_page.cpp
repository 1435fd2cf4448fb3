// Page 1x, on which the user subtracts, keeps, undoes or refines a computed
// background, and the carrying out of its answer.
#include "processing/pages/background_page.h"

#include <cmath>
#include <span>

#include "core/events.h"
#include "core/model.h"
#include "core/number_text.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/redraw.h"
#include "platform/controls.h"
#include "platform/text.h"
#include "processing/background_procedures.h"
#include "processing/kernels/backgrounds.h"

namespace sorvan {

namespace {

constexpr int kPage = 1;  // dialog window of page 1x
constexpr int kAreaDigits = 10;  // the area label shows at most 10 characters of the number

// The window the open page belongs to; the current window when no page is
// open (a handler pressed from code).
int PageSpectrumWindow() {
  const int w = PageWindow(kPage);
  return IsSpectrumWindow(w) ? w : G.CurrentWindow;
}

// Every handler of the page ends the pick and closes the page with its answer.
void EndPage(int answer) {
  G.DialogResult = static_cast<Int16>(answer);
  G.RegionPickState = 0;
  ClosePage(kPage, answer);
}

// WorkData and WorkBackground over all points of w: column 1 as it stands,
// and the working background sized to match (a redraw may have left both
// over the region only, or the background vector of another window).
void EnsureWorkingVectors(int w) {
  const int n = WindowPointCount(w);
  LoadWorkData(w, 1, 1, n);
  if (WorkBackground.Upper() != n) LoadWorkBackground(w, 2, 1, n);
}

}  // namespace

std::string BackgroundAreaText(double area) {
  return NumberTextInWidth(area, kAreaDigits) + " cps*eV";
}

bool ShowBackgroundAcceptPage(int w, const std::string& title) {
  if (G.DialogWindow1Busy != 0 || !IsSpectrumWindow(w)) return false;
  Win[w].YRangeFixed = 0;
  ComputeBackgroundArea(w);

  const bool tougaard = title == G.MessageTexts[BackgroundKindTougaard];
  const bool shirley = title == G.MessageTexts[BackgroundKindShirley];
  const bool linear = title == G.MessageTexts[BackgroundKindLinear];
  const double area = Win[w].IntegratedArea[1];

  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 31;
  spec.height = 11;
  spec.caption = title;
  spec.guard = PageGuard::Window1;
  spec.clearResult = true;
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = 9.6;
  if (tougaard) spec.firstEntry = "ed11";
  return RunPage(spec, [&] {
    const int n = kPage;
    const auto none = plat::kNoIndex;
    PageLabel(n, "lb11", none, 1, 0.5, 27, 1.2, G.MessageTexts[6]);
    PageLabel(n, "lb12", none, 1, 1.5, 27, 1.2, BackgroundAreaText(area));
    if (tougaard) {
      // The factor B as a whole number, halves rounded up.
      const double b = std::isfinite(G.TougaardB) ? std::floor(G.TougaardB + 0.5) : 0.0;
      PageLabel(n, "lb13", none, 1, 3, 27, 1.2, G.MessageTexts[109] + plat::NumberToText(b));
      PageLabel(n, "lb14", none, 1, 4, 15, 1.2, G.MessageTexts[110]);
      PageEdit(n, "ed11", none, 18, 4, 10, 1.1, plat::NumberToText(G.TougaardC));
      PageButton(n, "cmd17", none, 1, 6.5, 13, 1.2, G.ButtonTexts[5]);
    }
    if (shirley) {
      PageButton(n, "cmd14", none, 1, 5, 13, 1.2, G.ButtonTexts[7]);
      PageButton(n, "cmd15", none, 16, 5, 13, 1.2, G.ButtonTexts[5]);
    }
    if (linear || shirley) {
      PageButton(n, "cmd16", none, 1, 6.5, 13, 1.2, G.ButtonTexts[6]);
      // A further segment goes to the left of this one: none fits left of
      // the first point.
      plat::SetEnabled(n, "cmd16", none, G.CursorStart > 1);
    }
    PageButton(n, "cmd13", none, 16, 6.5, 13, 1.2, G.ButtonTexts[4]);
    PageButton(n, "cmdOk11", none, 1, 8, 13, 1.2, G.ButtonTexts[3], ButtonRole::Default);
    PageButton(n, "cmdCancel12", none, 16, 8, 13, 1.2, G.ButtonTexts[1], ButtonRole::Cancel);
  });
}

// What a series needs to make this background again on another window.
void RecordBackgroundRecipe(WindowRecord& win) {
  BackgroundRecipeRecord& r = win.BackgroundRecipe;
  r = {};
  for (int k = BackgroundKindConstant; k <= BackgroundKindPolyShirley; ++k)
    if (G.BackgroundName == G.MessageTexts[k]) r.Kind = static_cast<Byte>(k);
  r.Start = G.BackgroundStart;
  r.End = G.BackgroundEnd;
  r.ShirleyPasses = G.ShirleyPassCount;
  r.TougaardC = G.TougaardC;
  r.SmoothBefore = win.SmoothCount;
}

void AcceptBackground(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  EnsureWorkingVectors(w);
  if (G.BatchMode == 1) ComputeBackgroundArea(w);
  if (G.DialogResult == AnswerSubtract) {
    win.BackgroundState = BackgroundSubtracted;
    RecordBackgroundRecipe(win);
    if (G.SegmentMode == AnswerNewSegment) G.CursorEnd = G.SegmentOldEnd;
    SubtractWorkBackground(w);
  } else if (G.DialogResult == AnswerKeep) {
    win.BackgroundState = BackgroundDefined;
    RecordBackgroundRecipe(win);
    StoreWorkBackground(w, 2);
  }
  RedrawWindow(w);
}

void cmdOk11_Click() {
  const int w = PageSpectrumWindow();
  G.DialogResult = AnswerSubtract;
  G.RegionPickState = 0;  // the redraw shows no pick line any more
  AcceptBackground(w);
  EndPage(AnswerSubtract);
}

void cmd13_Click() {
  const int w = PageSpectrumWindow();
  G.DialogResult = AnswerKeep;
  G.RegionPickState = 0;
  AcceptBackground(w);
  EndPage(AnswerKeep);
}

void cmdCancel12_Click() {
  const int w = PageSpectrumWindow();
  G.DialogResult = AnswerUndo;
  if (IsSpectrumWindow(w) && !RestoreBackgroundOfCommandStart(w)) {
    const int n = WindowPointCount(w);
    WorkBackground.Resize(n);
    StoreWorkBackground(w, 2);
    Win[w].BackgroundState = BackgroundNone;
  }
  EndPage(AnswerUndo);
  RedrawWindow(w);
}

// Another pass and new end points: the answer, with the cursor pair the
// background is computed again between.
void AnswerWithCursorPair(int answer) {
  const int w = PageSpectrumWindow();
  G.DialogResult = answer;
  G.DialogCursorStart = G.CursorStart;
  G.DialogCursorEnd = G.CursorEnd;
  EndPage(answer);
  RedrawWindow(w);
}

void cmd14_Click() { AnswerWithCursorPair(AnswerAnotherPass); }

void cmd15_Click() { AnswerWithCursorPair(AnswerNewEndPoints); }

void cmd16_Click() {
  const int w = PageSpectrumWindow();
  G.DialogResult = AnswerNewSegment;
  G.SegmentMode = AnswerNewSegment;
  G.SegmentOldStart = G.CursorStart;
  G.SegmentOldEnd = G.CursorEnd;
  if (G.CursorStart > 1) G.SegmentEnd = static_cast<Int16>(G.CursorStart - 1);
  // The segment waits in the background column (not used while the window
  // shows a preview) until the click that extends it: the working vector
  // would not survive the redraws of other windows in between.
  if (IsSpectrumWindow(w)) {
    EnsureWorkingVectors(w);
    StoreWorkBackground(w, 2);
  }
  EndPage(AnswerNewSegment);
  RedrawWindow(w);
}

void cmd17_Click() {
  const int w = PageSpectrumWindow();
  G.DialogResult = AnswerNewTougaardC;
  G.TougaardC = TougaardConstantFromInput(ReadPageNumber(kPage, "ed11"));
  // The redraw below sets the cursor pair to the region; the new constant is
  // applied over the pair the background was computed between.
  G.DialogCursorStart = G.CursorStart;
  G.DialogCursorEnd = G.CursorEnd;
  EndPage(AnswerNewTougaardC);
  RedrawWindow(w);
}

void RegisterBackgroundPageEvents() {
  RegisterEvent("cmdOk11_Click", [](plat::EventArgs&) { cmdOk11_Click(); });
  RegisterEvent("cmdCancel12_Click", [](plat::EventArgs&) { cmdCancel12_Click(); });
  RegisterEvent("cmd13_Click", [](plat::EventArgs&) { cmd13_Click(); });
  RegisterEvent("cmd14_Click", [](plat::EventArgs&) { cmd14_Click(); });
  RegisterEvent("cmd15_Click", [](plat::EventArgs&) { cmd15_Click(); });
  RegisterEvent("cmd16_Click", [](plat::EventArgs&) { cmd16_Click(); });
  RegisterEvent("cmd17_Click", [](plat::EventArgs&) { cmd17_Click(); });
}

}  // namespace sorvan
