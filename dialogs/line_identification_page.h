// The line identification page (page 23x): a list of reference lines beside
// a spectrum window; the chosen entries become annotation labels of the
// window at the line's energy. While the page is open, clicks into the
// spectrum select entries (display/page_picking.h). A second mode lists the
// entries of a chemical-state plot and labels their plotted points.
#pragma once
#include <string>

#include "core/menu_commands.h"

namespace sorvan {

// The modes: the menu commands that open the page.
constexpr int kLineModeLines = CmdIdentifyLines;
constexpr int kLineModeChemicalState = CmdShowLineIdentification;

// Shows the page in `mode` (kLineModeLines: `LineList`(1..`ListEntryCount`)
// with the four list options; kLineModeChemicalState: the entries of the
// current chemical-state plot). DialogResult := 0 and LinePickActive := 1;
// returns when the page is closed. OK keeps the page open.
void ShowLineIdentificationPage(int mode);

void cmdOk231_Click();
void cmdCancel232_Click();
void opt231_Click();
void opt232_Click();
void opt233_Click();
void opt234_Click();

// The label text of a line entry: from its first letter (code above 64), or
// from a "-" that is not its first character, to its end, trimmed.
std::string LineLabelText(const std::string& entry);

void RegisterLineIdentificationEvents();

}  // namespace sorvan
