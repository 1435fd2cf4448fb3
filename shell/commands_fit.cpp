// The peak-fit and parameter-error commands of the menu.
#include "shell/commands.h"

namespace sorvan {

void RunFitCommand(int /*command*/) {}

}  // namespace sorvan
