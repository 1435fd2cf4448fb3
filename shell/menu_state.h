// Menu and toolbar state: which menu items and toolbar buttons can be used
// for a window, and the check marks of the option items.
#pragma once
#include <cstdint>

namespace sorvan {

// Recomputes the menu flags for window w (0..100), grays and enables the
// menu items from them, sets the language marks and the toolbar buttons;
// first sets the cursor pair to w's region.
void UpdateMenuState(int w);
// Disables every toolbar button whose governing flag is grayed (1).
void SyncToolbarButtons();
// Sets the check marks of the option items from the settings.
void SyncOptionChecks();

// The check flag (0 or 8) of an option item kept in G.MenuCheckFlags; the
// option items are 8111-8116, 8121-8123, 8132-8135, 8144, 8145, 8310, 8320,
// 8410 and 8420. Throws std::out_of_range for any other command.
std::int32_t& MenuCheckFlag(int command);
// Checks (8) or unchecks (0) an option item in its popup and keeps the mark
// in its check flag, so that a rebuilt bar shows it.
void SetOptionMark(int popup, int command, int mark);

}  // namespace sorvan
