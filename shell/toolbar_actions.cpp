// The toolbar actions that differ from their menu commands: action 1 reads a
// file of the last imported format again, 12 ends the program, 16, 25, 26
// and 28 repeat the last choice of a popup, 31 opens the start values, 43
// runs the toolbar's series and 44 to 47 open the multi-spectrum views.
#include "core/startup.h"
#include "shell/commands.h"
#include "shell/processing_commands.h"

namespace sorvan {

void RunToolbarSpecialAction(int a) {
  // The toolbar's exit writes only the current presetting before it asks.
  if (a == 12) RunToolbarExit();
  if (a == 25) RepeatLastScaleOperation();
  if (a == 26) RepeatLastArithmeticOperation();
}

}  // namespace sorvan
