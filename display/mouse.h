// Mouse on spectrum windows.
#pragma once

namespace sorvan {

// Handles a mouse move or press on spectrum window w: reads the pointer
// state from the platform and keeps it in MouseX, MouseY, MouseButtons.
void HandleWindowMouse(int w);

}  // namespace sorvan
