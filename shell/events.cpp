// The event handlers of the command shell, entered into the event registry:
// the menu event of the main form and the toolbar's click event.
#include "core/events.h"
#include "shell/commands.h"

namespace sorvan {

void RegisterShellEvents() {
  RegisterEvent("Form_MenuEvent", [](plat::EventArgs& args) {
    int index = args.index;
    int command = args.command;
    Form_MenuEvent(index, command);
  });
  RegisterEvent("tb_ButtonClick", [](plat::EventArgs& args) {
    int button = args.index;
    tb_ButtonClick(button);
  });
}

}  // namespace sorvan
