// The spectrum choice page (page 2x): which of the spectra just read from a
// multi-spectrum file go into windows. The chosen header indices are left in
// ChosenBlocks[0..ChosenBlockCount-1], in list order.
#pragma once

namespace sorvan {

// Lists the names of imported spectra 1..SpectraReadCount (SdpBlockCount for
// a depth-profile import). Returns at once while dialog window 2 is busy.
// On return DialogResult is 1 after OK or "all", 0 after Cancel; callers act
// when ChosenBlockCount is above 0.
void ShowSpectrumChoicePage();

void cmdOk21_Click();
void cmdCancel22_Click();
void cmd23_Click();

void RegisterSpectrumChoiceEvents();

}  // namespace sorvan
