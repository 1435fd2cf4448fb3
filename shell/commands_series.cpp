// The series and multi-spectrum view commands of the menu.
#include "shell/commands.h"

namespace sorvan {

void RunSeriesCommand(int /*command*/) {}

}  // namespace sorvan
