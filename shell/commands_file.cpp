// The file, import and project commands of the menu.
#include "core/model.h"
#include "core/startup.h"
#include "processing/revert.h"
#include "shell/commands.h"
#include "shell/file_commands.h"

namespace sorvan {

void RunFileCommand(int command) {
  if (command == 11000) {  // File > Exit
    RunExitCommand();  // writes the default presetting and the satellites, then asks
    return;
  }
  if (command == 1900) {  // File > Revert spectrum
    RevertSpectrum(G.CurrentWindow);
    return;
  }
  RunImportCommand(command);
}

}  // namespace sorvan
