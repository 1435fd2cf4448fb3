// The line identification and window-text commands of the Labels popup.
#include "core/model.h"
#include "core/reference_files.h"
#include "dialogs/line_identification_page.h"
#include "dialogs/window_texts_page.h"
#include "display/line_positions.h"
#include "platform/files.h"
#include "shell/commands.h"
#include "shell/menu_commands.h"
#include "shell/messages.h"

namespace sorvan {

namespace {

constexpr int kMissingFileMessage = 8;

void IdentifyLines() {
  try {
    LoadLineSelection();
  } catch (const plat::FileError& e) {
    // More than 1000 lines chosen: the first 1000 are listed. A line file
    // that cannot be read gives no page.
    if (!plat::FileExists(e.path())) {
      ShowMessage(kMissingFileMessage, G.CurrentWindow);
      return;
    }
  }
  ConvertLinePositions();
  ShowLineIdentificationPage(kLineModeLines);
}

}  // namespace

bool RunLabelCommand(int command) {
  switch (command) {
    case CmdIdentifyLines: IdentifyLines(); return true;
    case CmdShowLineIdentification:
      ShowLineIdentificationPage(kLineModeChemicalState);
      return true;
    case CmdEditAnnotations:
      G.CommandId = static_cast<Int16>(command);
      ShowWindowTextsPage(G.CurrentWindow);
      return true;
    case CmdEditMemberAxis:
    case CmdEditMemberLabels:
    case CmdEditEnergyAxis:
    case CmdEditIntensityAxis:
    case CmdEditTitleLabels:
      // These pages keep a copy for their Cancel, taken when they open
      // without an answer pending.
      G.CommandId = static_cast<Int16>(command);
      G.DialogResult = 0;
      ShowWindowTextsPage(G.CurrentWindow);
      return true;
    default: return false;
  }
}

}  // namespace sorvan
