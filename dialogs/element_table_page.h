// The element table editor (page 4x): asks for a line-position, Auger-
// parameter, sensitivity-factor or doublet file, shows its entries sorted in
// a grid of edit boxes (several grid pages for long tables) and on OK writes
// the edited table back into the same file. Writing does not reload the
// program's tables; the new contents take effect when their reader runs next.
#pragma once

#include "core/menu_commands.h"

namespace sorvan {

// The modes: the four reading modes (the menu command numbers) ask for a
// file and show grid page 0; the continuation modes show grid page
// TableEditorPage of the table in memory.
constexpr int kEditLinePositionsMode = CmdEditLinePositions;
constexpr int kEditAugerParametersMode = CmdEditAugerParameters;
constexpr int kEditSensitivityFactorsMode = CmdEditSensitivityFactors;
constexpr int kEditDoubletsMode = CmdEditDoublets;
constexpr int kNextLinesPageMode = 5556;
constexpr int kNextFactorsPageMode = 5566;

// Opens the page in `mode`; returns when the page (and every grid page
// turned to from it) has closed. Does nothing while the page is open or an
// analysis shows its progress. The page never sets DialogResult.
void ShowElementTablePage(int mode);

void cmdOk41_Click();
void cmdCancel42_Click();
void cmdOk43_Click();

void RegisterElementTablePageEvents();

}  // namespace sorvan
