// The polynomial background with a Shirley term (kind 5) and the set-up of
// the background that is fitted together with the peaks: both built from a
// window's six background terms A..F (BackgroundTermValue).
#pragma once

namespace sorvan {

// Answers of the background polynomial page in DialogResult (besides 1
// subtract and 2 cancel).
enum PolynomialAnswer {
  AnswerPolynomialKeep = 273,
  AnswerPolynomialAnotherPass = 274,
  AnswerPolynomialRecompute = 275,
};

// Answers of the fit background page.
enum FitBackgroundAnswer {
  AnswerFitBackgroundSubtract = 1200,
  AnswerFitBackgroundKeep = 1201,
  AnswerFitBackgroundConfirm = 1202,
};

// Kind 5 over the cursor pair: a Shirley part towards A, the cubic
// B x + C x^2 + D x^3 and their normalised sum scaled from A up to the left
// end level. An interactive run starts from A = R and B = C = D = E = 1 and
// shows the background polynomial page, looping on its recompute and
// another-pass answers; a series run (BatchMode 1) keeps the window's terms
// and acts on the answer its template window gave.
void ComputePolyShirleyBackground(int w);

// Builds the Shirley and loss shapes and the curve of the fitted background
// over the window's region, stores the curve as column 2 and shows the fit
// background page until it gives a final answer. A window without a
// background (state 0) gets its start terms (unless a parameter set with
// background terms was read): A = R free, B = C = D = 0 fixed, E free and
// chosen so that A + E S meets the spectrum at the region's start, F = 0
// fixed. Nothing happens while the page's dialog window is busy; a window
// without an energy step is refused with message 3.
void SetUpFitBackground(int w);

// Subtracts the fitted-background curve stored as column 2 from the
// spectrum (state 1; the error results are no longer valid) and records
// the fitted background as the window's recipe.
void SubtractStoredFitBackground(int w);

// A series' repeat of a template whose fitted background was subtracted:
// the curve built from w's own terms A..F over its region, as the fit
// background page builds it, and subtracted at once.
void SubtractFittedBackground(int w);

}  // namespace sorvan
