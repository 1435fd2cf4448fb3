// The one-shot backgrounds of a window (constant, linear, Shirley, Tougaard),
// the area between spectrum and background, the commit of a kept or fitted
// background and the negation of a spectrum. The numbers come from
// processing/kernels/backgrounds.h; these procedures move them between the
// store, the work vectors and page 1x (processing/pages/background_page.h).
#pragma once

namespace sorvan {

// First step of every background: the cursor pair (the region unless the
// user is picking, or a series set it), BackgroundStart/End, and in states
// 0 and 1 a subtracted background put back into the spectrum, the working
// background starting as a copy of the restored spectrum.
void BackgroundPrelude(int w);

// Cancel on a background page: when the command began on w with a kept,
// fitted or loaded background, that background (column 2) and its state come
// back, so a fit made over it keeps it; true then. In states 0 and 1 there is
// nothing to give back (false): the page undoes the background.
bool RestoreBackgroundOfCommandStart(int w);

// Compute, draw, then show page 1x (interactive) or act on DialogResult
// directly (series, BatchMode 1); they return once the answer is carried out.
// An interactive run while page 1x is already open does nothing.
void ComputeConstantBackground(int w);
void ComputeLinearBackground(int w);
void ComputeShirleyBackground(int w);
void ComputeTougaardBackground(int w);

// Computes IntegratedArea[w][1] (cps x eV, over the region) and sets the
// state to Preview.
void ComputeBackgroundArea(int w);

// Takes WorkBackground off WorkData over all points of w, keeps the
// background as column 2 and the result as column 1, and loads the spectrum
// and its intensity and energy ranges again.
void SubtractWorkBackground(int w);

// Subtracts a kept (2) or fitted (4) background from the spectrum; column 2
// keeps it. Nothing in any other state; returns whether it subtracted.
bool CommitBackground(int w);
// Changes the sign of the spectrum (column 1); the background column stays.
void NegateSpectrum(int w);

}  // namespace sorvan
