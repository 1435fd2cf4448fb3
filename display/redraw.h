// Redraw of a window: ranges, frame and curves, cursor line, residual curve,
// satellite preview, label controls, and the menu state at the end.
#pragma once

namespace sorvan {

// Redraws window w completely and ends with UpdateMenuState(w). A window
// that is not open is not drawn; the menus are still updated.
void RedrawWindow(int w);

}  // namespace sorvan
