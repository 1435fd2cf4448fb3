// Finding a free spectrum window for a command that opens one, and the
// refusal when every window is open.
#pragma once

namespace sorvan {

// The lowest window that is not open; MaxWindows + 1 (101) when all are open.
int LowestFreeWindow();
// When w (a LowestFreeWindow result) is no free window, shows message 1
// (CommandId := 1) and returns true: the command must end.
bool RefuseWhenNoFreeWindow(int w);

}  // namespace sorvan
