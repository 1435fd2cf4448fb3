// The menu dispatcher and the command groups it hands the commands to. Each
// group is a function of its own, in its own file, that receives only the
// command numbers of its group (see GroupOfCommand) and runs their steps.
//
//   shell/commands_file.cpp         RunFileCommand         file, import, project
//   shell/commands_processing.cpp   RunProcessingCommand   processing
//   shell/commands_fit.cpp          RunFitCommand          peak fit, parameter errors
//   shell/commands_series.cpp       RunSeriesCommand       series, multi-spectrum views
//   shell/commands_information.cpp RunInformationCommand  quantification, information,
//                                                          element tables, labels, transmission
//   shell/options.cpp               RunOptionCommand       options, windows, help
//   shell/toolbar_actions.cpp       RunToolbarSpecialAction the toolbar actions that are not
//                                                          their menu command unchanged
#pragma once

namespace sorvan {

enum class CommandGroup { None, File, Processing, Fit, Series, Information, Options };

// The group of a menu command number; None for a number the menu does not
// know (such a command does nothing).
CommandGroup GroupOfCommand(int command);

// The menu event of the main form: runs the command `command` (a menu
// command number). The form index is not used.
void Form_MenuEvent(int& formIndex, int& command);

void RunFileCommand(int command);
void RunProcessingCommand(int command);
void RunFitCommand(int command);
void RunSeriesCommand(int command);
void RunInformationCommand(int command);
void RunOptionCommand(int command);
// The line identification and window-text commands (shell/commands_labels.cpp);
// false for any other command.
bool RunLabelCommand(int command);

// The toolbar's click event with the clicked button's index (1.., separators
// counted): runs the action whose button it is.
void tb_ButtonClick(int& buttonIndex);
// True for the toolbar actions that run the steps of their menu command
// unchanged (see ToolbarActionAt(a).command).
bool RunsItsMenuCommand(int a);
// Runs toolbar action a (1..69).
void RunToolbarAction(int a);
// The actions that differ from their menu command (shell/toolbar_actions.cpp).
void RunToolbarSpecialAction(int a);

// Conventions shared by the commands.
// True when CurrentWindow is an open spectrum window. A command that acts on
// the current window does nothing otherwise (RefusedForClosedWindow): after
// the current window has been closed its number stays current, but its
// state is reset and its platform window is gone.
bool CurrentWindowIsOpen();
// True for the commands that act on the current window (see
// kCurrentWindowCommands in shell/dispatcher.cpp).
bool ActsOnCurrentWindow(int command);
// True when `command` acts on the current window and that window is not
// open: both dispatchers then refuse the command, doing nothing.
bool RefusedForClosedWindow(int command);
// The lowest window that is not open; MaxWindows + 1 (101) when all are open.
int LowestFreeWindow();
// When w (a LowestFreeWindow result) is no free window, shows message 1
// (CommandId := 1) and returns true: the command must end.
bool RefuseWhenNoFreeWindow(int w);

}  // namespace sorvan
