// Start-up, event loop and shutdown of the program, and the three ways the
// user ends it (the exit command, the toolbar's exit button, closing the main
// window), each of which asks the exit question.
#pragma once

namespace sorvan {

// Starts the program: the platform's application object, then everything up
// to the event loop (PrepareFirstStart), then the event loop. Returns the
// process exit code: 0, or 1 when the program could not start.
int StartProgram(int& argc, char** argv);

// Every start-up step before the event loop: event registry, data model,
// program folder, main window, presetting, language texts, reference tables,
// menus, window defaults, toolbar and the dialog character cell. A settings
// or reference file that cannot be read is named in one message once the
// language is known, and start-up goes on with defaults. Returns false when
// the start-up file that names the program folder cannot be read: the user
// has been told, and the program must end. Tests call this directly.
bool PrepareProgram();
// PrepareProgram for the first start of a process, when nothing has used the
// data model yet (StartProgram): the tables, cleared as the process
// constructed them, are not cleared a second time.
bool PrepareFirstStart();

// Waits for and dispatches events until no window of the program is left.
void RunEventLoop();

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
