// The toolbar's click event: finds the action whose button was clicked and
// runs its row of the command table: the button's own steps where the row
// has them, otherwise the steps of its menu command, unchanged.
#include "core/model.h"
#include "shell/command_table.h"
#include "shell/commands.h"

namespace sorvan {

void RunToolbarAction(int a) {
  const CommandRow* row = RowOfToolbarAction(a);
  if (row == nullptr || (row->actsOnCurrentWindow && !CurrentWindowIsOpen())) return;
  if (row->runFromToolbar != nullptr) {
    row->runFromToolbar(row->command);
  } else if (row->command == 0) {
    row->run(row->command);
  } else {
    int index = 0;
    int command = row->command;
    Form_MenuEvent(index, command);
  }
}

void tb_ButtonClick(int& buttonIndex) {
  if (G.LongRunActive != 0) return;
  // An action without a button holds 0, which no button index equals.
  for (int a = 1; a <= kToolbarActionCount; ++a)
    if (G.ToolbarButtonOfAction[a] == buttonIndex) RunToolbarAction(a);
}

}  // namespace sorvan
