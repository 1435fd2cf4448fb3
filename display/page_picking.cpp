// Filling dialog pages from the cursor (see page_picking.h).
#include "display/page_picking.h"

#include <cmath>
#include <string>

#include "core/menu_commands.h"
#include "core/model.h"
#include "core/number_text.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/redraw.h"
#include "fiterrors/doublet_start_page.h"
#include "fiterrors/peak_start_page.h"
#include "platform/controls.h"
#include "platform/loop.h"
#include "platform/mouse.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPickWait = 165;  // ms after a start value is taken

bool LeftButtonAlone() { return plat::MouseButtons() == plat::kLeftButton; }

// Whole number below x, as the rounding rules of the picks count it.
long long Floor(double x) { return static_cast<long long>(std::floor(x)); }


// A dialog page of `n` is open for window w (a click in another spectrum
// window fills nothing: the page's rows belong to the window it was opened
// for).
bool PageServes(int n, int w) { return PageOpen(n) && PageWindow(n) == w; }

// ---- Line identification page ----

void SelectLine(int item) {
  if (!plat::ItemSelected(kLinePageWindow, "lib231", plat::kNoIndex, item))
    plat::SetItemSelected(kLinePageWindow, "lib231", plat::kNoIndex, item, true);
}

int ListedLines() {
  const int listed = plat::ListCount(kLinePageWindow, "lib231");
  return G.ListEntryCount < listed ? G.ListEntryCount : listed;
}

// Marks every listed line at the cursor's energy: in whole eV for the
// standard list (n - 0.5 <= E < n + 1.5), to 0.1 eV for the user's own file.
// Nothing is deselected.
void PickLinesOnSpectrum() {
  if (G.LinePickActive != 1 || !PageOpen(kLinePageWindow) || !LeftButtonAlone()) return;
  const long long n = Floor(G.CursorEnergy);
  const long long tenths = Floor(G.CursorEnergy * 10 + 0.5);
  const int entries = ListedLines();
  for (int i = 0; i < entries; ++i) {
    const double v = plat::TextToNumber(plat::ListItem(kLinePageWindow, "lib231", plat::kNoIndex, i));
    const bool hit = G.LineFilterOwnFile == 1 ? Floor(v * 10 + 0.5) == tenths
                                              : Floor(v - 0.5) == n || Floor(v + 0.5) == n;
    if (hit) SelectLine(i);
  }
}

// On a chemical-state plot a click marks the list entries whose point lies
// at the pointer's binding and kinetic energy, both to 0.1 eV.
void PickLinesOnChemicalState(int w) {
  if (G.LinePickActive != 1 || !PageOpen(kLinePageWindow) || !LeftButtonAlone()) return;
  const int points = static_cast<int>(Win[w].ChemStatePointCount);
  if (points < 1 || !LoadWorkData(w, 1, 1, points) || !LoadWorkBackground(w, 2, 1, points) ||
      !LoadWorkSigma(w, 3, 1, points))
    return;
  const long long binding = Floor(G.CursorEnergy * 10 + 0.5);
  const long long kinetic = Floor(G.CursorIntensity * 10 + 0.5);
  const int entries = ListedLines();
  for (int i = 1; i <= points && i - 1 < entries; ++i) {
    if (Floor(WorkBackground[i] * 10 + 0.5) == binding && Floor(WorkSigma[i] * 10 + 0.5) == kinetic)
      SelectLine(i - 1);
  }
}

// ---- Scale page, normalise mode ----

void PickIntoScalePage() {
  if (G.PickToScalePage != 1 || G.CommandId != CmdNormaliseSpectrum || !PageOpen(kScalePageWindow) || !LeftButtonAlone())
    return;
  plat::SetText(kScalePageWindow, "ed71", plat::kNoIndex, plat::NumberToText(G.CursorIntensity));
  G.PickedEnergy = G.CursorEnergy;
  const int cw = G.CurrentWindow;
  const Byte mode = IsSpectrumWindow(cw) ? Win[cw].ScaleMode : 0;
  if (mode == 2) {
    G.CaptionBuffer = G.LabelTexts[218] + " " + G.LabelTexts[219] + " E = " +
                      plat::NumberToText(G.PickedEnergy) + " eV";
    G.PickedChannel = static_cast<Int16>(G.CursorChannel);
  } else if (mode == 1) {
    G.CaptionBuffer = G.LabelTexts[217] + " " + G.LabelTexts[219];
  }
  StripMnemonic();
  plat::SetText(kScalePageWindow, "lb74", plat::kNoIndex, G.CaptionBuffer);
  // A zero intensity has no reciprocal: the field shows dashes instead.
  const std::string reciprocal =
      G.CursorIntensity == 0 ? " ----" : plat::NumberToText(1 / G.CursorIntensity);
  plat::SetText(kScalePageWindow, "lb75", plat::kNoIndex, " = " + reciprocal);
}

// ---- Start values of single peaks ----

void PickPeakStart(int w) {
  if (G.PeakStartPickActive != 1 || !PageServes(kPeakStartPageWindow, w) || !LeftButtonAlone()) return;
  cmd145_Click();
  plat::Sleep(kPickWait);
}

// ---- Start values of doublets ----

void PickDoubletStart(int w) {
  if (G.DoubletStartPickActive != 1 || !PageServes(kDoubletStartPageWindow, w) || !LeftButtonAlone())
    return;
  if (Win[w].WindowPlotHeight == 0) return;
  TakeDoubletHeightAtPointer(w);
  PickDoubletRow(w, 8);
  plat::Sleep(kPickWait);
}

}  // namespace

void PickIntoDialogPages(int w) {
  if (!IsSpectrumWindow(w)) return;
  if (Win[w].WindowKind == ChemicalStatePlot) {
    PickLinesOnChemicalState(w);
    return;
  }
  PickLinesOnSpectrum();
  PickIntoScalePage();
  PickPeakStart(w);
  PickDoubletStart(w);
}

}  // namespace sorvan
