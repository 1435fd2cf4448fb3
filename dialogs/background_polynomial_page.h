// The background polynomial page (page 27x): the area above the polynomial
// background with a Shirley term and its coefficients B to E; the user
// subtracts the background, keeps it beside the data, recomputes it from
// typed coefficients or cancels.
#pragma once
#include <string>

namespace sorvan {

// Shows the page for window w with `caption`. DialogResult afterwards:
// 1 subtracted, 273 kept, 274 and 275 coefficients typed (the caller
// computes again), 2 cancelled. False when the page could not open (it is
// open already); DialogResult then keeps its value.
bool ShowBackgroundPolynomialPage(int w, const std::string& caption);

// Carries out DialogResult for window w: 1 subtracts the working background
// from the spectrum (column 2 keeps it), 273 keeps it as column 2; then the
// window is redrawn. A series run (BatchMode not 0) first computes the area
// and the preview state, as the page would have.
void ApplyBackgroundPolynomial(int w);

// Handlers; they act on the window the page was opened for.
void cmdOk271_Click();
void cmdCancel272_Click();
void cmd273_Click();
void cmd274_Click();
void cmd275_Click();
void RegisterBackgroundPolynomialPageEvents();

}  // namespace sorvan
