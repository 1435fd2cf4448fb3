// Start-up, event loop and shutdown of the program.
#pragma once

namespace sorvan {

// Starts the program: data model, program folder, settings files, main
// window, menus and toolbar; then runs the event loop until the program ends.
// Returns the process exit code.
int StartProgram(int argc, char** argv);

}  // namespace sorvan
