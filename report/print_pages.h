// The print page (9x: a second window and the start of the printout), the
// print options page (10x: the blocks of each window) and the loop of the
// print command between them.
#pragma once

namespace sorvan {

// Page 9x for window w. DialogResult: 1 after OK (printed), 2 after
// Cancel, 93 after the options button.
void ShowPrintPage(int& w);
// Page 10x for window w: 1 after OK, 2 after Cancel.
void ShowPrintOptionsPage(int& w);
// The print command: page 9x, and page 10x between its runs while the
// options button is pressed.
void RunPrintCommand(int w);

void cmdOk91_Click();
void cmdCancel92_Click();
void cmd93_Click();
void cmdOk101_Click();
void cmdCancel102_Click();

void RegisterPrintPageEvents();

}  // namespace sorvan
