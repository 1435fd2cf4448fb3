// Menu and toolbar state for a window. The menu bar and toolbar are not
// built yet; until they are, only the cursor pair follows the window.
#include "shell/menu_state.h"

#include "core/model.h"

namespace sorvan {

void UpdateMenuState(int w) {
  if (!IsSpectrumWindow(w)) return;
  G.CursorStart = Win[w].RegionStart;
  G.CursorEnd = Win[w].RegionEnd;
}

}  // namespace sorvan
