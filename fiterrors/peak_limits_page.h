// The peak limits page (page 12x): lower and upper limits of the five main
// parameters (height, shape, position, width, asymmetry) of every peak.
#pragma once

namespace sorvan {

// One column per peak of window w. OK stores the typed limits for each main
// parameter and copies them to its partner parameter; DialogResult is 1
// after OK and 2 after Cancel. The limits are not checked here: the fit
// set-up completes and orders them.
void ShowPeakLimitsPage(int w);

void cmdOk121_Click();
void cmdCancel122_Click();

void RegisterPeakLimitsPageEvents();

}  // namespace sorvan
