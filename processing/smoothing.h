// Savitzky-Golay smoothing and first derivative of a window's spectrum
// (column 1), and the confirm page 3x on which the user agrees to an
// operation (also used by the satellite removal).
#pragma once

namespace sorvan {

// One derivative or smoothing pass over the whole spectrum of window w with
// the half width m = AveragePoints (a window of 2m + 1 points). Interactive
// (BatchMode 0) it first asks on page 3x; a series (BatchMode 1) runs it
// without asking; in any other mode nothing happens. An accepted pass adds 1
// to DerivativeCount or SmoothCount. A spectrum shorter than the filter
// window is refused with message 3 and left unchanged. The background
// column is not touched.
void DifferentiateSpectrum(int w);
void SmoothSpectrum(int w);

// Page 3x for w, titled G.ConfirmTitle; its label shows the averaging
// points (derivative, smoothing) or the window's excitation energy
// (satellite removal). DialogResult is 1 (OK) or 2 (Cancel) afterwards.
// False, with nothing changed, while dialog window 3 is busy.
bool ShowConfirmPage(int w);

void cmdOk31_Click();
void cmdCancel32_Click();
void RegisterConfirmPageEvents();

}  // namespace sorvan
