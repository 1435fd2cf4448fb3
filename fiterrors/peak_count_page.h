// The peak count page (page 11x): the first page of a new fit asks how many
// peaks the window's fit has.
#pragma once

namespace sorvan {

// Shows the window's PeakCount for editing; OK stores the typed count,
// held to 1..15, and clears HasFit. DialogResult is not changed.
void ShowPeakCountPage(int w);

// The stored count for a typed number: rounded, halves to even, 1..15.
int PeakCountFromTyped(double typed);

void cmdOk111_Click();

void RegisterPeakCountPageEvents();

}  // namespace sorvan
