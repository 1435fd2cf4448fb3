// The processing commands of the menu.
#include "shell/commands.h"

namespace sorvan {

void RunProcessingCommand(int /*command*/) {}

}  // namespace sorvan
