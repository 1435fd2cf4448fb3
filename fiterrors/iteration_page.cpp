// The iteration limit page (page 16x).
#include "fiterrors/iteration_page.h"

#include "core/events.h"
#include "core/model.h"
#include "dialogs/page.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 16;
constexpr double kMostIterations = 200;

}  // namespace

double IterationLimitFromTyped(double typed) {
  // No lower bound: a limit of 0 or less still ends each round at its first
  // accepted trial.
  return typed >= kMostIterations ? kMostIterations : typed;
}

int FitRoundsFromTyped(double typed) {
  // Clamped while still a double, so that a huge typed number cannot
  // overflow the integer field.
  if (!(typed >= 2)) return 2;
  if (typed > 1e9) typed = 1e9;
  const int rounds = static_cast<int>(plat::RoundHalfEven(typed));
  return rounds < 2 ? 2 : rounds;
}

void ShowIterationLimitPage() {
  if (!PageCanOpen(kPage)) return;
  G.DialogResult = 0;
  if (G.FitRounds < 2) G.FitRounds = 2;
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 40;
  spec.height = 9;
  spec.caption = G.MessageTexts[53];
  spec.clearResult = true;
  spec.spectrumWindow = G.CurrentWindow;
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = 5.6;
  spec.firstEntry = "ed161";
  RunPage(spec, [] {
    const int n = kPage;
    PageLabel(n, "lb161", plat::kNoIndex, 1, 0.5, 38, 1, G.MessageTexts[54]);
    PageLabel(n, "lb163", plat::kNoIndex, 1, 2.7, 28, 1, G.MessageTexts[55]);
    PageLabel(n, "lb164", plat::kNoIndex, 1, 4, 28, 1, G.LabelTexts[105]);
    PageEdit(n, "ed161", plat::kNoIndex, 30, 2.7, 7, 1.1, plat::NumberToText(G.IterationLimit));
    PageEdit(n, "ed162", plat::kNoIndex, 30, 4, 7, 1.1, plat::NumberToText(G.FitRounds));
    PageButton(n, "cmdOk161", plat::kNoIndex, 1, 6, 13, 1.2, G.ButtonTexts[2],
               ButtonRole::Default);
    PageButton(n, "cmdCancel162", plat::kNoIndex, 25, 6, 13, 1.2, G.ButtonTexts[1],
               ButtonRole::Cancel);
  });
}

void cmdOk161_Click() {
  // A new fit makes the errors of the window's last fit stale.
  const int w = PageTargetWindow(kPage);
  if (IsSpectrumWindow(w)) {
    Win[w].ErrorTableValid = 0;
    Win[w].HessianValid = 0;
  }
  // Typed decimal commas are read as points, as on every other page.
  G.IterationLimit = IterationLimitFromTyped(ReadPageNumber(kPage, "ed161"));
  G.FitRounds = FitRoundsFromTyped(ReadPageNumber(kPage, "ed162"));
  ClosePage(kPage, 1);
}

void cmdCancel162_Click() { ClosePage(kPage, 2); }

void RegisterIterationPageEvents() {
  RegisterEvent("cmdOk161_Click", [](plat::EventArgs&) { cmdOk161_Click(); });
  RegisterEvent("cmdCancel162_Click", [](plat::EventArgs&) { cmdCancel162_Click(); });
}

}  // namespace sorvan
