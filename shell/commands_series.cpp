// The series and multi-spectrum view commands of the menu.
#include "shell/commands.h"
#include "shell/processing_commands.h"

namespace sorvan {

void RunSeriesCommand(int command) {
  // 8100, the energy offset of all windows, shares the energy page.
  if (RunTransferScaleArithmeticCommand(command)) return;
}

}  // namespace sorvan
