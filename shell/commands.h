// The two ways a command comes in, the menu event and the toolbar's click
// event, and the conventions the commands share. Both dispatchers take the
// command's row from the command table (shell/command_table.h) and run its
// handler, in shell/menu_<menu>.cpp.
#pragma once

namespace sorvan {

// The menu event of the main form: runs the command `command` (a menu
// command number). The form index is not used.
void Form_MenuEvent(int& formIndex, int& command);

// The toolbar's click event with the clicked button's index (1.., separators
// counted): runs the action whose button it is.
void tb_ButtonClick(int& buttonIndex);
// Runs toolbar action a (1..69): the button's own steps, or those of its
// menu command.
void RunToolbarAction(int a);

// Conventions shared by the commands.
// True when CurrentWindow is an open spectrum window. A command that acts on
// the current window does nothing otherwise (RefusedForClosedWindow): after
// the current window has been closed its number stays current, but its
// state is reset and its platform window is gone.
bool CurrentWindowIsOpen();
// True when `command` acts on the current window (its row says so) and that
// window is not open: both dispatchers then refuse the command, doing
// nothing.
bool RefusedForClosedWindow(int command);

}  // namespace sorvan
