// The iteration limit page (page 16x): the two numbers that bound a fit run,
// the iteration limit of a round and the number of rounds.
#pragma once

namespace sorvan {

// Raises FitRounds to 2 when it is lower, then asks for IterationLimit (at
// most 200) and FitRounds (at least 2). DialogResult is 1 after OK, 2 after
// Cancel. OK also marks the window's parameter errors stale.
void ShowIterationLimitPage();

// The page's rules for the two typed numbers (plain numbers in and out).
double IterationLimitFromTyped(double typed);
int FitRoundsFromTyped(double typed);

void cmdOk161_Click();
void cmdCancel162_Click();

void RegisterIterationPageEvents();

}  // namespace sorvan
