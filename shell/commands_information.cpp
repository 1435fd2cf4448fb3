// The quantification, information, element-table, label and transmission commands of the menu.
#include "shell/commands.h"

namespace sorvan {

void RunInformationCommand(int command) {
  if (RunLabelCommand(command)) return;
}

}  // namespace sorvan
