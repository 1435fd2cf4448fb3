// The two pages of the transmission function, both on dialog window 28: the
// coefficient page (35x), where the coefficients of the function and their
// fix marks are typed and the editor is told to recompute, fit or stop, and
// the reference intensity page (38x), where the percentages of fifteen
// reference lines are typed for the search of the coefficients.
#pragma once

namespace sorvan {

// Page 35x for window w. With NormaliseTransmission 1 the coefficients are
// first scaled so that the function is 1 at 1000 eV, and (unless the search
// shows the page, DialogResult 383) the window's reference by the same
// factor, so that their product stays. The page keeps DialogResult as it
// finds it; its buttons set 352 (recompute), 353 (fit) and 354 (cancel).
void ShowTransmissionCoefficientPage(int w);
void cmd352_Click();
void cmdOk353_Click();
void cmdCancel354_Click();

// Page 38x for window w: the fifteen percentages; OK runs the search of the
// coefficients (processing/transmission_lines.h).
void ShowReferenceIntensityPage(int w);
void cmdOK383_Click();
void cmdCancel384_Click();

void RegisterTransmissionPageEvents();

}  // namespace sorvan
