// Shutdown of the program, and the three ways the user ends it (the exit
// command, the toolbar's exit button, closing the main window), each of
// which asks the exit question.
#pragma once

namespace sorvan {

// Forgets a shutdown or a pending satellite table of an earlier run; start-up
// calls it first.
void ResetExitState();

// Ends the program after the exit question was answered OK: writes the
// satellite table when the exit path has not written it yet, closes the main
// window, releases the data model and leaves through the platform (which in
// test mode throws plat::ProgramEnded instead of leaving).
[[noreturn]] void ShutdownProgram();

// The exit command of the File menu: the default presetting file becomes
// current again and is written, then the satellite table, then the exit
// question.
void RunExitCommand();
// The toolbar's exit button: writes the current presetting file and asks.
void RunToolbarExit();
// The close event of the main window (101): writes the current presetting
// file and asks; on Cancel sets `cancel` (the main window stays open) and
// makes the window that was current before the question current again.
void MainWindowClose(bool& cancel);

}  // namespace sorvan
