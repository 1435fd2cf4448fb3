// The block choice page (page 31x): which blocks of a depth-profile file are
// read again. Block k is chosen when ChosenDepthBlocks[k] is k (0: not).
#pragma once

namespace sorvan {

// Lists BlockNames[1..BlockCount] (at most the nine blocks the tables hold).
// On return DialogResult is 1 after OK or "all blocks", 0 after Cancel.
// `window` is the caller's window; the page does not use it.
void ShowBlockChoicePage(int window = 0);

void cmdOk311_Click();
void cmdCancel312_Click();
void cmd313_Click();

void RegisterBlockChoiceEvents();

}  // namespace sorvan
