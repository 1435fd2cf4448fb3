// The Windows menu: the two arrangements of the spectrum windows and the
// closing of them all. The rows of these commands are in
// shell/command_table.cpp.
#pragma once

namespace sorvan {

// Cascade and tile (platform/app.h).
void OnArrangeWindowsA(int command);
void OnArrangeWindowsB(int command);
// Closes every open window; each closed window takes the default peak table
// of its line shape again.
void OnCloseAllWindows(int command);

}  // namespace sorvan
