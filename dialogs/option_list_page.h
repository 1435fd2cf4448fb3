// The option list page (page 5x) in its two modes: the number of points
// averaged at the ends of a processing region and used as the smoothing and
// derivative window (CmdAveragingPoints), and the choice of the toolbar's
// actions and the size of its buttons (CmdCustomiseToolbar).
#pragma once

#include "core/menu_commands.h"

namespace sorvan {

inline constexpr int kOptionListAveraging = CmdAveragingPoints;
inline constexpr int kOptionListToolbar = CmdCustomiseToolbar;

// The smallest and largest toolbar button size, in pixels: smaller icons
// vanish, larger ones break the main window's layout.
inline constexpr int kToolbarButtonSizeMin = 12;
inline constexpr int kToolbarButtonSizeMax = 64;

// Shows the page in `mode` (kOptionListAveraging or kOptionListToolbar) and
// waits. DialogResult is left
// alone.
void ShowOptionListPage(int mode);

// Handlers.
void cmdOK51_Click();
void cmdOK54_Click();
void cmdOK55_Click();
void cmdCancel52_Click();
void RegisterOptionListPageEvents();

}  // namespace sorvan
