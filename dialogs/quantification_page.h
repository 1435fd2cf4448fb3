// The quantification page (page 21x): the chosen windows' peaks with their
// line names, areas, kinetic energies, factors, normalised areas and atomic
// percentages, about ten rows at a time. Line names and factors can be
// edited; OK takes the edits and the caller shows the page again with the
// concentrations recomputed, cmd216 shows the next group, Cancel ends.
#pragma once

namespace sorvan {

// Shows the page once. Reads DialogResult on entry as the answer of the
// previous showing: 0 the first time (factors reset, line names from the
// spectrum names, everything computed), 1 after OK (concentrations
// recomputed), 216 after cmd216 (nothing recomputed). On return DialogResult
// is 1 (OK), 2 (Cancel) or 216 (next group). A page that cannot open (it is
// open already) returns with DialogResult 2.
void ShowQuantificationPage();

void cmdOk211_Click();
void cmdCancel212_Click();
void cmd213_Click();
void cmd214_Click();
void cmd215_Click();
void cmd216_Click();

void RegisterQuantificationPageEvents();

}  // namespace sorvan
