// The Help menu (see shell/menu_help.h).
#include "shell/menu_help.h"

#include "core/menu_commands.h"
#include "core/messages.h"
#include "core/model.h"

namespace sorvan {

void OnAbout(int) {
  G.CommandId = CmdAbout;
  ShowInfoBox(G.CommandId, G.CurrentWindow);
}

}  // namespace sorvan
