// The Help menu: the about box. Its row is in shell/command_table.cpp.
#pragma once

namespace sorvan {

// The information box of the program (ShowInfoBox, core/messages.h).
void OnAbout(int command);

}  // namespace sorvan
