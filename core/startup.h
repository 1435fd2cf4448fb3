// Start-up, event loop and shutdown of the program.
#pragma once

namespace sorvan {

// Starts the program: data model, program folder, settings files, main
// window, menus and toolbar; then runs the event loop until the program ends.
// Returns the process exit code.
int StartProgram(int argc, char** argv);

// The close event of the main window (101): writes the presetting, asks the
// exit question; on Cancel sets `cancel` so that the main window stays open.
void MainWindowClose(bool& cancel);

}  // namespace sorvan
