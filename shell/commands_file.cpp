// The file, import and project commands of the menu.
#include "core/startup.h"
#include "shell/commands.h"
#include "shell/file_commands.h"

namespace sorvan {

void RunFileCommand(int command) {
  if (command == 11000) {  // File > Exit
    RunExitCommand();  // writes the default presetting and the satellites, then asks
    return;
  }
  RunImportCommand(command);
}

}  // namespace sorvan
