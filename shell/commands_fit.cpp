// The peak-fit and parameter-error commands of the menu.
#include "shell/commands.h"
#include "shell/fit_commands.h"

namespace sorvan {

void RunFitCommand(int command) { RunPeakFitCommand(command); }

}  // namespace sorvan
