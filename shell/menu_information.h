// The Information menu: the facts of the current window's spectrum, the
// line identification and the chemical-state plot, and the editors of the
// element tables. The rows of these commands are in shell/command_table.cpp.
#pragma once

namespace sorvan {

// Description, acquisition, energy correction, extremes and source file: the
// information box `command` (ShowInfoBox, core/messages.h) for the current
// window.
void OnInformationBox(int command);
// The line identification page over the lines chosen in the line file.
void OnIdentifyLines(int command);
// The line identification page for the chemical-state plot.
void OnShowLineIdentification(int command);
// Line positions, Auger parameters, sensitivity factors and doublets: the
// element table page in the mode of `command`.
void OnEditElementTable(int command);

}  // namespace sorvan
