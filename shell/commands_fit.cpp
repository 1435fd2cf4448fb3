// The peak-fit and parameter-error commands of the menu.
#include "shell/commands.h"
#include "shell/fit_commands.h"
#include "shell/menu_commands.h"
#include "report/fit_tables.h"

namespace sorvan {

void RunFitCommand(int command) {
  if (command == CmdExportErrorMatrix) {
    RunErrorMatrixCommand();
    return;
  }
  RunPeakFitCommand(command);
}

}  // namespace sorvan
