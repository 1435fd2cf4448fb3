// Start-up of the program (filled in as the subsystems land).
#include "core/startup.h"

namespace sorvan {

int StartProgram(int, char**) { return 0; }
void MainWindowClose(bool&) {}

}  // namespace sorvan
