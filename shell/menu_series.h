// The processing series, reverting every window and the multi-spectrum
// views, shared by the Series menu and the toolbar.
#pragma once

namespace sorvan {

// Repeats the processing of the current window (the template) on each window
// the user chooses: every target is reverted, takes the template's region,
// background and peak table (CopyFitSetup) and goes through the template's
// background, satellite removal, derivatives, negation, smoothing, scaling,
// window arithmetic and fit without any page. Esc during a fit ends the
// series; a target closed meanwhile is left alone and the others go on; a
// closed template ends it. The menu's series first tiles the windows
// (`arrangeWindows`), the toolbar's does not.
void ProcessSeries(bool arrangeWindows);

// Reverts every open window, in rising order, each followed by its menu
// state.
void RevertAllWindows();

// A new view window of `kind` (2 colour map, 3 stacked, 4 waterfall, 5
// mirrored waterfall) from windows the user chooses; the menu's command ends
// with the new window's menu state (`updateMenu`), the toolbar's does not.
void BuildViewWindow(int kind, bool updateMenu);

}  // namespace sorvan
