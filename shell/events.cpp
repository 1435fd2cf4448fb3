// The event handlers of the command shell, entered into the event registry:
// the menu event of the main form.
#include "core/events.h"
#include "shell/commands.h"

namespace sorvan {

void RegisterShellEvents() {
  RegisterEvent("Form_MenuEvent", [](plat::EventArgs& args) {
    int index = args.index;
    int command = args.command;
    Form_MenuEvent(index, command);
  });
}

}  // namespace sorvan
