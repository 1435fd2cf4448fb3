// Menu and toolbar state: which menu items and toolbar buttons can be used
// for a window, and the check marks of the option items.
#pragma once
#include <cstdint>

#include "shell/command_table.h"

namespace sorvan {

// The menu flag that carries `rule` (a row's enabling rule, see
// shell/command_table.h); nullptr for Always.
const std::int32_t* FlagOfEnabling(Enabling rule);

// Recomputes the menu flags for window w (0..100), grays and enables the
// menu items from them by the rules of their rows, sets the language marks and the toolbar buttons;
// first sets the cursor pair to w's region.
void UpdateMenuState(int w);
// Disables every toolbar button whose governing flag is grayed (1).
void SyncToolbarButtons();
// Sets the check marks of the option items from the settings.
void SyncOptionChecks();

// The check flag (0 or 8) of an option item kept in G.MenuCheckFlags: the
// default peak model, peak relation and error display, the languages, the
// column separators, the default error method, the energy scale and the
// intensity unit. Throws std::out_of_range for any other command.
std::int32_t& MenuCheckFlag(int command);
// Checks (8) or unchecks (0) an option item in its popup and keeps the mark
// in its check flag, so that a rebuilt bar shows it.
void SetOptionMark(int popup, int command, int mark);
// After a window's source was brought back into the imported store: the
// depth-profile blocks item of the menu bar grayed when the last file read
// again was a plain one (no depth profile, no map), enabled otherwise.
void ShowDepthProfileItemAfterReload(bool plainFile);

}  // namespace sorvan
