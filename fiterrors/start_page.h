// What the two start pages share: the singlet page (14x) edits the five main
// parameters of every peak, the doublet page (15x) all ten (each main
// parameter followed by its partner). Both are built, read, confirmed,
// cancelled and previewed here; each page adds only its own rows, area
// labels, buttons and pick.
#pragma once
#include <string>

namespace sorvan {

struct StartPageKind {
  int page;           // dialog window: 14 singlets, 15 doublets
  const char* entry;  // the grid's entry fields
  const char* check;  // the grid's fix boxes
  bool doublet;       // all ten parameters per peak, partner boxes may link
  int titleText;      // MessageTexts index the caption begins with
  const char* rowTitles[5];  // label names of the five main parameter rows
  double rowTitleY[5];       // their rows, in cells
  double columnX0;           // the first peak column; each next is 14 cells on
  double checkX;             // the fix box's offset in the column
};

// Rows of the grid per peak (5 or 10) and the parameter j of row r.
int StartGridRows(const StartPageKind& kind);
int StartGridParameter(const StartPageKind& kind, int row);

// The caption: the title text, the line shape's and the peak mode's names.
std::string StartPageCaption(int w, const StartPageKind& kind);
// Sets up and loads w's fit and keeps the peak entries of the fit vector and
// its scale, which Cancel puts back.
void TakeStartPageCopies(int w);
// The row titles and one column per peak: the entry fields with the table's
// values and the fix boxes with its states (a partner of peaks 2..n may also
// be linked on the doublet page).
void BuildStartGrid(int w, const StartPageKind& kind);
// The typed grid into w's peak table (values and states).
void ReadStartGrid(int w, const StartPageKind& kind);

// OK: the grid read (a singlet's partners fixed at 0), the peaks drawn at
// their start values, the page closed with DialogResult 1.
void ConfirmStartPage(int w, const StartPageKind& kind);
// Cancel: closed with DialogResult 2; with a fit present, the fit vector as
// it was when the page opened goes back into the table and is drawn (the
// singlet page loads it again after the store).
void CancelStartPage(int w, const StartPageKind& kind);
// Apply: the grid read, the page stays open, DialogResult `result`.
void ApplyStartPage(int w, const StartPageKind& kind, int result);
// Preview: the grid read and the peaks drawn; DialogResult unchanged.
void PreviewStartPage(int w, const StartPageKind& kind);
// The window made the only chosen window (DialogResult `result`).
void ChooseOnlyStartWindow(int w, int result);

}  // namespace sorvan
