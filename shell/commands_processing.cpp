// The processing commands of the menu.
#include "shell/commands.h"
#include "shell/menu_commands.h"
#include "shell/processing_commands.h"

namespace sorvan {

void RunProcessingCommand(int command) {
  if (command == CmdEditPointsByMouse) {
    ToggleEditPointsMode();
    return;
  }
  if (RunRegionAndBackgroundCommand(command)) return;
  if (RunTransferScaleArithmeticCommand(command)) return;
}

}  // namespace sorvan
