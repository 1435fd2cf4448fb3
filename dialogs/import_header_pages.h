// The pages that ask for header data a spectrum file does not carry: the
// excitation energy (page 25x), the header of imported spectrum 1 (page 26x)
// and its excitation energy and name (page 6x). None has a Cancel button; the
// reader goes on with what they stored.
#pragma once

namespace sorvan {

// Page 25x: shows DefaultExcitationEnergy and stores the typed value there
// (an empty or non-numeric entry stores 0). Only its button ends it: Enter
// does not.
void ShowExcitationEnergyPage();
void cmdOK251_Click();

// Page 26x: shows and edits ImportedHeader[header] (spectrum 1 unless a
// reader of several spectra names another) in the layout that LineBuffer
// selects: "xstart..." the short keyword header (name, comment, date,
// excitation and pass energy), "E_I" the two-column layout (energies and
// step as the reader computed them, shown fixed), anything else the full
// header, whose point count OK recomputes from the energies and the step.
// `window` is the caller's window; the page does not use it.
void ShowImportHeaderPage(int window = 0, int header = 1);
void cmdOk261_Click();

// Page 6x: the excitation energy and the name of imported spectrum 1, asked
// by the prefixed-text reader. `window` is the caller's window; the page
// does not use it.
void ShowImportParametersPage(int window = 0);
void cmdOK61_Click();

void RegisterImportHeaderEvents();

}  // namespace sorvan
