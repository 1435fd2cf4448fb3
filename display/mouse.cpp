// Mouse on spectrum windows (see mouse.h).
#include "display/mouse.h"

#include "core/model.h"
#include "platform/mouse.h"

namespace sorvan {

void HandleWindowMouse(int w) {
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  const plat::MouseState state = plat::MouseStateIn(w);
  G.MouseX = state.x;
  G.MouseY = state.y;
  G.MouseButtons = state.buttons;
}

}  // namespace sorvan
