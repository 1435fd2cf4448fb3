// Start-up and event loop of the program; its end is core/program_exit.h.
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

}  // namespace sorvan
