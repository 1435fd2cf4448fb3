// The file, import and project commands of the menu.
#include "shell/commands.h"

namespace sorvan {

void RunFileCommand(int /*command*/) {}

}  // namespace sorvan
