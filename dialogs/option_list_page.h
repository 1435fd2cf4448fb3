// The option list page (page 5x) in its two modes: the number of points
// averaged at the ends of a processing region and used as the smoothing and
// derivative window (8200), and the choice of the toolbar's actions and the
// size of its buttons (8731).
#pragma once

namespace sorvan {

inline constexpr int kOptionListAveraging = 8200;
inline constexpr int kOptionListToolbar = 8731;

// The smallest and largest toolbar button size, in pixels: smaller icons
// vanish, larger ones break the main window's layout.
inline constexpr int kToolbarButtonSizeMin = 12;
inline constexpr int kToolbarButtonSizeMax = 64;

// Shows the page in `mode` (8200 or 8731) and waits. DialogResult is left
// alone.
void ShowOptionListPage(int mode);

// Handlers.
void cmdOK51_Click();
void cmdOK54_Click();
void cmdOK55_Click();
void cmdCancel52_Click();
void RegisterOptionListPageEvents();

}  // namespace sorvan
