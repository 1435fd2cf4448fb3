// The Information menu (see shell/menu_information.h).
#include "shell/menu_information.h"

#include "core/messages.h"
#include "core/model.h"
#include "core/reference_files.h"
#include "dialogs/element_table_page.h"
#include "dialogs/line_identification_page.h"
#include "display/line_positions.h"
#include "platform/files.h"
#include "shell/commands.h"

namespace sorvan {

namespace {

constexpr int kMissingFileMessage = 8;

}  // namespace

void OnInformationBox(int command) {
  if (!CurrentWindowIsOpen()) return;
  G.CommandId = static_cast<Int16>(command);
  ShowInfoBox(G.CommandId, G.CurrentWindow);
}

void OnIdentifyLines(int) {
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

void OnShowLineIdentification(int) { ShowLineIdentificationPage(kLineModeChemicalState); }

void OnEditElementTable(int command) {
  G.CommandId = static_cast<Int16>(command);
  ShowElementTablePage(command);
}

}  // namespace sorvan
