// The quantification, information, element-table, label and transmission commands of the menu.
#include "core/model.h"
#include "core/reference_files.h"
#include "dialogs/element_table_page.h"
#include "dialogs/quantification_page.h"
#include "dialogs/transmission_pages.h"
#include "dialogs/window_choice_page.h"
#include "processing/transmission.h"
#include "shell/commands.h"
#include "shell/menu_commands.h"
#include "shell/messages.h"

namespace sorvan {

namespace {

// The window choice, then the quantification page again and again until its
// Cancel: every other answer shows it once more (recomputed after OK, the
// next group after cmd216).
void Quantify() {
  G.ExcludedWindow = 0;
  ShowWindowChoicePage(G.ExcludedWindow, G.MessageTexts[78]);
  if (G.ChosenWindowCount == 0 || G.DialogResult == 2) return;
  G.DialogResult = 0;
  do {
    ShowQuantificationPage();
  } while (G.DialogResult != 2);
}

// The facts of the current window's spectrum in an information box.
void ShowWindowInformation(int command) {
  if (!CurrentWindowIsOpen()) return;
  G.CommandId = static_cast<Int16>(command);
  ShowInfoBox(G.CommandId, G.CurrentWindow);
}

void EditElementTable(int command) {
  G.CommandId = static_cast<Int16>(command);
  ShowElementTablePage(command);
}

}  // namespace

void RunInformationCommand(int command) {
  switch (command) {
    case CmdQuantify: Quantify(); return;
    case CmdLoadSensitivityFactors: LoadSensitivityFactors(); return;
    case CmdLoadTransmissionParameters: LoadTransmissionParameters(); return;
    case CmdShowDescription:
    case CmdShowAcquisition:
    case CmdShowExtremes:
    case CmdShowSourceFile:
    case CmdShowEnergyCorrection: ShowWindowInformation(command); return;
    case CmdEditLinePositions:
    case CmdEditAugerParameters:
    case CmdEditSensitivityFactors:
    case CmdEditDoublets: EditElementTable(command); return;
    case CmdTransmissionGold:
    case CmdTransmissionSilver:
    case CmdTransmissionCopper: RunTransmissionReferenceCommand(command); return;
    case CmdEditTransmission: RunEditTransmissionCommand(); return;
    case CmdTransmissionFromLines: ShowReferenceIntensityPage(G.CurrentWindow); return;
    default: break;
  }
  if (RunLabelCommand(command)) return;
}

}  // namespace sorvan
