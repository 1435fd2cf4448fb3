// The window choice page (page 20x): the user ticks the open single-spectrum
// windows on which a series command acts; the ticked windows are left in
// ChosenWindows[1..ChosenWindowCount], ascending.
#pragma once
#include <string>

namespace sorvan {

// Lists every open single-spectrum window other than `excludedWindow` (0:
// none) that suits the command named by `modeText` (the page's caption):
// fit reports and fit tables need a fit, error reports and error tables a
// valid error table. On return DialogResult is 1 after OK, 2 after Cancel.
void ShowWindowChoicePage(int excludedWindow, const std::string& modeText);

void cmdOk201_Click();
void cmdCancel202_Click();
void cmd203_Click();

void RegisterWindowChoiceEvents();

}  // namespace sorvan
