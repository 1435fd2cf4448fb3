// The menu dispatcher: finds the row of a menu command number in the
// command table and runs its handler. The one thing done before a command is
// the closed-window guard: a command that acts on the current window is
// refused while that window is closed. Nothing is done after a command;
// every command runs its own redraws and menu updates.
#include "core/model.h"
#include "shell/command_table.h"
#include "shell/commands.h"

namespace sorvan {

bool RefusedForClosedWindow(int command) {
  return ActsOnCurrentWindow(command) && !CurrentWindowIsOpen();
}

void Form_MenuEvent(int& /*formIndex*/, int& command) {
  // No command starts in the middle of a series or an error analysis.
  if (G.LongRunActive != 0) return;
  const CommandRow* row = RowOfCommand(command);
  if (row == nullptr || RefusedForClosedWindow(command)) return;
  row->run(command);
}

bool CurrentWindowIsOpen() {
  return IsSpectrumWindow(G.CurrentWindow) && Win[G.CurrentWindow].WindowOpen;
}

}  // namespace sorvan
