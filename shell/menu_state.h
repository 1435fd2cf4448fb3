// Menu and toolbar state for a window.
#pragma once

namespace sorvan {

// Sets the cursor pair to window w's region and enables, grays and checks
// the menu items and toolbar buttons for the state of w.
void UpdateMenuState(int w);

}  // namespace sorvan
