// The toolbar's click event: finds the action whose button was clicked and
// runs it. Most actions run the steps of their menu command unchanged; the
// others (reading the last format again, ending the program, the repeat
// actions, the start values, the toolbar series and the four views) are
// RunToolbarSpecialAction's, in shell/toolbar_actions.cpp.
#include "core/model.h"
#include "shell/commands.h"
#include "shell/menu_commands.h"
#include "shell/toolbar.h"

namespace sorvan {

bool RunsItsMenuCommand(int a) {
  switch (a) {
    case 1: case 12: case 16: case 25: case 26: case 28: case 31: case 43:
    case 44: case 45: case 46: case 47:
      return false;
    default:
      return a >= 1 && a <= kToolbarActionCount;
  }
}

namespace {

// The menu command whose steps action a runs or repeats: for the repeat
// actions one command of the popup they stand for.
int CommandOfAction(int a) {
  switch (a) {
    case 16: return CmdBackgroundConstant;
    case 25: return CmdScaleSpectrum;
    case 26: return CmdAddWindow;
    case 28: return CmdNewFitSinglets;
    default: return ToolbarActionAt(a).command;
  }
}

}  // namespace

void RunToolbarAction(int a) {
  if (a < 1 || a > kToolbarActionCount || RefusedForClosedWindow(CommandOfAction(a))) return;
  if (!RunsItsMenuCommand(a)) {
    RunToolbarSpecialAction(a);
    return;
  }
  int index = 0;
  int command = ToolbarActionAt(a).command;
  Form_MenuEvent(index, command);
}

void tb_ButtonClick(int& buttonIndex) {
  // An action without a button holds 0, which no button index equals.
  for (int a = 1; a <= kToolbarActionCount; ++a)
    if (G.ToolbarButtonOfAction[a] == buttonIndex) RunToolbarAction(a);
}

}  // namespace sorvan
