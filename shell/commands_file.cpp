// The file, import and project commands of the menu.
#include "shell/commands.h"
#include "shell/file_commands.h"

namespace sorvan {

void RunFileCommand(int command) { RunImportCommand(command); }

}  // namespace sorvan
