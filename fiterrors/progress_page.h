// The progress page (page 41x): a bar and a Cancel button that a long
// computation (an error analysis, the transmission grid search) opens, advances
// between its steps and closes itself. The page does not wait: the
// computation runs on inside the handler that opened it and sees a Cancel
// through ProgressKey (27) at its next key poll.
#pragma once

namespace sorvan {

// The page has a dialog window of its own, so that a page the user opens
// meanwhile (the element table editor shares window 4 in the page numbering)
// cannot collide with it.
inline constexpr int kProgressDialogWindow = 32;

// Opens the page at the remembered dialog place, ProgressValue := 1, the
// bar's minimum 1; returns at once. DialogResult is not touched.
void ShowProgressPage();
// The opener's maximum of the bar.
void SetProgressMaximum(double maximum);
// ProgressValue += step; the bar shows ProgressValue, held at its maximum
// when the count runs past it.
void AdvanceProgress(double step);
// Gives the bar ProgressValue as it stands.
void ShowProgressValue();
// Reads one key without waiting into FitKey (pending clicks on Cancel are
// handled meanwhile); true when a stop was asked for (ProgressKey 27).
bool PollProgressStop();
void CloseProgressPage();
bool ProgressPageOpen();

// Cancel: ProgressKey := 27, ErrorRunState := 0. Neither closes the page nor
// stops anything by itself.
void cmdCancel411_Click();

void RegisterProgressPageEvents();

}  // namespace sorvan
